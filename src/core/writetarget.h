#pragma once
// Where a document, its sketch picture or a report may be written. A picture or a PDF never
// lands on a file being read, on the picture of one, or on any document of ours; a document
// never lands on a file being read (unless it is saved in place) or on the picture of one.
// Links are followed to what they name, so a second name of a file is caught as that file.

#include <QHash>
#include <QString>
#include <QStringList>

namespace Brenvik {

// The file's real path when it exists (links resolved), else its absolute path: two names
// of one file compare equal.
QString canonicalPath(const QString &path);
// True when both name one existing file.
bool sameFile(const QString &a, const QString &b);
// The sketch picture beside a document: "weld01.wrp" gives "weld01_img.bmp".
QString pictureFileOf(const QString &documentPath);
// A document of ours is text holding a [contents] section; a PDF, a bitmap or any other
// binary file is not, whatever its name.
bool isDocumentOfOurs(const QString &path);

enum class WriteKind { Document, Picture, Pdf };

// Empty when target may be written; else "will not write TARGET: why". inputs are the
// documents being read (a document saved in place is not among them: its own file and
// picture may be replaced). With refuseLinks a target that is itself a symbolic link is
// refused, wherever it points: the headless modes never write through one. A folder or a
// device in the way is left to the writer, which refuses it in its turn.
QString writeProblem(const QString &target, WriteKind kind, const QStringList &inputs, bool refuseLinks);

// The documents being read with the real paths of each and of its sketch, resolved once: a run
// that checks an output for each of many documents looks every output up instead of resolving
// all the documents again for each.
class ReadInputs {
public:
    explicit ReadInputs(const QStringList &inputs);
    // "will not write TARGET: ..." when real (the target's real path) is one of the documents
    // or the sketch of one, the first in the order given; else empty.
    QString clash(const QString &target, const QString &real) const;

private:
    QStringList m_inputs;
    QHash<QString, qsizetype> m_documents; // real path -> the first input that is it
    QHash<QString, qsizetype> m_sketches;  // real path -> the first input whose sketch it is
};

QString writeProblem(const QString &target, WriteKind kind, const ReadInputs &inputs, bool refuseLinks);

} // namespace Brenvik
