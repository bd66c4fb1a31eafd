#include "forms/wpq/twpq.h"

#include "qualify/qualifycheck.h"
#include "qualify/welderranges.h"
#include "qualify/wpqkeys.h"

#include "controls/typedgrid.h"

#include <QComboBox>
#include <QScrollBar>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

namespace Brenvik {

using namespace WpqKeys;

namespace {

enum Page { WelderPage, SketchPage, ProcessPage, VariablesPage, ResultsPage, ContinuityPage, CertificationPage };

const QString kComputeRanges = QStringLiteral("computeRanges");
// The longest computed range ("F-4 with or without backing; F-1 to F-3 with backing") shows whole.
constexpr int kRangeWidth = 330;

// A row of the two columns: the actual value with its label, the range qualified right of it.
void addPair(QList<FieldDef> &f, const QString &group, const QString &key, const QString &label, int row)
{
    f << sortedField(key, group, label, row, 0);
    f << sortedField(range(key), group, QString(), row, 1);
    f.last().minimumWidth = kRangeWidth;
}

void addWelderPage(QList<FieldDef> &f)
{
    const QString welder = QStringLiteral("welderGroup");
    f << sortedField(kWelderName, welder, QStringLiteral("Welder's Name:"), 0, 0);
    f.last().minimumWidth = 220;
    f << sortedField(kWelderId, welder, QStringLiteral("Identification (Stencil) No.:"), 1, 0);
    f << sortedField(kWpsFollowed, welder, QStringLiteral("Identification of WPS Followed:"), 2, 0);
    f << makeField(QStringLiteral("testCoupon"), FieldKind::Radio, welder, QStringLiteral("Welded on:"),
                   QStringLiteral("Test Coupon"), 3, 0);
    f << makeField(QStringLiteral("productionWeld"), FieldKind::Radio, welder, QString(),
                   QStringLiteral("Production Weld"), 4, 0);
    f << makeField(kTestDate, FieldKind::Date, welder, QStringLiteral("Date Welded:"), QString(), 5, 0);
    f << companyField(QStringLiteral("userGroup"));
    addSketchFields(f, QStringLiteral("sketchGroup"), QStringLiteral("Test Coupon"));
}

void addProcessPage(QList<FieldDef> &f)
{
    f << makeField(kComputeRanges, FieldKind::Button, QStringLiteral("computeGroup"), QString(),
                   QStringLiteral("Compute Ranges"), 0, 0);
    const QString group = QStringLiteral("processGroup");
    f << headingField(QStringLiteral("processActualHeading"), group, QStringLiteral("Actual Values"), 0);
    f << headingField(QStringLiteral("processRangeHeading"), group, QStringLiteral("Range Qualified"), 1);
    int row = 1;
    for (int n = 1; n <= 2; ++n) {
        const QString p = QStringLiteral(" %1:").arg(n);
        addPair(f, group, numbered(kProcess, n), QStringLiteral("Welding Process") + p, row++);
        addPair(f, group, numbered(kWeldingType, n), QStringLiteral("Type (Manual, Semiautomatic)") + p, row++);
        addPair(f, group, numbered(kDeposit, n), QStringLiteral("Deposit Thickness, Process") + p, row++);
        f << makeField(numbered(kLayers, n), FieldKind::Check, group, QString(),
                       QStringLiteral("Three layers or more"), row++, 0);
        f << sortedField(QStringLiteral("sfa%1").arg(n), group, QStringLiteral("Filler Specification (SFA)") + p, row++, 0);
        f << sortedField(QStringLiteral("awsClass%1").arg(n), group, QStringLiteral("Filler Classification") + p, row++, 0);
        addPair(f, group, numbered(kFNo, n), QStringLiteral("Filler Metal F-No.") + p, row++);
    }
}

void addVariablesPage(QList<FieldDef> &f)
{
    const QString group = QStringLiteral("variablesGroup");
    f << headingField(QStringLiteral("variablesActualHeading"), group, QStringLiteral("Actual Values"), 0);
    f << headingField(QStringLiteral("variablesRangeHeading"), group, QStringLiteral("Range Qualified"), 1);
    int row = 1;
    addPair(f, group, kBacking, QStringLiteral("Backing (with, without):"), row++);
    addPair(f, group, kPlatePipe, QStringLiteral("Plate or Pipe:"), row++);
    addPair(f, group, kDiameter, QStringLiteral("Pipe Outside Diameter:"), row++);
    f << sortedField(QStringLiteral("baseMetalSpec"), group, QStringLiteral("Base Metal Specification:"), row++, 0);
    addPair(f, group, kPNo, QStringLiteral("Base Metal P-No.:"), row++);
    f << sortedField(kPNo2, group, QStringLiteral("to P-No.:"), row++, 0);
    addPair(f, group, kThickness, QStringLiteral("Base Metal Thickness:"), row++);
    addPair(f, group, kInsert, QStringLiteral("Consumable Insert (GTAW, PAW):"), row++);
    addPair(f, group, kFillerType, QStringLiteral("Filler Type (Solid, Metal- or Flux-Cored):"), row++);
    addPair(f, group, kGtawFiller, QStringLiteral("GTAW Filler Metal (with, without):"), row++);
    f << sortedField(kPosition, group, QStringLiteral("Test Position(s):"), row, 0);
    f << fixedText(QStringLiteral("positionPlateCaption"), group,
                   QStringLiteral("Groove, plate and pipe over 24 in O.D.:"), row + 1, 0);
    f << sortedField(kPositionPlate, group, QString(), row + 1, 1);
    f << fixedText(QStringLiteral("positionPipeCaption"), group,
                   QStringLiteral("Groove, pipe 24 in O.D. and under:"), row + 2, 0);
    f << sortedField(kPositionPipe, group, QString(), row + 2, 1);
    f << fixedText(QStringLiteral("positionFilletCaption"), group, QStringLiteral("Fillet:"), row + 3, 0);
    f << sortedField(kPositionFillet, group, QString(), row + 3, 1);
    for (int i = 1; i <= 3; ++i)
        f[f.size() - 2 * i + 1].minimumWidth = kRangeWidth;
    row += 4;
    addPair(f, group, kProgression, QStringLiteral("Vertical Progression:"), row++);
    addPair(f, group, kBackingGas, QStringLiteral("Backing Gas (GTAW, PAW, GMAW):"), row++);
    addPair(f, group, kTransferMode, QStringLiteral("GMAW Transfer Mode:"), row++);
    addPair(f, group, kCurrentPolarity, QStringLiteral("GTAW Current and Polarity:"), row++);
}

void addResultsPage(QList<FieldDef> &f)
{
    const QString visual = QStringLiteral("visualGroup");
    f << sortedField(QStringLiteral("visualResult"), visual, QStringLiteral("Visual Examination (QW-302.4):"));
    FieldDef bend = gridField(QStringLiteral("bendTest"), FieldKind::Grid, QStringLiteral("bendGroup"), 7, 2,
                              {QStringLiteral("Type"), QStringLiteral("Result")}, {260, 140});
    bend.grid.dropDowns = {{1, {QStringLiteral("Acceptable"), QStringLiteral("Rejected")}}};
    f << bend;
    addRowCommands(f, QStringLiteral("BendTest"), QStringLiteral("bendButtonGroup"), bend.name);
    const QString other = QStringLiteral("examGroup");
    f << sortedField(QStringLiteral("volumetricExam"), other, QStringLiteral("Radiographic or Ultrasonic (QW-191):"));
    f << sortedField(QStringLiteral("volumetricResult"), other, QStringLiteral("Volumetric Result:"));
    f << sortedField(QStringLiteral("filletFracture"), other, QStringLiteral("Fillet Weld Fracture Test (QW-181.2):"));
    f << sortedField(QStringLiteral("filletDefects"), other, QStringLiteral("Length and Percent of Defects:"));
    f << sortedField(QStringLiteral("macroResult"), other, QStringLiteral("Macro Examination (QW-184):"));
    f << sortedField(QStringLiteral("otherTests"), other, QStringLiteral("Other Tests:"));
    const QString people = QStringLiteral("peopleGroup");
    f << sortedField(QStringLiteral("evaluatedBy"), people, QStringLiteral("Film or Specimens Evaluated By:"), 0, 0);
    f << sortedField(QStringLiteral("evaluatorCompany"), people, QStringLiteral("Company:"), 0, 1);
    f << sortedField(QStringLiteral("testedBy"), people, QStringLiteral("Mechanical Tests Conducted By:"), 1, 0);
    f << sortedField(QStringLiteral("labTestNo"), people, QStringLiteral("Laboratory Test No.:"), 1, 1);
    f << sortedField(QStringLiteral("supervisedBy"), people, QStringLiteral("Welding Supervised By:"), 2, 0);
}

void addContinuityPage(QList<FieldDef> &f)
{
    FieldDef grid = gridField(kContinuity, FieldKind::Grid, QStringLiteral("continuityGroup"), kContinuityRows + 1,
                              kContinuityColumns,
                              {QStringLiteral("Date (yyyy-MM-dd)"), QStringLiteral("Process"),
                               QStringLiteral("Job or WPS"), QStringLiteral("Recorded By")},
                              {130, 90, 260, 180});
    f << grid;
    addRowCommands(f, QStringLiteral("Continuity"), QStringLiteral("continuityButtonGroup"), grid.name);
    const QString revoke = QStringLiteral("revokeGroup");
    f << makeField(kRevoked, FieldKind::Check, revoke, QString(), QStringLiteral("Qualification revoked"), 0, 0);
    f << sortedField(kRevokedReason, revoke, QStringLiteral("Reason:"), 1, 0);
    f.last().minimumWidth = 360;
}

void addCertificationPage(QList<FieldDef> &f)
{
    const QString group = QStringLiteral("certificationGroup");
    f << fixedText(QStringLiteral("certificationText"), group, TWPQ::certification(), 0, 0);
    f << sortedField(QStringLiteral("certOrganization"), group, QStringLiteral("Organization:"), 1, 0);
    f << makeField(QStringLiteral("certDate"), FieldKind::Date, group, QStringLiteral("Date:"), QString(), 2, 0);
    f << sortedField(QStringLiteral("certifiedBy"), group, QStringLiteral("Certified By:"), 3, 0);
}

FormTable buildTable()
{
    FormTable t;
    t.description = TWPQ::description();
    t.pages = {
        {QStringLiteral("welderPage"), QStringLiteral("Welder")},
        {QStringLiteral("sketchPage"), QStringLiteral("Test Coupon Sketch")},
        {QStringLiteral("processPage"), QStringLiteral("Processes, Fillers")},
        {QStringLiteral("variablesPage"), QStringLiteral("Testing Variables")},
        {QStringLiteral("resultsPage"), QStringLiteral("Results")},
        {QStringLiteral("continuityPage"), QStringLiteral("Continuity")},
        {QStringLiteral("certificationPage"), QStringLiteral("Certification")},
    };
    t.groups = {
        makeGroup(QStringLiteral("welderGroup"), QStringLiteral(" Welder "), WelderPage, 0, 0),
        makeGroup(QStringLiteral("userGroup"), QStringLiteral(" User Information "), WelderPage, 1, 0),
        makeGroup(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        makeGroup(QStringLiteral("computeGroup"), QString(), ProcessPage, 0, 0),
        makeGroup(QStringLiteral("processGroup"), QStringLiteral(" Welding Processes and Filler Metals "),
                  ProcessPage, 1, 0),
        makeGroup(QStringLiteral("variablesGroup"), QStringLiteral(" Testing Variables and Qualification Limits "),
                  VariablesPage, 0, 0),
        makeGroup(QStringLiteral("visualGroup"), QStringLiteral(" Visual Examination "), ResultsPage, 0, 0),
        makeGroup(QStringLiteral("bendGroup"), QStringLiteral(" Guided Bend Tests (QW-462) "), ResultsPage, 1, 0),
        makeGroup(QStringLiteral("bendButtonGroup"), QString(), ResultsPage, 2, 0),
        makeGroup(QStringLiteral("examGroup"), QStringLiteral(" Other Examinations "), ResultsPage, 3, 0),
        makeGroup(QStringLiteral("peopleGroup"), QString(), ResultsPage, 4, 0),
        makeGroup(QStringLiteral("continuityGroup"), QStringLiteral(" Continuity of Each Process (QW-322) "),
                  ContinuityPage, 0, 0),
        makeGroup(QStringLiteral("continuityButtonGroup"), QString(), ContinuityPage, 1, 0),
        makeGroup(QStringLiteral("revokeGroup"), QString(), ContinuityPage, 2, 0),
        makeGroup(QStringLiteral("certificationGroup"), QStringLiteral(" Certification "), CertificationPage, 0, 0),
    };
    addWelderPage(t.fields);
    addProcessPage(t.fields);
    addVariablesPage(t.fields);
    addResultsPage(t.fields);
    addContinuityPage(t.fields);
    addCertificationPage(t.fields);
    return t;
}

} // namespace

FormDescription TWPQ::description()
{
    FormDescription d;
    d.formType = QStringLiteral("WPQ");
    d.caption = QStringLiteral("Welder Performance Qualification (QW-484)");
    d.chooserText = QStringLiteral("Welder Performance Qualifications (WPQ, QW-484)");
    d.chooserRow = 4;
    d.offeredAs = QStringLiteral("WPQ (QW-484)");
    d.shownAs = d.formType;
    d.reportTitle = d.formType;
    d.role = FormRole::WelderRecord;
    d.knownAs = QStringLiteral("welder, QW-484");
    d.numberKey = kWelderId;
    d.dateKey = kTestDate;
    d.processKeys = {numbered(kProcess, 1), numbered(kProcess, 2)};
    d.supportingKeys = {kWpsFollowed};
    return d;
}

QString TWPQ::certification()
{
    return QStringLiteral("We certify that the statements in this record are correct and that the test coupons\n"
                          "were prepared, welded and tested in accordance with the requirements of Section IX\n"
                          "of the ASME Boiler and Pressure Vessel Code.");
}

const FormTable &TWPQ::formTable()
{
    static const FormTable table = buildTable();
    return table;
}

TWPQ::TWPQ(QWidget *parent) : FormWindow(formTable(), parent)
{
    FormCreate();
    // The continuity grid holds many rows: it shows twenty at a time and scrolls, so that the
    // row commands and the revocation stay on the page.
    TypedGrid *uses = grid(kContinuity);
    uses->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int shown = 21;
    int gridHeight = 2 * uses->frameWidth();
    for (int r = 0; r < shown; ++r)
        gridHeight += uses->rowHeight(r);
    uses->setFixedSize(uses->width() + uses->verticalScrollBar()->sizeHint().width(), gridHeight);
    // The window was fitted to the whole grid: fitted again to the page as it is now, its
    // layouts brought up to date from the grid outwards.
    for (QWidget *w = uses; w; w = w == this ? nullptr : w->parentWidget()) {
        w->updateGeometry();
        if (QLayout *layout = w->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(sizeHint());
}

void TWPQ::connectHandlers()
{
    connect(fieldAs<QPushButton>(kComputeRanges), &QPushButton::clicked, this, &TWPQ::computeRangesClick);
    for (const FieldDef &f : table().fields) {
        const bool actual = f.kind == FieldKind::SortedCombo && !f.name.endsWith(kRangeSuffix)
            && table().field(range(f.name));
        if (actual || f.name == kPosition || f.name.startsWith(kLayers) || f.name == kPNo2)
            onChange(f.name, [this] { actualChange(); });
    }
}

void TWPQ::afterLoad()
{
    // What the ranges on screen would be computed as: those still equal to it follow edits.
    m_computed.clear();
    for (const WelderRanges::Result &r : WelderRanges::compute(QualifyForm(QString(), fieldTexts())))
        m_computed.insert(r.key, r.text);
}

void TWPQ::computeRangesClick()
{
    runRule([this](FormDocument &d) {
        m_computed.clear();
        for (const WelderRanges::Result &r : WelderRanges::compute(QualifyForm(QString(), d.fieldTexts()))) {
            m_computed.insert(r.key, r.text);
            d.setText(r.key, r.text);
        }
    });
}

void TWPQ::actualChange()
{
    runRule([this](FormDocument &d) {
        QHash<QString, QString> now;
        for (const WelderRanges::Result &r : WelderRanges::compute(QualifyForm(QString(), d.fieldTexts())))
            now.insert(r.key, r.text);
        // Every range field the rules fill: computed now, or computed before and no longer.
        QStringList keys = now.keys();
        for (auto it = m_computed.cbegin(); it != m_computed.cend(); ++it)
            if (!keys.contains(it.key()))
                keys << it.key();
        for (const QString &key : keys) {
            const QString shown = d.text(key);
            if (shown.isEmpty() || shown == m_computed.value(key))
                d.setText(key, now.value(key));
        }
        m_computed = now;
    });
}

} // namespace Brenvik
