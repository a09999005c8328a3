#pragma once

#include "messages/Messages.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmErrorDlg;
}

class TfrmErrorDlg final : public QDialog {
    Q_OBJECT
public:
    TfrmErrorDlg(std::uint16_t code, const QString &callerText, const kelvox::ComposedMessage &message,
                 QWidget *parent = nullptr);
    ~TfrmErrorDlg() override;

    int TheErrNo() const { return m_errNo; }
    QString TheErrStr() const { return m_errStr; }
    int AddedInstructCode() const { return m_errNo % 10; }
    int messageNumber() const { return m_errNo / 10; }

    QString firstText() const;
    QString secondText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TfrmErrorDlg> ui;
    int m_errNo;
    QString m_errStr;
};
