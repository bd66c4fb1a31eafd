#pragma once
// What the headless modes check before they read or replace a file: only regular files are
// read as documents or replaced, an output is never the input document or its sketch, and a
// document output never lands on a file that is not a document of ours (a PDF, a bitmap).

#include <QString>
#include <QStringList>

namespace Brenvik {

// The file's real path when it exists (links resolved), else its absolute path: two names
// of one file compare equal.
QString canonicalPath(const QString &path);

// Empty when file is a regular file to read; else "cannot open FILE: reason".
QString inputProblem(const QString &file);

enum class OutputKind {
    Document, // a .wrp written as Save does: may be the input itself (a resave in place)
    Pdf,      // a report: never an input, its sketch or any document of ours
};

// Empty when out may be written; else why not, naming it.
QString outputProblem(const QString &out, const QStringList &inputs, OutputKind kind);

} // namespace Brenvik
