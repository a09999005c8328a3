#pragma once

#include "main/MainState.h"
#include "screens/PageHost.h"

#include <QHash>
#include <QMainWindow>
#include <QSizeF>

#include <functional>
#include <memory>

class Autosave;
class FileCommands;
class GlowButton;
class HelpCommands;
class PageScreen;
class QAbstractAnimation;
class QAbstractButton;
class QAction;
class QMenu;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;
class QtTextMeasurer;
class TfrmWorksheet;
class ZoomCommand;

// The main window: the menus, the tree, the two button bars and the page
// panel, the case's state, start-up and shutdown, and navigation.
class TfrmMain final : public QMainWindow, public PageHost {
    Q_OBJECT
public:
    // Where the program runs; tests name their own folders and screen size.
    struct Environment {
        QString ProgramFileFolder;          // empty: the running executable's folder
        QString HomeFolder;                 // empty: the user's home folder
        std::function<QSizeF()> ScreenSize; // empty: the window's screen
    };

    explicit TfrmMain(QWidget *parent = nullptr);
    explicit TfrmMain(const Environment &environment, QWidget *parent = nullptr);
    ~TfrmMain() override;

    MainState &state() { return m_state; }
    kelvox::TAnswer &answers() { return *m_state.Answers; }
    QString currentFileName() const { return m_state.CurrentFileName; }
    PageScreen &page() { return *m_page; }
    QWidget *pagePanel() const { return m_pnlMainForm; }
    QScrollArea *scrollBox() const { return m_scrollBox; }
    QTreeWidget *tree() const { return m_tree; }
    QMenu *pageMenu() const { return m_popMain; }

    // Menu items and buttons by their object names (mnuSave, cbtnNext, ...);
    // other commands connect to these.
    QAction *action(const QString &name) const;
    QAbstractButton *button(const QString &name) const;
    QTreeWidgetItem *treeItem(const QString &name) const;

    // The page-request handler behind every menu and tree item with a page tag.
    void DisplayAPage(QAction *sender);
    void DisplayAPage(QTreeWidgetItem *sender);
    // A request of the program's own, through the hidden item mnuInvisible.
    void RequestPage(int tag);
    void NextClick();
    void PriorClick();
    void ExpandLevel(int tag);
    void UpdateMenuItems() override;
    void RefreshClick();
    void MinimizeClick();
    void ExitClick();
    void ExpenseWorksheetClick();
    void ForceWordClick();
    void RefreshRecentMenu();

    // Overrides of derived answers.
    void OverrideClick();
    void SetOverride(QWidget *control);
    void ScrollOnEnter(QWidget *control);

    // The forms with one copy per person; tag is a multi-copy tag.
    void NewForm(int tag);
    void ContinuationDlg(int tag);
    void DeleteForm(int tag);
    bool PresentContinuationDlg(int tag, int &copy);

    // Saves the case to CurrentFileName, asking for a name when it has no
    // folder yet. False when the user cancels or the save fails.
    bool SaveCase();
    FileCommands &files() { return *m_files; }
    Autosave &autosave() { return *m_autosave; }
    // Delivers a Tab to the field being edited, so that its answer is stored.
    void deliverTab();
    // A save while the expense worksheet is open writes the window's rows.
    void CopyOpenWorksheet();
    QWidget *openWorksheet() const;
    // The page panel's width when the window was first shown.
    int panelWidthAtStart() const { return m_panelWidthAtStart; }

    // PageHost
    void SelectTreeItem(int pageType) override;
    void ClearTreeSelection() override;
    void UpdateCaption() override;
    void ShowToolbar() override;
    void PopupPageMenu(const QPoint &globalPos) override;
    void ControlEntered(QWidget *control) override;
    void OverrideRequested(QWidget *control) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createWindow();
    void createMenus();
    void createTree();
    void createButtonBars();
    void loadStyleSheet();
    void windowCreation(const Environment &environment);
    void windowFirstShown();
    void connectCommands();
    void writeSettings();

    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, int tag = -1);
    QAction *addPageItem(QMenu *menu, const QString &name, const QString &caption, int tag);
    QTreeWidgetItem *addTreeItem(QTreeWidgetItem *parent, const QString &name, const QString &caption,
                                 std::function<void(QTreeWidgetItem *)> handler, int tag = 0);
    void setPriorNextVisible(bool prior, bool next);
    void showOverrideGroup(bool cancelGroup, bool visible);

    MainState m_state;
    std::unique_ptr<QtTextMeasurer> m_measurer;
    std::function<QSizeF()> m_screenSize;

    QWidget *m_pnlToolBar = nullptr;
    QWidget *m_pnlCaptionButtonBar = nullptr;
    QTreeWidget *m_tree = nullptr;
    QScrollArea *m_scrollBox = nullptr;
    QWidget *m_pnlMainForm = nullptr;
    PageScreen *m_page = nullptr;
    QMenu *m_popMain = nullptr;
    QMenu *m_mnuApplication = nullptr;
    QMenu *m_mnuTools = nullptr;
    QMenu *m_mnuOpenRecent = nullptr;

    QHash<QString, QAction *> m_actions;
    QHash<QString, QAbstractButton *> m_buttons;
    QHash<QString, QTreeWidgetItem *> m_treeItems;
    QHash<QTreeWidgetItem *, std::function<void(QTreeWidgetItem *)>> m_treeHandlers;
    QHash<QAbstractButton *, QAbstractAnimation *> m_slideIns;
    QHash<QAbstractButton *, QAbstractAnimation *> m_pulses;

    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<ZoomCommand> m_zoom;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<Autosave> m_autosave;

    TfrmWorksheet *m_openWorksheet = nullptr; // while the modal worksheet is open
    bool m_shown = false;
    int m_panelWidthAtStart = 0;
};
