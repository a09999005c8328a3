#pragma once

#include <memory>
#include <string>

namespace kelvox {

class WrapCache;

// Width of a text in a font, in 96-dpi pixels. The app and kelvoxctl measure
// real glyphs; core tests use a deterministic measurer.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const = 0;

    // A text measured as it grows at its end. Every Append returns exactly what
    // TextWidth gives for the whole text appended since the last Reset.
    class Run {
    public:
        virtual ~Run() = default;
        virtual void Reset() = 0;
        virtual double Append(const std::string &utf8) = 0;
    };

    // The default run measures the whole text at every step; a measurer whose
    // widths add up exactly may answer from a running sum instead.
    virtual std::unique_ptr<Run> BeginRun(const std::string &family, double pointSize) const;

    // Wraps kept from pass to pass, for a measurer whose widths never change
    // over its life. Null: every pass wraps afresh.
    virtual WrapCache *LastingWraps() const { return nullptr; }
};

} // namespace kelvox
