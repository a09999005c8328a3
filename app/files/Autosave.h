#pragma once

#include "files/Recovery.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QLockFile;
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
    // The case's changes were saved, or given up by the user's answer, or
    // the case leaves memory after its question: the file goes.
    void Discard();
    // At start: a recovery file newer than its case is offered back; one that
    // is not is moved aside, and so is one that cannot be read. A second
    // program running beside the first keeps no recovery file and says so.
    void OfferRecovery();

private:
    enum class PageRead { FromControls, StoreOnly };
    void timerFired();
    // False when nothing was written. A failure is shown once, when report.
    bool write(PageRead read, bool report = false);
    void remove();
    // One program at a time keeps the recovery file.
    bool takeLock();
    void reportFailure(const QString &text);

    TfrmMain &m_window;
    MainState &m_state;
    QTimer m_timer;
    std::unique_ptr<QLockFile> m_lock; // held from the start-up offer on
    bool m_pending = false;            // a change not yet in the file
    bool m_failureShown = false;
    kelvox::RecoveryClock::time_point m_lastChange;
};
