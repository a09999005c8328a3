#include "files/RecentFiles.h"

#include <algorithm>

namespace kelvox {

namespace {

std::string AsciiUpper(std::string text)
{
    for (char &c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::size_t FileNameStart(const std::string &path)
{
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? 0 : last + 1;
}

} // namespace

std::string FileNamePart(const std::string &path)
{
    return path.substr(FileNameStart(path));
}

bool IsUntitled(const std::string &path)
{
    return AsciiUpper(FileNamePart(path)) == "UNTITLED.KVX";
}

bool IsKnownRecentFile(const std::vector<std::string> &recentFiles, const std::string &path)
{
    if (IsUntitled(path))
        return true;
    const std::string upper = AsciiUpper(path);
    return std::any_of(recentFiles.begin(), recentFiles.end(),
                       [&](const std::string &entry) { return AsciiUpper(entry) == upper; });
}

bool InsertRecentFile(std::vector<std::string> &recentFiles, const std::string &path)
{
    if (IsKnownRecentFile(recentFiles, path))
        return false;
    recentFiles.insert(recentFiles.begin(), path);
    return true;
}

std::vector<std::string> RefreshRecentFiles(std::vector<std::string> &recentFiles)
{
    if (recentFiles.size() > kRecentFilesKept)
        recentFiles.resize(kRecentFilesKept);
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < recentFiles.size() && i < kRecentFilesShown; ++i)
        captions.push_back(FileNamePart(recentFiles[i]));
    return captions;
}

std::string RepairClientFileExtension(const std::string &path, bool &repaired)
{
    const std::size_t nameStart = FileNameStart(path);
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot >= nameStart;
    repaired = !hasExtension || AsciiUpper(path.substr(dot)) != ".KVX";
    if (!repaired)
        return path;
    return (hasExtension ? path.substr(0, dot) : path) + ".kvx";
}

std::string SuggestedClientFileName(const std::string &caseName)
{
    std::string name = caseName;
    std::replace(name.begin(), name.end(), '/', '-');
    std::replace(name.begin(), name.end(), '\\', '-');
    return name + ".kvx";
}

} // namespace kelvox
