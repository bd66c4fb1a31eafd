// The printed PQR: what each fill step puts where on the two pages, every filled test row on
// the page, and a filled report whose texts are neither cut nor run into each other.

#include "forms/pqr/pqrrptcombo.h"
#include "forms/pqr/tpqrreport.h"
#include "forms/pqr/tpqrreport_2.h"
#include "report/reportjob.h"
#include "report/reportlayout.h"
#include "forms/formregistry.h"
#include "support/documentsource.h"
#include "support/fakereportsource.h"
#include "support/reportchecks.h"

#include <QtTest>

using namespace Brenvik;

namespace {

// A new PQR window: its six grids, nothing filled.
FakeReportSource pqrWindow()
{
    FakeReportSource w;
    w.addGrid(QStringLiteral("weldingSequence"), 16, 8);
    w.addGrid(QStringLiteral("weldingSequenceUnit"), 1, 5);
    w.addGrid(QStringLiteral("tensileTestUnit"), 1, 6);
    w.addGrid(QStringLiteral("tensileTest"), 10, 7);
    w.addGrid(QStringLiteral("BendTest"), 10, 4);
    w.addGrid(QStringLiteral("filletWeldTestT"), 4, 3);
    return w;
}

// Settings for rows first to last of a grid column: the row number with a prefix.
QStringList columnRows(const QString &grid, int column, int first, int last, const QString &prefix = QString())
{
    QStringList settings;
    for (int row = first; row <= last; ++row)
        settings << QStringLiteral("cell:%1:%2:%3=%4%5").arg(grid).arg(row).arg(column).arg(prefix).arg(row);
    return settings;
}

QString lines(const QStringList &l)
{
    return l.join(QLatin1Char('\n'));
}

// The shipped example: GMAW on 3/8 in A36 plate in 2G, twelve passes, tension and side bends.
FakeReportSource exampleWindow()
{
    return readDocumentSource(QCoreApplication::applicationDirPath() + QStringLiteral("/examples/pqr-example.wrp"));
}

} // namespace

class TestPqrReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void fillSteps_data();
    void fillSteps();
    void previewingAgainGivesTheSamePages();
    void filledReportShowsEveryText_data();
    void filledReportShowsEveryText();
};

void TestPqrReport::fillSteps_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("expected");

    const QString seq = QStringLiteral("weldingSequence");
    const QStringList twelve = columnRows(seq, 2, 1, 12);
    const QString blank = QStringLiteral(" ");
    QTest::newRow("12 sequence rows: 1-8 on the left")
        << twelve << "wsGrid03" << lines({"1", "2", "3", "4", "5", "6", "7", "8"});
    QTest::newRow("12 sequence rows: 9-12 on the right, then blank lines")
        << twelve << "wsGrid13" << lines({"9", "10", "11", "12", blank, blank, blank, blank});
    QTest::newRow("row 15 is the right table's seventh line")
        << columnRows(seq, 7, 15, 15, "ts") << "wsGrid18" << lines(QStringList(6, blank) << "ts15" << blank);
    QTest::newRow("empty column: eight blank lines") << twelve << "wsGrid01" << lines(QStringList(8, blank));
    QTest::newRow("sequence units, left table")
        << QStringList{"cell:weldingSequenceUnit:0:0=in", "cell:weldingSequenceUnit:0:4=ipm"} << "wsUnit5" << "ipm";
    QTest::newRow("sequence units, right table")
        << QStringList{"cell:weldingSequenceUnit:0:0=in", "cell:weldingSequenceUnit:0:4=ipm"} << "wsUnit6" << "in";

    QTest::newRow("preheat in F") << QStringList{"field:preheatTemperature=300", "check:unitTF"}
                                  << "PreheatTemperature" << "300 \u00B0F";
    QTest::newRow("empty preheat prints empty") << QStringList{"check:unitTF"} << "PreheatTemperature" << "";
    QTest::newRow("interpass min in C") << QStringList{"field:minInterT=10", "field:maxInterT=250"} << "MinInterT"
                                        << "10 \u00B0C";
    QTest::newRow("interpass max in C") << QStringList{"field:minInterT=10", "field:maxInterT=250"} << "MaxInterT"
                                        << "250 \u00B0C";

    QTest::newRow("page 1 memo: lines")
        << QStringList{"field:postWeldTreatment=None\\nAs welded"} << "PostWeldTreatment" << "None\nAs welded";
    QTest::newRow("page 1 cleaning: lines")
        << QStringList{"field:cleaningProcedures=Brush\\nGrind"} << "CleaningProcedures" << "Brush\nGrind";
    QTest::newRow("page 2 memo: lines") << QStringList{"field:otherTests=Macroetch\\nHardness"} << "OtherTests"
                                        << "Macroetch\nHardness";

    QTest::newRow("names match whatever the case")
        << QStringList{"field:locationOfTest=Halifax"} << "LocationOfTest" << "Halifax";
    QTest::newRow("first field of a name wins")
        << QStringList{"field:welderName=First", "field:WelderName=Second"} << "Weldername" << "First";
    QTest::newRow("test date beside DATE:") << QStringList{"field:wpdsDate=7 Dec 2026"} << "wpdsDate" << "7 Dec 2026";
    QTest::newRow("evaluation date") << QStringList{"field:vTestDate=8 Dec 2026"} << "vTestDate" << "8 Dec 2026";
    QTest::newRow("no filler text for an empty choice") << QStringList{"field:ifCE="} << "ifCE" << "";

    QTest::newRow("tension unit over the failure column")
        << QStringList{"cell:tensileTestUnit:0:5=None"} << "TTUnit6" << "None";
    QTest::newRow("tension row 9 prints")
        << columnRows(QStringLiteral("tensileTest"), 6, 1, 9, "T") << "TTGrid6"
        << lines({"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9"});
    QTest::newRow("bend row 9 prints alone")
        << columnRows(QStringLiteral("BendTest"), 0, 9, 9, "S") << "BTGrid0" << lines(QStringList(8, blank) << "S9");
    QTest::newRow("fillet multiple pass, row 2")
        << QStringList{"cell:filletWeldTestT:2:1=Pass"} << "Min_size_2" << "Pass";
    QTest::newRow("fillet single pass, row 3")
        << QStringList{"cell:filletWeldTestT:3:2=Fail"} << "Max_size_3" << "Fail";
}

void TestPqrReport::fillSteps()
{
    QFETCH(QStringList, settings);
    QFETCH(QString, element);
    QFETCH(QString, expected);
    FakeReportSource w = pqrWindow();
    for (const QString &s : settings)
        w.apply(s);
    PQRRptCombo report;
    report.prepareRpt(w);
    const ReportElement *e = elementOnPages({report.page1(), report.page2()}, element);
    QVERIFY(e);
    QCOMPARE(e->name, element); // spelled as on the paper form
    QCOMPARE(e->text, expected);
}

void TestPqrReport::previewingAgainGivesTheSamePages()
{
    FakeReportSource w = exampleWindow();
    w.picture = Picture::blank(QSize(40, 30));
    PQRRptCombo report;
    const ReportJob job = ReportJob::fromReport(report);
    QCOMPARE(job.title(), QStringLiteral("Welding Procedure Qualification Report"));
    QCOMPARE(job.pages().size(), 2);
    QCOMPARE(job.pages().first()->title(), QStringLiteral("PQR"));

    report.prepareRpt(w);
    const QStringList once = job.fieldLines();
    report.prepareRpt(w);
    QCOMPARE(job.fieldLines(), once);
    QVERIFY(once.contains(QStringLiteral("1:MaxInterT=450 \u00B0F")));
    QVERIFY(once.contains(QStringLiteral("2:Max_size_1=")));
    QVERIFY(!report.page1()->element(QStringLiteral("weldImage"))->picture.isNull());
    // The sketch description is not on the paper form.
    QVERIFY(!once.join(QLatin1Char('|')).contains(QLatin1String("60 deg included")));

    // Switching to degrees Celsius changes the unit, it never adds a second one.
    w.checked.remove(QStringLiteral("unitTF"));
    w.picture = Picture();
    report.prepareRpt(w);
    QCOMPARE(report.page1()->text(QStringLiteral("MaxInterT")), QStringLiteral("450 \u00B0C"));
    QVERIFY(report.page1()->element(QStringLiteral("weldImage"))->picture.isNull());
}

void TestPqrReport::filledReportShowsEveryText_data()
{
    QTest::addColumn<QString>("filler");
    QTest::addColumn<bool>("fullTables");
    QTest::newRow("the example") << QString() << false;
    QTest::newRow("every table row filled") << QString() << true;
    QTest::newRow("long values") << QStringLiteral("Lorem ipsum dolor sit amet ").repeated(6) << false;
}

void TestPqrReport::filledReportShowsEveryText()
{
    QFETCH(QString, filler);
    QFETCH(bool, fullTables);
    FakeReportSource w = exampleWindow();
    if (!filler.isEmpty())
        for (CollectedField &f : w.fields)
            f.value = filler;
    // The example's last row again down to the foot of each grid, numbered on: passes 13 to
    // 15, specimens T3 to T9 and S5 to S9.
    const struct {
        const char *grid;
        int filled, numbered;
        const char *prefix;
    } tables[] = {{"weldingSequence", 12, 2, ""}, {"tensileTest", 2, 0, "T"}, {"BendTest", 4, 0, "S"}};
    for (const auto &t : tables) {
        const QString grid = QString::fromLatin1(t.grid);
        for (int row = t.filled + 1; fullTables && row < w.gridRowCount(grid); ++row)
            for (int c = 0; c < w.gridColumnCount(grid); ++c)
                w.setCell(grid, row, c,
                          c == t.numbered ? t.prefix + QString::number(row) : w.gridCell(grid, t.filled, c));
    }
    PQRRptCombo report;
    report.prepareRpt(w);
    for (const ReportPage *page : report.pages()) {
        const QStringList found = textCollisions(*page);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String("; "))));
        if (!filler.isEmpty())
            continue;
        // Realistic values show whole.
        const ReportLayout layout(*page);
        for (int i = 0; i < page->elements().size(); ++i)
            QVERIFY2(!layout.textBox(i).cut, qPrintable(page->elements()[i].name + page->elements()[i].text));
    }
    if (!fullTables)
        return;
    // What is drawn: the ninth specimen of each test table, pass 15 on the right table's seventh line.
    const auto drawn = [](const ReportPage *page, const QString &name) {
        return ReportLayout(*page).textBox(page->indexOf(name)).lines;
    };
    QCOMPARE(drawn(report.page2(), QStringLiteral("TTGrid0")).value(8), QStringLiteral("T9"));
    QCOMPARE(drawn(report.page2(), QStringLiteral("BTGrid0")).value(8), QStringLiteral("S9"));
    QCOMPARE(drawn(report.page2(), QStringLiteral("BTGrid3")).value(8), QStringLiteral("No open discontinuities"));
    QCOMPARE(drawn(report.page1(), QStringLiteral("wsGrid13")).value(6), QStringLiteral("15"));
}

QTEST_MAIN(TestPqrReport)
#include "tst_pqrreport.moc"
