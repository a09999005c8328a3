#include "literal/LiteralFit.h"
#include "misc/Misc.h"
#include "output/DeterministicMeasurer.h"
#include "output/FitText.h"

#include <gtest/gtest.h>

#include <random>

using namespace kelvox;

namespace {

// Every character 6 px wide at 10 points; a box 62 px wide holds ten.
TextBox TenCharacterBox(const std::string &text)
{
    TextBox box;
    box.Width = 62;
    box.SetText(text);
    return box;
}

struct WrapCase {
    const char *name;
    const char *text;
    TStringArray expected;
};

class Wrapping : public ::testing::TestWithParam<WrapCase> {};

TEST_P(Wrapping, LinesOfTheBox)
{
    const DeterministicMeasurer measurer;
    const WrapCase &c = GetParam();
    EXPECT_EQ(WrappedLines(TenCharacterBox(c.text), measurer), c.expected);
}

const WrapCase kWrapCases[] = {
    {"fits", "hello", {"hello"}},
    {"exactly_full", "abcdefghij", {"abcdefghij"}},
    {"breaks_after_blank", "hello world, done", {"hello ", "world, ", "done"}},
    // A paragraph's last word moves whole to the next line like any other.
    {"last_word_overflows", "hello world againxy", {"hello ", "world ", "againxy"}},
    {"last_character_overflows", "Floor 43215", {"Floor ", "43215"}},
    {"no_break_after_the_overflow", "aaaaa     bbbbb", {"aaaaa     ", "bbbbb"}},
    // A word wider than the line is cut after the character that overflows.
    {"long_word_mid_paragraph", "abcdefghijklmno pq", {"abcdefghijk", "lmno pq"}},
    {"long_word_alone", "xxxxxxxxxxxxxxxxxxxxxxxxx", {"xxxxxxxxxxx", "xxxxxxxxxxx", "xxx"}},
    {"long_last_word_after_blank", "ab cdefghijklmn", {"ab ", "cdefghijklm", "n"}},
    // Blanks opening a line belong to it but are not measured.
    {"leading_blanks_unmeasured", "      abcdefghij", {"      abcdefghij"}},
    {"break_found_among_leading_blanks", "  abcdefghijklmno x", {"  ", "abcdefghijk", "lmno x"}},
    {"paragraphs", "one\ntwo\r\nthree\rfour", {"one", "two", "three", "four"}},
    {"empty_paragraph", "a\n\nb", {"a", "", "b"}},
    {"trailing_break_adds_no_line", "a\n", {"a"}},
    {"empty_text", "", {}},
    {"accents_count_as_one_character", "ÉÉÉÉÉ ÉÉÉÉÉ É", {"ÉÉÉÉÉ ", "ÉÉÉÉÉ É"}},
};

INSTANTIATE_TEST_SUITE_P(Fit, Wrapping, ::testing::ValuesIn(kWrapCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Fit, AccessorsCountFromOneAndEmptyParagraphIsZeroZero)
{
    const DeterministicMeasurer measurer;
    const TextBox box = TenCharacterBox("hello world, done\n");
    EXPECT_EQ(BuildLineAccessors(box, 0, measurer), (TLineAccessorArray{{1, 6}, {7, 13}, {14, 17}}));
    TextBox empty = TenCharacterBox("x\n\ny");
    EXPECT_EQ(BuildLineAccessors(empty, 1, measurer), (TLineAccessorArray{{0, 0}}));
}

TEST(Fit, BoxWidthsOfTheListingColumns)
{
    EXPECT_EQ(WrapBoxWidth(2.97), 193);
    EXPECT_EQ(WrapBoxWidth(2.75), 179);
    EXPECT_EQ(WrapBoxWidth(3.48), 227);
    EXPECT_EQ(WrapBoxWidth(0), 0);
}

class WrapText : public ::testing::Test {
protected:
    void TearDown() override { SetPlatform(ThisPlatform()); }
    DeterministicMeasurer measurer;
};

TEST_F(WrapText, StoredSeparatorsBecomeParagraphsOnEveryPlatform)
{
    for (const PlatformSettings &platform : {WindowsPlatform(), MacPlatform(), ThisPlatform()}) {
        SetPlatform(platform);
        EXPECT_EQ(WrapTextToWidth("a |  | b", "Segoe UI", 10, 2.97, measurer), (TStringArray{"a", "", "b"}));
        EXPECT_EQ(WrapTextToWidth("", "Segoe UI", 10, 2.97, measurer), TStringArray{});
    }
}

TEST_F(WrapText, WidthFollowsFontSizeAndColumn)
{
    // 193 px box: 31 characters at 10 points (6 px each), 39 at 8 points (4.8 px each).
    const std::string forty(40, 'a');
    EXPECT_EQ(WrapTextToWidth(forty, "Segoe UI", 10, 2.97, measurer),
              (TStringArray{std::string(32, 'a'), std::string(8, 'a')}));
    EXPECT_EQ(WrapTextToWidth(forty, "Segoe UI", 8, 2.97, measurer), (TStringArray{std::string(40, 'a')}));
    EXPECT_EQ(WrapTextToWidth(forty + "b", "Segoe UI", 8, 2.97, measurer), (TStringArray{std::string(40, 'a'), "b"}));
}

// The program's wrapping measures as it goes; it must give the described walk's
// lines exactly, blanks and breaks anywhere, proportional widths included.
TEST(Fit, SameLinesAsTheDescribedWalk)
{
    DeterministicMeasurer measurer;
    measurer.SetUnits(U' ', 2.5);
    measurer.SetUnits(U'i', 2.25);
    measurer.SetUnits(U'W', 9.5);
    measurer.SetUnits(U'm', 8.75);
    std::mt19937 random(20261211);
    const std::u32string alphabet = U"aimW  \n.,é";
    for (int round = 0; round < 2000; ++round) {
        std::u32string text;
        const int length = static_cast<int>(random() % 90);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        TextBox box;
        box.Width = static_cast<int>(random() % 80);
        box.FontSize = (random() % 2) ? 10 : 8;
        box.SetText(CodePointsToUtf8(text));
        ASSERT_EQ(WrappedLines(box, measurer), literal::WrappedLines(box, measurer))
            << "text \"" << CodePointsToUtf8(text) << "\" width " << box.Width;
    }
}

struct ReduceCase {
    const char *name;
    int currentSize;
    double inches;
    const char *expected; // "" for the text unchanged
};

class Reducing : public ::testing::TestWithParam<ReduceCase> {
protected:
    void TearDown() override { SetPlatform(ThisPlatform()); }
};

// "abcdefghij" is 6 px a point wide: at 10 points 60 px, which needs 60 / 0.76 =
// 78.9 px of field; at 9 points 71.1 px; at 6 points 47.4 px.
TEST_P(Reducing, LargestSizeThatFits)
{
    const DeterministicMeasurer measurer;
    const ReduceCase &c = GetParam();
    const std::string text = "abcdefghij";
    for (const PlatformSettings &platform : {WindowsPlatform(), MacPlatform()}) {
        SetPlatform(platform);
        const std::string expected = *c.expected ? std::string(c.expected) : text;
        EXPECT_EQ(ReduceToFit(text, c.currentSize, c.inches, measurer), expected) << (platform.IsMac ? "mac" : "");
    }
}

const ReduceCase kReduceCases[] = {
    {"zero_width_unchanged", 20, 0, ""},
    {"fits_at_current_size", 20, 3, "\\fs20 abcdefghij"},
    {"largest_step", 28, 3, "\\fs28 abcdefghij"},
    {"odd_size_starts_below", 21, 3, "\\fs20 abcdefghij"},
    {"one_step_smaller", 20, 0.78, "\\fs18 abcdefghij"},
    {"smallest_step", 20, 0.5, "\\fs12 abcdefghij"},
    {"too_wide_even_at_six_points", 20, 0.49, "REDUCE TEXT"},
    {"below_smallest_step", 10, 3, "REDUCE TEXT"},
};

INSTANTIATE_TEST_SUITE_P(Fit, Reducing, ::testing::ValuesIn(kReduceCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Fit, WrapCacheGivesTheSameLinesAndMeasuresOnce)
{
    const DeterministicMeasurer measurer;
    WrapCache cache(measurer);
    const std::string text = "Dr. Jane Q. Public | 1234 Long Street Name Avenue, Columbus";
    const TStringArray first = cache.Wrap(text, "Segoe UI", 10, 2.97);
    const std::uint64_t measured = measurer.CharactersMeasured();
    EXPECT_EQ(cache.Wrap(text, "Segoe UI", 10, 2.97), first);
    EXPECT_EQ(measurer.CharactersMeasured(), measured);
    EXPECT_EQ(first, WrapTextToWidth(text, "Segoe UI", 10, 2.97, measurer));
    EXPECT_NE(cache.Wrap(text, "Segoe UI", 10, 1.5), first);
}

} // namespace
