#include "forms/wpsr/twpsr.h"

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "core/platform.h"
#include "forms/wpsr/tcheckrecordsdlg.h"
#include "qualify/recordfinder.h"
#include "welder/tqualifiedweldersdlg.h"

#include <QDir>
#include <QFileInfo>

#include <QPushButton>

namespace Brenvik {

namespace {

enum Page {
    GeneralPage,
    JointsPage,
    SketchPage,
    BaseMetalPage,
    BaseMetal2Page,
    FillerPage,
    Filler2Page,
    PositionGasPage,
    HeatPage,
    ElectricalPage,
    Technique1Page,
    Technique2Page
};

void addGeneralAndJoints(QList<FieldDef> &f)
{
    const QString general = QStringLiteral("generalGroup");
    FieldDef date = makeField(QStringLiteral("wpsDate"), FieldKind::Date, general, QStringLiteral("Date:"), QString(), 0, 1);
    date.labelName = QStringLiteral("Date");
    f << date;
    f << sortedField(QStringLiteral("PQRNo"), general, QStringLiteral("Supporting PQR No.(s):"), 1, 0);
    f << sortedField(QStringLiteral("weldingProcess1"), general, QStringLiteral("Welding Processes:"), 2, 0,
                     QStringLiteral("weldingProcesses"));
    f << sortedField(QStringLiteral("wpsNo"), general, QStringLiteral("WPS No.:"), 0, 0);
    f << sortedField(QStringLiteral("weldingType1"), general, QStringLiteral("Types:"), 2, 1);
    f << sortedField(QStringLiteral("preparedBy"), general, QStringLiteral("Prepared By:"), 1, 1);
    f << sortedField(QStringLiteral("revisionNo"), general, QStringLiteral("Revision No.:"), 3, 0,
                     QStringLiteral("RevisionNo"));
    f << makeField(QStringLiteral("revisionDate"), FieldKind::Date, general, QStringLiteral("Rev. Date:"), QString(), 3, 1);
    FieldDef company = companyField(QStringLiteral("userGroup"));
    company.minimumWidth = 360;
    f << company;

    const QString joints = QStringLiteral("jointsGroup");
    f << plainSorted(QStringLiteral("backing"), joints, QStringLiteral("Backing (Yes or No):"), 0, 0);
    f << sortedField(QStringLiteral("backingMaterial"), joints, QStringLiteral("Backing Material (Type):"), 1, 0);
    f << sortedField(QStringLiteral("jointDesign"), joints, QStringLiteral("Joint Design:"), 2, 0);
    f << makeField(QStringLiteral("ifMetal"), FieldKind::Radio, joints, QStringLiteral("Backing Type:"),
                   QStringLiteral("Metal"), 3, 0);
    f << makeField(QStringLiteral("ifNonmetallic"), FieldKind::Radio, joints, QString(), QStringLiteral("Nonmetallic"), 4, 0);
    f << makeField(QStringLiteral("ifNonfusing"), FieldKind::Radio, joints, QString(), QStringLiteral("Nonfusing Metal"),
                   3, 1);
    f << makeField(QStringLiteral("ifOther"), FieldKind::Radio, joints, QString(), QStringLiteral("Other"), 4, 1);

    addSketchFields(f, QStringLiteral("sketchGroup"), QStringLiteral("Joint Design, Weld Layers and Bead Sequence"));
}

void addBaseMetal(QList<FieldDef> &f)
{
    // Two columns, "TO" between them; three pairs of rows, " OR " between the pairs.
    const QString base = QStringLiteral("baseMetalGroup");
    f << sortedField(QStringLiteral("specType1"), base, QStringLiteral("Type:"), 3, 0);
    f << sortedField(QStringLiteral("pNo"), base, QStringLiteral("P-No.:"), 0, 0);
    f << sortedField(QStringLiteral("pNo2"), base, QStringLiteral("P-No.:"), 0, 2);
    f << sortedField(QStringLiteral("groupNo"), base, QStringLiteral("Group No.:"), 1, 0);
    f << sortedField(QStringLiteral("groupNo2"), base, QStringLiteral("Group No.:"), 1, 2);
    f << sortedField(QStringLiteral("specType2"), base, QStringLiteral("Type:"), 3, 2);
    f << sortedField(QStringLiteral("specGrade1"), base, QStringLiteral("Grade:"), 4, 0);
    f << sortedField(QStringLiteral("specGrade2"), base, QStringLiteral("Grade:"), 4, 2);
    f << sortedField(QStringLiteral("chemAna1"), base, QStringLiteral("Chem. Analysis:"), 6, 0);
    f << sortedField(QStringLiteral("mechProp1"), base, QStringLiteral("Mech. Property:"), 7, 0);
    f << sortedField(QStringLiteral("mechProp2"), base, QStringLiteral("Mech. Property:"), 7, 2);
    f << sortedField(QStringLiteral("chemAna2"), base, QStringLiteral("Chem. Analysis:"), 6, 2);
    for (int pair = 0; pair < 3; ++pair) {
        const QString n = QString::number(pair + 1);
        f << fixedText(QStringLiteral("toLabel") + n, base, QStringLiteral("TO"), pair * 3, 1);
        if (pair > 0)
            f << fixedText(QStringLiteral("orLabel") + n, base, QStringLiteral(" OR "), pair * 3 - 1, 0);
    }

    const QString thickness = QStringLiteral("thicknessGroup");
    f << sortedField(QStringLiteral("baseMetalOther"), thickness, QStringLiteral("Other:"), 3, 0);
    f << sortedField(QStringLiteral("grooveThickness"), thickness, QStringLiteral("Groove:"), 1, 0);
    f << sortedField(QStringLiteral("filletThickness"), thickness, QStringLiteral("Fillet:"), 2, 0);
    f << sortedField(QStringLiteral("grooveDia"), thickness, QStringLiteral("Groove:"), 1, 1);
    f << sortedField(QStringLiteral("filletDia"), thickness, QStringLiteral("Fillet:"), 2, 1);
    f << fixedText(QStringLiteral("thicknessHeading"), thickness, QStringLiteral("Thickness Range, Base Metal"), 0, 0);
    FieldDef dia = fixedText(QStringLiteral("diaHeading"), thickness, QStringLiteral("Pipe Dia. Range"), 0, 1);
    f << dia;
}

void addFillerMetals(QList<FieldDef> &f)
{
    // Three columns, one per filler metal; the row labels stand left of the first.
    const QString filler = QStringLiteral("fillerGroup");
    const QStringList labels = {QStringLiteral("SFA Specification:"), QStringLiteral("AWS Specification:"),
                                QStringLiteral("Filler Material F-No.:"), QStringLiteral("Weld Metal A-No.:"),
                                QStringLiteral("Size of Filler Metal:"), QStringLiteral("Groove:"),
                                QStringLiteral("Fillet:")};
    const QStringList names = {QStringLiteral("specNoSFA"), QStringLiteral("AWSNoClass"), QStringLiteral("FNo"),
                               QStringLiteral("ANo"), QStringLiteral("fillerSize"), QStringLiteral("thGroove"),
                               QStringLiteral("thFillet")};
    for (int n = 0; n < 3; ++n) {
        // Groove and fillet sit under their own line "Weld Metal Thickness Range:".
        for (int i = 0; i < names.size(); ++i)
            f << sortedField(names.at(i) + QString::number(n + 1), filler, n == 0 ? labels.at(i) : QString(),
                             i < 5 ? i + 1 : i + 2, n);
        f << headingField(QStringLiteral("fillerHeading") + QString::number(n + 1), filler, QString::number(n + 1), n);
    }

    f << makeField(QStringLiteral("thicknessRangeHeading"), FieldKind::Label, filler,
                   QStringLiteral("Weld Metal Thickness Range:"), QString(), 6, 0);

    // The flux columns: keys 1, 2, 3 each in their own order.
    const QString flux = QStringLiteral("fluxGroup");
    const QString insert = QStringLiteral("consumableInsert");
    const QString trade = QStringLiteral("fluxTradeName");
    const QString fluxName = QStringLiteral("flux");
    const QStringList order[3] = {{insert, trade, fluxName}, {fluxName, trade, insert}, {fluxName, trade, insert}};
    const QHash<QString, QPair<int, QString>> rows = {
        {fluxName, {1, QStringLiteral("Electrode-Flux (Class):")}},
        {trade, {2, QStringLiteral("Flux Trade Name:")}},
        {insert, {3, QStringLiteral("Consumable Insert:")}}};
    for (int n = 0; n < 3; ++n) {
        for (const QString &name : order[n]) {
            const auto row = rows.value(name);
            f << sortedField(name + QString::number(n + 1), flux, n == 0 ? row.second : QString(), row.first, n);
        }
        f << headingField(QStringLiteral("fluxHeading") + QString::number(n + 1), flux, QString::number(n + 1), n);
    }
}

void addPositionGasHeat(QList<FieldDef> &f)
{
    const QString position = QStringLiteral("positionGroup");
    f << sortedField(QStringLiteral("groovePosition"), position, QStringLiteral("Position of Groove:"));
    f << sortedField(QStringLiteral("positionFillet"), position, QStringLiteral("Position of Fillet:"));
    f << sortedField(QStringLiteral("weldProgression"), position, QStringLiteral("Weld Progression:"));

    // Gas(es), mixture and flow rate in three columns, one row per gas.
    const QString gas = QStringLiteral("gasGroup");
    const QStringList rowLabels = {QStringLiteral("Shielding:"), QStringLiteral("Trailing:"), QStringLiteral("Backing:")};
    const QStringList suffixes = {QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("B")};
    const QStringList columns = {QStringLiteral("gas"), QStringLiteral("mixture"), QStringLiteral("flowRate")};
    for (int c = 0; c < columns.size(); ++c)
        for (int r = 0; r < suffixes.size(); ++r)
            f << sortedField(columns.at(c) + suffixes.at(r), gas, c == 0 ? rowLabels.at(r) : QString(), r + 2, c);
    f << headingField(QStringLiteral("compositionHeading"), gas, QStringLiteral("Percent Composition"), 1);
    f << fixedText(QStringLiteral("gasesHeading"), gas, QStringLiteral("Gas(es)"), 1, 0);
    f << fixedText(QStringLiteral("mixtureHeading"), gas, QStringLiteral("Mixture"), 1, 1);
    f << fixedText(QStringLiteral("flowRateHeading"), gas, QStringLiteral("Flow Rate"), 1, 2);

    const QString preheat = QStringLiteral("preheatGroup");
    f << sortedField(QStringLiteral("preheatMan"), preheat, QStringLiteral("Preheat Maintenance:"), 0, 0);
    f << sortedField(QStringLiteral("MinPreheatTemp"), preheat, QStringLiteral("Preheat Temperature:"), 1, 0);
    f << unitLabel(QStringLiteral("unitPreheatMin"), preheat, 1);
    f << sortedField(QStringLiteral("MaxInterpassTemp"), preheat, QStringLiteral("Interpass Temperature:"), 2, 0);
    f << unitLabel(QStringLiteral("unitInterMax"), preheat, 2);
    const QString postWeld = QStringLiteral("postWeldGroup");
    f << sortedField(QStringLiteral("postWeldTempRange"), postWeld, QStringLiteral("Temperature Range:"), 0, 0);
    f << unitLabel(QStringLiteral("unitPostWeldTemp"), postWeld, 0);
    f << sortedField(QStringLiteral("postWeldTimeRange"), postWeld, QStringLiteral("Time Range:"), 1, 0);
    addTemperatureRadios(f, QStringLiteral("temperatureUnitGroup"));
}

void addElectricalAndTechnique(QList<FieldDef> &f)
{
    const QString electrical = QStringLiteral("electricalGroup");
    f << sortedField(QStringLiteral("GMAWMode"), electrical, QStringLiteral("Mode of Metal Transfer for GMAW:"), 0, 0);
    f << sortedField(QStringLiteral("tungstenElecSize"), electrical, QStringLiteral("Tungsten Electrode Size:"), 1, 0);
    f << sortedField(QStringLiteral("tungstenElecType"), electrical, QStringLiteral("Type:"), 1, 1);
    f << sortedField(QStringLiteral("ElecWireSpeedRange"), electrical, QStringLiteral("Electrode Wire Feed Speed Range:"),
                     2, 0);
    f << sortedField(QStringLiteral("current"), electrical, QStringLiteral("Current AC/DC:"), 3, 0);
    f << sortedField(QStringLiteral("polarity"), electrical, QStringLiteral("Polarity:"), 3, 1);
    f << sortedField(QStringLiteral("ampRange"), electrical, QStringLiteral("Amps (Range):"), 4, 0);
    f << sortedField(QStringLiteral("voltRange"), electrical, QStringLiteral("Volts (Range):"), 4, 1);

    const QString technique = QStringLiteral("techniqueGroup");
    f << sortedField(QStringLiteral("orificeOrGasCupSize"), technique, QStringLiteral("Orifice or Gas Cup Size:"), 1, 0);
    f << sortedField(QStringLiteral("techniqueOther"), technique, QStringLiteral("Other:"), 9, 0);
    f << sortedField(QStringLiteral("SWBead"), technique, QStringLiteral("String or Weave Bead:"), 0, 0);
    f << sortedField(QStringLiteral("passPerSide"), technique, QStringLiteral("Multipass or Single Pass (per Side):"), 5, 0);
    f << sortedField(QStringLiteral("interpassCleaning"), technique, QStringLiteral("Initial and Interpass Cleaning:"), 2, 0);
    f << sortedField(QStringLiteral("oscillation"), technique, QStringLiteral("Oscillation:"), 4, 0);
    f << sortedField(QStringLiteral("contactTube"), technique, QStringLiteral("Contact Tube to Work Distance:"), 6, 0);
    f << sortedField(QStringLiteral("multiOrSingleElec"), technique, QStringLiteral("Multiple or Single Electrodes:"), 7, 0);
    f << sortedField(QStringLiteral("peening"), technique, QStringLiteral("Peening:"), 8, 0);
    f << sortedField(QStringLiteral("backGougingMethod"), technique, QStringLiteral("Methods of Backgouging:"), 3, 0);
}

void addTechniqueTable(QList<FieldDef> &f)
{
    const QString table = QStringLiteral("techniqueTableGroup");
    f << fixedText(QStringLiteral("techniqueHeading"), table, QStringLiteral("Techniques (QW-410)"), 0, 0);

    FieldDef units = gridField(QStringLiteral("ETUnit"), FieldKind::UnitRow, table, 1, 7, {},
                               {71, 47, 46, 43, 44, 54, 73});
    units.label = QStringLiteral("Units");
    units.grid.over = QStringLiteral("ETGrid");
    units.grid.overColumn = 2;
    f << units;

    FieldDef grid = makeField(QStringLiteral("ETGrid"), FieldKind::Grid, table, QString(), QString(), 1, 0);
    grid.grid.rows = 15;
    grid.grid.columns = 9;
    grid.grid.fixedRows = 1;
    // Amp., Volt and Other a little wider than designed: a range such as "150-180" fits in
    // this font.
    grid.grid.columnWidths = {52, 43, 73, 46, 46, 58, 58, 53, 84};
    grid.grid.columnTitles = {QStringLiteral("Weld Layers"), QStringLiteral("Process"), QStringLiteral("\nClass"),
                              QStringLiteral("\nDia."), QStringLiteral("\nPolarity"), QStringLiteral("\nAmp."),
                              QStringLiteral("Volt"), QStringLiteral("Travel Speed"), QStringLiteral("Other")};
    grid.grid.headings = GridHeadings::Drawn;
    for (int c = 0; c <= 5; ++c)
        grid.grid.alignments.insert(c, Qt::AlignRight);
    grid.grid.rowHeight = 20;
    grid.grid.bands = {{2, 3, QStringLiteral("Filler Metal")}, {4, 5, QStringLiteral("Current")}};
    grid.grid.bandsInTitleRow = true;
    f << grid;

    addUnitRadios(f, QStringLiteral("tensileTestUnitM"), QStringLiteral("tensileTestUnitI"),
                  QStringLiteral("techniqueUnitGroup"));
    const QString buttons = QStringLiteral("techniqueButtonGroup");
    addRowCommands(f, QStringLiteral("TensileTest"), buttons, grid.name);
    f << selectParamButton(QStringLiteral("ETGridSelectParam"), buttons, 2);
}

FormTable buildTable()
{
    FormTable t;
    t.description = TWPSR::description();
    t.pages = {
        {QStringLiteral("dataEntry1"), QStringLiteral("General Information")},
        {QStringLiteral("dataEntry2"), QStringLiteral("Joints")},
        {QStringLiteral("dataEntry3"), QStringLiteral("Joint Sketch")},
        {QStringLiteral("dataEntry4"), QStringLiteral("Base Metal")},
        {QStringLiteral("dataEntry5"), QStringLiteral("Base Metal II")},
        {QStringLiteral("dataEntry6"), QStringLiteral("Filler Metals")},
        {QStringLiteral("dataEntry7"), QStringLiteral("Filler Metal II")},
        {QStringLiteral("dataEntry8"), QStringLiteral("Position, Gas")},
        {QStringLiteral("dataEntry9"), QStringLiteral("Pre/Post Heat")},
        {QStringLiteral("dataEntry10"), QStringLiteral("Elec.Char.")},
        {QStringLiteral("dataEntry11"), QStringLiteral("Techniques I")},
        {QStringLiteral("dataEntry12"), QStringLiteral("Techniques II")},
    };
    t.groups = {
        makeGroup(QStringLiteral("userGroup"), QStringLiteral(" User Information "), GeneralPage, 0, 0),
        makeGroup(QStringLiteral("generalGroup"), QStringLiteral(" General Information "), GeneralPage, 1, 0),
        makeGroup(QStringLiteral("jointsGroup"), QStringLiteral(" Joints (QW-402) "), JointsPage, 0, 0),
        makeGroup(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        makeGroup(QStringLiteral("baseMetalGroup"), QStringLiteral(" Base Metal (QW-403) "), BaseMetalPage, 0, 0),
        makeGroup(QStringLiteral("thicknessGroup"), QStringLiteral(" Base Metal (QW-403) - Thickness, Others "),
                  BaseMetal2Page, 0, 0),
        makeGroup(QStringLiteral("fillerGroup"), QStringLiteral(" Filler Metals (QW-404) "), FillerPage, 0, 0),
        makeGroup(QStringLiteral("fluxGroup"), QStringLiteral(" Filler Metal (QW-404) "), Filler2Page, 0, 0),
        makeGroup(QStringLiteral("positionGroup"), QStringLiteral(" Position (QW-405) "), PositionGasPage, 0, 0),
        makeGroup(QStringLiteral("gasGroup"), QStringLiteral(" Gas (QW-408) "), PositionGasPage, 1, 0),
        makeGroup(QStringLiteral("preheatGroup"), QStringLiteral(" Preheat (QW-406) "), HeatPage, 0, 0),
        makeGroup(QStringLiteral("postWeldGroup"), QStringLiteral(" Post Weld Heat Treatment (QW-407) "), HeatPage, 1, 0),
        makeGroup(QStringLiteral("temperatureUnitGroup"), QString(), HeatPage, 2, 0),
        makeGroup(QStringLiteral("electricalGroup"), QStringLiteral(" Electrical Characteristics (QW-409) "),
                  ElectricalPage, 0, 0),
        makeGroup(QStringLiteral("techniqueGroup"), QStringLiteral(" Technique (QW-410) "), Technique1Page, 0, 0),
        makeGroup(QStringLiteral("techniqueTableGroup"), QString(), Technique2Page, 0, 0, 1, 2),
        makeGroup(QStringLiteral("techniqueUnitGroup"), QString(), Technique2Page, 1, 0),
        makeGroup(QStringLiteral("techniqueButtonGroup"), QString(), Technique2Page, 1, 1),
    };
    addGeneralAndJoints(t.fields);
    addBaseMetal(t.fields);
    addFillerMetals(t.fields);
    addPositionGasHeat(t.fields);
    addElectricalAndTechnique(t.fields);
    addTechniqueTable(t.fields);

    // The unit row: columns 0 to 5 are written, column 6 ("Other") is the user's.
    t.unitSwitches = {
        temperatureSwitch({QStringLiteral("unitPreheatMin"), QStringLiteral("unitInterMax"),
                           QStringLiteral("unitPostWeldTemp")}),
        unitRowSwitch(QStringLiteral("tensileTestUnitM"), QStringLiteral("tensileTestUnitI"), QStringLiteral("ETUnit"),
                      {QString(), QStringLiteral("mm"), QString(), QStringLiteral("Amp"), QStringLiteral("Volt"),
                       QStringLiteral("m/min")},
                      {QString(), QStringLiteral("in"), QString(), QStringLiteral("Amp"), QStringLiteral("Volt"),
                       QStringLiteral("ipm")}),
    };

    // "Select Parameters ...": the picked point goes into the current layer row; in Imperial the
    // unit row is written again as the Imperial switch writes it.
    using Item = ParameterTarget::Item;
    t.parameterTarget = {QStringLiteral("ETGrid"), false, 1, QStringLiteral("tensileTestUnitM"),
                         QStringLiteral("tensileTestUnitI"),
                         {{1, Item::Process}, {2, Item::Classification}, {3, Item::Diameter}, {4, Item::Polarity},
                          {5, Item::Amperage}, {6, Item::Voltage}},
                         -1, -1, {QStringLiteral("weldingProcess1")}};
    return t;
}

} // namespace

FormDescription TWPSR::description()
{
    FormDescription d;
    d.formType = QStringLiteral("WPSR");
    d.caption = QStringLiteral("Welding Procedure Specification (QW-482)");
    d.chooserText = QStringLiteral("Welding Procedure Specifications (WPS, QW-482)");
    d.chooserRow = 3;
    d.offeredAs = QStringLiteral("WPS (QW-482)");
    d.shownAs = QStringLiteral("WPS");
    d.knownAs = QStringLiteral("WPS, QW-482");
    d.reportTitle = QStringLiteral("WPS");
    d.role = FormRole::Procedure;
    d.numberKey = QStringLiteral("wpsNo");
    d.revisionKey = QStringLiteral("revisionNo");
    d.revisionDateKey = QStringLiteral("revisionDate");
    d.dateKey = QStringLiteral("wpsDate");
    d.processKeys = {QStringLiteral("weldingProcess1")};
    d.supportingKeys = {QStringLiteral("PQRNo")};
    return d;
}

const FormTable &TWPSR::formTable()
{
    static const FormTable table = buildTable();
    return table;
}

TWPSR::TWPSR(QWidget *parent) : FormWindow(formTable(), parent)
{
    FormCreate();
    addToolAction(QStringLiteral("CheckAgainstRecords1"), tr("Check Against Records..."),
                  [this] { CheckAgainstRecordsClick(); });
    addToolAction(QStringLiteral("QualifiedWelders1"), tr("Qualified Welders..."), [this] { QualifiedWeldersClick(); });
}

QString TWPSR::recordFolder() const
{
    if (!fileName().isEmpty())
        return QFileInfo(fileName()).absolutePath();
    const QString last = AppState::instance().lastOpenedPath();
    return last.isEmpty() ? QDir::currentPath() : QFileInfo(last).absolutePath();
}

void TWPSR::CheckAgainstRecordsClick()
{
    // The WPS as the window shows it, saved or not.
    const QualifyForm wps(QFileInfo(fileName()).fileName(), fieldTexts());
    const QString folder = recordFolder();
    QStringList proposed;
    {
        BusyCursor busy;
        proposed = RecordFinder::proposals(folder, wps.value(description().supportingKeys.value(0)));
    }
    TCheckRecordsDlg dialog(wps, folder, proposed, window());
    dialog.exec();
}

void TWPSR::QualifiedWeldersClick()
{
    // The WPS as the window shows it, saved or not.
    TQualifiedWeldersDlg dialog(QualifyForm(QFileInfo(fileName()).fileName(), fieldTexts()), recordFolder(), window());
    dialog.exec();
}

void TWPSR::connectHandlers()
{
    // The title row is 40 high: the caption boxes take its upper half.
    grid(QStringLiteral("ETGrid"))->setTitleRowHeight(40);

    // Shown on this window; it does something once a parameter plot is installed.
    auto *selectParam = fieldAs<QPushButton>(QStringLiteral("ETGridSelectParam"));
    selectParam->setEnabled(hasParameterPlot());
    connect(selectParam, &QPushButton::clicked, this, &TWPSR::ETGridSelectParamClick);
}

} // namespace Brenvik
