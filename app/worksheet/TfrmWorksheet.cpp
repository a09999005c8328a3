#include "worksheet/TfrmWorksheet.h"

#include "main/Prompter.h"
#include "messages/Messages.h"
#include "misc/Misc.h"

#include "ui_TfrmWorksheet.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QHeaderView>
#include <QScopeGuard>

#include <algorithm>
#include <exception>

using kelvox::WorksheetEntry;
using kelvox::WSchedList;

namespace {

QString ToQt(const std::string &text)
{
    return QString::fromStdString(text);
}
std::string ToCore(const QString &text)
{
    return text.toStdString();
}

// The memo breaks lines with "\n"; the core with the platform's stored break.
std::string MemoToCore(const QString &text)
{
    QString core = text;
    core.replace(QLatin1Char('\n'), ToQt(kelvox::Platform().LineBreak));
    return ToCore(core);
}

QString CoreToMemo(const std::string &text)
{
    QString memo = ToQt(text);
    memo.replace(ToQt(kelvox::Platform().LineBreak), QStringLiteral("\n"));
    return memo;
}

Qt::Alignment ColumnAlignment(int column)
{
    switch (column) {
    case WSchedList::NameAndAddress: return Qt::AlignLeft | Qt::AlignVCenter;
    case WSchedList::AmountDue: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignCenter;
    }
}

} // namespace

TfrmWorksheet::TfrmWorksheet(WSchedList &worksheet, Hooks hooks, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmWorksheet>()), m_categories(new QButtonGroup(this)),
      m_worksheet(worksheet), m_hooks(std::move(hooks))
{
    ui->setupUi(this);
    if (parent)
        resize(parent->width(), std::min(parent->height() - 50, 850));

    QAbstractButton *const inOrder[kelvox::kExpenseCategoryCount] = {
        ui->rbtnAgencyFees,  ui->rbtnAgencysCosts,       ui->rbtnAttorneyFees,    ui->rbtnAttorneysCosts,
        ui->rbtnCourtCosts,  ui->rbtnFosterCare,         ui->rbtnGuardianAdLitem, ui->rbtnHospital,
        ui->rbtnMaintenance, ui->rbtnOtherDisbursements, ui->rbtnPhysician};
    for (int i = 0; i < kelvox::kExpenseCategoryCount; ++i)
        m_categories->addButton(inOrder[i], i + 1);

    struct Command {
        QPushButton *button;
        QAction *action;
        void (TfrmWorksheet::*run)();
    };
    const Command commands[] = {
        {ui->cbtnFirst, ui->mnuFirst, &TfrmWorksheet::first},
        {ui->cbtnPrior, ui->mnuPrior, &TfrmWorksheet::prior},
        {ui->cbtnNext, ui->mnuNext, &TfrmWorksheet::next},
        {ui->cbtnLast, ui->mnuLast, &TfrmWorksheet::last},
        {ui->cbtnInsert, ui->mnuInsertRow, &TfrmWorksheet::insertRow},
        {ui->cbtnDelete, ui->mnuDeleteRow, &TfrmWorksheet::deleteRow},
        {ui->cbtnAdd, ui->mnuAddRow, &TfrmWorksheet::addRow},
        {ui->cbtnCopy, ui->mnuCopyRow, &TfrmWorksheet::copyRow},
        {ui->cbtnCut, ui->mnuCutRow, &TfrmWorksheet::cutRow},
        {ui->cbtnPasteInsert, ui->mnuPasteInsertRow, &TfrmWorksheet::pasteInsert},
        {ui->cbtnPasteReplace, ui->mnuPasteReplaceRow, &TfrmWorksheet::pasteReplace},
        {ui->cbtnClearCategories, ui->mnuClearCategories, &TfrmWorksheet::clearCategories},
    };
    for (const Command &c : commands) {
        const auto command = c.run;
        connect(c.button, &QPushButton::clicked, this, [this, command] { run(command); });
        connect(c.action, &QAction::triggered, this, [this, command] { run(command); });
        if (c.action == ui->mnuClearCategories) {
            ui->grpCategory->addAction(c.action);
        } else {
            ui->pnlEntry->addAction(c.action);
            ui->StringGrid->addAction(c.action);
        }
    }
    connect(ui->cbtnClearWorksheet, &QPushButton::clicked, this, [this] { run(&TfrmWorksheet::clearWorksheet); });
    connect(ui->cbtnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->StringGrid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        commitPanel();
        sortOn(column);
    });
    connect(ui->StringGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { gridRowChanged(row); });
    // A click below the last row or a Ctrl+click would leave the edited row unmarked.
    connect(ui->StringGrid, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!m_syncing && m_rows.HasSelection() && ui->StringGrid->selectedItems().isEmpty())
            syncGridSelection();
    });

    connect(ui->memNameAddress, &QPlainTextEdit::textChanged, this, &TfrmWorksheet::panelEdited);
    connect(ui->edtDate, &QLineEdit::textChanged, this, &TfrmWorksheet::panelEdited);
    connect(ui->edtAmountDue, &QLineEdit::textChanged, this, &TfrmWorksheet::panelEdited);
    connect(ui->cbxActualCost, &QCheckBox::toggled, this, &TfrmWorksheet::panelEdited);
    connect(m_categories, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            panelEdited();
    });
    for (QWidget *entry : {static_cast<QWidget *>(ui->memNameAddress), static_cast<QWidget *>(ui->edtDate),
                           static_cast<QWidget *>(ui->edtAmountDue), static_cast<QWidget *>(ui->cbxActualCost)})
        entry->installEventFilter(this);
    for (QAbstractButton *radio : m_categories->buttons())
        radio->installEventFilter(this);

    setUpGrid();
    try {
        m_rows = kelvox::WorksheetRows(m_worksheet.Rows);
    } catch (const std::exception &) {
        kelvox::ErrorMessage(17040);
    }
    refreshGrid();
    m_showing = true;
    showSelectedRow();
    m_showing = false;
}

TfrmWorksheet::~TfrmWorksheet() = default;

void TfrmWorksheet::SaveStringGrid()
{
    try {
        m_worksheet.Rows = m_rows.Rows();
    } catch (const std::exception &) {
        kelvox::ErrorMessage(17050);
    }
}

void TfrmWorksheet::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        try {
            // The close box takes no focus, so an edit in progress is stored here.
            commitPanel();
            SaveStringGrid();
            if (m_hooks.completeCalc)
                m_hooks.completeCalc();
        } catch (const kelvox::SilentAbort &) {
        } catch (...) {
            kelvox::ErrorMessage(17010);
        }
    }
    QDialog::done(result);
}

bool TfrmWorksheet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !m_busy && !m_filling) {
        // A menu or another window taking the focus for a moment is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            storePanel();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmWorksheet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    const int f = ui->StringGrid->viewport()->width() / 5;
    ui->StringGrid->setColumnWidth(WSchedList::NameAndAddress, f + f / 2);
    ui->StringGrid->setColumnWidth(WSchedList::ExpenseDescription, f);
    ui->StringGrid->setColumnWidth(WSchedList::Date, f);
    ui->StringGrid->setColumnWidth(WSchedList::AmountDue, f);
    ui->StringGrid->setColumnWidth(WSchedList::ActualCost, f / 2);
}

void TfrmWorksheet::setUpGrid()
{
    QTableWidget *grid = ui->StringGrid;
    QFont font = grid->font();
    font.setPixelSize(16);
    grid->setFont(font);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(32);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->setSortingEnabled(false);
}

void TfrmWorksheet::refreshGrid()
{
    QTableWidget *grid = ui->StringGrid;
    m_syncing = true;
    grid->setRowCount(m_rows.RowCount());
    m_syncing = false;
    for (int r = 0; r < m_rows.RowCount(); ++r)
        refreshGridRow(r);
    syncGridSelection();
}

void TfrmWorksheet::refreshGridRow(int row)
{
    QTableWidget *grid = ui->StringGrid;
    const WSchedList::Row &cells = m_rows.Rows()[static_cast<size_t>(row)];
    for (int c = 0; c < WSchedList::kColumns; ++c) {
        QTableWidgetItem *item = grid->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(ColumnAlignment(c));
            grid->setItem(row, c, item);
        }
        item->setText(ToQt(cells[static_cast<size_t>(c)]));
    }
}

void TfrmWorksheet::syncGridSelection()
{
    QTableWidget *grid = ui->StringGrid;
    m_syncing = true;
    if (m_rows.HasSelection()) {
        grid->setCurrentCell(m_rows.Selected(), std::max(grid->currentColumn(), 0));
    } else {
        grid->clearSelection();
        grid->setCurrentItem(nullptr);
    }
    m_syncing = false;
}

void TfrmWorksheet::gridRowChanged(int row)
{
    if (m_syncing)
        return;
    commitPanel();
    if (m_rows.Select(row))
        showSelectedRow();
}

WorksheetEntry TfrmWorksheet::panelEntry() const
{
    WorksheetEntry entry;
    entry.NameAndAddress = MemoToCore(ui->memNameAddress->toPlainText());
    entry.Category = std::max(m_categories->checkedId(), 0);
    entry.Date = ToCore(ui->edtDate->text());
    entry.Amount = ToCore(ui->edtAmountDue->text());
    entry.ActualCost = ui->cbxActualCost->isChecked();
    return entry;
}

void TfrmWorksheet::fillPanel(const WorksheetEntry &entry)
{
    m_filling = true;
    const auto done = qScopeGuard([this] { m_filling = false; });
    ui->memNameAddress->setPlainText(CoreToMemo(entry.NameAndAddress));
    m_categories->setExclusive(false);
    for (QAbstractButton *radio : m_categories->buttons())
        radio->setChecked(m_categories->id(radio) == entry.Category);
    m_categories->setExclusive(true);
    ui->edtDate->setText(ToQt(entry.Date));
    ui->edtAmountDue->setText(ToQt(entry.Amount));
    ui->cbxActualCost->setChecked(entry.ActualCost);
    m_panelEdited = false;
}

void TfrmWorksheet::clearPanel()
{
    fillPanel(WorksheetEntry{});
}

void TfrmWorksheet::showSelectedRow()
{
    if (m_rows.HasSelection())
        fillPanel(kelvox::EntryFromRow(m_rows.Rows()[static_cast<size_t>(m_rows.Selected())]));
}

void TfrmWorksheet::storePanel()
{
    if (!m_rows.Store(panelEntry()))
        return;
    refreshGridRow(m_rows.Selected());
    m_panelEdited = false;
    markChanged();
}

void TfrmWorksheet::commitPanel()
{
    if (m_panelEdited || entryHasFocus())
        storePanel();
}

bool TfrmWorksheet::entryHasFocus() const
{
    const QWidget *focus = focusWidget();
    if (!focus)
        return false;
    if (focus == ui->memNameAddress || focus == ui->edtDate || focus == ui->edtAmountDue || focus == ui->cbxActualCost)
        return true;
    const QList<QAbstractButton *> radios = m_categories->buttons();
    return std::find(radios.begin(), radios.end(), focus) != radios.end();
}

void TfrmWorksheet::panelEdited()
{
    if (!m_showing)
        markChanged();
    if (!m_filling)
        m_panelEdited = true;
}

void TfrmWorksheet::markChanged()
{
    if (m_hooks.caseChanged)
        m_hooks.caseChanged();
}

void TfrmWorksheet::run(void (TfrmWorksheet::*command)())
{
    commitPanel();
    const bool wasBusy = m_busy;
    m_busy = true;
    const auto restore = qScopeGuard([this, wasBusy] { m_busy = wasBusy; });
    (this->*command)();
}

void TfrmWorksheet::selectRow(int row)
{
    if (!m_rows.Select(row))
        return;
    syncGridSelection();
    showSelectedRow();
}

void TfrmWorksheet::first()
{
    selectRow(0);
}
void TfrmWorksheet::prior()
{
    selectRow(m_rows.Selected() - 1);
}
void TfrmWorksheet::next()
{
    selectRow(m_rows.Selected() + 1);
}
void TfrmWorksheet::last()
{
    selectRow(m_rows.RowCount() - 1);
}

void TfrmWorksheet::insertRow()
{
    m_rows.Insert();
    refreshGrid();
    clearPanel();
    markChanged();
}

void TfrmWorksheet::addRow()
{
    m_rows.Add();
    refreshGrid();
    clearPanel();
    ui->memNameAddress->setFocus(Qt::OtherFocusReason);
    markChanged();
}

void TfrmWorksheet::deleteRow()
{
    if (!m_rows.HasSelection() || !confirm(QStringLiteral("Do you want to delete/clear the selected row?")))
        return;
    if (m_rows.RowCount() == 1) {
        clearPanel();
        storePanel();
        return;
    }
    m_rows.Remove();
    refreshGrid();
    // The panel follows the row that moved up, so that it is not stored over it.
    showSelectedRow();
    markChanged();
}

void TfrmWorksheet::copyRow()
{
    m_rowClipboard = panelEntry();
}

void TfrmWorksheet::cutRow()
{
    copyRow();
    if (!m_rows.Remove())
        return;
    refreshGrid();
    showSelectedRow();
    markChanged();
}

void TfrmWorksheet::pasteInsert()
{
    insertRow();
    fillPanel(m_rowClipboard);
    storePanel();
}

void TfrmWorksheet::pasteReplace()
{
    fillPanel(m_rowClipboard);
    storePanel();
}

void TfrmWorksheet::clearCategories()
{
    m_categories->setExclusive(false);
    for (QAbstractButton *radio : m_categories->buttons())
        radio->setChecked(false);
    m_categories->setExclusive(true);
    storePanel();
}

void TfrmWorksheet::clearWorksheet()
{
    if (!confirm(QStringLiteral("Do you want to delete/clear the entire table?")))
        return;
    m_rows.Clear();
    refreshGrid();
    clearPanel();
    markChanged();
}

void TfrmWorksheet::sortOn(int column)
{
    const QTableWidgetItem *header = ui->StringGrid->horizontalHeaderItem(column);
    if (!header || !confirm(QStringLiteral("Are You Sure You Want To Sort based on the ") + header->text() +
                            QStringLiteral(" column? There is no undo for this command.")))
        return;
    const bool wasBusy = m_busy;
    m_busy = true;
    QTableWidget *grid = ui->StringGrid;
    const bool gridHadFocus = grid->hasFocus();
    grid->setEnabled(false);
    const auto finish = qScopeGuard([&] {
        grid->setEnabled(true);
        if (gridHadFocus)
            grid->setFocus(Qt::OtherFocusReason);
        m_rows.Select(1);
        refreshGrid();
        showSelectedRow();
        markChanged();
        m_busy = wasBusy;
    });
    m_rows.Sort(column);
}

bool TfrmWorksheet::confirm(const QString &question)
{
    return Prompter::instance().ask(this, QMessageBox::Warning, QStringLiteral("Warning"), question,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
