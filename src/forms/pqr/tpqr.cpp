#include "forms/pqr/tpqr.h"

#include "controls/typedgrid.h"
#include "document/formdocument.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace Brenvik {

namespace {

enum Page {
    GeneralPage,
    Welding1Page,
    Welding2Page,
    SequencePage,
    SketchPage,
    TensilePage,
    BendPage,
    Other1Page,
    Other2Page
};

void addGeneralPages(FormTable &t)
{
    QList<FieldDef> &f = t.fields;
    const QString general = QStringLiteral("generalGroup");
    f << sortedField(QStringLiteral("wpdsNo"), general, QStringLiteral("WPDS NO.:"), 0, 0, QStringLiteral("WPDS_NO"));
    f << sortedField(QStringLiteral("welderName"), general, QStringLiteral("Welder's Name:"), 0, 1);
    f << sortedField(QStringLiteral("Witness"), general, QStringLiteral("Witness:"), 2, 1);
    f << sortedField(QStringLiteral("wpsNo"), general, QStringLiteral("WPS No.:"), 1, 0);
    f << sortedField(QStringLiteral("welderID"), general, QStringLiteral("Welder ID:"), 1, 1);
    f << sortedField(QStringLiteral("refStandards"), general, QStringLiteral("Ref. Standard:"), 2, 0);
    f << makeField(QStringLiteral("testPlateNo"), FieldKind::Edit, general, QStringLiteral("Test Plate No.:"), QString(), 3, 1);
    FieldDef testDate = makeField(QStringLiteral("wpdsDate"), FieldKind::Date, general, QStringLiteral("Test Date:"),
                                  QString(), 3, 0);
    testDate.labelName = QStringLiteral("Date");
    testDate.dateAfterWalk = true;
    f << testDate;

    const QString user = QStringLiteral("userGroup");
    f << companyField(user);
    f << makeField(QStringLiteral("locationOfTest"), FieldKind::Edit, user, QStringLiteral("Location of Test:"));

    const QString info = QStringLiteral("weldingInfoGroup");
    f << sortedField(QStringLiteral("weldingPosition"), info, QStringLiteral("Welding Positions:"), 0, 0);
    FieldDef base1 = makeField(QStringLiteral("baseMaterial1Heading"), FieldKind::Label, info,
                               QStringLiteral("Base Materials:"), QStringLiteral("1"), 1, 0);
    base1.labelName = QStringLiteral("baseMaterial");
    f << base1;
    f << fixedText(QStringLiteral("baseMaterial2Heading"), info, QStringLiteral("2"), 1, 1);
    f << sortedField(QStringLiteral("specification1"), info, QStringLiteral("Specification:"), 2, 0,
                     QStringLiteral("Base_Material"));
    f << sortedField(QStringLiteral("specification2"), info, QString(), 2, 1);
    f << sortedField(QStringLiteral("grade1"), info, QStringLiteral("Grade:"), 3, 0);
    f << sortedField(QStringLiteral("grade2"), info, QString(), 3, 1);
    f << makeField(QStringLiteral("preheatTemperature"), FieldKind::Edit, info, QStringLiteral("Preheat Temperature:"),
                   QString(), 4, 0);
    f << unitLabelBeside(QStringLiteral("unitPreheatMin"), info, QStringLiteral("preheatTemperature"));
    // The line reads "Max." first; the keys still come minimum first.
    f << makeField(QStringLiteral("minInterT"), FieldKind::Edit, info, QStringLiteral("Min.:"), QString(), 5, 1);
    f << unitLabelBeside(QStringLiteral("unitInterMin"), info, QStringLiteral("minInterT"));
    f << makeField(QStringLiteral("maxInterT"), FieldKind::Edit, info, QStringLiteral("Interpass Temperature:   Max.:"),
                   QString(), 5, 0);
    f << unitLabelBeside(QStringLiteral("unitInterMax"), info, QStringLiteral("maxInterT"));
    addTemperatureRadios(f, info, 6);
    FieldDef postWeld = makeField(QStringLiteral("postWeldTreatment"), FieldKind::Memo, info,
                                  QStringLiteral("Post-Weld Treatment:"), QString(), 7, 0);
    postWeld.columnSpan = 2;
    postWeld.fixedHeight = 60;
    f << postWeld;
    FieldDef cleaning = makeField(QStringLiteral("cleaningProcedures"), FieldKind::Memo, info,
                                  QStringLiteral("Cleaning Procedures:"), QString(), 8, 0);
    cleaning.columnSpan = 2;
    cleaning.fixedHeight = 60;
    f << cleaning;
}

void addProcessPage(FormTable &t)
{
    QList<FieldDef> &f = t.fields;
    const QString backgouging = QStringLiteral("backgougingGroup");
    const QString tungsten = QStringLiteral("tungstenGroup");
    const QString process = QStringLiteral("processGroup");
    const QString gas = QStringLiteral("gasGroup");
    f << sortedField(QStringLiteral("BackgougingMethod"), backgouging, QStringLiteral("Method:"));
    f << sortedField(QStringLiteral("BackgougingDepth"), backgouging, QStringLiteral("Depth:"));
    f << sortedField(QStringLiteral("TungstenElectrodeType"), tungsten, QStringLiteral("Type:"));
    f << sortedField(QStringLiteral("diameter"), tungsten, QStringLiteral("Diameter:"));
    f << sortedField(QStringLiteral("weldingProcess"), process, QStringLiteral("Welding Process:"), 0, 0,
                     QStringLiteral("weldingProcesses"));
    FieldDef mode = plainSorted(QStringLiteral("ProcessMode"), process, QStringLiteral("Process Mode:"), 1, 0);
    mode.labelName = QStringLiteral("Process_Mode");
    f << mode;
    f << fixedText(QStringLiteral("classificationHeading"), process, QStringLiteral("Classification"), 2, 0);
    f << fixedText(QStringLiteral("tradeNameHeading"), process, QStringLiteral("Trade Name"), 2, 1);
    f << fixedText(QStringLiteral("manufacturerHeading"), process, QStringLiteral("Manufacturer"), 2, 2);
    f << sortedField(QStringLiteral("tradeNameA"), process, QString(), 3, 1);
    f << sortedField(QStringLiteral("manufacturerA"), process, QString(), 3, 2);
    f << sortedField(QStringLiteral("tradeNameF"), process, QString(), 4, 1);
    f << sortedField(QStringLiteral("manufacturerF"), process, QString(), 4, 2);
    f << sortedField(QStringLiteral("shieldingGT"), gas, QStringLiteral("Shielding Gas Type:"), 0, 0);
    f << sortedField(QStringLiteral("nozzleSize"), gas, QStringLiteral("Nozzle Size:"), 0, 1);
    f << sortedField(QStringLiteral("flowRate"), gas, QStringLiteral("Flow Rate:"), 1, 0);
    f << plainSorted(QStringLiteral("currentType"), gas, QStringLiteral("Current Type, Polarity:"), 1, 1);
    f << plainSorted(QStringLiteral("ifCE"), gas, QStringLiteral("Certified Electrode Used?"), 2, 0);
    f << sortedField(QStringLiteral("EExt"), gas, QStringLiteral("Electrode Extension:"), 2, 1);
    f << sortedField(QStringLiteral("classificationA"), process, QStringLiteral("Filler Metal:"), 3, 0);
    f << sortedField(QStringLiteral("classificationF"), process, QStringLiteral("SAW Flux:"), 4, 0);
}

void addSequenceAndSketchPages(FormTable &t)
{
    QList<FieldDef> &f = t.fields;
    const QString sequence = QStringLiteral("sequenceGroup");
    FieldDef grid = gridField(QStringLiteral("weldingSequence"), FieldKind::Grid, sequence, 16, 8,
                              {QStringLiteral("Side"), QStringLiteral("Layer"), QStringLiteral("Pass"),
                               QStringLiteral("Size"), QStringLiteral("W.Feed Speed"), QStringLiteral("Amperes"),
                               QStringLiteral("Volts"), QStringLiteral("Arc Travel Speed")});
    grid.grid.columnWidths = {56, 56, 56, 72};
    grid.grid.alignments = {{0, Qt::AlignHCenter}};
    grid.grid.bands = {{0, 2, QStringLiteral("Welding Sequence")},
                       {3, 4, QStringLiteral("Filler Metal")},
                       {5, 7, QStringLiteral("Arc Parameters")}};
    f << grid;
    FieldDef units = gridField(QStringLiteral("weldingSequenceUnit"), FieldKind::UnitRow, sequence, 1, 5, {});
    units.label = QStringLiteral("Units");
    units.grid.over = grid.name;
    units.grid.overColumn = 3;
    f << units;
    addUnitRadios(f, QStringLiteral("weldingSequenceUnitM"), QStringLiteral("weldingSequenceUnitI"),
                  QStringLiteral("sequenceUnitGroup"));
    const QString buttons = QStringLiteral("sequenceButtonGroup");
    addRowCommands(f, QStringLiteral("WS"), buttons, grid.name);
    f << selectParamButton(QStringLiteral("selectParam"), buttons, 2);

    addSketchFields(f, QStringLiteral("sketchGroup"), QStringLiteral("Joint Sketch,  Pass/Layer Sequence"));
}

void addTestPages(FormTable &t)
{
    QList<FieldDef> &f = t.fields;
    addTensileTest(f, QStringLiteral("Unit"));

    FieldDef bend = gridField(QStringLiteral("BendTest"), FieldKind::Grid, QStringLiteral("bendGroup"), 10, 4,
                              {QStringLiteral("Specimen No."), QStringLiteral("Type of Bend"), QStringLiteral("Result"),
                               QStringLiteral("Remarks")});
    bend.grid.columnWidths = {100, 100, 100, 300};
    bend.grid.alignments = {{0, Qt::AlignHCenter}};
    bend.grid.dropDowns = {{1, {QStringLiteral("Face"), QStringLiteral("Root"), QStringLiteral("Side")}},
                           {2, {QStringLiteral("Pass"), QStringLiteral("Fail")}}};
    f << bend;
    addRowCommands(f, QStringLiteral("BendTest"), QStringLiteral("bendButtonGroup"), bend.name);

    const QString visual = QStringLiteral("visualGroup");
    f << sortedField(QStringLiteral("appearence"), visual, QStringLiteral("Appearance: "), 0, 0);
    f << sortedField(QStringLiteral("vWitness"), visual, QStringLiteral("Evaluated By:"), 0, 1);
    f << sortedField(QStringLiteral("undercut"), visual, QStringLiteral("Undercut:"), 1, 0);
    f << sortedField(QStringLiteral("pipingPorosity"), visual, QStringLiteral("Piping Porosity:"), 1, 1);
    f << sortedField(QStringLiteral("convexity"), visual, QStringLiteral("Convexity:"), 2, 0);
    FieldDef evaluated = makeField(QStringLiteral("vTestDate"), FieldKind::Date, visual, QStringLiteral("Evaluation Date:"),
                                   QString(), 2, 1);
    evaluated.dateAfterWalk = true;
    f << evaluated;
    f << makeField(QStringLiteral("otherTests"), FieldKind::Memo, QStringLiteral("otherTestsGroup"), QString());
    f.last().fixedHeight = 120;

    const QString rt = QStringLiteral("examinationGroup");
    f << plainSorted(QStringLiteral("rtResult"), rt, QStringLiteral("Result:"), 0, 0);
    f << plainSorted(QStringLiteral("utResult"), rt, QStringLiteral("Result:"), 1, 0);
    f << makeField(QStringLiteral("rtReportNo"), FieldKind::Edit, rt, QStringLiteral("RT Report No.:"), QString(), 0, 1);
    f << makeField(QStringLiteral("utReportNo"), FieldKind::Edit, rt, QStringLiteral("UT Report No.:"), QString(), 1, 1);
    FieldDef fillet = gridField(QStringLiteral("filletWeldTestT"), FieldKind::Grid, QStringLiteral("filletGroup"), 4, 3,
                                {QString(), QStringLiteral("Multiple Pass\nMin Size"),
                                 QStringLiteral("Single Pass\nMax Size")});
    fillet.grid.fixedColumns = 1;
    fillet.grid.columnWidths = {40, 110};
    fillet.grid.headings = GridHeadings::Drawn;
    fillet.grid.rowTitles = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    fillet.grid.keepTitleColumnOnRead = true;
    fillet.grid.alignments = {{0, Qt::AlignHCenter}, {1, Qt::AlignHCenter}, {2, Qt::AlignHCenter}};
    fillet.grid.dropDowns = {{1, {QStringLiteral("Pass"), QStringLiteral("Fail")}},
                             {2, {QStringLiteral("Pass"), QStringLiteral("Fail")}}};
    fillet.grid.alwaysShowEditor = true;
    f << fillet;
}

FormTable buildTable()
{
    FormTable t;
    t.description = TPQR::description();
    t.userInfoHint = QStringLiteral("Import from file");
    t.pages = {
        {QStringLiteral("dataEntry1"), QStringLiteral("General Information")},
        {QStringLiteral("dataEntry2"), QStringLiteral("Welding Information I")},
        {QStringLiteral("dataEntry3"), QStringLiteral("Welding Information II")},
        {QStringLiteral("TabSheet1"), QStringLiteral("Welding Sequence")},
        {QStringLiteral("dataEntry4"), QStringLiteral("Joint Sketch")},
        {QStringLiteral("dataEntry5"), QStringLiteral("Tensile Test")},
        {QStringLiteral("TabSheet2"), QStringLiteral("Guided Bend Test")},
        {QStringLiteral("TabSheet3"), QStringLiteral("Other Tests I")},
        {QString(), QStringLiteral("Other Tests II")},
    };
    t.groups = {
        makeGroup(QStringLiteral("generalGroup"), QStringLiteral(" General Information "), GeneralPage, 0, 0),
        makeGroup(QStringLiteral("userGroup"), QStringLiteral(" User Information "), GeneralPage, 1, 0),
        makeGroup(QStringLiteral("weldingInfoGroup"), QStringLiteral(" Welding Information "), Welding1Page, 0, 0),
        makeGroup(QStringLiteral("processGroup"), QString(), Welding2Page, 0, 0, 1, 2),
        makeGroup(QStringLiteral("gasGroup"), QString(), Welding2Page, 1, 0, 1, 2),
        makeGroup(QStringLiteral("backgougingGroup"), QStringLiteral(" Backgouging "), Welding2Page, 2, 0),
        makeGroup(QStringLiteral("tungstenGroup"), QStringLiteral(" Tungsten Electrode "), Welding2Page, 2, 1),
        makeGroup(QStringLiteral("sequenceGroup"), QString(), SequencePage, 0, 0, 1, 2),
        makeGroup(QStringLiteral("sequenceUnitGroup"), QString(), SequencePage, 1, 0),
        makeGroup(QStringLiteral("sequenceButtonGroup"), QString(), SequencePage, 1, 1),
        makeGroup(QStringLiteral("sketchGroup"), QString(), SketchPage, 0, 0),
        makeGroup(QStringLiteral("tensileGroup"), QString(), TensilePage, 0, 0, 1, 2),
        makeGroup(QStringLiteral("tensileUnitGroup"), QString(), TensilePage, 1, 0),
        makeGroup(QStringLiteral("tensileButtonGroup"), QString(), TensilePage, 1, 1),
        makeGroup(QStringLiteral("bendGroup"), QString(), BendPage, 0, 0),
        makeGroup(QStringLiteral("bendButtonGroup"), QString(), BendPage, 1, 0),
        makeGroup(QStringLiteral("visualGroup"), QStringLiteral(" Visual Inspection "), Other1Page, 0, 0),
        makeGroup(QStringLiteral("otherTestsGroup"), QStringLiteral(" Other Tests "), Other1Page, 1, 0),
        makeGroup(QStringLiteral("examinationGroup"), QStringLiteral(" Radiographic-Ultrasonic Examination "),
                  Other2Page, 0, 0),
        makeGroup(QStringLiteral("filletGroup"), QStringLiteral(" Fillet Weld Macroetch Test Results "), Other2Page, 1, 0),
    };
    addGeneralPages(t);
    addProcessPage(t);
    addSequenceAndSketchPages(t);
    addTestPages(t);

    t.unitSwitches = {
        temperatureSwitch({QStringLiteral("unitPreheatMin"), QStringLiteral("unitInterMin"),
                           QStringLiteral("unitInterMax")}),
        tensileUnitSwitch(),
        unitRowSwitch(QStringLiteral("weldingSequenceUnitM"), QStringLiteral("weldingSequenceUnitI"),
                      QStringLiteral("weldingSequenceUnit"),
                      {QStringLiteral("mm"), QStringLiteral("mm/min"), QStringLiteral("Amp"), QStringLiteral("Volt"),
                       QStringLiteral("mm/min")},
                      {QStringLiteral("in"), QStringLiteral("ipm"), QStringLiteral("Amp"), QStringLiteral("Volt"),
                       QStringLiteral("ipm")}),
    };

    // "Select Parameters ...": the picked point goes into the current sequence row.
    using Item = ParameterTarget::Item;
    t.parameterTarget = {QStringLiteral("weldingSequence"), false, 1, QStringLiteral("weldingSequenceUnitM"), QString(),
                         {{3, Item::Diameter}, {4, Item::FeedSpeed}, {5, Item::Amperage}, {6, Item::Voltage}},
                         -1, -1, {QStringLiteral("weldingProcess")}};
    // The fillet test grid's first column keeps its row labels, whatever a file holds there.
    t.rules.afterLoad = [](FormDocument &d) {
        const QString name = QStringLiteral("filletWeldTestT");
        const QStringList &labels = d.table().field(name)->grid.rowTitles;
        for (int r = 0; r < labels.size(); ++r)
            d.setCell(name, r + 1, 0, labels.at(r));
    };
    return t;
}

} // namespace

FormDescription TPQR::description()
{
    // A PQR is known by its test plate: that is the number a WPS cites as its supporting PQR.
    FormDescription d;
    d.formType = QStringLiteral("PQR");
    d.caption = QStringLiteral("Welding Procedure Qualification Report");
    d.chooserText = d.caption;
    d.chooserRow = 2;
    d.offeredAs = d.formType;
    d.shownAs = d.formType;
    d.knownAs = QStringLiteral("test plate report");
    d.numberKey = QStringLiteral("testPlateNo");
    d.dateKey = QStringLiteral("wpdsDate");
    d.addressKey = QStringLiteral("locationOfTest");
    d.processKeys = {QStringLiteral("weldingProcess")};
    d.supportingKeys = {QStringLiteral("wpdsNo"), QStringLiteral("wpsNo")};
    return d;
}

const FormTable &TPQR::formTable()
{
    static const FormTable table = buildTable();
    return table;
}

TPQR::TPQR(QWidget *parent) : FormWindow(formTable(), parent)
{
    FormCreate();
}

bool TPQR::namesProcess(const QString &processText, const QString &process)
{
    if (processText == process)
        return true;
    // Blanks around the name alone make another process ("GTAW " is not "GTAW").
    if (processText.trimmed() == process)
        return false;
    static const QRegularExpression separators(QStringLiteral("[^A-Za-z0-9]+"));
    return processText.split(separators, Qt::SkipEmptyParts).contains(process);
}

void TPQR::connectHandlers()
{
    onChange(QStringLiteral("weldingProcess"), [this] { weldingProcessChange(); });
    onPageShown(Welding2Page, [this] { dataEntry3Enter(); }, PagePaths::EveryPath);
    onFocusEntersPage(Welding2Page, [this] { dataEntry3Enter(); });
    // Shown on this window; it does something once a parameter plot is installed.
    auto *selectParam = fieldAs<QPushButton>(QStringLiteral("selectParam"));
    selectParam->setEnabled(hasParameterPlot());
    connect(selectParam, &QPushButton::clicked, this, &FormWindow::selectParamClick);
}

void TPQR::screenSetUp()
{
    auto *certified = fieldAs<QComboBox>(QStringLiteral("ifCE"));
    certified->clear();
    certified->addItems({QStringLiteral("N/A"), QStringLiteral("No"), QStringLiteral("Yes")});
    certified->setMaxVisibleItems(3);
}

void TPQR::afterLoad()
{
    // The fields show the state of the process they belong to; their texts are left for the
    // rule itself (page 3 shown, the process changed).
    applyProcessRule(false);
}

void TPQR::dataEntry3Enter()
{
    applyProcessRule(true);
}

void TPQR::weldingProcessChange()
{
    applyProcessRule(true);
    ChangeFlag();
}

void TPQR::setRowEnabled(const QString &name, bool enabled)
{
    field(name)->setEnabled(enabled);
    if (QLabel *label = labelOf(name))
        label->setEnabled(enabled);
    for (QWidget *b : buttonsOf(name))
        b->setEnabled(enabled);
}

void TPQR::processRule(FormDocument &document)
{
    const QString process = document.text(QStringLiteral("weldingProcess"));
    if (!namesProcess(process, QStringLiteral("GTAW"))) {
        document.setText(QStringLiteral("TungstenElectrodeType"), QString());
        document.setText(QStringLiteral("diameter"), QString());
    }
    // Only the classification is emptied; trade name and manufacturer keep their text.
    if (!namesProcess(process, QStringLiteral("SAW")))
        document.setText(QStringLiteral("classificationF"), QString());
}

void TPQR::applyProcessRule(bool emptyDisabled)
{
    if (emptyDisabled)
        runRule(&TPQR::processRule);
    const QString process = fieldAs<QComboBox>(QStringLiteral("weldingProcess"))->currentText();
    const bool gtaw = namesProcess(process, QStringLiteral("GTAW"));
    for (const QString &name : {QStringLiteral("TungstenElectrodeType"), QStringLiteral("diameter")})
        setRowEnabled(name, gtaw);
    groupBox(QStringLiteral("tungstenGroup"))->setEnabled(gtaw);
    const bool saw = namesProcess(process, QStringLiteral("SAW"));
    for (const QString &name : {QStringLiteral("classificationF"), QStringLiteral("tradeNameF"), QStringLiteral("manufacturerF")})
        setRowEnabled(name, saw);
}

} // namespace Brenvik
