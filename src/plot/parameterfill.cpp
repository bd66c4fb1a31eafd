#include "plot/parameterfill.h"

#include "core/texthelpers.h"
#include "plot/heatinput.h"

#include <QLocale>
#include <QPoint>
#include <QRegularExpression>

namespace Brenvik {

namespace {

using Item = ParameterTarget::Item;

QStringList labelWords(const QString &label)
{
    static const QRegularExpression gap(QStringLiteral("[ \\t]+"));
    return label.split(gap, Qt::SkipEmptyParts);
}

QLocale numberLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

bool isMillimetres(const QString &part)
{
    return part.endsWith(QLatin1String("mm"), Qt::CaseInsensitive);
}

// A length in inches as written: a trailing inch mark or "in" is allowed.
QString inchNumber(const QString &part)
{
    QString text = part.trimmed();
    if (text.endsWith(QLatin1String("in"), Qt::CaseInsensitive))
        text.chop(2);
    return text.trimmed();
}

// The pass a fill starts from: a current line before the first pass becomes the first pass.
QPoint currentPass(const ParameterTarget &t, int rows, int columns, int row, int column)
{
    if (t.passesAreColumns)
        return QPoint(std::clamp(column, t.firstPass, columns - 1), std::clamp(row, 1, rows - 1));
    return QPoint(std::clamp(column, 0, columns - 1), std::clamp(row, t.firstPass, rows - 1));
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// Where word stands in text as a whole word, case aside; -1 when it does not.
qsizetype wordAt(const QString &text, const QString &word)
{
    if (word.isEmpty())
        return -1;
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || !isWordCharacter(text.at(at - 1))) && (end == text.size() || !isWordCharacter(text.at(end))))
            return at;
    }
    return -1;
}

} // namespace

QString ParameterFill::formatOutput(double value)
{
    return numberLocale().toString(value, 'f', 1);
}

QString ParameterFill::diameterWord(const QString &label)
{
    return labelWords(label).value(0);
}

QString ParameterFill::polarityWord(const QString &label)
{
    for (const QString &word : labelWords(label))
        if (word.contains(QLatin1String("DC"), Qt::CaseInsensitive))
            return word;
    return QString();
}

QString ParameterFill::voltageWord(const QString &label)
{
    for (const QString &word : labelWords(label)) {
        const qsizetype at = word.toUpper().indexOf(QLatin1String("VOLT"));
        if (at >= 0)
            return word.left(at);
    }
    return QString();
}

QString ParameterFill::diameterCell(const QString &word, bool metric)
{
    // "0.045\"=1.2mm": the inch part when there is one, else the millimetre part.
    const QStringList parts = word.split(QLatin1Char('='), Qt::SkipEmptyParts);
    QString inches;
    QString millimetres;
    for (const QString &part : parts) {
        if (isMillimetres(part)) {
            if (millimetres.isEmpty())
                millimetres = part.chopped(2).trimmed();
        } else if (inches.isEmpty()) {
            inches = part.trimmed();
        }
    }
    // Inches go in as written; in Metric they are converted, and what does not convert is left out.
    if (!inches.isEmpty())
        return metric ? inchToMm(inchNumber(inches)) : inches;
    double value = 0;
    if (millimetres.isEmpty() || !readDecimal(millimetres, &value) || value < 0)
        return QString();
    if (metric)
        return millimetres;
    return numberLocale().toString(value / 25.4, 'f', 3) + QLatin1Char('"');
}

QString ParameterFill::speedCell(const QString &inPerMin, bool metric)
{
    if (!metric)
        return inPerMin;
    return inchToMm(inPerMin);
}

ParameterFill::Plan ParameterFill::plan(const ParameterTarget &target, const GridCells &cells, int row, int column,
                                        bool metric, const PickedParameters &picked)
{
    Plan p;
    const ParameterTarget *t = &target;
    const int rows = int(cells.size());
    const int columns = rows > 0 ? int(cells.first().size()) : 0;
    if (!t->isSet() || rows == 0 || columns == 0)
        return p;
    p.known = true;
    const QPoint pass = currentPass(*t, rows, columns, row, column);
    p.row = pass.y();
    p.column = pass.x();
    p.rewriteUnitRow = !metric && !t->unitRowButton.isEmpty();

    for (const ParameterTarget::Slot &slot : t->lines) {
        QString text;
        switch (slot.item) {
        case Item::Process: text = picked.process; break;
        case Item::Classification: text = picked.classification; break;
        case Item::Diameter: text = diameterCell(diameterWord(picked.lineLabel), metric); break;
        case Item::FeedSpeed: text = speedCell(picked.feedSpeed, metric); break;
        case Item::Amperage: text = picked.amperage; break;
        case Item::Voltage: text = voltageWord(picked.lineLabel); break;
        case Item::Polarity: text = polarityWord(picked.lineLabel); break;
        }
        const int r = t->passesAreColumns ? slot.line : p.row;
        const int c = t->passesAreColumns ? p.column : slot.line;
        if (r >= rows || c >= columns)
            continue;
        if (!cells.at(r).value(c).trimmed().isEmpty())
            p.ask = true;
        p.writes.append({r, c, text});
    }

    if (t->heatInputLine >= 0 && t->travelSpeedLine >= 0) {
        // The picked volts and amperes at the travel speed the pass holds.
        const int r = t->passesAreColumns ? t->heatInputLine : p.row;
        const int c = t->passesAreColumns ? p.column : t->heatInputLine;
        const QString speed = t->passesAreColumns ? cells.value(t->travelSpeedLine).value(p.column)
                                                  : cells.value(p.row).value(t->travelSpeedLine);
        if (r < rows && c < columns) {
            if (!cells.at(r).value(c).trimmed().isEmpty())
                p.ask = true;
            p.writes.append({r, c, HeatInput::cell(voltageWord(picked.lineLabel), picked.amperage, speed, metric)});
        }
    }

    p.nextRow = p.row;
    p.nextColumn = p.column;
    if (t->passesAreColumns && p.column + 1 < columns)
        ++p.nextColumn;
    else if (!t->passesAreColumns && p.row + 1 < rows)
        ++p.nextRow;
    return p;
}

QString ParameterFill::passProcess(const ParameterTarget &target, const GridCells &cells, int row, int column)
{
    const int rows = int(cells.size());
    const int columns = rows > 0 ? int(cells.first().size()) : 0;
    if (!target.isSet() || rows == 0 || columns == 0)
        return QString();
    const QPoint pass = currentPass(target, rows, columns, row, column);
    for (const ParameterTarget::Slot &slot : target.lines) {
        if (slot.item != Item::Process)
            continue;
        return target.passesAreColumns ? cells.value(slot.line).value(pass.x())
                                       : cells.value(pass.y()).value(slot.line);
    }
    return QString();
}

QString ParameterFill::documentProcess(const QStringList &texts, const QStringList &processes)
{
    for (const QString &text : texts) {
        QString best;
        qsizetype bestAt = -1;
        for (const QString &process : processes) {
            const qsizetype at = wordAt(text, process.trimmed());
            // The process named first; of two at the same place the longer name ("GMAW-P" over "GMAW").
            if (at >= 0 && (bestAt < 0 || at < bestAt || (at == bestAt && process.size() > best.size()))) {
                best = process;
                bestAt = at;
            }
        }
        if (bestAt >= 0)
            return best;
    }
    return QString();
}

} // namespace Brenvik
