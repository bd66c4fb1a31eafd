#include "core/appstate.h"

#include <QCoreApplication>
#include <QDir>

namespace Brenvik {

AppState &AppState::instance()
{
    static AppState state;
    return state;
}

void AppState::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT changedFlagChanged(changed);
}

void AppState::setCreated(const QString &windowName, bool created)
{
    if (created)
        m_created.insert(windowName);
    else
        m_created.remove(windowName);
}

QString AppState::dataDir() const
{
    if (!m_dataDir.isEmpty())
        return m_dataDir;
    const QByteArray env = qgetenv("BRENVIK_DATA");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QCoreApplication::applicationDirPath();
}

QString AppState::dataFile(const QString &name) const
{
    return QDir(dataDir()).filePath(name);
}

} // namespace Brenvik
