// The PQR window driven as a user would: what a new document writes, what an open keeps, the
// grid headings, the unit rows, the process rule from every way of reaching page 3 and the row
// commands of its three data grids.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "forms/pqr/tpqr.h"
#include "support/formfixture.h"
#include "support/testfiles.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

const char *const kSep = "\xA6";

// The field keys of a new document in creation order, with their values; grid rows in between.
QByteArray row(const QStringList &cells)
{
    QByteArray out;
    for (const QString &c : cells)
        out += (c.isEmpty() ? QByteArray("_") : c.toLatin1()) + kSep;
    return out;
}

QByteArray emptyRows(const char *grid, int from, int to, int columns)
{
    QByteArray out;
    for (int r = from; r <= to; ++r)
        out += QByteArray(grid) + "_" + QByteArray::number(r) + "=" + row(QStringList(columns, QString())) + "\r\n";
    return out;
}

QByteArray keys(const QStringList &names, const QSet<QString> &trueRadios = {}, const QSet<QString> &checks = {})
{
    QByteArray out;
    for (const QString &k : names) {
        QByteArray value;
        if (trueRadios.contains(k))
            value = "true";
        else if (checks.contains(k))
            value = "false";
        out += k.toLatin1() + "=" + value + "\r\n";
    }
    return out;
}

QByteArray newDocumentBytes()
{
    QByteArray out = "[contents]\r\nimageFile=\r\nformType=PQR\r\n";
    out += keys({"wpdsNo", "welderName", "Witness", "wpsNo", "welderID", "refStandards", "testPlateNo",
                 "companyName", "locationOfTest", "weldingPosition", "specification1", "specification2",
                 "grade1", "grade2", "preheatTemperature", "minInterT", "maxInterT", "unitTC", "unitTF",
                 "postWeldTreatment", "cleaningProcedures", "BackgougingMethod", "BackgougingDepth",
                 "TungstenElectrodeType", "diameter", "weldingProcess", "ProcessMode", "tradeNameA",
                 "manufacturerA", "tradeNameF", "manufacturerF", "shieldingGT", "nozzleSize", "flowRate",
                 "currentType", "ifCE", "EExt", "classificationA", "classificationF"},
                {"unitTC"}, {"unitTF"});
    out += "weldingSequence_0=" + row({"Side", "Layer", "Pass", "Size", "W.Feed Speed", "Amperes", "Volts",
                                       "Arc Travel Speed"}) + "\r\n";
    out += emptyRows("weldingSequence", 1, 15, 8);
    out += "weldingSequenceUnit_0=" + row({"mm", "mm/min", "Amp", "Volt", "mm/min"}) + "\r\n";
    out += keys({"weldingSequenceUnitM", "weldingSequenceUnitI", "imageIfResize", "imageSourceFile",
                 "sketchDescription"},
                {"weldingSequenceUnitM"}, {"weldingSequenceUnitI", "imageIfResize"});
    out += "tensileTestUnit_0=" + row({"mm", "mm", "sq.mm", "Newton", "MPa", ""}) + "\r\n";
    out += "tensileTest_0=" + row({"Specimen No.", "Width", "Thickness", "Area", "Ultimate Tensile Load",
                                   "Ultimate Unit Stress", "Character of Failure and Location"}) + "\r\n";
    out += emptyRows("tensileTest", 1, 9, 7);
    out += keys({"tensileTestUnitM", "tensileTestUnitI"}, {"tensileTestUnitM"}, {"tensileTestUnitI"});
    out += "BendTest_0=" + row({"Specimen No.", "Type of Bend", "Result", "Remarks"}) + "\r\n";
    out += emptyRows("BendTest", 1, 9, 4);
    out += keys({"appearence", "vWitness", "undercut", "pipingPorosity", "convexity", "otherTests", "rtResult",
                 "utResult", "rtReportNo", "utReportNo"});
    out += emptyRows("filletWeldTestT", 0, 0, 3);
    for (int r = 1; r <= 3; ++r)
        out += "filletWeldTestT_" + QByteArray::number(r) + "=" + row({QString::number(r), "", ""}) + "\r\n";
    out += "wpdsDate=07/12/2026\r\nvTestDate=07/12/2026\r\n";
    return out;
}

QComboBox *combo(TPQR &w, const QString &name) { return w.fieldAs<QComboBox>(name); }

QStringList rowOf(TypedGrid *g, int r)
{
    QStringList out;
    for (int c = 0; c < g->columnCount(); ++c)
        out << g->cell(r, c);
    return out;
}

// A grid's data rows as one mark each: the text of column 1, "" for an empty row.
QStringList marks(TypedGrid *g)
{
    QStringList out;
    for (int r = 1; r < g->rowCount(); ++r)
        out << g->cell(r, 1);
    return out;
}

} // namespace

class TestPqr : public QObject, protected FormFixture {
    Q_OBJECT
private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }
    void newDocumentWritesEveryKeyInOrder();
    void openThenSaveIsByteIdentical();
    void headingsSurviveTheFile_data();
    void headingsSurviveTheFile();
    void unitRowsOpenAsStoredAndSwitchOnAClick();
    void processRuleFromEveryPath_data();
    void processRuleFromEveryPath();
    void processRuleStaysOutOfOpenAndReset();
    void rowCommands_data();
    void rowCommands();
};

void TestPqr::newDocumentWritesEveryKeyInOrder()
{
    TPQR w;
    QCOMPARE(w.PageShowing()->count(), 9);
    QCOMPARE(w.fieldAs<QLabel>("unitInterMax")->text(), QStringLiteral("°C"));
    QCOMPARE(w.fieldAs<QDateEdit>("vTestDate")->date(), QDate(2026, 7, 12));
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    const QByteArray bytes = readAll(path("new.wrp"));
    QCOMPARE(bytes.count("\r\n") - 1, 102); // the section line aside
    QCOMPARE(bytes, newDocumentBytes());

    // A window used before and reset writes the same new document.
    combo(w, "wpdsNo")->setEditText("PQR-7");
    w.grid("BendTest")->setCell(2, 1, "Side");
    w.fieldAs<QRadioButton>("tensileTestUnitI")->click();
    w.resetDocument();
    w.setFileName(path("again.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("again.wrp")), newDocumentBytes());
}

void TestPqr::openThenSaveIsByteIdentical()
{
    {
        TPQR w;
        combo(w, "weldingProcess")->setEditText("GTAW/SMAW");
        combo(w, "TungstenElectrodeType")->setEditText("EWTh-2");
        combo(w, "classificationF")->setEditText("F7A2");
        w.fieldAs<QLineEdit>("maxInterT")->setText("250");
        w.fieldAs<QRadioButton>("unitTF")->click();
        w.fieldAs<QPlainTextEdit>("otherTests")->setPlainText("Charpy at -20\nHardness HV10");
        w.fieldAs<QDateEdit>("vTestDate")->setDate(QDate(2026, 3, 9));
        w.grid("weldingSequence")->setCell(1, 0, "A");
        w.grid("weldingSequence")->setCell(1, 7, " 230 ");
        w.grid("tensileTestUnit")->setCell(0, 5, "None");
        w.grid("filletWeldTestT")->setCell(2, 1, "Pass");
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    TPQR w;
    QVERIFY(w.openFile(path("a.wrp")));
    QVERIFY(!AppState::instance().changed());
    QCOMPARE(combo(w, "TungstenElectrodeType")->currentText(), QStringLiteral("EWTh-2"));
    QCOMPARE(combo(w, "classificationF")->currentText(), QStringLiteral("F7A2"));
    QCOMPARE(w.fieldAs<QDateEdit>("wpdsDate")->date(), QDate(2026, 7, 12));
    QCOMPARE(w.fieldAs<QDateEdit>("vTestDate")->date(), QDate(2026, 3, 9));
    QCOMPARE(w.fieldAs<QLabel>("unitPreheatMin")->text(), QStringLiteral("°F"));
    w.setFileName(path("b.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("b.wrp")), readAll(path("a.wrp")));
}

void TestPqr::headingsSurviveTheFile_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("row0");
    QTest::addColumn<QStringList>("row1");
    QTest::addColumn<QByteArray>("saved"); // the row-0 line written back
    const QStringList bend = {"Specimen No.", "Type of Bend", "Result", "Remarks"};
    const QByteArray bendSaved = "BendTest_0=" + row(bend);
    QTest::newRow("heading row missing") << QByteArray("BendTest_1=B1\xA6Side\xA6Pass\xA6\r\n") << "BendTest"
                                         << bend << QStringList{"B1", "Side", "Pass", ""} << bendSaved;
    QTest::newRow("heading row of blanks") << QByteArray("BendTest_0=_\xA6_\xA6_\xA6_\xA6\r\n") << "BendTest" << bend
                                           << QStringList(4, QString()) << bendSaved;
    QTest::newRow("heading row empty") << QByteArray("BendTest_0=\r\n") << "BendTest" << bend
                                       << QStringList(4, QString()) << bendSaved;
    QTest::newRow("heading text kept from the file")
        << QByteArray("BendTest_0=No.\xA6_\xA6Result\xA6_\xA6\r\n") << "BendTest"
        << QStringList{"No.", "Type of Bend", "Result", "Remarks"} << QStringList(4, QString())
        << "BendTest_0=" + row({"No.", "Type of Bend", "Result", "Remarks"});
    // The fillet grid draws its two-line titles and keeps its row labels.
    QTest::newRow("fillet titles drawn, labels kept")
        << QByteArray("filletWeldTestT_0=A\xA6" "B\xA6" "C\xA6\r\nfilletWeldTestT_1=X\xA6Pass\xA6" "Fail\xA6\r\n")
        << "filletWeldTestT" << QStringList(3, QString()) << QStringList{"1", "Pass", "Fail"}
        << "filletWeldTestT_0=" + row(QStringList(3, QString()));
}

void TestPqr::headingsSurviveTheFile()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, grid);
    QFETCH(QStringList, row0);
    QFETCH(QStringList, row1);
    QFETCH(QByteArray, saved);
    writeFile(path("h.wrp"), "[contents]\r\nformType=PQR\r\n" + lines + "wpdsDate=07/12/2026\r\nvTestDate=07/12/2026\r\n");
    TPQR w;
    QVERIFY(w.openFile(path("h.wrp")));
    TypedGrid *g = w.grid(grid);
    QCOMPARE(rowOf(g, 0), row0);
    QCOMPARE(rowOf(g, 1), row1);
    w.setFileName(path("out.wrp"));
    QVERIFY(w.save());
    QVERIFY2(readAll(path("out.wrp")).contains("\r\n" + saved + "\r\n"), saved.constData());
    if (grid == QLatin1String("filletWeldTestT")) {
        QCOMPARE(g->drawnTitle(1), QStringLiteral("Multiple Pass\nMin Size"));
        QCOMPARE(g->drawnTitle(2), QStringLiteral("Single Pass\nMax Size"));
        QCOMPARE(g->cell(3, 0), QStringLiteral("3"));
    }
}

void TestPqr::unitRowsOpenAsStoredAndSwitchOnAClick()
{
    writeFile(path("i.wrp"), "[contents]\r\nformType=PQR\r\nunitTC=false\r\nunitTF=true\r\n"
                             "weldingSequenceUnit_0=in\xA6in/min\xA6" "A\xA6V\xA6ipm\xA6\r\n"
                             "weldingSequenceUnitM=false\r\nweldingSequenceUnitI=true\r\n"
                             "tensileTestUnit_0=in\xA6in\xA6sq.in\xA6kip\xA6ksi\xA6None\xA6\r\n"
                             "tensileTestUnitM=false\r\ntensileTestUnitI=true\r\n"
                             "wpdsDate=07/12/2026\r\nvTestDate=07/12/2026\r\n");
    TPQR w;
    QVERIFY(w.openFile(path("i.wrp")));
    QCOMPARE(rowOf(w.grid("weldingSequenceUnit"), 0), (QStringList{"in", "in/min", "A", "V", "ipm"}));
    QCOMPARE(rowOf(w.grid("tensileTestUnit"), 0), (QStringList{"in", "in", "sq.in", "kip", "ksi", "None"}));
    QVERIFY(w.fieldAs<QRadioButton>("weldingSequenceUnitI")->isChecked());
    QVERIFY(w.fieldAs<QRadioButton>("tensileTestUnitI")->isChecked());
    for (const char *name : {"unitPreheatMin", "unitInterMin", "unitInterMax"})
        QCOMPARE(w.fieldAs<QLabel>(name)->text(), QStringLiteral("°F"));
    QVERIFY(!AppState::instance().changed());

    // A click writes the units of its system over the row; cell 5 and the numbers stay.
    w.grid("tensileTest")->setCell(1, 5, "480");
    w.fieldAs<QRadioButton>("tensileTestUnitM")->click();
    QCOMPARE(rowOf(w.grid("tensileTestUnit"), 0), (QStringList{"mm", "mm", "sq.mm", "Newton", "MPa", "None"}));
    QCOMPARE(w.grid("tensileTest")->cell(1, 5), QStringLiteral("480"));
    QVERIFY(AppState::instance().changed());
    w.fieldAs<QRadioButton>("tensileTestUnitI")->click();
    QCOMPARE(rowOf(w.grid("tensileTestUnit"), 0), (QStringList{"in", "in", "sq.in", "Lbf", "ksi", "None"}));
    w.fieldAs<QRadioButton>("weldingSequenceUnitM")->click();
    QCOMPARE(rowOf(w.grid("weldingSequenceUnit"), 0), (QStringList{"mm", "mm/min", "Amp", "Volt", "mm/min"}));
}

void TestPqr::processRuleFromEveryPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("process");
    QTest::addColumn<bool>("tungsten");
    QTest::addColumn<bool>("flux");
    QTest::newRow("tab, GTAW") << "tab" << "GTAW" << true << false;
    QTest::newRow("next, GTAW/SMAW") << "next" << "GTAW/SMAW" << true << false;
    QTest::newRow("previous, GTAW + SMAW") << "previous" << "GTAW + SMAW" << true << false;
    QTest::newRow("selector, gtaw") << "selector" << "gtaw" << false << false;
    QTest::newRow("gotoPageCaption, blank before GTAW") << "goto" << " GTAW" << false << false;
    QTest::newRow("tab, SAW") << "tab" << "SAW" << false << true;
    QTest::newRow("selector, GMAW + SAW") << "selector" << "GMAW + SAW" << false << true;
    QTest::newRow("next, GTAWX") << "next" << "GTAWX" << false << false;
    QTest::newRow("focus entering, SMAW") << "focus" << "SMAW" << false << false;
    QTest::newRow("process changed to GTAW/SMAW") << "change" << "GTAW/SMAW" << true << false;
    QTest::newRow("process changed to FCAW") << "change" << "FCAW" << false << false;
}

void TestPqr::processRuleFromEveryPath()
{
    QFETCH(QString, path);
    QFETCH(QString, process);
    QFETCH(bool, tungsten);
    QFETCH(bool, flux);
    TPQR w;
    const QStringList dependents = {"TungstenElectrodeType", "diameter", "classificationF", "tradeNameF",
                                    "manufacturerF"};
    auto fillDependents = [&] {
        for (const QString &name : dependents)
            combo(w, name)->setEditText("kept?");
    };
    if (path == QLatin1String("change")) {
        // A user typing the process runs the rule at once, wherever the window stands.
        combo(w, "weldingProcess")->setEditText("GTAW");
        fillDependents();
        AppState::instance().setChanged(false);
        combo(w, "weldingProcess")->setEditText(process);
        QVERIFY(AppState::instance().changed());
    } else {
        combo(w, "weldingProcess")->setEditText(process);
        fillDependents(); // set after the change, so only the page path can empty them
        if (path == QLatin1String("tab")) {
            w.PageControl1()->setCurrentIndex(2);
        } else if (path == QLatin1String("next")) {
            w.gotoPageCaption("Welding Information I");
            fillDependents();
            w.nextPageClick();
        } else if (path == QLatin1String("previous")) {
            w.gotoPageCaption("Welding Sequence");
            w.backPageClick();
        } else if (path == QLatin1String("selector")) {
            w.PageShowing()->setCurrentIndex(2);
            w.PageShowingChange();
        } else if (path == QLatin1String("goto")) {
            w.gotoPageCaption("Welding Information II");
        } else if (path == QLatin1String("focus")) {
            w.show();
            QApplication::setActiveWindow(&w);
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.gotoPageCaption("Welding Information II");
            fillDependents();
            w.PageShowing()->setFocus();
            QTRY_VERIFY(w.PageShowing()->hasFocus());
            combo(w, "weldingProcess")->setFocus();
            QTRY_VERIFY(combo(w, "TungstenElectrodeType")->currentText().isEmpty());
        }
        QCOMPARE(w.currentPage(), 2);
    }
    for (const char *name : {"TungstenElectrodeType", "diameter"}) {
        QCOMPARE(combo(w, name)->isEnabled(), tungsten);
        QCOMPARE(w.labelOf(name)->isEnabled(), tungsten);
        for (QWidget *b : w.buttonsOf(name))
            QCOMPARE(b->isEnabled(), tungsten);
        QCOMPARE(combo(w, name)->currentText(), tungsten ? QStringLiteral("kept?") : QString());
    }
    QCOMPARE(w.groupBox("tungstenGroup")->isEnabled(), tungsten);
    // Only the flux classification is emptied; trade name and manufacturer keep their text.
    QCOMPARE(combo(w, "classificationF")->currentText(), flux ? QStringLiteral("kept?") : QString());
    for (const char *name : {"classificationF", "tradeNameF", "manufacturerF"})
        QCOMPARE(combo(w, name)->isEnabled(), flux);
    QCOMPARE(w.labelOf("classificationF")->isEnabled(), flux);
    QCOMPARE(combo(w, "tradeNameF")->currentText(), QStringLiteral("kept?"));
}

void TestPqr::processRuleStaysOutOfOpenAndReset()
{
    writeFile(path("p.wrp"), "[contents]\r\nformType=PQR\r\nTungstenElectrodeType=EWTh-2\r\ndiameter=3/32\r\n"
                             "weldingProcess=SMAW\r\nclassificationF=F7A2\r\n"
                             "wpdsDate=07/12/2026\r\nvTestDate=07/12/2026\r\n");
    TPQR w;
    QVERIFY(w.openFile(path("p.wrp")));
    QCOMPARE(combo(w, "TungstenElectrodeType")->currentText(), QStringLiteral("EWTh-2"));
    QCOMPARE(combo(w, "diameter")->currentText(), QStringLiteral("3/32"));
    QCOMPARE(combo(w, "classificationF")->currentText(), QStringLiteral("F7A2"));
    QVERIFY(!combo(w, "diameter")->isEnabled()); // shown as the process has them
    QVERIFY(!AppState::instance().changed());
    w.resetDocument();
    QVERIFY(combo(w, "weldingProcess")->currentText().isEmpty());
    QVERIFY(!AppState::instance().changed());
}

void TestPqr::rowCommands_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("before"); // column 1 of the data rows, from row 1
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("answer");         // -1: no question, 0: No, 1: Yes
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("currentAfter");
    auto rows = [](int count, const QList<QPair<int, QString>> &filled) {
        QStringList out(count, QString());
        for (const auto &f : filled)
            out[f.first - 1] = f.second;
        return out;
    };
    const QStringList seq = rows(15, {{2, "b"}, {3, "c"}, {4, "d"}, {15, "o"}});
    QTest::newRow("delete filled row 3, No: unchanged") << "weldingSequence" << "del" << seq << 3 << 0 << seq << 3;
    QTest::newRow("delete filled row 3, Yes: rows move up")
        << "weldingSequence" << "del" << seq << 3 << 1 << rows(15, {{2, "b"}, {3, "d"}, {14, "o"}}) << 3;
    QTest::newRow("delete empty row 5: no question")
        << "weldingSequence" << "del" << seq << 5 << -1 << rows(15, {{2, "b"}, {3, "c"}, {4, "d"}, {14, "o"}}) << 5;
    QTest::newRow("delete filled last row, No") << "weldingSequence" << "del" << seq << 15 << 0 << seq << 15;
    QTest::newRow("delete filled last row, Yes")
        << "weldingSequence" << "del" << seq << 15 << 1 << rows(15, {{2, "b"}, {3, "c"}, {4, "d"}}) << 15;
    const QStringList bend = rows(9, {{1, "Face"}, {2, "Root"}});
    QTest::newRow("delete empty last row") << "BendTest" << "del" << bend << 9 << -1 << bend << 9;
    QTest::newRow("duplicate row 14 into an empty row 15")
        << "weldingSequence" << "dup" << rows(15, {{14, "n"}}) << 14 << -1 << rows(15, {{14, "n"}, {15, "n"}}) << 15;
    QTest::newRow("duplicate row 2, filled last row, No") << "weldingSequence" << "dup" << seq << 2 << 0 << seq << 2;
    QTest::newRow("duplicate row 2, filled last row, Yes")
        << "weldingSequence" << "dup" << seq << 2 << 1
        << rows(15, {{2, "b"}, {3, "b"}, {4, "c"}, {5, "d"}}) << 3;
    QTest::newRow("duplicate last row") << "BendTest" << "dup" << bend << 9 << -1 << bend << 9;
    QTest::newRow("duplicate tensile row 1")
        << "tensileTest" << "dup" << rows(9, {{1, "12.7"}, {2, "12.6"}}) << 1 << -1
        << rows(9, {{1, "12.7"}, {2, "12.7"}, {3, "12.6"}}) << 2;
}

void TestPqr::rowCommands()
{
    QFETCH(QString, grid);
    QFETCH(QString, command);
    QFETCH(QStringList, before);
    QFETCH(int, current);
    QFETCH(int, answer);
    QFETCH(QStringList, after);
    QFETCH(int, currentAfter);
    TPQR w;
    w.show();
    TypedGrid *g = w.grid(grid);
    for (int r = 0; r < before.size(); ++r)
        g->setCell(r + 1, 1, before.at(r));
    const QStringList heading = rowOf(g, 0);
    g->setCurrentCell(current, 1);
    AppState::instance().setChanged(false);
    if (answer >= 0)
        m_platform->queueYesNo(answer == 1);
    const QString button = (command == QLatin1String("del") ? "delRow" : "dupRow")
        + (grid == QLatin1String("weldingSequence") ? QStringLiteral("WS") : grid == QLatin1String("BendTest")
           ? QStringLiteral("BendTest") : QStringLiteral("TensileTest"));
    w.fieldAs<QPushButton>(button)->click();
    QCOMPARE(marks(g), after);
    QCOMPARE(rowOf(g, 0), heading);
    QCOMPARE(g->currentRow(), currentAfter);
    QVERIFY(AppState::instance().changed()); // whatever the command then did
    QCOMPARE(m_platform->messages.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(m_platform->messages.first().caption, QStringLiteral("Question"));
}

QTEST_MAIN(TestPqr)
#include "tst_pqr.moc"
