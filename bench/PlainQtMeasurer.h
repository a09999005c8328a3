#pragma once

#include "output/TextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

// The measurer as the described walk has it: every width measured afresh.
class PlainQtMeasurer final : public kelvox::TextMeasurer {
public:
    double TextWidth(const std::string &utf8, const std::string &family, double pointSize) const override
    {
        QFont font(QString::fromStdString(family));
        font.setPixelSize(qRound(pointSize * 96.0 / 72.0));
        font.setHintingPreference(QFont::PreferNoHinting);
        return QFontMetricsF(font).horizontalAdvance(QString::fromStdString(utf8));
    }
};
