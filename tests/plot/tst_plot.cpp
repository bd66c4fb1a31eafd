// The parameter plot: the working point on a curve, picking a curve with the mouse, what
// "Select" writes into each kind of parameter grid, the plot data file with bad or missing
// data, and the shipped curves against the melting-rate relation they were computed from.

#include "controls/typedgrid.h"
#include "forms/pqr/tpqr.h"
#include "forms/wpds/twpds.h"
#include "forms/wpsr/twpsr.h"
#include "plot/parameterfill.h"
#include "plot/plotdata.h"
#include "plot/txyplot.h"
#include "plot/xychart.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "userdata/userproperties.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cmath>

using namespace Brenvik;
using Item = ParameterTarget::Item;

namespace {


GridCells blank(int rows, int columns)
{
    return GridCells(rows, QStringList(columns, QString()));
}

QList<double> list(std::initializer_list<double> v)
{
    return QList<double>(v);
}

QByteArray plotFile(const QByteArray &set)
{
    return "[general]\r\nnumProcess=1\r\nprocess1=GMAW\r\n[GMAW]\r\nnumPlotType=1\r\nplotTypeID1=S1\r\n"
           "[S1]\r\ncaption=ER70S-6\r\nnumPlot=2\r\nplotCaption1=Amperage\r\nplotCaption2=Deposition Rate\r\n"
           "numLine=1\r\nlineLabel1=0.035\" DCEP 20Volt\r\n"
        + set;
}

} // namespace

class TestPlot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workingPoint_data();
    void workingPoint();
    void nearestCurve_data();
    void nearestCurve();
    void fillPlan_data();
    void fillPlan();
    void documentProcess_data();
    void documentProcess();
    void badData_data();
    void badData();
    void shippedCurves();
    void dialogPicksAndFillsWpds();
};

void TestPlot::workingPoint_data()
{
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<double>("at");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    const QList<double> up = list({100, 200, 400});
    const QList<double> amps = list({80, 120, 200});
    const QList<double> down = list({400, 200, 100});
    const QList<double> ampsDown = list({200, 120, 80});
    QTest::newRow("between points") << up << amps << 300.0 << "300.0" << "160.0";
    QTest::newRow("on a point") << up << amps << 200.0 << "200.0" << "120.0";
    QTest::newRow("below the first X") << up << amps << 20.0 << "100.0" << "80.0";
    QTest::newRow("above the last X") << up << amps << 999.0 << "400.0" << "200.0";
    QTest::newRow("list running down") << down << ampsDown << 150.0 << "150.0" << "100.0";
    QTest::newRow("running down, beyond its first X") << down << ampsDown << 450.0 << "400.0" << "200.0";
    QTest::newRow("running down, beyond its last X") << down << ampsDown << 50.0 << "100.0" << "80.0";
    QTest::newRow("two points with the same X") << list({100, 200, 200, 300}) << list({10, 20, 30, 40}) << 200.0
                                                << "200.0" << "20.0";
    QTest::newRow("rounded to one decimal") << list({0, 3}) << list({0, 1}) << 1.0 << "1.0" << "0.3";
}

void TestPlot::workingPoint()
{
    QFETCH(QList<double>, xs);
    QFETCH(QList<double>, ys);
    QFETCH(double, at);
    QFETCH(QString, x);
    QFETCH(QString, y);
    QLocale::setDefault(QLocale::c());
    PlotCurve curve;
    curve.x = xs;
    curve.y = {ys};
    const double at2 = curve.clampX(at);
    QCOMPARE(ParameterFill::formatOutput(at2), x);
    QCOMPARE(ParameterFill::formatOutput(curve.yAt(0, at2).value()), y);
    QVERIFY(!curve.yAt(1, at2)); // no second plot
}

void TestPlot::nearestCurve_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("index");
    // Two horizontal lines at y 100 and y 115, from x 0 to 200.
    QTest::newRow("on the first") << QPointF(50, 100) << 0;
    QTest::newRow("9.5 px above the first") << QPointF(50, 90.5) << 0;
    QTest::newRow("10.5 px above the first") << QPointF(50, 89.5) << -1;
    QTest::newRow("within both, nearer the second") << QPointF(120, 109) << 1;
    QTest::newRow("beyond a line's end") << QPointF(215, 100) << -1;
    QTest::newRow("near a line's end") << QPointF(206, 104) << 0;
}

void TestPlot::nearestCurve()
{
    QFETCH(QPointF, pos);
    QFETCH(int, index);
    const QList<QPolygonF> lines = {QPolygonF({QPointF(0, 100), QPointF(100, 100), QPointF(200, 100)}),
                                    QPolygonF({QPointF(0, 115), QPointF(200, 115)})};
    QCOMPARE(XyChart::nearestPolyline(lines, pos, 10), index);
}

void TestPlot::fillPlan_data()
{
    QTest::addColumn<ParameterTarget>("target");
    QTest::addColumn<GridCells>("cells");
    QTest::addColumn<QPoint>("current"); // (column, row)
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("writes"); // "row,column=text"
    QTest::addColumn<bool>("ask");
    QTest::addColumn<QPoint>("next");

    const ParameterTarget wpds = TWPDS::formTable().parameterTarget;
    const ParameterTarget pqr = TPQR::formTable().parameterTarget;
    const ParameterTarget wps = TWPSR::formTable().parameterTarget;
    const GridCells wpdsGrid = blank(15, 10);
    const QString label = QStringLiteral("0.035\" DCEP 20Volt ESO 3/8in");
    QTest::newRow("WPDS Imperial, title column: pass 1")
        << wpds << wpdsGrid << QPoint(0, 3) << false << label
        << QStringList{"5,2=GMAW", "6,2=0.035\"", "7,2=300.0", "8,2=177.4", "9,2=20", "10,2=DCEP", "14,2="} << false
        << QPoint(3, 3);
    QTest::newRow("WPDS Metric: millimetres")
        << wpds << wpdsGrid << QPoint(4, 1) << true << label
        << QStringList{"5,4=GMAW", "6,4=0.889", "7,4=7620.000", "8,4=177.4", "9,4=20", "10,4=DCEP", "14,4="} << false
        << QPoint(5, 1);
    GridCells lastFull = wpdsGrid;
    lastFull[8][9] = "150";
    QTest::newRow("WPDS last pass holds a current: ask, stay")
        << wpds << lastFull << QPoint(9, 1) << false << label
        << QStringList{"5,9=GMAW", "6,9=0.035\"", "7,9=300.0", "8,9=177.4", "9,9=20", "10,9=DCEP", "14,9="} << true
        << QPoint(9, 1);
    GridCells travel = wpdsGrid;
    travel[11][2] = "12";
    QTest::newRow("WPDS welding speed is kept and asks nothing; kJ/in from in/min")
        << wpds << travel << QPoint(2, 1) << false << label
        << QStringList{"5,2=GMAW", "6,2=0.035\"", "7,2=300.0", "8,2=177.4", "9,2=20", "10,2=DCEP", "14,2=17.7"}
        << false << QPoint(3, 1);
    // The heat input beside the new volts and amperes: V x A x 60 / (1000 x speed).
    const QStringList pass2 = {"5,2=GMAW", "6,2=0.889", "7,2=7620.000", "8,2=177.4", "9,2=20", "10,2=DCEP"};
    struct Heat { const char *name; const char *speed; const char *old; bool metric; const char *heat; };
    const Heat heats[] = {
        {"WPDS kJ/mm from mm/min, the old value asks", "300", "2.5", true, "0.71"},
        {"WPDS speed range gives a heat input range", "10-12", "", false, "17.7-21.3"},
        {"WPDS speed range with blanks and an en dash", "250 \u2013 300", "", true, "0.71-0.85"},
        {"WPDS speed 0 clears the old heat input", "0", "2.5", true, ""},
        {"WPDS speed not a number clears it", "fast", "2.5", true, ""},
        {"WPDS speed inf", "inf", "", true, ""},
        {"WPDS speed nan", "nan", "", true, ""},
        {"WPDS negative speed", "-300", "", true, ""},
        {"WPDS range running down", "300-250", "", true, ""},
        {"WPDS huge speed", "1e300", "", true, "0.00"},
    };
    for (const Heat &h : heats) {
        GridCells cells = wpdsGrid;
        cells[11][2] = QString::fromUtf8(h.speed);
        cells[14][2] = QString::fromLatin1(h.old);
        QStringList writes = pass2;
        if (!h.metric)
            writes[1] = "6,2=0.035\"", writes[2] = "7,2=300.0";
        QTest::newRow(h.name) << wpds << cells << QPoint(2, 1) << h.metric << label
                              << (writes << QStringLiteral("14,2=") + QString::fromLatin1(h.heat)) << (*h.old != 0)
                              << QPoint(3, 1);
    }
    GridCells speedOnly = wpdsGrid;
    speedOnly[11][2] = "300";
    QTest::newRow("WPDS volts beyond any number: no heat input")
        << wpds << speedOnly << QPoint(2, 1) << true << QStringLiteral("0.035\" DCEP 1e308Volt")
        << QStringList{"5,2=GMAW", "6,2=0.889", "7,2=7620.000", "8,2=177.4", "9,2=1e308", "10,2=DCEP", "14,2="}
        << false << QPoint(3, 1);
    QTest::newRow("PQR Metric, fraction diameter")
        << pqr << blank(16, 8) << QPoint(0, 4) << true << QStringLiteral("1/8\" DCEP 27Volt")
        << QStringList{"4,3=3.175", "4,4=7620.000", "4,5=177.4", "4,6=27"} << false << QPoint(0, 5);
    QTest::newRow("PQR diameter in mm, Imperial")
        << pqr << blank(16, 8) << QPoint(0, 0) << false << QStringLiteral("1.2mm DCEP 24Volt")
        << QStringList{"1,3=0.047\"", "1,4=300.0", "1,5=177.4", "1,6=24"} << false << QPoint(0, 2);
    QTest::newRow("PQR diameter in mm, Metric as given")
        << pqr << blank(16, 8) << QPoint(0, 1) << true << QStringLiteral("1.2mm DCEP 24volt")
        << QStringList{"1,3=1.2", "1,4=7620.000", "1,5=177.4", "1,6=24"} << false << QPoint(0, 2);
    GridCells wpsLast = blank(15, 9);
    wpsLast[14][1] = "SMAW";
    QTest::newRow("WPS last row: ask, stays current")
        << wps << wpsLast << QPoint(3, 14) << false << QStringLiteral("0.045\"=1.2mm DCEP 26Volt")
        << QStringList{"14,1=GMAW", "14,2=ER70S-6", "14,3=0.045\"", "14,4=DCEP", "14,5=177.4", "14,6=26"} << true
        << QPoint(3, 14);
    QTest::newRow("WPS Metric, a diameter that does not convert")
        << wps << blank(15, 9) << QPoint(0, 2) << true << QStringLiteral("thick DCEN 30Volt")
        << QStringList{"2,1=GMAW", "2,2=ER70S-6", "2,3=", "2,4=DCEN", "2,5=177.4", "2,6=30"} << false
        << QPoint(0, 3);
}

void TestPlot::fillPlan()
{
    QFETCH(ParameterTarget, target);
    QFETCH(GridCells, cells);
    QFETCH(QPoint, current);
    QFETCH(bool, metric);
    QFETCH(QStringList, writes);
    QFETCH(QString, label);
    QFETCH(bool, ask);
    QFETCH(QPoint, next);
    QLocale::setDefault(QLocale::c());
    const PickedParameters picked{"GMAW", "ER70S-6", label, "300.0", "177.4", "4.9"};
    const ParameterFill::Plan plan = ParameterFill::plan(target, cells, current.y(), current.x(), metric, picked);
    QVERIFY(plan.known);
    QStringList got;
    for (const ParameterFill::CellWrite &w : plan.writes)
        got << QStringLiteral("%1,%2=%3").arg(w.row).arg(w.column).arg(w.text);
    QCOMPARE(got, writes);
    QCOMPARE(plan.ask, ask);
    QCOMPARE(QPoint(plan.nextColumn, plan.nextRow), next);
    QCOMPARE(plan.rewriteUnitRow, !metric && !target.unitRowButton.isEmpty());
    // No target, no plan.
    QVERIFY(!ParameterFill::plan(ParameterTarget(), cells, 1, 1, metric, picked).known);
}

void TestPlot::documentProcess_data()
{
    QTest::addColumn<QStringList>("texts"); // the pass's process cell, then the document's fields
    QTest::addColumn<QStringList>("processes");
    QTest::addColumn<QString>("process");
    const QStringList shipped = {"FCAW", "GMAW", "SAW"};
    QTest::newRow("the pass's cell first") << QStringList{"FCAW", "GMAW"} << shipped << "FCAW";
    QTest::newRow("an empty pass: the document's field") << QStringList{"", "GMAW"} << shipped << "GMAW";
    QTest::newRow("case and a variant suffix") << QStringList{"gmaw-p (pulsed)"} << shipped << "GMAW";
    QTest::newRow("first named of two") << QStringList{"SAW + GMAW"} << shipped << "SAW";
    QTest::newRow("one of two the file has") << QStringList{"GTAW / FCAW"} << shipped << "FCAW";
    QTest::newRow("inside other words only") << QStringList{"GMAWX", "SSAW", "FCAW2"} << shipped << "";
    QTest::newRow("a process the file lacks") << QStringList{"GTAW / SMAW"} << shipped << "";
    QTest::newRow("the longer name at the same place") << QStringList{"GMAW-P"} << QStringList{"GMAW", "GMAW-P"}
                                                       << "GMAW-P";
    QTest::newRow("odd characters around") << QStringList{"\\((*[GMAW$^", "?"} << shipped << "GMAW";
    QTest::newRow("no texts, no processes") << QStringList{} << QStringList{} << "";
    QTest::newRow("a blank process name") << QStringList{"GMAW"} << QStringList{" ", "GMAW"} << "GMAW";
}

void TestPlot::documentProcess()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, processes);
    QFETCH(QString, process);
    QCOMPARE(ParameterFill::documentProcess(texts, processes), process);
}

void TestPlot::badData_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<int>("points");      // of the curve's amperage list; -1: no set
    const QByteArray y2 = "lineY1_2=1 2 3\r\n";
    QTest::newRow("good") << plotFile("lineX1=100 200 300\r\nlineY1_1=80 120 160\r\n" + y2) << QString() << 3;
    QTest::newRow("not a number") << plotFile("lineX1=100 2oo 300\r\nlineY1_1=80 120 160\r\n" + y2)
                                  << "Bad program data file at section=S1 Key=lineX1" << 0;
    QTest::newRow("empty list") << plotFile("lineX1=100 200 300\r\nlineY1_1=\r\n" + y2)
                                << "Bad program data file at section=S1 Key=lineY1_1" << 0;
    QTest::newRow("lengths differ") << plotFile("lineX1=100 200 300\r\nlineY1_1=80 120\r\n" + y2)
                                    << "Number of X and Y (3 and 2) data points mismatch. section=S1 Key=lineY1_1"
                                    << 0;
    QByteArray many;
    for (int i = 0; i < 26; ++i)
        many += QByteArray::number(i) + ' ';
    QTest::newRow("26 points") << plotFile("lineX1=" + many + "\r\nlineY1_1=80 120 160\r\n" + y2)
                               << "Bad program data file at section=S1 Key=lineX1: more than 25 data points." << 0;
    QTest::newRow("count not a number") << QByteArray("[general]\r\nnumProcess=two\r\n")
                                        << "Bad program data file at section=general Key=numProcess" << -1;
    QTest::newRow("no file") << QByteArray() << QString() << -1;
}

void TestPlot::badData()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(int, points);
    TempData data(false);
    if (!file.isEmpty())
        data.write("zorc.dat", file);
    PlotData plot;
    const QStringList processes = plot.processes();
    const PlotSet set = plot.plotSet("GMAW", "ER70S-6");
    QCOMPARE(plot.takeErrors(), message.isEmpty() ? QStringList() : QStringList{message});
    if (points < 0) {
        QVERIFY(set.curves.isEmpty());
        QVERIFY(processes.isEmpty());
    } else {
        QCOMPARE(set.curves.size(), 1);
        QCOMPARE(set.curves.first().hasPlot(0) ? set.curves.first().y.first().size() : 0, points);
    }

    // The combo boxes of the processes and plot types read the same file.
    ScriptedPlatform platform;
    QComboBox box;
    UserProperties::fillProcessList(&box);
    QCOMPARE(box.count(), points < 0 ? 0 : 1);
    // A missing curve file is named, with its path, instead of an empty list without a word.
    const bool missing = file.isEmpty();
    QCOMPARE(platform.messages.size(), file.startsWith("[general]\r\nnumProcess=two") || missing ? 1 : 0);
    if (missing)
        QCOMPARE(platform.messages.first().text,
                 QStringLiteral("The curve file %1 is missing.").arg(QDir::toNativeSeparators(data.file("zorc.dat"))));

    // The dialog shows what is good, names what is not, once.
    platform.clear();
    TxyPlot dlg;
    dlg.prepare(nullptr, nullptr);
    QCOMPARE(dlg.wireDiameter()->count(), points < 0 ? 0 : 1);
    QCOMPARE(dlg.plotType()->count(), points < 0 ? 0 : 2);
    QCOMPARE(platform.messages.size(), message.isEmpty() && !missing ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(platform.messages.first().caption, QStringLiteral("Internal Error"));
}

void TestPlot::shippedCurves()
{
    TempData data;
    ScriptedPlatform platform;
    QComboBox processes;
    UserProperties::fillProcessList(&processes);
    QStringList names;
    for (int i = 0; i < processes.count(); ++i)
        names << processes.itemText(i);
    QCOMPARE(names, QStringList({"FCAW", "GMAW", "SAW"}));
    QComboBox sets;
    UserProperties::fillPlotTypeList("FCAW", &sets);
    QCOMPARE(sets.currentText(), QStringLiteral("E71T-1C/1M"));

    // The relation the curves come from (amperes are written to 0.1 A, feed speeds to 0.1 in/min): wire volume melted per second = alpha I + beta L I^2 / A
    // (steel cross-section A; a cored wire's sheath takes 55 % of it), fed at that volume / A.
    struct Check { QString process, set; int line; double diameter, extension; bool cored; };
    const QList<Check> checks = {{"GMAW", "ER70S-6", 2, 0.035, 0.375, false},
                                 {"GMAW", "ER70S-6", 3, 0.045, 0.75, false},
                                 {"FCAW", "E71T-1C/1M", 3, 1.0 / 16, 1.0, true},
                                 {"SAW", "EM12K", 2, 0.125, 1.25, false}};
    PlotData plot;
    for (const Check &c : checks) {
        const PlotSet set = plot.plotSet(c.process, c.set);
        QVERIFY2(set.curves.size() >= c.line, qPrintable(c.set));
        const PlotCurve &curve = set.curves.at(c.line - 1);
        QCOMPARE(set.plots.size(), 2);
        QVERIFY(set.plots.at(1).labelY.contains("lb/h"));
        QVERIFY(curve.label.contains("DCEP") && curve.label.contains("Volt"));
        const double area = M_PI / 4 * std::pow(c.diameter * 25.4, 2);
        for (int i = 0; i < curve.x.size(); i += 5) {
            const double amps = curve.y.at(0).at(i);
            const double volume = 0.30 * amps + 5.3e-5 * c.extension * 25.4 * amps * amps / (area * (c.cored ? 0.55 : 1));
            QVERIFY2(std::abs(volume / area / 25.4 * 60 - curve.x.at(i)) < 0.2, qPrintable(curve.label));
        }
    }
    QVERIFY(plot.takeErrors().isEmpty());
    // Where a welder expects it: 0.035 in ER70S-6 at 300 in/min runs 170 to 190 A.
    const double amps = plot.plotSet("GMAW", "ER70S-6").curves.at(1).yAt(0, 300).value();
    QVERIFY2(amps > 170 && amps < 190, qPrintable(QString::number(amps)));
}

void TestPlot::dialogPicksAndFillsWpds()
{
    TempData data;
    ScriptedPlatform platform;
    QLocale::setDefault(QLocale::c());
    TWPDS window;
    TypedGrid *grid = window.grid("weldingParameters");
    window.fieldAs<QRadioButton>("parameterUnitImperial")->click();
    TxyPlot dlg(&window);
    platform.busyCalls = 0;
    dlg.prepare(&window, grid);
    QVERIFY(platform.busyCalls > 0 && platform.busyDepth == 0); // the hourglass, for the first fill only
    dlg.prepare(&window, grid);
    QCOMPARE(platform.busyCalls, 2);
    // A document naming no process: the first of the file's.
    QCOMPARE(dlg.weldingProcess()->currentText(), QStringLiteral("FCAW"));
    // It opens on the document's process, and on the current pass's where that names one.
    window.fieldAs<QComboBox>("weldingProcess1")->setCurrentText("GMAW");
    grid->setCell(5, 3, "SAW");
    grid->setCurrentCell(1, 3);
    dlg.prepare(&window, grid);
    QCOMPARE(dlg.weldingProcess()->currentText(), QStringLiteral("SAW"));
    QCOMPARE(dlg.wireClassification()->currentText(), QStringLiteral("EM12K"));
    grid->setCurrentCell(1, 2);
    dlg.prepare(&window, grid);
    QCOMPARE(dlg.weldingProcess()->currentText(), QStringLiteral("GMAW"));
    grid->setCell(5, 3, QString());
    QCOMPARE(dlg.wireDiameter()->count(), 4);
    // The picked values' units come from the axis titles; the legend names every curve by
    // its diameter.
    QCOMPARE(dlg.outputUnits(), QStringList({"in/min", "A", "lb/h"}));
    QStringList labels;
    for (const PlotCurve &c : dlg.plotSet().curves)
        labels << ParameterFill::diameterWord(c.label);
    QCOMPARE(dlg.xyChart()->legendEntries(), labels);
    // "Notes" tells what every curve assumes, or the chosen one only.
    QVERIFY(dlg.notesButton()->isEnabled());
    dlg.notesClick();
    QCOMPARE(platform.messages.last().caption, QStringLiteral("Notes"));
    QCOMPARE(platform.messages.last().text.count("melting-rate relation"), 4);
    dlg.resize(632, 424);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    // A click 6 px below the 0.035 in curve at 300 in/min picks it.
    XyChart *chart = dlg.xyChart();
    const PlotCurve &curve = dlg.plotSet().curves.at(1);
    const QPointF onCurve = chart->toWidget(QPointF(300, curve.yAt(0, 300).value()));
    QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, (onCurve + QPointF(0, 6)).toPoint());
    QCOMPARE(chart->highlighted(), 2);
    QVERIFY(chart->hasMarker());
    QCOMPARE(dlg.wireDiameter()->currentRow(), 1);
    dlg.notesClick();
    QVERIFY(platform.messages.last().text.startsWith(curve.label + "\n" + curve.note));
    QCOMPARE(platform.messages.last().text.count("melting-rate relation"), 1);
    const double x = dlg.outputX()->text().toDouble();
    QVERIFY(std::abs(x - 300) < 3);
    // The outputs are the curve's values at the picked X, which the output shows rounded.
    QVERIFY(std::abs(dlg.outputY1()->text().toDouble() - curve.yAt(0, x).value()) < 0.15);
    QVERIFY(std::abs(dlg.outputY2()->text().toDouble() - curve.yAt(1, x).value()) < 0.15);

    // Far from every curve nothing changes.
    const QString picked = dlg.outputX()->text();
    QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, chart->toWidget(QPointF(100, 380)).toPoint());
    QCOMPARE(chart->highlighted(), 0);
    QCOMPARE(dlg.outputX()->text(), picked);

    // "Select" into pass 1, then the next pass becomes current.
    grid->setCurrentCell(1, 0);
    grid->setCell(11, 2, "14");
    dlg.selectParametersClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(grid->rowTexts(5).at(2), QStringLiteral("GMAW"));
    QCOMPARE(grid->rowTexts(6).at(2), QStringLiteral("0.035\""));
    QCOMPARE(grid->rowTexts(7).at(2), picked);
    QCOMPARE(grid->rowTexts(8).at(2), dlg.outputY1()->text());
    QCOMPARE(grid->rowTexts(9).at(2), QStringLiteral("20"));
    QCOMPARE(grid->rowTexts(10).at(2), QStringLiteral("DCEP"));
    QCOMPARE(grid->rowTexts(11).at(2), QStringLiteral("14"));
    // The heat input of the new volts and amperes at 14 in/min, in kJ/in.
    const double amps = dlg.outputY1()->text().toDouble();
    QCOMPARE(grid->rowTexts(14).at(2), QString::number(20 * amps * 60 / (1000 * 14), 'f', 1));
    QCOMPARE(grid->rowTexts(14).at(1), QStringLiteral("kJ/in"));
    QCOMPARE(grid->currentColumn(), 3);

    // Into a pass that holds data: No keeps the dialog open and the pass as it was.
    grid->setCurrentCell(1, 2);
    dlg.setResult(0);
    dlg.show();
    platform.queueYesNo(false);
    dlg.selectParametersClick();
    QVERIFY(dlg.isVisible());
    QCOMPARE(platform.messages.last().text, QStringLiteral("Do you want to overwrite the existing parameters?"));
    QCOMPARE(grid->currentColumn(), 2);
    platform.queueYesNo(true);
    dlg.selectParametersClick();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(grid->currentColumn(), 3);
    QVERIFY(platform.unexpected.isEmpty());
}

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
