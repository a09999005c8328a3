// Visits every page the menus reach, and one copy of each multi-copy form,
// on the shipped screens with a filled case: each loads a page of its own
// without raising a message.
//
// With KELVOX_SCREENSHOT_DIR set, each visited page is also saved there
// (window-<tag>.png: the window; panel-<tag>.png: the whole page).

#include "MainFixture.h"
#include "SampleCase.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "main/TfrmMain.h"
#include "messages/CollectingSink.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <set>

namespace {

// Menu items that carry a page tag but request no page of their own.
bool RequestsAPage(const QAction *item)
{
    const QString name = item->objectName();
    bool ok = false;
    const int tag = item->data().toInt(&ok);
    if (!ok || tag < 0 || tag % 100 != 0 || !name.startsWith(QStringLiteral("mnu")))
        return false;
    for (const char *other : {"_New", "_View", "_Delete", "Location", "Recent", "Invisible"})
        if (name.contains(QLatin1String(other)))
            return false;
    return true;
}

int TagOf(const QWidget *w)
{
    return w->property("tag").toInt();
}

} // namespace

class tst_PageVisits final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPageOfTheMenusLoads();

private:
    void look(TfrmMain &window, int tag);
    void save(TfrmMain &window, int tag);
};

void tst_PageVisits::look(TfrmMain &window, int tag)
{
    const QString where = QStringLiteral("page tag %1").arg(tag);
    QCOMPARE(window.state().CurrentPageType * 100 + window.state().CurrentCopy, tag);
    QWidget *panel = window.pagePanel();
    int bound = 0;
    for (QWidget *w : panel->findChildren<QWidget *>())
        bound += w->property("tag").isValid() && TagOf(w) != 0;
    QVERIFY2(bound > 0, qPrintable(where + QStringLiteral(": no control bound to an answer")));
    QVERIFY2(panel->width() > 0 && panel->height() > 0, qPrintable(where));
    bool titled = false;
    for (QLabel *l : panel->findChildren<QLabel *>())
        titled |= l->property("styleName").toString() == QStringLiteral("TITLE") && !l->text().isEmpty();
    QVERIFY2(titled, qPrintable(where + QStringLiteral(": no title")));
}

void tst_PageVisits::save(TfrmMain &window, int tag)
{
    const QString dir = qEnvironmentVariable("KELVOX_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QTest::qWait(2200); // the fade-in
    QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("window-%1.png").arg(tag))));
    QVERIFY(window.pagePanel()->grab().save(QDir(dir).filePath(QStringLiteral("panel-%1.png").arg(tag))));
    if (tag == 0) {
        // one callout open, to see it over the page
        auto *help = window.pagePanel()->findChild<QPushButton *>(QStringLiteral("btnHelp001"));
        QVERIFY(help);
        help->click();
        QVERIFY(window.pagePanel()->grab().save(QDir(dir).filePath(QStringLiteral("panel-0-callout.png"))));
        help->click();
    }
}

void tst_PageVisits::everyPageOfTheMenusLoads()
{
    kelvox::CollectingSink sink;
    TestPrompter prompter;
    MainFixture fixture(QSizeF(1366, 768));
    TfrmMain &window = fixture.create(QStringLiteral(KELVOX_PROGRAM_DIR "/PSF"));
    FillSampleCase(window.answers());
    fixture.show();

    std::set<int> visited;
    for (QAction *item : window.findChildren<QAction *>()) {
        if (!RequestsAPage(item))
            continue;
        const int tag = item->data().toInt();
        item->trigger();
        look(window, tag);
        save(window, tag);
        visited.insert(tag);
    }
    const std::set<int> singlePages = {0,    100,  200,  2300, 300,  800,  900,  1000, 1100, 1300,
                                       1500, 1600, 1700, 2500, 2600, 2700, 2800, 2000, 2100, 2200};
    for (int tag : singlePages)
        QVERIFY2(visited.count(tag), qPrintable(QStringLiteral("no menu item shows page tag %1").arg(tag)));

    // the first copy of each multi-copy form, and the second listing page
    QVERIFY(window.answers().NoOf18_9 >= 2);
    for (int tag : {400, 500, 600, 700, 1200, 1201}) {
        window.RequestPage(tag);
        look(window, tag);
        save(window, tag);
    }
    // a listing page after the first shows the continuation layout
    bool pageNumber = false;
    for (QLineEdit *e : window.pagePanel()->findChildren<QLineEdit *>())
        pageNumber |= TagOf(e) == 1004 && e->text() == QStringLiteral("2");
    QVERIFY2(pageNumber, "listing page 2 does not show its page number");

    QCOMPARE(prompter.questions.size(), 0);
    QCOMPARE(prompter.dialogClasses, QStringList());
    std::string codes;
    for (auto c : sink.Codes())
        codes += std::to_string(c) + " ";
    QVERIFY2(sink.Codes().empty(), codes.c_str());
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_PageVisits test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PageVisits.moc"
