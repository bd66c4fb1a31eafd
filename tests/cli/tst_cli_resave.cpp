// brenvik --resave, run as a user runs it: the built program in a separate process.

#include "document/control/documentcontrol.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Brenvik::readAll;
using Brenvik::writeFile;

struct Run {
    int exitCode = -1;
    QByteArray err;
    QByteArray out;
};

// fileSizeLimit > 0 runs the program as on a nearly full disk: a write past that many bytes fails.
Run brenvik(const QStringList &args, const QString &dataDir, rlim_t fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"));
    p.setArguments(QStringList{QStringLiteral("--data-dir"), dataDir} + args);
    p.start();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError(), p.readAllStandardOutput()};
}

QString example(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + name;
}

} // namespace

class TestCliResave : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The data folder of every run: the user data store, as shipped.
    void init()
    {
        QVERIFY(m_dir.isValid());
        if (!QFile::exists(path("zoru.dat")))
            QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/zoru.dat", path("zoru.dat")));
    }
    void programWrittenFileComesBackIdentical_data();
    void programWrittenFileComesBackIdentical();
    void existingOutputKeepsItsOtherKeys();
    void documentWithoutSketchGetsAWhiteOne();
    void newDocumentComesBackIdentical_data();
    void newDocumentComesBackIdentical();
    void failures_data();
    void failures();
    void writesCutShortLeaveOldFilesWhole_data();
    void writesCutShortLeaveOldFilesWhole();
    void sketchItCannotDrawIsKept_data();
    void sketchItCannotDrawIsKept();
    void hugeValuesComeBackWhole();
    void wpsFromRecordThenChecked_data();
    void wpsFromRecordThenChecked();
    void documentControl();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestCliResave::programWrittenFileComesBackIdentical_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("WPDS") << "wpds-example";
    QTest::newRow("PQR") << "pqr-example";
    QTest::newRow("WPQR") << "wpqr-example";
    QTest::newRow("WPS") << "wps-example";
    QTest::newRow("WPS exceeding its record") << "wps-exceeds-example";
}

void TestCliResave::programWrittenFileComesBackIdentical()
{
    QFETCH(QString, name);
    const QByteArray before = readAll(example(name + ".wrp"));
    QVERIFY(!before.isEmpty());
    // A fresh output each time: resaving over an existing file keeps its other keys.
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
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("WPDS") << "wPdS" << QByteArray("formType=WPDS\r\nwpdsNo=\r\n");
    QTest::newRow("PQR") << "pqr" << QByteArray("formType=PQR\r\nwpdsNo=\r\n");
    // The record's date is the first key of its walk.
    QTest::newRow("WPQR") << "wpqr" << QByteArray("formType=WPQR\r\nPQRDate=");
    QTest::newRow("WPS") << "wpsr" << QByteArray("formType=WPSR\r\nwpsDate=");
}

void TestCliResave::newDocumentComesBackIdentical()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, head);
    const QString file = path(type + ".wrp"); // a new file: a save keeps the keys of an old one
    const Run run = brenvik({"--new", type, file}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray blank = readAll(file);
    QVERIFY(blank.startsWith("[contents]\r\nimageFile=\r\n" + head));
    QVERIFY(QFile::exists(path(type + "_img.bmp")));
    QCOMPARE(brenvik({"--resave", path(type + "-again.wrp"), file}, m_dir.path()).exitCode, 0);
    QCOMPARE(readAll(path(type + "-again.wrp")), blank);
}

void TestCliResave::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("said"); // what stderr must hold, when it matters
    QTest::newRow("no source") << QStringList{"--resave", "OUT"} << 2 << QByteArray();
    QTest::newRow("two sources") << QStringList{"--resave", "OUT", "a.wrp", "b.wrp"} << 2 << QByteArray();
    QTest::newRow("missing source") << QStringList{"--resave", "OUT", "missing.wrp"} << 1 << QByteArray();
    QTest::newRow("unknown form type") << QStringList{"--resave", "OUT", "odd.wrp"} << 1 << QByteArray();
    QTest::newRow("refused write") << QStringList{"--resave", "blocker/out.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("new without a file") << QStringList{"--new", "WPDS"} << 2 << QByteArray();
    QTest::newRow("new of an unknown type") << QStringList{"--new", "FOO", "OUT"} << 1 << QByteArray();
    QTest::newRow("new, refused write") << QStringList{"--new", "WPDS", "blocker/out.wrp"} << 1 << QByteArray();
    // Outputs that are not what they seem: nothing is written, whatever was there stays.
    QTest::newRow("pdf over its own document") << QStringList{"--export-pdf", "bare.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("pdf over the document's sketch") << QStringList{"--export-pdf", "bare_img.bmp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("pdf over another document") << QStringList{"--export-pdf", "odd.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("resave over a pdf") << QStringList{"--resave", "old.pdf", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("resave over the sketch") << QStringList{"--resave", "bare_img.bmp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("new over a pdf") << QStringList{"--new", "WPDS", "old.pdf"} << 1 << QByteArray();
    QTest::newRow("resave into a folder") << QStringList{"--resave", "folder.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("resave into a FIFO") << QStringList{"--resave", "fifo.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("resave from a FIFO") << QStringList{"--resave", "OUT", "fifo.wrp"} << 1 << QByteArray();
    QTest::newRow("pdf into a FIFO") << QStringList{"--export-pdf", "fifo.wrp", "bare.wrp"} << 1 << QByteArray();
    QTest::newRow("wps from a record, no output") << QStringList{"--wps-from", "rec.wrp"} << 2 << QByteArray();
    QTest::newRow("wps from a record over itself") << QStringList{"--wps-from", "rec.wrp", "rec.wrp"} << 1 << QByteArray();
    QTest::newRow("wps from a WPDS") << QStringList{"--wps-from", "bare.wrp", "OUT"} << 1 << QByteArray();
    QTest::newRow("wps from a record over a pdf") << QStringList{"--wps-from", "rec.wrp", "old.pdf"} << 1 << QByteArray();
    QTest::newRow("resave an approved document") << QStringList{"--resave", "OUT", "approved.wrp"} << 1
                                                 << QByteArray("approved.wrp is approved and was not saved");
    QTest::newRow("resave over an approved document") << QStringList{"--resave", "approved.wrp", "bare.wrp"} << 1
                                                      << QByteArray("approved.wrp is approved: it is not written over");
    QTest::newRow("diff of one file") << QStringList{"--diff", "bare.wrp"} << 2 << QByteArray();
    QTest::newRow("diff with a missing file") << QStringList{"--diff", "bare.wrp", "missing.wrp"} << 2 << QByteArray("missing.wrp");
    QTest::newRow("diff with no document") << QStringList{"--diff", "bare.wrp", "old.pdf"} << 2 << QByteArray("old.pdf");
    QTest::newRow("diff of two types") << QStringList{"--diff", "bare.wrp", "rec.wrp"} << 2 << QByteArray("different types");
    QTest::newRow("check without a record") << QStringList{"--check", "rec.wrp"} << 2 << QByteArray();
    QTest::newRow("check a WPDS") << QStringList{"--check", "bare.wrp", "rec.wrp"} << 1 << QByteArray();
    QTest::newRow("check against a missing record") << QStringList{"--check", "wps.wrp", "missing.wrp"} << 1 << QByteArray();
    QTest::newRow("check with an unknown option") << QStringList{"--check", "wps.wrp", "--strict", "rec.wrp"} << 2 << QByteArray();
    QTest::newRow("copies into no folder") << QStringList{"--batch", "--company", "A", "--address", "B", "--copy-to", "", "bare.wrp"} << 2 << QByteArray();
    // Sketch pictures land on no input and no document, whichever name or link leads there.
    QTest::newRow("wps from a record, its picture a link to the record")
        << QStringList{"--wps-from", "rec.wrp", "linked.wrp"} << 1 << QByteArray("linked_img.bmp: it is the document being read");
    QTest::newRow("wps from a record named like the output's picture")
        << QStringList{"--wps-from", "r_img.bmp", "r.wrp"} << 1 << QByteArray("r_img.bmp: it is the document being read");
    QTest::newRow("resave, the picture a link to the source")
        << QStringList{"--resave", "tobare.wrp", "bare.wrp"} << 1 << QByteArray("tobare_img.bmp: it is the document being read");
    QTest::newRow("resave, the picture a link to the source's picture")
        << QStringList{"--resave", "tosketch.wrp", "bare.wrp"} << 1 << QByteArray("tosketch_img.bmp: it is the sketch of");
    QTest::newRow("resave, the picture a link elsewhere")
        << QStringList{"--resave", "topdf.wrp", "bare.wrp"} << 1 << QByteArray("topdf_img.bmp: it is a symbolic link");
    QTest::newRow("resave, the output a link to the source")
        << QStringList{"--resave", "alias.wrp", "bare.wrp"} << 1 << QByteArray("alias.wrp: it is a symbolic link");
    QTest::newRow("new, its picture a link to a document")
        << QStringList{"--new", "WPDS", "linked.wrp"} << 1 << QByteArray("linked_img.bmp: it is a symbolic link");
    QTest::newRow("new, its picture a document")
        << QStringList{"--new", "WPDS", "r.wrp"} << 1 << QByteArray("r_img.bmp: it is a welding report document");
    QTest::newRow("pdf through a link") << QStringList{"--export-pdf", "link.pdf", "bare.wrp"} << 1
                                        << QByteArray("link.pdf: it is a symbolic link");
    QTest::newRow("copies, the copy's picture a link to the source")
        << QStringList{"--batch", "--company", "A", "--address", "B", "--copy-to", "cp.d", "bare.wrp"} << 1
        << QByteArray("bare_img.bmp: it is the document being read");
    QTest::newRow("copies, the copy a link to the source")
        << QStringList{"--batch", "--company", "A", "--address", "B", "--copy-to", "cp2.d", "bare.wrp"} << 1
        << QByteArray("bare.wrp: it is the document being read");
    // A WPS is written over a WPS only.
    QTest::newRow("wps from a record over a PQR") << QStringList{"--wps-from", "rec.wrp", "pqr.wrp"} << 1
                                                  << QByteArray("it is a PQR document, not a WPS");
    // Messages say what happened, once prefixed, and the exit code agrees.
    QTest::newRow("wps from a record into a missing folder")
        << QStringList{"--wps-from", "rec.wrp", "missing.d/new.wrp"} << 1 << QByteArray("brenvik: Unable to write to");
    QTest::newRow("new without the user data store")
        << QStringList{"--data-dir", "nostore.d", "--new", "WPDS", "OUT"} << 1 << QByteArray("zoru.dat is missing.");
    QTest::newRow("wps from a record without the user data store")
        << QStringList{"--data-dir", "nostore.d", "--wps-from", "rec.wrp", "OUT"} << 1
        << QByteArray("zoru.dat is missing.");
}

void TestCliResave::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, said);
    writeFile(path("odd.wrp"), "[contents]\r\nformType=XYZ\r\n");
    writeFile(path("pqr.wrp"), "[contents]\r\nformType=PQR\r\n");
    writeFile(path("r_img.bmp"), "[contents]\r\nformType=WPQR\r\nPQRNo=P-2\r\n");
    QDir dir(m_dir.path());
    for (const char *folder : {"cp.d", "cp2.d", "nostore.d"})
        dir.mkpath(folder);
    // name -> what the link names
    const QList<std::pair<QString, QString>> links{{"linked_img.bmp", "rec.wrp"}, {"tobare_img.bmp", "bare.wrp"},
                                                   {"tosketch_img.bmp", "bare_img.bmp"}, {"topdf_img.bmp", "old.pdf"},
                                                   {"alias.wrp", "bare.wrp"}, {"link.pdf", "old.pdf"},
                                                   {"cp.d/bare_img.bmp", "../bare.wrp"}, {"cp2.d/bare.wrp", "../bare.wrp"}};
    for (const auto &[name, target] : links) {
        QFile::remove(path(name));
        QVERIFY(QFile::link(target, path(name)));
    }

    writeFile(path("bare.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsDate=07/12/2026\r\n");
    writeFile(path("rec.wrp"), "[contents]\r\nformType=WPQR\r\nPQRNo=P-1\r\n");
    writeFile(path("approved.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsDate=07/12/2026\r\ndcStatus=Approved\r\n");
    writeFile(path("wps.wrp"), "[contents]\r\nformType=WPSR\r\nPQRNo=P-1\r\n");
    writeFile(path("blocker"), "x");
    writeFile(path("bare_img.bmp"), "not a picture");
    writeFile(path("old.pdf"), "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
    QDir(m_dir.path()).mkpath("folder.wrp");
    QFile::remove(path("fifo.wrp"));
    QCOMPARE(::mkfifo(QFile::encodeName(path("fifo.wrp")).constData(), 0600), 0);
    QHash<QString, QByteArray> before;
    for (const QFileInfo &f : QDir(m_dir.path()).entryInfoList(QDir::Files))
        before.insert(f.fileName(), readAll(f.filePath()));
    for (QString &a : args)
        if (a == "OUT" || a.contains('.'))
            a = path(a);
    const Run run = brenvik(args, m_dir.path());
    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    QVERIFY2(run.err.startsWith("brenvik: "), run.err.constData());
    QVERIFY2(run.err.contains(said), run.err.constData());
    QVERIFY(!QFile::exists(path("OUT")));
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(readAll(path(it.key())) == it.value(), qPrintable(it.key() + " was changed"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).size(), before.size()); // and nothing was added
    for (const char *folder : {"cp.d", "cp2.d"})
        QCOMPARE(QDir(path(folder)).entryList(QDir::Files).size(), 1);
    QVERIFY(QFileInfo(path("folder.wrp")).isDir());
    QVERIFY(!QFileInfo(path("fifo.wrp")).isFile());
}

// A write cut short fails the run, names the file with the system's reason, and leaves what
// was there before whole: a document and its picture change together or not at all. The disk
// fills up for real on a small file system where the test may mount one (a user namespace),
// else the run stops at a file size limit.
void TestCliResave::writesCutShortLeaveOldFilesWhole_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("limit"); // bytes a file may grow to, or bytes free on the small disk
    QTest::addColumn<bool>("disk");
    QTest::addColumn<QString>("failed");
    const QStringList resave{"--resave", "out.wrp", "EXAMPLE"};
    const QStringList pdf{"--export-pdf", "out.pdf", "EXAMPLE"};
    const QStringList copy{"--batch", "--company", "A", "--address", "B", "--copy-to", "copies", "EXAMPLE"};
    for (const bool disk : {false, true}) {
        const char *how = disk ? "full disk" : "size limit";
        QTest::addRow("%s: resave, the sketch", how) << resave << 16384 << disk << "out_img.bmp";
        QTest::addRow("%s: resave, the document", how) << resave << (disk ? 0 : 512) << disk << "out.wrp";
        QTest::addRow("%s: pdf", how) << pdf << 4096 << disk << "out.pdf";
        QTest::addRow("%s: batch copy", how) << copy << (disk ? 0 : 1024) << disk << "copies/wpds-example.wrp";
    }
}

void TestCliResave::writesCutShortLeaveOldFilesWhole()
{
    QFETCH(QStringList, args);
    QFETCH(int, limit);
    QFETCH(bool, disk);
    QFETCH(QString, failed);
    // The probe mounts over the folder in a namespace of its own: nothing changes out here.
    if (disk && QProcess::execute("unshare", {"-Urm", "sh", "-c", "mount -t tmpfs -o size=64k none \"$0\"", m_dir.path()}) != 0)
        QSKIP("no user namespace to mount a small file system in");
    // On the small disk the files live in "disk" (a tmpfs in the run's own namespace), copied
    // there from "stage" and back to "result" for a look.
    const QString at = disk ? "disk/" : QString();
    const QString seen = disk ? "result/" : QString();
    for (const char *folder : {"stage", "disk", "result"})
        QDir(path(folder)).removeRecursively();
    for (const char *folder : {"stage/copies", "disk", "result"})
        QDir(m_dir.path()).mkpath(disk ? folder : "copies");
    const QByteArray old = QByteArray("[contents]\r\nformType=WPDS\r\nwpdsNo=old\r\n");
    const QByteArray oldPdf = QByteArray("%PDF-1.4 an earlier report\n");
    const QByteArray oldPicture = QByteArray("BM an earlier picture");
    const auto before = [&](const QString &name) {
        return name.endsWith(".pdf") ? oldPdf : name.endsWith(".bmp") ? oldPicture : old;
    };
    const QStringList names{"out.wrp", "out_img.bmp", "out.pdf", "copies/wpds-example.wrp", "copies/wpds-example_img.bmp"};
    for (const QString &name : names)
        writeFile(path((disk ? "stage/" : "") + name), before(name));
    for (QString &a : args)
        a = a == "EXAMPLE" ? example("wpds-example.wrp") : a.contains('.') || a == "copies" ? path(at + a) : a;
    Run run;
    if (disk) {
        // Mounted, filled to the brim, then `limit` bytes given back.
        // $0 the test's folder, $1 the free bytes, then the program and its arguments.
        const QString script = QStringLiteral(
            "mount -t tmpfs -o size=4m none \"$0/disk\" && cp -a \"$0/stage/.\" \"$0/disk/\" || exit 99; "
            "dd if=/dev/zero of=\"$0/disk/.fill\" bs=4096 2>/dev/null; truncate -s -$1 \"$0/disk/.fill\"; "
            "shift; \"$@\"; rc=$?; rm \"$0/disk/.fill\"; cp -a \"$0/disk/.\" \"$0/result/\"; exit $rc");
        QProcess p;
        p.setProgram("unshare");
        p.setArguments(QStringList{"-Urm", "sh", "-c", script, m_dir.path(), QString::number(limit),
                                   QCoreApplication::applicationDirPath() + "/brenvik",
                                   "--data-dir", m_dir.path()}
                       + args);
        p.start();
        QVERIFY(p.waitForFinished(60000));
        run = {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError(), p.readAllStandardOutput()};
    } else {
        run = brenvik(args, m_dir.path(), rlim_t(limit));
    }
    QVERIFY2(run.exitCode == 1, run.err.constData());
    QVERIFY2(run.err.contains(QFileInfo(failed).fileName().toUtf8()), run.err.constData());
    QVERIFY2(run.err.contains(disk ? "No space left on device" : "File too large"), run.err.constData());
    for (const QString &name : names)
        QVERIFY2(readAll(path(seen + name)) == before(name), qPrintable(name));
}

// A sketch the program cannot draw (not a picture at all, or beyond what it reads) stays as it
// is through a resave in place and is carried over to a new name byte for byte.
void TestCliResave::sketchItCannotDrawIsKept_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("not a picture") << QByteArray("BM this is not a bitmap at all") << QByteArray("not a valid bitmap");
    // A PNG of 20000 x 20000 pixels (1.6 GB once read) in 66 bytes: header, one empty data chunk, end.
    const QByteArray huge = QByteArray::fromHex(
        "89504e470d0a1a0a0000000d4948445200004e2000004e200802000000"
        "6c12d16e0000000949444154789c630000000100015eff7df90000000049454e44ae426082");
    QTest::newRow("too large") << huge << QByteArray("too large (20000 x 20000 pixels)");
}

void TestCliResave::sketchItCannotDrawIsKept()
{
    QFETCH(QByteArray, picture);
    QFETCH(QByteArray, message);
    writeFile(path("doc.wrp"), "[contents]\r\nformType=WPDS\r\nwpdsNo=W-8\r\nwpdsDate=07/12/2026\r\n");
    writeFile(path("doc_img.bmp"), picture);
    Run run = brenvik({"--resave", path("doc.wrp"), path("doc.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QCOMPARE(readAll(path("doc_img.bmp")), picture);
    QFile::remove(path("copy_img.bmp"));
    run = brenvik({"--resave", path("copy.wrp"), path("doc.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(path("copy_img.bmp")), picture);
}

// Values far past what a screen shows (a memo of thousands of lines, a field past Qt's 32767
// characters of a line edit) come back whole from a resave.
void TestCliResave::hugeValuesComeBackWhole()
{
    QByteArray doc = readAll(example("wpds-example.wrp"));
    const QByteArray memo = QByteArray(300000, 'x') + QByteArray("\\nline").repeated(50000) + "\\nend";
    const QByteArray address = QByteArray("Harbour Road ").repeated(4000) + "end";
    const int t = doc.indexOf("technique="), te = doc.indexOf("\r\n", t);
    doc.replace(t, te - t, "technique=" + memo);
    const int a = doc.indexOf("address="), ae = doc.indexOf("\r\n", a);
    doc.replace(a, ae - a, "address=" + address);
    writeFile(path("huge.wrp"), doc);
    const Run run = brenvik({"--resave", path("again.wrp"), path("huge.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray again = readAll(path("again.wrp"));
    QVERIFY(again.contains("\r\ntechnique=" + memo + "\r\n"));
    QVERIFY(again.contains("\r\naddress=" + address + "\r\n"));
}


// A WPS made from the shipped record carries its ranges; the shipped WPS examples check as
// holding and as exceeding it, with the exit code telling which.
void TestCliResave::wpsFromRecordThenChecked_data()
{
    QTest::addColumn<QString>("wps"); // "NEW": the one --wps-from writes; "BLANK": a WPS of no values
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("outputHas");
    QTest::addColumn<QByteArray>("exceeded"); // the paragraphs that exceed, in order
    QTest::newRow("new from the record") << "NEW" << QStringList() << 0
                                         << QByteArray("QW-403.6 Minimum base metal thickness (toughness): holds (GTAW (PQR-118): 11.1 mm is not below")
                                         << QByteArray();
    QTest::newRow("the WPS example holds") << "wps-example.wrp" << QStringList() << 0
                                           << QByteArray("QW-409.1 Heat input (toughness): holds (GTAW (PQR-118): GTAW 1.82 kJ/mm")
                                           << QByteArray();
    QTest::newRow("the WPS example, toughness required") << "wps-example.wrp" << QStringList{"--toughness"} << 0
                                                         << QByteArray("QW-401.1") << QByteArray();
    QTest::newRow("the exceeding example") << "wps-exceeds-example.wrp" << QStringList() << 1 << QByteArray("32 mm above 22.2 mm")
                                           << QByteArray("QW-403.8 QW-404.30 QW-407.1 QW-407.2");
    QTest::newRow("a blank WPS cannot tell") << "BLANK" << QStringList() << 3
                                             << QByteArray("QW-401 Welding process: cannot tell") << QByteArray();
}

void TestCliResave::wpsFromRecordThenChecked()
{
    QFETCH(QString, wps);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, outputHas);
    QFETCH(QByteArray, exceeded);
    QString file = example(wps);
    // The PWHT conditions read the transformation temperatures beside the store.
    QFile::remove(path("transformation.dat"));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/transformation.dat", path("transformation.dat")));
    if (wps == "NEW") {
        file = path("new-wps.wrp");
        QCOMPARE(brenvik({"--wps-from", example("wpqr-example.wrp"), file}, m_dir.path()).exitCode, 0);
        const QByteArray written = readAll(file);
        for (const char *line : {"formType=WPSR\r\n", "PQRNo=PQR-118\r\n", "wpsNo=WPS-118\r\n",
                                 "grooveThickness=11.1 mm to 22.2 mm\r\n", "thGroove2=14.2 mm max.\r\n", "FNo2=4\r\n",
                                 "groovePosition=6G\r\n", "weldProgression=Uphill\r\n", "MinPreheatTemp=50\r\n",
                                 "postWeldTempRange=620\r\n"})
            QVERIFY2(written.contains(line), line);
        QVERIFY(written.contains("ETGrid_2=2\xa6" "SMAW\xa6" "E7018\xa6"));
        QVERIFY2(QFileInfo(path("new-wps_img.bmp")).size() > 0, "the record's sketch goes over");
    }
    if (wps == "BLANK") {
        file = path("blank-wps.wrp");
        writeFile(file, "[contents]\r\nformType=WPSR\r\n");
    }
    const Run run = brenvik(QStringList{"--check", file} + options + QStringList{example("wpqr-example.wrp")}, m_dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.contains(outputHas), run.out.constData());
    if (exitCode == 3)
        return; // nothing exceeds; which lines cannot tell is the rule tables' business
    // The record is toughness tested: the process line, nine rules for GTAW and SMAW and the
    // eleven toughness rules.
    QCOMPARE(run.out.count('\n'), 21);
    QByteArrayList over;
    for (const QByteArray &line : run.out.split('\n'))
        if (line.contains(": exceeds ("))
            over << line.left(line.indexOf(' '));
    QCOMPARE(over.join(' '), exceeded);
    QVERIFY2(!run.out.contains(": cannot tell ("), run.out.constData());
}

// The shipped WPS and its revision compared; approved documents listed with their status and
// left alone by the batch rewrite.
void TestCliResave::documentControl()
{
    QDir(m_dir.path()).mkpath("ctl");
    for (const QString name : {"wps-example", "wps-exceeds-example"})
        for (const QString ending : {".wrp", "_img.bmp"})
            writeFile(path("ctl/" + name + ending), readAll(example(name + ending)));
    const QString first = path("ctl/wps-example.wrp");
    const QString revision = path("ctl/wps-exceeds-example.wrp");
    Run run = brenvik({"--diff", first, revision}, m_dir.path());
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.contains("General Information / Revision No.: 0 -> 1"));
    QVERIFY(lines.contains("Pre/Post Heat / Time Range: 1 h per 25 mm, 1 h min. -> None"));
    static const QRegularExpression shape("^.+ / .+: .+ -> .+$");
    for (const QString &line : lines)
        QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
    run = brenvik({"--diff", first, first}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty() && run.err.isEmpty());

    Brenvik::Approval approval;
    approval.approvedBy = "R. Inspector";
    approval.approvedDate = QDate(2026, 7, 12);
    QCOMPARE(Brenvik::DocumentControl::approve(first, approval), QString());
    QCOMPARE(Brenvik::DocumentControl::approve(revision, approval), QString());
    const QByteArray approved = readAll(first);
    run = brenvik({"--batch", "--company", "A", "--address", "B", first}, m_dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains("wps-example.wrp was skipped: it is approved"), run.out.constData());
    QCOMPARE(readAll(first), approved);

    QCOMPARE(Brenvik::DocumentControl::supersede(first, revision), QString());
    QByteArray edited = readAll(revision);
    edited.replace("GTAW", "FCAW");
    writeFile(revision, edited);
    run = brenvik({"--list", path("ctl")}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    const QStringList listed = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(listed.size(), 3);
    QVERIFY2(listed.at(1).endsWith("\t2026-07-12\tSuperseded"), qPrintable(listed.at(1)));
    QVERIFY2(listed.at(2).endsWith("\t2026-07-12\tApproved, changed"), qPrintable(listed.at(2)));
}

QTEST_MAIN(TestCliResave)
#include "tst_cli_resave.moc"
