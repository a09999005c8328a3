#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 18.1 Judgment Entry.
void Calc3(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 3);
    t.Caption(g);
    // The petition is filed by a married couple when a date of marriage is
    // given; a missing second name never leaves a dangling " and ".
    if (!t.Overridden(7)) {
        std::string filedBy = g(5);
        if (!g(16).empty() && !g(7).empty())
            filedBy += " and " + g(7);
        t.Set(7, std::move(filedBy));
    }
    t.Set(8, g(18));
    t.Set(9, g(19));
    t.SetGuarded(14, g(2));
}

} // namespace kelvox
