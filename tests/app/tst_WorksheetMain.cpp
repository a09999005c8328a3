#include "MainFixture.h"
#include "TestPrompter.h"
#include "files/ClientFile.h"
#include "main/KelvoxApplication.h"
#include "worksheet/TfrmWorksheet.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using Row = kelvox::WSchedList::Row;

namespace {

// Queues one worksheet showing: work runs on the open window, then the window
// is closed with its close box.
void OnWorksheet(TestPrompter &prompter, std::function<void(TfrmWorksheet &)> work)
{
    prompter.dialogs.push_back([work](QDialog &dialog) {
        auto *worksheet = qobject_cast<TfrmWorksheet *>(&dialog);
        if (!worksheet)
            return -1;
        QTimer::singleShot(0, &dialog, [worksheet, work] {
            if (QTest::qWaitForWindowExposed(worksheet))
                work(*worksheet);
            worksheet->close();
        });
        return dialog.exec();
    });
}

void AddPayee(TfrmWorksheet &worksheet, const QString &name, const QString &amount)
{
    QTest::mouseClick(worksheet.findChild<QPushButton *>(QStringLiteral("cbtnAdd")), Qt::LeftButton);
    auto *memo = worksheet.findChild<QPlainTextEdit *>(QStringLiteral("memNameAddress"));
    QTest::keyClicks(memo, name);
    auto *amountEdit = worksheet.findChild<QLineEdit *>(QStringLiteral("edtAmountDue"));
    amountEdit->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(amountEdit, amount);
    QTest::keyClick(amountEdit, Qt::Key_Tab);
}

} // namespace

class tst_WorksheetMain final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuToolbarAndTreeOpenTheWorksheet();
    void closingRebuildsTheListingPagesAndMarksTheCase();
    void savingWhileOpenWritesTheWindowsRows();
};

void tst_WorksheetMain::menuToolbarAndTreeOpenTheWorksheet()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    const std::vector<std::function<void()>> ways = {
        [&] { window.action(QStringLiteral("mnuExpenseWorksheet"))->trigger(); },
        [&] { QTest::mouseClick(window.button(QStringLiteral("cbtnWorksheet")), Qt::LeftButton); },
        [&] {
            QTreeWidget *tree = window.tree();
            QTreeWidgetItem *item = window.treeItem(QStringLiteral("tvwExpenseWorksheet"));
            tree->scrollToItem(item);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        },
    };
    QSize size;
    for (const auto &open : ways) {
        OnWorksheet(prompter, [&](TfrmWorksheet &worksheet) { size = worksheet.size(); });
        open();
        QVERIFY(prompter.dialogs.empty());
    }
    QCOMPARE(prompter.dialogClasses, QStringList(3, QStringLiteral("TfrmWorksheet")));
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(size, QSize(window.width(), std::min(window.height() - 50, 850)));
}

void tst_WorksheetMain::closingRebuildsTheListingPagesAndMarksTheCase()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.state().WSchedList.Rows = {Row{"Dr. Elaine Moss", "Physician", "11/21/25", "$650.00", ""}};
    window.state().CaseChanged = false;

    OnWorksheet(prompter, [](TfrmWorksheet &worksheet) {
        AddPayee(worksheet, QStringLiteral("Dr. Ravi Shah"), QStringLiteral("1200"));
        QTest::mouseClick(worksheet.findChild<QAbstractButton *>(QStringLiteral("rbtnPhysician")), Qt::LeftButton, {},
                          QPoint(6, 6));
    });
    window.action(QStringLiteral("mnuExpenseWorksheet"))->trigger();
    QCOMPARE(prompter.unexpected, 0);

    const std::vector<Row> expected = {Row{"Dr. Elaine Moss", "Physician", "11/21/25", "$650.00", ""},
                                       Row{"Dr. Ravi Shah", "Physician", "", "$1,200.00", ""}};
    QCOMPARE(window.state().WSchedList.Rows, expected);
    QVERIFY(window.state().CaseChanged);

    const kelvox::TAnswer &answers = window.answers();
    QCOMPARE(answers.Get(12, 0, 7), std::string("PHYSICIAN(S) *****"));
    QCOMPARE(answers.Get(12, 0, 11), std::string("Dr. Elaine Moss"));
    QCOMPARE(answers.Get(12, 0, 15), std::string("Dr. Ravi Shah"));
    QCOMPARE(answers.Get(12, 0, 16), std::string("$1,200.00"));
    QCOMPARE(answers.Get(12, 0, 82), std::string("1,850.00"));
    QCOMPARE(answers.Get(24, 0, 5), std::string("Dr. Ravi Shah"));
}

void tst_WorksheetMain::savingWhileOpenWritesTheWindowsRows()
{
    TestPrompter prompter;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.state().WSchedList.Rows.clear();
    const QString path = fixture.home() + QStringLiteral("/while-open.kvx");
    prompter.fileNames = {path};

    bool saved = false;
    OnWorksheet(prompter, [&](TfrmWorksheet &worksheet) {
        AddPayee(worksheet, QStringLiteral("Court Clerk"), QStringLiteral("75"));
        saved = window.SaveCase();
    });
    window.action(QStringLiteral("mnuExpenseWorksheet"))->trigger();
    QVERIFY(saved);
    QCOMPARE(prompter.unexpected, 0);

    kelvox::TAnswer store;
    kelvox::WSchedList rows;
    QVERIFY(kelvox::OpenFile(path.toStdString(), store, rows));
    QCOMPARE(rows.Rows, (std::vector<Row>{Row{"Court Clerk", "", "", "$75.00", ""}}));
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_WorksheetMain test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_WorksheetMain.moc"
