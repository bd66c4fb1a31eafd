#include "controls/sortedcombobox.h"

#include <QLineEdit>

#include <algorithm>

namespace Brenvik {

SortedComboBox::SortedComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(1);
    // A pasted line break becomes a blank: a value never carries one into a file.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        QString clean = text;
        clean.replace(QLatin1String("\r\n"), QLatin1String(" "));
        clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
        clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (clean != text) {
            const int pos = lineEdit()->cursorPosition();
            lineEdit()->setText(clean);
            lineEdit()->setCursorPosition(pos);
        }
        Q_EMIT edited();
    });
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT edited(); });
}

void SortedComboBox::setSorted(bool sorted)
{
    m_sorted = sorted;
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    setStoreItems(items);
}

void SortedComboBox::setStoreItems(const QStringList &items)
{
    QStringList list = items;
    if (m_sorted)
        std::stable_sort(list.begin(), list.end(),
                         [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const QString text = currentText();
    const QSignalBlocker block(this);
    clear();
    addItems(list);
    setMaxVisibleItems(qMax(1, int(list.size())));
    setEditText(text);
}

} // namespace Brenvik
