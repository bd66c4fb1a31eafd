// Rewrites the company data of 1,000 WPDS files in place, each file one atomic, synced
// replacement, and compares the time with cp copying the same files in the same run.
// Usage: bench_duplicator [file count]

#include "duplicator/duplicatorrun.h"
#include "forms/formregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Brenvik;

namespace {

class QuietListener final : public DuplicatorRun::Listener {
public:
    bool confirmModify() override { return true; }
    bool confirmCreateFolder(const QString &) override { return true; }
    void logLine(const QString &) override {}
};

// A WPDS file of the usual size: some 130 keys, memos and the 14 parameter rows.
QByteArray wpdsDocument(int n)
{
    QByteArray d = "[contents]\r\nimageFile=butt-v.bmp\r\nformType=WPDS\r\n";
    d += "wpdsNo=WPDS-" + QByteArray::number(n) + "\r\ncompanyName=Old Company Ltd\r\naddress=1 Old Road, Oldtown\r\n";
    for (int i = 0; i < 110; ++i)
        d += "field" + QByteArray::number(i) + "=value of field " + QByteArray::number(i) + "\r\n";
    for (int i = 0; i < 6; ++i)
        d += "memo" + QByteArray::number(i) + "=First line\\nSecond line\\nThird line of a memo\r\n";
    d += "wpdsDate=07/12/2026\r\n";
    for (int i = 0; i < 14; ++i)
        d += "WPRow" + QByteArray::number(i) + "=mm\xA6" "10\xA6" "12\xA6_\xA6_\xA6_\xA6_\xA6_\xA6_\xA6\r\n";
    return d;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    registerForms(); // the keys each form type keeps
    QTextStream out(stdout);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;

    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString copies = dir.filePath(QStringLiteral("cp"));
    QDir().mkpath(src);
    QDir().mkpath(copies);
    QStringList files;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        files << src + QStringLiteral("/wpds%1.wrp").arg(i, 4, 10, QLatin1Char('0'));
        QFile f(files.last());
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        bytes += f.write(wpdsDocument(i));
    }

    // cp of the same files, in one process as a user would run it.
    QElapsedTimer clock;
    clock.start();
    QProcess cp;
    cp.start(QStringLiteral("cp"), QStringList(files) << copies);
    cp.waitForFinished(-1);
    const double cpMs = clock.nsecsElapsed() / 1e6;

    DuplicatorRun::Settings settings;
    settings.sources = files;
    settings.mode = DuplicatorRun::Mode::Modify;
    settings.company = QStringLiteral("Nordvik Steelworks AS");
    settings.address = QStringLiteral("Industriveien 4, 6009 Brenvik");
    QuietListener listener;
    DuplicatorRun run(settings, listener);
    clock.restart();
    run.run();
    const double runMs = clock.nsecsElapsed() / 1e6;

    out << "files: " << count << ", " << bytes / count << " bytes each" << Qt::endl;
    out << "batch rewrite in place (atomic, synced): " << QString::number(runMs, 'f', 1) << " ms, "
        << QString::number(runMs / count, 'f', 3) << " ms per file, " << run.modifiedCount() << " modified"
        << Qt::endl;
    out << "cp of the same files: " << QString::number(cpMs, 'f', 1) << " ms" << Qt::endl;
    out << "ratio to cp: " << QString::number(runMs / cpMs, 'f', 1) << Qt::endl;
    out << "target 2000 ms: " << (runMs < 2000 ? "met" : "missed") << Qt::endl;
    return run.modifiedCount() == count ? 0 : 1;
}
