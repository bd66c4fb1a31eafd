#include "core/datafolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef BRENVIK_SHARE_FROM_BIN
#define BRENVIK_SHARE_FROM_BIN "../share/brenvik"
#endif

namespace Brenvik {

namespace {

const QString kStore = QStringLiteral("zoru.dat");

bool storeWritableIn(const QString &dir)
{
    const QFileInfo folder(dir);
    const QFileInfo store(QDir(dir).filePath(kStore));
    return folder.isDir() && folder.isWritable() && store.isFile() && store.isWritable();
}

QString clean(const QString &dir) { return dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath()); }

} // namespace

DataFolders::DataFolders(const QString &dataDir)
    : m_dataDir(clean(dataDir))
{
    if (!m_dataDir.isEmpty())
        m_lookup << m_dataDir;
}

QString DataFolders::sharedDirOf(const QString &programDir)
{
    return clean(QDir(programDir).filePath(QStringLiteral(BRENVIK_SHARE_FROM_BIN)));
}

DataFolders DataFolders::choose(const Inputs &in)
{
    DataFolders folders;
    folders.m_inputs = in;
    const auto writable = in.storeWritable ? in.storeWritable : storeWritableIn;
    if (!in.option.isEmpty()) {
        folders.m_dataDir = clean(in.option);
        folders.m_origin = Origin::Option;
    } else if (!in.environment.isEmpty()) {
        folders.m_dataDir = clean(in.environment);
        folders.m_origin = Origin::Environment;
    } else if (!in.setting.isEmpty()) {
        folders.m_dataDir = clean(in.setting);
        folders.m_origin = Origin::Setting;
    } else if (!in.programDir.isEmpty() && writable(in.programDir)) {
        folders.m_dataDir = clean(in.programDir);
        folders.m_origin = Origin::ProgramFolder;
    } else {
        folders.m_dataDir = clean(in.userDir);
        folders.m_origin = Origin::UserFolder;
    }
    folders.m_sharedDir = in.programDir.isEmpty() ? QString() : sharedDirOf(in.programDir);
    for (const QString &dir : {folders.m_dataDir, clean(in.programDir), folders.m_sharedDir})
        if (!dir.isEmpty() && !folders.m_lookup.contains(dir))
            folders.m_lookup << dir;
    return folders;
}

DataFolders DataFolders::withSetting(const QString &setting) const
{
    Inputs in = m_inputs;
    in.setting = setting;
    return choose(in);
}

DataFolders::Inputs DataFolders::processInputs(const QString &option, const QString &setting)
{
    Inputs in;
    in.option = option;
    in.environment = QString::fromLocal8Bit(qgetenv("BRENVIK_DATA"));
    in.setting = setting;
    in.programDir = QCoreApplication::applicationDirPath();
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    in.userDir = generic.isEmpty() ? QString() : QDir(generic).filePath(QStringLiteral("brenvik"));
    return in;
}

QString DataFolders::originText() const
{
    switch (m_origin) {
    case Origin::Option: return QStringLiteral("named by --data-dir");
    case Origin::Environment: return QStringLiteral("named by BRENVIK_DATA");
    case Origin::Setting: return QStringLiteral("set in Tools > Options");
    case Origin::ProgramFolder: return QStringLiteral("the program's folder");
    case Origin::UserFolder: return QStringLiteral("your data folder");
    }
    return QString();
}

QString DataFolders::dataFile(const QString &name) const { return QDir(m_dataDir).filePath(name); }

QString DataFolders::findFile(const QString &name) const
{
    for (const QString &dir : m_lookup) {
        const QString path = QDir(dir).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return dataFile(name);
}

QStringList DataFolders::seedNames() { return {kStore, QStringLiteral("zordrw.dat")}; }

QStringList DataFolders::seed(QString *error) const
{
    if (m_origin != Origin::UserFolder || m_dataDir.isEmpty())
        return {};
    // The shipped copies: beside a program that may not write there (a read-only portable
    // copy), else in the installation's shared folder.
    return copyMissing(m_lookup.mid(1), m_dataDir, error);
}

QStringList DataFolders::copyMissing(const QString &fromDir, const QString &toDir, QString *error)
{
    return copyMissing(QStringList{fromDir}, toDir, error);
}

QStringList DataFolders::copyMissing(const QStringList &fromDirs, const QString &toDir, QString *error)
{
    QStringList copied;
    if (!QDir().mkpath(toDir)) {
        if (error)
            *error = QStringLiteral("The data folder %1 cannot be made.").arg(QDir::toNativeSeparators(toDir));
        return copied;
    }
    QStringList failed;
    for (const QString &name : seedNames()) {
        const QString target = QDir(toDir).filePath(name);
        // A name taken by anything (a file, a link, a folder) is the user's: left as it is.
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
            continue;
        QString source;
        for (const QString &dir : fromDirs)
            if (source.isEmpty() && QFileInfo(QDir(dir).filePath(name)).isFile())
                source = QDir(dir).filePath(name);
        if (source.isEmpty())
            continue;
        // QFile::copy never replaces an existing file, so a second program starting at the
        // same moment cannot overwrite the first one's copy.
        if (!QFile::copy(source, target)) {
            failed << QDir::toNativeSeparators(target);
            continue;
        }
        // The shipped copy may be read-only; the user's is the user's to write.
        QFile(target).setPermissions(QFile(target).permissions() | QFile::ReadOwner | QFile::WriteOwner);
        copied << name;
    }
    if (error && !failed.isEmpty())
        *error = QStringLiteral("%1 could not be made from the shipped copies.").arg(failed.join(QStringLiteral(", ")));
    return copied;
}

} // namespace Brenvik
