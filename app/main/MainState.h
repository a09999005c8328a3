#pragma once

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "main/CaseChangedFlag.h"

#include <QString>
#include <QStringList>

#include <memory>

// The state of the open case that every part of the main window shares. The
// main window owns the one instance.
struct MainState final {
    std::unique_ptr<kelvox::TAnswer> Answers = std::make_unique<kelvox::TAnswer>();
    kelvox::WSchedList WSchedList;

    int CurrentPageType = -1;
    int CurrentCopy = -1;
    CaseChangedFlag CaseChanged;
    QString CurrentFileName = QStringLiteral("Untitled.kvx");

    QString SettingsFolder;
    QString ProgramFolder;
    QString ClientFileFolder;
    QString RtfWorkFolder;
    QString TemplateFolder;
    QString PtfFolder;
    QString DataFolder;
    QString ScreenFolder;
    QString WordProcessorName = QStringLiteral("WINWORD.EXE");

    bool WordFound = false;
    bool ForceWord = false;
    double ZoomFactor = 1.0;

    // Set only while a field-exit pass runs, against its own re-entry.
    bool InCalcOnExit = false;
    // The copy picked in the multiple page dialog; -1 while none is.
    int ChosenCopy = -1;

    QStringList RecentFiles;
    QStringList DocumentWorkList;
};
