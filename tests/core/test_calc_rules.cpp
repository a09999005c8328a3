#include "CalcTestCase.h"

#include <functional>
#include <map>
#include <vector>

using namespace kelvox;
using namespace kelvox::test;

namespace {

// One rule under one condition: the general answers and the page's own typed
// answers of the case, then the answers expected after a pass.
struct RuleCase {
    const char *name;
    std::map<int, std::string> general;
    int page;
    std::map<int, std::string> typed;
    std::map<int, std::string> expected;
};

class ConditionalRule : public CalcCase, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(ConditionalRule, GivesExpectedAnswers)
{
    const RuleCase &c = GetParam();
    for (const auto &[n, text] : c.general)
        SetG(n, text);
    for (const auto &[n, text] : c.typed)
        Type(c.page, n, text);
    Pass();
    Pass();
    for (const auto &[n, text] : c.expected)
        EXPECT_EQ(T(c.page, n), text) << "T" << n;
}

const RuleCase kRules[] = {
    // Caption: letters become capitals, accented ones too; nothing else changes.
    {"caption_caps_accented",
     {{0, "franklin é"}, {1, "josé muñoz ßø œ"}, {3, "new-name 2"}, {4, "2026 ad 17 ÷"}},
     8,
     {},
     {{0, "FRANKLIN É"}, {1, "JOSÉ MUÑOZ ßØ Œ"}, {2, "NEW-NAME 2"}, {3, "2026 AD 17 ÷"}}},
    {"foreign_caption_unchanged", {{0, "franklin"}, {4, "ad 17"}}, 25, {}, {{0, "franklin"}, {3, "ad 17"}}},

    // Joined names.
    {"joined_names_second_empty", {{5, "Ann Carter"}}, 8, {}, {{5, "Ann Carter"}}},
    {"joined_names_second_blank",
     {{5, "Ann Carter"}, {7, " "}},
     11,
     {},
     {{4, "Ann Carter and  "}, {10, "Ann Carter and  "}}},
    {"joined_names_both", {{5, "Ann"}, {7, "Dale"}}, 17, {}, {{5, "Ann and Dale"}}},

    // Form 18.1 joins the petitioners when a date of marriage is given.
    {"entry_married_couple", {{5, "Ann"}, {7, "Dale"}, {16, "6/1/2001"}}, 3, {}, {{7, "Ann and Dale"}}},
    {"entry_no_marriage_date", {{5, "Ann"}, {7, "Dale"}}, 3, {}, {{7, "Ann"}}},
    {"entry_marriage_date_single_name", {{5, "Ann"}, {16, "6/1/2001"}}, 3, {}, {{7, "Ann"}}},

    // Address joins.
    {"petition_p1_separator_always", {}, 1, {}, {{18, " - "}}},
    {"petition_p3_no_state",
     {{30, "Columbus"}, {32, "43215"}, {10, "Dayton"}, {13, "45402"}},
     23,
     {},
     {{3, "Columbus  43215"}, {11, "Dayton  45402"}}},
    {"petition_p3_all_empty", {}, 23, {}, {{3, "  "}, {11, "  "}}},
    {"account_p2_comma_always", {}, 13, {}, {{5, ",   "}}},
    {"adult_petition_comma_always",
     {{30, "Columbus"}, {32, "43215"}},
     15,
     {},
     {{13, "Columbus,   43215"}, {17, ",   "}}},
    {"foreign_p2_no_state",
     {{30, "Columbus"}, {32, "43215"}, {10, "Dayton"}, {12, "OH"}, {13, "45402"}},
     26,
     {},
     {{3, "Columbus  43215"}, {16, "Dayton, OH  45402"}}},

    // Form 19.2 page 1: optional parts after "; ".
    {"foreign_p1_optional_parts",
     {{16, "6/1/2001"}, {26, "1/5/2020"}, {27, "Kyiv"}},
     25,
     {},
     {{9, "6/1/2001"}, {12, "1/5/2020; Kyiv"}}},

    // Form 19.2 page 2: the new name only with the mark.
    {"foreign_p2_name_with_mark", {{19, "Eve"}}, 26, {{1, "X"}}, {{2, "Eve"}}},
    {"foreign_p2_typed_name_cleared", {{19, "Eve"}}, 26, {{1, "x"}, {2, "typed"}}, {{2, ""}}},

    // Form 19.3 page 1: the two names follow the form's own mark.
    {"birth_record_names_with_mark",
     {{18, "Baby"}, {19, "Eve"}, {12, "OH"}},
     27,
     {{12, "X"}},
     {{13, "Baby"}, {14, "Eve"}}},
    {"birth_record_state_is_no_mark",
     {{18, "Baby"}, {19, "Eve"}, {12, "X"}},
     27,
     {{13, "typed"}, {14, "typed"}},
     {{13, ""}, {14, ""}}},

    // Consent to change name: the consenting person, block B winning.
    {"name_consent_block_a", {{35, "Jane"}, {47, "John"}}, 20, {{6, "X"}}, {{13, "Jane"}}},
    {"name_consent_a_and_c", {{35, "Jane"}, {47, "John"}}, 20, {{6, "X"}, {8, "X"}}, {{13, "John"}}},
    {"name_consent_b", {{35, "Jane"}, {47, "John"}}, 20, {{7, "X"}}, {{13, "John"}}},
    {"name_consent_none_keeps_text", {{35, "Jane"}, {47, "John"}}, 20, {{13, "typed"}}, {{13, "typed"}}},

    // Affidavit: the long date of birth.
    {"affidavit_long_date", {{26, "12/25/2019"}}, 21, {}, {{3, "December 25, 2019"}}},
    {"affidavit_date_not_a_date", {{26, "pending"}}, 21, {}, {{3, "pending"}}},
    {"affidavit_date_empty", {}, 21, {{3, "old"}}, {{3, ""}}},

    // HEA 2757 sex mark.
    {"sex_female_word", {}, 22, {{2, "female"}}, {{2, "F"}}},
    {"sex_upper_f", {}, 22, {{2, "F"}}, {{2, "F"}}},
    {"sex_lower_m", {}, 22, {{2, "m"}}, {{2, "M"}}},
    {"sex_male_word", {}, 22, {{2, "Male"}}, {{2, "M"}}},
    {"sex_x_cleared", {}, 22, {{2, "X"}}, {{2, ""}}},
    {"sex_blank_first_cleared", {}, 22, {{2, " F"}}, {{2, ""}}},
    {"sex_empty", {}, 22, {}, {{2, ""}}},

    // HEA 2757 name split.
    {"split_three_words", {{19, "Mary Ann Lee"}}, 22, {}, {{4, "Mary"}, {5, "Ann"}, {6, "Lee"}}},
    {"split_four_words", {{19, "Mary Ann Lee Jones"}}, 22, {}, {{4, "Mary"}, {5, "Ann"}, {6, "Lee Jones"}}},
    {"split_two_words", {{7, "Dale Carter"}}, 22, {{13, "old"}}, {{12, "Dale"}, {13, ""}, {14, "Carter"}}},
    {"split_one_word", {{5, "Cher"}}, 22, {{25, "old"}, {26, "old"}}, {{24, "Cher"}, {25, ""}, {26, ""}}},
    {"split_empty", {}, 22, {{4, "old"}, {5, "old"}, {6, "old"}}, {{4, ""}, {5, ""}, {6, ""}}},
    {"split_double_blank", {{19, "Mary  Lee"}}, 22, {}, {{4, "Mary"}, {5, ""}, {6, "Lee"}}},
};

INSTANTIATE_TEST_SUITE_P(Rules, ConditionalRule, ::testing::ValuesIn(kRules),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(CalcCase, NoticeAddresseesJoinEveryPartWithComma)
{
    SetG(35, "Jane");
    SetG(40, "OH");
    answers.NoOf18_2 = 1;
    Pass();
    EXPECT_EQ(T(4, 0, 5), "Jane, , , OH, ");
    EXPECT_EQ(T(4, 0, 6), ", , , , ");
    EXPECT_EQ(T(5, 0, 3), ", , OH, ");
}

// The last name keeps at most 99 characters, never cutting one in two.
TEST_F(CalcCase, SplitLastNameKeepsWholeCharacters)
{
    std::string last;
    for (int i = 0; i < 120; ++i)
        last += "é";
    SetG(19, "Ann Bea " + last);
    SetG(7, "Ann " + last.substr(0, 20));
    Pass();
    EXPECT_EQ(T(22, 6), last.substr(0, 2 * 99));
    EXPECT_EQ(T(22, 14), last.substr(0, 20));
}

} // namespace
