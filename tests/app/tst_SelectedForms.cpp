#include "TestDesktop.h"
#include "TestPrompter.h"
#include "answers/Answers.h"
#include "main/Desktop.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "output/RtfOpener.h"
#include "output/SendToWordProcessor.h"
#include "output/TextMeasurer.h"
#include "output/TfrmSelectedForms.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

class ZeroMeasurer final : public kelvox::TextMeasurer {
public:
    double TextWidth(const std::string &, const std::string &, double) const override { return 0; }
};

// On the indicator: a box's middle may lie beyond its text, where a click does nothing.
void ClickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

const QString kRtfDir = QStringLiteral(KELVOX_TEST_DATA_DIR "/rtf");

} // namespace

class tst_SelectedForms final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogDependsOnWord_data();
    void dialogDependsOnWord();
    void boxesFollowTheFormTable();
    void checkAllFromTheContextMenuAndShortcut();
    void cancellingNeitherRecalculatesNorWrites();
    void confirmingWritesTheWorkFileAndLaunches_data();
    void confirmingWritesTheWorkFileAndLaunches();
    void nothingTickedWritesNothing();
    void launchFailureShowsMessage1155();
    void unreadableTemplateStopsBeforeTheWorkFile();
};

using Host = TfrmSelectedForms::Host;

void tst_SelectedForms::dialogDependsOnWord_data()
{
    QTest::addColumn<bool>("wordFound");
    QTest::addColumn<bool>("forceWord");
    QTest::addColumn<int>("host");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("okText");
    QTest::addColumn<QString>("noteStart"); // empty: no note
    QTest::addColumn<bool>("forceBoxShown");
    QTest::addColumn<bool>("forceBoxTicked");

    QTest::newRow("word found") << true << false << int(Host::Windows) << "Preview and Print"
                                << "Preview/Print"
                                << "" << false << false;
    QTest::newRow("word found and forced") << true << true << int(Host::Windows) << "Preview and Print"
                                           << "Preview/Print"
                                           << "" << false << false;
    QTest::newRow("word forced, not found") << false << true << int(Host::Other) << "Preview and Print"
                                            << "Preview/Print"
                                            << "Previewing is done via MS Word. You must own" << true << true;
    QTest::newRow("wordpad") << false << false << int(Host::Windows) << "Preview Selected Forms"
                             << "Print/Preview"
                             << "Printing and previewing are done via WordPad. Set WordPad's" << true << false;
    QTest::newRow("textedit") << false << false << int(Host::Mac) << "Preview Selected Forms"
                              << "Print/Preview"
                              << "Printing and previewing are done via TextEdit." << true << false;
    QTest::newRow("other desktop") << false << false << int(Host::Other) << "Preview Selected Forms"
                                   << "Print/Preview"
                                   << "Printing and previewing are done via Some Writer," << true << false;
}

void tst_SelectedForms::dialogDependsOnWord()
{
    QFETCH(bool, wordFound);
    QFETCH(bool, forceWord);
    QFETCH(int, host);
    QFETCH(QString, title);
    QFETCH(QString, okText);
    QFETCH(QString, noteStart);
    QFETCH(bool, forceBoxShown);
    QFETCH(bool, forceBoxTicked);

    TfrmSelectedForms dialog(wordFound, forceWord, Host(host), QStringLiteral("Some Writer"));
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QPushButton *>("cbtnOk")->text(), okText);
    QCOMPARE(dialog.findChild<QPushButton *>("cbtnClose")->text(), QStringLiteral("Close"));
    auto *tabs = dialog.findChild<QTabWidget *>("tabForms");
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Minors"));
    auto *important = dialog.findChild<QLabel *>("lblImportantNote");
    auto *note = dialog.findChild<QLabel *>("lblNote");
    QCOMPARE(!important->isHidden(), !noteStart.isEmpty());
    QCOMPARE(!note->isHidden(), !noteStart.isEmpty());
    QCOMPARE(important->text(), QStringLiteral("Important Note:"));
    if (!noteStart.isEmpty())
        QVERIFY2(note->text().startsWith(noteStart), qPrintable(note->text()));
    auto *force = dialog.findChild<QCheckBox *>("cbxForceWord");
    QCOMPARE(!force->isHidden(), forceBoxShown);
    QCOMPARE(force->isChecked(), forceBoxTicked);
    for (int form = 0; form < kelvox::kFormCount; ++form)
        QVERIFY(!dialog.formBox(form)->isChecked());

    dialog.accept();
    QCOMPARE(dialog.forceWord(), forceBoxShown && forceBoxTicked);
}

void tst_SelectedForms::boxesFollowTheFormTable()
{
    TfrmSelectedForms dialog(false, false, Host::Other, QStringLiteral("x"));
    const auto pageOf = [](kelvox::FormTab tab) {
        return tab == kelvox::FormTab::Minors   ? QStringLiteral("tabMinors")
               : tab == kelvox::FormTab::Adults ? QStringLiteral("tabAdults")
                                                : QStringLiteral("tabMiscellaneous");
    };
    int boxes = 0;
    for (int form = 0; form < kelvox::kFormCount; ++form) {
        const kelvox::FormEntry &entry = kelvox::FormTable()[static_cast<size_t>(form)];
        QCheckBox *box = dialog.formBox(form);
        QVERIFY2(box, entry.BoxName);
        QCOMPARE(box->text(), QString::fromUtf8(entry.Caption));
        QCOMPARE(box->parentWidget()->objectName(), pageOf(entry.Tab));
        ++boxes;
    }
    // The force box is the only other one.
    QCOMPARE(dialog.findChildren<QCheckBox *>().size(), boxes + 1);
}

void tst_SelectedForms::checkAllFromTheContextMenuAndShortcut()
{
    TfrmSelectedForms dialog(false, false, Host::Other, QStringLiteral("x"));
    auto *tabs = dialog.findChild<QTabWidget *>("tabForms");
    QCOMPARE(tabs->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(tabs->actions().size(), 1);
    QAction *checkAll = tabs->actions().first();
    QCOMPARE(checkAll->text(), QStringLiteral("Test - Check All"));
    QCOMPARE(checkAll->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_A, Qt::ControlModifier);
    for (int form = 0; form < kelvox::kFormCount; ++form)
        QVERIFY(dialog.formBox(form)->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox *>("cbxForceWord")->isChecked());
}

void tst_SelectedForms::cancellingNeitherRecalculatesNorWrites()
{
    TestPrompter prompter;
    TestDesktop desktop;
    QTemporaryDir settings;
    kelvox::TAnswer answers;
    ZeroMeasurer measurer;
    bool forceWord = true;
    int recalcs = 0;
    prompter.dialogs.push_back([](QDialog &d) {
        static_cast<TfrmSelectedForms &>(d).CheckAll();
        QTimer::singleShot(0, &d, [&d] { QTest::mouseClick(d.findChild<QPushButton *>("cbtnClose"), Qt::LeftButton); });
        return d.exec();
    });
    const QString file = SendToWordProcessor(nullptr, answers, measurer, {kRtfDir, kRtfDir, settings.path()}, false,
                                             forceWord, [&] { ++recalcs; });
    QVERIFY(file.isEmpty());
    QCOMPARE(recalcs, 0);
    QVERIFY(forceWord);
    QVERIFY(QDir(settings.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(desktop.opened.isEmpty() && desktop.programs.isEmpty());
}

void tst_SelectedForms::confirmingWritesTheWorkFileAndLaunches_data()
{
    QTest::addColumn<bool>("wordFound");
    QTest::addColumn<bool>("tickForce");
    QTest::addColumn<bool>("forceAfter");
    QTest::addColumn<QString>("program"); // empty: opened through the desktop

    QTest::newRow("desktop program") << false << false << false << "";
    QTest::newRow("word forced") << false << true << true << "WINWORD.EXE";
    QTest::newRow("word found clears force") << true << true << false << "WINWORD.EXE";
}

void tst_SelectedForms::confirmingWritesTheWorkFileAndLaunches()
{
    QFETCH(bool, wordFound);
    QFETCH(bool, tickForce);
    QFETCH(bool, forceAfter);
    QFETCH(QString, program);

    TestPrompter prompter;
    TestDesktop desktop;
    kelvox::CollectingSink sink;
    QTemporaryDir settings;
    kelvox::TAnswer answers;
    answers.Set(3, 0, 3,
                "Ren\xC3\xA9"
                "e {Doe}");
    answers.NoOf18_9 = 2;
    answers.Set(12, 1, 150, "second listing page");
    ZeroMeasurer measurer;
    bool forceWord = !tickForce;
    int recalcs = 0;
    prompter.dialogs.push_back([&](QDialog &d) {
        auto &dialog = static_cast<TfrmSelectedForms &>(d);
        QTimer::singleShot(0, &d, [&] {
            ClickBox(dialog.formBox(kelvox::FindForm("18.1")));
            ClickBox(dialog.formBox(kelvox::FindForm("18.9")));
            auto *force = dialog.findChild<QCheckBox *>("cbxForceWord");
            if (!force->isHidden() && force->isChecked() != tickForce)
                ClickBox(force);
            force->setChecked(tickForce); // a hidden box still does not count
            QTest::mouseClick(dialog.findChild<QPushButton *>("cbtnOk"), Qt::LeftButton);
        });
        return d.exec();
    });
    // The account's closing page has no fixture template: copy one in.
    QTemporaryDir templates;
    for (const char *name : {"PAGE3.RTF", "PAGE3.DAT", "PAGE12.RTF", "PAGE12.DAT", "PAGE14.RTF", "PAGE14.DAT"})
        QVERIFY(QFile::copy(kRtfDir + "/" + name, templates.filePath(QString::fromLatin1(name))));
    QVERIFY(QFile::copy(kRtfDir + "/PAGE3.RTF", templates.filePath("PAGE13.RTF")));
    QVERIFY(QFile::copy(kRtfDir + "/PAGE3.DAT", templates.filePath("PAGE13.DAT")));

    const QString file =
        SendToWordProcessor(nullptr, answers, measurer, {templates.path(), templates.path(), settings.path()},
                            wordFound, forceWord, [&] { ++recalcs; });
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(recalcs, 1);
    QCOMPARE(forceWord, forceAfter);
    QCOMPARE(file, QDir(settings.path()).filePath("send_temp.RTF"));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(written.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
             QFileDevice::Permissions());
    QVERIFY(bytes.contains("Name: \\cf2 Ren\\u233?e \\{Doe\\}\\cf0 \\par\r\n"));
    QVERIFY2(bytes.contains("ACCOUNT CONTINUED second listing page"), bytes.constData());
    QCOMPARE(bytes.count("\\page "), 3);
    QVERIFY(!bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
    QVERIFY(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
    QVERIFY(sink.Codes().empty());

    if (program.isEmpty()) {
        const RtfOpener opener = RtfOpener::find();
        if (opener.program.isEmpty()) {
            QCOMPARE(desktop.opened, QStringList{file});
        } else {
            QCOMPARE(desktop.programs, QStringList{opener.program});
            QCOMPARE(desktop.argumentLists.value(0).last(), file);
        }
    } else {
        QCOMPARE(desktop.programs, QStringList{program});
        QCOMPARE(desktop.argumentLists.value(0), QStringList{file});
        QVERIFY(desktop.opened.isEmpty());
    }
}

void tst_SelectedForms::nothingTickedWritesNothing()
{
    TestPrompter prompter;
    TestDesktop desktop;
    QTemporaryDir settings;
    kelvox::TAnswer answers;
    ZeroMeasurer measurer;
    bool forceWord = false;
    int recalcs = 0;
    prompter.dialogs.push_back([](QDialog &d) {
        d.accept();
        return d.result();
    });
    QVERIFY(SendToWordProcessor(nullptr, answers, measurer, {kRtfDir, kRtfDir, settings.path()}, false, forceWord, [&] {
                ++recalcs;
            }).isEmpty());
    QCOMPARE(recalcs, 1);
    QVERIFY(QDir(settings.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(desktop.opened.isEmpty() && desktop.programs.isEmpty());
}

void tst_SelectedForms::launchFailureShowsMessage1155()
{
    TestDesktop desktop;
    desktop.succeed = false;
    kelvox::CollectingSink sink;
    const RtfOpener opener{QStringLiteral("Writer"), QStringLiteral("/usr/bin/writer")};
    LaunchWordProcessor("/tmp/send_temp.RTF", "/tmp", false, Host::Other, opener);
    LaunchWordProcessor("/tmp/send_temp.RTF", "/tmp", false, Host::Other, RtfOpener{});
    LaunchWordProcessor("send_temp.RTF", "/tmp", false, Host::Windows, opener);
    LaunchWordProcessor("send_temp.RTF", "/tmp", true, Host::Mac, opener);
    QCOMPARE(sink.Codes(), (std::vector<std::uint16_t>{11550, 11550, 11550, 11550}));
    QCOMPARE(desktop.programs, (QStringList{"/usr/bin/writer", "WORDPAD.EXE", "WINWORD.EXE"}));
    QCOMPARE(desktop.argumentLists.value(0), (QStringList{"--writer", "/tmp/send_temp.RTF"}));
    QCOMPARE(desktop.opened, QStringList{"/tmp/send_temp.RTF"});
    desktop.succeed = true;
    sink.Clear();
    LaunchWordProcessor("/tmp/send_temp.RTF", "/tmp", false, Host::Other, RtfOpener{});
    QVERIFY(sink.Codes().empty());
}

void tst_SelectedForms::unreadableTemplateStopsBeforeTheWorkFile()
{
    TestPrompter prompter;
    TestDesktop desktop;
    QTemporaryDir settings;
    QTemporaryDir empty;
    kelvox::TAnswer answers;
    ZeroMeasurer measurer;
    bool forceWord = false;
    prompter.dialogs.push_back([](QDialog &d) {
        static_cast<TfrmSelectedForms &>(d).CheckAll();
        d.accept();
        return d.result();
    });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, SendToWordProcessor(nullptr, answers, measurer,
                                                                     {empty.path(), empty.path(), settings.path()},
                                                                     false, forceWord, [] {}));
    QVERIFY(QDir(settings.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(desktop.opened.isEmpty() && desktop.programs.isEmpty());
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_SelectedForms test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SelectedForms.moc"
