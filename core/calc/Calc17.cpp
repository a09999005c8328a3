#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 19.1 Final Order.
void Calc17(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 17);
    t.Caption(g);
    t.Set(5, calc::JoinedNames(g));
    t.Set(6, g(18));
    t.Set(14, g(19));
    t.SetGuarded(17, g(2));
}

} // namespace kelvox
