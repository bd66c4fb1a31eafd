#include "forms/wpds/twpds.h"

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "document/gridcolumncommands.h"
#include "userdata/userproperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace Brenvik {

namespace {

const QString kWeldingProcessPair = QStringLiteral("WPDS_weldingProcess1 WPDS_weldingProcess2");
const QString kShieldingGasPair = QStringLiteral("WPDS_shieldingGasType1 WPDS_shieldingGasType2");

enum Page { GeneralPage, Welding1Page, Welding2Page, SketchPage, MaterialPage, ParameterPage, NotesPage };

// Table rows are written out one line per field; these keep each line short.
FieldDef sorted(const QString &name, const QString &group, const QString &label, int row = -1, int column = 0,
                 const QString &labelName = QString())
{
    FieldDef f;
    f.name = name;
    f.kind = FieldKind::SortedCombo;
    f.group = group;
    f.label = label;
    f.labelName = labelName;
    f.buttons = FieldButtons::SaveDelete;
    f.row = row;
    f.column = column;
    return f;
}

FieldDef make(const QString &name, FieldKind kind, const QString &group, const QString &label,
               const QString &text = QString(), int row = -1, int column = 0)
{
    FieldDef f;
    f.name = name;
    f.kind = kind;
    f.group = group;
    f.label = label;
    f.text = text;
    f.row = row;
    f.column = column;
    if (kind == FieldKind::Memo) {
        f.buttons = FieldButtons::Memo;
        f.fixedHeight = 70;
    }
    return f;
}

FieldDef heading(const QString &name, const QString &group, const QString &text, int column)
{
    FieldDef f = make(name, FieldKind::Label, group, QString(), text, 0, column);
    return f;
}

GroupDef group(const QString &name, const QString &caption, int page, int row, int column,
                int rowSpan = 1, int columnSpan = 1)
{
    GroupDef g;
    g.name = name;
    g.caption = caption;
    g.page = page;
    g.row = row;
    g.column = column;
    g.rowSpan = rowSpan;
    g.columnSpan = columnSpan;
    return g;
}

FormTable buildTable()
{
    FormTable t;
    t.formType = QStringLiteral("WPDS");
    t.caption = QStringLiteral("Welding Procedure Data Sheet");
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
        group(QStringLiteral("documentGroup"), QStringLiteral(" Data Sheet "), GeneralPage, 0, 0),
        group(QStringLiteral("companyGroup"), QStringLiteral(" Company "), GeneralPage, 1, 0),
        group(QStringLiteral("jointGroup"), QStringLiteral(" Joint "), Welding1Page, 0, 0),
        group(QStringLiteral("processGroup"), QStringLiteral(" Welding Processes "), Welding1Page, 1, 0),
        group(QStringLiteral("backingGroup"), QStringLiteral(" Backing "), Welding2Page, 0, 0),
        group(QStringLiteral("backgougingGroup"), QStringLiteral(" Backgouging "), Welding2Page, 0, 1),
        group(QStringLiteral("tungstenGroup"), QStringLiteral(" Tungsten Electrode "), Welding2Page, 1, 0),
        group(QStringLiteral("otherGroup"), QStringLiteral(" Electrode, Nozzle and Flux "), Welding2Page, 1, 1),
        group(QStringLiteral("techniqueGroup"), QStringLiteral(" Technique "), Welding2Page, 2, 0),
        group(QStringLiteral("cleaningGroup"), QStringLiteral(" Cleaning Procedure "), Welding2Page, 2, 1),
        group(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        group(QStringLiteral("baseMetalGroup"), QStringLiteral(" Base Metal "), MaterialPage, 0, 0),
        group(QStringLiteral("fillerGroup"), QStringLiteral(" Filler Material "), MaterialPage, 1, 0),
        group(QStringLiteral("parameterGroup"), QString(), ParameterPage, 0, 0, 1, 2),
        group(QStringLiteral("parameterUnitGroup"), QStringLiteral(" Units "), ParameterPage, 1, 0),
        group(QStringLiteral("columnGroup"), QString(), ParameterPage, 1, 1),
        group(QStringLiteral("temperatureGroup"), QStringLiteral(" Temperatures "), NotesPage, 0, 0),
        group(QStringLiteral("temperatureUnitGroup"), QStringLiteral(" Temperature Unit "), NotesPage, 0, 1),
        group(QStringLiteral("postWeldGroup"), QStringLiteral(" Postweld Heat Treatment "), NotesPage, 1, 0, 1, 2),
        group(QStringLiteral("remarksGroup"), QStringLiteral(" Remarks "), NotesPage, 2, 0, 1, 2),
    };

    QList<FieldDef> &f = t.fields;
    const QString doc = QStringLiteral("documentGroup");
    FieldDef date = make(QStringLiteral("wpdsDate"), FieldKind::Date, doc, QStringLiteral("Date:"));
    date.labelName = QStringLiteral("Date");
    date.dateAfterWalk = true;
    f << date;
    f << sorted(QStringLiteral("wpdsNo"), doc, QStringLiteral("WPDS No.:"), -1, 0, QStringLiteral("WPDS_NO"));
    f << sorted(QStringLiteral("rev"), doc, QStringLiteral("Revision No.:"), -1, 0, QStringLiteral("RevisionNo"));
    f << sorted(QStringLiteral("refStandards"), doc, QStringLiteral("Reference Standard:"));
    f << sorted(QStringLiteral("refWPQR"), doc, QStringLiteral("Reference WPQR:"));
    f << sorted(QStringLiteral("refWPS"), doc, QStringLiteral("Reference WPS:"));
    const QString company = QStringLiteral("companyGroup");
    FieldDef companyName = make(QStringLiteral("companyName"), FieldKind::Edit, company, QStringLiteral("Company Name:"));
    companyName.labelName = QStringLiteral("Company_Name");
    companyName.buttons = FieldButtons::UserInfo;
    f << companyName;
    f << make(QStringLiteral("address"), FieldKind::Edit, company, QStringLiteral("Address:"));

    const QString joint = QStringLiteral("jointGroup");
    const QString process = QStringLiteral("processGroup");
    f << sorted(QStringLiteral("position"), joint, QStringLiteral("Position:"), 0, 0);
    f << sorted(QStringLiteral("processMode1"), process, QStringLiteral("Process Mode:"), 3, 0, QStringLiteral("Process_Mode"));
    f << sorted(QStringLiteral("jointType"), joint, QStringLiteral("Joint Type:"), 1, 0);
    f << sorted(QStringLiteral("penetration"), joint, QStringLiteral("Penetration:"), 2, 0);
    f << sorted(QStringLiteral("weldingProcess1"), process, QStringLiteral("Welding Process:"), 1, 0, QStringLiteral("weldingProcesses"));
    f << sorted(QStringLiteral("weldingProcess2"), process, QString(), 1, 1);
    f << sorted(QStringLiteral("shieldingGasType1"), process, QStringLiteral("Shielding Gas:"), 2, 0);
    f << sorted(QStringLiteral("shieldingGasType2"), process, QString(), 2, 1);
    f << sorted(QStringLiteral("processMode2"), process, QString(), 3, 1);
    f << make(QStringLiteral("pulsed1"), FieldKind::Check, process, QStringLiteral("Pulsed:"), QStringLiteral("Yes"), 4, 0);
    f << make(QStringLiteral("pulsed2"), FieldKind::Check, process, QString(), QStringLiteral("Yes"), 4, 1);
    f << heading(QStringLiteral("process1Heading"), process, QStringLiteral("Process 1"), 0);
    f << heading(QStringLiteral("process2Heading"), process, QStringLiteral("Process 2"), 1);

    f << sorted(QStringLiteral("material"), QStringLiteral("backingGroup"), QStringLiteral("Material:"));
    f << sorted(QStringLiteral("thickness"), QStringLiteral("backingGroup"), QStringLiteral("Thickness:"));
    f << make(QStringLiteral("ifBackgouging"), FieldKind::Check, QStringLiteral("backgougingGroup"), QString(),
              QStringLiteral("Backgouging?"));
    f << sorted(QStringLiteral("method"), QStringLiteral("backgougingGroup"), QStringLiteral("Method:"));
    f << sorted(QStringLiteral("depth"), QStringLiteral("backgougingGroup"), QStringLiteral("Depth:"));
    f << sorted(QStringLiteral("TungstenElectrodeType"), QStringLiteral("tungstenGroup"), QStringLiteral("Type:"));
    f << sorted(QStringLiteral("diameter"), QStringLiteral("tungstenGroup"), QStringLiteral("Diameter:"));
    f << make(QStringLiteral("technique"), FieldKind::Memo, QStringLiteral("techniqueGroup"), QString());
    f << sorted(QStringLiteral("electrodeExtension"), QStringLiteral("otherGroup"), QStringLiteral("Electrode Ext.:"));
    f << sorted(QStringLiteral("nozzleDiameter"), QStringLiteral("otherGroup"), QStringLiteral("Nozzle Dia.:"));
    f << sorted(QStringLiteral("fluxClassification"), QStringLiteral("otherGroup"), QStringLiteral("SAW Flux Class'n:"));
    f << make(QStringLiteral("cleaningProcedure"), FieldKind::Memo, QStringLiteral("cleaningGroup"), QString());

    FieldDef image = make(QStringLiteral("imageGroup"), FieldKind::ImageGroup, QStringLiteral("sketchGroup"), QString(),
                           QStringLiteral("Joint Configuration,  Pass/Layer Sequence"));
    f << image;
    f << make(QStringLiteral("imageIfResize"), FieldKind::Check, QStringLiteral("sketchGroup"), QString(),
              QStringLiteral("Resize Image"));
    f << make(QStringLiteral("imageSourceFile"), FieldKind::AlignedEdit, QStringLiteral("sketchGroup"), QString());

    const QString base = QStringLiteral("baseMetalGroup");
    const QString filler = QStringLiteral("fillerGroup");
    f << heading(QStringLiteral("partIHeading"), base, QStringLiteral("Part I"), 0);
    f << heading(QStringLiteral("partIIHeading"), base, QStringLiteral("Part II"), 1);
    f << sorted(QStringLiteral("IBMSpec1"), base, QStringLiteral("Spec. && Grade:"), 1, 0, QStringLiteral("Base_Material"));
    f << sorted(QStringLiteral("IBMThickness1"), base, QStringLiteral("Thickness/Dia.:"), 2, 0);
    f << sorted(QStringLiteral("IBMReq1"), base, QStringLiteral("Special Req.:"), 3, 0);
    f << sorted(QStringLiteral("IBMSpec2"), base, QString(), 1, 1);
    f << sorted(QStringLiteral("IBMThickness2"), base, QString(), 2, 1);
    f << sorted(QStringLiteral("IBMReq2"), base, QString(), 3, 1);
    f << heading(QStringLiteral("filler1Heading"), filler, QStringLiteral("Filler 1"), 0);
    f << heading(QStringLiteral("filler2Heading"), filler, QStringLiteral("Filler 2"), 1);
    f << sorted(QStringLiteral("IFMProcess1"), filler, QStringLiteral("Process:"), 1, 0);
    f << sorted(QStringLiteral("IFMTradeName1"), filler, QStringLiteral("Trade Name:"), 2, 0);
    f << sorted(QStringLiteral("IFMClassification1"), filler, QStringLiteral("Classification:"), 3, 0);
    f << sorted(QStringLiteral("IFMGroup1"), filler, QStringLiteral("Group:"), 4, 0);
    f << sorted(QStringLiteral("IFMFIllerTreatment1"), filler, QStringLiteral("Filler Treatment:"), 5, 0);
    f << sorted(QStringLiteral("IFMProcess2"), filler, QString(), 1, 1);
    f << sorted(QStringLiteral("IFMTradeName2"), filler, QString(), 2, 1);
    f << sorted(QStringLiteral("IFMGroup2"), filler, QString(), 4, 1);
    f << sorted(QStringLiteral("IFMClassification2"), filler, QString(), 3, 1);
    f << sorted(QStringLiteral("IFMFIllerTreatment2"), filler, QString(), 5, 1);

    FieldDef grid = make(QStringLiteral("weldingParameters"), FieldKind::Grid, QStringLiteral("parameterGroup"), QString());
    grid.grid.rows = 15;
    grid.grid.columns = 10;
    grid.grid.fixedRows = 1;
    grid.grid.fixedColumns = 1;
    grid.grid.columnWidths = {100, 45, 64};
    grid.grid.rowTitles = TWPDS::parameterTitles();
    grid.grid.columnTitles = {QString(), QStringLiteral("Unit")};
    for (int pass = 1; pass <= 8; ++pass)
        grid.grid.columnTitles << QString::number(pass);
    grid.grid.encoding = GridEncoding::RowTitle;
    f << grid;
    f << make(QStringLiteral("parameterUnitImperial"), FieldKind::Radio, QStringLiteral("parameterUnitGroup"), QString(),
              QStringLiteral("Imperial"), 0, 1);
    f << make(QStringLiteral("parameterUnitMetric"), FieldKind::Radio, QStringLiteral("parameterUnitGroup"), QString(),
              QStringLiteral("Metric"), 0, 0);
    f << make(QStringLiteral("selectParam"), FieldKind::Button, QStringLiteral("columnGroup"), QString(),
              QStringLiteral("Select Parameters ..."), 0, 0);
    f << make(QStringLiteral("dupRowWS"), FieldKind::Button, QStringLiteral("columnGroup"), QString(),
              QStringLiteral("Duplicate Column"), 0, 1);
    f << make(QStringLiteral("delRowWS"), FieldKind::Button, QStringLiteral("columnGroup"), QString(),
              QStringLiteral("Delete Column"), 0, 2);

    // "Select Parameters ...": the picked point goes into the current pass column.
    using Item = ParameterTarget::Item;
    t.parameterTarget = {QStringLiteral("weldingParameters"), true, 2, QStringLiteral("parameterUnitMetric"), QString(),
                         {{5, Item::Process}, {6, Item::Diameter}, {7, Item::FeedSpeed}, {8, Item::Amperage},
                          {9, Item::Voltage}, {10, Item::Polarity}}};

    const QString temp = QStringLiteral("temperatureGroup");
    f << make(QStringLiteral("preheatMin"), FieldKind::Edit, temp, QStringLiteral("Preheat Min.:"), QString(), 0, 0);
    f << make(QStringLiteral("unitPreheatMin"), FieldKind::Label, temp, QString(), QStringLiteral("°C"), 0, 1);
    f << make(QStringLiteral("InterPassMin"), FieldKind::Edit, temp, QStringLiteral("Interpass Temperature Min.:"), QString(), 1, 0);
    f << make(QStringLiteral("unitInterMin"), FieldKind::Label, temp, QString(), QStringLiteral("°C"), 1, 1);
    f << make(QStringLiteral("InterpassMax"), FieldKind::Edit, temp, QStringLiteral("Interpass Temperature Max.:"), QString(), 2, 0);
    f << make(QStringLiteral("unitInterMax"), FieldKind::Label, temp, QString(), QStringLiteral("°C"), 2, 1);
    f << make(QStringLiteral("unitTC"), FieldKind::Radio, QStringLiteral("temperatureUnitGroup"), QString(), QStringLiteral("°C"));
    f << make(QStringLiteral("unitTF"), FieldKind::Radio, QStringLiteral("temperatureUnitGroup"), QString(), QStringLiteral("°F"));
    f << make(QStringLiteral("postWeldTreatment"), FieldKind::Memo, QStringLiteral("postWeldGroup"), QString());
    f << make(QStringLiteral("remarks"), FieldKind::Memo, QStringLiteral("remarksGroup"), QString());
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
    onClick(QStringLiteral("unitTC"), [this] { unitTCClick(); });
    onClick(QStringLiteral("unitTF"), [this] { unitTCClick(); });
    onClick(QStringLiteral("parameterUnitMetric"), [this] { parameterUnitMetricClick(); });
    onClick(QStringLiteral("parameterUnitImperial"), [this] { parameterUnitMetricClick(); });

    auto *selectParam = fieldAs<QPushButton>(QStringLiteral("selectParam"));
    connect(selectParam, &QPushButton::clicked, this, &FormWindow::selectParamClick);
    // The column commands act on the grid's current cell, which the button's focus leaves alone.
    connect(fieldAs<QPushButton>(QStringLiteral("dupRowWS")), &QPushButton::clicked, this, &TWPDS::dupRowWSClick);
    connect(fieldAs<QPushButton>(QStringLiteral("delRowWS")), &QPushButton::clicked, this, &TWPDS::delRowWSClick);

    // dataEntry5Enter also runs when the keyboard focus enters that page from elsewhere.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        QWidget *page = PageControl1()->widget(MaterialPage);
        if (now && page->isAncestorOf(now) && !(old && page->isAncestorOf(old)))
            dataEntry5Enter();
    });

    TypedGrid *g = grid(QStringLiteral("weldingParameters"));
    g->setRowHeightAll(20);
}

void TWPDS::screenSetUp()
{
    auto *standards = fieldAs<QComboBox>(QStringLiteral("refStandards"));
    standards->clear();
    standards->addItems({QStringLiteral("AWS D1.1"), QStringLiteral("CSA W47.1")});
    // The grid titles come with the table (every reset writes them back).
}

void TWPDS::resetDefaults()
{
    setCheckedState(field(QStringLiteral("pulsed1")), false);
    setCheckedState(field(QStringLiteral("pulsed2")), false);
}

void TWPDS::applyUnitDefaults()
{
    unitTCClick();
    parameterUnitMetricClick();
}

void TWPDS::afterOpenWalk()
{
    relabelTemperature();
}

void TWPDS::afterLoad()
{
    updateBackgougingEnabled();
}

void TWPDS::pageEntered(int page)
{
    if (page == Welding2Page)
        dataEntry3Enter();
    else if (page == MaterialPage)
        dataEntry5Enter();
}

void TWPDS::dataEntry3Enter()
{
    const QString p1 = fieldAs<QComboBox>(QStringLiteral("weldingProcess1"))->currentText();
    const QString p2 = fieldAs<QComboBox>(QStringLiteral("weldingProcess2"))->currentText();

    auto setEnabled = [this](const QString &name, bool enabled) {
        if (!enabled)
            fieldAs<QComboBox>(name)->setEditText(QString());
        field(name)->setEnabled(enabled);
        if (QLabel *label = labelOf(name))
            label->setEnabled(enabled);
        for (QWidget *b : buttonsOf(name))
            b->setEnabled(enabled);
    };
    // Exact case, as the process names are stored.
    const bool gtaw = p1 == QLatin1String("GTAW") || p2 == QLatin1String("GTAW");
    setEnabled(QStringLiteral("TungstenElectrodeType"), gtaw);
    setEnabled(QStringLiteral("diameter"), gtaw);
    groupBox(QStringLiteral("tungstenGroup"))->setEnabled(gtaw);
    const bool saw = p1 == QLatin1String("SAW") || p2 == QLatin1String("SAW");
    setEnabled(QStringLiteral("fluxClassification"), saw);
}

void TWPDS::dataEntry5Enter()
{
    auto takeOver = [this](const QString &target, const QString &source) {
        auto *box = fieldAs<QComboBox>(target);
        if (box->currentText().isEmpty())
            box->setEditText(fieldAs<QComboBox>(source)->currentText());
    };
    takeOver(QStringLiteral("IFMProcess1"), QStringLiteral("weldingProcess1"));
    takeOver(QStringLiteral("IFMProcess2"), QStringLiteral("weldingProcess2"));
}

void TWPDS::ifBackgougingClick()
{
    const bool checked = fieldAs<QCheckBox>(QStringLiteral("ifBackgouging"))->isChecked();
    for (const QString &name : {QStringLiteral("method"), QStringLiteral("depth")}) {
        auto *box = fieldAs<QComboBox>(name);
        box->setEditText(checked ? QString() : QStringLiteral("N/A"));
        box->setEnabled(checked);
    }
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

void TWPDS::relabelTemperature()
{
    const bool fahrenheit = fieldAs<QRadioButton>(QStringLiteral("unitTF"))->isChecked();
    const QString unit = fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
    for (const QString &name : {QStringLiteral("unitPreheatMin"), QStringLiteral("unitInterMin"), QStringLiteral("unitInterMax")})
        fieldAs<QLabel>(name)->setText(unit);
}

void TWPDS::unitTCClick()
{
    auto *celsius = fieldAs<QRadioButton>(QStringLiteral("unitTC"));
    auto *fahrenheit = fieldAs<QRadioButton>(QStringLiteral("unitTF"));
    if (!celsius->isChecked() && !fahrenheit->isChecked())
        celsius->setChecked(true);
    relabelTemperature();
    ChangeFlag();
}

void TWPDS::writeParameterUnits()
{
    static const QStringList metric = {QStringLiteral("mm"), QStringLiteral("mm"), QString(), QString(), QString(),
                                       QStringLiteral("mm"), QStringLiteral("mm/min"), QStringLiteral("Amp"),
                                       QStringLiteral("Volt"), QString(), QStringLiteral("mm/min"),
                                       QStringLiteral("mm/min"), QStringLiteral("l/min"), QStringLiteral("kJ/mm")};
    static const QStringList imperial = {QStringLiteral("inch"), QStringLiteral("inch"), QString(), QString(), QString(),
                                         QStringLiteral("inch"), QStringLiteral("ipm"), QStringLiteral("Amp"),
                                         QStringLiteral("Volt"), QString(), QStringLiteral("ipm"),
                                         QStringLiteral("ipm"), QStringLiteral("cfh"), QStringLiteral("kJ/in")};
    const bool isImperial = fieldAs<QRadioButton>(QStringLiteral("parameterUnitImperial"))->isChecked();
    const QStringList &units = isImperial ? imperial : metric;
    TypedGrid *g = grid(QStringLiteral("weldingParameters"));
    for (int r = 0; r < units.size(); ++r)
        g->setCell(r + 1, 1, units.at(r));
}

void TWPDS::parameterUnitMetricClick()
{
    auto *metric = fieldAs<QRadioButton>(QStringLiteral("parameterUnitMetric"));
    auto *imperial = fieldAs<QRadioButton>(QStringLiteral("parameterUnitImperial"));
    if (!metric->isChecked() && !imperial->isChecked())
        metric->setChecked(true);
    writeParameterUnits();
    ChangeFlag();
}

void TWPDS::dupRowWSClick()
{
    ChangeFlag();
    TypedGrid *g = grid(QStringLiteral("weldingParameters"));
    GridCells cells = values().grids.value(QStringLiteral("weldingParameters"));
    int column = g->currentColumn();
    if (!GridColumnCommands::duplicateColumn(cells, column))
        return;
    for (int r = 1; r < cells.size(); ++r)
        for (int c = 0; c < cells.at(r).size(); ++c)
            if (g->cell(r, c) != cells.at(r).at(c))
                g->setCell(r, c, cells.at(r).at(c));
    g->setCurrentCell(qMax(1, g->currentRow()), column);
}

void TWPDS::delRowWSClick()
{
    ChangeFlag();
    TypedGrid *g = grid(QStringLiteral("weldingParameters"));
    GridCells cells = values().grids.value(QStringLiteral("weldingParameters"));
    if (!GridColumnCommands::deleteColumn(cells, g->currentColumn()))
        return;
    for (int r = 1; r < cells.size(); ++r)
        for (int c = 0; c < cells.at(r).size(); ++c)
            if (g->cell(r, c) != cells.at(r).at(c))
                g->setCell(r, c, cells.at(r).at(c));
}

void TWPDS::boundSave(QComboBox *box)
{
    const QString name = box->objectName();
    if (name.startsWith(QLatin1String("weldingProcess")))
        userPropertyWeldingProcessSaveClick(box);
    else if (name.startsWith(QLatin1String("shieldingGasType")))
        sGasTypePropertySaveClick(box);
    else
        userPropertySaveClick(box);
}

void TWPDS::boundDelete(QComboBox *box)
{
    const QString name = box->objectName();
    if (name.startsWith(QLatin1String("weldingProcess")))
        userPropertyWeldingProcessDelClick(box);
    else if (name.startsWith(QLatin1String("shieldingGasType")))
        sGasTypePropertyDelClick(box);
    else
        userPropertyDelClick(box);
}

void TWPDS::userPropertyWeldingProcessSaveClick(QComboBox *box)
{
    UserProperties::saveLinkedPair(formType(), box, fieldAs<QComboBox>(QStringLiteral("weldingProcess1")),
                                   fieldAs<QComboBox>(QStringLiteral("weldingProcess2")), kWeldingProcessPair,
                                   sortedComboBoxes());
}

void TWPDS::userPropertyWeldingProcessDelClick(QComboBox *box)
{
    UserProperties::delLinkedPair(formType(), box, fieldAs<QComboBox>(QStringLiteral("weldingProcess1")),
                                  fieldAs<QComboBox>(QStringLiteral("weldingProcess2")), kWeldingProcessPair,
                                  sortedComboBoxes());
}

void TWPDS::sGasTypePropertySaveClick(QComboBox *box)
{
    UserProperties::saveLinkedPair(formType(), box, fieldAs<QComboBox>(QStringLiteral("shieldingGasType1")),
                                   fieldAs<QComboBox>(QStringLiteral("shieldingGasType2")), kShieldingGasPair,
                                   sortedComboBoxes());
}

void TWPDS::sGasTypePropertyDelClick(QComboBox *box)
{
    UserProperties::delLinkedPair(formType(), box, fieldAs<QComboBox>(QStringLiteral("shieldingGasType1")),
                                  fieldAs<QComboBox>(QStringLiteral("shieldingGasType2")), kShieldingGasPair,
                                  sortedComboBoxes());
}

} // namespace Brenvik
