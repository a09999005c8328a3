#include "main/StartupFolders.h"

#include "misc/Misc.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool HoldsScreens(const std::string &folder)
{
    std::error_code ec;
    return fs::is_directory(fs::path(kelvox::AddPathSeparator(folder) + "PSF"), ec);
}

std::string DataBesideProgram(const std::string &programFileFolder)
{
    const std::string folder = kelvox::AddPathSeparator(programFileFolder);
    if (HoldsScreens(folder))
        return folder;
    std::error_code ec;
    const fs::path installed = (fs::path(folder) / ".." / "share" / "kelvox").lexically_normal();
    if (HoldsScreens(installed.string()))
        return kelvox::AddPathSeparator(installed.string());
    return folder;
}

} // namespace

kelvox::Folders StartupFolders(const std::string &programFileFolder, const std::string &homeFolder)
{
    kelvox::Folders folders = kelvox::DefaultFolders(programFileFolder, homeFolder);
    if (HoldsScreens(folders.ProgramFolder))
        return folders;
    folders.ProgramFolder = DataBesideProgram(programFileFolder);
    const std::string base = kelvox::AddPathSeparator(folders.ProgramFolder);
    folders.TemplateFolder = base + "RTF";
    folders.PtfFolder = base + "PTF";
    folders.DataFolder = base + "DAT";
    folders.ScreenFolder = base + "PSF";
    return folders;
}
