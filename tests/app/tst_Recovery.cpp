#include "MainFixture.h"
#include "TestPrompter.h"
#include "files/Autosave.h"
#include "files/ClientFile.h"
#include "files/Recovery.h"
#include "main/KelvoxApplication.h"
#include "worksheet/TfrmWorksheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <sstream>

#include <sys/stat.h>

namespace {

using Clock = kelvox::RecoveryClock;

void Run(TfrmMain &window, const char *action)
{
    KelvoxApplication::guarded([&] { window.action(QLatin1String(action))->trigger(); });
}

QString SettingsFolder(const QString &home)
{
    return home + QStringLiteral("/Harrowgate/Kelvox");
}

QString RecoveryPath(const QString &home)
{
    return SettingsFolder(home) + QStringLiteral("/recovery.kvx");
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

struct Recovered {
    bool readable = false;
    std::string problem;
    std::unique_ptr<kelvox::TAnswer> store = std::make_unique<kelvox::TAnswer>();
    kelvox::WSchedList rows;
    kelvox::RecoveryNote note;
};

Recovered ReadRecovery(const QString &path)
{
    Recovered r;
    r.readable = kelvox::OpenRecoveryFile(path.toStdString(), *r.store, r.rows, r.note, r.problem);
    return r;
}

// The recovered copies the settings folder holds, besides the live file.
QStringList MovedAside(const QString &home, const QString &pattern)
{
    return QDir(SettingsFolder(home)).entryList({pattern}, QDir::Files, QDir::Name);
}

void SetWritten(const QString &path, Clock::time_point when)
{
    namespace fs = std::filesystem;
    fs::last_write_time(path.toStdString(), std::chrono::file_clock::from_sys(when));
}

// Writes a case (county in answer 0 of page type 0) to path.
void WriteCase(const QString &path, const std::string &county, const std::string &petitioner = {})
{
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    rows.Rows.assign(1, {});
    store.Set(0, 0, 0, county);
    store.Set(0, 0, 5, petitioner);
    kelvox::SaveFile(path.toStdString(), store, rows);
}

// A recovery file left by a run that ended before the case was saved.
void WriteRecoveryFile(const QString &home, const QString &casePath, Clock::time_point lastChange,
                       const std::string &county, const std::string &petitioner)
{
    QVERIFY(QDir().mkpath(SettingsFolder(home)));
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    rows.Rows.assign(1, {"Dr. Lee", "Medical", "03/04/2026", "120.00", "118.50"});
    store.Set(0, 0, 0, county);
    store.Set(0, 0, 5, petitioner);
    kelvox::RecoveryNote note;
    note.CasePath = casePath.toStdString();
    note.LastChange = lastChange;
    kelvox::SaveRecoveryFile(RecoveryPath(home).toStdString(), store, rows, note);
}

// Types into a field without leaving it: what a power cut interrupts.
void TypeOnly(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

bool WaitForRecovery(const QString &home, const std::string &county)
{
    return QTest::qWaitFor(
        [&] {
            const Recovered r = ReadRecovery(RecoveryPath(home));
            return r.readable && r.store->Get(0, 0, 0) == county;
        },
        3000);
}

} // namespace

class tst_Recovery final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aChangeReachesTheRecoveryFileWithinASecond();
    void showingAndRefreshingPagesWritesNothing();
    void theOpenWorksheetIsWrittenToo();
    void commandsAndTheRecoveryFile_data();
    void commandsAndTheRecoveryFile();
    void closing_data();
    void closing();
    void theOfferRestoresTheCase_data();
    void theOfferRestoresTheCase();
    void decliningTheOfferMovesItAside();
    void anUnreadableFileIsMovedAsideWithAMessage();
    void aCaseNewerThanItsRecoveryGivesNoOffer();
    void aSecondProgramLeavesTheFirstOnesFileAlone();
    void aKilledProgramOffersEveryAnswerBack();
};

void tst_Recovery::aChangeReachesTheRecoveryFileWithinASecond()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));

    const auto before = std::chrono::floor<std::chrono::milliseconds>(Clock::now());
    QElapsedTimer elapsed;
    elapsed.start();
    TypeOnly(county, QStringLiteral("Summit"));
    QVERIFY(WaitForRecovery(fixture.home(), "Summit"));
    QVERIFY2(elapsed.elapsed() < 1500, qPrintable(QString::number(elapsed.elapsed())));

    // The field was never left: the file took the text from the screen.
    const Recovered r = ReadRecovery(RecoveryPath(fixture.home()));
    QCOMPARE(r.note.CasePath, std::string("Untitled.kvx"));
    QVERIFY(r.note.LastChange >= before && r.note.LastChange <= Clock::now());
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(RecoveryPath(fixture.home())).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), 0600);

    // A steady typist is written too, not only after a pause.
    elapsed.restart();
    for (const QString &more : {QStringLiteral(" C"), QStringLiteral("o"), QStringLiteral("u"), QStringLiteral("n"),
                                QStringLiteral("t"), QStringLiteral("y")}) {
        QTest::keyClicks(county, more);
        QTest::qWait(200);
    }
    QVERIFY(WaitForRecovery(fixture.home(), "Summit County"));
    QVERIFY2(elapsed.elapsed() < 2500, qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::showingAndRefreshingPagesWritesNothing()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    for (const int tag : {100, 200, 0})
        KelvoxApplication::guarded([&] { window.RequestPage(tag); });
    KelvoxApplication::guarded([&] { window.RefreshClick(); });
    QTest::qWait(Autosave::kDelayMs * 2);
    QVERIFY(!window.state().CaseChanged);
    QVERIFY(!QFile::exists(RecoveryPath(fixture.home())));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::theOpenWorksheetIsWrittenToo()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    std::vector<kelvox::WSchedList::Row> whileOpen;
    prompter.dialogs.push_back([&](QDialog &dialog) {
        QTimer::singleShot(0, &dialog, [&] {
            if (QTest::qWaitForWindowExposed(&dialog)) {
                QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cbtnAdd")), Qt::LeftButton);
                QTest::keyClicks(dialog.findChild<QPlainTextEdit *>(QStringLiteral("memNameAddress")),
                                 QStringLiteral("Dr. Ravi Shah"));
                auto *amount = dialog.findChild<QLineEdit *>(QStringLiteral("edtAmountDue"));
                amount->setFocus(Qt::MouseFocusReason);
                QTest::keyClicks(amount, QStringLiteral("1200"));
                QTest::keyClick(amount, Qt::Key_Tab);
                // A modal window of its own, yet its rows are part of the case.
                QTest::qWaitFor(
                    [&] {
                        const Recovered r = ReadRecovery(RecoveryPath(fixture.home()));
                        whileOpen = r.readable ? r.rows.Rows : std::vector<kelvox::WSchedList::Row>{};
                        return !whileOpen.empty() && whileOpen.back()[0] == "Dr. Ravi Shah";
                    },
                    3000);
            }
            dialog.close();
        });
        return dialog.exec();
    });
    window.action(QStringLiteral("mnuExpenseWorksheet"))->trigger();

    QVERIFY(!whileOpen.empty());
    QCOMPARE(whileOpen.back()[0], std::string("Dr. Ravi Shah"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::commandsAndTheRecoveryFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer"); // to the save question; 0: none is asked
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("kept");

    const QString saveAs = QStringLiteral("Smith.kvx");
    const QString other = QStringLiteral("Other.kvx");
    QTest::newRow("Save As") << "mnuSaveAs" << 0 << saveAs << false;
    QTest::newRow("Save As cancelled") << "mnuSaveAs" << 0 << QString() << true;
    QTest::newRow("Save As into a missing folder") << "mnuSaveAs" << 0 << "gone/Smith.kvx" << true;
    QTest::newRow("New, saving first") << "mnuNew" << int(QMessageBox::Yes) << saveAs << false;
    QTest::newRow("New, not saving") << "mnuNew" << int(QMessageBox::No) << QString() << false;
    QTest::newRow("New, cancelled") << "mnuNew" << int(QMessageBox::Cancel) << QString() << true;
    QTest::newRow("Open, not saving") << "mnuOpen" << int(QMessageBox::No) << other << false;
    QTest::newRow("Open, its dialog cancelled") << "mnuOpen" << int(QMessageBox::No) << QString() << true;
}

void tst_Recovery::commandsAndTheRecoveryFile()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, fileName);
    QFETCH(bool, kept);

    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    WriteCase(fixture.home() + QStringLiteral("/Other.kvx"), "Stark");
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    QVERIFY(WaitForRecovery(fixture.home(), "Summit"));

    if (answer != 0)
        prompter.answers.push_back(QMessageBox::StandardButton(answer));
    prompter.fileNames.push_back(fileName.isEmpty() ? QString() : fixture.home() + QLatin1Char('/') + fileName);
    if (fileName.startsWith(QLatin1String("gone/")))
        prompter.answers.push_back(QMessageBox::Ok); // the failed save's report
    Run(window, qPrintable(command));
    QTest::qWait(Autosave::kDelayMs * 2);

    QCOMPARE(QFile::exists(RecoveryPath(fixture.home())), kept);
    if (kept)
        QCOMPARE(ReadRecovery(RecoveryPath(fixture.home())).store->Get(0, 0, 0), std::string("Summit"));
    QVERIFY(MovedAside(fixture.home(), QStringLiteral("Recovered-*")).isEmpty());
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::closing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Yes saves") << int(QMessageBox::Yes) << true << false;
    QTest::newRow("No discards") << int(QMessageBox::No) << true << false;
    QTest::newRow("Cancel goes on") << int(QMessageBox::Cancel) << false << true;
}

void tst_Recovery::closing()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, kept);

    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString casePath = fixture.home() + QStringLiteral("/Smith.kvx");
    window.state().CurrentFileName = casePath;
    // Typed, not left, and not yet written when the window closes.
    TypeOnly(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    prompter.answers.push_back(QMessageBox::StandardButton(answer));

    QCOMPARE(window.close(), closed);

    QCOMPARE(QFile::exists(RecoveryPath(fixture.home())), kept);
    if (answer == QMessageBox::Yes) {
        kelvox::TAnswer store;
        kelvox::WSchedList rows;
        QVERIFY(kelvox::OpenFile(casePath.toStdString(), store, rows));
        QCOMPARE(store.Get(0, 0, 0), std::string("Summit"));
    }
    if (kept) {
        QTest::qWait(Autosave::kDelayMs * 2);
        QCOMPARE(ReadRecovery(RecoveryPath(fixture.home())).store->Get(0, 0, 0), std::string("Summit"));
    }
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::theOfferRestoresTheCase_data()
{
    QTest::addColumn<QString>("caseName"); // empty: untitled
    QTest::addColumn<bool>("caseOnDisk");
    QTest::newRow("untitled") << QString() << false;
    QTest::newRow("case saved before the change") << "Smith.kvx" << true;
    QTest::newRow("case file gone") << "Smith.kvx" << false;
}

void tst_Recovery::theOfferRestoresTheCase()
{
    QFETCH(QString, caseName);
    QFETCH(bool, caseOnDisk);

    TestPrompter prompter;
    MainFixture fixture;
    const Clock::time_point change = Clock::now() - std::chrono::minutes(3);
    const QString casePath =
        caseName.isEmpty() ? QStringLiteral("Untitled.kvx") : fixture.home() + QLatin1Char('/') + caseName;
    if (caseOnDisk) {
        WriteCase(casePath, "Summit", "Old Name");
        SetWritten(casePath, change - std::chrono::minutes(10));
    }
    WriteRecoveryFile(fixture.home(), casePath, change, "Summit", "Jane Q. Public");
    prompter.answers.push_back(QMessageBox::Yes);

    TfrmMain &window = fixture.show();
    QTRY_COMPARE(prompter.questions.size(), 1);

    const TestPrompter::Question &question = prompter.questions.front();
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(question.text.contains(caseName.isEmpty() ? QStringLiteral("an untitled case") : caseName),
             qPrintable(question.text));
    const QDateTime local = QDateTime::currentDateTime().addSecs(-180);
    QVERIFY2(question.text.contains(QString::number(local.date().year())) &&
                 question.text.contains(QLatin1String(" at ")),
             qPrintable(question.text));
    QVERIFY2(question.text.contains(SettingsFolder(fixture.home())), qPrintable(question.text));

    QCOMPARE(window.answers().Get(0, 0, 5), std::string("Jane Q. Public"));
    QCOMPARE(window.state().WSchedList.Rows.size(), std::size_t(1));
    QCOMPARE(window.state().WSchedList.Rows[0][3], std::string("120.00"));
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1"))->text(), QStringLiteral("Jane Q. Public"));
    QCOMPARE(window.currentFileName(), casePath);
    QVERIFY(window.state().CaseChanged);
    // The file stays until the case is saved.
    QVERIFY(QFile::exists(RecoveryPath(fixture.home())));

    if (!caseName.isEmpty()) {
        Run(window, "mnuSave");
        kelvox::TAnswer store;
        kelvox::WSchedList rows;
        QVERIFY(kelvox::OpenFile(casePath.toStdString(), store, rows));
        QCOMPARE(store.Get(0, 0, 5), std::string("Jane Q. Public"));
        QVERIFY(!QFile::exists(RecoveryPath(fixture.home())));
    }
    QVERIFY(MovedAside(fixture.home(), QStringLiteral("Recovered-*")).isEmpty());
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::decliningTheOfferMovesItAside()
{
    TestPrompter prompter;
    MainFixture fixture;
    const QString casePath = fixture.home() + QStringLiteral("/Smith.kvx");
    WriteRecoveryFile(fixture.home(), casePath, Clock::now(), "Summit", "Jane Q. Public");
    const QByteArray original = Bytes(RecoveryPath(fixture.home()));
    prompter.answers.push_back(QMessageBox::No);

    TfrmMain &window = fixture.show();
    QTRY_COMPARE(prompter.questions.size(), 1);

    QVERIFY(!QFile::exists(RecoveryPath(fixture.home())));
    const QStringList moved = MovedAside(fixture.home(), QStringLiteral("Recovered-Smith-*.kvx"));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(Bytes(SettingsFolder(fixture.home()) + QLatin1Char('/') + moved.front()), original);
    QCOMPARE(window.currentFileName(), QStringLiteral("Untitled.kvx"));
    QCOMPARE(window.answers().Get(0, 0, 5), std::string());
    QVERIFY(!window.state().CaseChanged);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::anUnreadableFileIsMovedAsideWithAMessage()
{
    TestPrompter prompter;
    MainFixture fixture;
    QVERIFY(QDir().mkpath(SettingsFolder(fixture.home())));
    // A case whose last lines never reached the disk.
    WriteRecoveryFile(fixture.home(), QStringLiteral("Untitled.kvx"), Clock::now(), "Summit", "Jane");
    QByteArray damaged = Bytes(RecoveryPath(fixture.home()));
    damaged.truncate(damaged.indexOf("***** Recovery"));
    {
        QFile file(RecoveryPath(fixture.home()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
    }
    prompter.answers.push_back(QMessageBox::Ok);

    TfrmMain &window = fixture.show();
    QTRY_COMPARE(prompter.questions.size(), 1);

    QVERIFY(!QFile::exists(RecoveryPath(fixture.home())));
    const QStringList moved = MovedAside(fixture.home(), QStringLiteral("Unreadable-recovery-*.kvx"));
    QCOMPARE(moved.size(), 1);
    const QString movedPath = SettingsFolder(fixture.home()) + QLatin1Char('/') + moved.front();
    QCOMPARE(Bytes(movedPath), damaged);
    const TestPrompter::Question &message = prompter.questions.front();
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY2(message.text.contains(QLatin1String("cannot read")) && message.text.contains(movedPath),
             qPrintable(message.text));
    QCOMPARE(window.answers().Get(0, 0, 5), std::string());
    QVERIFY(!window.state().CaseChanged);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::aCaseNewerThanItsRecoveryGivesNoOffer()
{
    TestPrompter prompter;
    MainFixture fixture;
    const QString casePath = fixture.home() + QStringLiteral("/Smith.kvx");
    const Clock::time_point change = Clock::now() - std::chrono::hours(1);
    WriteCase(casePath, "Summit", "Saved Later");
    SetWritten(casePath, change + std::chrono::minutes(5));
    WriteRecoveryFile(fixture.home(), casePath, change, "Summit", "Older Change");

    TfrmMain &window = fixture.show();
    QTest::qWait(100);

    QCOMPARE(prompter.questions.size(), 0);
    QCOMPARE(window.currentFileName(), QStringLiteral("Untitled.kvx"));
    // Not offered, and not thrown away either.
    QVERIFY(!QFile::exists(RecoveryPath(fixture.home())));
    const QStringList moved = MovedAside(fixture.home(), QStringLiteral("Recovered-Smith-*.kvx"));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(ReadRecovery(SettingsFolder(fixture.home()) + QLatin1Char('/') + moved.front()).store->Get(0, 0, 5),
             std::string("Older Change"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_Recovery::aSecondProgramLeavesTheFirstOnesFileAlone()
{
    TestPrompter prompter;
    MainFixture fixture;
    fixture.show();
    TypeOnly(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    QVERIFY(WaitForRecovery(fixture.home(), "Summit"));

    TfrmMain::Environment environment;
    environment.ProgramFileFolder = QStringLiteral(KELVOX_PROGRAM_DIR);
    environment.HomeFolder = fixture.home();
    environment.ScreenSize = [] { return QSizeF(1366, 768); };
    TfrmMain second(environment);
    second.state().ScreenFolder = MainFixture::fixtureScreens();
    prompter.answers.push_back(QMessageBox::Ok);
    second.show();
    QTRY_COMPARE(prompter.questions.size(), 1);
    QVERIFY2(prompter.questions.front().text.contains(QLatin1String("already running")),
             qPrintable(prompter.questions.front().text));

    // Offered nothing, wrote nothing, removed nothing: the first program's changes stay.
    auto *county = second.pagePanel()->findChild<QLineEdit *>(QStringLiteral("edtCounty"));
    TypeOnly(county, QStringLiteral("Stark"));
    QTest::qWait(Autosave::kDelayMs * 2);
    QCOMPARE(ReadRecovery(RecoveryPath(fixture.home())).store->Get(0, 0, 0), std::string("Summit"));
    second.state().CaseChanged = false;
    second.close();
    QCOMPARE(ReadRecovery(RecoveryPath(fixture.home())).store->Get(0, 0, 0), std::string("Summit"));
    QVERIFY(MovedAside(fixture.home(), QStringLiteral("*-*.kvx")).isEmpty());
    QCOMPARE(prompter.unexpected, 0);
}

namespace {

// The real program, driven through its test hook.
class Program final {
public:
    explicit Program(const QString &home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(KELVOX_PROGRAM_DIR "/kelvox"), {QStringLiteral("--test-hook")});
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool started() { return m_process.waitForStarted(10000); }
    void send(const QString &line) { m_process.write(line.toUtf8() + '\n'); }
    // Everything printed up to and including the first line that starts with head.
    QByteArray until(const QByteArray &head, int timeoutMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            const int at = m_output.startsWith(head) ? 0 : m_output.indexOf("\n" + head);
            if (at >= 0) {
                const int end = m_output.indexOf('\n', at + 1 + (at > 0 ? 1 : 0));
                if (end >= 0) {
                    const QByteArray out = m_output.left(end + 1);
                    m_output.remove(0, end + 1);
                    return out;
                }
            }
            if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
                return {};
            m_process.waitForReadyRead(200);
            m_output += m_process.readAllStandardOutput();
        }
    }
    // The case as the program holds it, from the hook's dump.
    QByteArray dump(QString &file, bool &changed)
    {
        send(QStringLiteral("dump"));
        const QByteArray out = until("END");
        const int fileAt = out.indexOf("FILE ");
        const int changedAt = out.indexOf("\nCHANGED ", fileAt);
        if (fileAt < 0 || changedAt < 0)
            return {};
        file = QString::fromUtf8(out.mid(fileAt + 5, changedAt - fileAt - 5));
        changed = out.mid(changedAt + 9, 1) == "1";
        const int body = out.indexOf('\n', changedAt + 1) + 1;
        return out.mid(body, out.size() - body - 4);
    }
    void kill()
    {
        m_process.kill(); // SIGKILL: nothing of the program runs any more
        m_process.waitForFinished(5000);
    }
    bool finished(int &code)
    {
        if (!m_process.waitForFinished(20000))
            return false;
        code = m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
        return true;
    }

private:
    QProcess m_process;
    QByteArray m_output;
};

std::string Answer(const QByteArray &clientFile, int type, int copy, int index)
{
    std::istringstream in(clientFile.toStdString());
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    if (!kelvox::ReadClientFile(in, store, rows))
        return "<unreadable>";
    return store.Get(type, copy, index);
}

} // namespace

void tst_Recovery::aKilledProgramOffersEveryAnswerBack()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString casePath = home.filePath(QStringLiteral("Smith.kvx"));
    WriteCase(casePath, "Stark", "John Smith");
    SetWritten(casePath, Clock::now() - std::chrono::minutes(1));

    QByteArray beforeKill;
    {
        Program first(home.path());
        QVERIFY(first.started());
        first.send(QStringLiteral("file ") + casePath);
        first.send(QStringLiteral("trigger mnuOpen"));
        first.send(QStringLiteral("type edt000 Summit"));
        first.send(QStringLiteral("tab"));
        first.send(QStringLiteral("type edt005 Jane Q. Public"));
        first.send(QStringLiteral("tab"));
        first.send(QStringLiteral("type edt009 12 Elm Street"));
        QString file;
        bool changed = false;
        // Let the last field's text reach the recovery file, then kill the program.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const Recovered r = ReadRecovery(RecoveryPath(home.path()));
                return r.readable && r.store->Get(0, 0, 9) == "12 Elm Street";
            },
            10000));
        first.send(QStringLiteral("tab"));
        beforeKill = first.dump(file, changed);
        QCOMPARE(file, casePath);
        QVERIFY(changed);
        QCOMPARE(Answer(beforeKill, 0, 0, 5), std::string("Jane Q. Public"));
        QTest::qWait(Autosave::kDelayMs * 2);
        first.kill();
    }
    QVERIFY(QFile::exists(RecoveryPath(home.path())));
    kelvox::TAnswer onDisk;
    kelvox::WSchedList rows;
    QVERIFY(kelvox::OpenFile(casePath.toStdString(), onDisk, rows));
    QCOMPARE(onDisk.Get(0, 0, 5), std::string("John Smith"));

    Program second(home.path());
    QVERIFY(second.started());
    const QByteArray question = second.until("ASK ");
    QVERIFY2(question.contains("Smith.kvx") && question.contains("Do You Want To Restore These Changes"),
             question.constData());
    second.send(QStringLiteral("answer yes"));
    QString file;
    bool changed = false;
    const QByteArray restored = second.dump(file, changed);
    QCOMPARE(file, casePath);
    QVERIFY(changed);
    QCOMPARE(Answer(restored, 0, 0, 0), std::string("Summit"));
    QCOMPARE(Answer(restored, 0, 0, 9), std::string("12 Elm Street"));
    // Every answer, flag and worksheet cell, line for line.
    QCOMPARE(restored, beforeKill);

    // Save writes the case back to its own file, and the recovery file goes.
    second.send(QStringLiteral("trigger mnuSave"));
    second.send(QStringLiteral("quit"));
    int code = -2;
    QVERIFY(second.finished(code));
    QCOMPARE(code, 0);
    QVERIFY(kelvox::OpenFile(casePath.toStdString(), onDisk, rows));
    QCOMPARE(onDisk.Get(0, 0, 5), std::string("Jane Q. Public"));
    QVERIFY(!QFile::exists(RecoveryPath(home.path())));
}

int main(int argc, char *argv[])
{
    KelvoxApplication app(argc, argv);
    tst_Recovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Recovery.moc"
