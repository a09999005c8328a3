#include "output/PdfExport.h"

#include "files/RecentFiles.h"
#include "main/Prompter.h"
#include "output/TfrmPrintPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>

namespace {
const QString kExportTitle = QStringLiteral("Export PDF");
} // namespace

bool OfficeFoundOrSaySo(QWidget *parent)
{
    if (!PdfConverter::FindOffice().isEmpty())
        return true;
    Prompter::instance().ask(parent, QMessageBox::Warning, kExportTitle, PdfConverter::NoOfficeText(), QMessageBox::Ok,
                             QMessageBox::Ok);
    return false;
}

PdfConverter::Result ConvertWithProgress(QWidget *parent, const QString &document, const QString &pdfPath)
{
    QProgressDialog progress(QStringLiteral("Making the PDF with LibreOffice..."), QStringLiteral("Cancel"), 0, 0,
                             parent);
    progress.setObjectName(QStringLiteral("dlgPdfProgress"));
    progress.setWindowTitle(kExportTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();

    PdfConverter converter;
    const PdfConverter::Result result = converter.Convert(document, pdfPath, [&progress] {
        QCoreApplication::processEvents();
        return progress.wasCanceled();
    });
    progress.hide();
    if (result == PdfConverter::Result::NoOffice || result == PdfConverter::Result::Failed)
        Prompter::instance().ask(parent, QMessageBox::Warning, kExportTitle, converter.ErrorText(), QMessageBox::Ok,
                                 QMessageBox::Ok);
    return result;
}

bool ExportPdf(QWidget *parent, const QString &workFile, const QString &suggestion)
{
    if (!OfficeFoundOrSaySo(parent))
        return false;
    QString chosen = Prompter::instance().saveFileName(parent, QStringLiteral("Export PDF"), suggestion,
                                                       QStringLiteral("PDF Files (*.pdf)"));
    if (chosen.isEmpty())
        return false;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".pdf");
    return ConvertWithProgress(parent, workFile, chosen) == PdfConverter::Result::Done;
}

void PreviewForms(QWidget *parent, const QString &workFile, const std::function<void()> &send,
                  const std::function<bool(QWidget *)> &exportPdf)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        Prompter::instance().ask(parent, QMessageBox::Warning, QStringLiteral("Print Preview"),
                                 QStringLiteral("No temporary folder for the preview: %1").arg(folder.errorString()),
                                 QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const QString pdf = folder.filePath(QStringLiteral("preview.pdf"));
    if (ConvertWithProgress(parent, workFile, pdf) != PdfConverter::Result::Done)
        return;

    TfrmPrintPreview preview(pdf, parent);
    QObject::connect(&preview, &TfrmPrintPreview::sendRequested, &preview, [&] {
        send();
        preview.accept();
    });
    QObject::connect(&preview, &TfrmPrintPreview::exportRequested, &preview, [&] {
        if (exportPdf(&preview))
            preview.accept();
    });
    Prompter::instance().execDialog(preview);
}

QString PdfSuggestion(const QString &caseFile, const QString &clientFileFolder, const std::string &caseName)
{
    if (!kelvox::IsUntitled(caseFile.toStdString())) {
        const QFileInfo file(caseFile);
        return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
    }
    QString base = QFileInfo(QString::fromStdString(kelvox::SuggestedClientFileName(caseName))).completeBaseName();
    if (base.trimmed().isEmpty())
        base = QStringLiteral("Untitled");
    return QDir(clientFileFolder).filePath(base + QStringLiteral(".pdf"));
}
