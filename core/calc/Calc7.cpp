#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

using calc::kBlockA;
using calc::kBlockB;

// Form 18.4 Judgment Entry, copy c: block A or B, whichever consent is
// found not required, in that order.
void Calc7(TAnswer &answers, int c)
{
    const calc::Source g = calc::General(answers);
    const calc::Source petition(answers, 2);
    calc::Target t(answers, 7, c);

    t.Caption(g);

    const bool a = g.Marked(kBlockA.ConsentNotRequired());
    const bool b = g.Marked(kBlockB.ConsentNotRequired());
    const calc::PersonBlock *person = nullptr;
    if (c == 0 && a)
        person = &kBlockA;
    else if (c == 0 && b)
        person = &kBlockB;
    else if (c == 1 && a && b)
        person = &kBlockB;

    if (person) {
        t.SetGuarded(4, g(person->Name()));
        t.SetGuarded(5, g(person->Finding(0)));
        t.SetGuarded(6, g(person->Finding(1)));
        t.SetGuarded(7, g(person->Finding(2)));
        t.SetGuarded(8, petition(41));
        t.SetGuarded(9, petition(42));
    }

    t.SetGuarded(11, g(2));
}

} // namespace kelvox
