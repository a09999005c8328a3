#pragma once

#include "output/PdfConverter.h"

#include <QString>

#include <functional>
#include <string>

class QWidget;

// True when LibreOffice is on the PATH; otherwise the user is told what to
// install.
bool OfficeFoundOrSaySo(QWidget *parent);

// Converts `document` to `pdfPath` behind a progress dialog whose Cancel stops
// LibreOffice. A failure is shown to the user; a cancel is not.
PdfConverter::Result ConvertWithProgress(QWidget *parent, const QString &document, const QString &pdfPath);

// Asks for the PDF's name, starting from `suggestion`, and writes it from the
// work file. True when the PDF was written.
bool ExportPdf(QWidget *parent, const QString &workFile, const QString &suggestion);

// Shows the work file's pages in the preview window. Its buttons call `send`
// and `exportPdf` (given the preview as parent; true when a PDF was written);
// either closes the preview once it has done its work.
void PreviewForms(QWidget *parent, const QString &workFile, const std::function<void()> &send,
                  const std::function<bool(QWidget *)> &exportPdf);

// The export chooser's start: the case file's name with ".pdf", or for an
// untitled case the typed case name in the client file folder.
QString PdfSuggestion(const QString &caseFile, const QString &clientFileFolder, const std::string &caseName);
