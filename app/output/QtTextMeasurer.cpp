#include "output/QtTextMeasurer.h"

#include <QFont>

namespace {
std::string FontKey(const std::string &family, double pointSize)
{
    return family + '\0' + std::to_string(pointSize) + '\0';
}
} // namespace

const QFontMetricsF &QtTextMeasurer::Metrics(const std::string &family, double pointSize) const
{
    std::unique_ptr<QFontMetricsF> &metrics = m_metrics[FontKey(family, pointSize)];
    if (!metrics) {
        QFont font(QString::fromStdString(family));
        // In pixels, so that the screen's resolution plays no part; Qt at 96 dpi
        // rounds to the same whole pixel size (10 points: 13 px).
        font.setPixelSize(qRound(pointSize * 96.0 / 72.0));
        font.setHintingPreference(QFont::PreferNoHinting);
        metrics = std::make_unique<QFontMetricsF>(font);
    }
    return *metrics;
}

double QtTextMeasurer::TextWidth(const std::string &utf8, const std::string &family, double pointSize) const
{
    std::string key = FontKey(family, pointSize) + utf8;
    const auto found = m_widths.find(key);
    if (found != m_widths.end())
        return found->second;
    const double width = Metrics(family, pointSize).horizontalAdvance(QString::fromStdString(utf8));
    if (m_widths.size() >= kRememberedWidths)
        m_widths.clear();
    m_widths.emplace(std::move(key), width);
    return width;
}
