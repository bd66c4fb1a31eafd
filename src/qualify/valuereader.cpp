#include "qualify/valuereader.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <optional>

namespace Brenvik {

namespace {

enum class Quantity { Length, Temperature };

// A left-to-right reader over the lower-cased text.
class Cursor {
public:
    explicit Cursor(const QString &text) : m_s(text) {}

    void skipBlanks()
    {
        while (m_i < m_s.size() && m_s.at(m_i).isSpace())
            ++m_i;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_i >= m_s.size();
    }
    // One of the words, as a whole word where it ends in a letter ("in" is not the start of
    // "inconel", "max." needs no blank after its dot).
    bool eat(const QStringList &words)
    {
        skipBlanks();
        for (const QString &w : words) {
            if (!QStringView(m_s).mid(m_i).startsWith(w))
                continue;
            const int end = m_i + int(w.size());
            if (w.back().isLetter() && end < m_s.size() && m_s.at(end).isLetter())
                continue;
            m_i = end;
            return true;
        }
        return false;
    }
    // A number: "11.1", ".5", "3/16", "1-1/2", "1 1/2"; a leading "-" when signed.
    std::optional<double> number(bool signedAllowed)
    {
        skipBlanks();
        int i = m_i;
        double sign = 1;
        if (signedAllowed && i < m_s.size() && (m_s.at(i) == QLatin1Char('-') || m_s.at(i) == QLatin1Char('+'))) {
            sign = m_s.at(i) == QLatin1Char('-') ? -1 : 1;
            ++i;
        }
        const int start = i;
        while (i < m_s.size() && m_s.at(i).isDigit())
            ++i;
        const int intEnd = i;
        bool decimal = false;
        if (i < m_s.size() && m_s.at(i) == QLatin1Char('.') && i + 1 < m_s.size() && m_s.at(i + 1).isDigit()) {
            decimal = true;
            ++i;
            while (i < m_s.size() && m_s.at(i).isDigit())
                ++i;
        }
        if (i == start)
            return std::nullopt;
        double value = QStringView(m_s).mid(start, i - start).toDouble();
        if (!std::isfinite(value)) // 400 digits read as infinity: no number an engineer wrote
            return std::nullopt;
        if (!decimal) {
            if (const auto f = fraction(i)) { // "3/16"
                value = *f;
            } else if (i < m_s.size() && (m_s.at(i) == QLatin1Char('-') || m_s.at(i) == QLatin1Char(' '))) {
                int j = i + 1; // "1-1/2", "1 1/2"
                if (const auto g = fraction(j, /*needsLeadingDigits=*/true)) {
                    value += *g;
                    i = j;
                }
            }
        }
        Q_UNUSED(intEnd);
        if (!std::isfinite(value))
            return std::nullopt;
        m_i = i;
        return sign * value;
    }

private:
    // A fraction whose numerator starts at i (or, with the numerator already read, at the
    // "/" at i); on success i points past the denominator.
    std::optional<double> fraction(int &i, bool needsLeadingDigits = false)
    {
        int j = i;
        int numStart = j;
        if (needsLeadingDigits) {
            while (j < m_s.size() && m_s.at(j).isDigit())
                ++j;
            if (j == numStart)
                return std::nullopt;
        } else {
            // The numerator is what number() just read: back up over its digits.
            while (numStart > 0 && m_s.at(numStart - 1).isDigit())
                --numStart;
        }
        if (j >= m_s.size() || m_s.at(j) != QLatin1Char('/'))
            return std::nullopt;
        int k = j + 1;
        const int denStart = k;
        while (k < m_s.size() && m_s.at(k).isDigit())
            ++k;
        if (k == denStart)
            return std::nullopt;
        const double den = QStringView(m_s).mid(denStart, k - denStart).toDouble();
        if (den == 0)
            return std::nullopt;
        const double num = QStringView(m_s).mid(numStart, j - numStart).toDouble();
        if (!std::isfinite(num) || !std::isfinite(den) || !std::isfinite(num / den))
            return std::nullopt;
        i = k;
        return num / den;
    }

    QString m_s;
    int m_i = 0;
};

const QStringList kHighOnly = {QStringLiteral("up to"), QStringLiteral("maximum"), QStringLiteral("max."),
                               QStringLiteral("max"), QStringLiteral("<="), QStringLiteral("\u2264")};
const QStringList kLowOnly = {QStringLiteral("minimum"), QStringLiteral("min."), QStringLiteral("min"),
                              QStringLiteral(">="), QStringLiteral("\u2265")};
const QStringList kSeparators = {QStringLiteral("to"), QStringLiteral("-")};

Unit readUnit(Cursor &c, Quantity quantity)
{
    if (quantity == Quantity::Length) {
        if (c.eat({QStringLiteral("mm")}))
            return Unit::Mm;
        if (c.eat({QStringLiteral("inches"), QStringLiteral("inch"), QStringLiteral("in."), QStringLiteral("in"),
                   QStringLiteral("\"")}))
            return Unit::Inch;
        return Unit::None;
    }
    if (c.eat({QStringLiteral("\u00b0c"), QStringLiteral("deg c"), QStringLiteral("deg. c"), QStringLiteral("degc"),
               QStringLiteral("c")}))
        return Unit::Celsius;
    if (c.eat({QStringLiteral("\u00b0f"), QStringLiteral("deg f"), QStringLiteral("deg. f"), QStringLiteral("degf"),
               QStringLiteral("f")}))
        return Unit::Fahrenheit;
    return Unit::None;
}

// The text trimmed, in lower case, its en and em dashes and minus signs as "-".
QString lowerWithPlainDashes(const QString &text)
{
    QString s = text.trimmed().toLower();
    for (const QChar dash : {QChar(0x2013), QChar(0x2014), QChar(0x2212)})
        s.replace(dash, QLatin1Char('-'));
    return s;
}

Reading read(const QString &text, Unit bareUnit, Quantity quantity)
{
    Reading r;
    if (ValueReader::isNothing(text)) {
        r.kind = Reading::Kind::Nothing;
        return r;
    }
    QString s = lowerWithPlainDashes(text);
    s.replace(QChar(0x2033), QLatin1Char('"')); // double prime
    s.replace(QStringLiteral("''"), QStringLiteral("\""));
    for (const QChar degree : {QChar(0x00ba), QChar(0x02da)}) // the ordinal and ring look alike
        s.replace(degree, QChar(0x00b0));
    s.replace(QStringLiteral("\u00b0 "), QStringLiteral("\u00b0"));
    const bool signedAllowed = quantity == Quantity::Temperature;

    Cursor c(s);
    bool highOnly = c.eat(kHighOnly);
    bool lowOnly = !highOnly && c.eat(kLowOnly);
    const auto first = c.number(signedAllowed);
    if (!first)
        return r;
    Unit firstUnit = readUnit(c, quantity);
    std::optional<double> second;
    Unit secondUnit = Unit::None;
    if (!highOnly && !lowOnly && c.eat(kSeparators)) {
        second = c.number(signedAllowed);
        if (!second)
            return r;
        secondUnit = readUnit(c, quantity);
    }
    if (!second && !highOnly && !lowOnly) {
        highOnly = c.eat(kHighOnly);
        lowOnly = !highOnly && c.eat(kLowOnly);
    }
    c.eat({QStringLiteral(".")});
    if (!c.atEnd())
        return r;

    // The unit written once stands for both ends; a bare number takes the form's unit.
    const Unit unit = firstUnit != Unit::None ? firstUnit : secondUnit != Unit::None ? secondUnit : bareUnit;
    if (unit == Unit::None)
        return r;
    double a = *first;
    double b = second ? *second : a;
    if (second && secondUnit != Unit::None && secondUnit != unit)
        b = ValueReader::convert(b, secondUnit, unit);
    if (quantity == Quantity::Length && (a < 0 || b < 0))
        return r;
    if (!std::isfinite(a) || !std::isfinite(b)) // a conversion past the range of a double
        return r;
    r.kind = Reading::Kind::Value;
    r.unit = unit;
    r.low = std::min(a, b);
    r.high = std::max(a, b);
    r.hasLow = !highOnly;
    r.hasHigh = !lowOnly;
    return r;
}

} // namespace

Reading Reading::in(Unit target) const
{
    Reading r = *this;
    if (kind != Kind::Value || unit == target || target == Unit::None)
        return r;
    r.low = ValueReader::convert(low, unit, target);
    r.high = ValueReader::convert(high, unit, target);
    r.unit = target;
    return r;
}

Reading ValueReader::length(const QString &text, Unit bareUnit) { return read(text, bareUnit, Quantity::Length); }

Reading ValueReader::temperature(const QString &text, Unit bareUnit)
{
    return read(text, bareUnit, Quantity::Temperature);
}

bool ValueReader::isNothing(const QString &text)
{
    const QString s = text.trimmed().toLower();
    if (s.isEmpty() || s == QLatin1String("-") || s == QLatin1String("n/a") || s == QLatin1String("na") ||
        s == QLatin1String("n.a."))
        return true;
    // "None", "None required", "None (as welded)".
    return s.startsWith(QLatin1String("none")) && (s.size() == 4 || !s.at(4).isLetter());
}

double ValueReader::convert(double value, Unit from, Unit to)
{
    if (from == to)
        return value;
    if (from == Unit::Mm && to == Unit::Inch)
        return value / 25.4;
    if (from == Unit::Inch && to == Unit::Mm)
        return value * 25.4;
    if (from == Unit::Celsius && to == Unit::Fahrenheit)
        return value * 9.0 / 5.0 + 32.0;
    if (from == Unit::Fahrenheit && to == Unit::Celsius)
        return (value - 32.0) * 5.0 / 9.0;
    return value;
}

QString ValueReader::unitText(Unit unit)
{
    switch (unit) {
    case Unit::Mm:
        return QStringLiteral("mm");
    case Unit::Inch:
        return QStringLiteral("in");
    case Unit::Celsius:
        return QStringLiteral("\u00b0C");
    case Unit::Fahrenheit:
        return QStringLiteral("\u00b0F");
    case Unit::None:
        break;
    }
    return QString();
}

Reading ValueReader::plainRange(const QString &text, const QStringList &units, QString *unitWritten)
{
    Reading r;
    if (ValueReader::isNothing(text)) {
        r.kind = Reading::Kind::Nothing;
        return r;
    }
    QString s = lowerWithPlainDashes(text);
    Cursor c(s);
    QString unit;
    const auto eatUnit = [&] {
        for (const QString &u : units)
            if (c.eat({u})) {
                if (unit.isEmpty())
                    unit = u;
                return;
            }
    };
    const auto first = c.number(false);
    if (!first)
        return r;
    eatUnit();
    std::optional<double> second;
    if (c.eat(kSeparators)) {
        second = c.number(false);
        if (!second)
            return r;
        eatUnit();
    }
    if (!c.atEnd())
        return r;
    r.kind = Reading::Kind::Value;
    r.low = std::min(*first, second.value_or(*first));
    r.high = std::max(*first, second.value_or(*first));
    r.hasLow = r.hasHigh = true;
    if (unitWritten)
        *unitWritten = unit;
    return r;
}

QString ValueReader::groupNumber(const QString &text, QChar letter, QString *group)
{
    // "P-No. 1 Gr. 2": the letter and its "No." are optional, the number may carry one
    // capital ("5A", "15E"), the group is a number after "Gr.", "Gp", "Group" or "G".
    static const QRegularExpression form(QStringLiteral(
        "^(?:([A-Z])\\s*-?\\s*(?:NO\\.?|NUMBER)?\\s*-?\\s*)?0*(\\d+)([A-Z]?)"
        "(?:\\s*,?\\s*(?:GR(?:OUP)?|GP|G)\\s*(?:NO\\.?)?\\s*\\.?\\s*-?\\s*0*(\\d+))?\\s*$"));
    const QRegularExpressionMatch m = form.match(text.trimmed().toUpper());
    if (!m.hasMatch() || (!m.captured(1).isEmpty() && m.captured(1) != QString(letter.toUpper())))
        return QString();
    if (group)
        *group = m.captured(4);
    return m.captured(2) + m.captured(3);
}

QString ValueReader::quote(const QString &text)
{
    static constexpr int kLongest = 80;
    if (text.size() <= kLongest)
        return text;
    return text.left(kLongest) + QStringLiteral("\u2026 (%1 characters)").arg(text.size());
}

QString ValueReader::number(double value)
{
    QString s = QString::number(value, 'f', 3);
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

} // namespace Brenvik
