#include "qualify/pwht.h"

#include "core/appstate.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace Brenvik {

TransformationTable TransformationTable::parse(const QByteArray &bytes, const QString &source)
{
    TransformationTable table;
    table.m_source = source;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes); // code page 1252 for the degree sign
    int number = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++number;
        if (const qsizetype remark = line.indexOf(QLatin1Char(';')); remark >= 0)
            line.truncate(remark);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('[')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QStringList temps = eq < 0 ? QStringList() : line.mid(eq + 1).split(QLatin1Char('/'));
        const QString pNo = eq < 0 ? QString() : ValueReader::groupNumber(line.left(eq), QLatin1Char('P'));
        const Reading lower = temps.size() == 2 ? ValueReader::temperature(temps.at(0), Unit::Celsius) : Reading();
        const Reading upper = temps.size() == 2 ? ValueReader::temperature(temps.at(1), Unit::Celsius) : Reading();
        if (pNo.isEmpty() || !lower.isValue() || !upper.isValue() || lower.low != lower.high ||
            !lower.hasLow || !upper.hasLow || !upper.hasHigh) {
            table.m_problems << QStringLiteral("%1 line %2 is not \"P-No. = lower / upper\"").arg(source).arg(number);
            continue;
        }
        const Reading l = lower.in(Unit::Celsius), u = upper.in(Unit::Celsius);
        table.m_rows.append({pNo, l.low, u.low, u.high});
    }
    return table;
}

const TransformationTable &TransformationTable::shipped()
{
    static const TransformationTable table = [] {
        const QString path = AppState::instance().dataDir() + QLatin1Char('/') + fileName();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            TransformationTable missing;
            missing.m_source = path;
            missing.m_problems << QStringLiteral("%1 cannot be read").arg(path);
            return missing;
        }
        return parse(file.read(64 * 1024), path);
    }();
    return table;
}

const Transformation *TransformationTable::find(const QString &pNo) const
{
    for (const Transformation &row : m_rows)
        if (row.pNo == pNo)
            return &row;
    return nullptr;
}

bool Pwht::hasTransformationConditions(const QString &pNo)
{
    // QW-407.1(a) lists these P-Nos (with their letters: 5A, 5B, 5C, 9A ...); 15E was P-No. 5B.
    static const QRegularExpression listed(QStringLiteral("^(?:1|3|4|5[A-C]?|6|9[A-C]?|10[A-K]?|11[AB]?|15E)$"));
    return listed.match(pNo).hasMatch();
}

QString Pwht::conditionText(PwhtCondition condition)
{
    switch (condition) {
    case PwhtCondition::None:
        return QStringLiteral("no PWHT");
    case PwhtCondition::BelowLower:
        return QStringLiteral("below the lower transformation temperature");
    case PwhtCondition::AboveUpper:
        return QStringLiteral("above the upper transformation temperature");
    case PwhtCondition::AboveUpperThenBelowLower:
        return QStringLiteral("above the upper transformation temperature, then below the lower");
    case PwhtCondition::Between:
        return QStringLiteral("between the transformation temperatures");
    case PwhtCondition::WithinRange:
        return QStringLiteral("within a stated temperature range");
    case PwhtCondition::CannotTell:
        break;
    }
    return QStringLiteral("cannot tell");
}

namespace {

// A temperature with words before it ("normalize 900 °C", "temper at 620").
Reading temperaturePart(const QString &part, Unit bareUnit)
{
    Reading r = ValueReader::temperature(part, bareUnit);
    if (r.isValue())
        return r;
    static const QRegularExpression words(QStringLiteral("^\\s*[A-Za-z][A-Za-z\\s-]*?(?:\\bat\\b)?\\s*(?=[-+\\d.])"));
    QString s = part;
    s.remove(words);
    return s == part ? r : ValueReader::temperature(s, bareUnit);
}

QString tempText(double c) { return ValueReader::number(c) + QStringLiteral(" \u00b0C"); }

} // namespace

PwhtReading Pwht::condition(const QString &text, Unit bareUnit, const QString &pNo, const TransformationTable &table)
{
    PwhtReading out;
    if (text.trimmed().isEmpty()) {
        out.why = QStringLiteral("empty");
        return out;
    }
    if (ValueReader::isNothing(text)) {
        out.condition = PwhtCondition::None;
        out.why = conditionText(out.condition);
        return out;
    }
    // A comma reads as "then" ("normalize 900, temper 620"), but not the one of "1,100 °F".
    static const QRegularExpression steps(QStringLiteral("\\s*(?:\\bthen\\b|\\bfollowed by\\b|[+;]|,(?!\\d{3}(?!\\d)))\\s*"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QStringList parts = text.split(steps, Qt::SkipEmptyParts);
    QList<Reading> temps;
    for (const QString &part : parts) {
        const Reading r = temperaturePart(part, bareUnit);
        if (!r.isValue() || !r.hasLow || !r.hasHigh) {
            out.why = QStringLiteral("cannot read \"%1\" as a temperature or range").arg(ValueReader::quote(part));
            return out;
        }
        temps << r;
    }
    if (temps.isEmpty() || temps.size() > 2) {
        out.why = QStringLiteral("cannot read \"%1\" as one or two heat treatments").arg(ValueReader::quote(text));
        return out;
    }
    out.temperature = temps.last();
    if (pNo.isEmpty()) {
        out.why = QStringLiteral("the base metal has no P-No., so its transformation temperatures are not known");
        return out;
    }
    if (!hasTransformationConditions(pNo)) {
        // QW-407.1(b): "none" or "within a stated temperature range".
        out.condition = temps.size() == 1 ? PwhtCondition::WithinRange : PwhtCondition::CannotTell;
        out.why = temps.size() == 1 ? conditionText(out.condition) + QStringLiteral(" (P-No. %1, QW-407.1(b))").arg(pNo)
                                    : QStringLiteral("two heat treatments on P-No. %1, which has one treated condition").arg(pNo);
        return out;
    }
    const Transformation *t = table.find(pNo);
    if (!t) {
        out.why = QStringLiteral("P-No. %1 is not in %2").arg(pNo, table.source().isEmpty() ? TransformationTable::fileName() : table.source());
        return out;
    }
    const QString basis = QStringLiteral("P-No. %1: lower %2, upper %3 to %4").arg(pNo, tempText(t->lower),
                                                                                     tempText(t->upperFrom), tempText(t->upperTo));
    const auto classify = [&](const Reading &r, QString *why) {
        const Reading c = r.in(Unit::Celsius);
        if (c.high < t->lower)
            return PwhtCondition::BelowLower;
        if (c.low > t->upperTo)
            return PwhtCondition::AboveUpper;
        if (c.low > t->lower && c.high < t->upperFrom)
            return PwhtCondition::Between;
        const QString range = c.low == c.high ? tempText(c.low) : tempText(c.low) + QStringLiteral(" to ") + tempText(c.high);
        *why = QStringLiteral("%1 meets or straddles a transformation temperature (%2)").arg(range, basis);
        return PwhtCondition::CannotTell;
    };
    QString why;
    const PwhtCondition first = classify(temps.first(), &why);
    if (temps.size() == 1) {
        out.condition = first;
        out.why = first == PwhtCondition::CannotTell ? why : conditionText(first) + QStringLiteral(" (") + basis + QLatin1Char(')');
        return out;
    }
    const PwhtCondition second = classify(temps.last(), &why);
    if (first == PwhtCondition::AboveUpper && second == PwhtCondition::BelowLower) {
        out.condition = PwhtCondition::AboveUpperThenBelowLower;
        out.why = conditionText(out.condition) + QStringLiteral(" (") + basis + QLatin1Char(')');
    } else {
        out.why = why.isEmpty() ? QStringLiteral("two heat treatments that are not above the upper, then below the lower "
                                                 "transformation temperature (%1)").arg(basis)
                                : why;
    }
    return out;
}

double Pwht::longestHours(const QString &text, double thickestMm)
{
    static const QRegularExpression part(QStringLiteral(
        "^\\s*(max(?:imum|\\.)?\\s*|min(?:imum|\\.)?\\s*)?([\\d.]+)\\s*(?:-|to)?\\s*([\\d.]+)?\\s*"
        "(h|hr|hrs|hour|hours|min|mins|minutes)\\b\\.?\\s*(?:(?:per|/)\\s*([\\d./]+)\\s*(mm|in|inch|inches|\")\\.?)?\\s*"
        "(max(?:imum|\\.)?|min(?:imum|\\.)?)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    double longest = -1, cap = -1;
    for (const QString &piece : text.split(QRegularExpression(QStringLiteral("[,;]|\\band\\b")), Qt::SkipEmptyParts)) {
        if (piece.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = part.match(piece);
        if (!m.hasMatch())
            return -1;
        const QString unit = m.captured(4).toLower();
        const double scale = unit.startsWith(QLatin1Char('h')) ? 1.0 : 1.0 / 60.0;
        double hours = (m.captured(3).isEmpty() ? m.captured(2) : m.captured(3)).toDouble() * scale;
        if (!m.captured(5).isEmpty()) {
            const Reading per = ValueReader::length(m.captured(5) + QLatin1Char(' ') + m.captured(6), Unit::None);
            if (!per.isValue() || per.high <= 0 || !(thickestMm > 0))
                return -1;
            hours = hours * thickestMm / per.in(Unit::Mm).high;
        }
        const QString qualifier = (m.captured(1) + m.captured(7)).toLower();
        if (qualifier.startsWith(QLatin1String("max")))
            cap = cap < 0 ? hours : std::min(cap, hours);
        else
            longest = std::max(longest, hours);
        if (!std::isfinite(hours))
            return -1;
    }
    if (cap >= 0)
        return longest < 0 ? cap : std::min(longest, cap);
    return longest;
}

} // namespace Brenvik
