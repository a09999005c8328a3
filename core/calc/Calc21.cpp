#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

#include "misc/Misc.h"

namespace kelvox {

// Affidavit of Adopted Person.
void Calc21(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 21);
    t.Set(10, calc::Caps(g(23)));
    t.Set(0, calc::Caps(g(22)));
    t.Set(1, g(18));
    t.Set(2, g(19));
    t.Set(3, LongDateText(g(26)));
    t.Set(4, g(27));
    t.Set(5, g(20));
    t.Set(6, g(21));
    t.Set(11, g(23));
    t.Set(12, g(24));
}

} // namespace kelvox
