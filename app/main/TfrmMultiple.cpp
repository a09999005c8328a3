#include "main/TfrmMultiple.h"

#include "main/MainState.h"
#include "main/MultiCopy.h"

#include "ui_TfrmMultiple.h"

#include <QGuiApplication>
#include <QScreen>

TfrmMultiple::TfrmMultiple(MainState &state, int tag, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TfrmMultiple>()), m_state(state)
{
    m_ui->setupUi(this);
    setFixedSize(299, 192);
    m_state.ChosenCopy = -1;
    TheTag = tag;
    MaxForms = MultiCopy::Counter(*m_state.Answers, tag) - 1;
    QFont font = m_ui->Label1->font();
    font.setPixelSize(14);
    m_ui->Label1->setFont(font);
    m_ui->Label1->setText(Question(tag));

    for (int i = 0; i <= MaxForms; ++i) {
        if (tag == 12) {
            m_ui->cmbPage->addItem(QStringLiteral("Page %1").arg(i + 1));
            continue;
        }
        const int pageType = tag == 5 ? 4 : tag;
        const std::string &name = m_state.Answers->Get(pageType, i, 4);
        m_ui->cmbPage->addItem(name.empty() ? QStringLiteral("Extra Blank") : QString::fromStdString(name));
    }
    m_ui->cmbPage->setCurrentIndex(0);

    connect(m_ui->cbtnOk, &QPushButton::clicked, this, &TfrmMultiple::accept);
    connect(m_ui->cbtnCancel, &QPushButton::clicked, this, &TfrmMultiple::reject);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

TfrmMultiple::~TfrmMultiple() = default;

void TfrmMultiple::accept()
{
    m_state.ChosenCopy = m_ui->cmbPage->currentIndex();
    QDialog::accept();
}

QString TfrmMultiple::Question(int tag)
{
    const QString form = tag == 4 || tag == 5 ? QStringLiteral("Form 18.2")
                         : tag == 6           ? QStringLiteral("Form 18.3")
                         : tag == 7           ? QStringLiteral("Form 18.4")
                                              : QStringLiteral("Form 18.9");
    return QStringLiteral("There is more than one page of %1. Please make your selection in the drop-down box below")
        .arg(form);
}
