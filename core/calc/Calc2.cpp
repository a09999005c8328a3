#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

namespace kelvox {

namespace {

using calc::kBlockA;
using calc::kBlockB;
using calc::PersonBlock;

// Where a short group (consent required) puts its person.
struct ShortGroup {
    int Mark, Name, Third, Second, Address;
};
constexpr ShortGroup kA1{10, 11, 12, 13, 14};
constexpr ShortGroup kB1{16, 17, 18, 19, 20};

// Where a long group (consent not required) puts its person and findings.
struct LongGroup {
    int Name, Address, Third, Findings[3];
};
constexpr LongGroup kA2{28, 29, 30, {35, 37, 39}};
constexpr LongGroup kB2{31, 32, 33, {36, 38, 40}};

// The mark's override protects the whole group; when the group clears, the
// overrides of its other answers do not.
void FillShortGroup(calc::Target &t, const calc::Source &g, const ShortGroup &at, PersonBlock person)
{
    if (t.Overridden(at.Mark))
        return;
    if (g.Marked(person.ConsentRequired())) {
        t.Set(at.Mark, "X");
        t.SetGuarded(at.Name, g(person.Name()));
        t.SetGuarded(at.Third, g(person.Third()));
        t.SetGuarded(at.Second, g(person.Second()));
        t.SetGuarded(at.Address, calc::BlockAddress(g, person));
    } else {
        t.Clear({at.Mark, at.Name, at.Third, at.Second, at.Address});
    }
}

// Both long groups share the mark T27, which no step clears.
void FillLongGroup(calc::Target &t, const calc::Source &g, const LongGroup &at, PersonBlock person)
{
    if (g.Marked(person.ConsentNotRequired())) {
        t.Set(27, "X");
        t.SetGuarded(at.Name, g(person.Name()));
        t.SetGuarded(at.Address, calc::BlockAddress(g, person));
        t.SetGuarded(at.Third, g(person.Third()));
        for (int n = 0; n < 3; ++n)
            t.SetGuarded(at.Findings[n], g(person.Finding(n)));
    } else {
        t.Clear({at.Name, at.Address, at.Third, at.Findings[0], at.Findings[1], at.Findings[2]});
    }
}

} // namespace

// Form 18.0 page 2: the persons of blocks A and B, once in the short groups
// and once in the long groups.
void Calc2(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 2);
    t.Set(0, g(4));
    FillShortGroup(t, g, kA1, kBlockA);
    FillShortGroup(t, g, kB1, kBlockB);
    if (!t.Overridden(27)) {
        FillLongGroup(t, g, kA2, kBlockA);
        FillLongGroup(t, g, kB2, kBlockB);
    }
}

} // namespace kelvox
