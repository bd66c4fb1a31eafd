#include "forms/pqr/tpqrreport_2.h"

#include "report/columnmemo.h"

#include <array>

namespace Brenvik {

namespace {

constexpr qreal kLeft = 48, kRight = 768, kMiddle = 408, kTop = 48, kBottom = 1008;
constexpr qreal kPad = 6;

const ReportFont kBold{8, true};
const ReportFont kTitle{12, true};

const CaptionRow kCaptions[] = {
    // Heading
    {300, 54, "Company Name:"},
    {300, 74, "Test Plate Number:"},
    // Radiographic / ultrasonic
    {54, 448, "RT report no:"},
    {414, 448, "Result"},
    {54, 468, "UT report no:"},
    {414, 468, "Result"},
    // Visual inspection
    {54, 506, "Appearance"},
    {414, 506, "Undercut"},
    {54, 526, "Piping porosity"},
    {414, 526, "Convexity"},
    {54, 546, "Evaluation date"},
    {414, 546, "Evaluated By"},
    // Fillet weld tests
    {54, 584, "Minimum size multiple pass"},
    {414, 584, "Maximum size single pass"},
    {54, 604, "Macroetch"},
    {130, 604, "1."},
    {222, 604, "2."},
    {314, 604, "3."},
    {414, 604, "Macroetch"},
    {490, 604, "1."},
    {582, 604, "2."},
    {674, 604, "3."},
    // Signature block
    {54, 806, "Manufacturer or Contractor"},
    {414, 832, "By"},
    {414, 880, "Title"},
    {414, 928, "Date"},
};

const CaptionRow kSectionTitles[] = {
    {54, 96, "TENSION TEST"},
    {54, 276, "GUIDED BEND TEST"},
    {54, 430, "RADIOGRAPHIC / ULTRASONIC EXAMINATION"},
    {54, 488, "VISUAL INSPECTION"},
    {54, 566, "FILLET WELD TEST RESULTS"},
    {54, 624, "OTHER TESTS:"},
    {414, 806, "Signed"},
};

const LabelRow kLabels[] = {
    // Heading: which report this loose page belongs to.
    {"companyName", 376, 54}, {"TestPlateNo", 390, 74},
    {"RTReportNo", 130, 448}, {"RTResult", 452, 448},   {"UTReportNo", 130, 468}, {"UTResult", 452, 468},
    {"appearence", 140, 506}, {"Undercut", 490, 506},   {"PipingPorosity", 140, 526},
    {"Convexity", 490, 526},  {"vTestDate", 140, 546},  {"vWitness", 490, 546},
    {"Min_size_1", 142, 604}, {"Min_size_2", 234, 604}, {"Min_size_3", 326, 604},
    {"Max_size_1", 502, 604}, {"Max_size_2", 594, 604}, {"Max_size_3", 686, 604},
    // The company signs for the report above its line.
    {"companyName", 54, 834, kMiddle - 14 - 54},
};

// A test table: column rules from the left frame, the head of each column, how its values
// align.
struct Column {
    qreal left;
    const char *head;
    Qt::Alignment alignment;
};

const std::array<Column, 7> kTension{{
    {48, "Specimen \n     No.", Qt::AlignHCenter},
    {128, "Width", Qt::AlignRight},
    {206, "Thickness", Qt::AlignRight},
    {284, "Area", Qt::AlignRight},
    {362, "Ultimate Tensile\nLoad", Qt::AlignRight},
    {460, "Ultimate Unit \nStress", Qt::AlignRight},
    {558, "Character of failure \nand location", Qt::AlignLeft},
}};
const std::array<Column, 4> kBend{{
    {48, "Specimen No.", Qt::AlignHCenter},
    {148, "Type of bend", Qt::AlignHCenter},
    {288, "Result", Qt::AlignHCenter},
    {408, "Remarks", Qt::AlignLeft},
}};

// Rows of the two tables, from rule to rule: heads, units (tension only), nine lines of data.
constexpr qreal kTensionHead = 110, kTensionUnits = 138, kTensionData = 154, kTensionEnd = 272;
constexpr qreal kBendHead = 290, kBendData = 308, kBendEnd = 426;
// Heights of one and two lines of 8-point text, for centring heads in their row.
constexpr qreal kLine = 12.3;

template <std::size_t N>
qreal columnRight(const std::array<Column, N> &columns, std::size_t c)
{
    return c + 1 < N ? columns[c + 1].left : kRight;
}

// The heads and column memos of a test table; memo names are prefix and the column number.
template <std::size_t N>
void addTable(ReportPage &page, const std::array<Column, N> &columns, const QString &prefix, qreal headTop,
              qreal headBottom, qreal dataTop, qreal bottom)
{
    for (std::size_t c = 0; c < N; ++c) {
        const QString head = QString::fromUtf8(columns[c].head);
        const qreal left = columns[c].left;
        const qreal right = columnRight(columns, c);
        if (c > 0)
            page.addVRule(left, headTop, bottom);
        const qreal headHeight = kLine * (head.count(QLatin1Char('\n')) + 1);
        page.addCaption(left + 1, headTop + (headBottom - headTop - headHeight) / 2, head, {}, right - left - 2,
                        Qt::AlignHCenter);
        const qreal inset = columns[c].alignment == Qt::AlignHCenter ? 2 : kPad;
        page.addMemo(prefix + QString::number(c), left + inset, dataTop + 1, right - left - 2 * inset,
                     bottom - dataTop - 2, columns[c].alignment, false);
    }
}

} // namespace

TPQRreport_2::TPQRreport_2(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TPQRreport_2"));
    buildPage();
}

void TPQRreport_2::buildPage()
{
    setFrame(QRectF(QPointF(kLeft, kTop), QPointF(kRight, kBottom)));

    for (qreal y : {92, 110, 138, 154, 272, 290, 308, 426, 444, 464, 484, 502, 522, 542, 562, 580, 600, 620, 800,
                    988})
        addHRule(kLeft, kRight, y);
    addVRule(kMiddle, 444, 484);
    addVRule(kMiddle, 502, 562);
    addVRule(kMiddle, 580, 620);
    addVRule(kMiddle, 800, 988);
    // Lines to sign on.
    addHRule(54, kMiddle - 14, 850);
    for (qreal y : {846, 894, 942})
        addHRule(452, kRight - 14, y);

    addCaption(60, 52, QStringLiteral("PROCEDURE"), kTitle);
    addCaption(60, 72, QStringLiteral("QUALIFICATION REPORT"), kTitle);
    addRightCaption(kRight - kPad, 54, QStringLiteral("Page 2 of 2"));
    addCaptions(kSectionTitles, kBold);
    addCaptions(kCaptions);

    // Tension: heads, then the units under Width to Character of failure, then the values.
    addTable(*this, kTension, QStringLiteral("TTGrid"), kTensionHead, kTensionUnits, kTensionData, kTensionEnd);
    for (std::size_t c = 1; c < kTension.size(); ++c) {
        const qreal left = kTension[c].left;
        addLabel(QStringLiteral("TTUnit%1").arg(c), left + 1, kTensionUnits + 1, columnRight(kTension, c) - left - 2,
                 Qt::AlignHCenter);
    }
    addTable(*this, kBend, QStringLiteral("BTGrid"), kBendHead, kBendData, kBendData, kBendEnd);
    addLabels(kLabels);
    addMemo(QStringLiteral("OtherTests"), 54, 640, kRight - kPad - 54, 156, Qt::AlignLeft, true);

    // Signed in the block: the name on the "By" line with the signature picture beside it, the
    // date on its line, who prepared and reviewed the report under the manufacturer's line.
    setSignOffArea({{SignOffPart::Name, QRectF(456, 832, 150, 12)},
                    {SignOffPart::Signature, QRectF(610, 804, kRight - 14 - 610, 40)},
                    {SignOffPart::Date, QRectF(456, 928, kRight - 14 - 456, 12)},
                    {SignOffPart::Lines, QRectF(54, 858, kMiddle - 14 - 54, 984 - 858)}});

    ReportElement &printed = addPrintedOn(kLeft + kPad + 240, 992);
    printed.x = kLeft + kPad;
    printed.alignment = Qt::AlignLeft;
}

void TPQRreport_2::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    // Other tests keep their line breaks on this page.
    fillByName(fields);

    const QString unitRow = QStringLiteral("tensileTestUnit");
    for (int cell = 0; cell < 6; ++cell)
        setCaption(QStringLiteral("TTUnit%1").arg(cell + 1), source.gridCell(unitRow, 0, cell));

    // Every data row prints, row 9 too: a result the user entered is never left off.
    const QPair<const char *, const char *> tables[] = {{"TTGrid", "tensileTest"}, {"BTGrid", "BendTest"}};
    for (const auto &table : tables) {
        const QString grid = QString::fromLatin1(table.second);
        for (const auto &memo : ColumnMemo::numberedMemos(*this, QString::fromLatin1(table.first), 1))
            setMemoLines(memo.first, ColumnMemo::columnLines(source, grid, memo.second, 1, kTestRows));
    }

    const QString fillet = QStringLiteral("filletWeldTestT");
    for (int row = 1; row <= 3; ++row) {
        setCaption(QStringLiteral("Min_size_%1").arg(row), source.gridCell(fillet, row, 1));
        setCaption(QStringLiteral("Max_size_%1").arg(row), source.gridCell(fillet, row, 2));
    }
}

} // namespace Brenvik
