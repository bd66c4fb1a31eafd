#pragma once
// Edit box with right-aligned or centred text (an "aligned edit box" of the forms), with the
// single-line rules of LineEdit.

#include "controls/lineedit.h"

namespace Brenvik {

class AlignedEdit : public LineEdit {
    Q_OBJECT
public:
    explicit AlignedEdit(QWidget *parent = nullptr);
    explicit AlignedEdit(Qt::Alignment alignment, QWidget *parent = nullptr);
};

} // namespace Brenvik
