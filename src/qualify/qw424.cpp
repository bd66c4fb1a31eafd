#include "qualify/qw424.h"

#include <QStringList>

namespace Brenvik {

namespace {

// QW-424.1, the rows that qualify more than the pair tested: test pair (either order) and the
// P-Nos each side of the joint may then be.
struct PairRow {
    const char *testA;
    const char *testB;
    QStringList sideA;
    QStringList sideB;
    const char *words;
};

const QList<PairRow> &pairRows()
{
    static const QList<PairRow> rows = {
        {"3", "3", {"3"}, {"3", "1"}, "QW-424.1: P-No. 3 with P-No. 3 qualifies P-No. 3 with P-No. 3 or P-No. 1"},
        {"4", "4", {"4"}, {"4", "3", "1"},
         "QW-424.1: P-No. 4 with P-No. 4 qualifies P-No. 4 with P-No. 4, P-No. 3 or P-No. 1"},
        {"5A", "5A", {"5A"}, {"5A", "4", "3", "1"},
         "QW-424.1: P-No. 5A with P-No. 5A qualifies P-No. 5A with P-No. 5A, P-No. 4, P-No. 3 or P-No. 1"},
        {"4", "3", {"4"}, {"3", "1"}, "QW-424.1: P-No. 4 with P-No. 3 or P-No. 1 qualifies P-No. 4 with P-No. 3 or P-No. 1"},
        {"4", "1", {"4"}, {"3", "1"}, "QW-424.1: P-No. 4 with P-No. 3 or P-No. 1 qualifies P-No. 4 with P-No. 3 or P-No. 1"},
        {"5A", "4", {"5A"}, {"4", "3", "1"},
         "QW-424.1: P-No. 5A with P-No. 4, P-No. 3 or P-No. 1 qualifies P-No. 5A with P-No. 4, P-No. 3 or P-No. 1"},
        {"5A", "3", {"5A"}, {"4", "3", "1"},
         "QW-424.1: P-No. 5A with P-No. 4, P-No. 3 or P-No. 1 qualifies P-No. 5A with P-No. 4, P-No. 3 or P-No. 1"},
        {"5A", "1", {"5A"}, {"4", "3", "1"},
         "QW-424.1: P-No. 5A with P-No. 4, P-No. 3 or P-No. 1 qualifies P-No. 5A with P-No. 4, P-No. 3 or P-No. 1"},
        {"15E", "15E", {"15E", "5B"}, {"15E", "5B"},
         "QW-424.1: P-No. 15E with P-No. 15E qualifies any P-No. 15E or 5B with any P-No. 15E or 5B"},
    };
    return rows;
}

bool sameTest(const BaseMetal &a, const BaseMetal &b, const char *x, const char *y)
{
    return (a.pNo == QLatin1String(x) && b.pNo == QLatin1String(y)) ||
           (a.pNo == QLatin1String(y) && b.pNo == QLatin1String(x));
}

bool onSides(const BaseMetal &c, const BaseMetal &d, const QStringList &sideA, const QStringList &sideB)
{
    return (sideA.contains(c.pNo) && sideB.contains(d.pNo)) || (sideA.contains(d.pNo) && sideB.contains(c.pNo));
}

// The same metal: the same P-No., or for unassigned metals the same specification.
bool sameMetal(const BaseMetal &x, const BaseMetal &y)
{
    return x.unassigned() ? y.unassigned() && !x.spec.isEmpty() && x.spec == y.spec : x.pNo == y.pNo;
}

} // namespace

QString BaseMetal::text() const
{
    return unassigned() ? QStringLiteral("unassigned %1").arg(spec) : QStringLiteral("P-No. %1").arg(pNo);
}

QString Qw424::qualifyingRow(const BaseMetal &a, const BaseMetal &b, const BaseMetal &c, const BaseMetal &d)
{
    if (!a.unassigned() && !b.unassigned() && !c.unassigned() && !d.unassigned())
        for (const PairRow &row : pairRows())
            if (sameTest(a, b, row.testA, row.testB) && onSides(c, d, row.sideA, row.sideB))
                return QLatin1String(row.words);
    const bool samePair = (sameMetal(a, c) && sameMetal(b, d)) || (sameMetal(a, d) && sameMetal(b, c));
    if (a.unassigned() != b.unassigned()) {
        // An unassigned metal with a P-No. X metal qualifies that metal with any P-No. X.
        const BaseMetal &u = a.unassigned() ? a : b;
        const BaseMetal &x = a.unassigned() ? b : a;
        if (samePair || (sameMetal(u, c) && d.pNo == x.pNo) || (sameMetal(u, d) && c.pNo == x.pNo))
            return QStringLiteral("QW-424.1: an unassigned metal with a P-No. %1 metal qualifies that metal with any "
                                  "P-No. %1 metal")
                .arg(x.pNo);
        return QString();
    }
    if (!samePair)
        return QString();
    if (a.unassigned())
        return sameMetal(a, b) ? QStringLiteral("QW-424.1: an unassigned metal with itself qualifies that metal with itself")
                               : QStringLiteral("QW-424.1: an unassigned metal with another qualifies that pair only");
    return a.pNo == b.pNo ? QStringLiteral("QW-424.1: a P-No. with itself qualifies that P-No. with itself")
                          : QStringLiteral("QW-424.1: P-No. X with P-No. Y qualifies any P-No. X with any P-No. Y");
}

} // namespace Brenvik
