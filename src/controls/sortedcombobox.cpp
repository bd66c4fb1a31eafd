#include "controls/sortedcombobox.h"

#include "controls/singlelinevalidator.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include <algorithm>
#include <utility>
#include <vector>

namespace Brenvik {

SortedComboBox::SortedComboBox(QWidget *parent) : QComboBox(parent)
{
    // A plain string list instead of one QStandardItem per entry: a window fills dozens of
    // boxes from a store that may hold thousands of values, and a list is replaced in one go.
    setModel(new QStringListModel(this));
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
    // Folding each text once is much cheaper than a case-blind compare per comparison; ties
    // keep their given order through the index.
    std::vector<std::pair<QString, int>> keys;
    keys.reserve(size_t(items.size()));
    for (int i = 0; i < items.size(); ++i)
        keys.emplace_back(items.at(i).toCaseFolded(), i);
    std::sort(keys.begin(), keys.end());
    QStringList out;
    out.reserve(items.size());
    for (const auto &key : keys)
        out << items.at(key.second);
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
    const QStringList entries = m_sorted ? sortedItems(list) : list;
    if (auto *strings = qobject_cast<QStringListModel *>(model())) {
        strings->setStringList(entries);
    } else {
        clear();
        addItems(entries);
    }
    setText(kept);
    blockSignals(blocked);
}

QStringList SortedComboBox::items() const
{
    if (auto *strings = qobject_cast<QStringListModel *>(model()))
        return strings->stringList();
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
