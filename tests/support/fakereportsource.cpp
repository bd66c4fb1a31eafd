#include "support/fakereportsource.h"

#include "core/dates.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"

#include <QRegularExpression>
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

bool FakeReportSource::loadDocument(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load())
        return false;
    static const QRegularExpression gridRow(QStringLiteral("^(.+)_(\\d+)$"));
    for (const auto &[key, value] : file.entries(QStringLiteral("contents"))) {
        const QRegularExpressionMatch m = gridRow.match(key);
        const QDate date = parseFileDate(value);
        if (m.hasMatch() && value.contains(QChar(0xA6))) {
            QList<QStringList> &rows = m_grids[m.captured(1)];
            const int row = m.captured(2).toInt();
            while (rows.size() <= row)
                rows.append(QStringList());
            for (int n = 1; n < fieldCount(value); ++n) {
                const QString cell = getField(value, n);
                rows[row] << (cell == QLatin1String("_") ? QString() : cell);
            }
        } else if (value == QLatin1String("true")) {
            checked.insert(key);
        } else if (date.isValid()) {
            set(key, formatReportDate(date));
        } else if (value != QLatin1String("false")) {
            set(key, value);
        }
    }
    return true;
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
