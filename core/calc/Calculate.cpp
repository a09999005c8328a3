#include "answers/Answers.h"
#include "calc/AccountListing.h"

namespace kelvox {

// The pass runs the rule units in their fixed order; they arrive unit by unit.
void TAnswer::Calculate(const WSchedList &worksheet, const TextMeasurer &measurer)
{
    AccountListing listing(*this, worksheet, measurer);
    listing.CalcTtls();
    for (int p = 0, n = NoOf18_9; p < n; ++p)
        listing.Calc12(p);
    for (int p = 0, n = NoOfWorksheet; p < n; ++p)
        listing.Calc24(p);
}

} // namespace kelvox
