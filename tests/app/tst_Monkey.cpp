// Random clicks, keys, typing and menu commands over the window on the shipped
// screens for a bounded time. Every question, chooser and dialog is answered at
// random, nothing is started, and afterwards the store has its shape and the
// window still works.
//
// KELVOX_MONKEY_SEED replays a run; KELVOX_MONKEY_SECONDS sets its length.

#include "MainFixture.h"
#include "SampleCase.h"
#include "TestDesktop.h"
#include "answers/Answers.h"
#include "main/KelvoxApplication.h"
#include "main/Prompter.h"
#include "main/TfrmMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <random>
#include <thread>

namespace {

using Random = std::mt19937;

int Below(Random &random, int n)
{
    return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n));
}

template <typename T> T Pick(Random &random, const QList<T> &items)
{
    return items.at(Below(random, static_cast<int>(items.size())));
}

const QStringList kTexts = {
    QStringLiteral("Jane Doe"),
    QStringLiteral("1/5/2020"),
    QStringLiteral("13/45/2020"),
    QStringLiteral("1,234.56"),
    QStringLiteral("-7"),
    QStringLiteral("99999999999999999999"),
    QStringLiteral("0.0625"),
    QStringLiteral("X"),
    QStringLiteral("{\\field{\\*\\fldinst HYPERLINK x}}"),
    QStringLiteral("a\\par b } {"),
    QStringLiteral("Jos\u00e9 \u2603 \U0001F600"),
    QStringLiteral("12 Elm St | Akron"),
    QStringLiteral("/#3/ /$12/"),
    QString(300, u'W'),
    QString(),
};

// Types text as key presses; characters beyond ASCII come as text of their own.
void TypeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size() && widget; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
            i += n - 1;
        }
    }
}

// Answers every question with one of the buttons it offers, every chooser
// with a case file, a hostile file, a bad place or nothing, and every dialog
// after a few random steps inside it.
class MonkeyPrompter final : public Prompter {
public:
    MonkeyPrompter(Random &random, const QString &home, std::deque<QString> &log)
        : m_random(random), m_home(home), m_log(log), m_previous(Prompter::install(this))
    {
    }
    ~MonkeyPrompter() override { Prompter::install(m_previous); }

    // Input/output failures on the files the choosers gave name their file;
    // any other report is a command that broke.
    QStringList generalReports;
    int fileFailures = 0;
    QPointer<QDialog> current;

    QMessageBox::StandardButton ask(QWidget *, QMessageBox::Icon icon, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton) override
    {
        if (icon == QMessageBox::Critical && title == QApplication::applicationName()) {
            if (text.contains(m_home))
                ++fileFailures;
            else
                generalReports.append(text);
        }
        QList<QMessageBox::StandardButton> offered;
        for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
            if (buttons.testFlag(QMessageBox::StandardButton(bit)))
                offered.append(QMessageBox::StandardButton(bit));
        const QMessageBox::StandardButton answer = offered.isEmpty() ? QMessageBox::Ok : Pick(m_random, offered);
        note(QStringLiteral("ask \"%1\" -> %2").arg(text.left(60)).arg(int(answer)));
        return answer;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return chosen(QDir(m_home).entryList({QStringLiteral("*.kvx")}, QDir::Files));
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return chosen({QStringLiteral("saved-%1.kvx").arg(Below(m_random, 3))});
    }
    QString existingFolder(QWidget *, const QString &, const QString &) override
    {
        const QString folder = Below(m_random, 2) ? m_home : QString();
        note(QStringLiteral("folder -> %1").arg(folder));
        return folder;
    }
    int execDialog(QDialog &dialog) override
    {
        const QString name = QString::fromLatin1(dialog.metaObject()->className());
        note(QStringLiteral("dialog %1").arg(name));
        if (current || Below(m_random, 4) == 0) {
            dialog.reject();
            return dialog.result();
        }
        current = &dialog;
        dialog.show();
        for (int i = Below(m_random, 15); i > 0 && dialog.isVisible(); --i)
            poke(dialog);
        if (dialog.isVisible()) {
            if (Below(m_random, 2))
                dialog.accept();
            else
                dialog.reject();
        }
        current = nullptr;
        note(QStringLiteral("dialog %1 -> %2").arg(name).arg(dialog.result()));
        return dialog.result();
    }
    void beep() override {}

    // One random step inside a widget tree: a click, a key or some typing.
    void poke(QWidget &top)
    {
        QList<QWidget *> widgets;
        for (QWidget *w : top.findChildren<QWidget *>())
            if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0 && !qobject_cast<QMenu *>(w))
                widgets.append(w);
        if (widgets.isEmpty())
            return;
        QWidget *w = Pick(m_random, widgets);
        const QString what = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        switch (Below(m_random, 6)) {
        case 0:
        case 1: {
            const QPoint at(Below(m_random, w->width()), Below(m_random, w->height()));
            const Qt::MouseButton button = Below(m_random, 8) == 0 ? Qt::RightButton : Qt::LeftButton;
            note(QStringLiteral("click %1 at %2,%3").arg(what).arg(at.x()).arg(at.y()));
            if (Below(m_random, 6) == 0)
                QTest::mouseDClick(w, button, {}, at);
            else
                QTest::mouseClick(w, button, {}, at);
            break;
        }
        case 2:
        case 3: {
            static const QList<Qt::Key> keys = {Qt::Key_Tab,    Qt::Key_Backtab,   Qt::Key_Return, Qt::Key_Escape,
                                                Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Left,   Qt::Key_Right,
                                                Qt::Key_PageUp, Qt::Key_PageDown,  Qt::Key_Home,   Qt::Key_End,
                                                Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Space,  Qt::Key_F1,
                                                Qt::Key_A,      Qt::Key_X,         Qt::Key_1,      Qt::Key_Slash};
            static const QList<Qt::KeyboardModifiers> modifiers = {Qt::NoModifier,      Qt::NoModifier,
                                                                   Qt::NoModifier,      Qt::ShiftModifier,
                                                                   Qt::ControlModifier, Qt::AltModifier};
            QWidget *target = QApplication::focusWidget() && top.isAncestorOf(QApplication::focusWidget())
                                  ? QApplication::focusWidget()
                                  : w;
            const Qt::Key key = Pick(m_random, keys);
            const Qt::KeyboardModifiers modifier = Pick(m_random, modifiers);
            note(QStringLiteral("key %1+%2 on %3").arg(int(modifier)).arg(int(key)).arg(target->objectName()));
            QTest::keyClick(target, key, modifier);
            break;
        }
        default: {
            QList<QWidget *> editable;
            for (QWidget *e : widgets)
                if ((qobject_cast<QLineEdit *>(e) && !static_cast<QLineEdit *>(e)->isReadOnly()) ||
                    qobject_cast<QPlainTextEdit *>(e) ||
                    (qobject_cast<QComboBox *>(e) && static_cast<QComboBox *>(e)->isEditable()))
                    editable.append(e);
            if (editable.isEmpty())
                return;
            QWidget *e = Pick(m_random, editable);
            const QString text = Pick(m_random, kTexts);
            note(QStringLiteral("type \"%1\" into %2").arg(text.left(40), e->objectName()));
            e->setFocus(Qt::MouseFocusReason);
            if (auto *line = qobject_cast<QLineEdit *>(e))
                line->selectAll();
            TypeText(e, text);
            if (e && Below(m_random, 3))
                QTest::keyClick(e, Qt::Key_Tab);
            break;
        }
        }
    }

    void note(const QString &what)
    {
        m_log.push_back(what);
        if (m_log.size() > 40)
            m_log.pop_front();
    }

private:
    QString chosen(const QStringList &names)
    {
        QString file;
        switch (Below(m_random, 4)) {
        case 0: break;
        case 1: file = QDir(m_home).filePath(QStringLiteral("no-such-folder/case.kvx")); break;
        default:
            if (!names.isEmpty())
                file = QDir(m_home).filePath(Pick(m_random, names));
        }
        note(QStringLiteral("file -> %1").arg(file));
        return file;
    }

    Random &m_random;
    QString m_home;
    std::deque<QString> &m_log;
    Prompter *m_previous;
};

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The case files the choosers offer: the shipped empty case, a case cut short
// and binary garbage.
void PlantFiles(const QString &home, Random &random)
{
    QFile shipped(QStringLiteral(KELVOX_PROGRAM_DIR "/default.kvx"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray whole = shipped.readAll();
    WriteFile(QDir(home).filePath(QStringLiteral("default.kvx")), whole);
    WriteFile(QDir(home).filePath(QStringLiteral("cut-short.kvx")), whole.left(whole.size() / 3));
    QByteArray garbage(4096, '\0');
    for (char &c : garbage)
        c = static_cast<char>(random());
    WriteFile(QDir(home).filePath(QStringLiteral("garbage.kvx")), garbage);
}

// Menu items that show a page of their own.
bool RequestsAPage(const QAction *item)
{
    const QString name = item->objectName();
    bool ok = false;
    const int tag = item->data().toInt(&ok);
    if (!ok || tag < 0 || tag % 100 != 0 || !name.startsWith(QStringLiteral("mnu")))
        return false;
    for (const char *other : {"_New", "_View", "_Delete", "Location", "Recent", "Invisible"})
        if (name.contains(QLatin1String(other)))
            return false;
    return true;
}

QString StoreShapeFault(const kelvox::TAnswer &answers)
{
    for (int i = 0; i < kelvox::kPageTypes; ++i) {
        const int copies = answers.PgCt()[size_t(i)];
        if (copies < 0 || copies > kelvox::kCopies)
            return QStringLiteral("page type %1 counts %2 copies").arg(i).arg(copies);
        for (int j = 0; j < kelvox::kCopies; ++j)
            if (answers.Page(i, j).Count() != kelvox::FieldsPerPage(i) + 1)
                return QStringLiteral("page %1 copy %2 holds %3 answers").arg(i).arg(j).arg(answers.Page(i, j).Count());
    }
    for (int n : {answers.NoOf18_2, answers.NoOf18_3, answers.NoOf18_4, answers.NoOf18_9, answers.NoOfWorksheet})
        if (n < 0 || n > kelvox::kCopies)
            return QStringLiteral("a form count of %1").arg(n);
    return QString();
}

} // namespace

class tst_Monkey final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomUseLeavesTheWindowWorking();
};

void tst_Monkey::randomUseLeavesTheWindowWorking()
{
    bool seeded = false;
    const unsigned seed = qgetenv("KELVOX_MONKEY_SEED").toUInt(&seeded);
    const unsigned used = seeded ? seed : QRandomGenerator::system()->generate();
    const int seconds =
        qEnvironmentVariableIsSet("KELVOX_MONKEY_SECONDS") ? qEnvironmentVariableIntValue("KELVOX_MONKEY_SECONDS") : 25;
    std::printf("monkey seed %u (replay with KELVOX_MONKEY_SEED=%u), %d s\n", used, used, seconds);
    std::fflush(stdout);
    Random random(used);
    std::deque<QString> log;

    // A step that does not come back in time is a hang: say where, and stop.
    std::atomic<long> steps{0};
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        long seen = -1;
        auto last = std::chrono::steady_clock::now();
        while (!finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (steps != seen) {
                seen = steps;
                last = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - last > std::chrono::seconds(60)) {
                std::fprintf(stderr, "monkey seed %u: step %ld hangs\n", used, seen);
                std::_Exit(3);
            }
        }
    });
    struct Join {
        std::atomic<bool> &finished;
        std::thread &thread;
        ~Join()
        {
            finished = true;
            thread.join();
        }
    } join{finished, watchdog};

    TestDesktop desktop;
    desktop.succeed = false;
    MainFixture fixture(QSizeF(1366, 768));
    PlantFiles(fixture.home(), random);
    MonkeyPrompter prompter(random, fixture.home(), log);
    TfrmMain *window = &fixture.create(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
    FillSampleCase(window->answers());
    fixture.show();

    // Pop-up menus and modal dialogs the prompter did not open would wait for
    // a person; close them and remember the modal ones.
    QStringList strayModals;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QWidget *modal = QApplication::activeModalWidget();
        // A progress dialog shows work going on and waits for nobody.
        if (modal && modal != prompter.current && !qobject_cast<QProgressDialog *>(modal)) {
            strayModals.append(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
        }
    });
    closer.start(50);

    const auto fail = [&](const QString &what) {
        QString text = QStringLiteral("seed %1: %2\nlast steps:\n").arg(used).arg(what);
        for (const QString &step : log)
            text += QStringLiteral("  ") + step + QLatin1Char('\n');
        return text;
    };

    QList<QAction *> actions = window->findChildren<QAction *>();
    int restarts = 0;
    // Every page gets its turn early; the rest of the run goes where it goes.
    QStringList tour;
    for (QAction *a : actions)
        if (RequestsAPage(a))
            tour.append(a->objectName());
    const qsizetype pages = tour.size();
    QSet<int> pageTypesSeen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    long commands = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        ++steps;
        if (!window->state().Answers) {
            // Closed for good: the program starts again on the same home folder.
            QVERIFY2(!window->isVisible(), qPrintable(fail(QStringLiteral("an open window without a store"))));
            prompter.note(QStringLiteral("start again"));
            ++restarts;
            window = &fixture.create(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
            fixture.show();
            actions = window->findChildren<QAction *>();
            continue;
        }
        if (!window->isVisible() || window->isMinimized()) {
            prompter.note(QStringLiteral("show the window again"));
            window->showNormal();
            QApplication::setActiveWindow(window);
        }
        if (!tour.isEmpty() && steps % 8 == 0) {
            QAction *a = window->action(tour.takeFirst());
            prompter.note(QStringLiteral("page %1").arg(a->objectName()));
            KelvoxApplication::guarded([a] { a->trigger(); });
        } else if (Below(random, 4) == 0) {
            QList<QAction *> enabled;
            for (QAction *a : actions)
                if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu())
                    enabled.append(a);
            QAction *a = Pick(random, enabled);
            prompter.note(QStringLiteral("command %1").arg(a->objectName()));
            ++commands;
            KelvoxApplication::guarded([a] { a->trigger(); });
        } else {
            prompter.poke(*window);
        }
        if (Below(random, 10) == 0)
            QTest::qWait(Below(random, 40));
        else
            QCoreApplication::processEvents();

        pageTypesSeen.insert(window->state().CurrentPageType);
        if (window->state().Answers) {
            const QString shape = StoreShapeFault(window->answers());
            QVERIFY2(shape.isEmpty(), qPrintable(fail(shape)));
        }
        QVERIFY2(prompter.generalReports.isEmpty(),
                 qPrintable(fail(QStringLiteral("general error report: ") + prompter.generalReports.join(u'|'))));
        QVERIFY2(strayModals.isEmpty(),
                 qPrintable(fail(QStringLiteral("modal outside the prompter: ") + strayModals.join(u' '))));
    }
    closer.stop();
    pageTypesSeen.remove(-1);
    std::printf("monkey: %ld steps, %ld commands, %d restarts, %d file failures reported, %lld page types shown\n",
                long(steps), commands, restarts, prompter.fileFailures, qlonglong(pageTypesSeen.size()));
    QVERIFY2(pages >= 20 && tour.isEmpty(),
             qPrintable(fail(QStringLiteral("pages never visited: ") + tour.join(u' '))));
    if (!window->state().Answers) {
        window = &fixture.create(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
        fixture.show();
    }

    // The window still shows a page and stores what is typed there.
    window->showNormal();
    QApplication::setActiveWindow(window);
    window->RequestPage(0);
    QCOMPARE(window->state().CurrentPageType, 0);
    QCOMPARE(window->state().CurrentCopy, 0);
    auto *edit = fixture.control<QLineEdit>(QStringLiteral("edt005"));
    QVERIFY2(edit && edit->isVisible() && edit->isEnabled(), qPrintable(fail(QStringLiteral("no name field"))));
    fixture.typeAndLeave(edit, QStringLiteral("After The Monkey"));
    QCOMPARE(QString::fromStdString(window->answers().Get(0, 0, 5)), QStringLiteral("After The Monkey"));
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_Monkey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Monkey.moc"
