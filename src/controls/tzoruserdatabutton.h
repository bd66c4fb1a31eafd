#pragma once
// The small bound button beside a combo box (save / delete its text in the user-data store)
// or beside a memo (open the memo dialog): a flat 21 x 21 tool button that remembers the
// control it works on. Setting no control keeps the one it had.

#include <QPointer>
#include <QToolButton>

namespace Brenvik {

class TZorUserDataButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(QWidget *referencedComboBox READ referencedComboBox WRITE setReferencedComboBox)
public:
    enum class Glyph { Save, Delete, Memo };

    explicit TZorUserDataButton(QWidget *parent = nullptr);
    TZorUserDataButton(Glyph glyph, QWidget *parent);

    QWidget *referencedComboBox() const { return m_referencedComboBox; }
    // nullptr is ignored: the previous reference stays.
    void setReferencedComboBox(QWidget *control);

    // The glyph and the hint that goes with it.
    void setGlyph(Glyph glyph);
    static QIcon glyphIcon(Glyph glyph);

private:
    QPointer<QWidget> m_referencedComboBox;
};

} // namespace Brenvik
