#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.9 page 2: the petitioners apart, and the attorney block.
void Calc13(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 13);
    t.Set(0, g(4));
    t.SetGuarded(3, g(28));
    t.SetGuarded(4, g(29));
    t.SetGuarded(5, calc::CityStateZip(g(30), g(31), g(32)));
    t.SetGuarded(6, g(33));
    t.Set(9, g(5));
    t.Set(10, g(7));
}

} // namespace kelvox
