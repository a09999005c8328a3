#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Form 19.3 Order for Ohio Birth Record, page 1. The names before and after
// adoption go onto the order when the form's own mark T12 is set.
void Calc27(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 27);
    t.PlainCaption(g);
    t.Set(8, calc::JoinedNames(g));
    if (t.Marked(12)) {
        t.Set(13, g(18));
        t.Set(14, g(19));
    } else {
        t.Clear({13, 14});
    }
    t.Set(21, g(2));
}

} // namespace kelvox
