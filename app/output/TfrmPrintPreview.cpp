#include "output/TfrmPrintPreview.h"

#include "ui_TfrmPrintPreview.h"

#include <QPdfDocument>
#include <QPdfPageNavigator>

#include <algorithm>

namespace {
constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
} // namespace

TfrmPrintPreview::TfrmPrintPreview(const QString &pdfPath, QWidget *parent)
    : QDialog(parent), ui(new Ui::TfrmPrintPreview), m_document(new QPdfDocument(this))
{
    ui->setupUi(this);
    m_document->load(pdfPath);
    ui->pdfView->setDocument(m_document);
    ui->pdfView->setPageMode(QPdfView::PageMode::SinglePage);
    ui->pdfView->setZoomMode(QPdfView::ZoomMode::FitInView);

    connect(ui->btnFirst, &QPushButton::clicked, this, [this] { goToPage(0); });
    connect(ui->btnPrior, &QPushButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(ui->btnNext, &QPushButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(ui->btnLast, &QPushButton::clicked, this, [this] { goToPage(pageCount() - 1); });
    connect(ui->btnZoomIn, &QPushButton::clicked, this, [this] { zoomBy(kZoomStep); });
    connect(ui->btnZoomOut, &QPushButton::clicked, this, [this] { zoomBy(1 / kZoomStep); });
    connect(ui->btnFitWidth, &QPushButton::clicked, this,
            [this] { ui->pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    connect(ui->btnSend, &QPushButton::clicked, this, &TfrmPrintPreview::sendRequested);
    connect(ui->btnExportPdf, &QPushButton::clicked, this, &TfrmPrintPreview::exportRequested);
    connect(ui->btnClose, &QPushButton::clicked, this, &TfrmPrintPreview::reject);
    goToPage(0);
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

int TfrmPrintPreview::pageCount() const
{
    return m_document->pageCount();
}

void TfrmPrintPreview::goToPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, pageCount() - 1));
    ui->pdfView->pageNavigator()->jump(m_page, QPointF(), ui->pdfView->zoomFactor());
    updateControls();
}

double TfrmPrintPreview::shownZoom() const
{
    const QPdfView *view = ui->pdfView;
    if (view->zoomMode() == QPdfView::ZoomMode::Custom || pageCount() == 0)
        return view->zoomFactor();
    // The fitting modes keep their factor to themselves.
    const QSizeF points = m_document->pagePointSize(m_page);
    const QMargins margins = view->documentMargins();
    const double pixelsPerPoint = view->logicalDpiX() / 72.0;
    const double width =
        (view->viewport()->width() - margins.left() - margins.right()) / (points.width() * pixelsPerPoint);
    if (view->zoomMode() == QPdfView::ZoomMode::FitToWidth)
        return width;
    const double height =
        (view->viewport()->height() - margins.top() - margins.bottom()) / (points.height() * pixelsPerPoint);
    return std::min(width, height);
}

void TfrmPrintPreview::zoomBy(double factor)
{
    const double zoom = std::clamp(shownZoom() * factor, kMinZoom, kMaxZoom);
    ui->pdfView->setZoomMode(QPdfView::ZoomMode::Custom);
    ui->pdfView->setZoomFactor(zoom);
}

void TfrmPrintPreview::updateControls()
{
    const int count = pageCount();
    ui->lblPage->setText(QStringLiteral("Page %1 of %2").arg(count == 0 ? 0 : m_page + 1).arg(count));
    ui->btnFirst->setEnabled(m_page > 0);
    ui->btnPrior->setEnabled(m_page > 0);
    ui->btnNext->setEnabled(m_page + 1 < count);
    ui->btnLast->setEnabled(m_page + 1 < count);
}
