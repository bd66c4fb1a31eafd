#pragma once
// What the headless modes check before they read or replace a file: only regular files are
// read as documents or replaced, an output is never an input document or its sketch, a
// document output never lands on a file that is not a document of ours (a PDF, a bitmap),
// its sketch picture never on a document, and no output is written through a link.

#include "core/writetarget.h"

#include <QString>
#include <QStringList>

namespace Brenvik {

// Empty when file is a regular file to read; else "cannot open FILE: reason".
QString inputProblem(const QString &file);

enum class OutputKind {
    Document, // a .wrp written as Save does, with its sketch picture beside it: may be the
              // input itself (a resave in place)
    Pdf,      // a report: never an input, its sketch or any document of ours
};

// Empty when out (and for a document its sketch picture) may be written; else why not, naming it.
QString outputProblem(const QString &out, const QStringList &inputs, OutputKind kind);
// The same for a PDF, against inputs resolved once for a run of many.
QString pdfOutputProblem(const QString &out, const ReadInputs &inputs);

// A new document carries the default company profile of the user-data store: without the store
// it would not be what was asked for. The store's "missing" message, or empty when it is there.
QString storeProblem();

} // namespace Brenvik
