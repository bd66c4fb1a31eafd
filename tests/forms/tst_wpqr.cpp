// The WPQR window and its two report pages: what a new document holds, what an open keeps, the
// unit switches, the row commands, and what the report prints.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "core/cp1252.h"
#include "core/documentwindow.h"
#include "forms/formregistry.h"
#include "forms/wpqr/twpqr.h"
#include "forms/wpqr/twpqreport.h"
#include "forms/wpqr/twpqreport_2.h"
#include "forms/wpqr/wpqrrptcombo.h"
#include "report/reportlayout.h"
#include "support/documentsource.h"
#include "support/fakereportsource.h"
#include "support/formfixture.h"
#include "support/reportchecks.h"
#include "support/testfiles.h"

#include <QAction>
#include <QMenu>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

const QString kSep = QStringLiteral("\u00A6");

// A grid row as a file holds it: every cell followed by the separator, "_" for an empty one.
QString row(const QStringList &cells)
{
    QString out;
    for (const QString &c : cells)
        out += (c.isEmpty() ? QStringLiteral("_") : c) + kSep;
    return out;
}

// The keys of a new document in order, with their values.
QList<QPair<QString, QString>> newDocumentKeys()
{
    QList<QPair<QString, QString>> k;
    auto put = [&k](const QString &name, const QString &value) { k.append(qMakePair(name, value)); };
    auto add = [&put](const QStringList &names) {
        for (const QString &n : names)
            put(n, QString());
    };
    // The heading row as stored, then nine empty data rows.
    auto grid = [&put](const QString &name, const QStringList &heading) {
        put(name + "_0", row(heading));
        for (int r = 1; r <= 9; ++r)
            put(name + "_" + QString::number(r), row(QStringList(heading.size(), QString())));
    };
    put("imageFile", "");
    put("formType", "WPQR");
    put("PQRDate", "07/12/2026");
    add({"PQRNo", "weldingProcess1", "wpsNo", "weldingType1", "welderNameCS", "testConduct", "labTestNo",
         "companyName"});
    put("imageIfResize", "false");
    add({"imageSourceFile", "sketchDescription", "thTestCoupon", "baseMetalOther", "MaterialSpecification",
         "baseMetalPNUmber", "typeOrGrade", "baseMetalPNUmber2", "diaTestCoupon"});
    for (const char *n : {"1", "2"})
        for (const char *f : {"SFASpecification", "AWSClassification", "FillerMetalFNo", "WeldMetalAnalysisANo",
                              "SizeOfFillerMetal", "fillerMetalOther", "weldMetalThickness"})
            add({QString::fromLatin1(f) + n});
    add({"groovePosition", "positionOther", "weldProgression", "gasS", "gasT", "gasB", "mixtureS", "mixtureT",
         "mixtureB", "flowRateS", "flowRateT", "flowRateB", "preheatOther", "preheatTemp", "InterpassTemp",
         "PostWeldOther", "postWeldTemp", "postWeldTime"});
    put("unitTC", "true");
    put("unitTF", "false");
    add({"current", "electricalOther", "polarity", "amperes", "tungstenElectrodeSize", "Volts", "travelSpeed",
         "techniqueOther", "SWBead", "oscillation", "MSPass", "MSElectrode"});
    put("tensileTestUnit_0", row({"mm", "mm", "sq.mm", "Newton", "MPa", ""}));
    grid("tensileTest", {"Specimen No.", "Width", "Thickness", "Area", "Ultimate Tensile Load", "Ultimate Unit Stress",
                         "Character of Failure and Location"});
    put("tensileTestUnitM", "true");
    put("tensileTestUnitI", "false");
    grid("BendTest", {"Type and Figure No.", "Result"});
    put("toughUnit_0", row({"mm", "\u00B0C", "J", "%", "", ""}));
    grid("toughTest", {"Specimen No.", "Notch Location", "Specimen Size", "Test Temp.", "Impact Value", "Shear", "Mils",
                       "Drop Weight Break"});
    put("switchUnitToughM", "true");
    put("switchUnitToughI", "false");
    add({"TTComment", "FWTResult", "MacroResults", "FWTIfPenetration", "TypeOfTest", "OTOthers", "DepositAnalysis"});
    return k;
}

QByteArray fileBytes(const QList<QPair<QString, QString>> &keys)
{
    QString text = QStringLiteral("[contents]\r\n");
    for (const auto &k : keys)
        text += k.first + QLatin1Char('=') + k.second + QStringLiteral("\r\n");
    return Cp1252::encode(text);
}

QComboBox *combo(TWPQR &w, const char *name) { return w.fieldAs<QComboBox>(QString::fromLatin1(name)); }

QStringList rowOf(TypedGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->columnCount(); ++c)
        cells << g->cell(r, c);
    return cells;
}

// A new WPQR window as its report sees it: its five grids, nothing filled.
FakeReportSource wpqrWindow()
{
    FakeReportSource w;
    w.addGrid("tensileTestUnit", 1, 6);
    w.addGrid("tensileTest", 10, 7);
    w.addGrid("BendTest", 10, 2);
    w.addGrid("toughUnit", 1, 6);
    w.addGrid("toughTest", 10, 8);
    return w;
}

// Settings for rows first to last of a grid column: the row number with a prefix.
QStringList columnRows(const QString &grid, int column, int first, int last, const QString &prefix)
{
    QStringList settings;
    for (int r = first; r <= last; ++r)
        settings << QStringLiteral("cell:%1:%2:%3=%4%5").arg(grid).arg(r).arg(column).arg(prefix).arg(r);
    return settings;
}

// Texts cut short, out of the frame, or running into another text, a vertical rule or the picture.
QStringList faults(const ReportPage &page)
{
    QStringList out;
    const ReportLayout layout(page);
    const QList<ReportElement> &e = page.elements();
    for (int i = 0; i < e.size(); ++i) {
        const QRectF ink = e[i].isText() ? layout.inkRect(i) : QRectF();
        if (ink.isEmpty())
            continue;
        const QString who = e[i].name.isEmpty() ? e[i].text : e[i].name;
        if (layout.textBox(i).cut || !page.frame().contains(ink))
            out << who + " is cut";
        for (int j = 0; j < e.size(); ++j) {
            QRectF other = e[j].isText() && j != i ? layout.inkRect(j) : QRectF();
            if (e[j].kind == ElementKind::VRule || e[j].kind == ElementKind::Image)
                other = QRectF(e[j].x - 0.5, e[j].y, e[j].width + 1, e[j].height);
            if (ink.intersected(other).width() > 0.01 && ink.intersected(other).height() > 0.5)
                out << who + " runs into " + (e[j].name.isEmpty() ? e[j].text : e[j].name);
        }
    }
    return out;
}

} // namespace

// The main window as far as "New WPS from this Record..." needs it: the prompt's answer, and
// the new WPS window it makes.
class RecordHost : public ShellHost {
public:
    bool goOn = true;
    int prompts = 0;
    std::unique_ptr<QWidget> made;
    void newDocument() override {}
    void openDocument() override {}
    void userInformation() override {}
    void about() override {}
    void checkButton() override {}
    bool changedDocumentPrompt() override { return ++prompts, goOn; }
    bool promptAlreadyAnswered() const override { return false; }
    DocumentWindow *newDocumentOfType(const QString &formType) override
    {
        DocumentWindow *doc = DocumentRegistry::instance().create(formType, nullptr);
        made.reset(doc->widget());
        doc->resetDocument();
        AppState::instance().setChanged(false);
        return doc;
    }
};

class TestWpqr : public QObject, protected FormFixture {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void init() { start(); }
    void cleanup() { finish(); }
    void newDocumentWritesTheKeysInOrder();
    void openThenSaveIsByteIdentical();
    void unitRowsOpenAsStored();
    void toughnessSwitchWritesCellsZeroToThree();
    void rowCommands_data();
    void rowCommands();
    void temperatureListsKeepTheirOrder();
    void reportFillSteps_data();
    void reportFillSteps();
    void exampleReportShowsEveryText();
    void newWpsFromTheRecordAsShown_data();
    void newWpsFromTheRecordAsShown();
};

void TestWpqr::newDocumentWritesTheKeysInOrder()
{
    const auto keys = newDocumentKeys();
    QCOMPARE(keys.size(), 110);
    TWPQR w;
    QCOMPARE(w.windowTitle().contains("Procedure Qualification Record (QW-483)"), true);
    QCOMPARE(w.fieldAs<QLabel>("unitInterMax")->text(), QString("\u00B0C"));
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("new.wrp")), fileBytes(keys));
}

void TestWpqr::openThenSaveIsByteIdentical()
{
    {
        TWPQR w;
        w.fieldAs<QDateEdit>("PQRDate")->setDate(QDate(2026, 3, 3));
        combo(w, "baseMetalPNUmber")->setEditText("1");
        combo(w, "postWeldTemp")->setEditText("620");
        w.fieldAs<QRadioButton>("unitTF")->click();
        w.fieldAs<QRadioButton>("switchUnitToughI")->click();
        w.grid("toughTest")->setCell(9, 4, "41");
        w.grid("BendTest")->setCell(1, 1, "Pass");
        // A preview prints its own date format; the file keeps month first.
        auto *report = dynamic_cast<WPQRRptCombo *>(w.prepareReport());
        QVERIFY(report);
        QCOMPARE(report->page1()->text("PQRDate"), QString("3 Mar 2026"));
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    const QByteArray saved = readAll(path("a.wrp"));
    QVERIFY(saved.contains("\r\nPQRDate=03/03/2026\r\n"));
    TWPQR w;
    QVERIFY(w.openFile(path("a.wrp")));
    QCOMPARE(w.fieldAs<QDateEdit>("PQRDate")->date(), QDate(2026, 3, 3));
    QCOMPARE(w.fieldAs<QLabel>("unitPreheatMin")->text(), QString("\u00B0F"));
    w.setFileName(path("b.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("b.wrp")), saved);
}

void TestWpqr::unitRowsOpenAsStored()
{
    // Imperial, with units the user typed over the switches' own.
    const QStringList tension = {"inch", "in", "sq.in", "lbf", "psi", "None"};
    const QStringList toughness = {"10x10 mm", "\u00B0F", "ft-lbf", "%", "mils", "-"};
    const QHash<QString, QString> edited = {
        {"tensileTestUnit_0", row(tension)}, {"toughUnit_0", row(toughness)}, {"unitTF", "true"},
        {"tensileTestUnitI", "true"}, {"switchUnitToughI", "true"}, {"unitTC", "false"},
        {"tensileTestUnitM", "false"}, {"switchUnitToughM", "false"}};
    auto keys = newDocumentKeys();
    for (auto &k : keys)
        k.second = edited.value(k.first, k.second);
    QFile file(path("imperial.wrp"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(fileBytes(keys)) > 0);
    file.close();
    TWPQR w;
    QVERIFY(w.openFile(path("imperial.wrp")));
    QCOMPARE(rowOf(w.grid("tensileTestUnit"), 0), tension);
    QCOMPARE(rowOf(w.grid("toughUnit"), 0), toughness);
    QVERIFY(w.fieldAs<QRadioButton>("switchUnitToughI")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitInterMin")->text(), QString("\u00B0F"));
    QVERIFY(!AppState::instance().changed());
}

void TestWpqr::toughnessSwitchWritesCellsZeroToThree()
{
    TWPQR w;
    TypedGrid *units = w.grid("toughUnit");
    units->setCell(0, 4, "mils");
    units->setCell(0, 5, "None");
    AppState::instance().setChanged(false);
    w.fieldAs<QRadioButton>("switchUnitToughI")->click();
    QCOMPARE(rowOf(units, 0), (QStringList{"in", "\u00B0F", "J", "%", "mils", "None"}));
    QVERIFY(AppState::instance().changed());
    w.fieldAs<QRadioButton>("switchUnitToughM")->click();
    QCOMPARE(rowOf(units, 0), (QStringList{"mm", "\u00B0C", "J", "%", "mils", "None"}));
    // The tensile row is the other switch's.
    QCOMPARE(w.grid("tensileTestUnit")->cell(0, 0), QString("mm"));
}

void TestWpqr::rowCommands_data()
{
    QTest::addColumn<QString>("gridName");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("answer"); // -1: no question asked
    QTest::addColumn<QStringList>("column0"); // rows 1 to 3 after the command

    // Rows 1 to 3 hold "a", "b", "c"; the duplicate rows with No find a filled row 9.
    QTest::newRow("tensile delete, Yes") << "tensileTest" << "delRowTensileTest" << 2 << 1 << QStringList{"a", "c", ""};
    QTest::newRow("tensile delete, No") << "tensileTest" << "delRowTensileTest" << 2 << 0 << QStringList{"a", "b", "c"};
    QTest::newRow("tensile duplicate, No") << "tensileTest" << "dupRowTensileTest" << 1 << 0
                                           << QStringList{"a", "b", "c"};
    QTest::newRow("bend delete an empty row") << "BendTest" << "delRowBendTest" << 4 << -1 << QStringList{"a", "b", "c"};
    QTest::newRow("bend duplicate") << "BendTest" << "dupRowBendTest" << 1 << -1 << QStringList{"a", "a", "b"};
    QTest::newRow("toughness delete, Yes") << "toughTest" << "delRowToughTest" << 1 << 1 << QStringList{"b", "c", ""};
    QTest::newRow("toughness duplicate") << "toughTest" << "dupRowToughTest" << 2 << -1 << QStringList{"a", "b", "b"};
}

void TestWpqr::rowCommands()
{
    QFETCH(QString, gridName);
    QFETCH(QString, button);
    QFETCH(int, current);
    QFETCH(int, answer);
    QFETCH(QStringList, column0);
    TWPQR w;
    TypedGrid *g = w.grid(gridName);
    const QString heading = g->cell(0, 0);
    for (int r = 1; r <= 3; ++r)
        g->setCell(r, 0, QString(QChar('a' + r - 1)));
    if (button.startsWith("dup") && answer == 0)
        g->setCell(9, 1, "last");
    g->setCurrentCell(current, 1);
    AppState::instance().setChanged(false);
    if (answer >= 0)
        m_platform->queueYesNo(answer == 1);
    w.fieldAs<QPushButton>(button)->click();
    QStringList got;
    for (int r = 1; r <= 3; ++r)
        got << g->cell(r, 0);
    QCOMPARE(got, column0);
    QCOMPARE(g->cell(0, 0), heading);
    QCOMPARE(g->rowCount(), 10);
    QVERIFY(AppState::instance().changed());
}

void TestWpqr::temperatureListsKeepTheirOrder()
{
    m_data->write("zoru.dat", "[WPQR_preheatTemp]\r\nuser1=150\r\nuser2=10\r\nuser3=100\r\n"
                              "[WPQR_thTestCoupon]\r\nuser1=9.5\r\nuser2=12\r\nuser3=10\r\n");
    TWPQR w;
    auto items = [](QComboBox *box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    QCOMPARE(items(combo(w, "preheatTemp")), (QStringList{"150", "10", "100"}));
    QCOMPARE(items(combo(w, "thTestCoupon")), (QStringList{"10", "12", "9.5"}));
    for (const char *name : {"preheatTemp", "InterpassTemp", "postWeldTemp", "postWeldTime"}) {
        AppState::instance().setChanged(false);
        QTest::keyClicks(combo(w, name)->lineEdit(), "5");
        QVERIFY2(AppState::instance().changed(), name);
    }
}

void TestWpqr::reportFillSteps_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("expected");

    const QString blank = " ";
    QTest::newRow("P-No. from baseMetalPNUmber") << QStringList{"field:baseMetalPNUmber=1"} << "BaseMetalPNumber" << "1";
    QTest::newRow("filler size") << QStringList{"field:SizeOfFillerMetal1=2.4 mm"} << "SizeofFillerMetal1" << "2.4 mm";
    QTest::newRow("post-weld in C") << QStringList{"field:postWeldTemp=620"} << "PostWeldTemp" << "620 \u00B0C";
    QTest::newRow("empty post-weld prints empty") << QStringList{} << "PostWeldTemp" << "";
    QTest::newRow("preheat in F") << QStringList{"field:preheatTemp=120", "check:unitTF"} << "PreheatTemp"
                                  << "120 \u00B0F";
    QTest::newRow("empty interpass in F prints empty") << QStringList{"check:unitTF"} << "InterpassTemp" << "";
    QTest::newRow("no field named Other") << QStringList{"field:baseMetalOther=x"} << "Other" << "Other:";
    QTest::newRow("tension unit 2") << QStringList{"cell:tensileTestUnit:0:1=in"} << "TTunit2" << "in";
    QTest::newRow("mils unit") << QStringList{"cell:toughUnit:0:4=mils", "cell:toughUnit:0:5=None"} << "HTUnit5"
                               << "mils";
    QTest::newRow("tension, nine rows") << columnRows("tensileTest", 6, 1, 9, "T") << "ttGrid07"
                                        << QStringList{"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9"}.join('\n');
    QTest::newRow("bend row 9 alone") << columnRows("BendTest", 1, 9, 9, "R") << "GTGrid02"
                                      << (QStringList(8, blank) << "R9").join('\n');
    QTest::newRow("toughness rows 8 and 9") << columnRows("toughTest", 4, 8, 9, "J") << "HTGrid05"
                                            << (QStringList(7, blank) << "J8" << "J9").join('\n');
}

void TestWpqr::reportFillSteps()
{
    QFETCH(QStringList, settings);
    QFETCH(QString, element);
    QFETCH(QString, expected);
    FakeReportSource w = wpqrWindow();
    for (const QString &s : settings)
        w.apply(s);
    WPQRRptCombo report;
    report.prepareRpt(w);
    const ReportElement *e = elementOnPages({report.page1(), report.page2()}, element);
    QVERIFY(e);
    QCOMPARE(e->name, element); // spelled as on the paper form
    QCOMPARE(e->text, expected);
}

void TestWpqr::exampleReportShowsEveryText()
{
    const FakeReportSource w = readDocumentSource(QCoreApplication::applicationDirPath() + "/examples/wpqr-example.wrp");
    WPQRRptCombo report;
    report.prepareRpt(w);
    report.prepareRpt(w); // a second preview gives the same pages
    QCOMPARE(report.pages().size(), 2);
    QCOMPARE(report.page2()->text("PQRNo"), report.page1()->text("PQRNo"));
    QCOMPARE(report.page1()->text("PostWeldTemp"), QString("620 \u00B0C"));
    for (const ReportPage *page : report.pages()) {
        const QStringList found = faults(*page);
        QVERIFY2(found.isEmpty(), qPrintable(found.join("; ")));
    }
}

// The WPS is made from what the window shows, edits not yet saved included, once the prompt
// lets it go on; a refused prompt makes nothing.
void TestWpqr::newWpsFromTheRecordAsShown_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("the prompt goes on") << true;
    QTest::newRow("the prompt is cancelled") << false;
}

void TestWpqr::newWpsFromTheRecordAsShown()
{
    QFETCH(bool, goOn);
    RecordHost host;
    host.goOn = goOn;
    AppState::instance().setHost(&host);
    const auto noHost = qScopeGuard([] { AppState::instance().setHost(nullptr); });
    TWPQR w;
    QVERIFY(w.openFile(QCoreApplication::applicationDirPath() + "/examples/wpqr-example.wrp"));
    w.fieldAs<QLineEdit>("companyName")->setText("Edited Fabricators");
    QAction *make = w.findChild<QAction *>("NewWPSFromRecord1");
    QVERIFY(make && w.fileMenu()->actions().contains(make));
    make->trigger();
    QCOMPARE(host.prompts, 1);
    QCOMPARE(bool(host.made), goOn);
    if (!goOn)
        return;
    auto *wps = dynamic_cast<FormWindow *>(host.made.get());
    QVERIFY(wps);
    const QHash<QString, QString> texts = wps->fieldTexts();
    QCOMPARE(texts.value("PQRNo"), QString("PQR-118"));
    QCOMPARE(texts.value("companyName"), QString("Edited Fabricators"));
    // Toughness tested: the minimum is T (QW-403.6).
    QCOMPARE(texts.value("grooveThickness"), QString("11.1 mm to 22.2 mm"));
    QCOMPARE(texts.value("thGroove1"), QString("8 mm max."));
    // A starting point: the number proposed, position and progression, a technique row per
    // process with its amperes and volts, and a copy of the record's sketch.
    QCOMPARE(texts.value("wpsNo"), QString("WPS-118"));
    QCOMPARE(texts.value("groovePosition"), QString("6G"));
    QCOMPARE(texts.value("weldProgression"), QString("Uphill"));
    QCOMPARE(wps->gridCell("ETGrid", 1, 1), QString("GTAW"));
    QCOMPARE(wps->gridCell("ETGrid", 2, 5), QString("100-150"));
    QCOMPARE(wps->gridCell("ETGrid", 2, 6), QString("21-25"));
    QVERIFY(!wps->sketch().isNull());
    QVERIFY(AppState::instance().changed());
}

QTEST_MAIN(TestWpqr)
#include "tst_wpqr.moc"
