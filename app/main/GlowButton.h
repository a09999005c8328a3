#pragma once

#include <QToolButton>

class QGraphicsDropShadowEffect;

// A toolbar icon button that glows teal while the mouse is over it.
class GlowButton final : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(qreal iconOpacity READ iconOpacity WRITE setIconOpacity)
public:
    explicit GlowButton(QWidget *parent = nullptr);

    bool isGlowing() const;
    qreal iconOpacity() const { return m_iconOpacity; }
    void setIconOpacity(qreal opacity);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QGraphicsDropShadowEffect *m_glow;
    qreal m_iconOpacity = 1.0;
};
