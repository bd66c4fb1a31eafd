#pragma once
// The string grid of the document windows. Title rows and the title column are ordinary cells
// (row 0 / column 0), because a document file writes them too; they are shown in the button
// face colour, cannot be edited and never become the current cell. Programmatic changes
// (setCell and the column / row helpers) are quiet; every change the user makes (typing,
// paste, a drop-down pick, Delete clearing a cell) emits cellEdited, for the changed-flag.

#include <QHash>
#include <QStringList>
#include <QTableWidget>

namespace Brenvik {

class TypedGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TypedGrid(QWidget *parent = nullptr);

    // Every cell exists and starts empty; existing texts inside the new size are kept.
    void setDimensions(int rows, int columns);
    void setFixedRows(int rows);       // 0 or 1
    void setFixedColumns(int columns); // 0 or 1
    int fixedRows() const { return m_fixedRows; }
    int fixedColumns() const { return m_fixedColumns; }
    bool isFixedCell(int row, int column) const;

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    // Widths from column 0 on; columns beyond the list keep theirs.
    void setColumnWidths(const QList<int> &widths);
    // Texts of a title row from column 0 on. A title holding a line break shows on two lines
    // and the title row grows to fit ("\nClass": an empty first line, "Class" below it).
    void setColumnTitles(const QStringList &titles, int row = 0);
    // Titles painted over row 0 instead of its cell text, which stays as it is (empty in a
    // grid whose titles are not stored). A line break gives two lines, as above.
    void setDrawnTitles(const QStringList &titles);
    QString drawnTitle(int column) const { return m_drawnTitles.value(column); }
    bool hasDrawnTitles() const { return !m_drawnTitles.isEmpty(); }
    // Data cells; the titles follow a centred column and are left-aligned otherwise.
    void setColumnAlignment(int column, Qt::Alignment alignment);
    Qt::Alignment columnAlignment(int column) const;
    // A drop-down cell editor holding items; it also takes typed text and completes it.
    void setColumnDropDown(int column, const QStringList &items);
    QStringList columnDropDown(int column) const;
    void setColumnReadOnly(int column, bool readOnly);
    bool isColumnReadOnly(int column) const;
    bool isCellEditable(int row, int column) const;

    // The current cell stays when a button takes the focus; a title cell is never current
    // (asking for one picks the nearest data cell).
    int currentRow() const { return QTableWidget::currentRow(); }
    int currentColumn() const { return QTableWidget::currentColumn(); }
    void setCurrentCell(int row, int column);

    // The text a cell takes from typing or pasting: a line break becomes a blank, the file's
    // cell separator "¦" becomes "|".
    static QString cleanCellText(const QString &text);

    void setRowHeightAll(int height);
    void setTitleRowHeight(int height);
    void setAlwaysShowEditor(bool on);
    bool alwaysShowEditor() const { return m_alwaysShowEditor; }

    // Helpers for the forms' row and column commands. fromRow / fromColumn leave the title
    // cells alone; none of them emits cellEdited.
    QStringList rowTexts(int row) const;
    void setRowTexts(int row, const QStringList &texts);
    QStringList columnTexts(int column) const;
    void setColumnTexts(int column, const QStringList &texts);
    bool isColumnEmpty(int column, int fromRow = 0) const;
    bool isRowEmpty(int row, int fromColumn = 0) const;
    void clearCells(int fromRow = 0, int fromColumn = 0);
    void clearColumn(int column, int fromRow = 0);
    void clearRow(int row, int fromColumn = 0);
    void copyColumn(int from, int to, int fromRow = 0);
    void copyRow(int from, int to, int fromColumn = 0);
    // Columns at..last move one place right (the last one is lost), column at is emptied.
    void insertColumnAt(int column, int fromRow = 0);
    // Columns after column move one place left, the last one is emptied.
    void removeColumnAt(int column, int fromRow = 0);
    void insertRowAt(int row, int fromColumn = 0);
    void removeRowAt(int row, int fromColumn = 0);

    QSize sizeHint() const override;

    // The height a title row needs for two lines.
    int twoLineTitleHeight() const;

Q_SIGNALS:
    void cellEdited(int row, int column);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QTableWidgetItem *ensureItem(int row, int column);
    void styleItem(QTableWidgetItem *item, int row, int column);
    void restyleAll();
    void fitTitleRows();
    QModelIndex firstEditable() const;
    void openAlwaysShownEditor();
    void keepCurrentOnData();

    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_titleRowHeight = -1;
    bool m_alwaysShowEditor = false;
    int m_quiet = 0;
    QHash<int, Qt::Alignment> m_alignments;
    QHash<int, QStringList> m_dropDowns;
    QHash<int, bool> m_readOnly;
    QStringList m_drawnTitles;
};

} // namespace Brenvik
