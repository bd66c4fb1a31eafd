// The shielding rules of QW-250 for the gas-shielded processes: the gas (QW-408.2), the
// transfer mode (QW-409.2) and the filler's product form (QW-404.23), each under its paragraph;
// the table at the end lists them in the order the check prints them.

#include "qualify/ruleinput.h"

#include <QRegularExpression>
#include <QSet>

namespace Brenvik {

using namespace rulehelp;

namespace {

// ---------------------------------------------------------------------------------------
// QW-408.2: the shielding gas: a single gas to a mixture or another gas, a percentage
// changed, a gas added or omitted.

struct GasMix {
    QStringList gases; // sorted chemical names
    QList<double> percents;
    bool none = false;
};

bool readGas(const QString &gasText, const QString &mixText, GasMix *mix, QString *why)
{
    static const QList<QPair<QString, QString>> names = {
        {QStringLiteral("argon"), QStringLiteral("Ar")},       {QStringLiteral("ar"), QStringLiteral("Ar")},
        {QStringLiteral("helium"), QStringLiteral("He")},      {QStringLiteral("he"), QStringLiteral("He")},
        {QStringLiteral("co2"), QStringLiteral("CO2")},        {QStringLiteral("carbon dioxide"), QStringLiteral("CO2")},
        {QStringLiteral("c"), QStringLiteral("CO2")},          {QStringLiteral("oxygen"), QStringLiteral("O2")},
        {QStringLiteral("o2"), QStringLiteral("O2")},          {QStringLiteral("nitrogen"), QStringLiteral("N2")},
        {QStringLiteral("n2"), QStringLiteral("N2")},          {QStringLiteral("hydrogen"), QStringLiteral("H2")},
        {QStringLiteral("h2"), QStringLiteral("H2")}};
    static const QRegularExpression brackets(QStringLiteral("\\([^()]*\\)"));
    QString g = gasText.toLower();
    g.remove(brackets);
    if (ValueReader::isNothing(g)) {
        mix->none = true;
        return true;
    }
    // Percentages, not the digits of a name ("CO2").
    static const QRegularExpression number(QStringLiteral("(?<![a-z])\\d+(?:\\.\\d+)?"));
    for (auto it = number.globalMatch(g); it.hasNext();)
        mix->percents << it.next().captured().toDouble();
    QString words = g;
    words.remove(number);
    words.remove(QLatin1Char('%'));
    static const QRegularExpression separators(QStringLiteral("\\s*(?:[/+,&-]|\\band\\b|\\bwith\\b)\\s*"));
    for (const QString &part : words.split(separators, Qt::SkipEmptyParts)) {
        const QString p = part.simplified();
        if (p.isEmpty())
            continue;
        QString found;
        for (const auto &[name, symbol] : names)
            if (p == name)
                found = symbol;
        if (found.isEmpty()) {
            *why = QStringLiteral("cannot read the gas \"%1\"").arg(ValueReader::quote(part.trimmed()));
            return false;
        }
        if (!mix->gases.contains(found))
            mix->gases << found;
    }
    if (mix->gases.isEmpty()) {
        *why = QStringLiteral("names no gas");
        return false;
    }
    if (mix->percents.isEmpty())
        for (auto it = number.globalMatch(mixText); it.hasNext();)
            mix->percents << it.next().captured().toDouble();
    return true;
}

QString gasText(const GasMix &m)
{
    if (m.none)
        return QStringLiteral("none");
    QStringList p;
    for (double v : m.percents)
        p << ValueReader::number(v);
    return m.gases.join(QLatin1Char('/')) + (p.isEmpty() ? QString() : QStringLiteral(" ") + p.join(QLatin1Char('/')));
}

Verdict gasRule(const RuleInput &in)
{
    const QString w = in.wps.value(QStringLiteral("gasS")), wm = in.wps.value(QStringLiteral("mixtureS"));
    const QString r = in.record.value(QStringLiteral("gasS")), rm = in.record.value(QStringLiteral("mixtureS"));
    const QString wpsSide = (w + QLatin1Char(' ') + wm).trimmed(), recordSide = (r + QLatin1Char(' ') + rm).trimmed();
    if (w.isEmpty())
        return cannotTell(wpsSide, recordSide, unreadable(QStringLiteral("gasS"), w, theWps()));
    if (r.isEmpty())
        return cannotTell(wpsSide, recordSide, unreadable(QStringLiteral("gasS"), r, in.record.label()));
    GasMix a, b;
    QString why;
    if (!readGas(w, wm, &a, &why))
        return cannotTell(wpsSide, recordSide, QStringLiteral("shielding gas of the WPS: ") + why);
    if (!readGas(r, rm, &b, &why))
        return cannotTell(wpsSide, recordSide, QStringLiteral("shielding gas of %1: ").arg(in.record.label()) + why);
    QString change;
    if (a.none != b.none)
        change = a.none ? QStringLiteral("the WPS omits the shielding gas") : QStringLiteral("the WPS adds a shielding gas");
    else if (a.gases.size() != b.gases.size() && std::min(a.gases.size(), b.gases.size()) == 1)
        change = QStringLiteral("a single gas changed to a mixture or back");
    else if (QSet<QString>(a.gases.begin(), a.gases.end()) != QSet<QString>(b.gases.begin(), b.gases.end()))
        change = QStringLiteral("another gas");
    else if (a.percents != b.percents)
        change = QStringLiteral("the percentage changed");
    if (change.isEmpty())
        return holds(wpsSide, recordSide,
                     QStringLiteral("%1 as in %2 for %3").arg(gasText(a), in.record.label(), in.process));
    return exceeds(wpsSide, recordSide,
                   QStringLiteral("%1 (the WPS %2, %3 %4)").arg(change, gasText(a), in.record.label(), gasText(b)));
}

// ---------------------------------------------------------------------------------------
// QW-409.2: spray, globular or pulsed transfer against short-circuiting, GMAW only.

Verdict transferRule(const RuleInput &in)
{
    const QString mode = in.wps.value(QStringLiteral("GMAWMode"));
    const QString recordText = QStringList{in.record.processText(), in.record.value(QStringLiteral("electricalOther")),
                                           in.record.value(QStringLiteral("techniqueOther"))}
                                   .join(QLatin1Char(' '));
    const bool wSc = in.wpsShortCircuit(), wOther = ProcessNames::saysOtherTransfer(mode) ||
                                                     ProcessNames::saysOtherTransfer(in.wps.processText());
    const bool rSc = in.recordShortCircuit(), rOther = ProcessNames::saysOtherTransfer(recordText);
    const QString wSide = mode.isEmpty() ? in.wps.processText() : mode;
    if (wSc == wOther)
        return cannotTell(wSide, QString(),
                          QStringLiteral("%1 of the WPS does not say one mode (spray, globular, pulsed or short circuit)")
                              .arg(quoted(QStringLiteral("GMAWMode"), mode)));
    if (rSc == rOther)
        return cannotTell(wSide, QString(),
                          QStringLiteral("the process, electrical and technique texts of %1 do not say one transfer "
                                         "mode; write e.g. \"GMAW-S\" or \"spray transfer\"")
                              .arg(in.record.label()));
    const QString w = wSc ? QStringLiteral("short circuit") : QStringLiteral("spray, globular or pulsed");
    const QString r = rSc ? QStringLiteral("short circuit") : QStringLiteral("spray, globular or pulsed");
    if (wSc == rSc)
        return holds(wSide, r, QStringLiteral("%1 transfer in the WPS and %2").arg(w, in.record.label()));
    return exceeds(wSide, r, QStringLiteral("the WPS: %1 transfer; %2: %3").arg(w, in.record.label(), r));
}

// ---------------------------------------------------------------------------------------
// QW-404.23: the filler product form: solid or metal-cored against flux-cored.

enum class Form { Unknown, SolidOrMetalCored, FluxCored };

Form productForm(const QString &classification, const QString &other)
{
    const QString o = other.toLower();
    if (o.contains(QStringLiteral("flux")) && o.contains(QStringLiteral("cored")))
        return Form::FluxCored;
    if (o.contains(QStringLiteral("solid")) || o.contains(QStringLiteral("metal-cored")) ||
        o.contains(QStringLiteral("metal cored")))
        return Form::SolidOrMetalCored;
    const QString c = FormParts::classKey(classification);
    // AWS A5.18/A5.28 ER..S (solid), E..C (composite, metal-cored), A5.20/A5.29 E..T (flux-cored).
    static const QRegularExpression solid(QStringLiteral("^(ER\\d+S|ER\\d|E\\d+C|R\\d)"));
    static const QRegularExpression flux(QStringLiteral("^E\\d+T"));
    if (flux.match(c).hasMatch())
        return Form::FluxCored;
    if (solid.match(c).hasMatch())
        return Form::SolidOrMetalCored;
    return Form::Unknown;
}

QString formText(Form f)
{
    return f == Form::FluxCored ? QStringLiteral("flux-cored") : QStringLiteral("solid or metal-cored");
}

Verdict productFormRule(const RuleInput &in)
{
    QList<Form> recordForms;
    QStringList recordSide;
    for (const FillerColumn &f : in.recordFillersHere()) {
        const QString cls = in.record.value(QStringLiteral("AWSClassification%1").arg(f.n));
        const Form form = productForm(cls, in.record.value(QStringLiteral("fillerMetalOther%1").arg(f.n)));
        recordSide << cls;
        if (f.process.isEmpty() || form == Form::Unknown)
            return cannotTell(QString(), cls,
                              f.process.isEmpty() ? f.why
                                                  : QStringLiteral("cannot tell the product form of %1 of %2 (write "
                                                                   "\"solid wire\" or \"flux-cored\" under Other)")
                                                        .arg(quoted(QStringLiteral("AWSClassification%1").arg(f.n), cls),
                                                             in.record.label()));
        recordForms << form;
    }
    QList<QPair<QString, Verdict>> parts;
    for (const FillerColumn &f : in.wpsFillersHere()) {
        const QString key = QStringLiteral("AWSNoClass%1").arg(f.n);
        const QString cls = in.wps.value(key);
        const QString name = QStringLiteral("filler %1").arg(f.n);
        const Form form = productForm(cls, QString());
        if (f.process.isEmpty())
            parts.append({name, cannotTell(cls, QString(), f.why)});
        else if (form == Form::Unknown)
            parts.append({name, cannotTell(cls, QString(), QStringLiteral("cannot tell the product form of %1").arg(quoted(key, cls)))});
        else if (recordForms.isEmpty())
            parts.append({name, cannotTell(cls, QString(), QStringLiteral("%1 names no filler of %2").arg(in.record.label(), in.process))});
        else if (recordForms.contains(form))
            parts.append({name, holds(cls, recordSide.join(QStringLiteral(", ")),
                                      QStringLiteral("%1 as in %2").arg(formText(form), in.record.label()))});
        else
            parts.append({name, exceeds(cls, recordSide.join(QStringLiteral(", ")),
                                        QStringLiteral("%1 against %2 in %3").arg(formText(form), formText(recordForms.first()),
                                                                                  in.record.label()))});
    }
    if (parts.isEmpty())
        return cannotTell(QString(), recordSide.join(QStringLiteral(", ")),
                          QStringLiteral("the WPS names no filler metal for %1").arg(in.process));
    return everyValue(parts);
}

} // namespace

QList<QualifyCheck::Rule> shieldingRules()
{
    const QStringList gasShielded = {QStringLiteral("GMAW"), QStringLiteral("FCAW"), QStringLiteral("GTAW")};
    return {
        {QStringLiteral("QW-408.2"), QStringLiteral("Shielding gas"), gasShielded, false, gasRule},
        {QStringLiteral("QW-409.2"), QStringLiteral("Transfer mode"), {QStringLiteral("GMAW")}, false, transferRule},
        {QStringLiteral("QW-404.23"), QStringLiteral("Filler product form"), gasShielded, false, productFormRule},
    };
}

} // namespace Brenvik
