#pragma once
// Who may weld a WPS: one welder's qualification (a WPQ) against the variables of a WPS, a
// table of rules each with its code paragraph. Each says holds, exceeds, lapsed (the process
// has lapsed under QW-322 or the qualification is revoked) or cannot tell. The welder's ranges
// are computed from the actual values of the WPQ; a range field the user wrote differently by
// hand is "cannot tell", naming it, never read as if it were the computed one.

#include "qualify/welderrecord.h"

#include <QDate>
#include <QList>
#include <QString>

namespace Brenvik {

enum class WelderOutcome { Holds, Exceeds, Lapsed, CannotTell };

struct WelderVerdict {
    QString paragraph;
    QString subject;
    WelderOutcome outcome = WelderOutcome::CannotTell;
    QString wpsSide;
    QString welderSide;
    QString details;

    // "<paragraph> <subject>: <holds|exceeds|lapsed|cannot tell> (<details>)"
    QString line() const;
};

class WelderFit {
public:
    struct Rule {
        QString paragraph;
        QString subject;
        QList<WelderVerdict> (*check)(const QualifyForm &wps, const WelderRecord &welder, const QDate &on);
    };
    static const QList<Rule> &rules();
    // Every rule in table order (a rule may give a line per process or filler).
    static QList<WelderVerdict> run(const QualifyForm &wps, const WelderRecord &welder, const QDate &on);
    // Qualified: every line holds.
    static bool qualified(const QList<WelderVerdict> &verdicts);
    // The worst outcome of the lines: lapsed, exceeds, cannot tell, holds.
    static WelderOutcome overall(const QList<WelderVerdict> &verdicts);
    static QString outcomeWord(WelderOutcome outcome);
};

} // namespace Brenvik
