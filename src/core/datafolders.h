#pragma once
// Where the side files live. The writable ones (the user store zoru.dat and the sketch library
// zordrw.dat) are in one data folder, chosen in this order: --data-dir, BRENVIK_DATA, the folder
// set in Tools > Options, the program's own folder when it holds a writable zoru.dat (a build
// tree, a portable copy), else the user's data folder (~/.local/share/brenvik), which is seeded
// from the shipped copies on its first use and never overwritten. The read-only files (zorc.dat,
// zor.hlp, userguide.html, the sketch pictures) are looked up in the data folder, the program's
// folder and the shared folder of an installed program (../share/brenvik from the program).

#include <QString>
#include <QStringList>

#include <functional>

namespace Brenvik {

class DataFolders {
public:
    // Why the data folder is the one it is.
    enum class Origin { Option, Environment, Setting, ProgramFolder, UserFolder };

    struct Inputs {
        QString option;      // --data-dir
        QString environment; // BRENVIK_DATA
        QString setting;     // Tools > Options "Data folder"
        QString programDir;  // the folder of the executable
        QString userDir;     // the user's data folder
        // Whether the program may keep its store in that folder; by default a writable folder
        // holding a writable zoru.dat.
        std::function<bool(const QString &programDir)> storeWritable;
    };

    // One folder for everything (the tests' temporary folders).
    explicit DataFolders(const QString &dataDir = QString());
    // The folders of a run, from what it was given.
    static DataFolders choose(const Inputs &inputs);
    // The inputs of this process: BRENVIK_DATA, the executable's folder and the user's data
    // folder; option and setting are the caller's.
    static Inputs processInputs(const QString &option, const QString &setting);

    // The preference of Tools > Options "Data folder".
    static QString settingKey() { return QStringLiteral("data/folder"); }
    // The folders once the Options setting is this one: --data-dir and BRENVIK_DATA still win.
    DataFolders withSetting(const QString &setting) const;

    bool isEmpty() const { return m_dataDir.isEmpty(); }
    QString dataDir() const { return m_dataDir; }
    Origin origin() const { return m_origin; }
    // What the origin is, in the words of the About box.
    QString originText() const;
    // The folders the read-only files are looked up in, in order, each once.
    QStringList lookupDirs() const { return m_lookup; }
    // The shipped seeds and read-only files of an installed program (may not exist).
    QString sharedDir() const { return m_sharedDir; }

    // A writable side file: always in the data folder.
    QString dataFile(const QString &name) const;
    // A read-only side file: the first of the lookup folders that holds it; when none does,
    // its path in the data folder, so that an error names where it belongs first.
    QString findFile(const QString &name) const;

    // The files an empty user folder is given from the shared folder.
    static QStringList seedNames();
    // For the user's data folder: makes it when missing and copies each seed it lacks from the
    // program's folder (a read-only portable copy) or else the shared folder, never replacing a
    // file that is there. The names copied; a problem (the
    // folder cannot be made, a copy fails) in *error, naming the path.
    QStringList seed(QString *error = nullptr) const;
    // Copies the seeds toDir lacks from fromDir (making toDir when missing), never replacing
    // anything there: the names copied; what failed in *error, naming the paths.
    static QStringList copyMissing(const QString &fromDir, const QString &toDir, QString *error = nullptr);
    // The same, each seed from the first of fromDirs that holds it.
    static QStringList copyMissing(const QStringList &fromDirs, const QString &toDir, QString *error = nullptr);

    // The shared folder of an installation from the program's folder.
    static QString sharedDirOf(const QString &programDir);

private:
    QString m_dataDir;
    Origin m_origin = Origin::Option;
    QStringList m_lookup;
    QString m_sharedDir;
    Inputs m_inputs;
};

} // namespace Brenvik
