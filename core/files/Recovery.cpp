#include "files/Recovery.h"

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "files/RecentFiles.h"
#include "files/TextLines.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <istream>
#include <ostream>

namespace kelvox {

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

constexpr const char *kMarker = "***** Recovery";
constexpr const char *kCaseLabel = "Case: ";
constexpr const char *kChangeLabel = "Last change: ";

std::string PercentEncoded(const std::string &text)
{
    static const char *digits = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F || c == '%') {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool PercentDecoded(const std::string &text, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool StartsWith(const std::string &text, const char *prefix, std::string &rest)
{
    const std::string head(prefix);
    if (text.compare(0, head.size(), head) != 0)
        return false;
    rest = text.substr(head.size());
    return true;
}

std::tm LocalTime(RecoveryClock::time_point when)
{
    const std::time_t seconds = RecoveryClock::to_time_t(when);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

std::string SafeFileNamePart(const std::string &name)
{
    std::string out;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool reserved = c < 0x20 || c == 0x7F || std::string("<>:\"/\\|?*").find(ch) != std::string::npos;
        out += reserved ? '-' : ch;
    }
    return out.empty() ? std::string("Untitled") : out;
}

} // namespace

std::string UtcTimeText(RecoveryClock::time_point when)
{
    const auto ms = floor<milliseconds>(when);
    const auto day = floor<days>(ms);
    const year_month_day date(day);
    const hh_mm_ss<milliseconds> time(ms - day);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    return text;
}

bool ParseUtcTime(const std::string &text, RecoveryClock::time_point &when)
{
    int y = 0;
    unsigned mo = 0, d = 0;
    int h = 0, mi = 0, s = 0, ms = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2u-%2uT%2d:%2d:%2d.%3dZ%n", &y, &mo, &d, &h, &mi, &s, &ms, &consumed) != 7 ||
        consumed != static_cast<int>(text.size()))
        return false;
    const year_month_day date{year(y), month(mo), day(d)};
    if (!date.ok() || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
        return false;
    when = RecoveryClock::time_point(sys_days(date) + hours(h) + minutes(mi) + seconds(s) + milliseconds(ms));
    return true;
}

std::string RecoveryFilePath(const std::string &settingsFolder)
{
    return AddPathSeparator(settingsFolder) + kRecoveryFileName;
}

void WriteRecovery(std::ostream &out, const TAnswer &store, const WSchedList &worksheet, const RecoveryNote &note)
{
    WriteClientFile(out, store, worksheet);
    TextLineWriter writer(out);
    writer.Line(kMarker);
    writer.Line(kCaseLabel + PercentEncoded(note.CasePath));
    writer.Line(kChangeLabel + UtcTimeText(note.LastChange));
}

void SaveRecoveryFile(const std::string &path, const TAnswer &store, const WSchedList &worksheet,
                      const RecoveryNote &note)
{
    ReplaceFile(path, [&](std::ostream &out) { WriteRecovery(out, store, worksheet, note); });
}

bool ReadRecovery(std::istream &in, TAnswer &store, WSchedList &worksheet, RecoveryNote &note, std::string &problem)
{
    try {
        const CollectingSink quiet;
        if (!ReadClientFile(in, store, worksheet)) {
            problem = quiet.Messages().empty() ? std::string("its answers cannot be read")
                                               : quiet.Messages().front().Texts.First;
            return false;
        }
    } catch (const std::exception &e) {
        problem = e.what();
        return false;
    }
    TextLineReader reader(in, kRecoveryFileName);
    std::string path;
    std::string time;
    if (reader.Line() != kMarker || !StartsWith(reader.Line(), kCaseLabel, path) ||
        !StartsWith(reader.Line(), kChangeLabel, time)) {
        problem = "it ends before its last lines";
        return false;
    }
    RecoveryNote read;
    if (!PercentDecoded(path, read.CasePath) || read.CasePath.empty() || !ParseUtcTime(time, read.LastChange)) {
        problem = "its last lines are damaged";
        return false;
    }
    note = std::move(read);
    return true;
}

bool OpenRecoveryFile(const std::string &path, TAnswer &store, WSchedList &worksheet, RecoveryNote &note,
                      std::string &problem)
{
    try {
        std::ifstream in = OpenForReading(path);
        return ReadRecovery(in, store, worksheet, note, problem);
    } catch (const std::exception &e) {
        problem = e.what();
        return false;
    }
}

bool RecoveryIsNewer(RecoveryClock::time_point lastChange, bool untitled,
                     std::optional<RecoveryClock::time_point> caseWritten)
{
    return untitled || !caseWritten || *caseWritten < lastChange;
}

bool RecoveryIsNewer(const RecoveryNote &note)
{
    const bool untitled = IsUntitled(note.CasePath);
    std::optional<RecoveryClock::time_point> written;
    std::error_code ec;
    if (!untitled && fs::is_regular_file(note.CasePath, ec)) {
        const auto stamp = fs::last_write_time(note.CasePath, ec);
        if (!ec)
            written = time_point_cast<RecoveryClock::duration>(file_clock::to_sys(stamp));
    }
    return RecoveryIsNewer(note.LastChange, untitled, written);
}

std::string RecoveredPrefix(const std::string &casePath)
{
    return "Recovered-" + SafeFileNamePart(RemoveExtension(FileNamePart(casePath)));
}

std::string MoveAsideName(const std::string &folder, const std::string &prefix, RecoveryClock::time_point when)
{
    const std::tm local = LocalTime(when);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    const std::string base = AddPathSeparator(folder) + prefix + "-" + stamp;
    std::string name = base + ".kvx";
    std::error_code ec;
    for (int n = 2; fs::exists(name, ec) || fs::is_symlink(name, ec); ++n)
        name = base + "-" + std::to_string(n) + ".kvx";
    return name;
}

std::string MoveAside(const std::string &path, const std::string &prefix, RecoveryClock::time_point when)
{
    const fs::path source(path);
    const std::string folder = source.parent_path().empty() ? std::string(".") : source.parent_path().string();
    const std::string target = MoveAsideName(folder, prefix, when);
    std::error_code ec;
    fs::rename(source, target, ec);
    if (ec)
        throw FileError(path, "Cannot move " + path + " to " + target + ": " + ec.message());
    return target;
}

std::string RecoveryQuestion(const std::string &casePath, const std::string &when, const std::string &settingsFolder)
{
    const std::string which =
        IsUntitled(casePath) ? std::string("an untitled case") : "the case " + FileNamePart(casePath);
    return "Kelvox closed before the changes to " + which + " were saved. The last change was made " + when +
           ".\n\nDo You Want To Restore These Changes?\n\nIf you choose No, they are kept as a client file in " +
           settingsFolder + ".";
}

std::string UnreadableRecoveryText(const std::string &problem, const std::string &movedTo)
{
    return "Kelvox found changes that were not saved, but cannot read them: " + problem +
           ".\n\nThe file has been kept as " + movedTo + ". Nothing was restored.";
}

} // namespace kelvox
