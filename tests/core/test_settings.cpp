#include "files/FileError.h"
#include "files/Folders.h"
#include "files/Settings.h"
#include "misc/Misc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <unistd.h>

using namespace kelvox;
namespace fs = std::filesystem;

namespace {

class PinnedPlatform {
public:
    explicit PinnedPlatform(const PlatformSettings &p) : m_saved(Platform()) { SetPlatform(p); }
    ~PinnedPlatform() { SetPlatform(m_saved); }

private:
    PlatformSettings m_saved;
};

ProgramSettings Defaults()
{
    ProgramSettings s;
    s.Paths = DefaultFolders("/opt/kelvox/bin", "/home/ann");
    return s;
}

std::string Ini(const std::vector<std::string> &lines)
{
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

TEST(DefaultFolders, ThisPlatformMapsTheHarrowgateFolderIntoHome)
{
    PinnedPlatform pin(ThisPlatform());
    const Folders f = DefaultFolders("/opt/kelvox/bin", "/home/ann");
    EXPECT_EQ(f.SettingsFolder, "/home/ann/Harrowgate/Kelvox");
    EXPECT_EQ(f.ClientFileFolder, "/home/ann/Harrowgate/Kelvox/Files");
    EXPECT_EQ(f.RtfWorkFolder, "/home/ann/Harrowgate/Kelvox/RTF");
    EXPECT_EQ(f.ProgramFolder, "/opt/kelvox/bin/");
    EXPECT_EQ(f.TemplateFolder, "/opt/kelvox/bin/RTF");
    EXPECT_EQ(f.PtfFolder, "/opt/kelvox/bin/PTF");
    EXPECT_EQ(f.DataFolder, "/opt/kelvox/bin/DAT");
    EXPECT_EQ(f.ScreenFolder, "/opt/kelvox/bin/PSF");
    EXPECT_EQ(SettingsFilePath(f), "/home/ann/Harrowgate/Kelvox/kelvox.ini");
    EXPECT_EQ(DefaultFolders("/opt/kelvox/bin/", "/home/ann/").SettingsFolder, "/home/ann/Harrowgate/Kelvox");
}

TEST(DefaultFolders, DebugOrReleaseBuildUsesTheDevelopmentLocation)
{
    struct Case {
        PlatformSettings Platform;
        const char *ProgramFileFolder;
        const char *ProgramFolder;
        const char *ScreenFolder;
    };
    const Case cases[] = {
        {ThisPlatform(), "/src/kelvox/build-Release/bin", "/home/ann/Source/Kelvox", "/home/ann/Source/Kelvox/PSF"},
        {ThisPlatform(), "/src/kelvox/debug", "/home/ann/Source/Kelvox", "/home/ann/Source/Kelvox/PSF"},
        {ThisPlatform(), "/src/kelvox/relea/se", "/src/kelvox/relea/se/", "/src/kelvox/relea/se/PSF"},
        {WindowsPlatform(), "C:\\Program Files\\Kelvox", "C:\\Program Files\\Kelvox\\",
         "C:\\Program Files\\Kelvox\\PSF"},
        {WindowsPlatform(), "C:\\Dev\\Win32\\Debug", "C:\\Source\\Kelvox", "C:\\Source\\Kelvox\\PSF"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ProgramFileFolder);
        PinnedPlatform pin(c.Platform);
        const Folders f = DefaultFolders(c.ProgramFileFolder, "/home/ann");
        EXPECT_EQ(f.ProgramFolder, c.ProgramFolder);
        EXPECT_EQ(f.ScreenFolder, c.ScreenFolder);
    }
    PinnedPlatform pin(WindowsPlatform());
    const Folders f = DefaultFolders("C:\\Kelvox", "C:\\Users\\ann");
    EXPECT_EQ(f.SettingsFolder, "C:\\Harrowgate\\Kelvox");
    EXPECT_EQ(f.ClientFileFolder, "C:\\Harrowgate\\Kelvox\\Files");
    EXPECT_EQ(f.RtfWorkFolder, "C:\\Harrowgate\\Kelvox\\RTF");
}

TEST(DefaultFolders, InstalledProgramFindsItsDataInShare)
{
    PinnedPlatform pin(ThisPlatform());
    const fs::path root = fs::temp_directory_path() / ("kelvox-prefix-" + std::to_string(::getpid()));
    fs::create_directories(root / "bin");
    fs::create_directories(root / "share" / "kelvox");
    EXPECT_EQ(ProgramFolderFor((root / "bin").string(), "/home/ann"), (root / "share" / "kelvox").string() + "/");
    // Data beside the program wins, as in a build tree.
    fs::create_directories(root / "bin" / "PSF");
    EXPECT_EQ(ProgramFolderFor((root / "bin").string(), "/home/ann"), (root / "bin").string() + "/");
    fs::remove_all(root);
}

TEST(SettingsFile, WrittenAndReadBack)
{
    ProgramSettings s = Defaults();
    s.Paths.ClientFileFolder = "/srv/cases/Müller";
    s.Paths.ScreenFolder = "/opt/screens";
    s.WordProcessorName = "soffice";
    s.RecentFiles = {"/srv/cases/b.kvx", "/srv/cases/Zoë.kvx", "/srv/a.kvx"};
    std::ostringstream out;
    WriteINI(out, s);
    EXPECT_EQ(out.str(), Ini({"/srv/cases/M\xFCller", "/opt/kelvox/bin/RTF", "/opt/kelvox/bin/PTF", "/opt/screens",
                              "soffice", "3", "/srv/cases/b.kvx", "/srv/cases/Zo\xEB.kvx", "/srv/a.kvx"}));

    ProgramSettings back = Defaults();
    std::istringstream in(out.str());
    ReadINI(in, back);
    EXPECT_EQ(back.Paths.ClientFileFolder, s.Paths.ClientFileFolder);
    EXPECT_EQ(back.Paths.ScreenFolder, s.Paths.ScreenFolder);
    EXPECT_EQ(back.Paths.TemplateFolder, s.Paths.TemplateFolder);
    EXPECT_EQ(back.WordProcessorName, "soffice");
    EXPECT_EQ(back.RecentFiles, s.RecentFiles);
}

TEST(SettingsFile, ReaderKeepsDefaultsWhereTheFileSaysNothing)
{
    const ProgramSettings d = Defaults();
    std::vector<std::string> twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.push_back("/c/case" + std::to_string(i) + ".kvx");
    std::vector<std::string> fullLines = {"", "/t", "", "/s", "WINWORD.EXE", "12"};
    fullLines.insert(fullLines.end(), twelve.begin(), twelve.end());

    struct Case {
        const char *Name;
        std::string Text;
        bool Throws;
        std::string ClientFileFolder, TemplateFolder, PtfFolder, ScreenFolder, WordProcessorName;
        std::vector<std::string> RecentFiles;
    };
    const std::vector<Case> cases = {
        {"empty first and third lines, twelve recent files", Ini(fullLines), false, d.Paths.ClientFileFolder, "/t",
         d.Paths.PtfFolder, "/s", "WINWORD.EXE", twelve},
        {"empty file",
         "",
         false,
         d.Paths.ClientFileFolder,
         d.Paths.TemplateFolder,
         d.Paths.PtfFolder,
         d.Paths.ScreenFolder,
         "",
         {}},
        {"ends after line 2", Ini({"/c", "/t"}), false, "/c", "/t", d.Paths.PtfFolder, d.Paths.ScreenFolder, "", {}},
        {"line 5 empty", Ini({"/c", "/t", "/p", "/s", "", "0"}), false, "/c", "/t", "/p", "/s", "", {}},
        {"count beyond the end of the file",
         Ini({"/c", "/t", "/p", "/s", "w", "2000000000", "/x.kvx", "/y.kvx"}),
         false,
         "/c",
         "/t",
         "/p",
         "/s",
         "w",
         {"/x.kvx", "/y.kvx"}},
        {"negative count", Ini({"/c", "/t", "/p", "/s", "w", "-2", "/x.kvx"}), false, "/c", "/t", "/p", "/s", "w", {}},
        {"LF line ends", "/c\n/t\n/p\n/s\nw\n1\n/x.kvx\n", false, "/c", "/t", "/p", "/s", "w", {"/x.kvx"}},
        {"count not a number",
         Ini({"/c", "/t", "/p", "/s", "w", "nine", "/x.kvx"}),
         true,
         "/c",
         "/t",
         "/p",
         "/s",
         "w",
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        ProgramSettings s = Defaults();
        std::istringstream in(c.Text);
        if (c.Throws)
            EXPECT_THROW(ReadINI(in, s), FileError);
        else
            EXPECT_NO_THROW(ReadINI(in, s));
        EXPECT_EQ(s.Paths.ClientFileFolder, c.ClientFileFolder);
        EXPECT_EQ(s.Paths.TemplateFolder, c.TemplateFolder);
        EXPECT_EQ(s.Paths.PtfFolder, c.PtfFolder);
        EXPECT_EQ(s.Paths.ScreenFolder, c.ScreenFolder);
        EXPECT_EQ(s.WordProcessorName, c.WordProcessorName);
        EXPECT_EQ(s.RecentFiles, c.RecentFiles);
    }
}

TEST(SettingsFile, MissingFileIsAFileError)
{
    ProgramSettings s = Defaults();
    EXPECT_THROW(ReadINI("/nonexistent/kelvox.ini", s), FileError);
    EXPECT_EQ(s.Paths.ClientFileFolder, Defaults().Paths.ClientFileFolder);
}

TEST(PrepareFolders, FirstStartCreatesTheFoldersAndTheDefaultCase)
{
    const fs::path root = fs::temp_directory_path() / ("kelvox-first-" + std::to_string(::getpid()));
    fs::remove_all(root);
    Folders f = DefaultFolders(KELVOX_PROGRAM_DIR, root.string());
    ASSERT_EQ(f.ProgramFolder, std::string(KELVOX_PROGRAM_DIR) + "/");
    PrepareFolders(f);
    EXPECT_TRUE(fs::is_directory(f.SettingsFolder));
    const fs::path copied = fs::path(f.ClientFileFolder) / "default.kvx";
    auto bytes = [](const fs::path &p) {
        std::ifstream in(p, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    EXPECT_EQ(bytes(copied), bytes(fs::path(KELVOX_PROGRAM_DIR) / "default.kvx"));
    EXPECT_EQ(fs::status(f.ClientFileFolder).permissions() & fs::perms::all, fs::perms::owner_all);

    // A default case the user keeps is never replaced.
    std::ofstream(copied, std::ios::binary | std::ios::trunc) << "mine";
    PrepareFolders(f);
    EXPECT_EQ(bytes(copied), "mine");
    fs::remove_all(root);
}
