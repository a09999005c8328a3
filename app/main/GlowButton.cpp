#include "main/GlowButton.h"

#include <QGraphicsDropShadowEffect>

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
