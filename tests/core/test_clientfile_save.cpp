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

std::string Written(const TAnswer &store, const WSchedList &worksheet)
{
    std::ostringstream out;
    WriteClientFile(out, store, worksheet);
    return out.str();
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
