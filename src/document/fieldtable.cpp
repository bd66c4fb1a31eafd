#include "document/fieldtable.h"

namespace Brenvik {

bool isStoredKind(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Edit:
    case FieldKind::AlignedEdit:
    case FieldKind::Combo:
    case FieldKind::SortedCombo:
    case FieldKind::Check:
    case FieldKind::Radio:
    case FieldKind::Memo:
    case FieldKind::Date:
    case FieldKind::Grid:
    case FieldKind::UnitRow:
        return true;
    case FieldKind::Label:
    case FieldKind::Button:
    case FieldKind::Custom:
    case FieldKind::ImageGroup:
        break;
    }
    return false;
}

const FieldDef *FormTable::field(const QString &name) const
{
    for (const FieldDef &f : fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

const GroupDef *FormTable::group(const QString &name) const
{
    for (const GroupDef &g : groups)
        if (g.name == name)
            return &g;
    return nullptr;
}

int FormTable::pageOf(const FieldDef &f) const
{
    const GroupDef *g = group(f.group);
    return g ? g->page : -1;
}

QStringList FormTable::pageCaptions() const
{
    QStringList out;
    for (const PageDef &p : pages)
        out << p.caption;
    return out;
}

FieldDef sortedField(const QString &name, const QString &group, const QString &label, int row, int column,
                     const QString &labelName)
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

FieldDef makeField(const QString &name, FieldKind kind, const QString &group, const QString &label,
                   const QString &text, int row, int column)
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

FieldDef headingField(const QString &name, const QString &group, const QString &text, int column)
{
    return makeField(name, FieldKind::Label, group, QString(), text, 0, column);
}

GroupDef makeGroup(const QString &name, const QString &caption, int page, int row, int column, int rowSpan,
                   int columnSpan)
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

FieldDef plainSorted(const QString &name, const QString &group, const QString &label, int row, int column)
{
    FieldDef f = sortedField(name, group, label, row, column);
    f.buttons = FieldButtons::None;
    return f;
}

FieldDef fixedText(const QString &name, const QString &group, const QString &text, int row, int column)
{
    return makeField(name, FieldKind::Label, group, QString(), text, row, column);
}

FieldDef unitLabel(const QString &name, const QString &group, int row, int column)
{
    return fixedText(name, group, QStringLiteral("\u00B0C"), row, column);
}

FieldDef unitLabelBeside(const QString &name, const QString &group, const QString &beside)
{
    FieldDef f = makeField(name, FieldKind::Label, group, QString(), QStringLiteral("\u00B0C"));
    f.beside = beside;
    return f;
}

FieldDef companyField(const QString &group)
{
    FieldDef f = makeField(QStringLiteral("companyName"), FieldKind::Edit, group, QStringLiteral("Company Name:"));
    f.labelName = QStringLiteral("Company_Name");
    f.buttons = FieldButtons::UserInfo;
    return f;
}

FieldDef gridField(const QString &name, FieldKind kind, const QString &group, int rows, int columns,
                   const QStringList &titles, const QList<int> &widths)
{
    FieldDef f = makeField(name, kind, group, QString());
    f.grid.rows = rows;
    f.grid.columns = columns;
    f.grid.fixedRows = kind == FieldKind::Grid ? 1 : 0;
    f.grid.columnTitles = titles;
    f.grid.rowHeight = 20;
    f.grid.columnWidths = widths;
    return f;
}

FieldDef unitRowOver(const QString &name, const QString &group, int cells, const QString &over, int overColumn,
                     const QString &label)
{
    FieldDef f = gridField(name, FieldKind::UnitRow, group, 1, cells, {});
    f.label = label;
    f.grid.over = over;
    f.grid.overColumn = overColumn;
    for (int c = 0; c < cells; ++c)
        f.grid.alignments.insert(c, Qt::AlignRight);
    // The last cell stands over a column that has no unit.
    f.grid.dropDowns = {{cells - 1, {QStringLiteral("-"), QStringLiteral("None")}}};
    return f;
}

FieldDef commandButton(const QString &name, const QString &group, const QString &text, int column,
                       GridCommand command, const QString &target)
{
    FieldDef f = makeField(name, FieldKind::Button, group, QString(), text, 0, column);
    f.command = command;
    f.target = target;
    return f;
}

FieldDef selectParamButton(const QString &name, const QString &group, int column)
{
    return makeField(name, FieldKind::Button, group, QString(), QStringLiteral("Select Parameters ..."), 0, column);
}

void addRowCommands(QList<FieldDef> &fields, const QString &suffix, const QString &group, const QString &grid)
{
    fields << commandButton(QStringLiteral("delRow") + suffix, group, QStringLiteral("   Delete Row"), 0,
                            GridCommand::DeleteRow, grid);
    fields << commandButton(QStringLiteral("dupRow") + suffix, group, QStringLiteral("   Duplicate Row"), 1,
                            GridCommand::DuplicateRow, grid);
}

void addUnitRadios(QList<FieldDef> &fields, const QString &metric, const QString &imperial, const QString &group)
{
    fields << makeField(metric, FieldKind::Radio, group, QStringLiteral("Unit System:"), QStringLiteral("Metric"), 0, 0);
    fields << makeField(imperial, FieldKind::Radio, group, QString(), QStringLiteral("Imperial"), 0, 1);
}

void addTemperatureRadios(QList<FieldDef> &fields, const QString &group, int row)
{
    fields << makeField(QStringLiteral("unitTC"), FieldKind::Radio, group, QStringLiteral("Temperature Unit:"),
                        QStringLiteral("\u00B0C"), row, 0);
    fields << makeField(QStringLiteral("unitTF"), FieldKind::Radio, group, QString(), QStringLiteral("\u00B0F"), row, 1);
}

void addSketchFields(QList<FieldDef> &fields, const QString &group, const QString &caption, bool withDescription)
{
    fields << makeField(QStringLiteral("imageGroup"), FieldKind::ImageGroup, group, QString(), caption);
    fields << makeField(QStringLiteral("imageIfResize"), FieldKind::Check, group, QString(), QStringLiteral("Resize Image"));
    fields << makeField(QStringLiteral("imageSourceFile"), FieldKind::AlignedEdit, group, QString());
    if (!withDescription)
        return;
    FieldDef description = makeField(QStringLiteral("sketchDescription"), FieldKind::Memo, group,
                                     QStringLiteral("Sketch Description:"));
    description.fixedHeight = 48;
    fields << description;
}

void addTensileTest(QList<FieldDef> &fields, const QString &unitRowLabel, const QList<int> &widths)
{
    const QString tensile = QStringLiteral("tensileGroup");
    fields << unitRowOver(QStringLiteral("tensileTestUnit"), tensile, 6, QStringLiteral("tensileTest"), 1, unitRowLabel);
    FieldDef grid = gridField(QStringLiteral("tensileTest"), FieldKind::Grid, tensile, 10, 7,
                              {QStringLiteral("Specimen No."), QStringLiteral("Width"), QStringLiteral("Thickness"),
                               QStringLiteral("Area"), QStringLiteral("Ultimate Tensile Load"),
                               QStringLiteral("Ultimate Unit Stress"),
                               QStringLiteral("Character of Failure and Location")},
                              widths);
    for (int c = 0; c < 6; ++c)
        grid.grid.alignments.insert(c, Qt::AlignRight);
    fields << grid;
    addUnitRadios(fields, QStringLiteral("tensileTestUnitM"), QStringLiteral("tensileTestUnitI"),
                  QStringLiteral("tensileUnitGroup"));
    addRowCommands(fields, QStringLiteral("TensileTest"), QStringLiteral("tensileButtonGroup"), grid.name);
}

UnitSwitchDef tensileUnitSwitch()
{
    return unitRowSwitch(QStringLiteral("tensileTestUnitM"), QStringLiteral("tensileTestUnitI"),
                         QStringLiteral("tensileTestUnit"),
                         {QStringLiteral("mm"), QStringLiteral("mm"), QStringLiteral("sq.mm"), QStringLiteral("Newton"),
                          QStringLiteral("MPa")},
                         {QStringLiteral("in"), QStringLiteral("in"), QStringLiteral("sq.in"), QStringLiteral("Lbf"),
                          QStringLiteral("ksi")});
}

UnitSwitchDef temperatureSwitch(const QStringList &labels)
{
    UnitSwitchDef sw;
    sw.metric = QStringLiteral("unitTC");
    sw.imperial = QStringLiteral("unitTF");
    sw.labels = labels;
    sw.metricLabel = QStringLiteral("\u00B0C");
    sw.imperialLabel = QStringLiteral("\u00B0F");
    return sw;
}

UnitSwitchDef unitRowSwitch(const QString &metric, const QString &imperial, const QString &grid,
                            const QStringList &metricUnits, const QStringList &imperialUnits)
{
    UnitSwitchDef sw;
    sw.metric = metric;
    sw.imperial = imperial;
    sw.grid = grid;
    for (int c = 0; c < metricUnits.size(); ++c)
        sw.cells.append({0, c});
    sw.metricUnits = metricUnits;
    sw.imperialUnits = imperialUnits;
    return sw;
}

} // namespace Brenvik
