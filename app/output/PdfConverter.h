#pragma once

#include <QString>

#include <functional>

// Converts a document to PDF through LibreOffice in headless mode, with a
// profile of its own for every run. Needs only Qt Core, so kelvoxctl uses it
// as the window does.
class PdfConverter final {
public:
    enum class Result { Done, NoOffice, Failed, Cancelled };

    // The LibreOffice program on the PATH ("soffice", else "libreoffice"),
    // or an empty text.
    static QString FindOffice();

    // Writes `pdfPath` (owner-only, replacing it only on success). `cancelled`
    // is asked now and then while LibreOffice runs; true stops it.
    Result Convert(const QString &documentPath, const QString &pdfPath, const std::function<bool()> &cancelled = {});

    // Why the last conversion did not give a PDF, for the user.
    QString ErrorText() const { return m_error; }

    static QString NoOfficeText();

private:
    QString m_error;
};
