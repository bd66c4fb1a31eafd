#pragma once
// What a file held when the program last read or wrote it, to tell later whether someone
// else has written it since: another user saving the same document from a shared folder,
// another program, a second copy of this one. The bytes are compared by their size and a
// digest, so a file written again with the same bytes (or only touched) counts as unchanged.

#include <QByteArray>
#include <QString>

namespace Brenvik {

class FileStamp {
public:
    FileStamp() = default;
    // The file at path as holding bytes (what was just read from it or written to it).
    FileStamp(const QString &path, const QByteArray &bytes);

    bool isNull() const { return m_path.isEmpty(); }
    QString path() const { return m_path; }
    // True when path names this stamp's file, however spelled (relative, through a link).
    bool isOf(const QString &path) const;
    // True when the file no longer holds those bytes: written over, replaced by something
    // else, removed or no longer readable. False for a null stamp.
    bool changedOnDisk() const;

private:
    static QByteArray digest(const QByteArray &bytes);

    QString m_path;
    qint64 m_size = -1;
    QByteArray m_digest;
};

} // namespace Brenvik
