#pragma once

#include <QObject>

struct MainState;
class PageHost;
class QGraphicsOpacityEffect;
class QScrollArea;
class QSequentialAnimationGroup;
class QWidget;

namespace kelvox {
class TextMeasurer;
}

// The page on the screen: loads a page copy's screen into the page panel,
// wires its controls and moves answers between the controls and the store.
class PageScreen final : public QObject {
    Q_OBJECT
public:
    PageScreen(MainState &state, const kelvox::TextMeasurer &measurer, QScrollArea *scrollBox, QWidget *panel,
               PageHost &host);
    ~PageScreen() override;

    QWidget *panel() const { return m_panel; }
    // How many field-exit passes have run.
    int exitPasses() const { return m_exitPasses; }

    void ShowPage(int tag);
    void ClearPage();
    void DisplayControls(QWidget *container);

    void Answer2Components(QWidget *container);
    void Components2Answers(QWidget *container);
    void RecalcAndRefresh(bool withTransfer);
    void CompleteCalc();
    void CalcOnExit(QWidget *sender);
    void ControlChange();
    void CalloutDispatch(QWidget *sender);
    void DialogDispatch();
    void Inserttoday(QWidget *focused);

    // The calculation pass over the whole case.
    void Calculate();

    // The answer index a control is bound to.
    static int AnswerIndexOf(const QWidget *control);
    // Shows an edit's or check box's override state from its answer's flag.
    void ShowOverride(QWidget *control, bool overridden);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillControls(QWidget *container);
    void readControls(QWidget *container);
    void prepareControls(QWidget *container);
    void prepareControl(QWidget *control);
    void focusFirstField();
    void scrollToTop();

    MainState &m_state;
    const kelvox::TextMeasurer &m_measurer;
    QScrollArea *m_scrollBox;
    QWidget *m_panel;
    PageHost &m_host;
    QGraphicsOpacityEffect *m_opacity;
    QSequentialAnimationGroup *m_fadeIn;
    bool m_clearing = false;
    int m_exitPasses = 0;
};
