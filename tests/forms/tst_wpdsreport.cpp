// The WPDS data sheet: where every element sits, that no text runs into its neighbours, and
// the four passes that fill the page from a window.

#include "forms/wpds/twpdsreport.h"
#include "report/reportjob.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"
#include "support/fakereportsource.h"
#include "support/reportchecks.h"

#include <QtTest>

using namespace Brenvik;

namespace {

// A new WPDS window: its parameter grid, nothing filled.
FakeReportSource wpdsWindow()
{
    FakeReportSource w;
    w.addGrid(QStringLiteral("weldingParameters"), 15, 10);
    return w;
}

struct Expected {
    const char *name;
    ElementKind kind;
    qreal x, y;
};

constexpr ElementKind L = ElementKind::Label;
constexpr ElementKind M = ElementKind::Memo;

// Every data element where the paper form has it, in the form's order.
const Expected kData[] = {
    {"wpdsNo", L, 513, 50}, {"wpdsDate", L, 490, 70}, {"rev", L, 653, 70},
    {"companyName", L, 153, 97}, {"address", L, 122, 115}, {"refStandards", L, 643, 97},
    {"refWPQR", L, 623, 110}, {"refWPS", L, 618, 127},
    {"weldingProcess1", L, 243, 147}, {"pulsed1", L, 443, 147}, {"shieldingGasType1", L, 243, 167},
    {"processMode1", L, 243, 187}, {"weldingProcess2", L, 523, 147}, {"pulsed2", L, 717, 147},
    {"shieldingGasType2", L, 523, 167}, {"processMode2", L, 523, 187},
    {"position", L, 213, 212}, {"jointType", L, 213, 232}, {"penetration", L, 213, 252},
    {"material", L, 253, 272}, {"thickness", L, 388, 272}, {"method", L, 253, 292},
    {"ifBackgouging", L, 83, 312}, {"depth", L, 243, 312}, {"electrodeExtension", L, 213, 335},
    {"nozzleDiameter", L, 213, 355}, {"fluxClassification", L, 213, 375},
    {"TungstenElectrodeType", L, 243, 395}, {"diameter", L, 383, 395},
    {"cleaningProcedure", M, 213, 415}, {"technique", M, 213, 458},
    {"IBMSpec1", L, 130, 545}, {"IBMthickness1", L, 433, 543}, {"IBMReq1", L, 530, 545},
    {"IBMSpec2", L, 130, 563}, {"IBMThickness2", L, 433, 563}, {"IBMReq2", L, 530, 563},
    {"IFMProcess1", L, 73, 623}, {"IFMTradename1", L, 150, 623}, {"IFMClassification1", L, 350, 623},
    {"IFMGroup1", L, 473, 623}, {"IFMFillerTreatment1", L, 590, 623},
    {"IFMProcess2", L, 73, 643}, {"IFMTradeName2", L, 150, 643}, {"IFMClassification2", L, 350, 643},
    {"IFMGroup2", L, 473, 643}, {"IFMFillerTreatment2", L, 590, 643},
};
const qreal kMemoX[14] = {70, 112, 163, 202, 237, 300, 352, 417, 485, 525, 570, 630, 682, 733};
const Expected kFoot[] = {
    {"preheatMin", L, 142, 863}, {"interpassMax", L, 347, 863}, {"InterPassMin", L, 347, 878},
    {"postWeldTreatment", L, 102, 913}, {"remarks", M, 77, 963},
};

QStringList expectedOrder()
{
    QStringList names;
    for (const Expected &e : kData)
        names << QString::fromLatin1(e.name);
    for (int n = 1; n <= 14; ++n)
        names << QStringLiteral("wpUnit%1").arg(n);
    for (int n = 1; n <= 14; ++n)
        names << QStringLiteral("wp%1").arg(n);
    for (const Expected &e : kFoot)
        names << QString::fromLatin1(e.name);
    return names;
}

// A window with every field filled, long values included.
FakeReportSource filledWindow(const QString &filler)
{
    FakeReportSource w = wpdsWindow();
    for (const QString &name : expectedOrder())
        w.set(name, filler);
    for (int row = 1; row <= 14; ++row)
        for (int column = 1; column <= 9; ++column)
            w.setCell(QStringLiteral("weldingParameters"), row, column, filler);
    return w;
}

} // namespace

class TestWpdsReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataElementsWhereTheFormHasThem_data();
    void dataElementsWhereTheFormHasThem();
    void rulesAndFrame();
    void fieldOrder();

    void noTextRunsIntoItsNeighbours_data();
    void noTextRunsIntoItsNeighbours();
    void captionsAreNeverCut();

    void temperatures_data();
    void temperatures();
    void unitSwitchDoesNotDouble();
    void parameterColumnsKeepPassLines();
    void namesMatchWhateverTheCase_data();
    void namesMatchWhateverTheCase();
    void checkBoxesPrintYesOrNo();
    void postweldLinesPrintAsLines();
    void onlyPrefixedElementsTakeGridValues();
    void sketch();
    void preparingTwiceGivesTheSamePage();
    void printFields();
};

void TestWpdsReport::dataElementsWhereTheFormHasThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPointF>("position");
    for (const Expected &e : kData)
        QTest::newRow(e.name) << QString::fromLatin1(e.name) << int(e.kind) << QPointF(e.x, e.y);
    for (const Expected &e : kFoot)
        QTest::newRow(e.name) << QString::fromLatin1(e.name) << int(e.kind) << QPointF(e.x, e.y);
    for (int n = 1; n <= 14; ++n) {
        const QByteArray memo = QStringLiteral("wp%1").arg(n).toLatin1();
        QTest::newRow(memo) << QString::fromLatin1(memo) << int(M) << QPointF(kMemoX[n - 1], 730);
    }
    QTest::newRow("weldImage") << "weldImage" << int(ElementKind::Image) << QPointF(465, 227);
}

void TestWpdsReport::dataElementsWhereTheFormHasThem()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QPointF, position);
    TWPDSReport report;
    const ReportElement *e = report.page()->element(name);
    QVERIFY(e);
    QCOMPARE(e->name, name); // spelled as designed
    QCOMPARE(int(e->kind), kind);
    QCOMPARE(QPointF(e->x, e->y), position);
    QCOMPARE(e->font.pointSize, 8.0);
}

void TestWpdsReport::rulesAndFrame()
{
    TWPDSReport report;
    const ReportPage &page = *report.page();
    QCOMPARE(page.frame(), QRectF(QPointF(67, 48), QPointF(769, 1008)));
    QSet<int> fullWidth;
    QSet<int> parameterColumns;
    for (const ReportElement &e : page.elements()) {
        if (e.kind == ElementKind::HRule && e.x == 67 && e.width == 702)
            fullWidth << int(e.y);
        if (e.kind == ElementKind::VRule && e.y == 681 && e.height == 160)
            parameterColumns << int(e.x);
    }
    QCOMPARE(fullWidth, (QSet<int>{91, 145, 205, 500, 520, 540, 560, 580, 600, 620, 640, 660, 680, 729, 840, 860}));
    QCOMPARE(parameterColumns, (QSet<int>{109, 162, 197, 232, 299, 342, 410, 484, 524, 567, 624, 679, 732}));
    const ReportElement *image = page.element(QStringLiteral("weldImage"));
    QCOMPARE(QSizeF(image->width, image->height), QSizeF(302, 273));
    bool titleFound = false;
    for (const ReportElement &e : page.elements())
        if (e.text == QLatin1String("WELDING PROCEDURE DATA SHEET"))
            titleFound = e.font.pointSize == 14 && e.font.bold && e.x == 73 && e.y == 50;
    QVERIFY(titleFound);
}

void TestWpdsReport::fieldOrder()
{
    TWPDSReport report;
    QStringList names;
    for (const auto &f : report.page()->dataFields())
        names << f.first;
    QCOMPARE(names, expectedOrder());
}

void TestWpdsReport::noTextRunsIntoItsNeighbours_data()
{
    QTest::addColumn<QString>("filler");
    QTest::newRow("empty") << QString();
    QTest::newRow("short") << QStringLiteral("12");
    QTest::newRow("long") << QString(120, QLatin1Char('W'));
    QTest::newRow("long words") << QStringLiteral("Lorem ipsum dolor sit amet ").repeated(12);
}

void TestWpdsReport::noTextRunsIntoItsNeighbours()
{
    QFETCH(QString, filler);
    TWPDSReport report;
    const FakeReportSource window = filledWindow(filler);
    report.prepareRpt(window);
    const QStringList found = textCollisions(*report.page());
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String("; "))));
}

void TestWpdsReport::captionsAreNeverCut()
{
    TWPDSReport report;
    report.prepareRpt(filledWindow(QString(80, QLatin1Char('M'))));
    const ReportLayout layout(*report.page());
    const QList<ReportElement> &elements = report.page()->elements();
    for (int i = 0; i < elements.size(); ++i)
        if (elements[i].kind == ElementKind::Caption)
            QVERIFY2(!layout.textBox(i).cut, qPrintable(elements[i].text));
}

void TestWpdsReport::temperatures_data()
{
    QTest::addColumn<QString>("preheat");
    QTest::addColumn<bool>("fahrenheit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty, C") << QString() << false << QString();
    QTest::newRow("empty, F") << QString() << true << QString();
    QTest::newRow("worded, no unit") << QStringLiteral("None") << false << QStringLiteral("None");
    QTest::newRow("blank, no unit") << QStringLiteral("  ") << false << QStringLiteral("  ");
    QTest::newRow("value, C") << QStringLiteral("100") << false << QStringLiteral("100 \u00B0C");
    QTest::newRow("value, F") << QStringLiteral("300") << true << QStringLiteral("300 \u00B0F");
    QTest::newRow("its own unit") << QStringLiteral("300F") << false << QStringLiteral("300F");
    QTest::newRow("its own unit with a degree sign") << QStringLiteral("150 \u00B0c min.") << true
                                                     << QStringLiteral("150 \u00B0c min.");
    QTest::newRow("its own unit in words") << QStringLiteral("200 deg. F") << false << QStringLiteral("200 deg. F");
    QTest::newRow("a length is no unit") << QStringLiteral("100 for 1 h per 25 mm") << false
                                         << QStringLiteral("100 for 1 h per 25 mm \u00B0C");
    QTest::newRow("range with words") << QStringLiteral("min. 150 to 200") << false
                                      << QStringLiteral("min. 150 to 200 \u00B0C");
}

void TestWpdsReport::temperatures()
{
    QFETCH(QString, preheat);
    QFETCH(bool, fahrenheit);
    QFETCH(QString, expected);
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("preheatMin"), preheat);
    w.set(QStringLiteral("InterpassMax"), preheat);
    w.set(QStringLiteral("InterPassMin"), preheat);
    if (fahrenheit)
        w.checked << QStringLiteral("unitTF");
    TWPDSReport report;
    report.prepareRpt(w);
    for (const char *name : {"preheatMin", "interpassMax", "InterPassMin"})
        QCOMPARE(report.page()->text(QString::fromLatin1(name)), expected);
}

void TestWpdsReport::unitSwitchDoesNotDouble()
{
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("preheatMin"), QStringLiteral("50"));
    w.set(QStringLiteral("InterpassMax"), QStringLiteral("250"));
    TWPDSReport report;
    report.prepareRpt(w);
    report.prepareRpt(w);
    QCOMPARE(report.page()->text(QStringLiteral("preheatMin")), QStringLiteral("50 \u00B0C"));
    w.checked << QStringLiteral("unitTF");
    report.prepareRpt(w);
    QCOMPARE(report.page()->text(QStringLiteral("preheatMin")), QStringLiteral("50 \u00B0F"));
    QCOMPARE(report.page()->text(QStringLiteral("interpassMax")), QStringLiteral("250 \u00B0F"));
    QCOMPARE(report.page()->text(QStringLiteral("InterPassMin")), QString());
}

void TestWpdsReport::parameterColumnsKeepPassLines()
{
    FakeReportSource w = wpdsWindow();
    w.setCell(QStringLiteral("weldingParameters"), 1, 1, QStringLiteral("mm"));
    w.setCell(QStringLiteral("weldingParameters"), 1, 2, QStringLiteral("6"));
    w.setCell(QStringLiteral("weldingParameters"), 1, 4, QStringLiteral("12"));
    w.setCell(QStringLiteral("weldingParameters"), 14, 9, QStringLiteral("1.2"));
    TWPDSReport report;
    report.prepareRpt(w);
    const ReportPage &page = *report.page();
    QCOMPARE(page.lines(QStringLiteral("wp1")), (QStringList{"6", " ", "12", " ", " ", " ", " ", " "}));
    QCOMPARE(page.lines(QStringLiteral("wp14")), (QStringList{" ", " ", " ", " ", " ", " ", " ", "1.2"}));
    QCOMPARE(page.lines(QStringLiteral("wp7")), QStringList(8, QStringLiteral(" ")));
    QCOMPARE(page.text(QStringLiteral("wpUnit1")), QStringLiteral("mm"));
    QCOMPARE(page.text(QStringLiteral("wpUnit2")), QString());
    // All eight lines show, on the same pitch in every column.
    const ReportLayout layout(page);
    const int first = page.indexOf(QStringLiteral("wp1"));
    const int last = page.indexOf(QStringLiteral("wp14"));
    QCOMPARE(layout.textBox(first).lines.size(), 8);
    QVERIFY(!layout.textBox(first).cut);
    QCOMPARE(layout.textBox(first).box.top(), layout.textBox(last).box.top());
    QCOMPARE(layout.textBox(first).lineHeight, layout.textBox(last).lineHeight);
}

void TestWpdsReport::namesMatchWhateverTheCase_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("element");
    QTest::newRow("IBMThickness1") << "IBMThickness1" << "IBMthickness1";
    QTest::newRow("IFMFIllerTreatment1") << "IFMFIllerTreatment1" << "IFMFillerTreatment1";
    QTest::newRow("IFMFIllerTreatment2") << "IFMFIllerTreatment2" << "IFMFillerTreatment2";
    QTest::newRow("IFMTradeName1") << "IFMTradeName1" << "IFMTradename1";
    QTest::newRow("InterpassMax") << "InterpassMax" << "interpassMax";
}

void TestWpdsReport::namesMatchWhateverTheCase()
{
    QFETCH(QString, control);
    QFETCH(QString, element);
    FakeReportSource w = wpdsWindow();
    w.set(control, QStringLiteral("value"));
    TWPDSReport report;
    report.prepareRpt(w);
    QVERIFY(report.page()->text(element).startsWith(QLatin1String("value")));
}

void TestWpdsReport::checkBoxesPrintYesOrNo()
{
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("pulsed1"), QStringLiteral("No"));
    w.set(QStringLiteral("pulsed2"), QStringLiteral("Yes"));
    w.set(QStringLiteral("ifBackgouging"), QStringLiteral("No"));
    w.set(QStringLiteral("wpdsDate"), QStringLiteral("5 Jan 1998"));
    TWPDSReport report;
    report.prepareRpt(w);
    QCOMPARE(report.page()->text(QStringLiteral("pulsed1")), QStringLiteral("No"));
    QCOMPARE(report.page()->text(QStringLiteral("pulsed2")), QStringLiteral("Yes"));
    QCOMPARE(report.page()->text(QStringLiteral("ifBackgouging")), QStringLiteral("No"));
    QCOMPARE(report.page()->text(QStringLiteral("wpdsDate")), QStringLiteral("5 Jan 1998"));
}

void TestWpdsReport::postweldLinesPrintAsLines()
{
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("postWeldTreatment"), QStringLiteral("620 C\\n2 h"));
    w.set(QStringLiteral("remarks"), QStringLiteral("one\\ntwo"));
    TWPDSReport report;
    report.prepareRpt(w);
    QCOMPARE(report.page()->text(QStringLiteral("postWeldTreatment")), QStringLiteral("620 C\n2 h"));
    QCOMPARE(report.page()->lines(QStringLiteral("remarks")), (QStringList{"one", "two"}));
    const ReportLayout layout(*report.page());
    QCOMPARE(layout.textBox(report.page()->indexOf(QStringLiteral("postWeldTreatment"))).lines,
             (QStringList{"620 C", "2 h"}));
}

void TestWpdsReport::onlyPrefixedElementsTakeGridValues()
{
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("wpdsNo"), QStringLiteral("W-7"));
    w.set(QStringLiteral("wpdsDate"), QStringLiteral("7 Dec 2026"));
    w.set(QStringLiteral("wp1"), QStringLiteral("from a field"));
    TWPDSReport report;
    report.prepareRpt(w);
    QCOMPARE(report.page()->text(QStringLiteral("wpdsNo")), QStringLiteral("W-7"));
    QCOMPARE(report.page()->text(QStringLiteral("wpdsDate")), QStringLiteral("7 Dec 2026"));
    QCOMPARE(report.page()->lines(QStringLiteral("wp1")), QStringList(8, QStringLiteral(" ")));
}

void TestWpdsReport::sketch()
{
    FakeReportSource w = wpdsWindow();
    TWPDSReport report;
    w.picture = Picture::blank(QSize(40, 30));
    report.prepareRpt(w);
    QVERIFY(!report.page()->element(QStringLiteral("weldImage"))->picture.isNull());
    w.picture = Picture();
    report.prepareRpt(w);
    QVERIFY(report.page()->element(QStringLiteral("weldImage"))->picture.isNull());
}

void TestWpdsReport::preparingTwiceGivesTheSamePage()
{
    FakeReportSource w = filledWindow(QStringLiteral("x"));
    TWPDSReport report;
    ReportJob job = ReportJob::fromReport(report);
    report.prepareRpt(w);
    const QStringList once = job.fieldLines();
    report.prepareRpt(w);
    QCOMPARE(job.fieldLines(), once);
    QCOMPARE(job.title(), QStringLiteral("WPDS"));
}

void TestWpdsReport::printFields()
{
    FakeReportSource w = wpdsWindow();
    w.set(QStringLiteral("wpdsNo"), QStringLiteral(" WPDS-1 "));
    w.set(QStringLiteral("technique"), QStringLiteral("stringer\\nweave"));
    w.setCell(QStringLiteral("weldingParameters"), 3, 2, QStringLiteral("1"));
    TWPDSReport report;
    report.prepareRpt(w);
    const QStringList lines = ReportJob::fromReport(report).fieldLines();
    QCOMPARE(lines.size(), expectedOrder().size());
    QCOMPARE(lines.first(), QStringLiteral("1:wpdsNo= WPDS-1 "));
    QVERIFY(lines.contains(QStringLiteral("1:technique=stringer\\nweave")));
    QVERIFY(lines.contains(QStringLiteral("1:wp3=1\\n \\n \\n \\n \\n \\n \\n ")));
    QVERIFY(lines.contains(QStringLiteral("1:preheatMin=")));
    QCOMPARE(lines.last(), QStringLiteral("1:remarks="));
}

QTEST_MAIN(TestWpdsReport)
#include "tst_wpdsreport.moc"
