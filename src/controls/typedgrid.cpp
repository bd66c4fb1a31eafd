#include "controls/typedgrid.h"

#include "controls/singlelinevalidator.h"
#include "controls/typedgriddelegate.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace Brenvik {

TypedGrid::TypedGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // Cells clip their text as a paper form's boxes do; an ellipsis would hide more of it.
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new TypedGridDelegate(this));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_quiet == 0)
            Q_EMIT cellEdited(item->row(), item->column());
    });
}

void TypedGrid::setDimensions(int rows, int columns)
{
    ++m_quiet;
    setRowCount(std::max(0, rows));
    setColumnCount(std::max(0, columns));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            ensureItem(r, c);
    --m_quiet;
    restyleAll();
}

void TypedGrid::keepCurrentOnData()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid() || isFixedCell(index.row(), index.column()))
        setCurrentIndex(firstEditable());
}

QSize TypedGrid::sizeHint() const
{
    // The whole grid, so a layout gives it the size its column widths and row heights ask for.
    int width = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    int height = 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r)
        height += rowHeight(r);
    return QSize(width, height);
}

void TypedGrid::setCurrentCell(int row, int column)
{
    if (rowCount() == 0 || columnCount() == 0)
        return;
    row = std::clamp(row, std::min(m_fixedRows, rowCount() - 1), rowCount() - 1);
    column = std::clamp(column, std::min(m_fixedColumns, columnCount() - 1), columnCount() - 1);
    if (isFixedCell(row, column))
        return;
    QTableWidget::setCurrentCell(row, column);
}

QString TypedGrid::cleanCellText(const QString &text)
{
    return SingleLineValidator::clean(text, true);
}

void TypedGrid::setFixedRows(int rows)
{
    m_fixedRows = std::clamp(rows, 0, 1);
    restyleAll();
}

void TypedGrid::setFixedColumns(int columns)
{
    m_fixedColumns = std::clamp(columns, 0, 1);
    restyleAll();
}

bool TypedGrid::isFixedCell(int row, int column) const
{
    return row < m_fixedRows || column < m_fixedColumns;
}

bool TypedGrid::isCellEditable(int row, int column) const
{
    return row >= 0 && column >= 0 && row < rowCount() && column < columnCount()
        && !isFixedCell(row, column) && !m_readOnly.value(column);
}

QString TypedGrid::cell(int row, int column) const
{
    const QTableWidgetItem *it = item(row, column);
    return it ? it->text() : QString();
}

void TypedGrid::setCell(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    ++m_quiet;
    ensureItem(row, column)->setText(text);
    --m_quiet;
    if (row < m_fixedRows && text.contains(QLatin1Char('\n')))
        fitTitleRows();
}

void TypedGrid::setDrawnTitles(const QStringList &titles)
{
    m_drawnTitles = titles;
    fitTitleRows();
    viewport()->update();
}

void TypedGrid::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignments.insert(column, alignment);
    restyleAll();
}

Qt::Alignment TypedGrid::columnAlignment(int column) const
{
    return m_alignments.value(column, Qt::AlignLeft);
}

void TypedGrid::setColumnWidths(const QList<int> &widths)
{
    for (int c = 0; c < columnCount() && c < widths.size(); ++c)
        setColumnWidth(c, widths.at(c));
}

void TypedGrid::setColumnTitles(const QStringList &titles, int row)
{
    for (int c = 0; c < columnCount() && c < titles.size(); ++c)
        setCell(row, c, titles.at(c));
}

void TypedGrid::setColumnDropDown(int column, const QStringList &items)
{
    if (items.isEmpty())
        m_dropDowns.remove(column);
    else
        m_dropDowns.insert(column, items);
}

QStringList TypedGrid::columnDropDown(int column) const
{
    return m_dropDowns.value(column);
}

void TypedGrid::setColumnReadOnly(int column, bool readOnly)
{
    m_readOnly.insert(column, readOnly);
    restyleAll();
}

bool TypedGrid::isColumnReadOnly(int column) const
{
    return m_readOnly.value(column);
}

void TypedGrid::setRowHeightAll(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height);
    fitTitleRows();
}

void TypedGrid::setTitleRowHeight(int height)
{
    m_titleRowHeight = height;
    fitTitleRows();
}

int TypedGrid::twoLineTitleHeight() const
{
    return 2 * fontMetrics().lineSpacing() + 6;
}

void TypedGrid::fitTitleRows()
{
    for (int r = 0; r < std::min(m_fixedRows, rowCount()); ++r) {
        int h = m_titleRowHeight > 0 ? m_titleRowHeight : verticalHeader()->defaultSectionSize();
        for (int c = 0; c < columnCount(); ++c)
            if (cell(r, c).contains(QLatin1Char('\n')) || (r == 0 && drawnTitle(c).contains(QLatin1Char('\n')))) {
                h = std::max(h, twoLineTitleHeight());
                break;
            }
        setRowHeight(r, h);
    }
}

void TypedGrid::setAlwaysShowEditor(bool on)
{
    m_alwaysShowEditor = on;
    if (on)
        openAlwaysShownEditor();
}

QTableWidgetItem *TypedGrid::ensureItem(int row, int column)
{
    QTableWidgetItem *it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        ++m_quiet;
        setItem(row, column, it);
        styleItem(it, row, column);
        --m_quiet;
    }
    return it;
}

void TypedGrid::styleItem(QTableWidgetItem *it, int row, int column)
{
    ++m_quiet;
    if (isFixedCell(row, column)) {
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(palette().button());
        // A right-aligned title would lose its first letters when it is wider than its
        // column; titles follow only a centred column.
        const Qt::Alignment align = columnAlignment(column) & Qt::AlignHCenter ? Qt::AlignHCenter : Qt::AlignLeft;
        it->setTextAlignment(align | Qt::AlignVCenter);
    } else {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (!m_readOnly.value(column))
            flags |= Qt::ItemIsEditable;
        it->setFlags(flags);
        it->setData(Qt::BackgroundRole, QVariant());
        it->setTextAlignment(columnAlignment(column) | Qt::AlignVCenter);
    }
    --m_quiet;
}

void TypedGrid::restyleAll()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            styleItem(ensureItem(r, c), r, c);
    fitTitleRows();
    keepCurrentOnData();
}

QModelIndex TypedGrid::firstEditable() const
{
    if (m_fixedRows < rowCount() && m_fixedColumns < columnCount())
        return model()->index(m_fixedRows, m_fixedColumns);
    return QModelIndex();
}

QStringList TypedGrid::rowTexts(int row) const
{
    QStringList out;
    for (int c = 0; c < columnCount(); ++c)
        out << cell(row, c);
    return out;
}

void TypedGrid::setRowTexts(int row, const QStringList &texts)
{
    for (int c = 0; c < columnCount(); ++c)
        setCell(row, c, texts.value(c));
}

QStringList TypedGrid::columnTexts(int column) const
{
    QStringList out;
    for (int r = 0; r < rowCount(); ++r)
        out << cell(r, column);
    return out;
}

void TypedGrid::setColumnTexts(int column, const QStringList &texts)
{
    for (int r = 0; r < rowCount(); ++r)
        setCell(r, column, texts.value(r));
}

bool TypedGrid::isColumnEmpty(int column, int fromRow) const
{
    for (int r = std::max(0, fromRow); r < rowCount(); ++r)
        if (!cell(r, column).isEmpty())
            return false;
    return true;
}

bool TypedGrid::isRowEmpty(int row, int fromColumn) const
{
    for (int c = std::max(0, fromColumn); c < columnCount(); ++c)
        if (!cell(row, c).isEmpty())
            return false;
    return true;
}

void TypedGrid::clearCells(int fromRow, int fromColumn)
{
    for (int r = std::max(0, fromRow); r < rowCount(); ++r)
        for (int c = std::max(0, fromColumn); c < columnCount(); ++c)
            setCell(r, c, QString());
}

void TypedGrid::clearColumn(int column, int fromRow)
{
    for (int r = std::max(0, fromRow); r < rowCount(); ++r)
        setCell(r, column, QString());
}

void TypedGrid::clearRow(int row, int fromColumn)
{
    for (int c = std::max(0, fromColumn); c < columnCount(); ++c)
        setCell(row, c, QString());
}

void TypedGrid::copyColumn(int from, int to, int fromRow)
{
    if (from == to || from < 0 || to < 0 || from >= columnCount() || to >= columnCount())
        return;
    for (int r = std::max(0, fromRow); r < rowCount(); ++r)
        setCell(r, to, cell(r, from));
}

void TypedGrid::copyRow(int from, int to, int fromColumn)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    for (int c = std::max(0, fromColumn); c < columnCount(); ++c)
        setCell(to, c, cell(from, c));
}

void TypedGrid::insertColumnAt(int column, int fromRow)
{
    if (column < 0 || column >= columnCount())
        return;
    for (int c = columnCount() - 1; c > column; --c)
        copyColumn(c - 1, c, fromRow);
    clearColumn(column, fromRow);
}

void TypedGrid::removeColumnAt(int column, int fromRow)
{
    if (column < 0 || column >= columnCount())
        return;
    for (int c = column; c < columnCount() - 1; ++c)
        copyColumn(c + 1, c, fromRow);
    clearColumn(columnCount() - 1, fromRow);
}

void TypedGrid::insertRowAt(int row, int fromColumn)
{
    if (row < 0 || row >= rowCount())
        return;
    for (int r = rowCount() - 1; r > row; --r)
        copyRow(r - 1, r, fromColumn);
    clearRow(row, fromColumn);
}

void TypedGrid::removeRowAt(int row, int fromColumn)
{
    if (row < 0 || row >= rowCount())
        return;
    for (int r = row; r < rowCount() - 1; ++r)
        copyRow(r + 1, r, fromColumn);
    clearRow(rowCount() - 1, fromColumn);
}

QModelIndex TypedGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid() || !isFixedCell(next.row(), next.column()))
        return next;
    const int lastRow = rowCount() - 1;
    const int lastColumn = columnCount() - 1;
    int row = next.row();
    int column = next.column();
    switch (action) {
    case MoveNext:
        // Wrapped into the title column (or to the very first cell): go on at the first
        // data cell of that row, or the first data row.
        row = std::max(row, m_fixedRows);
        column = std::max(column, m_fixedColumns);
        break;
    case MovePrevious:
        // Stepped back onto a title: the last cell of the row above, wrapping to the end.
        if (current.isValid()) {
            row = current.row() - 1;
            column = lastColumn;
            if (row < m_fixedRows)
                row = lastRow;
        }
        break;
    default:
        // Up / Left / Home onto a title: stay on the first data cell in that direction.
        row = std::max(row, m_fixedRows);
        column = std::max(column, m_fixedColumns);
        break;
    }
    if (row > lastRow || column > lastColumn || isFixedCell(row, column))
        return current;
    return model()->index(row, column);
}

void TypedGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && isFixedCell(index.row(), index.column())) {
        // A click on a title keeps the current cell, as a button taking the focus does.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void TypedGrid::keyPressEvent(QKeyEvent *event)
{
    if (state() != EditingState) {
        const QModelIndex index = currentIndex();
        const bool editable = index.isValid() && isCellEditable(index.row(), index.column());
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            if (editable && !cell(index.row(), index.column()).isEmpty())
                item(index.row(), index.column())->setText(QString()); // emits cellEdited
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            // Paste into the current cell through its editor, so the single-line and
            // separator rules and the changed signal apply as for typing.
            if (editable && edit(index, AllEditTriggers, event)) {
                if (auto *line = qobject_cast<QLineEdit *>(indexWidget(index)))
                    line->paste();
                else if (QWidget *w = indexWidget(index))
                    if (auto *inner = w->findChild<QLineEdit *>())
                        inner->paste();
            }
            event->accept();
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void TypedGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    if (m_alwaysShowEditor && hasFocus())
        openAlwaysShownEditor();
}

void TypedGrid::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    if (m_alwaysShowEditor)
        openAlwaysShownEditor();
}

void TypedGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The cell follows the editor keystroke by keystroke; Escape still takes back the edit.
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        const QVariant original = editor->property(TypedGridDelegate::originalTextProperty);
        const QModelIndex index = currentIndex();
        if (original.isValid() && index.isValid() && indexWidget(index) == editor) {
            QTableWidgetItem *it = item(index.row(), index.column());
            if (it && it->text() != original.toString())
                it->setText(original.toString()); // a user change: cellEdited
        }
    }
    QTableWidget::closeEditor(editor, hint);
    if (m_alwaysShowEditor && hasFocus())
        openAlwaysShownEditor();
}

void TypedGrid::openAlwaysShownEditor()
{
    const QModelIndex index = currentIndex();
    if (state() == EditingState || !index.isValid() || !isCellEditable(index.row(), index.column()))
        return;
    if (!isVisible())
        return;
    edit(index, AllEditTriggers, nullptr);
}

} // namespace Brenvik
