#pragma once

// The wrapping walk exactly as described, step by step: every step measures
// the whole accumulated text again. Kept to check the program's own wrapping
// against, not for use.

#include "misc/Misc.h"
#include "output/FitText.h"
#include "output/TextMeasurer.h"

#include <cmath>

namespace kelvox::literal {

inline bool IsBreakChar(char32_t c)
{
    return c == U' ' || c == U'\r' || c == U'\n';
}

inline TLineAccessorArray BuildLineAccessors(const TextBox &box, int paragraph, const TextMeasurer &measure)
{
    const std::u32string P = Utf8ToCodePoints(box.Lines[static_cast<std::size_t>(paragraph)]);
    const auto n = static_cast<std::int32_t>(P.size());
    const double W = box.ClientWidth();
    auto ch = [&](std::int32_t i) { return P[static_cast<std::size_t>(i - 1)]; };
    TLineAccessorArray lines;
    if (n == 0) {
        lines.push_back({0, 0});
        return lines;
    }
    std::int32_t i = 1;
    std::int32_t k = 1;
    std::u32string a;
    while (i <= n) {
        if (static_cast<std::int32_t>(lines.size()) < k) {
            lines.push_back({i, 0});
            a.clear();
            while (i < n && IsBreakChar(ch(i)))
                i = i + 1;
        }
        a += ch(i);
        const bool overflows = measure.TextWidth(CodePointsToUtf8(a), box.FontFamily, box.FontSize) > W;
        const bool ends = i == n || overflows;
        // One departure from the described walk: any overflow looks back for a
        // break, also in the paragraph's last word, which it would otherwise cut.
        if (overflows) {
            for (std::int32_t j = i; j >= lines[static_cast<std::size_t>(k - 1)].lineStart; --j) {
                if (IsBreakChar(ch(j))) {
                    i = j;
                    break;
                }
            }
        }
        if (ends) {
            lines[static_cast<std::size_t>(k - 1)].lineEnd = i;
            k = k + 1;
        }
        i = i + 1;
    }
    return lines;
}

inline TStringArray WrappedLines(const TextBox &box, const TextMeasurer &measure)
{
    TStringArray out;
    for (int p = 0; p < static_cast<int>(box.Lines.size()); ++p) {
        const std::u32string P = Utf8ToCodePoints(box.Lines[static_cast<std::size_t>(p)]);
        for (const TLineAccessor &acc : literal::BuildLineAccessors(box, p, measure)) {
            // Copy(P, start, length): a start of 0 counts as 1, and nothing past the end.
            const std::int32_t from = acc.lineStart < 1 ? 1 : acc.lineStart;
            std::u32string part;
            for (std::int32_t j = from; j < from + acc.lineLength() && j <= static_cast<std::int32_t>(P.size()); ++j)
                part += P[static_cast<std::size_t>(j - 1)];
            out.push_back(CodePointsToUtf8(part));
        }
    }
    return out;
}

inline TStringArray WrapTextToWidth(const std::string &text, const std::string &family, double size, double inches,
                                    const TextMeasurer &measure)
{
    TextBox box;
    box.Width = static_cast<int>(std::trunc(inches * 96 * 0.68));
    box.FontFamily = family;
    box.FontSize = size;
    box.SetText(DecodeLineBreaks(text));
    return literal::WrappedLines(box, measure);
}

} // namespace kelvox::literal
