// The qualification rules: reading the free-text values, Table QW-451.1 at and across its
// bounds, each rule holding, exceeded and undecided, and a new WPS from the shipped record.

#include "core/profilefile.h"
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

// A record and a WPS that meet every rule; the rows change a few fields of either.
QHash<QString, QString> baseRecord()
{
    return {{"formType", "WPQR"},          {"PQRNo", "PQR-1"},           {"weldingProcess1", "GTAW / SMAW"},
            {"thTestCoupon", "11.1 mm"},   {"baseMetalPNUmber", "1"},    {"baseMetalPNUmber2", "1"},
            {"FillerMetalFNo1", "6"},      {"WeldMetalAnalysisANo1", "1"}, {"weldMetalThickness1", "4 mm"},
            {"FillerMetalFNo2", "4"},      {"WeldMetalAnalysisANo2", "1"}, {"weldMetalThickness2", "7.1 mm"},
            {"preheatTemp", "50"},         {"postWeldTemp", "620"},      {"unitTC", "true"},
            {"tensileTestUnitM", "true"}};
}

QHash<QString, QString> baseWps()
{
    return {{"formType", "WPSR"},     {"weldingProcess1", "GTAW/SMAW"}, {"grooveThickness", "5 - 22 mm"},
            {"pNo", "1"},             {"pNo2", "1"},                    {"FNo1", "6"},
            {"ANo1", "1"},            {"thGroove1", "8 mm max."},       {"FNo2", "F-No. 4"},
            {"ANo2", "A1"},           {"thGroove2", "14 mm max."},      {"MinPreheatTemp", "10"},
            {"postWeldTempRange", "595 - 650"}, {"unitTC", "true"},     {"tensileTestUnitM", "true"}};
}

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
    void reading_data();
    void reading();
    void baseMetalTable_data();
    void baseMetalTable();
    void depositTable_data();
    void depositTable();
    void processRule_data() { ruleColumns(); processRows(); }
    void processRule() { checkRule(0); }
    void pNumberRule_data() { ruleColumns(); pNumberRows(); }
    void pNumberRule() { checkRule(1); }
    void baseMetalRule_data() { ruleColumns(); baseMetalRows(); }
    void baseMetalRule() { checkRule(2); }
    void depositRule_data() { ruleColumns(); depositRows(); }
    void depositRule() { checkRule(3); }
    void fNumberRule_data() { ruleColumns(); fNumberRows(); }
    void fNumberRule() { checkRule(4); }
    void aNumberRule_data() { ruleColumns(); aNumberRows(); }
    void aNumberRule() { checkRule(5); }
    void preheatRule_data() { ruleColumns(); preheatRows(); }
    void preheatRule() { checkRule(6); }
    void postWeldRule_data() { ruleColumns(); postWeldRows(); }
    void postWeldRule() { checkRule(7); }
    void wpsFromExampleRecord();
    void proposedRecords();

private:
    void ruleColumns();
    void checkRule(int rule);
    void processRows();
    void pNumberRows();
    void baseMetalRows();
    void depositRows();
    void fNumberRows();
    void aNumberRows();
    void preheatRows();
    void postWeldRows();
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

void TestQualify::checkRule(int rule)
{
    QFETCH(QString, wpsChanges);
    QFETCH(QString, recordChanges);
    QFETCH(QString, secondRecord);
    QFETCH(Outcome, outcome);
    QFETCH(QString, detailsHave);
    QList<QualifyForm> records{QualifyForm(QStringLiteral("a.wrp"), with(baseRecord(), recordChanges))};
    if (!secondRecord.isEmpty())
        records << QualifyForm(QStringLiteral("b.wrp"), with(baseRecord(), secondRecord));
    const QList<Verdict> verdicts = QualifyCheck::run(QualifyForm(QStringLiteral("w.wrp"), with(baseWps(), wpsChanges)), records);
    const Verdict &v = verdicts.at(rule);
    QVERIFY2(v.outcome == outcome, qPrintable(v.line()));
    QVERIFY2(v.details.contains(detailsHave), qPrintable(v.line()));
}

void TestQualify::processRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "GTAW, SMAW qualified";
    QTest::newRow("a process the record lacks") << "weldingProcess1=GTAW + FCAW" << "" << "" << Outcome::Exceeds
                                                << "FCAW not in the record";
    QTest::newRow("a second record has it") << "weldingProcess1=GTAW, FCAW" << "" << "weldingProcess1=FCAW"
                                            << Outcome::Holds << "qualified";
    QTest::newRow("no process named") << "weldingProcess1=manual" << "" << "" << Outcome::CannotTell
                                      << "cannot read weldingProcess1 \"manual\"";
}

void TestQualify::pNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "P-No. 1 to P-No. 1";
    QTest::newRow("either order") << "pNo=P-No. 8|pNo2=1" << "baseMetalPNUmber=1|baseMetalPNUmber2=P8" << ""
                                  << Outcome::Holds << "qualified";
    QTest::newRow("another pair") << "pNo2=8" << "" << "" << Outcome::Exceeds << "is not the pair";
    QTest::newRow("record unreadable") << "" << "baseMetalPNUmber2=see sheet" << "" << Outcome::CannotTell
                                       << "baseMetalPNUmber2 \"see sheet\"";
}

void TestQualify::baseMetalRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "5 mm to 22.2 mm";
    QTest::newRow("at 2T") << "grooveThickness=5 mm to 22.2 mm" << "" << "" << Outcome::Holds << "within";
    QTest::newRow("3/16 in meets 5 mm") << "grooveThickness=3/16 to 3/4 in" << "" << "" << Outcome::Holds << "within";
    QTest::newRow("10 mm coupon is in 1.5 to 10 mm") << "grooveThickness=1.5 - 20 mm" << "thTestCoupon=10 mm" << ""
                                                     << Outcome::Holds << "1.5 mm to 20 mm";
    QTest::newRow("above 2T") << "grooveThickness=5 - 25 mm" << "" << "" << Outcome::Exceeds << "25 mm above 22.2 mm";
    QTest::newRow("below the minimum") << "grooveThickness=3 - 20 mm" << "" << "" << Outcome::Exceeds
                                       << "3 mm below 5 mm";
    QTest::newRow("no lower limit") << "grooveThickness=up to 20 mm" << "" << "" << Outcome::Exceeds
                                    << "no lower limit";
    QTest::newRow("imperial coupon, inch bounds") << "grooveThickness=3/16 - 1 in" << "thTestCoupon=1/2|tensileTestUnitM=false|tensileTestUnitI=true"
                                                  << "" << Outcome::Holds << "3/16 in to 1 in";
    QTest::newRow("a thicker second record") << "grooveThickness=5 - 40 mm" << "" << "thTestCoupon=25 mm"
                                             << Outcome::Holds << "T = 25 mm";
    QTest::newRow("All") << "grooveThickness=All" << "" << "" << Outcome::CannotTell << "grooveThickness \"All\"";
    QTest::newRow("coupon unreadable") << "" << "thTestCoupon=about 11" << "" << Outcome::CannotTell
                                       << "thTestCoupon \"about 11\"";
}

void TestQualify::depositRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "filler 2: within 14.2 mm max.";
    QTest::newRow("one filler exceeds") << "thGroove2=15 mm" << "" << "" << Outcome::Exceeds << "15 mm above 14.2 mm";
    QTest::newRow("inches against a metric record") << "thGroove1=5/16 in max." << "" << "" << Outcome::Holds
                                                    << "filler 1: within 8 mm max.";
    QTest::newRow("empty columns are skipped") << "thGroove1=|thGroove2=" << "" << "" << Outcome::CannotTell
                                               << "are empty";
    QTest::newRow("record deposit unreadable") << "" << "weldMetalThickness2=most" << "" << Outcome::CannotTell
                                               << "weldMetalThickness2 \"most\"";
}

void TestQualify::fNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "F-No. 4 qualified";
    QTest::newRow("an F-No. the record lacks") << "FNo2=5" << "" << "" << Outcome::Exceeds << "F-No. 5 not in the record";
    QTest::newRow("found in a second record") << "FNo2=5" << "" << "FillerMetalFNo1=5" << Outcome::Holds
                                              << "F-No. 5 qualified";
    QTest::newRow("filled column without F-No.") << "FNo2=" << "" << "" << Outcome::CannotTell << "FNo2 of the WPS is empty";
    QTest::newRow("third column filled") << "AWSNoClass3=E7016|FNo3=4" << "" << "" << Outcome::Holds << "filler 3";
}

void TestQualify::aNumberRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "A-No. 1 qualified";
    QTest::newRow("an A-No. the record lacks") << "ANo1=A-No. 2" << "" << "" << Outcome::Exceeds << "A-No. 2 not in";
    QTest::newRow("unreadable") << "ANo1=carbon steel" << "" << "" << Outcome::CannotTell << "ANo1 \"carbon steel\"";
}

void TestQualify::preheatRows()
{
    QTest::newRow("holds") << "" << "" << "" << Outcome::Holds << "10 \u00b0C is not more than 55 \u00b0C below 50 \u00b0C";
    QTest::newRow("exactly 55 below") << "MinPreheatTemp=-5 \u00b0C" << "" << "" << Outcome::Holds << "not more";
    QTest::newRow("more than 55 below") << "MinPreheatTemp=-10" << "" << "" << Outcome::Exceeds << "lowest -5 \u00b0C";
    QTest::newRow("fahrenheit WPS, celsius record") << "MinPreheatTemp=50 \u00b0F" << "" << "" << Outcome::Holds
                                                    << "50 \u00b0F (10 \u00b0C)";
    QTest::newRow("fahrenheit record: 100 \u00b0F") << "MinPreheatTemp=50|unitTC=false|unitTF=true"
                                                   << "preheatTemp=200|unitTC=false|unitTF=true" << ""
                                                   << Outcome::Exceeds << "more than 100 \u00b0F below 200 \u00b0F";
    QTest::newRow("none") << "MinPreheatTemp=None required" << "" << "" << Outcome::CannotTell << "MinPreheatTemp";
}

void TestQualify::postWeldRows()
{
    QTest::newRow("both treated") << "" << "" << "" << Outcome::Holds << "heat treated in both";
    QTest::newRow("neither") << "postWeldTempRange=N/A" << "postWeldTemp=" << "" << Outcome::Holds << "neither";
    QTest::newRow("WPS drops it") << "postWeldTempRange=None" << "" << "" << Outcome::Exceeds << "does not heat treat";
    QTest::newRow("WPS adds it") << "" << "postWeldTemp=None" << "" << Outcome::Exceeds << "was not heat treated";
    QTest::newRow("a second record as welded") << "postWeldTempRange=None" << "" << "postWeldTemp=None"
                                               << Outcome::Holds << "neither";
    QTest::newRow("unreadable") << "postWeldTempRange=per code" << "" << "" << Outcome::CannotTell << "\"per code\"";
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
        {"multiOrSingleElec", "Single"}, {"grooveThickness", "5 mm to 22.2 mm"}, {"thGroove1", "8 mm max."},
        {"thGroove2", "14.2 mm max."}, {"tensileTestUnitM", "true"}, {"unitTC", "true"}};
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
