#include "MainFixture.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"
#include "screens/PageScreen.h"
#include "screens/ScreenFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>

namespace {

std::string Answer(TfrmMain &window, int type, int index, int copy = 0)
{
    return window.answers().Get(type, copy, index);
}

bool Raised(const kelvox::CollectingSink &sink, std::uint16_t code)
{
    const auto codes = sink.Codes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

} // namespace

class tst_MainScreens final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsEveryDocumentOfAFile();
    void screenFileOfEachPageCopy_data();
    void screenFileOfEachPageCopy();
    void loadsBothTreesOfAScreenFile();
    void typedValuesAreReformattedAndStored_data();
    void typedValuesAreReformattedAndStored();
    void answersShowByEditKind_data();
    void answersShowByEditKind();
    void memoCheckComboAndRadioRoundTrip();
    void leavingAFieldUpdatesOtherPagesThroughThePass();
    void loadingAndRefreshingKeepCaseChanged();
    void styleNamesCarryBehaviourInAnyCase();
    void helpButtonsToggleTheirCallouts();
    void pageButtonsRefreshWithoutReadingTheScreen();
    void showingAPageNeverWritesTheOldPageIntoTheNewOne();
    void answerBeyondThePageIsReportedAndTheRestSkipped();
    void missingScreenFileReachesTheGeneralReport();
    void brokenSecondTreeKeepsTheFirst();
    void insertTodayFillsTheFocusedEdit();
};

void tst_MainScreens::splitsEveryDocumentOfAFile()
{
    const QByteArray two = "<?xml version=\"1.0\"?>\n<ui version=\"4.0\"><widget/></ui>\n"
                           "<?xml version=\"1.0\"?><ui version=\"4.0\"><uiextra/></ui>";
    const QList<QByteArray> documents = ScreenFile::SplitDocuments(two);
    QCOMPARE(documents.size(), 2);
    QCOMPARE(documents[0], QByteArray("<ui version=\"4.0\"><widget/></ui>"));
    QCOMPARE(documents[1], QByteArray("<ui version=\"4.0\"><uiextra/></ui>"));
    QVERIFY(ScreenFile::SplitDocuments("no screen here").isEmpty());
}

void tst_MainScreens::screenFileOfEachPageCopy_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("label");
    QTest::newRow("listing copy 0") << 1200 << "Screen 12";
    QTest::newRow("listing copy 1") << 1201 << "Screen 14";
    QTest::newRow("listing copy 3") << 1203 << "Screen 14";
    QTest::newRow("18.0 page 3") << 2300 << "Screen 23";
}

void tst_MainScreens::screenFileOfEachPageCopy()
{
    QFETCH(int, tag);
    QFETCH(QString, label);
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.RequestPage(tag);
    QCOMPARE(window.state().CurrentPageType, tag / 100);
    QCOMPARE(window.state().CurrentCopy, tag % 100);
    QCOMPARE(fixture.control<QLabel>(QStringLiteral("lblPage"))->text(), label);
}

void tst_MainScreens::loadsBothTreesOfAScreenFile()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QCOMPARE(window.state().CurrentPageType, 0);
    QWidget *panel = window.pagePanel();
    // The controls of both trees belong to the panel; each tree's root is gone.
    QCOMPARE(fixture.control(QStringLiteral("edtCounty"))->parentWidget(), panel);
    QCOMPARE(fixture.control(QStringLiteral("grpMore"))->parentWidget(), panel);
    QVERIFY(fixture.control(QStringLiteral("memNotes")));
    QVERIFY(!fixture.control(QStringLiteral("Page0")));
    QVERIFY(!fixture.control(QStringLiteral("Page0b")));
    // The larger of the two roots sizes the panel, so nothing is cut off.
    QCOMPARE(panel->size(), QSize(600, 650));
    QVERIFY(fixture.control(QStringLiteral("memNotes"))->isVisible());
}

void tst_MainScreens::typedValuesAreReformattedAndStored_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::newRow("amount") << "edtAmount" << 70 << "1234.567"
                            << "1,234.57"
                            << "1,234.57";
    QTest::newRow("whole amount") << "edtWhole" << 71 << "1234.567"
                                  << "1,235.00"
                                  << "1,235";
    QTest::newRow("percentage") << "edtPercent" << 72 << "12.5"
                                << "12.50%"
                                << "0.125";
    QTest::newRow("percentage with sign") << "edtPercent" << 72 << "7%"
                                          << "7.00%"
                                          << "0.07";
    QTest::newRow("count") << "edtCount" << 73 << "1234.4"
                           << "1,234"
                           << "1,234";
    QTest::newRow("text") << "edtCounty" << 0 << " Franklin "
                          << " Franklin "
                          << " Franklin ";
}

void tst_MainScreens::typedValuesAreReformattedAndStored()
{
    QFETCH(QString, edit);
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *field = fixture.control<QLineEdit>(edit);
    QVERIFY(!window.state().CaseChanged);
    fixture.typeAndLeave(field, typed);
    QCOMPARE(field->text(), shown);
    QCOMPARE(QString::fromStdString(Answer(window, 0, index)), stored);
    QVERIFY(window.state().CaseChanged);
    QVERIFY(!window.state().InCalcOnExit);
}

void tst_MainScreens::answersShowByEditKind_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty amount") << 0 << "edtAmount" << 70 << ""
                                  << "0.00";
    QTest::newRow("amount") << 0 << "edtAmount" << 70 << "1234.5"
                            << "1,234.50";
    QTest::newRow("whole amount") << 0 << "edtWhole" << 71 << "1,235"
                                  << "1,235.00";
    QTest::newRow("percentage") << 0 << "edtPercent" << 72 << "0.07"
                                << "7.00%";
    QTest::newRow("count as typed") << 0 << "edtCount" << 73 << "12"
                                    << "12";
    QTest::newRow("listing: empty amount") << 1200 << "edtAmount" << 10 << ""
                                           << "";
    QTest::newRow("listing: zero amount") << 1200 << "edtAmount" << 10 << "0.00"
                                          << "";
    QTest::newRow("listing: zero whole") << 1200 << "edtWhole" << 11 << "0"
                                         << "";
    QTest::newRow("listing: amount") << 1200 << "edtAmount" << 10 << "5"
                                     << "5.00";
}

void tst_MainScreens::answersShowByEditKind()
{
    QFETCH(int, tag);
    QFETCH(QString, edit);
    QFETCH(int, index);
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.RequestPage(tag);
    window.answers().Set(tag / 100, tag % 100, index, answer.toStdString());
    window.page().Answer2Components(window.pagePanel());
    QCOMPARE(fixture.control<QLineEdit>(edit)->text(), shown);
    // A kind-0 edit keeps the text of its screen.
    if (tag == 0)
        QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtFixed"))->text(), QStringLiteral("fixed text"));
}

void tst_MainScreens::memoCheckComboAndRadioRoundTrip()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    PageScreen &page = window.page();
    auto *memo = fixture.control<QPlainTextEdit>(QStringLiteral("memNotes"));
    auto *married = fixture.control<QCheckBox>(QStringLiteral("cbxMarried"));
    auto *estimate = fixture.control<QCheckBox>(QStringLiteral("cbxEstimate"));
    auto *combo = fixture.control<QComboBox>(QStringLiteral("cmbStatus"));
    auto *yes = fixture.control<QRadioButton>(QStringLiteral("rbYes"));
    auto *no = fixture.control<QRadioButton>(QStringLiteral("rbNo"));

    // An empty case: unticked boxes, item 0, no radio chosen.
    QVERIFY(!married->isChecked());
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(!yes->isChecked() && !no->isChecked());

    memo->setPlainText(QStringLiteral("first line\nsecond line"));
    estimate->setChecked(true);
    combo->setCurrentIndex(-1);
    yes->setChecked(true);
    page.Components2Answers(window.pagePanel());
    QCOMPARE(Answer(window, 0, 80), std::string("first line | second line"));
    QCOMPARE(Answer(window, 0, 81), std::string());
    QCOMPARE(Answer(window, 0, 82), std::string("X"));
    QCOMPARE(Answer(window, 0, 83), std::string("-1"));
    QCOMPARE(Answer(window, 0, 84), std::string("X"));
    QCOMPARE(Answer(window, 0, 85), std::string());

    memo->clear();
    page.Answer2Components(window.pagePanel());
    QCOMPARE(memo->toPlainText(), QStringLiteral("first line\nsecond line"));
    QCOMPARE(estimate->text(), QStringLiteral("EST"));
    QCOMPARE(combo->currentIndex(), -1);

    // The store clears a chosen radio button even in an exclusive group.
    window.answers().Set(0, 0, 84, "");
    window.answers().Set(0, 0, 82, "");
    window.answers().Set(0, 0, 83, "2");
    window.answers().Set(0, 0, 86, "shown by a label");
    page.Answer2Components(window.pagePanel());
    QVERIFY(!yes->isChecked());
    QVERIFY(!estimate->isChecked());
    QCOMPARE(estimate->text(), QString());
    QCOMPARE(combo->currentIndex(), 2);
    QCOMPARE(fixture.control<QLabel>(QStringLiteral("lblShow"))->text(), QStringLiteral("shown by a label"));
    page.Components2Answers(window.pagePanel());
    QCOMPARE(Answer(window, 0, 84), std::string());
    QCOMPARE(Answer(window, 0, 83), std::string("2"));
}

void tst_MainScreens::leavingAFieldUpdatesOtherPagesThroughThePass()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1")), QStringLiteral("Jane Roe"));
    // The pass carried the first petitioner's name into Form 18.0 page 1.
    QCOMPARE(Answer(window, 1, 6), std::string("Jane Roe"));
    window.RequestPage(100);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtName"))->text(), QStringLiteral("Jane Roe"));
}

void tst_MainScreens::loadingAndRefreshingKeepCaseChanged()
{
    MainFixture fixture;
    TfrmMain &window = fixture.create();
    window.answers().Set(0, 0, 0, "Franklin");
    window.answers().Set(0, 0, 80, "a | b");
    window.answers().Set(0, 0, 81, "X");
    window.answers().Set(0, 0, 83, "1");
    fixture.show();
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtCounty"))->text(), QStringLiteral("Franklin"));
    QVERIFY(!window.state().CaseChanged);
    window.RefreshClick();
    QVERIFY(!window.state().CaseChanged);
    window.page().DialogDispatch();
    QVERIFY(!window.state().CaseChanged);

    window.state().CaseChanged = true;
    window.RequestPage(100);
    window.RequestPage(0);
    QVERIFY(window.state().CaseChanged);
}

void tst_MainScreens::styleNamesCarryBehaviourInAnyCase()
{
    MainFixture fixture;
    fixture.show();
    auto *readOnly = fixture.control<QLineEdit>(QStringLiteral("edtReadOnly"));
    auto *derived = fixture.control<QLineEdit>(QStringLiteral("edtDerived"));
    auto *fixed = fixture.control<QLineEdit>(QStringLiteral("edtFixed"));

    QVERIFY(!(readOnly->focusPolicy() & Qt::TabFocus));
    QVERIFY(derived->isReadOnly());
    QCOMPARE(derived->property("styleName").toString(), QStringLiteral("EDITOVERRIDEABLE"));
    // The style sheet shipped with the program gives the looks.
    QCOMPARE(readOnly->palette().color(QPalette::Base), QColor(0xFF, 0xF8, 0xDC));
    QCOMPARE(derived->palette().color(QPalette::Base), QColor(0xFF, 0xF8, 0xDC));
    QCOMPARE(derived->palette().color(QPalette::Text), QColor(Qt::black));

    // Tab from the field before skips the read-only one.
    fixed->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(fixed, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), derived);

    // An overridden answer shows red on azure and can be typed into.
    fixture.window().answers().SetOvRide(0, 0, 75, true);
    fixture.window().page().Answer2Components(fixture.window().pagePanel());
    QCOMPARE(derived->property("styleName").toString(), QStringLiteral("EDITOVERRIDDEN"));
    QVERIFY(!derived->isReadOnly());
    QCOMPARE(derived->palette().color(QPalette::Base), QColor(0xF0, 0xFF, 0xFF));
    QCOMPARE(derived->palette().color(QPalette::Text), QColor(Qt::red));
    fixture.window().answers().SetOvRide(0, 0, 75, false);
    fixture.window().page().Answer2Components(fixture.window().pagePanel());
    QVERIFY(derived->isReadOnly());
    QCOMPARE(derived->palette().color(QPalette::Text), QColor(Qt::black));
}

void tst_MainScreens::helpButtonsToggleTheirCallouts()
{
    MainFixture fixture;
    fixture.show();
    auto *help = fixture.control<QPushButton>(QStringLiteral("btnHelpAge"));
    auto *callout = fixture.control<QFrame>(QStringLiteral("calloutAge"));
    auto *inside = fixture.control<QPushButton>(QStringLiteral("btnInside"));
    auto *nameCallout = fixture.control<QFrame>(QStringLiteral("calloutName"));
    QVERIFY(help && callout && inside && nameCallout);
    QVERIFY(!callout->isVisible());

    QTest::mouseClick(help, Qt::LeftButton);
    QVERIFY(callout->isVisible());
    // Shown beside its button, not clipped inside it.
    QCOMPARE(callout->parentWidget(), fixture.window().pagePanel());
    QCOMPARE(callout->pos(), help->pos() + QPoint(30, 0));
    QTest::mouseClick(help, Qt::LeftButton);
    QVERIFY(!callout->isVisible());

    QTest::mouseClick(inside, Qt::LeftButton);
    QVERIFY(nameCallout->isVisible());
    QVERIFY(!callout->isVisible());
}

void tst_MainScreens::pageButtonsRefreshWithoutReadingTheScreen()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    auto *name = fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1"));
    window.tree()->setFocus(Qt::MouseFocusReason);
    county->setText(QStringLiteral("typed, not left"));
    window.answers().Set(0, 0, 5, "from the store");
    QTest::mouseClick(fixture.control<QPushButton>(QStringLiteral("btnRefresh")), Qt::LeftButton);
    QCOMPARE(name->text(), QStringLiteral("from the store"));
    QCOMPARE(county->text(), QString());
    QCOMPARE(Answer(window, 0, 0), std::string());
}

void tst_MainScreens::showingAPageNeverWritesTheOldPageIntoTheNewOne()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    county->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(county, QStringLiteral("Summit"));
    // ShowPage itself does not write the page it leaves, and the focus
    // leaving the cleared field must not write it into the new page either.
    window.page().ShowPage(100);
    QCOMPARE(Answer(window, 1, 0), std::string());
    QCOMPARE(Answer(window, 0, 0), std::string());
    QCOMPARE(window.state().CurrentPageType, 1);
}

void tst_MainScreens::answerBeyondThePageIsReportedAndTheRestSkipped()
{
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.answers().Set(9, 0, 30, "first");
    window.answers().Set(9, 0, 31, "after");
    sink.Clear();
    window.RequestPage(900);
    QVERIFY(Raised(sink, 14010));
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtFirst"))->text(), QStringLiteral("first"));
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtAfter"))->text(), QString());

    sink.Clear();
    fixture.control<QLineEdit>(QStringLiteral("edtFirst"))->setText(QStringLiteral("changed"));
    fixture.control<QLineEdit>(QStringLiteral("edtAfter"))->setText(QStringLiteral("changed"));
    window.page().Components2Answers(window.pagePanel());
    QVERIFY(Raised(sink, 14020));
    QCOMPARE(Answer(window, 9, 30), std::string("changed"));
    QCOMPARE(Answer(window, 9, 31), std::string("after"));
}

void tst_MainScreens::missingScreenFileReachesTheGeneralReport()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.state().CaseChanged = true;
    prompter.answers.push_back(QMessageBox::Ok);
    // Form 18.7 has no screen among the fixtures.
    QTreeWidget *tree = window.tree();
    QTreeWidgetItem *item = window.treeItem(QStringLiteral("tvwForm18_7"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());

    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions[0].icon, QMessageBox::Critical);
    QVERIFY2(prompter.questions[0].text.contains(QStringLiteral("page10.psf")), qPrintable(prompter.questions[0].text));
    QCOMPARE(window.state().CurrentPageType, 10);
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled.kvx"));
    QCOMPARE(tree->currentItem(), item);
    QVERIFY(item->isSelected());
    QVERIFY(window.state().CaseChanged);
    QVERIFY(!QApplication::overrideCursor());
}

void tst_MainScreens::brokenSecondTreeKeepsTheFirst()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.answers().Set(8, 0, 30, "kept");
    bool failed = false;
    try {
        window.page().ShowPage(800);
    } catch (const std::exception &) {
        failed = true;
    }
    QVERIFY(failed);
    QVERIFY(fixture.control<QLineEdit>(QStringLiteral("edtOne")));
    QCOMPARE(window.state().CurrentPageType, 8);
}

void tst_MainScreens::insertTodayFillsTheFocusedEdit()
{
    kelvox::SetTodayForTests(kelvox::EncodeDate(2026, 3, 9));
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    county->setFocus(Qt::MouseFocusReason);
    window.action(QStringLiteral("mnuInsertToday"))->trigger();
    QCOMPARE(county->text(), QStringLiteral("3/9/2026"));
    QCOMPARE(Answer(window, 0, 0), std::string());
    kelvox::SetTodayForTests(0);
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    TestPrompter unexpectedQuestions;
    tst_MainScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainScreens.moc"
