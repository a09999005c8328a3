#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "calc/AccountListing.h"
#include "literal/LiteralListing.h"
#include "messages/CollectingSink.h"
#include "output/DeterministicMeasurer.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace kelvox;

namespace {

const std::vector<std::string> kHeadings = {"PHYSICIAN(S) *****",
                                            "HOSPITAL/MEDICAL FACILITY *****",
                                            "ATTORNEY FEES *****",
                                            "ACTUAL COSTS TO ATTORNEY *****",
                                            "AGENCY *****",
                                            "ACTUAL COSTS TO AGENCY *****",
                                            "MAINTENANCE/5103.15 MED CARE*",
                                            "FOSTER CARE *****",
                                            "GUARDIAN AD LITEM *****",
                                            "COURT COSTS *****",
                                            "ALL OTHER DISBURSEMENTS *****"};

// A name and address of n short lines, as the worksheet stores it.
std::string Lines(int n, const std::string &name = "line")
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += (i > 1 ? " | " : "") + name + " " + std::to_string(i);
    return text;
}

struct Slot {
    std::string date, text, amount, actual;
    bool operator==(const Slot &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Slot &s)
{
    return out << "{" << s.date << "|" << s.text << "|" << s.amount << "|" << s.actual << "}";
}

// Every character is 6 px wide at 10 points, 4.8 px at 8: the account column
// holds 31 characters, the worksheet counts 36 and prints 46 a line.
class Listing : public ::testing::Test {
protected:
    void SetUp() override { worksheet.Rows.clear(); }

    void Add(std::string name, std::string category, std::string date = "", std::string amount = "",
             std::string actual = "")
    {
        worksheet.Rows.push_back(
            {std::move(name), std::move(category), std::move(date), std::move(amount), std::move(actual)});
    }
    void AddLines(int rows, int linesEach, const std::string &category = "Court Costs")
    {
        for (int i = 0; i < rows; ++i)
            Add(Lines(linesEach, "row " + std::to_string(i)), category, "1/2/2026", "$1.00");
    }

    void Pass()
    {
        AccountListing listing(answers, worksheet, measurer);
        listing.CalcTtls();
        accountLines = listing.AccountLineCount();
        worksheetLines = listing.WorksheetLineCount();
        for (int p = 0, n = answers.NoOf18_9; p < n; ++p)
            listing.Calc12(p);
        for (int p = 0, n = answers.NoOfWorksheet; p < n; ++p)
            listing.Calc24(p);
    }

    Slot Account(int page, int s) const
    {
        return {answers.Get(12, page, 4 * s + 6), answers.Get(12, page, 4 * s + 7), answers.Get(12, page, 4 * s + 8),
                answers.Get(12, page, 4 * s + 9)};
    }
    std::vector<std::string> AccountTexts(int page) const
    {
        std::vector<std::string> texts;
        for (int s = 0; s < (page == 0 ? 19 : 30); ++s)
            texts.push_back(answers.Get(12, page, 4 * s + 7));
        return texts;
    }
    // date, text, category, amount
    std::array<std::string, 4> Worksheet(int page, int s) const
    {
        return {answers.Get(24, page, 4 * s), answers.Get(24, page, 4 * s + 1), answers.Get(24, page, 4 * s + 2),
                answers.Get(24, page, 4 * s + 3)};
    }
    bool Shows(const std::string &text) const
    {
        for (int p = 0; p < answers.NoOf18_9; ++p)
            for (int i = 6; i <= 125; ++i)
                if (answers.Get(12, p, i).find(text) != std::string::npos)
                    return true;
        return false;
    }

    CollectingSink sink;
    TAnswer answers;
    WSchedList worksheet;
    DeterministicMeasurer measurer;
    int accountLines = 0;
    int worksheetLines = 0;
};

TEST_F(Listing, NoRowsGiveTheHeadingsOnTwoPagesAndOneEmptyWorksheetPage)
{
    for (const bool oneEmptyRow : {false, true}) {
        SCOPED_TRACE(oneEmptyRow ? "the worksheet's empty row" : "no row");
        worksheet.Rows.assign(oneEmptyRow ? 1 : 0, WSchedList::Row{});
        answers.Set(12, 0, 50, "stale");
        answers.Set(24, 0, 5, "stale");
        Pass();

        EXPECT_EQ(accountLines, 21);
        EXPECT_EQ(answers.NoOf18_9, 2);
        EXPECT_EQ(answers.NoOfWorksheet, 1);
        std::vector<std::string> page0;
        for (int c = 0; c < 10; ++c) {
            if (c > 0)
                page0.push_back("");
            page0.push_back(kHeadings[static_cast<std::size_t>(c)]);
        }
        EXPECT_EQ(AccountTexts(0), page0);
        std::vector<std::string> page1(30);
        page1[1] = kHeadings[10];
        EXPECT_EQ(AccountTexts(1), page1);
        for (int s = 0; s < 19; ++s)
            EXPECT_EQ(Account(0, s), (Slot{"", page0[static_cast<std::size_t>(s)], "", ""})) << s;
        EXPECT_EQ(answers.Get(12, 0, 82), "0.00");
        EXPECT_EQ(answers.Get(12, 0, 83), "0.00");
        EXPECT_EQ(answers.Get(12, 1, 4), "2");
        EXPECT_EQ(answers.Get(12, 1, 5), "2");
        for (int i = 0; i <= 239; ++i)
            EXPECT_EQ(answers.Get(24, 0, i), "") << i;
        EXPECT_TRUE(sink.Messages().empty());
    }
}

TEST_F(Listing, CaptionOnEveryPageAndPageNumbersFromThe2nd)
{
    answers.Set(0, 0, 0, "franklin");
    answers.Set(0, 0, 1, "baby doe");
    answers.Set(0, 0, 2, "judge");
    answers.Set(0, 0, 3, "Jane Émile Roe");
    answers.Set(0, 0, 4, "2026 ad 17");
    AddLines(29, 1);
    Pass();
    ASSERT_EQ(answers.NoOf18_9, 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(answers.Get(12, p, 0), "FRANKLIN");
        EXPECT_EQ(answers.Get(12, p, 1), "BABY DOE");
        EXPECT_EQ(answers.Get(12, p, 2), "JANE ÉMILE ROE");
        EXPECT_EQ(answers.Get(12, p, 3), "2026 AD 17");
    }
    EXPECT_EQ(answers.Get(12, 0, 4), "");
    EXPECT_EQ(answers.Get(12, 2, 4), "3");
    EXPECT_EQ(answers.Get(12, 2, 5), "3");
}

TEST_F(Listing, UnmatchedCategoryCountsButIsNotListed)
{
    Add("Nobody Listed", "physician", "1/1/2026", "$10.00");
    Add("Also Hidden", "Other", "1/1/2026", "$5.00", "X");
    AddLines(27, 1, "no such category");
    Pass();
    EXPECT_EQ(accountLines, 21 + 29);
    EXPECT_EQ(answers.NoOf18_9, 3);
    EXPECT_FALSE(Shows("Nobody"));
    EXPECT_FALSE(Shows("Hidden"));
    EXPECT_FALSE(Shows("row "));
    EXPECT_EQ(answers.Get(12, 0, 82), "37.00");
    EXPECT_EQ(answers.Get(12, 0, 83), "5.00");
    // Its lines still count on the worksheet, which lists every row.
    EXPECT_EQ(Worksheet(0, 0), (std::array<std::string, 4>{"1/1/2026", "Nobody Listed", "physician", "$10.00"}));
}

TEST_F(Listing, BothMaintenanceSpellingsListUnderItsHeading)
{
    Add("Worksheet Spelling", "Maintenance/RC 5103.15", "3/1/2026", "$20.00");
    Add("Form Spelling", "Maintenance/R.C. 5103.15", "3/2/2026", "$30.00");
    Pass();
    // Six headings with their empty lines come first: the heading is line 12.
    EXPECT_EQ(Account(0, 12).text, "MAINTENANCE/5103.15 MED CARE*");
    EXPECT_EQ(Account(0, 13), (Slot{"3/1/2026", "Worksheet Spelling", "$20.00", ""}));
    EXPECT_EQ(Account(0, 14), (Slot{"3/2/2026", "Form Spelling", "$30.00", ""}));
    EXPECT_EQ(Account(0, 15).text, "");
    EXPECT_EQ(Account(0, 16).text, "FOSTER CARE *****");
}

TEST_F(Listing, MarkedAmountsAreActualCostsAndUnreadableOnesCountZero)
{
    Add("Dr. Actual | 1 Main St | Columbus, OH 43215", "Physician", "2/3/2026", "$1,200.50", "X");
    Add("Dr. Charged", "Physician", "2/4/2026", "$99.50", "");
    Add("Dr. Lowercase x", "Physician", "2/5/2026", "$0.25", "x");
    Add("Dr. Garbled", "Physician", "2/6/2026", "twelve", "X");
    Pass();
    EXPECT_EQ(Account(0, 0).text, "PHYSICIAN(S) *****");
    EXPECT_EQ(Account(0, 1), (Slot{"2/3/2026", "Dr. Actual", "", "$1,200.50"}));
    EXPECT_EQ(Account(0, 2), (Slot{"", "1 Main St", "", ""}));
    EXPECT_EQ(Account(0, 3), (Slot{"", "Columbus, OH 43215", "", ""}));
    EXPECT_EQ(Account(0, 4), (Slot{"2/4/2026", "Dr. Charged", "$99.50", ""}));
    EXPECT_EQ(Account(0, 5), (Slot{"2/5/2026", "Dr. Lowercase x", "$0.25", ""}));
    EXPECT_EQ(Account(0, 6), (Slot{"2/6/2026", "Dr. Garbled", "", "twelve"}));
    EXPECT_EQ(Account(0, 7).text, "");
    EXPECT_EQ(answers.Get(12, 0, 82), "99.75");
    EXPECT_EQ(answers.Get(12, 0, 83), "1,200.50");
    EXPECT_EQ(sink.Codes(), (std::vector<std::uint16_t>{21202}));
}

TEST_F(Listing, ExpenseCrossingAPageCarriesDateAndAmountOnItsFirstLineOnly)
{
    AddLines(16, 1, "Physician");
    Add("Crossing | second | third", "Physician", "4/4/2026", "$7.00");
    Pass();
    EXPECT_EQ(Account(0, 17), (Slot{"4/4/2026", "Crossing", "$7.00", ""}));
    EXPECT_EQ(Account(0, 18), (Slot{"", "second", "", ""}));
    EXPECT_EQ(Account(1, 0), (Slot{"", "third", "", ""}));
    EXPECT_EQ(Account(1, 1).text, "");
    EXPECT_EQ(Account(1, 2).text, "HOSPITAL/MEDICAL FACILITY *****");
    EXPECT_EQ(answers.Get(12, 0, 82), "23.00");
}

TEST_F(Listing, WorksheetPagesCutAtSixtyLinesAndPrintWiderThanTheyCount)
{
    AddLines(58, 1);
    // 40 characters: two lines in the counting column, one in print.
    Add(std::string(40, 'w'), "Agency Fees", "5/5/2026", "$2.00");
    Add("Crossing | second | third", "Foster Care", "6/6/2026", "$3.00");
    Pass();
    EXPECT_EQ(worksheetLines, 58 + 2 + 3);
    EXPECT_EQ(answers.NoOfWorksheet, 2);
    using W = std::array<std::string, 4>;
    EXPECT_EQ(Worksheet(0, 0), (W{"1/2/2026", "row 0 1", "Court Costs", "$1.00"}));
    EXPECT_EQ(Worksheet(0, 58), (W{"5/5/2026", std::string(40, 'w'), "Agency Fees", "$2.00"}));
    EXPECT_EQ(Worksheet(0, 59), (W{"6/6/2026", "Crossing", "Foster Care", "$3.00"}));
    EXPECT_EQ(Worksheet(1, 0), (W{"", "second", "", ""}));
    EXPECT_EQ(Worksheet(1, 1), (W{"", "third", "", ""}));
    EXPECT_EQ(Worksheet(1, 2), (W{"", "", "", ""}));
}

struct CountCase {
    const char *name;
    int rows;
    int linesEach;
    int accountLines, accountPages;
    int worksheetLines, worksheetPages;
};

class PageCounts : public Listing, public ::testing::WithParamInterface<CountCase> {};

TEST_P(PageCounts, FromTheLineCounts)
{
    const CountCase &c = GetParam();
    AddLines(c.rows, c.linesEach);
    Pass();
    EXPECT_EQ(accountLines, c.accountLines);
    EXPECT_EQ(answers.NoOf18_9, c.accountPages);
    EXPECT_EQ(answers.PgCt()[12], c.accountPages - 1);
    EXPECT_EQ(worksheetLines, c.worksheetLines);
    EXPECT_EQ(answers.NoOfWorksheet, c.worksheetPages);
    EXPECT_EQ(answers.PgCt()[24], c.worksheetPages - 1);
    EXPECT_TRUE(sink.Messages().empty());
}

const CountCase kCounts[] = {
    {"L21", 0, 1, 21, 2, 0, 1},   {"L49", 28, 1, 49, 2, 28, 1},     {"L50", 29, 1, 50, 3, 29, 1},
    {"L79", 58, 1, 79, 3, 58, 1}, {"L80_W59", 59, 1, 80, 4, 59, 1}, {"W60", 20, 3, 81, 4, 60, 1},
    {"W61", 61, 1, 82, 4, 61, 2}, {"W120", 40, 3, 141, 6, 120, 2},  {"L709_24_pages", 688, 1, 709, 24, 688, 12},
};

INSTANTIATE_TEST_SUITE_P(Listing, PageCounts, ::testing::ValuesIn(kCounts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Listing, GrowingGivesFreshCopiesAndShrinkingKeepsThem)
{
    AddLines(28, 1);
    answers.Set(12, 2, 150, "left from an old case");
    answers.SetOvRide(12, 2, 150, true);
    Pass();
    ASSERT_EQ(answers.NoOf18_9, 2);
    EXPECT_EQ(answers.PgCt()[12], 1);
    answers.Set(12, 1, 150, "typed on page 2");

    AddLines(1, 1);
    Pass();
    ASSERT_EQ(answers.NoOf18_9, 3);
    EXPECT_EQ(answers.PgCt()[12], 2);
    EXPECT_EQ(answers.Get(12, 1, 150), "typed on page 2");
    EXPECT_EQ(answers.Get(12, 2, 150), "");
    EXPECT_FALSE(answers.OvRide(12, 2, 150));
    EXPECT_EQ(answers.Get(12, 2, 7), "ALL OTHER DISBURSEMENTS *****");
    EXPECT_EQ(answers.Get(12, 2, 4), "3");

    answers.Set(12, 2, 150, "typed on page 3");
    worksheet.Rows.pop_back();
    Pass();
    EXPECT_EQ(answers.NoOf18_9, 2);
    EXPECT_EQ(answers.PgCt()[12], 2);
    EXPECT_EQ(answers.Get(12, 2, 150), "typed on page 3");
    EXPECT_EQ(answers.Get(12, 1, 150), "typed on page 2");
    EXPECT_EQ(answers.Get(12, 1, 5), "2");
}

TEST_F(Listing, TwentyFivePagesNeededKeepsToTwentyFour)
{
    // 1441 lines: 25 worksheet pages, and 1462 account lines, 49 pages.
    AddLines(1441, 1, "Physician");
    Pass();
    EXPECT_EQ(sink.Codes(), (std::vector<std::uint16_t>{12100, 12110}));
    EXPECT_EQ(answers.NoOf18_9, 24);
    EXPECT_EQ(answers.NoOfWorksheet, 24);
    EXPECT_EQ(answers.PgCt()[12], 23);
    EXPECT_EQ(answers.PgCt()[24], 23);
    // The last page built holds lines 679 to 708: rows 678 to 707.
    EXPECT_EQ(Account(23, 0).text, "row 678 1");
    EXPECT_EQ(Account(23, 29).text, "row 707 1");
    EXPECT_EQ(answers.Get(12, 23, 5), "24");
    EXPECT_EQ(Worksheet(23, 59)[1], "row 1439 1");
    EXPECT_EQ(answers.Get(12, 24, 7), "");

    AccountListing listing(answers, worksheet, measurer);
    sink.Clear();
    answers.Set(12, 24, 0, "untouched");
    listing.Calc12(25);
    listing.Calc12(24);
    EXPECT_EQ(sink.Codes(), (std::vector<std::uint16_t>{29120}));
    EXPECT_EQ(answers.Get(12, 24, 0), "");
}

TEST_F(Listing, ThePassBuildsThePagesAndASecondPassChangesNothing)
{
    answers.Set(0, 0, 4, "2026 ad 17");
    AddLines(30, 3, "Physician");
    answers.Calculate(worksheet, measurer);
    // 111 account lines, 90 worksheet lines.
    ASSERT_EQ(answers.NoOf18_9, 5);
    EXPECT_EQ(answers.NoOfWorksheet, 2);
    EXPECT_EQ(Account(0, 1), (Slot{"1/2/2026", "row 0 1", "$1.00", ""}));
    EXPECT_EQ(answers.Get(12, 4, 3), "2026 AD 17");
    EXPECT_EQ(answers.Get(12, 0, 82), "30.00");
    std::vector<std::string> once;
    for (int type : {12, 24})
        for (int copy = 0; copy < kCopies; ++copy)
            for (int i = 0; i <= FieldsPerPage(type); ++i)
                once.push_back(answers.Get(type, copy, i));
    answers.Calculate(worksheet, measurer);
    std::vector<std::string> twice;
    for (int type : {12, 24})
        for (int copy = 0; copy < kCopies; ++copy)
            for (int i = 0; i <= FieldsPerPage(type); ++i)
                twice.push_back(answers.Get(type, copy, i));
    EXPECT_EQ(once, twice);
}

// The listing lays each page out from one wrapping of each text; the described
// walk wraps again for every count and page. Both must agree to the letter.
TEST(ListingWalk, SameAnswersAsTheDescribedWalk)
{
    const char *categories[] = {"Physician",
                                "Hospital/Medical Facility",
                                "Attorney Fees",
                                "Attorney's Costs",
                                "Agency Fees",
                                "Agency's Costs",
                                "Maintenance/RC 5103.15",
                                "Maintenance/R.C. 5103.15",
                                "Foster Care",
                                "Guardian Ad Litem",
                                "Court Costs",
                                "Other Disbursements",
                                "court costs",
                                ""};
    const char *words[] = {"Dr.",  "Jane",     "Q.",     "Public,",   "M.D.", "|",     "1234",
                           "Long", "Street",   "Avenue", "Columbus,", "OH",   "43215", "Wilhelmina-Montgomery",
                           "St.",  "Suite 100"};
    DeterministicMeasurer measurer;
    measurer.SetUnits(U' ', 2.5);
    measurer.SetUnits(U'i', 2.25);
    measurer.SetUnits(U'M', 9.5);
    std::mt19937 random(4242);
    for (int round = 0; round < 33; ++round) {
        SCOPED_TRACE(round);
        WSchedList worksheet;
        worksheet.Rows.clear();
        const int rows = static_cast<int>(random() % (round < 30 ? 60 : 400));
        for (int r = 0; r < rows; ++r) {
            std::string name;
            for (int w = 0, n = static_cast<int>(random() % 14); w < n; ++w)
                name += (w ? " " : "") + std::string(words[random() % std::size(words)]);
            worksheet.Rows.push_back({name, categories[random() % std::size(categories)], std::to_string(r),
                                      "$" + std::to_string(random() % 5000) + ".25", random() % 3 ? "" : "X"});
        }
        CollectingSink sink;
        TAnswer mine, described;
        for (TAnswer *a : {&mine, &described})
            a->PgCt()[12] = static_cast<int>(random() % 3);
        described.PgCt()[12] = mine.PgCt()[12];
        for (int pass = 0; pass < 2; ++pass) {
            AccountListing listing(mine, worksheet, measurer);
            listing.CalcTtls();
            for (int p = 0, n = mine.NoOf18_9; p < n; ++p)
                listing.Calc12(p);
            for (int p = 0, n = mine.NoOfWorksheet; p < n; ++p)
                listing.Calc24(p);
            literal::Listing(described, worksheet, measurer).Pass();
        }
        ASSERT_EQ(mine.NoOf18_9, described.NoOf18_9);
        ASSERT_EQ(mine.NoOfWorksheet, described.NoOfWorksheet);
        ASSERT_EQ(mine.PgCt(), described.PgCt());
        for (int type : {12, 24})
            for (int copy = 0; copy < kCopies; ++copy)
                for (int i = 0; i <= FieldsPerPage(type); ++i)
                    ASSERT_EQ(mine.Get(type, copy, i), described.Get(type, copy, i))
                        << "page type " << type << " copy " << copy << " answer " << i;
    }
}

// A measurer that keeps its wraps from pass to pass, as the app's does.
class LastingMeasurer final : public TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const override
    {
        return inner.TextWidth(utf8, family, pointSize);
    }
    std::unique_ptr<Run> BeginRun(const std::string &family, double pointSize) const override
    {
        return inner.BeginRun(family, pointSize);
    }
    WrapCache *LastingWraps() const override { return &wraps; }

    DeterministicMeasurer inner;
    mutable WrapCache wraps{*this};
};

void ListingPass(TAnswer &answers, const WSchedList &worksheet, const TextMeasurer &measurer)
{
    AccountListing listing(answers, worksheet, measurer);
    listing.CalcTtls();
    for (int p = 0, n = answers.NoOf18_9; p < n; ++p)
        listing.Calc12(p);
    for (int p = 0, n = answers.NoOfWorksheet; p < n; ++p)
        listing.Calc24(p);
}

// Wraps kept from earlier passes must never show a text that has changed
// since: every pass still gives the described walk's answers, and a pass over
// unchanged rows measures nothing.
TEST(LastingWraps, LaterPassesMatchTheDescribedWalkAndMeasureOnlyNewTexts)
{
    LastingMeasurer measurer;
    WSchedList worksheet;
    worksheet.Rows.clear();
    for (int r = 0; r < 40; ++r)
        worksheet.Rows.push_back({Lines(1 + r % 4, "payee " + std::to_string(r)) + " with a longer street name",
                                  r % 2 ? "Court Costs" : "Physician", "1/2/2026", "$5.00", ""});
    CollectingSink sink;
    TAnswer mine;
    const std::vector<std::function<void()>> edits = {
        [] {},
        [&] { worksheet.Rows[3][0] = Lines(9, "now much longer"); },
        [&] { worksheet.Rows[7][0] = "short"; },
        [&] {
            worksheet.Rows.push_back({Lines(6, "added"), "Foster Care", "3/3/2026", "$9.00", "X"});
        },
        [&] { worksheet.Rows.erase(worksheet.Rows.begin()); },
        [&] { worksheet.Rows.resize(2); },
    };
    for (std::size_t step = 0; step < edits.size(); ++step) {
        SCOPED_TRACE(step);
        edits[step]();
        ListingPass(mine, worksheet, measurer);
        TAnswer described;
        described.PgCt() = mine.PgCt();
        literal::Listing(described, worksheet, DeterministicMeasurer()).Pass();
        ASSERT_EQ(mine.NoOf18_9, described.NoOf18_9);
        ASSERT_EQ(mine.NoOfWorksheet, described.NoOfWorksheet);
        for (int type : {12, 24})
            // the copies this pass wrote; shrinking keeps the others as they were
            for (int copy = 0; copy < (type == 12 ? described.NoOf18_9 : described.NoOfWorksheet); ++copy)
                for (int i = 0; i <= FieldsPerPage(type); ++i)
                    ASSERT_EQ(mine.Get(type, copy, i), described.Get(type, copy, i))
                        << "page type " << type << " copy " << copy << " answer " << i;
        const auto measured = measurer.inner.CharactersMeasured();
        ListingPass(mine, worksheet, measurer);
        EXPECT_EQ(measurer.inner.CharactersMeasured(), measured) << "an unchanged pass wrapped again";
    }
    EXPECT_TRUE(sink.Codes().empty());
}

// A listing page the last pass wrote is skipped only while nothing it shows
// has changed: each edit below, made to both stores, still ends with the
// described walk's answers, and an unchanged pass writes no page.
TEST(LastingWraps, RememberedListingPagesFollowEveryChange)
{
    LastingMeasurer measurer;
    WSchedList worksheet;
    worksheet.Rows.clear();
    for (int r = 0; r < 60; ++r)
        worksheet.Rows.push_back({Lines(1 + r % 3, "payee " + std::to_string(r)), r % 3 ? "Court Costs" : "Physician",
                                  "1/2/2026", "$5.00", r % 5 ? "" : "X"});
    CollectingSink sink;
    TAnswer mine, reference;
    const auto both = [&](const std::function<void(TAnswer &)> &edit) {
        edit(mine);
        edit(reference);
    };
    const std::vector<std::pair<const char *, std::function<void()>>> edits = {
        {"nothing", [] {}},
        {"a listing answer typed over", [&] { both([](TAnswer &a) { a.Set(12, 1, 7, "typed"); }); }},
        {"a listing answer overridden",
         [&] {
             both([](TAnswer &a) {
                 a.SetOvRide(12, 0, 11, true);
                 a.Set(12, 0, 11, "kept?");
             });
         }},
        {"a worksheet answer set to what it held",
         [&] { both([](TAnswer &a) { a.Set(24, 0, 1, std::string(a.Get(24, 0, 1))); }); }},
        {"the minor's name", [&] { both([](TAnswer &a) { a.Set(0, 0, 0, "Jane Q. Doe"); }); }},
        {"the county", [&] { both([](TAnswer &a) { a.Set(0, 0, 4, "Franklin"); }); }},
        {"an amount, same lines", [&] { worksheet.Rows[4][3] = "$7.25"; }},
        {"a row marked", [&] { worksheet.Rows[6][4] = "X"; }},
        {"a description moved to another category", [&] { worksheet.Rows[1][1] = "Foster Care"; }},
        {"a listing copy made afresh", [&] { both([](TAnswer &a) { a.CreateAPage(12, 1); }); }},
        {"a worksheet copy made afresh", [&] { both([](TAnswer &a) { a.CreateAPage(24, 0); }); }},
        {"two listing copies swapped",
         [&] { both([](TAnswer &a) { std::swap(a.Record().Page[12][0], a.Record().Page[12][1]); }); }},
        {"rows added",
         [&] {
             worksheet.Rows.push_back({Lines(8, "added"), "Agency Fees", "3/3/2026", "$9.00", ""});
         }},
    };
    for (const auto &[what, edit] : edits) {
        SCOPED_TRACE(what);
        edit();
        ListingPass(mine, worksheet, measurer);
        literal::Listing(reference, worksheet, DeterministicMeasurer()).Pass();
        ASSERT_EQ(mine.NoOf18_9, reference.NoOf18_9);
        ASSERT_EQ(mine.NoOfWorksheet, reference.NoOfWorksheet);
        ASSERT_EQ(mine.PgCt(), reference.PgCt());
        for (int type : {12, 24})
            for (int copy = 0; copy < kCopies; ++copy)
                for (int i = 0; i <= FieldsPerPage(type); ++i) {
                    ASSERT_EQ(mine.Get(type, copy, i), reference.Get(type, copy, i))
                        << "page type " << type << " copy " << copy << " answer " << i;
                    ASSERT_EQ(mine.OvRide(type, copy, i), reference.OvRide(type, copy, i));
                }
        const auto account = mine.Page(12, 0).TextStamp();
        const auto sheet = mine.Page(24, 0).TextStamp();
        ListingPass(mine, worksheet, measurer);
        EXPECT_EQ(mine.Page(12, 0).TextStamp(), account) << "an unchanged pass wrote the listing again";
        EXPECT_EQ(mine.Page(24, 0).TextStamp(), sheet) << "an unchanged pass wrote the worksheet again";
    }
    EXPECT_TRUE(sink.Codes().empty());
}

// A measurer without lasting wraps may change its widths between passes.
TEST(LastingWraps, WithoutThemEveryPassWrapsWithTheCurrentWidths)
{
    DeterministicMeasurer measurer;
    WSchedList worksheet;
    worksheet.Rows = {{std::string(25, 'w'), "Physician", "1/2/2026", "$1.00", ""}};
    TAnswer answers;
    AccountListing(answers, worksheet, measurer).CalcTtls();
    AccountListing first(answers, worksheet, measurer);
    first.CalcTtls();
    measurer.SetUnits(U'w', 12.0);
    AccountListing second(answers, worksheet, measurer);
    second.CalcTtls();
    EXPECT_GT(second.AccountLineCount(), first.AccountLineCount());
}

// The same text in one font at two widths is two wraps.
TEST(LastingWraps, OneWrapPerFontAndWidth)
{
    DeterministicMeasurer measurer;
    WrapCache wraps(measurer);
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
    const std::size_t narrow = wraps.Wrap(text, "Segoe UI", 10, 1.0).size();
    const std::size_t wide = wraps.Wrap(text, "Segoe UI", 10, 4.0).size();
    EXPECT_GT(narrow, wide);
    EXPECT_EQ(wraps.Wrap(text, "Segoe UI", 8, 1.0), WrapTextToWidth(text, "Segoe UI", 8, 1.0, measurer));
    EXPECT_EQ(wraps.Wrap(text, "Segoe UI", 10, 1.0).size(), narrow);
    EXPECT_EQ(wraps.Size(), 3u);
    wraps.Clear();
    EXPECT_EQ(wraps.Size(), 0u);
}

} // namespace
