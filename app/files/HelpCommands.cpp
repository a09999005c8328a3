#include "files/HelpCommands.h"

#include "files/TfrmAboutDlg.h"
#include "main/Desktop.h"
#include "main/Prompter.h"
#include "misc/Misc.h"
#include "output/LaunchResults.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString InProgramFolder(const QString &programFolder, const char *relative)
{
    return QString::fromStdString(kelvox::AddPathSeparator(programFolder.toStdString())) + QLatin1String(relative);
}

} // namespace

void HelpCommands::TableOfContents(const QString &programFolder) const
{
    Desktop::instance().openUrl(QUrl::fromLocalFile(InProgramFolder(programFolder, "help/kelvox/default.htm")));
}

void HelpCommands::Tutorial(const QString &programFolder) const
{
    Desktop::instance().openUrl(
        QUrl::fromLocalFile(InProgramFolder(programFolder, "help/kelvox/tutorial/tutorial.htm")));
}

int HelpCommands::OpenDocument(const QString &path)
{
    const QFileInfo file(path);
    if (!file.absoluteDir().exists())
        return kelvox::kLaunchPathNotFound;
    if (!file.exists() || file.isDir())
        return kelvox::kLaunchFileNotFound;
    if (!file.isReadable())
        return kelvox::kLaunchAccessDenied;
    if (!Desktop::instance().openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        return kelvox::kLaunchNoAssociation;
    return kelvox::kLaunchSucceeded;
}

void HelpCommands::Manual(const QString &programFolder) const
{
    const int result = OpenDocument(InProgramFolder(programFolder, "kelvox.pdf"));
    const QString text = QString::fromStdString(kelvox::LaunchFailureText(result));
    if (result > 32 || text.isEmpty())
        return;
    Prompter::instance().ask(m_parent, QMessageBox::Warning, QStringLiteral("Warning"), text,
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

void HelpCommands::About() const
{
    TfrmAboutDlg dialog(m_parent);
    Prompter::instance().execDialog(dialog);
}
