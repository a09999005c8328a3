#include "MainFixture.h"
#include "TestPrompter.h"
#include "files/ClientFile.h"
#include "files/Settings.h"
#include "main/KelvoxApplication.h"
#include "main/StartupFolders.h"
#include "main/WindowLayout.h"
#include "messages/CollectingSink.h"
#include "screens/PageScreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <fstream>

namespace {

// A program folder of its own: the fixture screens, the shipped style sheet,
// and a default case only where the test puts one.
class ProgramFolder final {
public:
    ProgramFolder()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("PSF"));
        QDir(m_dir.path()).mkpath(QStringLiteral("styles"));
        const QDir screens(MainFixture::fixtureScreens());
        for (const QString &name : screens.entryList({QStringLiteral("*.psf")}, QDir::Files))
            QFile::copy(screens.filePath(name), psf(name));
        QFile::copy(QStringLiteral(KELVOX_PROGRAM_DIR "/styles/kelvox.qss"),
                    m_dir.filePath(QStringLiteral("styles/kelvox.qss")));
    }
    QString path() const { return m_dir.path(); }
    QString psf(const QString &name) const { return m_dir.filePath(QStringLiteral("PSF/") + name); }

private:
    QTemporaryDir m_dir;
};

bool Visible(TfrmMain &window, const char *button)
{
    return !window.button(QLatin1String(button))->isHidden();
}

void ClickTreeItem(TfrmMain &window, const char *name)
{
    QTreeWidget *tree = window.tree();
    QTreeWidgetItem *item = window.treeItem(QLatin1String(name));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void WriteCase(const QString &path, int index, const std::string &text)
{
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    store.Set(0, 0, index, text);
    kelvox::SaveFile(path.toStdString(), store, rows);
}

std::string ReadCase(const QString &path, int type, int index)
{
    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    kelvox::OpenFile(path.toStdString(), store, rows);
    return store.Get(type, 0, index);
}

} // namespace

class tst_MainWindow final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowLayoutByScreenWidth_data();
    void windowLayoutByScreenWidth();
    void windowIsSizedToItsScreen();
    void programFolderOfADevelopmentBuild();
    void startsWithoutSettingsOrDefaultCase();
    void startsFromSettingsAndDefaultCase();
    void unreadableDefaultCaseStopsCreation();
    void menusAfterStartUp();
    void priorAndNextStepThroughForm18_0();
    void treeGroupsExpandAndCollapse();
    void viewAndDeleteFollowTheCopies();
    void refreshReloadsTheScreenFile();
    void closingAsksToSave_data();
    void closingAsksToSave();
    void closingStoresTheFieldBeingEdited();
    void toolbarButtonsGlowUnderTheMouse();
};

void tst_MainWindow::windowLayoutByScreenWidth_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("treeWidth");
    QTest::newRow("800") << 800.0 << 800 << 0;
    QTest::newRow("959.5 rounds to 960") << 959.5 << 960 << 144;
    QTest::newRow("1023.5 rounds to 1024") << 1023.5 << 1024 << 208;
    QTest::newRow("1024") << 1024.0 << 1024 << 208;
    QTest::newRow("1152") << 1152.0 << 1150 << 334;
    QTest::newRow("1176") << 1176.0 << 1170 << 354;
    QTest::newRow("1280") << 1280.0 << 1270 << 454;
    QTest::newRow("1366") << 1366.0 << 1300 << 484;
    QTest::newRow("3840") << 3840.0 << 1300 << 484;
    QTest::newRow("10000") << 10000.0 << 800 << 0;
}

void tst_MainWindow::windowLayoutByScreenWidth()
{
    QFETCH(double, width);
    QFETCH(int, windowWidth);
    QFETCH(int, treeWidth);
    const WindowLayout layout = WindowLayoutFor(width, 768);
    QCOMPARE(layout.Width, windowWidth);
    QCOMPARE(layout.TreeWidth, treeWidth);
    QCOMPARE(layout.Height, 711); // 768 - trunc(57.6)
    QCOMPARE(layout.Top, 0);
    QCOMPARE(layout.Left, static_cast<int>(width - windowWidth) / 2);
}

void tst_MainWindow::windowIsSizedToItsScreen()
{
    for (const auto &[screen, width, tree] :
         {std::tuple{800, 800, 0}, std::tuple{1024, 1024, 208}, std::tuple{1366, 1300, 484}}) {
        MainFixture fixture(QSizeF(screen, 768));
        TfrmMain &window = fixture.show();
        QCOMPARE(window.width(), width);
        QCOMPARE(window.height(), 711);
        QCOMPARE(window.tree()->isVisible(), tree > 0);
        if (tree > 0)
            QCOMPARE(window.tree()->width(), tree);
    }
}

void tst_MainWindow::programFolderOfADevelopmentBuild()
{
    QTemporaryDir home;
    QTemporaryDir builds;
    const QString debugBin = builds.filePath(QStringLiteral("Kelvox-DeBuG/bin"));
    const QString releaseBin = builds.filePath(QStringLiteral("release-42/bin"));
    const QString plainBin = builds.filePath(QStringLiteral("kelvox/bin"));
    for (const QString &bin : {debugBin, releaseBin, plainBin})
        QDir().mkpath(bin + QStringLiteral("/PSF"));
    const auto folders = [&](const QString &bin) {
        return StartupFolders(bin.toStdString(), home.path().toStdString());
    };

    // No development location here: every build keeps the data beside it.
    for (const QString &bin : {debugBin, releaseBin, plainBin}) {
        const kelvox::Folders f = folders(bin);
        QCOMPARE(QString::fromStdString(f.ProgramFolder), bin + QLatin1Char('/'));
        QCOMPARE(QString::fromStdString(f.ScreenFolder), bin + QStringLiteral("/PSF"));
    }

    const QString development = home.filePath(QStringLiteral("Source/Kelvox"));
    QDir().mkpath(development + QStringLiteral("/PSF"));
    for (const QString &bin : {debugBin, releaseBin}) {
        const kelvox::Folders f = folders(bin);
        QCOMPARE(QString::fromStdString(f.ProgramFolder), development);
        QCOMPARE(QString::fromStdString(f.ScreenFolder), development + QStringLiteral("/PSF"));
    }
    QCOMPARE(QString::fromStdString(folders(plainBin).ProgramFolder), plainBin + QLatin1Char('/'));
    const kelvox::Folders f = folders(plainBin);
    QCOMPARE(QString::fromStdString(f.SettingsFolder), home.filePath(QStringLiteral("Harrowgate/Kelvox")));
    QCOMPARE(QString::fromStdString(f.ClientFileFolder), home.filePath(QStringLiteral("Harrowgate/Kelvox/Files")));
}

void tst_MainWindow::startsWithoutSettingsOrDefaultCase()
{
    ProgramFolder program;
    MainFixture fixture(QSizeF(1366, 768), program.path());
    TfrmMain &window = fixture.create(QString());
    const MainState &state = window.state();
    QCOMPARE(state.ScreenFolder, program.psf(QString()).chopped(1));
    // The folders an installer would make are there before anything is read.
    QVERIFY(QFileInfo(state.ClientFileFolder).isDir());
    QVERIFY(!QFileInfo::exists(QDir(state.ClientFileFolder).filePath(QStringLiteral("default.kvx"))));
    QCOMPARE(state.WordProcessorName, QStringLiteral("WINWORD.EXE"));

    fixture.show();
    QCOMPARE(state.CurrentPageType, 0);
    QCOMPARE(state.CurrentCopy, 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled.kvx"));
    QVERIFY(!state.CaseChanged);
    QVERIFY(fixture.control(QStringLiteral("edtCounty")));
    QCOMPARE(window.tree()->currentItem(), window.treeItem(QStringLiteral("tvwGeneralInformation")));
    for (const char *group : {"tvwFollowTheseSteps", "tvwDisplayEditForms", "tvwForms18", "tvwMiscellaneous"})
        QVERIFY2(window.treeItem(QLatin1String(group))->isExpanded(), group);
    QVERIFY(!window.treeItem(QStringLiteral("tvwForms19"))->isExpanded());

    const QString settings = QDir(state.SettingsFolder).filePath(QStringLiteral("kelvox.ini"));
    QVERIFY(!QFileInfo::exists(settings));
    QVERIFY(window.close());
    QVERIFY(QFileInfo::exists(settings));
}

void tst_MainWindow::startsFromSettingsAndDefaultCase()
{
    ProgramFolder program;
    MainFixture fixture(QSizeF(1366, 768), program.path());
    // Settings naming other screens and files, and a default case.
    const QString kelvoxFolder = fixture.home() + QStringLiteral("/Harrowgate/Kelvox");
    const QString clientFiles = fixture.home() + QStringLiteral("/Cases");
    QDir().mkpath(kelvoxFolder);
    QDir().mkpath(clientFiles);
    kelvox::ProgramSettings settings;
    settings.Paths.ClientFileFolder = clientFiles.toStdString();
    settings.Paths.ScreenFolder = MainFixture::fixtureScreens().toStdString();
    settings.WordProcessorName = "SOMEWORD.EXE";
    settings.RecentFiles = {clientFiles.toStdString() + "/smith.kvx", "C:\\Cases\\jones.kvx"};
    kelvox::WriteINI(kelvoxFolder.toStdString() + "/kelvox.ini", settings);
    WriteCase(clientFiles + QStringLiteral("/default.kvx"), 0, "Franklin");

    TfrmMain &window = fixture.create(QString());
    const MainState &state = window.state();
    QCOMPARE(state.ClientFileFolder, clientFiles);
    QCOMPARE(state.ScreenFolder, MainFixture::fixtureScreens());
    QCOMPARE(state.RecentFiles.size(), 2);
    // The default case was read, so the program's own word processor name stands.
    QCOMPARE(state.WordProcessorName, QStringLiteral("WINWORD.EXE"));

    fixture.show();
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtCounty"))->text(), QStringLiteral("Franklin"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled.kvx"));
    QVERIFY(!state.CaseChanged);
    QVERIFY(window.action(QStringLiteral("HX0"))->isVisible());
    QCOMPARE(window.action(QStringLiteral("HX0"))->text(), QStringLiteral("smith.kvx"));
    QCOMPARE(window.action(QStringLiteral("HX1"))->text(), QStringLiteral("jones.kvx"));
    QVERIFY(!window.action(QStringLiteral("HX2"))->isVisible());
}

void tst_MainWindow::unreadableDefaultCaseStopsCreation()
{
    kelvox::CollectingSink sink;
    ProgramFolder program;
    MainFixture fixture(QSizeF(1366, 768), program.path());
    const QString kelvoxFolder = fixture.home() + QStringLiteral("/Harrowgate/Kelvox");
    QDir().mkpath(kelvoxFolder + QStringLiteral("/Files"));
    kelvox::ProgramSettings settings;
    settings.WordProcessorName = "SOMEWORD.EXE";
    kelvox::WriteINI(kelvoxFolder.toStdString() + "/kelvox.ini", settings);
    std::ofstream(kelvoxFolder.toStdString() + "/Files/default.kvx") << "Not a client file\r\n";

    TfrmMain &window = fixture.create();
    QCOMPARE(sink.Codes().back(), 11340);
    QCOMPARE(window.state().WordProcessorName, QStringLiteral("SOMEWORD.EXE"));
    fixture.show();
    QCOMPARE(window.state().CurrentPageType, 0);
}

void tst_MainWindow::menusAfterStartUp()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const auto keys = [&](const char *name) { return window.action(QLatin1String(name))->shortcut(); };
    QCOMPARE(keys("mnuNew"), QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(keys("mnuOpen"), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(keys("mnuClose"), QKeySequence(QStringLiteral("Ctrl+W")));
    QCOMPARE(keys("mnuSave"), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(keys("mnuPrint"), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(keys("mnuMinimize"), QKeySequence(QStringLiteral("Ctrl+M")));
    QCOMPARE(keys("mnuInsertToday"), QKeySequence(QStringLiteral("Ctrl+T")));
    QCOMPARE(window.action(QStringLiteral("mnuExit"))->text(), QStringLiteral("E&xit"));
    QVERIFY(!window.action(QStringLiteral("mnuDuplicate"))->isVisible());

    QStringList titles;
    for (QAction *menu : window.menuBar()->actions()) {
        if (menu->isVisible())
            titles << menu->text();
    }
    QCOMPARE(titles, (QStringList{"&File", "&Display", "&Options", "&Window", "&Help"}));

    // Force Word toggles its flag and its check mark.
    window.action(QStringLiteral("mnuForceWord"))->trigger();
    QVERIFY(window.state().ForceWord);
    QVERIFY(window.action(QStringLiteral("mnuForceWord"))->isChecked());
}

void tst_MainWindow::priorAndNextStepThroughForm18_0()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QVERIFY(!Visible(window, "cbtnPrior") && !Visible(window, "cbtnNext"));

    window.action(QStringLiteral("mnuForm18_0_1"))->trigger();
    struct Step {
        const char *button;
        int pageType;
        bool prior;
        bool next;
    };
    QCOMPARE(window.state().CurrentPageType, 1);
    QVERIFY(!Visible(window, "cbtnPrior") && Visible(window, "cbtnNext"));
    for (const Step &step : {Step{"cbtnNext", 2, true, true}, Step{"cbtnSmlNext", 23, true, false},
                             Step{"cbtnPrior", 2, true, true}, Step{"cbtnSmlPrior", 1, false, true}}) {
        QTest::mouseClick(window.button(QLatin1String(step.button)), Qt::LeftButton);
        QCOMPARE(window.state().CurrentPageType, step.pageType);
        QCOMPARE(Visible(window, "cbtnPrior"), step.prior);
        QCOMPARE(Visible(window, "cbtnSmlPrior"), step.prior);
        QCOMPARE(Visible(window, "cbtnNext"), step.next);
        QCOMPARE(Visible(window, "cbtnSmlNext"), step.next);
        QCOMPARE(window.tree()->currentItem()->text(0),
                 step.pageType == 23 ? QStringLiteral("Page 3") : QStringLiteral("Page %1").arg(step.pageType));
    }
    // A form without a second page shows neither.
    window.action(QStringLiteral("mnuForm18_1"))->trigger();
    QVERIFY(!Visible(window, "cbtnPrior") && !Visible(window, "cbtnNext"));
    QVERIFY(Visible(window, "cbtnRefresh"));
}

void tst_MainWindow::treeGroupsExpandAndCollapse()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QTreeWidgetItem *petition = window.treeItem(QStringLiteral("tvwForm18_0"));
    QVERIFY(!petition->isExpanded());
    ClickTreeItem(window, "tvwForm18_0");
    QVERIFY(petition->isExpanded());
    ClickTreeItem(window, "tvwForm18_0_2");
    QCOMPARE(window.state().CurrentPageType, 2);
    ClickTreeItem(window, "tvwForm18_0");
    QVERIFY(!petition->isExpanded());

    // A page item shows its page and expands nothing.
    QTreeWidgetItem *judgment = window.treeItem(QStringLiteral("tvwForm18_1"));
    ClickTreeItem(window, "tvwForm18_1");
    QCOMPARE(window.state().CurrentPageType, 3);
    QVERIFY(!judgment->isExpanded());
    QVERIFY(!petition->isExpanded());

    // The children of a group are sorted by caption.
    QTreeWidgetItem *forms19 = window.treeItem(QStringLiteral("tvwForms19"));
    QStringList captions;
    for (int i = 0; i < forms19->childCount(); ++i)
        captions << forms19->child(i)->text(0);
    QCOMPARE(captions, (QStringList{"19.0 Petition for Adult Adoption", "19.01 Judgment Entry Setting Hearing",
                                    "19.1 Final Order", "19.2 Petition for Foreign Adoption",
                                    "19.3 Order for Ohio Birth Record ..."}));
}

void tst_MainWindow::viewAndDeleteFollowTheCopies()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const auto shown = [&](const char *form) {
        const QString f = QLatin1String(form);
        const bool menu = window.action(QStringLiteral("mnu%1_View").arg(f))->isVisible() &&
                          window.action(QStringLiteral("mnu%1_Delete").arg(f))->isVisible();
        const bool tree = !window.treeItem(QStringLiteral("tvw%1_View").arg(f))->isHidden() &&
                          !window.treeItem(QStringLiteral("tvw%1_Delete").arg(f))->isHidden();
        if (menu != tree)
            qWarning("menu and tree disagree for %s", form);
        return menu && tree;
    };
    for (const char *form : {"Form18_2", "Form18_3", "Form18_4"})
        QVERIFY2(!shown(form), form);
    window.answers().NoOf18_3 = 1;
    window.UpdateMenuItems();
    QVERIFY(shown("Form18_3"));
    QVERIFY(!shown("Form18_2"));
    QVERIFY(window.action(QStringLiteral("mnuForm18_3_New"))->isVisible());
}

void tst_MainWindow::refreshReloadsTheScreenFile()
{
    ProgramFolder program;
    MainFixture fixture(QSizeF(1366, 768), program.path());
    TfrmMain &window = fixture.create(QString());
    fixture.show();
    window.answers().NoOf18_2 = 2;
    window.RequestPage(401);
    QCOMPARE(fixture.control<QLabel>(QStringLiteral("lblPage"))->text(), QStringLiteral("Screen 4"));

    QFile file(program.psf(QStringLiteral("page4.psf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray screen = file.readAll();
    file.close();
    screen.replace("Screen 4", "Screen 4, changed");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(screen);
    file.close();

    QTest::mouseClick(window.button(QStringLiteral("cbtnRefresh")), Qt::LeftButton);
    QCOMPARE(fixture.control<QLabel>(QStringLiteral("lblPage"))->text(), QStringLiteral("Screen 4, changed"));
    QCOMPARE(window.state().CurrentPageType, 4);
    QCOMPARE(window.state().CurrentCopy, 1);
}

void tst_MainWindow::closingAsksToSave_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << false << false;
    QTest::newRow("no") << int(QMessageBox::No) << true << true << false;
    QTest::newRow("yes, named case") << int(QMessageBox::Yes) << true << true << true;
    QTest::newRow("yes, untitled case") << int(QMessageBox::Yes) << false << true << true;
}

void tst_MainWindow::closingAsksToSave()
{
    QFETCH(int, answer);
    QFETCH(bool, named);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const QString target = fixture.home() + QStringLiteral("/case.kvx");
    if (named)
        window.state().CurrentFileName = target;
    else
        prompter.fileNames.push_back(target);
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtCounty")), QStringLiteral("Summit"));
    QVERIFY(window.state().CaseChanged);
    const QString settings = QDir(window.state().SettingsFolder).filePath(QStringLiteral("kelvox.ini"));
    QFile::remove(settings);

    prompter.answers.push_back(static_cast<QMessageBox::StandardButton>(answer));
    QCOMPARE(window.close(), closes);
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions[0].icon, QMessageBox::Warning);
    QCOMPARE(prompter.questions[0].text, QStringLiteral("Do You Want To Save Your Changes"));
    QCOMPARE(prompter.questions[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(QFileInfo::exists(target), saved);
    QCOMPARE(QFileInfo::exists(settings), closes);
    if (saved)
        QCOMPARE(ReadCase(target, 0, 0), std::string("Summit"));
    if (!closes) {
        QVERIFY(window.isVisible());
        QCOMPARE(window.answers().Get(0, 0, 0), std::string("Summit"));
        QCOMPARE(window.state().CurrentPageType, 0);
    }
}

void tst_MainWindow::closingStoresTheFieldBeingEdited()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    county->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(county, QStringLiteral("Wayne"));
    window.state().CaseChanged = true;
    prompter.answers.push_back(QMessageBox::Cancel);
    QVERIFY(!window.close());
    // The field was left before the question, so its text is in the store.
    QCOMPARE(window.answers().Get(0, 0, 0), std::string("Wayne"));
    QCOMPARE(prompter.questions.size(), 1);
}

void tst_MainWindow::toolbarButtonsGlowUnderTheMouse()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *save = window.button(QStringLiteral("cbtnSave"));
    QVERIFY(!save->icon().isNull());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(save, &enter);
    QVERIFY(save->graphicsEffect()->isEnabled());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(save, &leave);
    QVERIFY(!save->graphicsEffect()->isEnabled());
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    TestPrompter unexpectedQuestions;
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainWindow.moc"
