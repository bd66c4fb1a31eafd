// The headless modes of the command line, in the order --help lists them.
//
// A new mode lives in its own file, src/shell/cli_<mode>.cpp, which defines
// `CliMode <mode>Mode();`. Adding it here takes two lines: its declaration below and its
// name in kModes.

#include "shell/climode.h"

#include <QTextStream>

namespace Brenvik {

CliMode newMode();
CliMode resaveMode();
CliMode exportPdfMode();
CliMode printFieldsMode();
CliMode batchMode();
CliMode wpsFromMode();
CliMode checkMode();
CliMode listMode();
CliMode exportPdfDirMode();
CliMode continuityMode();
CliMode logUseMode();
CliMode weldersForMode();
CliMode diffMode();

namespace {

using ModeFactory = CliMode (*)();

// clang-format off
const ModeFactory kModes[] = {
    newMode,
    resaveMode,
    exportPdfMode,
    printFieldsMode,
    batchMode,
    wpsFromMode,
    checkMode,
    listMode,
    exportPdfDirMode,
    continuityMode,
    logUseMode,
    weldersForMode,
    diffMode,
};
// clang-format on

} // namespace

QList<CliMode> cliModes()
{
    QList<CliMode> modes;
    for (ModeFactory make : kModes)
        modes.append(make());
    return modes;
}

int cliUsage(const QString &problem, const QStringList &usageLines)
{
    QTextStream err(stderr);
    err << "brenvik: " << problem << Qt::endl;
    for (qsizetype i = 0; i < usageLines.size(); ++i)
        err << (i == 0 ? "usage: " : "       ") << usageLines.at(i) << Qt::endl;
    return Exit::Usage;
}

int cliFailure(const QString &message)
{
    QTextStream(stderr) << "brenvik: " << message << Qt::endl;
    return Exit::Failure;
}

} // namespace Brenvik
