#pragma once

#include <QToolButton>

class QGraphicsDropShadowEffect;

// A toolbar icon button that glows teal while the mouse is over it.
class GlowButton final : public QToolButton {
    Q_OBJECT
public:
    explicit GlowButton(QWidget *parent = nullptr);

    bool isGlowing() const;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QGraphicsDropShadowEffect *m_glow;
};
