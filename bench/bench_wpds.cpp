// Timings of the WPDS window: creating it, opening a filled document, saving it (both files,
// each an atomic replacement with its sync), and what the sync alone costs. Medians printed;
// run from a release build, offscreen.

#include "core/appstate.h"
#include "core/platform.h"
#include "forms/wpds/twpds.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Brenvik;

namespace {

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    TempData data(true);
    QTemporaryDir dir;
    const QString example = QCoreApplication::applicationDirPath() + "/examples/wpds-example.wrp";
    if (!QFile::exists(example)) {
        std::fprintf(stderr, "bench_wpds: %s is missing\n", qPrintable(example));
        return 1;
    }
    { TWPDS warmUp; }

    const double create = medianMs(21, [] { TWPDS w; });

    TWPDS w;
    const double open = medianMs(51, [&] { w.openFile(example); });

    const QString target = dir.filePath("bench.wrp");
    w.openFile(example);
    w.setFileName(target);
    const double save = medianMs(51, [&] { w.saveFile(target); });
    const double saveDocumentOnly = medianMs(51, [&] {
        // The document file alone: what the save costs without its sketch picture.
        QSaveFile f(target);
        f.open(QIODevice::WriteOnly);
        f.write(readAll(example));
        f.commit();
    });
    const QByteArray bytes = readAll(example);
    const double plainWrite = medianMs(51, [&] {
        QFile f(dir.filePath("plain.wrp"));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    });

    std::printf("create WPDS window     %8.2f ms (median of 21)\n", create);
    std::printf("open filled WPDS file  %8.2f ms (median of 51)\n", open);
    std::printf("save filled WPDS file  %8.2f ms (median of 51; document and sketch, two atomic writes)\n", save);
    std::printf("  atomic write of the document bytes alone %6.2f ms, plain unsynced write %6.2f ms\n",
                saveDocumentOnly, plainWrite);
    std::printf("  so one sync costs about %.2f ms\n", saveDocumentOnly - plainWrite);
    return 0;
}
