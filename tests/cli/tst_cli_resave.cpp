// brenvik --resave, run as a user runs it: the built program in a separate process.

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray err;
};

Run brenvik(const QStringList &args, const QString &dataDir)
{
    QProcess p;
    p.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"));
    p.setArguments(QStringList{QStringLiteral("--data-dir"), dataDir} + args);
    p.start();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString example(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + name;
}

} // namespace

class TestCliResave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void programWrittenFileComesBackIdentical_data();
    void programWrittenFileComesBackIdentical();
    void existingOutputKeepsItsOtherKeys();
    void documentWithoutSketchGetsAWhiteOne();
    void newDocumentComesBackIdentical_data();
    void newDocumentComesBackIdentical();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestCliResave::programWrittenFileComesBackIdentical_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("WPDS") << "wpds-example";
    QTest::newRow("WPS") << "wps-example";
}

void TestCliResave::programWrittenFileComesBackIdentical()
{
    QFETCH(QString, name);
    const QByteArray before = readAll(example(name + ".wrp"));
    QVERIFY(!before.isEmpty());
    const Run run = brenvik({"--resave", path(name + "-out.wrp"), example(name + ".wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(path(name + "-out.wrp")), before);
    QCOMPARE(readAll(path(name + "-out_img.bmp")), readAll(example(name + "_img.bmp")));
    QCOMPARE(readAll(example(name + ".wrp")), before); // the source is left alone
}

void TestCliResave::existingOutputKeepsItsOtherKeys()
{
    writeFile(path("old.wrp"), "[contents]\r\nformType=PQR\r\nvTestDate=01/02/2026\r\n[notes]\r\na=b\r\n");
    const Run run = brenvik({"--resave", path("old.wrp"), example("wpds-example.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray out = readAll(path("old.wrp"));
    QVERIFY(out.contains("formType=WPDS\r\n"));
    QVERIFY(out.contains("vTestDate=01/02/2026\r\n"));
    QVERIFY(out.contains("[notes]\r\na=b\r\n"));
}

void TestCliResave::documentWithoutSketchGetsAWhiteOne()
{
    writeFile(path("bare.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsNo=W-7\r\nwpdsDate=07/12/2026\r\n");
    const Run run = brenvik({"--resave", path("copy.wrp"), path("bare.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(readAll(path("copy.wrp")).contains("wpdsNo=W-7\r\n"));
    const QImage sketch(path("copy_img.bmp"));
    QVERIFY(!sketch.isNull());
    QCOMPARE(sketch.pixelColor(sketch.width() / 2, sketch.height() / 2), QColor(Qt::white));
    QVERIFY(!QFile::exists(path("bare_img.bmp")));
}

// --new in any letter case makes the blank document File > New saves, which opens and saves
// back unchanged.
void TestCliResave::newDocumentComesBackIdentical_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("WPDS") << "wPdS" << QByteArray("[contents]\r\nimageFile=\r\nformType=WPDS\r\nwpdsNo=\r\n");
    QTest::newRow("WPS") << "wpsr" << QByteArray("[contents]\r\nimageFile=\r\nformType=WPSR\r\nwpsDate=");
}

void TestCliResave::newDocumentComesBackIdentical()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, start);
    const Run run = brenvik({"--new", type, path(type + ".wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray blank = readAll(path(type + ".wrp"));
    QVERIFY(blank.startsWith(start));
    QVERIFY(QFile::exists(path(type + "_img.bmp")));
    QCOMPARE(brenvik({"--resave", path(type + "-again.wrp"), path(type + ".wrp")}, m_dir.path()).exitCode, 0);
    QCOMPARE(readAll(path(type + "-again.wrp")), blank);
}

void TestCliResave::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no source") << QStringList{"--resave", "OUT"} << 2;
    QTest::newRow("two sources") << QStringList{"--resave", "OUT", "a.wrp", "b.wrp"} << 2;
    QTest::newRow("missing source") << QStringList{"--resave", "OUT", "missing.wrp"} << 1;
    QTest::newRow("unknown form type") << QStringList{"--resave", "OUT", "odd.wrp"} << 1;
    QTest::newRow("refused write") << QStringList{"--resave", "blocker/out.wrp", "bare.wrp"} << 1;
    QTest::newRow("new without a file") << QStringList{"--new", "WPDS"} << 2;
    QTest::newRow("new of an unknown type") << QStringList{"--new", "FOO", "OUT"} << 1;
    QTest::newRow("new of a type not built") << QStringList{"--new", "wpqr", "OUT"} << 1;
    QTest::newRow("new, refused write") << QStringList{"--new", "WPDS", "blocker/out.wrp"} << 1;
}

void TestCliResave::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    writeFile(path("odd.wrp"), "[contents]\r\nformType=XYZ\r\n");
    writeFile(path("bare.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsDate=07/12/2026\r\n");
    writeFile(path("blocker"), "x");
    for (QString &a : args)
        if (a == "OUT" || a.contains('.'))
            a = path(a);
    const Run run = brenvik(args, m_dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(!QFile::exists(path("OUT")));
}

QTEST_MAIN(TestCliResave)
#include "tst_cli_resave.moc"
