#include "support/fakereportsource.h"

#include <QtTest>

namespace Brenvik {

void FakeReportSource::addGrid(const QString &grid, int rows, int columns)
{
    m_grids.insert(grid, QList<QStringList>(rows, QStringList(columns, QString())));
}

void FakeReportSource::setCell(const QString &grid, int row, int column, const QString &value)
{
    auto it = m_grids.find(grid);
    if (it == m_grids.end() || row < 0 || row >= it->size() || column < 0 || column >= (*it)[row].size()) {
        QTest::qFail(qPrintable(QStringLiteral("no cell %1 %2:%3").arg(grid).arg(row).arg(column)), __FILE__,
                     __LINE__);
        return;
    }
    (*it)[row][column] = value;
}

void FakeReportSource::apply(const QString &setting)
{
    const int eq = setting.indexOf(QLatin1Char('='));
    const QString target = setting.left(eq < 0 ? setting.size() : eq);
    const QString value = eq < 0 ? QString() : setting.mid(eq + 1);
    const QStringList parts = target.split(QLatin1Char(':'));
    if (parts.first() == QLatin1String("field") && parts.size() == 2)
        set(parts[1], value);
    else if (parts.first() == QLatin1String("cell") && parts.size() == 4)
        setCell(parts[1], parts[2].toInt(), parts[3].toInt(), value);
    else if (parts.first() == QLatin1String("check") && parts.size() == 2)
        checked.insert(parts[1]);
    else
        QTest::qFail(qPrintable(QStringLiteral("bad setting: ") + setting), __FILE__, __LINE__);
}

void FakeReportSource::copyOf(const ReportSource &source, const QStringList &buttons, const QStringList &grids)
{
    fields = source.collectFields();
    for (const QString &button : buttons)
        if (source.isChecked(button))
            checked.insert(button);
    for (const QString &grid : grids) {
        addGrid(grid, source.gridRowCount(grid), source.gridColumnCount(grid));
        for (int r = 0; r < source.gridRowCount(grid); ++r)
            for (int c = 0; c < source.gridColumnCount(grid); ++c)
                setCell(grid, r, c, source.gridCell(grid, r, c));
    }
    picture = source.sketch();
}

QString FakeReportSource::gridCell(const QString &grid, int row, int column) const
{
    const QList<QStringList> rows = m_grids.value(grid);
    return row >= 0 && row < rows.size() ? rows[row].value(column) : QString();
}

int FakeReportSource::gridRowCount(const QString &grid) const
{
    return int(m_grids.value(grid).size());
}

int FakeReportSource::gridColumnCount(const QString &grid) const
{
    const QList<QStringList> rows = m_grids.value(grid);
    return rows.isEmpty() ? 0 : int(rows.first().size());
}

} // namespace Brenvik
