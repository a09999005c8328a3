#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

namespace {
std::string WithOptional(const std::string &text, const std::string &more)
{
    return more.empty() ? text : text + "; " + more;
}
} // namespace

// Form 19.2 Petition for Foreign Adoption, page 1. Its caption keeps the
// letters as typed.
void Calc25(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 25);
    t.PlainCaption(g);
    t.Set(4, g(5));
    t.Set(5, g(7));
    t.Set(6, g(9));
    t.Set(8, g(15));
    t.Set(9, WithOptional(g(16), g(17)));
    t.Set(10, g(18));
    t.Set(11, g(19));
    t.Set(12, WithOptional(g(26), g(27)));
}

} // namespace kelvox
