#pragma once

#include <string>
#include <vector>

namespace kelvox {

inline constexpr const char *kUntitledFileName = "Untitled.kvx";
inline constexpr std::size_t kRecentFilesKept = 9;
inline constexpr std::size_t kRecentFilesShown = 5;

// The file-name part of a path. Both "/" and "\" end a folder, since recent
// paths may come from a Windows machine.
std::string FileNamePart(const std::string &path);

// A case is untitled while its file-name part, upper-cased, is "UNTITLED.KVX".
bool IsUntitled(const std::string &path);

// Known paths are never inserted into the recent list: an untitled name, or a
// path equal to an entry without regard to letter case.
bool IsKnownRecentFile(const std::vector<std::string> &recentFiles, const std::string &path);

// Puts an unknown path at the top; a known one changes nothing. True when the
// list changed.
bool InsertRecentFile(std::vector<std::string> &recentFiles, const std::string &path);

// The menu refresh: drops every entry after the ninth and gives the captions
// of the first five.
std::vector<std::string> RefreshRecentFiles(std::vector<std::string> &recentFiles);

// The name Save As keeps: unchanged when its extension is ".kvx" in any
// letter case; otherwise the file-name part's extension (from its last ".")
// is replaced by ".kvx", or ".kvx" is appended. Folders are left alone.
// repaired tells whether message 1101 is due.
std::string RepairClientFileExtension(const std::string &path, bool &repaired);

// Save As's suggestion for an untitled case: the typed case name followed by
// ".kvx". Folder separators in the name would point the dialog into folders
// that do not exist, so they become "-".
std::string SuggestedClientFileName(const std::string &caseName);

} // namespace kelvox
