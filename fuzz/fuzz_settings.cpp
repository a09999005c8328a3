#include "files/FileError.h"
#include "files/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

using namespace kelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::istringstream in(text);
    ProgramSettings settings;
    try {
        ReadINI(in, settings);
    } catch (const FileError &) {
        return 0;
    }
    // Every recent path costs at least one line of the file.
    if (settings.RecentFiles.size() > size + 1)
        std::abort();
    std::ostringstream out;
    WriteINI(out, settings);
    return 0;
}
