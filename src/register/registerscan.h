#pragma once
// The document files below a folder, subfolders included, as register lines sorted by their
// path. A scanner remembers what it read: a rescan reads again only the files whose size or
// modification time changed, so following a folder of a thousand documents stays cheap.

#include "register/registerentry.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class RegisterScan {
public:
    // Every .wrp file (any letter case) below folder, sorted by relative path, with a line
    // (RegisterEntry::unreached) for each place below it that could not be listed. False (and
    // an empty list) when folder itself cannot be read.
    bool scan(const QString &folder, QList<RegisterEntry> *entries);
    // The folders met by the last scan, the folder itself first: what a watcher follows.
    QStringList folders() const { return m_folders; }
    // How many files the last scan read (the others came from what it remembered).
    int filesRead() const { return m_filesRead; }

private:
    struct Walk;
    // Lists the next folder of the walk; false when that is the scanned folder and it cannot be
    // opened.
    bool listNext(Walk &walk);
    // What was read before when the file has not changed since, else the file read now.
    RegisterEntry entryOf(const QString &path, const QString &relativePath);

    QString m_folder;
    QHash<QString, RegisterEntry> m_known; // by absolute path
    QStringList m_folders;
    int m_filesRead = 0;
};

} // namespace Brenvik
