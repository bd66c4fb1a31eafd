#pragma once
// The single-line edit box of the document windows: a typed or pasted line break becomes a
// blank (a value never carries a line break into a file). edited() fires on every change the
// user makes, never on setText, so it can drive the changed-flag.

#include <QLineEdit>

namespace Brenvik {

class LineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit LineEdit(QWidget *parent = nullptr);

    // Grid cell editors also turn the cell separator "¦" into "|".
    void setCellSeparatorSafe(bool on);
    bool cellSeparatorSafe() const;

Q_SIGNALS:
    void edited();
};

} // namespace Brenvik
