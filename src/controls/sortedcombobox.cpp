#include "controls/sortedcombobox.h"

#include "controls/singlelinevalidator.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace Brenvik {

SortedComboBox::SortedComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    attachLineEdit();
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] { Q_EMIT edited(); });
    connect(model(), &QAbstractItemModel::rowsInserted, this, &SortedComboBox::updateVisibleItems);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &SortedComboBox::updateVisibleItems);
    connect(model(), &QAbstractItemModel::modelReset, this, &SortedComboBox::updateVisibleItems);
    updateVisibleItems();
}

void SortedComboBox::attachLineEdit()
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    edit->setValidator(new SingleLineValidator(false, edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { Q_EMIT edited(); });
}

QStringList SortedComboBox::sortedItems(const QStringList &items)
{
    QStringList out = items;
    std::stable_sort(out.begin(), out.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

void SortedComboBox::setSorted(bool sorted)
{
    if (m_sorted == sorted)
        return;
    m_sorted = sorted;
    if (m_sorted)
        setStoreItems(items());
}

void SortedComboBox::setStoreItems(const QStringList &list)
{
    // The text stays, so nothing the user can see changes: no signal at all, or loading the
    // store's lists into a new window would mark it changed.
    const QString kept = text();
    const bool blocked = blockSignals(true);
    clear();
    addItems(m_sorted ? sortedItems(list) : list);
    setText(kept);
    blockSignals(blocked);
}

QStringList SortedComboBox::items() const
{
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

QString SortedComboBox::text() const
{
    return isEditable() ? lineEdit()->text() : currentText();
}

void SortedComboBox::setText(const QString &value)
{
    if (isEditable()) {
        // Without an exact match the current index would still point at an old item.
        const int index = findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        setCurrentIndex(index);
        lineEdit()->setText(value);
    } else {
        setCurrentIndex(findText(value, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
}

void SortedComboBox::updateVisibleItems()
{
    setMaxVisibleItems(std::max(1, count()));
}

bool SortedComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !view()->isVisible()) {
            // QComboBox would take Enter as "pick the item matching the text", changing its
            // case or adding it. Only the store adds items; a dialog still gets its default
            // button.
            if (QWidget *p = parentWidget()) {
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(p, &copy);
            }
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace Brenvik
