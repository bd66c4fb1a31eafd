#include "forms/wpds/twpdsreport.h"

#include "forms/wpds/twpds.h"

#include "core/texthelpers.h"
#include "report/columnmemo.h"
#include "report/reportpage.h"

#include <array>

namespace Brenvik {

namespace {

const ReportFont kBold{8, true};

struct ParameterColumn {
    const char *head;     // one or two lines
    qreal memoX;
    Qt::Alignment alignment;
};

// Rules between the fourteen parameter columns; the frame closes the first and the last.
constexpr std::array<qreal, 15> kColumnRules{67,  109, 162, 197, 232, 299, 342, 410,
                                              484, 524, 567, 624, 679, 732, 769};

const std::array<ParameterColumn, 14> kParameters{{
    {"Thick-\nness", 70, Qt::AlignRight},
    {"Weld Size\n/ETT", 112, Qt::AlignRight},
    {"Layer", 163, Qt::AlignHCenter},
    {"Pass\nNo.", 202, Qt::AlignHCenter},
    {"Welding\nProcess", 237, Qt::AlignHCenter},
    {"Dia.", 300, Qt::AlignRight},
    {"Wire Feed\nSpeed", 352, Qt::AlignRight},
    {"Current", 417, Qt::AlignRight},
    {"Volt", 485, Qt::AlignRight},
    {"Current \nPolarity", 525, Qt::AlignRight},
    {"Welding\nSpeed", 570, Qt::AlignRight},
    {"Burn-off\nRate", 630, Qt::AlignRight},
    {"Gas\nFlow Rate", 682, Qt::AlignRight},
    {"Heat\nInput", 733, Qt::AlignRight},
}};

const CaptionRow kCaptions[] = {
    // Title
    {453, 50, "WPDS NO.:"},
    {453, 70, "DATE:"},
    {623, 70, "Rev.:"},
    // Company
    {73, 97, "Company Name:"},
    {73, 117, "Address:"},
    {565, 97, "Ref. Standards:"},
    {565, 110, "Ref. WPQR:"},
    {563, 127, "Ref. WPS:"},
    // Processes
    {80, 147, "Welding Processes:"},
    {80, 167, "Shielding Gas Type:"},
    {80, 187, "Process Mode:"},
    {403, 147, "Pulsed:"},
    {680, 147, "Pulsed:"},
    // Welding information
    {80, 212, "Positions:"},
    {80, 232, "Joint Type:"},
    {80, 252, "Penetration:"},
    {80, 272, "Backing:"},
    {213, 272, "Material:"},
    {338, 272, "Thickness:"},
    {80, 292, "Backgouging:"},
    {213, 292, "Method:"},
    {213, 312, "Depth:"},
    {80, 335, "Electrode Extension:"},
    {80, 355, "Nozzle Diameter(s):"},
    {80, 375, "Flux Classification:"},
    {80, 395, "Tungsten Electrode:"},
    {212, 395, "Type:"},
    {360, 395, "Dia.:"},
    {80, 417, "Cleaning Procedures:"},
    {80, 457, "Technique:"},
    // Joint sketch
    {507, 212, "Joint Configuration & Pass/Layer Sequence"},
    // Base material
    {83, 525, "Part"},
    {197, 525, "Specification & Grade"},
    {433, 525, "Thickness or Dia."},
    {597, 525, "Special Requirements"},
    {93, 545, "I"},
    {93, 565, "II"},
    // Filler material
    {83, 605, "Process"},
    {213, 603, "Trade Name"},
    {376, 603, "Classification"},
    {516, 603, "Group"},
    {643, 603, "Filler Treatment"},
    // Heat treatment
    {77, 863, "Preheat min.:"},
    {242, 863, "Interpass temp. max.:"},
    {242, 878, "Interpass temp. min.:"},
    {77, 898, "Postweld Heat Treatment"},
    {77, 950, "Remarks"},
    // Company authorization date box
    {601, 978, "DATE"},
    {637, 991, "MONTH"},
    {692, 991, "DAY"},
    {732, 991, "YEAR"},
};

const CaptionRow kBoldCaptions[] = {
    {78, 503, "Identification of Base Material"},
    {77, 585, "Identification of Filler Material"},
    {77, 665, "Welding Parameters"},
    {77, 843, "Heat Treatment"},
    {485, 843, "Acceptance"},
    {622, 843, "Company Authorization"},
};

// The data elements in the order of the paper form, region by region. Width 0: the text
// runs to the next element or rule of its row. Labels with a height wrap; so do the
// free-text memos.

constexpr ElementKind L = ElementKind::Label;
constexpr ElementKind M = ElementKind::Memo;
constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
// Two lines of 8-point text, wrapped.
constexpr qreal kTwoLines = 26;

const DataRow kHead[] = {
    {L, "wpdsNo", 513, 50, 0, 0, kLeft},
    {L, "wpdsDate", 490, 70, 0, 0, kLeft},
    {L, "rev", 653, 70, 0, 0, kLeft},
    {L, "companyName", 153, 97, 0, 0, kLeft},
    {L, "address", 122, 115, 417, kTwoLines, kLeft},
    {L, "refStandards", 643, 97, 0, 0, kLeft},
    {L, "refWPQR", 623, 110, 0, 0, kLeft},
    {L, "refWPS", 618, 127, 0, 0, kLeft},
    {L, "weldingProcess1", 243, 147, 0, 0, kLeft},
    {L, "pulsed1", 443, 147, 0, 0, kLeft},
    {L, "shieldingGasType1", 243, 167, 0, 0, kLeft},
    {L, "processMode1", 243, 187, 0, 0, kLeft},
    {L, "weldingProcess2", 523, 147, 0, 0, kLeft},
    {L, "pulsed2", 717, 147, 0, 0, kLeft},
    {L, "shieldingGasType2", 523, 167, 0, 0, kLeft},
    {L, "processMode2", 523, 187, 0, 0, kLeft},
    {L, "position", 213, 212, 0, 0, kLeft},
    {L, "jointType", 213, 232, 0, 0, kLeft},
    {L, "penetration", 213, 252, 0, 0, kLeft},
    {L, "material", 253, 272, 0, 0, kLeft},
    {L, "thickness", 388, 272, 0, 0, kLeft},
    {L, "method", 253, 292, 0, 0, kLeft},
    {L, "ifBackgouging", 83, 312, 0, 0, kLeft},
    {L, "depth", 243, 312, 0, 0, kLeft},
    {L, "electrodeExtension", 213, 335, 0, 0, kLeft},
    {L, "nozzleDiameter", 213, 355, 0, 0, kLeft},
    {L, "fluxClassification", 213, 375, 0, 0, kLeft},
    {L, "TungstenElectrodeType", 243, 395, 0, 0, kLeft},
    {L, "diameter", 383, 395, 0, 0, kLeft},
    {M, "cleaningProcedure", 213, 415, 245, 37, kLeft},
    {M, "technique", 213, 458, 245, 42, kLeft},
    {L, "IBMSpec1", 130, 545, 0, 0, kLeft},
    {L, "IBMthickness1", 433, 543, 85, 0, kCentre},
    {L, "IBMReq1", 530, 545, 0, 0, kLeft},
    {L, "IBMSpec2", 130, 563, 0, 0, kLeft},
    {L, "IBMThickness2", 433, 563, 85, 0, kCentre},
    {L, "IBMReq2", 530, 563, 0, 0, kLeft},
    {L, "IFMProcess1", 73, 623, 0, 0, kLeft},
    {L, "IFMTradename1", 150, 623, 0, 0, kLeft},
    {L, "IFMClassification1", 350, 623, 0, 0, kLeft},
    {L, "IFMGroup1", 473, 623, 0, 0, kLeft},
    {L, "IFMFillerTreatment1", 590, 623, 0, 0, kLeft},
    {L, "IFMProcess2", 73, 643, 0, 0, kLeft},
    {L, "IFMTradeName2", 150, 643, 0, 0, kLeft},
    {L, "IFMClassification2", 350, 643, 0, 0, kLeft},
    {L, "IFMGroup2", 473, 643, 0, 0, kLeft},
    {L, "IFMFillerTreatment2", 590, 643, 0, 0, kLeft},
};

const DataRow kFoot[] = {
    {L, "preheatMin", 142, 863, 0, 0, kLeft},
    {L, "interpassMax", 347, 863, 0, 0, kLeft},
    {L, "InterPassMin", 347, 878, 0, 0, kLeft},
    {L, "postWeldTreatment", 102, 913, 317, kTwoLines, kLeft},
    {M, "remarks", 77, 963, 348, 38, kLeft},
};

} // namespace

QString TWPDSReport::title() const
{
    return TWPDS::formTable().description.reportTitle;
}

TWPDSReport::TWPDSReport(QObject *parent)
    : FormReport(parent)
    , m_page(new ReportPage(this))
{
    buildPage();
}

qreal TWPDSReport::columnLeft(int n)
{
    return kColumnRules.at(n - 1);
}

qreal TWPDSReport::columnRight(int n)
{
    return kColumnRules.at(n);
}

void TWPDSReport::buildPage()
{
    ReportPage &p = *m_page;
    p.setObjectName(QStringLiteral("TWPDSReport"));
    p.setFrame(QRectF(QPointF(67, 48), QPointF(769, 1008)));

    // Rules first, so that every text finds them when it measures its row.
    for (qreal y : {91, 145, 205, 500, 520, 540, 560, 580, 600, 620, 640, 660, 680, 729, 840, 860})
        p.addHRule(67, 769, y);
    p.addHRule(447, 769, 66);
    p.addVRule(444, 48, 93);
    for (qreal y : {163, 183}) {
        p.addHRule(242, 485, y);
        p.addHRule(518, 768, y);
    }
    for (qreal x : {209, 240, 485, 517})
        p.addVRule(x, 147, 207);
    for (qreal y : {227, 247, 267, 287, 331, 351, 371, 391, 411, 454})
        p.addHRule(68, 461, y);
    p.addVRule(209, 147, 501);
    p.addVRule(460, 207, 502);
    for (qreal x : {124, 432, 524})
        p.addVRule(x, 521, 581);
    // The filler group ("Carbon steel solid wire") has the room to print at its own size;
    // the classification gives it.
    for (qreal x : {147, 347, 470, 587})
        p.addVRule(x, 601, 661);
    for (int n = 1; n < 14; ++n)
        p.addVRule(kColumnRules[n], 681, 841);
    p.addHRule(67, 435, 894);
    p.addHRule(67, 435, 947);
    p.addVRule(435, 841, 1008);
    p.addVRule(595, 841, 1008);
    p.addHRule(596, 768, 966);
    p.addHRule(636, 768, 986);
    for (qreal x : {634, 678, 726})
        p.addVRule(x, 966, 1008);

    p.addCaption(73, 50, QStringLiteral("WELDING PROCEDURE DATA SHEET"), ReportFont{14, true});
    p.addCaptions(kCaptions);
    p.addCaptions(kBoldCaptions, kBold);
    p.addCaption(220, 157, QStringLiteral("1"), ReportFont{12, false});
    p.addCaption(493, 157, QStringLiteral("2"), ReportFont{12, false});
    for (int n = 1; n <= 14; ++n) {
        const qreal left = columnLeft(n) + 1;
        p.addCaption(left, 683, QString::fromUtf8(kParameters[n - 1].head), {},
                     columnRight(n) - 1 - left, Qt::AlignHCenter);
    }

    p.addData(kHead);
    for (int n = 1; n <= 14; ++n) {
        const qreal left = columnLeft(n) + 1;
        p.addLabel(QStringLiteral("wpUnit%1").arg(n), left, 712, columnRight(n) - 1 - left, Qt::AlignHCenter);
    }
    for (int n = 1; n <= 14; ++n) {
        const ParameterColumn &c = kParameters[n - 1];
        // Each pass keeps its own line, so the fourteen columns stay aligned pass by pass.
        p.addMemo(QStringLiteral("wp%1").arg(n), c.memoX, 730, columnRight(n) - 2 - c.memoX, 110,
                  c.alignment, false);
    }
    p.addData(kFoot);
    p.addImage(QStringLiteral("weldImage"), 465, 227, 302, 273);
    // Authorized in the company's box: the signature picture, the name under it, who prepared
    // and reviewed the sheet, and the date in the month, day and year boxes.
    p.setSignOffArea({{SignOffPart::Signature, QRectF(600, 860, 164, 44)},
                      {SignOffPart::Name, QRectF(600, 906, 164, 12)},
                      {SignOffPart::Lines, QRectF(600, 922, 164, 42)},
                      {SignOffPart::Month, QRectF(636, 970, 41, 12)},
                      {SignOffPart::Day, QRectF(680, 970, 45, 12)},
                      {SignOffPart::Year, QRectF(728, 970, 39, 12)}});
}

void TWPDSReport::prepareRpt(const ReportSource &source)
{
    ReportPage &p = *m_page;

    // Pass 1 and 2: collect, then fill by name.
    p.fillByName(source.collectFields());
    // The postweld label prints its lines as the memos do, not the stored "\n" marks.
    const QString postWeld = p.text(QStringLiteral("postWeldTreatment"));
    p.setCaption(QStringLiteral("postWeldTreatment"),
                 decodeMemo(postWeld).replace(QLatin1String("\r\n"), QLatin1String("\n")));

    // Pass 3: temperatures carry their unit.
    p.appendTemperatureUnit(source, {"preheatMin", "InterPassMin", "interpassMax"});

    // Pass 4: the parameter grid, transposed (each pass keeps its line in every column), and
    // the sketch.
    const QString grid = QStringLiteral("weldingParameters");
    const QList<ReportElement> elements = p.elements();
    for (const ReportElement &e : elements) {
        if (e.kind == ElementKind::Label && e.name.startsWith(QLatin1String("wpUnit"))) {
            bool ok = false;
            const int row = e.name.mid(6).toInt(&ok);
            if (ok)
                p.setCaption(e.name, source.gridCell(grid, row, 1));
        }
    }
    for (const auto &memo : ColumnMemo::numberedMemos(p, QStringLiteral("wp")))
        p.setMemoLines(memo.first, ColumnMemo::rowLines(source, grid, memo.second, 2, 9));
    p.setPicture(QStringLiteral("weldImage"), source.sketch());
}

} // namespace Brenvik
