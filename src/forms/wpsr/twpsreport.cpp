#include "forms/wpsr/twpsreport.h"

namespace Brenvik {

namespace {

constexpr qreal kWidth = 701;
const ReportFont kBold{8, true};
const ReportFont kTitle{11, true};

const CaptionRow kCaptions[] = {
    // Heading block
    {10, 68, "Company Name:"},
    {410, 68, "Prepared By:"},
    {10, 88, "Welding Procedure Specification No.:"},
    {376, 88, "Date:"},
    {500, 88, "Supporting PQR No.(s):"},
    {10, 108, "Revision No.:"},
    {376, 108, "Date:"},
    {376, 124, "Types: "},
    {10, 128, "Welding Process(es):"},
    // Joints
    {10, 174, "Joint Design:"},
    {10, 194, "Backing ( Yes or No):"},
    {10, 214, "Backing Material (type):"},
    {10, 232, "( Refer to both backing and retainers.)"},
    {50, 254, "Metal:"},
    {176, 254, "Nonfusing Metal:"},
    {50, 274, "Nonmetallic:"},
    {170, 274, "Other:"},
    // Base metal
    {20, 440, "P-No:"},
    {122, 440, "Group No.:"},
    {296, 440, "To P-No.:"},
    {426, 440, "Group No.:"},
    {20, 460, "OR"},
    {10, 480, "Specification type and grade:"},
    {10, 500, "To Specification type and grade:"},
    {20, 520, "OR"},
    {10, 540, "Chem. Analysis and Mech. Prop.:"},
    {10, 560, "To Chem. Analysis and Mech. Prop.:"},
    {10, 580, "Thickness Range:"},
    {30, 600, "Base Metal:"},
    {140, 600, "Groove:"},
    {306, 600, "Fillet:"},
    {30, 620, "Pipe Dia. Range:"},
    {140, 620, "Groove:"},
    {306, 620, "Fillet:"},
    {10, 644, "Other:"},
    // Filler metal rows
    {60, 712, "Spec. No. (SFA):"},
    {60, 732, "AWS No. (Class):"},
    {60, 752, "F-No.:"},
    {60, 772, "A-No.:"},
    {60, 788, "Size Of Filler Metals:"},
    {60, 808, "Weld Metal Thickness Range:"},
    {80, 828, "Groove:"},
    {80, 848, "Fillet:"},
    {60, 888, "Electrode-Flux (Class):"},
    {60, 908, "Flux Trade Name:"},
    {60, 924, "Consumable Insert:"},
};

const CaptionRow kSections[] = {
    {10, 150, "JOINTS (QW-402)"},
    {10, 416, "BASE METAL (QW-403)"},
    {10, 682, "FILLER METAL (QW-404)"},
};

const LabelRow kLabels[] = {
    {"companyName", 86, 68, 320},  {"preparedBy", 472, 68, 229},     {"wpsNo", 192, 88, 180},
    {"wpsDate", 406, 88, 90},      {"PQRNo", 610, 88, 91},           {"RevisionNo", 104, 108, 268},
    {"RevisionDate", 406, 108, 90}, {"weldingType1", 414, 124, 287}, {"WeldingProcess1", 117, 128, 255},
    {"JointDesign", 80, 174, 298}, {"Backing", 120, 194, 290},       {"BackingMaterial", 130, 214, 280},
    {"ifMetal", 82, 254, 80},      {"ifNonfusing", 254, 254, 80},    {"ifNonmetallic", 110, 274, 56},
    {"ifOther", 202, 274, 80},
    {"PNo", 50, 440, 70},          {"GroupNo", 172, 440, 120},       {"PNo2", 342, 440, 82},
    {"GroupNo2", 476, 440, 225},   {"SpecType1", 172, 480, 94},      {"specGrade1", 268, 480, 433},
    {"SpecType2", 172, 500, 94},   {"specGrade2", 268, 500, 433},    {"chemAna1", 192, 540, 82},
    {"mechProp1", 276, 540, 425},  {"chemAna2", 192, 560, 82},       {"mechProp2", 276, 560, 425},
    {"GrooveThickness", 180, 600, 124}, {"FilletThickness", 340, 600, 361},
    {"GrooveDia", 180, 620, 124},  {"FilletDia", 340, 620, 361},     {"baseMetalOther", 42, 644, 659},
};

// The filler metal rows: element names without the number, and their y.
const QPair<const char *, qreal> kFillerRows[] = {
    {"SpecNoSFA", 712}, {"AWSNoClass", 732}, {"FNo", 752},  {"ANo", 772},           {"fillerSize", 788},
    {"thGroove", 828},  {"thFillet", 848},   {"flux", 888}, {"FluxTradeName", 908}, {"ConsumableInsert", 924},
};
constexpr qreal kFillerCentres[] = {290, 434, 590};
constexpr qreal kFillerWidth = 140;

const char *const kSketchNote[] = {
    "Sketches, Production Drawings, Weld Symbols or Written Description",
    "should show the general arrangement of the parts to be  welded. ",
    "Where applicable, the root spacing and the details of weld groove may ",
    "be specified.",
};
const char *const kOptionNote[] = {
    "The option of the Mfgr., sketches may be attached to illustrate ",
    "joint design, weld layers and bead sequence. (e.g., for notch ",
    "toughness procedures, for multiple process procedures, etc.)",
};

template <std::size_t N>
QString joined(const char *const (&lines)[N])
{
    QStringList out;
    for (const char *line : lines)
        out << QString::fromLatin1(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

TWPSReport::TWPSReport(QObject *parent)
    : ReportPage(parent)
{
    setObjectName(QStringLiteral("TWPSReport"));
    setTitle(QStringLiteral("WPDS"));
    buildPage();
}

void TWPSReport::buildPage()
{
    setBand(bandRect());

    addCaption(0, 8, QStringLiteral("WELDING PROCEDURE SPECIFICATIONS (QW-482)"), kTitle, kWidth, Qt::AlignHCenter);
    addCaption(0, 26, QStringLiteral("(Ref.: QW-200.1, Section IX, ASME Boiler and Pressure Vessel Code)"), kBold,
               kWidth, Qt::AlignHCenter);
    addRightCaption(641, 8, QStringLiteral("Page 1 of 2"));
    addPrintedOn(641, 40);

    // A rule above each section, and the lines the heading block is written on.
    for (qreal y : {62, 146, 412, 678, 954})
        addHRule(0, kWidth, y);
    addCaptions(kSections, kBold);
    addCaptions(kCaptions);
    // "Details:" ends close to the sketch beside it.
    addCaption(382, 174, QStringLiteral("Details:"), {}, 38);
    addCaption(10, 300, joined(kSketchNote));
    addCaption(10, 364, joined(kOptionNote));

    addLabels(kLabels);
    addImage(QStringLiteral("weldImage"), 420, 172, 270, 228);

    for (int n = 0; n < 3; ++n) {
        addCaption(kFillerCentres[n] - kFillerWidth / 2, 696, QString::number(n + 1), kBold, kFillerWidth,
                   Qt::AlignHCenter);
        for (const auto &row : kFillerRows)
            addCentredLabel(QString::fromLatin1(row.first) + QString::number(n + 1), kFillerCentres[n], row.second,
                            kFillerWidth);
    }

    addCaption(0, 959, QStringLiteral("Each base metal-filler metal combination should be recorded individually."),
               {}, kWidth, Qt::AlignHCenter);
}

void TWPSReport::prepareRpt(const ReportSource &source, const QList<CollectedField> &fields)
{
    fillByName(fields);
    setPicture(QStringLiteral("weldImage"), source.sketch());
}

} // namespace Brenvik
