#include "../core/literal/LiteralFit.h"
#include "main/KelvoxApplication.h"
#include "output/FitText.h"
#include "output/FontStandIns.h"
#include "output/QtTextMeasurer.h"

#include <QTest>

class tst_QtMeasurer final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formFontsResolveToCloseMetrics();
    void typicalAddressWraps_data();
    void typicalAddressWraps();
    void rememberedWidthsEqualFreshOnes();
    void wrapsAsTheDescribedWalk();
};

void tst_QtMeasurer::formFontsResolveToCloseMetrics()
{
    const QString segoe = FontStandIns::Resolved(QStringLiteral("Segoe UI"));
    const QString arial = FontStandIns::Resolved(QStringLiteral("Arial"));
    qInfo("Segoe UI is drawn with %s, Arial with %s, Wingdings with %s", qPrintable(segoe), qPrintable(arial),
          qPrintable(FontStandIns::Resolved(QStringLiteral("Wingdings"))));
    QVERIFY2(segoe == QStringLiteral("Segoe UI") || segoe == QStringLiteral("Open Sans"), qPrintable(segoe));
    QVERIFY2(arial == QStringLiteral("Arial") || arial == QStringLiteral("Liberation Sans"), qPrintable(arial));

    const QtTextMeasurer measurer;
    const std::string text = "1234 Long Street Name Avenue";
    QCOMPARE(measurer.TextWidth(text, "Segoe UI", 10), measurer.TextWidth(text, segoe.toStdString(), 10));
    // 10 points at 96 dpi are 13 px whatever the screen.
    QVERIFY(measurer.TextWidth(text, "Segoe UI", 10) > measurer.TextWidth(text, "Segoe UI", 8));
}

void tst_QtMeasurer::typicalAddressWraps_data()
{
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<double>("inches");
    QTest::addColumn<QStringList>("lines");
    const QStringList asTyped{QStringLiteral("Dr. Jane Q. Public, M.D."),
                              QStringLiteral("1234 Long Street Name Avenue"), QStringLiteral("Columbus, OH 43215")};
    QTest::newRow("account listing") << 10.0 << 2.97 << asTyped;
    QTest::newRow("worksheet counting") << 8.0 << 2.75 << asTyped;
    QTest::newRow("worksheet layout") << 8.0 << 3.48 << asTyped;
    // Words move whole to the next line, a paragraph's last word too.
    QTest::newRow("half the column") << 10.0 << 1.5
                                     << QStringList{QStringLiteral("Dr. Jane Q. "), QStringLiteral("Public, M.D."),
                                                    QStringLiteral("1234 Long "),   QStringLiteral("Street Name "),
                                                    QStringLiteral("Avenue"),       QStringLiteral("Columbus, OH "),
                                                    QStringLiteral("43215")};
}

void tst_QtMeasurer::typicalAddressWraps()
{
    QFETCH(double, pointSize);
    QFETCH(double, inches);
    QFETCH(QStringList, lines);
    const QtTextMeasurer measurer;
    const kelvox::TStringArray wrapped =
        kelvox::WrapTextToWidth("Dr. Jane Q. Public, M.D. | 1234 Long Street Name Avenue | Columbus, OH 43215",
                                "Segoe UI", pointSize, inches, measurer);
    QStringList got;
    for (const std::string &line : wrapped)
        got << QString::fromStdString(line);
    QCOMPARE(got, lines);
}

void tst_QtMeasurer::rememberedWidthsEqualFreshOnes()
{
    const QtTextMeasurer measurer;
    const std::string text = "Wavy AVAT fiddly office";
    const double first = measurer.TextWidth(text, "Segoe UI", 10);
    QCOMPARE(measurer.TextWidth(text, "Segoe UI", 10), first);
    QCOMPARE(QtTextMeasurer().TextWidth(text, "Segoe UI", 10), first);
    QVERIFY(measurer.TextWidth(text, "Arial", 10) != first);
}

// Kerned glyphs do not add up, so the growing run must measure each prefix
// whole: the program's wrapping must give the described walk's lines.
void tst_QtMeasurer::wrapsAsTheDescribedWalk()
{
    const QtTextMeasurer measurer;
    const std::string texts[] = {
        "Dr. Jane Q. Public, M.D. | 1234 Long Street Name Avenue | Columbus, OH 43215",
        "AVAVAVAV WAWAWA Tyyyy fiffiffl office | Wilhelmina-Montgomery Ventures, LLC.",
        "   leading blanks and   inner   ones | | Ünïcödé Straße 12, Zürich",
    };
    for (const std::string &text : texts)
        for (double size : {8.0, 10.0})
            for (double inches = 0.3; inches < 4; inches += 0.17) {
                const QtTextMeasurer fresh;
                QCOMPARE(kelvox::WrapTextToWidth(text, "Segoe UI", size, inches, measurer),
                         kelvox::literal::WrapTextToWidth(text, "Segoe UI", size, inches, fresh));
            }
}

int main(int argc, char **argv)
{
    KelvoxApplication app(argc, argv);
    tst_QtMeasurer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_QtMeasurer.moc"
