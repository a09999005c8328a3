#include "answers/Answers.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"
#include "output/RtfMerge.h"
#include "output/TextMeasurer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <random>

using namespace kelvox;

namespace {

// Other builds on this machine run the same tests at the same time.
const std::string &RunId()
{
    static const std::string id = std::to_string(std::random_device{}());
    return id;
}

const std::string kRtfDir = std::string(KELVOX_TEST_DATA_DIR) + "/rtf";

// Every character is half the point size wide.
class HalfEmMeasurer final : public TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &, double pointSize) const override
    {
        return static_cast<double>(Utf8ToCodePoints(utf8).size()) * pointSize * 0.5;
    }
};

const std::string kFontTable = "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f2\\fnil\\fcharset2 Wingdings;}}";

class Merge : public ::testing::Test {
protected:
    void SetUp() override { SetPlatform(WindowsPlatform()); }
    void TearDown() override { SetPlatform(ThisPlatform()); }

    // Merges a body at 10 points (size word 20) on a page and gives back the body.
    std::string MergeBody(int pageType, const std::string &body, int copy = 0)
    {
        const std::string head = kFontTable + "\\fs20 ";
        const std::string tail = " end}";
        merge.SetPageText(head + body + tail);
        merge.TransferAnswers(pageType, copy, widths);
        const std::string &t = merge.PageText();
        EXPECT_EQ(t.substr(0, head.size()), head);
        EXPECT_GE(t.size(), head.size() + tail.size());
        return t.substr(head.size(), t.size() - head.size() - tail.size());
    }

    TAnswer answers;
    HalfEmMeasurer measurer;
    RtfMerge merge{answers, measurer, kRtfDir};
    std::vector<double> widths = std::vector<double>(10, 3.0);
    CollectingSink sink;
};

struct MarkerCase {
    const char *name;
    int pageType;
    const char *body;
    const char *answer; // answer 3 of the page
    bool overridden;
    const char *printed;
};

class Markers : public Merge, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(Markers, PrintAnswer)
{
    const MarkerCase &c = GetParam();
    answers.Set(c.pageType, 0, 3, c.answer);
    answers.SetOvRide(c.pageType, 0, 3, c.overridden);
    EXPECT_EQ(MergeBody(c.pageType, c.body), c.printed);
    EXPECT_TRUE(sink.Codes().empty());
}

// Check boxes print as ballot boxes, size 12 points, then the size and font of
// the body come back.
const MarkerCase kMarkerCases[] = {
    {"Text", 3, "Name: /#3/", "Jane Doe", false, "Name: Jane Doe"},
    {"TextPlus", 3, "/+3/", "Jane Doe", false, "Jane Doe"},
    {"TextOverridden", 3, "/#3/", "Jane Doe", true, "\\cf1 Jane Doe\\cf0 "},
    {"AmountEmpty", 3, "/$3/", "", false, "        0.00"},
    {"AmountEmptyOnAccountPage", 12, "/$3/", "", false, ""},
    {"AmountEmptyOnWorksheetPage", 24, "/$3/", "", false, ""},
    {"AmountWithSigns", 3, "/$3/", "$1,234.5", false, "    1,234.50"},
    {"AmountOverridden", 3, "/$3/", "7", true, "\\cf1         7.00\\cf0 "},
    {"WholeNumber", 3, "/@3/", "12345.6", false, "  12,346"},
    {"WholeNumberOverriddenIsUnmarked", 3, "/@3/", "12345.6", true, "  12,346"},
    {"Percentage", 3, "/%3/", "0.0625", false, "6.250%"},
    {"PercentageHalf", 3, "/%3/", "0.5", false, "50.000%"},
    {"PercentageEmpty", 3, "/%3/", "", false, ""},
    {"LongDate", 3, "/^3/", "1/5/2020", false, "January 5, 2020"},
    {"LongDateNotADate", 3, "/^3/", "soon", false, "soon"},
    {"CheckBoxTicked", 3, "/&3/", "X", false, "\\fs24 \\u9746?\\fs20\\f0 "},
    {"CheckBoxLowerCase", 3, "/&3/", "x", false, "\\fs24 \\u9744?\\fs20\\f0 "},
    {"CheckBoxYes", 3, "/&3/", "Yes", false, "\\fs24 \\u9744?\\fs20\\f0 "},
    {"CheckBoxEmpty", 3, "/&3/", "", false, "\\fs24 \\u9744?\\fs20\\f0 "},
    {"CheckBoxOverriddenIsUnmarked", 3, "/&3/", "X", true, "\\fs24 \\u9746?\\fs20\\f0 "},
    {"CheckBoxAdultPetitionRestoresFont4", 15, "/&3/", "X", false, "\\fs24 \\u9746?\\fs20\\f4 "},
    {"CheckBoxAdultEntryRestoresFont4", 16, "/&3/", "", false, "\\fs24 \\u9744?\\fs20\\f4 "},
    {"FittedAtCurrentSize", 3, "/*3/", "Jane", false, "\\fs20 Jane\\fs20 "},
    {"FittedOverridden", 3, "/*3/", "Jane", true, "\\cf1 \\fs20 Jane\\fs20 \\cf0 "},
    {"FittedLessThan", 3, "/<3/", "Jane", false, "\\fs20 Jane\\fs20 "},
    {"Bracketed", 3, "[/#3/]", "a", false, "[a]"},
    {"AmpersandInAnswerIsText", 3, "/#3/", "A&B", false, "A&B"},
    {"VariableInAnswerIsNotScanned", 3, "/#3/ /#4/", "/#4/", false, "/#4/ "},
    {"SlashesThatAreNoVariable", 3, "and/or 1/2 /x3/ /#a/ /#3", "z", false, "and/or 1/2 /x3/ /#a/ /#3"},
    {"Accents", 3, "/#3/", "Jos\xC3\xA9 Mu\xC3\xB1oz", false, "Jos\\u233? Mu\\u241?oz"},
    {"NonLatinAndAstral", 3, "/#3/", "\xE2\x98\x83\xF0\x9F\x98\x80", false, "\\u9731?\\u-10179?\\u-8704?"},
    {"AboveSignedRangeIsNegative", 3, "/#3/", "\xEF\xBC\xA1", false, "\\u-223?"},
    {"InjectionPrintsAsText", 3, "/#3/", "{\\field{\\*\\fldinst HYPERLINK x}}", false,
     "\\{\\\\field\\{\\\\*\\\\fldinst HYPERLINK x\\}\\}"},
    {"ControlWordsPrintAsText", 3, "/#3/", "a\\par b\\b0 } {", false, "a\\\\par b\\\\b0 \\} \\{"},
    {"FittedIsEscaped", 3, "/*3/", "a}b", false, "\\fs20 a\\}b\\fs20 "},
    {"DateIsEscaped", 3, "/^3/", "{x}", false, "\\{x\\}"},
    {"MultiLineKeepsSeparators", 3, "/#3/", "12 Elm St | Akron", false, "12 Elm St | Akron"},
};

INSTANTIATE_TEST_SUITE_P(TransferAnswers, Markers, ::testing::ValuesIn(kMarkerCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Merge, LineBreaksInsideVariablesAreIgnored)
{
    answers.Set(12, 0, 123, "deep");
    answers.Set(3, 0, 3, "Jane");
    EXPECT_EQ(MergeBody(3, "/#\r\n3/ /\r\n#3/ /#3\n/"), "Jane Jane Jane");
    EXPECT_EQ(MergeBody(12, "/#1\r\n2\r\n3\r\n/"), "deep");
}

TEST_F(Merge, AnswersComeFromThePageCopy)
{
    answers.Set(4, 2, 7, "third notice");
    EXPECT_EQ(MergeBody(4, "/#7/", 2), "third notice");
}

TEST_F(Merge, FieldBeyondThePageStopsTheMerge)
{
    EXPECT_THROW(MergeBody(3, "/#101/"), std::runtime_error);
    answers.Set(12, 0, 200, "last");
    EXPECT_EQ(MergeBody(12, "/#200/"), "last");
    EXPECT_THROW(MergeBody(12, "/#201/"), std::runtime_error);
    answers.Set(24, 0, 300, "w");
    EXPECT_EQ(MergeBody(24, "/#300/"), "w");
}

TEST_F(Merge, FittingUsesTheFieldWidthAndTheSizeInEffect)
{
    answers.Set(3, 0, 1, "ABCDEFGHIJ"); // 50 px at 10 points
    widths = {0.0, 0.5};                // 48 px: fits at 7 points
    EXPECT_EQ(MergeBody(3, "/*1/"), "\\fs14 ABCDEFGHIJ\\fs20 ");
    widths = {0.0, 0.01};
    EXPECT_EQ(MergeBody(3, "/*1/"), "REDUCE TEXT\\fs20 ");
    widths = {};
    EXPECT_EQ(MergeBody(3, "/*1/"), "ABCDEFGHIJ\\fs20 ");
    widths = {0.0, 3.0};
    EXPECT_EQ(MergeBody(3, "\\fs28 /*1/"), "\\fs28 \\fs28 ABCDEFGHIJ\\fs28 ");
    EXPECT_EQ(merge.CurrentFontSize(), 28);
}

TEST_F(Merge, WingdingsCheckBoxesWhereTheFontIsReliable)
{
    merge.UseWingdings = true;
    answers.Set(3, 0, 1, "X");
    EXPECT_EQ(MergeBody(3, "/&1/ /&2/"), "\\f2 \\fs24 x\\fs20\\f0  \\f2 \\fs24 o\\fs20\\f0 ");
    merge.SetPageText("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\fs20 box: /&1/ end}");
    merge.TransferAnswers(3, 0, widths);
    EXPECT_EQ(merge.PageText(), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\fs20 box: \\fs24 \\u9746?\\fs20\\f0  end}")
        << "without a Wingdings font the ballot box is printed, never the letter";
}

struct FontTableCase {
    const char *name;
    const char *text;
    const char *selector;
};

class WingdingsFont : public Merge, public ::testing::WithParamInterface<FontTableCase> {};

TEST_P(WingdingsFont, Selector)
{
    merge.SetPageText(GetParam().text);
    EXPECT_EQ(merge.FindWingdingsFont(), GetParam().selector);
}

const FontTableCase kFontTables[] = {
    {"Second", "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f2\\fnil\\fcharset2 Wingdings;}}body}", "\\f2 "},
    {"ThreeDigits", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f123 Wingdings;}}body}", "\\f123 "},
    {"EntryCaseIgnored", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f7 WINGDINGS 2;}}Wingdings body}", "\\f7 "},
    {"WordThemeFontsFirst",
     "{\\rtf1{\\fonttbl{\\flomajor\\f31500\\froman Times;}{\\f0 Arial;}{\\f38\\fnil\\fcharset2 Wingdings;}}x}",
     "\\f38 "},
    {"NoWingdings", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}body text here}", ""},
    {"NameOnlyInBody", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}Wingdings in the body}", ""},
    {"NameCaseSensitiveGate", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 wingdings;}}body text}", ""},
    {"NoFontTable", "{\\rtf1 Wingdings \\f1 Wingdings;}", ""},
};

INSTANTIATE_TEST_SUITE_P(FindWingdingsFont, WingdingsFont, ::testing::ValuesIn(kFontTables),
                         [](const auto &info) { return std::string(info.param.name); });

struct NumberCase {
    const char *name;
    const char *text;
    std::size_t position;
    int value;
    std::vector<std::uint16_t> codes;
};

class NumbersInText : public Merge, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumbersInText, Read)
{
    merge.SetPageText(GetParam().text);
    EXPECT_EQ(merge.GetNumFromText(GetParam().position), GetParam().value);
    EXPECT_EQ(sink.Codes(), GetParam().codes);
}

const NumberCase kNumbers[] = {
    {"BlankEnds", "\\fs24 text}", 3, 24, {}},
    {"BackslashEnds", "\\fs18\\b bold}", 3, 18, {}},
    {"BraceEnds", "\\fs22}more text", 3, 22, {}},
    {"LineBreakEnds", "\\fs16\r\nmore}", 3, 16, {}},
    {"LetterAfterDigits", "\\fs24x5 text}", 3, 24, {21060, 21060}},
    {"NearTheEnd", "\\fs24}", 3, -1, {21070}},
    {"RunsToTheEnd", "ab\\fs24681", 5, 24681, {}},
};

INSTANTIATE_TEST_SUITE_P(GetNumFromText, NumbersInText, ::testing::ValuesIn(kNumbers),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Merge, FontSizeIsTrackedAcrossTheScanAndKeptBetweenPages)
{
    answers.Set(3, 0, 1, "X");
    merge.SetPageText(kFontTable + "\\fs20 a \\fs32 /&1/ b\\fs18 tail text}");
    merge.TransferAnswers(3, 0, widths);
    EXPECT_NE(merge.PageText().find("\\fs24 \\u9746?\\fs32\\f0 "), std::string::npos);
    EXPECT_EQ(merge.CurrentFontSize(), 18);
    merge.SetPageText(kFontTable + "no size here /&1/ more text}");
    merge.TransferAnswers(3, 0, widths);
    EXPECT_NE(merge.PageText().find("\\fs24 \\u9746?\\fs18\\f0 "), std::string::npos);
}

// The fixture page: a line-broken amount, a check box, a field whose width is
// a multiple (kind 4), a too narrow one, and one beyond the page data file.
TEST_F(Merge, TransferDocumentReadsWidthsFromThePageDataFile)
{
    answers.Set(3, 0, 3, "Jane Doe");
    answers.Set(3, 0, 12, "1500");
    answers.Set(3, 0, 5, "X");
    answers.Set(3, 0, 6, "ABCDEFGHIJ");
    answers.Set(3, 0, 7, "A long text for a narrow field");
    answers.Set(3, 0, 20, "Never measured at all, however long it is");
    merge.LoadIntoWorkList(kRtfDir + "/PAGE3.RTF");
    merge.TransferDocument(3, 0);
    const std::string text = merge.WorkListText();
    EXPECT_NE(text.find("Name: \\cf2 Jane Doe\\cf0 \\par"), std::string::npos);
    EXPECT_NE(text.find("Fee: \\cf2     1,500.00\\cf0 \\par"), std::string::npos);
    EXPECT_NE(text.find("Sworn: \\cf2\\fs10 \\fs24 \\u9746?\\fs10\\f0 \\cf0\\fs20 \\par"), std::string::npos);
    EXPECT_NE(text.find("Doubled: \\cf2 \\fs20 ABCDEFGHIJ\\fs20 \\cf0"), std::string::npos) << text;
    EXPECT_NE(text.find("Narrow: \\cf2 REDUCE TEXT\\fs20 \\cf0"), std::string::npos);
    EXPECT_NE(text.find("Unmeasured: \\cf2 Never measured at all, however long it is\\fs20 \\cf0"), std::string::npos);
    EXPECT_EQ(text.find('/'), std::string::npos);
    EXPECT_TRUE(sink.Codes().empty());
}

TEST_F(Merge, UnreadablePageDataLeavesThePageUnmerged)
{
    RtfMerge bad(answers, measurer, kRtfDir + "/baddat");
    answers.Set(3, 0, 3, "Jane Doe");
    bad.LoadIntoWorkList(kRtfDir + "/baddat/PAGE3.RTF");
    const std::string loaded = bad.WorkListText();
    bad.TransferDocument(3, 0);
    EXPECT_EQ(sink.Codes(), std::vector<std::uint16_t>{21011});
    EXPECT_EQ(bad.WorkListText(), loaded);
    EXPECT_NE(loaded.find("/#3/"), std::string::npos);
}

struct DatCase {
    const char *name;
    const char *content;
    bool readable;
    std::vector<double> widths;
};

class PageData : public ::testing::TestWithParam<DatCase> {};

TEST_P(PageData, Widths)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kelvox_page_" + RunId() + "_" + GetParam().name + ".dat")).string();
    std::ofstream(path, std::ios::binary) << GetParam().content;
    CollectingSink sink;
    std::vector<double> widths{9.9};
    EXPECT_EQ(ReadFieldWidths(path, widths), GetParam().readable);
    EXPECT_EQ(widths, GetParam().widths);
    EXPECT_EQ(sink.Codes().size(), GetParam().readable ? 0u : 1u);
    std::filesystem::remove(path);
}

const DatCase kDatCases[] = {
    {"KindFourMultiplies", "0 4 0 0 2 1.5 0\r\n1 1 0 0 2 1.5 0\r\n", true, {3.0, 1.5}},
    {"RestOfLineSkipped", "0 1 0 0.0 1 2.25 0 trailing words\n", true, {2.25}},
    {"TrailingEmptyLines", "0 1 0 0 1 1 0\r\n\r\n  \r\n", true, {1.0}},
    {"Empty", "", true, {}},
    {"LetterInPlaceOfNumber", "0 1 0 0 1 1 0\r\n0 1 0 0 1 x 0\r\n", false, {}},
    {"RealWhereIntegerIsRead", "0 1.5 0 0 1 1 0\n", false, {}},
    {"TooFewNumbers", "0 1 0 0 1 1\n", false, {}},
    {"CommaDecimal", "0 1 0 0 1 1,5 0\n", false, {}},
    {"BlankLineBetween", "0 1 0 0 1 1 0\n\n1 1 0 0 1 1 0\n", false, {}},
};

INSTANTIATE_TEST_SUITE_P(ReadFieldWidths, PageData, ::testing::ValuesIn(kDatCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Merge, MissingFilesStopTheAssembly)
{
    RtfMerge noData(answers, measurer, kRtfDir + "/nowhere");
    EXPECT_THROW(noData.StartDocument(kRtfDir, 3), std::runtime_error);
    EXPECT_THROW(merge.StartDocument(kRtfDir, 5), std::runtime_error);
    EXPECT_THROW(merge.AppendPage(5, 0, kRtfDir), std::runtime_error);
}

TEST_F(Merge, AppendedPagesShareTheFirstHeaderAndOneClosingBrace)
{
    answers.Set(12, 0, 150, "first");
    answers.Set(12, 2, 150, "third");
    answers.Set(14, 2, 150, "never printed");
    merge.StartDocument(kRtfDir, 12); // "Page12.rtf": the upper-case file serves
    merge.AppendPage(12, 2, kRtfDir);
    merge.AppendPage(3, 0, kRtfDir);
    const std::string doc = merge.DocumentText();
    EXPECT_EQ(doc.rfind("{\\rtf1", std::string::npos), 0u) << "one header only";
    EXPECT_EQ(doc.find("\\'b7"), doc.rfind("\\'b7"));
    const std::size_t first = doc.find("ACCOUNT FIRST PAGE first of \\par");
    const std::size_t cont = doc.find("\\page \\v0 \\pard\\plain\\f0\\fs20 ACCOUNT CONTINUED third of \\par");
    const std::size_t form = doc.find("\\page \\v0 \\pard\\plain\\f0\\fs20 Name:");
    ASSERT_NE(first, std::string::npos) << doc;
    ASSERT_NE(cont, std::string::npos) << doc;
    ASSERT_NE(form, std::string::npos) << doc;
    EXPECT_LT(first, cont);
    EXPECT_LT(cont, form);
    EXPECT_EQ(doc.substr(doc.size() - 7), "\\par\r\n}");
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] == '\\') {
            ++i;
            continue;
        }
        depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        ASSERT_TRUE(depth > 0 || i == doc.size() - 1) << "group closed early at " << i;
    }
    EXPECT_EQ(depth, 0);
}

TEST_F(Merge, TemplateWithoutBodyMarkerIsRefused)
{
    merge.SetPageText("{\\rtf1 no marker}");
    EXPECT_THROW(merge.StripTemplateHeader(), std::runtime_error);
    merge.SetPageText("{\\rtf1{\\fonttbl}\\'b7 body \\'b7 x}");
    merge.StripTemplateHeader();
    EXPECT_EQ(merge.PageText(), " body \\'b7 x}");
}

TEST(WorkList, TextRoundTripsLines)
{
    TAnswer answers;
    HalfEmMeasurer measurer;
    RtfMerge merge(answers, measurer, ".");
    merge.SetWorkListText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(merge.WorkList(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(merge.WorkListText(), "a\r\nb\r\nc\r\nd\r\n");
}

} // namespace
