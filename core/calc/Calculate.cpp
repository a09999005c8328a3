#include "answers/Answers.h"
#include "calc/AccountListing.h"
#include "calc/CalcUnits.h"

#include <algorithm>

namespace kelvox {

namespace {
// A counter read from a damaged file must not send the pass beyond the store.
int CopiesToCalculate(int counter)
{
    return std::clamp(counter, 0, kCopies);
}
} // namespace

// The fixed order of the pass: later steps read what earlier ones derive
// (Form 18.0 page 2 and Form 18.1 before the notices, the listing counts
// before the listing pages).
void TAnswer::Calculate(const WSchedList &worksheet, const TextMeasurer &measurer)
{
    AccountListing listing(*this, worksheet, measurer);
    listing.CalcTtls();

    Calc0(*this);

    Calc1(*this);
    Calc2(*this);
    Calc23(*this);
    Calc3(*this);

    for (int c = 0, n = CopiesToCalculate(NoOf18_2); c < n; ++c) {
        Calc4(*this, c);
        Calc5(*this, c);
    }
    for (int c = 0, n = CopiesToCalculate(NoOf18_3); c < n; ++c)
        Calc6(*this, c);
    for (int c = 0, n = CopiesToCalculate(NoOf18_4); c < n; ++c)
        Calc7(*this, c);

    Calc8(*this);
    Calc9(*this);
    Calc10(*this);
    Calc11(*this);

    for (int p = 0, n = NoOf18_9; p < n; ++p)
        listing.Calc12(p);

    Calc13(*this);

    Calc15(*this);
    Calc16(*this);
    Calc17(*this);

    Calc25(*this);
    Calc26(*this);
    Calc27(*this);

    Calc20(*this);
    Calc21(*this);
    Calc22(*this);

    for (int p = 0, n = NoOfWorksheet; p < n; ++p)
        listing.Calc24(p);
}

} // namespace kelvox
