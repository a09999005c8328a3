#include "output/QtTextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>

double QtTextMeasurer::TextWidth(const std::string &utf8, const std::string &family, double pointSize) const
{
    QFont font(QString::fromStdString(family));
    font.setPointSizeF(pointSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font).horizontalAdvance(QString::fromStdString(utf8));
}
