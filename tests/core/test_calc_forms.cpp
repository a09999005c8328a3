#include "CalcTestCase.h"

#include <map>
#include <ostream>
#include <set>
#include <tuple>
#include <vector>

using namespace kelvox;
using namespace kelvox::test;

namespace {

// Whether a derived answer keeps an overridden text. Self: the rule reads the
// target itself, so neither generic test applies.
enum class Guard { No, Yes, Self };

struct Expect {
    int page;
    int copy;
    int index;
    std::string text;
    Guard guard = Guard::No;
};

using Key = std::tuple<int, int, int>;

// A full case: every general answer filled, every mark set, the answers the
// rules read from other forms typed.
std::string General(int n, char letter)
{
    switch (n) {
    case 5: return letter == 'g' ? "Ann B Carter" : "Ruth Olds";
    case 7: return letter == 'g' ? "Dale Carter" : "Sam Olds";
    case 16: return "3/4/2010";
    case 19: return letter == 'g' ? "Mary Ann Lee Jones" : "Eve Olds";
    case 26: return "1/5/2020";
    case 42:
    case 43:
    case 54:
    case 55: return "X";
    default: return std::string(1, letter) + std::to_string(n);
    }
}

const std::map<Key, std::string> &Typed()
{
    static const std::map<Key, std::string> typed = {
        {{2, 0, 1}, "X"},    {{2, 0, 2}, "p2"},     {{2, 0, 3}, "Mother"}, {{2, 0, 7}, "X"},
        {{2, 0, 8}, "p8"},   {{2, 0, 9}, "Father"}, {{2, 0, 41}, "p41"},   {{2, 0, 42}, "p42"},
        {{2, 0, 43}, "X"},   {{2, 0, 44}, "p44"},   {{3, 0, 4}, "e4"},     {{3, 0, 5}, "e5"},
        {{3, 0, 6}, "e6"},   {{3, 0, 10}, "e10"},   {{3, 0, 11}, "e11"},   {{3, 0, 12}, "e12"},
        {{3, 0, 13}, "e13"}, {{3, 0, 15}, "e15"},   {{4, 0, 13}, "t13"},   {{5, 0, 17}, "$1,200.50"},
        {{5, 0, 19}, "300"}, {{20, 0, 6}, "X"},     {{20, 0, 8}, "X"},     {{22, 0, 2}, "female"},
        {{26, 0, 1}, "X"},   {{27, 0, 12}, "X"},
    };
    return typed;
}

void FillCase(TAnswer &a, char letter = 'g')
{
    for (int n = 0; n < 60; ++n)
        a.Set(0, 0, n, General(n, letter));
    for (const auto &[key, text] : Typed())
        a.Set(std::get<0>(key), std::get<1>(key), std::get<2>(key), text);
    a.NoOf18_2 = 3;
    a.NoOf18_3 = 3;
    a.NoOf18_4 = 2;
}

void Caption(std::vector<Expect> &rows, int page, int copy = 0)
{
    rows.push_back({page, copy, 0, "G0"});
    rows.push_back({page, copy, 1, "G1"});
    rows.push_back({page, copy, 2, "G3"});
    rows.push_back({page, copy, 3, "G4"});
}

void Add(std::vector<Expect> &rows, int page, int copy,
         std::initializer_list<std::tuple<int, const char *, Guard>> list)
{
    for (const auto &[index, text, guard] : list)
        rows.push_back({page, copy, index, text, guard});
}

constexpr Guard N = Guard::No;
constexpr Guard Y = Guard::Yes;

const std::vector<Expect> &Expected()
{
    static const std::vector<Expect> rows = [] {
        std::vector<Expect> r;
        const char *joined = "Ann B Carter and Dale Carter";

        Caption(r, 1);
        Add(r, 1, 0,
            {{4, "g18", N},
             {5, "Mary Ann Lee Jones", N},
             {6, "Ann B Carter", N},
             {7, "g6", N},
             {8, "Dale Carter", N},
             {9, "g8", N},
             {10, "g9", N},
             {11, "g10", N},
             {12, "g11", N},
             {13, "g59", Y},
             {14, "g12", N},
             {15, "g13", N},
             {17, "g15", N},
             {18, "3/4/2010 - g17", N},
             {20, "g18", N},
             {21, "1/5/2020", N},
             {22, "g27", N}});

        Add(r, 2, 0,
            {{0, "g4", N},
             {10, "X", Y},
             {11, "g35", Y},
             {12, "g37", Y},
             {13, "g36", Y},
             {14, "g38, g39, g40  g41", Y},
             {16, "X", Y},
             {17, "g47", Y},
             {18, "g49", Y},
             {19, "g48", Y},
             {20, "g50, g51, g52  g53", Y},
             {27, "X", Y},
             {28, "g35", Y},
             {29, "g38, g39, g40  g41", Y},
             {30, "g37", Y},
             {35, "g44", Y},
             {37, "g45", Y},
             {39, "g46", Y},
             {31, "g47", Y},
             {32, "g50, g51, g52  g53", Y},
             {33, "g49", Y},
             {36, "g56", Y},
             {38, "g57", Y},
             {40, "g58", Y}});

        Add(r, 23, 0,
            {{0, "g4", N},
             {1, "g28", N},
             {2, "g29", N},
             {3, "g30, g31  g32", N},
             {6, "g33", N},
             {7, "g34", N},
             {8, "Ann B Carter", N},
             {9, "Dale Carter", N},
             {11, "g10, g12  g13", N},
             {14, "g14", N}});

        Caption(r, 3);
        Add(r, 3, 0, {{7, joined, Y}, {8, "g18", N}, {9, "Mary Ann Lee Jones", N}, {14, "g2", Y}});

        for (int c = 0; c < 3; ++c) {
            Caption(r, 4, c);
            Add(r, 4, c,
                {{5, "g35, g38, g39, g40, g41", Y},
                 {6, "g47, g50, g51, g52, g53", Y},
                 {7, "e4", N},
                 {8, "e5", N},
                 {26, "e6", N},
                 {9, joined, N},
                 {10, "g18", N},
                 {11, "1/5/2020", N},
                 {12, "Mary Ann Lee Jones", N},
                 {14, "e10", N},
                 {15, "e11", N},
                 {27, "e15", N},
                 {16, "e12", N},
                 {17, "e13", N},
                 {25, "g2", Y}});
            if (c > 0)
                r.push_back({4, c, 13, "t13", Guard::Self});
        }
        Add(r, 4, 0, {{18, "g35", Y}, {19, "g44", Y}, {20, "g45", Y}, {21, "g46", Y}, {22, "p41", Y}, {23, "", Y}});
        Add(r, 4, 1, {{18, "g47", Y}, {19, "g56", Y}, {20, "g57", Y}, {21, "g58", Y}, {22, "", Y}, {23, "p42", Y}});

        for (int c = 0; c < 3; ++c)
            Add(r, 5, c, {{0, "g4", N}, {1, "g0", N}, {6, "g2", Y}, {24, c == 0 ? "1,500.50" : "0.00", N}});
        Add(r, 5, 0, {{2, "g35", Y}, {3, "g38, g39, g40, g41", Y}});
        Add(r, 5, 1, {{2, "g47", Y}, {3, "g50, g51, g52, g53", Y}});

        for (int c = 0; c < 3; ++c) {
            Caption(r, 6, c);
            Add(r, 6, c, {{13, "g18", N}});
        }
        Add(r, 6, 0, {{4, "p2", Y}, {5, "X", Y}, {17, "p2", N}});
        Add(r, 6, 1, {{4, "p8", Y}, {6, "X", Y}, {17, "p8", N}});
        Add(r, 6, 2, {{4, "p44", Y}, {9, "X", Y}, {17, "p44", N}});

        Caption(r, 7, 0);
        Add(r, 7, 0,
            {{4, "g35", Y}, {5, "g44", Y}, {6, "g45", Y}, {7, "g46", Y}, {8, "p41", Y}, {9, "p42", Y}, {11, "g2", Y}});
        Caption(r, 7, 1);
        Add(r, 7, 1,
            {{4, "g47", Y}, {5, "g56", Y}, {6, "g57", Y}, {7, "g58", Y}, {8, "p41", Y}, {9, "p42", Y}, {11, "g2", Y}});

        Caption(r, 8);
        Add(r, 8, 0, {{5, joined, N}, {9, "g2", Y}});
        for (int page : {9, 10}) {
            Caption(r, page);
            Add(r, page, 0, {{5, joined, N}, {8, "Mary Ann Lee Jones", N}, {10, "g2", Y}});
        }
        Caption(r, 11);
        Add(r, 11, 0,
            {{4, joined, N},
             {5, "g18", N},
             {6, "1/5/2020", N},
             {7, "g27", N},
             {10, joined, N},
             {11, "Mary Ann Lee Jones", N},
             {14, "g2", Y}});

        Add(r, 13, 0,
            {{0, "g4", N},
             {3, "g28", Y},
             {4, "g29", Y},
             {5, "g30, g31  g32", Y},
             {6, "g33", Y},
             {9, "Ann B Carter", N},
             {10, "Dale Carter", N}});

        Caption(r, 15);
        Add(r, 15, 0,
            {{5, "g18", N},
             {6, "Mary Ann Lee Jones", N},
             {10, "g34", N},
             {11, "g28", N},
             {12, "g29", N},
             {13, "g30, g31  g32", N},
             {14, "g33", N},
             {15, "Ann B Carter", N},
             {16, "g9", N},
             {17, "g10, g12  g13", N},
             {18, "g14", N},
             {19, "Dale Carter", N},
             {27, "g2", Y}});
        Caption(r, 16);
        Add(r, 16, 0, {{8, "g2", Y}});
        Caption(r, 17);
        Add(r, 17, 0, {{5, joined, N}, {6, "g18", N}, {14, "Mary Ann Lee Jones", N}, {17, "g2", Y}});

        Add(r, 25, 0,
            {{0, "g0", N},
             {1, "g1", N},
             {2, "g3", N},
             {3, "g4", N},
             {4, "Ann B Carter", N},
             {5, "Dale Carter", N},
             {6, "g9", N},
             {8, "g15", N},
             {9, "3/4/2010; g17", N},
             {10, "g18", N},
             {11, "Mary Ann Lee Jones", N},
             {12, "1/5/2020; g27", N}});
        Add(r, 26, 0,
            {{0, "g4", N},
             {2, "Mary Ann Lee Jones", N},
             {3, "g30, g31  g32", N},
             {6, "g28", N},
             {7, "g29", N},
             {11, "g33", N},
             {12, "g34", N},
             {13, "Ann B Carter", N},
             {14, "Dale Carter", N},
             {15, "g9", N},
             {16, "g10, g12  g13", N},
             {19, "g14", N}});
        Add(r, 27, 0,
            {{0, "g0", N},
             {1, "g1", N},
             {2, "g3", N},
             {3, "g4", N},
             {8, joined, N},
             {13, "g18", N},
             {14, "Mary Ann Lee Jones", N},
             {21, "g2", N}});

        Add(r, 20, 0,
            {{0, "G0", N},
             {1, "G1", N},
             {2, "G18", N},
             {3, "MARY ANN LEE JONES", N},
             {4, "G4", N},
             {9, "g18", N},
             {10, "Mary Ann Lee Jones", N},
             {13, "g47", Y}});
        Add(r, 21, 0,
            {{10, "G23", N},
             {0, "G22", N},
             {1, "g18", N},
             {2, "Mary Ann Lee Jones", N},
             {3, "January 5, 2020", N},
             {4, "g27", N},
             {5, "g20", N},
             {6, "g21", N},
             {11, "g23", N},
             {12, "g24", N}});
        Add(r, 22, 0, {{0, "g18", N},     {1, "1/5/2020", N}, {2, "F", Guard::Self},   {3, "g27", Y},
                       {4, "Mary", Y},    {5, "Ann", Y},      {6, "Lee Jones", Y},     {12, "Dale", Y},
                       {13, "", Y},       {14, "Carter", Y},  {24, "Ann", Y},          {25, "B", Y},
                       {26, "Carter", Y}, {31, "g9", Y},      {32, "g10", Y},          {33, "g11", Y},
                       {34, "g12", Y},    {35, "g13", Y},     {45, "Ann B Carter", Y}, {46, "g9", Y},
                       {47, "g10", Y},    {48, "g12", Y},     {49, "g13", Y},          {50, "g28", N},
                       {51, "g29", N},    {52, "g30", N},     {53, "g31", N},          {54, "g32", N},
                       {55, "g0", N},     {57, joined, Y},    {58, "g4", N},           {60, "g2", Y}});
        return r;
    }();
    return rows;
}

// The page types whose answers only these rules and the user write.
const int kRulePages[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 16, 17, 20, 21, 22, 23, 25, 26, 27};

std::string RowName(const Expect &e)
{
    return "P" + std::to_string(e.page) + "_C" + std::to_string(e.copy) + "_T" + std::to_string(e.index);
}

void PrintTo(const Expect &e, std::ostream *os)
{
    *os << RowName(e) << " = \"" << e.text << "\"";
}

class FilledCase : public CalcCase {
protected:
    void SetUp() override { FillCase(answers); }
};

// Every derived answer of the full case, and nothing written anywhere else.
TEST_F(FilledCase, PassWritesExactlyTheRuleTargets)
{
    Pass();
    std::map<Key, std::string> want = Typed();
    for (const Expect &e : Expected())
        want[{e.page, e.copy, e.index}] = e.text;

    for (const int page : kRulePages)
        for (int copy = 0; copy < kCopies; ++copy)
            for (int index = 0; index <= FieldsPerPage(page); ++index) {
                const auto it = want.find({page, copy, index});
                const std::string expected = it == want.end() ? std::string() : it->second;
                EXPECT_EQ(T(page, copy, index), expected) << "page " << page << " copy " << copy << " answer " << index;
            }
}

TEST_F(FilledCase, GeneralPageIsNeverWritten)
{
    Pass();
    for (int n = 0; n <= FieldsPerPage(0); ++n)
        EXPECT_EQ(T(0, 0, n), n < 60 ? General(n, 'g') : std::string()) << "G" << n;
}

std::vector<Expect> WithGuard(Guard guard)
{
    std::vector<Expect> rows;
    for (const Expect &e : Expected())
        if (e.guard == guard)
            rows.push_back(e);
    return rows;
}

class GuardedTarget : public FilledCase, public ::testing::WithParamInterface<Expect> {};

// An overridden guarded answer keeps the user's text through passes and
// changing sources; without the override the next pass rewrites it.
TEST_P(GuardedTarget, KeepsOverrideUntilCleared)
{
    const Expect &e = GetParam();
    Override(e.page, e.copy, e.index, "typed by user");
    Pass();
    FillCase(answers, 'h');
    Pass();
    Pass();
    EXPECT_EQ(T(e.page, e.copy, e.index), "typed by user");
    EXPECT_TRUE(answers.OvRide(e.page, e.copy, e.index));

    answers.SetOvRide(e.page, e.copy, e.index, false);
    FillCase(answers, 'g');
    Pass();
    EXPECT_EQ(T(e.page, e.copy, e.index), e.text);
}

INSTANTIATE_TEST_SUITE_P(Rules, GuardedTarget, ::testing::ValuesIn(WithGuard(Guard::Yes)),
                         [](const auto &info) { return RowName(info.param); });

class UnguardedTarget : public FilledCase, public ::testing::WithParamInterface<Expect> {};

// An unguarded answer is rewritten whatever the user typed, override or not,
// and the pass leaves the flag as it was.
TEST_P(UnguardedTarget, IsRewritten)
{
    const Expect &e = GetParam();
    Override(e.page, e.copy, e.index, "typed by user");
    Pass();
    EXPECT_EQ(T(e.page, e.copy, e.index), e.text);
    EXPECT_TRUE(answers.OvRide(e.page, e.copy, e.index));
}

INSTANTIATE_TEST_SUITE_P(Rules, UnguardedTarget, ::testing::ValuesIn(WithGuard(Guard::No)),
                         [](const auto &info) { return RowName(info.param); });

} // namespace
