#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "files/Recovery.h"
#include "messages/CollectingSink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace kelvox;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ClientFileText(const TAnswer &store, const WSchedList &worksheet)
{
    std::ostringstream out;
    WriteClientFile(out, store, worksheet);
    return out.str();
}

RecoveryClock::time_point At(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms = 0)
{
    return RecoveryClock::time_point(sys_days(year(y) / month(mo) / day(d)) + hours(h) + minutes(mi) + seconds(s) +
                                     milliseconds(ms));
}

// A case with the answers a recovery must not lose: blanks at either end, an
// accented name, an override, a copy of a multi-copy form and worksheet rows.
struct SampleCase {
    TAnswer store;
    WSchedList worksheet;
    SampleCase()
    {
        store.Set(0, 0, 0, "Summit");
        store.Set(0, 0, 5, "  José Núñez ");
        store.Set(1, 0, 11, "Smith");
        store.SetOvRide(1, 0, 20, true);
        store.Set(1, 0, 20, "overridden");
        store.PgCt()[6] = 2;
        store.Set(6, 2, 3, "third consent");
        worksheet.Rows.assign(2, {});
        worksheet.Rows[0] = {"Dr. Lee | 12 Main St", "Medical", "03/04/2026", "120.00", "118.50"};
        worksheet.Rows[1] = {"Court", "Filing fee", "03/05/2026", "75.00", ""};
    }
};

class RecoveryFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kelvox-recovery-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

} // namespace

TEST(RecoveryTime, TextIsUtcToTheMillisecondAndReadsBack)
{
    const auto when = At(2026, 12, 11, 17, 45, 3, 250);
    EXPECT_EQ(UtcTimeText(when), "2026-12-11T17:45:03.250Z");
    RecoveryClock::time_point read;
    ASSERT_TRUE(ParseUtcTime("2026-12-11T17:45:03.250Z", read));
    EXPECT_EQ(read, when);
    for (const char *bad : {"", "2026-12-11 17:45:03.250Z", "2026-02-30T10:00:00.000Z", "2026-12-11T24:00:00.000Z",
                            "2026-12-11T17:45:03.250Z trailing", "2026-12-11T17:45:03Z"})
        EXPECT_FALSE(ParseUtcTime(bad, read)) << bad;
}

TEST(RecoveryFile, IsTheClientFileFollowedByItsNoteAndReadsBackWhole)
{
    const SampleCase sample;
    RecoveryNote note;
    note.CasePath = "/home/clerk/Files/Nuñez 100%.kvx";
    note.LastChange = At(2026, 12, 11, 17, 45, 3, 250);
    std::ostringstream out;
    WriteRecovery(out, sample.store, sample.worksheet, note);
    const std::string written = out.str();

    const std::string clientFile = ClientFileText(sample.store, sample.worksheet);
    ASSERT_EQ(written.substr(0, clientFile.size()), clientFile);
    EXPECT_EQ(written.substr(clientFile.size()), "***** Recovery\r\n"
                                                 "Case: /home/clerk/Files/Nu%C3%B1ez 100%25.kvx\r\n"
                                                 "Last change: 2026-12-11T17:45:03.250Z\r\n");

    // The ordinary reader takes it as a client file.
    {
        std::istringstream in(written);
        TAnswer store;
        WSchedList worksheet;
        ASSERT_TRUE(ReadClientFile(in, store, worksheet));
        EXPECT_EQ(ClientFileText(store, worksheet), clientFile);
    }

    std::istringstream in(written);
    TAnswer store;
    WSchedList worksheet;
    RecoveryNote read;
    std::string problem;
    ASSERT_TRUE(ReadRecovery(in, store, worksheet, read, problem)) << problem;
    EXPECT_EQ(ClientFileText(store, worksheet), clientFile);
    EXPECT_EQ(read.CasePath, note.CasePath);
    EXPECT_EQ(read.LastChange, note.LastChange);
}

TEST(RecoveryFile, DamagedFilesAreRefusedWithAReasonAndNoMessage)
{
    const SampleCase sample;
    RecoveryNote note;
    note.CasePath = "/cases/Smith.kvx";
    note.LastChange = At(2026, 12, 11, 9, 0, 0);
    std::ostringstream out;
    WriteRecovery(out, sample.store, sample.worksheet, note);
    const std::string good = out.str();
    const std::size_t noteStart = good.find("***** Recovery");
    ASSERT_NE(noteStart, std::string::npos);

    struct Case {
        const char *name;
        std::string bytes;
    };
    std::string badCount = good;
    badCount.replace(badCount.find("***** Page Counts\r\n") + 19, 1, "x");
    const std::vector<Case> cases = {
        {"empty", ""},
        {"not a client file", "Hello\r\n" + good.substr(good.find("\r\n") + 2)},
        {"count not a number", badCount},
        {"cut before its note", good.substr(0, noteStart)},
        {"cut inside its note", good.substr(0, good.find("Last change"))},
        {"damaged time", good.substr(0, good.find("Last change")) + "Last change: yesterday\r\n"},
        {"damaged path",
         good.substr(0, good.find("Case: ")) + "Case: /cases/%G1.kvx\r\n" + good.substr(good.find("Last change"))},
        {"empty path", good.substr(0, good.find("Case: ")) + "Case: \r\n" + good.substr(good.find("Last change"))},
    };
    for (const Case &c : cases) {
        const CollectingSink sink;
        std::istringstream in(c.bytes);
        TAnswer store;
        WSchedList worksheet;
        RecoveryNote read;
        std::string problem;
        EXPECT_FALSE(ReadRecovery(in, store, worksheet, read, problem)) << c.name;
        EXPECT_FALSE(problem.empty()) << c.name;
        EXPECT_TRUE(sink.Messages().empty()) << c.name;
        EXPECT_EQ(read.CasePath, "Untitled.kvx") << c.name << ": a refused note is not taken";
    }
}

TEST(RecoveryOffer, DueWhenTheCaseHasNoNewerFile)
{
    const auto change = At(2026, 12, 11, 12, 0, 0);
    struct Case {
        const char *name;
        bool untitled;
        std::optional<RecoveryClock::time_point> written;
        bool due;
    };
    const Case cases[] = {
        {"untitled", true, std::nullopt, true},
        {"untitled beside a file of that name", true, change + hours(1), true},
        {"file gone", false, std::nullopt, true},
        {"file written before the change", false, change - seconds(5), true},
        {"file written at the change", false, change, false},
        {"file written after the change", false, change + milliseconds(1), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RecoveryIsNewer(change, c.untitled, c.written), c.due) << c.name;
}

TEST_F(RecoveryFolder, OfferReadsTheCaseFileOnDisk)
{
    const fs::path casePath = m_dir / "Smith.kvx";
    WriteBytes(casePath, "case");
    const auto now = RecoveryClock::now();
    RecoveryNote note;
    note.CasePath = casePath.string();

    fs::last_write_time(casePath, file_clock::from_sys(now - minutes(10)));
    note.LastChange = now - minutes(5);
    EXPECT_TRUE(RecoveryIsNewer(note)) << "saved before the last change";

    fs::last_write_time(casePath, file_clock::from_sys(now));
    EXPECT_FALSE(RecoveryIsNewer(note)) << "saved after the last change";

    fs::remove(casePath);
    EXPECT_TRUE(RecoveryIsNewer(note)) << "case file gone";
}

TEST_F(RecoveryFolder, SavedFileIsOwnerOnlyAndLeavesNoTemporaryFile)
{
    const SampleCase sample;
    const std::string path = RecoveryFilePath(m_dir.string());
    EXPECT_EQ(path, (m_dir / "recovery.kvx").string());
    const mode_t old = ::umask(0);
    SaveRecoveryFile(path, sample.store, sample.worksheet, RecoveryNote{});
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    TAnswer store;
    WSchedList worksheet;
    RecoveryNote note;
    std::string problem;
    ASSERT_TRUE(OpenRecoveryFile(path, store, worksheet, note, problem)) << problem;
    EXPECT_EQ(store.Get(0, 0, 5), "  José Núñez ");

    fs::remove(path);
    EXPECT_FALSE(OpenRecoveryFile(path, store, worksheet, note, problem));
    EXPECT_FALSE(problem.empty());
}

TEST(RecoveryNames, PrefixNamesTheCaseSafely)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/home/clerk/Files/Smith.kvx", "Recovered-Smith"},
        {"Untitled.kvx", "Recovered-Untitled"},
        {"C:\\Harrowgate\\Kelvox\\Files\\Doe v. Roe.kvx", "Recovered-Doe v. Roe"},
        {"/cases/a:b?.kvx", "Recovered-a-b-"},
        {"/cases/.kvx", "Recovered-Untitled"},
    };
    for (const auto &[path, prefix] : cases)
        EXPECT_EQ(RecoveredPrefix(path), prefix) << path;
}

TEST_F(RecoveryFolder, MoveAsideKeepsEveryFileUnderADatedName)
{
    const char *oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();

    const auto when = At(2026, 12, 11, 17, 45, 3);
    const std::string live = (m_dir / "recovery.kvx").string();
    std::vector<std::string> moved;
    for (const char *content : {"first", "second", "third"}) {
        WriteBytes(live, content);
        moved.push_back(MoveAside(live, "Recovered-Smith", when));
    }
    EXPECT_EQ(moved[0], (m_dir / "Recovered-Smith-2026-12-11-174503.kvx").string());
    EXPECT_EQ(moved[1], (m_dir / "Recovered-Smith-2026-12-11-174503-2.kvx").string());
    EXPECT_EQ(moved[2], (m_dir / "Recovered-Smith-2026-12-11-174503-3.kvx").string());
    EXPECT_EQ(Bytes(moved[0]), "first");
    EXPECT_EQ(Bytes(moved[2]), "third");
    EXPECT_FALSE(fs::exists(live));

    EXPECT_THROW(MoveAside(live, "Recovered-Smith", when), FileError);

    if (oldTz)
        ::setenv("TZ", savedTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
