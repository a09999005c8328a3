#include "answers/Answers.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"
#include "output/PrtSend.h"
#include "output/RtfMerge.h"
#include "output/TextMeasurer.h"
#include "output/WorkFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <random>

using namespace kelvox;
namespace fs = std::filesystem;

namespace {

// Other builds on this machine run the same tests at the same time.
const std::string &RunId()
{
    static const std::string id = std::to_string(std::random_device{}());
    return id;
}

class NoMeasurer final : public TextMeasurer {
public:
    double TextWidth(const std::string &, const std::string &, double) const override { return 0; }
};

// A folder of its own per test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = fs::temp_directory_path() / ("kelvox_" + RunId() + "_" + info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    std::string str() const { return m_path.string(); }
    fs::path path() const { return m_path; }

private:
    fs::path m_path;
};

std::string ReadBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every template prints its own number and answer 1 of the page copy merged.
class Assembly : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24, 25, 26, 27, 28}) {
            std::ofstream(folder.path() / ("PAGE" + std::to_string(n) + ".RTF"), std::ios::binary)
                << "{\\rtf1{\\fonttbl{\\f0 Arial;}}\r\n\\v\\'b7\\v0 \\pard\\plain\\fs20 [T" << n
                << " /#1/]\\par\r\n}\r\n";
            std::ofstream(folder.path() / ("PAGE" + std::to_string(n) + ".DAT"), std::ios::binary)
                << "0 0 0 0 0 0 0\r\n";
        }
        for (int type = 0; type < kPageTypes; ++type)
            for (int copy = 0; copy < kCopies; ++copy)
                answers.Set(type, copy, 1, "P" + std::to_string(type) + "C" + std::to_string(copy));
    }

    FormSelection Ticked(std::initializer_list<const char *> keys)
    {
        FormSelection ticked{};
        for (const char *key : keys) {
            const int form = FindForm(key);
            EXPECT_GE(form, 0) << key;
            ticked[static_cast<size_t>(form)] = true;
        }
        return ticked;
    }

    // The "[T<template> P<type>C<copy>]" stamps of the document, in order.
    std::vector<std::string> Stamps(const FormSelection &ticked)
    {
        RtfMerge merge(answers, measurer, folder.str());
        EXPECT_TRUE(AssembleDocument(merge, ticked, answers, folder.str()));
        const std::string doc = merge.DocumentText();
        std::vector<std::string> stamps;
        const std::regex stamp(R"(\[(T\d+ P\d+C\d+)\])");
        for (auto it = std::sregex_iterator(doc.begin(), doc.end(), stamp); it != std::sregex_iterator(); ++it)
            stamps.push_back((*it)[1]);
        const std::size_t breaks = [&] {
            std::size_t n = 0;
            for (std::size_t p = doc.find("\\page "); p != std::string::npos; p = doc.find("\\page ", p + 1))
                ++n;
            return n;
        }();
        EXPECT_EQ(breaks + 1, stamps.size()) << "one page break between pages";
        return stamps;
    }

    TempFolder folder;
    TAnswer answers;
    NoMeasurer measurer;
    CollectingSink sink;
};

TEST_F(Assembly, NoticesOfHearingPerCopy)
{
    answers.NoOf18_2 = 3;
    EXPECT_EQ(Stamps(Ticked({"18.2"})),
              (std::vector<std::string>{"T4 P4C0", "T5 P5C0", "T4 P4C1", "T5 P5C1", "T4 P4C2", "T5 P5C2"}));
}

TEST_F(Assembly, AccountContinuationUsesItsOwnTemplate)
{
    answers.NoOf18_9 = 2;
    EXPECT_EQ(Stamps(Ticked({"18.1", "18.9"})),
              (std::vector<std::string>{"T3 P3C0", "T12 P12C0", "T14 P12C1", "T13 P13C0"}));
}

TEST_F(Assembly, WorksheetAlone)
{
    answers.NoOfWorksheet = 1;
    EXPECT_EQ(Stamps(Ticked({"ExpenseWorksheet"})), (std::vector<std::string>{"T24 P24C0"}));
}

TEST_F(Assembly, TableOrderWhateverTheTabs)
{
    answers.NoOf18_3 = 1;
    answers.NoOf18_4 = 2;
    EXPECT_EQ(Stamps(Ticked({"HEA2757", "19.2", "18.0", "GenInfo", "18.4", "18.3", "cbx19_01"})),
              (std::vector<std::string>{"T0 P0C0", "T1 P1C0", "T2 P2C0", "T23 P23C0", "T6 P6C0", "T7 P7C0", "T7 P7C1",
                                        "T16 P16C0", "T25 P25C0", "T26 P26C0", "T22 P22C0"}));
}

TEST_F(Assembly, EveryFormAndTheirCounts)
{
    answers.NoOf18_2 = 1;
    answers.NoOf18_3 = 1;
    answers.NoOf18_4 = 1;
    answers.NoOf18_9 = 1;
    answers.NoOfWorksheet = 2;
    FormSelection all;
    all.fill(true);
    std::vector<std::string> types;
    for (const std::string &s : Stamps(all))
        types.push_back(s.substr(0, s.find(' ')));
    EXPECT_EQ(types, (std::vector<std::string>{"T0",  "T1",  "T2",  "T23", "T3",  "T4",  "T5",  "T6",  "T7",
                                               "T8",  "T9",  "T10", "T11", "T12", "T13", "T15", "T16", "T17",
                                               "T25", "T26", "T27", "T20", "T21", "T22", "T24", "T24"}));
}

TEST_F(Assembly, FormsWithoutCopiesAddNoPagesAndNothingTickedMergesNothing)
{
    answers.NoOf18_2 = 0;
    EXPECT_TRUE(SelectedPages(Ticked({"18.2"}), answers).empty());
    answers.NoOf18_9 = 0;
    EXPECT_EQ(SelectedPages(Ticked({"18.9"}), answers), (std::vector<PageCopy>{{13, 0}}));
    answers.NoOfWorksheet = 99;
    EXPECT_EQ(SelectedPages(Ticked({"ExpenseWorksheet"}), answers).size(), static_cast<size_t>(kCopies));

    RtfMerge merge(answers, measurer, folder.str());
    EXPECT_FALSE(AssembleDocument(merge, FormSelection{}, answers, folder.str()));
    EXPECT_TRUE(merge.DocumentText().empty());
}

TEST(FormTable, KeysAndCaptions)
{
    EXPECT_EQ(FindForm("18.0"), 1);
    EXPECT_EQ(FindForm("hea2757"), 18);
    EXPECT_EQ(FindForm("cbx19_01"), 12);
    EXPECT_EQ(FindForm("19.01"), 12);
    EXPECT_EQ(FindForm("19"), -1);
    EXPECT_EQ(FindForm(""), -1);
    for (const FormEntry &form : FormTable())
        EXPECT_EQ(std::string(form.BoxName).rfind("cbx", 0), 0u) << form.BoxName;
}

TEST(WorkFile, NameDependsOnWhetherThePreviousOneIsFree)
{
    TempFolder folder;
    const fs::path plain = folder.path() / "send_temp.RTF";
    EXPECT_EQ(PrepareWorkFileName(folder.str()), plain.string());

    std::ofstream(plain) << "old";
    EXPECT_EQ(PrepareWorkFileName(folder.str()), plain.string());
    EXPECT_FALSE(fs::exists(plain)) << "the previous work file is removed";

    std::ofstream(plain) << "open in the word processor";
    std::ofstream(folder.path() / ".~lock.send_temp.RTF#") << "lock";
    EXPECT_EQ(PrepareWorkFileName(folder.str(), [] { return 417; }), (folder.path() / "send_temp417.rtf").string());
    EXPECT_TRUE(fs::exists(plain));
    const std::string numbered = PrepareWorkFileName(folder.str());
    EXPECT_TRUE(std::regex_match(fs::path(numbered).filename().string(), std::regex(R"(send_temp(\d{1,3})\.rtf)")))
        << numbered;
}

TEST(WorkFile, SavedAsAsciiWithCrLfForItsOwnerOnly)
{
    TempFolder folder;
    const fs::path file = folder.path() / "send_temp.RTF";
    SaveWorkFile(file.string(), "{\\rtf1\nline\r\nJos\xC3\xA9\rend}");
    EXPECT_EQ(ReadBytes(file), "{\\rtf1\r\nline\r\nJos??\r\nend}\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    // An older numbered file readable by others is narrowed before it is written.
    const fs::path old = folder.path() / "send_temp5.rtf";
    std::ofstream(old) << "old";
    fs::permissions(old, fs::perms::all);
    SaveWorkFile(old.string(), "x");
    EXPECT_EQ(fs::status(old).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes(old), "x\r\n");
}

TEST(WorkFile, UnwritableFolderIsReported)
{
    TempFolder folder;
    EXPECT_THROW(SaveWorkFile((folder.path() / "missing" / "send_temp.RTF").string(), "x"), std::runtime_error);
}

} // namespace
