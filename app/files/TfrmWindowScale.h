#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmWindowScale;
}

class QSlider;

// The zoom dialog: a track bar from 0 to 2 and its value in per cent.
class TfrmWindowScale final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWindowScale(double zoomFactor, QWidget *parent = nullptr);
    ~TfrmWindowScale() override;

    double value() const;
    void setValue(double zoom);
    QSlider *trackBar() const;
    QString valueLabel() const;

private:
    void showValue();

    std::unique_ptr<Ui::TfrmWindowScale> m_ui;
};
