#include "controls/alignededit.h"

namespace Brenvik {

AlignedEdit::AlignedEdit(QWidget *parent) : AlignedEdit(Qt::AlignRight, parent) {}

AlignedEdit::AlignedEdit(Qt::Alignment alignment, QWidget *parent) : LineEdit(parent)
{
    setAlignment(alignment | Qt::AlignVCenter);
}

} // namespace Brenvik
