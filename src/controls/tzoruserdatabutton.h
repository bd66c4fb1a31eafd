#pragma once
// The small button bound to a field: save or delete the value of its combo box in the user
// data store, or open the memo dialog for its memo. 21 x 21, flat; the reference survives a
// nullptr (ignored), as the window's wiring relies on.

#include <QPointer>
#include <QToolButton>

namespace Brenvik {

class TZorUserDataButton : public QToolButton {
    Q_OBJECT
public:
    enum class Glyph { Save, Delete, Memo };

    explicit TZorUserDataButton(QWidget *parent = nullptr);

    void setGlyph(Glyph glyph);
    QWidget *referencedComboBox() const { return m_reference; }
    void setReferencedComboBox(QWidget *widget);

private:
    QPointer<QWidget> m_reference;
};

} // namespace Brenvik
