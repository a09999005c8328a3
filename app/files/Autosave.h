#pragma once

#include "files/Recovery.h"

#include <QObject>
#include <QString>
#include <QTimer>

class TfrmMain;
struct MainState;

// Keeps the open case in the recovery file of the settings folder from its
// first unsaved change until it is saved, replaced or closed, and offers the
// file back at the next start when the program did not get that far.
class Autosave final : public QObject {
    Q_OBJECT
public:
    // A burst of changes is written once; the last change of a burst reaches
    // the file within this time.
    static constexpr int kDelayMs = 750;

    explicit Autosave(TfrmMain &window);
    ~Autosave() override;

    QString path() const;
    // The case was marked changed.
    void Changed();
    // Writes a change the timer has not written yet.
    void Flush();
    // The case's file now holds every change.
    void CaseSaved();
    // The user chose not to save the changes.
    void ChangesDeclined();
    // The case leaves memory (New, Open, Re-open). Changes that were saved or
    // declined go with it; changes the user was never asked about (a
    // cancelled Save As clears the flag) are moved aside.
    void CaseReplaced();
    // The window closes. As CaseReplaced, but changes the user was never
    // asked about stay in the recovery file for the next start.
    void CaseClosed();
    // At start: a recovery file newer than its case is offered back; one that
    // is not is moved aside, and so is one that cannot be read.
    void OfferRecovery();

private:
    enum class PageRead { FromControls, StoreOnly };
    void timerFired();
    // False when nothing was written. A failure is shown once, when report.
    bool write(PageRead read, bool report = false);
    void remove();
    void moveAside(const std::string &prefix, kelvox::RecoveryClock::time_point when);
    void reportFailure(const QString &text);

    TfrmMain &m_window;
    MainState &m_state;
    QTimer m_timer;
    bool m_pending = false;     // a change not yet in the file
    bool m_unconfirmed = false; // changes neither saved nor declined
    bool m_failureShown = false;
    kelvox::RecoveryClock::time_point m_lastChange;
};
