#include "calc/CalcRules.h"
#include "calc/CalcUnits.h"

#include "misc/Misc.h"

namespace kelvox {

namespace {

struct NameParts {
    std::string First, Middle, Last;
};

// At most this many characters (not bytes: a character is never cut in two).
std::string LeadingCharacters(const std::string &text, size_t count)
{
    const std::u32string points = Utf8ToCodePoints(text);
    if (points.size() <= count)
        return text;
    return CodePointsToUtf8(points.substr(0, count));
}

// First word, second word, then all after the second blank as the last name.
// Two words give first and last; one word gives the first name alone.
NameParts SplitName(const std::string &name)
{
    const size_t first = name.find(' ');
    if (first == std::string::npos)
        return {name, {}, {}};
    const size_t second = name.find(' ', first + 1);
    if (second == std::string::npos)
        return {name.substr(0, first), {}, LeadingCharacters(name.substr(first + 1), 99)};
    return {name.substr(0, first), name.substr(first + 1, second - first - 1),
            LeadingCharacters(name.substr(second + 1), 99)};
}

void SetNameGuarded(calc::Target &t, int firstIndex, const std::string &name)
{
    const NameParts parts = SplitName(name);
    t.SetGuarded(firstIndex, parts.First);
    t.SetGuarded(firstIndex + 1, parts.Middle);
    t.SetGuarded(firstIndex + 2, parts.Last);
}

std::string SexMark(const std::string &typed)
{
    const char first = typed.empty() ? '\0' : calc::Caps(typed.substr(0, 1))[0];
    if (first == 'M')
        return "M";
    if (first == 'F')
        return "F";
    return {};
}

} // namespace

// HEA 2757 Certificate of Adoption.
void Calc22(TAnswer &answers)
{
    const calc::Source g = calc::General(answers);
    calc::Target t(answers, 22);
    t.Set(0, g(18));
    t.Set(1, g(26));
    t.Set(2, SexMark(t(2)));
    t.SetGuarded(3, g(27));
    SetNameGuarded(t, 4, g(19));
    SetNameGuarded(t, 12, g(7));
    SetNameGuarded(t, 24, g(5));
    t.SetGuarded(31, g(9));
    t.SetGuarded(32, g(10));
    t.SetGuarded(33, g(11));
    t.SetGuarded(34, g(12));
    t.SetGuarded(35, g(13));
    t.SetGuarded(45, g(5));
    t.SetGuarded(46, g(9));
    t.SetGuarded(47, g(10));
    t.SetGuarded(48, g(12));
    t.SetGuarded(49, g(13));
    t.Set(50, g(28));
    t.Set(51, g(29));
    t.Set(52, g(30));
    t.Set(53, g(31));
    t.Set(54, g(32));
    t.Set(55, g(0));
    t.SetGuarded(57, calc::JoinedNames(g));
    t.Set(58, g(4));
    t.SetGuarded(60, g(2));
}

} // namespace kelvox
