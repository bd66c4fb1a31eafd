#include "document/control/documentcompare.h"

#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "document/documentwalk.h"
#include "document/fieldtable.h"

#include <QDate>

namespace Brenvik {

namespace {

QString shown(const QString &value)
{
    // One line per difference: a line break inside a value is shown as the file keeps it.
    QString flat = encodeMemo(value);
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return flat.isEmpty() ? QStringLiteral("(empty)") : flat;
}

QString cleanLabel(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

bool isGrid(FieldKind kind)
{
    return kind == FieldKind::Grid || kind == FieldKind::UnitRow;
}

QString pictureText(const QByteArray &bytes)
{
    return bytes.isEmpty() ? QStringLiteral("(no picture)")
                           : QStringLiteral("picture of %1 bytes").arg(bytes.size());
}


} // namespace

QString FieldDifference::line() const
{
    return QStringLiteral("%1 / %2: %3 -> %4").arg(page, label, before, after);
}

QString DocumentCompare::labelOf(const QString &fieldName) const
{
    const FieldDef *f = m_table.field(fieldName);
    if (!f)
        return fieldName;
    const GroupDef *g = m_table.group(f->group);
    const QString group = g ? cleanLabel(g->caption) : QString();
    const QString own = !cleanLabel(f->label).isEmpty() ? cleanLabel(f->label) : cleanLabel(f->text);
    if (own.isEmpty())
        return group.isEmpty() ? f->name : group;
    // A label found twice on one page ("Groove" under two ranges) is told apart by its group.
    int same = 0;
    for (const FieldDef &other : m_table.fields)
        if (isStoredKind(other.kind) && m_table.pageOf(other) == m_table.pageOf(*f)
            && (cleanLabel(other.label).isEmpty() ? cleanLabel(other.text) : cleanLabel(other.label)) == own)
            ++same;
    return same > 1 && !group.isEmpty() ? QStringLiteral("%1 (%2)").arg(own, group) : own;
}

QList<FieldDifference> DocumentCompare::compare(const ProfileFile &before, const ProfileFile &after,
                                                const QByteArray &pictureBefore,
                                                const QByteArray &pictureAfter) const
{
    const DocumentWalk walk(m_table);
    DocumentValues a;
    DocumentValues b;
    walk.reset(a, QDate());
    walk.reset(b, QDate());
    walk.read(before, a, nullptr);
    walk.read(after, b, nullptr);

    QList<FieldDifference> out;
    auto pageOf = [this](const FieldDef &f) {
        return cleanLabel(m_table.pages.value(m_table.pageOf(f)).caption);
    };
    auto note = [&](const FieldDef &f, const QString &label, const QString &x, const QString &y) {
        if (x != y)
            out.append({pageOf(f), label, shown(x), shown(y)});
    };
    auto columnHeading = [this](const FieldDef &f, const GridCells &cells, int c) {
        const GridDef &g = f.grid;
        QString title = cleanLabel(g.columnTitles.value(c));
        if (title.isEmpty() && g.headings == GridHeadings::Stored && g.fixedRows > 0)
            title = cleanLabel(cells.value(0).value(c));
        if (title.isEmpty() && !g.over.isEmpty())
            if (const FieldDef *over = m_table.field(g.over))
                title = cleanLabel(over->grid.columnTitles.value(g.overColumn + c));
        for (const GridBand &band : g.bands)
            if (c >= band.first && c <= band.last && !cleanLabel(band.text).isEmpty())
                title = cleanLabel(band.text) + QLatin1Char(' ') + title;
        return title.isEmpty() ? QStringLiteral("column %1").arg(c + 1) : title.trimmed();
    };
    auto rowHeading = [](const FieldDef &f, const GridCells &x, const GridCells &y, int r) {
        if (f.grid.fixedColumns > 0) {
            const QString title = cleanLabel(x.value(r).value(0));
            const QString other = cleanLabel(y.value(r).value(0));
            if (!title.isEmpty() || !other.isEmpty())
                return title.isEmpty() ? other : title;
        }
        if (r == 0 && f.grid.fixedRows > 0)
            return QStringLiteral("headings");
        return QStringLiteral("row %1").arg(r + 1 - f.grid.fixedRows);
    };
    auto compareGrid = [&](const FieldDef &f) {
        const GridCells x = a.grids.value(f.name);
        const GridCells y = b.grids.value(f.name);
        const bool drawnTitles = f.grid.headings == GridHeadings::Drawn && f.grid.fixedRows > 0;
        for (int r = drawnTitles ? 1 : 0; r < f.grid.rows; ++r)
            for (int c = 0; c < f.grid.columns; ++c) {
                const bool titleCell = c < f.grid.fixedColumns && r > 0;
                if (titleCell || x.value(r).value(c) == y.value(r).value(c))
                    continue;
                QString label = labelOf(f.name);
                if (f.kind == FieldKind::Grid || f.grid.rows > 1)
                    label += QStringLiteral(" / ") + rowHeading(f, x, y, r);
                label += QStringLiteral(" / ") + columnHeading(f, x, c);
                note(f, label, x.value(r).value(c), y.value(r).value(c));
            }
    };

    const FieldDef *pictureField = nullptr;
    for (const FieldDef &f : m_table.fields) {
        if (f.kind == FieldKind::ImageGroup && !pictureField)
            pictureField = &f;
        if (!isStoredKind(f.kind))
            continue;
        switch (f.kind) {
        case FieldKind::Check:
        case FieldKind::Radio:
            note(f, labelOf(f.name), a.checks.value(f.name) ? QStringLiteral("Yes") : QStringLiteral("No"),
                 b.checks.value(f.name) ? QStringLiteral("Yes") : QStringLiteral("No"));
            break;
        case FieldKind::Date:
            // As stored: a date one file cannot read still shows what it holds.
            note(f, labelOf(f.name), before.value(DocumentWalk::kSection, f.name),
                 after.value(DocumentWalk::kSection, f.name));
            break;
        default:
            if (isGrid(f.kind))
                compareGrid(f);
            else
                note(f, labelOf(f.name), a.texts.value(f.name), b.texts.value(f.name));
        }
    }
    if (pictureBefore != pictureAfter) {
        FieldDifference d;
        d.page = pictureField ? pageOf(*pictureField) : cleanLabel(m_table.pages.value(0).caption);
        d.label = pictureField ? labelOf(pictureField->name) : QStringLiteral("Sketch");
        d.before = pictureText(pictureBefore);
        d.after = pictureText(pictureAfter);
        if (d.before == d.after)
            d.after = QStringLiteral("another ") + d.after;
        out.append(d);
    }
    return out;
}


} // namespace Brenvik
