#pragma once
// Small pieces the parts of the document window share: the quiet guard of the walks and the
// text of a field widget.

#include "document/fieldtable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>
#include <QWidget>

namespace Brenvik {
namespace FormWindowDetail {

// Quiet while a walk sets the fields: the walk is not an edit.
class LoadingGuard {
public:
    explicit LoadingGuard(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~LoadingGuard() { m_flag = m_previous; }

private:
    bool &m_flag;
    bool m_previous;
};

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

// In a run without windows (the command line) a memo's text is held beside its box instead of
// being put in it: the editor lays out every line it is given, seconds for a memo of megabytes,
// and nobody looks at it there.
inline constexpr char kHeldMemoText[] = "brenvikHeldText";

inline QString widgetText(const QWidget *w)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(w)) {
        const QVariant held = memo->property(kHeldMemoText);
        return held.isValid() ? held.toString() : memo->toPlainText();
    }
    return QString();
}

} // namespace FormWindowDetail
} // namespace Brenvik
