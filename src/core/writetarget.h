#pragma once
// Where a document, its sketch picture or a report may be written. A picture or a PDF never
// lands on a file being read, on the picture of one, or on any document of ours; a document
// never lands on a file being read (unless it is saved in place) or on the picture of one.
// Links are followed to what they name, so a second name of a file is caught as that file.

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

} // namespace Brenvik
