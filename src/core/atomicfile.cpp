#include "core/atomicfile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

namespace Brenvik {

// Forwards every write to the file and turns a short one into a failure of the whole file.
class AtomicFile::CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(AtomicFile &file) : m_file(file) { QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        return m_file.write(QByteArray::fromRawData(data, size)) ? size : -1;
    }

private:
    AtomicFile &m_file;
};

AtomicFile::AtomicFile(const QString &path) : m_path(path), m_file(path)
{
    // Never fall back to writing in place: a failed write must leave the old file whole.
    m_file.setDirectWriteFallback(false);
}

AtomicFile::~AtomicFile()
{
    m_device.reset();
    if (m_open)
        m_file.cancelWriting();
}

bool AtomicFile::fail(const QString &reason)
{
    if (m_error.isEmpty()) {
        m_error = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(m_path));
        if (!reason.isEmpty())
            m_error += QStringLiteral(": ") + reason;
    }
    cancel();
    return false;
}

bool AtomicFile::open()
{
    m_error.clear();
    // Only a regular file is replaced: a device node or a FIFO in its place stays as it is.
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("not a regular file"));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    m_open = true;
    return true;
}

QIODevice *AtomicFile::device()
{
    if (!m_device)
        m_device = std::make_unique<CheckedDevice>(*this);
    return m_device.get();
}

bool AtomicFile::write(const QByteArray &bytes)
{
    if (!m_open)
        return fail(QString());
    // A write the system cuts short (a disk filling up) reports no error; the write of the rest
    // then fails and says why ("No space left on device").
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0 || m_file.error() != QFileDevice::NoError)
            return fail(m_file.error() != QFileDevice::NoError ? m_file.errorString() : QString());
        done += written;
    }
    return true;
}

bool AtomicFile::commit()
{
    if (!m_open)
        return fail(QString());
    // A writer handed the device may have failed without telling anyone.
    if (m_file.error() != QFileDevice::NoError)
        return fail(m_file.errorString());
    m_open = false;
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

void AtomicFile::cancel()
{
    if (m_open)
        m_file.cancelWriting();
    m_open = false;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    AtomicFile file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

} // namespace Brenvik
