#include "document/control/controlrecord.h"

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/profilefile.h"
#include "core/writetarget.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace Brenvik {

namespace {

const QString kContents = QStringLiteral("contents");

// The keys with the member each one holds, in file order.
struct KeyDef {
    const char *key;
    QString ControlRecord::*text;
    QDate ControlRecord::*date;
};

const KeyDef kKeys[] = {
    {"dcPreparedBy", &ControlRecord::preparedBy, nullptr},
    {"dcPreparedDate", nullptr, &ControlRecord::preparedDate},
    {"dcReviewedBy", &ControlRecord::reviewedBy, nullptr},
    {"dcReviewedDate", nullptr, &ControlRecord::reviewedDate},
    {"dcApprovedBy", &ControlRecord::approvedBy, nullptr},
    {"dcApprovedDate", nullptr, &ControlRecord::approvedDate},
    {"dcSupersededBy", &ControlRecord::supersededBy, nullptr},
    {"dcSupersedes", &ControlRecord::supersedes, nullptr},
    {"dcDigest", &ControlRecord::digest, nullptr},
};

const QString kStatusKey = QStringLiteral("dcStatus");

} // namespace

QStringList ControlRecord::keys()
{
    QStringList out{kStatusKey};
    for (const KeyDef &k : kKeys)
        out << QLatin1String(k.key);
    return out;
}

bool ControlRecord::isControlKey(const QString &key)
{
    static const QStringList all = keys();
    return all.contains(key.trimmed(), Qt::CaseInsensitive);
}

QString ControlRecord::statusWord(ControlStatus status)
{
    switch (status) {
    case ControlStatus::Approved: return QStringLiteral("Approved");
    case ControlStatus::Superseded: return QStringLiteral("Superseded");
    case ControlStatus::Draft: break;
    }
    return QStringLiteral("Draft");
}

ControlStatus ControlRecord::statusOf(const QString &word)
{
    for (ControlStatus s : {ControlStatus::Approved, ControlStatus::Superseded})
        if (word.trimmed().compare(statusWord(s), Qt::CaseInsensitive) == 0)
            return s;
    return ControlStatus::Draft;
}

ControlRecord ControlRecord::read(const ProfileFile &file)
{
    ControlRecord r;
    for (const QString &key : keys())
        r.present = r.present || file.contains(kContents, key);
    r.status = statusOf(file.value(kContents, kStatusKey));
    for (const KeyDef &k : kKeys) {
        const QString value = file.value(kContents, QLatin1String(k.key));
        if (k.text)
            r.*k.text = value;
        else
            r.*k.date = parseFileDate(value);
    }
    return r;
}

void ControlRecord::write(ProfileFile &file) const
{
    for (const QString &key : keys())
        file.removeKey(kContents, key);
    if (!present)
        return;
    file.setValue(kContents, kStatusKey, statusWord(status));
    for (const KeyDef &k : kKeys)
        file.setValue(kContents, QLatin1String(k.key), k.text ? this->*k.text : formatFileDate(this->*k.date));
}

QString ControlRecord::prepareSave(ProfileFile &file)
{
    const ControlRecord record = ControlRecord::read(file);
    if (record.isControlled())
        return QStringLiteral("%1 is %2: it is not written over; create a revision to change it.")
            .arg(QDir::toNativeSeparators(file.path()), statusWord(record.status).toLower());
    record.write(file);
    return QString();
}

QString ControlRecord::saveRefusal(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    file.load();
    const ControlRecord record = ControlRecord::read(file);
    if (!record.isControlled())
        return QString();
    return QStringLiteral("%1 is %2 and was not saved: create a revision to change it.")
        .arg(QDir::toNativeSeparators(path), statusWord(record.status).toLower());
}

QString controlDigest(const ProfileFile &file, const QByteArray &picture)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const auto &[key, value] : file.entries(kContents)) {
        if (ControlRecord::isControlKey(key))
            continue;
        hash.addData(Cp1252::encode(key + QLatin1Char('=') + value));
        hash.addData(QByteArrayView("\r\n"));
    }
    hash.addData(picture);
    return QString::fromLatin1(hash.result().toHex());
}

QByteArray pictureBytesOf(const QString &documentPath)
{
    QFile picture(pictureFileOf(documentPath));
    if (!picture.open(QIODevice::ReadOnly))
        return QByteArray();
    return picture.readAll();
}

ControlState ControlState::of(const ProfileFile &file)
{
    ControlState state;
    state.record = ControlRecord::read(file);
    if (state.record.isControlled())
        state.changed = state.record.digest.compare(controlDigest(file, pictureBytesOf(file.path())),
                                                    Qt::CaseInsensitive)
            != 0;
    return state;
}

QString ControlState::text() const
{
    const QString word = ControlRecord::statusWord(record.status);
    return changed ? word + QStringLiteral(", changed") : word;
}

} // namespace Brenvik
