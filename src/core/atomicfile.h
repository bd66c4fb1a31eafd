#pragma once
// Every file the program writes goes through here: the bytes go to a temporary file beside the
// target, each write is checked, the file is flushed and synced, and only then renamed over the
// old one. A full disk, a size limit or a refused rename leaves the old file whole and says so.
//
// The writes are unbuffered on purpose: a buffered QSaveFile writes its last block inside
// commit(), where a short write goes unnoticed and a truncated file replaces a good one.

#include <QSaveFile>
#include <QString>

#include <memory>

class QByteArray;

namespace Brenvik {

class AtomicFile {
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile(); // a file never committed is discarded

    bool open();
    // The device to write to (for writers that take one, such as QPdfWriter). A short write
    // through it counts as a failure: such writers do not look at what write() returns.
    QIODevice *device();
    bool write(const QByteArray &bytes);
    // Puts the new file in place; false (and the old file untouched) when any write failed.
    bool commit();
    void cancel();
    // "Unable to write to PATH: No space left on device"; empty while nothing failed.
    QString errorString() const { return m_error; }

private:
    class CheckedDevice;
    bool fail(const QString &reason);

    QString m_path;
    QSaveFile m_file;
    QString m_error;
    bool m_open = false;
    std::unique_ptr<CheckedDevice> m_device;
};

// The whole of bytes as the file at path, or nothing; the reason in *error on failure.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace Brenvik
