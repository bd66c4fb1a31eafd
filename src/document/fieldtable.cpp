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

} // namespace Brenvik
