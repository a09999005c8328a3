#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

using calc::kBlockA;
using calc::kBlockB;

// Form 18.0 page 2: the persons of blocks A and B, once in the short groups
// (consent required) and once in the long groups (consent not required).
void Calc2(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 2);
    t.Set(0, g(4));

    // A1: the mark's override protects the whole group; when the group clears,
    // the overrides of its other answers do not.
    if (!t.Overridden(10)) {
        if (g.Marked(kBlockA.ConsentRequired())) {
            t.Set(10, "X");
            t.SetGuarded(11, g(35));
            t.SetGuarded(12, g(37));
            t.SetGuarded(13, g(36));
            t.SetGuarded(14, calc::BlockAddress(g, kBlockA));
        } else {
            t.Clear({10, 11, 12, 13, 14});
        }
    }

    // B1.
    if (!t.Overridden(16)) {
        if (g.Marked(kBlockB.ConsentRequired())) {
            t.Set(16, "X");
            t.SetGuarded(17, g(47));
            t.SetGuarded(18, g(49));
            t.SetGuarded(19, g(48));
            t.SetGuarded(20, calc::BlockAddress(g, kBlockB));
        } else {
            t.Clear({16, 17, 18, 19, 20});
        }
    }

    // A2 and B2 share the one mark T27, which no step clears.
    if (!t.Overridden(27)) {
        if (g.Marked(kBlockA.ConsentNotRequired())) {
            t.Set(27, "X");
            t.SetGuarded(28, g(35));
            t.SetGuarded(29, calc::BlockAddress(g, kBlockA));
            t.SetGuarded(30, g(37));
            t.SetGuarded(35, g(44));
            t.SetGuarded(37, g(45));
            t.SetGuarded(39, g(46));
        } else {
            t.Clear({28, 29, 30, 35, 37, 39});
        }

        if (g.Marked(kBlockB.ConsentNotRequired())) {
            t.Set(27, "X");
            t.SetGuarded(31, g(47));
            t.SetGuarded(32, calc::BlockAddress(g, kBlockB));
            t.SetGuarded(33, g(49));
            t.SetGuarded(36, g(56));
            t.SetGuarded(38, g(57));
            t.SetGuarded(40, g(58));
        } else {
            t.Clear({31, 32, 33, 36, 38, 40});
        }
    }
}

} // namespace kelvox
