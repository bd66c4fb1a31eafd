#pragma once
// Table QW-451.1: the base metal thickness and the deposited weld metal thickness a groove
// weld test coupon qualifies. The code gives its bounds in both columns (1/16 in and 1.5 mm,
// 3/8 in and 10 mm ...); they are compared in the unit the coupon thickness was written in,
// so a 10 mm coupon falls in "1.5 to 10 mm inclusive", never in "over 3/8 in".

#include "qualify/valuereader.h"

#include <QString>
#include <QStringList>

namespace Brenvik {

// One end of a qualified range. A fixed bound of the table also has its twin in the other
// column, so "3/16 in" on a WPS meets "5 mm" from a metric record.
struct QualifiedBound {
    double value = 0;
    bool fixed = false;
    double twin = 0; // in the other unit, when fixed
};

struct QualifiedRange {
    Unit unit = Unit::Mm;
    QualifiedBound min;
    QualifiedBound max;
    QString row; // the table row or rule that gave it, for the details
};

class Qw451 {
public:
    // The processes with the 8 in (200 mm) limit for thick coupons.
    static bool hasEightInchLimit(const QStringList &processes);
    // thickness is T in unit (Unit::Mm or Unit::Inch).
    static QualifiedRange baseMetal(double thickness, Unit unit, bool eightInchLimit);
    // deposit is t and thickness T, both in unit; the range runs from zero.
    static QualifiedRange deposit(double deposit, double thickness, Unit unit, bool eightInchLimit);
    // A range written as a WPS field: "1.5 mm to 22.2 mm", "3/16 in to 8 in", "8 mm max.".
    static QString text(const QualifiedRange &range);
    static QString boundText(const QualifiedBound &bound, Unit unit);
};

} // namespace Brenvik
