#pragma once
// Dates as document files and printed reports carry them. Files always hold "MM/dd/yyyy"
// with "/", whatever the regional settings say, so a file reads back on any machine.

#include <QDate>
#include <QString>

namespace Brenvik {

// "MM/dd/yyyy", for example 07/12/2026; a null date gives the empty string.
QString formatFileDate(const QDate &date);
// Month, day, year in that order, separated by "/", "." or "-" (one kind in one text);
// anything else, an impossible date included, gives a null QDate.
QDate parseFileDate(const QString &text);
// "d MMM yyyy" with the system locale's abbreviated month names, for example 7 Dec 2026.
QString formatReportDate(const QDate &date);

} // namespace Brenvik
