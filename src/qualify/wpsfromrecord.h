#pragma once
// A new WPS from a qualification record: the fields the record carries over (its number,
// company, process, base metal, fillers, gases, electrical and technique entries) and the
// ranges it qualifies by Table QW-451.1, written in the unit of the record's coupon thickness.

#include "qualify/qualifycheck.h"

#include <QList>
#include <QPair>
#include <QString>

namespace Brenvik {

class WpsFromRecord {
public:
    // WPS field names and their values; check boxes and radio buttons as "true" / "false".
    // A range the record's thicknesses do not give is left out.
    static QList<QPair<QString, QString>> fields(const QualifyForm &record);
};

} // namespace Brenvik
