#pragma once
// A new WPS from a qualification record: the fields the record carries over (its number as the
// supporting record, a proposed WPS number, company, process, base metal, fillers, gases,
// position and progression, electrical and technique entries, one technique row per process
// with its amperes and volts) and the ranges it qualifies by Table QW-451.1, written in the
// unit of the record's coupon thickness. A starting point the engineer edits: the position,
// for one, is no essential variable of a procedure.

#include "qualify/qualifycheck.h"

#include <QList>
#include <QPair>
#include <QString>

namespace Brenvik {

class WpsFromRecord {
public:
    // WPS field names and their values; check boxes and radio buttons as "true" / "false",
    // technique rows as "ETGrid_<row>" with the cells joined by the grid's bar. A range the
    // record's thicknesses do not give is left out.
    static QList<QPair<QString, QString>> fields(const QualifyForm &record);
    // The WPS number proposed: the WPS the record names without its revision ("WPS-118 Rev.
    // 0" gives "WPS-118"), else its own number with PQR turned into WPS.
    static QString proposedNumber(const QualifyForm &record);
};

} // namespace Brenvik
