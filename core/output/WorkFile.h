#pragma once

#include <functional>
#include <string>

namespace kelvox {

// The work file handed to the word processor: "send_temp.RTF" in the settings
// folder, or "send_temp<n>.rtf" (n from 0 to 998, from `pick`) when the
// previous one cannot be removed or is still open (a LibreOffice lock file
// beside it). Removes the previous work file when it can.
std::string PrepareWorkFileName(const std::string &settingsFolder, const std::function<int()> &pick = {});

// Saves the document as ASCII (every byte above 127 becomes "?") with CR LF
// line ends, readable and writable by its owner only. Throws
// std::runtime_error when the file cannot be written.
void SaveWorkFile(const std::string &path, const std::string &documentText);

} // namespace kelvox
