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

double QtTextMeasurer::Width(const std::string &key, std::size_t fontKeyLength, const QFontMetricsF &metrics) const
{
    const auto found = m_widths.find(key);
    if (found != m_widths.end())
        return found->second;
    const double width = metrics.horizontalAdvance(
        QString::fromUtf8(key.data() + fontKeyLength, static_cast<qsizetype>(key.size() - fontKeyLength)));
    if (m_widths.size() >= kRememberedWidths)
        m_widths.clear();
    m_widths.emplace(key, width);
    return width;
}

double QtTextMeasurer::TextWidth(const std::string &utf8, const std::string &family, double pointSize) const
{
    const std::string fontKey = FontKey(family, pointSize);
    return Width(fontKey + utf8, fontKey.size(), Metrics(family, pointSize));
}

// Builds the key as the text grows instead of anew for every character.
class QtTextMeasurer::QtRun final : public TextMeasurer::Run {
public:
    QtRun(const QtTextMeasurer &measurer, const std::string &family, double pointSize)
        : m_measurer(measurer), m_metrics(measurer.Metrics(family, pointSize)), m_key(FontKey(family, pointSize)),
          m_fontKeyLength(m_key.size())
    {
    }

    void Reset() override { m_key.resize(m_fontKeyLength); }
    double Append(const std::string &utf8) override
    {
        m_key += utf8;
        return m_measurer.Width(m_key, m_fontKeyLength, m_metrics);
    }

private:
    const QtTextMeasurer &m_measurer;
    const QFontMetricsF &m_metrics;
    std::string m_key;
    std::size_t m_fontKeyLength;
};

std::unique_ptr<kelvox::TextMeasurer::Run> QtTextMeasurer::BeginRun(const std::string &family, double pointSize) const
{
    return std::make_unique<QtRun>(*this, family, pointSize);
}
