#include "screens/EditKinds.h"

#include "misc/Misc.h"

#include <cmath>
#include <cstdio>

namespace EditKinds {

namespace {

std::string Formatted(double value, int width, int decimals, bool thousands)
{
    return kelvox::TrimLeading(kelvox::FormatFixed(value, width, decimals, thousands));
}

std::string WithoutTrailingPercent(std::string text)
{
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    return text;
}

} // namespace

int KindOf(int tag)
{
    return tag / 1000;
}
int AnswerIndexOf(int tag)
{
    return tag % 1000;
}

bool IsListingPage(int pageType)
{
    return pageType == 12 || pageType == 24;
}

bool AnswerToText(int kind, int pageType, const std::string &answer, std::string &text)
{
    switch (kind) {
    case Text:
    case Count: text = answer; return true;
    case WholeAmount:
    case Percentage:
    case Amount:
        if (IsListingPage(pageType) && kelvox::Str2Float_2(answer) == 0) {
            text.clear();
            return true;
        }
        if (kind == Percentage)
            text = Formatted(kelvox::Str2Float_P(answer) * 100, 5, 2, false) + "%";
        else
            text = Formatted(kelvox::Str2Float_2(answer), 12, 2, true);
        return true;
    default: return false;
    }
}

bool ReformatOnExit(int kind, const std::string &text, std::string &reformatted)
{
    switch (kind) {
    case WholeAmount: reformatted = Formatted(kelvox::Str2Float_0(text), 12, 0, true); return true;
    case Percentage: reformatted = Formatted(kelvox::Str2Float_P(text), 5, 2, false) + "%"; return true;
    case Amount: reformatted = Formatted(kelvox::Str2Float_2(text), 12, 2, true); return true;
    case Count: reformatted = Formatted(kelvox::Str2Float_0(text), 4, 0, true); return true;
    default: return false;
    }
}

bool TextToAnswer(int kind, const std::string &text, std::string &answer)
{
    switch (kind) {
    case Text:
    case WholeAmount:
    case Amount:
    case Count: answer = text; return true;
    case Percentage: answer = ShortestDecimal(kelvox::Str2Float_P(WithoutTrailingPercent(text)) / 100); return true;
    default: return false;
    }
}

std::string ShortestDecimal(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text.find_first_of("eE") == std::string::npos)
        return text;
    // An exponent would read back wrongly: its "-" counts as a negative sign.
    std::snprintf(buffer, sizeof buffer, "%.20f", value);
    text = buffer;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace EditKinds
