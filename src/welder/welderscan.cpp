#include "welder/welderscan.h"

#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "qualify/wpqkeys.h"
#include "register/registerscan.h"

#include <QFileInfo>

namespace Brenvik {

namespace {

// An empty value, or a grid row of empty cells ("_" and separators only).
bool isBlankRow(const QString &value)
{
    for (const QChar c : value)
        if (c != QLatin1Char('_') && c != kCellSeparator && !c.isSpace())
            return false;
    return true;
}

} // namespace

bool WelderScan::read(const QString &path, WelderRecord *record, QString *error)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load()) {
        *error = QStringLiteral("cannot open %1: the file cannot be read").arg(path);
        return false;
    }
    // Only the keys that hold something: a shop's thousand welders keep their empty rows and
    // fields out of memory.
    QHash<QString, QString> filled;
    for (const auto &[key, value] : file.entries(QStringLiteral("contents")))
        if (!isBlankRow(value))
            filled.insert(key, value);
    const QualifyForm values(QFileInfo(path).fileName(), filled);
    if (values.formType() != WpqKeys::welderRecordType()) {
        *error = QStringLiteral("%1 is not a welder qualification (WPQ): its form type is \"%2\"")
                     .arg(path, values.formType());
        return false;
    }
    *record = WelderRecord(values);
    return true;
}

bool WelderScan::scan(const QString &folder, QList<WelderFile> *welders, QStringList *problems, QString *error)
{
    RegisterScan scan;
    QList<RegisterEntry> entries;
    if (!scan.scan(folder, &entries)) {
        const QFileInfo info(folder);
        *error = QStringLiteral("cannot read the folder %1%2")
                     .arg(folder, !info.exists() ? QStringLiteral(": no such folder")
                                  : !info.isDir() ? QStringLiteral(": it is a file, not a folder")
                                                  : QString());
        return false;
    }
    for (const RegisterEntry &entry : entries) {
        if (entry.unreached) {
            problems->append(QStringLiteral("%1: %2").arg(entry.relativePath, entry.problem));
            continue;
        }
        if (entry.formType() != WpqKeys::welderRecordType())
            continue;
        WelderFile welder;
        welder.path = entry.path;
        welder.relativePath = entry.relativePath;
        QString problem;
        if (!read(entry.path, &welder.record, &problem)) {
            problems->append(problem);
            continue;
        }
        welders->append(welder);
    }
    return true;
}

} // namespace Brenvik
