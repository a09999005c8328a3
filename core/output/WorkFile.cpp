#include "output/WorkFile.h"

#include "misc/Misc.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace kelvox {

namespace fs = std::filesystem;

namespace {

int RandomBelow999()
{
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, 998)(generator);
}

bool StillInUse(const fs::path &file)
{
    std::error_code ec;
    return fs::exists(file.parent_path() / (".~lock." + file.filename().string() + "#"), ec);
}

} // namespace

std::string PrepareWorkFileName(const std::string &settingsFolder, const std::function<int()> &pick)
{
    const std::string name = AddPathSeparator(settingsFolder) + "send_temp.RTF";
    const fs::path file(name);
    std::error_code ec;
    bool free = !StillInUse(file);
    if (free && fs::exists(file, ec)) {
        fs::remove(file, ec);
        free = !fs::exists(file, ec);
    }
    if (free)
        return name;
    const int n = pick ? pick() : RandomBelow999();
    return RemoveExtension(name) + std::to_string(n) + ".rtf";
}

void SaveWorkFile(const std::string &path, const std::string &documentText)
{
    const auto failed = [&path] { return std::runtime_error("Cannot write the file \"" + path + "\"."); };
    std::error_code ec;
    {
        std::ofstream create(path, std::ios::binary | std::ios::trunc);
        if (!create)
            throw failed();
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace, ec);
    if (ec)
        throw failed();

    std::string out;
    out.reserve(documentText.size() + documentText.size() / 40);
    for (std::size_t i = 0; i < documentText.size(); ++i) {
        const char c = documentText[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < documentText.size() && documentText[i + 1] == '\n')
                ++i;
        } else {
            out += static_cast<unsigned char>(c) > 127 ? '?' : c;
        }
    }
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file)
        throw failed();
}

} // namespace kelvox
