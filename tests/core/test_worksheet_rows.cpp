#include "answers/WorksheetRows.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvox;

namespace {

using Row = WSchedList::Row;

Row MakeRow(const std::string &name, const std::string &date = {}, const std::string &amount = "$0.00",
            const std::string &category = {})
{
    return Row{name, category, date, amount, ""};
}

std::vector<std::string> Column(const std::vector<Row> &rows, int column)
{
    std::vector<std::string> out;
    for (const Row &row : rows)
        out.push_back(row[static_cast<size_t>(column)]);
    return out;
}

class Worksheet : public ::testing::Test {
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

struct AmountCase {
    const char *name;
    const char *typed;
    const char *stored;
    const char *shownAgain;
};

class StoredAmounts : public Worksheet, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(StoredAmounts, FormatsAndShowsAgainWithoutMessages)
{
    const AmountCase &c = GetParam();
    const std::string stored = StoredAmount(c.typed);
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(ShownAmount(stored), c.shownAgain);
    EXPECT_TRUE(sink.Messages().empty());
}

const AmountCase kAmounts[] = {
    {"thousands", "1234.5", "$1,234.50", "1234.50"},
    {"millions", "1234567.891", "$1,234,567.89", "1234567.89"},
    {"negative", "-5", "$-5.00", "-5.00"},
    {"blanks_around", "  12  ", "$12.00", "12.00"},
    {"half_cent_rounds_up", "0.005", "$0.01", "0.01"},
    {"empty", "", "$0.00", "0.00"},
    {"thousands_separator_typed", "1,000", "$0.00", "0.00"},
    {"dollar_and_separator_typed", "$1,000", "$0.00", "0.00"},
    {"dollar_typed", "$5", "$0.00", "0.00"},
    {"parentheses", "(5)", "$0.00", "0.00"},
    {"letters", "abc", "$0.00", "0.00"},
};

INSTANTIATE_TEST_SUITE_P(Cases, StoredAmounts, ::testing::ValuesIn(kAmounts),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Worksheet, DecimalCommaRecordReadsAndWritesItsOwnSeparators)
{
    RegionalSettings european;
    european.DecimalSeparator = ',';
    european.ThousandSeparator = '.';
    SetRegional(european);
    const std::string comma = StoredAmount("1234,5");
    const std::string point = StoredAmount("1234.5");
    SetRegional(RegionalSettings{});
    EXPECT_EQ(comma, "$1.234,50");
    EXPECT_EQ(point, "$0,00");
}

TEST_F(Worksheet, RowAndEntryCarryEveryField)
{
    WorksheetEntry entry;
    entry.NameAndAddress = "Dr. Ann Lee\r\n12 Elm St.\r\nColumbus, OH";
    entry.Category = CategoryNumber("Hospital/Medical Facility");
    entry.Date = "03/04/26";
    entry.Amount = "1500";
    entry.ActualCost = true;

    const Row row = RowFromEntry(entry);
    EXPECT_EQ(row, (Row{"Dr. Ann Lee | 12 Elm St. | Columbus, OH", "Hospital/Medical Facility", "03/04/26", "$1,500.00",
                        "X"}));

    WorksheetEntry again = EntryFromRow(row);
    EXPECT_EQ(again.Amount, "1500.00");
    again.Amount = entry.Amount;
    EXPECT_EQ(again, entry);
}

TEST_F(Worksheet, PastedLineBreaksNeverReachACell)
{
    // Windows platform: "\r\n" is the stored break; a lone "\n" or "\r" came from a paste.
    WorksheetEntry entry;
    entry.NameAndAddress = "Ann\r\nLee\nCourt\rSt.";
    entry.Date = "1/2\r\n/26";
    entry.Amount = "5\n";
    const Row row = RowFromEntry(entry);
    EXPECT_EQ(row[WSchedList::NameAndAddress], "Ann | Lee | Court | St.");
    EXPECT_EQ(row[WSchedList::Date], "1/2 /26");
    EXPECT_EQ(row[WSchedList::AmountDue], "$0.00");
}

TEST_F(Worksheet, CellsThatMatchNoCategoryOrMarkShowNone)
{
    const WorksheetEntry entry = EntryFromRow(Row{"x", "agency fees", "", "", "x"});
    EXPECT_EQ(entry.Category, 0);
    EXPECT_FALSE(entry.ActualCost);
    EXPECT_EQ(RowFromEntry(entry)[WSchedList::ExpenseDescription], "");
    EXPECT_EQ(CategoryText(0), "");
    EXPECT_EQ(CategoryText(12), "");
    for (int n = 1; n <= kExpenseCategoryCount; ++n)
        EXPECT_EQ(CategoryNumber(CategoryText(n)), n);
    EXPECT_EQ(CategoryText(9), "Maintenance/RC 5103.15");
}

TEST_F(Worksheet, SortByAmountIsNumeric)
{
    std::vector<Row> rows = {MakeRow("a", "", "$100.00"), MakeRow("b", "", "$2.00"), MakeRow("c", "", "$10.00"),
                             MakeRow("d", "", "$-1,000.00")};
    SortRows(rows, WSchedList::AmountDue);
    EXPECT_EQ(Column(rows, WSchedList::AmountDue),
              (std::vector<std::string>{"$-1,000.00", "$2.00", "$10.00", "$100.00"}));
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(Worksheet, SortByNameUsesCharacterCodes)
{
    std::vector<Row> rows = {MakeRow("bob"), MakeRow("Alice"), MakeRow("alice"), MakeRow("Zed"), MakeRow("")};
    SortRows(rows, WSchedList::NameAndAddress);
    EXPECT_EQ(Column(rows, WSchedList::NameAndAddress), (std::vector<std::string>{"", "Alice", "Zed", "alice", "bob"}));
}

TEST_F(Worksheet, SortByDatePutsEmptyDatesFirstThenDateOrder)
{
    std::vector<Row> rows = {MakeRow("dec", "12/01/2025"),   MakeRow("blank1"),
                             MakeRow("jan", "01/15/2025"),   MakeRow("blank2"),
                             MakeRow("mar24", "03/02/2024"), MakeRow("feb", "2/3/25")};
    SortRows(rows, WSchedList::Date);
    EXPECT_EQ(Column(rows, WSchedList::NameAndAddress),
              (std::vector<std::string>{"blank1", "blank2", "mar24", "jan", "feb", "dec"}));
    EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(Worksheet, UnreadableDateSortsAsTodayAndReportsEveryComparison)
{
    // Today is pinned to 12/11/2026. Three passes compare the unreadable date five times.
    std::vector<Row> rows = {MakeRow("late", "12/31/2026"), MakeRow("soon", "5 January 2026"),
                             MakeRow("early", "01/01/2026")};
    SortRows(rows, WSchedList::Date);
    EXPECT_EQ(Column(rows, WSchedList::NameAndAddress), (std::vector<std::string>{"early", "soon", "late"}));
    EXPECT_EQ(sink.Codes(), std::vector<std::uint16_t>(5, 21340));
}

TEST_F(Worksheet, UnreadableAmountSortsAsZeroAndIsReported)
{
    std::vector<Row> rows = {MakeRow("five", "", "$5.00"), MakeRow("junk", "", "abc")};
    SortRows(rows, WSchedList::AmountDue);
    EXPECT_EQ(Column(rows, WSchedList::NameAndAddress), (std::vector<std::string>{"junk", "five"}));
    ASSERT_FALSE(sink.Messages().empty());
    EXPECT_EQ(sink.Messages()[0].Code, 21202);
}

TEST_F(Worksheet, SortKeepsTheOrderOfEqualRows)
{
    std::vector<Row> rows = {MakeRow("first", "", "$5.00", "Court Costs"), MakeRow("second", "", "$5.00"),
                             MakeRow("cheap", "", "$1.00", "Court Costs"), MakeRow("third", "", "$5.00")};
    std::vector<Row> byAmount = rows;
    SortRows(byAmount, WSchedList::AmountDue);
    EXPECT_EQ(Column(byAmount, WSchedList::NameAndAddress),
              (std::vector<std::string>{"cheap", "first", "second", "third"}));

    std::vector<Row> byCategory = rows;
    SortRows(byCategory, WSchedList::ExpenseDescription);
    EXPECT_EQ(Column(byCategory, WSchedList::NameAndAddress),
              (std::vector<std::string>{"second", "third", "first", "cheap"}));
}

std::vector<Row> Abc()
{
    return {MakeRow("A"), MakeRow("B"), MakeRow("C")};
}

TEST_F(Worksheet, RemoveSelectsTheRowThatTakesItsPlace)
{
    struct Case {
        int selected;
        std::vector<std::string> left;
        int selectedAfter;
    };
    for (const Case &c : {Case{0, {"B", "C"}, 0}, Case{1, {"A", "C"}, 1}, Case{2, {"A", "B"}, 1}}) {
        WorksheetRows table(Abc());
        ASSERT_TRUE(table.Select(c.selected));
        EXPECT_TRUE(table.Remove());
        EXPECT_EQ(Column(table.Rows(), 0), c.left) << "removing row " << c.selected;
        EXPECT_EQ(table.Selected(), c.selectedAfter) << "removing row " << c.selected;
    }
}

TEST_F(Worksheet, RemovingTheOnlyRowLeavesAnEmptyTableWhereRowCommandsDoNothing)
{
    WorksheetRows table({MakeRow("only")});
    EXPECT_TRUE(table.Remove());
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.Selected(), -1);

    EXPECT_FALSE(table.Remove());
    EXPECT_FALSE(table.Select(0));
    EXPECT_FALSE(table.Store(WorksheetEntry{"x", 1, "", "1", true}));
    table.Sort(WSchedList::NameAndAddress);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.Selected(), -1);

    table.Insert();
    EXPECT_EQ(table.RowCount(), 1);
    EXPECT_EQ(table.Selected(), 0);
}

TEST_F(Worksheet, InsertAndAddOpenAnEmptyRowAndSelectIt)
{
    WorksheetRows table(Abc());
    table.Select(1);
    table.Insert();
    EXPECT_EQ(Column(table.Rows(), 0), (std::vector<std::string>{"A", "", "B", "C"}));
    EXPECT_EQ(table.Selected(), 1);
    EXPECT_EQ(table.Rows()[1], Row{});

    table.Add();
    EXPECT_EQ(table.RowCount(), 5);
    EXPECT_EQ(table.Selected(), 4);
    EXPECT_EQ(table.Rows()[4], Row{});
}

TEST_F(Worksheet, SelectionStaysInsideTheTable)
{
    WorksheetRows table(Abc());
    table.Select(2);
    EXPECT_FALSE(table.Select(3));
    EXPECT_FALSE(table.Select(-1));
    EXPECT_EQ(table.Selected(), 2);
}

TEST_F(Worksheet, StoreWritesOnlyTheSelectedRow)
{
    WorksheetRows table(Abc());
    table.Select(2);
    EXPECT_TRUE(table.Store(WorksheetEntry{"Court\r\nClerk", 5, "1/2/26", "75", false}));
    EXPECT_EQ(table.Rows()[2], (Row{"Court | Clerk", "Court Costs", "1/2/26", "$75.00", ""}));
    EXPECT_EQ(table.Rows()[0], MakeRow("A"));
    EXPECT_EQ(table.Rows()[1], MakeRow("B"));
}

TEST_F(Worksheet, SortSelectsTheSecondRowAndClearLeavesOneEmptyRow)
{
    WorksheetRows table({MakeRow("c"), MakeRow("a"), MakeRow("b")});
    table.Sort(WSchedList::NameAndAddress);
    EXPECT_EQ(Column(table.Rows(), 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(table.Selected(), 1);

    WorksheetRows single({MakeRow("only")});
    single.Sort(WSchedList::NameAndAddress);
    EXPECT_EQ(single.Selected(), 0);

    table.Clear();
    EXPECT_EQ(table.Rows(), std::vector<Row>(1));
    EXPECT_EQ(table.Selected(), 0);
}

} // namespace
