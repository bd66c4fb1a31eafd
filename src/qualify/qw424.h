#pragma once
// QW-424.1: the base metals a procedure qualification's pair of base metals qualifies. Each
// row is a test pair and the pairs it qualifies, with the row's words for the details.

#include <QString>

namespace Brenvik {

// One base metal as a document names it: its P-No. ("1", "5A", "15E"; empty when the
// specification has none) and, for an unassigned metal, its specification.
struct BaseMetal {
    QString pNo;
    QString group; // "1 Gr. 2": "2"
    QString spec;  // specification and grade, upper case, blanks closed up
    bool unassigned() const { return pNo.isEmpty(); }
    QString text() const;
};

class Qw424 {
public:
    // The row of QW-424.1 by which the record's pair (a, b) qualifies the WPS's pair (c, d),
    // in either order of each; empty when no row does.
    static QString qualifyingRow(const BaseMetal &a, const BaseMetal &b, const BaseMetal &c, const BaseMetal &d);
};

} // namespace Brenvik
