#include "MainFixture.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "screens/PageScreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

bool Shown(TfrmMain &window, const char *name)
{
    return !window.button(QLatin1String(name))->isHidden();
}

// Both buttons of a group, in the toolbar and in the caption bar.
bool OverrideGroup(TfrmMain &window)
{
    return Shown(window, "cbtnOverride") && Shown(window, "cbtnSmlOverride");
}
bool CancelGroup(TfrmMain &window)
{
    return Shown(window, "cbtnCancelOverride") && Shown(window, "cbtnSmlCancelOverride");
}
bool NeitherGroup(TfrmMain &window)
{
    return !Shown(window, "cbtnOverride") && !Shown(window, "cbtnSmlOverride") &&
           !Shown(window, "cbtnCancelOverride") && !Shown(window, "cbtnSmlCancelOverride");
}

QString Style(const QWidget *w)
{
    return w->property("styleName").toString();
}

} // namespace

class tst_MainOverrides final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overrideKeepsTheTypedValueAndCancelRecomputes();
    void plainEditOverriddenFromTheContextMenu();
    void checkBoxOverride();
    void memoFocusedOverridesNothing();
    void enterMovesOnAndRunsTheExitPass();
    void focusScrollsAHiddenFieldIntoTheMiddle();
    void pageKeysScrollByHalfTheView();
    void overrideButtonsSlideIn();
};

void tst_MainOverrides::overrideKeepsTheTypedValueAndCancelRecomputes()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtResidence")), QStringLiteral("12 years"));
    window.RequestPage(100);
    auto *name = fixture.control<QLineEdit>(QStringLiteral("edtResidence"));
    QCOMPARE(name->text(), QStringLiteral("12 years"));
    window.state().CaseChanged = false;

    name->setFocus(Qt::MouseFocusReason);
    QVERIFY(name->isReadOnly());
    QVERIFY(OverrideGroup(window));
    QVERIFY(!Shown(window, "cbtnCancelOverride") && !Shown(window, "cbtnSmlCancelOverride"));

    QTest::mouseClick(window.button(QStringLiteral("cbtnSmlOverride")), Qt::LeftButton);
    QVERIFY(!name->isReadOnly());
    QCOMPARE(Style(name), QStringLiteral("EDITOVERRIDDEN"));
    QCOMPARE(name->palette().color(QPalette::Text), QColor(Qt::red));
    QVERIFY(window.answers().OvRide(1, 0, 13));
    QVERIFY(window.state().CaseChanged);
    QVERIFY(CancelGroup(window));
    QVERIFY(!Shown(window, "cbtnOverride"));

    fixture.typeAndLeave(name, QStringLiteral("all her life"));
    // The source changes; the overridden answer stays through every pass.
    window.RequestPage(0);
    fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtResidence")), QStringLiteral("3 years"));
    QCOMPARE(window.answers().Get(1, 0, 13), std::string("all her life"));
    window.RequestPage(100);
    name = fixture.control<QLineEdit>(QStringLiteral("edtResidence"));
    QCOMPARE(name->text(), QStringLiteral("all her life"));
    QCOMPARE(name->palette().color(QPalette::Text), QColor(Qt::red));
    QVERIFY(!name->isReadOnly());

    name->setFocus(Qt::MouseFocusReason);
    QVERIFY(CancelGroup(window));
    QTest::mouseClick(window.button(QStringLiteral("cbtnCancelOverride")), Qt::LeftButton);
    QVERIFY(!window.answers().OvRide(1, 0, 13));
    QCOMPARE(name->text(), QStringLiteral("3 years"));
    QVERIFY(name->isReadOnly());
    QCOMPARE(Style(name), QStringLiteral("EDITOVERRIDEABLE"));
    QCOMPARE(name->palette().color(QPalette::Text), QColor(Qt::black));
    QVERIFY(OverrideGroup(window));

    // A double-click on the read-only edit overrides it again.
    QTest::mouseDClick(name, Qt::LeftButton);
    QVERIFY(window.answers().OvRide(1, 0, 13));
    QVERIFY(!name->isReadOnly());
}

void tst_MainOverrides::plainEditOverriddenFromTheContextMenu()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.RequestPage(100);
    auto *own = fixture.control<QLineEdit>(QStringLiteral("edtOwn"));
    own->setFocus(Qt::MouseFocusReason);
    QVERIFY(NeitherGroup(window));
    QTest::keyClick(own, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(window.answers().OvRide(1, 0, 30));
    QCOMPARE(Style(own), QStringLiteral("EDITOVERRIDDEN"));
    QCOMPARE(own->palette().color(QPalette::Text), QColor(Qt::red));
    QVERIFY(window.state().CaseChanged);
    QTest::keyClick(own, Qt::Key_U, Qt::ControlModifier);
    QVERIFY(!window.answers().OvRide(1, 0, 30));
}

void tst_MainOverrides::checkBoxOverride()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.RequestPage(100);
    auto *box = fixture.control<QCheckBox>(QStringLiteral("cbxOwn"));
    box->setFocus(Qt::MouseFocusReason);
    QCOMPARE(Style(box), QStringLiteral("CHECKBOXOVERRIDEABLE"));
    QVERIFY(OverrideGroup(window));
    window.action(QStringLiteral("mnuOverride"))->trigger();
    QVERIFY(window.answers().OvRide(1, 0, 31));
    QCOMPARE(Style(box), QStringLiteral("CHECKBOXOVERRIDDEN"));
    QVERIFY(CancelGroup(window));
    window.action(QStringLiteral("mnuCancelOverride"))->trigger();
    QVERIFY(!window.answers().OvRide(1, 0, 31));
    QCOMPARE(Style(box), QStringLiteral("CHECKBOXOVERRIDEABLE"));
}

void tst_MainOverrides::memoFocusedOverridesNothing()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *memo = fixture.control<QPlainTextEdit>(QStringLiteral("memNotes"));
    memo->setFocus(Qt::MouseFocusReason);
    window.state().CaseChanged = false;
    window.action(QStringLiteral("mnuOverride"))->trigger();
    QVERIFY(!window.answers().OvRide(0, 0, 80));
    QVERIFY(!window.state().CaseChanged);
}

void tst_MainOverrides::enterMovesOnAndRunsTheExitPass()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *amount = fixture.control<QLineEdit>(QStringLiteral("edtAmount"));
    amount->setFocus(Qt::MouseFocusReason);
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("5"));
    QTest::keyClick(amount, Qt::Key_Return);
    QCOMPARE(amount->text(), QStringLiteral("5.00"));
    QCOMPARE(window.answers().Get(0, 0, 70), std::string("5.00"));
    QCOMPARE(QApplication::focusWidget(), fixture.control(QStringLiteral("edtWhole")));

    // A memo keeps Enter for a new line.
    auto *memo = fixture.control<QPlainTextEdit>(QStringLiteral("memNotes"));
    memo->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(memo, QStringLiteral("a"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("b"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("a\nb"));
}

void tst_MainOverrides::focusScrollsAHiddenFieldIntoTheMiddle()
{
    MainFixture fixture(QSizeF(800, 400));
    TfrmMain &window = fixture.show();
    QWidget *view = window.scrollBox()->viewport();
    QScrollBar *vertical = window.scrollBox()->verticalScrollBar();
    QCOMPARE(vertical->value(), 0);
    auto *married = fixture.control<QCheckBox>(QStringLiteral("cbxMarried"));
    const int top = married->mapTo(view, QPoint(0, 0)).y();
    QVERIFY2(top > view->height(), "the fixture field must start below the view");
    married->setFocus(Qt::TabFocusReason);
    QCOMPARE(vertical->value(), top - view->height() / 2);
    const int middle = married->mapTo(view, QPoint(0, 0)).y();
    QVERIFY(middle >= 0 && middle < view->height());

    // A field in view does not move the page.
    auto *memo = fixture.control<QPlainTextEdit>(QStringLiteral("memNotes"));
    const int before = vertical->value();
    memo->setFocus(Qt::TabFocusReason);
    QCOMPARE(vertical->value(), before);
}

void tst_MainOverrides::pageKeysScrollByHalfTheView()
{
    MainFixture fixture(QSizeF(800, 400));
    TfrmMain &window = fixture.show();
    QScrollBar *vertical = window.scrollBox()->verticalScrollBar();
    const int half = window.scrollBox()->viewport()->height() / 2;
    auto *county = fixture.control<QLineEdit>(QStringLiteral("edtCounty"));
    county->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(county, Qt::Key_PageDown);
    QCOMPARE(vertical->value(), half);
    QTest::keyClick(county, Qt::Key_PageUp);
    QCOMPARE(vertical->value(), 0);
}

void tst_MainOverrides::overrideButtonsSlideIn()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    window.RequestPage(100);
    QAbstractButton *big = window.button(QStringLiteral("cbtnOverride"));
    QAbstractButton *small = window.button(QStringLiteral("cbtnSmlOverride"));
    fixture.control(QStringLiteral("edtResidence"))->setFocus(Qt::MouseFocusReason);
    QVERIFY(big->x() > 543);
    QTRY_COMPARE_WITH_TIMEOUT(big->x(), 543, 4000);
    QTRY_COMPARE_WITH_TIMEOUT(small->x(), 532, 1000);
    // The toolbar image pulses.
    const qreal opacity = big->property("iconOpacity").toReal();
    QTRY_VERIFY_WITH_TIMEOUT(big->property("iconOpacity").toReal() != opacity, 2000);
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    TestPrompter unexpectedQuestions;
    tst_MainOverrides test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainOverrides.moc"
