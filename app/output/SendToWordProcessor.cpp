#include "output/SendToWordProcessor.h"

#include "answers/Answers.h"
#include "main/Desktop.h"
#include "main/Prompter.h"
#include "messages/Messages.h"
#include "output/PdfExport.h"
#include "output/PrtSend.h"
#include "output/RtfMerge.h"
#include "output/RtfOpener.h"
#include "output/WorkFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QUrl>

#include <algorithm>

namespace {

class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

QString SendToWordProcessor(QWidget *parent, kelvox::TAnswer &answers, const kelvox::TextMeasurer &measurer,
                            const PrintFolders &folders, bool wordFound, bool &forceWord,
                            const std::function<void()> &recalcAndRefresh, TfrmSelectedForms::Action start)
{
    using Action = TfrmSelectedForms::Action;
    const auto host = TfrmSelectedForms::ThisHost();
    const RtfOpener opener = host == TfrmSelectedForms::Host::Other ? RtfOpener::find() : RtfOpener{};
    kelvox::FormSelection ticked{};
    Action action = Action::Send;
    {
        TfrmSelectedForms dialog(wordFound, forceWord, host, opener.name, parent);
        dialog.setDefaultAction(start);
        if (Prompter::instance().execDialog(dialog) != QDialog::Accepted)
            return QString();
        forceWord = dialog.forceWord();
        ticked = dialog.selection();
        action = dialog.action();
    }
    if (recalcAndRefresh)
        recalcAndRefresh();
    if (std::none_of(ticked.begin(), ticked.end(), [](bool t) { return t; }))
        return QString();
    if (action != Action::Send && !OfficeFoundOrSaySo(parent))
        return QString();

    const QString workFile = AssembleWorkFile(answers, measurer, folders, ticked);
    const bool useWord = wordFound || forceWord;
    const auto send = [&] { LaunchWordProcessor(workFile, folders.settingsFolder, useWord, host, opener); };
    switch (action) {
    case Action::Send: send(); break;
    case Action::ExportPdf: ExportPdf(parent, workFile, folders.pdfSuggestion); break;
    case Action::Preview:
        PreviewForms(parent, workFile, send,
                     [&](QWidget *over) { return ExportPdf(over, workFile, folders.pdfSuggestion); });
        break;
    }
    return workFile;
}

QString AssembleWorkFile(kelvox::TAnswer &answers, const kelvox::TextMeasurer &measurer, const PrintFolders &folders,
                         const kelvox::FormSelection &ticked)
{
    WaitCursor busy;
    kelvox::RtfMerge merge(answers, measurer, folders.dataFolder.toStdString());
    kelvox::AssembleDocument(merge, ticked, answers, folders.templateFolder.toStdString());
    const std::string name = kelvox::PrepareWorkFileName(folders.settingsFolder.toStdString());
    kelvox::SaveWorkFile(name, merge.DocumentText());
    return QString::fromStdString(name);
}

void LaunchWordProcessor(const QString &workFile, const QString &settingsFolder, bool useWord,
                         TfrmSelectedForms::Host host, const RtfOpener &opener)
{
    // The shell's "open" ran in the settings folder with the bare name; an
    // absolute path is the same file without a working directory.
    const QString file = QDir(settingsFolder).absoluteFilePath(workFile);
    bool started = false;
    if (useWord)
        started = Desktop::instance().startProgram(QStringLiteral("WINWORD.EXE"), {file});
    else if (host == TfrmSelectedForms::Host::Windows)
        started = Desktop::instance().startProgram(QStringLiteral("WORDPAD.EXE"), {file});
    else if (opener.program.isEmpty())
        started = Desktop::instance().openUrl(QUrl::fromLocalFile(file));
    else
        started = Desktop::instance().startProgram(opener.program, opener.arguments(file));
    if (!started)
        kelvox::ErrorMessage(11550);
}
