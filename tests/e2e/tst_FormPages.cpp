// Every form of a filled case, assembled and printed by LibreOffice: each page
// of the document is one printed page of its form, the breaks between them hold,
// and no answer of the case is too long for its place.

#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "main/KelvoxApplication.h"
#include "output/PrtSend.h"
#include "output/QtTextMeasurer.h"
#include "output/RtfMerge.h"
#include "output/WorkFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace kelvox;

class tst_FormPages final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyPageIsOnePrintedPageOfItsForm();

private:
    static QString Run(const QString &program, const QStringList &arguments);
    QTemporaryDir m_dir;
};

namespace {

// The foot line each page type prints, as the court's forms name themselves.
const std::map<int, QString> kFootLines = {
    {0, "GENERAL INFORMATION WORKSHEET"},
    {1, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {2, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {23, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {3, "FORM 18.1 - JUDGMENT ENTRY SETTING HEARING AND ORDERING NOTICE"},
    {4, "FORM 18.2 - NOTICE OF HEARING ON PETITION FOR ADOPTION"},
    {5, "FORM 18.2 - NOTICE OF HEARING ON PETITION FOR ADOPTION"},
    {6, "FORM 18.3 - CONSENT TO ADOPTION"},
    {7, "FORM 18.4 - JUDGMENT ENTRY FINDING CONSENT NOT REQUIRED"},
    {8, "FORM 18.5 - INTERLOCUTORY ORDER OF ADOPTION"},
    {9, "FORM 18.6 - FINAL DECREE OF ADOPTION (AFTER INTERLOCUTORY ORDER)"},
    {10, "FORM 18.7 - FINAL DECREE OF ADOPTION (WITHOUT INTERLOCUTORY ORDER)"},
    {11, "FORM 18.8 - ADOPTION CERTIFICATE FOR PARENTS"},
    {12, "FORM 18.9 - PETITIONER'S ACCOUNT"},
    {13, "FORM 18.9 - PETITIONER'S ACCOUNT"},
    {15, "FORM 19.0 - PETITION FOR ADOPTION OF ADULT"},
    {16, "FORM 19.01 - JUDGMENT ENTRY SETTING HEARING"},
    {17, "FORM 19.1 - FINAL ORDER OF ADOPTION OF ADULT"},
    {20, "CONSENT TO CHANGE OF NAME"},
    {21, "AFFIDAVIT OF ADOPTED PERSON"},
    {22, "HEA 2757 - CERTIFICATE OF ADOPTION"},
    {24, "EXPENSE WORKSHEET"},
    {25, "FORM 19.2 - PETITION TO RECOGNIZE FOREIGN ADOPTION"},
    {26, "FORM 19.2 - PETITION TO RECOGNIZE FOREIGN ADOPTION"},
    {27, "FORM 19.3 - ORDER FOR OHIO BIRTH RECORD FOR FOREIGN BORN CHILD"},
    {28, "FORM 19.3 - ORDER FOR OHIO BIRTH RECORD FOR FOREIGN BORN CHILD"},
};

} // namespace

QString tst_FormPages::Run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(300000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

void tst_FormPages::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable("soffice").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("LibreOffice or poppler-utils missing: run scripts/setup");
}

void tst_FormPages::everyPageIsOnePrintedPageOfItsForm()
{
    TAnswer store;
    WSchedList worksheet;
    QVERIFY(OpenFile(KELVOX_TEST_DATA_DIR "/forms/filled_case.kvx", store, worksheet));
    QtTextMeasurer measurer;
    store.Calculate(worksheet, measurer);

    FormSelection all;
    all.fill(true);
    const std::vector<PageCopy> pages = SelectedPages(all, store);
    QVERIFY(pages.size() > 25);
    RtfMerge merge(store, measurer, KELVOX_PROGRAM_DIR "/DAT");
    QVERIFY(AssembleDocument(merge, all, store, KELVOX_PROGRAM_DIR "/RTF"));
    const QString rtf = m_dir.filePath("send_temp.RTF");
    SaveWorkFile(rtf.toStdString(), merge.DocumentText());

    Run("soffice", {"--headless", "-env:UserInstallation=file://" + m_dir.filePath("lo"), "--convert-to", "pdf",
                    "--outdir", m_dir.path(), rtf});
    const QString pdf = m_dir.filePath("send_temp.pdf");
    QVERIFY2(QFile::exists(pdf), "LibreOffice did not convert the work file");
    // KELVOX_E2E_OUT=DIR keeps the document and its PDF there, to look at.
    if (const QString keep = qEnvironmentVariable("KELVOX_E2E_OUT"); !keep.isEmpty()) {
        QFile::remove(keep + "/forms.rtf");
        QFile::remove(keep + "/forms.pdf");
        QFile::copy(rtf, keep + "/forms.rtf");
        QFile::copy(pdf, keep + "/forms.pdf");
    }

    const QString info = Run("pdfinfo", {pdf});
    const QRegularExpressionMatch count = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    QVERIFY(count.hasMatch());
    QCOMPARE(count.captured(1).toInt(), int(pages.size()));

    const QString caseNumber = QString::fromStdString(store.Get(0, 0, 4));
    const QRegularExpression variable("/[*<#+$@%^&]\\d{1,3}/");
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const int type = pages[k].PageType;
        const QString page = QString::number(k + 1);
        const QString text = Run("pdftotext", {"-f", page, "-l", page, "-layout", pdf, "-"});
        const QString where = QStringLiteral("page %1 (type %2, copy %3)").arg(page).arg(type).arg(pages[k].Copy);
        QVERIFY2(text.contains(kFootLines.at(type)), qPrintable(where + ": foot line missing\n" + text));
        QVERIFY2(!text.contains("REDUCE TEXT"), qPrintable(where + ": an answer does not fit\n" + text));
        QVERIFY2(!text.contains(variable), qPrintable(where + ": a variable was not merged"));
        if (type != 21 && type != 24)
            QVERIFY2(text.contains(caseNumber, Qt::CaseInsensitive), qPrintable(where + ": no case number"));
    }
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_FormPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FormPages.moc"
