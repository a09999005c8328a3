#pragma once

#include "files/Folders.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvox {

inline constexpr const char *kSettingsFileName = "kelvox.ini";
inline constexpr const char *kDefaultWordProcessor = "WINWORD.EXE";

// What the settings file carries, beside the folders it may replace.
struct ProgramSettings final {
    Folders Paths;
    std::string WordProcessorName = kDefaultWordProcessor;
    std::vector<std::string> RecentFiles; // most recent first
};

// SettingsFolder + separator + "kelvox.ini".
std::string SettingsFilePath(const Folders &folders);

// Lines 1 to 4 replace ClientFileFolder, TemplateFolder, PtfFolder and
// ScreenFolder unless empty; line 5 is WordProcessorName as it stands (empty
// when the file ends before it); line 6 counts the recent paths that follow,
// which are appended to RecentFiles. Throws FileError when the count is not a
// number.
void ReadINI(std::istream &in, ProgramSettings &settings);
void WriteINI(std::ostream &out, const ProgramSettings &settings);

// The same on a file: ReadINI throws FileError when the file cannot be opened;
// WriteINI replaces the file as SaveFile does and throws FileError on failure.
void ReadINI(const std::string &path, ProgramSettings &settings);
void WriteINI(const std::string &path, const ProgramSettings &settings);

} // namespace kelvox
