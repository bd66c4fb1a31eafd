// The WPS window as a file sees it: the keys of a new document, the round trip, the drawn
// technique-table titles, the two unit switches and the row commands of the technique table.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "forms/wpsr/twpsr.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

const char *const kSep = "\xA6";

// The window's keys in window order, between formType and the grids of the last page.
const QStringList kFieldKeys = {
    "wpsDate", "PQRNo", "weldingProcess1", "wpsNo", "weldingType1", "preparedBy", "revisionNo", "revisionDate",
    "companyName",
    "backing", "backingMaterial", "jointDesign", "ifMetal", "ifNonmetallic", "ifNonfusing", "ifOther",
    "imageIfResize", "imageSourceFile", "sketchDescription",
    "specType1", "pNo", "pNo2", "groupNo", "groupNo2", "specType2", "specGrade1", "specGrade2", "chemAna1",
    "mechProp1", "mechProp2", "chemAna2",
    "baseMetalOther", "grooveThickness", "filletThickness", "grooveDia", "filletDia",
    "specNoSFA1", "AWSNoClass1", "FNo1", "ANo1", "fillerSize1", "thGroove1", "thFillet1",
    "specNoSFA2", "AWSNoClass2", "FNo2", "ANo2", "fillerSize2", "thGroove2", "thFillet2",
    "specNoSFA3", "AWSNoClass3", "FNo3", "ANo3", "fillerSize3", "thGroove3", "thFillet3",
    "consumableInsert1", "fluxTradeName1", "flux1", "flux2", "fluxTradeName2", "consumableInsert2",
    "flux3", "fluxTradeName3", "consumableInsert3",
    "groovePosition", "positionFillet", "weldProgression", "gasS", "gasT", "gasB", "mixtureS", "mixtureT",
    "mixtureB", "flowRateS", "flowRateT", "flowRateB",
    "preheatMan", "MinPreheatTemp", "MaxInterpassTemp", "postWeldTempRange", "postWeldTimeRange", "unitTC", "unitTF",
    "GMAWMode", "tungstenElecSize", "tungstenElecType", "ElecWireSpeedRange", "current", "polarity", "ampRange",
    "voltRange",
    "orificeOrGasCupSize", "techniqueOther", "SWBead", "passPerSide", "interpassCleaning", "oscillation",
    "contactTube", "multiOrSingleElec", "peening", "backGougingMethod"};

QByteArray row(const QStringList &cells)
{
    QByteArray out;
    for (const QString &c : cells)
        out += (c.isEmpty() ? QByteArray("_") : c.toLatin1()) + kSep;
    return out;
}

QByteArray newDocumentBytes()
{
    const QSet<QString> unchecked = {"ifMetal", "ifNonmetallic", "ifNonfusing", "ifOther", "imageIfResize", "unitTF"};
    QByteArray out = "[contents]\r\nimageFile=\r\nformType=WPSR\r\n";
    for (const QString &key : kFieldKeys) {
        QByteArray value;
        if (unchecked.contains(key))
            value = "false";
        else if (key == "unitTC")
            value = "true";
        else if (key.endsWith("Date"))
            value = "07/12/2026";
        out += key.toLatin1() + "=" + value + "\r\n";
    }
    out += "ETUnit_0=" + row({"", "mm", "", "Amp", "Volt", "m/min", ""}) + "\r\n";
    for (int r = 0; r < 15; ++r)
        out += "ETGrid_" + QByteArray::number(r) + "=" + QByteArray("_\xA6").repeated(9) + "\r\n";
    out += "tensileTestUnitM=true\r\ntensileTestUnitI=false\r\n";
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList rowOf(TypedGrid *g, int r)
{
    return g->rowTexts(r);
}

// Column 0 of the technique rows 1 to 14, one letter per row ("." for an empty row).
QString layers(TypedGrid *g)
{
    QString out;
    for (int r = 1; r < g->rowCount(); ++r)
        out += g->cell(r, 0).isEmpty() ? QStringLiteral(".") : g->cell(r, 0);
    return out;
}

void setLayers(TypedGrid *g, const QString &letters)
{
    for (int r = 1; r <= letters.size(); ++r)
        if (letters.at(r - 1) != QLatin1Char('.'))
            g->setCell(r, 0, letters.mid(r - 1, 1));
}

} // namespace

class TestWps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newDocumentWritesEveryKeyInOrder();
    void openThenSaveIsByteIdentical();
    void titlesAreDrawnAndNeverStored();
    void unitSwitchesRelabelOnly();
    void openLeavesTheUnitRowAsStored();
    void rowCommands_data();
    void rowCommands();
    void windowAsTheUserFindsIt();

private:
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<TempData> m_data;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void TestWps::init()
{
    m_platform = std::make_unique<ScriptedPlatform>();
    m_data = std::make_unique<TempData>(true);
    m_dir = std::make_unique<QTemporaryDir>();
    AppState::instance().setChanged(false);
    AppState::instance().setHost(nullptr);
}

void TestWps::cleanup()
{
    QVERIFY2(m_platform->unexpected.isEmpty(), qPrintable(m_platform->unexpected.join("; ")));
    m_platform.reset();
    m_data.reset();
    m_dir.reset();
}

void TestWps::newDocumentWritesEveryKeyInOrder()
{
    TWPSR w;
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    const QByteArray bytes = readAll(path("new.wrp"));
    QCOMPARE(bytes.count("\r\n") - 1, 123);
    QCOMPARE(bytes, newDocumentBytes());
}

void TestWps::openThenSaveIsByteIdentical()
{
    {
        TWPSR w;
        w.fieldAs<QComboBox>("wpsNo")->setEditText("WPS-GM-07");
        w.fieldAs<QLineEdit>("companyName")->setText("Brenvik Fabrication Ltd.");
        w.fieldAs<QRadioButton>("ifNonfusing")->setChecked(true);
        w.fieldAs<QRadioButton>("unitTF")->setChecked(true);
        w.fieldAs<QRadioButton>("tensileTestUnitI")->setChecked(true);
        w.fieldAs<QDateEdit>("revisionDate")->setDate(QDate(2026, 3, 4));
        w.fieldAs<QPlainTextEdit>("sketchDescription")->setPlainText("Single V\n60 deg");
        TypedGrid *g = w.grid("ETGrid");
        g->setRowTexts(12, {"12", "GMAW", "ER70S-6", "0.045", "DCEP", "210-240", "24-27", "10-14", "Cap"});
        g->setCell(3, 5, " 180 ");
        w.grid("ETUnit")->setCell(0, 6, "kJ/in");
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    TWPSR w;
    QVERIFY(w.openFile(path("a.wrp")));
    QVERIFY(w.fieldAs<QRadioButton>("ifNonfusing")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitPostWeldTemp")->text(), QStringLiteral("°F"));
    QCOMPARE(w.grid("ETGrid")->cell(12, 2), QStringLiteral("ER70S-6"));
    QCOMPARE(rowOf(w.grid("ETUnit"), 0), QStringList({"", "in", "", "Amp", "Volt", "ipm", "kJ/in"}));
    w.setFileName(path("b.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("b.wrp")), readAll(path("a.wrp")));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestWps::titlesAreDrawnAndNeverStored()
{
    // A file that holds text, or nothing, where the titles would be.
    writeFile(path("t.wrp"), "[contents]\r\nformType=WPSR\r\nwpsDate=07/12/2026\r\nrevisionDate=07/12/2026\r\n"
                             "ETGrid_0=A\xA6" "B\xA6" "C\xA6\r\nETGrid_1=1\xA6SMAW\xA6\r\n");
    TWPSR w;
    QVERIFY(w.openFile(path("t.wrp")));
    TypedGrid *g = w.grid("ETGrid");
    QCOMPARE(g->drawnTitle(0), QStringLiteral("Weld Layers"));
    QCOMPARE(g->drawnTitle(2), QStringLiteral("\nClass"));
    QCOMPARE(g->cell(0, 0), QString());
    QCOMPARE(g->cell(1, 1), QStringLiteral("SMAW"));
    w.setFileName(path("t2.wrp"));
    QVERIFY(w.save());
    QVERIFY(readAll(path("t2.wrp")).contains("\r\nETGrid_0=" + QByteArray("_\xA6").repeated(9) + "\r\n"));
}

void TestWps::unitSwitchesRelabelOnly()
{
    TWPSR w;
    TypedGrid *g = w.grid("ETGrid");
    TypedGrid *units = w.grid("ETUnit");
    g->setRowTexts(1, {"1", "GTAW", "ER70S-2", "2.4", "DCEN", "90-120", "10-12", "80-100", ""});
    units->setCell(0, 6, "mm");
    AppState::instance().setChanged(false);
    w.fieldAs<QRadioButton>("tensileTestUnitI")->click();
    QCOMPARE(rowOf(units, 0), QStringList({"", "in", "", "Amp", "Volt", "ipm", "mm"}));
    QCOMPARE(rowOf(g, 1), QStringList({"1", "GTAW", "ER70S-2", "2.4", "DCEN", "90-120", "10-12", "80-100", ""}));
    QVERIFY(AppState::instance().changed());
    w.fieldAs<QRadioButton>("tensileTestUnitM")->click();
    QCOMPARE(rowOf(units, 0), QStringList({"", "mm", "", "Amp", "Volt", "m/min", "mm"}));

    w.fieldAs<QRadioButton>("unitTF")->click();
    for (const char *label : {"unitPreheatMin", "unitInterMax", "unitPostWeldTemp"})
        QCOMPARE(w.fieldAs<QLabel>(label)->text(), QStringLiteral("°F"));
    QCOMPARE(rowOf(units, 0), QStringList({"", "mm", "", "Amp", "Volt", "m/min", "mm"}));
}

void TestWps::openLeavesTheUnitRowAsStored()
{
    writeFile(path("u.wrp"), "[contents]\r\nformType=WPSR\r\nwpsDate=07/12/2026\r\nrevisionDate=07/12/2026\r\n"
                             "ETUnit_0=_\xA6inch\xA6_\xA6" "A\xA6V\xA6ipm\xA6kJ\xA6\r\n"
                             "tensileTestUnitM=false\r\ntensileTestUnitI=true\r\n");
    TWPSR w;
    QVERIFY(w.openFile(path("u.wrp")));
    QVERIFY(w.fieldAs<QRadioButton>("tensileTestUnitI")->isChecked());
    QCOMPARE(rowOf(w.grid("ETUnit"), 0), QStringList({"", "inch", "", "A", "V", "ipm", "kJ"}));
    QVERIFY(!AppState::instance().changed());
}

void TestWps::rowCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("before"); // column 0 of rows 1 to 14; "." an empty row
    QTest::addColumn<int>("answer");     // -1: no question, 0: No, 1: Yes
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("delete an empty row: the rest moves up unasked")
        << "delete" << 2 << "a.cdef........" << -1 << "acdef........." << 2;
    QTest::newRow("delete a filled row, No: nothing changes")
        << "delete" << 3 << "abcdefghijklmn" << 0 << "abcdefghijklmn" << 3;
    QTest::newRow("delete a filled row, Yes")
        << "delete" << 3 << "abcdefghijklmn" << 1 << "abdefghijklmn." << 3;
    QTest::newRow("delete the last row, Yes: emptied, nothing moves")
        << "delete" << 14 << "abcdefghijklmn" << 1 << "abcdefghijklm." << 14;
    QTest::newRow("duplicate row 3, last row empty")
        << "duplicate" << 3 << "abcdef........" << -1 << "abccdef......." << 4;
    QTest::newRow("duplicate over a filled last row, No")
        << "duplicate" << 3 << "abcdefghijklmn" << 0 << "abcdefghijklmn" << 3;
    QTest::newRow("duplicate over a filled last row, Yes: it is lost")
        << "duplicate" << 3 << "abcdefghijklmn" << 1 << "abccdefghijklm" << 4;
    QTest::newRow("duplicate the last row does nothing")
        << "duplicate" << 14 << "abcdefghijklmn" << -1 << "abcdefghijklmn" << 14;
}

void TestWps::rowCommands()
{
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(QString, after);
    QFETCH(int, currentAfter);
    TWPSR w;
    w.show();
    TypedGrid *g = w.grid("ETGrid");
    setLayers(g, before);
    g->setCell(row, 4, before.at(row - 1) == QLatin1Char('.') ? QString() : QStringLiteral("DCEP"));
    g->setCurrentCell(row, 0);
    AppState::instance().setChanged(false);
    if (answer >= 0)
        m_platform->queueYesNo(answer == 1);
    w.fieldAs<QPushButton>(command == "delete" ? "delRowTensileTest" : "dupRowTensileTest")->click();
    QCOMPARE(layers(g), after);
    QCOMPARE(g->currentRow(), currentAfter);
    QCOMPARE(m_platform->messages.size(), answer >= 0 ? 1 : 0);
    QVERIFY(AppState::instance().changed()); // set first, whatever the command then does
}

void TestWps::windowAsTheUserFindsIt()
{
    TWPSR w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Welding Procedure Specification (QW-482)[*]"));
    QCOMPARE(w.PageShowing()->count(), 12);
    QCOMPARE(w.PageShowing()->itemText(11), QStringLiteral("Techniques II"));
    QCOMPARE(w.fieldAs<QDateEdit>("revisionDate")->date(), QDate(2026, 7, 12));
    QCOMPARE(w.buttonsOf("companyName").value(0)->toolTip(), QStringLiteral("Import from file"));
    QVERIFY(w.buttonsOf("sketchDescription").size() == 1);
    QVERIFY(!w.fieldAs<QPushButton>("ETGridSelectParam")->isHidden());
}

QTEST_MAIN(TestWps)
#include "tst_wps.moc"
