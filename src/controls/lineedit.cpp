#include "controls/lineedit.h"

#include "controls/singlelinevalidator.h"

namespace Brenvik {

LineEdit::LineEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new SingleLineValidator(false, this));
    connect(this, &QLineEdit::textEdited, this, [this] { Q_EMIT edited(); });
}

void LineEdit::setCellSeparatorSafe(bool on)
{
    if (on == cellSeparatorSafe())
        return;
    auto *old = validator();
    setValidator(new SingleLineValidator(on, this));
    delete old;
}

bool LineEdit::cellSeparatorSafe() const
{
    auto *v = qobject_cast<const SingleLineValidator *>(validator());
    return v && v->cellSeparatorSafe();
}

} // namespace Brenvik
