#pragma once
// Reads the numbers engineers type into free-text fields: lengths ("11.1 mm", "3/16 in",
// "1-1/2\"", a bare number in the form's unit), ranges ("5 - 20 mm", "3/16 in to 3/4 in",
// "1.5-10", "up to 19 mm", "3/4 in max."), temperatures ("95 °C", "200F", a bare number in
// the form's temperature unit) and the words that mean nothing is there ("None", "N/A").
// A text it cannot read whole is reported as such, never guessed at.

#include <QString>
#include <QStringList>

namespace Brenvik {

enum class Unit { None, Mm, Inch, Celsius, Fahrenheit };

struct Reading {
    enum class Kind { Value, Nothing, Unreadable };
    Kind kind = Kind::Unreadable;
    // A single value has both ends equal; "up to 19 mm" has no low end, "50 °C min." no high.
    bool hasLow = false;
    bool hasHigh = false;
    double low = 0;
    double high = 0;
    Unit unit = Unit::None; // the unit the text was written in

    bool isValue() const { return kind == Kind::Value; }
    // Both ends, or the one end there is, converted exactly to another unit of its kind.
    Reading in(Unit target) const;
};

class ValueReader {
public:
    // bareUnit is the unit of a number written without one (Unit::None: such a text is
    // unreadable).
    static Reading length(const QString &text, Unit bareUnit);
    static Reading temperature(const QString &text, Unit bareUnit);
    // "None", "None (as welded)", "N/A", "-" and an empty text.
    static bool isNothing(const QString &text);

    // Exact conversions: 25.4 mm to the inch, °F = °C x 9/5 + 32.
    static double convert(double value, Unit from, Unit to);
    // "mm", "in", "°C", "°F".
    static QString unitText(Unit unit);
    // A number as an engineer writes it: "1.5", "22.2", "0.875" (at most three decimals).
    static QString number(double value);

    // A number or range of another quantity ("90-110", "10 - 12 V", "60-150 mm/min"): units
    // names the unit words it may carry (in lower case, longest first); the one written, if
    // any, is put in unitWritten. Unit::None in the reading.
    static Reading plainRange(const QString &text, const QStringList &units, QString *unitWritten = nullptr);
    // A group number of the code: "1", "P-1", "P-No. 1", "P1", "F-6", "A-No. 1", "5A", "15E",
    // "01" (as "1"), with the letter of its table; a group after it ("1 Gr. 2", "P-1 Gp 1",
    // "P-No. 1 Group 2") into group. Empty when the text is not one.
    static QString groupNumber(const QString &text, QChar letter, QString *group = nullptr);
    // A value quoted in the details: at most 80 characters of it, the cut marked.
    static QString quote(const QString &text);
};

} // namespace Brenvik
