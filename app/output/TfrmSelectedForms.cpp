#include "output/TfrmSelectedForms.h"

#include "ui_TfrmSelectedForms.h"

#include <QAction>

TfrmSelectedForms::TfrmSelectedForms(bool wordFound, bool forceWord, Host host, const QString &otherProgram,
                                     QWidget *parent)
    : QDialog(parent), ui(new Ui::TfrmSelectedForms)
{
    ui->setupUi(this);
    ui->tabForms->setCurrentWidget(ui->tabMinors);

    auto *checkAll = new QAction(QStringLiteral("Test - Check All"), this);
    checkAll->setObjectName(QStringLiteral("mnuCheckAll"));
    checkAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    ui->tabForms->addAction(checkAll);
    connect(checkAll, &QAction::triggered, this, &TfrmSelectedForms::CheckAll);
    const auto confirmWith = [this](Action action) {
        return [this, action] {
            m_action = action;
            accept();
        };
    };
    connect(ui->cbtnOk, &QPushButton::clicked, this, confirmWith(Action::Send));
    connect(ui->cbtnExportPdf, &QPushButton::clicked, this, confirmWith(Action::ExportPdf));
    connect(ui->cbtnPreview, &QPushButton::clicked, this, confirmWith(Action::Preview));
    connect(ui->cbtnClose, &QPushButton::clicked, this, &TfrmSelectedForms::reject);

    if (wordFound || forceWord) {
        setWindowTitle(QStringLiteral("Preview and Print"));
        ui->cbtnOk->setText(QStringLiteral("Preview/Print"));
        if (wordFound) {
            ui->lblImportantNote->hide();
            ui->lblNote->hide();
            ui->cbxForceWord->hide();
        } else {
            ui->lblNote->setText(QStringLiteral("Previewing is done via MS Word. You must own MS Word to use this "
                                                "command. See the Send help topic for more info."));
            ui->cbxForceWord->setChecked(true);
        }
        return;
    }
    setWindowTitle(QStringLiteral("Preview Selected Forms"));
    switch (host) {
    case Host::Windows:
        ui->lblNote->setText(QStringLiteral("Printing and previewing are done via WordPad. Set WordPad's margins "
                                            "the first time you print: Top, Left, Right=0.5\"; Bottom=0.25\". You "
                                            "only need to set WordPad's margins once. "));
        break;
    case Host::Mac:
        ui->lblNote->setText(QStringLiteral("Printing and previewing are done via TextEdit. If you use TextEdit, you "
                                            "must make sure the Format|Wrap command is set to Wrap to Page. "));
        break;
    case Host::Other:
        ui->lblNote->setText(QStringLiteral("Printing and previewing are done via %1, which opens the forms with "
                                            "their own margins. ")
                                 .arg(otherProgram));
        break;
    }
    ui->cbxForceWord->setChecked(false);
}

TfrmSelectedForms::~TfrmSelectedForms() = default;

TfrmSelectedForms::Host TfrmSelectedForms::ThisHost()
{
#if defined(Q_OS_WIN)
    return Host::Windows;
#elif defined(Q_OS_MACOS)
    return Host::Mac;
#else
    return Host::Other;
#endif
}

QCheckBox *TfrmSelectedForms::formBox(int form) const
{
    return findChild<QCheckBox *>(QString::fromLatin1(kelvox::FormTable()[static_cast<size_t>(form)].BoxName));
}

kelvox::FormSelection TfrmSelectedForms::selection() const
{
    kelvox::FormSelection ticked{};
    for (int form = 0; form < kelvox::kFormCount; ++form)
        ticked[static_cast<size_t>(form)] = formBox(form)->isChecked();
    return ticked;
}

void TfrmSelectedForms::setDefaultAction(Action action)
{
    ui->cbtnOk->setDefault(action == Action::Send);
    ui->cbtnExportPdf->setDefault(action == Action::ExportPdf);
    ui->cbtnPreview->setDefault(action == Action::Preview);
    // Enter confirms with the default button's action.
    m_action = action;
}

void TfrmSelectedForms::CheckAll()
{
    for (int form = 0; form < kelvox::kFormCount; ++form)
        formBox(form)->setChecked(true);
}

void TfrmSelectedForms::accept()
{
    m_forceWord = !ui->cbxForceWord->isHidden() && ui->cbxForceWord->isChecked();
    QDialog::accept();
}
