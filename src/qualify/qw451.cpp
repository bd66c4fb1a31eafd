#include "qualify/qw451.h"

#include <cmath>
#include <utility>

namespace Brenvik {

namespace {

// The table's bounds in one column, and the same bounds in the other.
struct Column {
    double sixteenth, threeEighths, threeQuarters, oneAndHalf, six, threeSixteenths, eight;
    const char *sixteenthText, *threeEighthsText, *threeQuartersText, *oneAndHalfText, *sixText,
        *threeSixteenthsText, *eightText;
};

const Column kInch = {1.0 / 16, 3.0 / 8, 3.0 / 4, 1.5, 6, 3.0 / 16, 8,
                      "1/16 in", "3/8 in", "3/4 in", "1-1/2 in", "6 in", "3/16 in", "8 in"};
const Column kMm = {1.5, 10, 19, 38, 150, 5, 200, "1.5 mm", "10 mm", "19 mm", "38 mm", "150 mm", "5 mm", "200 mm"};

const Column &column(Unit unit) { return unit == Unit::Inch ? kInch : kMm; }
const Column &otherColumn(Unit unit) { return unit == Unit::Inch ? kMm : kInch; }

QualifiedBound scaled(double value) { return {value, false, 0}; }

// A fixed bound by its place in the column.
QualifiedBound fixedBound(Unit unit, double Column::*place)
{
    return {column(unit).*place, true, otherColumn(unit).*place};
}

} // namespace

bool Qw451::hasEightInchLimit(const QStringList &processes)
{
    static const QStringList listed = {QStringLiteral("SMAW"), QStringLiteral("SAW"), QStringLiteral("GMAW"),
                                       QStringLiteral("PAW"), QStringLiteral("GTAW")};
    if (processes.isEmpty())
        return false;
    for (const QString &p : processes)
        if (!listed.contains(p))
            return false;
    return true;
}

QualifiedRange Qw451::baseMetal(double t, Unit unit, bool eightInchLimit)
{
    const Column &c = column(unit);
    QualifiedRange r;
    r.unit = unit;
    if (t < c.sixteenth) {
        r.min = scaled(t);
        r.max = scaled(2 * t);
        r.row = QStringLiteral("T less than %1: T to 2T").arg(QLatin1String(c.sixteenthText));
    } else if (t <= c.threeEighths) {
        r.min = fixedBound(unit, &Column::sixteenth);
        r.max = scaled(2 * t);
        r.row = QStringLiteral("T %1 to %2 inclusive: %1 to 2T")
                    .arg(QLatin1String(c.sixteenthText), QLatin1String(c.threeEighthsText));
    } else if (t < c.threeQuarters) {
        r.min = fixedBound(unit, &Column::threeSixteenths);
        r.max = scaled(2 * t);
        r.row = QStringLiteral("T over %1, less than %2: %3 to 2T")
                    .arg(QLatin1String(c.threeEighthsText), QLatin1String(c.threeQuartersText),
                         QLatin1String(c.threeSixteenthsText));
    } else if (t < c.oneAndHalf) {
        r.min = fixedBound(unit, &Column::threeSixteenths);
        r.max = scaled(2 * t);
        r.row = QStringLiteral("T %1 to less than %2: %3 to 2T")
                    .arg(QLatin1String(c.threeQuartersText), QLatin1String(c.oneAndHalfText),
                         QLatin1String(c.threeSixteenthsText));
    } else if (t <= c.six) {
        r.min = fixedBound(unit, &Column::threeSixteenths);
        r.max = eightInchLimit ? fixedBound(unit, &Column::eight) : scaled(2 * t);
        r.row = QStringLiteral("T %1 to %2 inclusive: %3 to %4")
                    .arg(QLatin1String(c.oneAndHalfText), QLatin1String(c.sixText), QLatin1String(c.threeSixteenthsText),
                         eightInchLimit ? QLatin1String(c.eightText) : QLatin1String("2T"));
    } else {
        r.min = fixedBound(unit, &Column::threeSixteenths);
        r.max = scaled(1.33 * t);
        r.row = QStringLiteral("T over %1: %2 to 1.33T").arg(QLatin1String(c.sixText), QLatin1String(c.threeSixteenthsText));
    }
    return r;
}

QualifiedRange Qw451::deposit(double t, double thickness, Unit unit, bool eightInchLimit)
{
    const Column &c = column(unit);
    QualifiedRange r;
    r.unit = unit;
    r.min = scaled(0);
    if (t < c.threeQuarters || thickness < c.threeQuarters) {
        r.max = scaled(2 * t);
        r.row = QStringLiteral("2t");
    } else if (thickness < c.oneAndHalf) {
        r.max = scaled(2 * thickness);
        r.row = QStringLiteral("t and T %1 or more, T less than %2: 2T")
                    .arg(QLatin1String(c.threeQuartersText), QLatin1String(c.oneAndHalfText));
    } else if (thickness <= c.six) {
        r.max = eightInchLimit ? fixedBound(unit, &Column::eight) : scaled(2 * thickness);
        r.row = QStringLiteral("t %1 or more, T %2 to %3: %4")
                    .arg(QLatin1String(c.threeQuartersText), QLatin1String(c.oneAndHalfText), QLatin1String(c.sixText),
                         eightInchLimit ? QLatin1String(c.eightText) : QLatin1String("2T"));
    } else {
        r.max = scaled(1.33 * thickness);
        r.row = QStringLiteral("t %1 or more, T over %2: 1.33T")
                    .arg(QLatin1String(c.threeQuartersText), QLatin1String(c.sixText));
    }
    return r;
}

QString Qw451::boundText(const QualifiedBound &bound, Unit unit)
{
    // The table's own spelling for its fixed bounds ("1/16 in", "3/16 in").
    const Column &c = column(unit);
    if (bound.fixed) {
        for (auto [place, text] : {std::pair{&Column::sixteenth, c.sixteenthText},
                                   std::pair{&Column::threeSixteenths, c.threeSixteenthsText},
                                   std::pair{&Column::eight, c.eightText}})
            if (c.*place == bound.value)
                return QLatin1String(text);
    }
    return ValueReader::number(bound.value) + QLatin1Char(' ') + ValueReader::unitText(unit);
}

QString Qw451::text(const QualifiedRange &range)
{
    // Three decimals at most, rounded inwards: the written range never claims more than the
    // record qualifies.
    QualifiedBound min = range.min;
    QualifiedBound max = range.max;
    if (!min.fixed)
        min.value = std::ceil(min.value * 1000 - 1e-6) / 1000;
    if (!max.fixed)
        max.value = std::floor(max.value * 1000 + 1e-6) / 1000;
    if (min.value <= 0)
        return boundText(max, range.unit) + QStringLiteral(" max.");
    return boundText(min, range.unit) + QStringLiteral(" to ") + boundText(max, range.unit);
}

} // namespace Brenvik
