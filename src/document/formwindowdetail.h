#pragma once
// Small pieces the parts of the document window share: the kinds of fields and the text of a
// field widget.

#include "document/fieldtable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>
#include <QWidget>

namespace Brenvik {
namespace FormWindowDetail {

inline bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::Edit || kind == FieldKind::AlignedEdit || kind == FieldKind::Combo
        || kind == FieldKind::SortedCombo;
}

inline bool isGridKind(FieldKind kind)
{
    return kind == FieldKind::Grid || kind == FieldKind::UnitRow;
}

inline bool deferredInWalk(const FieldDef &f)
{
    return (f.kind == FieldKind::Date && f.dateAfterWalk)
        || (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle);
}

inline QString widgetText(const QWidget *w)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(w))
        return memo->toPlainText();
    return QString();
}

} // namespace FormWindowDetail
} // namespace Brenvik
