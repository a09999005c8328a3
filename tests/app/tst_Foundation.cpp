#include "MainFixture.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "main/TfrmMain.h"
#include "messages/QtMessageSink.h"
#include "messages/TfrmErrorDlg.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

class tst_Foundation final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mainWindowStartsUntitled();
    void errorMessageShowsTheDialogUntilOk();
};

void tst_Foundation::mainWindowStartsUntitled()
{
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Untitled.kvx"));
    QCOMPARE(window.answers().ProgramName, std::string("Kelvox Demo"));
    QVERIFY(window.close());
}

void tst_Foundation::errorMessageShowsTheDialogUntilOk()
{
    TestPrompter prompter;
    QtMessageSink sink;
    kelvox::MessageSink *previous = kelvox::SetMessageSink(&sink);

    QString first, second, caption;
    QSize size;
    bool hasCloseBox = true;
    prompter.dialogs.push_back([&](QDialog &dialog) {
        auto *errorDialog = qobject_cast<TfrmErrorDlg *>(&dialog);
        if (!errorDialog)
            return -1;
        QTimer::singleShot(0, &dialog, [&] {
            first = errorDialog->firstText();
            second = errorDialog->secondText();
            caption = dialog.windowTitle();
            size = dialog.size();
            hasCloseBox = dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint);
            QTest::keyClick(&dialog, Qt::Key_Escape); // ignored: only Ok closes it
            auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("cbtnOk"));
            QVERIFY(ok);
            QCOMPARE(ok->text(), QStringLiteral("Ok"));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        return dialog.exec();
    });

    kelvox::ErrorMessage(21192, "abc");
    kelvox::SetMessageSink(previous);

    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.beeps, 1);
    QCOMPARE(prompter.dialogClasses, QStringList{QStringLiteral("TfrmErrorDlg")});
    QCOMPARE(caption, QStringLiteral("Error/Warning/Notice Dialog"));
    QCOMPARE(size, QSize(537, 336));
    QVERIFY(!hasCloseBox);
    QVERIFY(first.startsWith(QStringLiteral("2119-Str2Float_0.")));
    QVERIFY(first.endsWith(QStringLiteral(": abc")));
    QVERIFY(second.startsWith(QStringLiteral("You can probably click OK")));
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_Foundation test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Foundation.moc"
