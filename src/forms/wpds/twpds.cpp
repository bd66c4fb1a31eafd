#include "forms/wpds/twpds.h"

#include "document/formdocument.h"

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "userdata/userproperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace Brenvik {

namespace {

enum Page { GeneralPage, Welding1Page, Welding2Page, SketchPage, MaterialPage, ParameterPage, NotesPage };

FormTable buildTable()
{
    FormTable t;
    t.description = TWPDS::description();
    t.pages = {
        {QStringLiteral("dataEntry1"), QStringLiteral("General Information")},
        {QStringLiteral("dataEntry2"), QStringLiteral("Welding Information I")},
        {QStringLiteral("dataEntry3"), QStringLiteral("Welding Information II")},
        {QStringLiteral("dataEntry4"), QStringLiteral("Joint Sketch")},
        {QStringLiteral("dataEntry5"), QStringLiteral("Base Metal & Filler Material")},
        {QStringLiteral("TabSheet2"), QStringLiteral("Welding Parameters")},
        {QStringLiteral("TabSheet3"), QStringLiteral("Heat Treatment and Notes")},
    };
    t.groups = {
        makeGroup(QStringLiteral("documentGroup"), QStringLiteral(" Data Sheet "), GeneralPage, 0, 0),
        makeGroup(QStringLiteral("companyGroup"), QStringLiteral(" Company "), GeneralPage, 1, 0),
        makeGroup(QStringLiteral("jointGroup"), QStringLiteral(" Joint "), Welding1Page, 0, 0),
        makeGroup(QStringLiteral("processGroup"), QStringLiteral(" Welding Processes "), Welding1Page, 1, 0),
        makeGroup(QStringLiteral("backingGroup"), QStringLiteral(" Backing "), Welding2Page, 0, 0),
        makeGroup(QStringLiteral("backgougingGroup"), QStringLiteral(" Backgouging "), Welding2Page, 0, 1),
        makeGroup(QStringLiteral("tungstenGroup"), QStringLiteral(" Tungsten Electrode "), Welding2Page, 1, 0),
        makeGroup(QStringLiteral("otherGroup"), QStringLiteral(" Electrode, Nozzle and Flux "), Welding2Page, 1, 1),
        makeGroup(QStringLiteral("techniqueGroup"), QStringLiteral(" Technique "), Welding2Page, 2, 0),
        makeGroup(QStringLiteral("cleaningGroup"), QStringLiteral(" Cleaning Procedure "), Welding2Page, 2, 1),
        makeGroup(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        makeGroup(QStringLiteral("baseMetalGroup"), QStringLiteral(" Base Metal "), MaterialPage, 0, 0),
        makeGroup(QStringLiteral("fillerGroup"), QStringLiteral(" Filler Material "), MaterialPage, 1, 0),
        makeGroup(QStringLiteral("parameterGroup"), QString(), ParameterPage, 0, 0, 1, 2),
        makeGroup(QStringLiteral("parameterUnitGroup"), QStringLiteral(" Units "), ParameterPage, 1, 0),
        makeGroup(QStringLiteral("columnGroup"), QString(), ParameterPage, 1, 1),
        makeGroup(QStringLiteral("temperatureGroup"), QStringLiteral(" Temperatures "), NotesPage, 0, 0),
        makeGroup(QStringLiteral("temperatureUnitGroup"), QStringLiteral(" Temperature Unit "), NotesPage, 0, 1),
        makeGroup(QStringLiteral("postWeldGroup"), QStringLiteral(" Postweld Heat Treatment "), NotesPage, 1, 0, 1, 2),
        makeGroup(QStringLiteral("remarksGroup"), QStringLiteral(" Remarks "), NotesPage, 2, 0, 1, 2),
    };

    QList<FieldDef> &f = t.fields;
    const QString doc = QStringLiteral("documentGroup");
    FieldDef date = makeField(QStringLiteral("wpdsDate"), FieldKind::Date, doc, QStringLiteral("Date:"));
    date.labelName = QStringLiteral("Date");
    date.dateAfterWalk = true;
    f << date;
    f << sortedField(QStringLiteral("wpdsNo"), doc, QStringLiteral("WPDS No.:"), -1, 0, QStringLiteral("WPDS_NO"));
    f << sortedField(QStringLiteral("rev"), doc, QStringLiteral("Revision No.:"), -1, 0, QStringLiteral("RevisionNo"));
    f << sortedField(QStringLiteral("refStandards"), doc, QStringLiteral("Reference Standard:"));
    f << sortedField(QStringLiteral("refWPQR"), doc, QStringLiteral("Reference WPQR:"));
    f << sortedField(QStringLiteral("refWPS"), doc, QStringLiteral("Reference WPS:"));
    const QString company = QStringLiteral("companyGroup");
    f << companyField(company);
    f << makeField(QStringLiteral("address"), FieldKind::Edit, company, QStringLiteral("Address:"));

    const QString joint = QStringLiteral("jointGroup");
    const QString process = QStringLiteral("processGroup");
    f << sortedField(QStringLiteral("position"), joint, QStringLiteral("Position:"), 0, 0);
    f << sortedField(QStringLiteral("processMode1"), process, QStringLiteral("Process Mode:"), 3, 0, QStringLiteral("Process_Mode"));
    f << sortedField(QStringLiteral("jointType"), joint, QStringLiteral("Joint Type:"), 1, 0);
    f << sortedField(QStringLiteral("penetration"), joint, QStringLiteral("Penetration:"), 2, 0);
    f << sortedField(QStringLiteral("weldingProcess1"), process, QStringLiteral("Welding Process:"), 1, 0, QStringLiteral("weldingProcesses"));
    f << sortedField(QStringLiteral("weldingProcess2"), process, QString(), 1, 1);
    f << sortedField(QStringLiteral("shieldingGasType1"), process, QStringLiteral("Shielding Gas:"), 2, 0);
    f << sortedField(QStringLiteral("shieldingGasType2"), process, QString(), 2, 1);
    f << sortedField(QStringLiteral("processMode2"), process, QString(), 3, 1);
    f << makeField(QStringLiteral("pulsed1"), FieldKind::Check, process, QStringLiteral("Pulsed:"), QStringLiteral("Yes"), 4, 0);
    f << makeField(QStringLiteral("pulsed2"), FieldKind::Check, process, QString(), QStringLiteral("Yes"), 4, 1);
    f << headingField(QStringLiteral("process1Heading"), process, QStringLiteral("Process 1"), 0);
    f << headingField(QStringLiteral("process2Heading"), process, QStringLiteral("Process 2"), 1);

    f << sortedField(QStringLiteral("material"), QStringLiteral("backingGroup"), QStringLiteral("Material:"));
    f << sortedField(QStringLiteral("thickness"), QStringLiteral("backingGroup"), QStringLiteral("Thickness:"));
    f << makeField(QStringLiteral("ifBackgouging"), FieldKind::Check, QStringLiteral("backgougingGroup"), QString(),
              QStringLiteral("Backgouging?"));
    f << sortedField(QStringLiteral("method"), QStringLiteral("backgougingGroup"), QStringLiteral("Method:"));
    f << sortedField(QStringLiteral("depth"), QStringLiteral("backgougingGroup"), QStringLiteral("Depth:"));
    f << sortedField(QStringLiteral("TungstenElectrodeType"), QStringLiteral("tungstenGroup"), QStringLiteral("Type:"));
    f << sortedField(QStringLiteral("diameter"), QStringLiteral("tungstenGroup"), QStringLiteral("Diameter:"));
    f << makeField(QStringLiteral("technique"), FieldKind::Memo, QStringLiteral("techniqueGroup"), QString());
    f << sortedField(QStringLiteral("electrodeExtension"), QStringLiteral("otherGroup"), QStringLiteral("Electrode Ext.:"));
    f << sortedField(QStringLiteral("nozzleDiameter"), QStringLiteral("otherGroup"), QStringLiteral("Nozzle Dia.:"));
    f << sortedField(QStringLiteral("fluxClassification"), QStringLiteral("otherGroup"), QStringLiteral("SAW Flux Class'n:"));
    f << makeField(QStringLiteral("cleaningProcedure"), FieldKind::Memo, QStringLiteral("cleaningGroup"), QString());

    // This sketch has no description.
    addSketchFields(f, QStringLiteral("sketchGroup"), QStringLiteral("Joint Configuration,  Pass/Layer Sequence"), false);

    const QString base = QStringLiteral("baseMetalGroup");
    const QString filler = QStringLiteral("fillerGroup");
    f << headingField(QStringLiteral("partIHeading"), base, QStringLiteral("Part I"), 0);
    f << headingField(QStringLiteral("partIIHeading"), base, QStringLiteral("Part II"), 1);
    f << sortedField(QStringLiteral("IBMSpec1"), base, QStringLiteral("Spec. && Grade:"), 1, 0, QStringLiteral("Base_Material"));
    f << sortedField(QStringLiteral("IBMThickness1"), base, QStringLiteral("Thickness/Dia.:"), 2, 0);
    f << sortedField(QStringLiteral("IBMReq1"), base, QStringLiteral("Special Req.:"), 3, 0);
    f << sortedField(QStringLiteral("IBMSpec2"), base, QString(), 1, 1);
    f << sortedField(QStringLiteral("IBMThickness2"), base, QString(), 2, 1);
    f << sortedField(QStringLiteral("IBMReq2"), base, QString(), 3, 1);
    f << headingField(QStringLiteral("filler1Heading"), filler, QStringLiteral("Filler 1"), 0);
    f << headingField(QStringLiteral("filler2Heading"), filler, QStringLiteral("Filler 2"), 1);
    f << sortedField(QStringLiteral("IFMProcess1"), filler, QStringLiteral("Process:"), 1, 0);
    f << sortedField(QStringLiteral("IFMTradeName1"), filler, QStringLiteral("Trade Name:"), 2, 0);
    f << sortedField(QStringLiteral("IFMClassification1"), filler, QStringLiteral("Classification:"), 3, 0);
    f << sortedField(QStringLiteral("IFMGroup1"), filler, QStringLiteral("Group:"), 4, 0);
    f << sortedField(QStringLiteral("IFMFIllerTreatment1"), filler, QStringLiteral("Filler Treatment:"), 5, 0);
    f << sortedField(QStringLiteral("IFMProcess2"), filler, QString(), 1, 1);
    f << sortedField(QStringLiteral("IFMTradeName2"), filler, QString(), 2, 1);
    f << sortedField(QStringLiteral("IFMGroup2"), filler, QString(), 4, 1);
    f << sortedField(QStringLiteral("IFMClassification2"), filler, QString(), 3, 1);
    f << sortedField(QStringLiteral("IFMFIllerTreatment2"), filler, QString(), 5, 1);

    QStringList columnTitles = {QString(), QStringLiteral("Unit")};
    for (int pass = 1; pass <= 8; ++pass)
        columnTitles << QString::number(pass);
    FieldDef grid = gridField(QStringLiteral("weldingParameters"), FieldKind::Grid, QStringLiteral("parameterGroup"), 15,
                              10, columnTitles, {100, 45, 64});
    grid.grid.fixedColumns = 1;
    grid.grid.rowTitles = TWPDS::parameterTitles();
    grid.grid.encoding = GridEncoding::RowTitle;
    f << grid;
    f << makeField(QStringLiteral("parameterUnitImperial"), FieldKind::Radio, QStringLiteral("parameterUnitGroup"), QString(),
              QStringLiteral("Imperial"), 0, 1);
    f << makeField(QStringLiteral("parameterUnitMetric"), FieldKind::Radio, QStringLiteral("parameterUnitGroup"), QString(),
              QStringLiteral("Metric"), 0, 0);
    const QString columns = QStringLiteral("columnGroup");
    f << selectParamButton(QStringLiteral("selectParam"), columns, 0);
    f << commandButton(QStringLiteral("dupRowWS"), columns, QStringLiteral("Duplicate Column"), 1,
                       GridCommand::DuplicateColumn, grid.name);
    f << commandButton(QStringLiteral("delRowWS"), columns, QStringLiteral("Delete Column"), 2,
                       GridCommand::DeleteColumn, grid.name);

    // "Select Parameters ...": the picked point goes into the current pass column; the heat
    // input (row 14) follows the new volts and amperes at the pass's welding speed (row 11).
    using Item = ParameterTarget::Item;
    t.parameterTarget = {QStringLiteral("weldingParameters"), true, 2, QStringLiteral("parameterUnitMetric"), QString(),
                         {{5, Item::Process}, {6, Item::Diameter}, {7, Item::FeedSpeed}, {8, Item::Amperage},
                          {9, Item::Voltage}, {10, Item::Polarity}},
                         11, 14, {QStringLiteral("weldingProcess1"), QStringLiteral("weldingProcess2")}};

    const QString temp = QStringLiteral("temperatureGroup");
    f << makeField(QStringLiteral("preheatMin"), FieldKind::Edit, temp, QStringLiteral("Preheat Min.:"), QString(), 0, 0);
    f << unitLabel(QStringLiteral("unitPreheatMin"), temp, 0);
    f << makeField(QStringLiteral("InterPassMin"), FieldKind::Edit, temp, QStringLiteral("Interpass Temperature Min.:"), QString(), 1, 0);
    f << unitLabel(QStringLiteral("unitInterMin"), temp, 1);
    f << makeField(QStringLiteral("InterpassMax"), FieldKind::Edit, temp, QStringLiteral("Interpass Temperature Max.:"), QString(), 2, 0);
    f << unitLabel(QStringLiteral("unitInterMax"), temp, 2);
    f << makeField(QStringLiteral("unitTC"), FieldKind::Radio, QStringLiteral("temperatureUnitGroup"), QString(), QStringLiteral("°C"));
    f << makeField(QStringLiteral("unitTF"), FieldKind::Radio, QStringLiteral("temperatureUnitGroup"), QString(), QStringLiteral("°F"));
    f << makeField(QStringLiteral("postWeldTreatment"), FieldKind::Memo, QStringLiteral("postWeldGroup"), QString());
    f << makeField(QStringLiteral("remarks"), FieldKind::Memo, QStringLiteral("remarksGroup"), QString());

    UnitSwitchDef parameterUnits;
    parameterUnits.metric = QStringLiteral("parameterUnitMetric");
    parameterUnits.imperial = QStringLiteral("parameterUnitImperial");
    parameterUnits.grid = grid.name;
    for (int r = 1; r <= 14; ++r)
        parameterUnits.cells.append({r, 1});
    parameterUnits.metricUnits = {QStringLiteral("mm"), QStringLiteral("mm"), QString(), QString(), QString(),
                                  QStringLiteral("mm"), QStringLiteral("mm/min"), QStringLiteral("Amp"),
                                  QStringLiteral("Volt"), QString(), QStringLiteral("mm/min"),
                                  QStringLiteral("mm/min"), QStringLiteral("l/min"), QStringLiteral("kJ/mm")};
    parameterUnits.imperialUnits = {QStringLiteral("inch"), QStringLiteral("inch"), QString(), QString(), QString(),
                                    QStringLiteral("inch"), QStringLiteral("ipm"), QStringLiteral("Amp"),
                                    QStringLiteral("Volt"), QString(), QStringLiteral("ipm"),
                                    QStringLiteral("ipm"), QStringLiteral("cfh"), QStringLiteral("kJ/in")};
    t.unitSwitches = {temperatureSwitch({QStringLiteral("unitPreheatMin"), QStringLiteral("unitInterMin"),
                                         QStringLiteral("unitInterMax")}),
                      parameterUnits};
    t.rules.resetDefaults = [](FormDocument &d) {
        d.setChecked(QStringLiteral("pulsed1"), false);
        d.setChecked(QStringLiteral("pulsed2"), false);
    };
    t.rules.onClick.insert(QStringLiteral("ifBackgouging"), &TWPDS::backgougingRule);
    t.linkedPairs = {{QStringLiteral("weldingProcess1"), QStringLiteral("weldingProcess2"),
                      QStringLiteral("WPDS_weldingProcess1 WPDS_weldingProcess2")},
                     {QStringLiteral("shieldingGasType1"), QStringLiteral("shieldingGasType2"),
                      QStringLiteral("WPDS_shieldingGasType1 WPDS_shieldingGasType2")}};
    return t;
}

} // namespace

const QStringList &TWPDS::parameterTitles()
{
    static const QStringList titles = {
        QStringLiteral("Thickness"), QStringLiteral("Weld Size/ETT"), QStringLiteral("Layer"),
        QStringLiteral("Pass Number"), QStringLiteral("Welding Process"), QStringLiteral("Diameter"),
        QStringLiteral("Wire Feed Speed"), QStringLiteral("Current"), QStringLiteral("Volt"),
        QStringLiteral("Current Polarity"), QStringLiteral("Welding Speed"), QStringLiteral("Burn-off Rate"),
        QStringLiteral("Gas Flow Rate"), QStringLiteral("Heat Input")};
    return titles;
}

FormDescription TWPDS::description()
{
    FormDescription d;
    d.formType = QStringLiteral("WPDS");
    d.caption = QStringLiteral("Welding Procedure Data Sheet");
    d.chooserText = d.caption;
    d.chooserRow = 0;
    d.offeredAs = d.formType;
    d.shownAs = d.formType;
    d.knownAs = QStringLiteral("data sheet");
    d.reportTitle = d.formType;
    d.numberKey = QStringLiteral("wpdsNo");
    d.revisionKey = QStringLiteral("rev");
    d.dateKey = QStringLiteral("wpdsDate");
    d.addressKey = QStringLiteral("address");
    d.processKeys = {QStringLiteral("weldingProcess1"), QStringLiteral("weldingProcess2")};
    d.supportingKeys = {QStringLiteral("refWPQR"), QStringLiteral("refWPS")};
    return d;
}

const FormTable &TWPDS::formTable()
{
    static const FormTable table = buildTable();
    return table;
}

TWPDS::TWPDS(QWidget *parent) : FormWindow(formTable(), parent)
{
    FormCreate();
}

void TWPDS::connectHandlers()
{
    onClick(QStringLiteral("ifBackgouging"), [this] { ifBackgougingClick(); });
    onPageShown(Welding2Page, [this] { dataEntry3Enter(); });
    onPageShown(MaterialPage, [this] { dataEntry5Enter(); });

    auto *selectParam = fieldAs<QPushButton>(QStringLiteral("selectParam"));
    connect(selectParam, &QPushButton::clicked, this, &FormWindow::selectParamClick);

    // dataEntry5Enter also runs when the keyboard focus enters that page from elsewhere.
    onFocusEntersPage(MaterialPage, [this] { dataEntry5Enter(); });
}

void TWPDS::screenSetUp()
{
    auto *standards = fieldAs<QComboBox>(QStringLiteral("refStandards"));
    standards->clear();
    standards->addItems({QStringLiteral("AWS D1.1"), QStringLiteral("CSA W47.1")});
    // The grid titles come with the table (every reset writes them back).
}

void TWPDS::afterLoad()
{
    updateBackgougingEnabled();
}

void TWPDS::backgougingRule(FormDocument &document)
{
    // Without backgouging its method and depth read "N/A"; with it they are to be filled.
    const bool checked = document.values().checks.value(QStringLiteral("ifBackgouging"));
    for (const QString &name : {QStringLiteral("method"), QStringLiteral("depth")})
        document.setText(name, checked ? QString() : QStringLiteral("N/A"));
}

void TWPDS::processRule(FormDocument &document)
{
    // Exact case, as the process names are stored.
    const QString p1 = document.text(QStringLiteral("weldingProcess1"));
    const QString p2 = document.text(QStringLiteral("weldingProcess2"));
    if (p1 != QLatin1String("GTAW") && p2 != QLatin1String("GTAW")) {
        document.setText(QStringLiteral("TungstenElectrodeType"), QString());
        document.setText(QStringLiteral("diameter"), QString());
    }
    if (p1 != QLatin1String("SAW") && p2 != QLatin1String("SAW"))
        document.setText(QStringLiteral("fluxClassification"), QString());
}

void TWPDS::processCopyRule(FormDocument &document)
{
    // An empty filler-metal process takes the welding process of its column.
    for (const auto &[target, source] : {std::pair{QStringLiteral("IFMProcess1"), QStringLiteral("weldingProcess1")},
                                         std::pair{QStringLiteral("IFMProcess2"), QStringLiteral("weldingProcess2")}})
        if (document.text(target).isEmpty())
            document.setText(target, document.text(source));
}

void TWPDS::dataEntry3Enter()
{
    runRule(&TWPDS::processRule);
    const QString p1 = fieldAs<QComboBox>(QStringLiteral("weldingProcess1"))->currentText();
    const QString p2 = fieldAs<QComboBox>(QStringLiteral("weldingProcess2"))->currentText();
    auto setEnabled = [this](const QString &name, bool enabled) {
        field(name)->setEnabled(enabled);
        if (QLabel *label = labelOf(name))
            label->setEnabled(enabled);
        for (QWidget *b : buttonsOf(name))
            b->setEnabled(enabled);
    };
    const bool gtaw = p1 == QLatin1String("GTAW") || p2 == QLatin1String("GTAW");
    setEnabled(QStringLiteral("TungstenElectrodeType"), gtaw);
    setEnabled(QStringLiteral("diameter"), gtaw);
    groupBox(QStringLiteral("tungstenGroup"))->setEnabled(gtaw);
    const bool saw = p1 == QLatin1String("SAW") || p2 == QLatin1String("SAW");
    setEnabled(QStringLiteral("fluxClassification"), saw);
}

void TWPDS::dataEntry5Enter()
{
    runRule(&TWPDS::processCopyRule);
}

void TWPDS::ifBackgougingClick()
{
    runRule(&TWPDS::backgougingRule);
    updateBackgougingEnabled();
    ChangeFlag();
}

void TWPDS::updateBackgougingEnabled()
{
    const bool checked = fieldAs<QCheckBox>(QStringLiteral("ifBackgouging"))->isChecked();
    for (const QString &name : {QStringLiteral("method"), QStringLiteral("depth")}) {
        field(name)->setEnabled(checked);
        for (QWidget *b : buttonsOf(name))
            b->setEnabled(checked);
    }
}

} // namespace Brenvik
