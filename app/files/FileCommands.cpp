#include "files/FileCommands.h"

#include "files/Autosave.h"
#include "files/ClientFile.h"
#include "files/RecentFiles.h"
#include "main/KelvoxApplication.h"
#include "main/MainState.h"
#include "main/Prompter.h"
#include "main/TfrmMain.h"
#include "messages/Messages.h"
#include "misc/Misc.h"
#include "screens/PageScreen.h"

#include <QAction>
#include <QApplication>

#include <new>

namespace {

std::string ToStd(const QString &text)
{
    return text.toStdString();
}
QString ToQ(const std::string &text)
{
    return QString::fromStdString(text);
}

QString WithSeparator(const QString &folder)
{
    return ToQ(kelvox::AddPathSeparator(ToStd(folder)));
}

const QString kFilter = QStringLiteral("Kelvox Files (*.kvx)");

class BusyCursor final {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

std::vector<std::string> ToStd(const QStringList &list)
{
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(list.size()));
    for (const QString &entry : list)
        out.push_back(ToStd(entry));
    return out;
}

QStringList ToQ(const std::vector<std::string> &list)
{
    QStringList out;
    for (const std::string &entry : list)
        out.append(ToQ(entry));
    return out;
}

} // namespace

FileCommands::FileCommands(TfrmMain &window) : m_window(window), m_state(window.state()) {}

bool FileCommands::askToSave(bool commitPage)
{
    if (!m_state.CaseChanged)
        return true;
    const QMessageBox::StandardButton answer = Prompter::instance().ask(
        &m_window, QMessageBox::Warning, QStringLiteral("Kelvox"), QStringLiteral("Do You Want To Save Your Changes"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer != QMessageBox::Yes)
        return true;
    if (commitPage && m_state.CurrentPageType != -1)
        m_window.page().Components2Answers(m_window.pagePanel());
    // A Yes whose save dialog was cancelled must not drop the changes.
    return Save();
}

void FileCommands::replaceStore()
{
    m_state.Answers.reset();
    m_state.Answers = std::make_unique<kelvox::TAnswer>();
}

bool FileCommands::newCase(NewStep steps)
{
    m_window.autosave().Discard();
    m_state.WSchedList.Rows.resize(1);
    replaceStore();
    const std::string defaultCase = kelvox::AddPathSeparator(ToStd(m_state.ClientFileFolder)) + "default.kvx";
    bool read = false;
    try {
        read = kelvox::OpenFile(defaultCase, *m_state.Answers, m_state.WSchedList);
    } catch (...) {
        dropStalePage();
        throw;
    }
    if (!read) {
        dropStalePage();
        // The store now holds a new case, so a later save must not replace
        // the file of the previous one.
        setFileName(QLatin1String(kelvox::kUntitledFileName));
        kelvox::ErrorMessage(11340);
        return false;
    }
    setFileName(QLatin1String(kelvox::kUntitledFileName));
    m_state.CaseChanged = false;
    if (steps == NewStep::UpToFirstPage)
        return true;
    m_window.page().RecalcAndRefresh(false);
    showFirstPage();
    return true;
}

void FileCommands::New()
{
    m_window.deliverTab();
    if (!askToSave(true))
        return;
    newCase(NewStep::Whole);
}

void FileCommands::Open()
{
    m_window.deliverTab();
    if (!askToSave(true))
        return;
    const QString chosen = Prompter::instance().openFileName(&m_window, QStringLiteral("Open File Dialog"),
                                                             WithSeparator(m_state.ClientFileFolder), kFilter);
    if (chosen.isEmpty())
        return;
    m_state.CaseChanged = false;
    if (!newCase(NewStep::UpToFirstPage))
        return;
    setFileName(chosen);
    bool read = false;
    try {
        read = kelvox::OpenFile(ToStd(chosen), *m_state.Answers, m_state.WSchedList);
    } catch (...) {
        dropStalePage();
        throw;
    }
    if (!read) {
        newCase(NewStep::Whole);
        return;
    }
    insertRecentFile(chosen, false);
    RefreshRecentMenu();
    showFirstPage();
    m_window.page().RecalcAndRefresh(false);
}

bool FileCommands::Save()
{
    m_window.deliverTab();
    if (m_state.CurrentPageType != -1)
        m_window.page().Components2Answers(m_window.pagePanel());
    if (kelvox::IsUntitled(ToStd(m_state.CurrentFileName)))
        return SaveAs();
    {
        const BusyCursor busy;
        m_window.CopyOpenWorksheet();
        kelvox::SaveFile(ToStd(m_state.CurrentFileName), *m_state.Answers, m_state.WSchedList);
    }
    m_state.CaseChanged = false;
    m_window.autosave().Discard();
    m_window.UpdateMenuItems();
    return true;
}

bool FileCommands::SaveAs()
{
    m_window.deliverTab();
    QString suggestion = m_state.CurrentFileName;
    if (kelvox::IsUntitled(ToStd(suggestion))) {
        const std::string caseName = m_state.Answers->Get(1, 0, 11);
        suggestion = WithSeparator(m_state.ClientFileFolder) + ToQ(kelvox::SuggestedClientFileName(caseName));
    }
    const QString chosen =
        Prompter::instance().saveFileName(&m_window, QStringLiteral("File|Save As Dialog"), suggestion, kFilter);
    bool saved = false;
    if (!chosen.isEmpty()) {
        bool repaired = false;
        const QString name = ToQ(kelvox::RepairClientFileExtension(ToStd(chosen), repaired));
        if (repaired)
            kelvox::ErrorMessage(11010);
        insertRecentFile(name, true);
        setFileName(name);
        saved = Save();
    }
    // A cancelled dialog leaves the case changed, so its edits are not lost
    // without a question.
    m_window.UpdateMenuItems();
    return saved;
}

void FileCommands::Reopen(int tag)
{
    if (tag < 0 || tag >= m_state.RecentFiles.size())
        return;
    if (!askToSave(true))
        return;
    const BusyCursor busy;
    m_window.autosave().Discard();
    setFileName(m_state.RecentFiles.at(tag));
    try {
        replaceStore();
    } catch (const std::bad_alloc &) {
        m_state.Answers.reset();
        dropStalePage();
        kelvox::ErrorMessage(11533);
        return;
    }
    bool read = false;
    try {
        read = kelvox::OpenFile(ToStd(m_state.CurrentFileName), *m_state.Answers, m_state.WSchedList);
    } catch (...) {
        dropStalePage();
        throw;
    }
    if (!read) {
        dropStalePage();
        kelvox::ErrorMessage(1154);
        return;
    }
    m_state.CaseChanged = false;
    showFirstPage();
}

void FileCommands::Restore(std::unique_ptr<kelvox::TAnswer> store, kelvox::WSchedList rows, const QString &casePath)
{
    dropStalePage();
    m_state.Answers = std::move(store);
    m_state.WSchedList = std::move(rows);
    setFileName(casePath);
    m_state.CaseChanged.restore(true);
    showFirstPage();
    m_window.page().RecalcAndRefresh(false);
}

void FileCommands::ChooseDefaultLocation(int tag)
{
    QString &folder = tag == 0 ? m_state.ClientFileFolder : m_state.RtfWorkFolder;
    const QString title = tag == 0 ? QStringLiteral("Select client file folder (kvx)")
                                   : QStringLiteral("Select temporary send to word processor folder (RTF)");
    const QString chosen = Prompter::instance().existingFolder(&m_window, title, folder);
    if (!chosen.isEmpty())
        folder = chosen;
}

void FileCommands::RefreshRecentMenu()
{
    std::vector<std::string> recent = ToStd(m_state.RecentFiles);
    const std::vector<std::string> captions = kelvox::RefreshRecentFiles(recent);
    m_state.RecentFiles = ToQ(recent);
    m_window.action(QStringLiteral("HX_Line"))->setVisible(!captions.empty());
    m_window.action(QStringLiteral("mnuExitLine"))->setVisible(true);
    for (int i = 0; i < static_cast<int>(kelvox::kRecentFilesShown); ++i) {
        QAction *item = m_window.action(QStringLiteral("HX%1").arg(i));
        const bool shown = i < static_cast<int>(captions.size());
        if (shown)
            item->setText(ToQ(captions[static_cast<std::size_t>(i)]));
        item->setVisible(shown);
        m_window.action(QStringLiteral("mnuOpenRecent%1").arg(i))->setVisible(false);
    }
}

void FileCommands::showFirstPage()
{
    m_state.CurrentPageType = -1;
    m_state.CurrentCopy = -1;
    m_window.RequestPage(0);
}

void FileCommands::dropStalePage()
{
    m_window.page().ClearPage();
    m_state.CurrentPageType = -1;
    m_state.CurrentCopy = -1;
    m_window.UpdateMenuItems();
}

void FileCommands::setFileName(const QString &path)
{
    m_state.CurrentFileName = path;
    m_window.UpdateCaption();
}

void FileCommands::insertRecentFile(const QString &path, bool refresh)
{
    std::vector<std::string> recent = ToStd(m_state.RecentFiles);
    if (!kelvox::InsertRecentFile(recent, ToStd(path)))
        return;
    m_state.RecentFiles = ToQ(recent);
    if (refresh)
        RefreshRecentMenu();
}
