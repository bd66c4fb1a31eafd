// --new: a blank document of a type, made as File > New makes it (the reset's defaults, the
// default company profile) and saved at once. Gives scripts a blank form to start from.

#include "document/formdescription.h"
#include "document/formdocument.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

namespace Brenvik {

namespace {

const QString kNew = QStringLiteral("new");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --new TYPE OUT.wrp")});
}

int runNew(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString type = parser.value(kNew).trimmed().toUpper();
    if (positional.size() != 1)
        return usage(QStringLiteral("--new takes the type and exactly one file to write"));
    const QString out = positional.first();
    if (!FormDescriptions::find(type))
        return cliFailure(QStringLiteral("unknown document type \"%1\" (one of %2)")
                              .arg(parser.value(kNew), FormDescriptions::types().join(QStringLiteral(", "))));
    if (const QString problem = storeProblem(); !problem.isEmpty())
        return cliFailure(problem);
    if (const QString problem = outputProblem(out, {}, OutputKind::Document); !problem.isEmpty())
        return cliFailure(problem);
    // As File > New: an empty document, then saved under the new name.
    const FormTable *table = FormTables::find(type);
    if (!table)
        return cliFailure(QStringLiteral("the %1 form is not built in this version").arg(type));
    FormDocument document(*table);
    document.reset();
    // The document has said which file failed, the document or its sketch, and why.
    if (!document.saveFile(out))
        return Exit::Failure;
    return Exit::Ok;
}

} // namespace

CliMode newMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kNew,
        QStringLiteral("Create a new document of TYPE (%1) as File > New does, with the default company "
                       "profile, and save it to OUT.wrp with its sketch picture.")
            .arg(FormDescriptions::types().join(QStringLiteral(", "))),
        QStringLiteral("TYPE"));
    mode.run = runNew;
    return mode;
}

} // namespace Brenvik
