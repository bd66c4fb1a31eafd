// --export-pdf and --print-fields: a document's report without a window on screen. The file
// opens in the window of its form type as File > Open does, the report is prepared as View
// Report does, then its pages go to one PDF, or its data elements to stdout.

#include "register/bulkexport.h"
#include "report/formreport.h"
#include "report/reportjob.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace Brenvik {

namespace {

const QString kExportPdf = QStringLiteral("export-pdf");
const QString kPrintFields = QStringLiteral("print-fields");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --export-pdf OUT.pdf FILE.wrp"),
                              QStringLiteral("brenvik [--data-dir DIR] --print-fields FILE.wrp")});
}

// The prepared report of file, opened in the window of its form type; null (and *error set)
// when the file cannot be opened or its type has no report.
FormReport *openReport(BulkExport &opener, const QString &file, QString *error)
{
    if (const QString problem = inputProblem(file); !problem.isEmpty()) {
        *error = problem;
        return nullptr;
    }
    return opener.openReport(file, error);
}

int runExportPdf(const QCommandLineParser &parser, const QStringList &positional)
{
    const QString out = parser.value(kExportPdf);
    if (out.isEmpty())
        return usage(QStringLiteral("--export-pdf needs the name of the PDF to write"));
    if (positional.size() != 1)
        return usage(QStringLiteral("--export-pdf takes exactly one document file"));
    if (const QString problem = outputProblem(out, positional, OutputKind::Pdf); !problem.isEmpty())
        return cliFailure(problem);
    QString error;
    BulkExport opener;
    FormReport *report = openReport(opener, positional.first(), &error);
    if (!report)
        return cliFailure(error);
    const ReportJob job = ReportJob::fromReport(*report);
    QStringList cutFields;
    if (!job.writePdf(out, &error, &cutFields))
        return cliFailure(error);
    // The file is written and holds everything that fits; what does not is named, not hidden.
    const QString cut = ReportJob::cutMessage(cutFields);
    if (!cut.isEmpty())
        QTextStream(stderr) << "brenvik: " << out << ": " << cut << Qt::endl;
    return Exit::Ok;
}

int runPrintFields(const QCommandLineParser &, const QStringList &positional)
{
    if (positional.size() != 1)
        return usage(QStringLiteral("--print-fields takes exactly one document file"));
    QString error;
    BulkExport opener;
    FormReport *report = openReport(opener, positional.first(), &error);
    if (!report)
        return cliFailure(error);
    QByteArray text;
    for (const QString &line : ReportJob::fromReport(*report).fieldLines())
        text += line.toUtf8() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    return Exit::Ok;
}

} // namespace

CliMode exportPdfMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kExportPdf, QStringLiteral("Write the report of the document file (all its pages) to OUT.pdf."),
        QStringLiteral("OUT.pdf"));
    mode.run = runExportPdf;
    return mode;
}

CliMode printFieldsMode()
{
    CliMode mode;
    mode.selector = QCommandLineOption(
        kPrintFields,
        QStringLiteral("Print the filled data elements of the document file's report, one PAGE:NAME=VALUE "
                       "line each."));
    mode.run = runPrintFields;
    return mode;
}

} // namespace Brenvik
