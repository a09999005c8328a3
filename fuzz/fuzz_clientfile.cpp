#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

using namespace kelvox;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameCase(const TAnswer &a, const WSchedList &wa, const TAnswer &b, const WSchedList &wb)
{
    if (a.PgCt() != b.PgCt() || wa.Rows != wb.Rows)
        return false;
    for (int i = 0; i < kPageTypes; ++i)
        for (int j = 0; j < kCopies; ++j)
            for (int k = 0; k <= FieldsPerPage(i); ++k)
                if (a.Get(i, j, k) != b.Get(i, j, k) || a.OvRide(i, j, k) != b.OvRide(i, j, k))
                    return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::istringstream in(text);
    TAnswer store;
    WSchedList worksheet;
    bool read = false;
    try {
        read = ReadClientFile(in, store, worksheet);
    } catch (const FileError &) {
        return 0;
    }
    for (int count : store.PgCt())
        Check(count >= -1 && count <= kCopies);
    // Every row costs at least one line of the file.
    Check(worksheet.Rows.size() <= size + 1);
    if (!read)
        return 0;

    // What was read writes out and reads back as the same case.
    std::ostringstream out;
    WriteClientFile(out, store, worksheet);
    std::istringstream again(out.str());
    TAnswer store2;
    WSchedList worksheet2;
    Check(ReadClientFile(again, store2, worksheet2));
    Check(SameCase(store, worksheet, store2, worksheet2));
    return 0;
}
