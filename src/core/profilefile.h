#pragma once
// An INI file in code page 1252 with the semantics of the Windows profile service, minus its
// faults: sections and keys compare without regard to case, the first occurrence wins, a set
// key replaces its value in place or is appended at the end of its section (a new section at
// the end of the file), keys and sections can be removed, and every other byte of the file
// stays as it was. Names and values are read without the blanks around them, as the profile
// service reads them (a hand-edited "formType = WPDS " is formType WPDS); values are written
// as given and otherwise read whole, however long.
//
// Edits are made in memory and written by commit() as one atomic replacement (QSaveFile).
// Side files are guarded for their read-modify-write by a lock file: see ProfileFile::update.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <utility>

namespace Brenvik {

// A write or removal the system refused: "Unable to write to <path>". The file is untouched.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString &message);
    QString message() const { return m_message; }
    static FileError unableToWrite(const QString &path);

private:
    QString m_message;
};

class ProfileFile {
public:
    enum class Kind {
        Document, // a WRP file: commit() creates it when missing
        SideFile  // zoru.dat and the other side files: never created here
    };

    explicit ProfileFile(const QString &path, Kind kind = Kind::SideFile);

    // Reads the file (a missing file reads as empty). False when the file does not exist or
    // cannot be read.
    bool load();
    // Takes the bytes of a file directly (tests, or a file already read).
    void setData(const QByteArray &bytes);
    QByteArray data() const;

    QString path() const { return m_path; }
    bool exists() const;

    QString value(const QString &section, const QString &key) const; // absent: empty
    bool contains(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const; // first occurrences, in file order
    // Every key of a section with its value, first occurrences in file order: one pass for
    // callers that read whole lists.
    QList<std::pair<QString, QString>> entries(const QString &section) const;

    // CR and LF inside a value become blanks; characters code page 1252 cannot hold are
    // written as "?" and the key is listed by lossyKeys().
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);

    // Keys ("section/key") whose values lost characters since load().
    QStringList lossyKeys() const { return m_lossy; }
    bool isModified() const { return m_modified; }

    // Writes the whole file atomically; throws FileError when the system refuses. A side
    // file that does not exist is not created: that too is a FileError.
    void commit();

    // Read-modify-write of a side file under its lock file: load, edit, commit, unlock.
    // Throws FileError when the lock cannot be taken or the write is refused.
    static void update(const QString &path, const std::function<void(ProfileFile &)> &edit,
                       Kind kind = Kind::SideFile);

private:
    // A section header and the lines up to the next header (the lines before the first
    // header form a block without header). Keys are indexed on first lookup.
    struct Block {
        QList<QByteArray> lines; // each line with its own line end, as read
        QString name;            // the section name as spelled in its header
        QString folded;          // the same, case-folded; empty for the leading block
        bool hasHeader = false;
        mutable bool indexed = false;
        mutable QHash<QString, int> keyIndex; // folded key -> line, first occurrence
        mutable QList<int> keyLines;          // lines of the first occurrences, file order
    };

    QString m_path;
    Kind m_kind;
    // The bytes as read. Lines not edited since are views into it, which spares a 1 MB
    // store tens of thousands of allocations per read; it is never changed, only replaced.
    QByteArray m_raw;
    QList<Block> m_blocks;
    QHash<QString, int> m_sectionIndex; // folded section name -> first block
    QStringList m_lossy;
    bool m_modified = false;
    bool m_bom = false;
    // The file is there but could not be read whole: writing the edits over it would throw
    // away everything else it holds, so commit() refuses.
    bool m_unreadable = false;

    void rebuildSectionIndex();
    const Block *findBlock(const QString &section) const;
    int findBlockIndex(const QString &section) const;
    void indexKeys(const Block &block) const;
    int findKey(const Block &block, const QString &key) const;
    void noteLoss(const QString &section, const QString &key, bool lossy);
};

} // namespace Brenvik
