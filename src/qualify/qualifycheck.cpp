#include "qualify/qualifycheck.h"

#include "core/profilefile.h"
#include "document/formdescription.h"
#include "document/formdocument.h"
#include "qualify/ruleinput.h"

#include <QStringList>

#include <algorithm>

namespace Brenvik {

using namespace rulehelp;

namespace {

// ---------------------------------------------------------------------------------------
// QW-401: every process of the WPS was welded in a record; a word the rules do not know is
// "cannot tell".

struct Choice {
    const QualifyForm *record = nullptr;
    QList<Verdict> verdicts; // one per rule of the table, CannotTell where it does not apply
    QList<bool> applies;
    int exceeded = 0;
    int untold = 0;
};

bool inScope(const QualifyCheck::Rule &rule, const QString &process)
{
    return rule.processes.isEmpty() || rule.processes.contains(process);
}

QString joinedLabels(const QList<const QualifyForm *> &records)
{
    QStringList out;
    for (const QualifyForm *r : records)
        out << r->label();
    return out.join(QStringLiteral(", "));
}

// QW-200.4(b): a process qualified for its root layers only (on any thickness) needs another
// process of the WPS qualified for the whole base metal range by Table QW-451.1; when every
// process that holds leans on QW-200.4(b), none qualifies the rest of the thickness.
void rootLayersNeedTheRest(const QList<QualifyCheck::Rule> &rules, const QStringList &processes,
                           QHash<QString, Choice> *chosen)
{
    const auto at = std::find_if(rules.cbegin(), rules.cend(),
                                 [](const QualifyCheck::Rule &r) { return r.paragraph == QLatin1String("QW-403.8"); });
    if (at == rules.cend())
        return;
    const int i = int(at - rules.cbegin());
    const QString marker = QStringLiteral("QW-200.4(b)");
    QStringList byTable, rootOnly, untold;
    for (const QString &p : processes) {
        if (!chosen->contains(p) || !chosen->value(p).applies.at(i))
            continue;
        const Verdict &v = chosen->value(p).verdicts.at(i);
        if (v.outcome == Outcome::Holds)
            (v.details.startsWith(marker) ? rootOnly : byTable) << p;
        else if (v.outcome == Outcome::CannotTell)
            untold << p;
    }
    for (const QString &p : std::as_const(rootOnly)) {
        Choice &c = (*chosen)[p];
        Verdict &v = c.verdicts[i];
        if (!byTable.isEmpty()) {
            v.details += QStringLiteral("; the rest of the thickness by %1").arg(byTable.join(QStringLiteral(", ")));
            continue;
        }
        if (!untold.isEmpty()) {
            v.outcome = Outcome::CannotTell;
            ++c.untold;
            v.details += QStringLiteral("; cannot tell whether %1 qualifies the rest of the thickness")
                             .arg(untold.join(QStringLiteral(", ")));
            continue;
        }
        v.outcome = Outcome::Exceeds;
        ++c.exceeded;
        v.details += QStringLiteral("; but no other process of the WPS is qualified for the rest of the thickness by "
                                    "QW-451.1");
    }
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
    // A document of a form this program knows is read as its window reads it.
    if (const FormTable *table = FormTables::find(file.value(DocumentWalk::kSection, QStringLiteral("formType")))) {
        FormDocument document(*table);
        document.open(file, file.path(), nullptr, false);
        return QualifyForm(name, document.fieldTexts());
    }
    QHash<QString, QString> values;
    for (const auto &[key, value] : file.entries(QStringLiteral("contents")))
        values.insert(key, value);
    return QualifyForm(name, values);
}

QString QualifyForm::number() const
{
    const FormDescription *d = FormDescriptions::find(formType());
    return d && !d->numberKey.isEmpty() ? value(d->numberKey) : QString();
}

QString QualifyForm::label() const
{
    const QString n = number();
    return n.isEmpty() ? m_name : ValueReader::quote(n);
}

QString QualifyForm::processText() const
{
    const FormDescription *d = FormDescriptions::find(formType());
    if (!d)
        return QString();
    QStringList out;
    for (const QString &key : d->processKeys)
        if (!value(key).isEmpty())
            out << value(key);
    return out.join(QStringLiteral(" / "));
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
    static const QList<Rule> table = qualificationRules() + toughnessRules();
    return table;
}

QList<Verdict> QualifyCheck::run(const QualifyForm &wps, const QList<QualifyForm> &records, const CheckOptions &options)
{
    const TransformationTable &table = options.transformations ? *options.transformations : TransformationTable::shipped();
    const QString wpsText = wps.processText();
    const ProcessList wpsProcesses = ProcessNames::read(wpsText);
    const QList<Rule> &table2 = rules();
    QList<Verdict> out;

    // QW-401 and which records weld each process.
    Verdict process;
    process.paragraph = QStringLiteral("QW-401");
    process.subject = QStringLiteral("Welding process");
    QStringList recordTexts;
    QList<ProcessList> recordProcesses;
    for (const QualifyForm &r : records) {
        recordTexts << r.processText();
        recordProcesses << ProcessNames::read(r.processText());
    }
    process.wpsSide = ValueReader::quote(wpsText);
    process.recordSide = ValueReader::quote(recordTexts.join(QStringLiteral("; ")));
    // The processes the rules run for: those of the WPS, or one unnamed when it names none.
    QStringList processes = wpsProcesses.processes;
    QStringList said, missing, untold;
    QHash<QString, QList<const QualifyForm *>> candidates;
    for (const QString &p : processes) {
        for (int i = 0; i < records.size(); ++i)
            if (recordProcesses.at(i).processes.contains(p))
                candidates[p] << &records.at(i);
        if (!candidates.value(p).isEmpty()) {
            said << QStringLiteral("%1 by %2").arg(p, joinedLabels(candidates.value(p)));
            continue;
        }
        QString unknownInRecord;
        for (int i = 0; i < records.size(); ++i)
            if (!recordProcesses.at(i).unknown.isEmpty() && unknownInRecord.isEmpty())
                unknownInRecord = QStringLiteral("%1 names \"%2\", which the rules do not know")
                                      .arg(records.at(i).label(), ValueReader::quote(recordProcesses.at(i).unknown.join(QStringLiteral(", "))));
        if (!unknownInRecord.isEmpty())
            untold << QStringLiteral("%1: %2").arg(p, unknownInRecord);
        else
            missing << p;
    }
    if (wpsText.isEmpty()) {
        process.outcome = Outcome::CannotTell;
        const FormDescription *d = FormDescriptions::find(wps.formType());
        process.details = unreadable(d ? d->processKeys.join(QStringLiteral(", ")) : QStringLiteral("the process"), wpsText, theWps());
    } else if (!wpsProcesses.unknown.isEmpty() || processes.isEmpty()) {
        process.outcome = Outcome::CannotTell;
        QStringList parts;
        if (!wpsProcesses.unknown.isEmpty())
            parts << QStringLiteral("the WPS names \"%1\", which the rules do not know (write the code's name: SMAW, GMAW, "
                                    "GTAW ...)")
                         .arg(ValueReader::quote(wpsProcesses.unknown.join(QStringLiteral(", "))));
        parts << said;
        for (const QString &m : std::as_const(missing))
            parts << m + QStringLiteral(" in no record");
        process.details = parts.join(QStringLiteral("; "));
    } else if (!missing.isEmpty()) {
        process.outcome = Outcome::Exceeds;
        process.details = QStringLiteral("%1 in no record").arg(missing.join(QStringLiteral(", ")));
        if (!said.isEmpty())
            process.details += QStringLiteral("; ") + said.join(QStringLiteral("; "));
    } else if (!untold.isEmpty()) {
        process.outcome = Outcome::CannotTell;
        process.details = (untold + said).join(QStringLiteral("; "));
    } else {
        process.outcome = Outcome::Holds;
        process.details = QStringLiteral("%1 qualified: %2").arg(processes.join(QStringLiteral(", ")), said.join(QStringLiteral("; ")));
    }
    out << process;

    // A WPS that names no process the rules know is still read against each record as one.
    const bool unnamed = processes.isEmpty();
    if (unnamed) {
        processes << QString();
        for (const QualifyForm &r : records)
            candidates[QString()] << &r;
    }

    // Per process: each record that welded it, every rule; the record that holds on most.
    QHash<QString, Choice> chosen;
    QHash<QString, QList<Choice>> tried;
    for (const QString &p : std::as_const(processes)) {
        for (const QualifyForm *r : candidates.value(p)) {
            const int index = int(r - records.constData());
            RuleInput in{wps,
                         *r,
                         p,
                         options,
                         table,
                         wpsProcesses,
                         recordProcesses.at(index),
                         FormParts::wpsFillers(wps),
                         FormParts::recordFillers(*r),
                         FormParts::techniqueRows(wps)};
            const bool toughness = options.toughnessRequired || FormParts::hasToughness(*r);
            Choice c;
            c.record = r;
            for (const Rule &rule : table2) {
                const bool applies = (p.isEmpty() ? rule.processes.isEmpty() : inScope(rule, p)) && (!rule.toughness || toughness);
                c.applies << applies;
                c.verdicts << (applies ? rule.check(in) : Verdict());
                if (applies) {
                    c.exceeded += c.verdicts.last().outcome == Outcome::Exceeds;
                    c.untold += c.verdicts.last().outcome == Outcome::CannotTell;
                }
            }
            tried[p] << c;
            const Choice &best = chosen.value(p);
            if (!best.record || c.exceeded < best.exceeded || (c.exceeded == best.exceeded && c.untold < best.untold))
                chosen[p] = c;
        }
    }

    rootLayersNeedTheRest(table2, processes, &chosen);

    for (int i = 0; i < table2.size(); ++i) {
        const Rule &rule = table2.at(i);
        QList<QPair<QString, Verdict>> parts;
        for (const QString &p : std::as_const(processes)) {
            if (!chosen.contains(p))
                continue;
            const Choice &c = chosen.value(p);
            if (!c.applies.at(i))
                continue;
            Verdict v = c.verdicts.at(i);
            // A mix: another record holds this rule, but none holds every rule for the process.
            if (v.outcome != Outcome::Holds && (c.exceeded || c.untold)) {
                QStringList others;
                for (const Choice &o : tried.value(p))
                    if (o.record != c.record && o.applies.at(i) && o.verdicts.at(i).outcome == Outcome::Holds)
                        others << o.record->label();
                if (!others.isEmpty()) {
                    v.outcome = v.outcome == Outcome::CannotTell ? Outcome::CannotTell : Outcome::Exceeds;
                    v.details += QStringLiteral("; %1 holds this rule but not every rule for %2: records do not mix "
                                                "within one process (QW-200.4), so %3 stays the record behind it")
                                     .arg(others.join(QStringLiteral(", ")), p.isEmpty() ? QStringLiteral("the WPS") : p,
                                          c.record->label());
                }
            }
            parts.append({p.isEmpty() ? QString() : QStringLiteral("%1 (%2)").arg(p, c.record->label()), v});
        }
        if (parts.isEmpty()) {
            // No process the rule is for: left out, as are toughness rules where toughness does
            // not apply; without any record the rule cannot tell.
            const bool forSome = processes.isEmpty() || std::any_of(processes.cbegin(), processes.cend(), [&](const QString &p) {
                                     return p.isEmpty() ? rule.processes.isEmpty() : inScope(rule, p);
                                 });
            if (!forSome || rule.toughness)
                continue;
            Verdict v;
            v.outcome = Outcome::CannotTell;
            v.details = records.isEmpty() ? QStringLiteral("no record") : QStringLiteral("no record welds the process(es) of the WPS");
            v.paragraph = rule.paragraph;
            v.subject = rule.subject;
            out << v;
            continue;
        }
        Verdict v = parts.size() == 1 && parts.first().first.isEmpty() ? parts.first().second : everyValue(parts);
        if (parts.size() == 1 && !parts.first().first.isEmpty()) {
            v = parts.first().second;
            if (processes.size() > 1)
                v.details = parts.first().first + QStringLiteral(": ") + v.details;
        }
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
    return overall(verdicts) == Outcome::Exceeds;
}

Outcome QualifyCheck::overall(const QList<Verdict> &verdicts)
{
    Outcome out = Outcome::Holds;
    for (const Verdict &v : verdicts) {
        if (v.outcome == Outcome::Exceeds)
            return Outcome::Exceeds;
        if (v.outcome == Outcome::CannotTell)
            out = Outcome::CannotTell;
    }
    return out;
}

QStringList QualifyCheck::processes(const QString &text)
{
    return ProcessNames::read(text).processes;
}

} // namespace Brenvik
