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

const FieldSpec *FormTable::field(const QString &name) const
{
    for (const FieldSpec &f : fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

const GroupSpec *FormTable::group(const QString &name) const
{
    for (const GroupSpec &g : groups)
        if (g.name == name)
            return &g;
    return nullptr;
}

int FormTable::pageOf(const FieldSpec &f) const
{
    const GroupSpec *g = group(f.group);
    return g ? g->page : -1;
}

QStringList FormTable::pageCaptions() const
{
    QStringList out;
    for (const PageSpec &p : pages)
        out << p.caption;
    return out;
}

} // namespace Brenvik
