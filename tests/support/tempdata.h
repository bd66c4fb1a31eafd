#pragma once
// A temporary copy of the shipped side files (zoru.dat, zordrw.dat, zorc.dat, zor.hlp) for
// one test, installed as the program's data folder; tests never touch the build's own copy.

#include <QString>
#include <QTemporaryDir>

namespace Brenvik {

class TempData {
public:
    // withShippedFiles: copy the build's data files; otherwise start from an empty folder.
    explicit TempData(bool withShippedFiles = true);
    ~TempData();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;
    // Writes a file of the data folder (bytes as given).
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace Brenvik
