#include "forms/pqr/tpqrreport.h"

#include "report/columnmemo.h"

#include <array>

namespace Brenvik {

namespace {

// The frame and its two halves, in 1/96 inch.
constexpr qreal kLeft = 48, kRight = 768, kMiddle = 408, kTop = 48, kBottom = 1008;
// Captions and values sit this far inside their box.
constexpr qreal kPad = 6;

const ReportFont kBold{8, true};
const ReportFont kTitle{14, true};

const CaptionRow kCaptions[] = {
    // Heading
    {494, 52, "WPDS NO.:"},
    {494, 71, "WPS NO.:"},
    {494, 89, "DATE:"},
    // Identification
    {54, 108, "Company Name:"},
    {494, 108, "Ref. Standards:"},
    {54, 128, "Location of Test:"},
    {494, 128, "Witness:"},
    {54, 148, "Test Plate Number:"},
    {294, 148, "Welder's Name:"},
    {574, 148, "Welder ID:"},
    // Base materials
    {136, 168, "1. Specification:"},
    {494, 168, "Grade:"},
    {136, 188, "2. Specification:"},
    {494, 188, "Grade:"},
    // Temperatures and treatments
    {54, 207, "Preheat\nTemperature:"},
    {256, 207, "Interpass\nTemperature:"},
    {566, 207, "Welding Positions:"},
    {54, 238, "Postweld\nTreatment:"},
    {414, 238, "Cleaning Procedures:"},
    // Process
    {54, 278, "Welding Process:"},
    {414, 278, "Process Mode:"},
    {54, 298, "Backgouging"},
    {136, 298, "Method:"},
    {414, 298, "Depth :"},
    // Consumables
    {54, 336, "Filler Metal "},
    {54, 356, "Flux"},
    {54, 376, "Tungsten Type:"},
    {414, 376, "Tungsten Diameter:"},
    // Sketch
    {54, 631, "a) Joint geometry                c) Pass/layer sequence\n"
              "b) Full welding symbol        d) Test specimens"},
};

// Fixed texts centred over a column, from left to right rule.
struct Head {
    qreal left, right, y;
    const char *text;
};

const Head kHeads[] = {
    {342, 446, 207, "MIN"},
    {446, 560, 207, "MAX"},
    {130, 342, 316, "Classification"},
    {342, 555, 316, "Trade Name"},
    {555, 768, 316, "Manufacturer"},
    {48, 168, 395, "Shielding\nGas"},
    {168, 288, 395, "Flow\nRate"},
    {288, 408, 395, "Nozzle\nSize"},
    {408, 528, 395, "Certified \nElectrode Used?"},
    {528, 648, 395, "Current Type\nand Polarity"},
    {648, 768, 395, "Electrode\nExtension"},
};

constexpr ElementKind L = ElementKind::Label;
constexpr ElementKind M = ElementKind::Memo;
constexpr Qt::Alignment kAlignLeft = Qt::AlignLeft;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
// Three lines of 8-point text.
constexpr qreal kThreeLines = 37;

// The value fields in the order of the paper form. Width 0: the value runs to the next rule
// or text of its row.
const DataRow kData[] = {
    {L, "wpdsNo", 556, 52, 0, 0, kAlignLeft},
    {L, "wpsNo", 556, 71, 0, 0, kAlignLeft},
    {L, "wpdsDate", 556, 89, 0, 0, kAlignLeft},
    {L, "companyName", 148, 108, 0, 0, kAlignLeft},
    {L, "refStandards", 578, 108, 0, 0, kAlignLeft},
    {L, "LocationOfTest", 148, 128, 0, 0, kAlignLeft},
    {L, "Witness", 578, 128, 0, 0, kAlignLeft},
    {L, "TestPlateNo", 148, 148, 0, 0, kAlignLeft},
    {L, "Weldername", 370, 148, 0, 0, kAlignLeft},
    {L, "WelderID", 628, 148, 0, 0, kAlignLeft},
    {L, "Specification1", 214, 168, 0, 0, kAlignLeft},
    {L, "Grade1", 530, 168, 0, 0, kAlignLeft},
    {L, "Specification2", 214, 188, 0, 0, kAlignLeft},
    {L, "Grade2", 530, 188, 0, 0, kAlignLeft},
    {L, "PreheatTemperature", 130, 213, 0, 0, kAlignLeft},
    {L, "MinInterT", 344, 220, 100, 0, kCentre},
    {L, "MaxInterT", 448, 220, 110, 0, kCentre},
    {M, "PostWeldTreatment", 130, 237, 272, kThreeLines, kAlignLeft},
    {M, "CleaningProcedures", 514, 237, 250, kThreeLines, kAlignLeft},
    {L, "WeldingPosition", 566, 220, 0, 0, kAlignLeft},
    {L, "WeldingProcess", 148, 278, 0, 0, kAlignLeft},
    {L, "ProcessMode", 488, 278, 0, 0, kAlignLeft},
    {L, "BackgougingMethod", 180, 298, 0, 0, kAlignLeft},
    {L, "BackgougingDepth", 452, 298, 0, 0, kAlignLeft},
    {L, "classificationA", 136, 336, 0, 0, kAlignLeft},
    {L, "tradeNameA", 348, 336, 0, 0, kAlignLeft},
    {L, "manufacturerA", 561, 336, 0, 0, kAlignLeft},
    {L, "classificationF", 136, 356, 0, 0, kAlignLeft},
    {L, "tradeNameF", 348, 356, 0, 0, kAlignLeft},
    {L, "manufacturerF", 561, 356, 0, 0, kAlignLeft},
    {L, "TungstenElectrodeType", 136, 376, 0, 0, kAlignLeft},
    {L, "diameter", 510, 376, 0, 0, kAlignLeft},
    {L, "shieldingGT", 50, 422, 116, 0, kCentre},
    {L, "FlowRate", 170, 422, 116, 0, kCentre},
    {L, "NozzleSize", 290, 422, 116, 0, kCentre},
    {L, "ifCE", 410, 422, 116, 0, kCentre},
    {L, "currentType", 530, 422, 116, 0, kCentre},
    {L, "EExt", 650, 422, 116, 0, kCentre},
};

// The welding-sequence tables: eight columns each, the left one at kLeft, the right one at
// kSequenceRight, with a double rule between them.
constexpr qreal kSequenceRight = 412;
constexpr std::array<qreal, 9> kSequenceColumns{0, 36, 74, 110, 154, 206, 256, 298, 356};
const char *const kSequenceHeads[] = {"Side", "Layer", "Pass", "Size", "W. Feed\n  Speed",
                                      "Amperes", "Volts", "Arc Travel\n    Speed"};
struct Group {
    int first, last; // columns
    const char *text;
};
const Group kSequenceGroups[] = {
    {0, 2, "Welding Sequence"}, {3, 4, "Filler Metal"}, {5, 7, "Arc Parameters"}};
// Rows of the sequence tables: group heads, column heads, units, then eight lines of data.
constexpr qreal kSequenceTop = 448, kSequenceHeadTop = 465, kSequenceUnitTop = 492, kSequenceDataTop = 507,
                kSequenceBottom = 610;

} // namespace

TPQRreport::TPQRreport(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TPQRreport"));
    setTitle(QStringLiteral("PQR"));
    buildPage();
}

void TPQRreport::buildPage()
{
    setFrame(QRectF(QPointF(kLeft, kTop), QPointF(kRight, kBottom)));

    // Rules first, so that every text finds them when it measures its row.
    for (qreal y : {104, 124, 144, 164, 204, 234, 274, 294, 314, 392, 448, 610, 988})
        addHRule(kLeft, kRight, y);
    addVRule(488, kTop, 104);
    for (qreal y : {67, 86})
        addHRule(488, kRight, y);
    addVRule(488, 104, 144);
    addVRule(288, 144, 164);
    addVRule(568, 144, 164);
    // Base materials
    addHRule(130, kRight, 184);
    addVRule(130, 164, 204);
    addVRule(488, 164, 204);
    // Temperatures: preheat | interpass MIN MAX | positions; postweld | cleaning
    addVRule(250, 204, 234);
    addVRule(342, 204, 234);
    addVRule(446, 204, 234);
    addVRule(560, 204, 234);
    addVRule(kMiddle, 234, 274);
    // Process, consumables and tungsten
    addVRule(kMiddle, 274, 314);
    addHRule(kLeft, kRight, 332);
    addHRule(kLeft, kRight, 352);
    addHRule(kLeft, kRight, 372);
    for (qreal x : {130, 342, 555})
        addVRule(x, 314, 372);
    addVRule(kMiddle, 372, 392);
    // Gas and electrical: six columns, heads above values; a long gas name wraps to a second line
    addHRule(kLeft, kRight, 420);
    for (qreal x : {168, 288, 408, 528, 648})
        addVRule(x, 392, kSequenceTop);
    // Welding sequence, two tables
    for (qreal origin : {kLeft, kSequenceRight}) {
        const qreal right = origin + kSequenceColumns.back();
        for (qreal y : {kSequenceHeadTop, kSequenceUnitTop, kSequenceDataTop})
            addHRule(origin, right, y);
        for (int c = 1; c < 8; ++c) {
            // Group heads span their columns; only the group borders reach the top.
            const bool groupBorder = c == 3 || c == 5;
            addVRule(origin + kSequenceColumns[c], groupBorder ? kSequenceTop : kSequenceHeadTop, kSequenceBottom);
        }
    }
    addVRule(kLeft + kSequenceColumns.back(), kSequenceTop, kSequenceBottom);
    addVRule(kSequenceRight, kSequenceTop, kSequenceBottom);

    addCaption(60, 53, QStringLiteral("PROCEDURE"), kTitle);
    addCaption(60, 76, QStringLiteral("QUALIFICATION REPORT"), kTitle);
    addCaption(54, 168, QStringLiteral("Base \nMaterials"), kBold);
    addCaptions(kCaptions);
    for (const Head &h : kHeads)
        addCaption(h.left + 1, h.y, QString::fromUtf8(h.text), {}, h.right - h.left - 2, Qt::AlignHCenter);
    addCaption(54, 615, QStringLiteral("In the space below make a sketch to show:"), kBold);
    for (qreal origin : {kLeft, kSequenceRight}) {
        for (const Group &g : kSequenceGroups) {
            const qreal left = origin + kSequenceColumns[g.first] + 1;
            const qreal right = origin + kSequenceColumns[g.last + 1] - 1;
            addCaption(left, kSequenceTop + 3, QString::fromUtf8(g.text), kBold, right - left, Qt::AlignHCenter);
        }
        for (int c = 0; c < 8; ++c) {
            const QString head = QString::fromUtf8(kSequenceHeads[c]);
            const qreal left = origin + kSequenceColumns[c] + 1;
            const qreal width = kSequenceColumns[c + 1] - kSequenceColumns[c] - 2;
            // One-line heads sit in the middle of the two-line row.
            addCaption(left, kSequenceHeadTop + (head.contains(QLatin1Char('\n')) ? 1 : 7), head, {}, width,
                       Qt::AlignHCenter);
        }
    }

    // The memos keep their line breaks, wrapping a line too long for its box.
    addData(kData);
    // Units under the last five columns of each table, then one memo per column, eight lines.
    int unit = 1;
    for (qreal origin : {kLeft, kSequenceRight})
        for (int c = 3; c < 8; ++c, ++unit)
            addLabel(QStringLiteral("wsUnit%1").arg(unit), origin + kSequenceColumns[c] + 1, kSequenceUnitTop + 1,
                     kSequenceColumns[c + 1] - kSequenceColumns[c] - 2, Qt::AlignHCenter);
    for (qreal origin : {kLeft, kSequenceRight}) {
        const int table = origin == kLeft ? 0 : 10;
        for (int c = 0; c < 8; ++c)
            addMemo(QStringLiteral("wsGrid%1").arg(table + c + 1, 2, 10, QLatin1Char('0')),
                    origin + kSequenceColumns[c] + 2, kSequenceDataTop + 2,
                    kSequenceColumns[c + 1] - kSequenceColumns[c] - 4, kSequenceBottom - kSequenceDataTop - 3,
                    Qt::AlignHCenter, false);
    }
    addImage(QStringLiteral("weldImage"), 168, 662, 480, 320);

    ReportElement &printed = addPrintedOn(kLeft + kPad + 240, 992);
    printed.x = kLeft + kPad;
    printed.alignment = Qt::AlignLeft;
    addRightCaption(kRight - kPad, 992, QStringLiteral("Page 1 of 2"));
}

void TPQRreport::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    fillByName(fields);

    appendTemperatureUnit(source, {"PreheatTemperature", "MinInterT", "MaxInterT"});

    // Both sequence tables show the same units.
    const QString unitRow = QStringLiteral("weldingSequenceUnit");
    for (int cell = 0; cell < 5; ++cell) {
        const QString value = source.gridCell(unitRow, 0, cell);
        setCaption(QStringLiteral("wsUnit%1").arg(cell + 1), value);
        setCaption(QStringLiteral("wsUnit%1").arg(cell + 6), value);
    }

    // wsGrid01 to 08 print rows 1 to 8 of a column, wsGrid11 to 18 rows 9 to 16 (the grid
    // ends at 15, so the right table's last line is blank).
    for (const auto &memo : ColumnMemo::numberedMemos(*this, QStringLiteral("wsGrid"), 2)) {
        int column = memo.second;
        int firstRow = 1;
        if (column >= 11) {
            column -= 10;
            firstRow = 9;
        }
        setMemoLines(memo.first, ColumnMemo::columnLines(source, QStringLiteral("weldingSequence"), column - 1,
                                                         firstRow, firstRow + 7));
    }

    setPicture(QStringLiteral("weldImage"), source.sketch());
}

} // namespace Brenvik
