// The welders of a shop without a window: --continuity lists each welder's processes with the
// last use, the expiry and the state (exit 1 when one has lapsed); --log-use records a use of
// a process in a welder's WPQ; --welders-for lists who may weld a WPS (exit 1 when nobody).

#include "core/dates.h"
#include "core/profilefile.h"
#include "document/formdescription.h"
#include "qualify/welderfit.h"
#include "shell/clifiles.h"
#include "shell/climode.h"
#include "welder/continuitylog.h"
#include "welder/welderscan.h"

#include <QDate>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace Brenvik {

namespace {

const QString kContinuity = QStringLiteral("continuity");
const QString kLogUse = QStringLiteral("log-use");
const QString kWeldersFor = QStringLiteral("welders-for");
const QString kOn = QStringLiteral("on");

const QStringList kUsage = {
    QStringLiteral("brenvik --continuity DIR [--on yyyy-MM-dd]"),
    QStringLiteral("brenvik --log-use DIR WELDER-ID PROCESS yyyy-MM-dd REFERENCE"),
    QStringLiteral("brenvik --welders-for WPS.wrp DIR [--on yyyy-MM-dd]"),
};

int usage(const QString &problem)
{
    return cliUsage(problem, kUsage);
}

// One cell of a tab-separated line: no tab or line break of a value may split it.
QString cell(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    return text;
}

QString line(const QStringList &cells)
{
    QStringList out;
    for (const QString &c : cells)
        out << cell(c);
    return out.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

void print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// The day asked about: --on, else today. False on a date that cannot be read.
bool dayAsked(const QCommandLineParser &parser, QDate *on)
{
    *on = QDate::currentDate();
    if (!parser.isSet(kOn))
        return true;
    *on = QDate::fromString(parser.value(kOn), QStringLiteral("yyyy-MM-dd"));
    return on->isValid();
}

bool scanWelders(const QString &folder, QList<WelderFile> *welders)
{
    QStringList problems;
    QString error;
    const bool ok = WelderScan::scan(folder, welders, &problems, &error);
    QTextStream err(stderr);
    for (const QString &p : problems)
        err << "brenvik: " << p << Qt::endl;
    if (!ok)
        err << "brenvik: " << error << Qt::endl;
    return ok;
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

int runContinuity(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString folder = parser.value(kContinuity);
    if (folder.isEmpty() || !positional.isEmpty())
        return usage(QStringLiteral("--continuity takes exactly one folder"));
    QDate on;
    if (!dayAsked(parser, &on))
        return usage(QStringLiteral("--on needs a date as yyyy-MM-dd, not \"%1\"").arg(parser.value(kOn)));
    QList<WelderFile> welders;
    if (!scanWelders(folder, &welders))
        return Exit::Failure;
    QString text = line({QStringLiteral("welder"), QStringLiteral("identification"), QStringLiteral("process"),
                         QStringLiteral("last use"), QStringLiteral("expires"), QStringLiteral("valid through"),
                         QStringLiteral("status"), QStringLiteral("file")});
    bool lapsed = false;
    for (const WelderFile &w : welders)
        for (const ProcessContinuity &p : w.record.continuity(on)) {
            lapsed = lapsed || p.state == ContinuityState::Lapsed;
            text += line({w.record.name(), w.record.id(), p.process, dateText(p.lastUse), dateText(p.expiry),
                          dateText(p.validThrough()), Continuity::stateWord(p.state), w.relativePath});
        }
    print(text);
    return lapsed ? Exit::Failure : Exit::Ok;
}

int runLogUse(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString folder = parser.value(kLogUse);
    if (folder.isEmpty() || positional.size() != 4)
        return usage(QStringLiteral("--log-use takes the folder, the welder's identification, the process, the "
                                    "date and the job or WPS"));
    ContinuityUse use;
    const QString id = positional.at(0).trimmed();
    use.process = positional.at(1).trimmed();
    use.date = QDate::fromString(positional.at(2).trimmed(), QStringLiteral("yyyy-MM-dd"));
    use.reference = positional.at(3).trimmed();
    if (!use.date.isValid())
        return usage(QStringLiteral("the date must be yyyy-MM-dd, not \"%1\"").arg(positional.at(2)));
    if (QualifyCheck::processes(use.process).size() != 1)
        return usage(QStringLiteral("\"%1\" names no one welding process").arg(use.process));
    use.recordedBy = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    if (use.recordedBy.isEmpty())
        use.recordedBy = QStringLiteral("brenvik --log-use");
    QList<WelderFile> welders;
    if (!scanWelders(folder, &welders))
        return Exit::Failure;
    QStringList matches;
    for (const WelderFile &w : welders)
        if (w.record.id().compare(id, Qt::CaseInsensitive) == 0)
            matches << w.path;
    if (matches.isEmpty())
        return cliFailure(QStringLiteral("no WPQ below %1 has the identification \"%2\"").arg(folder, id));
    if (matches.size() > 1)
        return cliFailure(QStringLiteral("the identification \"%1\" is on more than one WPQ: %2")
                              .arg(id, matches.join(QStringLiteral(", "))));
    QString error;
    if (!ContinuityLog::append(matches.first(), use, &error))
        return cliFailure(error);
    return Exit::Ok;
}

int runWeldersFor(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString wpsFile = parser.value(kWeldersFor);
    if (wpsFile.isEmpty() || positional.size() != 1)
        return usage(QStringLiteral("--welders-for takes the WPS file and one folder"));
    QDate on;
    if (!dayAsked(parser, &on))
        return usage(QStringLiteral("--on needs a date as yyyy-MM-dd, not \"%1\"").arg(parser.value(kOn)));
    if (const QString problem = inputProblem(wpsFile); !problem.isEmpty())
        return cliFailure(problem);
    ProfileFile file(wpsFile, ProfileFile::Kind::Document);
    if (!file.load())
        return cliFailure(QStringLiteral("cannot open %1: the file cannot be read").arg(wpsFile));
    const QualifyForm wps = QualifyForm::fromProfile(file, QFileInfo(wpsFile).fileName());
    const FormDescription *procedure = FormDescriptions::withRole(FormRole::Procedure);
    if (!procedure || wps.formType() != procedure->formType)
        return cliFailure(QStringLiteral("%1 is not a WPS (its form type is \"%2\")").arg(wpsFile, wps.formType()));
    QList<WelderFile> welders;
    if (!scanWelders(positional.first(), &welders))
        return Exit::Failure;
    QString text = line({QStringLiteral("identification"), QStringLiteral("welder"), QStringLiteral("rule"),
                         QStringLiteral("verdict"), QStringLiteral("details"), QStringLiteral("file")});
    bool anyone = false;
    for (const WelderFile &w : welders) {
        const QList<WelderVerdict> verdicts = WelderFit::run(wps, w.record, on);
        const bool qualified = WelderFit::qualified(verdicts);
        anyone = anyone || qualified;
        text += line({w.record.id(), w.record.name(), QStringLiteral("overall"),
                      qualified ? QStringLiteral("qualified") : WelderFit::outcomeWord(WelderFit::overall(verdicts)),
                      QString(), w.relativePath});
        for (const WelderVerdict &v : verdicts)
            text += line({w.record.id(), w.record.name(), v.paragraph + QLatin1Char(' ') + v.subject,
                          WelderFit::outcomeWord(v.outcome), v.details, w.relativePath});
    }
    print(text);
    return anyone ? Exit::Ok : Exit::Failure;
}

} // namespace

CliMode continuityMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kContinuity,
        QStringLiteral("Print each welder's processes below DIR with the last use, the expiry and the status "
                       "(current, expiring, lapsed, revoked); exit 1 when one has lapsed."),
        QStringLiteral("DIR"));
    mode.options = {QCommandLineOption(kOn, QStringLiteral("The day --continuity and --welders-for judge (default: today)."),
                                       QStringLiteral("yyyy-MM-dd"))};
    mode.run = runContinuity;
    return mode;
}

CliMode logUseMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kLogUse,
        QStringLiteral("Record that the welder WELDER-ID below DIR welded with PROCESS on DATE (yyyy-MM-dd) for "
                       "REFERENCE (a job or WPS): a row of the continuity grid of the welder's WPQ."),
        QStringLiteral("DIR"));
    mode.run = runLogUse;
    return mode;
}

CliMode weldersForMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kWeldersFor,
        QStringLiteral("List the welders below DIR whose current qualification covers the WPS, a line per "
                       "welder and variable; exit 1 when nobody is qualified."),
        QStringLiteral("WPS.wrp"));
    mode.run = runWeldersFor;
    return mode;
}

} // namespace Brenvik
