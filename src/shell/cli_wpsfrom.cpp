// --wps-from: a new WPS filled from a qualification record, as the record window's "New WPS
// from this Record..." makes it, saved at once. The record itself is never written.

#include "core/profilefile.h"
#include "document/formdescription.h"
#include "document/formdocument.h"
#include "qualify/wpsfromrecord.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QFileInfo>
#include <QTextStream>

namespace Brenvik {

namespace {

const QString kWpsFrom = QStringLiteral("wps-from");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --wps-from RECORD.wrp OUT.wrp")});
}

int runWpsFrom(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString recordFile = parser.value(kWpsFrom);
    if (recordFile.isEmpty())
        return usage(QStringLiteral("--wps-from needs the record file"));
    if (positional.size() != 1)
        return usage(QStringLiteral("--wps-from takes the record and exactly one file to write"));
    const QString out = positional.first();
    const FormDescription *procedure = FormDescriptions::withRole(FormRole::Procedure);
    const FormDescription *recordType = FormDescriptions::withRole(FormRole::ProcedureRecord);
    if (!procedure || !recordType || !FormTables::find(procedure->formType))
        return cliFailure(QStringLiteral("the procedure forms are not built in this version"));
    if (const QString problem = inputProblem(recordFile); !problem.isEmpty())
        return cliFailure(problem);
    if (canonicalPath(out) == canonicalPath(recordFile))
        return cliFailure(QStringLiteral("will not write %1: it is the record being read").arg(out));
    if (const QString problem = outputProblem(out, {recordFile}, OutputKind::Document); !problem.isEmpty())
        return cliFailure(problem);
    // A WPS may be replaced; a document of another type is not turned into one.
    if (QFileInfo::exists(out)) {
        ProfileFile existing(out, ProfileFile::Kind::Document);
        const QString type = existing.load() ? existing.value(QStringLiteral("contents"), QStringLiteral("formType"))
                                             : QString();
        if (type != procedure->formType)
            return cliFailure(QStringLiteral("will not write %1: it is a %2 document, not a WPS")
                                  .arg(out, type.isEmpty() ? QStringLiteral("welding report") : type));
    }
    ProfileFile profile(recordFile, ProfileFile::Kind::Document);
    if (!profile.load())
        return cliFailure(QStringLiteral("cannot open %1: the file cannot be read").arg(recordFile));
    const QualifyForm record = QualifyForm::fromProfile(profile, QFileInfo(recordFile).fileName());
    if (record.formType() != recordType->formType)
        return cliFailure(QStringLiteral("%1 is not a qualification record (WPQR); its form type is \"%2\"")
                              .arg(recordFile, record.formType()));
    if (const QString problem = storeProblem(); !problem.isEmpty())
        return cliFailure(problem);
    FormDocument document(*FormTables::find(procedure->formType));
    document.reset();
    document.fillFields(WpsFromRecord::fields(record));
    // The record's joint sketch goes over as a copy; one that cannot be read is left out.
    if (const QString sketch = FormDocument::sketchFileName(recordFile); QFileInfo::exists(sketch)) {
        Picture picture;
        QString error;
        if (picture.load(sketch, &error))
            document.setPicture(picture);
        else
            QTextStream(stderr) << "brenvik: the sketch of the record is left out: " << error << Qt::endl;
    }
    // The document has said which file failed and why.
    return document.saveFile(out) ? Exit::Ok : Exit::Failure;
}

} // namespace

CliMode wpsFromMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kWpsFrom,
        QStringLiteral(
            "Make a new WPS from the qualification record (WPQR) as \"New WPS from this Record...\" "
            "does and save it to OUT.wrp."),
        QStringLiteral("RECORD.wrp"));
    mode.run = runWpsFrom;
    return mode;
}

} // namespace Brenvik
