#pragma once
// What one rule reads for one process of the WPS and one record, and the helpers the rule
// files share (qualifyrules.cpp, toughnessrules.cpp). Private to src/qualify.

#include "qualify/formparts.h"
#include "qualify/pwht.h"
#include "qualify/qualifycheck.h"
#include "qualify/qw424.h"

#include <algorithm>
#include <cmath>

namespace Brenvik {

struct RuleInput {
    const QualifyForm &wps;
    const QualifyForm &record;
    QString process; // empty: the WPS names no process the rules know
    const CheckOptions &options;
    const TransformationTable &table;
    ProcessList wpsProcesses;
    ProcessList recordProcesses;
    QList<FillerColumn> wpsFillers;
    QList<FillerColumn> recordFillers;
    QList<TechniqueRow> rows;

    // The WPS's filler columns of this process, and those whose process cannot be told.
    QList<FillerColumn> wpsFillersHere() const;
    QList<FillerColumn> recordFillersHere() const;
    QList<TechniqueRow> rowsHere() const;
    // Whether the record's coupon was welded short-circuiting in this process (its process,
    // electrical or technique text says so), or the WPS's GMAW mode is.
    bool recordShortCircuit() const;
    bool wpsShortCircuit() const;
    // The record's PWHT exceeded the upper transformation temperature (or an austenitic record
    // was solution annealed): QW-407.4, and the toughness rules QW-401.1 sets aside.
    bool recordAboveUpper(QString *why = nullptr) const;
};

namespace rulehelp {

inline bool atMost(double a, double b) { return a <= b + 1e-9 * std::max(1.0, std::abs(b)); }
inline bool atLeast(double a, double b) { return a + 1e-9 * std::max(1.0, std::abs(b)) >= b; }

inline QString quoted(const QString &key, const QString &text)
{
    return QStringLiteral("%1 \"%2\"").arg(key, ValueReader::quote(text));
}

// "cannot read thTestCoupon "about 11" of PQR-118"; an empty field is "cannot tell" too.
inline QString unreadable(const QString &key, const QString &text, const QString &whose)
{
    if (text.isEmpty())
        return QStringLiteral("%1 of %2 is empty").arg(key, whose);
    return QStringLiteral("cannot read %1 of %2").arg(quoted(key, text), whose);
}

inline const QString &theWps()
{
    static const QString s = QStringLiteral("the WPS");
    return s;
}

inline Verdict make(Outcome outcome, const QString &wpsSide, const QString &recordSide, const QString &details)
{
    Verdict v;
    v.outcome = outcome;
    v.wpsSide = ValueReader::quote(wpsSide);
    v.recordSide = ValueReader::quote(recordSide);
    v.details = details;
    return v;
}

inline Verdict holds(const QString &wpsSide, const QString &recordSide, const QString &details)
{
    return make(Outcome::Holds, wpsSide, recordSide, details);
}
inline Verdict exceeds(const QString &wpsSide, const QString &recordSide, const QString &details)
{
    return make(Outcome::Exceeds, wpsSide, recordSide, details);
}
inline Verdict cannotTell(const QString &wpsSide, const QString &recordSide, const QString &details)
{
    return make(Outcome::CannotTell, wpsSide, recordSide, details);
}

// Several values of one rule (the fillers of a process): the worst verdict decides, the
// sides and details of all are listed.
Verdict everyValue(const QList<QPair<QString, Verdict>> &parts);

inline QString valueText(double value, Unit unit)
{
    return ValueReader::number(value) + QLatin1Char(' ') + ValueReader::unitText(unit);
}

// A list of lengths: "3.2 and 4.0 mm", "2.4, 3.2 mm"; the thickest, in mm; negative when
// it cannot be read.
double thickestLength(const QString &text, Unit bareUnit);

} // namespace rulehelp

// The rule tables of the two files, in the order they are listed.
QList<QualifyCheck::Rule> qualificationRules();
// The gas, transfer-mode and product-form rows, the last of qualificationRules.
QList<QualifyCheck::Rule> shieldingRules();
QList<QualifyCheck::Rule> toughnessRules();

} // namespace Brenvik
