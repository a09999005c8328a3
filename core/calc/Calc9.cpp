#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

namespace calc {

// Forms 18.6 and 18.7 share their rules.
void FinalDecree(TAnswer &answers, int pageType)
{
    const Source g = General(answers);
    Target t(answers, pageType);
    t.Caption(g);
    t.Set(5, JoinedNames(g));
    t.Set(8, g(19));
    t.SetGuarded(10, g(2));
}

} // namespace calc

// Form 18.6 Final Decree after an interlocutory order.
void Calc9(TAnswer &answers)
{
    calc::FinalDecree(answers, 9);
}

} // namespace kelvox
