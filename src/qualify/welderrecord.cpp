#include "qualify/welderrecord.h"

#include "core/dates.h"
#include "core/texthelpers.h"
#include "qualify/wpqkeys.h"

namespace Brenvik {

using namespace WpqKeys;

namespace {

QString cell(const QString &row, int n)
{
    const QString field = getField(row, n).trimmed();
    return field == QLatin1String("_") ? QString() : field;
}

} // namespace

WelderRecord::WelderRecord(const QualifyForm &values)
    : m_values(values)
{
    m_testDate = parseFileDate(values.value(kTestDate));
    for (int n = 1; n <= 2; ++n)
        for (const QString &p : QualifyCheck::processes(values.value(numbered(kProcess, n))))
            if (!m_processes.contains(p))
                m_processes << p;
    m_uses = readUses(values);
}

QList<ContinuityUse> WelderRecord::readUses(const QualifyForm &values)
{
    QList<ContinuityUse> out;
    for (int r = 1; r <= kContinuityRows; ++r) {
        const QString row = values.value(continuityRowKey(r));
        if (row.isEmpty())
            continue;
        ContinuityUse use;
        use.date = Continuity::parseDate(cell(row, 1));
        use.process = cell(row, 2);
        use.reference = cell(row, 3);
        use.recordedBy = cell(row, 4);
        if (use.date.isValid() || !use.process.isEmpty())
            out << use;
    }
    return out;
}

QString WelderRecord::name() const
{
    return m_values.value(kWelderName);
}

QString WelderRecord::id() const
{
    return m_values.value(kWelderId);
}

bool WelderRecord::revoked() const
{
    return m_values.value(kRevoked) == QLatin1String("true");
}

QString WelderRecord::revokedReason() const
{
    return m_values.value(kRevokedReason);
}

QList<ProcessContinuity> WelderRecord::continuity(const QDate &on) const
{
    return Continuity::evaluate(m_processes, m_testDate, m_uses, revoked(), on);
}

int WelderRecord::processColumn(const QString &process) const
{
    for (int n = 1; n <= 2; ++n)
        if (QualifyCheck::processes(m_values.value(numbered(kProcess, n))).contains(process))
            return n;
    return 0;
}

} // namespace Brenvik
