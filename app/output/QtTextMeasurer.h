#pragma once

#include "output/FitText.h"
#include "output/TextMeasurer.h"

#include <QFontMetricsF>

#include <memory>
#include <string>
#include <unordered_map>

// Measures with the font's real glyphs, without hinting, at 96 dpi. Widths are
// remembered: the pass measures the same texts at every field exit.
class QtTextMeasurer final : public kelvox::TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const override;
    std::unique_ptr<Run> BeginRun(const std::string &family, double pointSize) const override;
    // The expense texts are wrapped again at every field exit.
    kelvox::WrapCache *LastingWraps() const override { return &m_wraps; }

    QtTextMeasurer() = default;
    QtTextMeasurer(const QtTextMeasurer &) = delete;
    QtTextMeasurer &operator=(const QtTextMeasurer &) = delete;

private:
    class QtRun;

    const QFontMetricsF &Metrics(const std::string &family, double pointSize) const;
    // key: the font's key followed by the text
    double Width(const std::string &key, std::size_t fontKeyLength, const QFontMetricsF &metrics) const;

    static constexpr std::size_t kRememberedWidths = 200000;
    mutable std::unordered_map<std::string, std::unique_ptr<QFontMetricsF>> m_metrics;
    mutable std::unordered_map<std::string, double> m_widths;
    mutable kelvox::WrapCache m_wraps{*this};
};
