#include "MainFixture.h"
#include "TestPrompter.h"
#include "files/ClientFile.h"
#include "main/KelvoxApplication.h"
#include "main/TfrmMultiple.h"
#include "messages/CollectingSink.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// Hands the next copy chooser to the test: records its items, picks one
// (or cancels with -1) by pressing the dialog's own buttons.
void ChooseCopy(TestPrompter &prompter, int pick, QStringList *items = nullptr, QString *question = nullptr)
{
    prompter.dialogs.push_back([=](QDialog &dialog) {
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("cmbPage"));
        if (items) {
            items->clear();
            for (int i = 0; i < combo->count(); ++i)
                items->append(combo->itemText(i));
        }
        if (question)
            *question = dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text();
        if (pick < 0) {
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cbtnCancel")), Qt::LeftButton);
        } else {
            combo->setCurrentIndex(pick);
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cbtnOk")), Qt::LeftButton);
        }
        return dialog.result();
    });
}

void Trigger(TfrmMain &window, const char *name)
{
    window.action(QLatin1String(name))->trigger();
}

// Marks an answer overridden so that the pass leaves it as the test set it.
void Put(kelvox::TAnswer &store, int type, int copy, int index, const std::string &text)
{
    store.Set(type, copy, index, text);
    store.SetOvRide(type, copy, index, true);
}

} // namespace

class tst_MainMultiCopy final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newCopiesAppearInMenuAndTree();
    void viewChoosesACopy();
    void viewOfTheAccountListing();
    void deletingACopyMovesTheLaterOnes();
    void cancellingChangesNothing();
    void atMostTwentyFiveCopies();
    void pageOnTheScreenFollowsADeletion();
    void priorAndNextAcrossCopies();
    void failuresNameTheForm();
};

void tst_MainMultiCopy::newCopiesAppearInMenuAndTree()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QVERIFY(!window.action(QStringLiteral("mnuForm18_3_View"))->isVisible());
    Trigger(window, "mnuForm18_3_New");
    QCOMPARE(window.state().CurrentPageType, 6);
    QCOMPARE(window.state().CurrentCopy, 0);
    QCOMPARE(window.answers().NoOf18_3, 1);
    QCOMPARE(window.answers().PgCt()[6], 1);
    QVERIFY(window.action(QStringLiteral("mnuForm18_3_View"))->isVisible());
    QVERIFY(window.action(QStringLiteral("mnuForm18_3_Delete"))->isVisible());
    QVERIFY(!window.treeItem(QStringLiteral("tvwForm18_3_View"))->isHidden());
    QVERIFY(!window.treeItem(QStringLiteral("tvwForm18_3_Delete"))->isHidden());

    // The tree's New runs the same command.
    window.treeItem(QStringLiteral("tvwForm18_3"))->setExpanded(true);
    QTreeWidget *tree = window.tree();
    QTreeWidgetItem *item = window.treeItem(QStringLiteral("tvwForm18_3_New"));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QCOMPARE(window.state().CurrentCopy, 1);
    QCOMPARE(window.answers().NoOf18_3, 2);
}

void tst_MainMultiCopy::viewChoosesACopy()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    Trigger(window, "mnuForm18_4_New");
    window.RequestPage(0);
    Trigger(window, "mnuForm18_4_View");
    QVERIFY(prompter.dialogClasses.isEmpty());
    QCOMPARE(window.state().CurrentPageType, 7);
    QCOMPARE(window.state().CurrentCopy, 0);

    Trigger(window, "mnuForm18_4_New");
    Trigger(window, "mnuForm18_4_New");
    Put(window.answers(), 7, 0, 4, "Michael Carter");
    Put(window.answers(), 7, 2, 4, "Anna Carter");
    QStringList items;
    QString question;
    ChooseCopy(prompter, 2, &items, &question);
    Trigger(window, "mnuForm18_4_View");
    QCOMPARE(prompter.dialogClasses, QStringList{QStringLiteral("TfrmMultiple")});
    QCOMPARE(items, (QStringList{"Michael Carter", "Extra Blank", "Anna Carter"}));
    QCOMPARE(question, QStringLiteral("There is more than one page of Form 18.4. Please make your selection in the "
                                      "drop-down box below"));
    QCOMPARE(window.state().CurrentCopy, 2);
    QCOMPARE(window.state().ChosenCopy, 2);
    QCOMPARE(prompter.unexpected, 0);
}

void tst_MainMultiCopy::viewOfTheAccountListing()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const int pages = window.answers().NoOf18_9;
    QVERIFY(pages >= 2);
    QStringList items;
    ChooseCopy(prompter, 1, &items);
    Trigger(window, "mnuForm18_9_1");
    QCOMPARE(items.size(), pages);
    QCOMPARE(items.first(), QStringLiteral("Page 1"));
    QCOMPARE(items.at(1), QStringLiteral("Page 2"));
    QCOMPARE(window.state().CurrentPageType, 12);
    QCOMPARE(window.state().CurrentCopy, 1);
    QCOMPARE(fixture.control<QLabel>(QStringLiteral("lblPage"))->text(), QStringLiteral("Screen 14"));
}

void tst_MainMultiCopy::deletingACopyMovesTheLaterOnes()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    for (int i = 0; i < 3; ++i)
        Trigger(window, "mnuForm18_2_New");
    window.RequestPage(0);
    kelvox::TAnswer &store = window.answers();
    for (int copy = 0; copy < 3; ++copy) {
        Put(store, 4, copy, 4, "notice " + std::to_string(copy));
        Put(store, 5, copy, 30, "page two " + std::to_string(copy));
    }
    store.SetOvRide(5, 1, 30, false);
    store.Set(5, 1, 30, "");

    ChooseCopy(prompter, 1);
    prompter.answers.push_back(QMessageBox::Yes);
    Trigger(window, "mnuForm18_2_Delete");
    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions[0].text, QStringLiteral("Are You Sure You Want To Delete a Form 18.2 Page?"));
    QCOMPARE(prompter.questions[0].buttons, QMessageBox::Yes | QMessageBox::No);

    QCOMPARE(store.NoOf18_2, 2);
    QCOMPARE(store.PgCt()[4], 2);
    QCOMPARE(store.PgCt()[5], 2);
    QCOMPARE(store.Get(4, 0, 4), std::string("notice 0"));
    QCOMPARE(store.Get(4, 1, 4), std::string("notice 2"));
    QCOMPARE(store.Get(5, 1, 30), std::string("page two 2"));
    QVERIFY(store.OvRide(4, 1, 4));
    QVERIFY(store.OvRide(5, 1, 30));
    for (int index : {4, 30}) {
        QCOMPARE(store.Get(4, 2, index), std::string());
        QVERIFY(!store.OvRide(4, 2, index));
        QVERIFY(!store.OvRide(5, 2, index));
    }

    const std::string path = (fixture.home() + QStringLiteral("/two.kvx")).toStdString();
    kelvox::SaveFile(path, store, window.state().WSchedList);
    kelvox::TAnswer reopened;
    kelvox::WSchedList rows;
    QVERIFY(kelvox::OpenFile(path, reopened, rows));
    QCOMPARE(reopened.NoOf18_2, 2);
    QCOMPARE(reopened.Get(4, 1, 4), std::string("notice 2"));
}

void tst_MainMultiCopy::cancellingChangesNothing()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    Trigger(window, "mnuForm18_3_New");
    Trigger(window, "mnuForm18_3_New");
    window.RequestPage(0);
    Put(window.answers(), 6, 0, 4, "first");
    Put(window.answers(), 6, 1, 4, "second");

    ChooseCopy(prompter, -1);
    Trigger(window, "mnuForm18_3_Delete");
    ChooseCopy(prompter, 0);
    prompter.answers.push_back(QMessageBox::No);
    Trigger(window, "mnuForm18_3_Delete");
    ChooseCopy(prompter, -1);
    Trigger(window, "mnuForm18_3_View");

    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(window.answers().NoOf18_3, 2);
    QCOMPARE(window.answers().Get(6, 0, 4), std::string("first"));
    QCOMPARE(window.answers().Get(6, 1, 4), std::string("second"));
    QCOMPARE(window.state().CurrentPageType, 0);
}

void tst_MainMultiCopy::atMostTwentyFiveCopies()
{
    kelvox::CollectingSink sink;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    for (int i = 0; i < 25; ++i)
        Trigger(window, "mnuForm18_4_New");
    QCOMPARE(window.state().CurrentCopy, 24);
    QCOMPARE(window.answers().NoOf18_4, 25);
    QVERIFY(sink.Codes().empty());
    Trigger(window, "mnuForm18_4_New");
    QCOMPARE(sink.Codes(), std::vector<std::uint16_t>{11860});
    QCOMPARE(window.answers().NoOf18_4, 25);
    QCOMPARE(window.state().CurrentCopy, 24);
}

void tst_MainMultiCopy::pageOnTheScreenFollowsADeletion()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    kelvox::TAnswer &store = window.answers();
    Put(store, 6, 0, 30, "zero");
    Put(store, 6, 1, 30, "one");
    Put(store, 6, 2, 30, "two");
    for (int i = 0; i < 3; ++i)
        Trigger(window, "mnuForm18_3_New");
    window.RequestPage(601);
    auto *field = fixture.control<QLineEdit>(QStringLiteral("edtOne"));
    QCOMPARE(field->text(), QStringLiteral("one"));
    // Typed on the screen and not yet left: it must reach the copy it belongs to.
    field->setText(QStringLiteral("one, edited"));

    ChooseCopy(prompter, 0);
    prompter.answers.push_back(QMessageBox::Yes);
    Trigger(window, "mnuForm18_3_Delete");
    QCOMPARE(store.Get(6, 0, 30), std::string("one, edited"));
    QCOMPARE(store.Get(6, 1, 30), std::string("two"));
    QCOMPARE(window.state().CurrentPageType, 6);
    QCOMPARE(window.state().CurrentCopy, 1);
    QCOMPARE(fixture.control<QLineEdit>(QStringLiteral("edtOne"))->text(), QStringLiteral("two"));

    // The next transfer from the screen leaves the moved answers as they are.
    window.RefreshClick();
    QCOMPARE(store.Get(6, 0, 30), std::string("one, edited"));
    QCOMPARE(store.Get(6, 1, 30), std::string("two"));
    QCOMPARE(store.Get(6, 2, 30), std::string());

    // Deleting the last copy shown leaves the form for General Information.
    ChooseCopy(prompter, 1);
    prompter.answers.push_back(QMessageBox::Yes);
    Trigger(window, "mnuForm18_3_Delete");
    QCOMPARE(window.state().CurrentCopy, 0);
    prompter.answers.push_back(QMessageBox::Yes);
    Trigger(window, "mnuForm18_3_Delete");
    QCOMPARE(store.NoOf18_3, 0);
    QCOMPARE(window.state().CurrentPageType, 0);
    QVERIFY(!window.action(QStringLiteral("mnuForm18_3_View"))->isVisible());
    QCOMPARE(prompter.unexpected, 0);
}

void tst_MainMultiCopy::priorAndNextAcrossCopies()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    Trigger(window, "mnuForm18_2_New");
    Trigger(window, "mnuForm18_2_New");
    struct Step {
        void (TfrmMain::*command)();
        int type;
        int copy;
        bool prior;
        bool next;
    };
    window.RequestPage(500);
    for (const Step &step :
         {Step{&TfrmMain::NextClick, 4, 1, true, true}, Step{&TfrmMain::NextClick, 5, 1, true, false},
          Step{&TfrmMain::PriorClick, 4, 1, true, true}, Step{&TfrmMain::PriorClick, 5, 0, true, true}}) {
        (window.*step.command)();
        QCOMPARE(window.state().CurrentPageType, step.type);
        QCOMPARE(window.state().CurrentCopy, step.copy);
        QCOMPARE(!window.button(QStringLiteral("cbtnPrior"))->isHidden(), step.prior);
        QCOMPARE(!window.button(QStringLiteral("cbtnNext"))->isHidden(), step.next);
    }

    // From 18.9 page 2, Prior shows the last listing page, whatever was shown before.
    window.RequestPage(1300);
    window.PriorClick();
    QCOMPARE(window.state().CurrentPageType, 12);
    QCOMPARE(window.state().CurrentCopy, window.answers().NoOf18_9 - 1);
    window.NextClick();
    QCOMPARE(window.state().CurrentPageType, 13);
}

void tst_MainMultiCopy::failuresNameTheForm()
{
    QTemporaryDir screens;
    QVERIFY(QFile::copy(MainFixture::fixtureScreens() + QStringLiteral("/page0.psf"),
                        screens.filePath(QStringLiteral("page0.psf"))));
    kelvox::CollectingSink sink;
    MainFixture fixture;
    fixture.create(screens.path());
    TfrmMain &window = fixture.show();
    sink.Clear();
    Trigger(window, "mnuForm18_3_New");
    QCOMPARE(sink.Codes(), std::vector<std::uint16_t>{11070});
    QCOMPARE(sink.Messages().front().CallerText, std::string("Form 18.3"));
    sink.Clear();
    Trigger(window, "mnuForm18_2_2");
    QCOMPARE(sink.Codes(), std::vector<std::uint16_t>{11063});
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    TestPrompter unexpectedQuestions;
    tst_MainMultiCopy test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainMultiCopy.moc"
