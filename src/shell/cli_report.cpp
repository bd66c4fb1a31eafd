// --export-pdf and --print-fields: a document's report without a window on screen. The file
// opens in the window of its form type as File > Open does, the report is prepared as View
// Report does, then its pages go to one PDF, or its data elements to stdout.

#include "core/documentwindow.h"
#include "core/profilefile.h"
#include "document/formwindow.h"
#include "report/formreport.h"
#include "report/reportjob.h"
#include "shell/clifiles.h"
#include "shell/climode.h"

#include <QFileInfo>
#include <QTextStream>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace Brenvik {

namespace {

const QString kExportPdf = QStringLiteral("export-pdf");
const QString kPrintFields = QStringLiteral("print-fields");

int usage(const QString &problem)
{
    return cliUsage(problem, {QStringLiteral("brenvik [--data-dir DIR] --export-pdf OUT.pdf FILE.wrp"),
                              QStringLiteral("brenvik [--data-dir DIR] --print-fields FILE.wrp")});
}

// The document opened in its window, and the window's prepared report.
struct OpenedReport {
    std::unique_ptr<QWidget> window;
    FormReport *report = nullptr;
};

// Null report (and *error set) when the file cannot be opened or its type has no report.
OpenedReport openReport(const QString &file, QString *error)
{
    OpenedReport opened;
    if (const QString problem = inputProblem(file); !problem.isEmpty()) {
        *error = problem;
        return opened;
    }
    ProfileFile profile(file, ProfileFile::Kind::Document);
    if (!profile.load()) {
        *error = QStringLiteral("cannot open %1: the file cannot be read").arg(file);
        return opened;
    }
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    DocumentWindow *document = DocumentRegistry::instance().create(type, nullptr);
    if (!document) {
        *error = type.isEmpty() ? QStringLiteral("cannot open %1: it has no form type").arg(file)
                                : QStringLiteral("cannot open %1: unknown form type \"%2\"").arg(file, type);
        return opened;
    }
    opened.window.reset(document->widget());
    if (!document->openFile(file)) {
        *error = QStringLiteral("cannot open %1").arg(file);
        return opened;
    }
    auto *form = dynamic_cast<FormWindow *>(document);
    opened.report = form ? form->prepareReport() : nullptr;
    if (!opened.report)
        *error = QStringLiteral("%1: form type \"%2\" has no report yet").arg(file, type);
    return opened;
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
    const OpenedReport opened = openReport(positional.first(), &error);
    if (!opened.report)
        return cliFailure(error);
    const ReportJob job = ReportJob::fromReport(*opened.report);
    if (!job.writePdf(out, &error))
        return cliFailure(error);
    // The file is written and holds everything that fits; what does not is named, not hidden.
    const QString cut = job.cutMessage();
    if (!cut.isEmpty())
        QTextStream(stderr) << "brenvik: " << out << ": " << cut << Qt::endl;
    return Exit::Ok;
}

int runPrintFields(const QCommandLineParser &, const QStringList &positional)
{
    if (positional.size() != 1)
        return usage(QStringLiteral("--print-fields takes exactly one document file"));
    QString error;
    const OpenedReport opened = openReport(positional.first(), &error);
    if (!opened.report)
        return cliFailure(error);
    QByteArray text;
    for (const QString &line : ReportJob::fromReport(*opened.report).fieldLines())
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
