#include "ClientFileText.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "files/FileError.h"
#include "files/Settings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelvox;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kelvox-save-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_target = m_dir / "case.kvx";
        m_store.Set(0, 0, 5, "Previous Petitioner");
        SaveFile(m_target.string(), m_store, m_worksheet);
        m_previous = Bytes(m_target);
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::replace);
        fs::remove_all(m_dir);
    }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
    fs::path m_target;
    TAnswer m_store;
    WSchedList m_worksheet;
    std::string m_previous;
};

// Runs body in a child process and returns its exit status. As root the child
// takes an unprivileged user, so that folder permissions bind it.
int InChild(const std::function<int()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            if (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(99);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST_F(SaveTest, WritesTheCaseOwnerOnlyAndLeavesNoTemporaryFile)
{
    m_store.Set(0, 0, 5, "New Petitioner");
    ::umask(022);
    SaveFile(m_target.string(), m_store, m_worksheet);
    EXPECT_EQ(Bytes(m_target), Written(m_store, m_worksheet));
    struct stat info {};
    ASSERT_EQ(::stat(m_target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"case.kvx"});
}

TEST_F(SaveTest, ReadOnlyFolderLeavesThePreviousFileIntact)
{
    fs::permissions(m_dir,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    m_store.Set(0, 0, 5, "Must Not Land");
    const int status = InChild([&] {
        try {
            SaveFile(m_target.string(), m_store, m_worksheet);
            return 1;
        } catch (const FileError &) {
            return 0;
        }
    });
    EXPECT_EQ(status, 0) << "the save must fail with FileError";
    EXPECT_EQ(Bytes(m_target), m_previous);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"case.kvx"});
}

TEST_F(SaveTest, SaveKilledMidWayLeavesThePreviousFileIntact)
{
    // A case large enough that writing and flushing it takes a while.
    TAnswer big;
    const std::string longText(900, 'z');
    for (int i = 0; i < kPageTypes; ++i) {
        big.PgCt()[size_t(i)] = 24;
        for (int j = 0; j < kCopies; ++j)
            for (int k = 0; k <= FieldsPerPage(i); ++k)
                big.Set(i, j, k, longText);
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            SaveFile(m_target.string(), big, m_worksheet);
        } catch (...) {
        }
        ::_exit(0);
    }
    // Kill it as soon as its temporary file holds part of the case.
    bool seen = false;
    for (int i = 0; i < 20000 && !seen; ++i) {
        for (const auto &entry : fs::directory_iterator(m_dir)) {
            std::error_code ec;
            if (entry.path().filename() != "case.kvx" && fs::file_size(entry.path(), ec) > 1024 * 1024)
                seen = true;
        }
        if (!seen)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(seen) << "the save never showed a temporary file";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save finished before it could be killed";
    EXPECT_EQ(Bytes(m_target), m_previous);
}

// Saves alternate between two cases in a child that is killed at random
// moments; after every kill the file is one of them, whole, and a later save
// in the same folder still works.
TEST_F(SaveTest, SavesKilledAtRandomMomentsLeaveAWholeCase)
{
    auto fillCase = [](TAnswer &store, const std::string &name, char fill) {
        for (int i = 0; i < kPageTypes; ++i) {
            store.PgCt()[size_t(i)] = 3;
            for (int j = 0; j < 4; ++j)
                for (int k = 1; k <= FieldsPerPage(i); ++k)
                    store.Set(i, j, k, std::string(40, fill));
        }
        store.Set(0, 0, 5, name);
    };
    TAnswer first;
    TAnswer second;
    fillCase(first, "First Petitioner", 'a');
    fillCase(second, "Second Petitioner", 'b');
    WSchedList rows;
    rows.Rows.assign(50, WSchedList::Row{"Payee", "Service", "1/2/2020", "10.00", "9.00"});
    const std::string firstBytes = Written(first, rows);
    const std::string secondBytes = Written(second, rows);
    SaveFile(m_target.string(), first, rows);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int kills = 0;
    int killedMidSave = 0;
    std::set<std::string> leftovers;
    while (kills < 300 && std::chrono::steady_clock::now() < deadline) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int i = 0;; ++i) {
                try {
                    SaveFile(m_target.string(), i % 2 ? first : second, rows);
                } catch (...) {
                    ::_exit(3);
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "a save failed in the child";
        ++kills;

        const std::string bytes = Bytes(m_target);
        ASSERT_TRUE(bytes == firstBytes || bytes == secondBytes)
            << "after kill " << kills << " the file holds " << bytes.size() << " bytes of neither case";
        TAnswer read;
        WSchedList readRows;
        ASSERT_TRUE(OpenFile(m_target.string(), read, readRows));
        EXPECT_EQ(read.Get(0, 0, 5), bytes == firstBytes ? "First Petitioner" : "Second Petitioner");
        EXPECT_EQ(readRows.RowCount(), 50);

        bool fresh = false;
        for (const std::string &name : FolderEntries())
            if (name != "case.kvx" && leftovers.insert(name).second)
                fresh = true;
        killedMidSave += fresh;
    }
    std::cout << kills << " kills, " << killedMidSave << " inside a save\n";
    EXPECT_GE(kills, 20);
    EXPECT_GT(killedMidSave, 0) << "no kill landed inside a save";
    for (const std::string &name : leftovers)
        EXPECT_EQ(name.rfind(".case.kvx.", 0), 0u) << name;

    // What the killed saves left behind does not stand in the way of the next.
    SaveFile(m_target.string(), m_store, m_worksheet);
    EXPECT_EQ(Bytes(m_target), Written(m_store, m_worksheet));
}

TEST_F(SaveTest, MissingFolderIsAFileError)
{
    EXPECT_THROW(SaveFile((m_dir / "no-such-folder" / "case.kvx").string(), m_store, m_worksheet), FileError);
    EXPECT_EQ(Bytes(m_target), m_previous);
}

TEST_F(SaveTest, SettingsFileIsReplacedTheSameWay)
{
    ProgramSettings settings;
    settings.RecentFiles = {"/a/one.kvx"};
    const fs::path ini = m_dir / "kelvox.ini";
    WriteINI(ini.string(), settings);
    struct stat info {};
    ASSERT_EQ(::stat(ini.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const std::string before = Bytes(ini);

    fs::permissions(m_dir,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    settings.RecentFiles.push_back("/b/two.kvx");
    EXPECT_EQ(InChild([&] {
                  try {
                      WriteINI(ini.string(), settings);
                      return 1;
                  } catch (const FileError &) {
                      return 0;
                  }
              }),
              0);
    EXPECT_EQ(Bytes(ini), before);
}
