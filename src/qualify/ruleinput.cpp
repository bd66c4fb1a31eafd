// What the rules share: reading a set of values into one verdict, the thickest length a text
// names, and the rule input's views of the WPS, the record and the process at hand.

#include "qualify/ruleinput.h"

#include <QRegularExpression>

namespace Brenvik {

using namespace rulehelp;

Verdict rulehelp::everyValue(const QList<QPair<QString, Verdict>> &parts)
{
    Verdict out = make(Outcome::Holds, QString(), QString(), QString());
    QStringList wps, record, details;
    for (const auto &[name, v] : parts) {
        if (v.outcome == Outcome::Exceeds || (v.outcome == Outcome::CannotTell && out.outcome == Outcome::Holds))
            out.outcome = v.outcome;
        const QString prefix = parts.size() > 1 ? name + QStringLiteral(": ") : QString();
        wps << prefix + v.wpsSide;
        record << prefix + v.recordSide;
        details << prefix + v.details;
    }
    out.wpsSide = wps.join(QStringLiteral("; "));
    bool same = true;
    for (const auto &part : parts)
        same = same && part.second.recordSide == parts.constFirst().second.recordSide;
    out.recordSide = same && !parts.isEmpty() ? parts.constFirst().second.recordSide : record.join(QStringLiteral("; "));
    out.details = details.join(QStringLiteral("; "));
    return out;
}

double rulehelp::thickestLength(const QString &text, Unit bareUnit)
{
    // The unit written once at the end stands for every number.
    QString s = text.trimmed();
    static const QRegularExpression unitAtEnd(QStringLiteral("\\s*(mm|in\\.?|inch|inches|\")\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch u = unitAtEnd.match(s);
    Unit unit = bareUnit;
    if (u.hasMatch()) {
        unit = u.captured(1).toLower().startsWith(QLatin1String("mm")) ? Unit::Mm : Unit::Inch;
        s.truncate(u.capturedStart());
    }
    double thickest = -1;
    static const QRegularExpression separators(QStringLiteral("\\s*(?:,|;|&|\\band\\b|\\bor\\b)\\s*"));
    for (const QString &part : s.split(separators, Qt::SkipEmptyParts)) {
        const Reading r = ValueReader::length(part, unit);
        if (!r.isValue() || !r.hasHigh)
            return -1;
        thickest = std::max(thickest, r.in(Unit::Mm).high);
    }
    return thickest;
}

QList<FillerColumn> RuleInput::wpsFillersHere() const
{
    QList<FillerColumn> out;
    for (const FillerColumn &f : wpsFillers)
        if (f.process.isEmpty() || f.process == process || process.isEmpty())
            out << f;
    return out;
}

QList<FillerColumn> RuleInput::recordFillersHere() const
{
    QList<FillerColumn> out;
    for (const FillerColumn &f : recordFillers)
        if (f.process.isEmpty() || f.process == process || process.isEmpty())
            out << f;
    return out;
}

QList<TechniqueRow> RuleInput::rowsHere() const
{
    QList<TechniqueRow> out;
    for (const TechniqueRow &t : rows)
        if (t.process == process)
            out << t;
    return out;
}

bool RuleInput::recordShortCircuit() const
{
    if (recordProcesses.shortCircuit.contains(process))
        return true;
    if (process != QLatin1String("GMAW"))
        return false;
    for (const QString &text : {record.processText(), record.value(QStringLiteral("electricalOther")),
                                record.value(QStringLiteral("techniqueOther"))})
        if (ProcessNames::saysShortCircuit(text))
            return true;
    return false;
}

bool RuleInput::wpsShortCircuit() const
{
    return process == QLatin1String("GMAW") &&
           (wpsProcesses.shortCircuit.contains(process) ||
            ProcessNames::saysShortCircuit(wps.value(QStringLiteral("GMAWMode"))));
}

bool RuleInput::recordAboveUpper(QString *why) const
{
    const QString text = record.value(QStringLiteral("postWeldTemp"));
    const QString pNo = ValueReader::groupNumber(record.value(QStringLiteral("baseMetalPNUmber")), QLatin1Char('P'));
    const PwhtReading r = Pwht::condition(text, record.temperatureUnit(), pNo, table);
    if (r.condition == PwhtCondition::AboveUpper || r.condition == PwhtCondition::AboveUpperThenBelowLower) {
        if (why)
            *why = QStringLiteral("%1 was heat treated %2").arg(record.label(), r.why);
        return true;
    }
    // An austenitic (P-No. 8) record solution annealed: 1040 °C (1900 °F) and over, or said so.
    if (pNo == QLatin1String("8") && !ValueReader::isNothing(text)) {
        const bool said = text.contains(QStringLiteral("solution"), Qt::CaseInsensitive);
        const bool hot = r.temperature.isValue() && r.temperature.in(Unit::Celsius).low >= 1040;
        if (said || hot) {
            if (why)
                *why = QStringLiteral("%1 (P-No. 8) was solution annealed").arg(record.label());
            return true;
        }
    }
    return false;
}

} // namespace Brenvik
