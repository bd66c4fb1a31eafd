#include "controls/typedgrid.h"


#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace Brenvik {

namespace {

// Rewrites an editor's text as the user types or pastes, keeping the cursor in place.
void keepClean(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString clean = TypedGrid::cleanCellText(text);
        if (clean != text) {
            const int pos = edit->cursorPosition();
            edit->setText(clean);
            edit->setCursorPosition(pos);
        }
    });
}

// Cell editors that keep a cell single-line and free of the cell separator.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TypedGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        const QStringList items = m_grid->columnDropDown(index.column());
        if (!items.isEmpty()) {
            auto *combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(items);
            keepClean(combo->lineEdit());
            combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
            return combo;
        }
        auto *edit = new QLineEdit(parent);
        keepClean(edit);
        edit->setAlignment(m_grid->columnAlignment(index.column()));
        edit->setFrame(false);
        return edit;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        const QString text = index.data(Qt::EditRole).toString();
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            combo->setEditText(text);
        else if (auto *edit = qobject_cast<QLineEdit *>(editor))
            edit->setText(text);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        QString text;
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            text = combo->currentText();
        else if (auto *edit = qobject_cast<QLineEdit *>(editor))
            text = edit->text();
        text = TypedGrid::cleanCellText(text);
        if (index.data(Qt::EditRole).toString() != text)
            model->setData(index, text, Qt::EditRole);
    }

private:
    TypedGrid *m_grid;
};

} // namespace

TypedGrid::TypedGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setMinimumSectionSize(8);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setItemDelegate(new CellDelegate(this));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!m_quiet)
            Q_EMIT cellEdited(item->row(), item->column());
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (m_alwaysShowEditor && row >= 0 && column >= 0 && !isFixed(row, column))
            editItem(item(row, column));
    });
}

void TypedGrid::setDimensions(int rows, int columns)
{
    m_quiet = true;
    setRowCount(rows);
    setColumnCount(columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            itemAt(r, c);
    m_quiet = false;
}

void TypedGrid::setFixedRows(int rows)
{
    m_fixedRows = rows;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            styleCell(r, c);
}

void TypedGrid::setFixedColumns(int columns)
{
    m_fixedColumns = columns;
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            styleCell(r, c);
}

bool TypedGrid::isFixed(int row, int column) const
{
    return row < m_fixedRows || column < m_fixedColumns;
}

QTableWidgetItem *TypedGrid::itemAt(int row, int column)
{
    QTableWidgetItem *it = item(row, column);
    if (!it) {
        const bool quiet = m_quiet;
        m_quiet = true;
        it = new QTableWidgetItem;
        setItem(row, column, it);
        styleCell(row, column);
        m_quiet = quiet;
    }
    return it;
}

void TypedGrid::styleCell(int row, int column)
{
    QTableWidgetItem *it = item(row, column);
    if (!it)
        return;
    const bool quiet = m_quiet;
    m_quiet = true;
    if (isFixed(row, column)) {
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(palette().button());
        it->setForeground(palette().buttonText());
    } else {
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        it->setBackground(QBrush());
        it->setTextAlignment(columnAlignment(column) | Qt::AlignVCenter);
    }
    m_quiet = quiet;
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
    const bool quiet = m_quiet;
    m_quiet = true;
    itemAt(row, column)->setText(text);
    m_quiet = quiet;
}

void TypedGrid::userSet(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || isFixed(row, column))
        return;
    const QString clean = cleanCellText(text);
    if (cell(row, column) == clean)
        return;
    itemAt(row, column)->setText(clean); // itemChanged reports it
}

void TypedGrid::clearCells(int fromRow, int fromColumn)
{
    for (int r = fromRow; r < rowCount(); ++r)
        for (int c = fromColumn; c < columnCount(); ++c)
            setCell(r, c, QString());
}

void TypedGrid::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignments.insert(column, alignment);
    for (int r = 0; r < rowCount(); ++r)
        styleCell(r, column);
}

Qt::Alignment TypedGrid::columnAlignment(int column) const
{
    return m_alignments.value(column, Qt::AlignLeft);
}

void TypedGrid::setColumnDropDown(int column, const QStringList &items)
{
    m_dropDowns.insert(column, items);
}

void TypedGrid::setRowHeightAll(int height)
{
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height);
    verticalHeader()->setDefaultSectionSize(height);
}

void TypedGrid::setTitleRowHeight(int height)
{
    if (rowCount() > 0)
        setRowHeight(0, height);
}

void TypedGrid::setAlwaysShowEditor(bool on)
{
    m_alwaysShowEditor = on;
}

void TypedGrid::setCurrentCell(int row, int column)
{
    QTableWidget::setCurrentCell(row, column);
}

QString TypedGrid::cleanCellText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    out.replace(QChar(0x00A6), QLatin1Char('|'));
    return out;
}

void TypedGrid::keyPressEvent(QKeyEvent *event)
{
    const int row = currentRow();
    const int column = currentColumn();
    if (state() != EditingState && row >= 0 && column >= 0) {
        if (event->matches(QKeySequence::Paste)) {
            userSet(row, column, QApplication::clipboard()->text());
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            userSet(row, column, QString());
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace Brenvik
