// The document register at scale: brenvik --list over 1,000 documents in ten subfolders, timed
// as a user runs it (a fresh process each time, cold start included); a rescan of the same
// folder in process after one file changed; and the bulk PDF export of 100 documents in one
// process, one hidden window per form type.
// Usage: bench_register [runs]. Prints the median and the spread in milliseconds.

#include "forms/formregistry.h"
#include "register/bulkexport.h"
#include "register/registerscan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <functional>

using namespace Brenvik;

namespace {

const char *const kExamples[] = {"wpds-example.wrp", "pqr-example.wrp", "wpqr-example.wrp", "wps-example.wrp"};
const char *const kNumberKeys[] = {"wpdsNo=", "testPlateNo=", "PQRNo=", "wpsNo="};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// count documents below root, the four examples in turn, each with a number of its own.
QStringList makeDocuments(const QString &root, int count)
{
    const QString examples = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/");
    QList<QByteArray> bodies;
    for (const char *name : kExamples)
        bodies << readFile(examples + QLatin1String(name));
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString folder = QStringLiteral("%1/site-%2").arg(root).arg(i % 10);
        QDir().mkpath(folder);
        QByteArray body = bodies.at(i % 4);
        const QByteArray key = QByteArray("\r\n") + kNumberKeys[i % 4];
        const int at = body.indexOf(key);
        if (at >= 0)
            body.insert(at + key.size(), "N" + QByteArray::number(i) + "-");
        const QString path = QStringLiteral("%1/doc-%2.wrp").arg(folder).arg(i, 4, 10, QLatin1Char('0'));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(body);
        paths << path;
    }
    return paths;
}

void report(const QString &what, QList<double> times)
{
    std::sort(times.begin(), times.end());
    QTextStream(stdout) << what << ": median " << times.at(times.size() / 2) << " ms, min " << times.first()
                        << " ms, max " << times.last() << " ms over " << times.size() << " runs\n";
}

QList<double> timed(int runs, const std::function<bool()> &step)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!step())
            return {};
        times << timer.nsecsElapsed() / 1e6;
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerForms();
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    QTemporaryDir dir;
    const QStringList documents = makeDocuments(dir.filePath(QStringLiteral("docs")), 1000);

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik");
    QList<double> list = timed(runs, [&] {
        QProcess process;
        process.start(program, {QStringLiteral("--list"), dir.filePath(QStringLiteral("docs"))});
        return process.waitForFinished(60000) && process.exitCode() == 0 &&
               process.readAllStandardOutput().count('\n') == 1001;
    });
    if (list.isEmpty())
        return 1;
    report(QStringLiteral("brenvik --list, 1,000 documents, cold start included"), list);

    RegisterScan scan;
    QList<RegisterEntry> entries;
    scan.scan(dir.filePath(QStringLiteral("docs")), &entries);
    int n = 0;
    report(QStringLiteral("rescan of 1,000 documents, one changed"), timed(runs, [&] {
               QFile f(documents.at(n++ % documents.size()));
               if (!f.open(QIODevice::Append))
                   return false;
               f.write("remarks=touched\r\n");
               f.close();
               return scan.scan(dir.filePath(QStringLiteral("docs")), &entries) && scan.filesRead() == 1;
           }));

    // Wall time counts what the machine lets this process have; the processor time beside it
    // tells a busy machine from a slow export.
    const std::clock_t cpuStart = std::clock();
    const QStringList hundred = documents.mid(0, 100);
    const QStringList pdfs = BulkExport::pdfPaths(dir.filePath(QStringLiteral("pdf")), hundred);
    QDir().mkpath(dir.filePath(QStringLiteral("pdf")));
    report(QStringLiteral("bulk export of 100 documents to PDF, one process"), timed(qMax(1, runs / 3), [&] {
               BulkExport exporter;
               QString error;
               for (int i = 0; i < hundred.size(); ++i)
                   if (!exporter.exportOne(hundred.at(i), pdfs.at(i), &error)) {
                       QTextStream(stderr) << error << "\n";
                       return false;
                   }
               return true;
           }));
    QTextStream(stdout) << "  processor time of the exports: " << (std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC
                        << " ms for " << qMax(1, runs / 3) << " runs\n";
    return 0;
}
