// The essential variables of QW-250 the check reads, one function a rule, each under its
// paragraph; the table at the end lists them in the order the check prints them, the gas,
// transfer and product-form rules (gasrules.cpp) last.

#include "qualify/qw451.h"
#include "qualify/ruleinput.h"

#include <QRegularExpression>

namespace Brenvik {

using namespace rulehelp;


namespace {

// ---------------------------------------------------------------------------------------
// QW-403.11 with QW-424.1: the base metals.

// A base metal as a document gives it: P-No. text, and specification for an unassigned one.
bool readMetal(const QString &pText, const QString &spec, BaseMetal *metal, QString *why, const QString &key,
               const QString &whose)
{
    metal->spec = FormParts::classKey(spec);
    static const QRegularExpression unassignedWord(QStringLiteral("^\\s*(unassigned|none|n/?a|-)?\\s*$"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (unassignedWord.match(pText).hasMatch()) {
        if (metal->spec.isEmpty()) {
            *why = pText.isEmpty() ? QStringLiteral("%1 of %2 is empty and names no specification").arg(key, whose)
                                   : QStringLiteral("%1 of %2 says \"%3\" and names no specification")
                                         .arg(key, whose, ValueReader::quote(pText));
            return false;
        }
        metal->pNo.clear();
        return true;
    }
    metal->pNo = ValueReader::groupNumber(pText, QLatin1Char('P'), &metal->group);
    if (metal->pNo.isEmpty()) {
        *why = unreadable(key, pText, whose);
        return false;
    }
    return true;
}

Verdict pNumberRule(const RuleInput &in)
{
    const QualifyForm &w = in.wps, &r = in.record;
    const QString a = w.value(QStringLiteral("pNo")), b = w.value(QStringLiteral("pNo2"));
    const QString wpsSide = QStringLiteral("%1 to %2").arg(a, b);
    const QString c = r.value(QStringLiteral("baseMetalPNUmber")), d = r.value(QStringLiteral("baseMetalPNUmber2"));
    const QString side = QStringLiteral("%1 to %2").arg(c, d);
    const QString recordSpec = r.value(QStringLiteral("MaterialSpecification")) + r.value(QStringLiteral("typeOrGrade"));
    BaseMetal wa, wb, ra, rb;
    QString why;
    if (!readMetal(a, w.value(QStringLiteral("specType1")) + w.value(QStringLiteral("specGrade1")), &wa, &why,
                   QStringLiteral("pNo"), theWps()) ||
        !readMetal(b, w.value(QStringLiteral("specType2")) + w.value(QStringLiteral("specGrade2")), &wb, &why,
                   QStringLiteral("pNo2"), theWps()) ||
        !readMetal(c, recordSpec, &ra, &why, QStringLiteral("baseMetalPNUmber"), r.label()) ||
        !readMetal(d, recordSpec, &rb, &why, QStringLiteral("baseMetalPNUmber2"), r.label()))
        return cannotTell(wpsSide, side, why);
    const QString row = Qw424::qualifyingRow(ra, rb, wa, wb);
    if (!row.isEmpty())
        return holds(wpsSide, side,
                     QStringLiteral("%1 to %2 qualified by %3 (%4 to %5), %6")
                         .arg(wa.text(), wb.text(), r.label(), ra.text(), rb.text(), row));
    return exceeds(wpsSide, side,
                   QStringLiteral("%1 to %2 is not qualified by %3 (%4 to %5): no row of QW-424.1 covers it")
                       .arg(wa.text(), wb.text(), r.label(), ra.text(), rb.text()));
}

// ---------------------------------------------------------------------------------------
// QW-403.8 with Table QW-451.1, narrowed by QW-403.9, QW-403.10 and QW-407.4; QW-200.4(b).

Reading couponThickness(const QualifyForm &r, QString *error)
{
    const QString key = QStringLiteral("thTestCoupon");
    const Reading t = ValueReader::length(r.value(key), r.lengthUnit());
    if (!t.isValue() || !t.hasLow || !t.hasHigh || t.low != t.high)
        *error = unreadable(key, r.value(key), r.label());
    return t;
}

bool meets(double written, Unit writtenUnit, const QualifiedBound &bound, Unit boundUnit, bool low)
{
    const double converted = ValueReader::convert(written, writtenUnit, boundUnit);
    if (low ? atLeast(converted, bound.value) : atMost(converted, bound.value))
        return true;
    return bound.fixed && writtenUnit != boundUnit && std::abs(written - bound.twin) <= 1e-9 * std::max(1.0, bound.twin);
}

Verdict withinRange(const Reading &w, const QString &wpsText, const QualifiedRange &q, const QString &recordSide,
                    const QString &basis, bool lowMatters)
{
    const QString qualified = Qw451::text(q);
    QStringList beyond;
    if (lowMatters && !w.hasLow)
        beyond << QStringLiteral("no lower limit");
    else if (lowMatters && !meets(w.low, w.unit, q.min, q.unit, true))
        beyond << QStringLiteral("%1 below %2").arg(valueText(w.low, w.unit), Qw451::boundText(q.min, q.unit));
    if (!w.hasHigh)
        beyond << QStringLiteral("no upper limit");
    else if (!meets(w.high, w.unit, q.max, q.unit, false))
        beyond << QStringLiteral("%1 above %2").arg(valueText(w.high, w.unit), Qw451::boundText(q.max, q.unit));
    if (beyond.isEmpty())
        return holds(wpsText, recordSide, QStringLiteral("within %1 from %2").arg(qualified, basis));
    return exceeds(wpsText, recordSide,
                   QStringLiteral("%1; %2 qualified from %3").arg(beyond.join(QStringLiteral(", ")), qualified, basis));
}

bool eightInch(const RuleInput &in)
{
    return Qw451::hasEightInchLimit(in.process.isEmpty() ? in.recordProcesses.processes : QStringList{in.process});
}

// Half an inch in the coupon's unit: the bound of QW-403.9, QW-403.10 and QW-200.4(b).
double halfInch(Unit unit) { return unit == Unit::Inch ? 0.5 : 13.0; }

// The record's deposit t of this process, in the coupon's unit: the thick ends of its filler
// columns added. Negative with why when it cannot be told.
double processDeposit(const RuleInput &in, Unit unit, QString *why, QString *shown)
{
    double t = 0;
    QStringList texts;
    const QList<FillerColumn> fillers = in.recordFillersHere();
    for (const FillerColumn &f : fillers) {
        if (f.process.isEmpty()) {
            *why = f.why;
            return -1;
        }
        const QString key = QStringLiteral("weldMetalThickness%1").arg(f.n);
        const Reading d = ValueReader::length(in.record.value(key), in.record.lengthUnit());
        if (!d.isValue() || !d.hasHigh) {
            *why = unreadable(key, in.record.value(key), in.record.label());
            return -1;
        }
        t += ValueReader::convert(d.high, d.unit, unit);
        texts << valueText(d.high, d.unit);
    }
    if (fillers.isEmpty()) {
        *why = QStringLiteral("%1 names no filler of %2").arg(in.record.label(), in.process);
        return -1;
    }
    *shown = texts.join(QStringLiteral(" + "));
    return t;
}

// The limits that narrow the base metal maximum to 1.1T, each with its paragraph.
QStringList baseMetalLimits(const RuleInput &in, double T, Unit unit)
{
    QStringList out;
    if (in.recordShortCircuit() && T < halfInch(unit))
        out << QStringLiteral("QW-403.10: short-circuiting transfer on T under 1/2 in (13 mm)");
    // QW-403.9: a pass over 1/2 in; a record welded single pass with a deposit over 1/2 in has one.
    QString why, shown;
    const double t = in.process.isEmpty() ? -1 : processDeposit(in, unit, &why, &shown);
    const QString passes = in.record.value(QStringLiteral("MSPass"));
    if (t > halfInch(unit) && passes.contains(QStringLiteral("single"), Qt::CaseInsensitive) &&
        !passes.contains(QStringLiteral("multi"), Qt::CaseInsensitive))
        out << QStringLiteral("QW-403.9: a single pass of %1 is over 1/2 in (13 mm)").arg(valueText(t, unit));
    QString above;
    if (in.recordAboveUpper(&above))
        out << QStringLiteral("QW-407.4: %1").arg(above);
    return out;
}

Verdict baseMetalRule(const RuleInput &in)
{
    const QString key = QStringLiteral("grooveThickness");
    const QString text = in.wps.value(key);
    const Reading w = ValueReader::length(text, in.wps.lengthUnit());
    if (!w.isValue())
        return cannotTell(text, QString(), unreadable(key, text, theWps()));
    QString error;
    const Reading t = couponThickness(in.record, &error);
    if (!error.isEmpty())
        return cannotTell(text, in.record.value(QStringLiteral("thTestCoupon")), error);
    const double T = t.low;
    QualifiedRange q = Qw451::baseMetal(T, t.unit, eightInch(in));
    QString basis = QStringLiteral("T = %1 of %2, QW-451.1 %3").arg(valueText(T, t.unit), in.record.label(), q.row);
    const QStringList limits = baseMetalLimits(in, T, t.unit);
    if (!limits.isEmpty() && atMost(1.1 * T, q.max.value)) {
        q.max = {1.1 * T, false, 0};
        basis += QStringLiteral("; 1.1T by ") + limits.join(QStringLiteral("; "));
    }
    const QString recordSide = QStringLiteral("T = %1: %2").arg(valueText(T, t.unit), Qw451::text(q));
    Verdict v = withinRange(w, text, q, recordSide, basis, true);
    if (v.outcome != Outcome::Exceeds || in.wpsProcesses.processes.size() < 2 || in.process.isEmpty())
        return v;
    // QW-200.4(b): a coupon of 1/2 in (13 mm) or more qualifies this process's root layers up
    // to 2t (1.1t short-circuiting) on any thickness, in combination with the other processes.
    if (T < halfInch(t.unit) || !Qw451::hasEightInchLimit({in.process}) || !limits.isEmpty())
        return v;
    QString why, shown;
    const double deposit = processDeposit(in, t.unit, &why, &shown);
    if (deposit < 0)
        return v;
    const double factor = in.recordShortCircuit() || in.wpsShortCircuit() ? 1.1 : 2.0;
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString dText = in.wps.value(QStringLiteral("thGroove%1").arg(f.n));
        const Reading d = ValueReader::length(dText, in.wps.lengthUnit());
        if (f.process.isEmpty() || !d.isValue() || !d.hasHigh || !atMost(d.in(t.unit).high, factor * deposit))
            return v;
    }
    if (in.wpsFillersHere().isEmpty())
        return v;
    return holds(text, recordSide,
                 QStringLiteral("QW-200.4(b): %1 is qualified for root layers up to %2t (%3) on any thickness by T = %4 "
                                "of %5, 1/2 in (13 mm) or more")
                     .arg(in.process, factor == 2.0 ? QStringLiteral("2") : QStringLiteral("1.1"),
                          valueText(factor * deposit, t.unit), valueText(T, t.unit), in.record.label()));
}

// ---------------------------------------------------------------------------------------
// QW-404.30 with Table QW-451.1, narrowed by QW-404.32: the deposit of each process.

Verdict depositRule(const RuleInput &in)
{
    QList<QPair<QString, Verdict>> parts;
    QString error;
    const Reading big = couponThickness(in.record, &error);
    QString why, shown;
    const double t = error.isEmpty() ? processDeposit(in, big.unit, &why, &shown) : -1;
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString key = QStringLiteral("thGroove%1").arg(f.n);
        const QString text = in.wps.value(key);
        const QString name = QStringLiteral("filler %1").arg(f.n);
        if (f.process.isEmpty()) {
            parts.append({name, cannotTell(text, QString(), QStringLiteral("its process cannot be told: ") + f.why)});
            continue;
        }
        const Reading w = ValueReader::length(text, in.wps.lengthUnit());
        if (!w.isValue()) {
            parts.append({name, cannotTell(text, QString(), unreadable(key, text, theWps()))});
            continue;
        }
        if (!error.isEmpty() || t < 0) {
            parts.append({name, cannotTell(text, QString(), error.isEmpty() ? why : error)});
            continue;
        }
        QualifiedRange q = Qw451::deposit(t, big.low, big.unit, eightInch(in));
        QString basis = QStringLiteral("%1 t = %2 of %3, QW-451.1 %4").arg(in.process, shown, in.record.label(), q.row);
        if ((in.recordShortCircuit() || in.wpsShortCircuit()) && t < halfInch(big.unit) && atMost(1.1 * t, q.max.value)) {
            q.max = {1.1 * t, false, 0};
            basis += QStringLiteral("; 1.1t by QW-404.32 (short-circuiting transfer, t under 1/2 in (13 mm))");
        }
        parts.append({name, withinRange(w, text, q, QStringLiteral("t = %1: %2").arg(shown, Qw451::text(q)), basis,
                                        false)});
    }
    if (parts.isEmpty())
        return cannotTell(QString(), QString(),
                          QStringLiteral("no filler column of the WPS belongs to %1 (thGroove1 to thGroove3)")
                              .arg(in.process.isEmpty() ? QStringLiteral("a process") : in.process));
    return everyValue(parts);
}

// ---------------------------------------------------------------------------------------
// QW-404.4 and QW-404.5: each filler number of a process found in the record's fillers of
// the same process (QW-200.4(a)); A-No. 1 and A-No. 2 qualify each other (QW-404.5).

QString aEquivalent(const QString &number)
{
    return number == QLatin1String("2") ? QStringLiteral("1") : number;
}

Verdict fillerNumberRule(const RuleInput &in, const QString &wpsKey, const QString &recordKey, QChar letter,
                         const QString &title)
{
    const bool aNumbers = letter == QLatin1Char('A');
    QStringList have, recordTexts;
    QString unread;
    for (const FillerColumn &f : in.recordFillersHere()) {
        const QString key = recordKey + QString::number(f.n);
        const QString text = in.record.value(key);
        recordTexts << text;
        if (f.process.isEmpty()) {
            if (unread.isEmpty())
                unread = QStringLiteral("the process of filler %1 of %2 cannot be told: %3").arg(f.n).arg(in.record.label(), f.why);
            continue;
        }
        const QString number = ValueReader::groupNumber(text, letter);
        if (number.isEmpty() && unread.isEmpty())
            unread = unreadable(key, text, in.record.label());
        else if (!number.isEmpty())
            have << number;
    }
    const QString recordSide = recordTexts.join(QStringLiteral(", "));
    QList<QPair<QString, Verdict>> parts;
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString key = wpsKey + QString::number(f.n);
        const QString text = in.wps.value(key);
        const QString name = QStringLiteral("filler %1").arg(f.n);
        const QString number = ValueReader::groupNumber(text, letter);
        if (f.process.isEmpty()) {
            parts.append({name, cannotTell(text, recordSide, QStringLiteral("its process cannot be told: ") + f.why)});
            continue;
        }
        if (number.isEmpty()) {
            parts.append({name, cannotTell(text, recordSide, unreadable(key, text, theWps()))});
            continue;
        }
        QString by;
        for (const QString &h : have)
            if (h == number)
                by = QStringLiteral("%1 %2 qualified by %3 with %4").arg(title, number, in.record.label(), f.process);
        for (const QString &h : have)
            if (by.isEmpty() && aNumbers && aEquivalent(h) == aEquivalent(number))
                by = QStringLiteral("%1 %2 qualified by A-No. %3 of %4 with %5 (QW-404.5: A-No. 1 and A-No. 2 "
                                    "qualify each other)")
                         .arg(title, number, h, in.record.label(), f.process);
        if (!by.isEmpty())
            parts.append({name, holds(text, recordSide, by)});
        else if (!unread.isEmpty())
            parts.append({name, cannotTell(text, recordSide, unread)});
        else
            parts.append({name, exceeds(text, recordSide,
                                        QStringLiteral("%1 %2 not used with %3 in %4").arg(title, number, f.process,
                                                                                          in.record.label())) });
    }
    if (parts.isEmpty())
        return cannotTell(QString(), recordSide,
                          QStringLiteral("the WPS names no filler metal for %1")
                              .arg(in.process.isEmpty() ? QStringLiteral("its process") : in.process));
    return everyValue(parts);
}

Verdict fNumberRule(const RuleInput &in)
{
    return fillerNumberRule(in, QStringLiteral("FNo"), QStringLiteral("FillerMetalFNo"), QLatin1Char('F'),
                            QStringLiteral("F-No."));
}

Verdict aNumberRule(const RuleInput &in)
{
    return fillerNumberRule(in, QStringLiteral("ANo"), QStringLiteral("WeldMetalAnalysisANo"), QLatin1Char('A'),
                            QStringLiteral("A-No."));
}

// ---------------------------------------------------------------------------------------
// QW-406.1: the WPS minimum preheat not more than 100 °F (55 °C) below the record's.

// "ambient, 10 °C min." reads as its temperature; "ambient" alone has none.
Reading preheatReading(const QString &text, Unit unit)
{
    static const QRegularExpression ambient(QStringLiteral("^\\s*(?:ambient|room temperature)\\s*[,;:(]?\\s*"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString s = text;
    s.remove(ambient);
    if (s.endsWith(QLatin1Char(')')) && s != text)
        s.chop(1);
    if (s.trimmed().isEmpty() || ValueReader::isNothing(s))
        return Reading();
    return ValueReader::temperature(s, unit);
}

Verdict preheatRule(const RuleInput &in)
{
    const QString key = QStringLiteral("MinPreheatTemp");
    const QString text = in.wps.value(key);
    const Reading w = preheatReading(text, in.wps.temperatureUnit());
    const QString advice = QStringLiteral("; write the temperature, e.g. \"ambient, 10 \u00b0C min.\"");
    if (!w.isValue() || !w.hasLow)
        return cannotTell(text, QString(), unreadable(key, text, theWps()) + advice);
    const QString wpsSide = valueText(w.low, w.unit);
    const QString rKey = QStringLiteral("preheatTemp");
    const QString rText = in.record.value(rKey);
    const Reading p = preheatReading(rText, in.record.temperatureUnit());
    if (!p.isValue() || !p.hasLow)
        return cannotTell(wpsSide, rText, unreadable(rKey, rText, in.record.label()) + advice);
    const double limit = p.unit == Unit::Fahrenheit ? 100 : 55;
    const double wpsMin = ValueReader::convert(w.low, w.unit, p.unit);
    const double lowest = p.low - limit;
    const QString recordSide = valueText(p.low, p.unit);
    const QString shown = w.unit == p.unit ? wpsSide : QStringLiteral("%1 (%2)").arg(wpsSide, valueText(wpsMin, p.unit));
    if (atLeast(wpsMin, lowest))
        return holds(wpsSide, recordSide,
                     QStringLiteral("%1 is not more than %2 below %3 of %4")
                         .arg(shown, valueText(limit, p.unit), recordSide, in.record.label()));
    return exceeds(wpsSide, recordSide,
                   QStringLiteral("%1 is more than %2 below %3 of %4 (lowest %5)")
                       .arg(shown, valueText(limit, p.unit), recordSide, in.record.label(), valueText(lowest, p.unit)));
}

// ---------------------------------------------------------------------------------------
// QW-407.1: the postweld heat treatment condition of the WPS is the record's.

Verdict postWeldRule(const RuleInput &in)
{
    const QString key = QStringLiteral("postWeldTempRange");
    const QString text = in.wps.value(key);
    const QString rKey = QStringLiteral("postWeldTemp");
    const QString rText = in.record.value(rKey);
    const QString rP = ValueReader::groupNumber(in.record.value(QStringLiteral("baseMetalPNUmber")), QLatin1Char('P'));
    QString wP = ValueReader::groupNumber(in.wps.value(QStringLiteral("pNo")), QLatin1Char('P'));
    if (wP.isEmpty())
        wP = rP;
    if (text.isEmpty())
        return cannotTell(text, rText, unreadable(key, text, theWps()) + QStringLiteral(" (write \"None\" for none)"));
    if (rText.isEmpty())
        return cannotTell(text, rText, unreadable(rKey, rText, in.record.label()) + QStringLiteral(" (write \"None\" for none)"));
    const PwhtReading w = Pwht::condition(text, in.wps.temperatureUnit(), wP, in.table);
    const PwhtReading r = Pwht::condition(rText, in.record.temperatureUnit(), rP, in.table);
    // Conditions "none" on both sides need no transformation temperatures.
    if (w.condition == PwhtCondition::CannotTell && !(r.condition == PwhtCondition::None))
        return cannotTell(text, rText, QStringLiteral("the WPS's %1: %2").arg(quoted(key, text), w.why));
    if (r.condition == PwhtCondition::CannotTell && w.condition != PwhtCondition::None)
        return cannotTell(text, rText, QStringLiteral("%1 of %2: %3").arg(quoted(rKey, rText), in.record.label(), r.why));
    const QString wText = w.condition == PwhtCondition::CannotTell ? w.why : Pwht::conditionText(w.condition);
    const QString rWords = r.condition == PwhtCondition::CannotTell ? r.why : Pwht::conditionText(r.condition);
    if (w.condition == r.condition)
        return holds(text, rText, QStringLiteral("the WPS and %1: %2").arg(in.record.label(), w.why));
    return exceeds(text, rText,
                   QStringLiteral("the WPS: %1; %2: %3").arg(wText, in.record.label(), rWords.isEmpty() ? r.why : r.why));
}

} // namespace

QList<QualifyCheck::Rule> qualificationRules()
{
    return QList<QualifyCheck::Rule>{
        {QStringLiteral("QW-403.11"), QStringLiteral("Base metal P-Nos (QW-424.1)"), {}, false, pNumberRule},
        {QStringLiteral("QW-403.8"), QStringLiteral("Base metal thickness (QW-451.1)"), {}, false, baseMetalRule},
        {QStringLiteral("QW-404.30"), QStringLiteral("Deposited weld metal thickness (QW-451.1)"), {}, false, depositRule},
        {QStringLiteral("QW-404.4"), QStringLiteral("Filler F-No."), {}, false, fNumberRule},
        {QStringLiteral("QW-404.5"), QStringLiteral("Filler A-No."), {}, false, aNumberRule},
        {QStringLiteral("QW-406.1"), QStringLiteral("Preheat"), {}, false, preheatRule},
        {QStringLiteral("QW-407.1"), QStringLiteral("Postweld heat treatment"), {}, false, postWeldRule},
    } + shieldingRules();
}

} // namespace Brenvik
