#include "files/ClientFile.h"

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/FileError.h"
#include "files/TextLines.h"
#include "messages/Messages.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <istream>
#include <ostream>

namespace kelvox {

namespace {

// A count above the store's copies still names the blocks the file holds; the
// store keeps at most kCopies copies and no count below -1.
int StoredCount(int count)
{
    return std::clamp(count, -1, kCopies);
}

bool HeaderAccepted(const std::string &line)
{
    return !line.empty() && std::string(kClientFileHeader).find(line) != std::string::npos;
}

// Reads one block into list, or, with no list, reads it and drops it. False
// when a flag line is not a number.
bool ReadBlock(TextLineReader &reader, int entries, AnswerList *list)
{
    reader.Skip();
    for (int k = 0; k < entries; ++k) {
        std::string text = reader.Line();
        if (list)
            list->SetText(k, std::move(text));
        int flag = 0;
        if (!reader.TryInteger(flag))
            return false;
        if (list)
            list->SetOvRide(k, flag != 0);
    }
    return true;
}

bool ReadClientFileNamed(std::istream &in, const std::string &name, TAnswer &store, WSchedList &worksheet)
{
    TextLineReader reader(in, name);
    if (!HeaderAccepted(reader.Line())) {
        ErrorMessage(33010);
        return false;
    }
    const double version = reader.Real("version number");
    if (std::trunc(version) != 4.0) {
        ErrorMessage(33020);
        return false;
    }

    reader.Skip();
    std::array<int, kPageTypes> counts{};
    for (int i = 0; i < kPageTypes; ++i) {
        counts[static_cast<size_t>(i)] = reader.Integer("page count");
        store.PgCt()[static_cast<size_t>(i)] = StoredCount(counts[static_cast<size_t>(i)]);
    }
    store.NoOf18_2 = store.PgCt()[5];
    store.NoOf18_3 = store.PgCt()[6];
    store.NoOf18_4 = store.PgCt()[7];

    reader.Skip();
    for (int i = 0; i < kPageTypes; ++i) {
        const int entries = FieldsPerPage(i) + 1;
        for (long long j = 0; j <= counts[static_cast<size_t>(i)]; ++j) {
            const bool held = j < kCopies;
            // Past the end a dropped block holds nothing; a held one still
            // empties its answers.
            if (!held && reader.AtEnd())
                break;
            if (!ReadBlock(reader, entries, held ? &store.Page(i, static_cast<int>(j)) : nullptr)) {
                store.ErrFlag = true;
                return false;
            }
        }
    }

    reader.Skip(4);
    const int rows = reader.Integer("worksheet row count");
    for (auto &row : worksheet.Rows)
        row.fill(std::string());
    worksheet.Rows.clear();
    for (int r = 0; r < rows && !reader.AtEnd(); ++r) {
        std::string cell = reader.Line();
        if (reader.AtEnd())
            break;
        worksheet.Rows.emplace_back();
        worksheet.Rows.back()[0] = std::move(cell);
    }
    for (int c = 1; c < WSchedList::kColumns; ++c)
        for (auto &row : worksheet.Rows)
            row[static_cast<size_t>(c)] = reader.Line();

    store.VersionNo = 4.12;
    return true;
}

} // namespace

bool ReadClientFile(std::istream &in, TAnswer &store, WSchedList &worksheet)
{
    return ReadClientFileNamed(in, "client file", store, worksheet);
}

void WriteClientFile(std::ostream &out, const TAnswer &store, const WSchedList &worksheet)
{
    TextLineWriter writer(out);
    writer.Line(kClientFileHeader);
    writer.Line(kClientFileVersion);
    writer.Line("***** Page Counts");
    std::array<int, kPageTypes> counts{};
    for (int i = 0; i < kPageTypes; ++i) {
        counts[static_cast<size_t>(i)] = StoredCount(store.PgCt()[static_cast<size_t>(i)]);
        writer.Line(counts[static_cast<size_t>(i)]);
    }
    writer.Line("***** Page Data");
    for (int i = 0; i < kPageTypes; ++i) {
        const int entries = FieldsPerPage(i) + 1;
        for (int j = 0; j <= counts[static_cast<size_t>(i)]; ++j) {
            writer.Line("***** Page " + std::to_string(i) + "; Cont " + std::to_string(j));
            if (j >= kCopies) {
                // A 25th copy has no room in the store: an empty block keeps the layout.
                for (int k = 0; k < entries; ++k) {
                    writer.Line(std::string());
                    writer.Line(0);
                }
                continue;
            }
            const AnswerList &list = store.Page(i, j);
            for (int k = 0; k < entries; ++k) {
                writer.Line(list.Text(k));
                writer.Line(list.OvRide(k) ? 1 : 0);
            }
        }
    }
    writer.Line("Accounting Worksheet - ***************");
    writer.Line("Column Count");
    writer.Line(WSchedList::kColumns);
    writer.Line("Row Count");
    writer.Line(worksheet.RowCount());
    for (int c = 0; c < WSchedList::kColumns; ++c)
        for (const auto &row : worksheet.Rows)
            writer.Line(row[static_cast<size_t>(c)]);
}

bool OpenFile(const std::string &path, TAnswer &store, WSchedList &worksheet)
{
    std::ifstream in = OpenForReading(path);
    return ReadClientFileNamed(in, path, store, worksheet);
}

void SaveFile(const std::string &path, const TAnswer &store, const WSchedList &worksheet)
{
    ReplaceFile(path, [&](std::ostream &out) { WriteClientFile(out, store, worksheet); });
}

} // namespace kelvox
