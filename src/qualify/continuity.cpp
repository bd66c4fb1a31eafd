#include "qualify/continuity.h"

#include "core/dates.h"
#include "qualify/qualifycheck.h"

namespace Brenvik {

QDate Continuity::expiry(const QDate &lastUse)
{
    return lastUse.isValid() ? lastUse.addMonths(kMonths) : QDate();
}

ContinuityState Continuity::state(const QDate &expiry, const QDate &on, bool revoked)
{
    if (revoked)
        return ContinuityState::Revoked;
    if (!expiry.isValid() || !on.isValid())
        return ContinuityState::Unknown;
    if (on >= expiry)
        return ContinuityState::Lapsed;
    return on.daysTo(expiry) <= kExpiringDays ? ContinuityState::Expiring : ContinuityState::Current;
}

QList<ProcessContinuity> Continuity::evaluate(const QStringList &processes, const QDate &testDate,
                                              const QList<ContinuityUse> &uses, bool revoked, const QDate &on)
{
    QList<ProcessContinuity> out;
    for (const QString &process : processes) {
        ProcessContinuity p;
        p.process = process;
        if (testDate.isValid() && testDate <= on)
            p.lastUse = testDate;
        for (const ContinuityUse &use : uses) {
            if (!use.date.isValid() || use.date > on)
                continue;
            if (!QualifyCheck::processes(use.process).contains(process))
                continue;
            if (!p.lastUse.isValid() || use.date > p.lastUse)
                p.lastUse = use.date;
        }
        p.expiry = expiry(p.lastUse);
        p.state = state(p.expiry, on, revoked);
        out << p;
    }
    return out;
}

QString Continuity::stateWord(ContinuityState state)
{
    switch (state) {
    case ContinuityState::Current: return QStringLiteral("current");
    case ContinuityState::Expiring: return QStringLiteral("expiring");
    case ContinuityState::Lapsed: return QStringLiteral("lapsed");
    case ContinuityState::Revoked: return QStringLiteral("revoked");
    case ContinuityState::Unknown: break;
    }
    return QStringLiteral("cannot tell");
}

QDate Continuity::parseDate(const QString &text)
{
    const QString t = text.trimmed();
    const QDate iso = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    return iso.isValid() ? iso : parseFileDate(t);
}

} // namespace Brenvik
