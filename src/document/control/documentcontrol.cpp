#include "document/control/documentcontrol.h"

#include "core/atomicfile.h"
#include "core/dates.h"
#include "core/profilefile.h"
#include "core/writetarget.h"
#include "document/formdescription.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Brenvik {

namespace DocumentControl {

namespace {

const QString kContents = QStringLiteral("contents");

// Loads a document whose status is to change; the reason when it cannot be.
QString loadDocument(ProfileFile &file)
{
    if (!file.load())
        return QStringLiteral("Cannot read %1").arg(QDir::toNativeSeparators(file.path()));
    if (!file.hasSection(kContents))
        return QStringLiteral("%1 is not a welding document").arg(QDir::toNativeSeparators(file.path()));
    return QString();
}

QString commit(ProfileFile &file)
{
    try {
        file.commit();
    } catch (const FileError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

QString signatureFileOf(const QString &documentPath)
{
    const QFileInfo info(documentPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_sig.png"));
}

QString approve(const QString &path, const Approval &approval)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (QString problem = loadDocument(file); !problem.isEmpty())
        return problem;
    ControlRecord record = ControlRecord::read(file);
    if (record.isControlled())
        return QStringLiteral("%1 is already %2; withdraw the approval first")
            .arg(QFileInfo(path).fileName(), ControlRecord::statusWord(record.status).toLower());
    if (approval.approvedBy.trimmed().isEmpty() || !approval.approvedDate.isValid())
        return QStringLiteral("An approval needs the approver's name and the date");
    record.present = true;
    record.status = ControlStatus::Approved;
    record.approvedBy = approval.approvedBy.trimmed();
    record.approvedDate = approval.approvedDate;
    if (!approval.preparedBy.trimmed().isEmpty()) {
        record.preparedBy = approval.preparedBy.trimmed();
        record.preparedDate = approval.preparedDate;
    }
    if (!approval.reviewedBy.trimmed().isEmpty()) {
        record.reviewedBy = approval.reviewedBy.trimmed();
        record.reviewedDate = approval.reviewedDate;
    }
    record.supersededBy.clear();
    record.digest = controlDigest(file, pictureBytesOf(path));
    record.write(file);
    // The signature first: a stop between the two leaves a picture beside a draft, never an
    // approved document without the signature it was approved with.
    QString error;
    if (!approval.signaturePng.isEmpty()
        && !writeFileAtomically(signatureFileOf(path), approval.signaturePng, &error))
        return error;
    return commit(file);
}

QString approveRevision(const QString &path, const Approval &approval,
                        const std::function<bool(const QString &earlierName)> &ask, QString *note)
{
    note->clear();
    if (QString error = approve(path, approval); !error.isEmpty())
        return error;
    ProfileFile file(path, ProfileFile::Kind::Document);
    file.load();
    const QString earlier = supersededPath(path, ControlRecord::read(file));
    if (earlier.isEmpty())
        return QString();
    const QString name = QFileInfo(earlier).fileName();
    if (!QFileInfo(earlier).isFile()) {
        *note = QStringLiteral("The earlier revision %1 was not found beside this one; it is left as it is.").arg(name);
        return QString();
    }
    if (!ask(name)) {
        *note = QStringLiteral("%1 is left as it was.").arg(name);
        return QString();
    }
    const QString error = supersede(earlier, path);
    *note = error.isEmpty() ? QStringLiteral("%1 is now superseded by %2.").arg(name, QFileInfo(path).fileName())
                            : QStringLiteral("%1 was not marked superseded: %2").arg(name, error);
    return QString();
}

QString withdraw(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (QString problem = loadDocument(file); !problem.isEmpty())
        return problem;
    ControlRecord record = ControlRecord::read(file);
    if (!record.isControlled())
        return QStringLiteral("%1 is not approved").arg(QFileInfo(path).fileName());
    record.status = ControlStatus::Draft;
    record.approvedBy.clear();
    record.approvedDate = QDate();
    record.digest.clear();
    record.supersededBy.clear();
    record.write(file);
    if (QString error = commit(file); !error.isEmpty())
        return error;
    // The signature belonged to the approval; the document no longer carries it.
    QFile::remove(signatureFileOf(path));
    return QString();
}

QString supersede(const QString &earlierPath, const QString &laterPath)
{
    ProfileFile file(earlierPath, ProfileFile::Kind::Document);
    if (QString problem = loadDocument(file); !problem.isEmpty())
        return problem;
    ControlRecord record = ControlRecord::read(file);
    const QString later = QFileInfo(laterPath).fileName();
    if (record.status == ControlStatus::Superseded && record.supersededBy.compare(later, Qt::CaseInsensitive) != 0)
        return QStringLiteral("%1 is already superseded by %2").arg(QFileInfo(earlierPath).fileName(), record.supersededBy);
    record.present = true;
    record.status = ControlStatus::Superseded;
    record.supersededBy = later;
    // Only status keys change: the digest of an approved earlier revision still holds. One that
    // was never approved has none: it is taken now, or the earlier file would read as changed
    // outside Brenvik after an approval it never had.
    if (record.digest.isEmpty())
        record.digest = controlDigest(file, pictureBytesOf(earlierPath));
    record.write(file);
    return commit(file);
}

QString nextRevision(const QString &current)
{
    const QString text = current.trimmed();
    if (text.isEmpty())
        return QStringLiteral("1");
    static const QRegularExpression whole(QStringLiteral("^\\d{1,9}$"));
    if (!whole.match(text).hasMatch())
        return QString();
    return QString::number(text.toLongLong() + 1);
}

QString revisionFileName(const QString &path, const QString &number, const QString &revision)
{
    const QFileInfo info(path);
    QString stem = number.trimmed();
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    stem.replace(unsafe, QStringLiteral("-"));
    // A revision the user typed ("B/1") names no folder either.
    const QString rev = revision.trimmed().replace(unsafe, QStringLiteral("-"));
    if (stem.isEmpty() || stem.startsWith(QLatin1Char('.'))) {
        static const QRegularExpression revEnding(QStringLiteral("\\s+rev\\s+\\S+$"),
                                                  QRegularExpression::CaseInsensitiveOption);
        stem = info.completeBaseName().remove(revEnding);
    }
    return info.dir().filePath(QStringLiteral("%1 rev %2.wrp").arg(stem, rev));
}

QString createRevision(const QString &path, const QString &newPath, const QString &revision,
                       const QDate &today, const FormDescription &description)
{
    if (description.revisionKey.isEmpty())
        return QStringLiteral("A %1 is a record and is not revised").arg(description.shownAs);
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (QString problem = loadDocument(file); !problem.isEmpty())
        return problem;
    const QString picturePath = pictureFileOf(newPath);
    for (const auto &[target, kind] : {std::pair{newPath, WriteKind::Document}, std::pair{picturePath, WriteKind::Picture}})
        if (QString problem = writeProblem(target, kind, {path}, false); !problem.isEmpty())
            return problem;
    file.setValue(kContents, description.revisionKey, revision.trimmed());
    if (!description.revisionDateKey.isEmpty())
        file.setValue(kContents, description.revisionDateKey, formatFileDate(today));
    ControlRecord record;
    record.present = true;
    record.supersedes = QFileInfo(path).fileName();
    record.write(file);

    // Both whole to temporaries first, then the picture put in place and the document last.
    AtomicFile document(newPath);
    if (!document.open() || !document.write(file.data()))
        return document.errorString();
    const QString sourcePicture = pictureFileOf(path);
    if (QFileInfo(sourcePicture).isFile()) {
        QFile source(sourcePicture);
        if (!source.open(QIODevice::ReadOnly))
            return QStringLiteral("Cannot read %1: %2").arg(sourcePicture, source.errorString());
        QString error;
        if (!writeFileAtomically(picturePath, source.readAll(), &error))
            return error;
    } else if (QFileInfo::exists(picturePath) && !QFile::remove(picturePath)) {
        // A picture of another document must not pass for this one's.
        return QStringLiteral("Cannot remove %1").arg(QDir::toNativeSeparators(picturePath));
    }
    if (!document.commit())
        return document.errorString();
    return QString();
}

QString supersededPath(const QString &path, const ControlRecord &record)
{
    if (record.supersedes.trimmed().isEmpty())
        return QString();
    // Only a name in the same folder: a hand-edited "../x" must not reach elsewhere.
    const QString name = QFileInfo(record.supersedes.trimmed()).fileName();
    return QFileInfo(path).dir().filePath(name);
}

} // namespace DocumentControl

} // namespace Brenvik
