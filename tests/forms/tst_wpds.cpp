// The WPDS window driven as a user would: what a save writes, what an open restores, the page
// rules, backgouging, units, the column commands and the mended failure paths.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "core/picture.h"
#include "document/imagegroup.h"
#include "forms/wpds/twpds.h"
#include "support/formfixture.h"
#include "support/testfiles.h"
#include "userdata/userdatastore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

const char *const kSep = "\xA6";

// The window's keys in creation order, as a new file lists them.
const QStringList kControlKeys = {
    "wpdsNo", "rev", "refStandards", "refWPQR", "refWPS", "companyName", "address",
    "position", "processMode1", "jointType", "penetration", "weldingProcess1", "weldingProcess2",
    "shieldingGasType1", "shieldingGasType2", "processMode2", "pulsed1", "pulsed2",
    "material", "thickness", "ifBackgouging", "method", "depth", "TungstenElectrodeType", "diameter",
    "technique", "electrodeExtension", "nozzleDiameter", "fluxClassification", "cleaningProcedure",
    "imageIfResize", "imageSourceFile",
    "IBMSpec1", "IBMThickness1", "IBMReq1", "IBMSpec2", "IBMThickness2", "IBMReq2",
    "IFMProcess1", "IFMTradeName1", "IFMClassification1", "IFMGroup1", "IFMFIllerTreatment1",
    "IFMProcess2", "IFMTradeName2", "IFMGroup2", "IFMClassification2", "IFMFIllerTreatment2",
    "parameterUnitImperial", "parameterUnitMetric",
    "preheatMin", "InterPassMin", "InterpassMax", "unitTC", "unitTF", "postWeldTreatment", "remarks"};

QByteArray newDocumentBytes()
{
    const QSet<QString> checks = {"pulsed1", "pulsed2", "ifBackgouging", "imageIfResize",
                                  "parameterUnitImperial", "unitTF"};
    QByteArray out = "[contents]\r\nimageFile=\r\nformType=WPDS\r\n";
    for (const QString &key : kControlKeys) {
        QString value;
        if (checks.contains(key))
            value = "false";
        else if (key == "parameterUnitMetric" || key == "unitTC")
            value = "true";
        out += key.toLatin1() + "=" + value.toLatin1() + "\r\n";
    }
    out += "wpdsDate=07/12/2026\r\n";
    const QList<QPair<const char *, const char *>> rows = {
        {"WPThickness", "mm"}, {"WPWeldSize/ETT", "mm"}, {"WPLayer", ""}, {"WPPassNumber", ""},
        {"WPWeldingProcess", ""}, {"WPDiameter", "mm"}, {"WPWireFeedSpeed", "mm/min"}, {"WPCurrent", "Amp"},
        {"WPVolt", "Volt"}, {"WPCurrentPolarity", ""}, {"WPWeldingSpeed", "mm/min"},
        {"WPBurn-offRate", "mm/min"}, {"WPGasFlowRate", "l/min"}, {"WPHeatInput", "kJ/mm"}};
    for (const auto &row : rows) {
        QByteArray value = *row.second ? QByteArray(row.second) : QByteArray("_");
        value += kSep;
        for (int pass = 0; pass < 8; ++pass)
            value += QByteArray("_") + kSep;
        out += QByteArray(row.first) + "=" + value + "\r\n";
    }
    return out;
}

QComboBox *combo(TWPDS &w, const QString &name) { return w.fieldAs<QComboBox>(name); }

void type(QComboBox *box, const QString &text)
{
    box->setEditText(text);
}

void fill(TWPDS &w)
{
    type(combo(w, "wpdsNo"), "WPDS-014");
    w.fieldAs<QLineEdit>("companyName")->setText("Brenvik Fabrication Ltd.");
    type(combo(w, "weldingProcess1"), "GMAW");
    w.fieldAs<QCheckBox>("pulsed2")->setChecked(true);
    w.fieldAs<QCheckBox>("ifBackgouging")->setChecked(true);
    type(combo(w, "method"), "Arc-air");
    w.fieldAs<QPlainTextEdit>("technique")->setPlainText("Stringer beads\nBack-step where needed");
    w.fieldAs<QRadioButton>("unitTF")->setChecked(true);
    w.fieldAs<QDateEdit>("wpdsDate")->setDate(QDate(2026, 3, 4));
    TypedGrid *g = w.grid("weldingParameters");
    g->setCell(1, 2, "12");
    g->setCell(8, 1, "  Amp");
    g->setCell(8, 3, "  1 80 ");
    g->setCell(8, 9, "_x");
    w.imageGroup()->setPicture(Picture::fromImage([] {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(0, 0, 10, 20, Qt::black);
        return image;
    }()));
}

class FakeHost : public ShellHost {
public:
    void newDocument() override {}
    void openDocument() override {}
    void userInformation() override {}
    void about() override {}
    void checkButton() override { ++checks; }
    bool changedDocumentPrompt() override
    {
        ++prompts;
        return !AppState::instance().changed() || goOn;
    }
    bool promptAlreadyAnswered() const override { return answered; }
    int prompts = 0;
    int checks = 0;
    bool goOn = false;
    bool answered = false;
};

} // namespace

class TestWpds : public QObject, protected FormFixture {
    Q_OBJECT
private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }
    void newDocumentWritesEveryKeyInOrder();
    void reusedWindowWritesTheSameNewDocument();
    void openThenSaveIsByteIdentical();
    void openRestoresFields();
    void savingOverAnotherDocumentKeepsItsKeys();
    void missingReferenceStandardOpensEmpty();
    void pageNavigationWraps();
    void selectorDoesNotRunPageEnter();
    void unknownCaptionDoesNothing();
    void tungstenAndFluxByProcess_data();
    void tungstenAndFluxByProcess();
    void fillerProcessesTakeWeldingProcesses();
    void backgouging();
    void backgougingEnablingAfterOpen_data();
    void backgougingEnablingAfterOpen();
    void temperatureUnitRelabels();
    void parameterUnitsRelabelOnly();
    void radioButtonsUncheckOnOpen();
    void columnCommandsUseGridsCurrentCell();
    void changedFlagFromEdits_data();
    void changedFlagFromEdits();
    void cancelledSaveDialog();
    void saveAsLeavesChangedFlagAndCloseAsks();
    void saveAsTargets_data();
    void saveAsTargets();
    void saveOverAFileChangedOnDisk_data();
    void saveOverAFileChangedOnDisk();
    void badDateStillLoadsTheRest();
    void sketchWrittenAsBitmapAndLoadedByContent();
    void sketchWriteFailureKeepsChangedFlag();
    void refusedWriteLeavesOldFileAndNoPicture();
    void lossyCharactersAreReported();
    void collectFieldsForTheReport();
    void companyFromDefaultProfile();
    void linkedPairButtons();
    void mdiChildAtTopLeftWithFixedFrame();
    void typingInAGridCell();
    void tabOrderFollowsTheFields();
    void focusEnteringMaterialPage();
    void helpLabels_data();
    void helpLabels();
    void fileMenuEntries();
};

void TestWpds::newDocumentWritesEveryKeyInOrder()
{
    TWPDS w;
    w.setFileName(path("new.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("new.wrp")), newDocumentBytes());
    QVERIFY(QFile::exists(path("new_img.bmp")));
    QVERIFY(!AppState::instance().changed());
}

void TestWpds::reusedWindowWritesTheSameNewDocument()
{
    TWPDS w;
    fill(w);
    w.resetDocument();
    QVERIFY(w.fileName().isEmpty());
    w.setFileName(path("again.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("again.wrp")), newDocumentBytes());
}

void TestWpds::openThenSaveIsByteIdentical()
{
    {
        TWPDS w;
        fill(w);
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    TWPDS w;
    QVERIFY(w.openFile(path("a.wrp")));
    QCOMPARE(w.fileName(), path("a.wrp"));
    w.setFileName(path("b.wrp"));
    QVERIFY(w.save());
    QCOMPARE(readAll(path("b.wrp")), readAll(path("a.wrp")));
    QCOMPARE(readAll(path("b_img.bmp")), readAll(path("a_img.bmp")));
    QVERIFY(m_platform->messages.isEmpty());
}

void TestWpds::openRestoresFields()
{
    {
        TWPDS w;
        fill(w);
        w.setFileName(path("a.wrp"));
        QVERIFY(w.save());
    }
    TWPDS w;
    QVERIFY(w.openFile(path("a.wrp")));
    QCOMPARE(combo(w, "wpdsNo")->currentText(), QStringLiteral("WPDS-014"));
    QCOMPARE(combo(w, "method")->currentText(), QStringLiteral("Arc-air")); // stored text wins over the click
    QVERIFY(w.fieldAs<QCheckBox>("pulsed2")->isChecked());
    QCOMPARE(w.fieldAs<QPlainTextEdit>("technique")->toPlainText(),
             QStringLiteral("Stringer beads\nBack-step where needed"));
    QCOMPARE(w.fieldAs<QDateEdit>("wpdsDate")->date(), QDate(2026, 3, 4));
    TypedGrid *g = w.grid("weldingParameters");
    QCOMPARE(g->cell(1, 2), QStringLiteral("12"));
    QCOMPARE(g->cell(8, 1), QStringLiteral("Amp")); // leading blanks of a row's first cell go
    QCOMPARE(g->cell(8, 3), QStringLiteral("  1 80 "));
    QCOMPARE(g->cell(8, 9), QStringLiteral("_x"));
    QCOMPARE(g->cell(0, 2), QStringLiteral("1"));
    QCOMPARE(w.fieldAs<QLabel>("unitPreheatMin")->text(), QStringLiteral("°F"));
    QCOMPARE(w.imageGroup()->picture().size(), QSize(40, 20));
}

void TestWpds::savingOverAnotherDocumentKeepsItsKeys()
{
    writeFile(path("old.wrp"), "[contents]\r\nformType=PQR\r\nvTestDate=01/02/2026\r\n[other]\r\nx=1\r\n");
    TWPDS w;
    w.setFileName(path("old.wrp"));
    QVERIFY(w.save());
    const QByteArray bytes = readAll(path("old.wrp"));
    QVERIFY(bytes.startsWith("[contents]\r\nformType=WPDS\r\nvTestDate=01/02/2026\r\nimageFile=\r\n"));
    QVERIFY(bytes.contains("[other]\r\nx=1\r\n"));
}

void TestWpds::missingReferenceStandardOpensEmpty()
{
    writeFile(path("x.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsDate=07/12/2026\r\n");
    TWPDS w;
    QVERIFY(w.openFile(path("x.wrp")));
    QCOMPARE(combo(w, "refStandards")->currentText(), QString());
    QVERIFY(combo(w, "refStandards")->findText("CSA W47.1") >= 0);
}

void TestWpds::pageNavigationWraps()
{
    TWPDS w;
    QCOMPARE(w.currentPage(), 0);
    QCOMPARE(w.PageShowing()->count(), 7);
    w.backPageClick();
    QCOMPARE(w.currentPage(), 6);
    QCOMPARE(w.PageShowing()->currentText(), QStringLiteral("Heat Treatment and Notes"));
    w.nextPageClick();
    QCOMPARE(w.currentPage(), 0);
    w.nextPageClick();
    QCOMPARE(w.PageShowing()->currentText(), QStringLiteral("Welding Information I"));
}

void TestWpds::selectorDoesNotRunPageEnter()
{
    TWPDS w;
    type(combo(w, "TungstenElectrodeType"), "EWTh-2");
    w.PageShowing()->setCurrentIndex(2);
    w.PageShowingChange();
    QCOMPARE(w.currentPage(), 2);
    QCOMPARE(combo(w, "TungstenElectrodeType")->currentText(), QStringLiteral("EWTh-2"));
    w.backPageClick();
    w.nextPageClick(); // reaching it with Next runs the rule
    QCOMPARE(combo(w, "TungstenElectrodeType")->currentText(), QString());
    QVERIFY(!combo(w, "TungstenElectrodeType")->isEnabled());
}

void TestWpds::unknownCaptionDoesNothing()
{
    TWPDS w;
    w.nextPageClick();
    w.gotoPageCaption("General information"); // exact case only
    QCOMPARE(w.currentPage(), 1);
    w.gotoPageCaption("Base Metal & Filler Material");
    QCOMPARE(w.currentPage(), 4);
}

void TestWpds::tungstenAndFluxByProcess_data()
{
    QTest::addColumn<QString>("process1");
    QTest::addColumn<QString>("process2");
    QTest::addColumn<bool>("tungsten");
    QTest::addColumn<bool>("flux");
    QTest::newRow("GTAW first") << "GTAW" << "" << true << false;
    QTest::newRow("GTAW second") << "GMAW" << "GTAW" << true << false;
    QTest::newRow("lower-case gtaw") << "gtaw" << "" << false << false;
    QTest::newRow("SAW") << "" << "SAW" << false << true;
    QTest::newRow("both") << "GTAW" << "SAW" << true << true;
    QTest::newRow("neither") << "FCAW" << "SMAW" << false << false;
}

void TestWpds::tungstenAndFluxByProcess()
{
    QFETCH(QString, process1);
    QFETCH(QString, process2);
    QFETCH(bool, tungsten);
    QFETCH(bool, flux);
    TWPDS w;
    type(combo(w, "weldingProcess1"), process1);
    type(combo(w, "weldingProcess2"), process2);
    for (const char *name : {"TungstenElectrodeType", "diameter", "fluxClassification"})
        type(combo(w, name), "kept?");
    w.gotoPageCaption("Welding Information I");
    w.nextPageClick();
    for (const char *name : {"TungstenElectrodeType", "diameter"}) {
        QCOMPARE(combo(w, name)->isEnabled(), tungsten);
        QCOMPARE(w.labelOf(name)->isEnabled(), tungsten);
        for (QWidget *b : w.buttonsOf(name))
            QCOMPARE(b->isEnabled(), tungsten);
        QCOMPARE(combo(w, name)->currentText(), tungsten ? QStringLiteral("kept?") : QString());
    }
    QCOMPARE(w.groupBox("tungstenGroup")->isEnabled(), tungsten);
    QCOMPARE(w.labelOf("fluxClassification")->text(), QStringLiteral("SAW Flux Class'n:"));
    QCOMPARE(combo(w, "fluxClassification")->isEnabled(), flux);
    QCOMPARE(w.labelOf("fluxClassification")->isEnabled(), flux);
    QCOMPARE(combo(w, "fluxClassification")->currentText(), flux ? QStringLiteral("kept?") : QString());
}

void TestWpds::fillerProcessesTakeWeldingProcesses()
{
    TWPDS w;
    type(combo(w, "weldingProcess1"), "GMAW");
    type(combo(w, "weldingProcess2"), "SAW");
    type(combo(w, "IFMProcess2"), "FCAW");
    w.gotoPageCaption("Joint Sketch");
    w.nextPageClick();
    QCOMPARE(combo(w, "IFMProcess1")->currentText(), QStringLiteral("GMAW"));
    QCOMPARE(combo(w, "IFMProcess2")->currentText(), QStringLiteral("FCAW"));
}

void TestWpds::backgouging()
{
    TWPDS w;
    auto *check = w.fieldAs<QCheckBox>("ifBackgouging");
    QVERIFY(!combo(w, "method")->isEnabled());
    check->click();
    QVERIFY(combo(w, "method")->isEnabled());
    QCOMPARE(combo(w, "depth")->currentText(), QString());
    QVERIFY(AppState::instance().changed());
    type(combo(w, "method"), "Arc-air");
    check->click();
    QCOMPARE(combo(w, "method")->currentText(), QStringLiteral("N/A"));
    QCOMPARE(combo(w, "depth")->currentText(), QStringLiteral("N/A"));
    QVERIFY(!combo(w, "depth")->isEnabled());
    check->click();
    QCOMPARE(combo(w, "method")->currentText(), QString());
}

void TestWpds::backgougingEnablingAfterOpen_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("pad"); // around every key and value, as a hand edit leaves them
    QTest::addColumn<bool>("enabled");
    QTest::newRow("checked") << QByteArray("true") << QByteArray() << true;
    QTest::newRow("unchecked") << QByteArray("false") << QByteArray() << false;
    QTest::newRow("hand-edited with blanks") << QByteArray("true") << QByteArray(" \t") << true;
}

void TestWpds::backgougingEnablingAfterOpen()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, pad);
    QFETCH(bool, enabled);
    const auto line = [&](const QByteArray &key, const QByteArray &text) {
        return pad + key + pad + "=" + pad + text + pad + "\r\n";
    };
    writeFile(path("b.wrp"), "[contents]\r\n" + line("formType", "WPDS") + line("ifBackgouging", value)
                                 + line("method", "Grinding") + line("wpdsDate", "07/12/2026"));
    TWPDS w;
    w.fieldAs<QCheckBox>("ifBackgouging")->setChecked(!enabled);
    QVERIFY(w.openFile(path("b.wrp")));
    QCOMPARE(combo(w, "method")->isEnabled(), enabled);
    QCOMPARE(combo(w, "depth")->isEnabled(), enabled);
    QCOMPARE(combo(w, "method")->currentText(), QStringLiteral("Grinding"));
    QCOMPARE(combo(w, "depth")->currentText(), QString());
    QCOMPARE(w.fieldAs<QDateEdit>("wpdsDate")->date(), QDate(2026, 7, 12));
    // Saving writes over the keys as they stand, blanks and all: none is added a second time.
    QVERIFY(w.save());
    const QByteArray saved = readAll(path("b.wrp"));
    for (const char *key : {"formType", "ifBackgouging", "method", "wpdsDate"})
        QCOMPARE(saved.count(QByteArray(key)), 1);
    QVERIFY(saved.contains(line("method", "Grinding")));
}

void TestWpds::temperatureUnitRelabels()
{
    TWPDS w;
    w.fieldAs<QLineEdit>("preheatMin")->setText("100");
    AppState::instance().setChanged(false);
    w.fieldAs<QRadioButton>("unitTF")->click();
    for (const char *name : {"unitPreheatMin", "unitInterMin", "unitInterMax"})
        QCOMPARE(w.fieldAs<QLabel>(name)->text(), QStringLiteral("°F"));
    QCOMPARE(w.fieldAs<QLineEdit>("preheatMin")->text(), QStringLiteral("100"));
    QVERIFY(AppState::instance().changed());
    w.resetDocument();
    QVERIFY(w.fieldAs<QRadioButton>("unitTC")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitInterMax")->text(), QStringLiteral("°C"));
}

void TestWpds::parameterUnitsRelabelOnly()
{
    TWPDS w;
    TypedGrid *g = w.grid("weldingParameters");
    g->setCell(1, 2, "12");
    w.fieldAs<QRadioButton>("parameterUnitImperial")->click();
    const QStringList imperial = {"inch", "inch", "", "", "", "inch", "ipm", "Amp", "Volt", "", "ipm", "ipm", "cfh", "kJ/in"};
    for (int r = 0; r < imperial.size(); ++r)
        QCOMPARE(g->cell(r + 1, 1), imperial.at(r));
    QCOMPARE(g->cell(1, 2), QStringLiteral("12"));
    QCOMPARE(g->cell(0, 1), QStringLiteral("Unit"));
    w.fieldAs<QRadioButton>("parameterUnitMetric")->click();
    QCOMPARE(g->cell(13, 1), QStringLiteral("l/min"));
}

void TestWpds::radioButtonsUncheckOnOpen()
{
    writeFile(path("f.wrp"), "[contents]\r\nformType=WPDS\r\nparameterUnitImperial=true\r\nunitTC=false\r\n"
                             "unitTF=true\r\nwpdsDate=07/12/2026\r\n"
                             "WPThickness=in" + QByteArray(kSep) + "\r\n");
    TWPDS w;
    QVERIFY(w.openFile(path("f.wrp")));
    QVERIFY(w.fieldAs<QRadioButton>("unitTF")->isChecked());
    QVERIFY(!w.fieldAs<QRadioButton>("unitTC")->isChecked());
    QVERIFY(!w.fieldAs<QRadioButton>("parameterUnitMetric")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitInterMin")->text(), QStringLiteral("°F"));
    TypedGrid *g = w.grid("weldingParameters");
    QCOMPARE(g->cell(1, 1), QStringLiteral("in"));   // the stored unit, not the relabelling
    QCOMPARE(g->cell(2, 1), QString());              // absent row: empty
    // A file with neither temperature key opens in °C, as a new document does.
    writeFile(path("g.wrp"), "[contents]\r\nformType=WPDS\r\npreheatMin=10\r\n");
    QVERIFY(w.openFile(path("g.wrp")));
    QVERIFY(w.fieldAs<QRadioButton>("unitTC")->isChecked());
    QCOMPARE(w.fieldAs<QLabel>("unitInterMin")->text(), QStringLiteral("°C"));
    w.resetDocument();
    QVERIFY(w.fieldAs<QRadioButton>("unitTC")->isChecked());
    QVERIFY(!w.fieldAs<QRadioButton>("unitTF")->isChecked());
    QVERIFY(w.fieldAs<QRadioButton>("parameterUnitMetric")->isChecked());
    QVERIFY(!w.fieldAs<QRadioButton>("parameterUnitImperial")->isChecked());
}

void TestWpds::columnCommandsUseGridsCurrentCell()
{
    TWPDS w;
    w.show();
    TypedGrid *g = w.grid("weldingParameters");
    g->setCell(1, 2, "10");
    g->setCell(1, 3, "12");
    g->setCurrentCell(1, 2);
    auto *dup = w.fieldAs<QPushButton>("dupRowWS");
    dup->setFocus();
    dup->click();
    QCOMPARE(g->cell(1, 3), QStringLiteral("10"));
    QCOMPARE(g->cell(1, 4), QStringLiteral("12"));
    QCOMPARE(g->currentColumn(), 3);
    QVERIFY(AppState::instance().changed());
    m_platform->queueConfirm(true);
    w.fieldAs<QPushButton>("delRowWS")->click();
    QCOMPARE(g->cell(1, 3), QStringLiteral("12"));
    QCOMPARE(g->cell(1, 4), QString());
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages.first().caption, QStringLiteral("Question"));
}

void TestWpds::changedFlagFromEdits_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("changes");
    QTest::newRow("sorted combo") << "combo" << true;
    QTest::newRow("edit") << "edit" << true;
    QTest::newRow("memo") << "memo" << true;
    QTest::newRow("date") << "date" << true;
    QTest::newRow("check") << "check" << true;
    QTest::newRow("grid cell") << "grid" << true;
    QTest::newRow("picture import") << "import" << true;
    QTest::newRow("sample drawings without a sketch library") << "browse" << false;
}

void TestWpds::changedFlagFromEdits()
{
    QFETCH(QString, what);
    QFETCH(bool, changes);
    TWPDS w;
    AppState::instance().setChanged(false);
    if (what == "combo")
        type(combo(w, "rev"), "B");
    else if (what == "edit")
        w.fieldAs<QLineEdit>("address")->setText("x");
    else if (what == "memo")
        w.fieldAs<QPlainTextEdit>("remarks")->setPlainText("x");
    else if (what == "date")
        w.fieldAs<QDateEdit>("wpdsDate")->setDate(QDate(2020, 1, 1));
    else if (what == "check")
        w.fieldAs<QCheckBox>("pulsed1")->click();
    else if (what == "grid")
        Q_EMIT w.grid("weldingParameters")->cellEdited(1, 2);
    else if (what == "import") {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path("in.bmp"));
        m_platform->queueFile(path("in.bmp"));
        w.imageGroup()->importImage1Click();
        QCOMPARE(w.imageGroup()->imageFile(), QStringLiteral("in.bmp"));
        QCOMPARE(w.values().imageFile, QStringLiteral("in.bmp")); // the document has it too
    } else if (what == "browse") {
        w.findChild<QPushButton *>("openSketchBrowser")->click();
    }
    QCOMPARE(AppState::instance().changed(), changes);
    QCOMPARE(w.isWindowModified(), changes);
}

void TestWpds::cancelledSaveDialog()
{
    TWPDS w;
    AppState::instance().setChanged(true);
    m_platform->queueFile(QString());
    QVERIFY(!w.save());
    QCOMPARE(m_platform->dialogs.size(), 1);
    QCOMPARE(m_platform->dialogs.first().title, QStringLiteral("Save Welding Report"));
    QCOMPARE(m_platform->dialogs.first().filter, QStringLiteral("Welding Reports (*.WRP)|*.wrp|Others (*.*)|*.*"));
    QCOMPARE(m_platform->dialogs.first().defaultSuffix, QStringLiteral("wrp"));
    QVERIFY(m_platform->dialogs.first().overwritePrompt);
    QCOMPARE(m_platform->messages.last().caption, QStringLiteral("Error"));
    QCOMPARE(m_platform->messages.last().text, QStringLiteral("Error in saving file."));
    QVERIFY(AppState::instance().changed());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestWpds::saveAsLeavesChangedFlagAndCloseAsks()
{
    FakeHost host;
    AppState::instance().setHost(&host);
    auto *w = new TWPDS;
    QPointer<TWPDS> guard(w);
    w->fieldAs<QLineEdit>("address")->setText("x");
    m_platform->queueFile(path("as.wrp"));
    w->saveAs();
    QVERIFY(QFile::exists(path("as.wrp")));
    QCOMPARE(w->fileName(), path("as.wrp"));
    QVERIFY(w->windowTitle().startsWith("Welding Procedure Data Sheet - as.wrp"));
    QVERIFY(AppState::instance().changed());
    QVERIFY(!w->closeDocument()); // the prompt says no
    QCOMPARE(host.prompts, 1);
    host.goOn = true;
    QSignalSpy closing(&AppState::instance(), &AppState::documentClosing);
    QVERIFY(w->closeDocument());
    QVERIFY(!AppState::instance().changed());
    // Whoever shows the window hears of it while it is still whole, once.
    QCOMPARE(closing.count(), 1);
    QCOMPARE(closing.at(0).at(0).value<QObject *>(), static_cast<QObject *>(w));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard.isNull());
    AppState::instance().setHost(nullptr);
}

// Save As writes through links, as shared folders expect, but never onto the open document's
// own picture, nor its picture onto the open document.
void TestWpds::saveAsTargets_data()
{
    QTest::addColumn<QString>("target"); // chosen in the dialog; the open document is a.wrp
    QTest::addColumn<bool>("written");
    QTest::newRow("a link into a shared folder") << "link.wrp" << true;
    QTest::newRow("the open document's picture") << "a_img.bmp" << false;
    QTest::newRow("a name whose picture is a link to the open document") << "b.wrp" << false;
}

void TestWpds::saveAsTargets()
{
    QFETCH(QString, target);
    QFETCH(bool, written);
    QDir(m_dir->path()).mkdir("shared");
    writeFile(path("shared/real.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsNo=old\r\n");
    QVERIFY(QFile::link(path("shared/real.wrp"), path("link.wrp")));
    QVERIFY(QFile::link(path("a.wrp"), path("b_img.bmp")));
    TWPDS w;
    w.setFileName(path("a.wrp"));
    QVERIFY(w.save());
    const QByteArray document = readAll(path("a.wrp"));
    const QByteArray picture = readAll(path("a_img.bmp"));
    m_platform->queueFile(path(target));
    w.saveAs();
    QStringList said;
    for (const RecordedMessage &m : std::as_const(m_platform->messages))
        if (m.kind == QLatin1String("message"))
            said << m.text;
    QVERIFY2(said.isEmpty() == written, qPrintable(said.join('|')));
    QVERIFY(QFileInfo(path("link.wrp")).isSymLink());
    QCOMPARE(readAll(path("shared/real.wrp")).contains("wpdsNo=old"), !written);
    if (!written)
        QVERIFY2(said.last().startsWith("will not write"), qPrintable(said.last()));
    QCOMPARE(readAll(path("a.wrp")), document);
    QCOMPARE(readAll(path("a_img.bmp")), picture);
}

// Two users with the same document open: the second Save asks before it writes over the
// first one's work, and Cancel (or a cancelled Save As) is a failed save.
void TestWpds::saveOverAFileChangedOnDisk_data()
{
    QTest::addColumn<QByteArray>("theirs");   // what was written meanwhile; "=": the same bytes again
    QTest::addColumn<int>("choice");          // Overwrite, Save As, Cancel; -1: nothing is asked
    QTest::addColumn<QString>("saveAsName");  // the Save As dialog's answer
    QTest::addColumn<QString>("written");     // where this window's document is afterwards; empty: nowhere
    const QByteArray theirs = "[contents]\r\nformType=WPDS\r\nwpdsNo=THEIRS\r\n";
    QTest::newRow("nobody else wrote") << QByteArray() << -1 << QString() << "a.wrp";
    QTest::newRow("the same bytes again, later") << QByteArray("=") << -1 << QString() << "a.wrp";
    QTest::newRow("changed: overwrite") << theirs << 0 << QString() << "a.wrp";
    QTest::newRow("changed by one byte: overwrite") << QByteArray("?") << 0 << QString() << "a.wrp";
    QTest::newRow("changed: save as a new file") << theirs << 1 << "b.wrp" << "b.wrp";
    QTest::newRow("changed: save as, dialog cancelled") << theirs << 1 << QString() << QString();
    QTest::newRow("changed: cancel") << theirs << 2 << QString() << QString();
}

void TestWpds::saveOverAFileChangedOnDisk()
{
    QFETCH(QByteArray, theirs);
    QFETCH(int, choice);
    QFETCH(QString, saveAsName);
    QFETCH(QString, written);
    const QString file = path("a.wrp");
    TWPDS w;
    type(combo(w, "wpdsNo"), "MINE");
    w.setFileName(file);
    QVERIFY(w.save());
    if (theirs == "=") {
        theirs = readAll(file);
        QFile::remove(file);
    } else if (theirs == "?") {
        theirs = readAll(file);
        theirs[theirs.size() - 3] = 'X'; // the same size
    }
    if (!theirs.isEmpty())
        writeFile(file, theirs);
    AppState::instance().setChanged(true);
    if (choice >= 0)
        m_platform->queueChoice(choice);
    if (choice == 1)
        m_platform->queueFile(saveAsName.isEmpty() ? QString() : path(saveAsName));
    QCOMPARE(w.save(), !written.isEmpty());
    QCOMPARE(AppState::instance().changed(), written.isEmpty());
    const QList<RecordedMessage> &asked = m_platform->messages;
    QCOMPARE(asked.size() - (choice == 1 ? 1 : 0), choice >= 0 ? 1 : 0);
    if (choice >= 0) {
        QCOMPARE(asked.first().kind, QStringLiteral("choose"));
        QVERIFY(asked.first().text.startsWith(file + QStringLiteral(" has been changed on disk")));
    }
    if (written != "a.wrp")
        QCOMPARE(readAll(file), theirs);
    if (written.isEmpty())
        return;
    QVERIFY(readAll(path(written)).contains("wpdsNo=MINE\r\n"));
    QCOMPARE(w.fileName(), path(written));
    // Written, the file is the window's again: the next save asks nothing.
    QVERIFY(w.save());
}

void TestWpds::badDateStillLoadsTheRest()
{
    writeFile(path("d.wrp"), "[contents]\r\nimageFile=v.bmp\r\nformType=WPDS\r\nwpdsNo=W-1\r\n"
                             "wpdsDate=13/45/2026\r\nWPVolt=Volt" + QByteArray(kSep) + "24" + kSep + "\r\n");
    TWPDS w;
    QVERIFY(w.openFile(path("d.wrp")));
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages.first().caption, QStringLiteral("Error"));
    QCOMPARE(m_platform->messages.first().text, QStringLiteral("'13/45/2026' is not a valid date"));
    QCOMPARE(w.fieldAs<QDateEdit>("wpdsDate")->date(), QDate(2026, 7, 12));
    QCOMPARE(w.grid("weldingParameters")->cell(9, 2), QStringLiteral("24"));
    QCOMPARE(w.imageGroup()->imageFile(), QStringLiteral("v.bmp"));
    QCOMPARE(combo(w, "wpdsNo")->currentText(), QStringLiteral("W-1"));
}

void TestWpds::sketchWrittenAsBitmapAndLoadedByContent()
{
    TWPDS w;
    const Picture metafile = Picture::fromMetafile(Picture::fromImage([] {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image;
    }()).toEmf());
    QVERIFY(metafile.isMetafile());
    w.imageGroup()->setPicture(metafile);
    w.setFileName(path("m.wrp"));
    QVERIFY(w.save());
    QVERIFY(readAll(path("m_img.bmp")).startsWith("BM"));
    // An older file holding a metafile under the bitmap name still shows its sketch.
    writeFile(path("m_img.bmp"), metafile.metafile());
    TWPDS other;
    QVERIFY(other.openFile(path("m.wrp")));
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(other.imageGroup()->picture().size(), QSize(30, 20));
}

void TestWpds::sketchWriteFailureKeepsChangedFlag()
{
    QDir(m_dir->path()).mkdir("s_img.bmp"); // a folder where the picture goes
    TWPDS w;
    w.setFileName(path("s.wrp"));
    AppState::instance().setChanged(true);
    QVERIFY(!w.save());
    QCOMPARE(m_platform->messages.last().caption, QStringLiteral("Zor Error"));
    // Which file failed, and why.
    QVERIFY(m_platform->messages.last().text.startsWith(QStringLiteral("Error in saving image file.\r\nUnable to write to %1: ").arg(path("s_img.bmp"))));
    QVERIFY(AppState::instance().changed());
    // A document and its picture change together: without its picture the document is not written.
    QVERIFY(!QFile::exists(path("s.wrp")));
}

void TestWpds::refusedWriteLeavesOldFileAndNoPicture()
{
    writeFile(path("blocker"), "x");
    TWPDS w;
    const QString target = path("blocker/doc.wrp");
    w.setFileName(target);
    AppState::instance().setChanged(true);
    QVERIFY(!w.save());
    QCOMPARE(m_platform->messages.last().caption, QStringLiteral("Error"));
    QVERIFY(m_platform->messages.last().text.startsWith(QStringLiteral("Unable to write to %1: ").arg(target)));
    QVERIFY(AppState::instance().changed());
    QCOMPARE(readAll(path("blocker")), QByteArray("x"));

    // A target that is a folder: the old content stays, no picture beside it.
    QDir(m_dir->path()).mkdir("dir.wrp");
    w.setFileName(path("dir.wrp"));
    QVERIFY(!w.save());
    QVERIFY(!QFile::exists(path("dir_img.bmp")));
}

void TestWpds::lossyCharactersAreReported()
{
    TWPDS w;
    w.fieldAs<QLineEdit>("companyName")->setText(QStringLiteral("Ω Welding"));
    type(combo(w, "rev"), QStringLiteral("B"));
    w.setFileName(path("l.wrp"));
    QVERIFY(w.save());
    QCOMPARE(m_platform->messages.size(), 1);
    QVERIFY(m_platform->messages.first().text.contains("companyName"));
    QVERIFY(!m_platform->messages.first().text.contains("rev"));
    QVERIFY(readAll(path("l.wrp")).contains("companyName=? Welding\r\n"));
}

void TestWpds::collectFieldsForTheReport()
{
    TWPDS w;
    fill(w);
    const QList<CollectedField> fields = w.collectFields();
    QCOMPARE(fields.first().name, QStringLiteral("wpdsDate"));
    QCOMPARE(fields.first().value, QStringLiteral("4 %1 2026").arg(QLocale::system().monthName(3, QLocale::ShortFormat)));
    QHash<QString, QString> byName;
    for (const CollectedField &f : fields)
        byName.insert(f.name, f.value);
    QCOMPARE(byName.value("pulsed2"), QStringLiteral("Yes"));
    QCOMPARE(byName.value("pulsed1"), QStringLiteral("No"));
    QCOMPARE(byName.value("technique"), QStringLiteral("Stringer beads\\nBack-step where needed"));
    QVERIFY(!byName.contains("unitTF"));
    QVERIFY(!byName.contains("weldingParameters"));
    QCOMPARE(w.gridCell("weldingParameters", 1, 2), QStringLiteral("12"));
    QVERIFY(w.isChecked("unitTF"));
}

void TestWpds::companyFromDefaultProfile()
{
    {
        UserDataStore store;
        QVERIFY(store.read());
        store.saveProfile("Head office", "Brenvik Fabrication Ltd.", "Halifax", true);
    }
    TWPDS w;
    QCOMPARE(w.fieldAs<QLineEdit>("companyName")->text(), QStringLiteral("Brenvik Fabrication Ltd."));
    QCOMPARE(w.fieldAs<QLineEdit>("address")->text(), QStringLiteral("Halifax"));
    QVERIFY(!AppState::instance().changed());
    // A file without the company keys clears what the reset put there.
    writeFile(path("c.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsDate=07/12/2026\r\n");
    QVERIFY(w.openFile(path("c.wrp")));
    QCOMPARE(w.fieldAs<QLineEdit>("companyName")->text(), QString());
    w.resetDocument();
    QCOMPARE(w.fieldAs<QLineEdit>("address")->text(), QStringLiteral("Halifax"));
}

void TestWpds::mdiChildAtTopLeftWithFixedFrame()
{
    QMdiArea area;
    area.resize(900, 700);
    auto *w = new TWPDS;
    QMdiSubWindow *sub = area.addSubWindow(w);
    area.show();
    sub->show();
    QCOMPARE(sub->pos(), QPoint(0, 0));
    QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(sub->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(sub->minimumSize(), sub->maximumSize());
    QVERIFY(sub->isVisible());
    QCOMPARE(AppState::instance().currentDocument(), static_cast<DocumentWindow *>(w));
    QVERIFY(AppState::instance().isCreated("WPDS"));
    AppState::instance().setChanged(true);
    QCOMPARE(sub->windowTitle(), QStringLiteral("Welding Procedure Data Sheet[*]"));
    QVERIFY(w->isWindowModified());
    QVERIFY(w->closeDocument());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(area.subWindowList().isEmpty());
    QVERIFY(!AppState::instance().isCreated("WPDS"));
    QCOMPARE(AppState::instance().currentDocument(), nullptr);
}

void TestWpds::linkedPairButtons()
{
    TWPDS w;
    type(combo(w, "weldingProcess2"), "Laser hybrid");
    auto *save = qobject_cast<QAbstractButton *>(w.buttonsOf("weldingProcess2").value(0));
    QVERIFY(save);
    // Each small button says what it does.
    QCOMPARE(save->toolTip(), QStringLiteral("Save this value to the list"));
    QCOMPARE(w.buttonsOf("weldingProcess2").value(1)->toolTip(), QStringLiteral("Delete this value from the list"));
    QCOMPARE(w.buttonsOf("technique").value(0)->toolTip(), QStringLiteral("Choose a stored text"));
    QCOMPARE(w.buttonsOf("companyName").value(0)->toolTip(), QStringLiteral("Import from file"));
    save->click();
    // Saved from the second box, offered by both.
    QVERIFY(combo(w, "weldingProcess1")->findText("Laser hybrid") >= 0);
    QVERIFY(combo(w, "weldingProcess2")->findText("Laser hybrid") >= 0);
    QCOMPARE(combo(w, "weldingProcess2")->currentText(), QStringLiteral("Laser hybrid"));
    auto *del = qobject_cast<QAbstractButton *>(w.buttonsOf("weldingProcess1").value(1));
    type(combo(w, "weldingProcess1"), "Laser hybrid");
    del->click();
    QCOMPARE(combo(w, "weldingProcess1")->findText("Laser hybrid"), -1);
    QCOMPARE(combo(w, "weldingProcess2")->findText("Laser hybrid"), -1);
    // An ordinary box keeps its value to itself.
    type(combo(w, "rev"), "R7");
    qobject_cast<QAbstractButton *>(w.buttonsOf("rev").value(0))->click();
    QVERIFY(combo(w, "rev")->findText("R7") >= 0);
    QCOMPARE(combo(w, "wpdsNo")->findText("R7"), -1);
}

void TestWpds::typingInAGridCell()
{
    TWPDS w;
    w.show();
    AppState::instance().setChanged(false);
    TypedGrid *g = w.grid("weldingParameters");
    g->setCurrentCell(8, 2);
    g->editItem(g->item(8, 2));
    auto *editor = g->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("18\u00A6 0"));
    QCOMPARE(editor->text(), QStringLiteral("18| 0"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The file's cell separator cannot get into a cell: the row would shift on reopening.
    QTRY_COMPARE(g->cell(8, 2), QStringLiteral("18| 0"));
    QVERIFY(AppState::instance().changed());
}

void TestWpds::tabOrderFollowsTheFields()
{
    TWPDS w;
    const QStringList expected = {"position", "jointType", "penetration", "weldingProcess1", "weldingProcess2",
                                  "shieldingGasType1", "shieldingGasType2", "processMode1", "processMode2",
                                  "pulsed1", "pulsed2"};
    QStringList seen;
    QWidget *x = w.field("position");
    for (int guard = 0; guard < 400 && seen.size() < expected.size(); ++guard, x = x->nextInFocusChain()) {
        if (expected.contains(x->objectName()) && !seen.contains(x->objectName()))
            seen << x->objectName();
    }
    QCOMPARE(seen, expected);
}

void TestWpds::focusEnteringMaterialPage()
{
    TWPDS w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    combo(w, "weldingProcess1")->setEditText("FCAW");
    w.gotoPageCaption("Base Metal & Filler Material");
    QVERIFY(combo(w, "IFMProcess1")->currentText().isEmpty()); // the selector runs no page rule
    combo(w, "IBMSpec1")->setFocus();
    QTRY_COMPARE(combo(w, "IFMProcess1")->currentText(), QStringLiteral("FCAW"));
}

void TestWpds::helpLabels_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("labelName");
    QTest::addColumn<int>("context"); // -1: the label has no help and no menu
    QTest::newRow("company") << "companyName" << "Company_Name" << 1001;
    QTest::newRow("number") << "wpdsNo" << "WPDS_NO" << 1003;
    QTest::newRow("date") << "wpdsDate" << "Date" << 1004;
    QTest::newRow("revision") << "rev" << "RevisionNo" << 1006;
    QTest::newRow("processes") << "weldingProcess1" << "weldingProcesses" << 1007;
    QTest::newRow("mode") << "processMode1" << "Process_Mode" << 1008;
    QTest::newRow("base metal") << "IBMSpec1" << "Base_Material" << 1030;
    QTest::newRow("no help") << "address" << "addressLabel" << -1;
}

// A right click on the label of the real window offers "What's This?", which pops its topic up.
void TestWpds::helpLabels()
{
    QFETCH(QString, field);
    QFETCH(QString, labelName);
    QFETCH(int, context);
    TWPDS w;
    w.show();
    QLabel *label = w.labelOf(field);
    QVERIFY(label);
    QCOMPARE(label->objectName(), labelName);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &click);
    QMenu *menu = label->findChild<QMenu *>("PopupMenuHelp");
    if (context < 0) {
        QVERIFY(!menu);
        return;
    }
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("What's This?"));
    menu->actions()[0]->trigger();
    menu->close();
    QCOMPARE(m_platform->helpShown, QList<int>{context});
}

void TestWpds::fileMenuEntries()
{
    TWPDS w;
    QStringList visible;
    for (QAction *a : w.fileMenu()->actions())
        if (a->isVisible() && !a->isSeparator())
            visible << a->text() + QLatin1Char('\t') + a->shortcut().toString();
    QCOMPARE(w.fileMenu()->title(), QStringLiteral("&File"));
    QCOMPARE(visible, QStringList({"&New...\tCtrl+N", "&Open\tCtrl+O", "&Save\tCtrl+S", "Save &As...\tCtrl+Shift+S",
                                   "Pre&view\t", "A&pprove...\t", "&Withdraw Approval...\t", "Create Re&vision...\t",
                                   "Co&mpare With...\t", "&Close\tCtrl+W", "&Quit\tCtrl+Q"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Welding Procedure Data Sheet[*]"));
    QVERIFY(!w.fieldAs<QPushButton>("selectParam")->isHidden());
}

QTEST_MAIN(TestWpds)
#include "tst_wpds.moc"
