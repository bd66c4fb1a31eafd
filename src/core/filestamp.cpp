#include "core/filestamp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Brenvik {

FileStamp::FileStamp(const QString &path, const QByteArray &bytes)
    : m_path(path), m_size(bytes.size()), m_digest(digest(bytes))
{
}

QByteArray FileStamp::digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

bool FileStamp::isOf(const QString &path) const
{
    if (isNull() || path.isEmpty())
        return false;
    const QFileInfo mine(m_path);
    const QFileInfo other(path);
    const QString canonical = mine.canonicalFilePath();
    if (!canonical.isEmpty() && canonical == other.canonicalFilePath())
        return true;
    return QDir::cleanPath(mine.absoluteFilePath()) == QDir::cleanPath(other.absoluteFilePath());
}

bool FileStamp::changedOnDisk() const
{
    if (isNull())
        return false;
    const QFileInfo info(m_path);
    if (!info.isFile() || info.size() != m_size)
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = file.read(m_size + 1);
    return file.error() != QFileDevice::NoError || bytes.size() != m_size || digest(bytes) != m_digest;
}

} // namespace Brenvik
