#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvox {

class TextMeasurer;

// One wrapped line of a paragraph: positions, counted from 1, of its first and
// last character. An empty paragraph is the one accessor (0, 0).
struct TLineAccessor final {
    std::int32_t lineStart = 0;
    std::int32_t lineEnd = 0;
    std::int32_t lineLength() const { return lineEnd - lineStart + 1; }
    bool operator==(const TLineAccessor &) const = default;
};

using TLineAccessorArray = std::vector<TLineAccessor>;
using TStringArray = std::vector<std::string>;

// The hidden multi-line text box whose paragraphs are wrapped.
struct TextBox final {
    // Frame on each side of the box, inside its width.
    static constexpr int kBorder = 1;

    int Width = 0;
    std::string FontFamily = "Segoe UI";
    double FontSize = 10;
    std::vector<std::string> Lines;

    int ClientWidth() const { return Width > 2 * kBorder ? Width - 2 * kBorder : 0; }
    // Splits at CR LF, LF or CR; a break at the very end starts no further line.
    void SetText(const std::string &text);
};

TLineAccessorArray BuildLineAccessors(const TextBox &box, int paragraph, const TextMeasurer &measurer);
TStringArray WrappedLines(const TextBox &box, const TextMeasurer &measurer);

// Box width in pixels for a column of the given inches.
int WrapBoxWidth(double inches);

// The lines the text prints as in a column of the given inches, its stored
// " | " separators turned back into line breaks first.
TStringArray WrapTextToWidth(const std::string &text, const std::string &family, double pointSize, double inches,
                             const TextMeasurer &measurer);

// The text as printed in a one-line field: prefixed by the largest size word,
// not above the current size (in half points), at which it fits the width in
// inches, or "REDUCE TEXT" when it fits at no size.
std::string ReduceToFit(const std::string &text, int currentSize, double widthInches, const TextMeasurer &measurer);

// Wraps each distinct text once for each font and width asked.
class WrapCache final {
public:
    explicit WrapCache(const TextMeasurer &measurer);

    // Tells this cache apart from every other one made in the program's run.
    std::uint64_t Id() const { return m_id; }

    const TStringArray &Wrap(const std::string &text, const std::string &family, double pointSize, double inches);

    // How many texts it holds, over every font and width.
    std::size_t Size() const;
    // Invalidates every wrap handed out.
    void Clear() { m_columns.clear(); }

private:
    struct Column {
        std::string family;
        double pointSize;
        int width;
        std::unordered_map<std::string, TStringArray> lines;
    };

    const TextMeasurer &m_measurer;
    std::uint64_t m_id;
    std::vector<std::unique_ptr<Column>> m_columns; // a few: one per font and width asked
};

} // namespace kelvox
