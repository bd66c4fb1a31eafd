// The supplementary essential variables (QW-401.1): they apply when the work requires
// toughness, or where the supporting record carries toughness results. Each rule is a function
// under its paragraph; the table at the end lists them.

#include "qualify/ruleinput.h"

#include <QRegularExpression>
#include <QSet>

namespace Brenvik {

using namespace rulehelp;

namespace {

// QW-401.1 sets these aside where the record's PWHT exceeded the upper transformation
// temperature (or an austenitic record was solution annealed).
bool setAside(const RuleInput &in, Verdict *v)
{
    QString why;
    if (!in.recordAboveUpper(&why))
        return false;
    *v = holds(QString(), QString(), QStringLiteral("does not apply: %1 (QW-401.1)").arg(why));
    return true;
}

// ---------------------------------------------------------------------------------------
// QW-401.1: a record with toughness results where toughness is required.

Verdict toughnessRecordRule(const RuleInput &in)
{
    const bool tested = FormParts::hasToughness(in.record);
    const QString side = tested ? QStringLiteral("toughness tested") : QStringLiteral("no toughness results");
    if (tested)
        return holds(in.options.toughnessRequired ? QStringLiteral("toughness required") : QString(), side,
                     QStringLiteral("%1 carries toughness results (toughTest), so the supplementary essential "
                                    "variables apply")
                         .arg(in.record.label()));
    return exceeds(QStringLiteral("toughness required"), side,
                   QStringLiteral("toughness is required and %1 has no toughness results (toughTest)").arg(in.record.label()));
}

// ---------------------------------------------------------------------------------------
// QW-403.5: the same P-No. and group number as the record, pair for pair.

Verdict groupRule(const RuleInput &in)
{
    const auto wpsMetal = [&](const char *pKey, const char *gKey, QString *g) {
        QString inText;
        const QString p = ValueReader::groupNumber(in.wps.value(QLatin1String(pKey)), QLatin1Char('P'), &inText);
        const QString groupText = in.wps.value(QLatin1String(gKey));
        *g = groupText.isEmpty() ? inText : ValueReader::groupNumber(groupText, QLatin1Char('G'));
        return p;
    };
    QString g1, g2, h1, h2;
    const QString p1 = wpsMetal("pNo", "groupNo", &g1), p2 = wpsMetal("pNo2", "groupNo2", &g2);
    const QString c = in.record.value(QStringLiteral("baseMetalPNUmber")), d = in.record.value(QStringLiteral("baseMetalPNUmber2"));
    const QString q1 = ValueReader::groupNumber(c, QLatin1Char('P'), &h1), q2 = ValueReader::groupNumber(d, QLatin1Char('P'), &h2);
    const QString wpsSide = QStringLiteral("P-No. %1 Gr. %2 to P-No. %3 Gr. %4").arg(p1, g1, p2, g2);
    const QString recordSide = QStringLiteral("%1 to %2").arg(c, d);
    if (p1.isEmpty() || p2.isEmpty() || g1.isEmpty() || g2.isEmpty())
        return cannotTell(wpsSide, recordSide,
                          QStringLiteral("the WPS's P-Nos and group numbers (pNo, groupNo, pNo2, groupNo2) are not all "
                                         "read: \"%1\"")
                              .arg(ValueReader::quote(wpsSide)));
    if (q1.isEmpty() || q2.isEmpty() || h1.isEmpty() || h2.isEmpty())
        return cannotTell(wpsSide, recordSide,
                          QStringLiteral("%1 gives no group number with its P-Nos; write them as \"1 Gr. 1\"").arg(in.record.label()));
    const bool same = (p1 == q1 && g1 == h1 && p2 == q2 && g2 == h2) || (p1 == q2 && g1 == h2 && p2 == q1 && g2 == h1);
    const QString recordPairs = QStringLiteral("P-No. %1 Gr. %2 to P-No. %3 Gr. %4").arg(q1, h1, q2, h2);
    if (same)
        return holds(wpsSide, recordSide, QStringLiteral("the groups of %1 (%2)").arg(in.record.label(), recordPairs));
    return exceeds(wpsSide, recordSide,
                   QStringLiteral("%1 is not the pair of groups of %2 (%3)").arg(wpsSide, in.record.label(), recordPairs));
}

// ---------------------------------------------------------------------------------------
// QW-403.6: the minimum base metal thickness: T or 5/8 in (16 mm), whichever is less; 1/2T
// where T is under 1/4 in (6 mm).

Verdict minimumThicknessRule(const RuleInput &in)
{
    Verdict aside;
    if (setAside(in, &aside))
        return aside;
    const QString key = QStringLiteral("grooveThickness");
    const QString text = in.wps.value(key);
    const Reading w = ValueReader::length(text, in.wps.lengthUnit());
    if (!w.isValue())
        return cannotTell(text, QString(), unreadable(key, text, theWps()));
    const QString tKey = QStringLiteral("thTestCoupon");
    const Reading t = ValueReader::length(in.record.value(tKey), in.record.lengthUnit());
    if (!t.isValue() || t.low != t.high || !t.hasLow)
        return cannotTell(text, in.record.value(tKey), unreadable(tKey, in.record.value(tKey), in.record.label()));
    const bool inch = t.unit == Unit::Inch;
    const double T = t.low, fiveEighths = inch ? 0.625 : 16, quarter = inch ? 0.25 : 6;
    double minimum = std::min(T, fiveEighths);
    QString why = T <= fiveEighths ? QStringLiteral("T = %1 of %2").arg(valueText(T, t.unit), in.record.label())
                                   : QStringLiteral("5/8 in (16 mm), less than T = %1 of %2").arg(valueText(T, t.unit), in.record.label());
    if (T < quarter) {
        minimum = T / 2;
        why = QStringLiteral("1/2T, T = %1 of %2 being under 1/4 in (6 mm)").arg(valueText(T, t.unit), in.record.label());
    }
    const QString recordSide = QStringLiteral("%1 min.").arg(valueText(minimum, t.unit));
    if (!w.hasLow)
        return exceeds(text, recordSide, QStringLiteral("no lower limit; minimum %1 (%2)").arg(valueText(minimum, t.unit), why));
    const double low = ValueReader::convert(w.low, w.unit, t.unit);
    if (atLeast(low, minimum) || std::abs(low - minimum) < 0.0005 * std::max(1.0, minimum))
        return holds(text, recordSide, QStringLiteral("%1 is not below the minimum %2 (%3)")
                                           .arg(valueText(w.low, w.unit), valueText(minimum, t.unit), why));
    return exceeds(text, recordSide, QStringLiteral("%1 is below the minimum %2 (%3)")
                                         .arg(valueText(w.low, w.unit), valueText(minimum, t.unit), why));
}

// ---------------------------------------------------------------------------------------
// QW-404.7: an SMAW electrode diameter over 1/4 in (6 mm) beyond the record's.

Verdict electrodeDiameterRule(const RuleInput &in)
{
    double wpsMax = -1;
    QStringList wpsTexts;
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString text = in.wps.value(QStringLiteral("fillerSize%1").arg(f.n));
        if (f.process.isEmpty() || text.isEmpty())
            continue;
        const double d = thickestLength(text, in.wps.lengthUnit());
        if (d < 0)
            return cannotTell(text, QString(), unreadable(QStringLiteral("fillerSize%1").arg(f.n), text, theWps()));
        wpsMax = std::max(wpsMax, d);
        wpsTexts << text;
    }
    for (const TechniqueRow &t : in.rowsHere()) {
        if (t.diameter.isEmpty())
            continue;
        const double d = thickestLength(t.diameter, in.wps.lengthUnit());
        if (d < 0)
            return cannotTell(t.diameter, QString(), QStringLiteral("cannot read the diameter \"%1\" of technique row %2")
                                                         .arg(ValueReader::quote(t.diameter))
                                                         .arg(t.row));
        wpsMax = std::max(wpsMax, d);
        wpsTexts << t.diameter;
    }
    const QString wpsSide = wpsTexts.join(QStringLiteral(", "));
    if (wpsMax < 0)
        return cannotTell(wpsSide, QString(), QStringLiteral("the WPS gives no SMAW electrode diameter (fillerSize, technique rows)"));
    const double limit = 6.35; // 1/4 in
    if (atMost(wpsMax, limit))
        return holds(wpsSide, QString(), QStringLiteral("%1 mm is not over 1/4 in (6 mm)").arg(ValueReader::number(wpsMax)));
    double recordMax = -1;
    QStringList recordTexts;
    for (const FillerColumn &f : in.recordFillersHere()) {
        const QString key = QStringLiteral("SizeOfFillerMetal%1").arg(f.n);
        const QString text = in.record.value(key);
        const double d = thickestLength(text, in.record.lengthUnit());
        if (f.process.isEmpty() || d < 0)
            return cannotTell(wpsSide, text, f.process.isEmpty() ? f.why : unreadable(key, text, in.record.label()));
        recordMax = std::max(recordMax, d);
        recordTexts << text;
    }
    const QString recordSide = recordTexts.join(QStringLiteral(", "));
    if (recordMax < 0)
        return cannotTell(wpsSide, recordSide, QStringLiteral("%1 gives no SMAW electrode size").arg(in.record.label()));
    if (atMost(wpsMax, recordMax))
        return holds(wpsSide, recordSide, QStringLiteral("%1 mm is not over %2 mm of %3")
                                              .arg(ValueReader::number(wpsMax), ValueReader::number(recordMax), in.record.label()));
    return exceeds(wpsSide, recordSide, QStringLiteral("%1 mm is over 1/4 in (6 mm) and over %2 mm of %3")
                                            .arg(ValueReader::number(wpsMax), ValueReader::number(recordMax), in.record.label()));
}

// ---------------------------------------------------------------------------------------
// QW-404.12: the filler classification of each process.

Verdict classificationRule(const RuleInput &in)
{
    QSet<QString> have;
    QStringList recordSide;
    for (const FillerColumn &f : in.recordFillersHere()) {
        const QString cls = in.record.value(QStringLiteral("AWSClassification%1").arg(f.n));
        if (f.process.isEmpty())
            return cannotTell(QString(), cls, f.why);
        if (cls.isEmpty())
            return cannotTell(QString(), cls, unreadable(QStringLiteral("AWSClassification%1").arg(f.n), cls, in.record.label()));
        have << FormParts::classKey(cls);
        recordSide << cls;
    }
    QList<QPair<QString, Verdict>> parts;
    const auto check = [&](const QString &name, const QString &cls) {
        const QString rs = recordSide.join(QStringLiteral(", "));
        if (have.contains(FormParts::classKey(cls)))
            parts.append({name, holds(cls, rs, QStringLiteral("%1 as in %2").arg(cls, in.record.label()))});
        else if (have.isEmpty())
            parts.append({name, cannotTell(cls, rs, QStringLiteral("%1 names no filler of %2").arg(in.record.label(), in.process))});
        else
            parts.append({name, exceeds(cls, rs, QStringLiteral("%1 is not the classification of %2 in %3 (%4)")
                                                     .arg(cls, in.process, in.record.label(), rs))});
    };
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString key = QStringLiteral("AWSNoClass%1").arg(f.n);
        const QString cls = in.wps.value(key);
        if (f.process.isEmpty())
            parts.append({QStringLiteral("filler %1").arg(f.n), cannotTell(cls, QString(), f.why)});
        else if (cls.isEmpty())
            parts.append({QStringLiteral("filler %1").arg(f.n), cannotTell(cls, QString(), unreadable(key, cls, theWps()))});
        else
            check(QStringLiteral("filler %1").arg(f.n), cls);
    }
    for (const TechniqueRow &t : in.rowsHere())
        if (!t.classification.isEmpty())
            check(QStringLiteral("row %1").arg(t.row), t.classification);
    if (parts.isEmpty())
        return cannotTell(QString(), recordSide.join(QStringLiteral(", ")),
                          QStringLiteral("the WPS names no filler classification for %1").arg(in.process));
    return everyValue(parts);
}

// ---------------------------------------------------------------------------------------
// QW-405.2: a change to vertical uphill progression.

Verdict uphillRule(const RuleInput &in)
{
    Verdict aside;
    if (setAside(in, &aside))
        return aside;
    const QString w = in.wps.value(QStringLiteral("weldProgression"));
    const QString r = in.record.value(QStringLiteral("weldProgression"));
    static const QRegularExpression up(QStringLiteral("\\bup|uphill|vertical-?up"), QRegularExpression::CaseInsensitiveOption);
    if (w.isEmpty())
        return cannotTell(w, r, unreadable(QStringLiteral("weldProgression"), w, theWps()));
    const bool wUp = up.match(w).hasMatch();
    if (!wUp)
        return holds(w, r, QStringLiteral("the WPS does not weld vertical uphill"));
    if (r.isEmpty())
        return cannotTell(w, r, unreadable(QStringLiteral("weldProgression"), r, in.record.label()));
    if (up.match(r).hasMatch())
        return holds(w, r, QStringLiteral("%1 was welded vertical uphill (%2)").arg(in.record.label(), in.record.value(QStringLiteral("groovePosition"))));
    return exceeds(w, r, QStringLiteral("the WPS welds vertical uphill, %1 was not welded uphill").arg(in.record.label()));
}

// ---------------------------------------------------------------------------------------
// QW-406.3: the maximum interpass not more than 100 °F (55 °C) above the record's.

Verdict interpassRule(const RuleInput &in)
{
    Verdict aside;
    if (setAside(in, &aside))
        return aside;
    const QString key = QStringLiteral("MaxInterpassTemp"), rKey = QStringLiteral("InterpassTemp");
    const QString text = in.wps.value(key), rText = in.record.value(rKey);
    const Reading w = ValueReader::temperature(text, in.wps.temperatureUnit());
    if (!w.isValue() || !w.hasHigh)
        return cannotTell(text, rText, unreadable(key, text, theWps()));
    const Reading r = ValueReader::temperature(rText, in.record.temperatureUnit());
    if (!r.isValue() || !r.hasHigh)
        return cannotTell(text, rText, unreadable(rKey, rText, in.record.label()));
    const double limit = r.unit == Unit::Fahrenheit ? 100 : 55;
    const double wMax = ValueReader::convert(w.high, w.unit, r.unit);
    const double highest = r.high + limit;
    const QString rs = valueText(r.high, r.unit);
    if (atMost(wMax, highest))
        return holds(valueText(w.high, w.unit), rs, QStringLiteral("%1 is not more than %2 above %3 of %4")
                                                        .arg(valueText(w.high, w.unit), valueText(limit, r.unit), rs, in.record.label()));
    return exceeds(valueText(w.high, w.unit), rs, QStringLiteral("%1 is more than %2 above %3 of %4 (highest %5)")
                                                      .arg(valueText(w.high, w.unit), valueText(limit, r.unit), rs,
                                                           in.record.label(), valueText(highest, r.unit)));
}

// ---------------------------------------------------------------------------------------
// QW-407.2: the PWHT temperature essentially the record's and the record's time at
// temperature at least 80 % of the WPS's longest aggregate time.

// "Essentially the same" is read as within 25 °C (45 °F) of the record's temperature.
constexpr double kEssentiallyC = 25;

Verdict pwhtTimeRule(const RuleInput &in)
{
    const QString key = QStringLiteral("postWeldTempRange"), rKey = QStringLiteral("postWeldTemp");
    const QString text = in.wps.value(key), rText = in.record.value(rKey);
    if (text.isEmpty() || rText.isEmpty())
        return cannotTell(text, rText, text.isEmpty() ? unreadable(key, text, theWps()) : unreadable(rKey, rText, in.record.label()));
    const bool wNone = ValueReader::isNothing(text), rNone = ValueReader::isNothing(rText);
    if (wNone && rNone)
        return holds(text, rText, QStringLiteral("no PWHT in the WPS and %1").arg(in.record.label()));
    if (wNone != rNone)
        return exceeds(text, rText, wNone ? QStringLiteral("the WPS drops the PWHT of %1").arg(in.record.label())
                                          : QStringLiteral("the WPS heat treats, %1 was not").arg(in.record.label()));
    const Reading w = ValueReader::temperature(text, in.wps.temperatureUnit());
    const Reading r = ValueReader::temperature(rText, in.record.temperatureUnit());
    if (!w.isValue() || !w.hasLow || !w.hasHigh)
        return cannotTell(text, rText, unreadable(key, text, theWps()));
    if (!r.isValue() || !r.hasLow || !r.hasHigh)
        return cannotTell(text, rText, unreadable(rKey, rText, in.record.label()));
    const Reading wc = w.in(Unit::Celsius), rc = r.in(Unit::Celsius);
    const double tol = kEssentiallyC;
    QStringList problems;
    if (!(atLeast(wc.low, rc.low - tol) && atMost(wc.high, rc.high + tol)))
        problems << QStringLiteral("%1 to %2 \u00b0C is not within %3 \u00b0C (45 \u00b0F) of %4 to %5 \u00b0C of %6")
                        .arg(ValueReader::number(wc.low), ValueReader::number(wc.high), ValueReader::number(tol),
                             ValueReader::number(rc.low), ValueReader::number(rc.high), in.record.label());
    const QString tKey = QStringLiteral("postWeldTimeRange"), rtKey = QStringLiteral("postWeldTime");
    const Reading thick = ValueReader::length(in.wps.value(QStringLiteral("grooveThickness")), in.wps.lengthUnit());
    const double thickestMm = thick.isValue() && thick.hasHigh ? thick.in(Unit::Mm).high : -1;
    const double wHours = Pwht::longestHours(in.wps.value(tKey), thickestMm);
    const double rHours = Pwht::longestHours(in.record.value(rtKey), -1);
    if (wHours < 0)
        return cannotTell(text, rText, unreadable(tKey, in.wps.value(tKey), theWps()) +
                                           QStringLiteral(" (as \"2 h\" or \"1 h per 25 mm, 1 h min.\")"));
    if (rHours < 0)
        return cannotTell(text, rText, unreadable(rtKey, in.record.value(rtKey), in.record.label()));
    if (!atLeast(rHours, 0.8 * wHours))
        problems << QStringLiteral("%1 h of %2 is under 80 % of the WPS's longest %3 h (at least %4 h)")
                        .arg(ValueReader::number(rHours), in.record.label(), ValueReader::number(wHours),
                             ValueReader::number(0.8 * wHours));
    if (!problems.isEmpty())
        return exceeds(text, rText, problems.join(QStringLiteral("; ")));
    return holds(text, rText, QStringLiteral("within %1 \u00b0C of %2; %3 h of %2 is at least 80 % of the WPS's longest %4 h")
                                  .arg(ValueReader::number(tol), in.record.label(), ValueReader::number(rHours),
                                       ValueReader::number(wHours)));
}

// ---------------------------------------------------------------------------------------
// QW-409.1: the heat input of each process, volts x amperes x 60 / travel speed.

struct Heat {
    double perMm = -1; // J/mm
    QString shown;
};

// Travel speed units in mm/min.
double speedToMmPerMin(const QString &unit, Unit lengthUnit)
{
    if (unit.contains(QStringLiteral("cm")))
        return 10;
    if (unit.startsWith(QLatin1String("in")) || unit.startsWith(QLatin1String("ipm")))
        return 25.4;
    if (unit.startsWith(QLatin1String("mm")))
        return 1;
    return lengthUnit == Unit::Inch ? 25.4 : 1;
}

const QStringList kSpeedUnits = {QStringLiteral("mm/min"), QStringLiteral("cm/min"), QStringLiteral("in/min"),
                                 QStringLiteral("ipm"), QStringLiteral("in./min")};

QString heatText(double jPerMm)
{
    return QStringLiteral("%1 kJ/mm (%2 kJ/in)").arg(ValueReader::number(std::round(jPerMm / 10) / 100),
                                                     ValueReader::number(std::round(jPerMm * 25.4 / 10) / 100));
}

Verdict heatInputRule(const RuleInput &in)
{
    Verdict aside;
    if (setAside(in, &aside))
        return aside;
    // The WPS: highest volts and amperes, lowest speed of this process's technique rows.
    double a = -1, v = -1, s = -1;
    const QString speedUnit = FormParts::techniqueSpeedUnit(in.wps);
    const double sScale = speedToMmPerMin(speedUnit, in.wps.lengthUnit());
    const QList<TechniqueRow> rows = in.rowsHere();
    for (const TechniqueRow &t : rows) {
        const Reading ra = ValueReader::plainRange(t.amperes, {QStringLiteral("a")});
        const Reading rv = ValueReader::plainRange(t.volts, {QStringLiteral("v")});
        const Reading rs = ValueReader::plainRange(t.speed, kSpeedUnits);
        if (!ra.isValue() || !rv.isValue() || !rs.isValue() || rs.low <= 0)
            return cannotTell(QString(), QString(),
                              QStringLiteral("cannot read amperes \"%1\", volts \"%2\" and travel speed \"%3\" of "
                                             "technique row %4")
                                  .arg(ValueReader::quote(t.amperes), ValueReader::quote(t.volts),
                                       ValueReader::quote(t.speed))
                                  .arg(t.row));
        a = std::max(a, ra.high);
        v = std::max(v, rv.high);
        s = s < 0 ? rs.low * sScale : std::min(s, rs.low * sScale);
    }
    if (rows.isEmpty())
        return cannotTell(QString(), QString(), QStringLiteral("no technique row of the WPS is for %1").arg(in.process));
    const double wpsHeat = v * a * 60 / s;
    const QString wpsSide = QStringLiteral("%1 V x %2 A x 60 / %3 mm/min = %4")
                                .arg(ValueReader::number(v), ValueReader::number(a), ValueReader::number(s), heatText(wpsHeat));
    // The record: its ranges for this process, the same way.
    QString why;
    const QString aText = FormParts::perProcess(in.record.value(QStringLiteral("amperes")), in.process, in.recordProcesses, &why);
    if (aText.isEmpty())
        return cannotTell(wpsSide, QString(), QStringLiteral("amperes of %1: %2").arg(in.record.label(), why));
    const QString vText = FormParts::perProcess(in.record.value(QStringLiteral("Volts")), in.process, in.recordProcesses, &why);
    if (vText.isEmpty())
        return cannotTell(wpsSide, QString(), QStringLiteral("Volts of %1: %2").arg(in.record.label(), why));
    const QString sText = FormParts::perProcess(in.record.value(QStringLiteral("travelSpeed")), in.process, in.recordProcesses, &why);
    if (sText.isEmpty())
        return cannotTell(wpsSide, QString(), QStringLiteral("travelSpeed of %1: %2").arg(in.record.label(), why));
    QString unitWritten;
    const Reading ra = ValueReader::plainRange(aText, {QStringLiteral("a")});
    const Reading rv = ValueReader::plainRange(vText, {QStringLiteral("v")});
    const Reading rs = ValueReader::plainRange(sText, kSpeedUnits, &unitWritten);
    if (!ra.isValue() || !rv.isValue() || !rs.isValue() || rs.low <= 0)
        return cannotTell(wpsSide, QString(),
                          QStringLiteral("cannot read the %1 amperes \"%2\", volts \"%3\" and travel speed \"%4\" of %5")
                              .arg(in.process, ValueReader::quote(aText), ValueReader::quote(vText), ValueReader::quote(sText),
                                   in.record.label()));
    const double rsMm = rs.low * speedToMmPerMin(unitWritten, in.record.lengthUnit());
    const double recordHeat = rv.high * ra.high * 60 / rsMm;
    const QString recordSide = QStringLiteral("%1 V x %2 A x 60 / %3 mm/min = %4")
                                   .arg(ValueReader::number(rv.high), ValueReader::number(ra.high),
                                        ValueReader::number(rsMm), heatText(recordHeat));
    const QString how = QStringLiteral("highest volts and amperes at the lowest travel speed of the %1 ranges").arg(in.process);
    if (atMost(wpsHeat, recordHeat))
        return holds(wpsSide, recordSide, QStringLiteral("%1 %2 is not over %3 of %4 (each the %5)")
                                              .arg(in.process, heatText(wpsHeat), heatText(recordHeat), in.record.label(), how));
    return exceeds(wpsSide, recordSide, QStringLiteral("%1 %2 is over %3 of %4 (each the %5)")
                                            .arg(in.process, heatText(wpsHeat), heatText(recordHeat), in.record.label(), how));
}

// ---------------------------------------------------------------------------------------
// QW-409.4: the current and polarity of GMAW and GTAW.

QString polarityWord(const QString &text)
{
    const QString s = text.toUpper().remove(QLatin1Char(' '));
    if (s.contains(QStringLiteral("DCEN")) || s.contains(QStringLiteral("DCSP")) || s.contains(QStringLiteral("DC-")))
        return QStringLiteral("DCEN");
    if (s.contains(QStringLiteral("DCEP")) || s.contains(QStringLiteral("DCRP")) || s.contains(QStringLiteral("DC+")))
        return QStringLiteral("DCEP");
    if (s == QLatin1String("AC") || s.startsWith(QLatin1String("AC")))
        return QStringLiteral("AC");
    return QString();
}

// The polarity a text gives a process: "DCEN (GTAW), DCEP (SMAW)", or one polarity for all.
QString polarityFor(const QString &text, const QString &process, const ProcessList &processes, QString *why)
{
    static const QRegularExpression pair(QStringLiteral("([A-Za-z+\\-]+)\\s*\\(([^()]*)\\)"));
    bool anyPair = false;
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const ProcessList p = ProcessNames::read(m.captured(2));
        if (p.processes.isEmpty())
            continue;
        anyPair = true;
        if (p.processes.contains(process))
            return polarityWord(m.captured(1));
    }
    if (!anyPair && (processes.processes.size() == 1 || text.split(QRegularExpression(QStringLiteral("[,/;]"))).size() == 1))
        if (const QString word = polarityWord(text); !word.isEmpty())
            return word;
    // "DC" alone says neither electrode negative nor positive.
    static const QRegularExpression bareDc(QStringLiteral("\\bDC\\b(?!\\s*[-+])"), QRegularExpression::CaseInsensitiveOption);
    const QString dc = bareDc.match(text).hasMatch() ? QStringLiteral(" (\"DC\" says neither DCEN nor DCEP)") : QString();
    *why = QStringLiteral("\"%1\" gives no polarity for %2%3; write it per process, e.g. \"DCEN (GTAW), DCEP (SMAW)\"")
               .arg(ValueReader::quote(text), process, dc);
    return QString();
}

Verdict polarityRule(const RuleInput &in)
{
    QSet<QString> wps;
    QStringList wpsTexts;
    for (const TechniqueRow &t : in.rowsHere())
        if (!t.polarity.isEmpty()) {
            const QString p = polarityWord(t.polarity);
            if (p.isEmpty())
                return cannotTell(t.polarity, QString(),
                                  QStringLiteral("cannot read the polarity \"%1\" of technique row %2; write DCEN, DCEP or AC")
                                      .arg(ValueReader::quote(t.polarity)).arg(t.row));
            wps << p;
            wpsTexts << t.polarity;
        }
    QString why;
    if (wps.isEmpty()) {
        const QString text = in.wps.value(QStringLiteral("polarity"));
        const QString p = polarityFor(text, in.process, in.wpsProcesses, &why);
        if (p.isEmpty())
            return cannotTell(text, QString(), why.isEmpty() ? unreadable(QStringLiteral("polarity"), text, theWps()) : why);
        wps << p;
        wpsTexts << text;
    }
    const QString rText = in.record.value(QStringLiteral("polarity"));
    const QString r = polarityFor(rText, in.process, in.recordProcesses, &why);
    const QString wpsSide = wpsTexts.join(QStringLiteral(", "));
    if (r.isEmpty())
        return cannotTell(wpsSide, rText, why.isEmpty() ? unreadable(QStringLiteral("polarity"), rText, in.record.label()) : why);
    QStringList other;
    for (const QString &p : std::as_const(wps))
        if (p != r)
            other << p;
    if (other.isEmpty())
        return holds(wpsSide, rText, QStringLiteral("%1 %2 as in %3").arg(in.process, r, in.record.label()));
    other.sort();
    return exceeds(wpsSide, rText, QStringLiteral("%1 %2 in the WPS, %3 in %4").arg(in.process, other.join(QStringLiteral(", ")), r,
                                                                                     in.record.label()));
}

// ---------------------------------------------------------------------------------------
// QW-410.9: multipass per side to single pass per side.

Verdict passesRule(const RuleInput &in)
{
    Verdict aside;
    if (setAside(in, &aside))
        return aside;
    const QString w = in.wps.value(QStringLiteral("passPerSide")), r = in.record.value(QStringLiteral("MSPass"));
    if (w.isEmpty())
        return cannotTell(w, r, unreadable(QStringLiteral("passPerSide"), w, theWps()));
    if (r.isEmpty())
        return cannotTell(w, r, unreadable(QStringLiteral("MSPass"), r, in.record.label()));
    const bool wSingle = w.contains(QStringLiteral("single"), Qt::CaseInsensitive);
    const bool rSingle = r.contains(QStringLiteral("single"), Qt::CaseInsensitive);
    if (!wSingle)
        return holds(w, r, QStringLiteral("the WPS does not weld single pass per side"));
    if (rSingle)
        return holds(w, r, QStringLiteral("%1 was welded single pass per side").arg(in.record.label()));
    return exceeds(w, r, QStringLiteral("the WPS allows single pass per side, %1 was welded multipass").arg(in.record.label()));
}

} // namespace

QList<QualifyCheck::Rule> toughnessRules()
{
    const QStringList manual = {QStringLiteral("SMAW"), QStringLiteral("GMAW"), QStringLiteral("GTAW")};
    const QStringList gas = {QStringLiteral("GMAW"), QStringLiteral("GTAW")};
    return {
        {QStringLiteral("QW-401.1"), QStringLiteral("Toughness-tested record (toughness)"), {}, true, toughnessRecordRule},
        {QStringLiteral("QW-403.5"), QStringLiteral("Base metal group numbers (toughness)"), {}, true, groupRule},
        {QStringLiteral("QW-403.6"), QStringLiteral("Minimum base metal thickness (toughness)"), {}, true, minimumThicknessRule},
        {QStringLiteral("QW-404.7"), QStringLiteral("Electrode diameter (toughness)"), {QStringLiteral("SMAW")}, true,
         electrodeDiameterRule},
        {QStringLiteral("QW-404.12"), QStringLiteral("Filler classification (toughness)"), manual, true, classificationRule},
        {QStringLiteral("QW-405.2"), QStringLiteral("Vertical uphill (toughness)"), manual, true, uphillRule},
        {QStringLiteral("QW-406.3"), QStringLiteral("Maximum interpass (toughness)"), {}, true, interpassRule},
        {QStringLiteral("QW-407.2"), QStringLiteral("PWHT temperature and time (toughness)"), {}, true, pwhtTimeRule},
        {QStringLiteral("QW-409.1"), QStringLiteral("Heat input (toughness)"), {}, true, heatInputRule},
        {QStringLiteral("QW-409.4"), QStringLiteral("Current and polarity (toughness)"), gas, true, polarityRule},
        {QStringLiteral("QW-410.9"), QStringLiteral("Passes per side (toughness)"), {}, true, passesRule},
    };
}

} // namespace Brenvik
