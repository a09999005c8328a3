#include "files/PageScaler.h"

#include <QLayout>
#include <QRect>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace {

constexpr const char *kBaseGeometry = "zoomBaseGeometry";
constexpr const char *kBaseFontSize = "zoomBaseFontSize";
constexpr double kSmallestFont = 1.0;

int Scaled(int value, double zoom)
{
    return static_cast<int>(std::trunc(value * zoom));
}

bool PlacedByLayout(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget *>(widget)) >= 0;
}

void RememberBase(QWidget *control)
{
    if (!control->property(kBaseGeometry).isValid())
        control->setProperty(kBaseGeometry, control->geometry());
    if (!control->property(kBaseFontSize).isValid())
        control->setProperty(kBaseFontSize, control->font().pointSizeF());
}

void ScaleControl(QWidget *control, double zoom)
{
    if (!PlacedByLayout(control)) {
        const QRect base = control->property(kBaseGeometry).toRect();
        control->setGeometry(Scaled(base.x(), zoom), Scaled(base.y(), zoom), Scaled(base.width(), zoom),
                             Scaled(base.height(), zoom));
    }
    const double baseSize = control->property(kBaseFontSize).toDouble();
    if (baseSize > 0) {
        QFont font = control->font();
        font.setPointSizeF(std::max(kSmallestFont, baseSize * zoom));
        control->setFont(font);
    }
}

} // namespace

void ScalePageControls(QWidget *panel, double zoom)
{
    if (!panel)
        return;
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    // Every base first: a scaled parent's font would pass to its children.
    for (QWidget *control : controls)
        RememberBase(control);
    for (QWidget *control : controls)
        ScaleControl(control, zoom);
}
