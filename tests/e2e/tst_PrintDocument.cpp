#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "files/ClientFile.h"
#include "main/KelvoxApplication.h"
#include "messages/CollectingSink.h"
#include "output/FontStandIns.h"
#include "output/PrtSend.h"
#include "output/QtTextMeasurer.h"
#include "output/RtfMerge.h"
#include "output/WorkFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

const QString kProgramDir = QStringLiteral(KELVOX_PROGRAM_DIR);
const QString kInjection = QStringLiteral("{\\field{\\*\\fldinst HYPERLINK x}}");
const QString kControlWords = QStringLiteral("Fee {x} \\par \\b0 y\\");

struct Run {
    int exitCode = -1;
    QByteArray out;
};

Run RunTool(const QString &program, const QStringList &arguments, int timeoutMs = 180000)
{
    QProcess p;
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(timeoutMs))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    return r;
}

// LibreOffice exits 0 even when it cannot load a document: the output must exist.
QString Convert(const QString &rtf, const QTemporaryDir &dir, const QString &format)
{
    const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("lo-profile"))).toString();
    RunTool(QStringLiteral("soffice"),
            {QStringLiteral("--headless"), QStringLiteral("-env:UserInstallation=") + profile,
             QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), dir.path(), rtf});
    QString out = rtf;
    out.replace(QRegularExpression(QStringLiteral("\\.[^./]+$")), "." + format);
    return QFile::exists(out) ? out : QString();
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int PageCount(const QString &pdf)
{
    const Run r = RunTool(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(r.out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PageText(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                                                   QStringLiteral("-l"), n, pdf, QStringLiteral("-")})
                                 .out);
}

// Words of the heading or foot line that name each page's form.
const std::map<int, QString> kFormNames{
    {0, "GENERAL INFORMATION WORKSHEET"},
    {1, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {2, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {23, "FORM 18.0 - PETITION FOR ADOPTION OF MINOR"},
    {3, "FORM 18.1 - JUDGMENT ENTRY SETTING HEARING"},
    {4, "FORM 18.2 - NOTICE OF HEARING ON PETITION FOR ADOPTION"},
    {5, "FORM 18.2 - NOTICE OF HEARING ON PETITION FOR ADOPTION"},
    {6, "FORM 18.3 - CONSENT TO ADOPTION"},
    {7, "FORM 18.4 - JUDGMENT ENTRY FINDING CONSENT NOT"},
    {8, "FORM 18.5 - INTERLOCUTORY ORDER OF ADOPTION"},
    {9, "FORM 18.6 - FINAL DECREE OF ADOPTION (AFTER INTERLOCUTORY ORDER)"},
    {10, "FORM 18.7 - FINAL DECREE OF ADOPTION (WITHOUT INTERLOCUTORY ORDER)"},
    {11, "FORM 18.8 - ADOPTION CERTIFICATE FOR PARENTS"},
    {12, "FORM 18.9 - PETITIONER'S ACCOUNT"},
    {13, "FORM 18.9 - PETITIONER'S ACCOUNT"},
    {15, "FORM 19.0 - PETITION FOR ADOPTION OF ADULT"},
    {16, "FORM 19.01 - JUDGMENT ENTRY SETTING HEARING"},
    {17, "FORM 19.1 - FINAL ORDER OF ADOPTION OF ADULT"},
    {25, "FORM 19.2 - PETITION TO RECOGNIZE FOREIGN ADOPTION"},
    {26, "FORM 19.2 - PETITION TO RECOGNIZE FOREIGN ADOPTION"},
    {27, "FORM 19.3 - ORDER FOR OHIO BIRTH RECORD FOR FOREIGN BORN CHILD"},
    {28, "FORM 19.3 - ORDER FOR OHIO BIRTH RECORD FOR FOREIGN BORN CHILD"},
    {20, "CONSENT TO CHANGE OF NAME"},
    {21, "AFFIDAVIT OF ADOPTED PERSON"},
    {22, "HEA 2757 - CERTIFICATE OF ADOPTION"},
    {24, "EXPENSE WORKSHEET"},
};

QString Squeezed(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

} // namespace

class tst_PrintDocument final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyFormOfAFilledCase();
    void captionNamesKeepTheirAccentsInCapitals();
    void aRealFieldWouldShowAsALink();

private:
    void assemble();

    QTemporaryDir m_dir;
    kelvox::TAnswer m_answers;
    kelvox::WSchedList m_worksheet;
    std::vector<kelvox::PageCopy> m_pages;
    QString m_workFile;
    QString m_pdf;
};

void tst_PrintDocument::initTestCase()
{
    for (const char *tool : {"soffice", "pdfinfo", "pdftotext"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
    FontStandIns::Install();
    QVERIFY(m_dir.isValid());
    assemble();
}

// A filled case: the shipped defaults, then the general information with
// accented names and an answer that would be a field if it were not escaped.
void tst_PrintDocument::assemble()
{
    QVERIFY(kelvox::OpenFile((kProgramDir + "/default.kvx").toStdString(), m_answers, m_worksheet));
    const std::map<int, QString> general{
        {0, "Summit"},
        {1, "José Muñoz"},
        {2, "Hon. Inés Zúñiga"},
        {3, "José García-Muñoz"},
        {4, "2026-ADP-0042"},
        {5, "Renée Ødegård"},
        {6, "41"},
        {7, kInjection},
        {8, "39"},
        {9, "12 Ashgrove Lane"},
        {10, "Akron"},
        {11, "Summit"},
        {13, "44303"},
        {28, "Zoë Brontë"},
        {35, "Łukasz Wróbel"},
        {42, "X"},
    };
    for (const auto &[index, text] : general)
        m_answers.Set(0, 0, index, text.toStdString());
    m_answers.NoOf18_2 = 2;
    m_answers.NoOf18_3 = 1;
    m_answers.NoOf18_4 = 1;
    m_worksheet.Rows = {
        {"Akron Beacon Journal | 44 E Exchange St", "Publication of notice", "3/2/2026", "85.50", "85.50"},
        {"Summit County Probate Court", kControlWords.toStdString(), "3/1/2026", "250", "250"}};

    QtTextMeasurer measurer;
    kelvox::CollectingSink sink;
    m_answers.Calculate(m_worksheet, measurer);
    QVERIFY(m_answers.NoOf18_9 >= 1);
    QVERIFY(m_answers.NoOfWorksheet >= 1);

    kelvox::FormSelection all;
    all.fill(true);
    m_pages = kelvox::SelectedPages(all, m_answers);
    kelvox::RtfMerge merge(m_answers, measurer, (kProgramDir + "/DAT").toStdString());
    QVERIFY(kelvox::AssembleDocument(merge, all, m_answers, (kProgramDir + "/RTF").toStdString()));
    m_workFile = m_dir.filePath(QStringLiteral("send_temp.RTF"));
    kelvox::SaveWorkFile(m_workFile.toStdString(), merge.DocumentText());
    QCOMPARE(sink.Codes(), std::vector<std::uint16_t>{});

    QFile file(m_workFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
    QVERIFY(!bytes.contains("REDUCE TEXT"));
    QVERIFY(
        !QRegularExpression(QStringLiteral("/[*<#+$@%^&][0-9]{1,3}/")).match(QString::fromLatin1(bytes)).hasMatch());

    m_pdf = Convert(m_workFile, m_dir, QStringLiteral("pdf"));
    QVERIFY2(!m_pdf.isEmpty(), "LibreOffice made no PDF of the work file");
}

void tst_PrintDocument::everyFormOfAFilledCase()
{
    QCOMPARE(PageCount(m_pdf), static_cast<int>(m_pages.size()));
    bool injectionSeen = false;
    bool controlWordsSeen = false;
    for (std::size_t k = 0; k < m_pages.size(); ++k) {
        const int type = m_pages[k].PageType;
        const QString text = Squeezed(PageText(m_pdf, static_cast<int>(k) + 1));
        const QString where = QStringLiteral("page %1 (type %2)").arg(k + 1).arg(type);
        const QString name = kFormNames.at(type == 14 ? 12 : type);
        QVERIFY2(text.contains(name), qPrintable(where + " lacks \"" + name + "\":\n" + text));
        if (type != 21 && type != 24)
            QVERIFY2(text.contains(QStringLiteral("2026-ADP-0042")), qPrintable(where + " lacks the case number"));
        QVERIFY2(!text.contains(QStringLiteral("REDUCE TEXT")), qPrintable(where));
        injectionSeen = injectionSeen || text.contains(kInjection);
        controlWordsSeen = controlWordsSeen || text.contains(kControlWords);
    }
    QVERIFY2(injectionSeen, "the answer with RTF in it printed nowhere as text");
    QVERIFY2(controlWordsSeen, "the worksheet row with control words printed nowhere as text");

    const QString general = Squeezed(PageText(m_pdf, 1));
    for (const char *answer : {"José Muñoz", "José García-Muñoz", "Hon. Inés Zúñiga", "Renée Ødegård", "Zoë Brontë",
                               "Łukasz Wróbel", "12 Ashgrove Lane"})
        QVERIFY2(general.contains(QString::fromUtf8(answer)),
                 qPrintable(answer + QStringLiteral(" not on the worksheet:\n") + general));
    QVERIFY2(general.contains(QStringLiteral("☒")) && general.contains(QStringLiteral("☐")),
             "the worksheet shows a ticked and an empty box");
    QVERIFY2(general.contains(QStringLiteral("First petitioner Renée Ødegård")), qPrintable(general));

    const QString petition = Squeezed(PageText(m_pdf, 2));
    QVERIFY2(petition.contains(QStringLiteral("PROBATE COURT OF SUMMIT COUNTY, OHIO")), qPrintable(petition));
    QVERIFY2(petition.contains(QStringLiteral("Renée Ødegård")), qPrintable(petition));

    // An escaped answer adds no field: LibreOffice would write a link for it.
    const QString html = Convert(m_workFile, m_dir, QStringLiteral("html"));
    QVERIFY(!html.isEmpty());
    const QByteArray page = Contents(html);
    QVERIFY(page.contains("HYPERLINK x"));
    QVERIFY(!page.contains("<a href"));
}

void tst_PrintDocument::captionNamesKeepTheirAccentsInCapitals()
{
    std::size_t adult = 0;
    while (adult < m_pages.size() && m_pages[adult].PageType != 15)
        ++adult;
    QVERIFY(adult < m_pages.size());
    const QString text = Squeezed(PageText(m_pdf, static_cast<int>(adult) + 1));
    QVERIFY2(text.contains(QStringLiteral("MU")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("JOSÉ MUÑOZ")), qPrintable(text));
}

// The control for the check above: a document with a real field gets a link.
void tst_PrintDocument::aRealFieldWouldShowAsALink()
{
    const QString rtf = m_dir.filePath(QStringLiteral("field.rtf"));
    QFile file(rtf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 before "
               "{\\field{\\*\\fldinst HYPERLINK \"http://example.invalid/\"}{\\fldrslt link}} after\\par}");
    file.close();
    const QString html = Convert(rtf, m_dir, QStringLiteral("html"));
    QVERIFY(!html.isEmpty());
    QVERIFY(Contents(html).contains("<a href=\"http://example.invalid/\""));
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_PrintDocument test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PrintDocument.moc"
