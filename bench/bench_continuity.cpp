// The welders of a large shop: brenvik --continuity over 1,000 WPQ files in ten subfolders (the
// two shipped welders in turn, each with an identification of its own), timed as a foreman's
// script runs it: a fresh process each time, cold start included. The goal is under 0.5 s.
// Usage: bench_continuity [runs]. Prints the median and the spread in milliseconds.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool makeWelders(const QString &root, int count)
{
    const QString examples = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/");
    const QList<QByteArray> bodies = {readFile(examples + QStringLiteral("wpq-example.wrp")),
                                      readFile(examples + QStringLiteral("wpq-example-2.wrp"))};
    for (int i = 0; i < count; ++i) {
        const QString folder = QStringLiteral("%1/site-%2").arg(root).arg(i % 10);
        QDir().mkpath(folder);
        QByteArray body = bodies.at(i % 2);
        const QByteArray key = "\r\nwelderId=";
        const int at = body.indexOf(key);
        if (at < 0)
            return false;
        body.insert(at + key.size(), "N" + QByteArray::number(i) + "-");
        QFile f(QStringLiteral("%1/welder-%2.wrp").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(body) != body.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("welders"));
    if (!makeWelders(root, 1000))
        return 1;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik");
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(program, {QStringLiteral("--continuity"), root, QStringLiteral("--on"), QStringLiteral("2026-03-01")});
        // Half the welders have lapsed in GTAW on that day: exit 1, two lines per welder.
        if (!process.waitForFinished(60000) || process.exitCode() != 1
            || process.readAllStandardOutput().count('\n') != 2001)
            return 1;
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    QTextStream(stdout) << "brenvik --continuity, 1,000 WPQ files, cold start included: median "
                        << times.at(times.size() / 2) << " ms, min " << times.first() << " ms, max " << times.last()
                        << " ms over " << times.size() << " runs\n";
    return 0;
}
