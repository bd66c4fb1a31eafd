// --list and --export-pdf-dir: the document register without a window. --list prints every
// document below a folder as the register shows it; --export-pdf-dir writes the reports of
// many documents in one process, one hidden window per form type.

#include "register/bulkexport.h"
#include "register/registerscan.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace Brenvik {

namespace {

const QString kList = QStringLiteral("list");
const QString kExportPdfDir = QStringLiteral("export-pdf-dir");

int usage(const QString &problem)
{
    return cliUsage(problem,
                    {QStringLiteral("brenvik --list DIR"),
                     QStringLiteral("brenvik [--data-dir DIR] --export-pdf-dir OUTDIR FILE.wrp...")});
}

// A cell on one line of its own: tabs and line breaks would shift the columns, and readers
// split lines on more than a line feed (vertical tab, form feed, the separators U+001C to
// U+001F, U+0085, U+2028 and U+2029). Every control character becomes a blank.
QString flat(QString text)
{
    for (QChar &c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return text;
}

int runList(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString folder = parser.value(kList);
    if (folder.isEmpty())
        return usage(QStringLiteral("--list needs the folder to list"));
    if (!positional.isEmpty())
        return usage(QStringLiteral("--list takes no document files"));
    RegisterScan scan;
    QList<RegisterEntry> entries;
    if (!scan.scan(folder, &entries)) {
        const QFileInfo info(folder);
        QTextStream(stderr) << "brenvik: cannot read the folder " << folder
                            << (!info.exists() ? ": no such folder" : !info.isDir() ? ": it is a file, not a folder" : "")
                            << Qt::endl;
        return Exit::Failure;
    }
    QString text = RegisterEntry::headings().join(QLatin1Char('\t')) + QLatin1Char('\n');
    int unreached = 0;
    for (const RegisterEntry &entry : std::as_const(entries)) {
        if (entry.unreached) {
            ++unreached;
            QTextStream(stderr) << "brenvik: " << flat(entry.relativePath) << ": " << entry.problem << Qt::endl;
        }
        QStringList cells;
        for (int c = 0; c < RegisterEntry::ColumnCount; ++c)
            cells << flat(entry.cell(c));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    // Listed all the same, but the register of DIR is not whole.
    return unreached ? Exit::Failure : Exit::Ok;
}

int runExportPdfDir(const QCommandLineParser &parser, const QStringList &documents)
{
    const QString folder = parser.value(kExportPdfDir);
    if (folder.isEmpty())
        return usage(QStringLiteral("--export-pdf-dir needs the folder to write the PDF files to"));
    if (documents.isEmpty())
        return usage(QStringLiteral("--export-pdf-dir needs at least one document file"));
    QTextStream err(stderr);
    // Two documents of one name would give one PDF, the later replacing the earlier: neither
    // is written, and nothing else either, until the list is mended.
    QStringList clashes;
    BulkExport::sharedNames(documents, &clashes);
    if (!clashes.isEmpty()) {
        for (const QString &clash : std::as_const(clashes))
            err << "brenvik: " << clash << Qt::endl;
        return usage(QStringLiteral("each document needs a PDF name of its own; nothing was written"));
    }
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        err << "brenvik: cannot make the folder " << folder << Qt::endl;
        return Exit::Failure;
    }
    // No PDF lands on one of the documents, their sketches or any other document of ours.
    const ReadInputs inputs(documents);
    BulkExport exporter([&inputs](const QString &pdf, const QString &) { return pdfOutputProblem(pdf, inputs); });
    const QStringList pdfs = BulkExport::pdfPaths(folder, documents);
    int failed = 0;
    exporter.exportAll(documents, pdfs, [&](qsizetype i, const QString &error, const QStringList &notes) {
        if (!error.isEmpty()) {
            err << "brenvik: " << error << Qt::endl;
            ++failed;
        }
        for (const QString &note : notes)
            err << "brenvik: " << pdfs.at(i) << ": " << note << Qt::endl;
    });
    if (failed)
        err << "brenvik: " << failed << " of " << documents.size() << " documents were not exported"
            << Qt::endl;
    return failed ? Exit::Failure : Exit::Ok;
}

} // namespace

CliMode listMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kList,
        QStringLiteral(
            "Print the register of every document below DIR (subfolders included) as tab-separated "
            "lines, a heading line first; dates as yyyy-MM-dd."),
        QStringLiteral("DIR"));
    mode.run = runList;
    return mode;
}

CliMode exportPdfDirMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kExportPdfDir,
        QStringLiteral("Write the report of each document file given to OUTDIR, as a PDF named after the "
                       "document; failures are named and the others still written."),
        QStringLiteral("OUTDIR"));
    mode.run = runExportPdfDir;
    return mode;
}

} // namespace Brenvik
