#include "messages/TfrmErrorDlg.h"

#include "ui_TfrmErrorDlg.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TfrmErrorDlg::TfrmErrorDlg(std::uint16_t code, const QString &callerText, const kelvox::ComposedMessage &message,
                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), ui(new Ui::TfrmErrorDlg),
      m_errNo(code), m_errStr(callerText)
{
    ui->setupUi(this);
    setFixedSize(537, 336);
    ui->MessageLbl->setText(QString::fromStdString(message.First));
    ui->MessageLbl2->setText(QString::fromStdString(message.Second));
    connect(ui->cbtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmErrorDlg::~TfrmErrorDlg() = default;

QString TfrmErrorDlg::firstText() const { return ui->MessageLbl->text(); }
QString TfrmErrorDlg::secondText() const { return ui->MessageLbl2->text(); }

void TfrmErrorDlg::keyPressEvent(QKeyEvent *event)
{
    // The dialog closes through its Ok button only.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TfrmErrorDlg::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
