#include "answers/WorksheetRows.h"

#include "misc/Misc.h"

#include <utility>

namespace kelvox {

namespace {

const char *const kCategoryTexts[kExpenseCategoryCount] = {
    "Agency Fees",
    "Agency's Costs",
    "Attorney Fees",
    "Attorney's Costs",
    "Court Costs",
    "Foster Care",
    "Guardian Ad Litem",
    "Hospital/Medical Facility",
    "Maintenance/RC 5103.15",
    "Other Disbursements",
    "Physician",
};

// A cell is one line of the client file: a line break that reaches it through
// a paste becomes the replacement.
std::string OneLine(const std::string &text, const std::string &replacement)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += replacement;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

int CategoryNumber(const std::string &cell)
{
    for (int i = 0; i < kExpenseCategoryCount; ++i) {
        if (cell == kCategoryTexts[i])
            return i + 1;
    }
    return 0;
}

std::string CategoryText(int number)
{
    if (number < 1 || number > kExpenseCategoryCount)
        return {};
    return kCategoryTexts[number - 1];
}

std::string StoredAmount(const std::string &typed)
{
    double value = 0;
    if (!TryStrToFloat(typed, value))
        value = 0;
    return "$" + Float2Dollar(value);
}

std::string ShownAmount(const std::string &cell)
{
    return RemoveCommasAndSigns(cell);
}

WorksheetEntry EntryFromRow(const WSchedList::Row &row)
{
    WorksheetEntry entry;
    entry.NameAndAddress = DecodeLineBreaks(row[WSchedList::NameAndAddress]);
    entry.Category = CategoryNumber(row[WSchedList::ExpenseDescription]);
    entry.Date = row[WSchedList::Date];
    entry.Amount = ShownAmount(row[WSchedList::AmountDue]);
    entry.ActualCost = row[WSchedList::ActualCost] == "X";
    return entry;
}

WSchedList::Row RowFromEntry(const WorksheetEntry &entry)
{
    WSchedList::Row row;
    row[WSchedList::NameAndAddress] = OneLine(EncodeLineBreaks(entry.NameAndAddress), " | ");
    row[WSchedList::ExpenseDescription] = CategoryText(entry.Category);
    row[WSchedList::Date] = OneLine(entry.Date, " ");
    row[WSchedList::AmountDue] = StoredAmount(entry.Amount);
    row[WSchedList::ActualCost] = entry.ActualCost ? "X" : "";
    return row;
}

bool OutOfOrder(int column, const WSchedList::Row &upper, const WSchedList::Row &lower)
{
    const std::string &a = upper[static_cast<size_t>(column)];
    const std::string &b = lower[static_cast<size_t>(column)];
    switch (column) {
    case WSchedList::Date:
        if (!a.empty() && !b.empty()) {
            const double first = Str2Date(a);
            return first > Str2Date(b);
        }
        return a > b;
    case WSchedList::AmountDue: {
        const double first = Str2Float_2(a);
        return first > Str2Float_2(b);
    }
    default: return a > b;
    }
}

void SortRows(std::vector<WSchedList::Row> &rows, int column)
{
    if (column < 0 || column >= WSchedList::kColumns)
        return;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t r = 0; r + 1 < rows.size(); ++r) {
            if (OutOfOrder(column, rows[r], rows[r + 1])) {
                std::swap(rows[r], rows[r + 1]);
                swapped = true;
            }
        }
    }
}

WorksheetRows::WorksheetRows(std::vector<WSchedList::Row> rows)
    : m_rows(std::move(rows)), m_selected(m_rows.empty() ? -1 : 0)
{
}

bool WorksheetRows::Select(int row)
{
    if (row < 0 || row >= RowCount())
        return false;
    m_selected = row;
    return true;
}

bool WorksheetRows::Store(const WorksheetEntry &entry)
{
    if (!HasSelection())
        return false;
    m_rows[static_cast<size_t>(m_selected)] = RowFromEntry(entry);
    return true;
}

void WorksheetRows::Add()
{
    m_rows.emplace_back();
    m_selected = RowCount() - 1;
}

void WorksheetRows::Insert()
{
    const int at = HasSelection() ? m_selected : 0;
    m_rows.insert(m_rows.begin() + at, WSchedList::Row{});
    m_selected = at;
}

bool WorksheetRows::Remove()
{
    if (!HasSelection())
        return false;
    m_rows.erase(m_rows.begin() + m_selected);
    if (m_selected >= RowCount())
        m_selected = RowCount() - 1;
    return true;
}

void WorksheetRows::Clear()
{
    m_rows.assign(1, WSchedList::Row{});
    m_selected = 0;
}

void WorksheetRows::Sort(int column)
{
    SortRows(m_rows, column);
    m_selected = RowCount() > 1 ? 1 : RowCount() - 1;
}

} // namespace kelvox
