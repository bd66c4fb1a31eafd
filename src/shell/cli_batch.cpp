// --batch: the batch editor without its window. The command line is the confirmation, so
// nothing is asked; a missing destination folder is made with its parents.

#include "duplicator/duplicatorrun.h"
#include "shell/climode.h"

#include <QTextStream>

namespace Brenvik {

namespace {

class BatchListener final : public DuplicatorRun::Listener {
public:
    bool confirmModify() override { return true; }
    bool confirmCreateFolder(const QString &) override { return true; }
    void logLine(const QString &line) override { m_out << line << Qt::endl; }

private:
    QTextStream m_out{stdout};
};

const QString kCompany = QStringLiteral("company");
const QString kAddress = QStringLiteral("address");
const QString kCopyTo = QStringLiteral("copy-to");

int usage(const QString &problem)
{
    return cliUsage(
        problem,
        {QStringLiteral(
            "brenvik [--data-dir DIR] --batch --company TEXT --address TEXT [--copy-to DIR] FILE.wrp...")});
}

int runBatch(const QCommandLineParser &parser, const QStringList &positional)
{
    if (!parser.isSet(kCompany))
        return usage(QStringLiteral("--company is required (an empty text empties the field)"));
    if (!parser.isSet(kAddress))
        return usage(QStringLiteral("--address is required (an empty text empties the field)"));
    if (positional.isEmpty())
        return usage(QStringLiteral("no document file given"));

    DuplicatorRun::Settings settings;
    settings.sources = positional;
    settings.company = parser.value(kCompany);
    settings.address = parser.value(kAddress);
    settings.createParents = true;
    if (parser.isSet(kCopyTo)) {
        // An empty folder name would put the copies wherever the program was started.
        if (parser.value(kCopyTo).trimmed().isEmpty())
            return usage(QStringLiteral("--copy-to needs the folder to copy into"));
        settings.mode = DuplicatorRun::Mode::Copy;
        settings.newPath = parser.value(kCopyTo);
    } else {
        settings.mode = DuplicatorRun::Mode::Modify;
    }

    BatchListener listener;
    DuplicatorRun run(settings, listener);
    run.run();
    return run.allModified() ? Exit::Ok : Exit::Failure;
}

} // namespace

CliMode batchMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        QStringLiteral("batch"),
        QStringLiteral("Write a new company name and address into the document files, in place or, with "
                       "--copy-to, into copies."));
    mode.options = {
        QCommandLineOption(kCompany, QStringLiteral("New company name (--batch)."), QStringLiteral("TEXT")),
        QCommandLineOption(kAddress, QStringLiteral("New address (--batch)."), QStringLiteral("TEXT")),
        QCommandLineOption(kCopyTo, QStringLiteral("Write copies into this folder (--batch)."),
                           QStringLiteral("DIR")),
    };
    mode.run = runBatch;
    return mode;
}

} // namespace Brenvik
