// The store's file logic on real files: runs, saves, deletes, shared lists, linked lists,
// memo topics and company profiles, and what a refused write leaves behind.

#include "core/cp1252.h"
#include "core/profilefile.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"
#include "userdata/userdatastore.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace Brenvik;

namespace {

// Test files are written as the shipped store is: code page 1252, CR LF.
QString keyOf(const QString &path, const QString &section, const QString &key)
{
    ProfileFile f(path);
    f.load();
    return f.value(section, key);
}

// Makes a folder refuse new files (the lock file, the temporary file of the atomic write),
// for root too; undone on scope exit.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &dir) : m_dir(dir)
    {
        m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_dir}) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_ok)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_dir});
    }
    bool ok() const { return m_ok; }

private:
    QString m_dir;
    bool m_ok = false;
};

} // namespace

class TestUserDataStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listValues_data();
    void listValues();
    void saveValue_data();
    void saveValue();
    void deleteValue_data();
    void deleteValue();
    void sharedLists();
    void linkedLists_data();
    void linkedLists();
    void linkedListsNeverMakeAStore();
    void topics();
    void profiles();
    void profileNumbersThatAreNotNumbers();
    void refusedWriteLeavesTheFile();
    void missingStore();
    void unkeepableCharacters();
};

void TestUserDataStore::listValues_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("fixed then user") << "[WPDS_rev]\nuser1=u1\nfixed1=f1\nfixed2=f2\nuser2=u2\n"
                                     << QStringList{"f1", "f2", "u1", "u2"};
    QTest::newRow("gap ends the run") << "[WPDS_rev]\nuser1=a\nuser3=c\n" << QStringList{"a"};
    QTest::newRow("empty value ends the run") << "[WPDS_rev]\nfixed1=\nfixed2=x\nuser1=a\nuser2=\nuser3=c\n"
                                              << QStringList{"a"};
    QTest::newRow("names in any case") << "[wpds_REV]\nUSER1=a\nUser2=b\n" << QStringList{"a", "b"};
    QTest::newRow("first occurrence wins") << "[WPDS_rev]\nuser1=a\nuser1=b\n[WPDS_rev]\nuser2=c\n"
                                           << QStringList{"a"};
    QTest::newRow("long values whole") << "[WPDS_rev]\nuser1=" + QString(300, QLatin1Char('x')) + "\n"
                                       << QStringList{QString(300, QLatin1Char('x'))};
    QTest::newRow("code page 1252") << QString::fromUtf8("[WPDS_rev]\nuser1=120 \u00b0C \u2013 250 \u00b0F\n")
                                    << QStringList{QString::fromUtf8("120 \u00b0C \u2013 250 \u00b0F")};
    QTest::newRow("no section") << "[other]\nuser1=a\n" << QStringList{};
    QTest::newRow("blanks around values dropped, blanks only end the run")
        << "[WPDS_rev]\nfixed1 = GTAW \nuser1=\tE7018\nuser2=  \nuser3=c\n" << QStringList{"GTAW", "E7018"};
}

void TestUserDataStore::listValues()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    TempData data(false);
    data.write("zoru.dat", ini(file));
    UserDataStore store;
    QVERIFY(store.read());
    QCOMPARE(store.values(store.listSection("WPDS", "rev")), expected);
    // The profile-file reader, which reads documents and writes the store, reads the same.
    ProfileFile profile(data.file("zoru.dat"));
    QVERIFY(profile.load());
    QStringList read;
    for (const char *prefix : {"fixed", "user"})
        for (int n = 1;; ++n) {
            const QString value = profile.value("WPDS_rev", prefix + QString::number(n)).trimmed();
            if (value.isEmpty())
                break;
            read << value;
        }
    QCOMPARE(read, expected);
}

void TestUserDataStore::saveValue_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key"); // empty: nothing written
    QTest::newRow("next after the run") << "[WPDS_rev]\nuser1=a\nuser2=b\n" << "c" << "user3";
    QTest::newRow("gap: fills the gap") << "[WPDS_rev]\nuser1=a\nuser3=c\n" << "b" << "user2";
    QTest::newRow("other case is new") << "[WPDS_rev]\nfixed1=GTAW\n" << "gtaw" << "user1";
    QTest::newRow("trailing blank is new") << "[WPDS_rev]\nuser1=E7018\n" << "E7018 " << "user2";
    QTest::newRow("equal to fixed") << "[WPDS_rev]\nfixed1=GTAW\n" << "GTAW" << "";
    QTest::newRow("equal to user") << "[WPDS_rev]\nfixed1=x\nuser1=a\nuser2=b\n" << "b" << "";
    QTest::newRow("new section") << "[sync]\n" << "a" << "user1";
    QTest::newRow("empty text") << "[WPDS_rev]\n" << "" << "";
}

void TestUserDataStore::saveValue()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, key);
    TempData data(false);
    data.write("zoru.dat", ini(file));
    const QByteArray before = data.read("zoru.dat");
    UserDataStore store;
    QCOMPARE(store.saveValue("WPDS", "rev", text), !key.isEmpty());
    if (key.isEmpty()) {
        QCOMPARE(data.read("zoru.dat"), before);
    } else {
        // Written as typed; read, like every value, without the blanks around it.
        QVERIFY(data.read("zoru.dat").contains(ini(key + "=" + text + "\n")));
        QCOMPARE(keyOf(data.file("zoru.dat"), "WPDS_rev", key), text.trimmed());
        // The copy in hand is what was written: refills need no second read.
        QVERIFY(store.values("WPDS_rev").contains(text.trimmed()));
    }
}

void TestUserDataStore::deleteValue_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("userAfter");
    QTest::addColumn<int>("removed");
    QTest::newRow("every equal one, renumbered") << "[WPDS_rev]\nuser1=a\nuser2=x\nuser3=b\nuser4=x\nuser5=c\n"
                                                << "x" << QStringList{"a", "b", "c"} << 2;
    QTest::newRow("exact case only") << "[WPDS_rev]\nuser1=X\nuser2=x\n" << "x" << QStringList{"X"} << 1;
    QTest::newRow("fixed entry stays") << "[WPDS_rev]\nfixed1=x\nuser1=a\n" << "x" << QStringList{"a"} << 0;
    QTest::newRow("last one") << "[WPDS_rev]\nuser1=x\n" << "x" << QStringList{} << 1;
    QTest::newRow("not there") << "[WPDS_rev]\nuser1=a\n" << "b" << QStringList{"a"} << 0;
}

void TestUserDataStore::deleteValue()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QStringList, userAfter);
    QFETCH(int, removed);
    TempData data(false);
    data.write("zoru.dat", ini(file));
    UserDataStore store;
    QCOMPARE(store.deleteValue("WPDS", "rev", text), removed);
    UserDataStore fresh;
    QVERIFY(fresh.read());
    QCOMPARE(fresh.run("WPDS_rev", "user"), userAfter);
    // No key is left past the renumbered run.
    QVERIFY(keyOf(data.file("zoru.dat"), "WPDS_rev", "user" + QString::number(userAfter.size() + 1)).isEmpty());
    QCOMPARE(store.run("WPDS_rev", "user"), userAfter);
}

void TestUserDataStore::sharedLists()
{
    TempData data(false);
    data.write("zoru.dat", ini("[sync]\nweldingProcess1=Process\nWELDINGPROCESS2=process\nIFMProcess1=PROCESS\n"
                               "other=elsewhere\nempty=\n[process]\nfixed1=GTAW\n"));
    UserDataStore store;
    QVERIFY(store.read());
    QCOMPARE(store.listSection("WPDS", "weldingprocess2"), QString("process"));
    QCOMPARE(store.listSection("WPDS", "empty"), QString("WPDS_empty"));
    QCOMPARE(store.listSection("PQR", "rev"), QString("PQR_rev"));
    QCOMPARE(store.syncedControls("Process"),
             (QStringList{"weldingProcess1", "WELDINGPROCESS2", "IFMProcess1"}));
    QVERIFY(store.syncedControls(QString()).isEmpty());

    // Saved through one box, offered by every box of the list.
    QVERIFY(store.saveValue("WPDS", "IFMProcess1", "FCAW"));
    QCOMPARE(store.values(store.listSection("WPQR", "weldingProcess1")), (QStringList{"GTAW", "FCAW"}));
    QCOMPARE(keyOf(data.file("zoru.dat"), "process", "user1"), QString("FCAW"));
}

void TestUserDataStore::linkedLists_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QStringList>("expected");
    const QString pair = "[A]\nuser1=a\nuser2=b\nuser3=c\n[B]\nuser1=c\nuser2=d\nuser3=a\n";
    QTest::newRow("union in order of first appearance") << pair << true << QStringList{"a", "b", "c", "d"};
    QTest::newRow("intersection in the first's order") << pair << false << QStringList{"a", "c"};
    QTest::newRow("union with an empty list") << "[A]\nuser1=a\n" << true << QStringList{"a"};
    QTest::newRow("intersection with an empty list") << "[A]\nuser1=a\nuser2=b\n" << false << QStringList{};
    QTest::newRow("union: exact comparison") << "[A]\nuser1=a\n[B]\nuser1=A\n" << true << QStringList{"a", "A"};
}

void TestUserDataStore::linkedLists()
{
    QFETCH(QString, file);
    QFETCH(bool, merge);
    QFETCH(QStringList, expected);
    TempData data(false);
    data.write("zoru.dat", ini(file));
    UserDataStore store;
    if (merge)
        store.mergeUserEntries({"A", "B"});
    else
        store.intersectUserEntries({"A", "B"});
    UserDataStore fresh;
    QVERIFY(fresh.read());
    QCOMPARE(fresh.run("A", "user"), expected);
    QCOMPARE(fresh.run("B", "user"), expected);
    QVERIFY(keyOf(data.file("zoru.dat"), "A", "user" + QString::number(expected.size() + 1)).isEmpty());
    QVERIFY(keyOf(data.file("zoru.dat"), "B", "user" + QString::number(expected.size() + 1)).isEmpty());
}

void TestUserDataStore::linkedListsNeverMakeAStore()
{
    TempData data(false);
    UserDataStore store;
    store.mergeUserEntries({"A", "B"});
    store.intersectUserEntries({"A", "B"});
    QVERIFY(QDir(data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    // One section only: nothing is touched.
    data.write("zoru.dat", ini("[A]\nuser1=a\n"));
    const QByteArray before = data.read("zoru.dat");
    store.intersectUserEntries({"A"});
    QCOMPARE(data.read("zoru.dat"), before);
}

void TestUserDataStore::topics()
{
    TempData data(false);
    data.write("zoru.dat", ini("[WPDS_technique]\nfixed1=Stringer\nfixedText1=one\\ntwo\nfixed2=Weave\n"
                               "user1=Mine\nuserText1=m1\nuser2=Second\nuserText2=s\nuser3=Third\nuserText3=t\n"));
    UserDataStore store;
    QVERIFY(store.read());
    const QList<UserDataStore::Topic> all = store.topics("WPDS_technique");
    QCOMPARE(all.size(), 5);
    QCOMPARE(all.at(0).text, QString("one\\ntwo"));
    QVERIFY(all.at(1).fixed && all.at(1).text.isEmpty());
    QVERIFY(!all.at(2).fixed);

    // A fixed name is refused, an existing user topic keeps its number.
    QVERIFY(!store.saveTopic("WPDS_technique", "Weave", "x"));
    QVERIFY(store.saveTopic("WPDS_technique", "Second", "new\\ntext"));
    QCOMPARE(keyOf(data.file("zoru.dat"), "WPDS_technique", "user2"), QString("Second"));
    QCOMPARE(keyOf(data.file("zoru.dat"), "WPDS_technique", "userText2"), QString("new\\ntext"));
    QVERIFY(store.saveTopic("WPDS_technique", "Fourth", ""));
    QCOMPARE(keyOf(data.file("zoru.dat"), "WPDS_technique", "user4"), QString("Fourth"));

    // Deleting the second of the user topics moves the rest up, texts with them.
    QCOMPARE(store.deleteTopic("WPDS_technique", "Second"), 1);
    QCOMPARE(store.deleteTopic("WPDS_technique", "Weave"), 0);
    UserDataStore fresh;
    QVERIFY(fresh.read());
    QStringList names, texts;
    for (const auto &t : fresh.topics("WPDS_technique")) {
        if (!t.fixed) {
            names << t.name;
            texts << t.text;
        }
    }
    QCOMPARE(names, (QStringList{"Mine", "Third", "Fourth"}));
    QCOMPARE(texts, (QStringList{"m1", "t", ""}));
    QVERIFY(!fresh.topics("WPDS_technique").isEmpty());
    QVERIFY(keyOf(data.file("zoru.dat"), "WPDS_technique", "user4").isEmpty());
}

void TestUserDataStore::profiles()
{
    TempData data(false);
    data.write("zoru.dat", ini("[sync]\n"));
    UserDataStore store;
    QCOMPARE(store.saveProfile("Acme", "Acme Ltd", "1 Main St", false), 1);
    QCOMPARE(store.saveProfile("Beta", "Beta Inc", "2 Side St", true), 2);
    QCOMPARE(store.saveProfile("Gamma", "Gamma", "3 Road", false), 3);
    // Same name again: same number, new address, list unchanged, default untouched.
    QCOMPARE(store.saveProfile("Acme", "Acme Ltd", "9 New St", false), 1);
    QCOMPARE(store.indexString(), QString("1 2 3"));
    QCOMPARE(store.profile(1).address, QString("9 New St"));
    QCOMPARE(store.userDefault(), std::optional<int>(2));

    // Deleting 2 (the default) rewrites the list with its leading blank and drops the default,
    // so the next new profile does not silently become the default.
    QCOMPARE(store.deleteProfile("Beta"), 2);
    QVERIFY(data.read("zoru.dat").contains(ini("indexString= 1 3\n")));
    QVERIFY(!store.userDefault());
    QVERIFY(keyOf(data.file("zoru.dat"), "profile2", "company").isEmpty());
    QCOMPARE(store.saveProfile("Delta", "D", "", false), 4);
    QCOMPARE(store.deleteProfile("nobody"), 0);
    QCOMPARE(store.deleteProfile("acme"), 0); // names compare exactly

    // The default survives the deletion of another profile.
    QCOMPARE(store.saveProfile("Gamma", "Gamma", "3 Road", true), 3);
    QCOMPARE(store.deleteProfile("Acme"), 1);
    QCOMPARE(store.userDefault(), std::optional<int>(3));
    QCOMPARE(store.deleteProfile("Gamma"), 3);
    QCOMPARE(store.deleteProfile("Delta"), 4);
    QCOMPARE(keyOf(data.file("zoru.dat"), "index", "indexString"), QString());
    QCOMPARE(store.saveProfile("Again", "A", "B", false), 1);
}

void TestUserDataStore::profileNumbersThatAreNotNumbers()
{
    TempData data(false);
    data.write("zoru.dat", ini("[index]\nindexString=1 x2  3\nuserDefault=three\n"
                               "[profile1]\nprofilename=One\n[profile3]\nprofilename=Three\n"));
    UserDataStore store;
    QVERIFY(store.read());
    QStringList bad;
    const auto list = store.profiles(&bad);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1).name, QString("Three"));
    QVERIFY(!store.userDefault(&bad));
    QCOMPARE(bad, (QStringList{"x2", "three"}));

    // A save still works; the odd word is kept as it stood.
    bad.clear();
    QCOMPARE(store.saveProfile("Four", "F", "", false, &bad), 4);
    QCOMPARE(bad, QStringList{"x2"});
    QCOMPARE(store.indexString(), QString("1 x2  3 4"));
}

void TestUserDataStore::refusedWriteLeavesTheFile()
{
    TempData data(false);
    const QByteArray original = ini("[WPDS_rev]\nuser1=a\nuser2=x\nuser3=x\n[index]\nindexString=1\n"
                                    "[profile1]\nprofilename=P\n[A]\nuser1=q\n[B]\nuser1=r\n");
    data.write("zoru.dat", original);
    ReadOnlyFolder lock(data.path());
    if (!lock.ok())
        QSKIP("chattr is not available here");

    UserDataStore store;
    QVERIFY(store.read());
    const auto refused = [&](const std::function<void()> &op) {
        try {
            op();
        } catch (const FileError &e) {
            return e.message().startsWith("Unable to write to ");
        }
        return false;
    };
    QVERIFY(refused([&] { store.saveValue("WPDS", "rev", "new"); }));
    QVERIFY(refused([&] { store.deleteValue("WPDS", "rev", "x"); }));
    QVERIFY(refused([&] { store.mergeUserEntries({"A", "B"}); }));
    QVERIFY(refused([&] { store.intersectUserEntries({"A", "B"}); }));
    QVERIFY(refused([&] { store.saveProfile("P", "c", "a", true); }));
    QVERIFY(refused([&] { store.deleteProfile("P"); }));
    QVERIFY(refused([&] { store.saveTopic("WPDS_remarks", "t", "x"); }));
    QCOMPARE(data.read("zoru.dat"), original);
    // The copy in hand still shows the file as it is.
    QCOMPARE(store.run("WPDS_rev", "user"), (QStringList{"a", "x", "x"}));
}

void TestUserDataStore::missingStore()
{
    ScriptedPlatform platform;
    TempData data(false);
    UserDataStore store;
    QVERIFY(!store.exists());
    QVERIFY(!store.readQuietly());
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(!store.read());
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.at(0).caption, QString("Error"));
    QCOMPARE(platform.messages.at(0).icon, MsgIcon::Error);
    QCOMPARE(platform.messages.at(0).text,
             "File " + QDir::toNativeSeparators(data.file("zoru.dat")) + " is missing. Operation aborted.");

    // A folder where the store should be is no store either.
    QDir(data.path()).mkdir("zoru.dat");
    QVERIFY(!UserDataStore().exists());
}

void TestUserDataStore::unkeepableCharacters()
{
    ScriptedPlatform platform;
    QVERIFY(UserDataStore::acceptTexts({QString::fromUtf8("120 \u00b0C \u2013 \u20ac5"), QString()}));
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(UserDataStore::unkeepable({QString::fromUtf8("\u0141\u00f3d\u017a"), QString::fromUtf8("\u017a\U0001F600")}),
             QString::fromUtf8("\u0141\u017a\U0001F600"));
    QVERIFY(!UserDataStore::acceptTexts({QString::fromUtf8("\u0141odz")}));
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.at(0).text.contains(QString::fromUtf8("\"\u0141\"")));
}

QTEST_MAIN(TestUserDataStore)
#include "tst_userdatastore.moc"
