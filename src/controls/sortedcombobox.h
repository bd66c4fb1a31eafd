#pragma once
// The combo box of the document windows' data fields: editable, its list kept sorted (unless
// setSorted(false)) without regard to case, and a typed Enter never adds an item (only the user-data
// store's save button does). The drop-down shows the whole list. edited() fires on every
// change the user makes (typing, paste, a pick from the list), never on a programmatic set,
// so it can drive the changed-flag.

#include <QComboBox>

namespace Brenvik {

class SortedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit SortedComboBox(QWidget *parent = nullptr);

    void setSorted(bool sorted);
    bool isSorted() const { return m_sorted; }

    // Replaces the list (sorted when the box is sorted); the current text stays exactly as it
    // was, letter case included, whether or not the new list holds it.
    void setStoreItems(const QStringList &items);
    QStringList items() const;

    // The field's value: the edit text of an editable box, the current item otherwise.
    QString text() const;
    // Sets the value without edited(). A non-editable box picks the matching item (or none).
    void setText(const QString &text);

    // The case-blind order of a sorted list, equal texts kept in their given order.
    static QStringList sortedItems(const QStringList &items);

Q_SIGNALS:
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateVisibleItems();
    void attachLineEdit();

    bool m_sorted = true;
};

} // namespace Brenvik
