#include "forms/wpqr/twpqreport_2.h"

#include "forms/wpqr/wpqrlayout.h"
#include "report/columnmemo.h"

namespace Brenvik {

using namespace WPQRLayout;

namespace {

const ReportFont kHeading{10, true};

const QList<Column> kTension = {
    {kLeft, "Specimen \n     No.", Qt::AlignHCenter},
    {138, "Width", Qt::AlignRight},
    {218, "Thickness", Qt::AlignRight},
    {298, "Area", Qt::AlignRight},
    {378, "Ultimate Tensile\nLoad", Qt::AlignRight},
    {478, "Ultimate Unit \nStress", Qt::AlignRight},
    {578, "Character of Failure \nand location", Qt::AlignLeft},
};
const QList<Column> kBend = {
    {kLeft, "Types and Figure No.", Qt::AlignHCenter},
    {508, "Result", Qt::AlignHCenter},
};
const QList<Column> kToughness = {
    {kLeft, "Specimen \n     No.", Qt::AlignHCenter},
    {128, "  Notch \nLocation", Qt::AlignHCenter},
    {248, "Specimen \n   Size", Qt::AlignRight},
    {338, "Test \nTemp.", Qt::AlignRight},
    {418, "Impact Values", Qt::AlignRight},
    {508, "Shear", Qt::AlignRight},
    {578, "Mils", Qt::AlignRight},
    {648, "Drop Weight Break", Qt::AlignRight},
};

// The grid each family of column memos prints, by the upper-case prefix of the memo names.
struct Table {
    const char *prefix;
    const char *grid;
};
const Table kTables[] = {{"TTGRID", "tensileTest"}, {"GTGRID", "BendTest"}, {"HTGRID", "toughTest"}};

} // namespace

TWPQReport_2::TWPQReport_2(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TWPQReport_2"));
    buildPage();
}

void TWPQReport_2::buildPage()
{
    setFrame(QRectF(QPointF(kLeft, kTop), QPointF(kRight, kBottom)));

    addCaption(kLeft + kPad, 54, QStringLiteral("QW-483 (Back)"), kHeading);
    // Which record a loose back page belongs to: its number and the company.
    addField(*this, 300, 346, 470, 50, QStringLiteral("PQR No.:"), QStringLiteral("PQRNo"));
    addField(*this, 484, 534, 696, 50, QStringLiteral("Company:"), QStringLiteral("companyName"));
    addRightCaption(kRight - kPad, 54, QStringLiteral("Page 2 of 2"));

    qreal y = addRuledSection(*this, 76, QStringLiteral("Tensile Test (QW-150)"));
    y = addTestTable(*this, kTension, kRight, y, 30,
                     {QStringLiteral("TTUnit1"), QStringLiteral("TTunit2"), QStringLiteral("TTUnit3"),
                      QStringLiteral("TTUnit4"), QStringLiteral("TTUnit5")},
                     {1, 2, 3, 4, 5}, QStringLiteral("ttGrid"));
    y = addRuledSection(*this, y, QStringLiteral("Guided-Bend Tests (QW-160)"));
    y = addTestTable(*this, kBend, kRight, y, 18, {}, {}, QStringLiteral("GTGrid"));
    y = addRuledSection(*this, y, QStringLiteral("Toughness Tests (QW-170)"));
    y = addTestTable(*this, kToughness, kRight, y, 30,
                     {QStringLiteral("HTUnit1"), QStringLiteral("HTUnit2"), QStringLiteral("HTUnit3"),
                      QStringLiteral("HTUnit4"), QStringLiteral("HTUnit5")},
                     {2, 3, 4, 5, 6}, QStringLiteral("HTGrid"));
    addField(*this, kLeft + kPad, 120, kRight - kPad, y + 2, QStringLiteral("Comments:"), QStringLiteral("TTComment"));
    y += kRow + 8;

    y = addRuledSection(*this, y, QStringLiteral("Fillet-Weld Test (QW-180)"));
    addField(*this, kLeft + kPad, 170, kMiddle - kPad, y, QStringLiteral("Result - Satisfactory:"),
             QStringLiteral("FWTResult"));
    addField(*this, kMiddle + kPad, 570, kRight - kPad, y, QStringLiteral("Penetration into Parent Metal:"),
             QStringLiteral("FWTIfPenetration"));
    addField(*this, kLeft + kPad, 170, kRight - kPad, y + kRow, QStringLiteral("Macro - Results:"),
             QStringLiteral("MacroResults"));
    y += 2 * kRow + 4;

    y = addRuledSection(*this, y, QStringLiteral("Other Tests"));
    addField(*this, kLeft + kPad, 170, kMiddle - kPad, y, QStringLiteral("Type of Test:"), QStringLiteral("TypeOfTest"));
    addField(*this, kMiddle + kPad, 520, kRight - kPad, y, QStringLiteral("Deposit Analysis:"),
             QStringLiteral("DepositAnalysis"));
    addField(*this, kLeft + kPad, 170, kRight - kPad, y + kRow, QStringLiteral("Other:"), QStringLiteral("OTOthers"));
    y += 2 * kRow + 4;

    addHRule(kLeft, kRight, y);
    addField(*this, kLeft + kPad, 264, kRight - kPad, y + 2, QStringLiteral("Welder's Name | Clock No | Stamp No.:"),
             QStringLiteral("WelderNameCS"));
    addField(*this, kLeft + kPad, 170, kMiddle - kPad, y + 2 + kRow, QStringLiteral("Tests conducted by:"),
             QStringLiteral("TestConduct"));
    addField(*this, kMiddle + kPad, 520, kRight - kPad, y + 2 + kRow, QStringLiteral("Laboratory Test No."),
             QStringLiteral("LabTestNo"));
    y += 2 * kRow + 10;

    addHRule(kLeft, kRight, y);
    addCaption(kLeft + kPad, y + 6,
               QStringLiteral("We certify that the statements in this record are correct and that the test welds were "
                              "prepared, welded, and tested in accordance with the\n"
                              "requirements of Section IX of the ASME Code."));
    y += 2 * kLine + 24;
    // Lines to sign on; the company's name on the manufacturer's.
    addField(*this, kMiddle + kPad, 492, kRight - kPad, y, QStringLiteral("Manufacturer:"),
             QStringLiteral("companyName"));
    addCaption(kMiddle + kPad, y + 3 + 1.5 * kRow, QStringLiteral("Date:"));
    addHRule(490, kRight - kPad, y + 2.5 * kRow - 2);
    addCaption(kMiddle + kPad, y + 3 + 3 * kRow, QStringLiteral("By:"));
    addHRule(490, kRight - kPad, y + 4 * kRow - 2);
    // Signed on those lines: the date on its line, the name on the line signed on with the
    // signature picture beside them over both lines' free right part, who prepared and reviewed
    // the record in the free half beside.
    setSignOffArea({{SignOffPart::Date, QRectF(494, y + 3 + 1.5 * kRow, 136, kRow - 5)},
                    {SignOffPart::Name, QRectF(494, y + 3 + 3 * kRow, 136, kRow - 5)},
                    {SignOffPart::Signature, QRectF(634, y + 1.5 * kRow + 1, kRight - kPad - 634, 2.5 * kRow - 4)},
                    {SignOffPart::Lines, QRectF(kLeft + kPad, y + 3, kMiddle - 2 * kPad - kLeft, 4 * kRow - 6)}});
    y += 4 * kRow + 8;

    addCaption(kLeft + kPad, y,
               QStringLiteral("(Detail of record of tests are illustrative only and may be modified to conform to the "
                              "type and number of tests required by the code.)"));

    ReportElement &printed = addPrintedOn(kLeft + kPad + 240, 990);
    printed.x = kLeft + kPad;
    printed.alignment = Qt::AlignLeft;
}

void TWPQReport_2::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    fillByName(fields);

    // Cells 0 to 4 of each unit row; the last cell (over a column without units) stays off.
    for (int cell = 0; cell < 5; ++cell) {
        setCaption(QStringLiteral("TTUnit%1").arg(cell + 1), source.gridCell(QStringLiteral("tensileTestUnit"), 0, cell));
        setCaption(QStringLiteral("HTUnit%1").arg(cell + 1), source.gridCell(QStringLiteral("toughUnit"), 0, cell));
    }

    // Column n of a table is memo n: every data row prints, row 9 too, so that no result the
    // user entered is left off the record.
    for (const Table &t : kTables) {
        const QString grid = QString::fromLatin1(t.grid);
        for (const auto &memo : ColumnMemo::numberedMemos(*this, QString::fromLatin1(t.prefix), 2))
            setMemoLines(memo.first, ColumnMemo::columnLines(source, grid, memo.second - 1, 1, kTestRows));
    }
}

} // namespace Brenvik
