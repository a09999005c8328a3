#include "files/PageZoom.h"
#include "files/RecentFiles.h"
#include "output/LaunchResults.h"

#include <gtest/gtest.h>

using namespace kelvox;

namespace {

std::vector<std::string> Paths(int count)
{
    std::vector<std::string> paths;
    for (int i = 1; i <= count; ++i)
        paths.push_back("/cases/case" + std::to_string(i) + ".kvx");
    return paths;
}

struct ExtensionCase {
    const char *name;
    const char *chosen;
    const char *saved;
    bool repaired;
};

class ExtensionRepair : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionRepair, KeepsKvxAndRepairsTheFileNamePartOnly)
{
    bool repaired = !GetParam().repaired;
    EXPECT_EQ(RepairClientFileExtension(GetParam().chosen, repaired), GetParam().saved);
    EXPECT_EQ(repaired, GetParam().repaired);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionRepair,
    testing::Values(ExtensionCase{"Kvx", "/a/smith.kvx", "/a/smith.kvx", false},
                    ExtensionCase{"UpperKvx", "/a/SMITH.KVX", "/a/SMITH.KVX", false},
                    ExtensionCase{"Txt", "/a/smith.txt", "/a/smith.kvx", true},
                    ExtensionCase{"TwoDots", "/a/smith.case.txt", "/a/smith.case.kvx", true},
                    ExtensionCase{"NoExtension", "/a/smith", "/a/smith.kvx", true},
                    ExtensionCase{"DotInFolder", "/home/j.doe/cases.2026/smith", "/home/j.doe/cases.2026/smith.kvx",
                                  true},
                    ExtensionCase{"DotInWindowsFolder", "C:\\My.Files\\smith", "C:\\My.Files\\smith.kvx", true},
                    ExtensionCase{"TrailingDot", "/a/smith.", "/a/smith.kvx", true},
                    ExtensionCase{"KvxAsFolder", "/a/b.kvx/smith", "/a/b.kvx/smith.kvx", true}),
    [](const testing::TestParamInfo<ExtensionCase> &info) { return std::string(info.param.name); });

TEST(UntitledTest, ComparesTheFileNamePartInAnyCase)
{
    EXPECT_TRUE(IsUntitled("Untitled.kvx"));
    EXPECT_TRUE(IsUntitled("/home/x/Kelvox/Files/UNTITLED.KVX"));
    EXPECT_TRUE(IsUntitled("C:\\Files\\untitled.kvx"));
    EXPECT_FALSE(IsUntitled("/home/x/Untitled.kvx.bak"));
    EXPECT_FALSE(IsUntitled("/home/Untitled.kvx/smith.kvx"));
    EXPECT_FALSE(IsUntitled("MyUntitled.kvx"));
}

TEST(RecentList, InsertsUnknownPathsAtTheTopOnly)
{
    std::vector<std::string> list{"/cases/b.kvx", "/cases/a.kvx"};
    EXPECT_TRUE(InsertRecentFile(list, "/cases/c.kvx"));
    EXPECT_EQ(list, (std::vector<std::string>{"/cases/c.kvx", "/cases/b.kvx", "/cases/a.kvx"}));

    // A listed path, in any letter case, keeps the order.
    EXPECT_FALSE(InsertRecentFile(list, "/CASES/A.kvx"));
    EXPECT_FALSE(InsertRecentFile(list, "/cases/b.kvx"));
    // An untitled name is never listed, whatever its folder.
    EXPECT_FALSE(InsertRecentFile(list, "/cases/untitled.KVX"));
    EXPECT_EQ(list, (std::vector<std::string>{"/cases/c.kvx", "/cases/b.kvx", "/cases/a.kvx"}));
}

TEST(RecentList, RefreshKeepsNineAndCaptionsFive)
{
    std::vector<std::string> list = Paths(11);
    const std::vector<std::string> captions = RefreshRecentFiles(list);
    EXPECT_EQ(list, Paths(9));
    EXPECT_EQ(captions, (std::vector<std::string>{"case1.kvx", "case2.kvx", "case3.kvx", "case4.kvx", "case5.kvx"}));

    std::vector<std::string> shortList{"C:\\Files\\smith.kvx", "/cases/jones.kvx"};
    EXPECT_EQ(RefreshRecentFiles(shortList), (std::vector<std::string>{"smith.kvx", "jones.kvx"}));
    std::vector<std::string> empty;
    EXPECT_TRUE(RefreshRecentFiles(empty).empty());
}

TEST(SaveAsSuggestion, IsTheCaseNameWithKvxAndNoFolders)
{
    EXPECT_EQ(SuggestedClientFileName("Smith adoption"), "Smith adoption.kvx");
    EXPECT_EQ(SuggestedClientFileName("Smith/Jones"), "Smith-Jones.kvx");
    EXPECT_EQ(SuggestedClientFileName("..\\..\\x"), "..-..-x.kvx");
    EXPECT_EQ(SuggestedClientFileName(""), ".kvx");
}

TEST(Zoom, PageHeightsAndLabel)
{
    EXPECT_EQ(ZoomPageHeight(-1), 2500);
    EXPECT_EQ(ZoomPageHeight(0), 2350);
    EXPECT_EQ(ZoomPageHeight(13), 3200);
    EXPECT_EQ(ZoomPageHeight(33), 850);
    EXPECT_EQ(ZoomPageHeight(55), 9600);
    EXPECT_EQ(ZoomPageHeight(10), 2500);
    EXPECT_DOUBLE_EQ(ZoomedPageHeight(33, 0.5), 467.5);
    EXPECT_DOUBLE_EQ(ZoomedPageHeight(1, 0.0), 0.0);

    EXPECT_EQ(ZoomLabel(1.0), "100%");
    EXPECT_EQ(ZoomLabel(0.0), "0%");
    EXPECT_EQ(ZoomLabel(2.0), "200%");
    EXPECT_EQ(ZoomLabel(0.374), "37%");
    EXPECT_EQ(ZoomLabel(0.125), "12%"); // 12.5 rounds to even
    EXPECT_EQ(ZoomLabel(0.135), "14%"); // 13.5 rounds to even
}

TEST(LaunchFailures, TextsByResult)
{
    EXPECT_EQ(LaunchFailureText(kLaunchFileNotFound), "The specified file was not found.");
    EXPECT_EQ(LaunchFailureText(kLaunchNoAssociation),
              "There is no application associated with the given filename extension.");
    EXPECT_EQ(LaunchFailureText(kLaunchAccessDenied), "The operating system denied access to the specified file.");
    EXPECT_EQ(LaunchFailureText(32), "The specified dynamic-link library was not found.");
    for (int silent : {0, 1, 4, 33, 42})
        EXPECT_EQ(LaunchFailureText(silent), "") << silent;
}

} // namespace
