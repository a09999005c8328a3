#pragma once

#include "output/TextMeasurer.h"

class QtTextMeasurer final : public kelvox::TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const override;
};
