#include "register/registerscan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

namespace Brenvik {

namespace {

namespace fs = std::filesystem;

// The name as text; false in *valid when its bytes are not UTF-8 (the file cannot be reached
// by a name the program can hold, so only its place can be listed).
QString decodedName(const std::string &bytes, bool *valid)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString name = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    *valid = !decoder.hasError();
    return name;
}

bool isDocumentName(const std::string &name)
{
    if (name.size() < 4)
        return false;
    QByteArray suffix(name.data() + name.size() - 4, 4);
    return suffix.toLower() == ".wrp";
}

// True when the system can reach a file by this path: PATH_MAX counts the ending zero.
bool fitsThePathLimit(const fs::path &path)
{
    return path.native().size() < PATH_MAX;
}

RegisterEntry unreached(const QString &relativePath, const QString &path, const QString &problem)
{
    RegisterEntry entry;
    entry.relativePath = relativePath;
    entry.path = path;
    entry.problem = problem;
    entry.unreached = true;
    return entry;
}

QString reason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message().c_str());
}

} // namespace

// The folders still to list, each by its path on disk and its path below the scanned folder
// (empty for the folder itself), and what the scan has found so far.
struct RegisterScan::Walk {
    struct Folder {
        fs::path native;
        QString relative;
    };
    QList<Folder> pending;
    QHash<QString, RegisterEntry> seen; // documents by absolute path
    QList<RegisterEntry> notReached;
};

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
    // Folder by folder rather than QDirIterator, which passes over without a word a folder it
    // cannot open and a name that is not UTF-8.
    Walk walk;
    walk.pending.append({fs::path(QFile::encodeName(m_folder).toStdString()), QString()});
    while (!walk.pending.isEmpty()) {
        if (!listNext(walk)) {
            m_known.clear();
            return false;
        }
    }
    m_known = walk.seen;
    entries->reserve(walk.seen.size() + walk.notReached.size());
    for (const RegisterEntry &e : std::as_const(walk.seen))
        entries->append(e);
    entries->append(walk.notReached);
    std::sort(entries->begin(), entries->end(), RegisterEntry::before);
    return true;
}

bool RegisterScan::listNext(Walk &walk)
{
    const Walk::Folder current = walk.pending.takeLast();
    const QString absolute = QFile::decodeName(QByteArray::fromStdString(current.native.native()));
    const QString shownFolder = (current.relative.isEmpty() ? QStringLiteral(".") : current.relative) + QLatin1Char('/');
    std::error_code error;
    fs::directory_iterator it(current.native, error);
    if (error) {
        walk.notReached << unreached(shownFolder, absolute,
                                     QStringLiteral("the folder cannot be read (%1): its documents are not listed")
                                         .arg(reason(error)));
        return !current.relative.isEmpty();
    }
    m_folders << absolute;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const fs::directory_entry &item = *it;
        bool valid = true;
        const QString name = decodedName(item.path().filename().native(), &valid);
        const QString relative = current.relative.isEmpty() ? name : current.relative + QLatin1Char('/') + name;
        const QString path = absolute + QLatin1Char('/') + name;
        std::error_code typeError;
        // Symbolic links to folders are not followed: a link back up would never end.
        const bool isFolder = !item.is_symlink(typeError) && item.is_directory(typeError);
        const bool linkToFolder = !isFolder && item.is_symlink(typeError) && item.is_directory(typeError);
        if (linkToFolder || (!isFolder && !isDocumentName(item.path().filename().native())))
            continue;
        const QString shown = isFolder ? relative + QLatin1Char('/') : relative;
        const QString left = isFolder ? QStringLiteral("its documents are not listed") : QStringLiteral("not listed");
        if (!valid)
            walk.notReached << unreached(shown, path, QStringLiteral("the %1 name is not valid UTF-8: %2")
                                                          .arg(isFolder ? QStringLiteral("folder") : QStringLiteral("file"), left));
        else if (!fitsThePathLimit(item.path()))
            walk.notReached << unreached(shown, path, QStringLiteral("the path is longer than the system allows: ") + left);
        else if (isFolder)
            walk.pending.append({item.path(), relative});
        else
            walk.seen.insert(path, entryOf(path, relative));
    }
    if (error)
        walk.notReached << unreached(shownFolder, absolute,
                                     QStringLiteral("the folder could not be read to its end (%1): "
                                                    "some of its documents may be missing")
                                         .arg(reason(error)));
    return true;
}

RegisterEntry RegisterScan::entryOf(const QString &path, const QString &relativePath)
{
    const QFileInfo info(path);
    auto known = m_known.constFind(path);
    if (known != m_known.constEnd() && known->size == info.size() && known->modified == info.lastModified())
        return *known;
    ++m_filesRead;
    return RegisterEntry::read(path, relativePath);
}

} // namespace Brenvik
