// The WPQ window and its report: the keys of a new document, a filled document saved back byte
// for byte, the ranges that follow the actual values (and those the user wrote, which stay),
// and what the report prints.

#include "core/appstate.h"
#include "core/cp1252.h"
#include "core/profilefile.h"
#include "forms/formregistry.h"
#include "forms/wpq/twpq.h"
#include "forms/wpq/twpqrpt.h"
#include "report/reportpage.h"
#include "support/formfixture.h"
#include "support/reportchecks.h"
#include "support/testfiles.h"
#include "welder/tqualifiedweldersdlg.h"
#include "welder/weldersdock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QPushButton>
#include <QtTest>

using namespace Brenvik;

namespace {

const QString kSep = QStringLiteral("\u00A6");

QString emptyRow(int cells)
{
    return (QStringLiteral("_") + kSep).repeated(cells);
}

// The file of a new document: its keys in order, empty unless given.
QByteArray newDocument()
{
    const QHash<QString, QString> set = {
        {"formType", "WPQ"}, {"testCoupon", "false"}, {"productionWeld", "false"}, {"testDate", "07/12/2026"},
        {"imageIfResize", "false"}, {"threeLayers1", "false"}, {"threeLayers2", "false"}, {"revoked", "false"},
        {"certDate", "07/12/2026"}, {"bendTest_0", "Type" + kSep + "Result" + kSep},
        {"continuity_0", "Date (yyyy-MM-dd)" + kSep + "Process" + kSep + "Job or WPS" + kSep + "Recorded By" + kSep}};
    QStringList keys = QStringLiteral(
        "imageFile formType welderName welderId wpsFollowed testCoupon productionWeld testDate companyName "
        "imageIfResize imageSourceFile sketchDescription").split(' ');
    for (const char *n : {"1", "2"})
        for (const char *k : {"weldingProcess%1", "weldingProcess%1Range", "weldingType%1", "weldingType%1Range",
                              "deposit%1", "deposit%1Range", "threeLayers%1", "sfa%1", "awsClass%1", "fNo%1",
                              "fNo%1Range"})
            keys << QString::fromLatin1(k).arg(QLatin1String(n));
    keys << QStringLiteral(
                "backing backingRange platePipe platePipeRange pipeDiameter pipeDiameterRange baseMetalSpec pNo "
                "pNoRange pNo2 thickness thicknessRange consumableInsert consumableInsertRange fillerType "
                "fillerTypeRange gtawFiller gtawFillerRange position positionRangePlate positionRangePipe "
                "positionRangeFillet progression progressionRange backingGas backingGasRange transferMode "
                "transferModeRange currentPolarity currentPolarityRange visualResult").split(' ');
    for (int r = 0; r <= 6; ++r)
        keys << QStringLiteral("bendTest_%1").arg(r);
    keys << QStringLiteral("volumetricExam volumetricResult filletFracture filletDefects macroResult otherTests "
                           "evaluatedBy evaluatorCompany testedBy labTestNo supervisedBy").split(' ');
    for (int r = 0; r <= 60; ++r)
        keys << QStringLiteral("continuity_%1").arg(r);
    keys << QStringLiteral("revoked revokedReason certOrganization certDate certifiedBy").split(' ');
    QString text = QStringLiteral("[contents]\r\n");
    for (const QString &k : keys) {
        QString value = set.value(k);
        if (value.isEmpty() && k.startsWith(QLatin1String("bendTest_")))
            value = emptyRow(2);
        if (value.isEmpty() && k.startsWith(QLatin1String("continuity_")))
            value = emptyRow(4);
        text += k + QLatin1Char('=') + value + QStringLiteral("\r\n");
    }
    return Cp1252::encode(text);
}

QString example(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + name;
}

QComboBox *combo(TWPQ &w, const char *name) { return w.fieldAs<QComboBox>(QString::fromLatin1(name)); }

} // namespace

class TestWpq : public QObject, protected FormFixture {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void init() { start(); }
    void cleanup() { finish(); }
    void newDocumentWritesTheKeysInOrder();
    void shippedExampleSavesBackByteForByte();
    void rangesFollowTheActualValues_data();
    void rangesFollowTheActualValues();
    void reportPrintsEveryValueWhole();
    void qualifiedWeldersAndTheWeldersView();
};

void TestWpq::newDocumentWritesTheKeysInOrder()
{
    TWPQ w;
    QVERIFY(w.windowTitle().contains("Welder Performance Qualification (QW-484)"));
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("new.wrp")), newDocument());
}

void TestWpq::shippedExampleSavesBackByteForByte()
{
    for (const char *name : {"wpq-example.wrp", "wpq-example-2.wrp"}) {
        const QString shipped = example(QString::fromLatin1(name));
        if (!QFile::exists(shipped))
            QSKIP("no shipped example");
        TWPQ w;
        QVERIFY(w.openFile(shipped));
        QVERIFY(!AppState::instance().changed());
        w.setFileName(path(QString::fromLatin1(name)));
        QVERIFY(w.save());
        QCOMPARE(readAll(path(QString::fromLatin1(name))), readAll(shipped));
    }
}

void TestWpq::rangesFollowTheActualValues_data()
{
    // Typed into a new record: the range field right after, and after Compute Ranges.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rangeField");
    QTest::addColumn<QString>("handWritten"); // in the range field before typing; empty: none
    QTest::addColumn<QString>("afterTyping");
    QTest::addColumn<QString>("afterCompute");
    QTest::newRow("deposit") << "deposit1" << "6 mm" << "deposit1Range" << "" << "12 mm max." << "12 mm max.";
    QTest::newRow("deposit written by hand stays") << "deposit1" << "6 mm" << "deposit1Range" << "10 mm max."
                                                   << "10 mm max." << "12 mm max.";
    QTest::newRow("position") << "position" << "6G" << "positionRangeFillet" << "" << "All" << "All";
    QTest::newRow("backing") << "backing" << "Without" << "backingRange" << "" << "With or without backing"
                             << "With or without backing";
    QTest::newRow("a value no rule reads empties nothing written") << "progression" << "sideways"
                                                                   << "progressionRange" << "Uphill only"
                                                                   << "Uphill only" << "Uphill only";
}

void TestWpq::rangesFollowTheActualValues()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, rangeField);
    QFETCH(QString, handWritten);
    TWPQ w;
    w.resetDocument();
    combo(w, "platePipe")->setEditText("Pipe");
    combo(w, "pipeDiameter")->setEditText("60.3 mm");
    w.fieldAs<QComboBox>(rangeField)->setEditText(handWritten);
    AppState::instance().setChanged(false);
    w.fieldAs<QComboBox>(field)->setEditText(typed);
    QTEST(w.fieldAs<QComboBox>(rangeField)->currentText(), "afterTyping");
    QVERIFY(AppState::instance().changed());
    QCOMPARE(combo(w, "pipeDiameterRange")->currentText(), QString("25 mm O.D. and over"));
    w.fieldAs<QPushButton>("computeRanges")->click();
    QTEST(w.fieldAs<QComboBox>(rangeField)->currentText(), "afterCompute");
}

void TestWpq::reportPrintsEveryValueWhole()
{
    const QString shipped = example(QStringLiteral("wpq-example.wrp"));
    if (!QFile::exists(shipped))
        QSKIP("no shipped example");
    TWPQ w;
    QVERIFY(w.openFile(shipped));
    auto *report = qobject_cast<TWPQRpt *>(w.prepareReport());
    QVERIFY(report);
    const ReportPage &page = *report->page();
    const QList<QPair<QString, QString>> expected = {
        {"welderName", "Jonas Marchetti"},
        {"weldedOn", "Test coupon"},
        {"pNoPair", "P-1 to P-1"},
        {"fillerText1", "SFA-5.18, ER70S-2"},
        {"fNo2Range", "F-4 with or without backing; F-1 to F-3 with backing"},
        {"deposit2Range", "16.2 mm max."},
        {"positionRangePipe", "All"},
        {"certifiedBy", "M. Lefebvre, Welding Engineer"},
    };
    for (const auto &[name, text] : expected)
        QCOMPARE(page.text(name), text);
    QCOMPARE(page.lines("BTGRID01").mid(0, 2), (QStringList{"Root bend (QW-462.3(a))", "Root bend (QW-462.3(a))"}));
    QCOMPARE(page.lines("BTGRID02").first(), QString("Acceptable"));
    QVERIFY(page.text("depositText1") == QString("3 mm"));
    QVERIFY2(textCollisions(page).isEmpty(), qPrintable(textCollisions(page).join('\n')));
}

void TestWpq::qualifiedWeldersAndTheWeldersView()
{
    // The shipped WPS and its two welders, and a file in the folder that is no document.
    for (const char *name : {"wps-example.wrp", "wpq-example.wrp", "wpq-example-2.wrp"})
        if (!QFile::copy(example(QString::fromLatin1(name)), path(QString::fromLatin1(name))))
            QSKIP("no shipped example");
    writeFile(path("broken.wrp"), QByteArray("[contents]\r\nformType=WPQ\r\nwelderId=W-99\r\n"));
    ProfileFile wpsFile(path("wps-example.wrp"), ProfileFile::Kind::Document);
    QVERIFY(wpsFile.load());
    TQualifiedWeldersDlg dialog(QualifyForm::fromProfile(wpsFile, "wps-example.wrp"), m_dir->path());
    dialog.setDay(QDate(2026, 3, 1));
    const auto results = dialog.results();
    QCOMPARE(results.size(), 3);
    // The qualified first; a record of nothing is judged "cannot tell", never qualified.
    QCOMPARE(results.at(0).welder.record.id(), QString("W-12"));
    QVERIFY(results.at(0).qualified);
    QCOMPARE(results.at(1).welder.record.id(), QString("W-99")); // then by name, this one has none
    QCOMPARE(WelderFit::overall(results.at(1).verdicts), WelderOutcome::Exceeds);
    QCOMPARE(results.at(2).welder.record.id(), QString("W-07"));
    QCOMPARE(WelderFit::overall(results.at(2).verdicts), WelderOutcome::Lapsed);
    QCOMPARE(dialog.summary(), QString("1 of 3 welders qualified for WPS-118 on 2026-03-01."));

    // The Welders view: a line per welder and process, the soonest expiry first, the
    // undated last.
    WeldersDock dock;
    dock.setDay(QDate(2026, 3, 1));
    dock.setFolder(m_dir->path());
    QTableWidget *table = dock.table();
    QCOMPARE(table->rowCount(), 4);
    QStringList shown;
    for (int r = 0; r < table->rowCount(); ++r)
        shown << QStringList{table->item(r, 1)->text(), table->item(r, 2)->text(), table->item(r, 3)->text(),
                             table->item(r, 5)->text()}.join(' ');
    QCOMPARE(shown, (QStringList{"W-07 GTAW lapsed 2025-12-18", "W-12 GTAW current 2026-07-20",
                                 "W-12 SMAW current 2026-08-11", "W-07 SMAW current 2026-08-20"}));
}

QTEST_MAIN(TestWpq)
#include "tst_wpq.moc"
