#pragma once

// Expense worksheet rows for the benchmarks: plausible payees, categories,
// dates and amounts, long enough that some payees wrap.

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "calc/AccountListing.h"
#include "messages/CollectingSink.h"

#include <string>

namespace bench {

inline kelvox::WSchedList::Row ExpenseRow(int r)
{
    static const char *const kCategories[] = {
        "Physician",          "Hospital/Medical Facility", "Attorney Fees", "Attorney's Costs",  "Agency Fees",
        "Agency's Costs",     "Maintenance/RC 5103.15",    "Foster Care",   "Guardian Ad Litem", "Court Costs",
        "Other Disbursements"};
    static const char *const kNames[] = {"Dr. Jane Q. Public, M.D.", "Franklin County Children Services",
                                         "Nationwide Children's Hospital", "Harrowgate & Lindqvist, Attorneys at Law",
                                         "Court of Common Pleas, Probate Division"};
    static const char *const kStreets[] = {"1234 Long Street Name Avenue", "700 Children's Drive",
                                           "373 South High Street, 22nd Floor", "P.O. Box 4411"};
    const std::string name =
        std::string(kNames[r % 5]) + " | " + kStreets[r % 4] + " | Columbus, OH 432" + std::to_string(10 + r % 90);
    return {name, kCategories[r % 11], "3/" + std::to_string(1 + r % 28) + "/2026",
            "$" + std::to_string(100 + r) + ".50", r % 3 == 0 ? "X" : ""};
}

inline kelvox::WSchedList ExpenseRows(int count)
{
    kelvox::WSchedList rows;
    rows.Rows.clear();
    for (int r = 0; r < count; ++r)
        rows.Rows.push_back(ExpenseRow(r));
    return rows;
}

// As many rows as `pages` listing pages hold under this measurer.
inline kelvox::WSchedList RowsFillingListingPages(int pages, const kelvox::TextMeasurer &measurer)
{
    kelvox::WSchedList rows;
    rows.Rows.clear();
    for (int r = 0;; ++r) {
        rows.Rows.push_back(ExpenseRow(r));
        kelvox::TAnswer answers;
        kelvox::CollectingSink sink;
        kelvox::AccountListing listing(answers, rows, measurer);
        listing.CalcTtls();
        if (!sink.Messages().empty() || answers.NoOf18_9 > pages) {
            rows.Rows.pop_back();
            return rows;
        }
    }
}

} // namespace bench
