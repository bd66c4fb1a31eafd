// The WPS window as a file sees it (the keys of a new document, the round trip, the drawn
// technique-table titles, the unit switches, the row commands) and its two report pages as
// filled from it, the shipped example printed with nothing cut or run into its neighbour.

#include "controls/dateedit.h"
#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "document/control/approvedialog.h"
#include "document/control/comparedialog.h"
#include "document/control/controlactions.h"
#include "document/control/controlbar.h"
#include "forms/formregistry.h"
#include "forms/wpsr/twpsr.h"
#include "forms/wpsr/twpsreport.h"
#include "forms/wpsr/twpsreport_2.h"
#include "forms/wpsr/wpsrrptcombo.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"
#include "support/formfixture.h"
#include "support/testfiles.h"

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

// Column 0 of the technique rows 1 to 14, one letter per row ("." for an empty row).
QString layers(TypedGrid *g)
{
    QString out;
    for (int r = 1; r < g->rowCount(); ++r)
        out += g->cell(r, 0).isEmpty() ? QStringLiteral(".") : g->cell(r, 0);
    return out;
}

QString examplePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/wps-example.wrp");
}

QString printed(const ReportPage &page, const QString &name)
{
    const int i = page.indexOf(name);
    return i < 0 ? QStringLiteral("<missing>") : page.elements().at(i).text;
}

void setLayers(TypedGrid *g, const QString &letters)
{
    for (int r = 1; r <= letters.size(); ++r)
        if (letters.at(r - 1) != QLatin1Char('.'))
            g->setCell(r, 0, letters.mid(r - 1, 1));
}

} // namespace

class TestWps : public QObject, protected FormFixture {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void init() { start(); }
    void cleanup() { finish(); }
    void newDocumentWritesEveryKeyInOrder();
    void openThenSaveIsByteIdentical();
    void documentControl();
    void revisionAsked_data();
    void revisionAsked();
    void approveDialog();
    void titlesAreDrawnAndNeverStored();
    void unitSwitchesRelabelOnly();
    void rowCommands_data();
    void rowCommands();
    void reportFills_data();
    void reportFills();
    void everyTechniqueRowPrints();
    void exampleNothingCutOrOverlapping();
};

void TestWps::newDocumentWritesEveryKeyInOrder()
{
    TWPSR w;
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    const QByteArray bytes = readAll(path("new.wrp"));
    QCOMPARE(bytes.count("\r\n") - 1, 123);
    QCOMPARE(bytes, newDocumentBytes());
    QCOMPARE(w.PageShowing()->count(), 12);
    QVERIFY(!w.fieldAs<QPushButton>("ETGridSelectParam")->isHidden()); // shown on this window
}

// Approve, revise, approve the revision (the earlier one superseded), compare, withdraw; a file
// changed by hand after its approval says so.
void TestWps::documentControl()
{
    const QString first = path("WPS-118.wrp");
    for (const QString ending : {".wrp", "_img.bmp"})
        writeFile(path("WPS-118") + ending, readAll(QCoreApplication::applicationDirPath() + "/examples/wps-example" + ending));
    int asked = 0;
    ControlActions::setApprovalAsker([&](QWidget *, const QString &) {
        ++asked;
        Approval a;
        a.approvedBy = "R. Inspector";
        a.approvedDate = QDate(2026, 7, 12);
        return std::optional<Approval>(a);
    });
    QList<FieldDifference> shown;
    QString shownBefore;
    ControlActions::setCompareShower([&](QWidget *, const QString &before, const QString &, const QList<FieldDifference> &d) {
        shownBefore = before;
        shown = d;
    });
    auto trigger = [](TWPSR &w, const char *name) { w.findChild<QAction *>(name)->trigger(); };
    auto readOnly = [](TWPSR &w) { return !w.PageControl1()->widget(0)->isEnabled(); };
    auto bar = [](TWPSR &w) { return ControlActions::of(&w)->bar(); };
    // The watermark of every page and the approvals line of the last, as printed.
    auto paper = [](TWPSR &w) {
        const QList<ReportPage *> pages = w.prepareReport()->pages();
        return pages.first()->watermark() + " | " + pages.last()->watermark() + " | " + pages.last()->text("dcApprovals");
    };

    TWPSR w;
    QVERIFY(w.openFile(first));
    QVERIFY(!readOnly(w) && bar(w)->isHidden());
    QCOMPARE(paper(w), QStringLiteral(" |  | ")); // a file without the keys prints as it always did
    trigger(w, "approve");
    QCOMPARE(asked, 1);
    QCOMPARE(paper(w), QStringLiteral(" |  | Approved: R. Inspector, 12 Jul 2026"));
    QVERIFY(readOnly(w));
    QVERIFY(bar(w)->text().startsWith("Approved on 12 Jul 2026 by R. Inspector; create a revision to change it"));
    QVERIFY(!w.save());
    QVERIFY(m_platform->texts().last().contains("is approved and was not saved"));

    m_platform->queueFile(path("WPS-118 rev 1.wrp"));
    trigger(w, "createRevision");
    QCOMPARE(m_platform->dialogs.last().fileName, path("WPS-118 rev 1.wrp"));
    QCOMPARE(w.fileName(), path("WPS-118 rev 1.wrp"));
    QVERIFY(!readOnly(w));
    QCOMPARE(w.fieldAs<QComboBox>("revisionNo")->currentText(), QStringLiteral("1"));
    QCOMPARE(w.fieldAs<QDateEdit>("revisionDate")->date(), m_platform->clock.date());
    QCOMPARE(paper(w), QStringLiteral("DRAFT | DRAFT | "));

    m_platform->queueYesNo(true); // the earlier revision becomes Superseded
    trigger(w, "approve");
    QVERIFY(readOnly(w));
    QVERIFY(m_platform->texts().last().contains("WPS-118.wrp is now superseded by WPS-118 rev 1.wrp"));
    TWPSR earlier;
    QVERIFY(earlier.openFile(first));
    QVERIFY(bar(earlier)->text().startsWith("Superseded by WPS-118 rev 1.wrp."));
    QCOMPARE(paper(earlier), QStringLiteral("SUPERSEDED | SUPERSEDED | Approved: R. Inspector, 12 Jul 2026"));

    m_platform->queueFile(first);
    trigger(w, "compareWith");
    QCOMPARE(shownBefore, first); // the earlier revision on the left
    QCOMPARE(shown.first().line(), QStringLiteral("General Information / Revision No.: 0 -> 1"));
    CompareDialog compared(shownBefore, w.fileName(), shown);
    compared.findChild<QPushButton *>(QStringLiteral("copyReport"))->click();
    QVERIFY(m_platform->clipboardText.contains("General Information / Revision No.: 0 -> 1\n"));

    m_platform->queueYesNo(true);
    trigger(w, "withdrawApproval");
    QVERIFY(!readOnly(w) && bar(w)->isHidden());

    QByteArray bytes = readAll(first);
    bytes.replace("GTAW", "FCAW");
    writeFile(first, bytes);
    QVERIFY(earlier.openFile(first));
    QVERIFY(bar(earlier)->text().contains("Changed outside Brenvik after approval"));
    QVERIFY(readOnly(earlier));
    ControlActions::setApprovalAsker({});
    ControlActions::setCompareShower({});
}

// A revision that is no whole number is asked for; the answer names the file and the revision.
void TestWps::revisionAsked_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("answer"); // what the user enters; empty: Cancel; "-": not asked
    QTest::addColumn<QString>("created");
    QTest::newRow("whole number: not asked") << "3" << "-" << "WPS-118 rev 4.wrp";
    QTest::newRow("letter: asked") << "A" << "B" << "WPS-118 rev B.wrp";
    QTest::newRow("decimal: asked") << "1.5" << "1.6" << "WPS-118 rev 1.6.wrp";
    QTest::newRow("asked, cancelled: no revision") << "A" << "" << "";
}

void TestWps::revisionAsked()
{
    QFETCH(QString, current);
    QFETCH(QString, answer);
    QFETCH(QString, created);
    QByteArray bytes = readAll(examplePath());
    bytes.replace("\r\nrevisionNo=0\r\n", "\r\nrevisionNo=" + current.toLatin1() + "\r\n");
    writeFile(path("WPS-118.wrp"), bytes);
    QStringList asked;
    ControlActions::setRevisionAsker([&](QWidget *, const QString &shown) {
        asked << shown;
        return answer;
    });
    if (!created.isEmpty())
        m_platform->queueFile(path(created));
    TWPSR w;
    QVERIFY(w.openFile(path("WPS-118.wrp")));
    w.findChild<QAction *>("createRevision")->trigger();
    ControlActions::setRevisionAsker({});
    QCOMPARE(asked, answer == "-" ? QStringList() : QStringList{current});
    QCOMPARE(w.fileName(), created.isEmpty() ? path("WPS-118.wrp") : path(created));
    if (!created.isEmpty())
        QCOMPARE(m_platform->dialogs.last().fileName, path(created)); // the name proposed
    QCOMPARE(w.fieldAs<QComboBox>("revisionNo")->currentText(),
             created.isEmpty() ? current : answer == "-" ? QStringLiteral("4") : answer);
}

// Who approves, prepares and reviews, each with a date on its picker; the names are remembered;
// a document is not prepared or reviewed after its approval.
void TestWps::approveDialog()
{
    const QDate today(2026, 7, 12);
    {
        ApproveDialog dialog("WPS-118.wrp", today);
        auto name = [&](const char *n) { return dialog.findChild<QLineEdit *>(n); };
        auto date = [&](const char *n) { return dialog.findChild<DateEdit *>(n); };
        QVERIFY(!date("preparedDate")->isEnabled()); // no name, no date
        name("approvedBy")->setText("R. Inspector");
        name("preparedBy")->setText("A. Welder");
        name("reviewedBy")->setText("Q. Reviewer");
        QVERIFY(date("preparedDate")->isEnabled());
        date("preparedDate")->setDate(QDate(2026, 7, 10));
        date("reviewedDate")->setDate(QDate(2026, 7, 13));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(m_platform->texts().last().contains("reviewed (13 Jul 2026) is after the approval date (12 Jul 2026)"));
        date("reviewedDate")->setDate(QDate(2026, 7, 11));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const Approval a = dialog.approval();
        QCOMPARE(QStringList({a.approvedBy, a.preparedBy, a.reviewedBy}),
                 QStringList({"R. Inspector", "A. Welder", "Q. Reviewer"}));
        QCOMPARE(QList<QDate>({a.approvedDate, a.preparedDate, a.reviewedDate}),
                 QList<QDate>({today, QDate(2026, 7, 10), QDate(2026, 7, 11)}));
    }
    ApproveDialog again("WPS-119.wrp", today);
    for (const auto &[n, text] : {std::pair{"approvedBy", "R. Inspector"}, std::pair{"preparedBy", "A. Welder"},
                                  std::pair{"reviewedBy", "Q. Reviewer"}})
        QCOMPARE(again.findChild<QLineEdit *>(n)->text(), QString::fromLatin1(text));
    QCOMPARE(again.findChild<DateEdit *>("reviewedDate")->date(), today);
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
        w.grid("ETUnit")->setRowTexts(0, {"", "inch", "", "A", "V", "ipm", "kJ/in"}); // edited by hand
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    TWPSR w;
    QVERIFY(w.openFile(path("a.wrp")));
    QVERIFY(w.fieldAs<QRadioButton>("ifNonfusing")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitPostWeldTemp")->text(), QStringLiteral("°F"));
    QCOMPARE(w.grid("ETGrid")->cell(12, 2), QStringLiteral("ER70S-6"));
    QVERIFY(w.fieldAs<QRadioButton>("tensileTestUnitI")->isChecked());
    QCOMPARE(w.grid("ETUnit")->rowTexts(0), QStringList({"", "inch", "", "A", "V", "ipm", "kJ/in"})); // as stored
    QVERIFY(!AppState::instance().changed());
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
    QCOMPARE(units->rowTexts(0), QStringList({"", "in", "", "Amp", "Volt", "ipm", "mm"}));
    QCOMPARE(g->rowTexts(1), QStringList({"1", "GTAW", "ER70S-2", "2.4", "DCEN", "90-120", "10-12", "80-100", ""}));
    QVERIFY(AppState::instance().changed());
    w.fieldAs<QRadioButton>("tensileTestUnitM")->click();
    QCOMPARE(units->rowTexts(0), QStringList({"", "mm", "", "Amp", "Volt", "m/min", "mm"}));

    w.fieldAs<QRadioButton>("unitTF")->click();
    for (const char *label : {"unitPreheatMin", "unitInterMax", "unitPostWeldTemp"})
        QCOMPARE(w.fieldAs<QLabel>(label)->text(), QStringLiteral("°F"));
    QCOMPARE(units->rowTexts(0), QStringList({"", "mm", "", "Amp", "Volt", "m/min", "mm"}));
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

void TestWps::reportFills_data()
{
    QTest::addColumn<bool>("example"); // the shipped example, or a new document
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");
    // Names matched whatever their letter case.
    QTest::newRow("RevisionNo") << true << 1 << "RevisionNo" << "0";
    QTest::newRow("JointDesign") << true << 1 << "JointDesign" << "Single-V groove, 60 deg, open root";
    QTest::newRow("PNo") << true << 1 << "PNo" << "1";
    QTest::newRow("OrificeOrGasCupSIze") << true << 2 << "OrificeOrGasCupSIze" << "No. 6 to 8 (GTAW)";
    QTest::newRow("INterpassCleaning") << true << 2 << "INterpassCleaning" << "Wire brush and grind";
    QTest::newRow("date as d mmm yyyy") << true << 1 << "RevisionDate" << "2 Dec 2025";
    QTest::newRow("radio unchecked") << true << 1 << "ifNonfusing" << "No";
    QTest::newRow("filler 1, centred column") << true << 1 << "AWSNoClass1" << "ER70S-2";
    QTest::newRow("preheat with unit") << true << 2 << "MinPreheatTemp" << "10 °C";
    QTest::newRow("postweld range with unit") << true << 2 << "postWeldTempRange" << "595 - 645 °C";
    QTest::newRow("back names the company") << true << 2 << "companyName" << "Brenvik Fabrication Ltd.";
    QTest::newRow("back names the WPS") << true << 2 << "wpsNo" << "WPS-118";
    QTest::newRow("back names the revision") << true << 2 << "RevisionNo" << "0";
    QTest::newRow("unit under Dia.") << true << 2 << "ETUnit2" << "mm";
    QTest::newRow("unit under Travel Speed") << true << 2 << "ETUnit6" << "mm/min";
    QTest::newRow("unit row column 0 empty") << true << 2 << "ETUnit1" << "";
    QTest::newRow("gas column") << true << 2 << "mixtureS" << "99.996";
    QTest::newRow("new: radio printed No") << false << 1 << "ifMetal" << "No";
    QTest::newRow("new: empty preheat prints empty") << false << 2 << "MinPreheatTemp" << "";
    QTest::newRow("new: metric unit row") << false << 2 << "ETUnit6" << "m/min";
}

void TestWps::reportFills()
{
    QFETCH(bool, example);
    QFETCH(int, page);
    QFETCH(QString, element);
    QFETCH(QString, text);
    TWPSR w;
    if (example)
        QVERIFY(w.openFile(examplePath()));
    auto *report = dynamic_cast<WPSRRptCombo *>(w.prepareReport());
    QVERIFY(report);
    QCOMPARE(report->title(), QStringLiteral("WPS"));
    QCOMPARE(report->pages().size(), 2);
    report->prepareRpt(w); // a second preview fills the same pages again: units never pile up
    const ReportPage &p = page == 1 ? static_cast<ReportPage &>(*report->page1()) : *report->page2();
    QCOMPARE(printed(p, element), text);
}

void TestWps::everyTechniqueRowPrints()
{
    TWPSR w;
    TypedGrid *g = w.grid("ETGrid");
    g->setRowTexts(12, {"12", "GMAW", "ER70S-6", "0.045", "DCEP", "170-200", "21", "11-13", "Cap"});
    g->setCell(14, 8, "Last");
    auto *report = dynamic_cast<WPSRRptCombo *>(w.prepareReport());
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

void TestWps::exampleNothingCutOrOverlapping()
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

QTEST_MAIN(TestWps)
#include "tst_wps.moc"
