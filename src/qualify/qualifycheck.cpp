#include "qualify/qualifycheck.h"

#include "core/profilefile.h"
#include "qualify/qw451.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cmath>

namespace Brenvik {

namespace {

// Numbers read from text and converted meet their bounds within rounding of the arithmetic.
bool atMost(double a, double b) { return a <= b + 1e-9 * std::max(1.0, std::abs(b)); }
bool atLeast(double a, double b) { return a + 1e-9 * std::max(1.0, std::abs(b)) >= b; }

QString quoted(const QString &key, const QString &text)
{
    return QStringLiteral("%1 \"%2\"").arg(key, text);
}

// "cannot read thTestCoupon "about 11" of PQR-118"
QString unreadable(const QString &key, const QString &text, const QString &whose)
{
    if (text.isEmpty())
        return QStringLiteral("%1 of %2 is empty").arg(key, whose);
    return QStringLiteral("cannot read %1 of %2").arg(quoted(key, text), whose);
}

const QString kTheWps = QStringLiteral("the WPS");

Verdict make(Outcome outcome, const QString &wpsSide, const QString &recordSide, const QString &details)
{
    Verdict v;
    v.outcome = outcome;
    v.wpsSide = wpsSide;
    v.recordSide = recordSide;
    v.details = details;
    return v;
}

// The verdicts of one value against each record: holds when one record qualifies it, cannot
// tell when none does but one could not be read, else exceeds.
Verdict anyRecord(const QList<Verdict> &each)
{
    for (const Verdict &v : each)
        if (v.outcome == Outcome::Holds)
            return v;
    for (const Verdict &v : each)
        if (v.outcome == Outcome::CannotTell)
            return v;
    return each.isEmpty() ? make(Outcome::CannotTell, QString(), QString(), QStringLiteral("no record")) : each.first();
}

// Several values of one rule (the fillers of a WPS): the worst verdict decides, the sides and
// details of all are listed.
Verdict everyValue(const QList<QPair<QString, Verdict>> &parts)
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
    // The record's side is often the same for every value (the numbers it has): once then.
    bool same = true;
    for (const auto &part : parts)
        same = same && part.second.recordSide == parts.constFirst().second.recordSide;
    out.recordSide = same && !parts.isEmpty() ? parts.constFirst().second.recordSide : record.join(QStringLiteral("; "));
    out.details = details.join(QStringLiteral("; "));
    return out;
}

QString lengthText(double value, Unit unit) { return ValueReader::number(value) + QLatin1Char(' ') + ValueReader::unitText(unit); }

// ---------------------------------------------------------------------------------------
// QW-401: every process of the WPS appears in a record.

Verdict processRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    const QString key = QStringLiteral("weldingProcess1");
    const QString wpsText = wps.value(key);
    const QStringList wanted = QualifyCheck::processes(wpsText);
    if (wanted.isEmpty())
        return make(Outcome::CannotTell, wpsText, QString(), unreadable(key, wpsText, kTheWps));
    QStringList have, recordTexts;
    QString unread;
    for (const QualifyForm &r : records) {
        const QString text = r.value(key);
        recordTexts << text;
        const QStringList p = QualifyCheck::processes(text);
        if (p.isEmpty() && unread.isEmpty())
            unread = unreadable(key, text, r.label());
        for (const QString &one : p)
            if (!have.contains(one))
                have << one;
    }
    const QString recordSide = recordTexts.join(QStringLiteral("; "));
    QStringList missing;
    for (const QString &p : wanted)
        if (!have.contains(p))
            missing << p;
    if (missing.isEmpty())
        return make(Outcome::Holds, wpsText, recordSide,
                    QStringLiteral("%1 qualified").arg(wanted.join(QStringLiteral(", "))));
    if (!unread.isEmpty())
        return make(Outcome::CannotTell, wpsText, recordSide, unread);
    return make(Outcome::Exceeds, wpsText, recordSide,
                QStringLiteral("%1 not in the record").arg(missing.join(QStringLiteral(", "))));
}

// ---------------------------------------------------------------------------------------
// Numbers of a group: "1", "P-No. 1", "F6", "A-No. 1" read as "1", "1", "6", "1".

QString groupNumber(const QString &text, const QString &letter)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+[A-Z]?)$"));
    QString s = text.trimmed().toUpper();
    static const QRegularExpression prefix(QStringLiteral("^([A-Z])(\\s*-?\\s*NO\\.?)?\\s*"));
    const QRegularExpressionMatch p = prefix.match(s);
    if (p.hasMatch() && p.captured(1) == letter.toUpper())
        s = s.mid(p.capturedLength());
    return number.match(s).hasMatch() ? s : QString();
}

// QW-403.11: the WPS names the record's P-No. pair, in either order.
Verdict pNumberRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    const QString a = wps.value(QStringLiteral("pNo")), b = wps.value(QStringLiteral("pNo2"));
    const QString wpsSide = QStringLiteral("%1 to %2").arg(a, b);
    const QString na = groupNumber(a, QStringLiteral("P")), nb = groupNumber(b, QStringLiteral("P"));
    if (na.isEmpty())
        return make(Outcome::CannotTell, wpsSide, QString(), unreadable(QStringLiteral("pNo"), a, kTheWps));
    if (nb.isEmpty())
        return make(Outcome::CannotTell, wpsSide, QString(), unreadable(QStringLiteral("pNo2"), b, kTheWps));
    QList<Verdict> each;
    for (const QualifyForm &r : records) {
        const QString c = r.value(QStringLiteral("baseMetalPNUmber")), d = r.value(QStringLiteral("baseMetalPNUmber2"));
        const QString side = QStringLiteral("%1 to %2").arg(c, d);
        const QString nc = groupNumber(c, QStringLiteral("P")), nd = groupNumber(d, QStringLiteral("P"));
        if (nc.isEmpty() || nd.isEmpty()) {
            each << make(Outcome::CannotTell, wpsSide, side,
                         nc.isEmpty() ? unreadable(QStringLiteral("baseMetalPNUmber"), c, r.label())
                                      : unreadable(QStringLiteral("baseMetalPNUmber2"), d, r.label()));
            continue;
        }
        const bool same = (na == nc && nb == nd) || (na == nd && nb == nc);
        each << make(same ? Outcome::Holds : Outcome::Exceeds, wpsSide, side,
                     same ? QStringLiteral("P-No. %1 to P-No. %2 qualified by %3").arg(nc, nd, r.label())
                          : QStringLiteral("P-No. %1 to P-No. %2 is not the pair of %3 (P-No. %4 to P-No. %5)")
                                .arg(na, nb, r.label(), nc, nd));
    }
    return anyRecord(each);
}

// ---------------------------------------------------------------------------------------
// QW-451.1: the thickness ranges.

// The coupon thickness T of a record, one number; empty error when read.
Reading couponThickness(const QualifyForm &r, QString *error)
{
    const QString key = QStringLiteral("thTestCoupon");
    const Reading t = ValueReader::length(r.value(key), r.lengthUnit());
    if (!t.isValue() || !t.hasLow || !t.hasHigh || t.low != t.high)
        *error = unreadable(key, r.value(key), r.label());
    return t;
}

// Whether a written bound meets the qualified one: converted exactly, or written in the other
// column as the table's twin of a fixed bound ("3/16 in" for "5 mm").
bool meets(double written, Unit writtenUnit, const QualifiedBound &bound, Unit boundUnit, bool low)
{
    const double converted = ValueReader::convert(written, writtenUnit, boundUnit);
    if (low ? atLeast(converted, bound.value) : atMost(converted, bound.value))
        return true;
    return bound.fixed && writtenUnit != boundUnit && std::abs(written - bound.twin) <= 1e-9 * std::max(1.0, bound.twin);
}

// The WPS's range against a qualified one.
Verdict withinRange(const Reading &w, const QString &wpsText, const QualifiedRange &q, const QString &recordSide,
                    const QString &basis, bool lowMatters)
{
    const QString qualified = Qw451::text(q);
    QStringList beyond;
    if (lowMatters && !w.hasLow)
        beyond << QStringLiteral("no lower limit");
    else if (lowMatters && !meets(w.low, w.unit, q.min, q.unit, true))
        beyond << QStringLiteral("%1 below %2").arg(lengthText(w.low, w.unit), Qw451::boundText(q.min, q.unit));
    if (!w.hasHigh)
        beyond << QStringLiteral("no upper limit");
    else if (!meets(w.high, w.unit, q.max, q.unit, false))
        beyond << QStringLiteral("%1 above %2").arg(lengthText(w.high, w.unit), Qw451::boundText(q.max, q.unit));
    if (beyond.isEmpty())
        return make(Outcome::Holds, wpsText, recordSide, QStringLiteral("within %1 from %2").arg(qualified, basis));
    return make(Outcome::Exceeds, wpsText, recordSide,
                QStringLiteral("%1; %2 qualified from %3").arg(beyond.join(QStringLiteral(", ")), qualified, basis));
}

Verdict baseMetalRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    const QString key = QStringLiteral("grooveThickness");
    const QString text = wps.value(key);
    const Reading w = ValueReader::length(text, wps.lengthUnit());
    if (!w.isValue())
        return make(Outcome::CannotTell, text, QString(), unreadable(key, text, kTheWps));
    QList<Verdict> each;
    for (const QualifyForm &r : records) {
        QString error;
        const Reading t = couponThickness(r, &error);
        if (!error.isEmpty()) {
            each << make(Outcome::CannotTell, text, r.value(QStringLiteral("thTestCoupon")), error);
            continue;
        }
        const bool eight = Qw451::hasEightInchLimit(QualifyCheck::processes(r.value(QStringLiteral("weldingProcess1"))));
        const QualifiedRange q = Qw451::baseMetal(t.low, t.unit, eight);
        const QString tText = lengthText(t.low, t.unit);
        each << withinRange(w, text, q, QStringLiteral("T = %1: %2").arg(tText, Qw451::text(q)),
                            QStringLiteral("T = %1 of %2, %3").arg(tText, r.label(), q.row), true);
    }
    return anyRecord(each);
}

Verdict depositRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    QList<QPair<QString, Verdict>> parts;
    for (int n = 1; n <= 3; ++n) {
        const QString key = QStringLiteral("thGroove%1").arg(n);
        const QString text = wps.value(key);
        if (text.isEmpty())
            continue;
        const QString name = QStringLiteral("filler %1").arg(n);
        const Reading w = ValueReader::length(text, wps.lengthUnit());
        if (!w.isValue()) {
            parts.append({name, make(Outcome::CannotTell, text, QString(), unreadable(key, text, kTheWps))});
            continue;
        }
        QList<Verdict> each;
        for (const QualifyForm &r : records) {
            const QString tKey = QStringLiteral("weldMetalThickness%1").arg(n);
            QString error;
            const Reading big = couponThickness(r, &error);
            const Reading t = ValueReader::length(r.value(tKey), r.lengthUnit());
            if (!error.isEmpty() || !t.isValue() || !t.hasHigh) {
                each << make(Outcome::CannotTell, text, r.value(tKey),
                             error.isEmpty() ? unreadable(tKey, r.value(tKey), r.label()) : error);
                continue;
            }
            // The deposit is one number; a range counts by its thickest end.
            const double deposit = ValueReader::convert(t.high, t.unit, big.unit);
            const bool eight =
                Qw451::hasEightInchLimit(QualifyCheck::processes(r.value(QStringLiteral("weldingProcess1"))));
            const QualifiedRange q = Qw451::deposit(deposit, big.low, big.unit, eight);
            const QString tText = lengthText(t.high, t.unit);
            each << withinRange(w, text, q, QStringLiteral("t = %1: %2").arg(tText, Qw451::text(q)),
                                QStringLiteral("t = %1 of %2, %3").arg(tText, r.label(), q.row), false);
        }
        parts.append({name, anyRecord(each)});
    }
    if (parts.isEmpty())
        return make(Outcome::CannotTell, QString(), QString(), QStringLiteral("thGroove1 to thGroove3 of the WPS are empty"));
    return everyValue(parts);
}

// ---------------------------------------------------------------------------------------
// QW-404.4 and QW-404.5: each filled filler column of the WPS finds its number in a record.

bool wpsFillerFilled(const QualifyForm &wps, int n)
{
    for (const char *key : {"specNoSFA", "AWSNoClass", "FNo", "ANo", "fillerSize", "thGroove", "thFillet"})
        if (!wps.value(QLatin1String(key) + QString::number(n)).isEmpty())
            return true;
    return false;
}

Verdict fillerNumberRule(const QualifyForm &wps, const QList<QualifyForm> &records, const QString &wpsKey,
                         const QString &recordKey, const QString &letter, const QString &title)
{
    QStringList have, recordTexts;
    QString unread;
    for (const QualifyForm &r : records) {
        for (int n = 1; n <= 2; ++n) {
            const QString key = recordKey + QString::number(n);
            const QString text = r.value(key);
            if (text.isEmpty())
                continue;
            recordTexts << text;
            const QString number = groupNumber(text, letter);
            if (number.isEmpty() && unread.isEmpty())
                unread = unreadable(key, text, r.label());
            else if (!number.isEmpty() && !have.contains(number))
                have << number;
        }
    }
    const QString recordSide = recordTexts.join(QStringLiteral(", "));
    QList<QPair<QString, Verdict>> parts;
    for (int n = 1; n <= 3; ++n) {
        if (!wpsFillerFilled(wps, n))
            continue;
        const QString key = wpsKey + QString::number(n);
        const QString text = wps.value(key);
        const QString name = QStringLiteral("filler %1").arg(n);
        const QString number = groupNumber(text, letter);
        if (number.isEmpty())
            parts.append({name, make(Outcome::CannotTell, text, recordSide, unreadable(key, text, kTheWps))});
        else if (have.contains(number))
            parts.append({name, make(Outcome::Holds, text, recordSide, QStringLiteral("%1 %2 qualified").arg(title, number))});
        else if (!unread.isEmpty())
            parts.append({name, make(Outcome::CannotTell, text, recordSide, unread)});
        else
            parts.append({name, make(Outcome::Exceeds, text, recordSide,
                                     QStringLiteral("%1 %2 not in the record").arg(title, number))});
    }
    if (parts.isEmpty())
        return make(Outcome::CannotTell, QString(), recordSide, QStringLiteral("the WPS names no filler metal"));
    return everyValue(parts);
}

Verdict fNumberRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    return fillerNumberRule(wps, records, QStringLiteral("FNo"), QStringLiteral("FillerMetalFNo"), QStringLiteral("F"),
                            QStringLiteral("F-No."));
}

Verdict aNumberRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    return fillerNumberRule(wps, records, QStringLiteral("ANo"), QStringLiteral("WeldMetalAnalysisANo"),
                            QStringLiteral("A"), QStringLiteral("A-No."));
}

// ---------------------------------------------------------------------------------------
// QW-406.1: the WPS minimum preheat not more than 100 °F (55 °C) below the record's.

QString temperatureText(double value, Unit unit) { return ValueReader::number(value) + QLatin1Char(' ') + ValueReader::unitText(unit); }

Verdict preheatRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    const QString key = QStringLiteral("MinPreheatTemp");
    const QString text = wps.value(key);
    const Reading w = ValueReader::temperature(text, wps.temperatureUnit());
    if (!w.isValue() || !w.hasLow)
        return make(Outcome::CannotTell, text, QString(), unreadable(key, text, kTheWps));
    const QString wpsSide = temperatureText(w.low, w.unit);
    QList<Verdict> each;
    for (const QualifyForm &r : records) {
        const QString rKey = QStringLiteral("preheatTemp");
        const Reading p = ValueReader::temperature(r.value(rKey), r.temperatureUnit());
        if (!p.isValue() || !p.hasLow) {
            each << make(Outcome::CannotTell, wpsSide, r.value(rKey), unreadable(rKey, r.value(rKey), r.label()));
            continue;
        }
        // Compared in the record's unit, with the code's limit in that unit.
        const double limit = p.unit == Unit::Fahrenheit ? 100 : 55;
        const double wpsMin = ValueReader::convert(w.low, w.unit, p.unit);
        const double lowest = p.low - limit;
        const QString recordSide = temperatureText(p.low, p.unit);
        const QString shown =
            w.unit == p.unit ? wpsSide : QStringLiteral("%1 (%2)").arg(wpsSide, temperatureText(wpsMin, p.unit));
        if (atLeast(wpsMin, lowest))
            each << make(Outcome::Holds, wpsSide, recordSide,
                         QStringLiteral("%1 is not more than %2 below %3 of %4")
                             .arg(shown, temperatureText(limit, p.unit), recordSide, r.label()));
        else
            each << make(Outcome::Exceeds, wpsSide, recordSide,
                         QStringLiteral("%1 is more than %2 below %3 of %4 (lowest %5)")
                             .arg(shown, temperatureText(limit, p.unit), recordSide, r.label(),
                                  temperatureText(lowest, p.unit)));
    }
    return anyRecord(each);
}

// ---------------------------------------------------------------------------------------
// QW-407.1: heat treated in the WPS if and only if in the record.

enum class Treated { No, Yes, Unknown };

Treated heatTreated(const QString &text, Unit unit)
{
    if (ValueReader::isNothing(text))
        return Treated::No;
    return ValueReader::temperature(text, unit).isValue() ? Treated::Yes : Treated::Unknown;
}

QString treatedText(Treated t, const QString &text)
{
    return t == Treated::No ? QStringLiteral("none") : text;
}

Verdict postWeldRule(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    const QString key = QStringLiteral("postWeldTempRange");
    const QString text = wps.value(key);
    const Treated w = heatTreated(text, wps.temperatureUnit());
    if (w == Treated::Unknown)
        return make(Outcome::CannotTell, text, QString(), unreadable(key, text, kTheWps));
    QList<Verdict> each;
    for (const QualifyForm &r : records) {
        const QString rKey = QStringLiteral("postWeldTemp");
        const QString rText = r.value(rKey);
        const Treated t = heatTreated(rText, r.temperatureUnit());
        if (t == Treated::Unknown) {
            each << make(Outcome::CannotTell, treatedText(w, text), rText, unreadable(rKey, rText, r.label()));
            continue;
        }
        const QString what = [&] {
            if (w == t)
                return w == Treated::Yes ? QStringLiteral("heat treated in both") : QStringLiteral("heat treated in neither");
            return w == Treated::Yes ? QStringLiteral("the WPS heat treats, %1 was not heat treated").arg(r.label())
                                     : QStringLiteral("the WPS does not heat treat, %1 was heat treated").arg(r.label());
        }();
        each << make(w == t ? Outcome::Holds : Outcome::Exceeds, treatedText(w, text), treatedText(t, rText), what);
    }
    return anyRecord(each);
}

} // namespace

// ---------------------------------------------------------------------------------------

QualifyForm::QualifyForm(const QString &name, const QHash<QString, QString> &values) : m_name(name)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_values.insert(it.key().toLower(), it.value());
}

QualifyForm QualifyForm::fromProfile(const ProfileFile &file, const QString &name)
{
    QHash<QString, QString> values;
    for (const auto &[key, value] : file.entries(QStringLiteral("contents")))
        values.insert(key, value);
    return QualifyForm(name, values);
}

QString QualifyForm::label() const
{
    const QString number = value(QStringLiteral("PQRNo"));
    return formType() == QLatin1String("WPQR") && !number.isEmpty() ? number : m_name;
}

Unit QualifyForm::lengthUnit() const
{
    return value(QStringLiteral("tensileTestUnitI")) == QLatin1String("true") ? Unit::Inch : Unit::Mm;
}

Unit QualifyForm::temperatureUnit() const
{
    return value(QStringLiteral("unitTF")) == QLatin1String("true") ? Unit::Fahrenheit : Unit::Celsius;
}

QString Verdict::line() const
{
    return QStringLiteral("%1 %2: %3 (%4)").arg(paragraph, subject, QualifyCheck::outcomeWord(outcome), details);
}

const QList<QualifyCheck::Rule> &QualifyCheck::rules()
{
    static const QList<Rule> table = {
        {QStringLiteral("QW-401"), QStringLiteral("Welding process"), processRule},
        {QStringLiteral("QW-403.11"), QStringLiteral("Base metal P-Nos (QW-424.1)"), pNumberRule},
        {QStringLiteral("QW-451.1"), QStringLiteral("Base metal thickness"), baseMetalRule},
        {QStringLiteral("QW-451.1"), QStringLiteral("Deposited weld metal thickness"), depositRule},
        {QStringLiteral("QW-404.4"), QStringLiteral("Filler F-No."), fNumberRule},
        {QStringLiteral("QW-404.5"), QStringLiteral("Filler A-No."), aNumberRule},
        {QStringLiteral("QW-406.1"), QStringLiteral("Preheat"), preheatRule},
        {QStringLiteral("QW-407.1"), QStringLiteral("Postweld heat treatment"), postWeldRule},
    };
    return table;
}

QList<Verdict> QualifyCheck::run(const QualifyForm &wps, const QList<QualifyForm> &records)
{
    QList<Verdict> out;
    for (const Rule &rule : rules()) {
        Verdict v = rule.check(wps, records);
        v.paragraph = rule.paragraph;
        v.subject = rule.subject;
        out << v;
    }
    return out;
}

QString QualifyCheck::outcomeWord(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Holds:
        return QStringLiteral("holds");
    case Outcome::Exceeds:
        return QStringLiteral("exceeds");
    case Outcome::CannotTell:
        break;
    }
    return QStringLiteral("cannot tell");
}

bool QualifyCheck::anyExceeds(const QList<Verdict> &verdicts)
{
    for (const Verdict &v : verdicts)
        if (v.outcome == Outcome::Exceeds)
            return true;
    return false;
}

QStringList QualifyCheck::processes(const QString &text)
{
    static const QSet<QString> known = {QStringLiteral("SMAW"), QStringLiteral("SAW"),  QStringLiteral("GMAW"),
                                        QStringLiteral("FCAW"), QStringLiteral("GTAW"), QStringLiteral("PAW"),
                                        QStringLiteral("ESW"),  QStringLiteral("EGW"),  QStringLiteral("OFW"),
                                        QStringLiteral("EBW"),  QStringLiteral("LBW"),  QStringLiteral("FSW"),
                                        QStringLiteral("LLBW"), QStringLiteral("HLAW"), QStringLiteral("SW")};
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    QStringList out;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured().toUpper();
        if (known.contains(w) && !out.contains(w))
            out << w;
    }
    return out;
}

} // namespace Brenvik
