#pragma once
// The document-control keys of a welding document: its status (Draft, Approved, Superseded),
// who prepared, reviewed and approved it and when, the revisions it supersedes or is superseded
// by, and the digest taken at approval. They are one list with a prefix of their own, kept at
// the end of [contents] after every form key, and written only once a document has left Draft:
// a file without them is a draft, and a draft that never had them keeps its bytes.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace Brenvik {

class ProfileFile;

enum class ControlStatus { Draft, Approved, Superseded };

struct ControlRecord {
    // Any status key was in the file (or is to be written).
    bool present = false;
    ControlStatus status = ControlStatus::Draft;
    QString preparedBy;
    QDate preparedDate;
    QString reviewedBy;
    QDate reviewedDate;
    QString approvedBy;
    QDate approvedDate;
    QString supersededBy; // the file name of the later revision
    QString supersedes;   // the file name of the earlier revision
    QString digest;       // SHA-256 in hex, taken at approval

    // The keys in the order they are written.
    static QStringList keys();
    // One of ours, compared without regard to case as every key is.
    static bool isControlKey(const QString &key);

    static ControlRecord read(const ProfileFile &file);
    // Removes every status key, then (when present) writes them again after the form's keys.
    // A record that is not present leaves a file without keys exactly as it was.
    void write(ProfileFile &file) const;

    // What a save does to the status keys of the file it writes into: keeps them after the
    // form's keys. The reason it must not write at all (the file there is approved or
    // superseded: a revision is the way to change it), else empty.
    static QString prepareSave(ProfileFile &file);
    // The reason a document file must not be saved again, read from the file ("... is
    // approved and was not saved ..."); empty for a draft.
    static QString saveRefusal(const QString &path);

    // "Draft", "Approved", "Superseded": the words the file stores and the register shows.
    static QString statusWord(ControlStatus status);
    // An unknown or empty word reads as Draft.
    static ControlStatus statusOf(const QString &word);
    bool isControlled() const { return status != ControlStatus::Draft; }
};

// The digest an approval stores: SHA-256 over the [contents] lines as the reader takes them
// ("key=value", code page 1252, CR LF) except the status keys, then the sketch picture's bytes.
// A value edited by hand or a picture replaced gives another digest; reordered blanks around a
// value, which read the same, do not.
QString controlDigest(const ProfileFile &file, const QByteArray &picture);

// What a document's status is as the register and the window show it.
struct ControlState {
    ControlRecord record;
    // Approved or superseded, but the values or the picture no longer match the approval.
    bool changed = false;

    // Reads the record and checks the digest against the picture beside file.path().
    static ControlState of(const ProfileFile &file);
    // "Draft", "Approved", "Approved, changed", "Superseded", "Superseded, changed".
    QString text() const;
};

// The sketch picture bytes beside a document (empty when there is none).
QByteArray pictureBytesOf(const QString &documentPath);

} // namespace Brenvik
