#include "files/Folders.h"

#include "files/FileError.h"
#include "files/TextLines.h"
#include "misc/Misc.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>

#if !defined(_WIN32)
#include <pwd.h>
#include <unistd.h>
#endif

namespace kelvox {

namespace fs = std::filesystem;

namespace {

bool WindowsStyle()
{
    return Platform().PathSeparator == '\\';
}

// What stands for the root of "C:\" on this platform.
std::string DriveRoot(const std::string &homeFolder)
{
    return WindowsStyle() ? std::string("C:\\") : AddPathSeparator(homeFolder);
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::string ProgramFolderFor(const std::string &programFileFolder, const std::string &homeFolder)
{
    const std::string folder = AddPathSeparator(programFileFolder);
    const std::string upper = Upper(folder);
    if (upper.find("DEBUG") != std::string::npos || upper.find("RELEASE") != std::string::npos)
        return DriveRoot(homeFolder) + "Source" + Platform().PathSeparator + "Kelvox";
    std::error_code ec;
    if (!WindowsStyle() && !fs::exists(folder + "PSF", ec)) {
        const fs::path installed = (fs::path(folder) / ".." / "share" / "kelvox").lexically_normal();
        if (fs::is_directory(installed, ec))
            return AddPathSeparator(installed.string());
    }
    return folder;
}

Folders DefaultFolders(const std::string &programFileFolder, const std::string &homeFolder)
{
    const std::string harrowgate = AddPathSeparator(DriveRoot(homeFolder) + "Harrowgate");
    Folders f;
    f.SettingsFolder = harrowgate + "Kelvox";
    f.ProgramFolder = ProgramFolderFor(programFileFolder, homeFolder);
    f.ClientFileFolder = AddPathSeparator(f.SettingsFolder) + "Files";
    f.RtfWorkFolder = AddPathSeparator(f.SettingsFolder) + "RTF";
    f.TemplateFolder = AddPathSeparator(f.ProgramFolder) + "RTF";
    f.PtfFolder = AddPathSeparator(f.ProgramFolder) + "PTF";
    f.DataFolder = AddPathSeparator(f.ProgramFolder) + "DAT";
    f.ScreenFolder = AddPathSeparator(f.ProgramFolder) + "PSF";
    return f;
}

std::string HomeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
#if !defined(_WIN32)
    if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
#else
    if (const char *profile = std::getenv("USERPROFILE"); profile && *profile)
        return profile;
#endif
    return ".";
}

std::string ExecutableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return fs::current_path(ec).string();
    return exe.parent_path().string();
}

void PrepareFolders(const Folders &folders)
{
    for (const std::string &folder : {folders.SettingsFolder, folders.ClientFileFolder}) {
        std::error_code ec;
        if (fs::is_directory(folder, ec))
            continue;
        fs::create_directories(folder, ec);
        if (ec)
            throw FileError(folder, "Cannot create the folder " + folder + ": " + ec.message());
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    const std::string target = AddPathSeparator(folders.ClientFileFolder) + "default.kvx";
    const std::string source = AddPathSeparator(folders.ProgramFolder) + "default.kvx";
    std::error_code ec;
    if (fs::exists(target, ec) || !fs::exists(source, ec))
        return;
    std::ifstream in = OpenForReading(source);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw FileError(source, "Cannot read " + source);
    ReplaceFile(target, [&](std::ostream &out) { out << bytes; });
}

} // namespace kelvox
