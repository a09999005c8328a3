#include "output/FitText.h"

#include "misc/Misc.h"
#include "output/TextMeasurer.h"

#include <array>
#include <atomic>
#include <cmath>

namespace kelvox {

namespace {
// The printed columns are narrower than their nominal width in the text box.
constexpr double kWrapWidthFactor = 0.68;
constexpr double kWrapPixelsPerInch = 96.0;
// A measured field width is taken as this share of what the field prints.
constexpr double kReduceWidthFactor = 0.76;

bool IsBreak(char32_t c)
{
    return c == U' ' || c == U'\r' || c == U'\n';
}
} // namespace

void TextBox::SetText(const std::string &text)
{
    Lines.clear();
    std::string line;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            Lines.push_back(std::move(line));
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
            pending = true;
        }
    }
    if (pending)
        Lines.push_back(std::move(line));
}

TLineAccessorArray BuildLineAccessors(const TextBox &box, int paragraph, const TextMeasurer &measurer)
{
    const std::u32string text = Utf8ToCodePoints(box.Lines.at(static_cast<std::size_t>(paragraph)));
    if (text.empty())
        return {TLineAccessor{}};

    const auto n = static_cast<std::int32_t>(text.size());
    const double clientWidth = box.ClientWidth();
    // 1-based, as the accessors count.
    auto at = [&text](std::int32_t i) { return text[static_cast<std::size_t>(i - 1)]; };

    const std::unique_ptr<TextMeasurer::Run> run = measurer.BeginRun(box.FontFamily, box.FontSize);
    TLineAccessorArray lines;
    bool open = false;
    for (std::int32_t i = 1; i <= n; ++i) {
        if (!open) {
            lines.push_back(TLineAccessor{i, 0});
            open = true;
            run->Reset();
            while (i < n && IsBreak(at(i)))
                ++i;
        }
        const double width = run->Append(CodePointsToUtf8(std::u32string(1, at(i))));
        const bool overflows = width > clientWidth;
        if (!overflows && i < n)
            continue;
        // Break at the line's last blank, the paragraph's last word included.
        if (overflows) {
            for (std::int32_t j = i; j >= lines.back().lineStart; --j) {
                if (IsBreak(at(j))) {
                    i = j;
                    break;
                }
            }
        }
        lines.back().lineEnd = i;
        open = false;
    }
    return lines;
}

TStringArray WrappedLines(const TextBox &box, const TextMeasurer &measurer)
{
    TStringArray result;
    for (int p = 0; p < static_cast<int>(box.Lines.size()); ++p) {
        const std::u32string text = Utf8ToCodePoints(box.Lines[static_cast<std::size_t>(p)]);
        for (const TLineAccessor &line : BuildLineAccessors(box, p, measurer)) {
            if (line.lineStart < 1) {
                result.emplace_back();
                continue;
            }
            result.push_back(CodePointsToUtf8(text.substr(static_cast<std::size_t>(line.lineStart - 1),
                                                          static_cast<std::size_t>(line.lineLength()))));
        }
    }
    return result;
}

int WrapBoxWidth(double inches)
{
    return static_cast<int>(std::trunc(inches * kWrapPixelsPerInch * kWrapWidthFactor));
}

TStringArray WrapTextToWidth(const std::string &text, const std::string &family, double pointSize, double inches,
                             const TextMeasurer &measurer)
{
    TextBox box;
    box.Width = WrapBoxWidth(inches);
    box.FontFamily = family;
    box.FontSize = pointSize;
    box.SetText(DecodeLineBreaks(text));
    return WrappedLines(box, measurer);
}

std::string ReduceToFit(const std::string &text, int currentSize, double widthInches, const TextMeasurer &measurer)
{
    if (widthInches == 0)
        return text;
    // The measurer counts 96 to the inch; the limit is in the platform's units.
    const double pixelsPerInch = Platform().PixelsPerInch;
    const double limit = widthInches * pixelsPerInch;
    for (int size = 28; size >= 12; size -= 2) {
        if (size > currentSize)
            continue;
        const double width = measurer.TextWidth(text, "Arial", size / 2.0) * pixelsPerInch / 96.0;
        if (width / kReduceWidthFactor < limit)
            return "\\fs" + std::to_string(size) + " " + text;
    }
    return "REDUCE TEXT";
}

namespace {
std::atomic<std::uint64_t> g_wrapCaches{0};
}

WrapCache::WrapCache(const TextMeasurer &measurer) : m_measurer(measurer), m_id(++g_wrapCaches) {}

const TStringArray &WrapCache::Wrap(const std::string &text, const std::string &family, double pointSize, double inches)
{
    const int width = WrapBoxWidth(inches);
    Column *column = nullptr;
    for (const auto &c : m_columns)
        if (c->pointSize == pointSize && c->width == width && c->family == family)
            column = c.get();
    if (!column)
        column = m_columns.emplace_back(std::make_unique<Column>(Column{family, pointSize, width, {}})).get();
    const auto found = column->lines.find(text);
    if (found != column->lines.end())
        return found->second;
    return column->lines.emplace(text, WrapTextToWidth(text, family, pointSize, inches, m_measurer)).first->second;
}

std::size_t WrapCache::Size() const
{
    std::size_t n = 0;
    for (const auto &c : m_columns)
        n += c->lines.size();
    return n;
}

} // namespace kelvox
