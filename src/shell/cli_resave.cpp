// --resave: a document opened in the window of its form type as File > Open does, then saved
// to another file (or over itself) as Save does, with no question asked. Used to bring old
// files to the current layout and to check that a file survives a round trip.

#include "core/documentwindow.h"
#include "core/filestamp.h"
#include "core/profilefile.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QFileInfo>
#include <QWidget>

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
    ProfileFile profile(file, ProfileFile::Kind::Document);
    if (!profile.load())
        return cliFailure(QStringLiteral("cannot open %1: the file cannot be read").arg(file));
    const FileStamp read(file, profile.data());
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    DocumentWindow *document = DocumentRegistry::instance().create(type, nullptr);
    if (!document)
        return cliFailure(type.isEmpty()
                              ? QStringLiteral("cannot open %1: it has no form type").arg(file)
                              : QStringLiteral("cannot open %1: unknown form type \"%2\"").arg(file, type));
    const std::unique_ptr<QWidget> window(document->widget());
    if (!document->openFile(file))
        return cliFailure(QStringLiteral("cannot open %1").arg(file));
    // Save writes to the document's file name.
    document->setFileName(out);
    // Written by someone else meanwhile: a resave in place would undo their work, one to
    // another file would carry a state the file no longer has.
    const QString changed = QStringLiteral("%1 was skipped: it changed on disk while it was being resaved").arg(file);
    if (read.changedOnDisk())
        return cliFailure(changed);
    // The window has said which file failed, the document or its sketch, and why.
    if (!document->save())
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
