#include "CalcTestCase.h"

#include <random>
#include <vector>

using namespace kelvox;
using namespace kelvox::test;

namespace {

// Everything of a case the pass could touch.
struct Snapshot {
    std::vector<std::string> texts;
    std::vector<bool> overrides;
    std::vector<std::string> general;
    int noOf18_2 = 0, noOf18_3 = 0, noOf18_4 = 0;

    explicit Snapshot(const TAnswer &a) : noOf18_2(a.NoOf18_2), noOf18_3(a.NoOf18_3), noOf18_4(a.NoOf18_4)
    {
        for (int page = 0; page < kPageTypes; ++page)
            for (int copy = 0; copy < kCopies; ++copy)
                for (int i = 0; i <= FieldsPerPage(page); ++i) {
                    texts.push_back(a.Get(page, copy, i));
                    overrides.push_back(a.OvRide(page, copy, i));
                    if (page == 0 && copy == 0)
                        general.push_back(a.Get(page, copy, i));
                }
    }
};

const char *const kPool[] = {"",
                             "",
                             "",
                             " ",
                             "X",
                             "X",
                             "x",
                             "Mother",
                             "Father",
                             "mother",
                             "1/5/2020",
                             "Dec 25, 2019",
                             "Feb 31, 2020",
                             "pending",
                             "$1,200.50",
                             "300",
                             "abc",
                             "Mary Ann Lee Jones",
                             "Cher",
                             "Dale Carter",
                             "female",
                             "M",
                             "é ü ñ",
                             "typed"};

std::string Pick(std::mt19937 &rng)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(kPool) - 1);
    return kPool[pick(rng)];
}

const char *const kCategories[] = {"Physician",   "Attorney Fees", "Maintenance/RC 5103.15",
                                   "Court Costs", "court costs",   ""};

// A random case: general answers, typed and overridden answers on the pages
// the rules write, copy counters up to and beyond the store, a few expenses.
void RandomCase(TAnswer &a, WSchedList &worksheet, std::mt19937 &rng)
{
    std::uniform_int_distribution<int> rows(0, 6);
    std::uniform_int_distribution<size_t> category(0, std::size(kCategories) - 1);
    worksheet.Rows.resize(static_cast<size_t>(rows(rng)));
    for (WSchedList::Row &row : worksheet.Rows)
        row = {Pick(rng) + " | " + Pick(rng), kCategories[category(rng)], Pick(rng), Pick(rng), Pick(rng)};

    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> counter(0, 27);
    for (int n = 0; n < 60; ++n)
        a.Set(0, 0, n, Pick(rng));
    for (int page = 1; page < kPageTypes; ++page)
        for (int copy = 0; copy < 4; ++copy)
            for (int i = 0; i < 62; ++i) {
                if (percent(rng) < 30)
                    a.Set(page, copy, i, Pick(rng));
                if (percent(rng) < 8)
                    a.SetOvRide(page, copy, i, true);
            }
    a.NoOf18_2 = counter(rng);
    a.NoOf18_3 = counter(rng);
    a.NoOf18_4 = counter(rng);
    // The listing copies count as in use, so that the pass keeps them (and
    // their override flags) instead of starting them fresh.
    a.PgCt()[12] = 3;
    a.PgCt()[24] = 3;
}

class RandomCases : public CalcCase, public ::testing::WithParamInterface<unsigned> {};

TEST_P(RandomCases, SecondPassChangesNothing)
{
    std::mt19937 rng(GetParam());
    RandomCase(answers, worksheet, rng);
    const Snapshot before(answers);
    Pass();
    const Snapshot once(answers);
    Pass();
    const Snapshot twice(answers);

    EXPECT_TRUE(once.texts == twice.texts);
    EXPECT_TRUE(before.overrides == once.overrides) << "the pass changed an override flag";
    EXPECT_EQ(before.general, once.general);
    EXPECT_EQ(before.noOf18_2, answers.NoOf18_2);
    EXPECT_EQ(before.noOf18_3, answers.NoOf18_3);
    EXPECT_EQ(before.noOf18_4, answers.NoOf18_4);
}

INSTANTIATE_TEST_SUITE_P(Pass, RandomCases, ::testing::Range(1u, 41u));

// Each pass reports the dates again, and the steps after the check still run.
TEST_F(CalcCase, BadDatesReportedAtEveryPass)
{
    SetG(16, "Feb 31, 2020");
    SetG(26, "pending");
    SetG(2, "Judge Hale");
    SetG(4, "ad 17");
    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE("pass " + std::to_string(pass));
        sink.Clear();
        Type(22, 58, "stale");
        Pass();
        EXPECT_EQ(sink.Codes(), (std::vector<std::uint16_t>{21340, 21220}));
        EXPECT_EQ(T(1, 21), "pending");
        EXPECT_EQ(T(27, 21), "Judge Hale");
        EXPECT_EQ(T(22, 58), "ad 17");
    }

    SetG(16, "Feb 28, 2020");
    SetG(26, "1/5/2020");
    sink.Clear();
    Pass();
    EXPECT_TRUE(sink.Codes().empty());
}

TEST_F(CalcCase, DatesInWordsAreAccepted)
{
    SetG(16, "Dec 25, 2019");
    SetG(26, "12/25/2019");
    Pass();
    EXPECT_TRUE(sink.Codes().empty());
}

// A counter beyond the store (a damaged file) calculates every copy there is.
TEST_F(CalcCase, CountersBeyondStoreStopAtLastCopy)
{
    SetG(0, "franklin");
    answers.NoOf18_2 = 40;
    answers.NoOf18_3 = 26;
    answers.NoOf18_4 = -3;
    EXPECT_NO_THROW(Pass());
    EXPECT_EQ(T(4, 24, 0), "FRANKLIN");
    EXPECT_EQ(T(5, 24, 24), "0.00");
    EXPECT_EQ(T(6, 24, 0), "FRANKLIN");
    EXPECT_EQ(T(7, 0, 0), "");
    EXPECT_EQ(answers.NoOf18_2, 40);
}

} // namespace
