#pragma once

#include <QDialog>

#include <memory>

class QPdfDocument;

namespace Ui {
class TfrmPrintPreview;
}

// The pages of a PDF, one at a time, with page navigation and zoom.
class TfrmPrintPreview final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintPreview(const QString &pdfPath, QWidget *parent = nullptr);
    ~TfrmPrintPreview() override;

    int pageCount() const;
    // From 0.
    int currentPage() const { return m_page; }
    void goToPage(int page);
    // The zoom the page is shown at, also in the fitting modes.
    double shownZoom() const;

Q_SIGNALS:
    void sendRequested();
    void exportRequested();

private:
    void zoomBy(double factor);
    void updateControls();

    std::unique_ptr<Ui::TfrmPrintPreview> ui;
    QPdfDocument *m_document;
    int m_page = 0;
};
