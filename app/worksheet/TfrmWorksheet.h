#pragma once

#include "answers/WorksheetRows.h"

#include <QDialog>

#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;

namespace Ui {
class TfrmWorksheet;
}

// The expense worksheet: edits a working copy of the case's rows and copies it
// back when it closes, however it closes.
class TfrmWorksheet final : public QDialog {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> caseChanged;  // the case now has unsaved changes
        std::function<void()> completeCalc; // run once, after the rows are copied back
    };

    // The window takes its size from parent, the main window.
    TfrmWorksheet(kelvox::WSchedList &worksheet, Hooks hooks, QWidget *parent = nullptr);
    ~TfrmWorksheet() override;

    // Copies the working rows into the case's table; a save while the window is
    // open calls it first.
    void SaveStringGrid();

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setUpGrid();
    void refreshGrid();
    void refreshGridRow(int row);
    void syncGridSelection();
    void gridRowChanged(int row);

    kelvox::WorksheetEntry panelEntry() const;
    void fillPanel(const kelvox::WorksheetEntry &entry);
    void clearPanel();
    void showSelectedRow();
    void storePanel();
    void commitPanel();
    bool entryHasFocus() const;
    void panelEdited();
    void markChanged();

    // Every command first stores an edit in progress into the row it came from.
    void run(void (TfrmWorksheet::*command)());
    void first();
    void prior();
    void next();
    void last();
    void insertRow();
    void deleteRow();
    void addRow();
    void copyRow();
    void cutRow();
    void pasteInsert();
    void pasteReplace();
    void clearCategories();
    void clearWorksheet();
    void sortOn(int column);
    void selectRow(int row);
    bool confirm(const QString &question);

    std::unique_ptr<Ui::TfrmWorksheet> ui;
    QButtonGroup *m_categories;
    kelvox::WSchedList &m_worksheet;
    Hooks m_hooks;
    kelvox::WorksheetRows m_rows;
    kelvox::WorksheetEntry m_rowClipboard;
    bool m_showing = false; // the first fill of the panel, which is no edit
    bool m_filling = false; // the panel is being filled by the program
    bool m_panelEdited = false;
    bool m_busy = false;    // a command is running: focus changes store nothing
    bool m_syncing = false; // the grid's selection is being set by the program
    bool m_opened = false;
    bool m_closed = false;
};
