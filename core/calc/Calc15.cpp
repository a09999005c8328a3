#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 19.0 Petition for Adult Adoption.
void Calc15(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 15);
    t.Caption(g);
    t.Set(5, g(18));
    t.Set(6, g(19));
    t.Set(10, g(34));
    t.Set(11, g(28));
    t.Set(12, g(29));
    t.Set(13, calc::CityStateZip(g(30), g(31), g(32)));
    t.Set(14, g(33));
    t.Set(15, g(5));
    t.Set(16, g(9));
    t.Set(17, calc::CityStateZip(g(10), g(12), g(13)));
    t.Set(18, g(14));
    t.Set(19, g(7));
    t.SetGuarded(27, g(2));
}

} // namespace kelvox
