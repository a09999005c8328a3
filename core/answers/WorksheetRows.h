#pragma once

#include "answers/WSchedList.h"

#include <string>
#include <vector>

namespace kelvox {

// The expense categories are numbered 1 to 11 in the order of the worksheet's
// radio buttons; 0 means none. Their stored texts are what the account listing
// looks for.
constexpr int kExpenseCategoryCount = 11;
// The number whose stored text equals the cell exactly (with case), else 0.
int CategoryNumber(const std::string &cell);
// Empty for 0 and for numbers outside the table.
std::string CategoryText(int number);

// The amount cell for a typed amount: "$" and the number with two decimals and
// thousands separators. Text that is not a plain number under the regional
// record ("$1,000" included) stores as "$0.00".
std::string StoredAmount(const std::string &typed);
// The amount cell as the entry panel shows it: "$1,234.50" shows as 1234.50.
std::string ShownAmount(const std::string &cell);

// What the entry panel holds; the row clipboard keeps the same.
struct WorksheetEntry final {
    std::string NameAndAddress; // with real line breaks
    int Category = 0;
    std::string Date;
    std::string Amount; // as typed
    bool ActualCost = false;

    bool operator==(const WorksheetEntry &) const = default;
};

WorksheetEntry EntryFromRow(const WSchedList::Row &row);
WSchedList::Row RowFromEntry(const WorksheetEntry &entry);

// Whether the upper of two adjacent rows must swap with the lower when sorting
// on column. Dates and amounts are read with Str2Date and Str2Float_2, which
// report what they cannot read, once per comparison.
bool OutOfOrder(int column, const WSchedList::Row &upper, const WSchedList::Row &lower);
// Passes of adjacent swaps until one makes none, so equal rows keep their order.
void SortRows(std::vector<WSchedList::Row> &rows, int column);

// The worksheet window's working copy of the rows and its selected row. No
// command reads or writes outside the table: the selection is -1 exactly when
// the table is empty, and a command that needs a row does nothing without one.
class WorksheetRows final {
public:
    explicit WorksheetRows(std::vector<WSchedList::Row> rows = {});

    const std::vector<WSchedList::Row> &Rows() const { return m_rows; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int Selected() const { return m_selected; }
    bool HasSelection() const { return m_selected >= 0; }

    // False, with the selection unchanged, when row lies outside the table.
    bool Select(int row);
    // Writes the entry into the selected row; false when there is none.
    bool Store(const WorksheetEntry &entry);

    void Add();    // an empty last row, selected
    void Insert(); // an empty row at the selection (row 0 of an empty table), selected
    // Drops the selected row; the row that moved into its place, or the new
    // last row, is selected.
    bool Remove();
    void Clear(); // one empty row, selected
    // Sorts, then selects the second row (the first when there is only one).
    void Sort(int column);

private:
    std::vector<WSchedList::Row> m_rows;
    int m_selected;
};

} // namespace kelvox
