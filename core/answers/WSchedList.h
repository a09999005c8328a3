#pragma once

#include <array>
#include <string>
#include <vector>

namespace kelvox {

// The case's expense rows: five text cells a row, any number of rows. The
// main window holds one; it starts with one empty row.
class WSchedList final {
public:
    enum Column { NameAndAddress = 0, ExpenseDescription = 1, Date = 2, AmountDue = 3, ActualCost = 4 };
    static constexpr int kColumns = 5;
    using Row = std::array<std::string, kColumns>;

    WSchedList() : Rows(1) {}

    int RowCount() const { return static_cast<int>(Rows.size()); }

    std::vector<Row> Rows;
};

} // namespace kelvox
