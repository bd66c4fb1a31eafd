#pragma once
// The user-data store zoru.dat as plain file logic: the value lists of the combo boxes, the
// `sync` table that shares one list among several boxes, the canned memo topics and the
// company profiles. No widgets here; the combo-box functions and the two dialogs drive it.
//
// One read serves a whole operation: read() takes the file once and every query below
// answers from that copy. Every operation that writes re-reads the file under its lock,
// decides on what it found there, and replaces the file in one atomic write
// (ProfileFile::update); afterwards the copy here holds what was written, so the refills
// that follow need no further read. A refused write throws FileError and leaves both the
// file and this copy as they were.
//
// The store is created by the installation, never here: a missing zoru.dat is reported
// (reportMissing) and nothing is written.

#include "core/profilefile.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Brenvik {

class UserDataStore {
public:
    struct Topic {
        QString name;
        QString text; // memo encoding: lines joined by backslash-n
        bool fixed = false;
    };
    struct Profile {
        int number = 0;
        QString name;
        QString company;
        QString address;
    };

    // path: zoru.dat; empty means the one in the data folder.
    explicit UserDataStore(const QString &path = QString());
    UserDataStore(const UserDataStore &) = delete;
    UserDataStore &operator=(const UserDataStore &) = delete;

    static QString defaultPath();
    QString path() const { return m_path; }
    bool exists() const;

    // "File <path> is missing. Operation aborted." (caption "Error").
    QString missingText() const;
    void reportMissing() const;

    // Reads the file. A missing store is reported (once, here) and gives false.
    bool read();
    // Reads without a word to the user; false when the file is missing.
    bool readQuietly();
    bool isRead() const { return m_read; }

    // --- Value lists --------------------------------------------------------------------

    // The list section of a box: its `sync` value, else "<owner>_<control>".
    QString listSection(const QString &owner, const QString &control) const;
    QString syncValue(const QString &control) const;
    // A numbered run: prefix1, prefix2, ... up to the first missing or empty key.
    QStringList run(const QString &section, const QString &prefix) const;
    // Fixed entries, then user entries.
    QStringList values(const QString &section) const;
    // The `sync` keys (as written, in file order) whose value names this section, in any case.
    QStringList syncedControls(const QString &section) const;

    // The list of the box named control on window owner: adds text as the next user entry
    // unless a fixed or user entry is exactly equal. True when something was written. Empty
    // text writes nothing. The list section is taken from the copy read under the lock.
    bool saveValue(const QString &owner, const QString &control, const QString &text);
    // Removes every user entry exactly equal to text and renumbers the rest from 1.
    // Returns how many went.
    int deleteValue(const QString &owner, const QString &control, const QString &text);
    // Linked lists: the user entries of every section become their union (in order of first
    // appearance) or their intersection (in the order of the first section). Fewer than two
    // sections, or a missing store: nothing happens and no file is made.
    void mergeUserEntries(const QStringList &sections);
    void intersectUserEntries(const QStringList &sections);

    // --- Memo topics --------------------------------------------------------------------

    // Fixed topics first, then user topics; each run ends at the first missing or empty topic.
    QList<Topic> topics(const QString &section) const;
    // Writes a user topic (in place when one of that name exists, else appended).
    // False (nothing written) when the name is empty or is a fixed topic.
    bool saveTopic(const QString &section, const QString &name, const QString &encodedText);
    // Removes every user topic of that name and renumbers the rest. Returns how many went.
    int deleteTopic(const QString &section, const QString &name);

    // --- Company profiles ---------------------------------------------------------------

    // The profiles listed in indexString, in its order. Words that are not integers are
    // skipped and listed in *badWords.
    QList<Profile> profiles(QStringList *badWords = nullptr) const;
    QString indexString() const;
    // userDefault as a number; nothing when absent or empty. A value that is not an integer
    // gives nothing and is added to *badWords.
    std::optional<int> userDefault(QStringList *badWords = nullptr) const;
    Profile profile(int number) const;
    // The default company profile of the store at the data folder, read quietly (a missing
    // store is reported where the lists are loaded); bad profile numbers are reported.
    // Nothing when there is no store or no default.
    static std::optional<Profile> defaultProfile();
    // Saves under the profile of that name (or a new number); returns the number used.
    // makeDefault writes userDefault; false leaves it alone.
    int saveProfile(const QString &name, const QString &company, const QString &address,
                    bool makeDefault, QStringList *badWords = nullptr);
    // Removes the first profile of that name from indexString and the file, and userDefault
    // when it names it. Returns the number removed, or 0.
    int deleteProfile(const QString &name, QStringList *badWords = nullptr);

    // --- Text that code page 1252 cannot hold ---------------------------------------------

    // The characters of the texts that the store could not keep, each once.
    static QString unkeepable(const QStringList &texts);
    // True when every text can be stored; otherwise tells the user which characters cannot
    // be kept and gives false.
    static bool acceptTexts(const QStringList &texts);
    // A non-integer profile number met in indexString or userDefault.
    static void reportBadNumbers(const QStringList &badWords);

private:
    // The file as read, with where each section's lines lie; a section's keys are indexed
    // the first time it is asked for. ProfileFile walks and decodes per look-up, which a list
    // of thousands of entries filled into dozens of boxes cannot afford.
    struct Span {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    // Keys compare as ProfileFile compares them; the names the program writes are ASCII, so
    // they are looked up in place, without a copy, and only other names are decoded.
    struct FoldHash {
        size_t operator()(std::string_view key) const noexcept;
    };
    struct FoldEqual {
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    struct Section {
        qsizetype begin = 0; // first byte after the header line
        qsizetype end = 0;
        mutable bool parsed = false;
        mutable std::vector<std::string_view> keyOrder; // first occurrences, file order
        mutable std::unordered_map<std::string_view, Span, FoldHash, FoldEqual> ascii;
        mutable QHash<QString, Span> other; // folded non-ASCII key -> value
    };

    QString m_path;
    bool m_read = false;
    QByteArray m_bytes;
    QList<Section> m_sections;
    QHash<QString, int> m_sectionIndex;      // folded name -> first section of that name
    const ProfileFile *m_locked = nullptr; // while rewriting: the copy read under the lock

    void index(const QByteArray &bytes);
    const Section *section(const QString &name) const;
    void parse(const Section &s) const;
    bool hasSection(const QString &name) const;
    QStringList keys(const QString &section) const;
    QString value(const QString &section, const QString &key) const;
    const Span *find(const Section &s, const QString &key) const;
    // One locked read-modify-write: edit decides on the fresh copy and edits the file.
    void rewrite(const std::function<void(ProfileFile &)> &edit);
    void writeRun(ProfileFile &file, const QString &section, const QString &prefix,
                  const QStringList &oldValues, const QStringList &newValues) const;
};

} // namespace Brenvik
