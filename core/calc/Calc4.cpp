#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

using calc::kBlockA;
using calc::kBlockB;

// Form 18.2 Notice of Hearing, page 1, copy c. Copy 0 notifies the first
// person of Form 18.0 page 2, copy 1 the second; later copies are typed.
void Calc4(TAnswer &answers, int c)
{
    const calc::Source g = calc::General(answers);
    const calc::Source petition(answers, 2);
    const calc::Source entry(answers, 3);
    calc::Target t(answers, 4, c);

    t.Caption(g);
    t.SetGuarded(5, g(kBlockA.Name()) + ", " + calc::BlockAddressCommas(g, kBlockA));
    t.SetGuarded(6, g(kBlockB.Name()) + ", " + calc::BlockAddressCommas(g, kBlockB));

    t.Set(7, entry(4));
    t.Set(8, entry(5));
    t.Set(26, entry(6));
    t.Set(9, entry(7));
    t.Set(10, entry(8));
    t.Set(11, g(26));
    t.Set(12, entry(9));

    if (c > 0 && t(13).empty()) {
        const calc::Source first(answers, 4, 0);
        if (!first(13).empty())
            t.Set(13, first(13));
    }

    t.Set(14, entry(10));
    t.Set(15, entry(11));
    t.Set(27, entry(15));
    t.Set(16, entry(12));
    t.Set(17, entry(13));

    if (c == 0) {
        t.SetGuarded(18, petition(11));
        t.SetGuarded(19, petition(35));
        t.SetGuarded(20, petition(37));
        t.SetGuarded(21, petition(39));
        t.SetGuarded(22, petition(41));
        t.SetGuarded(23, std::string());
    } else if (c == 1) {
        t.SetGuarded(18, petition(17));
        t.SetGuarded(19, petition(36));
        t.SetGuarded(20, petition(38));
        t.SetGuarded(21, petition(40));
        t.SetGuarded(22, std::string());
        t.SetGuarded(23, petition(42));
    }

    t.SetGuarded(25, g(2));
}

} // namespace kelvox
