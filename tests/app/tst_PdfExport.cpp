#include "MainFixture.h"
#include "TestDesktop.h"
#include "TestPrompter.h"
#include "main/KelvoxApplication.h"
#include "output/PdfExport.h"
#include "output/PrtSend.h"
#include "output/TfrmPrintPreview.h"
#include "output/TfrmSelectedForms.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_PdfExport final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportAndPreviewShowTheSamePages();
    void withoutLibreOfficeTheUserIsToldWhatToInstall_data();
    void withoutLibreOfficeTheUserIsToldWhatToInstall();
    void cancelStopsLibreOfficeAndKeepsTheOldFile();
    void officeWithoutOutputIsAFailure();
    void suggestionFollowsTheCase_data();
    void suggestionFollowsTheCase();
};

namespace {

const QStringList kThreeForms{QStringLiteral("GenInfo"), QStringLiteral("18.0"), QStringLiteral("18.1")};

kelvox::FormSelection Ticked(const QStringList &forms)
{
    kelvox::FormSelection ticked{};
    for (const QString &form : forms)
        ticked[static_cast<size_t>(kelvox::FindForm(form.toStdString()))] = true;
    return ticked;
}

// Ticks the forms and confirms: with the named button, or with Enter (the
// default button) when none is named.
std::function<int(QDialog &)> Confirm(const QStringList &forms, const QString &button = QString())
{
    return [forms, button](QDialog &d) {
        auto &dialog = static_cast<TfrmSelectedForms &>(d);
        for (const QString &form : forms)
            dialog.formBox(kelvox::FindForm(form.toStdString()))->setChecked(true);
        dialog.show();
        if (button.isEmpty())
            QTest::keyClick(&dialog, Qt::Key_Return);
        else
            dialog.findChild<QPushButton *>(button)->click();
        return dialog.result();
    };
}

QString Tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString &pdf)
{
    const QString info = Tool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString Text(const QString &pdf)
{
    return Tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Alive and not yet reaped counts as running; a zombie does not.
bool Running(qint64 pid)
{
    const QByteArray stat = Contents(QStringLiteral("/proc/%1/stat").arg(pid));
    const int end = stat.lastIndexOf(')');
    return end > 0 && stat.size() > end + 2 && stat.at(end + 2) != 'Z';
}

// A folder with a stand-in "soffice" that runs `script`, and a PATH of only it
// and the basic tools.
class FakeOffice final {
public:
    explicit FakeOffice(const QByteArray &script) : m_path(qgetenv("PATH"))
    {
        QFile file(m_dir.filePath(QStringLiteral("soffice")));
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n" + script);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", (m_dir.path() + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
    }
    ~FakeOffice() { qputenv("PATH", m_path); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

bool HaveTools()
{
    for (const char *tool : {"soffice", "pdfinfo", "pdftotext"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

} // namespace

void tst_PdfExport::exportAndPreviewShowTheSamePages()
{
    if (!HaveTools())
        QSKIP("needs LibreOffice and poppler-utils");
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    auto *petitioner = fixture.control<QLineEdit>(QStringLiteral("edtPetitioner1"));
    QVERIFY(petitioner);
    fixture.typeAndLeave(petitioner, QStringLiteral("Marguerite Quillfeather"));

    // File > Export PDF: Enter confirms with Export PDF; a name without an
    // extension gets ".pdf".
    QTemporaryDir out;
    prompter.dialogs.push_back(Confirm(kThreeForms));
    prompter.fileNames.push_back(out.filePath(QStringLiteral("three forms")));
    window.action(QStringLiteral("mnuExportPdf"))->trigger();
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.questions.size(), 0);
    QCOMPARE(prompter.fileDialogFilters, QStringList{QStringLiteral("PDF Files (*.pdf)")});
    QVERIFY2(prompter.fileDialogStarts.value(0).endsWith(QStringLiteral("/Untitled.pdf")),
             qPrintable(prompter.fileDialogStarts.value(0)));
    QVERIFY(desktop.programs.isEmpty() && desktop.opened.isEmpty());

    const QString pdf = out.filePath(QStringLiteral("three forms.pdf"));
    QVERIFY(Contents(pdf).startsWith("%PDF"));
    QCOMPARE(QFile::permissions(pdf) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    const int pages = PageCount(pdf);
    QCOMPARE(pages, static_cast<int>(kelvox::SelectedPages(Ticked(kThreeForms), *window.state().Answers).size()));
    const QString text = Text(pdf);
    for (const char *expected : {"GENERAL INFORMATION WORKSHEET", "FORM 18.0 - PETITION FOR ADOPTION OF MINOR",
                                 "FORM 18.1 - JUDGMENT ENTRY SETTING HEARING", "Marguerite Quillfeather"})
        QVERIFY2(text.contains(QString::fromLatin1(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("18.2")));

    // The print dialog's Preview: the same pages, navigation and zoom, and
    // Send from there launches the word processor once.
    int shown = -1;
    prompter.dialogs.push_back(Confirm(kThreeForms, QStringLiteral("cbtnPreview")));
    prompter.dialogs.push_back([&](QDialog &d) {
        auto &preview = static_cast<TfrmPrintPreview &>(d);
        preview.show();
        shown = preview.pageCount();
        auto *label = preview.findChild<QLabel *>(QStringLiteral("lblPage"));
        const auto button = [&](const char *name) { return preview.findChild<QPushButton *>(QLatin1String(name)); };
        if (label->text() != QStringLiteral("Page 1 of %1").arg(shown) || button("btnPrior")->isEnabled())
            return -1;
        button("btnLast")->click();
        if (label->text() != QStringLiteral("Page %1 of %1").arg(shown) || button("btnNext")->isEnabled())
            return -2;
        button("btnPrior")->click();
        if (preview.currentPage() != shown - 2)
            return -3;
        const double fitted = preview.shownZoom();
        button("btnZoomIn")->click();
        if (!(preview.shownZoom() > fitted * 1.2))
            return -4;
        button("btnFitWidth")->click();
        button("btnSend")->click();
        return preview.result();
    });
    const QString workFile = [&] {
        window.action(QStringLiteral("mnuPrint"))->trigger();
        return QDir(window.state().SettingsFolder).filePath(QStringLiteral("send_temp.RTF"));
    }();
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.dialogClasses.mid(1),
             (QStringList{QStringLiteral("TfrmSelectedForms"), QStringLiteral("TfrmPrintPreview")}));
    QCOMPARE(shown, pages);
    QCOMPARE(desktop.programs.size() + desktop.opened.size(), 1);
    QVERIFY(QFile::exists(workFile));

    // File > Print Preview, then Export PDF from the preview: the PDF it
    // writes has the pages shown, and the preview closes.
    const QString fromPreview = out.filePath(QStringLiteral("from preview.pdf"));
    prompter.dialogs.push_back(Confirm(kThreeForms));
    prompter.dialogs.push_back([](QDialog &d) {
        d.show();
        d.findChild<QPushButton *>(QStringLiteral("btnExportPdf"))->click();
        return d.result();
    });
    prompter.fileNames.push_back(fromPreview);
    window.action(QStringLiteral("mnuPrintPreview"))->trigger();
    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.dialogClasses.mid(3),
             (QStringList{QStringLiteral("TfrmSelectedForms"), QStringLiteral("TfrmPrintPreview")}));
    QCOMPARE(PageCount(fromPreview), pages);
    QCOMPARE(desktop.programs.size() + desktop.opened.size(), 1);
}

void tst_PdfExport::withoutLibreOfficeTheUserIsToldWhatToInstall_data()
{
    QTest::addColumn<QString>("menu");
    QTest::newRow("export") << QStringLiteral("mnuExportPdf");
    QTest::newRow("preview") << QStringLiteral("mnuPrintPreview");
}

void tst_PdfExport::withoutLibreOfficeTheUserIsToldWhatToInstall()
{
    QFETCH(QString, menu);
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    prompter.answers.push_back(QMessageBox::Ok);
    prompter.dialogs.push_back(Confirm({QStringLiteral("18.1")}));
    window.action(menu)->trigger();
    qputenv("PATH", path);

    QCOMPARE(prompter.unexpected, 0);
    QCOMPARE(prompter.dialogClasses, QStringList{QStringLiteral("TfrmSelectedForms")});
    QCOMPARE(prompter.questions.size(), 1);
    QVERIFY(prompter.questions[0].text.contains(QStringLiteral("LibreOffice is not installed")));
    QVERIFY(prompter.questions[0].text.contains(QStringLiteral("sudo apt install libreoffice-writer")));
    QVERIFY2(prompter.fileDialogTitles.isEmpty(), "no name is asked for a PDF that cannot be made");
    QVERIFY(desktop.programs.isEmpty() && desktop.opened.isEmpty());
}

void tst_PdfExport::cancelStopsLibreOfficeAndKeepsTheOldFile()
{
    // Like LibreOffice's start script, the stand-in leaves a helper running.
    const QTemporaryDir scratch;
    const QString pids = scratch.filePath(QStringLiteral("pids"));
    FakeOffice office("sleep 120 &\necho \"$$ $!\" > '" + pids.toLocal8Bit() + "'\nwait\n");
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("case.pdf"));
    {
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("%PDF-1.4 the earlier export");
    }
    QTimer cancel;
    int progressSeen = 0;
    connect(&cancel, &QTimer::timeout, this, [&] {
        auto *progress = window.findChild<QProgressDialog *>(QStringLiteral("dlgPdfProgress"));
        if (!progress || !progress->isVisible() || Contents(pids).count(' ') != 1)
            return;
        ++progressSeen;
        progress->findChild<QPushButton *>()->click();
    });
    cancel.start(50);
    prompter.dialogs.push_back(Confirm({QStringLiteral("GenInfo")}, QStringLiteral("cbtnExportPdf")));
    prompter.fileNames.push_back(pdf);
    QElapsedTimer clock;
    clock.start();
    window.action(QStringLiteral("mnuPrint"))->trigger();
    cancel.stop();

    QVERIFY(clock.elapsed() < 60000);
    QCOMPARE(progressSeen, 1);
    QCOMPARE(prompter.unexpected, 0);
    QVERIFY2(prompter.questions.isEmpty(), "a cancel is no failure to report");
    QCOMPARE(Contents(pdf), QByteArray("%PDF-1.4 the earlier export"));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("case.pdf")});
    const QStringList started = QString::fromLatin1(Contents(pids)).simplified().split(QLatin1Char(' '));
    QCOMPARE(started.size(), 2);
    for (const QString &pid : started)
        QTRY_VERIFY2_WITH_TIMEOUT(!Running(pid.toLongLong()), qPrintable(pid + " still runs"), 3000);
}

void tst_PdfExport::officeWithoutOutputIsAFailure()
{
    FakeOffice office("echo 'Error: source file could not be loaded'\nexit 0\n");
    TestPrompter prompter;
    TestDesktop desktop;
    MainFixture fixture;
    TfrmMain &window = fixture.show();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("case.pdf"));
    {
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("%PDF-1.4 the earlier export");
    }
    prompter.answers.push_back(QMessageBox::Ok);
    prompter.dialogs.push_back(Confirm({QStringLiteral("GenInfo")}, QStringLiteral("cbtnExportPdf")));
    prompter.fileNames.push_back(pdf);
    window.action(QStringLiteral("mnuPrint"))->trigger();

    QCOMPARE(prompter.questions.size(), 1);
    QVERIFY(prompter.questions[0].text.contains(QStringLiteral("did not make a PDF")));
    QVERIFY(prompter.questions[0].text.contains(QStringLiteral("could not be loaded")));
    QCOMPARE(Contents(pdf), QByteArray("%PDF-1.4 the earlier export"));
}

void tst_PdfExport::suggestionFollowsTheCase_data()
{
    QTest::addColumn<QString>("caseFile");
    QTest::addColumn<QString>("caseName");
    QTest::addColumn<QString>("suggestion");
    QTest::newRow("saved case") << "/cases/Smith Adoption.kvx"
                                << "Other"
                                << "/cases/Smith Adoption.pdf";
    QTest::newRow("dots in the name") << "/cases/In re J.R. Smith.kvx"
                                      << ""
                                      << "/cases/In re J.R. Smith.pdf";
    QTest::newRow("untitled, named") << "Untitled.kvx"
                                     << "Baby Doe"
                                     << "/files/Baby Doe.pdf";
    QTest::newRow("untitled, slash in the name") << "UNTITLED.KVX"
                                                 << "Doe/Roe"
                                                 << "/files/Doe-Roe.pdf";
    QTest::newRow("untitled, no name") << "Untitled.kvx"
                                       << ""
                                       << "/files/Untitled.pdf";
}

void tst_PdfExport::suggestionFollowsTheCase()
{
    QFETCH(QString, caseFile);
    QFETCH(QString, caseName);
    QFETCH(QString, suggestion);
    QCOMPARE(PdfSuggestion(caseFile, QStringLiteral("/files"), caseName.toStdString()), suggestion);
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_PdfExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PdfExport.moc"
