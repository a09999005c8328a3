#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

// Consent to Change Name. Its caption carries the adoptee's two names.
void Calc20(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 20);
    t.Set(0, calc::Caps(g(0)));
    t.Set(1, calc::Caps(g(1)));
    t.Set(2, calc::Caps(g(18)));
    t.Set(3, calc::Caps(g(19)));
    t.Set(4, calc::Caps(g(4)));
    t.Set(9, g(18));
    t.Set(10, g(19));

    // The consenting person, from the marks of this page; block B wins.
    if (!t.Overridden(13)) {
        if (t.Marked(6))
            t.Set(13, g(calc::kBlockA.Name()));
        if (t.Marked(7) || t.Marked(8))
            t.Set(13, g(calc::kBlockB.Name()));
    }
}

} // namespace kelvox
