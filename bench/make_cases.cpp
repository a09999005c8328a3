// Writes the typical and the worst benchmark case. Every page screen is shown
// in a real main window, its typed controls are filled and read back into the
// store, so the cases hold what a user's typing would store.
//
//   make_bench_cases PROGRAM_FOLDER OUT_FOLDER

#include "BenchRows.h"
#include "answers/Answers.h"
#include "files/ClientFile.h"
#include "main/TfrmMain.h"
#include "messages/CollectingSink.h"
#include "output/FontStandIns.h"
#include "output/QtTextMeasurer.h"
#include "screens/ControlKinds.h"
#include "screens/EditKinds.h"
#include "screens/PageScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdio>

namespace {

struct CaseShape {
    const char *FileName;
    int Notices, Consents, Entries; // copies of Forms 18.2, 18.3 and 18.4
    int ListingPages;               // 0: twenty expense rows
    bool LongTexts;
};

QString Filler(int index, bool longText)
{
    static const char *const kWords[] = {"Harmon",    "Franklin", "Columbus", "Maple", "Ridge",
                                         "Whitfield", "Carter",   "Albright", "Elm",   "Broad"};
    QString text = QString::fromLatin1(kWords[index % 10]) + QStringLiteral(" ") + QString::number(index);
    if (longText) {
        while (text.size() < 110)
            text += QStringLiteral(" ") + QString::fromLatin1(kWords[(index + text.size()) % 10]);
    }
    return text;
}

QString MemoFiller(int index, bool longText)
{
    QString text =
        QStringLiteral("The petitioners have cared for the child since placement on 3/2/2019 (%1).").arg(index);
    if (longText) {
        for (int i = 0; i < 8; ++i)
            text += QStringLiteral("\nThe home study of the agency found the home suitable and the child thriving, "
                                   "with every medical and school record in order.");
    }
    return text;
}

// Fills the typed controls on the page panel as a user would.
void FillPage(QWidget *panel, bool longTexts)
{
    int n = 0;
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        if (!w->isEnabled())
            continue;
        ++n;
        switch (ControlKinds::KindOf(w)) {
        case ControlKinds::Edit: {
            auto *edit = qobject_cast<QLineEdit *>(w);
            if (edit->isReadOnly())
                break;
            if (w->property("tag").toInt() == 0)
                break;
            switch (EditKinds::KindOf(w->property("tag").toInt())) {
            case EditKinds::WholeAmount: edit->setText(QString::number(100 + n * 25)); break;
            case EditKinds::Percentage: edit->setText(QString::number(n % 90)); break;
            case EditKinds::Amount: edit->setText(QStringLiteral("%1.50").arg(100 + n * 25)); break;
            case EditKinds::Count: edit->setText(QString::number(1 + n % 9)); break;
            default: edit->setText(Filler(n, longTexts)); break;
            }
            break;
        }
        case ControlKinds::Memo:
            if (auto *memo = qobject_cast<QPlainTextEdit *>(w); memo && !memo->isReadOnly())
                memo->setPlainText(MemoFiller(n, longTexts));
            else if (auto *rich = qobject_cast<QTextEdit *>(w); rich && !rich->isReadOnly())
                rich->setPlainText(MemoFiller(n, longTexts));
            break;
        case ControlKinds::CheckBox: qobject_cast<QCheckBox *>(w)->setChecked(n % 2 == 0); break;
        case ControlKinds::RadioButton:
            if (n % 3 == 0)
                qobject_cast<QRadioButton *>(w)->setChecked(true);
            break;
        case ControlKinds::ComboBox: {
            auto *combo = qobject_cast<QComboBox *>(w);
            if (combo->count() > 1)
                combo->setCurrentIndex(1);
            break;
        }
        default: break;
        }
    }
}

void SetCounts(kelvox::TAnswer &store, const CaseShape &shape)
{
    auto &counts = store.PgCt();
    store.NoOf18_2 = shape.Notices;
    counts[4] = counts[5] = shape.Notices;
    store.NoOf18_3 = shape.Consents;
    counts[6] = shape.Consents;
    store.NoOf18_4 = shape.Entries;
    counts[7] = shape.Entries;
}

bool MakeCase(TfrmMain &window, const QString &programFolder, const QString &outFolder, const CaseShape &shape)
{
    MainState &state = window.state();
    state.Answers = std::make_unique<kelvox::TAnswer>();
    state.WSchedList = kelvox::WSchedList();
    if (!kelvox::OpenFile((programFolder + QStringLiteral("/default.kvx")).toStdString(), *state.Answers,
                          state.WSchedList))
        return false;
    SetCounts(*state.Answers, shape);
    QtTextMeasurer measurer;
    state.WSchedList =
        shape.ListingPages ? bench::RowsFillingListingPages(shape.ListingPages, measurer) : bench::ExpenseRows(20);

    const QStringList screens =
        QDir(state.ScreenFolder).entryList({QStringLiteral("page*.psf")}, QDir::Files, QDir::Name);
    for (const QString &file : screens) {
        const int type = file.mid(4, file.size() - 8).toInt();
        if (type == 12 || type == 14)
            continue; // the listing is derived from the worksheet
        int copies = 1;
        if (type == 4 || type == 5)
            copies = shape.Notices;
        else if (type == 6)
            copies = shape.Consents;
        else if (type == 7)
            copies = shape.Entries;
        for (int copy = 0; copy < copies; ++copy) {
            window.page().ShowPage(type * 100 + copy);
            FillPage(window.pagePanel(), shape.LongTexts);
            window.page().Components2Answers(window.pagePanel());
            if (type == 0) {
                // the two answers the pass reads as dates
                state.Answers->Set(0, 0, 16, "6/14/2014");
                state.Answers->Set(0, 0, 26, "3/2/2019");
            }
        }
    }
    state.Answers->Calculate(state.WSchedList, measurer);
    const QString path = QDir(outFolder).filePath(QString::fromLatin1(shape.FileName));
    kelvox::SaveFile(path.toStdString(), *state.Answers, state.WSchedList);
    std::printf("%s: %d listing pages, %d worksheet pages, %d expense rows\n", qPrintable(path),
                state.Answers->NoOf18_9, state.Answers->NoOfWorksheet, state.WSchedList.RowCount());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_bench_cases PROGRAM_FOLDER OUT_FOLDER\n");
        return 2;
    }
    FontStandIns::Install();
    kelvox::CollectingSink sink;
    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    TfrmMain::Environment environment;
    environment.ProgramFileFolder = programFolder;
    environment.HomeFolder = home.path();
    environment.ScreenSize = [] { return QSizeF(1366, 768); };
    TfrmMain window(environment);

    const CaseShape shapes[] = {{"typical.kvx", 3, 3, 2, 0, false}, {"worst.kvx", 25, 25, 25, 24, true}};
    for (const CaseShape &shape : shapes) {
        if (!MakeCase(window, programFolder, QString::fromLocal8Bit(argv[2]), shape)) {
            std::fprintf(stderr, "cannot read the default case\n");
            return 1;
        }
    }
    for (const auto &message : sink.Messages())
        std::fprintf(stderr, "message %d while filling\n", message.Code);
    window.state().CaseChanged = false;
    return sink.Messages().empty() ? 0 : 1;
}
