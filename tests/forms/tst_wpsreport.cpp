// The WPS report filled from a WPS window: the case-blind fills, radio buttons as Yes / No,
// temperatures with their unit, the unit row, every technique row, and the shipped example
// printed with nothing cut and nothing run into its neighbour.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "forms/formregistry.h"
#include "forms/wpsr/twpsr.h"
#include "forms/wpsr/twpsreport.h"
#include "forms/wpsr/twpsreport_2.h"
#include "forms/wpsr/wpsrrptcombo.h"
#include "report/reportlayout.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QRadioButton>
#include <QtTest>

using namespace Brenvik;

namespace {

QString examplePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/wps-example.wrp");
}

QString printed(const ReportPage &page, const QString &name)
{
    const int i = page.indexOf(name);
    return i < 0 ? QStringLiteral("<missing>") : page.elements().at(i).text;
}

} // namespace

class TestWpsReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void init();
    void cleanup();
    void fillSteps_data();
    void fillSteps();
    void newDocumentPrintsNoAndUnits();
    void everyTechniqueRowPrints();
    void exampleNothingCutOrOverlapping();
    void positionsOfTheForm();

private:
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<TempData> m_data;
};

void TestWpsReport::init()
{
    m_platform = std::make_unique<ScriptedPlatform>();
    m_data = std::make_unique<TempData>(true);
    AppState::instance().setChanged(false);
}

void TestWpsReport::cleanup()
{
    m_platform.reset();
    m_data.reset();
}

void TestWpsReport::fillSteps_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    // Names matched whatever their letter case.
    QTest::newRow("RevisionNo") << 1 << "RevisionNo" << "0";
    QTest::newRow("JointDesign") << 1 << "JointDesign" << "Single-V groove, 60 deg, back-gouged";
    QTest::newRow("PNo") << 1 << "PNo" << "1";
    QTest::newRow("OrificeOrGasCupSIze") << 2 << "OrificeOrGasCupSIze" << "5/8 in";
    QTest::newRow("INterpassCleaning") << 2 << "INterpassCleaning" << "Wire brush; remove silicon islands";
    QTest::newRow("date as d mmm yyyy") << 1 << "RevisionDate" << "20 Oct 2026";
    QTest::newRow("radio checked") << 1 << "ifMetal" << "Yes";
    QTest::newRow("radio unchecked") << 1 << "ifNonfusing" << "No";
    QTest::newRow("filler 1, centred column") << 1 << "AWSNoClass1" << "ER70S-6";
    QTest::newRow("preheat with unit") << 2 << "MinPreheatTemp" << "50 °F";
    QTest::newRow("postweld range with unit") << 2 << "postWeldTempRange" << "None °F";
    QTest::newRow("unit under Dia.") << 2 << "ETUnit2" << "in";
    QTest::newRow("unit under Travel Speed") << 2 << "ETUnit6" << "ipm";
    QTest::newRow("unit row column 0 empty") << 2 << "ETUnit1" << "";
    QTest::newRow("gas column") << 2 << "mixtureS" << "75 / 25";
}

void TestWpsReport::fillSteps()
{
    QFETCH(int, page);
    QFETCH(QString, element);
    QFETCH(QString, text);
    TWPSR w;
    QVERIFY(w.openFile(examplePath()));
    auto *report = qobject_cast<WPSRRptCombo *>(w.prepareReport());
    QVERIFY(report);
    QCOMPARE(report->title(), QStringLiteral("WPS"));
    QCOMPARE(report->pages().size(), 2);
    report->prepareRpt(w); // a second preview fills the same pages again: units never pile up
    const ReportPage &p = page == 1 ? static_cast<ReportPage &>(*report->page1()) : *report->page2();
    QCOMPARE(printed(p, element), text);
}

void TestWpsReport::newDocumentPrintsNoAndUnits()
{
    TWPSR w;
    auto *report = qobject_cast<WPSRRptCombo *>(w.prepareReport());
    for (const char *radio : {"ifMetal", "ifNonmetallic", "ifNonfusing", "ifOther"})
        QCOMPARE(printed(*report->page1(), radio), QStringLiteral("No"));
    QCOMPARE(printed(*report->page2(), "MinPreheatTemp"), QStringLiteral(" °C"));
    QCOMPARE(printed(*report->page2(), "ETUnit6"), QStringLiteral("m/min"));
    w.fieldAs<QRadioButton>("tensileTestUnitI")->click();
    w.prepareReport();
    QCOMPARE(printed(*report->page2(), "ETUnit2"), QStringLiteral("in"));
    QCOMPARE(printed(*report->page2(), "ETUnit6"), QStringLiteral("ipm"));
}

void TestWpsReport::everyTechniqueRowPrints()
{
    TWPSR w;
    TypedGrid *g = w.grid("ETGrid");
    g->setRowTexts(12, {"12", "GMAW", "ER70S-6", "0.045", "DCEP", "170-200", "21", "11-13", "Cap"});
    g->setCell(14, 8, "Last");
    auto *report = qobject_cast<WPSRRptCombo *>(w.prepareReport());
    const ReportPage &back = *report->page2();
    for (int c = 1; c <= 9; ++c) {
        const QStringList lines = back.lines(QStringLiteral("ETGrid%1").arg(c, 2, 10, QLatin1Char('0')));
        QCOMPARE(lines.size(), TWPSReport_2::kLayerRows);
        QCOMPARE(lines.at(11), g->cell(12, c - 1));
        QCOMPARE(lines.at(0), QStringLiteral(" ")); // an empty cell keeps its line
    }
    QCOMPARE(back.lines("ETGrid09").at(13), QStringLiteral("Last"));
    // All fourteen lines are drawn.
    const ReportLayout layout(back);
    const TextBox &box = layout.textBox(back.indexOf("ETGrid09"));
    QCOMPARE(box.lines.size(), 14);
    QVERIFY(!box.cut);
}

void TestWpsReport::exampleNothingCutOrOverlapping()
{
    TWPSR w;
    QVERIFY(w.openFile(examplePath()));
    FormReport *report = w.prepareReport();
    for (const ReportPage *page : report->pages()) {
        const ReportLayout layout(*page);
        const QList<ReportElement> &elements = page->elements();
        for (int i = 0; i < layout.count(); ++i) {
            if (!elements.at(i).isText())
                continue;
            QVERIFY2(!layout.textBox(i).cut, qPrintable(page->objectName() + ": " + elements.at(i).name + " "
                                                        + elements.at(i).text));
            for (int j = i + 1; j < layout.count(); ++j) {
                if (!elements.at(j).isText())
                    continue;
                const QRectF overlap = layout.inkRect(i).intersected(layout.inkRect(j));
                QVERIFY2(overlap.width() < 1 || overlap.height() < 1,
                         qPrintable(page->objectName() + ": " + elements.at(i).text + " / " + elements.at(j).text));
            }
        }
    }
}

void TestWpsReport::positionsOfTheForm()
{
    TWPSReport front;
    TWPSReport_2 back;
    QCOMPARE(front.band(), QRectF(37.44, 48, 701, 980));
    struct At {
        const ReportPage *page;
        const char *name;
        qreal x, y;
    };
    const At places[] = {{&front, "companyName", 86, 68}, {&front, "PQRNo", 610, 88},
                         {&front, "WeldingProcess1", 117, 128}, {&front, "ifOther", 202, 274},
                         {&front, "weldImage", 420, 172}, {&front, "baseMetalOther", 42, 644},
                         {&back, "GroovePosition", 128, 77}, {&back, "TungstenElecType", 378, 355},
                         {&back, "techniqueOther", 56, 645}, {&back, "ETGrid01", 8, 824},
                         {&back, "ETGrid09", 636, 824}};
    for (const At &a : places) {
        const ReportElement *e = a.page->element(a.name);
        QVERIFY2(e, a.name);
        QCOMPARE(QPointF(e->x, e->y), QPointF(a.x, a.y));
    }
}

QTEST_MAIN(TestWpsReport)
#include "tst_wpsreport.moc"
