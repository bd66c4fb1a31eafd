#include "document/gridrowcommands.h"

#include "core/platform.h"

namespace Brenvik {

namespace {

bool askQuestion(const QString &text)
{
    return platform().askYesNo(QStringLiteral("Question"), text);
}

void clearRow(GridCells &cells, int row)
{
    for (QString &cell : cells[row])
        cell.clear();
}

} // namespace

bool GridRowCommands::rowHasText(const GridCells &cells, int row)
{
    if (row < 0 || row >= cells.size())
        return false;
    for (const QString &cell : cells.at(row))
        if (!cell.isEmpty())
            return true;
    return false;
}

bool GridRowCommands::deleteRow(GridCells &cells, int currentRow)
{
    const int last = int(cells.size()) - 1;
    const int row = currentRow;
    if (row < 1 || row > last)
        return false;
    if (rowHasText(cells, row)) {
        if (!askQuestion(QStringLiteral("Clear data in the selected row?")))
            return false;
        clearRow(cells, row);
    }
    if (row < last) {
        for (int r = row; r < last; ++r)
            cells[r] = cells.at(r + 1);
        clearRow(cells, last);
    }
    return true;
}

bool GridRowCommands::duplicateRow(GridCells &cells, int &currentRow)
{
    const int last = int(cells.size()) - 1;
    const int row = currentRow;
    if (row < 1 || row >= last)
        return false;
    if (rowHasText(cells, last)
        && !askQuestion(QStringLiteral("This operation will overwrite the last row. Continue?")))
        return false;
    for (int r = last; r > row + 1; --r)
        cells[r] = cells.at(r - 1);
    cells[row + 1] = cells.at(row);
    currentRow = row + 1;
    return true;
}

} // namespace Brenvik
