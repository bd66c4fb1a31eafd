// The program's own command line, run as the built program: --version, --help, usage errors.

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

class TestCliMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutHas");
        QTest::addColumn<QString>("stderrHas");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Brenvik " BRENVIK_VERSION << QString();
        QTest::newRow("help lists every mode")
            << QStringList{"--help"} << 0 << "--data-dir" << QString();
        QTest::newRow("help names the forms whose windows are built")
            << QStringList{"--help"} << 0 << "Welding procedure forms: WPDS" << QString();
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QString() << "Unknown option 'bogus'";
        QTest::newRow("missing value") << QStringList{"--data-dir"} << 2 << QString() << "Missing value";
        QTest::newRow("data dir not a folder")
            << QStringList{"--data-dir", "/nonexistent/folder", "--version"} << 0 << "Brenvik" << QString();
        QTest::newRow("data dir not a folder, with a mode")
            << QStringList{"--data-dir", "/nonexistent/folder", "--print-fields", "x.wrp"} << 2 << QString()
            << "is not a folder";
        QTest::newRow("two modes") << QStringList{"--print-fields", "--batch", "x.wrp"} << 2 << QString()
                                   << "cannot be combined";
        // A platform that needs a display is not asked for one: the headless modes run offscreen.
        QTest::newRow("a mode, QT_QPA_PLATFORM=xcb and no display")
            << QStringList{"QT_QPA_PLATFORM=xcb", "--print-fields", "/nonexistent/x.wrp"} << 1 << QString()
            << "brenvik: cannot open /nonexistent/x.wrp: no such file";
    }

    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, stdoutHas);
        QFETCH(QString, stderrHas);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program must choose offscreen itself
        env.remove(QStringLiteral("DISPLAY"));
        // A leading NAME=VALUE argument goes into the environment instead.
        if (!args.isEmpty() && args.first().contains(QLatin1Char('=')) && !args.first().startsWith(QLatin1Char('-')))
            env.insert(args.first().section(QLatin1Char('='), 0, 0), args.takeFirst().section(QLatin1Char('='), 1));
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"), args);
        QVERIFY(program.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == exitCode, qPrintable(err));
        if (!stdoutHas.isEmpty())
            QVERIFY2(out.contains(stdoutHas), qPrintable(out));
        if (!stderrHas.isEmpty())
            QVERIFY2(err.contains(stderrHas), qPrintable(err));
    }

    void helpListsTheModes()
    {
        QProcess program;
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"), {QStringLiteral("--help")});
        QVERIFY(program.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        for (const char *mode : {"--resave", "--export-pdf", "--print-fields", "--batch", "--wps-from", "--check",
                                 "--list", "--export-pdf-dir"})
            QVERIFY2(out.contains(QLatin1String(mode)), mode);
    }
};

QTEST_MAIN(TestCliMain)
#include "tst_cli_main.moc"
