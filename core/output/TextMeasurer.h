#pragma once

#include <string>

namespace kelvox {

// Width of a text in a font, in 96-dpi pixels. The app and kelvoxctl measure
// real glyphs; core tests use a deterministic measurer.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const = 0;
};

} // namespace kelvox
