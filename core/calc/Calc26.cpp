#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 19.2 page 2: the relief asked, the signatures and the attorney block.
void Calc26(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 26);
    t.Set(0, g(4));
    t.Set(2, t.Marked(1) ? g(19) : std::string());
    t.Set(3, calc::CityStateZipOmitEmptyState(g(30), g(31), g(32)));
    t.Set(6, g(28));
    t.Set(7, g(29));
    t.Set(11, g(33));
    t.Set(12, g(34));
    t.Set(13, g(5));
    t.Set(14, g(7));
    t.Set(15, g(9));
    t.Set(16, calc::CityStateZipOmitEmptyState(g(10), g(12), g(13)));
    t.Set(19, g(14));
}

} // namespace kelvox
