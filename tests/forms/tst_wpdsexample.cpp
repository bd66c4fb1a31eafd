// The shipped example data/examples/wpds-example.wrp is what this program writes for a real
// procedure (GMAW, single-V butt joint in 12 mm plate, eight passes). The test fills a window
// with that procedure, saves it and compares with the shipped files, so the example can never
// drift from the program. BRENVIK_WRITE_EXAMPLE=<folder> writes the files there instead.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "core/picture.h"
#include "document/imagegroup.h"
#include "forms/wpds/twpds.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

// A 60-degree single-V groove in 12 mm plate, root gap 2 mm, back-gouged; passes numbered in
// welding order. The travel speeds make the passes fill it: a pass deposits the 1.2 mm wire's
// 1.13 mm2 times feed over travel speed; side A's seven passes 132 mm2 (107 mm2 of groove and
// the cap), the back weld 25 mm2 into the gouge.
QImage drawSketch()
{
    QImage image(360, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double mm = 12.0;          // pixels per millimetre
    const double top = 50, bottom = top + 12 * mm;
    const double cx = 180, gap = 1 * mm;
    const double half = gap + 12 * mm * 0.577; // tan 30 degrees

    QPainterPath left, right;
    left.moveTo(20, top);
    left.lineTo(cx - half, top);
    left.lineTo(cx - gap, bottom);
    left.lineTo(20, bottom);
    left.closeSubpath();
    right.moveTo(340, top);
    right.lineTo(cx + half, top);
    right.lineTo(cx + gap, bottom);
    right.lineTo(340, bottom);
    right.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
    p.drawPath(left);
    p.drawPath(right);

    // Passes as beads in the groove, root at the bottom, back weld below.
    struct Bead { double x, y, w, h; int n; };
    const Bead beads[] = {
        {cx, bottom - 12, 34, 24, 1}, {cx, bottom - 40, 66, 30, 2},
        {cx - 26, bottom - 72, 54, 34, 3}, {cx + 26, bottom - 72, 54, 34, 4},
        {cx - 37, bottom - 108, 76, 36, 5}, {cx + 37, bottom - 108, 76, 36, 6},
        {cx, bottom - 140, 200, 28, 7}, {cx, bottom + 12, 60, 22, 8}};
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    for (const Bead &b : beads) {
        const QRectF r(b.x - b.w / 2, b.y - b.h / 2, b.w, b.h);
        p.setBrush(QColor(255, 236, 179));
        p.setPen(QPen(Qt::black, 1));
        p.drawEllipse(r);
        p.drawText(r, Qt::AlignCenter, QString::number(b.n));
    }
    font.setBold(false);
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(QRectF(0, 4, 360, 18), Qt::AlignCenter, QStringLiteral("60\u00B0 single-V, 12 mm plate, root gap 2 mm"));
    p.drawText(QRectF(0, 238, 360, 18), Qt::AlignCenter, QStringLiteral("Back-gouge to sound metal before pass 8"));
    return image;
}

void set(TWPDS &w, const char *name, const QString &text)
{
    if (auto *box = w.fieldAs<QComboBox>(name))
        box->setEditText(text);
    else if (auto *edit = w.fieldAs<QLineEdit>(name))
        edit->setText(text);
    else if (auto *memo = w.fieldAs<QPlainTextEdit>(name))
        memo->setPlainText(text);
    else
        QFAIL(name);
}

void fillExample(TWPDS &w)
{
    w.fieldAs<QDateEdit>("wpdsDate")->setDate(QDate(2026, 7, 12));
    set(w, "wpdsNo", "WPDS-GMAW-012");
    set(w, "rev", "0");
    set(w, "refStandards", "CSA W47.1");
    set(w, "refWPQR", "PQR-2026-03");
    set(w, "refWPS", "WPS-GMAW-01");
    set(w, "companyName", "Brenvik Fabrication Ltd.");
    set(w, "address", "1200 Harbour Road, Halifax, NS  B3K 5M7");
    set(w, "position", "1G (flat)");
    set(w, "processMode1", "Semi-automatic");
    set(w, "jointType", "Single-V groove butt joint");
    set(w, "penetration", "Complete joint penetration");
    set(w, "weldingProcess1", "GMAW");
    set(w, "shieldingGasType1", "90% Ar / 10% CO2");
    set(w, "material", "None (open root)");
    set(w, "thickness", "N/A");
    w.fieldAs<QCheckBox>("ifBackgouging")->setChecked(true);
    set(w, "method", "Carbon arc gouging, then grinding");
    set(w, "depth", "Approx. 3 mm, to sound metal");
    set(w, "technique", "Stringer beads for root and hot pass\n"
                        "Slight weave on fill and cap, not over 3 x wire diameter\n"
                        "Forehand (push) angle 10-15 degrees");
    set(w, "electrodeExtension", "15-20 mm");
    set(w, "nozzleDiameter", "16 mm");
    set(w, "cleaningProcedure", "Wire brush every pass\nGrind out starts, stops and visible defects");
    set(w, "IBMSpec1", "ASTM A36");
    set(w, "IBMThickness1", "12 mm");
    set(w, "IBMReq1", "None");
    set(w, "IBMSpec2", "CSA G40.21 350W");
    set(w, "IBMThickness2", "12 mm");
    set(w, "IBMReq2", "None");
    set(w, "IFMProcess1", "GMAW");
    set(w, "IFMTradeName1", "Solid wire ER70S-6, 1.2 mm");
    set(w, "IFMClassification1", "AWS A5.18 ER70S-6");
    set(w, "IFMGroup1", "Carbon steel solid wire");
    set(w, "IFMFIllerTreatment1", "None; keep spool covered and dry");

    TypedGrid *g = w.grid("weldingParameters");
    const QStringList rows[] = {
        {"12", "12", "12", "12", "12", "12", "12", "12"},
        {"12", "12", "12", "12", "12", "12", "12", "12"},
        {"1", "2", "3", "3", "4", "4", "5", "Back"},
        {"1", "2", "3", "4", "5", "6", "7", "8"},
        {"GMAW", "GMAW", "GMAW", "GMAW", "GMAW", "GMAW", "GMAW", "GMAW"},
        {"1.2", "1.2", "1.2", "1.2", "1.2", "1.2", "1.2", "1.2"},
        {"5100", "6350", "7600", "7600", "8250", "8250", "7000", "7600"},
        {"205", "241", "273", "273", "289", "289", "258", "273"},
        {"20", "26", "28", "28", "29", "29", "27", "28"},
        {"DCEP", "DCEP", "DCEP", "DCEP", "DCEP", "DCEP", "DCEP", "DCEP"},
        {"340", "400", "480", "480", "490", "490", "340", "340"},
        {"5100", "6350", "7600", "7600", "8250", "8250", "7000", "7600"},
        {"18", "20", "20", "20", "20", "20", "20", "20"},
        {"0.72", "0.94", "0.96", "0.96", "1.03", "1.03", "1.23", "1.35"}};
    for (int r = 0; r < 14; ++r)
        for (int pass = 0; pass < 8; ++pass)
            g->setCell(r + 1, pass + 2, rows[r].at(pass));

    set(w, "preheatMin", "10");
    set(w, "InterPassMin", "10");
    set(w, "InterpassMax", "250");
    set(w, "postWeldTreatment", "None required");
    set(w, "remarks", "Example data sheet shipped with Brenvik: check it against your own qualified\n"
                      "procedure (PQR) before use.");
    w.imageGroup()->setPicture(Picture::fromImage(drawSketch()));
}

} // namespace

class TestWpdsExample : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedExampleIsWhatTheProgramWrites();
    void shippedExampleOpensAndSavesIdentically();
};

void TestWpdsExample::shippedExampleIsWhatTheProgramWrites()
{
    ScriptedPlatform platform;
    TempData data(true);
    QTemporaryDir dir;
    const QString target = qEnvironmentVariableIsSet("BRENVIK_WRITE_EXAMPLE")
        ? QString::fromLocal8Bit(qgetenv("BRENVIK_WRITE_EXAMPLE")) : dir.path();
    TWPDS w;
    fillExample(w);
    w.setFileName(target + "/wpds-example.wrp");
    QVERIFY(w.save());
    QVERIFY(platform.messages.isEmpty());
    const QString shipped = QCoreApplication::applicationDirPath() + "/examples/";
    QCOMPARE(readAll(target + "/wpds-example.wrp"), readAll(shipped + "wpds-example.wrp"));
    // The sketch's lettering depends on the fonts at hand: compare its size, not its bytes.
    QCOMPARE(QImage(shipped + "wpds-example_img.bmp").size(), QSize(360, 260));
    QVERIFY(readAll(target + "/wpds-example_img.bmp").startsWith("BM"));
}

void TestWpdsExample::shippedExampleOpensAndSavesIdentically()
{
    ScriptedPlatform platform;
    TempData data(true);
    QTemporaryDir dir;
    const QString shipped = QCoreApplication::applicationDirPath() + "/examples/wpds-example.wrp";
    TWPDS w;
    QVERIFY(w.openFile(shipped));
    QCOMPARE(w.fieldAs<QComboBox>("method")->currentText(), QStringLiteral("Carbon arc gouging, then grinding"));
    w.setFileName(dir.filePath("copy.wrp"));
    QVERIFY(w.save());
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(readAll(dir.filePath("copy.wrp")), readAll(shipped));
}

QTEST_MAIN(TestWpdsExample)
#include "tst_wpdsexample.moc"
