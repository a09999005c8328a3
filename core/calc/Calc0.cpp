#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

#include "misc/Misc.h"

namespace kelvox {

// Only validates: a date of marriage or birth that does not read is reported
// by the conversion itself, at every pass until it is corrected.
void Calc0(const TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    Str2Date(g(16));
    Str2Date(g(26));
}

} // namespace kelvox
