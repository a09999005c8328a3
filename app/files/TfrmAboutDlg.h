#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmAboutDlg;
}

// The about box: the product's full name, its picture, and the version in
// the caption.
class TfrmAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAboutDlg(QWidget *parent = nullptr);
    ~TfrmAboutDlg() override;

    static QString Caption();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TfrmAboutDlg> m_ui;
};
