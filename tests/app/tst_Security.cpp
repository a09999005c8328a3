#include "MainFixture.h"
#include "TestDesktop.h"
#include "TestPrompter.h"
#include "files/Settings.h"
#include "main/KelvoxApplication.h"
#include "output/PrtSend.h"
#include "output/RtfOpener.h"
#include "output/SendToWordProcessor.h"
#include "output/TfrmSelectedForms.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class tst_Security final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hostileFileNameReachesTheProgramAsOneArgument();
    void caseSettingsAndWorkFileAreOwnerOnly();
};

namespace {

const QString kHostile = QStringLiteral("a b;touch pwned1 $(touch pwned2) `touch pwned3` & | > < 'q' \"r\" \\ *");

mode_t ModeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 07777;
}

} // namespace

// The real desktop starts the RTF opener on a work file whose folder and name
// are full of shell syntax: the program gets them as one argument, and nothing
// in them runs.
void tst_Security::hostileFileNameReachesTheProgramAsOneArgument()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("arguments"));
    const QString program = dir.filePath(QStringLiteral("opener"));
    {
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + QFile::encodeName(out) +
                     "\"\n");
    }
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    const QString folder = dir.filePath(kHostile);
    QVERIFY(QDir().mkpath(folder));
    const QString workFile = kHostile + QStringLiteral(".RTF");
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    LaunchWordProcessor(workFile, folder, false, TfrmSelectedForms::Host::Other,
                        RtfOpener{QStringLiteral("Test opener"), program});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
    QDir::setCurrent(cwd);

    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> arguments = file.readAll().split('\0');
    QCOMPARE(arguments.takeLast(), QByteArray());
    QCOMPARE(arguments, (QList<QByteArray>{"--writer", QFile::encodeName(QDir(folder).absoluteFilePath(workFile))}));
    for (const char *name : {"pwned1", "pwned2", "pwned3"}) {
        QVERIFY2(!QFile::exists(dir.filePath(QLatin1String(name))), name);
        QVERIFY2(!QFile::exists(QDir(cwd).filePath(QLatin1String(name))), name);
    }
}

// With a permissive umask, what the window writes is still for its owner only.
void tst_Security::caseSettingsAndWorkFileAreOwnerOnly()
{
    const mode_t previous = ::umask(022);
    TestPrompter prompter;
    TestDesktop desktop;
    QString caseFile;
    QString settingsFile;
    QString workFile;
    {
        MainFixture fixture;
        TfrmMain &window = fixture.show();
        fixture.typeAndLeave(fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1")), QStringLiteral("Jane Roe"));

        caseFile = QDir(fixture.home()).filePath(QStringLiteral("confidential.kvx"));
        prompter.fileNames.push_back(caseFile);
        window.action(QStringLiteral("mnuSaveAs"))->trigger();

        prompter.dialogs.push_back([](QDialog &d) {
            auto &dialog = static_cast<TfrmSelectedForms &>(d);
            dialog.formBox(kelvox::FindForm("GenInfo"))->setChecked(true);
            dialog.accept();
            return dialog.result();
        });
        window.action(QStringLiteral("mnuPrint"))->trigger();
        workFile = QDir(window.state().SettingsFolder).filePath(QStringLiteral("send_temp.RTF"));
        settingsFile = QDir(window.state().SettingsFolder).filePath(QString::fromUtf8(kelvox::kSettingsFileName));
        QFile::remove(settingsFile);
        window.state().CaseChanged = false;
        window.close();
        QVERIFY(window.isHidden());

        QCOMPARE(prompter.unexpected, 0);
        for (const QString &path : {caseFile, workFile, settingsFile}) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QCOMPARE(ModeOf(path), mode_t(0600));
        }
    }
    ::umask(previous);
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_Security test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Security.moc"
