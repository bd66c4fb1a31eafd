#pragma once
// The qualification records a WPS names: the WPQR files of a folder whose PQR No. is one of
// the numbers in the WPS's "Supporting PQR No.(s)" ("PQR-118", "PQR-118, PQR-121").

#include <QString>
#include <QStringList>

namespace Brenvik {

class RecordFinder {
public:
    // The numbers a "Supporting PQR No.(s)" text lists, in its order.
    static QStringList numbers(const QString &text);
    // Full paths of the matching WPQR files in folder, sorted by name.
    static QStringList proposals(const QString &folder, const QString &pqrNumbers);
};

} // namespace Brenvik
