#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.0 page 3: the attorney block and the petitioners' signatures.
void Calc23(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 23);
    t.Set(0, g(4));
    t.Set(1, g(28));
    t.Set(2, g(29));
    t.Set(3, calc::CityStateZipOmitEmptyState(g(30), g(31), g(32)));
    t.Set(6, g(33));
    t.Set(7, g(34));
    t.Set(8, g(5));
    t.Set(9, g(7));
    t.Set(11, calc::CityStateZipOmitEmptyState(g(10), g(12), g(13)));
    t.Set(14, g(14));
}

} // namespace kelvox
