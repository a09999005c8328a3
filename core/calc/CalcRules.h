#pragma once

#include <initializer_list>
#include <string>

namespace kelvox {

class AnswerList;
class TAnswer;

namespace calc {

// The answers of one page copy as a rule reads them.
class Source final {
public:
    Source(const TAnswer &answers, int pageType, int copy = 0);

    const std::string &operator()(int index) const;
    bool Marked(int index) const { return (*this)(index) == "X"; }

private:
    const AnswerList &m_page;
};

// The general-information page.
Source General(const TAnswer &answers);

// The page copy a unit writes. A write puts the text only; the override flag
// stays as the user left it.
class Target final {
public:
    Target(TAnswer &answers, int pageType, int copy = 0);

    const std::string &operator()(int index) const;
    bool Marked(int index) const { return (*this)(index) == "X"; }
    bool Overridden(int index) const;

    void Set(int index, const std::string &text);
    void Set(int index, std::string &&text);
    // The guard: an overridden target keeps the user's text.
    void SetGuarded(int index, std::string text);
    void Clear(std::initializer_list<int> indices);

    // T0 to T3 := caps(G0), caps(G1), caps(G3), caps(G4).
    void Caption(const Source &general);
    // The same four answers unchanged.
    void PlainCaption(const Source &general);

private:
    AnswerList &m_page;
};

// Letters a to z in capitals; every other byte (accented letters too) unchanged.
std::string Caps(std::string text);

// G5, followed by " and " and G7 when G7 is not empty.
std::string JoinedNames(const Source &general);

// city + ", " + state + "  " + zip.
std::string CityStateZip(const std::string &city, const std::string &state, const std::string &zip);
// As CityStateZip, without the comma when the state is empty.
std::string CityStateZipOmitEmptyState(const std::string &city, const std::string &state, const std::string &zip);
// The parts joined by ", ".
std::string CommaList(std::initializer_list<std::string> parts);

// A person block of the general-information page: A from G35, B from G47.
struct PersonBlock final {
    int Base;

    int Name() const { return Base; }
    int Second() const { return Base + 1; }  // G36 / G48
    int Third() const { return Base + 2; }   // G37 / G49
    int Address() const { return Base + 3; } // address line, city, state, ZIP follow
    int City() const { return Base + 4; }
    int State() const { return Base + 5; }
    int Zip() const { return Base + 6; }
    int ConsentRequired() const { return Base + 7; }
    int ConsentNotRequired() const { return Base + 8; }
    int Finding(int n) const { return Base + 9 + n; } // n from 0 to 2
};

inline constexpr PersonBlock kBlockA{35};
inline constexpr PersonBlock kBlockB{47};

// Address line + ", " + city + ", " + state + "  " + ZIP of a person block.
std::string BlockAddress(const Source &general, PersonBlock block);
// The same four parts, each joined by ", ".
std::string BlockAddressCommas(const Source &general, PersonBlock block);

// The rules Forms 18.6 and 18.7 share, on either page type.
void FinalDecree(TAnswer &answers, int pageType);

} // namespace calc
} // namespace kelvox
