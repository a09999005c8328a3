#include "TestPrompter.h"
#include "answers/Answers.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "misc/Misc.h"
#include "output/QtTextMeasurer.h"
#include "worksheet/TfrmWorksheet.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <stdexcept>

using Row = kelvox::WSchedList::Row;
Q_DECLARE_METATYPE(std::vector<Row>)

namespace {

Row R(const char *name, const char *category = "", const char *date = "", const char *amount = "$0.00",
      const char *actual = "")
{
    return Row{name, category, date, amount, actual};
}

// One worksheet window over a case's rows, with the main window's two hooks
// counted.
struct Worksheet {
    kelvox::WSchedList rows;
    int changed = 0;
    int completed = 0;
    std::vector<Row> rowsAtCompletion;
    std::function<void()> onComplete;
    std::unique_ptr<TfrmWorksheet> window;

    explicit Worksheet(std::vector<Row> start) { rows.Rows = std::move(start); }

    bool open(QWidget *mainWindow = nullptr)
    {
        window = std::make_unique<TfrmWorksheet>(rows,
                                                 TfrmWorksheet::Hooks{[this] { ++changed; },
                                                                      [this] {
                                                                          ++completed;
                                                                          rowsAtCompletion = rows.Rows;
                                                                          if (onComplete)
                                                                              onComplete();
                                                                      }},
                                                 mainWindow);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T> T *child(const char *name) const
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QTableWidget *grid() const { return child<QTableWidget>("StringGrid"); }
    QPlainTextEdit *memo() const { return child<QPlainTextEdit>("memNameAddress"); }
    QLineEdit *date() const { return child<QLineEdit>("edtDate"); }
    QLineEdit *amount() const { return child<QLineEdit>("edtAmountDue"); }
    QCheckBox *actualCost() const { return child<QCheckBox>("cbxActualCost"); }

    void click(const char *button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void key(int key) const { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ShiftModifier); }

    void typeInto(QWidget *entry, const QString &text) const
    {
        entry->setFocus(Qt::MouseFocusReason);
        if (auto *line = qobject_cast<QLineEdit *>(entry))
            line->selectAll();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(entry))
            plain->selectAll();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(entry, Qt::Key_Return);
            QTest::keyClicks(entry, lines[i]);
        }
    }
    // On the indicator: a button's middle may lie beyond its short caption.
    void pick(QRadioButton *radio) const
    {
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->height() / 2, radio->height() / 2));
    }
    void leave() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    void clickRow(int row) const
    {
        const QRect rect = grid()->visualRect(grid()->model()->index(row, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void clickHeader(int column) const
    {
        QHeaderView *header = grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    int rowCount() const { return grid()->rowCount(); }
    int selected() const { return grid()->currentRow(); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < rowCount(); ++r)
            out << cell(r, c);
        return out;
    }
    QString checkedCategory() const
    {
        for (QRadioButton *radio : window->findChildren<QRadioButton *>())
            if (radio->isChecked())
                return radio->text();
        return {};
    }
};

const auto kYes = QMessageBox::Yes;
const auto kNo = QMessageBox::No;

} // namespace

class tst_Worksheet final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void opensSizedFromTheMainWindowWithTheRowsShown();
    void amountIsStoredFormattedAndShownAgain_data();
    void amountIsStoredFormattedAndShownAgain();
    void panelIsStoredBeforeTheSelectionMoves();
    void gridKeepsTheEditedRowSelected();
    void deletingAsksAndTheOnlyRowIsClearedNotRemoved();
    void deletingARowShowsTheRowThatMovedUp();
    void cuttingTheOnlyRowLeavesNoneAndCommandsStayInside();
    void pasteReplaceCarriesEveryFieldIncludingNoCategory();
    void insertAddAndClearWorksheet();
    void clearAllRadioButtonsStoresTheRow();
    void eachCategoryButtonShowsAndStoresItsText();
    void headerClickSortsAfterAskingAndSelectsTheSecondRow_data();
    void headerClickSortsAfterAskingAndSelectsTheSecondRow();
    void shortcutsRunTheRowCommands();
    void caseChangedOnEditsAndCommandsButNotOnOpening();
    void closingCopiesTheRowsBackAndCompletesOnce_data();
    void closingCopiesTheRowsBackAndCompletesOnce();
    void closingRebuildsTheAccountListingPages();
    void failureWhileClosingIsReportedAndTheWindowStillCloses();
    void saveWhileOpenCopiesTheRowsFirst();

private:
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<kelvox::CollectingSink> m_sink;
};

void tst_Worksheet::init()
{
    m_prompter = std::make_unique<TestPrompter>();
    m_sink = std::make_unique<kelvox::CollectingSink>();
    kelvox::SetTodayForTests(kelvox::EncodeDate(2026, 12, 11));
}

void tst_Worksheet::cleanup()
{
    QCOMPARE(m_prompter->unexpected, 0);
    QVERIFY(m_prompter->answers.empty());
    m_sink.reset();
    m_prompter.reset();
    kelvox::SetTodayForTests(0);
}

void tst_Worksheet::opensSizedFromTheMainWindowWithTheRowsShown()
{
    for (const QSize mainSize : {QSize(1300, 738), QSize(1300, 1000)}) {
        QWidget mainWindow;
        mainWindow.resize(mainSize);
        Worksheet ws({R("Dr. Ann Lee | 12 Elm St.", "Physician", "03/04/26", "$1,500.00", "X"), R("Second")});
        QVERIFY(ws.open(&mainWindow));
        QCOMPARE(ws.window->width(), 1300);
        QCOMPARE(ws.window->height(), std::min(mainSize.height() - 50, 850));

        QTableWidget *grid = ws.grid();
        QStringList headers;
        for (int c = 0; c < grid->columnCount(); ++c)
            headers << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, (QStringList{"Name and Address", "Expense Category", "Date", "Amount Due", "Actual Cost"}));
        const int f = grid->viewport()->width() / 5;
        QCOMPARE(grid->columnWidth(0), f + f / 2);
        QCOMPARE(grid->columnWidth(3), f);
        QCOMPARE(grid->columnWidth(4), f / 2);
        QCOMPARE(grid->rowHeight(1), 32);
        QCOMPARE(grid->font().pixelSize(), 16);
        QCOMPARE(Qt::Alignment(grid->item(0, 0)->textAlignment()) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(Qt::Alignment(grid->item(0, 2)->textAlignment()) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Qt::Alignment(grid->item(0, 3)->textAlignment()) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QVERIFY(grid->editTriggers() == QAbstractItemView::NoEditTriggers);

        QCOMPARE(ws.column(0), (QStringList{"Dr. Ann Lee | 12 Elm St.", "Second"}));
        QCOMPARE(ws.selected(), 0);
        QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Dr. Ann Lee\n12 Elm St."));
        QCOMPARE(ws.checkedCategory(), QStringLiteral("Physician"));
        QCOMPARE(ws.date()->text(), QStringLiteral("03/04/26"));
        QCOMPARE(ws.amount()->text(), QStringLiteral("1500.00"));
        QVERIFY(ws.actualCost()->isChecked());
        QCOMPARE(ws.changed, 0);
        ws.window.reset();
    }
}

void tst_Worksheet::amountIsStoredFormattedAndShownAgain_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shownAgain");
    QTest::newRow("thousands") << "1234.5"
                               << "$1,234.50"
                               << "1234.50";
    QTest::newRow("typed dollar and separator") << "$1,000"
                                                << "$0.00"
                                                << "0.00";
    QTest::newRow("negative") << "-5"
                              << "$-5.00"
                              << "-5.00";
    QTest::newRow("empty") << ""
                           << "$0.00"
                           << "0.00";
}

void tst_Worksheet::amountIsStoredFormattedAndShownAgain()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, shownAgain);
    Worksheet ws({R("First", "", "", "$7.00"), R("Second", "", "", "$3.00")});
    QVERIFY(ws.open());
    ws.typeInto(ws.amount(), typed);
    if (typed.isEmpty())
        QTest::keyClick(ws.amount(), Qt::Key_Delete);
    ws.leave();
    QCOMPARE(ws.cell(0, 3), stored);
    QCOMPARE(ws.amount()->text(), typed); // the panel keeps what was typed until the row is shown again

    ws.click("cbtnNext");
    QCOMPARE(ws.amount()->text(), QStringLiteral("3.00"));
    ws.click("cbtnPrior");
    QCOMPARE(ws.amount()->text(), shownAgain);
    QCOMPARE(ws.cell(0, 3), stored);
    QVERIFY(m_sink->Messages().empty());
}

void tst_Worksheet::panelIsStoredBeforeTheSelectionMoves()
{
    Worksheet ws({R("Alpha"), R("Bravo"), R("Charlie")});
    QVERIFY(ws.open());

    // A click on another row while the name is being typed.
    ws.typeInto(ws.memo(), QStringLiteral("Alpha Medical\n1 Main St."));
    ws.clickRow(2);
    QCOMPARE(ws.cell(0, 0), QStringLiteral("Alpha Medical | 1 Main St."));
    QCOMPARE(ws.selected(), 2);
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Charlie"));

    // A shortcut leaves the focus where it is; the row is stored all the same.
    ws.typeInto(ws.date(), QStringLiteral("01/02/26"));
    ws.key(Qt::Key_F2);
    QCOMPARE(ws.cell(2, 2), QStringLiteral("01/02/26"));
    QCOMPARE(ws.selected(), 1);
    QCOMPARE(ws.date()->text(), QString());
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Bravo"));

    // Leaving for the next entry control stores as well.
    ws.typeInto(ws.memo(), QStringLiteral("Bravo Court"));
    ws.leave();
    QCOMPARE(ws.cell(1, 0), QStringLiteral("Bravo Court"));
    QCOMPARE(ws.column(0), (QStringList{"Alpha Medical | 1 Main St.", "Bravo Court", "Charlie"}));
}

void tst_Worksheet::gridKeepsTheEditedRowSelected()
{
    Worksheet ws({R("Alpha"), R("Bravo")});
    QVERIFY(ws.open());
    ws.clickRow(1);
    const QRect last = ws.grid()->visualRect(ws.grid()->model()->index(1, 0));
    QTest::mouseClick(ws.grid()->viewport(), Qt::LeftButton, {}, last.center() + QPoint(0, 3 * last.height()));
    QCOMPARE(ws.grid()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(ws.grid()->selectionModel()->selectedRows()[0].row(), 1);
    QTest::mouseClick(ws.grid()->viewport(), Qt::LeftButton, Qt::ControlModifier, last.center());
    QCOMPARE(ws.grid()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(ws.grid()->selectionModel()->selectedRows()[0].row(), 1);
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Bravo"));
}

void tst_Worksheet::deletingAsksAndTheOnlyRowIsClearedNotRemoved()
{
    Worksheet ws({R("Only", "Court Costs", "1/1/26", "$75.00", "X")});
    QVERIFY(ws.open());
    m_prompter->answers = {kNo, kYes};
    ws.click("cbtnDelete");
    QCOMPARE(ws.cell(0, 0), QStringLiteral("Only"));

    ws.click("cbtnDelete");
    QCOMPARE(m_prompter->questions.size(), 2);
    QCOMPARE(m_prompter->questions[1].text, QStringLiteral("Do you want to delete/clear the selected row?"));
    QCOMPARE(m_prompter->questions[1].icon, QMessageBox::Warning);
    QVERIFY(m_prompter->questions[1].buttons == (QMessageBox::Yes | QMessageBox::No));
    QCOMPARE(ws.rowCount(), 1);
    QCOMPARE((QStringList{ws.cell(0, 0), ws.cell(0, 1), ws.cell(0, 2), ws.cell(0, 3), ws.cell(0, 4)}),
             (QStringList{"", "", "", "$0.00", ""}));
    QCOMPARE(ws.memo()->toPlainText(), QString());
    QCOMPARE(ws.checkedCategory(), QString());
}

void tst_Worksheet::deletingARowShowsTheRowThatMovedUp()
{
    Worksheet ws({R("Alpha"), R("Bravo"), R("Charlie", "Foster Care")});
    QVERIFY(ws.open());
    ws.clickRow(1);
    m_prompter->answers = {kYes};
    ws.click("cbtnDelete");
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "Charlie"}));
    QCOMPARE(ws.selected(), 1);
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Charlie"));
    QCOMPARE(ws.checkedCategory(), QStringLiteral("Foster Care"));

    // Leaving the panel now stores Charlie over Charlie, not the deleted row.
    ws.memo()->setFocus(Qt::MouseFocusReason);
    ws.leave();
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "Charlie"}));
    QCOMPARE(ws.cell(1, 1), QStringLiteral("Foster Care"));

    m_prompter->answers = {kYes};
    ws.click("cbtnDelete"); // the last row: the new last row is selected
    QCOMPARE(ws.column(0), (QStringList{"Alpha"}));
    QCOMPARE(ws.selected(), 0);
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Alpha"));
}

void tst_Worksheet::cuttingTheOnlyRowLeavesNoneAndCommandsStayInside()
{
    Worksheet ws({R("Only Payee | 5 Oak Rd.", "Attorney Fees", "2/2/26", "$300.00", "X")});
    QVERIFY(ws.open());
    ws.click("cbtnCut");
    QCOMPARE(ws.rowCount(), 0);
    QCOMPARE(ws.selected(), -1);
    QCOMPARE(ws.memo()->toPlainText(), QStringLiteral("Only Payee\n5 Oak Rd.")); // the panel keeps its content

    // No command reaches outside the empty table, and Delete has nothing to ask.
    for (const char *button : {"cbtnFirst", "cbtnPrior", "cbtnNext", "cbtnLast", "cbtnDelete", "cbtnCut",
                               "cbtnPasteReplace", "cbtnClearCategories"}) {
        ws.click(button);
        QCOMPARE(ws.rowCount(), 0);
    }
    ws.typeInto(ws.memo(), QStringLiteral("typed into nothing"));
    ws.leave();
    QCOMPARE(ws.rowCount(), 0);

    // The clipboard still holds the cut row.
    ws.click("cbtnPasteInsert");
    QCOMPARE(ws.rowCount(), 1);
    QCOMPARE((QStringList{ws.cell(0, 0), ws.cell(0, 1), ws.cell(0, 2), ws.cell(0, 3), ws.cell(0, 4)}),
             (QStringList{"Only Payee | 5 Oak Rd.", "Attorney Fees", "2/2/26", "$300.00", "X"}));

    ws.window->close();
    QCOMPARE(ws.rows.RowCount(), 1);
}

void tst_Worksheet::pasteReplaceCarriesEveryFieldIncludingNoCategory()
{
    Worksheet ws(
        {R("Plain Payee", "", "3/3/26", "$12.00"), R("Target", "Court Costs", "4/4/26", "$99.00", "X"), R("Other")});
    QVERIFY(ws.open());
    ws.click("cbtnCopy");
    ws.click("cbtnNext");
    QCOMPARE(ws.checkedCategory(), QStringLiteral("Court Costs"));
    ws.click("cbtnPasteReplace");
    QCOMPARE((QStringList{ws.cell(1, 0), ws.cell(1, 1), ws.cell(1, 2), ws.cell(1, 3), ws.cell(1, 4)}),
             (QStringList{"Plain Payee", "", "3/3/26", "$12.00", ""}));
    QCOMPARE(ws.checkedCategory(), QString());

    // Paste/Insert puts the clipboard into a new row at the selection.
    ws.click("cbtnLast");
    ws.click("cbtnPasteInsert");
    QCOMPARE(ws.column(0), (QStringList{"Plain Payee", "Plain Payee", "Plain Payee", "Other"}));
    QCOMPARE(ws.selected(), 2);
    QCOMPARE(ws.cell(2, 3), QStringLiteral("$12.00"));
}

void tst_Worksheet::insertAddAndClearWorksheet()
{
    Worksheet ws({R("Alpha"), R("Bravo")});
    QVERIFY(ws.open());
    ws.click("cbtnNext");
    ws.click("cbtnInsert");
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "", "Bravo"}));
    QCOMPARE(ws.selected(), 1);
    QCOMPARE(ws.cell(1, 3), QString());
    QCOMPARE(ws.memo()->toPlainText(), QString());

    ws.click("cbtnFirst");
    ws.click("cbtnAdd");
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "", "Bravo", ""}));
    QCOMPARE(ws.selected(), 3);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ws.memo()));
    QCOMPARE(ws.memo()->toPlainText(), QString());
    QCOMPARE(ws.cell(3, 3), QString());

    m_prompter->answers = {kNo, kYes};
    ws.click("cbtnClearWorksheet");
    QCOMPARE(ws.rowCount(), 4);
    ws.click("cbtnClearWorksheet");
    QCOMPARE(m_prompter->questions.last().text, QStringLiteral("Do you want to delete/clear the entire table?"));
    QCOMPARE(ws.rowCount(), 1);
    QCOMPARE(ws.cell(0, 0), QString());
    QCOMPARE(ws.selected(), 0);
}

void tst_Worksheet::clearAllRadioButtonsStoresTheRow()
{
    Worksheet ws({R("Alpha", "Agency Fees")});
    QVERIFY(ws.open());
    QCOMPARE(ws.checkedCategory(), QStringLiteral("Agency fees"));
    ws.click("cbtnClearCategories");
    QCOMPARE(ws.checkedCategory(), QString());
    QCOMPARE(ws.cell(0, 1), QString());

    // A category picked in the panel is stored under its stored text.
    ws.pick(ws.child<QRadioButton>("rbtnMaintenance"));
    ws.leave();
    QCOMPARE(ws.cell(0, 1), QStringLiteral("Maintenance/RC 5103.15"));
    ws.pick(ws.child<QRadioButton>("rbtnHospital"));
    ws.leave();
    QCOMPARE(ws.cell(0, 1), QStringLiteral("Hospital/Medical Facility"));
}

void tst_Worksheet::eachCategoryButtonShowsAndStoresItsText()
{
    const std::pair<const char *, const char *> categories[] = {
        {"Agency fees", "Agency Fees"},
        {"Agency's Costs", "Agency's Costs"},
        {"Attorney Fees", "Attorney Fees"},
        {"Attorney's Costs", "Attorney's Costs"},
        {"Court Costs", "Court Costs"},
        {"Foster Care", "Foster Care"},
        {"Guardian ad litem", "Guardian Ad Litem"},
        {"Hospital/Med facility", "Hospital/Medical Facility"},
        {"Maintenance/RC 5103.15", "Maintenance/RC 5103.15"},
        {"Other disbursements", "Other Disbursements"},
        {"Physician", "Physician"},
    };
    std::vector<Row> rows;
    for (const auto &category : categories)
        rows.push_back(R("payee", category.second));
    Worksheet ws(rows);
    QVERIFY(ws.open());
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        ws.clickRow(r);
        QCOMPARE(ws.checkedCategory(), QString::fromLatin1(categories[r].first));
    }
    // Stored again from the buttons, in reverse order against the rows.
    QList<QRadioButton *> buttons = ws.child<QWidget>("grpCategory")->findChildren<QRadioButton *>();
    QCOMPARE(buttons.size(), 11);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        ws.clickRow(r);
        const auto &wanted = categories[rows.size() - 1 - r];
        auto hit = std::find_if(buttons.begin(), buttons.end(),
                                [&](QRadioButton *b) { return b->text() == QLatin1String(wanted.first); });
        QVERIFY(hit != buttons.end());
        ws.pick(*hit);
    }
    ws.clickRow(0);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        QCOMPARE(ws.cell(r, 1), QString::fromLatin1(categories[rows.size() - 1 - r].second));
}

void tst_Worksheet::headerClickSortsAfterAskingAndSelectsTheSecondRow_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<std::vector<Row>>("rows");
    QTest::addColumn<QStringList>("sortedNames");
    QTest::addColumn<QString>("header");
    QTest::newRow("amount, numerically") << 3
                                         << std::vector<Row>{R("a", "", "", "$100.00"), R("b", "", "", "$2.00"),
                                                             R("c", "", "", "$10.00")}
                                         << QStringList{"b", "c", "a"} << "Amount Due";
    QTest::newRow("name, by character codes") << 0 << std::vector<Row>{R("bob"), R("Zed"), R("alice"), R("Alice")}
                                              << QStringList{"Alice", "Zed", "alice", "bob"} << "Name and Address";
    QTest::newRow("date, empty first") << 2
                                       << std::vector<Row>{R("dec", "", "12/01/2025"), R("none1"),
                                                           R("jan", "", "1/15/2025"), R("none2"),
                                                           R("2024", "", "03/02/2024")}
                                       << QStringList{"none1", "none2", "2024", "jan", "dec"} << "Date";
}

void tst_Worksheet::headerClickSortsAfterAskingAndSelectsTheSecondRow()
{
    QFETCH(int, column);
    QFETCH(std::vector<Row>, rows);
    QFETCH(QStringList, sortedNames);
    QFETCH(QString, header);
    Worksheet ws(rows);
    QVERIFY(ws.open());
    const QStringList before = ws.column(0);

    m_prompter->answers = {kNo};
    ws.clickHeader(column);
    QCOMPARE(ws.column(0), before);

    m_prompter->answers = {kYes};
    ws.clickHeader(column);
    QCOMPARE(m_prompter->questions.last().text, QStringLiteral("Are You Sure You Want To Sort based on the ") + header +
                                                    QStringLiteral(" column? There is no undo for this command."));
    QCOMPARE(ws.column(0), sortedNames);
    QCOMPARE(ws.selected(), 1);
    QCOMPARE(ws.memo()->toPlainText(), sortedNames[1]);
    QVERIFY(ws.grid()->isEnabled());
    QVERIFY(m_sink->Messages().empty());
    ws.window->close();
    QCOMPARE(QString::fromStdString(ws.rows.Rows[0][0]), sortedNames[0]);
}

void tst_Worksheet::shortcutsRunTheRowCommands()
{
    Worksheet ws({R("Alpha"), R("Bravo"), R("Charlie")});
    QVERIFY(ws.open());
    ws.memo()->setFocus();
    ws.key(Qt::Key_F4);
    QCOMPARE(ws.selected(), 2);
    ws.key(Qt::Key_F1);
    QCOMPARE(ws.selected(), 0);
    ws.key(Qt::Key_F3);
    QCOMPARE(ws.selected(), 1);
    ws.key(Qt::Key_F8); // copy Bravo
    ws.key(Qt::Key_F7);
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "Bravo", "Charlie", ""}));
    ws.key(Qt::Key_F11);
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "Bravo", "Charlie", "Bravo"}));
    ws.key(Qt::Key_F9);
    QCOMPARE(ws.column(0), (QStringList{"Alpha", "Bravo", "Charlie"}));
    ws.key(Qt::Key_F1);
    ws.key(Qt::Key_F10);
    QCOMPARE(ws.column(0), (QStringList{"Bravo", "Alpha", "Bravo", "Charlie"}));
    ws.key(Qt::Key_F5);
    QCOMPARE(ws.column(0), (QStringList{"", "Bravo", "Alpha", "Bravo", "Charlie"}));
    m_prompter->answers = {kYes};
    ws.key(Qt::Key_F6);
    QCOMPARE(ws.column(0), (QStringList{"Bravo", "Alpha", "Bravo", "Charlie"}));
    ws.key(Qt::Key_F2); // on the first row Prior stays put
    QCOMPARE(ws.selected(), 0);

    // The same commands sit in the pop-up menu of the panel and the grid.
    QStringList menu;
    for (const QAction *action : ws.grid()->actions())
        menu << action->text() + QLatin1Char('=') + action->shortcut().toString();
    QCOMPARE(menu,
             (QStringList{"First=Shift+F1", "Prior=Shift+F2", "Next=Shift+F3", "Last=Shift+F4", "Insert Row=Shift+F5",
                          "Delete Row=Shift+F6", "Add Row At End=Shift+F7", "Copy Row=Shift+F8", "Cut Row=Shift+F9",
                          "Paste/Insert Row=Shift+F10", "Paste/Replace Row=Shift+F11"}));
    QCOMPARE(ws.child<QWidget>("pnlEntry")->actions(), ws.grid()->actions());
    QCOMPARE(ws.child<QWidget>("grpCategory")->actions().size(), 1);
    QCOMPARE(ws.child<QWidget>("grpCategory")->actions()[0]->text(), QStringLiteral("Clear all radio buttons"));
}

void tst_Worksheet::caseChangedOnEditsAndCommandsButNotOnOpening()
{
    Worksheet ws({R("c"), R("a"), R("b")});
    QVERIFY(ws.open());
    QCOMPARE(ws.changed, 0);

    // Leaving an entry control counts as an edit, even with nothing changed.
    ws.memo()->setFocus(Qt::MouseFocusReason);
    ws.leave();
    QVERIFY(ws.changed > 0);

    // Row commands that touch no entry control mark the case as well, so that
    // closing the program asks to save them.
    struct Step {
        const char *name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"sort",
         [&] {
             m_prompter->answers = {kYes};
             ws.clickHeader(0);
         }},
        {"delete",
         [&] {
             m_prompter->answers = {kYes};
             ws.click("cbtnDelete");
         }},
        {"insert", [&] { ws.click("cbtnInsert"); }},
        {"cut", [&] { ws.click("cbtnCut"); }},
    };
    for (const Step &step : steps) {
        ws.grid()->setFocus();
        ws.changed = 0;
        step.act();
        QVERIFY2(ws.changed > 0, step.name);
    }
}

void tst_Worksheet::closingCopiesTheRowsBackAndCompletesOnce_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close box";
    QTest::newRow("Close Worksheet") << "Close Worksheet";
    QTest::newRow("Escape") << "Escape";
}

void tst_Worksheet::closingCopiesTheRowsBackAndCompletesOnce()
{
    QFETCH(QString, how);
    Worksheet ws({R("Alpha"), R("Bravo")});
    QVERIFY(ws.open());
    ws.click("cbtnAdd");
    ws.typeInto(ws.memo(), QStringLiteral("New Payee"));
    ws.typeInto(ws.amount(), QStringLiteral("42"));
    // Not left yet: closing stores it.
    QCOMPARE(ws.rows.RowCount(), 2);

    if (how == QLatin1String("close box"))
        QVERIFY(ws.window->close());
    else if (how == QLatin1String("Close Worksheet"))
        ws.click("cbtnClose");
    else
        QTest::keyClick(ws.amount(), Qt::Key_Escape);

    QVERIFY(!ws.window->isVisible());
    QCOMPARE(ws.completed, 1);
    const std::vector<Row> expected = {R("Alpha"), R("Bravo"), R("New Payee", "", "", "$42.00")};
    QCOMPARE(ws.rowsAtCompletion, expected);
    QCOMPARE(ws.rows.Rows, expected);

    ws.window->close();
    ws.window.reset();
    QCOMPARE(ws.completed, 1);
}

void tst_Worksheet::closingRebuildsTheAccountListingPages()
{
    kelvox::TAnswer answers;
    const QtTextMeasurer measurer;
    Worksheet ws({R("Dr. Elaine Moss", "Physician", "11/21/25", "$650.00", "X")});
    ws.onComplete = [&] { answers.Calculate(ws.rows, measurer); };
    QVERIFY(ws.open());
    ws.click("cbtnAdd");
    ws.typeInto(ws.memo(), QStringLiteral("Riverside Hospital"));
    ws.pick(ws.child<QRadioButton>("rbtnHospital"));
    ws.typeInto(ws.date(), QStringLiteral("11/20/25"));
    ws.typeInto(ws.amount(), QStringLiteral("4215.35"));
    ws.window->close();
    QCOMPARE(ws.completed, 1);

    // Page 0 of the listing, slot s at answers 4s + 6 to 4s + 9: the physician's
    // heading and expense, an empty line, the hospital's heading and expense.
    const auto T = [&](int index) { return QString::fromStdString(answers.Get(12, 0, index)); };
    QCOMPARE(T(7), QStringLiteral("PHYSICIAN(S) *****"));
    QCOMPARE((QStringList{T(10), T(11), T(12), T(13)}), (QStringList{"11/21/25", "Dr. Elaine Moss", "", "$650.00"}));
    QCOMPARE(T(15), QString());
    QCOMPARE(T(19), QStringLiteral("HOSPITAL/MEDICAL FACILITY *****"));
    QCOMPARE((QStringList{T(22), T(23), T(24), T(25)}),
             (QStringList{"11/20/25", "Riverside Hospital", "$4,215.35", ""}));
    QCOMPARE(T(82), QStringLiteral("4,215.35"));
    QCOMPARE(T(83), QStringLiteral("650.00"));
    QCOMPARE(answers.NoOf18_9, 2);
}

void tst_Worksheet::failureWhileClosingIsReportedAndTheWindowStillCloses()
{
    Worksheet ws({R("Alpha")});
    ws.onComplete = [] { throw std::runtime_error("pass failed"); };
    QVERIFY(ws.open());
    ws.window->close();
    QVERIFY(!ws.window->isVisible());
    QCOMPARE(m_sink->Codes(), std::vector<std::uint16_t>{17010});
    QCOMPARE(QString::fromStdString(m_sink->Messages()[0].Texts.First), QStringLiteral("Unidentified error -  1701"));
}

void tst_Worksheet::saveWhileOpenCopiesTheRowsFirst()
{
    Worksheet ws({R("Alpha")});
    QVERIFY(ws.open());
    ws.click("cbtnAdd");
    ws.typeInto(ws.memo(), QStringLiteral("Bravo"));
    ws.leave();
    QCOMPARE(ws.rows.RowCount(), 1);
    ws.window->SaveStringGrid();
    QCOMPARE(ws.rows.Rows, (std::vector<Row>{R("Alpha"), R("Bravo")}));
    QCOMPARE(ws.completed, 0);
    QVERIFY(ws.window->isVisible());
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_Worksheet test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Worksheet.moc"
