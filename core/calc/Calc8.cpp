#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.5 Interlocutory Order.
void Calc8(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 8);
    t.Caption(g);
    t.Set(5, calc::JoinedNames(g));
    t.SetGuarded(9, g(2));
}

} // namespace kelvox
