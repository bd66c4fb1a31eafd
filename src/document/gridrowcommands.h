#pragma once
// Delete Row and Duplicate Row of a data grid, on its cells: which rows move, what is asked
// before data is lost. The heading row 0 is never touched and a grid keeps its number of rows.

#include "document/documentwalk.h"

namespace Brenvik {

class GridRowCommands {
public:
    // A filled row is emptied only after a Yes to "Clear data in the selected row?"; on No
    // the grid stays as it was. Then the rows below move up one and the last row is emptied.
    // False when nothing changed.
    static bool deleteRow(GridCells &cells, int currentRow);
    // Data rows before the last only. Asks before a filled last row is pushed out; the rows
    // below move down one, the copy goes under the current row and becomes the current row.
    static bool duplicateRow(GridCells &cells, int &currentRow);

    static bool rowHasText(const GridCells &cells, int row);
};

} // namespace Brenvik
