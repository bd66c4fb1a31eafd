#include "register/registerscan.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace Brenvik {

bool RegisterScan::scan(const QString &folder, QList<RegisterEntry> *entries)
{
    entries->clear();
    m_filesRead = 0;
    m_folders.clear();
    const QFileInfo root(folder);
    const QDir dir(root.absoluteFilePath());
    if (!root.isDir() || !root.isReadable() || !dir.isReadable()) {
        m_known.clear();
        return false;
    }
    if (dir.absolutePath() != m_folder) {
        m_known.clear();
        m_folder = dir.absolutePath();
    }
    m_folders << m_folder;

    QHash<QString, RegisterEntry> seen;
    // Symbolic links to folders are not followed: a link back up would never end.
    QDirIterator it(m_folder, QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!info.isSymLink())
                m_folders << info.absoluteFilePath();
            continue;
        }
        if (!info.fileName().endsWith(QLatin1String(".wrp"), Qt::CaseInsensitive))
            continue;
        const QString path = info.absoluteFilePath();
        auto known = m_known.constFind(path);
        if (known != m_known.constEnd() && known->size == info.size() && known->modified == info.lastModified()) {
            seen.insert(path, *known);
            continue;
        }
        ++m_filesRead;
        seen.insert(path, RegisterEntry::read(path, dir.relativeFilePath(path)));
    }
    m_known = seen;
    entries->reserve(seen.size());
    for (const RegisterEntry &e : std::as_const(seen))
        entries->append(e);
    std::sort(entries->begin(), entries->end(), RegisterEntry::before);
    return true;
}

} // namespace Brenvik
