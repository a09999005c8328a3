#include "output/SendToWordProcessor.h"

#include "answers/Answers.h"
#include "main/Desktop.h"
#include "main/Prompter.h"
#include "messages/Messages.h"
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
                            const std::function<void()> &recalcAndRefresh)
{
    const auto host = TfrmSelectedForms::ThisHost();
    const RtfOpener opener = host == TfrmSelectedForms::Host::Other ? RtfOpener::find() : RtfOpener{};
    kelvox::FormSelection ticked{};
    {
        TfrmSelectedForms dialog(wordFound, forceWord, host, opener.name, parent);
        if (Prompter::instance().execDialog(dialog) != QDialog::Accepted)
            return QString();
        forceWord = dialog.forceWord();
        ticked = dialog.selection();
    }
    if (recalcAndRefresh)
        recalcAndRefresh();
    if (std::none_of(ticked.begin(), ticked.end(), [](bool t) { return t; }))
        return QString();

    QString workFile;
    {
        WaitCursor busy;
        kelvox::RtfMerge merge(answers, measurer, folders.dataFolder.toStdString());
        kelvox::AssembleDocument(merge, ticked, answers, folders.templateFolder.toStdString());
        const std::string name = kelvox::PrepareWorkFileName(folders.settingsFolder.toStdString());
        kelvox::SaveWorkFile(name, merge.DocumentText());
        workFile = QString::fromStdString(name);
    }
    LaunchWordProcessor(workFile, folders.settingsFolder, wordFound || forceWord, host, opener);
    return workFile;
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
