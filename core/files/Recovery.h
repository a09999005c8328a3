#pragma once

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>

namespace kelvox {

class TAnswer;
class WSchedList;

// The recovery file keeps the open case between its last change and the next
// clean save, in the settings folder. It is an ordinary client file followed
// by three lines the client-file reader never reaches:
//
//   ***** Recovery
//   Case: <the case's path, or Untitled.kvx; bytes outside printable ASCII and
//          "%" as %XX>
//   Last change: <UTC, as 2026-12-11T17:45:03.250Z>
//
// so File > Open reads it like any case, and a file without those lines is
// one whose writing never finished.
inline constexpr const char *kRecoveryFileName = "recovery.kvx";
inline constexpr const char *kUnreadableRecoveryPrefix = "Unreadable-recovery";

using RecoveryClock = std::chrono::system_clock;

struct RecoveryNote final {
    std::string CasePath = "Untitled.kvx";
    RecoveryClock::time_point LastChange;
};

std::string RecoveryFilePath(const std::string &settingsFolder);

void WriteRecovery(std::ostream &out, const TAnswer &store, const WSchedList &worksheet, const RecoveryNote &note);
// Crash-safe and owner-only, as SaveFile. Throws FileError.
void SaveRecoveryFile(const std::string &path, const TAnswer &store, const WSchedList &worksheet,
                      const RecoveryNote &note);

// Reads a recovery file into a store the caller has just created. False, with
// the reason in problem, when the file cannot be opened, the case in it cannot
// be read or its note is missing or malformed. Shows no message.
bool ReadRecovery(std::istream &in, TAnswer &store, WSchedList &worksheet, RecoveryNote &note, std::string &problem);
bool OpenRecoveryFile(const std::string &path, TAnswer &store, WSchedList &worksheet, RecoveryNote &note,
                      std::string &problem);

// The recovery is worth offering when the case has no file yet, its file is
// gone, or its file was last written before the last change.
bool RecoveryIsNewer(RecoveryClock::time_point lastChange, bool untitled,
                     std::optional<RecoveryClock::time_point> caseWritten);
bool RecoveryIsNewer(const RecoveryNote &note);

// "Recovered-" and the case's file name without its extension, made safe as a
// file name: "Recovered-Smith", "Recovered-Untitled".
std::string RecoveredPrefix(const std::string &casePath);

// The name a recovery file is moved aside to in folder: prefix, "-", the local
// date and time of when as YYYY-MM-DD-HHMMSS, then "-2", "-3"... while taken,
// and ".kvx".
std::string MoveAsideName(const std::string &folder, const std::string &prefix, RecoveryClock::time_point when);
// Renames path to MoveAsideName in its own folder and returns the new path.
// Throws FileError when the rename fails.
std::string MoveAside(const std::string &path, const std::string &prefix, RecoveryClock::time_point when);

// The start-up question and the note for a recovery file that cannot be read.
// when is the time of the last change as the user reads it.
std::string RecoveryQuestion(const std::string &casePath, const std::string &when, const std::string &settingsFolder);
std::string UnreadableRecoveryText(const std::string &problem, const std::string &movedTo);

// The note's time format, exposed for tests.
std::string UtcTimeText(RecoveryClock::time_point when);
bool ParseUtcTime(const std::string &text, RecoveryClock::time_point &when);

} // namespace kelvox
