// --diff: two documents of one type compared field by field, one line per difference:
// "<page> / <label>: <old> -> <new>". Exit 0 when no field differs, 1 when some do, 2 on a
// usage error or a file that cannot be read as a document (a script must not take an unread
// file for "no difference").

#include "core/profilefile.h"
#include "document/control/controlrecord.h"
#include "document/control/documentcompare.h"
#include "document/formdocument.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QTextStream>

#include <cstdio>

namespace Brenvik {

namespace {

const QString kDiff = QStringLiteral("diff");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik --diff A.wrp B.wrp")});
}

// The reason file cannot be compared, else empty.
QString readDocument(const QString &file, ProfileFile &profile)
{
    if (const QString problem = inputProblem(file); !problem.isEmpty())
        return problem;
    if (!profile.load())
        return QStringLiteral("cannot open %1: the file cannot be read").arg(file);
    if (!profile.hasSection(QStringLiteral("contents")))
        return QStringLiteral("%1 is not a welding document: no [contents] section").arg(file);
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    if (!FormTables::find(type))
        return QStringLiteral("%1 has an unknown form type \"%2\"").arg(file, type);
    return QString();
}

int runDiff(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString first = parser.value(kDiff);
    if (first.isEmpty() || positional.size() != 1)
        return usage(QStringLiteral("--diff takes exactly two document files"));
    const QString second = positional.first();
    ProfileFile a(first, ProfileFile::Kind::Document);
    ProfileFile b(second, ProfileFile::Kind::Document);
    for (auto [file, profile] : {std::pair{first, &a}, std::pair{second, &b}})
        if (const QString problem = readDocument(file, *profile); !problem.isEmpty())
            return usage(problem);
    const QString type = a.value(QStringLiteral("contents"), QStringLiteral("formType"));
    if (type != b.value(QStringLiteral("contents"), QStringLiteral("formType")))
        return usage(QStringLiteral("%1 and %2 are documents of different types").arg(first, second));

    QString text;
    const QList<FieldDifference> differences =
        DocumentCompare(*FormTables::find(type)).compare(a, b, pictureBytesOf(first), pictureBytesOf(second));
    for (const FieldDifference &d : differences)
        text += d.line() + QLatin1Char('\n');
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    return differences.isEmpty() ? Exit::Ok : Exit::Failure;
}

} // namespace

CliMode diffMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kDiff,
        QStringLiteral("Compare two documents of one type field by field: one line \"<page> / <label>: <old> -> "
                       "<new>\" per difference; exit 0 when none differ, 1 when some do."),
        QStringLiteral("A.wrp"));
    mode.run = runDiff;
    return mode;
}

} // namespace Brenvik
