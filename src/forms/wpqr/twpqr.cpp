#include "forms/wpqr/twpqr.h"
#include "document/formdescription.h"

#include "core/appstate.h"
#include "qualify/wpsfromrecord.h"

#include <QFileInfo>

namespace Brenvik {

namespace {

enum Page {
    GeneralPage,
    SketchPage,
    BaseMetalPage,
    FillerPage,
    PositionGasPage,
    HeatPage,
    ElectricalPage,
    TensilePage,
    BendPage,
    ToughnessPage,
    OtherTestsPage
};

// A temperature or time whose stored list keeps the order the user gave it.
FieldDef unsortedField(const QString &name, const QString &group, const QString &label, int row)
{
    FieldDef f = sortedField(name, group, label, row, 0);
    f.sortedList = false;
    return f;
}

void addGeneralPages(QList<FieldDef> &f)
{
    const QString general = QStringLiteral("generalGroup");
    FieldDef date = makeField(QStringLiteral("PQRDate"), FieldKind::Date, general, QStringLiteral("Date:"), QString(),
                              0, 1);
    f << date;
    f << sortedField(QStringLiteral("PQRNo"), general, QStringLiteral("PQR No.:"), 0, 0);
    f << sortedField(QStringLiteral("weldingProcess1"), general, QStringLiteral("Welding Process:"), 1, 0);
    f << sortedField(QStringLiteral("wpsNo"), general, QStringLiteral("WPS No.:"), 1, 1);
    f << sortedField(QStringLiteral("weldingType1"), general, QStringLiteral("Types:"), 2, 0);
    f << sortedField(QStringLiteral("welderNameCS"), general, QStringLiteral("Welder's Name | Clock No | Stamp No.:"),
                     3, 0);
    f.last().minimumWidth = 200; // a name and two numbers
    f << sortedField(QStringLiteral("testConduct"), general, QStringLiteral("Tests Conducted By:"), 2, 1);
    f << sortedField(QStringLiteral("labTestNo"), general, QStringLiteral("Lab Test No.:"), 3, 1);

    f << companyField(QStringLiteral("userGroup"));

    addSketchFields(f, QStringLiteral("sketchGroup"), QStringLiteral("Groove Design of Test Coupon"));
}

void addMaterialPages(QList<FieldDef> &f)
{
    const QString base = QStringLiteral("baseMetalGroup");
    f << sortedField(QStringLiteral("thTestCoupon"), base, QStringLiteral("Thickness of Test Coupon:"), 2, 0);
    f << sortedField(QStringLiteral("baseMetalOther"), base, QStringLiteral("Other:"), 2, 1);
    f << sortedField(QStringLiteral("MaterialSpecification"), base, QStringLiteral("Material Specification:"), 0, 0);
    f << sortedField(QStringLiteral("baseMetalPNUmber"), base, QStringLiteral("P-No.:"), 0, 1);
    f << sortedField(QStringLiteral("typeOrGrade"), base, QStringLiteral("Type or Grade:"), 1, 0);
    f << sortedField(QStringLiteral("baseMetalPNUmber2"), base, QStringLiteral("to P-No.:"), 1, 1);
    f << sortedField(QStringLiteral("diaTestCoupon"), base, QStringLiteral("Diameter of Test Coupon:"), 3, 0);

    // Two filler metals side by side; the labels stand left of the first column only.
    const QString filler = QStringLiteral("fillerGroup");
    f << headingField(QStringLiteral("filler1Heading"), filler, QStringLiteral("1"), 0);
    f << headingField(QStringLiteral("filler2Heading"), filler, QStringLiteral("2"), 1);
    const QStringList labels = {QStringLiteral("SFA Specification:"), QStringLiteral("AWS Specification:"),
                                QStringLiteral("Filler Material F-No.:"), QStringLiteral("Weld Metal Analysis A-No.:"),
                                QStringLiteral("Size of Filler Metal:"), QStringLiteral("Other:"),
                                QStringLiteral("Weld Metal Thickness:")};
    for (int column = 0; column < 2; ++column) {
        const QString n = QString::number(column + 1);
        const QStringList names = {QStringLiteral("SFASpecification"), QStringLiteral("AWSClassification"),
                                   QStringLiteral("FillerMetalFNo"), QStringLiteral("WeldMetalAnalysisANo"),
                                   QStringLiteral("SizeOfFillerMetal"), QStringLiteral("fillerMetalOther"),
                                   QStringLiteral("weldMetalThickness")};
        for (int i = 0; i < names.size(); ++i)
            f << sortedField(names.at(i) + n, filler, column == 0 ? labels.at(i) : QString(), i + 1, column);
    }
}

void addConditionPages(QList<FieldDef> &f)
{
    const QString position = QStringLiteral("positionGroup");
    f << sortedField(QStringLiteral("groovePosition"), position, QStringLiteral("Position of Groove:"));
    f << sortedField(QStringLiteral("positionOther"), position, QStringLiteral("Other:"));
    f << sortedField(QStringLiteral("weldProgression"), position, QStringLiteral("Weld Progression:"));

    // Gases: three columns of three rows, the row captions left of the first column.
    const QString gas = QStringLiteral("gasGroup");
    f << headingField(QStringLiteral("compositionHeading"), gas, QStringLiteral("Percent Composition"), 1);
    f << fixedText(QStringLiteral("gasHeading"), gas, QStringLiteral("Gas(es)"), 1, 0);
    f << fixedText(QStringLiteral("mixtureHeading"), gas, QStringLiteral("Mixture"), 1, 1);
    f << fixedText(QStringLiteral("flowRateHeading"), gas, QStringLiteral("Flow Rate"), 1, 2);
    const QStringList rows = {QStringLiteral("Shielding:"), QStringLiteral("Trailing:"), QStringLiteral("Backing:")};
    const QStringList columns = {QStringLiteral("gas"), QStringLiteral("mixture"), QStringLiteral("flowRate")};
    for (int c = 0; c < columns.size(); ++c)
        for (int r = 0; r < rows.size(); ++r)
            f << sortedField(columns.at(c) + QStringLiteral("STB").at(r), gas, c == 0 ? rows.at(r) : QString(), r + 2,
                             c);

    const QString preheat = QStringLiteral("preheatGroup");
    f << sortedField(QStringLiteral("preheatOther"), preheat, QStringLiteral("Other:"), 2, 0);
    f << unsortedField(QStringLiteral("preheatTemp"), preheat, QStringLiteral("Preheat Temperature:"), 0);
    f << unitLabel(QStringLiteral("unitPreheatMin"), preheat, 0);
    f << unsortedField(QStringLiteral("InterpassTemp"), preheat, QStringLiteral("Interpass Temperature:"), 1);
    f << unitLabel(QStringLiteral("unitInterMin"), preheat, 1);
    const QString postWeld = QStringLiteral("postWeldGroup");
    f << sortedField(QStringLiteral("PostWeldOther"), postWeld, QStringLiteral("Other:"), 2, 0);
    f << unsortedField(QStringLiteral("postWeldTemp"), postWeld, QStringLiteral("Temperature:"), 0);
    f << unitLabel(QStringLiteral("unitInterMax"), postWeld, 0);
    f << unsortedField(QStringLiteral("postWeldTime"), postWeld, QStringLiteral("Time:"), 1);
    addTemperatureRadios(f, QStringLiteral("temperatureUnitGroup"));

    const QString electrical = QStringLiteral("electricalGroup");
    f << sortedField(QStringLiteral("current"), electrical, QStringLiteral("Current:"), 0, 0);
    f << sortedField(QStringLiteral("electricalOther"), electrical, QStringLiteral("Other:"), 0, 1);
    f << sortedField(QStringLiteral("polarity"), electrical, QStringLiteral("Polarity:"), 1, 0);
    f << sortedField(QStringLiteral("amperes"), electrical, QStringLiteral("Amps.:"), 1, 1);
    f << sortedField(QStringLiteral("tungstenElectrodeSize"), electrical, QStringLiteral("Tungsten Electrode Size:"),
                     2, 0);
    f << sortedField(QStringLiteral("Volts"), electrical, QStringLiteral("Volts:"), 2, 1);
    const QString technique = QStringLiteral("techniqueGroup");
    f << sortedField(QStringLiteral("travelSpeed"), technique, QStringLiteral("Travel Speed:"), 0, 0);
    f << sortedField(QStringLiteral("techniqueOther"), technique, QStringLiteral("Other:"), 0, 1);
    f.last().minimumWidth = 200; // the long captions of the first column leave this one narrow
    f << sortedField(QStringLiteral("SWBead"), technique, QStringLiteral("String or Weave Bead:"), 1, 0);
    f << sortedField(QStringLiteral("oscillation"), technique, QStringLiteral("Oscillation:"), 1, 1);
    f << sortedField(QStringLiteral("MSPass"), technique, QStringLiteral("Multipass or Single Pass (per Side):"), 2, 0);
    f << sortedField(QStringLiteral("MSElectrode"), technique, QStringLiteral("Multiple or Single Electrodes:"), 2, 1);
}

void addTestPages(QList<FieldDef> &f)
{
    addTensileTest(f, QStringLiteral("Units"), {84, 84, 84, 84, 130, 130, 220});

    FieldDef bend = gridField(QStringLiteral("BendTest"), FieldKind::Grid, QStringLiteral("bendGroup"), 10, 2,
                              {QStringLiteral("Type and Figure No."), QStringLiteral("Result")}, {300, 140});
    bend.grid.alignments = {{0, Qt::AlignHCenter}};
    bend.grid.dropDowns = {{1, {QStringLiteral("Pass"), QStringLiteral("Fail")}}};
    f << bend;
    addRowCommands(f, QStringLiteral("BendTest"), QStringLiteral("bendButtonGroup"), bend.name);

    const QString tough = QStringLiteral("toughGroup");
    f << makeField(QStringLiteral("QW170Label"), FieldKind::Label, QStringLiteral("toughHeadingGroup"), QString(),
                   QStringLiteral("QW-170"));
    f << unitRowOver(QStringLiteral("toughUnit"), tough, 6, QStringLiteral("toughTest"), 2);
    FieldDef toughness = gridField(QStringLiteral("toughTest"), FieldKind::Grid, tough, 10, 8,
                                   {QStringLiteral("Specimen No."), QStringLiteral("Notch Location"),
                                    QStringLiteral("Specimen Size"), QStringLiteral("Test Temp."),
                                    QStringLiteral("Impact Value"), QStringLiteral("Shear"), QStringLiteral("Mils"),
                                    QStringLiteral("Drop Weight Break")},
                                   {90, 110, 90, 80, 90, 70, 70, 120});
    for (int c = 0; c < 8; ++c)
        toughness.grid.alignments.insert(c, Qt::AlignRight);
    toughness.grid.dropDowns = {{7, {QStringLiteral("Yes"), QStringLiteral("No")}}};
    f << toughness;
    addUnitRadios(f, QStringLiteral("switchUnitToughM"), QStringLiteral("switchUnitToughI"),
                  QStringLiteral("toughUnitGroup"));
    f << sortedField(QStringLiteral("TTComment"), QStringLiteral("toughCommentGroup"), QStringLiteral("Comments:"));
    addRowCommands(f, QStringLiteral("ToughTest"), QStringLiteral("toughButtonGroup"), toughness.name);

    const QString fillet = QStringLiteral("filletGroup");
    f << sortedField(QStringLiteral("FWTResult"), fillet, QStringLiteral("Result Satisfactory:"));
    f << sortedField(QStringLiteral("MacroResults"), fillet, QStringLiteral("Macro Results:"));
    f << sortedField(QStringLiteral("FWTIfPenetration"), fillet, QStringLiteral("Penetration into Parent Metal:"));
    const QString other = QStringLiteral("otherTestsGroup");
    f << sortedField(QStringLiteral("TypeOfTest"), other, QStringLiteral("Type of Test:"));
    f << sortedField(QStringLiteral("OTOthers"), other, QStringLiteral("Other:"));
    f << sortedField(QStringLiteral("DepositAnalysis"), other, QStringLiteral("Deposit Analysis:"));
}

FormTable buildTable()
{
    FormTable t;
    t.description = TWPQR::description();
    t.pages = {
        {QStringLiteral("dataEntry1"), QStringLiteral("General Information")},
        {QStringLiteral("dataEntry4"), QStringLiteral("Joint Sketch")},
        {QStringLiteral("dataEntry2"), QStringLiteral("Base Metal")},
        {QStringLiteral("TabSheet4"), QStringLiteral("Filler Metals")},
        {QStringLiteral("TabSheet5"), QStringLiteral("Position, Gas")},
        {QStringLiteral("TabSheet6"), QStringLiteral("Pre/Post Heat")},
        {QStringLiteral("TabSheet7"), QStringLiteral("Electrical, Techniques")},
        {QStringLiteral("dataEntry5"), QStringLiteral("Tensile Test")},
        {QStringLiteral("TabSheet2"), QStringLiteral("Guided Bend Test")},
        {QStringLiteral("TabSheet8"), QStringLiteral("Toughness Test")},
        {QStringLiteral("TabSheet3"), QStringLiteral("Other Tests")},
    };
    t.groups = {
        makeGroup(QStringLiteral("generalGroup"), QStringLiteral(" General Information "), GeneralPage, 0, 0),
        makeGroup(QStringLiteral("userGroup"), QStringLiteral(" User Information "), GeneralPage, 1, 0),
        makeGroup(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        makeGroup(QStringLiteral("baseMetalGroup"), QStringLiteral(" Base Metal (QW-403) "), BaseMetalPage, 0, 0),
        makeGroup(QStringLiteral("fillerGroup"), QStringLiteral(" Filler Metals (QW-404) "), FillerPage, 0, 0),
        makeGroup(QStringLiteral("positionGroup"), QStringLiteral(" Position (QW-405) "), PositionGasPage, 0, 0),
        makeGroup(QStringLiteral("gasGroup"), QStringLiteral(" Gas (QW-408) "), PositionGasPage, 1, 0),
        makeGroup(QStringLiteral("preheatGroup"), QStringLiteral(" Preheat (QW-406) "), HeatPage, 0, 0),
        makeGroup(QStringLiteral("postWeldGroup"), QStringLiteral(" Post Weld Heat Treatment (QW-407) "), HeatPage, 1, 0),
        makeGroup(QStringLiteral("temperatureUnitGroup"), QString(), HeatPage, 2, 0),
        makeGroup(QStringLiteral("electricalGroup"), QStringLiteral(" Electrical Characteristics (QW-409) "),
                  ElectricalPage, 0, 0),
        makeGroup(QStringLiteral("techniqueGroup"), QStringLiteral(" Technique (QW-410) "), ElectricalPage, 1, 0),
        makeGroup(QStringLiteral("tensileGroup"), QString(), TensilePage, 0, 0, 1, 2),
        makeGroup(QStringLiteral("tensileUnitGroup"), QString(), TensilePage, 1, 0),
        makeGroup(QStringLiteral("tensileButtonGroup"), QString(), TensilePage, 1, 1),
        makeGroup(QStringLiteral("bendGroup"), QString(), BendPage, 0, 0),
        makeGroup(QStringLiteral("bendButtonGroup"), QString(), BendPage, 1, 0),
        makeGroup(QStringLiteral("toughHeadingGroup"), QString(), ToughnessPage, 0, 0, 1, 2),
        makeGroup(QStringLiteral("toughGroup"), QString(), ToughnessPage, 1, 0, 1, 2),
        makeGroup(QStringLiteral("toughUnitGroup"), QString(), ToughnessPage, 2, 0),
        makeGroup(QStringLiteral("toughButtonGroup"), QString(), ToughnessPage, 2, 1),
        makeGroup(QStringLiteral("toughCommentGroup"), QString(), ToughnessPage, 3, 0, 1, 2),
        makeGroup(QStringLiteral("filletGroup"), QStringLiteral(" Fillet-Weld Test (QW-180) "), OtherTestsPage, 0, 0),
        makeGroup(QStringLiteral("otherTestsGroup"), QStringLiteral(" Other Tests"), OtherTestsPage, 1, 0),
    };
    addGeneralPages(t.fields);
    addMaterialPages(t.fields);
    addConditionPages(t.fields);
    addTestPages(t.fields);

    // The toughness switch writes cells 0 to 3 only: the mils and drop-weight units are the
    // user's own.
    t.unitSwitches = {
        temperatureSwitch({QStringLiteral("unitPreheatMin"), QStringLiteral("unitInterMin"),
                           QStringLiteral("unitInterMax")}),
        tensileUnitSwitch(),
        unitRowSwitch(QStringLiteral("switchUnitToughM"), QStringLiteral("switchUnitToughI"), QStringLiteral("toughUnit"),
                      {QStringLiteral("mm"), QStringLiteral("\u00B0C"), QStringLiteral("J"), QStringLiteral("%")},
                      {QStringLiteral("in"), QStringLiteral("\u00B0F"), QStringLiteral("J"), QStringLiteral("%")}),
    };
    return t;
}

} // namespace

FormDescription TWPQR::description()
{
    FormDescription d;
    d.formType = QStringLiteral("WPQR");
    d.caption = QStringLiteral("Procedure Qualification Record (QW-483)");
    d.chooserText = QStringLiteral("Procedure Qualification Records (PQR, QW-483)");
    d.chooserRow = 1;
    d.offeredAs = QStringLiteral("WPQR (QW-483)");
    d.shownAs = d.formType;
    d.knownAs = QStringLiteral("PQR, QW-483");
    d.reportTitle = QStringLiteral("Procedure Qualification Record");
    d.role = FormRole::ProcedureRecord;
    d.numberKey = QStringLiteral("PQRNo");
    d.dateKey = QStringLiteral("PQRDate");
    d.processKeys = {QStringLiteral("weldingProcess1")};
    d.supportingKeys = {QStringLiteral("wpsNo")};
    return d;
}

const FormTable &TWPQR::formTable()
{
    static const FormTable table = buildTable();
    return table;
}

TWPQR::TWPQR(QWidget *parent) : FormWindow(formTable(), parent)
{
    FormCreate();
    addFileAction(QStringLiteral("NewWPSFromRecord1"), tr("New WPS from this Record..."),
                  [this] { newWpsFromRecordClick(); });
}

void TWPQR::newWpsFromRecordClick()
{
    ShellHost *host = AppState::instance().host();
    if (!host || !host->changedDocumentPrompt())
        return;
    // What the window shows, saved or not; this window closes when the WPS opens.
    const QualifyForm record(QFileInfo(fileName()).fileName(), fieldTexts());
    const Picture picture = sketch();
    const FormDescription *procedure = FormDescriptions::withRole(FormRole::Procedure);
    if (DocumentWindow *wps = procedure ? host->newDocumentOfType(procedure->formType) : nullptr) {
        wps->fillFields(WpsFromRecord::fields(record));
        // The record's joint sketch as a copy the engineer edits.
        wps->setSketch(picture);
    }
}

} // namespace Brenvik
