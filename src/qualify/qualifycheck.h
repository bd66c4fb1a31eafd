#pragma once
// A WPS checked against the qualification records (WPQR) that support it: a table of rules,
// each with its code paragraph, run over the stored values of one WPS and one or more
// records. Each rule says holds, exceeds or cannot tell, with the numbers of both sides. A
// value the rules cannot read gives "cannot tell" naming the field and its text, never a
// verdict guessed from it.
//
// Several records support a WPS only as QW-200.4 allows: each process of the WPS is qualified
// by one record that holds on every rule for that process. The rules run per process of the
// WPS against each record that welded that process; the record that holds on the most rules
// is the one named behind each line, and a rule that only another record holds is still
// exceeded there, naming both.

#include "qualify/valuereader.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class ProfileFile;
class TransformationTable;

// One document as the rules read it: its stored values by key (any case) and its unit
// switches, which give bare numbers their unit.
class QualifyForm {
public:
    QualifyForm() = default;
    // name names the document in the details when it has no number of its own.
    QualifyForm(const QString &name, const QHash<QString, QString> &values);
    static QualifyForm fromProfile(const ProfileFile &file, const QString &name);

    QString value(const QString &key) const { return m_values.value(key.toLower()).trimmed(); }
    QString formType() const { return value(QStringLiteral("formType")); }
    // The document's number (the key its form description names), else the name it was given.
    QString label() const;
    QString number() const;
    // The welding process text(s), by the keys of the form description.
    QString processText() const;
    // The tensile "Metric"/"Imperial" switch and the "°C"/"°F" switch.
    Unit lengthUnit() const;
    Unit temperatureUnit() const;

private:
    QString m_name;
    QHash<QString, QString> m_values; // folded keys
};

enum class Outcome { Holds, Exceeds, CannotTell };

struct Verdict {
    QString paragraph;
    QString subject;
    Outcome outcome = Outcome::CannotTell;
    QString wpsSide;
    QString recordSide;
    QString details;

    // "<paragraph> <subject>: <holds|exceeds|cannot tell> (<details>)"
    QString line() const;
};

struct CheckOptions {
    // The work requires toughness (the dialog's box, --toughness): the supplementary
    // essential variables apply whatever the records carry.
    bool toughnessRequired = false;
    // nullptr: transformation.dat of the data folder.
    const TransformationTable *transformations = nullptr;
};

struct RuleInput;

class QualifyCheck {
public:
    struct Rule {
        QString paragraph;
        QString subject;
        // The processes the rule is for; empty: every process.
        QStringList processes;
        // A supplementary essential variable: applies only where toughness does.
        bool toughness = false;
        Verdict (*check)(const RuleInput &in);
    };

    // The rules after QW-401 (the process line, which is over all records at once).
    static const QList<Rule> &rules();
    // A line per rule that applies, in table order: QW-401 first.
    static QList<Verdict> run(const QualifyForm &wps, const QList<QualifyForm> &records,
                              const CheckOptions &options = {});
    static QString outcomeWord(Outcome outcome);
    static bool anyExceeds(const QList<Verdict> &verdicts);
    // Exceeds when any rule does, else cannot tell when any rule does, else holds.
    static Outcome overall(const QList<Verdict> &verdicts);
    // The welding processes a text names ("GTAW / SMAW"), in the code's words; unknown words
    // are left out (ProcessNames::read keeps them).
    static QStringList processes(const QString &text);
};

} // namespace Brenvik
