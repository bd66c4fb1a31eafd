#include "forms/wpqr/twpqreport.h"

#include "forms/wpqr/wpqrlayout.h"

namespace Brenvik {

using namespace WPQRLayout;

namespace {

const ReportFont kTitle{14, true};

// Sections of the two columns: a caption and the field it introduces, one per row.
struct Line {
    const char *caption;
    const char *name;
};

// Where the values start in each column.
constexpr qreal kLeftValue = 190, kRightValue = 600;

qreal addLines(ReportPage &page, qreal left, qreal valueX, qreal right, qreal y, std::initializer_list<Line> lines)
{
    for (const Line &l : lines) {
        addField(page, left + kPad, valueX, right - kPad, y, QString::fromUtf8(l.caption), QString::fromLatin1(l.name));
        y += kRow;
    }
    return y;
}

} // namespace

TWPQReport::TWPQReport(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TWPQReport"));
    setTitle(QStringLiteral("WPQR"));
    buildPage();
}

void TWPQReport::buildPage()
{
    setFrame(QRectF(QPointF(kLeft, kTop), QPointF(kRight, kBottom)));

    addCaption(kLeft, 54, QStringLiteral("PROCEDURE QUALIFICATION RECORDS (PQR) QW-483"), kTitle, kRight - kLeft,
               Qt::AlignHCenter);
    addCaption(kLeft, 78, QStringLiteral("(Ref.: QW-200.2, Section IX, ASME Boiler and Pressure Vessel Code)"), {},
               kRight - kLeft, Qt::AlignHCenter);
    addCaption(kLeft, 92, QStringLiteral("Record Actual Conditions Used to Weld Test Coupon"), kBold, kRight - kLeft,
               Qt::AlignHCenter);
    addRightCaption(kRight - kPad, 54, QStringLiteral("Page 1 of 2"));

    // Identification: four rows, two values side by side on the second and fourth.
    qreal y = 110;
    addHRule(kLeft, kRight, y);
    addField(*this, kLeft + kPad, 138, kRight - kPad, y, QStringLiteral("Company Name:"), QStringLiteral("companyName"));
    addField(*this, kLeft + kPad, 238, 520, y + kRow, QStringLiteral("Procedure Qualification Record No. :"),
             QStringLiteral("PQRNo"));
    addField(*this, 536, 572, kRight - kPad, y + kRow, QStringLiteral("Date:"), QStringLiteral("PQRDate"));
    addField(*this, kLeft + kPad, 138, 520, y + 2 * kRow, QStringLiteral("WPS No.:"), QStringLiteral("wpsNo"));
    addField(*this, kLeft + kPad, 162, 520, y + 3 * kRow, QStringLiteral("Welding Process(es):"),
             QStringLiteral("WeldingProcess1"));
    addField(*this, 536, 572, kRight - kPad, y + 3 * kRow, QStringLiteral("Type(s): "), QStringLiteral("weldingType1"));
    y += 4 * kRow + 6;

    // Joints: the groove design, the sketch fitted into its box.
    addHRule(kLeft, kRight, y);
    addSectionTitle(*this, kLeft, y, QStringLiteral("Joints (QW-402)"));
    addCaption(kLeft, y + 3, QStringLiteral("Groove Design of Test Coupon"), {}, kRight - kLeft, Qt::AlignHCenter);
    const qreal columnsTop = 500;
    addBox(208, y + 20, 400, columnsTop - y - 26);
    addImage(QStringLiteral("weldImage"), 210, y + 22, 396, columnsTop - y - 30);

    addHRule(kLeft, kRight, columnsTop);
    const qreal bottom = qMax(buildLeftColumn(columnsTop), buildRightColumn(columnsTop));
    addVRule(kMiddle, columnsTop, bottom);
    addHRule(kLeft, kRight, bottom);

    ReportElement &printed = addPrintedOn(kLeft + kPad + 240, 990);
    printed.x = kLeft + kPad;
    printed.alignment = Qt::AlignLeft;
}

qreal TWPQReport::buildLeftColumn(qreal y)
{
    y = addSectionTitle(*this, kLeft, y, QStringLiteral("BASE METAL (QW-403)"));
    y = addLines(*this, kLeft, kLeftValue, kMiddle, y,
                 {{"Material Specification:", "MaterialSpecification"}, {"Type or Grade:", "TypeOrGrade"}});
    addField(*this, kLeft + kPad, 110, 214, y, QStringLiteral("P-No.:"), QStringLiteral("BaseMetalPNumber"));
    addField(*this, 230, 280, kMiddle - kPad, y, QStringLiteral("to P-No.:"), QStringLiteral("BaseMetalPNumber2"));
    y = addLines(*this, kLeft, kLeftValue, kMiddle, y + kRow,
                 {{"Thickness of Test Coupon:", "thTestCoupon"}, {"Diameter of Test Coupon:", "diaTestCoupon"}});
    // This caption is a label of its own name, which no field fills: it prints as designed.
    addHRule(kLeftValue - 2, kMiddle - kPad, y + kRow - 2);
    addLabel(QStringLiteral("Other"), kLeft + kPad, y + 3).text = QStringLiteral("Other:");
    addLabel(QStringLiteral("baseMetalOther"), kLeftValue, y + 3, kMiddle - kPad - kLeftValue);
    y += kRow + 4;

    // Filler metals: two columns of values under "1" and "2".
    addHRule(kLeft, kMiddle, y);
    y = addSectionTitle(*this, kLeft, y, QStringLiteral("FILLER METALS (QW-404)"));
    constexpr qreal kFirst = 206, kSecond = 308;
    addCaption(kFirst, y - kRow + 3, QStringLiteral("  1 "), kBold, kSecond - kFirst - 4, Qt::AlignHCenter);
    addCaption(kSecond, y - kRow + 3, QStringLiteral("  2 "), kBold, kMiddle - kPad - kSecond, Qt::AlignHCenter);
    const Line fillers[] = {{"SFA Specification:", "SFASpecification"},
                            {"AWS Classification:", "AWSClassification"},
                            {"Filler Metal F-No.:", "FillerMetalFNo"},
                            {"Weld Metal Analysis A-No.:", "WeldMetalAnalysisANo"},
                            {"Size of Filler Metal:", "SizeofFillerMetal"},
                            {"Other:", "fillerMetalOther"},
                            {"Weld Metal Thickness:", "WeldMetalThickness"}};
    for (const Line &l : fillers) {
        const QString name = QString::fromLatin1(l.name);
        addField(*this, kLeft + kPad, kFirst, kSecond - 6, y, QString::fromUtf8(l.caption), name + QLatin1Char('1'));
        addHRule(kSecond - 2, kMiddle - kPad, y + kRow - 2);
        addLabel(name + QLatin1Char('2'), kSecond, y + 3, kMiddle - kPad - kSecond);
        y += kRow;
    }
    addCaption(kLeft + kPad, y + 2,
               QStringLiteral("(For combination qualifications, the deposited weld metal thickness\n"
                              "shall be recorded for each filler or process used)"));
    y += 2 * kLine + 8;

    addHRule(kLeft, kMiddle, y);
    y = addSectionTitle(*this, kLeft, y, QStringLiteral("POSITION (QW-405)"));
    y = addLines(*this, kLeft, kLeftValue, kMiddle, y,
                 {{"Position of Groove:", "groovePosition"}, {"Weld Progression:", "WeldProgression"},
                  {"Other:", "positionOther"}});
    y += 4;

    addHRule(kLeft, kMiddle, y);
    y = addSectionTitle(*this, kLeft, y, QStringLiteral("PREHEAT (QW-406)"));
    y = addLines(*this, kLeft, kLeftValue, kMiddle, y,
                 {{"Preheat Temperature:", "PreheatTemp"}, {"Interpass Temperature:", "InterpassTemp"},
                  {"Other:", "preheatOther"}});
    return y + 4;
}

qreal TWPQReport::buildRightColumn(qreal y)
{
    y = addSectionTitle(*this, kMiddle, y, QStringLiteral("POST WELD HEAT TREATMENT (QW-407)"));
    y = addLines(*this, kMiddle, 500, kRight, y,
                 {{"Temperature:", "PostWeldTemp"}, {"Time:", "PostWeldTime"}, {"Other:", "postWeldOther"}});
    y += 4;

    // Gas: three columns over three rows.
    addHRule(kMiddle, kRight, y);
    y = addSectionTitle(*this, kMiddle, y, QStringLiteral("GAS (QW-408)"));
    constexpr qreal kColumns[] = {470, 570, 670, kRight};
    addCaption(kColumns[1] - 20, y, QStringLiteral("Percent Composition"), {}, kColumns[2] - kColumns[1] + 40,
               Qt::AlignHCenter);
    const char *const heads[] = {"Gas(es)", "Mixture", "Flow Rate"};
    for (int c = 0; c < 3; ++c)
        addCaption(kColumns[c], y + kLine, QString::fromLatin1(heads[c]), kBold, kColumns[c + 1] - kColumns[c],
                   Qt::AlignHCenter);
    y += 2 * kLine + 2;
    const char *const rows[] = {"Shielding:", "Trailing:", "Backing:"};
    const char *const names[] = {"gas", "mixture", "flowRate"};
    for (int r = 0; r < 3; ++r) {
        addCaption(kMiddle + kPad, y + 3, QString::fromLatin1(rows[r]));
        for (int c = 0; c < 3; ++c) {
            addHRule(kColumns[c] + 4, kColumns[c + 1] - kPad, y + kRow - 2);
            addLabel(QString::fromLatin1(names[c]) + QLatin1Char("STB"[r]), kColumns[c] + 6, y + 3,
                     kColumns[c + 1] - kColumns[c] - 12, Qt::AlignHCenter);
        }
        y += kRow;
    }
    y += 4;

    addHRule(kMiddle, kRight, y);
    y = addSectionTitle(*this, kMiddle, y, QStringLiteral("ELECTRICAL CHARACTERISTICS (QW-409)"));
    y = addLines(*this, kMiddle, 500, kRight, y, {{"Current:", "Current"}, {"Polarity:", "Polarity"}});
    addField(*this, kMiddle + kPad, 456, 580, y, QStringLiteral("Amps.:"), QStringLiteral("Amperes"));
    addField(*this, 596, 634, kRight - kPad, y, QStringLiteral("Volts:"), QStringLiteral("Volts"));
    y = addLines(*this, kMiddle, 550, kRight, y + kRow,
                 {{"Tungsten Electrode Size:", "TungstenElectrodeSize"}, {"Other:", "electricalOther"}});
    y += 4;

    addHRule(kMiddle, kRight, y);
    y = addSectionTitle(*this, kMiddle, y, QStringLiteral("TECHNIQUE (QW-410)"));
    y = addLines(*this, kMiddle, kRightValue, kRight, y,
                 {{"Travel Speed:", "TravelSpeed"},
                  {"String or Weave Bead:", "SWBead"},
                  {"Oscillation:", "oscillation"},
                  {"Multipass or Single Pass (per side):", "MSPass"},
                  {"Multiple or Single electrodes:", "MSElectrode"},
                  {"Other:", "techniqueOther"}});
    return y + 4;
}

void TWPQReport::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    fillByName(fields);
    setPicture(QStringLiteral("weldImage"), source.sketch());
    appendTemperatureUnit(source, {"PreheatTemp", "InterpassTemp", "PostWeldTemp"});
}

} // namespace Brenvik
