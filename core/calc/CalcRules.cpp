#include "calc/CalcRules.h"

#include "misc/Misc.h"

#include "answers/Answers.h"

namespace kelvox::calc {

Source::Source(const TAnswer &answers, int pageType, int copy) : m_page(answers.Page(pageType, copy)) {}

const std::string &Source::operator()(int index) const
{
    return m_page.Text(index);
}

Source General(const TAnswer &answers)
{
    return Source(answers, 0, 0);
}

Target::Target(TAnswer &answers, int pageType, int copy) : m_page(answers.Page(pageType, copy)) {}

const std::string &Target::operator()(int index) const
{
    return m_page.Text(index);
}

bool Target::Overridden(int index) const
{
    return m_page.OvRide(index);
}

void Target::Set(int index, const std::string &text)
{
    m_page.SetText(index, text);
}

void Target::Set(int index, std::string &&text)
{
    m_page.SetText(index, std::move(text));
}

void Target::SetGuarded(int index, std::string text)
{
    if (!Overridden(index))
        Set(index, std::move(text));
}

void Target::Clear(std::initializer_list<int> indices)
{
    for (const int index : indices)
        Set(index, std::string());
}

void Target::Caption(const Source &general)
{
    // Every copy of every form takes the same four captions in a pass.
    struct Remembered {
        std::string From, Caps;
    };
    thread_local Remembered remembered[4];
    static constexpr int kFrom[4] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i) {
        Remembered &r = remembered[i];
        const std::string &from = general(kFrom[i]);
        if (from != r.From) {
            r.Caps = Caps(from);
            r.From = from;
        }
        Set(i, r.Caps);
    }
}

void Target::PlainCaption(const Source &general)
{
    Set(0, general(0));
    Set(1, general(1));
    Set(2, general(3));
    Set(3, general(4));
}

std::string Caps(std::string text) { return UpperCaseLatin(text); }

std::string JoinedNames(const Source &general)
{
    if (general(7).empty())
        return general(5);
    return general(5) + " and " + general(7);
}

std::string CityStateZip(const std::string &city, const std::string &state, const std::string &zip)
{
    return city + ", " + state + "  " + zip;
}

std::string CityStateZipOmitEmptyState(const std::string &city, const std::string &state, const std::string &zip)
{
    if (state.empty())
        return city + "  " + zip;
    return CityStateZip(city, state, zip);
}

std::string CommaList(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (const std::string &part : parts) {
        if (&part != parts.begin())
            joined += ", ";
        joined += part;
    }
    return joined;
}

std::string BlockAddress(const Source &general, PersonBlock block)
{
    return general(block.Address()) + ", " +
           CityStateZip(general(block.City()), general(block.State()), general(block.Zip()));
}

std::string BlockAddressCommas(const Source &general, PersonBlock block)
{
    return CommaList({general(block.Address()), general(block.City()), general(block.State()), general(block.Zip())});
}

} // namespace kelvox::calc
