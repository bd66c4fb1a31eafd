// --check: a WPS checked against the qualification records that support it, one line per
// rule: "<paragraph> <subject>: <holds|exceeds|cannot tell> (<details>)". Exit 0 only when every
// rule holds, 1 when one is exceeded or a file cannot be read, 3 when none is exceeded but one
// cannot be told, 2 on a usage error. --toughness: the work requires toughness.

#include "core/profilefile.h"
#include "document/formdescription.h"
#include "qualify/qualifycheck.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QFileInfo>
#include <QTextStream>

namespace Brenvik {

namespace {

const QString kCheck = QStringLiteral("check");
const QString kToughness = QStringLiteral("toughness");
// Nothing exceeded, but a rule could not be told: not verified.
constexpr int kCannotTell = 3;

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --check WPS.wrp [--toughness] RECORD.wrp...")});
}

// The document of a file when it is of the type wanted; else a message naming the file.
QString readForm(const QString &file, const QString &type, const QString &what, QualifyForm *form)
{
    if (const QString problem = inputProblem(file); !problem.isEmpty())
        return problem;
    ProfileFile profile(file, ProfileFile::Kind::Document);
    if (!profile.load())
        return QStringLiteral("cannot open %1: the file cannot be read").arg(file);
    *form = QualifyForm::fromProfile(profile, QFileInfo(file).fileName());
    if (form->formType() != type)
        return QStringLiteral("%1 is not a %2 (its form type is \"%3\")").arg(file, what, form->formType());
    return QString();
}

int runCheck(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString wpsFile = parser.value(kCheck);
    if (wpsFile.isEmpty())
        return usage(QStringLiteral("--check needs the WPS file"));
    if (positional.isEmpty())
        return usage(QStringLiteral("--check needs at least one qualification record (WPQR) file"));
    QTextStream err(stderr);
    const FormDescription *procedure = FormDescriptions::withRole(FormRole::Procedure);
    const FormDescription *recordType = FormDescriptions::withRole(FormRole::ProcedureRecord);
    if (!procedure || !recordType)
        return cliFailure(QStringLiteral("the procedure check is not built in this version"));
    QualifyForm wps;
    if (const QString problem = readForm(wpsFile, procedure->formType, procedure->shownAs, &wps);
        !problem.isEmpty()) {
        err << "brenvik: " << problem << Qt::endl;
        return Exit::Failure;
    }
    QList<QualifyForm> records;
    for (const QString &file : positional) {
        QualifyForm record;
        if (const QString problem = readForm(file, recordType->formType, recordType->shownAs, &record);
            !problem.isEmpty()) {
            err << "brenvik: " << problem << Qt::endl;
            return Exit::Failure;
        }
        records << record;
    }
    CheckOptions options;
    options.toughnessRequired = parser.isSet(kToughness);
    const QList<Verdict> verdicts = QualifyCheck::run(wps, records, options);
    QTextStream out(stdout);
    for (const Verdict &v : verdicts)
        out << v.line() << Qt::endl;
    switch (QualifyCheck::overall(verdicts)) {
    case Outcome::Holds:
        return Exit::Ok;
    case Outcome::Exceeds:
        return Exit::Failure;
    case Outcome::CannotTell:
        break;
    }
    return kCannotTell;
}

} // namespace

CliMode checkMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kCheck,
        QStringLiteral(
            "Check the WPS against the qualification records (WPQR files) that support it and print "
            "one line per rule; exit 0 when every rule holds, 1 when a rule is exceeded, 3 when a rule cannot "
            "be told."),
        QStringLiteral("WPS.wrp"));
    mode.options << QCommandLineOption(kToughness, QStringLiteral("With --check: the work requires toughness, so the "
                                                                  "supplementary essential variables apply."));
    mode.run = runCheck;
    return mode;
}

} // namespace Brenvik
