#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 19.01 Judgment Entry Setting Hearing.
void Calc16(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 16);
    t.Caption(g);
    t.SetGuarded(8, g(2));
}

} // namespace kelvox
