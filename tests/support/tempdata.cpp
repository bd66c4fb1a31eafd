#include "support/tempdata.h"

#include "core/appstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace Brenvik {

TempData::TempData(bool withShippedFiles)
{
    m_previous = AppState::instance().dataDir();
    if (withShippedFiles) {
        QString source = QString::fromLocal8Bit(qgetenv("BRENVIK_DATA"));
        if (source.isEmpty())
            source = QCoreApplication::applicationDirPath();
        const QStringList names = {QStringLiteral("zoru.dat"), QStringLiteral("zordrw.dat"),
                                   QStringLiteral("zorc.dat"), QStringLiteral("zor.hlp")};
        for (const QString &name : names) {
            const QString from = QDir(source).filePath(name);
            if (QFile::exists(from))
                QFile::copy(from, file(name));
            QFile(file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    AppState::instance().setDataDir(m_dir.path());
}

TempData::~TempData() { AppState::instance().setDataDir(m_previous); }

QString TempData::file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

void TempData::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempData::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace Brenvik
