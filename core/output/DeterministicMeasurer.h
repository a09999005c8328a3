#pragma once

#include "output/TextMeasurer.h"

#include <cstdint>
#include <map>

namespace kelvox {

// Widths without a font: every character is a fixed number of units wide
// (a unit is a tenth of the point size, in pixels), whatever the family.
// Characters may be given widths of their own.
class DeterministicMeasurer final : public TextMeasurer {
public:
    explicit DeterministicMeasurer(double defaultUnits = 6.0) : m_defaultUnits(defaultUnits) {}

    void SetUnits(char32_t character, double units) { m_units[character] = units; }
    double CharWidth(char32_t character, double pointSize) const;

    double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const override;
    std::unique_ptr<Run> BeginRun(const std::string &family, double pointSize) const override;

    // Characters measured so far, by TextWidth and by runs alike.
    std::uint64_t CharactersMeasured() const { return m_measured; }

private:
    friend class DeterministicRun;

    double m_defaultUnits;
    std::map<char32_t, double> m_units;
    mutable std::uint64_t m_measured = 0;
};

} // namespace kelvox
