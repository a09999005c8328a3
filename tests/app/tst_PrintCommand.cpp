#include "MainFixture.h"
#include "TestDesktop.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "output/PrtSend.h"
#include "output/TfrmSelectedForms.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

class tst_PrintCommand final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printStoresThePageAndSendsTheChosenForms();
    void forcingWordShowsOnTheMenu();
};

namespace {

// Ticks the named forms (and the Force Word box when asked) and confirms.
std::function<int(QDialog &)> Confirm(QStringList forms, bool forceWord = false)
{
    return [forms, forceWord](QDialog &d) {
        auto &dialog = static_cast<TfrmSelectedForms &>(d);
        for (const QString &form : forms)
            dialog.formBox(kelvox::FindForm(form.toStdString()))->setChecked(true);
        dialog.findChild<QCheckBox *>(QStringLiteral("cbxForceWord"))->setChecked(forceWord);
        dialog.accept();
        return dialog.result();
    };
}

} // namespace

void tst_PrintCommand::printStoresThePageAndSendsTheChosenForms()
{
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    // Typed but not yet left: printing stores the page on the screen first.
    auto *petitioner = fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1"));
    QVERIFY(petitioner);
    petitioner->setFocus();
    QTest::keyClicks(petitioner, QStringLiteral("Ren"));
    petitioner->insert(QStringLiteral("ée Ødegård"));

    prompter.dialogs.push_back(Confirm({QStringLiteral("GenInfo")}));
    window.action(QStringLiteral("mnuPrint"))->trigger();
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.dialogClasses, QStringList{QStringLiteral("TfrmSelectedForms")});
    QCOMPARE(window.state().Answers->Get(0, 0, 5), std::string("Renée Ødegård"));

    const QString workFile = QDir(window.state().SettingsFolder).filePath(QStringLiteral("send_temp.RTF"));
    QFile file(workFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    QVERIFY(rtf.contains("GENERAL INFORMATION WORKSHEET"));
    QVERIFY(rtf.contains("Ren\\u233?e \\u216?deg\\u229?rd"));
    QVERIFY(!rtf.contains("\\page "));
    QCOMPARE(desktop.programs.size() + desktop.opened.size(), 1);
}

void tst_PrintCommand::forcingWordShowsOnTheMenu()
{
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QVERIFY(!window.state().WordFound);

    prompter.dialogs.push_back(Confirm({QStringLiteral("18.1")}, true));
    window.action(QStringLiteral("mnuPrint"))->trigger();
    QVERIFY(window.state().ForceWord);
    QVERIFY(window.action(QStringLiteral("mnuForceWord"))->isChecked());
    QCOMPARE(desktop.programs, QStringList{QStringLiteral("WINWORD.EXE")});

    prompter.dialogs.push_back(Confirm({QStringLiteral("18.1")}, false));
    window.action(QStringLiteral("mnuPrint"))->trigger();
    QVERIFY(!window.state().ForceWord);
    QVERIFY(!window.action(QStringLiteral("mnuForceWord"))->isChecked());
    QCOMPARE(prompter.unexpected, 0);
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_PrintCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PrintCommand.moc"
