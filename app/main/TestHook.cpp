#include "main/TestHook.h"

#include "files/ClientFile.h"
#include "main/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <sstream>

#include <unistd.h>

TestHook::TestHook()
    : m_notifier(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this)), m_previous(Prompter::install(this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &TestHook::readable);
}

TestHook::~TestHook()
{
    Prompter::install(m_previous);
}

void TestHook::print(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

bool TestHook::readInput()
{
    char chunk[4096];
    ssize_t n = 0;
    do {
        n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    } while (n < 0 && errno == EINTR);
    if (n <= 0)
        return false;
    m_buffer.append(chunk, static_cast<std::size_t>(n));
    std::size_t end = 0;
    while ((end = m_buffer.find('\n')) != std::string::npos) {
        const QString line = QString::fromUtf8(m_buffer.data(), static_cast<int>(end)).trimmed();
        m_buffer.erase(0, end + 1);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("answer ")) || line.startsWith(QLatin1String("file ")))
            m_replies.push_back(line);
        else
            m_commands.push_back(line);
    }
    return true;
}

void TestHook::readable()
{
    if (!readInput())
        m_notifier->setEnabled(false);
    runCommands();
}

void TestHook::runCommands()
{
    if (m_running)
        return;
    m_running = true;
    while (!m_commands.empty()) {
        const QString line = m_commands.front();
        m_commands.pop_front();
        run(line);
    }
    m_running = false;
}

void TestHook::run(const QString &line)
{
    const QString word = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    if (word == QLatin1String("ping")) {
        print(QStringLiteral("PONG"));
    } else if (!m_window) {
        print(QStringLiteral("NO-WINDOW"));
    } else if (word == QLatin1String("type")) {
        type(rest.section(QLatin1Char(' '), 0, 0), rest.section(QLatin1Char(' '), 1));
    } else if (word == QLatin1String("tab")) {
        m_window->deliverTab();
    } else if (word == QLatin1String("trigger")) {
        if (QAction *item = m_window->action(rest))
            item->trigger();
        else
            print(QStringLiteral("NO-ACTION ") + rest);
    } else if (word == QLatin1String("dump")) {
        dump();
    } else if (word == QLatin1String("quit")) {
        m_window->close();
    } else {
        print(QStringLiteral("UNKNOWN ") + line);
    }
}

QString TestHook::takeReply(const QString &word)
{
    const QString head = word + QLatin1Char(' ');
    for (;;) {
        for (auto it = m_replies.begin(); it != m_replies.end(); ++it) {
            if (it->startsWith(head)) {
                const QString reply = it->mid(head.size());
                m_replies.erase(it);
                // Commands read with the reply wait for no notifier: their bytes are gone.
                if (!m_commands.empty())
                    QMetaObject::invokeMethod(this, &TestHook::runCommands, Qt::QueuedConnection);
                return reply;
            }
        }
        if (!readInput())
            return {};
    }
}

void TestHook::type(const QString &name, const QString &text)
{
    QWidget *control = m_window->pagePanel()->findChild<QWidget *>(name);
    if (!control) {
        print(QStringLiteral("NO-CONTROL ") + name);
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->selectAll();
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        memo->selectAll();
    for (const QChar ch : text) {
        const int key = ch.isLetterOrNumber() && ch.unicode() < 128 ? ch.toUpper().unicode() : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(control, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(control, &release);
    }
}

void TestHook::dump()
{
    const MainState &state = m_window->state();
    print(QStringLiteral("FILE ") + state.CurrentFileName);
    print(QStringLiteral("CHANGED ") + (state.CaseChanged ? QStringLiteral("1") : QStringLiteral("0")));
    std::ostringstream out;
    if (state.Answers)
        kelvox::WriteClientFile(out, *state.Answers, state.WSchedList);
    const std::string bytes = out.str();
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    print(QStringLiteral("END"));
}

QMessageBox::StandardButton TestHook::ask(QWidget *, QMessageBox::Icon, const QString &, const QString &text,
                                          QMessageBox::StandardButtons, QMessageBox::StandardButton defaultButton)
{
    print(QStringLiteral("ASK ") + QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n")));
    const QString reply = takeReply(QStringLiteral("answer")).toLower();
    if (reply == QLatin1String("yes"))
        return QMessageBox::Yes;
    if (reply == QLatin1String("no"))
        return QMessageBox::No;
    if (reply == QLatin1String("cancel"))
        return QMessageBox::Cancel;
    if (reply == QLatin1String("ok"))
        return QMessageBox::Ok;
    return defaultButton;
}

QString TestHook::openFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    print(QStringLiteral("CHOOSE ") + title);
    return takeReply(QStringLiteral("file"));
}

QString TestHook::saveFileName(QWidget *, const QString &title, const QString &, const QString &)
{
    print(QStringLiteral("CHOOSE ") + title);
    return takeReply(QStringLiteral("file"));
}

QString TestHook::existingFolder(QWidget *, const QString &title, const QString &)
{
    print(QStringLiteral("CHOOSE ") + title);
    return takeReply(QStringLiteral("file"));
}

int TestHook::execDialog(QDialog &dialog)
{
    print(QStringLiteral("DIALOG ") + QString::fromLatin1(dialog.metaObject()->className()));
    return QDialog::Rejected;
}

void TestHook::beep()
{
    print(QStringLiteral("BEEP"));
}
