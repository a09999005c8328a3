#include "messages/CollectingSink.h"
#include "messages/Messages.h"

#include <gtest/gtest.h>

using namespace kelvox;

namespace {

struct CompositionCase {
    const char *name;
    std::uint16_t code;
    const char *callerText;
    const char *first;
    const char *second;
};

const char *const kInstr2 = "You can probably click OK and continue. If this error persists, restart Kelvox. If this "
                            "is a date-related error, find the page and field and fix it. ";

const CompositionCase kCases[] = {
    {"code0", 0, "", "Unidentified error -  0", ""},
    {"code1154_is_message115", 1154, "", "Unidentified error -  115",
     "Possible disk access error. It may be necessary to reinstall Kelvox. "},
    {"code21192_appends_text", 21192, "abc",
     "2119-Str2Float_0. An error occurred while Kelvox was attempting to convert this text to a real number: abc",
     kInstr2},
    {"code14020_ignores_text", 14020, "Components2Answers", "1402-Form create error in multiple. ", ""},
    {"code33020_empty_text", 33020, "", "3302-An error occurred when Kelvox attempted to open the file: ", ""},
    {"code11063_blank_before_hyphen", 11063, "",
     "1106 -An error occurred while attempting to View a continuation page. ",
     "Possible memory error. Close any other programs. "},
    {"code11070_form_name", 11070, "Form 18.2", "1107-Error in New Form routine - Form 18.2", ""},
    {"code21220_middle_text", 21220, "soon",
     "2122-ConvertDate. An error occurred while Kelvox was attempting to convert this text to a date: soon. When "
     "entering dates use the MM/DD/YYYY format.",
     ""},
    {"code12020_text_in_middle", 12020, "x1", "1202-Unable to convert the text - x1 - to a number. Str2Float_2. ", ""},
    {"code17010_uncatalogued", 17010, "", "Unidentified error -  1701", ""},
    {"code18012", 18012, "", "Unidentified error -  1801", kInstr2},
    {"placeholder1100", 11000, "", "1100-Error messages go here", ""},
    {"placeholder1400_dot", 14000, "", "1400-Error messages go here. ", ""},
    {"placeholder2000_dot", 20000, "", "2000-Error messages go here. ", ""},
    {"head1200", 12000, "", "1200-Error in Margins", ""},
    {"head1300", 13000, "", "1300-ErrorMessage. ", ""},
    {"head1500", 15000, "", "1500-Reserved.", ""},
    {"code9999", 9999, "", "Unidentified error -  999",
     "You must reduce the amount of text sent to the form referred to above. "},
    {"code65530", 65530, "", "Unidentified error -  6553", ""},
    {"code65535", 65535, "", "Unidentified error -  6553",
     "An error occurred during a printing operation. Make sure your printer is ready. "},
};

class Composition : public ::testing::TestWithParam<CompositionCase> {};

TEST_P(Composition, ComposesBothTexts)
{
    const CompositionCase &c = GetParam();
    const ComposedMessage m = ComposeMessage(c.code, c.callerText);
    EXPECT_EQ(m.First, c.first);
    EXPECT_EQ(m.Second, c.second);
}

INSTANTIATE_TEST_SUITE_P(Codes, Composition, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Catalogue, EveryListedNumberIsCatalogued)
{
    const int listed[] = {1100, 1101, 1106, 1107, 1126, 1129, 1155, 1200, 1202, 1210, 1211, 1300, 1308, 1309,
                          1314, 1321, 1323, 1327, 1400, 1401, 1402, 1403, 1404, 1405, 1500, 1501, 1503, 1600,
                          1601, 1700, 1800, 1802, 1803, 1804, 1805, 1900, 2000, 2100, 2101, 2102, 2106, 2107,
                          2108, 2109, 2110, 2111, 2112, 2113, 2114, 2115, 2116, 2117, 2118, 2119, 2120, 2121,
                          2122, 2123, 2124, 2125, 2126, 2127, 2134, 2139, 2200, 2300, 2305, 2400, 2500, 2600,
                          2700, 2800, 2900, 2901, 3000, 3100, 3200, 3300, 3301, 3302, 3305, 3400, 3500, 3600,
                          3700, 3800};
    std::string text;
    for (const int n : listed) {
        ASSERT_TRUE(CatalogueText(n, "", text)) << n;
        EXPECT_EQ(text.substr(0, 4), std::to_string(n)) << n;
    }
    for (const int n : {1134, 1145, 1153, 1186, 1701, 1801, 2912, 1102, 3303})
        EXPECT_FALSE(CatalogueText(n, "", text)) << n;
}

TEST(ErrorMessage, ReachesTheInstalledSinkAndNothingWithout)
{
    {
        CollectingSink sink;
        ErrorMessage(21202, "abc");
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].Code, 21202);
        EXPECT_EQ(sink.Messages()[0].CallerText, "abc");
        EXPECT_EQ(sink.Messages()[0].Texts.Second, kInstr2);
    }
    ErrorMessage(21202, "dropped"); // no sink: no crash
}

} // namespace
