#pragma once
// Duplicate Column and Delete Column of a parameter grid, on its cells: which columns move,
// what is asked before data is lost. The heading row 0 is never touched.

#include "document/documentwalk.h"

namespace Brenvik {

class GridColumnCommands {
public:
    // Pass columns only (2 up to the one before the last). Asks before overwriting a last
    // column that holds text. On success the copy becomes the current column.
    static bool duplicateColumn(GridCells &cells, int &currentColumn);
    // Any column from the unit column 1 on. Asks before clearing a column that holds text;
    // the later columns move one place left and the last one is emptied.
    static bool deleteColumn(GridCells &cells, int currentColumn);

    static bool columnHasText(const GridCells &cells, int column);
};

} // namespace Brenvik
