#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"

#include <QString>

#include <memory>

class TfrmMain;
struct MainState;

// The file commands of the main window: New (and Close), Open, Save, Save As
// and Re-open, the recent-file menu and the Default File Locations choosers.
// Failures that the commands leave to the general error report propagate as
// exceptions to the application's wrapper.
class FileCommands final {
public:
    explicit FileCommands(TfrmMain &window);

    void New();
    void Open();
    // True when the case was written.
    bool Save();
    bool SaveAs();
    void Reopen(int tag);
    // Makes a case read from the recovery file the open case, under the name
    // of its own file and marked changed.
    void Restore(std::unique_ptr<kelvox::TAnswer> store, kelvox::WSchedList rows, const QString &casePath);
    void ChooseDefaultLocation(int tag);
    void RefreshRecentMenu();

private:
    enum class NewStep { Whole, UpToFirstPage };
    // False when the command that asked is to end: Cancel, or a Yes whose
    // save did not happen.
    bool askToSave(bool commitPage);
    // False when default.kvx could not be read (message 1134 shown).
    bool newCase(NewStep steps);
    void replaceStore();
    void showFirstPage();
    // After a read that failed part-way, the page on the screen still shows
    // the previous case; it must never be written into the new store.
    void dropStalePage();
    void setFileName(const QString &path);
    void insertRecentFile(const QString &path, bool refresh);

    TfrmMain &m_window;
    MainState &m_state;
};
