// The welder rules: the ranges a performance test qualifies (one table per rule), the QW-322
// continuity at its boundaries, and a welder against the shipped WPS.

#include "core/profilefile.h"
#include "forms/formregistry.h"
#include "qualify/continuity.h"
#include "qualify/welderfit.h"
#include "qualify/welderpositions.h"
#include "qualify/welderranges.h"
#include "qualify/wpqkeys.h"

#include <QCoreApplication>
#include <QtTest>

using namespace Brenvik;

using Values = QHash<QString, QString>;

namespace {

QualifyForm form(const QHash<QString, QString> &values)
{
    return QualifyForm(QStringLiteral("test.wrp"), values);
}

// The shipped W-12 (GTAW and SMAW on 6G pipe, qualified for the shipped WPS on 2026-03-01)
// with some of its values replaced.
QHash<QString, QString> shippedValues(const QString &name)
{
    ProfileFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + name);
    file.load();
    QHash<QString, QString> out;
    for (const auto &[key, value] : file.entries(QStringLiteral("contents")))
        out.insert(key, value);
    return out;
}

} // namespace

class TestWelderRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void positions_data();
    void positions();
    void diameter_data();
    void diameter();
    void deposit_data();
    void deposit();
    void fNumbers_data();
    void fNumbers();
    void choices_data();
    void choices();
    void continuity_data();
    void continuity();
    void welderAgainstWps_data();
    void welderAgainstWps();
};

void TestWelderRules::positions_data()
{
    // QW-461.9: the coupon and the three columns it qualifies.
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("tested");
    QTest::addColumn<QString>("plateAndLargePipe");
    QTest::addColumn<QString>("smallPipe");
    QTest::addColumn<QString>("fillet");
    QTest::newRow("plate 1G") << false << "1G" << "F" << "F" << "F, H";
    QTest::newRow("plate 3G") << false << "3G" << "F, V" << "F" << "F, H, V";
    QTest::newRow("plate 3G and 4G") << false << "3G & 4G" << "F, V, O" << "F" << "All";
    QTest::newRow("plate 2G, 3G, 4G") << false << "4G, 2G and 3G" << "All" << "F, H" << "All";
    QTest::newRow("pipe 2G") << true << "2G" << "F, H" << "F, H" << "F, H";
    QTest::newRow("pipe 5G") << true << "5g" << "F, V, O" << "F, V, O" << "All";
    QTest::newRow("pipe 6G") << true << "6G" << "All" << "All" << "All";
    QTest::newRow("pipe 2G + 5G") << true << "2G + 5G" << "All" << "All" << "All";
    QTest::newRow("plate fillet 4F") << false << "4F" << "None" << "None" << "F, H, O";
    QTest::newRow("pipe fillet 2FR") << true << "2FR" << "None" << "None" << "F, H";
    QTest::newRow("pipe fillet 5F") << true << "5F" << "None" << "None" << "All";
    QTest::newRow("no such coupon: plate 5G") << false << "5G" << "" << "" << "";
    QTest::newRow("no position named") << true << "flat" << "" << "" << "";
}

void TestWelderRules::positions()
{
    QFETCH(bool, pipe);
    QFETCH(QString, tested);
    const PositionRow *row = WelderPositions::find(pipe, tested);
    QFETCH(QString, plateAndLargePipe);
    if (plateAndLargePipe.isEmpty()) {
        QVERIFY(!row);
        return;
    }
    QVERIFY(row);
    QCOMPARE(WelderPositions::text(row->groovePlate), plateAndLargePipe);
    QTEST(WelderPositions::text(row->groovePipe), "smallPipe");
    QTEST(WelderPositions::text(row->fillet), "fillet");
    // A plate coupon's groove positions hold on pipe of 2-7/8 in O.D. and over only.
    QCOMPARE(row->groovePipeFrom73, !pipe && row->groovePipe != 0);
}

void TestWelderRules::diameter_data()
{
    // QW-452.3 at its bounds, in the unit written.
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("od");
    QTest::addColumn<QString>("qualified");
    QTest::newRow("under 1 in: its own size") << true << "0.84 in" << "0.84 in O.D. and over";
    QTest::newRow("just under 25 mm") << true << "24.9 mm" << "24.9 mm O.D. and over";
    QTest::newRow("1 in exactly") << true << "1 in" << "1 in O.D. and over";
    QTest::newRow("60.3 mm") << true << "60.3 mm" << "25 mm O.D. and over";
    QTest::newRow("2-7/8 in exactly") << true << "2-7/8 in" << "1 in O.D. and over";
    QTest::newRow("73 mm exactly") << true << "73 mm" << "25 mm O.D. and over";
    QTest::newRow("over 2-7/8 in") << true << "3.5 in" << "2-7/8 in O.D. and over";
    QTest::newRow("168.3 mm") << true << "168.3 mm" << "73 mm O.D. and over";
    QTest::newRow("plate") << false << "" << "2-7/8 in (73 mm) O.D. and over";
    QTest::newRow("no unit: not read") << true << "60.3" << "";
}

void TestWelderRules::diameter()
{
    QFETCH(bool, pipe);
    QFETCH(QString, od);
    QTEST(WelderRanges::diameter(pipe, od).text, "qualified");
}

void TestWelderRules::deposit_data()
{
    // QW-452.1(b), and QW-404.32 for GMAW short-circuiting.
    QTest::addColumn<QString>("t");
    QTest::addColumn<bool>("threeLayers");
    QTest::addColumn<bool>("shortCircuit");
    QTest::addColumn<QString>("qualified");
    QTest::newRow("2t") << "6 mm" << false << false << "12 mm max.";
    QTest::newRow("just under 13 mm in three layers: 2t") << "12.9 mm" << true << false << "25.8 mm max.";
    QTest::newRow("13 mm in three layers") << "13 mm" << true << false << "Maximum to be welded";
    QTest::newRow("1/2 in in three layers") << "1/2 in" << true << false << "Maximum to be welded";
    QTest::newRow("13 mm in two layers: 2t") << "13 mm" << false << false << "26 mm max.";
    QTest::newRow("short-circuiting under 1/2 in") << "0.25 in" << false << true << "0.275 in max.";
    QTest::newRow("short-circuiting from 13 mm") << "14 mm" << true << true << "Maximum to be welded";
    QTest::newRow("unreadable") << "about 6" << false << false << "";
}

void TestWelderRules::deposit()
{
    QFETCH(QString, t);
    QFETCH(bool, threeLayers);
    QFETCH(bool, shortCircuit);
    QTEST(WelderRanges::deposit(t, threeLayers, shortCircuit).text, "qualified");
}

void TestWelderRules::fNumbers_data()
{
    // QW-433 and QW-402.4: what the F-No. and backing of a test qualify.
    QTest::addColumn<QString>("fNo");
    QTest::addColumn<QString>("backing");
    QTest::addColumn<QString>("qualified");
    QTest::addColumn<QString>("backingRange");
    QTest::newRow("F-4 with") << "F-4" << "With" << "F-1 to F-4 with backing" << "With backing only";
    QTest::newRow("F-4 without") << "F4" << "None"
                                 << "F-4 with or without backing; F-1 to F-3 with backing" << "With or without backing";
    QTest::newRow("F-3 without") << "3" << "No (open root)" << "F-3 with or without backing; F-1, F-2 with backing"
                                 << "With or without backing";
    QTest::newRow("F-2 with") << "F-No. 2" << "Metal backing strip" << "F-1, F-2 with backing" << "With backing only";
    QTest::newRow("F-1 without") << "F-1" << "Without" << "F-1 with or without backing" << "With or without backing";
    QTest::newRow("F-5 without") << "F-5" << "Without" << "F-5 with or without backing; F-1 with backing"
                                 << "With or without backing";
    QTest::newRow("double-welded counts as backing") << "F-4" << "Double-welded" << "F-1 to F-4 with backing"
                                                     << "With backing only";
    QTest::newRow("F-6 either way") << "F-6" << "With" << "F-6" << "With backing only";
    QTest::newRow("F-43 nickel") << "F-43" << "Without" << "F-34, F-41 to F-46" << "With or without backing";
    QTest::newRow("backing unknown") << "F-4" << "" << "" << "";
    QTest::newRow("no F-No.") << "E7018" << "With" << "" << "With backing only";
}

void TestWelderRules::fNumbers()
{
    QFETCH(QString, fNo);
    QFETCH(QString, backing);
    const Backing tested = WelderRanges::backing(backing);
    QTEST(WelderRanges::fNo(fNo, tested).text, "qualified");
    QTEST(WelderRanges::backingRange(tested), "backingRange");
}

void TestWelderRules::choices_data()
{
    // QW-423.1, QW-405.3, QW-408.8, QW-409.2, QW-409.4, QW-404.14, QW-404.22, QW-404.23.
    QTest::addColumn<Values>("actual");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("qualified");
    using H = QHash<QString, QString>;
    QTest::newRow("P-1 to P-8") << H{{"pNo", "P-1"}, {"pNo2", "8"}} << "pNoRange"
                                << "P-1 through P-15F, P-34, P-41 through P-49";
    QTest::newRow("P-43 to P-15E") << H{{"pNo", "43"}, {"pNo2", "P-15E"}} << "pNoRange"
                                   << "P-1 through P-15F, P-34, P-41 through P-49";
    QTest::newRow("aluminium to steel: no group") << H{{"pNo", "P-21"}, {"pNo2", "P-1"}} << "pNoRange" << "";
    QTest::newRow("uphill") << H{{"progression", "Uphill"}} << "progressionRange" << "Uphill only";
    QTest::newRow("downhill") << H{{"progression", "vertical down"}} << "progressionRange" << "Downhill only";
    QTest::newRow("no backing gas") << H{{"backingGas", "None"}} << "backingGasRange" << "With or without backing gas";
    QTest::newRow("backing gas, open root") << H{{"backingGas", "Argon"}, {"backing", "Without"}} << "backingGasRange"
                                            << "With backing gas only";
    QTest::newRow("backing gas on a backing strip") << H{{"backingGas", "Argon"}, {"backing", "Backing strip"}}
                                                    << "backingGasRange" << "With or without backing gas";
    QTest::newRow("backing gas, double-welded") << H{{"backingGas", "Argon"}, {"backing", "Double-welded"}}
                                                << "backingGasRange" << "With or without backing gas";
    QTest::newRow("short circuit") << H{{"transferMode", "Short-circuit"}} << "transferModeRange"
                                   << "Short-circuiting only";
    QTest::newRow("pulsed spray") << H{{"transferMode", "Pulsed spray"}} << "transferModeRange"
                                  << "Spray, globular or pulsed spray";
    QTest::newRow("DCEN") << H{{"currentPolarity", "DC, DCEN"}} << "currentPolarityRange" << "DCEN only";
    QTest::newRow("AC") << H{{"currentPolarity", "AC"}} << "currentPolarityRange" << "AC only";
    QTest::newRow("GTAW without filler") << H{{"gtawFiller", "Without (autogenous)"}} << "gtawFillerRange"
                                         << "Without filler metal only";
    QTest::newRow("GTAW with filler") << H{{"gtawFiller", "With"}} << "gtawFillerRange" << "With filler metal only";
    QTest::newRow("insert deleted") << H{{"consumableInsert", "None"}} << "consumableInsertRange"
                                    << "With or without consumable insert";
    QTest::newRow("insert used") << H{{"consumableInsert", "With insert"}} << "consumableInsertRange"
                                 << "With consumable insert only";
    QTest::newRow("metal-cored") << H{{"fillerType", "Metal-cored"}} << "fillerTypeRange" << "Metal-cored only";
    QTest::newRow("flux-cored") << H{{"fillerType", "flux cored"}} << "fillerTypeRange" << "Flux-cored only";
    QTest::newRow("unreadable") << H{{"progression", "sideways"}} << "progressionRange" << "";
}

void TestWelderRules::choices()
{
    QFETCH(Values, actual);
    QFETCH(QString, key);
    QString computed;
    for (const WelderRanges::Result &r : WelderRanges::compute(form(actual)))
        if (r.key == key)
            computed = r.text;
    QTEST(computed, "qualified");
}

void TestWelderRules::continuity_data()
{
    // GTAW and SMAW tested on 2025-04-10; GTAW used on 2025-06-18 (expiry 2025-12-18), SMAW
    // on 2025-08-31 (six months on: the last day of February).
    QTest::addColumn<QDate>("on");
    QTest::addColumn<bool>("revoked");
    QTest::addColumn<QString>("gtaw");
    QTest::addColumn<QString>("smaw");
    QTest::newRow("the day before GTAW expires") << QDate(2025, 12, 17) << false << "expiring" << "current";
    QTest::newRow("the day GTAW expires") << QDate(2025, 12, 18) << false << "lapsed" << "current";
    QTest::newRow("31 days before") << QDate(2025, 11, 17) << false << "current" << "current";
    QTest::newRow("30 days before") << QDate(2025, 11, 18) << false << "expiring" << "current";
    QTest::newRow("the last day of February") << QDate(2026, 2, 28) << false << "lapsed" << "lapsed";
    QTest::newRow("the day before it") << QDate(2026, 2, 27) << false << "lapsed" << "expiring";
    QTest::newRow("before the later uses") << QDate(2025, 6, 1) << false << "current" << "current";
    QTest::newRow("before the test") << QDate(2025, 4, 9) << false << "cannot tell" << "cannot tell";
    QTest::newRow("revoked") << QDate(2025, 7, 1) << true << "revoked" << "revoked";
}

void TestWelderRules::continuity()
{
    QFETCH(QDate, on);
    QFETCH(bool, revoked);
    const QList<ContinuityUse> uses = {
        {QDate(2025, 6, 18), QStringLiteral("GTAW"), QStringLiteral("job 1"), QString()},
        {QDate(2025, 8, 31), QStringLiteral("smaw"), QStringLiteral("job 2"), QString()},
        // A use of a process not tested renews nothing.
        {QDate(2025, 12, 1), QStringLiteral("FCAW"), QStringLiteral("job 3"), QString()},
    };
    const QList<ProcessContinuity> out = Continuity::evaluate({QStringLiteral("GTAW"), QStringLiteral("SMAW")},
                                                              QDate(2025, 4, 10), uses, revoked, on);
    QCOMPARE(out.size(), 2);
    QTEST(Continuity::stateWord(out.at(0).state), "gtaw");
    QTEST(Continuity::stateWord(out.at(1).state), "smaw");
    if (on >= QDate(2025, 8, 31)) {
        QCOMPARE(out.at(1).expiry, QDate(2026, 2, 28));
        QCOMPARE(out.at(1).validThrough(), QDate(2026, 2, 27));
    }
}

void TestWelderRules::welderAgainstWps_data()
{
    // The shipped WPS (GTAW / SMAW, 60 mm O.D. and over, open root, all positions, uphill,
    // 6 and 14 mm) against the shipped W-12 with one thing changed, on 2026-03-01.
    QTest::addColumn<Values>("changed");
    QTest::addColumn<QString>("overall");
    QTest::addColumn<QString>("line"); // the line that decides
    using H = QHash<QString, QString>;
    QTest::newRow("as shipped") << H{} << "holds" << "";
    QTest::newRow("SMAW deposit too thin") << H{{"deposit2", "6 mm"}, {"deposit2Range", "12 mm max."}} << "exceeds"
                                           << "QW-452.1(b) deposit thickness SMAW: exceeds (SMAW 14 mm above 12 mm max.)";
    QTest::newRow("deposit in inches against millimetres") << H{{"deposit2", "0.3 in"}, {"deposit2Range", "0.6 in max."}}
                                                           << "holds" << "QW-452.1(b) deposit thickness SMAW: holds "
                                                                         "(SMAW 14 mm within 0.6 in max.)";
    QTest::newRow("tested with backing") << H{{"backing", "With"}, {"backingRange", ""}, {"fNo2Range", ""}}
                                         << "exceeds"
                                         << "QW-402.4 backing: exceeds (welding without backing needs a test "
                                            "without backing)";
    QTest::newRow("pipe too large") << H{{"pipeDiameter", "88.9 mm"}, {"pipeDiameterRange", ""}} << "exceeds"
                                    << "QW-452.3 pipe diameter: exceeds (60 mm O.D. and over below 73 mm O.D. and over)";
    QTest::newRow("5G only: groove all needs 6G")
        << H{{"position", "5G"}, {"positionRangePlate", ""}, {"positionRangePipe", ""}, {"positionRangeFillet", ""}}
        << "exceeds" << "QW-461.9 position groove: exceeds (H not qualified)";
    QTest::newRow("downhill") << H{{"progression", "Downhill"}, {"progressionRange", ""}} << "exceeds"
                              << "QW-405.3 progression: exceeds (Uphill is not Downhill only)";
    QTest::newRow("range written by hand") << H{{"pipeDiameterRange", "All"}} << "cannot tell"
                                           << "QW-452.3 pipe diameter: cannot tell (pipeDiameterRange \"All\" is "
                                              "written by hand (the actual values give \"25 mm O.D. and over\"): "
                                              "check it by eye)";
    QTest::newRow("GTAW lapsed") << H{{"testDate", "07/01/2025"}, {"continuity_1", "2025-06-01\u00A6GTAW\u00A6\u00A6\u00A6"}}
                                 << "lapsed"
                                 << "QW-322 process GTAW: lapsed (GTAW lapsed on 2026-01-01 (last use 2025-07-01))";
    QTest::newRow("revoked") << H{{"revoked", "true"}, {"revokedReason", "failed a production RT"}} << "lapsed"
                             << "QW-322 process GTAW: lapsed (revoked: failed a production RT)";
}

void TestWelderRules::welderAgainstWps()
{
    QFETCH(Values, changed);
    QHash<QString, QString> values = shippedValues(QStringLiteral("wpq-example-2.wrp"));
    if (values.isEmpty())
        QSKIP("no shipped example");
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        values.insert(it.key(), it.value());
    const QualifyForm wps = form(shippedValues(QStringLiteral("wps-example.wrp")));
    const QList<WelderVerdict> verdicts = WelderFit::run(wps, WelderRecord(form(values)), QDate(2026, 3, 1));
    QStringList lines;
    for (const WelderVerdict &v : verdicts)
        lines << v.line();
    QTEST(WelderFit::outcomeWord(WelderFit::overall(verdicts)), "overall");
    QFETCH(QString, line);
    if (!line.isEmpty())
        QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.size(), 13); // every rule speaks: two processes, two positions, two deposits, two F-Nos
}

QTEST_GUILESS_MAIN(TestWelderRules)
#include "tst_welderrules.moc"
