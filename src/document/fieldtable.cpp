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

} // namespace Brenvik
