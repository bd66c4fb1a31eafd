// brenvik --batch, run as the built program: usage errors, exit codes, the log on stdout and
// messages on stderr, and what lands in the files.

#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Brenvik::readAll;

QByteArray document(const QByteArray &formType)
{
    return "[contents]\r\nformType=" + formType + "\r\ncompanyName=Old Co\r\naddress=Old Road\r\n";
}

} // namespace

class TestCliBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitCodesAndFiles_data()
    {
        // In the arguments "{dir}" is the folder of the documents a.wrp (WPDS) and note.wrp
        // (an unknown type). "changed": the file that must carry the new data afterwards.
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("stdoutHas");
        QTest::addColumn<QString>("stderrHas");

        const QByteArray newData = "[contents]\r\nformType=WPDS\r\ncompanyName=New Co\r\naddress=New Road\r\n";
        QTest::newRow("no --company") << QStringList{"--batch", "--address", "x", "{dir}/a.wrp"} << 2 << QString()
                                      << QByteArray() << QString() << "usage:";
        QTest::newRow("no --address") << QStringList{"--batch", "--company", "x", "{dir}/a.wrp"} << 2 << QString()
                                      << QByteArray() << QString() << "usage:";
        QTest::newRow("no file") << QStringList{"--batch", "--company", "x", "--address", "y"} << 2 << QString()
                                 << QByteArray() << QString() << "usage:";
        QTest::newRow("in place") << QStringList{"--batch", "--company", "New Co", "--address", "New Road", "{dir}/a.wrp"}
                                  << 0 << "{dir}/a.wrp" << newData << "1 files modified." << QString();
        QTest::newRow("empty texts empty the fields")
            << QStringList{"--batch", "--company", "", "--address", "", "{dir}/a.wrp"} << 0 << "{dir}/a.wrp"
            << QByteArray("[contents]\r\nformType=WPDS\r\ncompanyName=\r\naddress=\r\n") << "1 files modified."
            << QString();
        QTest::newRow("a missing file")
            << QStringList{"--batch", "--company", "New Co", "--address", "New Road", "{dir}/a.wrp", "{dir}/no.wrp"}
            << 1 << "{dir}/a.wrp" << newData << "no.wrp does not exist." << QString();
        QTest::newRow("an unknown type")
            << QStringList{"--batch", "--company", "New Co", "--address", "New Road", "{dir}/note.wrp"} << 1
            << "{dir}/note.wrp" << document("NOTE") << "note.wrp was skipped: unknown form type." << QString();
        QTest::newRow("copies into a folder made with its parents")
            << QStringList{"--batch", "--company", "New Co", "--address", "New Road", "--copy-to", "{dir}/x/y/z", "{dir}/a.wrp"}
            << 0 << "{dir}/x/y/z/a.wrp" << newData << "1 files copied." << QString();
        QTest::newRow("copies into the source folder")
            << QStringList{"--batch", "--company", "New Co", "--address", "New Road", "--copy-to", "{dir}/", "{dir}/a.wrp"}
            << 1 << "{dir}/a.wrp" << document("WPDS") << QString() << "Destination path must be different";
    }

    void exitCodesAndFiles()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, changed);
        QFETCH(QByteArray, expected);
        QFETCH(QString, stdoutHas);
        QFETCH(QString, stderrHas);

        QTemporaryDir dir;
        QFile a(dir.filePath(QStringLiteral("a.wrp")));
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write(document("WPDS"));
        a.close();
        QFile note(dir.filePath(QStringLiteral("note.wrp")));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write(document("NOTE"));
        note.close();
        for (QString &arg : args)
            arg.replace(QStringLiteral("{dir}"), dir.path());

        QProcess brenvik;
        brenvik.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"), args);
        QVERIFY(brenvik.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(brenvik.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(brenvik.readAllStandardError());
        QVERIFY2(brenvik.exitStatus() == QProcess::NormalExit, qPrintable(err));
        QVERIFY2(brenvik.exitCode() == exitCode, qPrintable(out + err));
        QVERIFY2(out.contains(stdoutHas), qPrintable(out));
        QVERIFY2(err.contains(stderrHas), qPrintable(err));
        if (exitCode == 2)
            QVERIFY(out.isEmpty());
        if (!changed.isEmpty())
            QCOMPARE(readAll(changed.replace(QStringLiteral("{dir}"), dir.path())), expected);
        if (changed.isEmpty() || changed.contains(QStringLiteral("/x/")))
            QCOMPARE(readAll(a.fileName()), document("WPDS")); // the source stays as it was
    }
};

QTEST_MAIN(TestCliBatch)
#include "tst_cli_batch.moc"
