#include "messages/CollectingSink.h"
#include "misc/Misc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace kelvox;

namespace {

// Pins today and the platform for every conversion test.
class Conversions : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTodayForTests(EncodeDate(2026, 12, 11));
        SetPlatform(WindowsPlatform());
    }
    void TearDown() override
    {
        SetTodayForTests(0);
        SetPlatform(ThisPlatform());
    }
    CollectingSink sink;
};

struct NumberCase {
    const char *name;
    std::function<double(std::string)> routine;
    const char *text;
    double expected;
    int code; // 0: no message
    const char *callerText;
};

class NumberRoutines : public Conversions, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberRoutines, ConvertOrReport)
{
    const NumberCase &c = GetParam();
    EXPECT_DOUBLE_EQ(c.routine(c.text), c.expected);
    if (c.code == 0) {
        EXPECT_TRUE(sink.Messages().empty());
    } else {
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].Code, c.code);
        EXPECT_EQ(sink.Messages()[0].CallerText, c.callerText);
    }
}

const auto P = [](std::string t) { return Str2Float_P(std::move(t)); };
const auto F2 = [](std::string t) { return Str2Float_2(std::move(t)); };
const auto F0 = [](std::string t) { return Str2Float_0(std::move(t)); };
const auto I = [](std::string t) { return static_cast<double>(Str2Int(std::move(t))); };

const NumberCase kNumbers[] = {
    {"f2_dollars_rounded", F2, "$1,234.567", 1234.57, 0, ""},
    {"f2_empty", F2, "", 0, 0, ""},
    {"f2_letters", F2, "abc", 0, 21202, "abc"},
    {"f2_parentheses_negative", F2, "(12.50)", -12.5, 0, ""},
    {"f2_half_cent_up", F2, "0.125", 0.13, 0, ""},
    {"f2_decimal_digits_not_binary", F2, "2.675", 2.68, 0, ""},
    {"f2_negative_half", F2, "-0.125", -0.13, 0, ""},
    {"f2_two_points", F2, "1.2.3", 0, 21202, "1.2.3"},
    {"f2_hyphenated", F2, "12-34", -1234, 0, ""},
    {"f2_stripped_text_reported", F2, "$1x", 0, 21202, "1x"},
    {"p_percent", P, "7.5%", 7.5, 0, ""},
    {"p_not_rounded", P, "1.23456", 1.23456, 0, ""},
    {"p_two_points", P, "1.2.3", 0, 21182, ""},
    {"p_exponent", P, "1e3", 1000, 0, ""},
    {"p_lone_sign", P, "-", 0, 21182, ""},
    {"f0_half_up", F0, "2.5", 3, 0, ""},
    {"f0_half_down_negative", F0, "-2.5", -3, 0, ""},
    {"f0_two_points", F0, "1.2.3", 0, 21192, ""},
    {"int_thousands", I, "1,000", 1000, 0, ""},
    {"int_fraction_fails", I, "12.5", 0, 21212, ""},
    {"int_empty", I, "", 0, 0, ""},
    {"int_overflow_fails", I, "99999999999", 0, 21212, ""},
    {"int_two_points", I, "1.2.3", 0, 21212, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, NumberRoutines, ::testing::ValuesIn(kNumbers),
                         [](const auto &info) { return std::string(info.param.name); });

// The amounts the worksheet and the forms hold, read as the round trip through
// FormatFixed reads them: to the bit, the sign of a zero too.
TEST_F(Conversions, Str2Float2MatchesTheRoundTrip)
{
    const auto roundTrip = [](const std::string &text) {
        double value = 0;
        const std::string stripped = RemoveCommasAndSigns(text.empty() ? "0.00" : text);
        if (!TryStrToFloat(stripped, value) || !TryStrToFloat(FormatFixed(value, 14, 2, false), value))
            return std::numeric_limits<double>::quiet_NaN();
        return value;
    };
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "-0.00",
                                      "0.005",
                                      "999999999999999",
                                      "1.",
                                      ".5",
                                      "-.25",
                                      "1234567890123.45",
                                      "12345678901234.56",
                                      "0.125",
                                      "2.675",
                                      "1,234.5",
                                      "(0.10)",
                                      "000000000000000001.10"};
    std::mt19937 random(12);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        for (int d = 1 + static_cast<int>(random() % 17); d > 0; --d)
            text += static_cast<char>('0' + random() % 10);
        if (const int decimals = static_cast<int>(random() % 5); decimals > 0) {
            text += '.';
            for (int d = decimals - 1; d > 0; --d)
                text += static_cast<char>('0' + random() % 10);
        }
        texts.push_back(text);
    }
    for (const char separator : {'.', ','}) {
        RegionalSettings regional = Regional();
        regional.DecimalSeparator = separator;
        SetRegional(regional);
        for (std::string text : texts) {
            if (separator != '.')
                std::replace(text.begin(), text.end(), '.', separator);
            const double expected = roundTrip(text);
            const double read = Str2Float_2(text);
            if (std::isnan(expected)) {
                EXPECT_EQ(read, 0) << text;
                continue;
            }
            EXPECT_EQ(read, expected) << text;
            EXPECT_EQ(std::signbit(read), std::signbit(expected)) << text;
        }
        sink.Clear();
    }
    SetRegional(RegionalSettings());
}

TEST_F(Conversions, RemoveCommasAndSigns)
{
    EXPECT_EQ(RemoveCommasAndSigns("$1,234.50"), "1234.50");
    EXPECT_EQ(RemoveCommasAndSigns("(1,234)"), "-1234");
    EXPECT_EQ(RemoveCommasAndSigns("15%"), "15");
    EXPECT_EQ(RemoveCommasAndSigns("12-34"), "-1234");
    EXPECT_EQ(RemoveCommasAndSigns(""), "");
    EXPECT_EQ(RemoveCommasAndSigns("a.b"), "a.b");
}

TEST_F(Conversions, Float2Dollar)
{
    EXPECT_EQ(Float2Dollar(0), "0.00");
    EXPECT_EQ(Float2Dollar(1234.5), "1,234.50");
    EXPECT_EQ(Float2Dollar(-1234.5), "-1,234.50");
    EXPECT_EQ(Float2Dollar(1234567.891), "1,234,567.89");
    EXPECT_EQ(Float2Dollar(999.995), "1,000.00");
    EXPECT_EQ(Float2Dollar(-0.001), "0.00");
    EXPECT_EQ(FormatFixed(5, 14, 2, false), "          5.00");
    EXPECT_EQ(FormatFixed(1234567, 12, 2, true), "1,234,567.00");
}

struct DateCase {
    const char *name;
    const char *text;
    const char *converted; // ConvertDate
    int year, month, day;  // Str2Date; 0 = day 0
    std::vector<std::uint16_t> codes;
};

class Dates : public Conversions, public ::testing::WithParamInterface<DateCase> {};

TEST_P(Dates, ConvertAndParse)
{
    const DateCase &c = GetParam();
    EXPECT_EQ(ConvertDate(c.text), c.converted);
    sink.Clear();
    const double expected = c.year == 0 ? 0 : EncodeDate(c.year, c.month, c.day);
    EXPECT_DOUBLE_EQ(Str2Date(c.text), expected);
    EXPECT_EQ(sink.Codes(), c.codes);
}

const DateCase kDates[] = {
    {"short_unchanged", "1/5/2020", "1/5/2020", 2020, 1, 5, {}},
    {"long_words", "January 5, 2020", "1/5/2020", 2020, 1, 5, {}},
    {"abbreviation", "Sep 30, 1999", "9/30/1999", 1999, 9, 30, {}},
    {"abbrev_dec", "Dec 25, 2019", "12/25/2019", 2019, 12, 25, {}},
    {"empty", "", "", 0, 0, 0, {}},
    {"no_month", "soon", "12/11/2026", 2026, 12, 11, {21220}},
    {"lowercase_month_is_no_month", "june 5, 2020", "12/11/2026", 2026, 12, 11, {21220}},
    {"other_layout", "5 January 2020", "5 January 2020", 2026, 12, 11, {21340}},
    {"invalid_day", "2/30/2020", "12/11/2026", 2026, 12, 11, {21220}},
    {"two_digit_year", "7/4/76", "7/4/76", 1976, 7, 4, {}},
    {"two_digit_year_recent", "7/4/20", "7/4/20", 2020, 7, 4, {}},
    {"no_year", "3/15", "3/15", 2026, 3, 15, {}},
    {"leap_day", "2/29/2024", "2/29/2024", 2024, 2, 29, {}},
};

INSTANTIATE_TEST_SUITE_P(Table, Dates, ::testing::ValuesIn(kDates),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Conversions, DayCountStartsAt30December1899)
{
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2020, 1, 5), 43835);
    EXPECT_EQ(ShortDateText(43835), "1/5/2020");
}

TEST_F(Conversions, EarlyYearsReadBackAsTheSameDay)
{
    for (const char *text : {"12/3/099", "1/1/0001", "6/30/0950"}) {
        SCOPED_TRACE(text);
        double day = 0, back = 0;
        ASSERT_TRUE(TryParseShortDate(text, day));
        ASSERT_TRUE(TryParseShortDate(ShortDateText(day), back));
        EXPECT_EQ(back, day);
    }
    EXPECT_EQ(ShortDateText(EncodeDate(99, 12, 3)), "12/3/0099");
}

TEST_F(Conversions, LongDateText)
{
    EXPECT_EQ(LongDateText("12/25/2019"), "December 25, 2019");
    EXPECT_EQ(LongDateText("01/05/2020"), "January 5, 2020");
    EXPECT_EQ(LongDateText("pending"), "pending");
    EXPECT_EQ(LongDateText(""), "");
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(Conversions, TrimmingAndLineBreaks)
{
    EXPECT_EQ(TrimStr("  a b  "), "  a b");
    EXPECT_EQ(TrimStr("a\t"), "a\t");
    EXPECT_EQ(TrimLeading("\t\r\n  a "), "a ");
    EXPECT_EQ(EncodeLineBreaks("a\r\nb"), "a | b");
    EXPECT_EQ(EncodeLineBreaks("a\nb"), "a\nb"); // a lone line feed on Windows stays
    EXPECT_EQ(DecodeLineBreaks("a | b | c"), "a\r\nb\r\nc");
    SetPlatform(MacPlatform());
    EXPECT_EQ(EncodeLineBreaks("a\nb"), "a | b");
    EXPECT_EQ(DecodeLineBreaks("a | b"), "a\nb");
}

TEST_F(Conversions, Paths)
{
    EXPECT_EQ(AddPathSeparator("C:\\Data"), "C:\\Data\\");
    EXPECT_EQ(AddPathSeparator("C:\\Data\\"), "C:\\Data\\");
    EXPECT_EQ(AddPathSeparator(""), "\\");
    EXPECT_EQ(RemoveTrailingBackslash("C:\\Data\\"), "C:\\Data");
    EXPECT_EQ(RemoveExtension("send_temp.RTF"), "send_temp");
    EXPECT_EQ(RemoveExtension("a.b.c"), "a.b");
    EXPECT_EQ(RemoveExtension("name"), "name");
    EXPECT_EQ(RemoveExtension("/home/x.y/name"), "/home/x");
    SetPlatform(ThisPlatform());
    EXPECT_EQ(AddPathSeparator("/home/a"), "/home/a/");
}

TEST(CodePage, UpperCaseLatinKeepsCaptionsInOneCase)
{
    EXPECT_EQ(UpperCaseLatin("Sofia Marie N\xC3\xBA\xC3\xB1" "ez-Whitaker"), "SOFIA MARIE N\xC3\x9A\xC3\x91" "EZ-WHITAKER");
    EXPECT_EQ(UpperCaseLatin("\xC3\xBF \xC5\xA1 \xC5\xBE"), "\xC5\xB8 \xC5\xA0 \xC5\xBD"); // ÿ š ž
    EXPECT_EQ(UpperCaseLatin("\xC3\x9F \xC3\xB7 \xE4\xB8\xAD 1-a"), "\xC3\x9F \xC3\xB7 \xE4\xB8\xAD 1-A"); // ß ÷ CJK stay
    EXPECT_EQ(Utf8ToWin1252(UpperCaseLatin(Win1252ToUtf8("\xE0\xFE\x9A\x9C"))), "\xC0\xDE\x8A\x8C");
}

TEST(CodePage, Windows1252RoundTripsAndReplacesTheRest)
{
    const std::string utf8 = "Jos\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\x93";
    const std::string ansi = Utf8ToWin1252(utf8);
    EXPECT_EQ(ansi, "Jos\xE9 \x80 \x93q\x94 \x9C");
    EXPECT_EQ(Win1252ToUtf8(ansi), utf8);
    EXPECT_EQ(Utf8ToWin1252("\xE4\xB8\xAD|\xF0\x9F\x98\x80"), "?|?"); // CJK and emoji
    EXPECT_EQ(Utf8ToWin1252("a\xFF" "b"), "a?b");                     // malformed UTF-8
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(one)), one) << b;
    }
}

} // namespace
