#pragma once
// The lines of a table printed as one memo per column (or, transposed, per row): each grid
// cell gives one line, an empty cell or a row the grid lacks prints as one blank, so that the
// memos of a table keep their lines aligned row by row.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Brenvik {

class ReportPage;
class ReportSource;

class ColumnMemo {
public:
    // Column `column` of `grid`, rows firstRow to lastRow, one line each.
    static QStringList columnLines(const ReportSource &source, const QString &grid, int column, int firstRow,
                                   int lastRow);
    // Row `row` of `grid`, columns firstColumn to lastColumn, one line each.
    static QStringList rowLines(const ReportSource &source, const QString &grid, int row, int firstColumn,
                                int lastColumn);
    // The memos of the page whose name is prefix (letter case aside) followed by a number of
    // exactly `digits` decimal digits (any number of them when 0), with that number, in table
    // order: "wsGrid12" gives 12.
    static QList<QPair<QString, int>> numberedMemos(const ReportPage &page, const QString &prefix,
                                                    int digits = 0);
};

} // namespace Brenvik
