#include "output/DeterministicMeasurer.h"

#include "misc/Misc.h"

namespace kelvox {

class DeterministicRun final : public TextMeasurer::Run {
public:
    DeterministicRun(const DeterministicMeasurer &measurer, double pointSize)
        : m_measurer(measurer), m_pointSize(pointSize)
    {
    }

    void Reset() override { m_width = 0; }
    double Append(const std::string &utf8) override
    {
        // The same additions in the same order as TextWidth, so the sums agree exactly.
        for (char32_t c : Utf8ToCodePoints(utf8))
            m_width += m_measurer.CharWidth(c, m_pointSize);
        return m_width;
    }

private:
    const DeterministicMeasurer &m_measurer;
    double m_pointSize;
    double m_width = 0;
};

double DeterministicMeasurer::CharWidth(char32_t character, double pointSize) const
{
    ++m_measured;
    const auto it = m_units.find(character);
    return (it == m_units.end() ? m_defaultUnits : it->second) * pointSize / 10.0;
}

double DeterministicMeasurer::TextWidth(const std::string &utf8, const std::string &, double pointSize) const
{
    double width = 0;
    for (char32_t c : Utf8ToCodePoints(utf8))
        width += CharWidth(c, pointSize);
    return width;
}

std::unique_ptr<TextMeasurer::Run> DeterministicMeasurer::BeginRun(const std::string &, double pointSize) const
{
    return std::make_unique<DeterministicRun>(*this, pointSize);
}

} // namespace kelvox
