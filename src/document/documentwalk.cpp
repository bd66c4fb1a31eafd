#include "document/documentwalk.h"

#include "core/dates.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"

namespace Brenvik {

namespace {

QString storedValue(const ProfileFile &file, const QString &key)
{
    return file.value(DocumentWalk::kSection, key);
}

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::Edit || kind == FieldKind::AlignedEdit || kind == FieldKind::Combo
        || kind == FieldKind::SortedCombo;
}

bool isGridKind(FieldKind kind)
{
    return kind == FieldKind::Grid || kind == FieldKind::UnitRow;
}

// Grids and dates that the walk itself leaves for later: the WPDS parameter grid and the dates
// of the WPDS and PQR windows come after every control key.
bool writtenAfterWalk(const FieldDef &f)
{
    return (f.kind == FieldKind::Date && f.dateAfterWalk)
        || (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle);
}

GridCells &gridOf(DocumentValues &values, const FieldDef &f)
{
    GridCells &cells = values.grids[f.name];
    if (cells.size() != f.grid.rows || (!cells.isEmpty() && cells.first().size() != f.grid.columns))
        cells = DocumentWalk::emptyGrid(f.grid);
    return cells;
}

} // namespace

QString DocumentWalk::rowTitleKey(const QString &title)
{
    return QStringLiteral("WP") + removeChar(title, QLatin1Char(' '));
}

QString DocumentWalk::encodeRow(const QStringList &cells, int firstColumn)
{
    QString out;
    for (int c = firstColumn; c < cells.size(); ++c) {
        QString cell = cells.at(c);
        // A separator inside a cell would shift the rest of the row on reading.
        cell.replace(kCellSeparator, QLatin1Char('|'));
        out += cell.isEmpty() ? QStringLiteral("_") : cell;
        out += kCellSeparator;
    }
    // Trimmed of blanks and control characters at both ends, as the file always had it.
    int begin = 0;
    int end = out.size();
    while (begin < end && out.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && out.at(end - 1).unicode() <= 0x20)
        --end;
    return out.mid(begin, end - begin);
}

QString DocumentWalk::cellFromField(const QString &value, int n)
{
    const QString field = getField(value, n);
    return field == QLatin1String("_") ? QString() : field;
}

GridCells DocumentWalk::emptyGrid(const GridDef &def)
{
    GridCells cells(def.rows, QStringList());
    for (QStringList &row : cells) {
        row.reserve(def.columns);
        for (int c = 0; c < def.columns; ++c)
            row << QString();
    }
    // Drawn titles are painted by the grid: row 0 stays empty and is written as "_".
    if (def.headings == GridHeadings::Stored)
        for (int c = 0; c < def.columnTitles.size() && c < def.columns; ++c)
            if (def.rows > 0)
                cells[0][c] = def.columnTitles.at(c);
    for (int r = 0; r < def.rowTitles.size() && r + 1 < def.rows; ++r)
        if (def.columns > 0)
            cells[r + 1][0] = def.rowTitles.at(r);
    return cells;
}

KeyValueList DocumentWalk::saveEntries(const DocumentValues &values) const
{
    KeyValueList out;
    out.reserve(m_table.fields.size() + 32);
    out.append({QStringLiteral("imageFile"), values.imageFile});
    out.append({QStringLiteral("formType"), m_table.description.formType});

    auto writeGridRows = [&](const FieldDef &f) {
        const GridCells cells = values.grids.value(f.name, emptyGrid(f.grid));
        if (f.grid.encoding == GridEncoding::RowTitle) {
            for (int r = 0; r < f.grid.rowTitles.size(); ++r)
                out.append({rowTitleKey(f.grid.rowTitles.at(r)),
                            encodeRow(cells.value(r + 1), 1)});
        } else {
            for (int r = 0; r < f.grid.rows; ++r)
                out.append({f.name + QLatin1Char('_') + QString::number(r), encodeRow(cells.value(r), 0)});
        }
    };

    for (const FieldDef &f : m_table.fields) {
        if (!isStoredKind(f.kind) || writtenAfterWalk(f))
            continue;
        if (isTextKind(f.kind))
            out.append({f.name, values.texts.value(f.name)});
        else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            out.append({f.name, values.checks.value(f.name) ? QStringLiteral("true") : QStringLiteral("false")});
        else if (f.kind == FieldKind::Memo)
            out.append({f.name, encodeMemo(values.texts.value(f.name))});
        else if (isGridKind(f.kind))
            writeGridRows(f);
        else if (f.kind == FieldKind::Date)
            out.append({f.name, formatFileDate(values.dates.value(f.name))});
    }
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Date && f.dateAfterWalk)
            out.append({f.name, formatFileDate(values.dates.value(f.name))});
    for (const FieldDef &f : m_table.fields)
        if (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle)
            writeGridRows(f);
    return out;
}

void DocumentWalk::read(const ProfileFile &file, DocumentValues &values,
                        QList<DateProblem> *problems) const
{
    auto readDate = [&](const FieldDef &f) {
        const QString text = storedValue(file, f.name);
        const QDate date = parseFileDate(text);
        if (date.isValid())
            values.dates[f.name] = date;
        else if (problems)
            problems->append({f.name, text});
    };
    auto readGrid = [&](const FieldDef &f) {
        GridCells &cells = gridOf(values, f);
        if (f.grid.encoding == GridEncoding::RowTitle) {
            for (int r = 0; r < f.grid.rowTitles.size() && r + 1 < cells.size(); ++r) {
                const QString value = storedValue(file, rowTitleKey(f.grid.rowTitles.at(r)));
                for (int c = 1; c < f.grid.columns; ++c)
                    cells[r + 1][c] = cellFromField(value, c);
            }
        } else {
            const bool headingRow = f.grid.fixedRows > 0;
            for (int r = 0; r < f.grid.rows; ++r) {
                if (r == 0 && headingRow && f.grid.headings == GridHeadings::Drawn)
                    continue; // nothing of the titles is stored
                const QString value = storedValue(file, f.name + QLatin1Char('_') + QString::number(r));
                for (int c = f.grid.keepTitleColumnOnRead ? 1 : 0; c < f.grid.columns; ++c) {
                    const QString cell = cellFromField(value, c + 1);
                    // A heading is never blanked by a file: a missing or "_" field keeps it.
                    if (r == 0 && headingRow && cell.isEmpty())
                        continue;
                    cells[r][c] = cell;
                }
            }
        }
    };

    for (const FieldDef &f : m_table.fields) {
        if (!isStoredKind(f.kind) || writtenAfterWalk(f))
            continue;
        if (isTextKind(f.kind))
            values.texts[f.name] = storedValue(file, f.name);
        else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            values.checks[f.name] = storedValue(file, f.name) == QLatin1String("true");
        else if (f.kind == FieldKind::Memo)
            values.texts[f.name] = replacedAll(storedValue(file, f.name), kMemoLineMark, u"\n");
        else if (isGridKind(f.kind))
            readGrid(f);
        else if (f.kind == FieldKind::Date)
            readDate(f);
    }
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Date && f.dateAfterWalk)
            readDate(f);
    for (const FieldDef &f : m_table.fields)
        if (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle)
            readGrid(f);
    values.imageFile = storedValue(file, QStringLiteral("imageFile"));
}

void DocumentWalk::reset(DocumentValues &values, const QDate &today) const
{
    values.imageFile.clear();
    for (const FieldDef &f : m_table.fields) {
        if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
            values.texts[f.name] = QString();
        else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            values.checks[f.name] = false;
        else if (f.kind == FieldKind::Date)
            values.dates[f.name] = today;
        else if (isGridKind(f.kind))
            values.grids[f.name] = emptyGrid(f.grid);
    }
}

} // namespace Brenvik
