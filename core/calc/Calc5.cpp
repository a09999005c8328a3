#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

#include "misc/Misc.h"

namespace kelvox {

using calc::kBlockA;
using calc::kBlockB;

// Form 18.2 Notice of Hearing, page 2, copy c: the addressee and the amounts.
void Calc5(TAnswer &answers, int c)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 5, c);

    t.Set(0, g(4));
    t.Set(1, g(0));

    if (c == 0) {
        t.SetGuarded(2, g(kBlockA.Name()));
        t.SetGuarded(3, calc::BlockAddressCommas(g, kBlockA));
    } else if (c == 1) {
        t.SetGuarded(2, g(kBlockB.Name()));
        t.SetGuarded(3, calc::BlockAddressCommas(g, kBlockB));
    }

    t.SetGuarded(6, g(2));

    // An amount that does not read is reported by the conversion and counts as 0.
    double total = 0;
    for (const int amount : {17, 19, 21, 23})
        total += Str2Float_2(t(amount));
    t.Set(24, Float2Dollar(total));
}

} // namespace kelvox
