#pragma once
// A grid with what stands over its columns: caption boxes over column spans ("Filler Metal"
// over Size and W.Feed Speed) and a unit row with its label ("Units"), whose cell 0 stands
// over a given column. The boxes and the unit cells take the widths of the grid's columns.

#include "document/fieldtable.h"

#include <QList>
#include <QWidget>

class QLabel;

namespace Brenvik {

class TypedGrid;

class GridStack : public QWidget {
    Q_OBJECT
public:
    explicit GridStack(QWidget *parent);

    // The grid, taken in at the bottom of the stack.
    void setGrid(TypedGrid *grid);
    // inTitleRow: the boxes cover the first line of the grid's own title row.
    void setBands(const QList<GridBand> &bands, bool inTitleRow = false);
    // The unit row and its label, which fills the space left of the row.
    void setUnitRow(QLabel *label, TypedGrid *unitRow, int overColumn);
    // Lines everything up with the grid's present column widths; a unit cell wider than its
    // column widens the column.
    void align();

    TypedGrid *grid() const { return m_grid; }

private:
    int columnX(int column) const;

    TypedGrid *m_grid = nullptr;
    QWidget *m_bandStrip = nullptr;
    QList<QLabel *> m_bandLabels;
    QList<GridBand> m_bands;
    QWidget *m_unitStrip = nullptr;
    QLabel *m_unitLabel = nullptr;
    TypedGrid *m_unitRow = nullptr;
    int m_overColumn = 0;
    bool m_bandsInTitleRow = false;
};

} // namespace Brenvik
