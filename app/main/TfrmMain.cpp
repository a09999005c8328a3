#include "main/TfrmMain.h"

#include "files/Autosave.h"
#include "files/ClientFile.h"
#include "files/FileCommands.h"
#include "files/FileError.h"
#include "files/HelpCommands.h"
#include "files/Settings.h"
#include "files/ZoomCommand.h"
#include "main/GlowButton.h"
#include "main/KelvoxApplication.h"
#include "main/MultiCopy.h"
#include "main/Prompter.h"
#include "main/StartupFolders.h"
#include "main/TfrmMultiple.h"
#include "main/WindowLayout.h"
#include "messages/Messages.h"
#include "misc/Misc.h"
#include "output/PdfExport.h"
#include "output/PrtSend.h"
#include "output/QtTextMeasurer.h"
#include "output/SendToWordProcessor.h"
#include "screens/ControlKinds.h"
#include "screens/PageScreen.h"
#include "worksheet/TfrmWorksheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPauseAnimation>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSequentialAnimationGroup>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kTagRole = Qt::UserRole;

QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}
std::string ToStd(const QString &text)
{
    return text.toStdString();
}

kelvox::Folders FoldersOf(const MainState &state)
{
    kelvox::Folders folders;
    folders.SettingsFolder = ToStd(state.SettingsFolder);
    folders.ProgramFolder = ToStd(state.ProgramFolder);
    folders.ClientFileFolder = ToStd(state.ClientFileFolder);
    folders.RtfWorkFolder = ToStd(state.RtfWorkFolder);
    folders.TemplateFolder = ToStd(state.TemplateFolder);
    folders.PtfFolder = ToStd(state.PtfFolder);
    folders.DataFolder = ToStd(state.DataFolder);
    folders.ScreenFolder = ToStd(state.ScreenFolder);
    return folders;
}

void SetFolders(MainState &state, const kelvox::Folders &folders)
{
    state.SettingsFolder = ToQ(folders.SettingsFolder);
    state.ProgramFolder = ToQ(folders.ProgramFolder);
    state.ClientFileFolder = ToQ(folders.ClientFileFolder);
    state.RtfWorkFolder = ToQ(folders.RtfWorkFolder);
    state.TemplateFolder = ToQ(folders.TemplateFolder);
    state.PtfFolder = ToQ(folders.PtfFolder);
    state.DataFolder = ToQ(folders.DataFolder);
    state.ScreenFolder = ToQ(folders.ScreenFolder);
}

QString InFolder(const QString &folder, const char *name)
{
    return ToQ(kelvox::AddPathSeparator(ToStd(folder))) + QLatin1String(name);
}

bool FileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

// The counter behind the View and Delete items of a multi-copy form.
int CopiesOf(const kelvox::TAnswer *store, int form)
{
    if (!store)
        return 0;
    switch (form) {
    case 4: return store->NoOf18_2;
    case 6: return store->NoOf18_3;
    case 7: return store->NoOf18_4;
    case 12: return store->NoOf18_9;
    default: return 0;
    }
}

} // namespace

static void InitIcons()
{
    Q_INIT_RESOURCE(icons);
}

TfrmMain::TfrmMain(QWidget *parent) : TfrmMain(Environment{}, parent) {}

TfrmMain::TfrmMain(const Environment &environment, QWidget *parent)
    : QMainWindow(parent), m_measurer(std::make_unique<QtTextMeasurer>()), m_screenSize(environment.ScreenSize)
{
    InitIcons();
    setObjectName(QStringLiteral("frmMain"));
    createWindow();
    connectCommands();
    windowCreation(environment);
    loadStyleSheet();
    resize(800, 600);
    UpdateCaption();
    qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain()
{
    qApp->removeEventFilter(this);
    m_autosave.reset();
    m_state.CaseChanged.setListener(nullptr);
}

// --- the window's parts --------------------------------------------------

void TfrmMain::createWindow()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlClient"));
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    createButtonBars();
    column->addWidget(m_pnlToolBar);
    column->addWidget(m_pnlCaptionButtonBar);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    createTree();
    row->addWidget(m_tree);

    m_scrollBox = new QScrollArea(central);
    m_scrollBox->setObjectName(QStringLiteral("VertScrollBox1"));
    m_scrollBox->setWidgetResizable(false);
    m_scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pnlMainForm = new QWidget;
    m_pnlMainForm->setObjectName(QStringLiteral("pnlMainForm"));
    m_scrollBox->setWidget(m_pnlMainForm);
    row->addWidget(m_scrollBox, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    m_page = new PageScreen(m_state, *m_measurer, m_scrollBox, m_pnlMainForm, *this);

    createMenus();
    m_pnlMainForm->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pnlMainForm, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupPageMenu(m_pnlMainForm->mapToGlobal(at)); });
}

QAction *TfrmMain::addItem(QMenu *menu, const QString &name, const QString &caption, int tag)
{
    auto *item = menu->addAction(caption);
    item->setObjectName(name);
    if (tag != -1)
        item->setData(tag);
    m_actions.insert(name, item);
    return item;
}

QAction *TfrmMain::addPageItem(QMenu *menu, const QString &name, const QString &caption, int tag)
{
    QAction *item = addItem(menu, name, caption, tag);
    connect(item, &QAction::triggered, this, [this, item] { DisplayAPage(item); });
    return item;
}

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();

    m_mnuApplication = bar->addMenu(QStringLiteral("Application"));
    m_mnuApplication->setObjectName(QStringLiteral("mnuApplication"));
    addItem(m_mnuApplication, QStringLiteral("mnuAppAbout"), QStringLiteral("About"));
    addItem(m_mnuApplication, QStringLiteral("mnuPreferences"), QStringLiteral("Preferences..."));
    QAction *quit = addItem(m_mnuApplication, QStringLiteral("mnuQuit"), QStringLiteral("Quit Kelvox"));
    connect(quit, &QAction::triggered, this, &TfrmMain::ExitClick);

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addItem(file, QStringLiteral("mnuNew"), QStringLiteral("&New"));
    addItem(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open..."));
    m_mnuOpenRecent = file->addMenu(QStringLiteral("Open Recent"));
    m_mnuOpenRecent->setObjectName(QStringLiteral("mnuOpenRecent"));
    for (int i = 0; i < 5; ++i)
        addItem(m_mnuOpenRecent, QStringLiteral("mnuOpenRecent%1").arg(i), QString(), i)->setVisible(false);
    addItem(file, QStringLiteral("mnuClose"), QStringLiteral("&Close"));
    addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"));
    addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Save &As..."))
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnuDuplicate"), QStringLiteral("Duplicate"));
    const auto printWith = [this](TfrmSelectedForms::Action start) {
        return [this, start] {
            const QString pdf =
                PdfSuggestion(m_state.CurrentFileName, m_state.ClientFileFolder, m_state.Answers->Get(1, 0, 11));
            SendToWordProcessor(
                this, *m_state.Answers, *m_measurer,
                {m_state.TemplateFolder, m_state.DataFolder, m_state.SettingsFolder, pdf}, m_state.WordFound,
                m_state.ForceWord, [this] { m_page->RecalcAndRefresh(true); }, start);
            UpdateMenuItems();
        };
    };
    connect(addItem(file, QStringLiteral("mnuPrint"), QStringLiteral("&Print...")), &QAction::triggered, this,
            printWith(TfrmSelectedForms::Action::Send));
    connect(addItem(file, QStringLiteral("mnuPrintPreview"), QStringLiteral("Print Preview...")), &QAction::triggered,
            this, printWith(TfrmSelectedForms::Action::Preview));
    connect(addItem(file, QStringLiteral("mnuExportPdf"), QStringLiteral("Export PDF...")), &QAction::triggered, this,
            printWith(TfrmSelectedForms::Action::ExportPdf));
    QAction *exitLine = file->addSeparator();
    exitLine->setObjectName(QStringLiteral("mnuExitLine"));
    m_actions.insert(exitLine->objectName(), exitLine);
    QAction *exit = addItem(file, QStringLiteral("mnuExit"), QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &TfrmMain::ExitClick);
    QAction *recentLine = file->addSeparator();
    recentLine->setObjectName(QStringLiteral("HX_Line"));
    m_actions.insert(recentLine->objectName(), recentLine);
    for (int i = 0; i < 5; ++i)
        addItem(file, QStringLiteral("HX%1").arg(i), QString(), i)->setVisible(false);
    // Close starts a new case, as New does.
    connect(action(QStringLiteral("mnuClose")), &QAction::triggered, action(QStringLiteral("mnuNew")),
            &QAction::trigger);

    QMenu *display = bar->addMenu(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("mnuDisplay"));
    addPageItem(display, QStringLiteral("mnuGeneralInformation"), QStringLiteral("General Information"), 0);
    connect(addItem(display, QStringLiteral("mnuExpenseWorksheet"), QStringLiteral("Expense Worksheet")),
            &QAction::triggered, this, &TfrmMain::ExpenseWorksheetClick);

    QMenu *forms18 = display->addMenu(QStringLiteral("Forms 18.X"));
    QMenu *f180 = forms18->addMenu(QStringLiteral("18.0 Petition for Adoption of Minor"));
    addPageItem(f180, QStringLiteral("mnuForm18_0_1"), QStringLiteral("Page 1"), 100);
    addPageItem(f180, QStringLiteral("mnuForm18_0_2"), QStringLiteral("Page 2"), 200);
    addPageItem(f180, QStringLiteral("mnuForm18_0_3"), QStringLiteral("Page 3"), 2300);
    addPageItem(forms18, QStringLiteral("mnuForm18_1"), QStringLiteral("18.1 Judgment Entry"), 300);
    QMenu *f182 = forms18->addMenu(QStringLiteral("18.2 Notice of Hearing"));
    QMenu *f182p1 = f182->addMenu(QStringLiteral("Page 1"));
    const auto addCopyItems = [this](QMenu *menu, const QString &form, int tag) {
        addItem(menu, QStringLiteral("mnu%1_New").arg(form), QStringLiteral("New"), tag);
        addItem(menu, QStringLiteral("mnu%1_View").arg(form), QStringLiteral("View"), tag);
        addItem(menu, QStringLiteral("mnu%1_Delete").arg(form), QStringLiteral("Delete"), tag);
    };
    addCopyItems(f182p1, QStringLiteral("Form18_2"), 4);
    addItem(f182, QStringLiteral("mnuForm18_2_2"), QStringLiteral("Page 2"), 5);
    addCopyItems(forms18->addMenu(QStringLiteral("18.3 Consent to Adoption")), QStringLiteral("Form18_3"), 6);
    addCopyItems(forms18->addMenu(QStringLiteral("18.4 Judgment Entry")), QStringLiteral("Form18_4"), 7);
    addPageItem(forms18, QStringLiteral("mnuForm18_5"), QStringLiteral("18.5 Interlocutory Order"), 800);
    addPageItem(forms18, QStringLiteral("mnuForm18_6"), QStringLiteral("18.6 Final Decree (after interlocutory)"), 900);
    addPageItem(forms18, QStringLiteral("mnuForm18_7"), QStringLiteral("18.7 Final Decree (no interlocutory)"), 1000);
    addPageItem(forms18, QStringLiteral("mnuForm18_8"), QStringLiteral("18.8 Adoption Certificate for Parents"), 1100);
    QMenu *f189 = forms18->addMenu(QStringLiteral("18.9 Petitioner's Account"));
    addItem(f189, QStringLiteral("mnuForm18_9_1"), QStringLiteral("Page 1"), 12);
    addPageItem(f189, QStringLiteral("mnuForm18_9_2"), QStringLiteral("Page 2"), 1300);

    QMenu *forms19 = display->addMenu(QStringLiteral("Forms 19.X"));
    addPageItem(forms19, QStringLiteral("mnuForm19_0"), QStringLiteral("19.0 Petition for Adult Adoption"), 1500);
    addPageItem(forms19, QStringLiteral("mnuForm19_01"), QStringLiteral("19.01 Judgment Entry Setting Hearing"), 1600);
    addPageItem(forms19, QStringLiteral("mnuForm19_1"), QStringLiteral("19.1 Final Order"), 1700);
    QMenu *f192 = forms19->addMenu(QStringLiteral("19.2 Petition for Foreign Adoption"));
    addPageItem(f192, QStringLiteral("mnuForm19_2_1"), QStringLiteral("Page 1"), 2500);
    addPageItem(f192, QStringLiteral("mnuForm19_2_2"), QStringLiteral("Page 2"), 2600);
    QMenu *f193 = forms19->addMenu(QStringLiteral("19.3 Order for Ohio Birth Record ..."));
    addPageItem(f193, QStringLiteral("mnuForm19_3_1"), QStringLiteral("Page 1"), 2700);
    addPageItem(f193, QStringLiteral("mnuForm19_3_2"), QStringLiteral("Page 2"), 2800);

    QMenu *misc = display->addMenu(QStringLiteral("Miscellaneous"));
    addPageItem(misc, QStringLiteral("mnuConsentToChangeName"), QStringLiteral("Consent to Change Name"), 2000);
    addPageItem(misc, QStringLiteral("mnuAffidavitOfAdoptedPerson"), QStringLiteral("Affidavit of Adopted Person"),
                2100);
    addPageItem(misc, QStringLiteral("mnuHEA2757"), QStringLiteral("HEA 2757 Certificate of Adoption"), 2200);

    m_mnuTools = bar->addMenu(QStringLiteral("&Tools"));
    m_mnuTools->setObjectName(QStringLiteral("mnuTools"));
    addItem(m_mnuTools, QStringLiteral("mnuOverride"), QStringLiteral("&Override"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_V));
    addItem(m_mnuTools, QStringLiteral("mnuCancelOverride"), QStringLiteral("&Cancel Override"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_U));
    QAction *forceWord = addItem(m_mnuTools, QStringLiteral("mnuForceWord"), QStringLiteral("&Force Word"));
    forceWord->setCheckable(true);
    connect(forceWord, &QAction::triggered, this, &TfrmMain::ForceWordClick);
    QMenu *locations = m_mnuTools->addMenu(QStringLiteral("&Default File Locations"));
    addItem(locations, QStringLiteral("mnuClientFileLocation"), QStringLiteral("Client KVX Files..."), 0)
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1));
    addItem(locations, QStringLiteral("mnuRtfFileLocation"), QStringLiteral("&Temporary RTF Files..."), 2)
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F3));
    QAction *today = addItem(m_mnuTools, QStringLiteral("mnuInsertToday"), QStringLiteral("Insert Today"));
    today->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(today, &QAction::triggered, this, [this] { m_page->Inserttoday(focusWidget()); });

    QMenu *window = bar->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    connect(addItem(window, QStringLiteral("mnuMinimize"), QStringLiteral("&Minimize")), &QAction::triggered, this,
            &TfrmMain::MinimizeClick);
    addItem(window, QStringLiteral("mnuZoom"), QStringLiteral("&Zoom..."));

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, QStringLiteral("mnuTableOfContents"), QStringLiteral("&Table of Contents"))
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, QStringLiteral("mnuManual"), QStringLiteral("&Manual"));
    addItem(help, QStringLiteral("mnuTutorial"), QStringLiteral("T&utorial"));
    addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"));
    QAction *invisible = addItem(help, QStringLiteral("mnuInvisible"), QStringLiteral("Invisible"), 0);
    invisible->setVisible(false);
    connect(invisible, &QAction::triggered, this, [this, invisible] { DisplayAPage(invisible); });

    for (const char *name : {"mnuOverride", "mnuCancelOverride"})
        connect(action(QLatin1String(name)), &QAction::triggered, this, &TfrmMain::OverrideClick);
    for (const auto &[form, tag] : {std::pair{"Form18_2", 4}, std::pair{"Form18_3", 6}, std::pair{"Form18_4", 7}}) {
        const QString f = QLatin1String(form);
        const int t = tag;
        connect(action(QStringLiteral("mnu%1_New").arg(f)), &QAction::triggered, this, [this, t] { NewForm(t); });
        connect(action(QStringLiteral("mnu%1_View").arg(f)), &QAction::triggered, this,
                [this, t] { ContinuationDlg(t); });
        connect(action(QStringLiteral("mnu%1_Delete").arg(f)), &QAction::triggered, this, [this, t] { DeleteForm(t); });
    }
    connect(action(QStringLiteral("mnuForm18_2_2")), &QAction::triggered, this, [this] { ContinuationDlg(5); });
    connect(action(QStringLiteral("mnuForm18_9_1")), &QAction::triggered, this, [this] { ContinuationDlg(12); });

    m_popMain = new QMenu(this);
    m_popMain->setObjectName(QStringLiteral("popMain"));
    QAction *popOverride = addItem(m_popMain, QStringLiteral("popOverride"), QStringLiteral("Override"));
    popOverride->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction *popCancel = addItem(m_popMain, QStringLiteral("popCancelOverride"), QStringLiteral("Cancel Override"));
    popCancel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    connect(popOverride, &QAction::triggered, this, &TfrmMain::OverrideClick);
    connect(popCancel, &QAction::triggered, this, &TfrmMain::OverrideClick);
    // Their shortcuts work on the whole window, not only in the open menu.
    addAction(popOverride);
    addAction(popCancel);
    m_popMain->addSeparator();
    const auto addRepeat = [this](const QString &name, const QString &caption, const QString &target,
                                  const QKeySequence &shown) {
        QAction *item = addItem(m_popMain, name, caption);
        item->setShortcut(shown);
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, action(target), &QAction::trigger);
    };
    addRepeat(QStringLiteral("popNew"), QStringLiteral("New"), QStringLiteral("mnuNew"),
              QKeySequence(Qt::CTRL | Qt::Key_N));
    addRepeat(QStringLiteral("popOpen"), QStringLiteral("Open"), QStringLiteral("mnuOpen"),
              QKeySequence(Qt::CTRL | Qt::Key_O));
    addRepeat(QStringLiteral("popSave"), QStringLiteral("Save"), QStringLiteral("mnuSave"),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    addRepeat(QStringLiteral("popSaveAs"), QStringLiteral("Save As"), QStringLiteral("mnuSaveAs"), QKeySequence());
    m_popMain->addSeparator();
    addRepeat(QStringLiteral("popPrintSelected"), QStringLiteral("Print Selected"), QStringLiteral("mnuPrint"),
              QKeySequence());
}

QTreeWidgetItem *TfrmMain::addTreeItem(QTreeWidgetItem *parent, const QString &name, const QString &caption,
                                       std::function<void(QTreeWidgetItem *)> handler, int tag)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, caption);
    item->setData(0, kTagRole, tag);
    m_treeItems.insert(name, item);
    if (handler)
        m_treeHandlers.insert(item, std::move(handler));
    return item;
}

void TfrmMain::createTree()
{
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(0, Qt::AscendingOrder);

    const auto page = [this](QTreeWidgetItem *item) { DisplayAPage(item); };
    const auto group = [this](QTreeWidgetItem *item) { ExpandLevel(item->data(0, kTagRole).toInt()); };
    const auto run = [this](const QString &actionName) {
        return [this, actionName](QTreeWidgetItem *) { action(actionName)->trigger(); };
    };
    const auto addCopyItems = [&](QTreeWidgetItem *parent, const QString &form, int tag) {
        for (const char *command : {"New", "View", "Delete"}) {
            const QString menuName = QStringLiteral("mnu%1_%2").arg(form, QLatin1String(command));
            addTreeItem(parent, QStringLiteral("tvw%1_%2").arg(form, QLatin1String(command)), QLatin1String(command),
                        run(menuName), tag);
        }
    };

    QTreeWidgetItem *steps =
        addTreeItem(nullptr, QStringLiteral("tvwFollowTheseSteps"), QStringLiteral("Follow These Steps"), group, -10);
    addTreeItem(steps, QStringLiteral("tvwGeneralInformation"), QStringLiteral("1. General Information"), page, 0);
    addTreeItem(steps, QStringLiteral("tvwNameAndSaveFile"), QStringLiteral("2. Name and Save File"),
                run(QStringLiteral("mnuSaveAs")));
    addTreeItem(steps, QStringLiteral("tvwExpenseWorksheet"), QStringLiteral("3. Expense Worksheet"),
                run(QStringLiteral("mnuExpenseWorksheet")));
    QTreeWidgetItem *forms = addTreeItem(steps, QStringLiteral("tvwDisplayEditForms"),
                                         QStringLiteral("4. Display/Edit Adoption Forms"), group, -11);
    addTreeItem(steps, QStringLiteral("tvwPreviewPrintForms"), QStringLiteral("5. Preview/Print Forms"),
                run(QStringLiteral("mnuPrint")));

    QTreeWidgetItem *forms18 =
        addTreeItem(forms, QStringLiteral("tvwForms18"), QStringLiteral("Forms 18.X"), group, -12);
    QTreeWidgetItem *f180 = addTreeItem(forms18, QStringLiteral("tvwForm18_0"),
                                        QStringLiteral("18.0 Petition for Adoption of Minor"), group, -1);
    addTreeItem(f180, QStringLiteral("tvwForm18_0_1"), QStringLiteral("Page 1"), page, 100);
    addTreeItem(f180, QStringLiteral("tvwForm18_0_2"), QStringLiteral("Page 2"), page, 200);
    addTreeItem(f180, QStringLiteral("tvwForm18_0_3"), QStringLiteral("Page 3"), page, 2300);
    addTreeItem(forms18, QStringLiteral("tvwForm18_1"), QStringLiteral("18.1 Judgment Entry"), page, 300);
    QTreeWidgetItem *f182 =
        addTreeItem(forms18, QStringLiteral("tvwForm18_2"), QStringLiteral("18.2 Notice of Hearing"), group, -2);
    QTreeWidgetItem *f182p1 = addTreeItem(f182, QStringLiteral("tvwForm18_2_1"), QStringLiteral("Page 1"), nullptr);
    addCopyItems(f182p1, QStringLiteral("Form18_2"), 4);
    addTreeItem(f182, QStringLiteral("tvwForm18_2_2"), QStringLiteral("Page 2"), run(QStringLiteral("mnuForm18_2_2")),
                5);
    addCopyItems(
        addTreeItem(forms18, QStringLiteral("tvwForm18_3"), QStringLiteral("18.3 Consent to Adoption"), group, -3),
        QStringLiteral("Form18_3"), 6);
    addCopyItems(addTreeItem(forms18, QStringLiteral("tvwForm18_4"), QStringLiteral("18.4 Judgment Entry"), group, -4),
                 QStringLiteral("Form18_4"), 7);
    addTreeItem(forms18, QStringLiteral("tvwForm18_5"), QStringLiteral("18.5 Interlocutory Order"), page, 800);
    addTreeItem(forms18, QStringLiteral("tvwForm18_6"), QStringLiteral("18.6 Final Decree (after interlocutory)"), page,
                900);
    addTreeItem(forms18, QStringLiteral("tvwForm18_7"), QStringLiteral("18.7 Final Decree (no interlocutory)"), page,
                1000);
    addTreeItem(forms18, QStringLiteral("tvwForm18_8"), QStringLiteral("18.8 Adoption Certificate for Parents"), page,
                1100);
    QTreeWidgetItem *f189 =
        addTreeItem(forms18, QStringLiteral("tvwForm18_9"), QStringLiteral("18.9 Petitioner's Account"), group, -5);
    addTreeItem(f189, QStringLiteral("tvwForm18_9_1"), QStringLiteral("Page 1"), run(QStringLiteral("mnuForm18_9_1")),
                12);
    addTreeItem(f189, QStringLiteral("tvwForm18_9_2"), QStringLiteral("Page 2"), page, 1300);

    QTreeWidgetItem *forms19 =
        addTreeItem(forms, QStringLiteral("tvwForms19"), QStringLiteral("Forms 19.X"), group, -6);
    addTreeItem(forms19, QStringLiteral("tvwForm19_0"), QStringLiteral("19.0 Petition for Adult Adoption"), page, 1500);
    addTreeItem(forms19, QStringLiteral("tvwForm19_01"), QStringLiteral("19.01 Judgment Entry Setting Hearing"), page,
                1600);
    addTreeItem(forms19, QStringLiteral("tvwForm19_1"), QStringLiteral("19.1 Final Order"), page, 1700);
    addTreeItem(forms19, QStringLiteral("tvwForm19_3"), QStringLiteral("19.3 Order for Ohio Birth Record ..."), page,
                2700);
    QTreeWidgetItem *f192 = addTreeItem(forms19, QStringLiteral("tvwForm19_2"),
                                        QStringLiteral("19.2 Petition for Foreign Adoption"), group, -7);
    addTreeItem(f192, QStringLiteral("tvwForm19_2_1"), QStringLiteral("Page 1"), page, 2500);
    addTreeItem(f192, QStringLiteral("tvwForm19_2_2"), QStringLiteral("Page 2"), page, 2600);

    QTreeWidgetItem *misc =
        addTreeItem(forms, QStringLiteral("tvwMiscellaneous"), QStringLiteral("Miscellaneous"), group, -9);
    addTreeItem(misc, QStringLiteral("tvwConsenttoChangeName"), QStringLiteral("Consent to Change Name"), page, 2000);
    addTreeItem(misc, QStringLiteral("tvwAffidavitOfAdoptedPerson"), QStringLiteral("Affidavit of Adopted Person"),
                page, 2100);
    addTreeItem(misc, QStringLiteral("tvwHEA2757"), QStringLiteral("HEA 2757 Certificate of Adoption"), page, 2200);

    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const auto handler = m_treeHandlers.constFind(item);
        if (handler != m_treeHandlers.cend())
            (*handler)(item);
    });
}

void TfrmMain::createButtonBars()
{
    m_pnlToolBar = new QWidget;
    m_pnlToolBar->setObjectName(QStringLiteral("pnlToolBar"));
    m_pnlToolBar->setFixedHeight(42);
    m_pnlCaptionButtonBar = new QWidget;
    m_pnlCaptionButtonBar->setObjectName(QStringLiteral("pnlCaptionButtonBar"));
    m_pnlCaptionButtonBar->setFixedHeight(24);

    struct Entry {
        const char *name;
        const char *icon;
        const char *tip;
        int x;
        const char *smallCaption;
        int smallX;
    };
    // Prior, Next and the override pair sit apart on the right; the two
    // override groups never show together, so their small buttons may share room.
    static constexpr Entry entries[] = {
        {"New", "new", "New case", 8, "New", 8},
        {"Open", "open", "Open a client file", 45, "Open", 56},
        {"Save", "save", "Save the case", 82, "Save", 104},
        {"Print", "print", "Preview and print forms", 119, "Print", 152},
        {"Worksheet", "worksheet", "Expense worksheet", 156, "Wrksht", 200},
        {"Refresh", "refresh", "Refresh the page", 193, "Refresh", 248},
        {"Exit", "exit", "Exit", 230, "Exit", 296},
        {"Prior", "prior", "Prior page", 469, "Prior", 432},
        {"Next", "next", "Next page", 506, "Next", 482},
        {"Override", "override", "Override the calculated value", 543, "Ovrd", 532},
        {"CancelOverride", "canceloverride", "Cancel the override", 580, "Cancel", 557},
    };
    QFont small = font();
    small.setPointSizeF(7.5);
    for (const Entry &entry : entries) {
        auto *big = new GlowButton(m_pnlToolBar);
        big->setObjectName(QStringLiteral("cbtn%1").arg(QLatin1String(entry.name)));
        big->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(entry.icon))));
        big->setToolTip(QLatin1String(entry.tip));
        big->move(entry.x, 3);
        m_buttons.insert(big->objectName(), big);

        auto *sml = new QPushButton(QLatin1String(entry.smallCaption), m_pnlCaptionButtonBar);
        sml->setObjectName(QStringLiteral("cbtnSml%1").arg(QLatin1String(entry.name)));
        sml->setFont(small);
        sml->setFocusPolicy(Qt::NoFocus);
        sml->setGeometry(entry.smallX, 2, 46, 20);
        m_buttons.insert(sml->objectName(), sml);
    }

    const auto wire = [this](const char *name, auto handler) {
        connect(button(QStringLiteral("cbtn%1").arg(QLatin1String(name))), &QAbstractButton::clicked, this, handler);
        connect(button(QStringLiteral("cbtnSml%1").arg(QLatin1String(name))), &QAbstractButton::clicked, this, handler);
    };
    const auto trigger = [this](const char *actionName) {
        return [this, actionName] { action(QLatin1String(actionName))->trigger(); };
    };
    wire("New", trigger("mnuNew"));
    wire("Open", trigger("mnuOpen"));
    wire("Save", trigger("mnuSave"));
    wire("Print", trigger("mnuPrint"));
    wire("Worksheet", trigger("mnuExpenseWorksheet"));
    wire("Refresh", [this] { RefreshClick(); });
    wire("Exit", [this] { ExitClick(); });
    wire("Prior", [this] { PriorClick(); });
    wire("Next", [this] { NextClick(); });
    wire("Override", trigger("mnuOverride"));
    wire("CancelOverride", trigger("mnuCancelOverride"));

    setPriorNextVisible(false, false);
    for (const char *name : {"cbtnOverride", "cbtnSmlOverride", "cbtnCancelOverride", "cbtnSmlCancelOverride"})
        m_buttons.value(QLatin1String(name))->hide();
}

void TfrmMain::loadStyleSheet()
{
    QDir styles(InFolder(m_state.ProgramFolder, "styles"));
    QString sheet;
    const QStringList names = styles.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(styles.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            sheet += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    setStyleSheet(sheet);
}

// --- start-up and shutdown -------------------------------------------------

void TfrmMain::windowCreation(const Environment &environment)
{
    m_state.ForceWord = false;

    const std::string programFileFolder =
        environment.ProgramFileFolder.isEmpty() ? kelvox::ExecutableFolder() : ToStd(environment.ProgramFileFolder);
    const std::string home = environment.HomeFolder.isEmpty() ? kelvox::HomeFolder() : ToStd(environment.HomeFolder);
    SetFolders(m_state, StartupFolders(programFileFolder, home));

    // Off Windows there is no MS Word; documents go to the desktop's RTF program.
    m_state.WordFound = kelvox::WordInstalled();

    m_state.WSchedList.Rows.assign(1, kelvox::WSchedList::Row{});
    m_state.CurrentPageType = -1;
    m_state.CurrentCopy = -1;
    m_state.ZoomFactor = 1.0;

    const QString settingsFile = InFolder(m_state.SettingsFolder, kelvox::kSettingsFileName);
    if (FileExists(settingsFile)) {
        KelvoxApplication::guarded([&] {
            kelvox::ProgramSettings settings;
            settings.Paths = FoldersOf(m_state);
            kelvox::ReadINI(ToStd(settingsFile), settings);
            SetFolders(m_state, settings.Paths);
            m_state.WordProcessorName = ToQ(settings.WordProcessorName);
            m_state.RecentFiles.clear();
            for (const std::string &recent : settings.RecentFiles)
                m_state.RecentFiles.append(ToQ(recent));
        });
    }
    KelvoxApplication::guarded([&] { kelvox::PrepareFolders(FoldersOf(m_state)); });

    m_state.CurrentFileName = QStringLiteral("Untitled.kvx");

    const QString defaultCase = InFolder(m_state.ClientFileFolder, "default.kvx");
    if (FileExists(defaultCase)) {
        bool read = false;
        try {
            read = kelvox::OpenFile(ToStd(defaultCase), *m_state.Answers, m_state.WSchedList);
        } catch (const std::exception &) {
            read = false;
        }
        if (!read) {
            kelvox::ErrorMessage(11340);
            return;
        }
    }
    m_state.WordProcessorName = QLatin1String(kelvox::kDefaultWordProcessor);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    windowFirstShown();
}

void TfrmMain::windowFirstShown()
{
    QSizeF size;
    if (m_screenSize)
        size = m_screenSize();
    else if (QScreen *s = screen())
        size = s->geometry().size();
    const WindowLayout layout = WindowLayoutFor(size.width(), size.height());
    resize(layout.Width, layout.Height);
    move(layout.Left, layout.Top);
    if (layout.TreeWidth > 0) {
        m_tree->setFixedWidth(layout.TreeWidth);
        m_tree->show();
    } else {
        m_tree->hide();
    }

    for (const char *name : {"tvwFollowTheseSteps", "tvwDisplayEditForms", "tvwForms18", "tvwMiscellaneous"})
        treeItem(QLatin1String(name))->setExpanded(true);
    m_tree->setCurrentItem(treeItem(QStringLiteral("tvwGeneralInformation")));

    RefreshRecentMenu();

    action(QStringLiteral("mnuInvisible"))->setData(0);
    KelvoxApplication::guarded([this] { RequestPage(0); });

    m_panelWidthAtStart = m_pnlMainForm->width();

    const auto shortcut = [this](const char *name, const QKeySequence &keys) {
        action(QLatin1String(name))->setShortcut(keys);
    };
    shortcut("mnuNew", QKeySequence(Qt::CTRL | Qt::Key_N));
    shortcut("mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
    shortcut("mnuClose", QKeySequence(Qt::CTRL | Qt::Key_W));
    shortcut("mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S));
    shortcut("mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P));
    shortcut("mnuMinimize", QKeySequence(Qt::CTRL | Qt::Key_M));
    m_mnuOpenRecent->menuAction()->setVisible(false);
    action(QStringLiteral("mnuDuplicate"))->setVisible(false);
    m_mnuApplication->menuAction()->setVisible(false);
    action(QStringLiteral("mnuExit"))->setText(QStringLiteral("E&xit"));
    m_mnuTools->setTitle(QStringLiteral("&Options"));

    // Asked once the window is on the screen behind the question.
    QTimer::singleShot(0, this, [this] { KelvoxApplication::guarded([this] { m_autosave->OfferRecovery(); }); });
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    deliverTab();
    if (m_state.CaseChanged) {
        const auto answer = Prompter::instance().ask(
            this, QMessageBox::Warning, QStringLiteral("Kelvox"), QStringLiteral("Do You Want To Save Your Changes"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Cancel) {
            KelvoxApplication::guarded([this] { m_autosave->Flush(); });
            event->ignore();
            return;
        }
        // A case that could not be saved keeps the window open.
        if (answer == QMessageBox::Yes && !SaveCase()) {
            event->ignore();
            return;
        }
    }
    // Saved, or given up with No.
    m_autosave->Discard();
    m_page->ClearPage();
    m_state.CurrentPageType = -1;
    m_state.CurrentCopy = -1;
    m_state.Answers.reset();
    writeSettings();
    event->accept();
}

void TfrmMain::deliverTab()
{
    QWidget *focused = focusWidget();
    if (!focused || !m_pnlMainForm->isAncestorOf(focused))
        return;
    const QPointer<QWidget> left(focused);
    const int passes = m_page->exitPasses();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(focused, &press);
    // An inactive window moves no focus, so the field's exit pass runs here.
    if (left && m_page->exitPasses() == passes)
        KelvoxApplication::guarded([this, &left] { m_page->CalcOnExit(left); });
}

void TfrmMain::writeSettings()
{
    KelvoxApplication::guarded([this] {
        kelvox::ProgramSettings settings;
        settings.Paths = FoldersOf(m_state);
        settings.WordProcessorName = ToStd(m_state.WordProcessorName);
        for (const QString &recent : m_state.RecentFiles)
            settings.RecentFiles.push_back(ToStd(recent));
        kelvox::WriteINI(ToStd(InFolder(m_state.SettingsFolder, kelvox::kSettingsFileName)), settings);
    });
}

bool TfrmMain::SaveCase()
{
    bool saved = false;
    KelvoxApplication::guarded([&] { saved = m_files->Save(); });
    return saved;
}

void TfrmMain::connectCommands()
{
    m_files = std::make_unique<FileCommands>(*this);
    m_zoom = std::make_unique<ZoomCommand>(*this);
    m_help = std::make_unique<HelpCommands>(this);
    m_autosave = std::make_unique<Autosave>(*this);
    m_state.CaseChanged.setListener([this] { m_autosave->Changed(); });
    const auto on = [this](const char *name, auto handler) {
        connect(action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("mnuNew", [this] { m_files->New(); });
    on("mnuOpen", [this] { m_files->Open(); });
    on("mnuSave", [this] { m_files->Save(); });
    on("mnuSaveAs", [this] { m_files->SaveAs(); });
    for (int i = 0; i < 5; ++i) {
        QAction *recent = action(QStringLiteral("HX%1").arg(i));
        connect(recent, &QAction::triggered, this, [this, recent] { m_files->Reopen(recent->data().toInt()); });
    }
    for (const char *name : {"mnuClientFileLocation", "mnuRtfFileLocation"}) {
        QAction *location = action(QLatin1String(name));
        connect(location, &QAction::triggered, this,
                [this, location] { m_files->ChooseDefaultLocation(location->data().toInt()); });
    }
    on("mnuZoom", [this] { m_zoom->Zoom(); });
    on("mnuTableOfContents", [this] { m_help->TableOfContents(m_state.ProgramFolder); });
    on("mnuTutorial", [this] { m_help->Tutorial(m_state.ProgramFolder); });
    on("mnuManual", [this] { m_help->Manual(m_state.ProgramFolder); });
    on("mnuAbout", [this] { m_help->About(); });
    on("mnuAppAbout", [this] { m_help->About(); });
}

// --- navigation ------------------------------------------------------------

void TfrmMain::DisplayAPage(QAction *sender)
{
    if (!sender || !sender->data().isValid())
        return;
    if (m_state.CurrentPageType != -1)
        m_page->Components2Answers(m_pnlMainForm);
    m_page->ShowPage(sender->data().toInt());
    m_zoom->ScaleLoadedPage();
    UpdateMenuItems();
}

void TfrmMain::DisplayAPage(QTreeWidgetItem *sender)
{
    if (!sender)
        return;
    if (m_state.CurrentPageType != -1)
        m_page->Components2Answers(m_pnlMainForm);
    m_page->ShowPage(sender->data(0, kTagRole).toInt());
    m_zoom->ScaleLoadedPage();
    UpdateMenuItems();
}

void TfrmMain::RequestPage(int tag)
{
    QAction *invisible = action(QStringLiteral("mnuInvisible"));
    invisible->setData(tag);
    invisible->trigger();
}

void TfrmMain::NextClick()
{
    const int c = m_state.CurrentCopy;
    const int listings = m_state.Answers ? m_state.Answers->NoOf18_9 : 0;
    switch (m_state.CurrentPageType) {
    case 1: return RequestPage(200);
    case 2: return RequestPage(2300);
    case 4: return RequestPage(500 + c);
    case 5: return RequestPage(400 + c + 1);
    case 6: return RequestPage(600 + c + 1);
    case 7: return RequestPage(700 + c + 1);
    case 12: return RequestPage(c < listings - 1 ? 1200 + c + 1 : 1300);
    case 25: return RequestPage(2600);
    default: return;
    }
}

void TfrmMain::PriorClick()
{
    const int c = m_state.CurrentCopy;
    const int listings = m_state.Answers ? m_state.Answers->NoOf18_9 : 0;
    switch (m_state.CurrentPageType) {
    case 2: return RequestPage(100);
    case 4:
        if (c >= 1)
            RequestPage(500 + c - 1);
        return;
    case 5: return RequestPage(400 + c);
    case 6:
        if (c >= 1)
            RequestPage(600 + c - 1);
        return;
    case 7:
        if (c >= 1)
            RequestPage(700 + c - 1);
        return;
    case 12:
        if (c >= 1)
            RequestPage(1200 + c - 1);
        return;
    case 13: return RequestPage(1200 + listings - 1);
    case 23: return RequestPage(200);
    case 26: return RequestPage(2500);
    default: return;
    }
}

void TfrmMain::ExpandLevel(int tag)
{
    static const QHash<int, QString> groups{
        {-1, QStringLiteral("tvwForm18_0")},          {-2, QStringLiteral("tvwForm18_2")},
        {-3, QStringLiteral("tvwForm18_3")},          {-4, QStringLiteral("tvwForm18_4")},
        {-5, QStringLiteral("tvwForm18_9")},          {-6, QStringLiteral("tvwForms19")},
        {-7, QStringLiteral("tvwForm19_2")},          {-8, QStringLiteral("tvwForm19_3")},
        {-9, QStringLiteral("tvwMiscellaneous")},     {-10, QStringLiteral("tvwFollowTheseSteps")},
        {-11, QStringLiteral("tvwDisplayEditForms")}, {-12, QStringLiteral("tvwForms18")}};
    const auto group = groups.constFind(tag);
    if (group == groups.cend())
        return;
    if (QTreeWidgetItem *item = treeItem(*group))
        item->setExpanded(!item->isExpanded());
}

void TfrmMain::setPriorNextVisible(bool prior, bool next)
{
    m_buttons.value(QStringLiteral("cbtnPrior"))->setVisible(prior);
    m_buttons.value(QStringLiteral("cbtnSmlPrior"))->setVisible(prior);
    m_buttons.value(QStringLiteral("cbtnNext"))->setVisible(next);
    m_buttons.value(QStringLiteral("cbtnSmlNext"))->setVisible(next);
}

void TfrmMain::UpdateMenuItems()
{
    const int type = m_state.CurrentPageType;
    const int c = m_state.CurrentCopy;
    const kelvox::TAnswer *store = m_state.Answers.get();
    if (type != -1) {
        action(QStringLiteral("mnuForceWord"))->setChecked(m_state.ForceWord);
        setPriorNextVisible(false, false);
        button(QStringLiteral("cbtnRefresh"))->show();
        button(QStringLiteral("cbtnSmlRefresh"))->show();
        for (const auto &[form, tag] : {std::pair{"Form18_2", 4}, std::pair{"Form18_3", 6}, std::pair{"Form18_4", 7}}) {
            const bool any = CopiesOf(store, tag) > 0;
            for (const char *command : {"View", "Delete"}) {
                action(QStringLiteral("mnu%1_%2").arg(QLatin1String(form), QLatin1String(command)))->setVisible(any);
                treeItem(QStringLiteral("tvw%1_%2").arg(QLatin1String(form), QLatin1String(command)))->setHidden(!any);
            }
        }
    }

    switch (type) {
    case 1:
    case 25: setPriorNextVisible(false, true); break;
    case 2: setPriorNextVisible(true, true); break;
    case 4: setPriorNextVisible(c > 0, true); break;
    case 5: setPriorNextVisible(true, c < CopiesOf(store, 4) - 1); break;
    case 6: setPriorNextVisible(c > 0, c < CopiesOf(store, 6) - 1); break;
    case 7: setPriorNextVisible(c > 0, c < CopiesOf(store, 7) - 1); break;
    case 12: setPriorNextVisible(c > 0, true); break;
    case 13:
    case 23:
    case 26: setPriorNextVisible(true, false); break;
    default: break;
    }
    UpdateCaption();
}

void TfrmMain::RefreshClick()
{
    m_page->CompleteCalc();
    if (m_state.CurrentPageType != -1)
        RequestPage(m_state.CurrentPageType * 100 + m_state.CurrentCopy);
}

void TfrmMain::MinimizeClick()
{
    showMinimized();
}

QWidget *TfrmMain::openWorksheet() const
{
    return m_openWorksheet;
}

void TfrmMain::CopyOpenWorksheet()
{
    if (m_openWorksheet)
        m_openWorksheet->SaveStringGrid();
}

void TfrmMain::ExpenseWorksheetClick()
{
    TfrmWorksheet window(m_state.WSchedList,
                         {[this] { m_state.CaseChanged = true; }, [this] { m_page->CompleteCalc(); }}, this);
    m_openWorksheet = &window;
    const auto closed = qScopeGuard([this] { m_openWorksheet = nullptr; });
    Prompter::instance().execDialog(window);
}

void TfrmMain::ExitClick()
{
    close();
}

void TfrmMain::ForceWordClick()
{
    m_state.ForceWord = !m_state.ForceWord;
    UpdateMenuItems();
}

void TfrmMain::RefreshRecentMenu()
{
    m_files->RefreshRecentMenu();
}

// --- what the page screen asks of the window --------------------------------

void TfrmMain::SelectTreeItem(int pageType)
{
    static const QHash<int, QString> items{{0, QStringLiteral("tvwGeneralInformation")},
                                           {1, QStringLiteral("tvwForm18_0_1")},
                                           {2, QStringLiteral("tvwForm18_0_2")},
                                           {3, QStringLiteral("tvwForm18_1")},
                                           {4, QStringLiteral("tvwForm18_2_1")},
                                           {5, QStringLiteral("tvwForm18_2_2")},
                                           {6, QStringLiteral("tvwForm18_3")},
                                           {7, QStringLiteral("tvwForm18_4")},
                                           {8, QStringLiteral("tvwForm18_5")},
                                           {9, QStringLiteral("tvwForm18_6")},
                                           {10, QStringLiteral("tvwForm18_7")},
                                           {11, QStringLiteral("tvwForm18_8")},
                                           {12, QStringLiteral("tvwForm18_9_1")},
                                           {13, QStringLiteral("tvwForm18_9_2")},
                                           {15, QStringLiteral("tvwForm19_0")},
                                           {16, QStringLiteral("tvwForm19_01")},
                                           {17, QStringLiteral("tvwForm19_1")},
                                           {20, QStringLiteral("tvwConsenttoChangeName")},
                                           {21, QStringLiteral("tvwAffidavitOfAdoptedPerson")},
                                           {22, QStringLiteral("tvwHEA2757")},
                                           {23, QStringLiteral("tvwForm18_0_3")},
                                           {24, QStringLiteral("tvwExpenseWorksheet")},
                                           {25, QStringLiteral("tvwForm19_2_1")},
                                           {26, QStringLiteral("tvwForm19_2_2")},
                                           {27, QStringLiteral("tvwForm19_3")}};
    const auto name = items.constFind(pageType);
    if (name == items.cend())
        return;
    if (QTreeWidgetItem *item = treeItem(*name)) {
        m_tree->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TfrmMain::ClearTreeSelection()
{
    m_tree->clearSelection();
}

void TfrmMain::UpdateCaption()
{
    setWindowTitle(QFileInfo(m_state.CurrentFileName).fileName());
}

void TfrmMain::ShowToolbar()
{
    m_pnlToolBar->setVisible(true);
}

void TfrmMain::PopupPageMenu(const QPoint &globalPos)
{
    m_popMain->popup(globalPos);
}

void TfrmMain::ControlEntered(QWidget *control)
{
    ScrollOnEnter(control);
}

void TfrmMain::OverrideRequested(QWidget *control)
{
    Q_UNUSED(control);
    OverrideClick();
}

// --- lookup ------------------------------------------------------------------

QAction *TfrmMain::action(const QString &name) const
{
    return m_actions.value(name);
}

QAbstractButton *TfrmMain::button(const QString &name) const
{
    return m_buttons.value(name);
}

QTreeWidgetItem *TfrmMain::treeItem(const QString &name) const
{
    return m_treeItems.value(name);
}

// --- overrides -----------------------------------------------------------------

void TfrmMain::OverrideClick()
{
    using namespace ControlKinds;
    QWidget *focused = focusWidget();
    const Kind kind = KindOf(focused);
    if (kind != Edit && kind != CheckBox)
        return;
    if (kind == Edit)
        m_page->ShowOverride(focused, !HasStyle(focused, EditOverridden));
    else
        m_page->ShowOverride(focused, !HasStyle(focused, CheckBoxOverridden));

    kelvox::TAnswer &store = *m_state.Answers;
    const int type = m_state.CurrentPageType;
    const int copy = m_state.CurrentCopy;
    const int index = PageScreen::AnswerIndexOf(focused);
    store.SetOvRide(type, copy, index, !store.OvRide(type, copy, index));

    m_page->CompleteCalc();
    m_state.CaseChanged = true;
    SetOverride(focused);
    UpdateMenuItems();
}

void TfrmMain::SetOverride(QWidget *control)
{
    using namespace ControlKinds;
    switch (KindOf(control)) {
    case Edit:
        if (HasStyle(control, EditOverrideable) || HasStyle(control, EditOverridden)) {
            const bool readOnly = qobject_cast<QLineEdit *>(control)->isReadOnly();
            showOverrideGroup(false, readOnly);
            showOverrideGroup(true, !readOnly);
        } else {
            showOverrideGroup(false, false);
            showOverrideGroup(true, false);
        }
        break;
    case CheckBox:
        showOverrideGroup(false, HasStyle(control, CheckBoxOverrideable));
        showOverrideGroup(true, HasStyle(control, CheckBoxOverridden));
        break;
    default: break;
    }
}

void TfrmMain::showOverrideGroup(bool cancelGroup, bool visible)
{
    struct Place {
        const char *name;
        int x;
        bool pulses;
    };
    static constexpr Place overrideGroup[] = {{"cbtnOverride", 543, true}, {"cbtnSmlOverride", 532, false}};
    static constexpr Place cancelGroupPlaces[] = {{"cbtnCancelOverride", 580, true},
                                                  {"cbtnSmlCancelOverride", 557, false}};
    for (const Place &place : cancelGroup ? cancelGroupPlaces : overrideGroup) {
        QAbstractButton *b = button(QLatin1String(place.name));
        if (!visible) {
            b->hide();
            if (QAbstractAnimation *pulse = m_pulses.value(b)) {
                pulse->stop();
                b->setProperty("iconOpacity", 1.0);
            }
            continue;
        }
        if (!b->isHidden())
            continue;
        b->show();
        QAbstractAnimation *&slide = m_slideIns[b];
        if (!slide) {
            auto *animation = new QPropertyAnimation(b, "pos", this);
            animation->setDuration(2000);
            animation->setStartValue(QPoint(1024, b->y()));
            animation->setEndValue(QPoint(place.x, b->y()));
            slide = animation;
        }
        slide->stop();
        slide->start();
        if (!place.pulses)
            continue;
        QAbstractAnimation *&pulse = m_pulses[b];
        if (!pulse) {
            auto *group = new QSequentialAnimationGroup(this);
            group->addPause(2000);
            auto *fade = new QPropertyAnimation(b, "iconOpacity", group);
            fade->setStartValue(0.0);
            fade->setEndValue(1.0);
            fade->setDuration(5000);
            fade->setLoopCount(-1);
            group->addAnimation(fade);
            pulse = group;
        }
        pulse->stop();
        pulse->start();
    }
}

void TfrmMain::ScrollOnEnter(QWidget *control)
{
    SetOverride(control);
    if (control && m_pnlMainForm->isAncestorOf(control)) {
        // Measured against the visible part of the page, so that a field just
        // above or below it is brought into view.
        QWidget *view = m_scrollBox->viewport();
        const int top = control->mapTo(view, QPoint(0, 0)).y();
        const int height = view->height();
        if (top > height || top < 0) {
            QScrollBar *vertical = m_scrollBox->verticalScrollBar();
            vertical->setValue(vertical->value() + top - height / 2);
            m_scrollBox->horizontalScrollBar()->setValue(0);
        }
    }
    UpdateMenuItems();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || watched != QApplication::focusWidget())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::ShortcutOverride) {
        // Edits claim Ctrl+E and Ctrl+U for line editing on this platform;
        // in this window they are the override commands.
        const QKeySequence pressed(key->keyCombination());
        for (const char *name : {"popOverride", "popCancelOverride"}) {
            if (action(QLatin1String(name))->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        return false;
    }
    QScrollBar *vertical = m_scrollBox->verticalScrollBar();
    const int half = m_scrollBox->viewport()->height() / 2;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A memo keeps Enter for its new lines.
        if (qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QTextEdit *>(widget))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        return true;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        vertical->setValue(vertical->value() + (key->key() == Qt::Key_PageUp ? -half : half));
        // The scroll area would page once more; a memo pages its own text.
        return !(qobject_cast<QPlainTextEdit *>(widget) || qobject_cast<QTextEdit *>(widget));
    default: return false;
    }
}

// --- multi-copy forms ------------------------------------------------------------

bool TfrmMain::PresentContinuationDlg(int tag, int &copy)
{
    try {
        TfrmMultiple dialog(m_state, tag, this);
        const int result = Prompter::instance().execDialog(dialog);
        copy = m_state.ChosenCopy;
        return result == QDialog::Accepted;
    } catch (const std::exception &) {
        kelvox::ErrorMessage(11453);
        return false;
    }
}

void TfrmMain::NewForm(int tag)
{
    try {
        const int n = MultiCopy::Counter(*m_state.Answers, tag);
        if (n >= MultiCopy::kMaxCopies) {
            kelvox::ErrorMessage(11860);
            return;
        }
        MultiCopy::SetCounter(*m_state.Answers, tag, n + 1);
        m_page->Calculate();
        m_page->ShowPage(tag * 100 + n);
        UpdateMenuItems();
    } catch (const std::exception &) {
        kelvox::ErrorMessage(11070, MultiCopy::FormName(tag));
    }
}

void TfrmMain::ContinuationDlg(int tag)
{
    try {
        const int n = MultiCopy::Counter(*m_state.Answers, tag);
        int copy = 0;
        if (n >= 2 && !PresentContinuationDlg(tag, copy))
            return;
        m_page->Calculate();
        m_page->ShowPage(tag * 100 + copy);
        UpdateMenuItems();
    } catch (const std::exception &) {
        kelvox::ErrorMessage(11063);
    }
}

void TfrmMain::DeleteForm(int tag)
{
    const std::string name = MultiCopy::FormName(tag);
    try {
        kelvox::TAnswer &store = *m_state.Answers;
        const int n = MultiCopy::Counter(store, tag);
        int removed = 0;
        if (n >= 2 && !PresentContinuationDlg(tag, removed))
            return;
        const auto answer = Prompter::instance().ask(
            this, QMessageBox::Warning, QStringLiteral("Kelvox"),
            QStringLiteral("Are You Sure You Want To Delete a %1 Page?").arg(QString::fromStdString(name)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;

        // The page on the screen may show a copy that is about to move: its
        // values go to the store first, and the page is shown again after.
        const std::vector<int> types = MultiCopy::PageTypes(tag);
        const bool showsForm = std::find(types.begin(), types.end(), m_state.CurrentPageType) != types.end();
        if (showsForm)
            m_page->Components2Answers(m_pnlMainForm);

        MultiCopy::RemoveCopy(store, tag, removed, n);
        if (n > 0)
            MultiCopy::SetCounter(store, tag, n - 1);
        m_page->Calculate();
        UpdateMenuItems();

        if (showsForm) {
            const int left = n - 1;
            m_page->ShowPage(left > 0 ? m_state.CurrentPageType * 100 + std::min(m_state.CurrentCopy, left - 1) : 0);
            UpdateMenuItems();
        }
    } catch (const std::exception &) {
        kelvox::ErrorMessage(11260, name);
    }
}
