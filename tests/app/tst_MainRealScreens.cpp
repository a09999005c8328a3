#include "MainFixture.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "output/FontStandIns.h"
#include "screens/ControlKinds.h"
#include "screens/PageScreen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QTest>

// The screens shipped with the program, loaded into the real window with a
// filled case: every control inside the page, none on top of another, no
// caption cut off. With KELVOX_SHOTS_DIR set, each page is also saved as a
// picture there.
class tst_MainRealScreens final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void shippedScreensLoadCleanly_data();
    void shippedScreensLoadCleanly();
};

namespace {

void FillCase(kelvox::TAnswer &store)
{
    const std::pair<int, const char *> general[] = {
        {0, "Franklin"},
        {1, "Emily Rose Carter"},
        {2, "Hon. Margaret A. Whitfield"},
        {3, "Emily Rose Harmon"},
        {4, "2026 AD 00417"},
        {5, "Daniel James Harmon"},
        {6, "38"},
        {7, "Laura Beth Harmon"},
        {8, "36"},
        {9, "1427 Maple Ridge Drive"},
        {10, "Columbus"},
        {11, "Franklin"},
        {12, "Ohio"},
        {13, "43215"},
        {14, "(614) 555-0142"},
        {15, "Married"},
        {16, "6/14/2014"},
        {17, "Dayton, Ohio"},
        {18, "Emily Rose Carter"},
        {19, "Emily Rose Harmon"},
        {26, "3/2/2019"},
        {27, "Columbus, Ohio"},
        {28, "Susan K. Albright"},
        {29, "250 East Broad Street, Suite 900"},
        {30, "Columbus"},
        {31, "Ohio"},
        {32, "43215"},
        {33, "(614) 555-0199"},
        {34, "0071234"},
        {35, "Michael Carter"},
        {36, "Father"},
        {37, "1/9/1990"},
        {38, "88 Elm Street"},
        {39, "Springfield"},
        {40, "Ohio"},
        {41, "45502"},
        {59, "12 years"},
    };
    for (const auto &[index, text] : general)
        store.Set(0, 0, index, text);
}

bool Bound(const QWidget *w)
{
    switch (ControlKinds::KindOf(w)) {
    case ControlKinds::Label:
    case ControlKinds::Edit:
    case ControlKinds::Memo:
    case ControlKinds::CheckBox:
    case ControlKinds::RadioButton:
    case ControlKinds::ComboBox:
    case ControlKinds::Button: return true;
    default: return false;
    }
}

bool InsideCallout(const QWidget *w, const QWidget *panel)
{
    for (const QWidget *p = w; p && p != panel; p = p->parentWidget()) {
        if (ControlKinds::KindOf(p) == ControlKinds::Callout)
            return true;
    }
    return false;
}

} // namespace

void tst_MainRealScreens::initTestCase()
{
    FontStandIns::Install();
}

void tst_MainRealScreens::shippedScreensLoadCleanly_data()
{
    QTest::addColumn<int>("pageType");
    const QDir screens(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
    const QStringList files = screens.entryList({QStringLiteral("page*.psf")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("no screens are shipped yet");
    for (const QString &file : files) {
        const int type = file.mid(4, file.size() - 8).toInt();
        if (type == 14)
            continue; // shown as copy 1 of the listing
        QTest::newRow(qPrintable(file)) << type;
    }
}

void tst_MainRealScreens::shippedScreensLoadCleanly()
{
    QFETCH(int, pageType);
    kelvox::CollectingSink sink;
    TestPrompter prompter;
    MainFixture fixture(QSizeF(1366, 768));
    TfrmMain &window = fixture.create(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
    FillCase(window.answers());
    fixture.show();
    window.RequestPage(pageType * 100);
    QCOMPARE(window.state().CurrentPageType, pageType);
    QCOMPARE(prompter.questions.size(), 0);
    QVERIFY2(sink.Codes().empty(), "a message was raised while the page loaded");

    QWidget *panel = window.pagePanel();
    const QRect page(QPoint(0, 0), panel->size());
    QList<QWidget *> controls;
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        if (Bound(w) && w->isVisibleTo(panel) && !InsideCallout(w, panel))
            controls.append(w);
    }
    QVERIFY(!controls.isEmpty());
    const auto where = [panel](const QWidget *w) { return QRect(w->mapTo(panel, QPoint(0, 0)), w->size()); };
    for (QWidget *w : controls) {
        QVERIFY2(page.contains(where(w)), qPrintable(w->objectName() + QStringLiteral(" lies outside the page")));
        auto *label = qobject_cast<QLabel *>(w);
        auto *button = qobject_cast<QAbstractButton *>(w);
        const bool oneLine = (label && !label->wordWrap()) || qobject_cast<QCheckBox *>(w) ||
                             ControlKinds::KindOf(w) == ControlKinds::RadioButton;
        if (oneLine && !(button && button->text().isEmpty()))
            QVERIFY2(
                w->sizeHint().width() <= w->width() + 1,
                qPrintable(w->objectName() +
                           QStringLiteral(" is cut off: needs %1, has %2").arg(w->sizeHint().width()).arg(w->width())));
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget *a = controls[i];
            QWidget *b = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            QVERIFY2(!where(a).intersects(where(b)),
                     qPrintable(a->objectName() + QStringLiteral(" overlaps ") + b->objectName()));
        }
    }

    const QByteArray shots = qgetenv("KELVOX_SHOTS_DIR");
    if (!shots.isEmpty()) {
        QTest::qWait(2200); // the fade-in
        window.grab().save(QDir(QString::fromLocal8Bit(shots)).filePath(QStringLiteral("page%1.png").arg(pageType)));
    }
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    TestPrompter unexpectedQuestions;
    tst_MainRealScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainRealScreens.moc"
