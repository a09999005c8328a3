#include "files/TfrmAboutDlg.h"

#include "ui_TfrmAboutDlg.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

namespace {
constexpr double kProgramVersion = 4.12;
} // namespace

TfrmAboutDlg::TfrmAboutDlg(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::TfrmAboutDlg>())
{
    Q_INIT_RESOURCE(files);
    m_ui->setupUi(this);
    QFont name = m_ui->lblProductName->font();
    name.setBold(true);
    name.setPointSize(36);
    m_ui->lblProductName->setFont(name);
    m_ui->imgProduct->setPixmap(QIcon(QStringLiteral(":/files/product.svg")).pixmap(200, 200));
    m_ui->lblNotice->setTextFormat(Qt::RichText);
    setWindowTitle(Caption());
    setFixedSize(500, 400);
    connect(m_ui->cbtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmAboutDlg::~TfrmAboutDlg() = default;

QString TfrmAboutDlg::Caption()
{
    return (QStringLiteral("Kelvox Version ") + QString::number(kProgramVersion, 'f', 2)).trimmed();
}

void TfrmAboutDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
