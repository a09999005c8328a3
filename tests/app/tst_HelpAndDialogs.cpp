#include "TestDesktop.h"
#include "TestPrompter.h"
#include "files/HelpCommands.h"
#include "files/PageScaler.h"
#include "files/TfrmAboutDlg.h"
#include "files/TfrmWindowScale.h"
#include "main/KelvoxApplication.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

class tst_HelpAndDialogs final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zoomDialogShowsItsValue();
    void zoomDialogOkAndCancel();
    void pageControlsScaleAndComeBack();
    void aboutBox();
    void manualFailures_data();
    void manualFailures();
    void manualOpensThroughTheDesktop();
    void helpPagesOpenFromTheProgramFolder();
    void shippedHelpPagesLinkToPagesThatExist();
    void manualIsBuiltIntoTheProgramFolder();
};

void tst_HelpAndDialogs::zoomDialogShowsItsValue()
{
    TfrmWindowScale dialog(1.0);
    QCOMPARE(dialog.valueLabel(), QStringLiteral("100%"));
    QCOMPARE(dialog.value(), 1.0);
    QCOMPARE(dialog.trackBar()->minimum(), 0);
    QCOMPARE(dialog.trackBar()->maximum(), 200);

    dialog.trackBar()->setFocus();
    QTest::keyClick(dialog.trackBar(), Qt::Key_Home);
    QCOMPARE(dialog.valueLabel(), QStringLiteral("0%"));
    QTest::keyClick(dialog.trackBar(), Qt::Key_End);
    QCOMPARE(dialog.valueLabel(), QStringLiteral("200%"));
    QCOMPARE(dialog.value(), 2.0);

    TfrmWindowScale half(0.5);
    QCOMPARE(half.valueLabel(), QStringLiteral("50%"));
    const auto texts = [&] {
        QStringList out;
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            out << label->text();
        return out;
    }();
    QVERIFY(texts.contains(QStringLiteral(
        "Drag the sliding cursor toward -0- to shrink form, toward 200% to enlarge. Try to stay near 100%.")));
    QVERIFY(texts.contains(QStringLiteral("0")));
    QVERIFY(texts.contains(QStringLiteral("200%")));
}

void tst_HelpAndDialogs::zoomDialogOkAndCancel()
{
    for (const char *button : {"cbtnOk", "cbtnCancel"}) {
        TfrmWindowScale dialog(1.0);
        dialog.show();
        dialog.setValue(0.75);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        QCOMPARE(dialog.result(),
                 QLatin1String(button) == QLatin1String("cbtnOk") ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(dialog.value(), 0.75);
    }
}

void tst_HelpAndDialogs::pageControlsScaleAndComeBack()
{
    QWidget panel;
    panel.resize(800, 1000);
    auto *frame = new QWidget(&panel);
    frame->setGeometry(10, 20, 400, 300);
    QFont font = frame->font();
    font.setPointSizeF(10);
    frame->setFont(font);
    auto *label = new QLabel(QStringLiteral("Name"), frame);
    label->setGeometry(5, 6, 101, 24);

    ScalePageControls(&panel, 0.5);
    QCOMPARE(frame->geometry(), QRect(5, 10, 200, 150));
    QCOMPARE(label->geometry(), QRect(2, 3, 50, 12));
    QCOMPARE(frame->font().pointSizeF(), 5.0);
    QCOMPARE(label->font().pointSizeF(), 5.0);

    ScalePageControls(&panel, 0.0);
    QCOMPARE(frame->size(), QSize(0, 0));
    QCOMPARE(label->size(), QSize(0, 0));

    ScalePageControls(&panel, 1.0);
    QCOMPARE(frame->geometry(), QRect(10, 20, 400, 300));
    QCOMPARE(label->geometry(), QRect(5, 6, 101, 24));
    QCOMPARE(label->font().pointSizeF(), 10.0);

    ScalePageControls(&panel, 2.0);
    QCOMPARE(label->geometry(), QRect(10, 12, 202, 48));
    QCOMPARE(label->font().pointSizeF(), 20.0);
}

void tst_HelpAndDialogs::aboutBox()
{
    TfrmAboutDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kelvox Version 4.12"));
    QCOMPARE(dialog.size(), QSize(500, 400));
    const auto *name = dialog.findChild<QLabel *>(QStringLiteral("lblProductName"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Brindlemoor"));
    QVERIFY(name->font().bold());
    QCOMPARE(name->font().pointSize(), 36);
    const auto *picture = dialog.findChild<QLabel *>(QStringLiteral("imgProduct"));
    QVERIFY(picture);
    QVERIFY(!picture->pixmap().isNull());

    TestPrompter prompter;
    QString shownClass;
    prompter.dialogs.push_back([&](QDialog &shown) {
        shownClass = QString::fromLatin1(shown.metaObject()->className());
        return int(QDialog::Accepted);
    });
    QWidget parent;
    HelpCommands(&parent).About();
    QCOMPARE(shownClass, QStringLiteral("TfrmAboutDlg"));
    QCOMPARE(prompter.unexpected, 0);
}

void tst_HelpAndDialogs::manualFailures_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("desktopResult");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing") << "none" << true << "The specified file was not found.";
    QTest::newRow("folder missing") << "nofolder" << true << "The specified path was not found.";
    QTest::newRow("no viewer") << "pdf" << false
                               << "There is no application associated with the given filename extension.";
    QTest::newRow("a folder named kelvox.pdf") << "dir" << true << "The specified file was not found.";
}

void tst_HelpAndDialogs::manualFailures()
{
    QFETCH(QString, setup);
    QFETCH(bool, desktopResult);
    QFETCH(QString, text);

    QTemporaryDir program;
    QString folder = program.path();
    if (setup == QLatin1String("nofolder"))
        folder += QStringLiteral("/gone");
    if (setup == QLatin1String("pdf")) {
        QFile pdf(program.filePath(QStringLiteral("kelvox.pdf")));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n");
    }
    if (setup == QLatin1String("dir"))
        QVERIFY(QDir(folder).mkdir(QStringLiteral("kelvox.pdf")));

    TestPrompter prompter;
    TestDesktop desktop;
    desktop.succeed = desktopResult;
    prompter.answers.push_back(QMessageBox::No);
    QWidget parent;
    HelpCommands(&parent).Manual(folder);

    QCOMPARE(prompter.questions.size(), 1);
    QCOMPARE(prompter.questions.front().icon, QMessageBox::Warning);
    QCOMPARE(prompter.questions.front().text, text);
    QCOMPARE(prompter.questions.front().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(desktop.opened.size(), desktopResult ? 0 : 1);
}

void tst_HelpAndDialogs::manualOpensThroughTheDesktop()
{
    QTemporaryDir program;
    QFile pdf(program.filePath(QStringLiteral("kelvox.pdf")));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.close();

    TestPrompter prompter;
    TestDesktop desktop;
    QWidget parent;
    // Without a trailing separator: the folder is joined with one.
    HelpCommands(&parent).Manual(program.path());
    QCOMPARE(prompter.questions.size(), 0);
    QCOMPARE(desktop.opened, QStringList{program.filePath(QStringLiteral("kelvox.pdf"))});
}

void tst_HelpAndDialogs::helpPagesOpenFromTheProgramFolder()
{
    TestPrompter prompter;
    TestDesktop desktop;
    desktop.succeed = false; // a failing browser shows nothing
    QWidget parent;
    const HelpCommands help(&parent);
    help.TableOfContents(QStringLiteral("/opt/kelvox/"));
    help.Tutorial(QStringLiteral("/opt/kelvox"));
    QCOMPARE(desktop.opened, (QStringList{QStringLiteral("/opt/kelvox/help/kelvox/default.htm"),
                                          QStringLiteral("/opt/kelvox/help/kelvox/tutorial/tutorial.htm")}));
    QCOMPARE(prompter.questions.size(), 0);
}

void tst_HelpAndDialogs::shippedHelpPagesLinkToPagesThatExist()
{
    const QDir help(QStringLiteral(KELVOX_PROGRAM_DIR "/help/kelvox"));
    const QStringList pages{QStringLiteral("default.htm"), QStringLiteral("tutorial/tutorial.htm")};
    const QRegularExpression link(QStringLiteral(R"((?:href|src)="([^"#]+)[^"]*")"));
    for (const QString &page : pages) {
        QFile file(help.filePath(page));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.contains(QStringLiteral("</html>")));
        const QDir pageFolder = QFileInfo(file.fileName()).dir();
        auto matches = link.globalMatch(html);
        int links = 0;
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            QVERIFY2(QFileInfo::exists(pageFolder.filePath(target)),
                     qPrintable(page + QStringLiteral(" -> ") + target));
            ++links;
        }
        QVERIFY2(links > 0, qPrintable(page));
    }
}

void tst_HelpAndDialogs::manualIsBuiltIntoTheProgramFolder()
{
#ifndef KELVOX_MANUAL_BUILT
    QSKIP("LibreOffice was not found at configure time; the manual is not built");
#endif
    QFile pdf(QStringLiteral(KELVOX_PROGRAM_DIR "/kelvox.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    QVERIFY(pdf.size() > 10000);
}

int main(int argc, char *argv[])
{
    KelvoxApplication app(argc, argv);
    tst_HelpAndDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_HelpAndDialogs.moc"
