#include "files/TfrmWindowScale.h"

#include "ui_TfrmWindowScale.h"

#include "files/PageZoom.h"

#include <cmath>

namespace {
// The slider moves in whole steps; each is a hundredth of the zoom factor.
constexpr int kStepsPerUnit = 100;
} // namespace

TfrmWindowScale::TfrmWindowScale(double zoomFactor, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TfrmWindowScale>())
{
    m_ui->setupUi(this);
    m_ui->trkScale->setRange(static_cast<int>(kelvox::kZoomMinimum * kStepsPerUnit),
                             static_cast<int>(kelvox::kZoomMaximum * kStepsPerUnit));
    m_ui->trkScale->setTickInterval(25);
    m_ui->trkScale->setPageStep(10);
    connect(m_ui->trkScale, &QSlider::valueChanged, this, &TfrmWindowScale::showValue);
    connect(m_ui->cbtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setValue(zoomFactor);
    showValue();
}

TfrmWindowScale::~TfrmWindowScale() = default;

double TfrmWindowScale::value() const
{
    return static_cast<double>(m_ui->trkScale->value()) / kStepsPerUnit;
}

void TfrmWindowScale::setValue(double zoom)
{
    m_ui->trkScale->setValue(static_cast<int>(std::lround(zoom * kStepsPerUnit)));
}

QSlider *TfrmWindowScale::trackBar() const
{
    return m_ui->trkScale;
}

QString TfrmWindowScale::valueLabel() const
{
    return m_ui->lblValue->text();
}

void TfrmWindowScale::showValue()
{
    m_ui->lblValue->setText(QString::fromStdString(kelvox::ZoomLabel(value())));
}
