#include "output/TextMeasurer.h"

namespace kelvox {

namespace {
class RemeasuringRun final : public TextMeasurer::Run {
public:
    RemeasuringRun(const TextMeasurer &measurer, std::string family, double pointSize)
        : m_measurer(measurer), m_family(std::move(family)), m_pointSize(pointSize)
    {
    }

    void Reset() override { m_text.clear(); }
    double Append(const std::string &utf8) override
    {
        m_text += utf8;
        return m_measurer.TextWidth(m_text, m_family, m_pointSize);
    }

private:
    const TextMeasurer &m_measurer;
    std::string m_family;
    double m_pointSize;
    std::string m_text;
};
} // namespace

std::unique_ptr<TextMeasurer::Run> TextMeasurer::BeginRun(const std::string &family, double pointSize) const
{
    return std::make_unique<RemeasuringRun>(*this, family, pointSize);
}

} // namespace kelvox
