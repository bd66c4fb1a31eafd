#include "forms/wpq/twpqrpt.h"

#include "forms/wpq/twpq.h"
#include "forms/wpqr/wpqrlayout.h"
#include "report/columnmemo.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"

namespace Brenvik {

using namespace WPQRLayout;

namespace {

const ReportFont kHeading{10, true};
constexpr qreal kCaptionRight = 318;  // the variables' captions end here
constexpr qreal kActualRight = 508;   // the actual values run from kCaptionRight to here
constexpr qreal kVariableRow = 15.5;

// The testing variables: caption, the actual value's label, the range's label.
struct VariableRow {
    const char *caption;
    const char *actual;
    const char *range;
};
// clang-format off
const VariableRow kVariables[] = {
    {"Welding Process 1",                                  "weldingProcess1",  "weldingProcess1Range"},
    {"Type (manual, semiautomatic), Process 1",            "weldingType1",     "weldingType1Range"},
    {"Welding Process 2",                                  "weldingProcess2",  "weldingProcess2Range"},
    {"Type (manual, semiautomatic), Process 2",            "weldingType2",     "weldingType2Range"},
    {"Backing (metal, weld metal, double-welded, etc.)",   "backing",          "backingRange"},
    {"Plate or Pipe",                                      "platePipe",        "platePipeRange"},
    {"Pipe Outside Diameter",                              "pipeDiameter",     "pipeDiameterRange"},
    {"Base Metal P-No. to P-No.",                          "pNoPair",          "pNoRange"},
    {"Base Metal Thickness",                               "thickness",        "thicknessRange"},
    {"Filler Metal Specification (SFA), Classification, 1", "fillerText1",     nullptr},
    {"Filler Metal Specification (SFA), Classification, 2", "fillerText2",     nullptr},
    {"Filler Metal F-No., Process 1",                      "fNo1",             "fNo1Range"},
    {"Filler Metal F-No., Process 2",                      "fNo2",             "fNo2Range"},
    {"Consumable Insert (GTAW or PAW)",                    "consumableInsert", "consumableInsertRange"},
    {"Filler Metal Product Form (GTAW or PAW)",            "fillerType",       "fillerTypeRange"},
    {"GTAW Filler Metal Added or Not",                     "gtawFiller",       "gtawFillerRange"},
    {"Deposit Thickness, Process 1",                       "depositText1",     "deposit1Range"},
    {"Deposit Thickness, Process 2",                       "depositText2",     "deposit2Range"},
    {"Position, Groove: Plate and Pipe over 24 in O.D.",   "position",         "positionRangePlate"},
    {"Position, Groove: Pipe 24 in O.D. and Under",        nullptr,            "positionRangePipe"},
    {"Position, Fillet",                                   nullptr,            "positionRangeFillet"},
    {"Vertical Progression (uphill or downhill)",          "progression",      "progressionRange"},
    {"Backing Gas (GTAW, PAW, GMAW)",                      "backingGas",       "backingGasRange"},
    {"GMAW Transfer Mode (spray, globular, short-circuit)", "transferMode",    "transferModeRange"},
    {"GTAW Current Type and Polarity",                     "currentPolarity",  "currentPolarityRange"},
};
// clang-format on

const QList<Column> kBend = {
    {kLeft, "Type", Qt::AlignLeft},
    {kActualRight, "Result", Qt::AlignHCenter},
};

QString valueOf(const QList<CollectedField> &fields, const QString &name)
{
    for (const CollectedField &f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f.value;
    return QString();
}

QString joinedNonEmpty(const QStringList &parts, const QString &separator)
{
    QStringList out;
    for (const QString &p : parts)
        if (!p.trimmed().isEmpty())
            out << p.trimmed();
    return out.join(separator);
}

} // namespace

QString TWPQRpt::title() const
{
    return TWPQ::formTable().description.reportTitle;
}

TWPQRpt::TWPQRpt(QObject *parent)
    : FormReport(parent)
    , m_page(new ReportPage(this))
{
    buildPage();
}

void TWPQRpt::buildPage()
{
    ReportPage &p = *m_page;
    p.setObjectName(QStringLiteral("TWPQRpt"));
    p.setTitle(title());
    p.setFrame(QRectF(QPointF(kLeft, kTop), QPointF(kRight, kBottom)));

    p.addCaption(kLeft, 54, QStringLiteral("WELDER PERFORMANCE QUALIFICATION (WPQ)"), kHeading, kRight - kLeft,
                 Qt::AlignHCenter);
    p.addCaption(kLeft, 70, QStringLiteral("QW-484, Section IX, ASME Boiler and Pressure Vessel Code"), {},
                 kRight - kLeft, Qt::AlignHCenter);
    p.addCaption(kLeft + kPad, 54, QStringLiteral("QW-484"), kBold);
    p.addPrintedOn(kRight - kPad, 54);

    qreal y = 88;
    p.addHRule(kLeft, kRight, y);
    y += 2;
    addField(p, kLeft + kPad, 140, 400, y, QStringLiteral("Welder's Name:"), QStringLiteral("welderName"));
    addField(p, 410, 560, kRight - kPad, y, QStringLiteral("Identification No.:"), QStringLiteral("welderId"));
    y += kRow;
    addField(p, kLeft + kPad, 140, 400, y, QStringLiteral("Company:"), QStringLiteral("companyName"));
    addField(p, 410, 560, kRight - kPad, y, QStringLiteral("Date Welded:"), QStringLiteral("testDate"));
    y += kRow;
    addField(p, kLeft + kPad, 230, 400, y, QStringLiteral("Identification of WPS Followed:"),
             QStringLiteral("wpsFollowed"));
    addField(p, 410, 500, kRight - kPad, y, QStringLiteral("Welded on:"), QStringLiteral("weldedOn"));
    y += kRow;
    addField(p, kLeft + kPad, 230, kRight - kPad, y, QStringLiteral("Base Metal Specification:"),
             QStringLiteral("baseMetalSpec"));
    y += kRow + 4;

    // Testing variables: caption | actual values | range qualified.
    y = addRuledSection(p, y, QStringLiteral("Testing Variables and Qualification Limits"));
    p.addCaption(kCaptionRight, y - kRow + 3, QStringLiteral("Actual Values"), kBold, kActualRight - kCaptionRight,
                 Qt::AlignHCenter);
    p.addCaption(kActualRight, y - kRow + 3, QStringLiteral("Range Qualified"), kBold, kRight - kActualRight,
                 Qt::AlignHCenter);
    const qreal top = y;
    for (const VariableRow &row : kVariables) {
        p.addHRule(kLeft, kRight, y);
        p.addCaption(kLeft + kPad, y + 2, QString::fromUtf8(row.caption), {}, kCaptionRight - kLeft - kPad - 2);
        if (row.actual)
            p.addLabel(QString::fromLatin1(row.actual), kCaptionRight + 4, y + 2, kActualRight - kCaptionRight - 8);
        if (row.range)
            p.addLabel(QString::fromLatin1(row.range), kActualRight + 4, y + 2, kRight - kActualRight - 8);
        else
            p.addCaption(kActualRight + 4, y + 2, QStringLiteral("(information only)"), {},
                         kRight - kActualRight - 8);
        y += kVariableRow;
    }
    p.addVRule(kCaptionRight, top - kRow, y);
    p.addVRule(kActualRight, top - kRow, y);

    // Results.
    y = addRuledSection(p, y, QStringLiteral("Results"));
    addField(p, kLeft + kPad, 318, kRight - kPad, y, QStringLiteral("Visual Examination of Completed Weld (QW-302.4):"),
             QStringLiteral("visualResult"));
    y += kRow + 2;
    p.addCaption(kLeft + kPad, y, QStringLiteral("Guided Bend Tests (QW-462)"), kBold);
    y += 14;
    y = addTestTable(p, kBend, kRight, y, 16, {}, {}, QStringLiteral("BTGRID")) + 2;
    addField(p, kLeft + kPad, 250, 520, y, QStringLiteral("Radiographic or Ultrasonic (QW-191):"),
             QStringLiteral("volumetricExam"));
    addField(p, 530, 580, kRight - kPad, y, QStringLiteral("Result:"), QStringLiteral("volumetricResult"));
    y += kRow;
    addField(p, kLeft + kPad, 250, 520, y, QStringLiteral("Fillet Weld Fracture Test (QW-181.2):"),
             QStringLiteral("filletFracture"));
    addField(p, 530, 620, kRight - kPad, y, QStringLiteral("Defects:"), QStringLiteral("filletDefects"));
    y += kRow;
    addField(p, kLeft + kPad, 250, 520, y, QStringLiteral("Macro Examination (QW-184):"), QStringLiteral("macroResult"));
    addField(p, 530, 600, kRight - kPad, y, QStringLiteral("Other:"), QStringLiteral("otherTests"));
    y += kRow;
    addField(p, kLeft + kPad, 250, 520, y, QStringLiteral("Film or Specimens Evaluated By:"),
             QStringLiteral("evaluatedBy"));
    addField(p, 530, 590, kRight - kPad, y, QStringLiteral("Company:"), QStringLiteral("evaluatorCompany"));
    y += kRow;
    addField(p, kLeft + kPad, 250, 520, y, QStringLiteral("Mechanical Tests Conducted By:"), QStringLiteral("testedBy"));
    addField(p, 530, 640, kRight - kPad, y, QStringLiteral("Laboratory Test No.:"), QStringLiteral("labTestNo"));
    y += kRow;
    addField(p, kLeft + kPad, 250, kRight - kPad, y, QStringLiteral("Welding Supervised By:"),
             QStringLiteral("supervisedBy"));
    y += kRow + 6;

    // Certification.
    y = addRuledSection(p, y, QStringLiteral("Certification"));
    p.addCaption(kLeft + kPad, y, TWPQ::certification());
    const qreal statement = y;
    y += 3 * kLine + 8;
    addField(p, kLeft + kPad, 140, 520, y, QStringLiteral("Organization:"), QStringLiteral("certOrganization"));
    addField(p, 530, 570, kRight - kPad, y, QStringLiteral("Date:"), QStringLiteral("certDate"));
    y += kRow;
    addField(p, kLeft + kPad, 140, 520, y, QStringLiteral("Certified By:"), QStringLiteral("certifiedBy"));
    // The approvals start a gap clear of the statement's longest line.
    qreal widest = 0;
    for (const QString &line : TWPQ::certification().split(QLatin1Char('\n')))
        widest = qMax(widest, ReportLayout::metrics(ReportFont{}).horizontalAdvance(line));
    const qreal lines = kLeft + kPad + widest + 12;
    const qreal signature = kRight - kPad - 100;
    // Signed in the certification: its own name and date lines always print (the date picker
    // holds a date), so the approvals are lines beside the statement with the signature picture
    // at their right.
    p.setSignOffArea({{SignOffPart::Name, QRectF(140, y + 3, 520 - 140, kRow - 5), QStringLiteral("certifiedBy")},
                      {SignOffPart::Date, QRectF(570, y - kRow + 3, kRight - kPad - 570, kRow - 5),
                       QStringLiteral("certDate")},
                      {SignOffPart::Lines, QRectF(lines, statement, signature - 4 - lines, 3 * kLine + 2)},
                      {SignOffPart::Signature, QRectF(signature, statement, kRight - kPad - signature, 3 * kLine + 2)}});
}

QList<CollectedField> TWPQRpt::collect(const ReportSource &source)
{
    QList<CollectedField> fields = source.collectFields();
    auto value = [&fields](const char *name) { return valueOf(fields, QString::fromLatin1(name)); };
    const bool coupon = source.isChecked(QStringLiteral("testCoupon"));
    const bool production = source.isChecked(QStringLiteral("productionWeld"));
    fields.append({QStringLiteral("weldedOn"), coupon ? QStringLiteral("Test coupon")
                                                 : production ? QStringLiteral("Production weld") : QString()});
    const QString p1 = value("pNo"), p2 = value("pNo2");
    fields.append({QStringLiteral("pNoPair"),
                   p2.trimmed().isEmpty() ? p1 : QStringLiteral("%1 to %2").arg(p1.trimmed(), p2.trimmed())});
    for (int n = 1; n <= 2; ++n) {
        const QString suffix = QString::number(n);
        fields.append({QStringLiteral("fillerText") + suffix,
                       joinedNonEmpty({valueOf(fields, QStringLiteral("sfa") + suffix),
                                       valueOf(fields, QStringLiteral("awsClass") + suffix)},
                                      QStringLiteral(", "))});
        const QString deposit = valueOf(fields, QStringLiteral("deposit") + suffix).trimmed();
        const bool layers = source.isChecked(QStringLiteral("threeLayers") + suffix);
        fields.append({QStringLiteral("depositText") + suffix,
                       deposit.isEmpty() || !layers ? deposit : deposit + QStringLiteral(" (3 layers or more)")});
    }
    return fields;
}

void TWPQRpt::prepareRpt(const ReportSource &source)
{
    m_page->fillByName(collect(source));
    for (const auto &[name, number] : ColumnMemo::numberedMemos(*m_page, QStringLiteral("BTGRID"), 2))
        m_page->setMemoLines(name, ColumnMemo::columnLines(source, QStringLiteral("bendTest"), number - 1, 1, 6));
}

} // namespace Brenvik
