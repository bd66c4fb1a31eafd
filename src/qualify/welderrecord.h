#pragma once
// A welder's performance qualification as the continuity and the "who may weld this WPS"
// rules read it: the stored values of one WPQ document (any key, any case) with its test
// date, processes, continuity rows and revocation. Plain values: made from a file's keys or
// from a window's fields alike.

#include "qualify/continuity.h"
#include "qualify/qualifycheck.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class WelderRecord {
public:
    WelderRecord() = default;
    explicit WelderRecord(const QualifyForm &values);

    const QualifyForm &values() const { return m_values; }
    QString name() const;
    QString id() const;
    QDate testDate() const { return m_testDate; }
    // The processes tested (process 1, then 2), upper case, known words only.
    QStringList processes() const { return m_processes; }
    QList<ContinuityUse> uses() const { return m_uses; }
    bool revoked() const;
    QString revokedReason() const;
    // One line per process tested, as of day `on`.
    QList<ProcessContinuity> continuity(const QDate &on) const;
    // Which of the two process columns tested `process` (1 or 2); 0 when neither.
    int processColumn(const QString &process) const;

    // The continuity rows of a grid stored as continuity_1 ... (row 0 holds the titles): the
    // cells of each filled row; an empty row ends nothing (rows may be emptied in between).
    static QList<ContinuityUse> readUses(const QualifyForm &values);

private:
    QualifyForm m_values;
    QDate m_testDate;
    QStringList m_processes;
    QList<ContinuityUse> m_uses;
};

} // namespace Brenvik
