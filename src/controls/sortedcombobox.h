#pragma once
// The combo box of the data fields: editable, its list kept sorted without regard to case, a
// typed Enter never adds an item (only the store's save button does), the drop-down shows the
// whole list. edited() fires on every change the user makes (typing, paste, pick).

#include <QComboBox>

namespace Brenvik {

class SortedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit SortedComboBox(QWidget *parent = nullptr);

    void setSorted(bool sorted);
    bool isSorted() const { return m_sorted; }
    // Replaces the list; the current text stays exactly as it was.
    void setStoreItems(const QStringList &items);

Q_SIGNALS:
    void edited();

private:
    bool m_sorted = true;
};

} // namespace Brenvik
