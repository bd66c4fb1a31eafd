#pragma once
// A WPS checked against the qualification records (WPQR) that support it: a table of rules,
// each with its code paragraph, run over the stored values of one WPS and one or more
// records. Each rule says holds, exceeds or cannot tell, with the numbers of both sides. A
// value the rules cannot read gives "cannot tell" naming the field and its text, never a
// verdict guessed from it. With several records, a value holds when one of them qualifies it
// (combinations of records are not claimed).

#include "qualify/valuereader.h"

#include <QHash>
#include <QList>
#include <QString>

namespace Brenvik {

class ProfileFile;

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
    // The record's number, else the name it was given.
    QString label() const;
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

class QualifyCheck {
public:
    struct Rule {
        QString paragraph;
        QString subject;
        Verdict (*check)(const QualifyForm &wps, const QList<QualifyForm> &records);
    };

    static const QList<Rule> &rules();
    // Every rule, in table order.
    static QList<Verdict> run(const QualifyForm &wps, const QList<QualifyForm> &records);
    static QString outcomeWord(Outcome outcome);
    static bool anyExceeds(const QList<Verdict> &verdicts);
    // The welding processes a text names ("GTAW / SMAW"), in upper case; unknown words are
    // left out.
    static QStringList processes(const QString &text);
};

} // namespace Brenvik
