#include "files/Autosave.h"

#include "answers/Answers.h"
#include "files/FileCommands.h"
#include "files/FileError.h"
#include "main/KelvoxApplication.h"
#include "main/MainState.h"
#include "main/Prompter.h"
#include "main/TfrmMain.h"
#include "misc/Misc.h"
#include "screens/PageScreen.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

#include <memory>

namespace {

QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}

// "on December 11, 2026 at 5:45 PM", in the user's time zone.
QString WhenText(kelvox::RecoveryClock::time_point when)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(local, QStringLiteral("'on' MMMM d, yyyy 'at' h:mm AP"));
}

} // namespace

Autosave::Autosave(TfrmMain &window) : m_window(window), m_state(window.state())
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::timerFired);
    if (auto *app = qobject_cast<KelvoxApplication *>(QCoreApplication::instance()))
        connect(app, &KelvoxApplication::commandFailed, this, [this] { write(PageRead::StoreOnly); });
}

Autosave::~Autosave()
{
    // A window that goes without closing (the program quits) keeps its last change.
    try {
        write(PageRead::StoreOnly);
    } catch (...) {
    }
}

QString Autosave::path() const
{
    return ToQ(kelvox::RecoveryFilePath(m_state.SettingsFolder.toStdString()));
}

void Autosave::Changed()
{
    m_pending = true;
    m_lastChange = kelvox::RecoveryClock::now();
    // Not restarted by later changes, so a steady typist is written too.
    if (!m_timer.isActive())
        m_timer.start();
}

void Autosave::Flush()
{
    m_timer.stop();
    write(PageRead::StoreOnly);
}

void Autosave::timerFired()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_window.openWorksheet()) {
        // A command is waiting for an answer; its case may be half replaced.
        m_timer.start();
        return;
    }
    if (!write(modal ? PageRead::StoreOnly : PageRead::FromControls, true) && m_pending)
        m_timer.start();
}

bool Autosave::write(PageRead read, bool report)
{
    // Without a page on the screen the store may be on its way out or half read.
    if (!m_pending || !m_lock || !m_state.Answers || m_state.CurrentPageType == -1)
        return false;
    if (read == PageRead::FromControls && !m_state.InCalcOnExit)
        m_window.page().Components2Answers(m_window.pagePanel());
    m_window.CopyOpenWorksheet();
    kelvox::RecoveryNote note;
    note.CasePath = m_state.CurrentFileName.toStdString();
    note.LastChange = m_lastChange;
    try {
        kelvox::SaveRecoveryFile(path().toStdString(), *m_state.Answers, m_state.WSchedList, note);
    } catch (const kelvox::FileError &e) {
        m_pending = false;
        if (report)
            reportFailure(ToQ(e.what()));
        return false;
    }
    m_pending = false;
    m_failureShown = false;
    return true;
}

void Autosave::reportFailure(const QString &text)
{
    if (m_failureShown)
        return;
    m_failureShown = true;
    Prompter::instance().ask(&m_window, QMessageBox::Warning, QStringLiteral("Kelvox"),
                             QStringLiteral("Kelvox cannot keep a copy of your unsaved changes: %1\n\n"
                                            "Save the case often until this is put right.")
                                 .arg(text),
                             QMessageBox::Ok, QMessageBox::Ok);
}

void Autosave::remove()
{
    if (m_lock)
        QFile::remove(path());
}

void Autosave::Discard()
{
    m_timer.stop();
    m_pending = false;
    remove();
}

bool Autosave::takeLock()
{
    auto lock = std::make_unique<QLockFile>(m_state.SettingsFolder + QStringLiteral("/recovery.lock"));
    // A lock left by a program that was killed names a process that is gone.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

void Autosave::OfferRecovery()
{
    if (!takeLock()) {
        Prompter::instance().ask(&m_window, QMessageBox::Warning, QStringLiteral("Kelvox"),
                                 QStringLiteral("Kelvox is already running in another window, which keeps the "
                                                "copy of its unsaved changes.\n\nChanges made in this window are "
                                                "kept only when you save them."),
                                 QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const QString file = path();
    if (!QFileInfo(file).isFile())
        return;
    auto store = std::make_unique<kelvox::TAnswer>();
    kelvox::WSchedList rows;
    kelvox::RecoveryNote note;
    std::string problem;
    if (!kelvox::OpenRecoveryFile(file.toStdString(), *store, rows, note, problem)) {
        const std::string moved =
            kelvox::MoveAside(file.toStdString(), kelvox::kUnreadableRecoveryPrefix, kelvox::RecoveryClock::now());
        Prompter::instance().ask(&m_window, QMessageBox::Warning, QStringLiteral("Kelvox"),
                                 ToQ(kelvox::UnreadableRecoveryText(problem, moved)), QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const std::string prefix = kelvox::RecoveredPrefix(note.CasePath);
    if (!kelvox::RecoveryIsNewer(note)) {
        kelvox::MoveAside(file.toStdString(), prefix, note.LastChange);
        return;
    }
    const QString question = ToQ(kelvox::RecoveryQuestion(note.CasePath, WhenText(note.LastChange).toStdString(),
                                                          m_state.SettingsFolder.toStdString()));
    const QMessageBox::StandardButton answer =
        Prompter::instance().ask(&m_window, QMessageBox::Warning, QStringLiteral("Kelvox"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        kelvox::MoveAside(file.toStdString(), prefix, note.LastChange);
        return;
    }
    m_window.files().Restore(std::move(store), std::move(rows), ToQ(note.CasePath));
    // The file already holds this case; it stays until the case is saved.
    m_timer.stop();
    m_pending = false;
    m_lastChange = note.LastChange;
}
