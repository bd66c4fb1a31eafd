// Crash safety, shown: the program killed (SIGKILL) at random moments while it saves a
// document with its sketch leaves each file whole, the old version or the new, and never the
// new document beside the old picture; two copies of the program saving values into one
// zoru.dat at once lose none of them.

#include "userdata/userdatastore.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

namespace {

using Brenvik::readAll;

QString program() { return QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"); }

// The writer a second copy of this test runs: saves count values into the store, one at a time.
constexpr char kWriterVariable[] = "BRENVIK_TEST_STORE_WRITER";
int runWriter(const QString &spec)
{
    const QStringList parts = spec.split(QLatin1Char('|'));
    Brenvik::UserDataStore store(parts.value(0));
    const int count = parts.value(2).toInt();
    int written = 0;
    for (int i = 1; i <= count; ++i) {
        try {
            written += store.saveValue(QStringLiteral("WPDS"), QStringLiteral("rev"),
                                       QStringLiteral("%1-%2").arg(parts.value(1)).arg(i)) ? 1 : 0;
        } catch (...) {
        }
    }
    return written == count ? 0 : 1;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedWhileSavingLeavesWholeFiles();
    void twoCopiesLoseNoStoredValue();

private:
    QTemporaryDir m_dir;
};

void TestCrashSafety::killedWhileSavingLeavesWholeFiles()
{
    const QString data = QCoreApplication::applicationDirPath();
    const QString a = data + QStringLiteral("/examples/wpds-example.wrp");
    // A second version: the example with another number and a blank sketch.
    const QString b = m_dir.filePath("b.wrp");
    QFile::copy(a, b);
    QProcess::execute(program(), {"--data-dir", data, "--new", "WPDS", m_dir.filePath("blank.wrp")});
    QFile::copy(m_dir.filePath("blank_img.bmp"), m_dir.filePath("b_img.bmp"));
    QByteArray bBytes = readAll(b);
    bBytes.replace("wpdsNo=", "wpdsNo=B-");
    QFile fb(b);
    QVERIFY(fb.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fb.write(bBytes);
    fb.close();

    // The whole versions, as the program saves them undisturbed.
    QHash<QString, QByteArrayList> whole;
    for (const QString &source : {a, b}) {
        const QString ref = m_dir.filePath("ref.wrp");
        QFile::remove(ref);
        QCOMPARE(QProcess::execute(program(), {"--data-dir", data, "--resave", ref, source}), 0);
        whole["out.wrp"] << readAll(ref);
        whole["out_img.bmp"] << readAll(m_dir.filePath("ref_img.bmp"));
    }
    QVERIFY(whole["out.wrp"][0] != whole["out.wrp"][1]);
    QVERIFY(whole["out_img.bmp"][0] != whole["out_img.bmp"][1]);

    const QString out = m_dir.filePath("out.wrp");
    QCOMPARE(QProcess::execute(program(), {"--data-dir", data, "--resave", out, a}), 0);
    auto *random = QRandomGenerator::global();
    QByteArray document = readAll(out);
    for (int round = 0; round < 30; ++round) {
        QProcess p;
        p.start(program(), {"--data-dir", data, "--resave", out, round % 2 ? a : b});
        QVERIFY(p.waitForStarted());
        QThread::msleep(random->bounded(400));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        for (const QString &name : {QStringLiteral("out.wrp"), QStringLiteral("out_img.bmp")})
            QVERIFY2(whole[name].contains(readAll(m_dir.filePath(name))),
                     qPrintable(QStringLiteral("round %1: %2 is not a whole version").arg(round).arg(name)));
        // The picture goes in place before the document: a document this round put in place
        // has this round's picture beside it, never the one before.
        const QByteArray now = readAll(out);
        if (now != document)
            QVERIFY2(readAll(m_dir.filePath("out_img.bmp")) == whole["out_img.bmp"][round % 2 ? 0 : 1],
                     qPrintable(QStringLiteral("round %1: a new document beside a stale picture").arg(round)));
        document = now;
    }
}

void TestCrashSafety::twoCopiesLoseNoStoredValue()
{
    const QString store = m_dir.filePath("zoru.dat");
    QFile f(store);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[sync]\r\n[WPDS_rev]\r\nfixed1=0\r\n");
    f.close();
    const int count = 40;
    QList<QProcess *> writers;
    for (const char *tag : {"first", "second"}) {
        auto *p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kWriterVariable, QStringLiteral("%1|%2|%3").arg(store, tag).arg(count));
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(), {});
        writers << p;
    }
    for (QProcess *p : writers) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitCode(), 0);
    }
    Brenvik::UserDataStore check(store);
    QVERIFY(check.readQuietly());
    const QStringList saved = check.run(QStringLiteral("WPDS_rev"), QStringLiteral("user"));
    QCOMPARE(saved.size(), 2 * count);
    for (const char *tag : {"first", "second"})
        for (int i = 1; i <= count; ++i)
            QVERIFY(saved.contains(QStringLiteral("%1-%2").arg(tag).arg(i)));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kWriterVariable)) {
        QCoreApplication app(argc, argv);
        return runWriter(qEnvironmentVariable(kWriterVariable));
    }
    QCoreApplication app(argc, argv);
    TestCrashSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
