// Timings of the profile-file layer on a user-data store of about 1 MB: reading it, looking
// values up, listing every section, saving one value. Prints medians; run by hand.

#include "core/profilefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
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
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray generateStore(int targetBytes, int *sectionCount)
{
    QByteArray bytes = "[sync]\r\nwpdsNo=WPDS_wpdsNo\r\n\r\n";
    int s = 0;
    while (bytes.size() < targetBytes) {
        bytes += "[WPDS_field" + QByteArray::number(s) + "]\r\n";
        for (int k = 1; k <= 10; ++k)
            bytes += "fixed" + QByteArray::number(k) + "=Shipped value number " + QByteArray::number(k) + "\r\n";
        for (int k = 1; k <= 15; ++k)
            bytes += "user" + QByteArray::number(k) + "=User entry " + QByteArray::number(s * 100 + k) + " 3/8\" E7018\r\n";
        bytes += "\r\n";
        ++s;
    }
    *sectionCount = s;
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zoru.dat"));
    const QString empty = dir.filePath(QStringLiteral("empty.dat"));
    int sections = 0;
    const QByteArray store = generateStore(1 << 20, &sections);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(store);
        QFile e(empty);
        e.open(QIODevice::WriteOnly);
        e.write("[sync]\r\n");
    }
    std::printf("store: %lld bytes, %d sections\n", static_cast<long long>(store.size()), sections);

    QRandomGenerator rng(1);
    std::vector<std::pair<QString, QString>> lookups;
    for (int i = 0; i < 1000; ++i)
        lookups.emplace_back(QStringLiteral("wpds_FIELD%1").arg(rng.bounded(sections)),
                             QStringLiteral("USER%1").arg(1 + rng.bounded(16)));

    const double loadEmpty = medianMs(21, [&] {
        ProfileFile f(empty);
        f.load();
    });
    const double load = medianMs(21, [&] {
        ProfileFile f(path);
        f.load();
    });
    const double loadLookups = medianMs(21, [&] {
        ProfileFile f(path);
        f.load();
        int found = 0;
        for (const auto &l : lookups)
            found += f.value(l.first, l.second).isEmpty() ? 0 : 1;
        Q_UNUSED(found);
    });
    const double wholeRead = medianMs(11, [&] {
        ProfileFile f(path);
        f.load();
        for (const QString &s : f.sections()) {
            for (const QString &k : f.keys(s))
                f.value(s, k);
        }
    });
    const double wholeEntries = medianMs(11, [&] {
        ProfileFile f(path);
        f.load();
        for (const QString &s : f.sections())
            f.entries(s);
    });
    ProfileFile loaded(path);
    loaded.load();
    int n = 0;
    const double setCommit = medianMs(31, [&] {
        loaded.setValue(QStringLiteral("WPDS_field7"), QStringLiteral("user3"), QStringLiteral("value %1").arg(++n));
        loaded.commit();
    });
    const double serialise = medianMs(31, [&] { loaded.data(); });
    const double update = medianMs(31, [&] {
        ProfileFile::update(path, [&](ProfileFile &f) {
            f.setValue(QStringLiteral("WPDS_field7"), QStringLiteral("user16"), QStringLiteral("value %1").arg(++n));
        });
    });

    std::printf("median load, empty store:                 %8.3f ms\n", loadEmpty);
    std::printf("median load, 1 MB store:                  %8.3f ms\n", load);
    std::printf("median load + 1000 lookups:               %8.3f ms\n", loadLookups);
    std::printf("median load + every value of every list:  %8.3f ms\n", wholeRead);
    std::printf("median load + entries() of every section: %8.3f ms\n", wholeEntries);
    std::printf("median setValue + commit (loaded file):   %8.3f ms\n", setCommit);
    std::printf("median data() alone (the bytes to write): %8.3f ms\n", serialise);
    std::printf("median update (lock, load, set, commit):  %8.3f ms\n", update);
    return 0;
}
