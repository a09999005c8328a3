#include "CalcTestCase.h"

#include <vector>

using namespace kelvox;
using namespace kelvox::test;

namespace {

// Blocks A and B of the general page, with their marks as each case wants.
class PersonCase : public CalcCase {
protected:
    void SetUp() override
    {
        for (int n = 35; n <= 58; ++n)
            SetG(n, "g" + std::to_string(n));
        for (int n : {42, 43, 54, 55})
            SetG(n, "");
    }
};

// ---- Form 18.0 page 2: the short groups A1 and B1 ----

struct ShortGroupCase {
    const char *name;
    int mark;      // G42 or G54
    int first;     // T10 or T16
    const char *x; // mark value
    bool overrideMark;
    bool overrideName;
    std::vector<std::string> expected; // T(first) .. T(first + 4)
};

class ShortGroup : public PersonCase, public ::testing::WithParamInterface<ShortGroupCase> {};

TEST_P(ShortGroup, FillsClearsOrKeepsTogether)
{
    const ShortGroupCase &c = GetParam();
    SetG(c.mark, c.x);
    for (int i = 0; i < 5; ++i)
        Type(2, c.first + i, "old" + std::to_string(i));
    if (c.overrideMark)
        Override(2, 0, c.first, "old0");
    if (c.overrideName)
        Override(2, 0, c.first + 1, "old1");
    Pass();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(T(2, c.first + i), c.expected[static_cast<size_t>(i)]) << "T" << c.first + i;
}

const ShortGroupCase kShortGroups[] = {
    {"a1_marked", 42, 10, "X", false, false, {"X", "g35", "g37", "g36", "g38, g39, g40  g41"}},
    {"a1_lower_x_clears", 42, 10, "x", false, false, {"", "", "", "", ""}},
    {"a1_unmarked_clears_despite_name_override", 42, 10, "", false, true, {"", "", "", "", ""}},
    {"a1_marked_name_override_kept", 42, 10, "X", false, true, {"X", "old1", "g37", "g36", "g38, g39, g40  g41"}},
    {"a1_mark_override_protects_group", 42, 10, "", true, false, {"old0", "old1", "old2", "old3", "old4"}},
    {"b1_marked", 54, 16, "X", false, false, {"X", "g47", "g49", "g48", "g50, g51, g52  g53"}},
    {"b1_unmarked_clears", 54, 16, "", false, true, {"", "", "", "", ""}},
    {"b1_mark_override_protects_group", 54, 16, "X", true, false, {"old0", "old1", "old2", "old3", "old4"}},
};

INSTANTIATE_TEST_SUITE_P(Petition, ShortGroup, ::testing::ValuesIn(kShortGroups),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Form 18.0 page 2: the long groups A2 and B2 under the one mark T27 ----

const int kA2[] = {28, 29, 30, 35, 37, 39};
const int kB2[] = {31, 32, 33, 36, 38, 40};

struct LongGroupCase {
    const char *name;
    const char *g43;
    const char *g55;
    const char *t27Before;
    bool overrideT27;
    const char *t27After;
    bool aFilled; // A2 answers derived (else cleared)
    bool bFilled;
    bool untouched; // every answer keeps its typed text
};

class LongGroups : public PersonCase, public ::testing::WithParamInterface<LongGroupCase> {};

TEST_P(LongGroups, SharedMark)
{
    const LongGroupCase &c = GetParam();
    SetG(43, c.g43);
    SetG(55, c.g55);
    Type(2, 27, c.t27Before);
    if (c.overrideT27)
        Override(2, 0, 27, c.t27Before);
    for (int i : kA2)
        Type(2, i, "typed");
    for (int i : kB2)
        Type(2, i, "typed");
    Pass();

    EXPECT_EQ(T(2, 27), c.t27After);
    const std::vector<std::string> aValues = {"g35", "g38, g39, g40  g41", "g37", "g44", "g45", "g46"};
    const std::vector<std::string> bValues = {"g47", "g50, g51, g52  g53", "g49", "g56", "g57", "g58"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(T(2, kA2[i]), c.untouched ? "typed" : c.aFilled ? aValues[i] : "") << "T" << kA2[i];
        EXPECT_EQ(T(2, kB2[i]), c.untouched ? "typed" : c.bFilled ? bValues[i] : "") << "T" << kB2[i];
    }
}

const LongGroupCase kLongGroups[] = {
    {"both_marked", "X", "X", "", false, "X", true, true, false},
    {"only_a", "X", "", "", false, "X", true, false, false},
    {"only_b_sets_shared_mark", "", "X", "", false, "X", false, true, false},
    {"neither_keeps_mark_clears_both", "", "", "X", false, "X", false, false, false},
    {"neither_keeps_empty_mark", "", "", "", false, "", false, false, false},
    {"overridden_mark_skips_both", "X", "X", "no", true, "no", false, false, true},
};

INSTANTIATE_TEST_SUITE_P(Petition, LongGroups, ::testing::ValuesIn(kLongGroups),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Form 18.3: which marked person each copy names ----

struct ConsentCase {
    const char *name;
    bool person1, person2, person3;
    std::vector<int> personOfCopy; // for copies 0 to 3; 0 = no person
};

class ConsentPersons : public PersonCase, public ::testing::WithParamInterface<ConsentCase> {};

TEST_P(ConsentPersons, CopyNamesItsMarkedPerson)
{
    const ConsentCase &c = GetParam();
    SetG(18, "Baby Doe");
    Type(2, 1, c.person1 ? "X" : "x");
    Type(2, 2, "Jane Roe");
    Type(2, 3, "Mother");
    Type(2, 7, c.person2 ? "X" : "");
    Type(2, 8, "John Roe");
    Type(2, 9, "Father");
    Type(2, 43, c.person3 ? "X" : "");
    Type(2, 44, "Pat Guardian");
    answers.NoOf18_3 = 4;
    Pass();

    const char *names[] = {"", "Jane Roe", "John Roe", "Pat Guardian"};
    for (int copy = 0; copy < 4; ++copy) {
        SCOPED_TRACE("copy " + std::to_string(copy));
        const int person = c.personOfCopy[static_cast<size_t>(copy)];
        EXPECT_EQ(T(6, copy, 4), names[person]);
        EXPECT_EQ(T(6, copy, 5), person == 1 ? "X" : "");
        EXPECT_EQ(T(6, copy, 6), person == 2 ? "X" : "");
        EXPECT_EQ(T(6, copy, 9), person == 3 ? "X" : "");
        EXPECT_EQ(T(6, copy, 13), "Baby Doe");
        EXPECT_EQ(T(6, copy, 17), names[person]);
    }
}

const ConsentCase kConsents[] = {
    {"none", false, false, false, {0, 0, 0, 0}},      {"only_1", true, false, false, {1, 0, 0, 0}},
    {"only_2", false, true, false, {2, 0, 0, 0}},     {"only_3", false, false, true, {3, 0, 0, 0}},
    {"persons_1_2", true, true, false, {1, 2, 0, 0}}, {"persons_1_3", true, false, true, {1, 3, 0, 0}},
    {"persons_2_3", false, true, true, {2, 3, 0, 0}}, {"all_three", true, true, true, {1, 2, 3, 0}},
};

INSTANTIATE_TEST_SUITE_P(Consent, ConsentPersons, ::testing::ValuesIn(kConsents),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(PersonCase, ConsentRelationIsExactAndMarksAreNeverCleared)
{
    Type(2, 1, "X");
    Type(2, 2, "Jane Roe");
    Type(2, 3, "mother");
    answers.NoOf18_3 = 1;
    Pass();
    EXPECT_EQ(T(6, 0, 5), "");
    EXPECT_EQ(T(6, 0, 6), "");

    Type(2, 3, "Mother");
    Pass();
    EXPECT_EQ(T(6, 0, 5), "X");
    Type(2, 3, "Father");
    Pass();
    EXPECT_EQ(T(6, 0, 5), "X");
    EXPECT_EQ(T(6, 0, 6), "X");
}

TEST_F(PersonCase, ConsentPersonOverrideReachesSecondName)
{
    Type(2, 1, "X");
    Type(2, 2, "Jane Roe");
    Override(6, 0, 4, "Jane A. Roe");
    answers.NoOf18_3 = 1;
    Pass();
    EXPECT_EQ(T(6, 0, 4), "Jane A. Roe");
    EXPECT_EQ(T(6, 0, 17), "Jane A. Roe");
}

// ---- Form 18.4: block A or B by the consent-not-required marks ----

struct EntryCase {
    const char *name;
    const char *g43;
    const char *g55;
    std::vector<char> blockOfCopy; // copies 0 to 2: 'A', 'B' or '-'
};

class EntryPersons : public PersonCase, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryPersons, CopySpeaksForBlock)
{
    const EntryCase &c = GetParam();
    SetG(43, c.g43);
    SetG(55, c.g55);
    SetG(2, "Judge Hale");
    Type(2, 41, "placed 2019");
    Type(2, 42, "by agency");
    answers.NoOf18_4 = 3;
    Pass();
    for (int copy = 0; copy < 3; ++copy) {
        SCOPED_TRACE("copy " + std::to_string(copy));
        const char block = c.blockOfCopy[static_cast<size_t>(copy)];
        const int base = block == 'A' ? 35 : 47;
        const std::vector<std::string> want = block == '-' ? std::vector<std::string>(6)
                                                           : std::vector<std::string>{"g" + std::to_string(base),
                                                                                      "g" + std::to_string(base + 9),
                                                                                      "g" + std::to_string(base + 10),
                                                                                      "g" + std::to_string(base + 11),
                                                                                      "placed 2019",
                                                                                      "by agency"};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(T(7, copy, 4 + i), want[static_cast<size_t>(i)]) << "T" << 4 + i;
        EXPECT_EQ(T(7, copy, 11), "Judge Hale");
    }
}

const EntryCase kEntries[] = {
    {"neither", "", "", {'-', '-', '-'}},
    {"only_a", "X", "", {'A', '-', '-'}},
    {"only_b", "", "X", {'B', '-', '-'}},
    {"both", "X", "X", {'A', 'B', '-'}},
    {"lower_case_marks", "x", "x", {'-', '-', '-'}},
};

INSTANTIATE_TEST_SUITE_P(Entry, EntryPersons, ::testing::ValuesIn(kEntries),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Form 18.2: copies past the second, and the total of page 2 ----

TEST_F(PersonCase, ThirdNoticeGetsCommonAnswersAndTypedPersonFields)
{
    SetG(4, "2026-ad-17");
    SetG(5, "Ann");
    Type(3, 4, "May 1");
    Type(3, 13, "notice by mail");
    SetG(42, "X");
    SetG(54, "X");
    Type(4, 0, 13, "in Room 3");
    Type(4, 1, 13, "Room 9");
    for (int i = 18; i <= 23; ++i)
        Type(4, 2, i, "typed " + std::to_string(i));
    answers.NoOf18_2 = 3;
    Pass();

    EXPECT_EQ(T(4, 2, 3), "2026-AD-17");
    EXPECT_EQ(T(4, 2, 7), "May 1");
    EXPECT_EQ(T(4, 2, 9), "Ann");
    EXPECT_EQ(T(4, 2, 17), "notice by mail");
    EXPECT_EQ(T(4, 2, 13), "in Room 3");
    EXPECT_EQ(T(4, 1, 13), "Room 9"); // a copy's own text is never replaced
    for (int i = 18; i <= 23; ++i)
        EXPECT_EQ(T(4, 2, i), "typed " + std::to_string(i));
    EXPECT_EQ(T(4, 0, 18), "g35");
    EXPECT_EQ(T(4, 1, 18), "g47");
}

TEST_F(PersonCase, NoticesUntouchedWithoutCopies)
{
    SetG(0, "franklin");
    Type(4, 0, 0, "old");
    Type(5, 0, 24, "old");
    Type(6, 0, 0, "old");
    Type(7, 0, 0, "old");
    Pass();
    for (int page : {4, 5, 6, 7})
        EXPECT_EQ(T(page, 0, page == 5 ? 24 : 0), "old") << "page " << page;
}

struct TotalCase {
    const char *name;
    std::vector<std::string> amounts; // T17, T19, T21, T23
    const char *total;
    std::vector<std::string> unreadable; // texts reported with 21202, in order
};

class NoticeTotal : public PersonCase, public ::testing::WithParamInterface<TotalCase> {};

TEST_P(NoticeTotal, SumsReadableAmounts)
{
    const TotalCase &c = GetParam();
    const int fields[] = {17, 19, 21, 23};
    for (size_t i = 0; i < 4; ++i)
        Type(5, 1, fields[i], c.amounts[i]);
    answers.NoOf18_2 = 2;
    Pass();
    EXPECT_EQ(T(5, 1, 24), c.total);
    std::vector<std::string> reported;
    for (const RaisedMessage &m : sink.Messages()) {
        EXPECT_EQ(m.Code, 21202);
        reported.push_back(m.CallerText);
    }
    EXPECT_EQ(reported, c.unreadable);
}

const TotalCase kTotals[] = {
    {"dollars_and_plain", {"$1,200.50", "300", "", ""}, "1,500.50", {}},
    {"all_empty", {"", "", "", ""}, "0.00", {}},
    {"all_four", {"1", "2.25", "$3.50", "1,000"}, "1,006.75", {}},
    {"unreadable_counts_zero", {"$100.00", "ten", "", "5"}, "105.00", {"ten"}},
    {"every_unreadable_reported", {"n/a", "", "abc", ""}, "0.00", {"n/a", "abc"}},
};

INSTANTIATE_TEST_SUITE_P(Notice, NoticeTotal, ::testing::ValuesIn(kTotals),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
