#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.0 page 1.
void Calc1(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 1);
    t.Caption(g);
    t.Set(4, g(18));
    t.Set(5, g(19));
    t.Set(6, g(5));
    t.Set(7, g(6));
    t.Set(8, g(7));
    t.Set(9, g(8));
    t.Set(10, g(9));
    t.Set(11, g(10));
    t.Set(12, g(11));
    t.SetGuarded(13, g(59));
    t.Set(14, g(12));
    t.Set(15, g(13));
    t.Set(17, g(15));
    t.Set(18, g(16) + " - " + g(17));
    t.Set(20, g(18));
    t.Set(21, g(26));
    t.Set(22, g(27));
}

} // namespace kelvox
