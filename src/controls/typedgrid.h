#pragma once
// The string grid of the document windows: cells of text in rows and columns, where the
// title row and title column are ordinary cells (the file encoding writes them too), shown
// in the button face colour and never edited or made current. Every change the user makes to
// a cell is reported by cellEdited; setCell is silent.

#include <QHash>
#include <QStringList>
#include <QTableWidget>

namespace Brenvik {

class TypedGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TypedGrid(QWidget *parent = nullptr);

    void setDimensions(int rows, int columns);
    void setFixedRows(int rows);       // 0 or 1
    void setFixedColumns(int columns); // 0 or 1
    int fixedRows() const { return m_fixedRows; }
    int fixedColumns() const { return m_fixedColumns; }

    QString cell(int row, int column) const;
    // Programmatic: no cellEdited.
    void setCell(int row, int column, const QString &text);
    // Empties every cell from that row and column on (titles before them stay).
    void clearCells(int fromRow, int fromColumn);

    void setColumnAlignment(int column, Qt::Alignment alignment);
    Qt::Alignment columnAlignment(int column) const;
    // A drop-down cell editor for the column that also takes typed text and completes it.
    void setColumnDropDown(int column, const QStringList &items);
    QStringList columnDropDown(int column) const { return m_dropDowns.value(column); }
    void setRowHeightAll(int height);
    void setTitleRowHeight(int height);
    void setAlwaysShowEditor(bool on);
    bool alwaysShowEditor() const { return m_alwaysShowEditor; }

    // The current cell stays when a button takes the focus.
    int currentRow() const { return QTableWidget::currentRow(); }
    int currentColumn() const { return QTableWidget::currentColumn(); }
    void setCurrentCell(int row, int column);

    // The text a cell takes from typing or pasting: a line break becomes a blank, the file's
    // cell separator "¦" becomes "|".
    static QString cleanCellText(const QString &text);

Q_SIGNALS:
    void cellEdited(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTableWidgetItem *itemAt(int row, int column);
    void styleCell(int row, int column);
    bool isFixed(int row, int column) const;
    void userSet(int row, int column, const QString &text);

    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    bool m_quiet = false;
    bool m_alwaysShowEditor = false;
    QHash<int, Qt::Alignment> m_alignments;
    QHash<int, QStringList> m_dropDowns;
};

} // namespace Brenvik
