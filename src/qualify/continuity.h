#pragma once
// QW-322 continuity: a welder's qualification for a process expires when he has not welded
// with it for six months. The test date counts as a use of each process tested, every row of
// the WPQ's continuity grid as a use of its process. The expiry is six calendar months after
// the last use (the qualification has lapsed from that day, so it is valid through the day
// before); within 30 days of it the qualification is expiring. A revoked qualification is
// revoked whatever the dates say.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

enum class ContinuityState { Current, Expiring, Lapsed, Revoked, Unknown };

struct ContinuityUse {
    QDate date;
    QString process;   // as typed ("GTAW")
    QString reference; // the job or WPS
    QString recordedBy;
};

struct ProcessContinuity {
    QString process;
    QDate lastUse;     // null when no use on or before the day asked about
    QDate expiry;      // the first day the qualification is lapsed
    ContinuityState state = ContinuityState::Unknown;

    QDate validThrough() const { return expiry.isValid() ? expiry.addDays(-1) : QDate(); }
};

class Continuity {
public:
    static constexpr int kMonths = 6;
    static constexpr int kExpiringDays = 30;

    // Six calendar months after lastUse (31 August gives the last day of February).
    static QDate expiry(const QDate &lastUse);
    // The state on day `on` of a qualification expiring on `expiry`.
    static ContinuityState state(const QDate &expiry, const QDate &on, bool revoked);
    // Per process tested, in that order: uses after `on` do not count, nor uses of another
    // process. A process whose last use cannot be found is Unknown (or Revoked).
    static QList<ProcessContinuity> evaluate(const QStringList &processes, const QDate &testDate,
                                             const QList<ContinuityUse> &uses, bool revoked, const QDate &on);
    // "current", "expiring", "lapsed", "revoked", "cannot tell".
    static QString stateWord(ContinuityState state);
    // A date as the grid and the command line carry it: yyyy-MM-dd, or MM/dd/yyyy as the
    // document's date fields store it; null when it is neither.
    static QDate parseDate(const QString &text);
};

} // namespace Brenvik
