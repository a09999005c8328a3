#pragma once

#include <string>

namespace kelvox {

// The folders of the main-window state. Join them to file names with
// AddPathSeparator: only ProgramFolder usually ends with the separator.
struct Folders final {
    std::string SettingsFolder;
    std::string ProgramFolder;
    std::string ClientFileFolder;
    std::string RtfWorkFolder;
    std::string TemplateFolder;
    std::string PtfFolder;
    std::string DataFolder;
    std::string ScreenFolder;
};

// The defaults at start-up, for the platform Platform() describes. With "\" as
// separator the base is "C:\Harrowgate\"; elsewhere it is homeFolder +
// "/Harrowgate/". programFileFolder is the folder of the running program.
Folders DefaultFolders(const std::string &programFileFolder, const std::string &homeFolder);

// The folder of the program's data for a program file in programFileFolder,
// with a trailing separator: that folder itself, a development location when
// its path names a debug or release build, or ../share/kelvox/ beside it when
// the program is installed.
std::string ProgramFolderFor(const std::string &programFileFolder, const std::string &homeFolder);

// $HOME, or the password database's home folder when it is not set.
std::string HomeFolder();

// The folder holding the running executable (without a trailing separator).
std::string ExecutableFolder();

// The step an installer would take: create the settings and client-file
// folders when missing (owner-only on POSIX) and copy the program's
// default.kvx into the client-file folder when none is there. Throws FileError
// when a folder cannot be created or the copy fails.
void PrepareFolders(const Folders &folders);

} // namespace kelvox
