#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

#include <array>

namespace kelvox {

namespace {

// The consent persons named on Form 18.0 page 2. The third has no relation.
struct ConsentPerson {
    int Mark;
    int Name;
    int Relation; // -1: none
};

constexpr std::array<ConsentPerson, 3> kConsentPersons = {{
    {1, 2, 3},
    {7, 8, 9},
    {43, 44, -1},
}};

} // namespace

// Form 18.3 Consent to Adoption, copy c: the (c + 1)-th marked person.
void Calc6(TAnswer &answers, int c)
{
    const calc::Source g = calc::General(answers);
    const calc::Source petition(answers, 2);
    calc::Target t(answers, 6, c);

    t.Caption(g);

    int marked = 0;
    for (const ConsentPerson &person : kConsentPersons) {
        if (!petition.Marked(person.Mark))
            continue;
        if (marked++ != c)
            continue;
        t.SetGuarded(4, petition(person.Name));
        if (person.Relation < 0) {
            t.SetGuarded(9, "X");
        } else if (petition(person.Relation) == "Mother") {
            t.SetGuarded(5, "X");
        } else if (petition(person.Relation) == "Father") {
            t.SetGuarded(6, "X");
        }
        break;
    }

    t.Set(13, g(18));
    t.Set(17, t(4));
}

} // namespace kelvox
