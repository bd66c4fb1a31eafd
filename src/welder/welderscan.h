#pragma once
// The welders of a shop: every WPQ document below a folder (subfolders included), found
// through the document register's scan and read as welder records. Places the scan could not
// reach and WPQ files that cannot be read are listed as problems, never skipped in silence.

#include "qualify/welderrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

struct WelderFile {
    QString path;         // absolute
    QString relativePath; // below the folder
    WelderRecord record;
};

class WelderScan {
public:
    // False (with *error) when folder itself cannot be read.
    static bool scan(const QString &folder, QList<WelderFile> *welders, QStringList *problems, QString *error);
    // One WPQ file; false (with *error) when it cannot be read or is no WPQ.
    static bool read(const QString &path, WelderRecord *record, QString *error);
};

} // namespace Brenvik
