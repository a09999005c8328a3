// Checks every shipped page screen against what the program needs of it: the
// screens load cleanly, their bindings lie within their pages, each answer the
// calculation pass writes is on the screen with the style its rule asks for,
// the style names exist, the heights fit the zoom table, and nothing overlaps
// or is cut off.
//
// With KELVOX_SCREENSHOT_DIR set, each screen is also filled with a sample
// case and saved there as page<N>.png.

#include "SampleCase.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/PageZoom.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "output/QtTextMeasurer.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <QUiLoader>

#include <map>
#include <memory>
#include <set>

namespace {

const QList<int> kScreens = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                             13, 14, 15, 16, 17, 20, 21, 22, 23, 25, 26, 27, 28};

// The page type whose answers a screen shows: page14 shows the listing pages
// after the first, copies of page type 12.
int BoundPageType(int screen)
{
    return screen == 14 ? 12 : screen;
}


QString ScreenPath(int screen)
{
    return QStringLiteral(KELVOX_PROGRAM_DIR "/PSF/page%1.psf").arg(screen);
}

// A screen file holds one or more <ui> documents one after another.
QList<QByteArray> UiDocuments(const QByteArray &file)
{
    QList<QByteArray> docs;
    static const QRegularExpression span(QStringLiteral("<ui[ >].*?</ui>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    auto it = span.globalMatch(QString::fromUtf8(file));
    while (it.hasNext())
        docs.push_back(it.next().captured(0).toUtf8());
    return docs;
}

QStringList g_warnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

struct LoadedScreen {
    std::unique_ptr<QWidget> host; // stands for the page panel
    QList<QWidget *> roots;
    QStringList warnings;
};

LoadedScreen Load(int screen)
{
    LoadedScreen loaded;
    loaded.host = std::make_unique<QWidget>();
    QFile file(ScreenPath(screen));
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.warnings << QStringLiteral("cannot open %1").arg(file.fileName());
        return loaded;
    }
    QUiLoader loader;
    g_warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    for (const QByteArray &doc : UiDocuments(file.readAll())) {
        QByteArray bytes = doc;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        if (QWidget *root = loader.load(&buffer, loaded.host.get()))
            loaded.roots << root;
        else
            g_warnings << loader.errorString();
    }
    qInstallMessageHandler(previous);
    loaded.warnings = g_warnings;
    QSize size;
    for (QWidget *root : loaded.roots)
        size = size.expandedTo(root->size());
    loaded.host->resize(size);
    return loaded;
}

int Tag(const QObject *o, bool *present = nullptr)
{
    const QVariant v = o->property("tag");
    if (present)
        *present = v.isValid();
    return v.toInt();
}

QString StyleName(const QObject *o)
{
    return o->property("styleName").toString().toUpper();
}

// One answer a control binds, with what the control does with it.
struct Binding {
    QWidget *control;
    int index;
    bool input; // written back to the store
};

QList<Binding> Bindings(const QWidget *host)
{
    QList<Binding> out;
    for (QWidget *w : host->findChildren<QWidget *>()) {
        bool has = false;
        const int tag = Tag(w, &has);
        if (qobject_cast<QLineEdit *>(w)) {
            if (tag / 1000 >= 1 && tag / 1000 <= 5)
                out.push_back({w, tag % 1000, true});
        } else if (qobject_cast<QCheckBox *>(w)) {
            out.push_back({w, tag >= 1000 ? tag - 1000 : tag, true});
        } else if (qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w) || qobject_cast<QComboBox *>(w)) {
            out.push_back({w, tag, true});
        } else if (qobject_cast<QRadioButton *>(w)) {
            if (tag != 0)
                out.push_back({w, tag, true});
        } else if (qobject_cast<QLabel *>(w)) {
            if (has && tag != 0)
                out.push_back({w, tag, false});
        }
    }
    return out;
}

std::set<QString> DefinedStyleNames()
{
    std::set<QString> names;
    static const QRegularExpression sel(QStringLiteral("styleName\\s*=\\s*\"([^\"]+)\""));
    const QDir dir(QStringLiteral(KELVOX_PROGRAM_DIR "/styles"));
    for (const QString &f : dir.entryList({QStringLiteral("*.qss")}, QDir::Files)) {
        QFile file(dir.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto it = sel.globalMatch(QString::fromUtf8(file.readAll()));
        while (it.hasNext())
            names.insert(it.next().captured(1).toUpper());
    }
    return names;
}

QString StyleSheets()
{
    QString all;
    const QDir dir(QStringLiteral(KELVOX_PROGRAM_DIR "/styles"));
    for (const QString &f : dir.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(f));
        if (file.open(QIODevice::ReadOnly))
            all += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    return all;
}

// Controls of the screen file, not the inner parts Qt builds inside some of them.
bool IsScreenControl(const QWidget *w)
{
    if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_")))
        return false;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p))
            return false;
    return true;
}

bool IsCallout(const QWidget *w)
{
    for (const QWidget *p = w; p; p = p->parentWidget())
        if (p->property("callout").toBool())
            return true;
    return false;
}

// What the calculation pass does with each answer of a screen.
struct Written {
    std::set<int> any;       // changed by some pass
    std::set<int> unguarded; // changed even with every override flag set
};

// Marks and texts that the rules test, so that every branch writes.
void SetConditions(kelvox::TAnswer &a)
{
    for (int g : {42, 43, 54, 55})
        a.Set(0, 0, g, "X");
    for (int i : {1, 7, 43})
        a.Set(2, 0, i, "X");
    a.Set(2, 0, 3, "Mother");
    a.Set(2, 0, 9, "Father");
    a.Set(26, 0, 1, "X");
    a.Set(27, 0, 12, "X");
    for (int i : {6, 7, 8})
        a.Set(20, 0, i, "X");
    a.Set(0, 0, 16, "06/14/2009");
    a.Set(0, 0, 26, "03/02/2019");
}

std::map<int, Written> WrittenByThePass()
{
    std::map<int, Written> out;
    kelvox::CollectingSink sink;
    const QtTextMeasurer measurer;
    const kelvox::WSchedList worksheet;
    for (int scenario = 0; scenario < 3; ++scenario) {
        kelvox::TAnswer a;
        a.NoOf18_2 = 2;
        a.NoOf18_3 = 3;
        a.NoOf18_4 = 2;
        a.PgCt()[4] = a.PgCt()[5] = 1;
        a.PgCt()[6] = 2;
        a.PgCt()[7] = 1;
        // enough listing copies already, so the pass replaces none of them
        a.PgCt()[12] = a.PgCt()[24] = kelvox::kCopies - 1;
        for (int t = 0; t < kelvox::kPageTypes; ++t)
            for (int c = 0; c < kelvox::kCopies; ++c)
                for (int i = 0; i <= kelvox::FieldsPerPage(t); ++i) {
                    a.Set(t, c, i, QStringLiteral("v%1.%2.%3").arg(t).arg(c).arg(i).toStdString());
                    a.SetOvRide(t, c, i, scenario == 2);
                }
        if (scenario >= 1)
            SetConditions(a);
        std::vector<std::vector<std::vector<std::string>>> before(kelvox::kPageTypes);
        for (int t = 0; t < kelvox::kPageTypes; ++t) {
            before[t].resize(kelvox::kCopies);
            for (int c = 0; c < kelvox::kCopies; ++c)
                for (int i = 0; i <= kelvox::FieldsPerPage(t); ++i)
                    before[t][c].push_back(a.Get(t, c, i));
        }
        a.Calculate(worksheet, measurer);
        for (int t = 0; t < kelvox::kPageTypes; ++t)
            for (int c = 0; c < kelvox::kCopies; ++c) {
                int screen = t;
                if (t == 12 && c > 0) {
                    if (c >= a.NoOf18_9)
                        continue;
                    screen = 14;
                }
                for (int i = 0; i <= kelvox::FieldsPerPage(t); ++i)
                    if (a.Get(t, c, i) != before[t][c][i]) {
                        out[screen].any.insert(i);
                        if (scenario == 2)
                            out[screen].unguarded.insert(i);
                    }
            }
    }
    return out;
}

void FillControls(QWidget *host, const kelvox::TAnswer &a, int pageType, int copy)
{
    for (const Binding &b : Bindings(host)) {
        const QString text = QString::fromStdString(a.Get(pageType, copy, b.index));
        if (auto *e = qobject_cast<QLineEdit *>(b.control))
            e->setText(text);
        else if (auto *m = qobject_cast<QPlainTextEdit *>(b.control))
            m->setPlainText(QString(text).replace(QStringLiteral(" | "), QStringLiteral("\n")));
        else if (auto *c = qobject_cast<QCheckBox *>(b.control)) {
            c->setChecked(text == QStringLiteral("X"));
            if (Tag(c) >= 1000)
                c->setText(c->isChecked() ? QStringLiteral("EST") : QString());
        } else if (auto *l = qobject_cast<QLabel *>(b.control))
            l->setText(text);
    }
}

} // namespace

class tst_ScreenConsistency final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void screens_data();
    void screens();
    void derivedAnswers_data();
    void derivedAnswers();
    void printedAnswers_data();
    void printedAnswers();
    void screenshots();

private:
    std::map<int, Written> m_written;
};

void tst_ScreenConsistency::initTestCase()
{
    qApp->setStyleSheet(StyleSheets());
    m_written = WrittenByThePass();
}

void tst_ScreenConsistency::screens_data()
{
    QTest::addColumn<int>("screen");
    for (int s : kScreens)
        QTest::newRow(qPrintable(QStringLiteral("page%1").arg(s))) << s;
}

// Loading, bindings, styles, height and layout of one screen.
void tst_ScreenConsistency::screens()
{
    QFETCH(int, screen);
    LoadedScreen loaded = Load(screen);
    QVERIFY2(loaded.warnings.isEmpty(), qPrintable(loaded.warnings.join(QLatin1Char('\n'))));
    QCOMPARE(loaded.roots.size(), 1);
    QWidget *root = loaded.roots.front();
    QVERIFY(!root->findChildren<QWidget *>().isEmpty());

    // bindings within the page, of known kinds, never two inputs on one answer
    const int last = kelvox::FieldsPerPage(BoundPageType(screen));
    std::map<int, QString> inputs;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        bool has = false;
        const int tag = Tag(w, &has);
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QCheckBox *>(w) || qobject_cast<QPlainTextEdit *>(w) ||
            qobject_cast<QComboBox *>(w))
            QVERIFY2(has, qPrintable(w->objectName() + QStringLiteral(" has no tag")));
        if (qobject_cast<QLineEdit *>(w))
            QVERIFY2(tag / 1000 >= 1 && tag / 1000 <= 5, qPrintable(w->objectName() + QStringLiteral(": edit kind")));
        if (qobject_cast<QCheckBox *>(w) && tag >= 1000) {
            QVERIFY2(tag < 2000, qPrintable(w->objectName()));
            QVERIFY2(w->property("styleName").toString().isEmpty(),
                     qPrintable(w->objectName() + QStringLiteral(": an estimate box is never overrideable")));
        }
    }
    for (const Binding &b : Bindings(root)) {
        QVERIFY2(
            b.index >= 0 && b.index <= last,
            qPrintable(
                QStringLiteral("%1 binds answer %2 beyond %3").arg(b.control->objectName()).arg(b.index).arg(last)));
        if (!b.input)
            continue;
        const auto [it, fresh] = inputs.emplace(b.index, b.control->objectName());
        QVERIFY2(
            fresh,
            qPrintable(
                QStringLiteral("answer %1 bound by %2 and %3").arg(b.index).arg(it->second, b.control->objectName())));
    }

    // style names
    const std::set<QString> defined = DefinedStyleNames();
    for (QWidget *w : root->findChildren<QWidget *>()) {
        const QString name = StyleName(w);
        QVERIFY2(name.isEmpty() || defined.count(name),
                 qPrintable(QStringLiteral("%1: style %2 is in no style sheet").arg(w->objectName(), name)));
    }

    // height within the zoom table, content within the page
    QVERIFY2(root->height() <= kelvox::ZoomPageHeight(screen),
             qPrintable(QStringLiteral("height %1 above %2").arg(root->height()).arg(kelvox::ZoomPageHeight(screen))));
    QVERIFY(root->width() > 0 && root->width() <= 800);

    // help buttons carry their callouts, hidden, with a text
    for (QPushButton *b : root->findChildren<QPushButton *>()) {
        QVERIFY2(b->objectName().toUpper().contains(QStringLiteral("HELP")), qPrintable(b->objectName()));
        int callouts = 0;
        for (QObject *c : b->children()) {
            auto *frame = qobject_cast<QFrame *>(c);
            if (!frame || !frame->property("callout").toBool())
                continue;
            ++callouts;
            QVERIFY2(frame->isHidden(), qPrintable(frame->objectName()));
            auto *text = frame->findChild<QLabel *>();
            QVERIFY(text && text->text().size() > 10);
        }
        QCOMPARE(callouts, 1);
    }

    // laid out: nothing overlaps its siblings, leaves its parent or cuts its text
    loaded.host->show();
    QVERIFY(QTest::qWaitForWindowExposed(loaded.host.get()));
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (IsCallout(w) || !IsScreenControl(w))
            continue;
        const QString who = w->objectName();
        QWidget *parent = w->parentWidget();
        QVERIFY2(parent->rect().contains(w->geometry()), qPrintable(who + QStringLiteral(" leaves its parent")));
        for (QObject *o : parent->children()) {
            auto *sibling = qobject_cast<QWidget *>(o);
            if (!sibling || sibling == w || IsCallout(sibling) || !IsScreenControl(sibling))
                continue;
            QVERIFY2(!w->geometry().intersects(sibling->geometry()),
                     qPrintable(who + QStringLiteral(" overlaps ") + sibling->objectName()));
        }
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->text().isEmpty())
                continue;
            const QRect room = l->contentsRect();
            if (l->wordWrap())
                QVERIFY2(l->heightForWidth(room.width()) <= room.height() + 1,
                         qPrintable(who + QStringLiteral(" wraps beyond its height: ") + l->text()));
            else
                QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= room.width(),
                         qPrintable(who + QStringLiteral(" is cut off: ") + l->text()));
        } else if (auto *c = qobject_cast<QCheckBox *>(w)) {
            QVERIFY2(c->sizeHint().width() <= c->width() && c->sizeHint().height() <= c->height(),
                     qPrintable(who + QStringLiteral(" is cut off: ") + c->text()));
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            QVERIFY2(g->fontMetrics().horizontalAdvance(g->title()) + 30 <= g->width(), qPrintable(who));
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            QVERIFY2(e->height() >= e->minimumSizeHint().height(), qPrintable(who + QStringLiteral(" too low")));
        }
    }
}

void tst_ScreenConsistency::derivedAnswers_data()
{
    screens_data();
}

// Each answer the pass writes is on the screen: read-only when its rule always
// rewrites it, overrideable when the rule is guarded. Every answer it leaves
// alone is one the user types, so its control takes input.
void tst_ScreenConsistency::derivedAnswers()
{
    QFETCH(int, screen);
    LoadedScreen loaded = Load(screen);
    QCOMPARE(loaded.roots.size(), 1);
    const Written written = m_written[screen];

    // rewritten from its own value: the sex mark of the certificate is typed
    // and only normalised by the pass
    const std::set<int> typedAndNormalised = screen == 22 ? std::set<int>{2} : std::set<int>{};

    std::map<int, QList<QWidget *>> controls;
    bool derivedStyles = false;
    for (const Binding &b : Bindings(loaded.roots.front())) {
        controls[b.index] << b.control;
        derivedStyles |= StyleName(b.control).endsWith(QStringLiteral("READONLY")) ||
                         StyleName(b.control).endsWith(QStringLiteral("OVERRIDEABLE"));
    }
    if (written.any.empty() && derivedStyles)
        QSKIP("the calculation pass writes nothing on this page yet");

    for (int i : written.any) {
        QVERIFY2(controls.count(i),
                 qPrintable(QStringLiteral("answer %1 is written by the pass but not shown").arg(i)));
        const bool guarded = !written.unguarded.count(i);
        for (QWidget *w : controls[i]) {
            const QString style = StyleName(w);
            const QString who = QStringLiteral("answer %1 (%2, style '%3')").arg(i).arg(w->objectName(), style);
            if (qobject_cast<QLabel *>(w))
                continue;
            if (typedAndNormalised.count(i)) {
                QVERIFY2(style.isEmpty(), qPrintable(who));
            } else if (qobject_cast<QLineEdit *>(w)) {
                QVERIFY2(style == (guarded ? QStringLiteral("EDITOVERRIDEABLE") : QStringLiteral("EDITREADONLY")),
                         qPrintable(who + (guarded ? QStringLiteral(": guarded") : QStringLiteral(": unguarded"))));
                QVERIFY2(static_cast<QLineEdit *>(w)->isReadOnly(), qPrintable(who));
            } else if (qobject_cast<QCheckBox *>(w)) {
                QVERIFY2(guarded && style == QStringLiteral("CHECKBOXOVERRIDEABLE"), qPrintable(who));
            } else if (qobject_cast<QPlainTextEdit *>(w)) {
                QVERIFY2(guarded && style == QStringLiteral("MEMOOVERRIDEABLE"), qPrintable(who));
            } else {
                QFAIL(qPrintable(who + QStringLiteral(": a derived answer in a control that cannot show it")));
            }
        }
    }

    // answers the pass never writes are typed: no read-only or overrideable style
    for (const auto &[i, list] : controls) {
        if (written.any.count(i))
            continue;
        for (QWidget *w : list) {
            const QString style = StyleName(w);
            QVERIFY2(style != QStringLiteral("EDITREADONLY") && style != QStringLiteral("EDITOVERRIDEABLE") &&
                         style != QStringLiteral("CHECKBOXOVERRIDEABLE") && style != QStringLiteral("MEMOOVERRIDEABLE"),
                     qPrintable(QStringLiteral("answer %1 (%2) is derived on the screen but no rule writes it")
                                    .arg(i)
                                    .arg(w->objectName())));
        }
    }
}

void tst_ScreenConsistency::printedAnswers_data()
{
    screens_data();
}

// Every answer the page's template prints can be typed or seen on its screen.
void tst_ScreenConsistency::printedAnswers()
{
    QFETCH(int, screen);
    QFile file(QStringLiteral(KELVOX_PROGRAM_DIR "/RTF/PAGE%1.RTF").arg(screen));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QString rtf = QString::fromLatin1(file.readAll());
    rtf.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    LoadedScreen loaded = Load(screen);
    QCOMPARE(loaded.roots.size(), 1);
    std::set<int> bound;
    for (const Binding &b : Bindings(loaded.roots.front()))
        bound.insert(b.index);
    static const QRegularExpression variable(QStringLiteral("/[*<#+$@%^&](\\d{1,3})/"));
    int printed = 0;
    for (auto it = variable.globalMatch(rtf); it.hasNext(); ++printed) {
        const int field = it.next().captured(1).toInt();
        QVERIFY2(
            bound.count(field),
            qPrintable(QStringLiteral("the template prints answer %1, which the screen does not hold").arg(field)));
    }
    QVERIFY(printed > 0);
}

// Not a check: with KELVOX_SCREENSHOT_DIR set, saves every screen filled with a sample case.
void tst_ScreenConsistency::screenshots()
{
    const QString dir = qEnvironmentVariable("KELVOX_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("KELVOX_SCREENSHOT_DIR not set");
    QDir().mkpath(dir);
    kelvox::CollectingSink sink;
    kelvox::TAnswer a;
    FillSampleCase(a);
    a.Calculate(kelvox::WSchedList(), QtTextMeasurer());
    for (int screen : kScreens) {
        LoadedScreen loaded = Load(screen);
        QVERIFY(!loaded.roots.isEmpty());
        FillControls(loaded.host.get(), a, BoundPageType(screen), screen == 14 ? 1 : 0);
        loaded.host->setAutoFillBackground(true);
        QPalette palette = loaded.host->palette();
        palette.setColor(QPalette::Window, Qt::white);
        loaded.host->setPalette(palette);
        loaded.host->show();
        QVERIFY(QTest::qWaitForWindowExposed(loaded.host.get()));
        const QString path = QDir(dir).filePath(QStringLiteral("page%1.png").arg(screen));
        QVERIFY(loaded.host->grab().save(path));
    }
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_ScreenConsistency test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ScreenConsistency.moc"
