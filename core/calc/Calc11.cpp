#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.8 Adoption Certificate for Parents.
void Calc11(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 11);
    t.Caption(g);
    t.Set(4, calc::JoinedNames(g));
    t.Set(5, g(18));
    t.Set(6, g(26));
    t.Set(7, g(27));
    t.Set(10, t(4));
    t.Set(11, g(19));
    t.SetGuarded(14, g(2));
}

} // namespace kelvox
