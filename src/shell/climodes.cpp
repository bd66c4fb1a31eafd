// The headless modes of the command line, in the order --help lists them.
//
// A new mode lives in its own file, src/shell/cli_<mode>.cpp, which defines
// `CliMode <mode>Mode();`. Adding it here takes two lines: its declaration below and its
// name in kModes.

#include "shell/climode.h"

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

namespace {

using ModeFactory = CliMode (*)();

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
};

} // namespace

QList<CliMode> cliModes()
{
    QList<CliMode> modes;
    for (ModeFactory make : kModes)
        modes.append(make());
    return modes;
}

} // namespace Brenvik
