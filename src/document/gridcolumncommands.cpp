#include "document/gridcolumncommands.h"

#include "core/platform.h"

namespace Brenvik {

namespace {

int columnCount(const GridCells &cells)
{
    return cells.isEmpty() ? 0 : cells.first().size();
}

void copyColumn(GridCells &cells, int from, int to)
{
    for (int r = 1; r < cells.size(); ++r)
        cells[r][to] = cells[r][from];
}

void clearColumn(GridCells &cells, int column)
{
    for (int r = 1; r < cells.size(); ++r)
        cells[r][column].clear();
}

} // namespace

bool GridColumnCommands::columnHasText(const GridCells &cells, int column)
{
    for (int r = 1; r < cells.size(); ++r)
        if (column >= 0 && column < cells.at(r).size() && !cells.at(r).at(column).isEmpty())
            return true;
    return false;
}

bool GridColumnCommands::duplicateColumn(GridCells &cells, int &currentColumn)
{
    const int last = columnCount(cells) - 1;
    const int col = currentColumn;
    if (col < 2 || col >= last)
        return false;
    if (columnHasText(cells, last)
        && !confirmBox(QStringLiteral("Question"),
                       QStringLiteral("This operation will overwrite the last data column. Continue?")))
        return false;
    for (int c = last; c > col + 1; --c)
        copyColumn(cells, c - 1, c);
    copyColumn(cells, col, col + 1);
    currentColumn = col + 1;
    return true;
}

bool GridColumnCommands::deleteColumn(GridCells &cells, int currentColumn)
{
    const int last = columnCount(cells) - 1;
    const int col = currentColumn;
    if (col < 1 || col > last)
        return false;
    if (columnHasText(cells, col)) {
        if (!confirmBox(QStringLiteral("Question"), QStringLiteral("Clear data in the selected data column?")))
            return false;
        clearColumn(cells, col);
    }
    if (col < last) {
        for (int c = col; c < last; ++c)
            copyColumn(cells, c + 1, c);
        clearColumn(cells, last);
    }
    return true;
}

} // namespace Brenvik
