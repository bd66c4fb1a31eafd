#include "report/columnmemo.h"

#include "report/reportpage.h"
#include "report/reportsource.h"

namespace Brenvik {

namespace {

QString line(const ReportSource &source, const QString &grid, int row, int column)
{
    const bool inside = row >= 0 && column >= 0 && row < source.gridRowCount(grid)
        && column < source.gridColumnCount(grid);
    const QString cell = inside ? source.gridCell(grid, row, column) : QString();
    return cell.isEmpty() ? QStringLiteral(" ") : cell;
}

} // namespace

QStringList ColumnMemo::columnLines(const ReportSource &source, const QString &grid, int column, int firstRow,
                                    int lastRow)
{
    QStringList lines;
    for (int row = firstRow; row <= lastRow; ++row)
        lines << line(source, grid, row, column);
    return lines;
}

QStringList ColumnMemo::rowLines(const ReportSource &source, const QString &grid, int row, int firstColumn,
                                 int lastColumn)
{
    QStringList lines;
    for (int column = firstColumn; column <= lastColumn; ++column)
        lines << line(source, grid, row, column);
    return lines;
}

QList<QPair<QString, int>> ColumnMemo::numberedMemos(const ReportPage &page, const QString &prefix, int digits)
{
    QList<QPair<QString, int>> out;
    for (const ReportElement &e : page.elements()) {
        if (e.kind != ElementKind::Memo || !e.name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString number = e.name.mid(prefix.size());
        if (number.isEmpty() || (digits > 0 && number.size() != digits))
            continue;
        bool allDigits = true;
        for (const QChar c : number)
            allDigits = allDigits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (allDigits)
            out.append({e.name, number.toInt()});
    }
    return out;
}

} // namespace Brenvik
