// Where the side files are: the order the data folder is chosen in, the seeding of the user's
// folder from an installation's shipped copies, and the look-up of the read-only files.

#include "core/datafolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

// An installation under <root>/prefix (bin/ and share/brenvik/), a home data folder and two
// folders of a user's choosing.
struct Layout {
    QTemporaryDir root;
    QString dir(const QString &name) const
    {
        static const QHash<QString, QString> paths = {{"program", "prefix/bin"},
                                                      {"shared", "prefix/share/brenvik"},
                                                      {"user", "home/.local/share/brenvik"},
                                                      {"network", "net/store"},
                                                      {"portable", "usb/brenvik"}};
        return name.isEmpty() ? QString() : QDir::cleanPath(root.filePath(paths.value(name, name)));
    }
    void write(const QString &folder, const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(dir(folder));
        QFile f(QDir(dir(folder)).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString &folder, const QString &name) const
    {
        QFile f(QDir(dir(folder)).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
};

} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choice_data();
    void choice();
    void lookup_data();
    void lookup();
};

void TestDataFolders::choice_data()
{
    QTest::addColumn<QString>("option");      // folder names of Layout::dir, empty: not given
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("programStore");    // the program's folder holds a zoru.dat
    QTest::addColumn<bool>("programWritable"); // ... which the program may write
    QTest::addColumn<QStringList>("userFiles"); // already in the user's folder: "name=bytes"
    QTest::addColumn<int>("origin");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QStringList>("seeded");
    QTest::addColumn<QStringList>("userAfter"); // "name=bytes" in the user's folder afterwards

    using O = DataFolders::Origin;
    const QStringList none;
    const QStringList shipped = {"zoru.dat=shipped store", "zordrw.dat=shipped sketches"};
    QTest::newRow("build tree: writable program folder with its store")
        << "" << "" << "" << true << true << none << int(O::ProgramFolder) << "program" << none << none;
    // A copy on a read-only medium: its own store is the shipped one.
    QTest::newRow("read-only program folder: the user's folder seeded from it")
        << "" << "" << "" << true << false << none << int(O::UserFolder) << "user"
        << QStringList{"zoru.dat", "zordrw.dat"} << QStringList{"zoru.dat=build store", "zordrw.dat=shipped sketches"};
    QTest::newRow("installed: no store beside the program")
        << "" << "" << "" << false << true << none << int(O::UserFolder) << "user"
        << QStringList{"zoru.dat", "zordrw.dat"} << shipped;
    QTest::newRow("the user's store is kept, the missing library seeded")
        << "" << "" << "" << false << false << QStringList{"zoru.dat=mine"} << int(O::UserFolder) << "user"
        << QStringList{"zordrw.dat"} << QStringList{"zoru.dat=mine", "zordrw.dat=shipped sketches"};
    QTest::newRow("the user's files are all kept")
        << "" << "" << "" << false << false << QStringList{"zoru.dat=mine", "zordrw.dat=my sketches"}
        << int(O::UserFolder) << "user" << none << QStringList{"zoru.dat=mine", "zordrw.dat=my sketches"};
    QTest::newRow("--data-dir wins over everything, and nothing is seeded")
        << "portable" << "network" << "network" << true << true << none << int(O::Option) << "portable" << none
        << QStringList{"zoru.dat=<none>"};
    QTest::newRow("BRENVIK_DATA wins over the setting")
        << "" << "portable" << "network" << true << true << none << int(O::Environment) << "portable" << none
        << none;
    QTest::newRow("the Options setting wins over the program's folder")
        << "" << "" << "network" << true << true << none << int(O::Setting) << "network" << none
        << QStringList{"zoru.dat=<none>"};
}

void TestDataFolders::choice()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, setting);
    QFETCH(bool, programStore);
    QFETCH(bool, programWritable);
    QFETCH(QStringList, userFiles);
    QFETCH(int, origin);
    QFETCH(QString, dataDir);
    QFETCH(QStringList, seeded);
    QFETCH(QStringList, userAfter);

    Layout l;
    l.write("shared", "zoru.dat", "shipped store");
    l.write("shared", "zordrw.dat", "shipped sketches");
    QDir().mkpath(l.dir("program"));
    if (programStore)
        l.write("program", "zoru.dat", "build store");
    for (const QString &entry : userFiles)
        l.write("user", entry.section('=', 0, 0), entry.section('=', 1).toLatin1());

    DataFolders::Inputs in;
    in.option = l.dir(option);
    in.environment = l.dir(environment);
    in.setting = l.dir(setting);
    in.programDir = l.dir("program");
    in.userDir = l.dir("user");
    // As root every folder is writable: the program's folder says what the row says.
    in.storeWritable = [&](const QString &dir) {
        return programWritable && QFile::exists(QDir(dir).filePath("zoru.dat"));
    };
    const DataFolders folders = DataFolders::choose(in);
    QCOMPARE(int(folders.origin()), origin);
    QCOMPARE(folders.dataDir(), l.dir(dataDir));
    QCOMPARE(folders.dataFile("zoru.dat"), QDir(l.dir(dataDir)).filePath("zoru.dat"));
    QCOMPARE(folders.sharedDir(), l.dir("shared"));

    QString error;
    QCOMPARE(folders.seed(&error), seeded);
    QCOMPARE(error, QString());
    for (const QString &entry : userAfter)
        QCOMPARE(l.read("user", entry.section('=', 0, 0)), entry.section('=', 1).toLatin1());
    // A second start finds everything there and copies nothing.
    QCOMPARE(folders.seed(&error), QStringList());
    // The store copied from the shipped one is the user's to write.
    if (seeded.contains("zoru.dat"))
        QVERIFY(QFileInfo(folders.dataFile("zoru.dat")).isWritable());

    // Tools > Options changes the setting only: --data-dir and BRENVIK_DATA still win.
    const DataFolders changed = folders.withSetting(l.dir("network"));
    const bool overridden = !option.isEmpty() || !environment.isEmpty();
    QCOMPARE(changed.dataDir(), overridden ? folders.dataDir() : l.dir("network"));
    QCOMPARE(folders.withSetting(QString()).origin(),
             overridden ? folders.origin() : (programStore && programWritable ? DataFolders::Origin::ProgramFolder : DataFolders::Origin::UserFolder));
}

void TestDataFolders::lookup_data()
{
    QTest::addColumn<QStringList>("holders"); // folders that hold zorc.dat
    QTest::addColumn<QString>("found");       // where it is taken from
    QTest::newRow("data folder first") << QStringList{"user", "program", "shared"} << "user";
    QTest::newRow("then the program's folder") << QStringList{"program", "shared"} << "program";
    QTest::newRow("then the installation's shared folder") << QStringList{"shared"} << "shared";
    // Missing everywhere: the path in the data folder, for the error to name.
    QTest::newRow("nowhere") << QStringList() << "user";
}

void TestDataFolders::lookup()
{
    QFETCH(QStringList, holders);
    QFETCH(QString, found);
    Layout l;
    for (const QString &folder : holders)
        l.write(folder, "zorc.dat", folder.toLatin1());
    QDir().mkpath(l.dir("program"));
    DataFolders::Inputs in;
    in.programDir = l.dir("program");
    in.userDir = l.dir("user");
    in.storeWritable = [](const QString &) { return false; };
    const DataFolders folders = DataFolders::choose(in);
    QCOMPARE(folders.lookupDirs(), (QStringList{l.dir("user"), l.dir("program"), l.dir("shared")}));
    QCOMPARE(folders.findFile("zorc.dat"), QDir(l.dir(found)).filePath("zorc.dat"));
    // One folder for everything looks there alone.
    QCOMPARE(DataFolders(l.dir("network")).lookupDirs(), QStringList{l.dir("network")});
}

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
