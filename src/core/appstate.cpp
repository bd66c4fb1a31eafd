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

DataFolders AppState::dataFolders() const
{
    if (!m_folders.isEmpty())
        return m_folders;
    const QByteArray env = qgetenv("BRENVIK_DATA");
    return DataFolders(env.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(env));
}

} // namespace Brenvik
