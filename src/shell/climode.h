#pragma once
// The command line as a small registry of modes. The interactive start is the default mode;
// each headless mode (--resave, --export-pdf, --print-fields, --batch) is one entry, defined
// in its own file (cli_<mode>.cpp) and listed once in climodes.cpp.
//
// Contract of a headless mode: no display needed (the offscreen platform is chosen from argv
// before the application object exists, whatever QT_QPA_PLATFORM says); no dialog; no
// question; messages and warnings to stderr; results to stdout; exit 0 when done (warnings
// included), 1 on failure, 2 on a usage error.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <functional>

namespace Brenvik {

namespace Exit {
inline constexpr int Ok = 0;
inline constexpr int Failure = 1;
inline constexpr int Usage = 2;
} // namespace Exit

struct CliMode {
    // The option that selects the mode (e.g. "export-pdf"); its value name when it takes one.
    QCommandLineOption selector{QStringLiteral("unset")};
    // Further options only this mode reads.
    QList<QCommandLineOption> options;
    // Runs with the application object built and the data folder set. positional holds the
    // non-option arguments. Usage errors print a line to stderr and return Exit::Usage.
    std::function<int(const QCommandLineParser &parser, const QStringList &positional)> run;
};

// Every headless mode, in the order --help lists them.
QList<CliMode> cliModes();

// "brenvik: PROBLEM" and the mode's usage lines on stderr; returns Exit::Usage.
int cliUsage(const QString &problem, const QStringList &usageLines);
// "brenvik: MESSAGE" on stderr; returns Exit::Failure.
int cliFailure(const QString &message);

} // namespace Brenvik
