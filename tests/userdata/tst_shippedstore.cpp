// The zoru.dat that ships with the program: its shared lists name real controls, the
// standard vocabulary is there, every served memo has canned texts, and the file is
// code page 1252 with CR LF line ends.

#include "core/cp1252.h"
#include "core/helpindex.h"
#include "support/tempdata.h"
#include "userdata/userdatastore.h"

#include <QSet>
#include <QtTest>

using namespace Brenvik;

namespace {

// Every control name of the four document windows, as their field tables spell them.
const QStringList kWpds = {
    "wpdsDate", "wpdsNo", "rev", "refStandards", "refWPQR", "refWPS", "companyName", "address", "position",
    "processMode1", "jointType", "penetration", "weldingProcess1", "weldingProcess2", "shieldingGasType1",
    "shieldingGasType2", "processMode2", "pulsed1", "pulsed2", "material", "thickness", "ifBackgouging", "method",
    "depth", "TungstenElectrodeType", "diameter", "technique", "electrodeExtension", "nozzleDiameter",
    "fluxClassification", "cleaningProcedure", "imageIfResize", "imageSourceFile", "IBMSpec1", "IBMThickness1",
    "IBMReq1", "IBMSpec2", "IBMThickness2", "IBMReq2", "IFMProcess1", "IFMTradeName1", "IFMClassification1",
    "IFMGroup1", "IFMFIllerTreatment1", "IFMProcess2", "IFMTradeName2", "IFMGroup2", "IFMClassification2",
    "IFMFIllerTreatment2", "weldingParameters", "parameterUnitImperial", "parameterUnitMetric", "preheatMin",
    "InterPassMin", "InterpassMax", "unitTC", "unitTF", "postWeldTreatment", "remarks"};
const QStringList kPqr = {
    "wpdsNo", "welderName", "Witness", "wpsNo", "welderID", "refStandards", "testPlateNo", "companyName",
    "locationOfTest", "weldingPosition", "specification1", "specification2", "grade1", "grade2",
    "preheatTemperature", "minInterT", "maxInterT", "unitTC", "unitTF", "postWeldTreatment", "cleaningProcedures",
    "BackgougingMethod", "BackgougingDepth", "TungstenElectrodeType", "diameter", "weldingProcess", "ProcessMode",
    "tradeNameA", "manufacturerA", "tradeNameF", "manufacturerF", "shieldingGT", "nozzleSize", "flowRate",
    "currentType", "ifCE", "EExt", "classificationA", "classificationF", "weldingSequence", "weldingSequenceUnit",
    "weldingSequenceUnitM", "weldingSequenceUnitI", "imageIfResize", "imageSourceFile", "sketchDescription",
    "tensileTestUnit", "tensileTest", "tensileTestUnitM", "tensileTestUnitI", "BendTest", "appearence", "vWitness",
    "undercut", "pipingPorosity", "convexity", "otherTests", "rtResult", "utResult", "rtReportNo", "utReportNo",
    "filletWeldTestT", "wpdsDate", "vTestDate"};
const QStringList kWpqr = {
    "PQRDate", "PQRNo", "weldingProcess1", "wpsNo", "weldingType1", "welderNameCS", "testConduct", "labTestNo",
    "companyName", "imageIfResize", "imageSourceFile", "sketchDescription", "thTestCoupon", "baseMetalOther",
    "MaterialSpecification", "baseMetalPNUmber", "typeOrGrade", "baseMetalPNUmber2", "diaTestCoupon",
    "SFASpecification1", "AWSClassification1", "FillerMetalFNo1", "WeldMetalAnalysisANo1", "SizeOfFillerMetal1",
    "fillerMetalOther1", "weldMetalThickness1", "SFASpecification2", "AWSClassification2", "FillerMetalFNo2",
    "WeldMetalAnalysisANo2", "SizeOfFillerMetal2", "fillerMetalOther2", "weldMetalThickness2", "groovePosition",
    "positionOther", "weldProgression", "gasS", "gasT", "gasB", "mixtureS", "mixtureT", "mixtureB", "flowRateS",
    "flowRateT", "flowRateB", "preheatOther", "preheatTemp", "InterpassTemp", "PostWeldOther", "postWeldTemp",
    "postWeldTime", "unitTC", "unitTF", "current", "electricalOther", "polarity", "amperes",
    "tungstenElectrodeSize", "Volts", "travelSpeed", "techniqueOther", "SWBead", "oscillation", "MSPass",
    "MSElectrode", "tensileTestUnit", "tensileTest", "tensileTestUnitM", "tensileTestUnitI", "BendTest",
    "toughUnit", "toughTest", "switchUnitToughM", "switchUnitToughI", "TTComment", "FWTResult", "MacroResults",
    "FWTIfPenetration", "TypeOfTest", "OTOthers", "DepositAnalysis"};
const QStringList kWpsr = {
    "wpsDate", "PQRNo", "weldingProcess1", "wpsNo", "weldingType1", "preparedBy", "revisionNo", "revisionDate",
    "companyName", "backing", "backingMaterial", "jointDesign", "ifMetal", "ifNonmetallic", "ifNonfusing",
    "ifOther", "imageIfResize", "imageSourceFile", "sketchDescription", "specType1", "pNo", "pNo2", "groupNo",
    "groupNo2", "specType2", "specGrade1", "specGrade2", "chemAna1", "mechProp1", "mechProp2", "chemAna2",
    "baseMetalOther", "grooveThickness", "filletThickness", "grooveDia", "filletDia", "specNoSFA1", "AWSNoClass1",
    "FNo1", "ANo1", "fillerSize1", "thGroove1", "thFillet1", "specNoSFA2", "AWSNoClass2", "FNo2", "ANo2",
    "fillerSize2", "thGroove2", "thFillet2", "specNoSFA3", "AWSNoClass3", "FNo3", "ANo3", "fillerSize3",
    "thGroove3", "thFillet3", "consumableInsert1", "fluxTradeName1", "flux1", "flux2", "fluxTradeName2",
    "consumableInsert2", "flux3", "fluxTradeName3", "consumableInsert3", "groovePosition", "positionFillet",
    "weldProgression", "gasS", "gasT", "gasB", "mixtureS", "mixtureT", "mixtureB", "flowRateS", "flowRateT",
    "flowRateB", "preheatMan", "MinPreheatTemp", "MaxInterpassTemp", "postWeldTempRange", "postWeldTimeRange",
    "unitTC", "unitTF", "GMAWMode", "tungstenElecSize", "tungstenElecType", "ElecWireSpeedRange", "current",
    "polarity", "ampRange", "voltRange", "orificeOrGasCupSize", "techniqueOther", "SWBead", "passPerSide",
    "interpassCleaning", "oscillation", "contactTube", "multiOrSingleElec", "peening", "backGougingMethod", "ETUnit",
    "ETGrid", "tensileTestUnitM", "tensileTestUnitI"};

// The memos the memo dialog serves, by window.
const QStringList kMemoSections = {"WPDS_technique", "WPDS_cleaningProcedure", "WPDS_postWeldTreatment",
                                   "WPDS_remarks", "PQR_postWeldTreatment", "PQR_cleaningProcedures",
                                   "PQR_sketchDescription", "PQR_otherTests", "WPQR_sketchDescription",
                                   "WPSR_sketchDescription"};

} // namespace

class TestShippedStore : public QObject {
    Q_OBJECT
private:
    TempData *data = nullptr;
    UserDataStore store;

private Q_SLOTS:
    void initTestCase()
    {
        data = new TempData(true);
        QVERIFY2(store.read(), "the build places zoru.dat beside the program");
    }
    void cleanupTestCase() { delete data; }
    void fileFormat();
    void syncKeysNameControls();
    void vocabulary_data();
    void vocabulary();
    void memoTopics();
    void helpUsesTheListsWords();
};

void TestShippedStore::fileFormat()
{
    const QByteArray bytes = data->read("zoru.dat");
    QVERIFY(bytes.size() > 1000);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QVERIFY(bytes.endsWith("\r\n"));
    // Every byte is a character of code page 1252 (five byte values are not).
    for (char c : {'\x81', '\x8d', '\x8f', '\x90', '\x9d'})
        QVERIFY(!bytes.contains(c));
    QCOMPARE(Cp1252::encode(Cp1252::decode(bytes)), bytes);
}

void TestShippedStore::syncKeysNameControls()
{
    QSet<QString> controls;
    for (const QStringList *form : {&kWpds, &kPqr, &kWpqr, &kWpsr}) {
        for (const QString &name : *form)
            controls.insert(name.toLower());
    }
    QSet<QString> sections;
    for (const QString &name : kWpds + kPqr + kWpqr + kWpsr) {
        const QString shared = store.syncValue(name);
        if (!shared.isEmpty())
            sections.insert(shared);
    }
    QVERIFY(sections.size() > 20);
    int keys = 0;
    for (const QString &section : sections) {
        for (const QString &key : store.syncedControls(section)) {
            ++keys;
            QVERIFY2(controls.contains(key.toLower()), qPrintable("no control is named " + key));
        }
    }
    QVERIFY(keys > 80);
    // The linked pairs of the WPDS window share one list each.
    QCOMPARE(store.listSection("WPDS", "weldingProcess1"), store.listSection("WPDS", "weldingProcess2"));
    QCOMPARE(store.listSection("WPDS", "shieldingGasType1"), store.listSection("WPDS", "shieldingGasType2"));
    QCOMPARE(store.listSection("PQR", "weldingProcess"), store.listSection("WPSR", "weldingProcess1"));
}

void TestShippedStore::vocabulary_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent"); // what a welding engineer would not file there
    QTest::newRow("processes") << "WPDS" << "weldingProcess1" << QStringList{"SMAW", "GMAW", "FCAW", "GTAW", "SAW"}
                               << QStringList{};
    QTest::newRow("process modes") << "WPDS" << "processMode1"
                                   << QStringList{"Manual", "Semiautomatic", "Mechanized", "Automatic"}
                                   << QStringList{};
    QTest::newRow("joint types") << "WPDS" << "jointType"
                                 << QStringList{"Butt joint", "T-joint", "Corner joint", "Lap joint", "Edge joint"}
                                 << QStringList{"Single-V groove", "Square groove", "Fillet weld"};
    QTest::newRow("joint designs") << "WPSR" << "jointDesign"
                                   << QStringList{"Square groove", "Single-V groove", "Double-V groove", "Fillet weld"}
                                   << QStringList{"Butt joint", "T-joint"};
    QTest::newRow("consumable inserts") << "WPSR" << "consumableInsert2" << QStringList{"INMs1", "INMs2", "IN308L"}
                                        << QStringList{"IN70"};
    QTest::newRow("trailing gases") << "WPQR" << "gasT" << QStringList{"100% Ar"}
                                    << QStringList{"95% N2 / 5% H2", "100% N2"};
    QTest::newRow("backing gases") << "WPSR" << "gasB" << QStringList{"100% Ar", "95% N2 / 5% H2"}
                                   << QStringList{};
    QTest::newRow("positions") << "WPSR" << "groovePosition"
                               << QStringList{"1G", "2G", "3G", "4G", "5G", "6G", "1F", "2F", "3F", "4F"}
                               << QStringList{};
    QTest::newRow("standards") << "WPDS" << "refStandards" << QStringList{"AWS D1.1", "CSA W47.1", "ASME Section IX"}
                               << QStringList{};
    QTest::newRow("classifications") << "WPQR" << "AWSClassification1"
                                     << QStringList{"E7018", "E6010", "ER70S-6", "E71T-1C", "ER308L"}
                                     << QStringList{};
    QTest::newRow("gases") << "PQR" << "shieldingGT" << QStringList{"100% Ar", "100% CO2", "75% Ar / 25% CO2"}
                           << QStringList{};
    QTest::newRow("P-numbers") << "WPSR" << "pNo" << QStringList{"1", "8"} << QStringList{};
    QTest::newRow("F-numbers") << "WPQR" << "FillerMetalFNo1" << QStringList{"4", "6"} << QStringList{};
    QTest::newRow("A-numbers") << "WPSR" << "ANo2" << QStringList{"1", "8"} << QStringList{};
    QTest::newRow("polarity") << "WPQR" << "polarity" << QStringList{"DCEP", "DCEN", "AC"} << QStringList{};
    QTest::newRow("certified electrode") << "PQR" << "ifCE" << QStringList{"N/A", "No", "Yes"}
                                         << QStringList{};
}

void TestShippedStore::vocabulary()
{
    QFETCH(QString, owner);
    QFETCH(QString, control);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QString section = store.listSection(owner, control);
    const QStringList fixed = store.run(section, "fixed");
    for (const QString &v : present)
        QVERIFY2(fixed.contains(v), qPrintable(section + " lacks " + v));
    for (const QString &v : absent)
        QVERIFY2(!fixed.contains(v), qPrintable(section + " offers " + v));
    QCOMPARE(QSet<QString>(fixed.begin(), fixed.end()).size(), fixed.size());
    QVERIFY(store.run(section, "user").isEmpty());
}

void TestShippedStore::memoTopics()
{
    for (const QString &section : kMemoSections) {
        const QList<UserDataStore::Topic> topics = store.topics(section);
        QVERIFY2(!topics.isEmpty(), qPrintable(section));
        for (const UserDataStore::Topic &t : topics) {
            QVERIFY(t.fixed);
            QVERIFY2(!t.text.isEmpty(), qPrintable(section + ": " + t.name));
        }
    }
}

// A help text that names the entries of a list uses the list's own words.
void TestShippedStore::helpUsesTheListsWords()
{
    const HelpTopic mode = helpTopic(1008);
    for (const QString &v : store.run(store.listSection("WPDS", "processMode1"), "fixed"))
        QVERIFY2(mode.text.contains(v), qPrintable(v));
}

QTEST_MAIN(TestShippedStore)
#include "tst_shippedstore.moc"
