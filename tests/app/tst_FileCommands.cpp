#include "MainFixture.h"
#include "TestDesktop.h"
#include "TestPrompter.h"
#include "files/ClientFile.h"
#include "files/PageZoom.h"
#include "files/Settings.h"
#include "files/TfrmWindowScale.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}

// Runs a command as the event loop would: what it leaves to the general error
// report ends up in a critical box, which the test prompter answers.
void Run(TfrmMain &window, const char *action)
{
    KelvoxApplication::guarded([&] { window.action(QLatin1String(action))->trigger(); });
}

void WriteCase(const QString &path, const std::string &county)
{
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    rows.Rows.assign(1, {});
    store.Set(0, 0, 0, county);
    kelvox::SaveFile(path.toStdString(), store, rows);
}

std::string ReadCounty(const QString &path)
{
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    if (!kelvox::OpenFile(path.toStdString(), store, rows))
        return "<unreadable>";
    return store.Get(0, 0, 0);
}

void WriteText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray ValidCase(const std::string &county)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.kvx"));
    WriteCase(path, county);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList Captions(TfrmMain &window)
{
    QStringList shown;
    for (int i = 0; i < 5; ++i) {
        QAction *item = window.action(QStringLiteral("HX%1").arg(i));
        if (item->isVisible())
            shown << item->text();
    }
    return shown;
}

QString SettingsPath(const QString &home)
{
    return home + QStringLiteral("/Harrowgate/Kelvox/kelvox.ini");
}

} // namespace

class tst_FileCommands final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveOnAnUntitledCaseGoesToSaveAs();
    void saveAsRepairsTheExtension_data();
    void saveAsRepairsTheExtension();
    void choosingUntitledLeadsBackToSaveAs();
    void cancellingSaveAsKeepsTheCaseChanged();
    void aYesWhoseSaveIsCancelledKeepsTheCase();
    void failedSaveKeepsTheCaseChanged();
    void recentListKeepsNineAndShowsFive();
    void openingAListedFileKeepsTheOrder();
    void reopenReadsTheListedFile();
    void closeStartsANewUntitledCase();
    void openFailures_data();
    void openFailures();
    void reopenFailures_data();
    void reopenFailures();
    void newWithAnUnreadableDefaultCase();
    void defaultLocations();
    void zoomScalesThePagePanel();
    void helpMenu();
};

void tst_FileCommands::saveOnAnUntitledCaseGoesToSaveAs()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    window.answers().Set(0, 0, 10, "Smith");
    window.answers().Set(1, 0, 11, "Smith");
    const QString target = fixture.home() + QStringLiteral("/Smith.kvx");
    prompter.fileNames.push_back(target);

    Run(window, "mnuSave");

    QCOMPARE(prompter.fileDialogTitles, QStringList{QStringLiteral("File|Save As Dialog")});
    QCOMPARE(prompter.fileDialogStarts.front(), window.state().ClientFileFolder + QStringLiteral("/Smith.kvx"));
    QCOMPARE(prompter.fileDialogFilters.front(), QStringLiteral("Kelvox Files (*.kvx)"));
    QCOMPARE(ReadCounty(target), std::string("Summit"));
    QCOMPARE(window.currentFileName(), target);
    QCOMPARE(window.windowTitle(), QStringLiteral("Smith.kvx"));
    QVERIFY(!window.state().CaseChanged);
    QCOMPARE(window.state().RecentFiles, QStringList{target});
    QCOMPARE(Captions(window), QStringList{QStringLiteral("Smith.kvx")});
    QVERIFY(window.action(QStringLiteral("HX_Line"))->isVisible());

    // Named now: Save writes without a dialog.
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Stark"));
    Run(window, "mnuSave");
    QCOMPARE(prompter.fileDialogTitles.size(), 1);
    QCOMPARE(ReadCounty(target), std::string("Stark"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::saveAsRepairsTheExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("message");
    QTest::newRow("txt") << "smith.txt"
                         << "smith.kvx" << true;
    QTest::newRow("no extension in a folder with a dot") << "cases.2026/smith"
                                                         << "cases.2026/smith.kvx" << true;
    QTest::newRow("upper-case KVX") << "SMITH.KVX"
                                    << "SMITH.KVX" << false;
}

void tst_FileCommands::saveAsRepairsTheExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QFETCH(bool, message);
    TestPrompter prompter;
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QVERIFY(QDir(fixture.home()).mkpath(QStringLiteral("cases.2026")));
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    prompter.fileNames.push_back(fixture.home() + QLatin1Char('/') + chosen);

    Run(window, "mnuSaveAs");

    const QString expected = fixture.home() + QLatin1Char('/') + saved;
    QCOMPARE(sink.Codes(), message ? std::vector<std::uint16_t>{11010} : std::vector<std::uint16_t>{});
    QCOMPARE(ReadCounty(expected), std::string("Summit"));
    if (message)
        QVERIFY(!QFile::exists(fixture.home() + QLatin1Char('/') + chosen));
    QCOMPARE(window.currentFileName(), expected);
    QCOMPARE(window.state().RecentFiles, QStringList{expected});
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::choosingUntitledLeadsBackToSaveAs()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString untitled = fixture.home() + QStringLiteral("/Untitled.kvx");
    const QString named = fixture.home() + QStringLiteral("/Jones.kvx");
    prompter.fileNames = {untitled, named};

    Run(window, "mnuSaveAs");

    QCOMPARE(prompter.fileDialogTitles.size(), 2);
    QVERIFY(!QFile::exists(untitled));
    QVERIFY(QFile::exists(named));
    QCOMPARE(window.currentFileName(), named);
    // An untitled name is never listed.
    QCOMPARE(window.state().RecentFiles, QStringList{named});
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::cancellingSaveAsKeepsTheCaseChanged()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    QVERIFY(window.state().CaseChanged);
    prompter.fileNames.push_back(QString());

    Run(window, "mnuSaveAs");
    QVERIFY(window.state().CaseChanged);
    QCOMPARE(window.currentFileName(), QStringLiteral("Untitled.kvx"));

    // New still asks; Cancel keeps the typed answer.
    prompter.answers.push_back(QMessageBox::Cancel);
    Run(window, "mnuNew");
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.front().text, QStringLiteral("Do You Want To Save Your Changes"));
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Summit"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::aYesWhoseSaveIsCancelledKeepsTheCase()
{
    for (const char *command : {"mnuNew", "mnuOpen"}) {
        TestPrompter prompter;
        MainFixture fixture;
        TfrmMain &window = fixture.show();
        fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
        prompter.answers.push_back(QMessageBox::Yes);
        prompter.fileNames.push_back(QString()); // the Save As dialog, cancelled

        Run(window, command);

        QCOMPARE(prompter.questions.size(), 1);
        QCOMPARE(prompter.questions.front().text, QStringLiteral("Do You Want To Save Your Changes"));
        QCOMPARE(prompter.questions.front().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Only the Save As dialog was shown; the command ended there.
        QCOMPARE(prompter.fileDialogTitles, QStringList{QStringLiteral("File|Save As Dialog")});
        QCOMPARE(window.answers().Get(0, 0, 0), std::string("Summit"));
        QCOMPARE(prompter.unexpected, 0);
    }
}

void tst_FileCommands::failedSaveKeepsTheCaseChanged()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString target = fixture.home() + QStringLiteral("/gone/case.kvx");
    window.state().CurrentFileName = target;
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    prompter.answers.push_back(QMessageBox::Ok);

    Run(window, "mnuSave");

    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.front().icon, QMessageBox::Critical);
    QVERIFY(window.state().CaseChanged);
    QVERIFY(!QFile::exists(target));

    // New asks, and ends when the save fails again: the case stays.
    prompter.answers = {QMessageBox::Yes, QMessageBox::Ok};
    Run(window, "mnuNew");
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Summit"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::recentListKeepsNineAndShowsFive()
{
    TestPrompter prompter;
    MainFixture fixture;
    QVERIFY(QDir(fixture.home()).mkpath(QStringLiteral("Harrowgate/Kelvox")));
    kelvox::ProgramSettings settings;
    QStringList eleven;
    for (int i = 1; i <= 11; ++i) {
        eleven << QStringLiteral("/cases/case%1.kvx").arg(i);
        settings.RecentFiles.push_back(eleven.back().toStdString());
    }
    kelvox::WriteINI(SettingsPath(fixture.home()).toStdString(), settings);

    TfrmMain &window = fixture.show();
    QCOMPARE(window.state().RecentFiles, eleven.mid(0, 9));
    QCOMPARE(Captions(window), (QStringList{"case1.kvx", "case2.kvx", "case3.kvx", "case4.kvx", "case5.kvx"}));
    QVERIFY(window.action(QStringLiteral("HX_Line"))->isVisible());
    QVERIFY(window.action(QStringLiteral("mnuExitLine"))->isVisible());

    QVERIFY(window.close());
    kelvox::ProgramSettings written;
    kelvox::ReadINI(SettingsPath(fixture.home()).toStdString(), written);
    QCOMPARE(written.RecentFiles.size(), std::size_t(9));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::openingAListedFileKeepsTheOrder()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString a = fixture.home() + QStringLiteral("/a.kvx");
    const QString b = fixture.home() + QStringLiteral("/b.kvx");
    const QString c = fixture.home() + QStringLiteral("/c.kvx");
    WriteCase(a, "Adams");
    WriteCase(b, "Butler");
    WriteCase(c, "Clark");
    window.state().RecentFiles = {a, b};
    window.RefreshRecentMenu();

    prompter.fileNames.push_back(b);
    Run(window, "mnuOpen");
    QCOMPARE(prompter.fileDialogTitles.back(), QStringLiteral("Open File Dialog"));
    QCOMPARE(prompter.fileDialogStarts.back(), window.state().ClientFileFolder + QLatin1Char('/'));
    QCOMPARE(prompter.fileDialogFilters.back(), QStringLiteral("Kelvox Files (*.kvx)"));
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Butler"));
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtCounty"))->text(), QStringLiteral("Butler"));
    QCOMPARE(window.state().RecentFiles, (QStringList{a, b}));
    QCOMPARE(window.currentFileName(), b);
    QCOMPARE(window.state().CurrentPageType, 0);

    prompter.fileNames.push_back(c);
    Run(window, "mnuOpen");
    QCOMPARE(window.state().RecentFiles, (QStringList{c, a, b}));
    QCOMPARE(Captions(window), (QStringList{"c.kvx", "a.kvx", "b.kvx"}));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::reopenReadsTheListedFile()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString a = fixture.home() + QStringLiteral("/a.kvx");
    const QString b = fixture.home() + QStringLiteral("/b.kvx");
    WriteCase(a, "Adams");
    WriteCase(b, "Butler");
    window.state().RecentFiles = {a, b};
    window.RefreshRecentMenu();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));

    prompter.answers.push_back(QMessageBox::Cancel);
    Run(window, "HX1");
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Summit"));

    prompter.answers.push_back(QMessageBox::No);
    Run(window, "HX1");
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Butler"));
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtCounty"))->text(), QStringLiteral("Butler"));
    QCOMPARE(window.currentFileName(), b);
    QCOMPARE(window.windowTitle(), QStringLiteral("b.kvx"));
    QVERIFY(!window.state().CaseChanged);
    QCOMPARE(window.state().RecentFiles, (QStringList{a, b}));
    QCOMPARE(prompter.questions.size(), 2);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::closeStartsANewUntitledCase()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString a = fixture.home() + QStringLiteral("/a.kvx");
    WriteCase(a, "Adams");
    prompter.fileNames.push_back(a);
    Run(window, "mnuOpen");
    QCOMPARE(window.currentFileName(), a);
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));

    prompter.answers.push_back(QMessageBox::No);
    Run(window, "mnuClose");

    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(window.currentFileName(), QStringLiteral("Untitled.kvx"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled.kvx"));
    QVERIFY(!window.state().CaseChanged);
    QCOMPARE(window.answers().Get(0, 0, 0), std::string());
    QCOMPARE(window.answers().Get(0, 0, 12), std::string("Ohio")); // from default.kvx
    QCOMPARE(window.state().CurrentPageType, 0);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtCounty"))->text(), QString());
    QCOMPARE(ReadCounty(a), std::string("Adams"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::openFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("generalReport");
    QTest::addColumn<bool>("untitled");

    QByteArray badCount = ValidCase("Adams");
    badCount.replace("***** Page Counts\r\n0\r\n", "***** Page Counts\r\nabc\r\n");
    QTest::newRow("header") << QByteArray("Some Other Program\r\n 4.12000000000000E+0000\r\n") << 33010 << false
                            << true;
    QTest::newRow("version") << QByteArray("Kelvox Demo\r\n 3.10000000000000E+0000\r\n") << 33020 << false << true;
    QTest::newRow("count not a number") << badCount << 0 << true << false;
    QTest::newRow("missing file") << QByteArray() << 0 << true << false;
}

void tst_FileCommands::openFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(bool, generalReport);
    QFETCH(bool, untitled);
    TestPrompter prompter;
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString previous = fixture.home() + QStringLiteral("/previous.kvx");
    WriteCase(previous, "Brown");
    prompter.fileNames.push_back(previous);
    Run(window, "mnuOpen");
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Brown"));

    const QString bad = fixture.home() + QStringLiteral("/bad.kvx");
    if (!content.isEmpty())
        WriteText(bad, content);
    prompter.fileNames.push_back(bad);
    if (generalReport)
        prompter.answers.push_back(QMessageBox::Ok);
    Run(window, "mnuOpen");

    QCOMPARE(sink.Codes(), code ? std::vector<std::uint16_t>{std::uint16_t(code)} : std::vector<std::uint16_t>{});
    QCOMPARE(prompter.questions.size(), generalReport ? 1 : 0);
    if (generalReport)
        QCOMPARE(prompter.questions.front().icon, QMessageBox::Critical);
    QCOMPARE(window.currentFileName(), untitled ? QStringLiteral("Untitled.kvx") : bad);
    QVERIFY(!window.state().CaseChanged);
    // Nothing of the previous case is left in the store or on the screen.
    QCOMPARE(window.answers().Get(0, 0, 0), std::string());
    if (untitled) {
        QCOMPARE(window.state().CurrentPageType, 0);
        QCOMPARE(window.answers().Get(0, 0, 12), std::string("Ohio"));
    } else {
        QCOMPARE(window.state().CurrentPageType, -1);
        QVERIFY(!fixture.control<QLineEdit>(QStringLiteral("edtCounty")));
        // The next page request writes nothing stale into the store.
        window.RequestPage(0);
        QCOMPARE(window.answers().Get(0, 0, 0), std::string());
    }
    QCOMPARE(window.state().RecentFiles, QStringList{previous});
    QCOMPARE(ReadCounty(previous), std::string("Brown"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::reopenFailures_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("generalReport");
    QTest::newRow("header") << QByteArray("Some Other Program\r\n") << 1154 << false;
    QTest::newRow("missing file") << QByteArray() << 0 << true;
}

void tst_FileCommands::reopenFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(bool, generalReport);
    TestPrompter prompter;
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    const QString bad = fixture.home() + QStringLiteral("/bad.kvx");
    if (!content.isEmpty())
        WriteText(bad, content);
    window.state().RecentFiles = {bad};
    window.RefreshRecentMenu();
    prompter.answers.push_back(QMessageBox::No);
    if (generalReport)
        prompter.answers.push_back(QMessageBox::Ok);

    Run(window, "HX0");

    std::vector<std::uint16_t> codes = sink.Codes();
    if (code == 1154) // the reader's own message comes first
        QCOMPARE(codes, (std::vector<std::uint16_t>{33010, 1154}));
    else
        QCOMPARE(codes, std::vector<std::uint16_t>{});
    QCOMPARE(prompter.questions.size(), generalReport ? 2 : 1);
    QCOMPARE(window.currentFileName(), bad);
    QCOMPARE(window.answers().Get(0, 0, 0), std::string());
    QCOMPARE(window.state().CurrentPageType, -1);
    window.RequestPage(0);
    QCOMPARE(window.answers().Get(0, 0, 0), std::string());
    QCOMPARE(window.state().RecentFiles, QStringList{bad});
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::newWithAnUnreadableDefaultCase()
{
    TestPrompter prompter;
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString a = fixture.home() + QStringLiteral("/a.kvx");
    WriteCase(a, "Adams");
    prompter.fileNames.push_back(a);
    Run(window, "mnuOpen");
    const QString defaultCase = window.state().ClientFileFolder + QStringLiteral("/default.kvx");

    WriteText(defaultCase, "Some Other Program\r\n");
    Run(window, "mnuNew");
    QCOMPARE(sink.Codes(), (std::vector<std::uint16_t>{33010, 11340}));
    // The store holds a new case now, so a save must not replace a.kvx.
    QCOMPARE(window.currentFileName(), QStringLiteral("Untitled.kvx"));
    QCOMPARE(window.state().CurrentPageType, -1);
    QCOMPARE(ReadCounty(a), std::string("Adams"));

    QVERIFY(QFile::remove(defaultCase));
    prompter.answers.push_back(QMessageBox::Ok);
    Run(window, "mnuNew");
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.front().icon, QMessageBox::Critical);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::defaultLocations()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString before = window.state().ClientFileFolder;
    const QString chosen = fixture.home() + QStringLiteral("/elsewhere");
    QVERIFY(QDir().mkpath(chosen));

    prompter.fileNames = {QString(), chosen, fixture.home()};
    Run(window, "mnuClientFileLocation");
    QCOMPARE(window.state().ClientFileFolder, before);
    Run(window, "mnuClientFileLocation");
    QCOMPARE(window.state().ClientFileFolder, chosen);
    Run(window, "mnuRtfFileLocation");
    QCOMPARE(window.state().RtfWorkFolder, fixture.home());
    QCOMPARE(prompter.fileDialogTitles,
             (QStringList{"Select client file folder (kvx)", "Select client file folder (kvx)",
                          "Select temporary send to word processor folder (RTF)"}));
    QCOMPARE(prompter.fileDialogStarts.at(0), before);

    // Open starts in the new folder; the folder is written at shutdown.
    prompter.fileNames.push_back(QString());
    Run(window, "mnuOpen");
    QCOMPARE(prompter.fileDialogStarts.back(), chosen + QLatin1Char('/'));
    QVERIFY(window.close());
    kelvox::ProgramSettings written;
    kelvox::ReadINI(SettingsPath(fixture.home()).toStdString(), written);
    QCOMPARE(ToQ(written.Paths.ClientFileFolder), chosen);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::zoomScalesThePagePanel()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QLineEdit *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    const QRect natural = county->geometry();
    const int treeWidth = window.tree()->width();
    const int panelWidth = window.panelWidthAtStart();
    QVERIFY(panelWidth > 0);

    const auto zoomTo = [&](double zoom, QString *label = nullptr) {
        prompter.dialogs.push_back([zoom, label](QDialog &dialog) {
            auto *scale = qobject_cast<TfrmWindowScale *>(&dialog);
            if (!scale)
                return int(QDialog::Rejected);
            if (label)
                *label = scale->valueLabel();
            scale->setValue(zoom);
            return int(QDialog::Accepted);
        });
        Run(window, "mnuZoom");
    };

    QString label;
    zoomTo(0.5, &label);
    QCOMPARE(label, QStringLiteral("100%"));
    QCOMPARE(window.state().ZoomFactor, 0.5);
    QCOMPARE(window.pagePanel()->height(), int(kelvox::ZoomPageHeight(0) * 0.5 * 1.1));
    QCOMPARE(window.pagePanel()->width(), int(panelWidth * 0.5));
    QCOMPARE(window.width(), treeWidth + int(panelWidth * 0.5) + 24);
    QCOMPARE(county->geometry(), QRect(natural.x() / 2, natural.y() / 2, natural.width() / 2, natural.height() / 2));

    zoomTo(0.0);
    QCOMPARE(window.pagePanel()->height(), 0);
    QCOMPARE(county->size(), QSize(0, 0));

    zoomTo(1.0, &label);
    QCOMPARE(label, QStringLiteral("0%"));
    QCOMPARE(county->geometry(), natural);

    // A page loaded under a zoom takes it too.
    zoomTo(0.5);
    window.RequestPage(0);
    county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    QCOMPARE(county->width(), natural.width() / 2);

    // Cancel changes nothing.
    prompter.dialogs.push_back([](QDialog &) { return int(QDialog::Rejected); });
    Run(window, "mnuZoom");
    QCOMPARE(window.state().ZoomFactor, 0.5);
    QCOMPARE(prompter.dialogClasses.front(), QStringLiteral("TfrmWindowScale"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_FileCommands::helpMenu()
{
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QTemporaryDir program;
    window.state().ProgramFolder = program.path() + QLatin1Char('/');
    prompter.answers.push_back(QMessageBox::Yes);

    Run(window, "mnuManual");
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.front().text, QStringLiteral("The specified file was not found."));
    QVERIFY(desktop.opened.isEmpty());

    Run(window, "mnuTableOfContents");
    Run(window, "mnuTutorial");
    QCOMPARE(desktop.opened, (QStringList{program.filePath(QStringLiteral("help/kelvox/default.htm")),
                                          program.filePath(QStringLiteral("help/kelvox/tutorial/tutorial.htm"))}));

    prompter.dialogs.push_back([](QDialog &) { return int(QDialog::Accepted); });
    Run(window, "mnuAbout");
    QCOMPARE(prompter.dialogClasses, QStringList{QStringLiteral("TfrmAboutDlg")});
    QCOMPARE(prompter.unexpected, 0);
}

int main(int argc, char *argv[])
{
    KelvoxApplication app(argc, argv);
    tst_FileCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FileCommands.moc"
