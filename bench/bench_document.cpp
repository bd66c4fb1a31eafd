// The cost of a document, side by side in one run (use a release build):
//   1. the whole process: brenvik --export-pdf of the WPS example against brenvik --version;
//   2. the bulk export: brenvik --export-pdf-dir over 100 documents, per document;
//   3. opening a document window for a file already read, in process.
// Usage: bench_document [runs]. Prints medians in milliseconds and the ratios to aim at
// (PDF at most 3x --version, at most 15 ms a document in bulk, a window under 15 ms). Beside
// each whole-process figure, the processor time the program used (user and system, a mean),
// which other work on a busy machine changes far less than the time on the clock.

#include "core/documentwindow.h"
#include "document/formdocument.h"
#include "forms/formregistry.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>

#include <sys/resource.h>

using namespace Brenvik;

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// The processor time of the children waited for so far, in milliseconds.
double childrenCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double timeRuns(int runs, const std::function<void()> &run, double *cpu = nullptr)
{
    const double cpuBefore = childrenCpu();
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times << timer.nsecsElapsed() / 1e6;
    }
    if (cpu)
        *cpu = (childrenCpu() - cpuBefore) / runs;
    return median(times);
}

// Runs the program to its end; aborts the benchmark when it fails.
void runProgram(const QStringList &arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTextStream(stderr) << "bench_document: brenvik " << arguments.join(QLatin1Char(' ')) << " failed: "
                            << process.readAllStandardError() << Qt::endl;
        std::exit(1);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    const QString examples = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/");
    const QString wps = examples + QStringLiteral("wps-example.wrp");
    QTemporaryDir dir;
    QTextStream out(stdout);

    double versionCpu = 0, pdfCpu = 0, bulkCpu = 0;
    const double version = timeRuns(runs, [] { runProgram({QStringLiteral("--version")}); }, &versionCpu);
    const double pdf = timeRuns(runs, [&] {
        runProgram({QStringLiteral("--export-pdf"), dir.filePath(QStringLiteral("wps.pdf")), wps});
    }, &pdfCpu);
    out << "whole process: --version " << version << " ms, --export-pdf (WPS) " << pdf << " ms, ratio "
        << pdf / version << " (at most 3); processor " << versionCpu << " ms and " << pdfCpu << " ms" << Qt::endl;

    // 100 documents: copies of the four examples in turn, each with its sketch.
    QStringList documents;
    const QStringList names = {QStringLiteral("wpds-example"), QStringLiteral("pqr-example"),
                               QStringLiteral("wpqr-example"), QStringLiteral("wps-example")};
    for (int i = 0; i < 100; ++i) {
        const QString name = names.at(i % names.size());
        const QString copy = dir.filePath(QStringLiteral("doc%1.wrp").arg(i, 3, 10, QLatin1Char('0')));
        QFile::copy(examples + name + QStringLiteral(".wrp"), copy);
        QFile::copy(examples + name + QStringLiteral("_img.bmp"),
                    dir.filePath(QStringLiteral("doc%1_img.bmp").arg(i, 3, 10, QLatin1Char('0'))));
        documents << copy;
    }
    QDir(dir.path()).mkdir(QStringLiteral("pdf"));
    const double bulk = timeRuns(std::max(1, runs / 5), [&] {
        runProgram(QStringList{QStringLiteral("--export-pdf-dir"), dir.filePath(QStringLiteral("pdf"))} + documents);
    }, &bulkCpu);
    out << "bulk export: " << bulk << " ms for 100 documents, " << bulk / 100 << " ms a document (at most 15); processor "
        << bulkCpu / 100 << " ms a document" << Qt::endl;

    // A window for a file already read: the file is in the system's cache after the first.
    ScriptedPlatform platform;
    TempData data(true);
    registerForms();
    QString error;
    const QString type = FormDocument::read(wps, &error, nullptr)->formType();
    const double window = timeRuns(runs, [&] {
        DocumentWindow *document = DocumentRegistry::instance().create(type, nullptr);
        const std::unique_ptr<QWidget> widget(document->widget());
        document->openFile(wps);
    });
    DocumentWindow *built = DocumentRegistry::instance().create(type, nullptr);
    const std::unique_ptr<QWidget> builtWidget(built->widget());
    const double shown = timeRuns(runs, [&] { built->openFile(wps); });
    out << "document window: " << window << " ms to build one and open the WPS example, " << shown
        << " ms to open it in a window already built (under 15)" << Qt::endl;
    return 0;
}
