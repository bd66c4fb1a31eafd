#include "forms/wpsr/twpsreport_2.h"

#include "report/columnmemo.h"

namespace Brenvik {

namespace {

constexpr qreal kWidth = 701;
const ReportFont kBold{8, true};
// The technique table: fourteen layer lines between y 824 and the foot of the band.
const ReportFont kTableFont{7, false};
constexpr qreal kTableTop = 748, kHeadsEnd = 800, kUnitsEnd = 820, kTableBottom = 980;

const CaptionRow kSections[] = {
    {10, 53, "POSITIONS (QW-405)"},
    {365, 53, "POSTWELD HEAT TREATMENT (QW-407)"},
    {10, 149, "PREHEAT (QW-406)"},
    {365, 126, "GAS (QW-408)"},
    {10, 280, "ELECTRICAL CHARACTERISTICS (QW-409)"},
    {10, 438, "TECHNIQUE (QW-410)"},
};

const CaptionRow kCaptions[] = {
    {10, 77, "Position(s) of Groove:"},
    {10, 97, "Welding Progression:"},
    {10, 117, "Position(s) of Fillet:"},
    {365, 80, "Temperature Range:"},
    {365, 100, "Time Range:"},
    {10, 177, "Preheat Temp. - Min.:"},
    {10, 197, "Interpass Temp. - Max.:"},
    {10, 218, "Preheat Maintenance:"},
    {10, 238, "(Continuous or special heating where applicable should be recorded)"},
    {365, 190, "Shielding:"},
    {365, 210, "Trailing:"},
    {365, 230, "Backing:"},
    {10, 312, "Current AC/DC:"},
    {184, 312, "Polarity:"},
    {10, 332, "Amps Range:"},
    {190, 332, "Volts Range:"},
    {10, 356, "Tungsten Electrode Size:"},
    {252, 356, "Tungsten Electrode Type:"},
    {10, 376, "Mode of Metal Transfer for GMAW:"},
    {10, 396, "Electrode Wire Feed Speed Range:"},
    {10, 469, "String or Weave Bead:"},
    {10, 488, "Orifice or Gas Cup Size:"},
    {10, 505, "Initial and Interpass Cleaning:"},
    {10, 525, "Methods of Back Gouging:"},
    {10, 545, "Oscillation:"},
    {10, 564, "Contact Tube to Work Distance:"},
    {10, 582, "Multiple or Single Pass (per side):"},
    {10, 602, "Multiple or Single Electrodes:"},
    {10, 625, "Peening:"},
    {10, 645, "Other:"},
};

// Heading: which specification this loose page belongs to.
const CaptionRow kHeading[] = {
    {120, 8, "Company Name:"},
    {120, 32, "WPS No.:"},
    {300, 32, "Revision No.:"},
};

const LabelRow kLabels[] = {
    {"companyName", 196, 8},              {"wpsNo", 164, 32, 132},             {"RevisionNo", 366, 32},
    {"GroovePosition", 128, 77, 232},     {"weldProgression", 128, 97, 232},   {"positionFillet", 128, 117, 232},
    {"postWeldTempRange", 473, 80, 228},  {"postWeldTimeRange", 473, 100, 228},
    {"MinPreheatTemp", 128, 177, 232},    {"MaxInterpassTemp", 128, 197, 232}, {"preheatMan", 128, 218, 232},
    {"current", 102, 312, 80},            {"polarity", 226, 312, 475},         {"ampRange", 94, 332, 94},
    {"voltRange", 250, 332, 451},         {"TungstenElecSize", 146, 356, 104}, {"TungstenElecType", 378, 355, 323},
    {"GMAWMode", 198, 376, 503},          {"ElecWireSpeedRange", 198, 396, 503},
    {"SWBead", 149, 469, 552},            {"OrificeOrGasCupSIze", 149, 488, 552},
    {"INterpassCleaning", 165, 505, 536}, {"backGougingMethod", 165, 525, 536}, {"Oscillation", 76, 545, 625},
    {"ContactTube", 186, 564, 515},       {"PassPerSide", 186, 582, 515},      {"MultiOrSingleElec", 160, 602, 541},
    {"Peening", 74, 625, 627},            {"techniqueOther", 56, 645, 645},
};

// Gas: one row per gas, columns centred about these x.
constexpr qreal kGasCentres[] = {485, 560, 630};
constexpr qreal kGasWidth = 70;

// The technique table's nine columns: where each memo starts (the rules stand 4 to the left).
constexpr qreal kColumns[] = {8, 72, 136, 300, 368, 424, 496, 568, 636};
constexpr int kColumnCount = 9;

qreal columnLeft(int c)
{
    return c == 0 ? 0 : kColumns[c] - 4;
}

qreal columnRight(int c)
{
    return c + 1 < kColumnCount ? kColumns[c + 1] - 4 : kWidth;
}

const CaptionRow kTableHeads[] = {
    {161, 752, "Filler Metal"},
    {415, 756, "Current"},
    {15, 770, "Weld \nLayer(s)"},
    {78, 785, "Process"},
    {142, 785, "Class"},
    {310, 785, "Dia."},
    {372, 785, "Polarity"},
    {440, 785, "Range"},
    {512, 774, "Volt \nRange"},
    {578, 760, "Travel \nSpeed \nRange"},
    {640, 785, "Other"},
};

// The unit labels ETUnit1 to ETUnit6 under Class, Dia., Polarity, Amps, Volt and Travel Speed.
constexpr int kUnitColumns[] = {2, 3, 4, 5, 6, 7};

} // namespace

TWPSReport_2::TWPSReport_2(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TWPSReport_2"));
    setTitle(QStringLiteral("WPDS"));
    buildPage();
}

void TWPSReport_2::buildPage()
{
    setBand(QRectF(37.44, 48, 701, 980));

    addCaption(10, 8, QStringLiteral("QW-482 (Back)"), kBold);
    addRightCaption(641, 8, QStringLiteral("Page 2 of 2"));
    addPrintedOn(641, 32);
    addCaptions(kHeading);

    for (qreal y : {48, 274, 432})
        addHRule(0, kWidth, y);
    addVRule(358, 50, 270);
    addHRule(358, kWidth, 122);
    addCaptions(kSections, kBold);
    addCaptions(kCaptions);
    addLabels(kLabels);

    addCaption(kGasCentres[1] - 60, 150, QStringLiteral("Percent Composition"), {}, 120, Qt::AlignHCenter);
    const char *gasHeads[] = {"Gas(es)", "Mixture", "Flow Rate"};
    const char *gasColumns[] = {"gas", "mixture", "flowRate"};
    const char *gasRows[] = {"S", "T", "B"};
    for (int c = 0; c < 3; ++c) {
        addCaption(kGasCentres[c] - kGasWidth / 2, 170, QString::fromLatin1(gasHeads[c]), {}, kGasWidth,
                   Qt::AlignHCenter);
        for (int r = 0; r < 3; ++r)
            addCentredLabel(QString::fromLatin1(gasColumns[c]) + QLatin1String(gasRows[r]), kGasCentres[c],
                            190 + 20 * r, kGasWidth);
    }

    // The technique table, ruled like the paper form.
    addHRule(0, kWidth, kTableTop);
    addHRule(columnLeft(2), columnRight(3), 767);
    addHRule(columnLeft(4), columnRight(5), 770);
    addHRule(0, kWidth, kHeadsEnd);
    addHRule(0, kWidth, kUnitsEnd);
    addHRule(0, kWidth, kTableBottom);
    for (int c = 1; c < kColumnCount; ++c) {
        // Class / Dia. and Polarity / Range share their group head.
        const qreal top = (c == 3 || c == 5) ? (c == 3 ? 767 : 770) : kTableTop;
        addVRule(columnLeft(c), top, kTableBottom);
    }
    addVRule(0, kTableTop, kTableBottom);
    addVRule(kWidth, kTableTop, kTableBottom);
    addCaptions(kTableHeads);
    for (int u = 0; u < 6; ++u) {
        const int c = kUnitColumns[u];
        addLabel(QStringLiteral("ETUnit%1").arg(u + 1), columnLeft(c) + 2, 806, columnRight(c) - columnLeft(c) - 4,
                 Qt::AlignHCenter);
    }
    for (int c = 0; c < kColumnCount; ++c) {
        ReportElement &memo = addMemo(QStringLiteral("ETGrid%1").arg(c + 1, 2, 10, QLatin1Char('0')), kColumns[c],
                                      824, columnRight(c) - kColumns[c] - 2, kTableBottom - 824 - 1,
                                      Qt::AlignHCenter, false);
        memo.font = kTableFont;
    }
}

void TWPSReport_2::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    fillByName(fields);

    appendTemperatureUnit(source, {"MinPreheatTemp", "MaxInterpassTemp", "postWeldTempRange"});

    for (int cell = 0; cell < 6; ++cell)
        setCaption(QStringLiteral("ETUnit%1").arg(cell + 1), source.gridCell(QStringLiteral("ETUnit"), 0, cell));

    // Every layer row prints, rows 9 to 14 too; an empty cell keeps its line so that the
    // columns stay aligned layer by layer.
    for (const auto &memo : ColumnMemo::numberedMemos(*this, QStringLiteral("ETGrid"), 2))
        setMemoLines(memo.first, ColumnMemo::columnLines(source, QStringLiteral("ETGrid"), memo.second - 1, 1,
                                                         kLayerRows));
}

} // namespace Brenvik
