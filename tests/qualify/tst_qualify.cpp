// The qualification rules: reading the free-text values, Table QW-451.1 at and across its
// bounds, each rule holding, exceeded and undecided, and a new WPS from the shipped record.

#include "core/profilefile.h"
#include "forms/formregistry.h"
#include "qualify/processnames.h"
#include "qualify/pwht.h"
#include "qualify/qualifycheck.h"
#include "qualify/qw451.h"
#include "qualify/recordfinder.h"
#include "qualify/valuereader.h"
#include "qualify/wpsfromrecord.h"

#include <QtTest>

using namespace Brenvik;

Q_DECLARE_METATYPE(Brenvik::Unit)
Q_DECLARE_METATYPE(Brenvik::Outcome)

namespace {

// A record and a WPS that meet every rule, the toughness rules included; the rows change a
// few fields of either.
QHash<QString, QString> baseRecord()
{
    return {{"formType", "WPQR"}, {"PQRNo", "PQR-1"}, {"weldingProcess1", "GTAW / SMAW"}, {"thTestCoupon", "11.1 mm"},
            {"baseMetalPNUmber", "1 Gr. 1"}, {"baseMetalPNUmber2", "1 Gr. 1"}, {"MaterialSpecification", "SA-106"},
            {"FillerMetalFNo1", "6"}, {"WeldMetalAnalysisANo1", "1"}, {"weldMetalThickness1", "4 mm"},
            {"AWSClassification1", "ER70S-2"}, {"fillerMetalOther1", "Solid wire"}, {"SizeOfFillerMetal1", "2.4 mm"},
            {"FillerMetalFNo2", "4"}, {"WeldMetalAnalysisANo2", "1"}, {"weldMetalThickness2", "7.1 mm"},
            {"AWSClassification2", "E7018"}, {"SizeOfFillerMetal2", "3.2 and 4.0 mm"},
            {"preheatTemp", "50"}, {"InterpassTemp", "250"}, {"postWeldTemp", "620"}, {"postWeldTime", "1 h"},
            {"gasS", "Argon"}, {"mixtureS", "99.996"}, {"amperes", "GTAW 90-140 / SMAW 100-150"},
            {"Volts", "GTAW 10-13 / SMAW 21-25"}, {"travelSpeed", "GTAW 60-110 / SMAW 80-150 mm/min"},
            {"polarity", "DCEN (GTAW), DCEP (SMAW)"}, {"weldProgression", "Uphill"}, {"groovePosition", "6G"},
            {"MSPass", "Multipass"}, {"unitTC", "true"}, {"tensileTestUnitM", "true"}};
}

QHash<QString, QString> baseWps()
{
    return {{"formType", "WPSR"}, {"weldingProcess1", "GTAW/SMAW"}, {"grooveThickness", "5 - 22 mm"},
            {"pNo", "1"}, {"pNo2", "1"}, {"groupNo", "1"}, {"groupNo2", "1"}, {"specType1", "SA-106"},
            {"FNo1", "6"}, {"ANo1", "1"}, {"AWSNoClass1", "ER70S-2"}, {"thGroove1", "8 mm max."},
            {"FNo2", "F-No. 4"}, {"ANo2", "A1"}, {"AWSNoClass2", "E7018"}, {"fillerSize2", "4.0 mm"},
            {"thGroove2", "14 mm max."}, {"MinPreheatTemp", "10"}, {"MaxInterpassTemp", "250"},
            {"postWeldTempRange", "595 - 645"}, {"postWeldTimeRange", "1 h per 25 mm, 1 h min."},
            {"gasS", "Argon (GTAW)"}, {"mixtureS", "99.996"}, {"weldProgression", "Uphill"},
            {"passPerSide", "Multipass"}, {"unitTC", "true"}, {"tensileTestUnitM", "true"},
            {"ETUnit_0", "_\u00a6mm\u00a6_\u00a6Amp\u00a6Volt\u00a6mm/min\u00a6_\u00a6"},
            {"ETGrid_1", "1\u00a6GTAW\u00a6ER70S-2\u00a62.4\u00a6DCEN\u00a690-140\u00a610-13\u00a660-110\u00a6_\u00a6"},
            {"ETGrid_2", "2\u00a6SMAW\u00a6E7018\u00a64.0\u00a6DCEP\u00a6100-150\u00a621-25\u00a680-150\u00a6_\u00a6"}};
}

const char *const kToughRow = "toughTest_1=WM-1\u00a6Weld metal\u00a610 x 10\u00a6-29\u00a678\u00a640\u00a60.92\u00a6_\u00a6";

// "key=value|key=value" over a set of fields.
QHash<QString, QString> with(QHash<QString, QString> fields, const QString &changes)
{
    for (const QString &change : changes.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const int eq = int(change.indexOf(QLatin1Char('=')));
        fields.insert(change.left(eq), change.mid(eq + 1));
    }
    return fields;
}

} // namespace

class TestQualify : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void reading_data();
    void reading();
    void baseMetalTable_data();
    void baseMetalTable();
    void depositTable_data();
    void depositTable();
    void processRule_data() { ruleColumns(); processRows(); }
    void processRule() { checkRule("QW-401", false); }
    void pNumberRule_data() { ruleColumns(); pNumberRows(); }
    void pNumberRule() { checkRule("QW-403.11", false); }
    void baseMetalRule_data() { ruleColumns(); baseMetalRows(); }
    void baseMetalRule() { checkRule("QW-403.8", false); }
    void depositRule_data() { ruleColumns(); depositRows(); }
    void depositRule() { checkRule("QW-404.30", false); }
    void fNumberRule_data() { ruleColumns(); fNumberRows(); }
    void fNumberRule() { checkRule("QW-404.4", false); }
    void aNumberRule_data() { ruleColumns(); aNumberRows(); }
    void aNumberRule() { checkRule("QW-404.5", false); }
    void preheatRule_data() { ruleColumns(); preheatRows(); }
    void preheatRule() { checkRule("QW-406.1", false); }
    void postWeldRule_data() { ruleColumns(); postWeldRows(); }
    void postWeldRule() { checkRule("QW-407.1", false); }
    void gasRule_data() { ruleColumns(); gasRows(); }
    void gasRule() { checkRule("QW-408.2", false); }
    void transferRule_data() { ruleColumns(); transferRows(); }
    void transferRule() { checkRule("QW-409.2", false); }
    void productFormRule_data() { ruleColumns(); productFormRows(); }
    void productFormRule() { checkRule("QW-404.23", false); }
    void toughRecordRule_data() { ruleColumns(); toughRecordRows(); }
    void toughRecordRule() { checkRule("QW-401.1", true); }
    void groupRule_data() { ruleColumns(); groupRows(); }
    void groupRule() { checkRule("QW-403.5", true); }
    void minimumThicknessRule_data() { ruleColumns(); minimumThicknessRows(); }
    void minimumThicknessRule() { checkRule("QW-403.6", true); }
    void electrodeRule_data() { ruleColumns(); electrodeRows(); }
    void electrodeRule() { checkRule("QW-404.7", true); }
    void classificationRule_data() { ruleColumns(); classificationRows(); }
    void classificationRule() { checkRule("QW-404.12", true); }
    void uphillRule_data() { ruleColumns(); uphillRows(); }
    void uphillRule() { checkRule("QW-405.2", true); }
    void interpassRule_data() { ruleColumns(); interpassRows(); }
    void interpassRule() { checkRule("QW-406.3", true); }
    void pwhtTimeRule_data() { ruleColumns(); pwhtTimeRows(); }
    void pwhtTimeRule() { checkRule("QW-407.2", true); }
    void heatInputRule_data() { ruleColumns(); heatInputRows(); }
    void heatInputRule() { checkRule("QW-409.1", true); }
    void polarityRule_data() { ruleColumns(); polarityRows(); }
    void polarityRule() { checkRule("QW-409.4", true); }
    void passesRule_data() { ruleColumns(); passesRows(); }
    void passesRule() { checkRule("QW-410.9", true); }
    void groupNumbers_data();
    void groupNumbers();
    void processNames_data();
    void processNames();
    void pwhtConditions_data();
    void pwhtConditions();
    void toughnessLinesOnlyWhereTheyApply();
    void wpsFromExampleRecord();
    void proposedRecords();

private:
    void ruleColumns();
    void checkRule(const char *paragraph, bool tough);
    void processRows();
    void pNumberRows();
    void baseMetalRows();
    void depositRows();
    void fNumberRows();
    void aNumberRows();
    void preheatRows();
    void postWeldRows();
    void gasRows();
    void transferRows();
    void productFormRows();
    void toughRecordRows();
    void groupRows();
    void minimumThicknessRows();
    void electrodeRows();
    void classificationRows();
    void uphillRows();
    void interpassRows();
    void pwhtTimeRows();
    void heatInputRows();
    void polarityRows();
    void passesRows();
};

void TestQualify::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("temperature");
    QTest::addColumn<Unit>("bareUnit");
    QTest::addColumn<QString>("expected"); // "low..high unit", "..high unit", "low.. unit", "nothing", "unreadable"
    QTest::newRow("mm") << "11.1 mm" << false << Unit::Inch << "11.1..11.1 mm";
    QTest::newRow("inch fraction") << "3/16 in" << false << Unit::Mm << "0.188..0.188 in";
    QTest::newRow("mixed fraction, inch mark") << "1-1/2\"" << false << Unit::Mm << "1.5..1.5 in";
    QTest::newRow("mixed fraction with a blank") << "1 1/2 inch" << false << Unit::Mm << "1.5..1.5 in";
    QTest::newRow("bare number, metric form") << "10" << false << Unit::Mm << "10..10 mm";
    QTest::newRow("bare number, imperial form") << "0.75" << false << Unit::Inch << "0.75..0.75 in";
    QTest::newRow("range, unit at the end") << "5 - 20 mm" << false << Unit::Inch << "5..20 mm";
    QTest::newRow("range, both units") << "3/16 in to 3/4 in" << false << Unit::Mm << "0.188..0.75 in";
    QTest::newRow("range of bare numbers") << "1.5-10" << false << Unit::Mm << "1.5..10 mm";
    QTest::newRow("range of fractions") << "3/16-1-1/2 in" << false << Unit::Mm << "0.188..1.5 in";
    QTest::newRow("up to") << "up to 19 mm" << false << Unit::Inch << "..19 mm";
    QTest::newRow("max. before") << "max. 3/4 in" << false << Unit::Mm << "..0.75 in";
    QTest::newRow("max. after") << "3/4 in max." << false << Unit::Mm << "..0.75 in";
    QTest::newRow("min. after") << "10 mm min." << false << Unit::Inch << "10.. mm";
    QTest::newRow("mixed units convert exactly") << "1/2 in to 25.4 mm" << false << Unit::Mm << "0.5..1 in";
    QTest::newRow("None") << "None" << false << Unit::Mm << "nothing";
    QTest::newRow("N/A") << "N/A" << true << Unit::Celsius << "nothing";
    QTest::newRow("None (as welded)") << "None (as welded)" << true << Unit::Celsius << "nothing";
    QTest::newRow("words") << "All" << false << Unit::Mm << "unreadable";
    QTest::newRow("trailing words") << "11.1 mm nominal" << false << Unit::Mm << "unreadable";
    QTest::newRow("bare number, no unit known") << "10" << false << Unit::None << "unreadable";
    QTest::newRow("negative length") << "-5 mm" << false << Unit::Mm << "unreadable";
    QTest::newRow("celsius") << "95 \u00b0C" << true << Unit::Fahrenheit << "95..95 \u00b0C";
    QTest::newRow("fahrenheit without degree sign") << "200F" << true << Unit::Celsius << "200..200 \u00b0F";
    QTest::newRow("bare temperature takes the form's unit") << "620" << true << Unit::Fahrenheit
                                                            << "620..620 \u00b0F";
    QTest::newRow("temperature range") << "595 - 650 \u00b0C" << true << Unit::Fahrenheit << "595..650 \u00b0C";
    QTest::newRow("negative temperature") << "-20 \u00b0C" << true << Unit::Fahrenheit << "-20..-20 \u00b0C";
    QTest::newRow("minimum temperature") << "min. 10 \u00b0C" << true << Unit::Fahrenheit << "10.. \u00b0C";
}

void TestQualify::reading()
{
    QFETCH(QString, text);
    QFETCH(bool, temperature);
    QFETCH(Unit, bareUnit);
    QFETCH(QString, expected);
    const Reading r = temperature ? ValueReader::temperature(text, bareUnit) : ValueReader::length(text, bareUnit);
    QString got;
    if (r.kind == Reading::Kind::Nothing)
        got = QStringLiteral("nothing");
    else if (r.kind == Reading::Kind::Unreadable)
        got = QStringLiteral("unreadable");
    else
        got = QStringLiteral("%1..%2 %3")
                  .arg(r.hasLow ? ValueReader::number(r.low) : QString(),
                       r.hasHigh ? ValueReader::number(r.high) : QString(), ValueReader::unitText(r.unit));
    QCOMPARE(got, expected);
}

void TestQualify::baseMetalTable_data()
{
    QTest::addColumn<double>("thickness");
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<bool>("eightInchLimit");
    QTest::addColumn<QString>("range");
    const Unit in = Unit::Inch, mm = Unit::Mm;
    QTest::newRow("in: under 1/16") << 0.05 << in << true << "0.05 in to 0.1 in";
    QTest::newRow("in: 1/16") << 1.0 / 16 << in << true << "1/16 in to 0.125 in";
    QTest::newRow("in: 3/8") << 0.375 << in << true << "1/16 in to 0.75 in";
    QTest::newRow("in: just over 3/8") << 0.376 << in << true << "3/16 in to 0.752 in";
    QTest::newRow("in: just under 3/4") << 0.74 << in << true << "3/16 in to 1.48 in";
    QTest::newRow("in: 3/4") << 0.75 << in << true << "3/16 in to 1.5 in";
    QTest::newRow("in: just under 1-1/2") << 1.49 << in << true << "3/16 in to 2.98 in";
    QTest::newRow("in: 1-1/2, listed process") << 1.5 << in << true << "3/16 in to 8 in";
    QTest::newRow("in: 1-1/2, other process") << 1.5 << in << false << "3/16 in to 3 in";
    QTest::newRow("in: 6") << 6.0 << in << true << "3/16 in to 8 in";
    QTest::newRow("in: over 6") << 7.0 << in << true << "3/16 in to 9.31 in";
    QTest::newRow("mm: under 1.5") << 1.2 << mm << true << "1.2 mm to 2.4 mm";
    QTest::newRow("mm: 1.5") << 1.5 << mm << true << "1.5 mm to 3 mm";
    QTest::newRow("mm: 10 is inclusive") << 10.0 << mm << true << "1.5 mm to 20 mm";
    QTest::newRow("mm: over 10") << 10.1 << mm << true << "5 mm to 20.2 mm";
    QTest::newRow("mm: 19") << 19.0 << mm << true << "5 mm to 38 mm";
    QTest::newRow("mm: 38, listed process") << 38.0 << mm << true << "5 mm to 200 mm";
    QTest::newRow("mm: 38, other process") << 38.0 << mm << false << "5 mm to 76 mm";
    QTest::newRow("mm: 150") << 150.0 << mm << true << "5 mm to 200 mm";
    QTest::newRow("mm: over 150") << 160.0 << mm << true << "5 mm to 212.8 mm";
}

void TestQualify::baseMetalTable()
{
    QFETCH(double, thickness);
    QFETCH(Unit, unit);
    QFETCH(bool, eightInchLimit);
    QFETCH(QString, range);
    QCOMPARE(Qw451::text(Qw451::baseMetal(thickness, unit, eightInchLimit)), range);
}

void TestQualify::depositTable_data()
{
    QTest::addColumn<double>("deposit");
    QTest::addColumn<double>("thickness");
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<bool>("eightInchLimit");
    QTest::addColumn<QString>("range");
    const Unit in = Unit::Inch, mm = Unit::Mm;
    QTest::newRow("in: thin deposit, 2t") << 0.25 << 1.0 << in << true << "0.5 in max.";
    QTest::newRow("in: t 3/4 but T under 3/4, 2t") << 0.75 << 0.74 << in << true << "1.5 in max.";
    QTest::newRow("in: t and T 3/4, 2T") << 0.75 << 0.75 << in << true << "1.5 in max.";
    QTest::newRow("in: T 1-1/2, listed process") << 0.8 << 1.5 << in << true << "8 in max.";
    QTest::newRow("in: T 1-1/2, other process") << 0.8 << 1.5 << in << false << "3 in max.";
    QTest::newRow("in: T over 6") << 1.0 << 7.0 << in << true << "9.31 in max.";
    QTest::newRow("mm: t just under 19, 2t") << 18.9 << 40.0 << mm << true << "37.8 mm max.";
    QTest::newRow("mm: t 19, T 38") << 19.0 << 38.0 << mm << true << "200 mm max.";
    QTest::newRow("mm: t 19, T 30") << 19.0 << 30.0 << mm << true << "60 mm max.";
}

void TestQualify::depositTable()
{
    QFETCH(double, deposit);
    QFETCH(double, thickness);
    QFETCH(Unit, unit);
    QFETCH(bool, eightInchLimit);
    QFETCH(QString, range);
    QCOMPARE(Qw451::text(Qw451::deposit(deposit, thickness, unit, eightInchLimit)), range);
}

void TestQualify::ruleColumns()
{
    QTest::addColumn<QString>("wpsChanges");
    QTest::addColumn<QString>("recordChanges");
    QTest::addColumn<QString>("secondRecord"); // changes to a second record; empty: one record
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("detailsHave");
}

void TestQualify::checkRule(const char *paragraph, bool tough)
{
    QFETCH(QString, wpsChanges);
    QFETCH(QString, recordChanges);
    QFETCH(QString, secondRecord);
    QFETCH(Outcome, outcome);
    QFETCH(QString, detailsHave);
    // The toughness rules run on a toughness-tested record and a WPS from T = 11.1 mm up.
    const QString record = (tough ? QString::fromUtf8(kToughRow) + QLatin1Char('|') : QString()) + recordChanges;
    const QString wps = (tough ? QStringLiteral("grooveThickness=11.1 - 22 mm|") : QString()) + wpsChanges;
    QList<QualifyForm> records{QualifyForm(QStringLiteral("a.wrp"), with(baseRecord(), record))};
    if (!secondRecord.isEmpty())
        records << QualifyForm(QStringLiteral("b.wrp"),
                               with(baseRecord(), (tough ? QString::fromUtf8(kToughRow) + QLatin1Char('|') : QString()) +
                                                      QStringLiteral("PQRNo=PQR-2|") + secondRecord));
    const QList<Verdict> verdicts = QualifyCheck::run(QualifyForm(QStringLiteral("w.wrp"), with(baseWps(), wps)), records);
    QStringList lines; // the lines that do not hold, for the messages
    for (const Verdict &v : verdicts)
        if (v.outcome != Outcome::Holds)
            lines << v.line();
    const auto v = std::find_if(verdicts.cbegin(), verdicts.cend(), [&](const Verdict &x) { return x.paragraph == QLatin1String(paragraph); });
    QVERIFY2(v != verdicts.cend(), paragraph);
    QVERIFY2(v->outcome == outcome, qPrintable(v->line()));
    QVERIFY2(v->details.contains(detailsHave), qPrintable(v->line()));
    // Every other line of the base pair holds, whatever this rule says (the rows change only it).
    if (recordChanges.isEmpty() && wpsChanges.isEmpty() && secondRecord.isEmpty())
        QVERIFY2(QualifyCheck::overall(verdicts) == Outcome::Holds, qPrintable(lines.join(QLatin1Char('\n'))));
}

void TestQualify::processRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "GTAW, SMAW qualified";
    QTest::newRow("a process the record lacks") << "weldingProcess1=GTAW + FCAW" << "" << "" << Outcome::Exceeds
                                                << "FCAW in no record";
    QTest::newRow("MIG is GMAW, not in the record") << "weldingProcess1=GTAW / MIG" << "" << "" << Outcome::Exceeds
                                                    << "GMAW in no record";
    QTest::newRow("MMA is SMAW") << "weldingProcess1=GTAW + MMA" << "" << "" << Outcome::Holds << "SMAW by PQR-1";
    QTest::newRow("TIG and stick are the record's") << "weldingProcess1=TIG / stick" << "" << "" << Outcome::Holds
                                                    << "GTAW, SMAW qualified";
    QTest::newRow("an unknown word in the record") << "" << "weldingProcess1=GTAW / XYZ" << "" << Outcome::CannotTell
                                                   << "SMAW: PQR-1 names \"XYZ\"";
    QTest::newRow("a second record has it") << "weldingProcess1=GTAW, FCAW" << "" << "weldingProcess1=FCAW"
                                            << Outcome::Holds << "FCAW by PQR-2";
    QTest::newRow("an unknown word") << "weldingProcess1=GTAW / XYZ" << "" << "" << Outcome::CannotTell
                                     << "names \"XYZ\", which the rules do not know";
    QTest::newRow("empty") << "weldingProcess1=" << "" << "" << Outcome::CannotTell << "is empty";
}

void TestQualify::pNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "a P-No. with itself";
    QTest::newRow("either order, P- and 01") << "pNo=P-No. 8|pNo2=01" << "baseMetalPNUmber=1|baseMetalPNUmber2=P-8" << ""
                                             << Outcome::Holds << "P-No. X with P-No. Y";
    QTest::newRow("another pair") << "pNo2=8" << "" << "" << Outcome::Exceeds << "no row of QW-424.1";
    QTest::newRow("P-4 with P-4 qualifies P-4 with P-1") << "pNo=4" << "baseMetalPNUmber=4|baseMetalPNUmber2=4" << ""
                                                         << Outcome::Holds << "P-No. 4 with P-No. 4 qualifies";
    QTest::newRow("P-4 with P-4 not P-3 with P-1") << "pNo=3" << "baseMetalPNUmber=4|baseMetalPNUmber2=4" << ""
                                                   << Outcome::Exceeds << "no row";
    QTest::newRow("P-3 with P-3 qualifies P-3 with P-1") << "pNo=3" << "baseMetalPNUmber=3|baseMetalPNUmber2=3" << ""
                                                         << Outcome::Holds << "P-No. 3 with P-No. 3 qualifies";
    QTest::newRow("P-1 with P-1 does not qualify P-3") << "pNo=3" << "" << "" << Outcome::Exceeds << "no row";
    QTest::newRow("P-4 with P-1 qualifies P-4 with P-3") << "pNo=4|pNo2=3" << "baseMetalPNUmber=4|baseMetalPNUmber2=1"
                                                         << "" << Outcome::Holds << "P-No. 4 with P-No. 3 or P-No. 1";
    QTest::newRow("P-4 with P-1 does not qualify P-4 with P-4") << "pNo=4|pNo2=4" << "baseMetalPNUmber=4|baseMetalPNUmber2=1"
                                                                << "" << Outcome::Exceeds << "no row";
    QTest::newRow("P-5A with P-5A qualifies P-5A with P-4") << "pNo=5A|pNo2=4" << "baseMetalPNUmber=5A|baseMetalPNUmber2=5A"
                                                            << "" << Outcome::Holds << "P-No. 5A with P-No. 5A qualifies";
    QTest::newRow("P-15E does not qualify P-5B with P-1") << "pNo=5B|pNo2=1" << "baseMetalPNUmber=15E|baseMetalPNUmber2=15E"
                                                          << "" << Outcome::Exceeds << "no row";
    QTest::newRow("unassigned metal with itself") << "pNo=|pNo2=|specType1=XYZ-9|specType2=XYZ-9"
                                                  << "baseMetalPNUmber=|baseMetalPNUmber2=|MaterialSpecification=XYZ-9" << ""
                                                  << Outcome::Holds << "an unassigned metal with itself";
    QTest::newRow("unassigned metal, no specification") << "pNo=|specType1=" << "" << "" << Outcome::CannotTell
                                                        << "pNo of the WPS is empty and names no specification";
    QTest::newRow("P-5A with P-1 qualifies P-5A with P-3") << "pNo=5A|pNo2=3" << "baseMetalPNUmber=1|baseMetalPNUmber2=5A"
                                                            << "" << Outcome::Holds << "P-No. 5A with P-No. 4, P-No. 3";
    QTest::newRow("P-15E qualifies P-5B") << "pNo=5B|pNo2=15E" << "baseMetalPNUmber=15E|baseMetalPNUmber2=15E" << ""
                                          << Outcome::Holds << "any P-No. 15E or 5B";
    QTest::newRow("unassigned with P-1") << "pNo=|specType1=XYZ-9|pNo2=1" << "baseMetalPNUmber=|MaterialSpecification=XYZ-9" << ""
                                         << Outcome::Holds << "any P-No. 1";
    QTest::newRow("unassigned, another metal") << "pNo=|specType1=ABC-1" << "baseMetalPNUmber=|MaterialSpecification=XYZ-9"
                                               << "" << Outcome::Exceeds << "no row";
    QTest::newRow("a second record has the pair") << "pNo2=8" << "" << "baseMetalPNUmber2=8" << Outcome::Holds << "PQR-2";
    QTest::newRow("record unreadable") << "" << "baseMetalPNUmber2=see sheet" << "" << Outcome::CannotTell
                                       << "baseMetalPNUmber2 \"see sheet\"";
}

void TestQualify::baseMetalRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "5 mm to 22.2 mm";
    QTest::newRow("3/16 in meets 5 mm") << "grooveThickness=3/16 to 3/4 in" << "" << "" << Outcome::Holds << "within";
    QTest::newRow("10 mm coupon is in 1.5 to 10 mm") << "grooveThickness=1.5 - 20 mm" << "thTestCoupon=10 mm" << ""
                                                     << Outcome::Holds << "1.5 mm to 20 mm";
    QTest::newRow("above 2T") << "grooveThickness=5 - 25 mm" << "" << "" << Outcome::Exceeds << "25 mm above 22.2 mm";
    QTest::newRow("below the minimum") << "grooveThickness=3 - 20 mm" << "" << "" << Outcome::Exceeds << "3 mm below 5 mm";
    QTest::newRow("imperial coupon") << "grooveThickness=3/16 - 1 in"
                                     << "thTestCoupon=1/2|tensileTestUnitM=false|tensileTestUnitI=true" << ""
                                     << Outcome::Holds << "3/16 in to 1 in";
    QTest::newRow("a thicker second record") << "grooveThickness=5 - 40 mm" << "" << "thTestCoupon=25 mm"
                                             << Outcome::Holds << "T = 25 mm";
    QTest::newRow("QW-403.10 short circuit under 13 mm") << "weldingProcess1=GTAW / GMAW" << "weldingProcess1=GTAW / GMAW-S"
                                                         << "" << Outcome::Exceeds << "QW-403.10";
    QTest::newRow("QW-403.9 a single pass over 13 mm") << "grooveThickness=5 - 30 mm"
                                                       << "thTestCoupon=25 mm|weldMetalThickness2=14 mm|MSPass=Single"
                                                       << "" << Outcome::Exceeds << "QW-403.9";
    QTest::newRow("QW-407.4 above the upper transformation") << "" << "postWeldTemp=900" << "" << Outcome::Exceeds
                                                             << "QW-407.4";
    QTest::newRow("QW-200.4(b) root layers from a 13 mm coupon")
        << "grooveThickness=5 - 60 mm|thGroove2=52 mm max."
        << "weldingProcess1=GTAW|thTestCoupon=13 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << "weldingProcess1=SMAW|thTestCoupon=30 mm|FillerMetalFNo1=4|AWSClassification1=E7018|weldMetalThickness1=26 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << Outcome::Holds << "the rest of the thickness by SMAW";
    QTest::newRow("QW-200.4(b) on both processes: nothing qualifies the rest")
        << "grooveThickness=5 - 60 mm|thGroove2=26 mm max."
        << "weldingProcess1=GTAW|thTestCoupon=13 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << "weldingProcess1=SMAW|thTestCoupon=13 mm|FillerMetalFNo1=4|AWSClassification1=E7018|weldMetalThickness1=13 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << Outcome::Exceeds << "no other process of the WPS is qualified for the rest";
    QTest::newRow("QW-200.4(b), the other process untold")
        << "grooveThickness=5 - 60 mm|thGroove2=52 mm max."
        << "weldingProcess1=GTAW|thTestCoupon=13 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << "weldingProcess1=SMAW|thTestCoupon=thick|FillerMetalFNo1=4|AWSClassification1=E7018|weldMetalThickness1=26 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << Outcome::CannotTell << "cannot tell whether SMAW qualifies the rest";
    QTest::newRow("QW-200.4(b) not from a coupon under 13 mm")
        << "grooveThickness=5 - 60 mm|thGroove2=52 mm max."
        << "weldingProcess1=GTAW|thTestCoupon=12 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << "weldingProcess1=SMAW|thTestCoupon=30 mm|FillerMetalFNo1=4|AWSClassification1=E7018|weldMetalThickness1=26 mm|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
        << Outcome::Exceeds << "60 mm above 24 mm";
    QTest::newRow("All") << "grooveThickness=All" << "" << "" << Outcome::CannotTell << "grooveThickness \"All\"";
    QTest::newRow("400 digits") << QStringLiteral("grooveThickness=5 - %1 mm").arg(QString(400, QLatin1Char('9'))) << ""
                                << "" << Outcome::CannotTell << "cannot read grooveThickness";
    QTest::newRow("a fraction over nothing") << "grooveThickness=5 - 1/0 mm" << "" << "" << Outcome::CannotTell
                                             << "cannot read grooveThickness";
    QTest::newRow("a long value is quoted to 80 characters")
        << QStringLiteral("grooveThickness=%1").arg(QString(5000, QLatin1Char('x'))) << "" << "" << Outcome::CannotTell
        << QString(80, QLatin1Char('x')) + QStringLiteral("\u2026 (5000 characters)");
    QTest::newRow("record coupon empty") << "" << "thTestCoupon=" << "" << Outcome::CannotTell
                                         << "thTestCoupon of PQR-1 is empty";
}

void TestQualify::depositRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "SMAW t = 7.1 mm of PQR-1";
    QTest::newRow("one filler exceeds") << "thGroove2=15 mm" << "" << "" << Outcome::Exceeds << "15 mm above 14.2 mm";
    QTest::newRow("inches against a metric record") << "thGroove1=5/16 in max." << "" << "" << Outcome::Holds
                                                    << "within 8 mm max.";
    QTest::newRow("per process: the GTAW column by GTAW t only") << "thGroove1=10 mm max." << "" << "" << Outcome::Exceeds
                                                                 << "10 mm above 8 mm";
    QTest::newRow("QW-404.32 short circuit") << "weldingProcess1=GMAW|ETGrid_1=|ETGrid_2=|FNo2=|ANo2=|AWSNoClass2=|fillerSize2=|thGroove2="
                                             << "weldingProcess1=GMAW-S|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
                                             << "" << Outcome::Exceeds << "QW-404.32";
    QTest::newRow("a record filler of no process") << "" << "weldingProcess1=GTAW / SMAW / SAW" << "" << Outcome::CannotTell
                                                   << "when the counts agree";
    QTest::newRow("record deposit unreadable") << "" << "weldMetalThickness2=most" << "" << Outcome::CannotTell
                                               << "weldMetalThickness2 \"most\"";
    QTest::newRow("a second record with a thicker SMAW deposit") << "thGroove2=20 mm max." << ""
                                                                 << "thTestCoupon=16 mm|weldMetalThickness2=10 mm"
                                                                 << Outcome::Holds << "SMAW t = 10 mm of PQR-2";
}

void TestQualify::fNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "F-No. 4 qualified by PQR-1 with SMAW";
    QTest::newRow("an F-No. the record lacks") << "FNo2=5" << "" << "" << Outcome::Exceeds << "F-No. 5 not used with SMAW";
    QTest::newRow("GTAW F-No. 4 not qualified by the SMAW F-No. 4") << "FNo1=F-4" << "" << "" << Outcome::Exceeds
                                                                    << "F-No. 4 not used with GTAW";
    QTest::newRow("found in a second record's SMAW filler") << "FNo2=5" << "" << "FillerMetalFNo2=5" << Outcome::Holds
                                                            << "F-No. 5 qualified by PQR-2";
    QTest::newRow("filled column without F-No.") << "FNo2=" << "" << "" << Outcome::CannotTell << "FNo2 of the WPS is empty";
    QTest::newRow("04 and F-4 are 4") << "FNo2=04" << "FillerMetalFNo2=F-4" << "" << Outcome::Holds
                                      << "F-No. 4 qualified by PQR-1 with SMAW";
    QTest::newRow("a second record's GTAW F-No.") << "FNo1=4" << "" << "FillerMetalFNo1=4" << Outcome::Holds
                                                  << "F-No. 4 qualified by PQR-2 with GTAW";
    QTest::newRow("record F-No. unreadable") << "" << "FillerMetalFNo2=low hydrogen" << "" << Outcome::CannotTell
                                             << "FillerMetalFNo2 \"low hydrogen\"";
    QTest::newRow("a column no row or process places") << "AWSNoClass3=E6010|FNo3=3|weldingProcess1=GTAW / SMAW" << "" << ""
                                                       << Outcome::CannotTell << "no technique row uses AWSNoClass3";
}

void TestQualify::aNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "A-No. 1 qualified";
    QTest::newRow("A-No. 2 qualified by A-No. 1") << "ANo1=A-No. 2" << "" << "" << Outcome::Holds << "qualify each other";
    QTest::newRow("an A-No. the record lacks") << "ANo1=A-3" << "" << "" << Outcome::Exceeds << "A-No. 3 not used with GTAW";
    QTest::newRow("unreadable") << "ANo1=carbon steel" << "" << "" << Outcome::CannotTell << "ANo1 \"carbon steel\"";
    QTest::newRow("A-No. 1 qualified by a record's A-No. 2") << "" << "WeldMetalAnalysisANo1=2" << "" << Outcome::Holds
                                                             << "qualify each other";
    QTest::newRow("GTAW A-No. 5 not qualified by the SMAW A-No. 5") << "ANo1=5" << "WeldMetalAnalysisANo2=5" << ""
                                                                    << Outcome::Exceeds << "A-No. 5 not used with GTAW";
    QTest::newRow("a second record's GTAW A-No.") << "ANo1=5" << "" << "WeldMetalAnalysisANo1=5" << Outcome::Holds
                                                  << "A-No. 5 qualified by PQR-2 with GTAW";
    QTest::newRow("A-No. 1 does not qualify A-No. 3") << "ANo2=3" << "" << "" << Outcome::Exceeds << "A-No. 3 not used with SMAW";
    QTest::newRow("record A-No. empty") << "" << "WeldMetalAnalysisANo1=" << "" << Outcome::CannotTell
                                        << "WeldMetalAnalysisANo1 of PQR-1 is empty";
}

void TestQualify::preheatRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "10 \u00b0C is not more than 55 \u00b0C below 50 \u00b0C";
    QTest::newRow("more than 55 below") << "MinPreheatTemp=-10" << "" << "" << Outcome::Exceeds << "lowest -5 \u00b0C";
    QTest::newRow("fahrenheit record: 100 \u00b0F") << "MinPreheatTemp=50|unitTC=false|unitTF=true"
                                                   << "preheatTemp=200|unitTC=false|unitTF=true" << ""
                                                   << Outcome::Exceeds << "more than 100 \u00b0F below 200 \u00b0F";
    QTest::newRow("record ambient says what to write") << "" << "preheatTemp=ambient" << "" << Outcome::CannotTell
                                                       << "ambient, 10 \u00b0C min.";
    QTest::newRow("ambient with its temperature") << "" << "preheatTemp=ambient, 10 \u00b0C min." << "" << Outcome::Holds
                                                  << "below 10 \u00b0C";
    QTest::newRow("empty WPS") << "MinPreheatTemp=" << "" << "" << Outcome::CannotTell << "is empty";
    QTest::newRow("empty record") << "" << "preheatTemp=" << "" << Outcome::CannotTell << "preheatTemp of PQR-1 is empty";
    QTest::newRow("record None is not a temperature") << "" << "preheatTemp=None" << "" << Outcome::CannotTell
                                                      << "ambient, 10 \u00b0C min.";
    QTest::newRow("a second record preheated less") << "MinPreheatTemp=-10" << "" << "preheatTemp=10" << Outcome::Holds
                                                    << "55 \u00b0C below 10 \u00b0C of PQR-2";
}

void TestQualify::postWeldRows()
{
    QTest::newRow("both below the lower") << "" << "" << "" << Outcome::Holds << "below the lower transformation";
    QTest::newRow("neither") << "postWeldTempRange=N/A" << "postWeldTemp=None" << "" << Outcome::Holds << "no PWHT";
    QTest::newRow("WPS drops it") << "postWeldTempRange=None" << "" << "" << Outcome::Exceeds << "the WPS: no PWHT";
    QTest::newRow("620 does not support a 900 normalize") << "postWeldTempRange=900" << "" << "" << Outcome::Exceeds
                                                          << "above the upper";
    QTest::newRow("normalize then temper, both") << "postWeldTempRange=900 \u00b0C then 620 \u00b0C"
                                                 << "postWeldTemp=normalize 900, temper 620" << ""
                                                 << Outcome::Holds << "above the upper transformation temperature, then below";
    QTest::newRow("normalize and temper against temper only") << "postWeldTempRange=900, 620" << "" << ""
                                                              << Outcome::Exceeds << "then below the lower";
    QTest::newRow("empty record") << "" << "postWeldTemp=" << "" << Outcome::CannotTell << "postWeldTemp of PQR-1 is empty";
    QTest::newRow("a second record normalized") << "postWeldTempRange=900|grooveThickness=11.1 - 12 mm" << ""
                                                << "postWeldTemp=900" << Outcome::Holds << "PQR-2";
    QTest::newRow("inside the upper band") << "postWeldTempRange=840" << "postWeldTemp=840" << "" << Outcome::CannotTell
                                           << "straddles";
    QTest::newRow("P-8 within a stated range") << "pNo=8|pNo2=8|postWeldTempRange=1050"
                                               << "baseMetalPNUmber=8|baseMetalPNUmber2=8|postWeldTemp=1060" << ""
                                               << Outcome::Holds << "QW-407.1(b)";
    QTest::newRow("empty WPS is not none") << "postWeldTempRange=" << "postWeldTemp=None" << "" << Outcome::CannotTell
                                           << "is empty";
    QTest::newRow("a mix of two records") << "postWeldTempRange=None" << ""
                                          << "thTestCoupon=6 mm|postWeldTemp=None" << Outcome::Exceeds
                                          << "PQR-2 holds this rule but not every rule";
}

void TestQualify::gasRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "Ar 99.996 as in PQR-1 for GTAW";
    QTest::newRow("single to mixture") << "gasS=Argon / Helium|mixtureS=75/25" << "" << "" << Outcome::Exceeds << "mixture";
    QTest::newRow("percentage changed") << "gasS=Ar/CO2|mixtureS=90/10" << "gasS=Ar/CO2|mixtureS=75/25" << ""
                                        << Outcome::Exceeds << "percentage";
    QTest::newRow("omitted") << "gasS=None" << "" << "" << Outcome::Exceeds << "omits";
    QTest::newRow("unknown gas") << "gasS=house blend" << "" << "" << Outcome::CannotTell << "cannot read the gas";
    QTest::newRow("another gas") << "gasS=Helium" << "" << "" << Outcome::Exceeds << "another gas";
    QTest::newRow("empty record") << "" << "gasS=" << "" << Outcome::CannotTell << "gasS of PQR-1 is empty";
    QTest::newRow("a second record with the mixture") << "gasS=Ar/CO2|mixtureS=90/10" << "" << "gasS=Ar/CO2|mixtureS=90/10"
                                                      << Outcome::Holds << "Ar/CO2 90/10 as in PQR-2";
}

void TestQualify::transferRows()
{
    const QString gmaw = QStringLiteral("weldingProcess1=GMAW|ETGrid_1=|ETGrid_2=|FNo2=|ANo2=|AWSNoClass2=|fillerSize2=|thGroove2=");
    const QString record = QStringLiteral("FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2=");
    QTest::newRow("spray both") << gmaw + "|GMAWMode=Spray" << "weldingProcess1=GMAW|electricalOther=spray transfer|" + record
                                << "" << Outcome::Holds << "spray, globular or pulsed";
    QTest::newRow("spray to short circuit") << gmaw + "|GMAWMode=Short circuiting"
                                            << "weldingProcess1=GMAW|techniqueOther=spray|" + record << ""
                                            << Outcome::Exceeds << "the WPS: short circuit";
    QTest::newRow("record says no mode") << gmaw + "|GMAWMode=Spray" << "weldingProcess1=GMAW|" + record << ""
                                         << Outcome::CannotTell << "GMAW-S";
    QTest::newRow("pulsed against spray") << gmaw + "|GMAWMode=Pulsed" << "weldingProcess1=GMAW|electricalOther=spray transfer|" + record
                                          << "" << Outcome::Holds << "spray, globular or pulsed";
    QTest::newRow("short circuit both") << gmaw + "|GMAWMode=Short circuiting" << "weldingProcess1=GMAW-S|" + record << ""
                                        << Outcome::Holds << "short circuit transfer";
    QTest::newRow("WPS says no mode") << gmaw << "weldingProcess1=GMAW-S|" + record << "" << Outcome::CannotTell
                                      << "does not say one mode";
}

void TestQualify::productFormRows()
{
    QTest::newRow("solid both") << "" << "" << "" << Outcome::Holds << "solid or metal-cored as in PQR-1";
    QTest::newRow("flux-cored against solid") << "weldingProcess1=FCAW|ETGrid_1=|ETGrid_2=|AWSNoClass1=E71T-1C|FNo2=|ANo2=|AWSNoClass2=|fillerSize2=|thGroove2="
                                              << "weldingProcess1=FCAW|AWSClassification1=E70C-6M|fillerMetalOther1=|FillerMetalFNo2=|WeldMetalAnalysisANo2=|weldMetalThickness2=|AWSClassification2=|SizeOfFillerMetal2="
                                              << "" << Outcome::Exceeds << "flux-cored against solid";
    QTest::newRow("metal-cored against solid") << "AWSNoClass1=E70C-6M|ETGrid_1=" << "" << "" << Outcome::Holds
                                               << "solid or metal-cored";
    QTest::newRow("record form unknown") << "" << "AWSClassification1=house wire|fillerMetalOther1=" << ""
                                         << Outcome::CannotTell << "cannot tell the product form";
}

void TestQualify::toughRecordRows()
{
    QTest::newRow("a tested record") << "" << "" << "" << Outcome::Holds << "carries toughness results";
}

void TestQualify::groupRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "the groups of PQR-1";
    QTest::newRow("another group") << "groupNo2=2" << "" << "" << Outcome::Exceeds << "is not the pair of groups";
    QTest::newRow("groups in the P-No. text") << "groupNo=|groupNo2=|pNo=P-1 Gp 1|pNo2=1 Gr. 1" << "" << ""
                                              << Outcome::Holds << "groups";
    QTest::newRow("record without groups") << "" << "baseMetalPNUmber=1" << "" << Outcome::CannotTell << "1 Gr. 1";
    QTest::newRow("a second record of group 2") << "groupNo2=2" << "" << "baseMetalPNUmber2=1 Gr. 2" << Outcome::Holds
                                                << "PQR-2";
}

void TestQualify::minimumThicknessRows()
{
    QTest::newRow("T") << "" << "" << "" << Outcome::Holds << "minimum 11.1 mm (T = 11.1 mm";
    QTest::newRow("below T") << "grooveThickness=5 - 22 mm" << "" << "" << Outcome::Exceeds << "below the minimum 11.1 mm";
    QTest::newRow("16 mm for a thick coupon") << "grooveThickness=16 - 50 mm" << "thTestCoupon=25 mm" << ""
                                              << Outcome::Holds << "5/8 in (16 mm)";
    QTest::newRow("half T under 6 mm") << "grooveThickness=2.5 - 10 mm" << "thTestCoupon=5 mm" << "" << Outcome::Holds
                                       << "1/2T";
    QTest::newRow("below half T") << "grooveThickness=2 - 10 mm" << "thTestCoupon=5 mm" << "" << Outcome::Exceeds
                                  << "below the minimum 2.5 mm";
    QTest::newRow("set aside above the upper") << "grooveThickness=5 - 12 mm|postWeldTempRange=900" << "postWeldTemp=900"
                                               << "" << Outcome::Holds << "does not apply";
}

void TestQualify::electrodeRows()
{
    QTest::newRow("not over 1/4 in") << "" << "" << "" << Outcome::Holds << "not over 1/4 in";
    QTest::newRow("over the record's") << "fillerSize2=5/16 in|ETGrid_2=" << "" << "" << Outcome::Exceeds
                                       << "over 1/4 in (6 mm) and over 4 mm";
    QTest::newRow("over 1/4 in but not over the record's") << "fillerSize2=6.4 mm|ETGrid_2="
                                                           << "SizeOfFillerMetal2=3.2 and 6.4 mm" << "" << Outcome::Holds
                                                           << "not over 6.4 mm";
    QTest::newRow("record size unreadable") << "fillerSize2=6.4 mm|ETGrid_2=" << "SizeOfFillerMetal2=various" << ""
                                            << Outcome::CannotTell << "SizeOfFillerMetal2";
}

void TestQualify::classificationRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "E7018 as in PQR-1";
    QTest::newRow("another classification") << "AWSNoClass1=ER70S-6|ETGrid_1=" << "" << "" << Outcome::Exceeds
                                            << "ER70S-6 is not the classification of GTAW";
    QTest::newRow("the SMAW classification does not qualify GTAW") << "AWSNoClass1=E7018|ETGrid_1=|ETGrid_2=" << "" << ""
                                                                   << Outcome::Exceeds << "E7018 is not the classification of GTAW";
    QTest::newRow("a second record's classification") << "AWSNoClass1=ER70S-6|ETGrid_1=" << ""
                                                      << "AWSClassification1=ER70S-6" << Outcome::Holds << "PQR-2";
}

void TestQualify::uphillRows()
{
    QTest::newRow("uphill both") << "" << "" << "" << Outcome::Holds << "welded vertical uphill (6G)";
    QTest::newRow("record downhill") << "" << "weldProgression=Downhill" << "" << Outcome::Exceeds << "was not welded uphill";
    QTest::newRow("WPS downhill") << "weldProgression=Downhill" << "weldProgression=Downhill" << "" << Outcome::Holds
                                  << "does not weld vertical uphill";
    QTest::newRow("record progression empty") << "" << "weldProgression=" << "" << Outcome::CannotTell << "weldProgression";
}

void TestQualify::interpassRows()
{
    QTest::newRow("holds") << "MaxInterpassTemp=305" << "" << "" << Outcome::Holds << "not more than 55 \u00b0C above";
    QTest::newRow("over 55 above") << "MaxInterpassTemp=310" << "" << "" << Outcome::Exceeds << "highest 305 \u00b0C";
    QTest::newRow("record empty") << "" << "InterpassTemp=" << "" << Outcome::CannotTell << "InterpassTemp of PQR-1 is empty";
    QTest::newRow("a second record hotter") << "MaxInterpassTemp=320" << "" << "InterpassTemp=300" << Outcome::Holds
                                            << "PQR-2";
}

void TestQualify::pwhtTimeRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "at least 80 %";
    QTest::newRow("10 h supports 12.5 h") << "postWeldTimeRange=12.5 h" << "postWeldTime=10 h" << "" << Outcome::Holds
                                          << "80 %";
    QTest::newRow("10 h does not support 13 h") << "postWeldTimeRange=13 h" << "postWeldTime=10 h" << ""
                                                << Outcome::Exceeds << "under 80 %";
    QTest::newRow("temperature not essentially the record's") << "postWeldTempRange=595 - 650" << "" << ""
                                                              << Outcome::Exceeds << "not within 25 \u00b0C";
    QTest::newRow("WPS drops it") << "postWeldTempRange=None" << "" << "" << Outcome::Exceeds << "drops the PWHT";
    QTest::newRow("record time unreadable") << "" << "postWeldTime=overnight" << "" << Outcome::CannotTell << "postWeldTime";
    QTest::newRow("a second record held longer") << "postWeldTimeRange=12 h" << "" << "postWeldTime=10 h" << Outcome::Holds
                                                 << "PQR-2";
}

void TestQualify::heatInputRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "SMAW 2.81 kJ/mm";
    QTest::newRow("over the record's") << QStringLiteral("ETGrid_1=1\u00a6GTAW\u00a6ER70S-2\u00a62.4\u00a6DCEN\u00a690-150\u00a610-13\u00a660-110\u00a6_\u00a6")
                                       << "" << "" << Outcome::Exceeds << "GTAW 1.95 kJ/mm (49.53 kJ/in) is over 1.82";
    QTest::newRow("one range for two processes") << "" << "amperes=90-150" << "" << Outcome::CannotTell
                                                 << "write it per process";
    QTest::newRow("inches per minute") << "" << "travelSpeed=GTAW 60-110 mm/min / SMAW 3-6 in/min" << ""
                                       << Outcome::Holds << "2.95 kJ/mm";
    QTest::newRow("a second record with more amperes") << QStringLiteral("ETGrid_1=1\u00a6GTAW\u00a6ER70S-2\u00a62.4\u00a6DCEN\u00a690-150\u00a610-13\u00a660-110\u00a6_\u00a6")
                                                       << "" << "amperes=GTAW 90-150 / SMAW 100-150" << Outcome::Holds
                                                       << "PQR-2";
    QTest::newRow("record speed unreadable") << "" << "travelSpeed=GTAW slow / SMAW 80-150 mm/min" << ""
                                             << Outcome::CannotTell << "travel speed \"slow\"";
}

void TestQualify::polarityRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "GTAW DCEN as in PQR-1";
    QTest::newRow("another polarity") << "" << "polarity=DCEP (GTAW), DCEP (SMAW)" << "" << Outcome::Exceeds
                                      << "GTAW DCEN in the WPS, DCEP";
    QTest::newRow("one polarity for two processes") << "" << "polarity=DC" << "" << Outcome::CannotTell
                                                    << "\"DC\" gives no polarity for GTAW (\"DC\" says neither DCEN nor "
                                                       "DCEP); write it per process";
    QTest::newRow("DC in a technique row") << QStringLiteral("ETGrid_1=1\u00a6GTAW\u00a6ER70S-2\u00a62.4\u00a6DC\u00a690-140\u00a610-13\u00a660-110\u00a6_\u00a6")
                                           << "" << "" << Outcome::CannotTell << "write DCEN, DCEP or AC";
    QTest::newRow("one DCEN for every process") << "" << "polarity=DCEN" << "" << Outcome::Holds
                                                << "GTAW DCEN as in PQR-1";
    QTest::newRow("AC against DCEN") << QStringLiteral("ETGrid_1=1\u00a6GTAW\u00a6ER70S-2\u00a62.4\u00a6AC\u00a690-140\u00a610-13\u00a660-110\u00a6_\u00a6")
                                     << "" << "" << Outcome::Exceeds << "GTAW AC in the WPS";
    QTest::newRow("a second record with DCEN") << "" << "polarity=DCEP (GTAW), DCEP (SMAW)"
                                               << "polarity=DCEN (GTAW), DCEP (SMAW)" << Outcome::Holds << "PQR-2";
}

void TestQualify::passesRows()
{
    QTest::newRow("multipass") << "" << "" << "" << Outcome::Holds << "does not weld single pass";
    QTest::newRow("to single pass") << "passPerSide=Multipass or single" << "" << "" << Outcome::Exceeds
                                    << "welded multipass";
    QTest::newRow("single pass both") << "passPerSide=Single" << "MSPass=Single pass" << "" << Outcome::Holds << "single";
    QTest::newRow("record empty") << "passPerSide=Single" << "MSPass=" << "" << Outcome::CannotTell << "MSPass";
}

void TestQualify::groupNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "number/group"
    QTest::newRow("bare") << "1" << "1/";
    QTest::newRow("P-1") << "P-1" << "1/";
    QTest::newRow("01 is 1") << "01" << "1/";
    QTest::newRow("P-No. 5A") << "P-No. 5A" << "5A/";
    QTest::newRow("with a group") << "1 Gr. 2" << "1/2";
    QTest::newRow("P-1 Gp 1") << "P-1 Gp 1" << "1/1";
    QTest::newRow("another letter") << "F-6" << "/";
    QTest::newRow("words") << "carbon steel" << "/";
}

void TestQualify::groupNumbers()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString group;
    QCOMPARE(ValueReader::groupNumber(text, QLatin1Char('P'), &group) + QLatin1Char('/') + group, expected);
}

void TestQualify::processNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // processes, "|", unknown words, "|", short-circuiting
    QTest::newRow("code names") << "GTAW / SMAW" << "GTAW,SMAW||";
    QTest::newRow("shop names") << "TIG + MMA, MAG, sub-arc" << "GTAW,SMAW,GMAW,SAW||";
    QTest::newRow("metal-cored is GMAW") << "MCAW" << "GMAW||";
    QTest::newRow("stick, FCAW-S, MIG/MAG") << "stick + FCAW-S, MIG/MAG" << "SMAW,FCAW,GMAW||";
    QTest::newRow("FCAW-G") << "FCAW-G (root)" << "FCAW||";
    QTest::newRow("GMAW-S") << "GMAW-S" << "GMAW||GMAW";
    QTest::newRow("unknown") << "GTAW / XYZ" << "GTAW|XYZ|";
}

void TestQualify::processNames()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const ProcessList p = ProcessNames::read(text);
    QCOMPARE(p.processes.join(',') + '|' + p.unknown.join(',') + '|' + p.shortCircuit.join(','), expected);
}

void TestQualify::pwhtConditions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pNo");
    QTest::addColumn<QString>("condition");
    QTest::newRow("none") << "None" << "1" << "no PWHT";
    QTest::newRow("below the lower") << "595 - 650" << "1" << "below the lower transformation temperature";
    QTest::newRow("fahrenheit, above") << "1650 F" << "1" << "above the upper transformation temperature";
    QTest::newRow("between") << "760" << "1" << "between the transformation temperatures";
    QTest::newRow("straddles the lower") << "700 - 740" << "1" << "cannot tell";
    QTest::newRow("normalize and temper") << "900 then 620" << "1" << "above the upper transformation temperature, then below the lower";
    QTest::newRow("normalize, comma, temper") << "normalize 900, temper 620" << "1"
                                              << "above the upper transformation temperature, then below the lower";
    QTest::newRow("three treatments") << "900, 760, 620" << "1" << "cannot tell";
    QTest::newRow("a P-No. not in the table") << "620" << "4" << "cannot tell";
    QTest::newRow("P-8") << "1050" << "8" << "within a stated temperature range";
    QTest::newRow("empty") << "" << "1" << "cannot tell";
}

void TestQualify::pwhtConditions()
{
    QFETCH(QString, text);
    QFETCH(QString, pNo);
    QFETCH(QString, condition);
    const TransformationTable table = TransformationTable::parse("; carbon steel\r\n1 = 720 C / 815-870 C\r\nbad line\r\n", "t");
    QCOMPARE(table.problems().size(), 1);
    QCOMPARE(Pwht::conditionText(Pwht::condition(text, Unit::Celsius, pNo, table).condition), condition);
}

void TestQualify::toughnessLinesOnlyWhereTheyApply()
{
    const QualifyForm wps(QStringLiteral("w"), baseWps());
    const QualifyForm plain(QStringLiteral("r"), baseRecord());
    const auto toughLines = [](const QList<Verdict> &verdicts) {
        return std::count_if(verdicts.cbegin(), verdicts.cend(), [](const Verdict &v) { return v.subject.contains(QLatin1String("(toughness)")); });
    };
    // No toughness results and none required: no toughness line.
    QCOMPARE(toughLines(QualifyCheck::run(wps, {plain})), 0);
    // Required without a toughness-tested record: the record line exceeds.
    CheckOptions required;
    required.toughnessRequired = true;
    const QList<Verdict> verdicts = QualifyCheck::run(wps, {plain}, required);
    QCOMPARE(toughLines(verdicts), 11);
    const auto record = std::find_if(verdicts.cbegin(), verdicts.cend(), [](const Verdict &v) { return v.paragraph == QLatin1String("QW-401.1"); });
    QVERIFY(record != verdicts.cend());
    QCOMPARE(record->outcome, Outcome::Exceeds);
}

void TestQualify::wpsFromExampleRecord()
{
    ProfileFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/examples/wpqr-example.wrp"),
                     ProfileFile::Kind::Document);
    QVERIFY(file.load());
    QHash<QString, QString> fields;
    for (const auto &[key, value] : WpsFromRecord::fields(QualifyForm::fromProfile(file, QStringLiteral("x"))))
        fields.insert(key, value);
    const QHash<QString, QString> expected = {
        {"PQRNo", "PQR-118"}, {"weldingProcess1", "GTAW / SMAW"}, {"specType1", "SA-106"}, {"pNo2", "1"},
        {"AWSNoClass2", "E7018"}, {"FNo2", "4"}, {"ANo1", "1"}, {"gasB", "Argon"}, {"flowRateS", "10 l/min"},
        {"polarity", "DCEN (GTAW), DCEP (SMAW)"}, {"tungstenElecSize", "2.4 mm EWTh-2"}, {"passPerSide", "Multipass"},
        {"multiOrSingleElec", "Single"}, {"grooveThickness", "11.1 mm to 22.2 mm"}, {"thGroove1", "8 mm max."},
        {"thGroove2", "14.2 mm max."}, {"tensileTestUnitM", "true"}, {"unitTC", "true"}, {"groupNo", "1"},
        {"wpsNo", "WPS-118"}, {"groovePosition", "6G"}, {"weldProgression", "Uphill"},
        {"ETGrid_1", "1\u00a6GTAW\u00a6ER70S-2\u00a62.4 mm\u00a6DCEN\u00a690-140\u00a610-13\u00a660-110\u00a6_\u00a6"},
        {"ETGrid_2", "2\u00a6SMAW\u00a6E7018\u00a63.2 and 4.0 mm\u00a6DCEP\u00a6100-150\u00a621-25\u00a680-150\u00a6_\u00a6"}};
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(fields.value(it.key(), QStringLiteral("<missing>")), it.value());
}

void TestQualify::proposedRecords()
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &text) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("a.wrp", "[contents]\r\nformType=WPQR\r\nPQRNo=PQR-118\r\n");
    write("b.wrp", "[contents]\r\nformType=WPQR\r\nPQRNo=pqr-121\r\n");
    write("c.wrp", "[contents]\r\nformType=WPQR\r\nPQRNo=PQR-7\r\n");
    write("d.wrp", "[contents]\r\nformType=PQR\r\nPQRNo=PQR-118\r\n");
    QCOMPARE(RecordFinder::proposals(dir.path(), QStringLiteral("PQR-118, PQR-121")),
             (QStringList{dir.filePath("a.wrp"), dir.filePath("b.wrp")}));
    QVERIFY(RecordFinder::proposals(dir.path(), QString()).isEmpty());
}

QTEST_MAIN(TestQualify)
#include "tst_qualify.moc"
