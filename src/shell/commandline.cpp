#include "shell/commandline.h"

#include "core/appstate.h"
#include "forms/formregistry.h"
#include "shell/climode.h"
#include "shell/formsoffered.h"
#include "shell/interactive.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace Brenvik {

namespace {

void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        QTextStream(stderr) << message << Qt::endl;
        std::abort();
    }
}

// Whether argv selects a headless mode; decided before the application object exists, so
// that the offscreen platform can be chosen without a display.
bool selectsHeadlessMode(int argc, char *argv[], const QList<CliMode> &modes)
{
    for (int i = 1; i < argc; ++i) {
        QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--"))
            break;
        if (!arg.startsWith(QLatin1Char('-')))
            continue;
        arg = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        arg = arg.section(QLatin1Char('='), 0, 0);
        for (const CliMode &mode : modes)
            if (mode.selector.names().contains(arg))
                return true;
    }
    return false;
}

int usageError(const QString &problem)
{
    QTextStream err(stderr);
    err << QCoreApplication::applicationName().toLower() << ": " << problem << Qt::endl
        << "Try 'brenvik --help' for more information." << Qt::endl;
    return Exit::Usage;
}

// The whole command line: the common options plus every mode's own.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption dataDir{QStringLiteral("data-dir"),
                               QStringLiteral("Folder of zoru.dat, zordrw.dat, zorc.dat and zor.hlp "
                                              "(default: the program's folder)."),
                               QStringLiteral("DIR")};
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    explicit Options(const QList<CliMode> &modes)
    {
        parser.setApplicationDescription(QStringLiteral("Welding procedure forms: ") + formsOffered());
        parser.addOption(dataDir);
        for (const CliMode &mode : modes) {
            parser.addOption(mode.selector);
            for (const QCommandLineOption &option : mode.options)
                parser.addOption(option);
        }
        parser.addPositionalArgument(QStringLiteral("FILE.wrp"), QStringLiteral("Document to open."),
                                     QStringLiteral("[FILE.wrp]"));
    }
};

} // namespace

int runBrenvik(int argc, char *argv[])
{
    // First: --help and --new name the document types whose windows are built.
    registerForms();
    const QList<CliMode> modes = cliModes();
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    // Decided before the application object exists, so that the offscreen platform can be
    // chosen: headless modes, --help, --version and usage errors never need a display.
    Options early(modes);
    const bool parsed = early.parser.parse(args);
    const bool noWindow = !parsed || early.parser.isSet(early.help) || early.parser.isSet(early.version) ||
                          selectsHeadlessMode(argc, argv, modes);
    // Whatever QT_QPA_PLATFORM says: a platform that wants a display (xcb) aborts without one.
    if (noWindow)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a window stderr holds the program's own messages only: Qt's notes about the
    // session it runs in ("XDG_RUNTIME_DIR not set", fonts, the offscreen platform) are not the
    // user's business there. BRENVIK_QT_DEBUG=1 lets them through.
    if (noWindow && qEnvironmentVariableIsEmpty("BRENVIK_QT_DEBUG"))
        qInstallMessageHandler(quietQtMessages);

    // Without a window nothing needs widgets: the headless modes read and write documents
    // through the document model, which needs fonts and painting only.
    std::unique_ptr<QGuiApplication> app;
    if (noWindow)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brenvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRENVIK_VERSION));

    // Qt names files in UTF-8: a name in another encoding could never be opened or written,
    // and would be reported as missing. Say what is wrong with it instead.
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QFile::decodeName(argv[i])) != QByteArray(argv[i])) {
            QTextStream(stderr) << "brenvik: the argument " << QString::fromLocal8Bit(argv[i])
                                << " is not valid UTF-8; rename the file to open it" << Qt::endl;
            return Exit::Failure;
        }
    }

    Options options(modes);
    QCommandLineParser &parser = options.parser;
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(options.help)) {
        QTextStream(stdout) << parser.helpText();
        return Exit::Ok;
    }
    if (parser.isSet(options.version)) {
        QTextStream(stdout) << "Brenvik " << BRENVIK_VERSION << Qt::endl;
        return Exit::Ok;
    }

    if (parser.isSet(options.dataDir)) {
        const QString dir = parser.value(options.dataDir);
        if (!QFileInfo(dir).isDir())
            return usageError(QStringLiteral("--data-dir: %1 is not a folder").arg(dir));
        AppState::instance().setDataDir(QDir(dir).absolutePath());
    }

    const CliMode *chosen = nullptr;
    for (const CliMode &mode : modes) {
        if (!parser.isSet(mode.selector))
            continue;
        if (chosen)
            return usageError(QStringLiteral("--%1 and --%2 cannot be combined")
                                  .arg(chosen->selector.names().constFirst(), mode.selector.names().constFirst()));
        chosen = &mode;
    }
    if (chosen) {
        AppState::instance().setHeadless(true);
        return chosen->run(parser, parser.positionalArguments());
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("only one document can be opened at a time"));
    return runInteractive(files.value(0));
}

} // namespace Brenvik
