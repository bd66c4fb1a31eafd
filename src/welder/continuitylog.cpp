#include "welder/continuitylog.h"

#include "core/profilefile.h"
#include "document/documentwalk.h"
#include "qualify/welderrecord.h"
#include "qualify/wpqkeys.h"

#include <QFileInfo>

namespace Brenvik {

using namespace WpqKeys;

bool ContinuityLog::append(const QString &path, const ContinuityUse &use, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("cannot open %1: not a regular file").arg(path);
        return false;
    }
    try {
        ProfileFile::update(
            path,
            [&](ProfileFile &file) {
                // Read again under the lock: another writer may have added a row meanwhile.
                const QualifyForm values = QualifyForm::fromProfile(file, QFileInfo(path).fileName());
                if (values.formType() != welderRecordType())
                    throw FileError(QStringLiteral("%1 is not a welder qualification (WPQ)").arg(path));
                const WelderRecord record(values);
                const QStringList processes = QualifyCheck::processes(use.process);
                if (processes.size() != 1 || !record.processes().contains(processes.first()))
                    throw FileError(QStringLiteral("%1 (%2) was not tested in \"%3\": the qualification covers %4")
                                        .arg(record.name(), record.id(), use.process,
                                             record.processes().join(QStringLiteral(", "))));
                const QString row = DocumentWalk::encodeRow(
                    {use.date.toString(Qt::ISODate), processes.first(), use.reference, use.recordedBy}, 0);
                const QString emptyRow = DocumentWalk::encodeRow(QStringList(kContinuityColumns, QString()), 0);
                for (int r = 1; r <= kContinuityRows; ++r) {
                    const QString stored = values.value(continuityRowKey(r));
                    if (stored.isEmpty() || stored == emptyRow) {
                        file.setValue(DocumentWalk::kSection, continuityRowKey(r), row);
                        return;
                    }
                }
                throw FileError(QStringLiteral("the continuity grid of %1 is full (%2 rows): start a new WPQ page")
                                    .arg(path)
                                    .arg(kContinuityRows));
            },
            ProfileFile::Kind::Document);
    } catch (const FileError &e) {
        *error = e.message();
        return false;
    }
    return true;
}

} // namespace Brenvik
