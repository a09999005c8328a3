#include "main/GlowButton.h"

#include <QGraphicsDropShadowEffect>
#include <QStyleOptionToolButton>
#include <QStylePainter>

GlowButton::GlowButton(QWidget *parent) : QToolButton(parent), m_glow(new QGraphicsDropShadowEffect(this))
{
    m_glow->setColor(QColor(0x00, 0x80, 0x80));
    m_glow->setOffset(0, 0);
    m_glow->setBlurRadius(18);
    m_glow->setEnabled(false);
    setGraphicsEffect(m_glow);
    setAutoRaise(true);
    setFixedSize(36, 36);
    setIconSize(QSize(28, 28));
    setFocusPolicy(Qt::NoFocus);
}

bool GlowButton::isGlowing() const
{
    return m_glow->isEnabled();
}

void GlowButton::enterEvent(QEnterEvent *event)
{
    m_glow->setEnabled(true);
    QToolButton::enterEvent(event);
}

void GlowButton::leaveEvent(QEvent *event)
{
    m_glow->setEnabled(false);
    QToolButton::leaveEvent(event);
}

void GlowButton::hideEvent(QHideEvent *event)
{
    m_glow->setEnabled(false);
    QToolButton::hideEvent(event);
}

void GlowButton::setIconOpacity(qreal opacity)
{
    m_iconOpacity = opacity;
    update();
}

void GlowButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QIcon icon = option.icon;
    option.icon = QIcon();
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QRect target((width() - iconSize().width()) / 2, (height() - iconSize().height()) / 2, iconSize().width(),
                       iconSize().height());
    painter.setOpacity(m_iconOpacity);
    icon.paint(&painter, target, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}
