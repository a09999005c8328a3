#include "output/PdfConverter.h"

#include "files/FileError.h"
#include "files/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <unistd.h>
#endif

namespace {
constexpr int kTimeoutMs = 180000;
constexpr int kPollMs = 100;

// LibreOffice's start script hands over to helpers of its own, so the whole
// process group is stopped, not only the program started.
void Stop(QProcess &process)
{
#if defined(Q_OS_UNIX)
    if (process.processId() > 0)
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
#endif
    process.kill();
    process.waitForFinished();
}
} // namespace

QString PdfConverter::FindOffice()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString PdfConverter::NoOfficeText()
{
    return QStringLiteral("LibreOffice is not installed, and a PDF cannot be made without it. "
                          "Install LibreOffice Writer (on Debian or Ubuntu: sudo apt install "
                          "libreoffice-writer) and try again.");
}

PdfConverter::Result PdfConverter::Convert(const QString &documentPath, const QString &pdfPath,
                                           const std::function<bool()> &cancelled)
{
    m_error.clear();
    const QString office = FindOffice();
    if (office.isEmpty()) {
        m_error = NoOfficeText();
        return Result::NoOffice;
    }
    if (!QFileInfo(documentPath).isFile()) {
        m_error = QStringLiteral("The document %1 does not exist.").arg(documentPath);
        return Result::Failed;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        m_error = QStringLiteral("No temporary folder for the conversion: %1").arg(work.errorString());
        return Result::Failed;
    }
    QFile::setPermissions(work.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString outDir = work.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
#if defined(Q_OS_UNIX)
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process.start(office, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                           QStringLiteral("-env:UserInstallation=") +
                               QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                           QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir,
                           QFileInfo(documentPath).absoluteFilePath()});
    if (!process.waitForStarted()) {
        m_error = QStringLiteral("LibreOffice (%1) could not be started: %2").arg(office, process.errorString());
        return Result::Failed;
    }
    for (int waited = 0; !process.waitForFinished(kPollMs); waited += kPollMs) {
        if (process.state() == QProcess::NotRunning)
            break;
        if ((cancelled && cancelled()) || waited >= kTimeoutMs) {
            Stop(process);
            if (waited >= kTimeoutMs) {
                m_error =
                    QStringLiteral("LibreOffice did not finish the PDF within %1 seconds.").arg(kTimeoutMs / 1000);
                return Result::Failed;
            }
            return Result::Cancelled;
        }
    }
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();

    // LibreOffice reports success even when it could not read the document.
    QFile pdf(QDir(outDir).filePath(QFileInfo(documentPath).completeBaseName() + QStringLiteral(".pdf")));
    QByteArray bytes;
    if (pdf.open(QIODevice::ReadOnly))
        bytes = pdf.readAll();
    if (!bytes.startsWith("%PDF")) {
        m_error = QStringLiteral("LibreOffice did not make a PDF of %1.").arg(documentPath);
        if (!output.isEmpty())
            m_error += QStringLiteral("\n") + output;
        return Result::Failed;
    }
    try {
        kelvox::ReplaceFile(pdfPath.toStdString(),
                            [&](std::ostream &out) { out.write(bytes.constData(), bytes.size()); });
    } catch (const kelvox::FileError &e) {
        m_error = QString::fromStdString(e.what());
        return Result::Failed;
    }
    return Result::Done;
}
