// --resave: a document opened as File > Open opens it, then saved
// to another file (or over itself) as Save does, with no question asked. Used to bring old
// files to the current layout and to check that a file survives a round trip.

#include "core/filestamp.h"
#include "core/platform.h"
#include "document/control/controlrecord.h"
#include "document/formdocument.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <memory>

namespace Brenvik {

namespace {

const QString kResave = QStringLiteral("resave");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --resave OUT.wrp FILE.wrp")});
}

int runResave(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString out = parser.value(kResave);
    if (out.isEmpty())
        return usage(QStringLiteral("--resave needs the name of the file to write"));
    if (positional.size() != 1)
        return usage(QStringLiteral("--resave takes exactly one document file"));
    const QString file = positional.first();

    if (const QString problem = inputProblem(file); !problem.isEmpty())
        return cliFailure(problem);
    if (const QString problem = outputProblem(out, {file}, OutputKind::Document); !problem.isEmpty())
        return cliFailure(problem);
    QString error;
    QList<DocumentMessage> boxes;
    std::unique_ptr<FormDocument> document = FormDocument::read(file, &error, &boxes);
    if (!document)
        return cliFailure(error);
    for (const DocumentMessage &box : boxes)
        errorBox(box.caption, box.text);
    // Written by someone else meanwhile: a resave in place would undo their work, one to
    // another file would carry a state the file no longer has.
    const FileStamp read = document->diskStamp();
    const QString changed = QStringLiteral("%1 was skipped: it changed on disk while it was being resaved").arg(file);
    if (read.changedOnDisk())
        return cliFailure(changed);
    // An approved or superseded document changes only by a revision.
    if (const QString refusal = ControlRecord::saveRefusal(file); !refusal.isEmpty())
        return cliFailure(refusal);
    // The document has said which file failed, the document or its sketch, and why.
    if (!document->saveFile(out))
        return read.changedOnDisk() ? cliFailure(changed) : Exit::Failure;
    return Exit::Ok;
}

} // namespace

CliMode resaveMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kResave,
        QStringLiteral("Open the document file as File > Open does and save it to OUT.wrp as Save does "
                       "(other keys of an existing OUT.wrp are kept; its sketch picture is written)."),
        QStringLiteral("OUT.wrp"));
    mode.run = runResave;
    return mode;
}

} // namespace Brenvik
