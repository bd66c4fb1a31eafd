#include "core/cp1252.h"
#include "core/profilefile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Brenvik;

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

// What a value set reads back as: the profile service drops the blanks around it.
QString asRead(const QString &value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && (value.at(begin) == QLatin1Char(' ') || value.at(begin) == QLatin1Char('\t')))
        ++begin;
    while (end > begin && (value.at(end - 1) == QLatin1Char(' ') || value.at(end - 1) == QLatin1Char('\t')))
        --end;
    return value.mid(begin, end - begin);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// "set|section|key|value", "del|section|key", "drop|section", one per entry.
void apply(ProfileFile &file, const QStringList &ops)
{
    for (const QString &op : ops) {
        const QStringList p = op.split(QLatin1Char('|'));
        if (p.at(0) == QLatin1String("set"))
            file.setValue(p.at(1), p.at(2), p.mid(3).join(QLatin1Char('|')));
        else if (p.at(0) == QLatin1String("del"))
            file.removeKey(p.at(1), p.at(2));
        else
            file.removeSection(p.at(1));
    }
}

// The model of a profile file the random edits are checked against: sections and keys in
// the order they came into being, compared folded.
struct Model {
    struct Section {
        QString name;
        QList<QPair<QString, QString>> keys; // folded key, value
    };
    QList<Section> sections;

    int find(const QString &section) const
    {
        for (int i = 0; i < sections.size(); ++i) {
            if (sections.at(i).name.compare(section, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
    void set(const QString &section, const QString &key, const QString &value)
    {
        int s = find(section);
        if (s < 0) {
            sections.append({section, {}});
            s = sections.size() - 1;
        }
        for (auto &kv : sections[s].keys) {
            if (kv.first == key.toLower()) {
                kv.second = value;
                return;
            }
        }
        sections[s].keys.append({key.toLower(), value});
    }
    void remove(const QString &section, const QString &key)
    {
        const int s = find(section);
        if (s < 0)
            return;
        auto &keys = sections[s].keys;
        for (int i = 0; i < keys.size(); ++i) {
            if (keys.at(i).first == key.toLower())
                keys.removeAt(i--);
        }
    }
    void drop(const QString &section)
    {
        const int s = find(section);
        if (s >= 0)
            sections.removeAt(s);
    }
};

QString modelCheck(const ProfileFile &file, const Model &model, const QStringList &sectionPool,
                   const QStringList &keyPool)
{
    QStringList names;
    for (const auto &s : model.sections)
        names << s.name.toLower();
    QStringList got;
    for (const QString &s : file.sections())
        got << s.toLower();
    if (got != names)
        return QStringLiteral("sections %1 != %2").arg(got.join(','), names.join(','));
    for (const QString &section : sectionPool) {
        const int s = model.find(section);
        if (file.hasSection(section) != (s >= 0))
            return QStringLiteral("hasSection %1").arg(section);
        QStringList keys;
        if (s >= 0) {
            for (const auto &kv : model.sections.at(s).keys)
                keys << kv.first;
        }
        QStringList gotKeys;
        for (const QString &k : file.keys(section))
            gotKeys << k.toLower();
        if (gotKeys != keys)
            return QStringLiteral("keys of %1: %2 != %3").arg(section, gotKeys.join(','), keys.join(','));
        for (const QString &key : keyPool) {
            QString expected;
            bool present = false;
            if (s >= 0) {
                for (const auto &kv : model.sections.at(s).keys) {
                    if (kv.first == key.toLower()) {
                        expected = kv.second;
                        present = true;
                    }
                }
            }
            // Ask in another spelling than the one written.
            const QString asked = key.toUpper();
            if (file.contains(section.toLower(), asked) != present || file.value(section, asked) != asRead(expected))
                return QStringLiteral("%1/%2: '%3' != '%4'").arg(section, key, file.value(section, asked), expected);
        }
    }
    return QString();
}

QString randomName(QRandomGenerator &rng, const QString &alphabet, int maxLength)
{
    QString name;
    const int n = 1 + rng.bounded(maxLength);
    for (int i = 0; i < n; ++i) {
        QChar c = alphabet.at(rng.bounded(int(alphabet.size())));
        name += rng.bounded(2) ? c.toUpper() : c;
    }
    return name;
}

// Any character 1252 holds, bar CR and LF: blanks, "=", "[", the cell separator, the
// undefined bytes' controls and the euro sign come up often.
QString randomValue(QRandomGenerator &rng)
{
    static const QByteArray special("= [];\t\xA6\x80\x81\x9D\x00\\", 12);
    QByteArray bytes;
    const int n = rng.bounded(3) == 0 ? 0 : rng.bounded(40);
    for (int i = 0; i < n; ++i) {
        char c = rng.bounded(3) == 0 ? special.at(rng.bounded(int(special.size()))) : char(rng.bounded(256));
        if (c == '\r' || c == '\n')
            c = 'x';
        bytes += c;
    }
    return Cp1252::decode(bytes);
}

// Bytes with far more of the characters the reader cares about than chance would give.
QByteArray randomBytes(QRandomGenerator &rng)
{
    static const QByteArray pieces[] = {"[", "]", "=", "\r", "\n", "\r\n", " ", "\t", "s1", "k1", "\xEF\xBB\xBF", "\x00"};
    QByteArray bytes;
    const int n = rng.bounded(200);
    for (int i = 0; i < n; ++i) {
        if (rng.bounded(2))
            bytes += pieces[rng.bounded(int(std::size(pieces)))];
        else
            bytes += char(rng.bounded(256));
    }
    if (rng.bounded(4) == 0)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("value");

        const QByteArray doc("[contents]\r\nimageFile=butt-v.bmp\r\nformType=WPDS\r\n");
        QTest::newRow("plain") << doc << u("contents") << u("formType") << true << u("WPDS");
        QTest::newRow("section and key in other case") << doc << u("CONTENTS") << u("FORMTYPE") << true << u("WPDS");
        QTest::newRow("absent key") << doc << u("contents") << u("wpdsNo") << false << u("");
        QTest::newRow("absent section") << doc << u("other") << u("formType") << false << u("");
        QTest::newRow("blanks around key name") << QByteArray("[s]\r\n \tkey \t=v\r\n") << u("s") << u("key") << true << u("v");
        QTest::newRow("blanks around the value dropped") << QByteArray("[s]\r\nk= a  b \t\r\n") << u("s") << u("k") << true << u("a  b");
        QTest::newRow("hand-edited form type") << QByteArray("[contents]\r\nformType = WPDS \r\n") << u("contents") << u("formType")
                                               << true << u("WPDS");
        QTest::newRow("blank after =") << QByteArray("[contents]\r\npulsed1= true\r\n") << u("contents") << u("pulsed1") << true
                                       << u("true");
        QTest::newRow("value of blanks only") << QByteArray("[s]\r\nk= \t \r\n") << u("s") << u("k") << true << u("");
        QTest::newRow("other characters around the value kept") << QByteArray("[s]\r\nk=\xA0x\x01\r\n") << u("s") << u("k") << true
                                                                << u("\u00A0x") + QChar(1);
        QTest::newRow("value holds =") << QByteArray("[s]\r\nk=a=b\r\n") << u("s") << u("k") << true << u("a=b");
        QTest::newRow("empty value") << QByteArray("[s]\r\nk=\r\n") << u("s") << u("k") << true << u("");
        QTest::newRow("first key wins") << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << u("s") << u("k") << true << u("1");
        QTest::newRow("first section wins") << QByteArray("[s]\r\nj=1\r\n[S]\r\nk=2\r\n") << u("s") << u("k") << false << u("");
        QTest::newRow("key of another section") << QByteArray("[a]\r\nk=1\r\n[b]\r\n") << u("b") << u("k") << false << u("");
        QTest::newRow("before any section") << QByteArray("k=1\r\n[s]\r\n") << u("s") << u("k") << false << u("");
        QTest::newRow("line without =") << QByteArray("[s]\r\nk\r\n") << u("s") << u("k") << false << u("");
        QTest::newRow("blanks in header") << QByteArray(" [ s ] trailing\r\nk=1\r\n") << u("s") << u("k") << true << u("1");
        QTest::newRow("LF line ends") << QByteArray("[s]\nk=1\nj=2") << u("s") << u("k") << true << u("1");
        QTest::newRow("no line end at all") << QByteArray("[s]\r\nk=1") << u("s") << u("k") << true << u("1");
        QTest::newRow("CR-only line ends") << QByteArray("[s]\rk=1\rj=2\r") << u("s") << u("j") << true << u("2");
        QTest::newRow("lone CR at the end") << QByteArray("[s]\r\nk=1\r") << u("s") << u("k") << true << u("1");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[s]\r\nk=1\r\n") << u("s") << u("k") << true << u("1");
        QTest::newRow("code page 1252") << QByteArray("[s]\r\nk=mm\xA6_\xA6\x80\x81\xFF\r\n") << u("s") << u("k") << true
                                        << u("mm\u00A6_\u00A6\u20AC\u0081\u00FF");
        QTest::newRow("1252 letters in names") << QByteArray("[\xC4x]\r\n\xE9k=1\r\n") << u("\u00E4X") << u("\u00C9K") << true << u("1");
        const QByteArray longValue(5000, 'v');
        QTest::newRow("long value whole") << QByteArray("[s]\r\nk=" + longValue + "\r\n") << u("s") << u("k") << true
                                          << QString::fromLatin1(longValue);
        QTest::newRow("blank key asked") << doc << u(" contents ") << u(" formType ") << true << u("WPDS");
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(bool, present);
        QFETCH(QString, value);
        ProfileFile f(QStringLiteral("unused"));
        f.setData(file);
        QCOMPARE(f.contains(section, key), present);
        QCOMPARE(f.value(section, key), value);
        QCOMPARE(f.data(), file);
    }

    void sectionsAndKeysInFileOrder()
    {
        ProfileFile f(QStringLiteral("unused"));
        f.setData("x=0\r\n[WPDS_wpdsNo]\r\nfixed1=a\r\nuser1 =  b \r\nFIXED1=c\r\n\r\n[sync]\r\nodd\r\nwpdsNo=x\r\n[wpds_WPDSNO]\r\nuser2=d\r\n");
        QCOMPARE(f.sections(), (QStringList{u("WPDS_wpdsNo"), u("sync")}));
        QCOMPARE(f.keys(u("wpds_wpdsno")), (QStringList{u("fixed1"), u("user1")}));
        QCOMPARE(f.keys(u("sync")), QStringList{u("wpdsNo")});
        QCOMPARE(f.keys(u("none")), QStringList());
        using Entries = QList<std::pair<QString, QString>>;
        QCOMPARE(f.entries(u("WPDS_WPDSNO")), (Entries{{u("fixed1"), u("a")}, {u("user1"), u("b")}}));
        QCOMPARE(f.entries(u("none")), Entries());
    }

    void copiesAndReloadsKeepTheirOwnBytes()
    {
        // Unedited lines are views into the bytes read: they must never see another buffer.
        QByteArray buffer("[s]\r\nk=first\r\n");
        ProfileFile f(QStringLiteral("unused"));
        f.setData(QByteArray::fromRawData(buffer.constData(), buffer.size()));
        const ProfileFile copy = f;
        buffer[8] = 'X';
        QCOMPARE(f.value(u("s"), u("k")), u("first"));
        f.setData("[s]\r\nk=second\r\n");
        QCOMPARE(copy.value(u("s"), u("k")), u("first"));
        QCOMPARE(copy.data(), QByteArray("[s]\r\nk=first\r\n"));
        QCOMPARE(f.value(u("s"), u("k")), u("second"));
    }

    void editing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("in place keeps spelling, blanks and LF")
            << QByteArray("[s]\n  Key = old\nx=1\n") << QStringList{"set|S|key|new"} << QByteArray("[s]\n  Key =new\nx=1\n");
        QTest::newRow("padded key replaced in place, no second key")
            << QByteArray("[contents]\r\n pulsed1 = true \r\n") << QStringList{"set|contents|PULSED1|false"}
            << QByteArray("[contents]\r\n pulsed1 =false\r\n");
        QTest::newRow("value that reads the same keeps its blanks")
            << QByteArray("[contents]\r\nformType = WPDS \r\n") << QStringList{"set|contents|formType|WPDS"}
            << QByteArray("[contents]\r\nformType = WPDS \r\n");
        QTest::newRow("value written as given")
            << QByteArray("[s]\r\nk=v\r\n") << QStringList{"set|s|k| v ", "set|s|j|\t"} << QByteArray("[s]\r\nk= v \r\nj=\t\r\n");
        QTest::newRow("first occurrence replaced")
            << QByteArray("[s]\r\nx=1\r\nX=2\r\n") << QStringList{"set|s|x|3"} << QByteArray("[s]\r\nx=3\r\nX=2\r\n");
        QTest::newRow("new key after the section's last line")
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << QStringList{"set|A|k|v"}
            << QByteArray("[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n");
        QTest::newRow("new key in an empty section")
            << QByteArray("[a]\r\n[b]\r\n") << QStringList{"set|a|k|v"} << QByteArray("[a]\r\nk=v\r\n[b]\r\n");
        QTest::newRow("new key after odd lines")
            << QByteArray("[a]\r\nx=1\r\n; note\r\n") << QStringList{"set|a|k|v"} << QByteArray("[a]\r\nx=1\r\n; note\r\nk=v\r\n");
        QTest::newRow("new key, last line without CR LF")
            << QByteArray("[a]\r\nx=1") << QStringList{"set|a|k|v"} << QByteArray("[a]\r\nx=1\r\nk=v\r\n");
        QTest::newRow("new key, last line ends in lone CR")
            << QByteArray("[a]\r\nx=1\r") << QStringList{"set|a|k|v"} << QByteArray("[a]\r\nx=1\r\nk=v\r\n");
        QTest::newRow("new section, last line without CR LF")
            << QByteArray("[a]\r\nx=1") << QStringList{"set|b|k|v"} << QByteArray("[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
        QTest::newRow("new section after trailing blank lines")
            << QByteArray("[a]\r\nx=1\r\n\r\n") << QStringList{"set|b|k|v"} << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n");
        QTest::newRow("empty file")
            << QByteArray() << QStringList{"set|contents|formType|WPDS", "set|contents|imageFile|"}
            << QByteArray("[contents]\r\nformType=WPDS\r\nimageFile=\r\n");
        QTest::newRow("set into the first of two same sections")
            << QByteArray("[s]\r\na=1\r\n[S]\r\nk=2\r\n") << QStringList{"set|s|k|3"} << QByteArray("[s]\r\na=1\r\nk=3\r\n[S]\r\nk=2\r\n");
        QTest::newRow("line breaks in a value become blanks")
            << QByteArray("[s]\r\n") << QStringList{"set|s|k|a\r\n[x]\nb=c\rd"} << QByteArray("[s]\r\nk=a  [x] b=c d\r\n");
        QTest::newRow("unencodable text becomes ?")
            << QByteArray() << QStringList{u("set|s|k|\u20AC \u4E00 \U0001F600 \u00A6")} << QByteArray("[s]\r\nk=\x80 ? ? \xA6\r\n");
        QTest::newRow("byte-order mark and odd bytes kept")
            << QByteArray("\xEF\xBB\xBF; head\r\n[a]\n\tjunk\r\nx=1\r\n\x01\x02\r\n") << QStringList{"set|a|x|2"}
            << QByteArray("\xEF\xBB\xBF; head\r\n[a]\n\tjunk\r\nx=2\r\n\x01\x02\r\n");
        QTest::newRow("remove key, every occurrence in the section")
            << QByteArray("[a]\r\nx=1\r\ny=2\r\n X =3\r\n[b]\r\nx=4\r\n") << QStringList{"del|A|x"}
            << QByteArray("[a]\r\ny=2\r\n[b]\r\nx=4\r\n");
        QTest::newRow("remove absent key")
            << QByteArray("[a]\r\nx=1\r\n") << QStringList{"del|a|y", "del|b|x"} << QByteArray("[a]\r\nx=1\r\n");
        QTest::newRow("remove section with its lines")
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << QStringList{"drop|A"} << QByteArray("[b]\r\ny=2\r\n");
        QTest::newRow("remove section, every copy")
            << QByteArray("[a]\r\nx=1\r\n[b]\r\n[A]\r\nz=1\r\n") << QStringList{"drop|a"} << QByteArray("[b]\r\n");
        QTest::newRow("removed section comes back at the end")
            << QByteArray("[a]\r\nx=1\r\n[b]\r\n") << QStringList{"drop|a", "set|a|x|2"} << QByteArray("[b]\r\n[a]\r\nx=2\r\n");
        QTest::newRow("removed key comes back at the end")
            << QByteArray("[a]\r\nx=1\r\ny=2\r\n") << QStringList{"del|a|x", "set|a|X|3"} << QByteArray("[a]\r\ny=2\r\nX=3\r\n");
    }
    void editing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, ops);
        QFETCH(QByteArray, after);
        ProfileFile f(QStringLiteral("unused"));
        f.setData(before);
        apply(f, ops);
        QCOMPARE(f.data(), after);
        QCOMPARE(f.isModified(), before != after);
    }

    void settingTheSameValueIsNoChange()
    {
        ProfileFile f(QStringLiteral("unused"));
        f.setData("[s]\r\nk=v\r\n");
        f.setValue(u("S"), u("K"), u("v"));
        QVERIFY(!f.isModified());
    }

    void lossyKeysFollowTheValues()
    {
        ProfileFile f(QStringLiteral("unused"));
        f.setValue(u("contents"), u("a"), u("\u4E00"));
        f.setValue(u("contents"), u("b"), u("\u20AC plain 1252"));
        f.setValue(u("contents"), u("c"), u("\u03A9"));
        QCOMPARE(f.lossyKeys(), (QStringList{u("contents/a"), u("contents/c")}));
        f.setValue(u("contents"), u("A"), u("fixed"));
        f.removeKey(u("contents"), u("c"));
        QCOMPARE(f.lossyKeys(), QStringList());
        f.setValue(u("other"), u("x"), u("\u03A9"));
        f.removeSection(u("OTHER"));
        QCOMPARE(f.lossyKeys(), QStringList());
        f.setValue(u("s"), u("x"), u("\u03A9"));
        f.setData(QByteArray());
        QCOMPARE(f.lossyKeys(), QStringList());
    }

    void documentIsCreatedSideFileIsNot()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath(u("weld01.wrp"));
        ProfileFile d(doc, ProfileFile::Kind::Document);
        QVERIFY(!d.load());
        d.setValue(u("contents"), u("formType"), u("PQR"));
        d.commit();
        QCOMPARE(readFile(doc), QByteArray("[contents]\r\nformType=PQR\r\n"));
        QVERIFY(!d.isModified());

        const QString side = dir.filePath(u("zoru.dat"));
        ProfileFile s(side);
        QVERIFY(!s.load());
        s.setValue(u("index"), u("indexString"), u("1"));
        try {
            s.commit();
            QFAIL("a missing side file was written");
        } catch (const FileError &e) {
            QCOMPARE(e.message(), u("Unable to write to ") + side);
        }
        QVERIFY(!QFile::exists(side));
    }

    void commitWithoutChangeWritesNothing()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath(u("new.wrp"));
        ProfileFile d(doc, ProfileFile::Kind::Document);
        d.commit();
        QVERIFY(!QFile::exists(doc));
    }

    void refusedWrites_data()
    {
        QTest::addColumn<QString>("target"); // below the temporary folder
        QTest::newRow("parent is a regular file") << u("plain.txt/doc.wrp");
        QTest::newRow("target is a folder") << u("folder");
        QTest::newRow("parent is missing") << u("missing/doc.wrp");
    }
    void refusedWrites()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        writeFile(dir.filePath(u("plain.txt")), "old bytes");
        QVERIFY(QDir(dir.path()).mkdir(u("folder")));
        const QString path = dir.filePath(target);
        const QString expected = u("Unable to write to ") + path;

        ProfileFile f(path, ProfileFile::Kind::Document);
        f.setValue(u("contents"), u("formType"), u("WPDS"));
        try {
            f.commit();
            QFAIL("the write was not refused");
        } catch (const FileError &e) {
            // The message names the file, then says why.
            QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
            QCOMPARE(QString::fromStdString(e.what()), e.message());
        }
        QVERIFY(f.isModified());
        try {
            ProfileFile::update(path, [](ProfileFile &file) { file.setValue(u("a"), u("b"), u("c")); },
                                ProfileFile::Kind::Document);
            QFAIL("the update was not refused");
        } catch (const FileError &e) {
            QVERIFY2(e.message().startsWith(expected), qPrintable(e.message()));
        }
        QCOMPARE(readFile(dir.filePath(u("plain.txt"))), QByteArray("old bytes"));
        QVERIFY(QFileInfo(dir.filePath(u("folder"))).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 (QStringList{u("folder"), u("plain.txt")}));
    }

#ifdef Q_OS_UNIX
    void failedWriteLeavesTheOldFileWhole()
    {
        // A file-size limit makes the write fail part-way, for root as for anyone.
        QTemporaryDir dir;
        const QString path = dir.filePath(u("zoru.dat"));
        const QByteArray old = "[s]\r\nk=" + QByteArray(2000, 'o') + "\r\n";
        writeFile(path, old);
        ProfileFile f(path);
        QVERIFY(f.load());
        f.setValue(u("s"), u("k"), QString(8000, QLatin1Char('n')));

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool refused = false;
        try {
            f.commit();
        } catch (const FileError &e) {
            refused = e.message().startsWith(u("Unable to write to ") + path + u(": "));
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readFile(path).size(), old.size());
        QVERIFY(refused);
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u("zoru.dat")});
    }
#endif

    void updateEditsUnderTheLock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u("zoru.dat"));
        writeFile(path, "[index]\r\nindexString=1\r\n");
        ProfileFile::update(path, [&](ProfileFile &file) {
            QCOMPARE(file.value(u("index"), u("indexString")), u("1"));
            QVERIFY(QFile::exists(path + u(".lck")));
            file.setValue(u("index"), u("indexString"), u("1 2"));
        });
        QCOMPARE(readFile(path), QByteArray("[index]\r\nindexString=1 2\r\n"));
        QVERIFY(!QFile::exists(path + u(".lck")));
    }

    void updateThatThrowsWritesNothingAndUnlocks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u("zoru.dat"));
        writeFile(path, "[a]\r\nx=1\r\n");
        QVERIFY_THROWS_EXCEPTION(std::logic_error, ProfileFile::update(path, [](ProfileFile &file) {
            file.setValue(u("a"), u("x"), u("2"));
            throw std::logic_error("stop");
        }));
        QCOMPARE(readFile(path), QByteArray("[a]\r\nx=1\r\n"));
        ProfileFile::update(path, [](ProfileFile &file) { file.setValue(u("a"), u("x"), u("3")); });
        QCOMPARE(readFile(path), QByteArray("[a]\r\nx=3\r\n"));
    }

    void updateWaitsForAHeldLockThenGivesUp()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u("zoru.dat"));
        writeFile(path, "[a]\r\nx=1\r\n");
        QLockFile held(path + u(".lck"));
        QVERIFY(held.tryLock(0));
        QElapsedTimer timer;
        timer.start();
        QVERIFY_THROWS_EXCEPTION(FileError, ProfileFile::update(path, [](ProfileFile &file) {
            file.setValue(u("a"), u("x"), u("2"));
        }));
        QVERIFY(timer.elapsed() >= 4000);
        QCOMPARE(readFile(path), QByteArray("[a]\r\nx=1\r\n"));
        // Reading needs no lock.
        ProfileFile reader(path);
        QVERIFY(reader.load());
        QCOMPARE(reader.value(u("a"), u("x")), u("1"));
    }

    void aLockLeftByACrashIsTakenOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u("zoru.dat"));
        writeFile(path, "[a]\r\nx=1\r\n");
        QFile lock(path + u(".lck"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        lock.write("12345\nbrenvik\nanother-host\n");
        QVERIFY(lock.flush()); // else closing writes and makes the lock new again
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        lock.close();
        ProfileFile::update(path, [](ProfileFile &file) { file.setValue(u("a"), u("x"), u("2")); });
        QCOMPARE(readFile(path), QByteArray("[a]\r\nx=2\r\n"));
    }

    void arbitraryBytesNeverCrashAndRoundTrip()
    {
        QRandomGenerator rng(20261208);
        for (int round = 0; round < 3000; ++round) {
            const QByteArray bytes = randomBytes(rng);
            ProfileFile f(QStringLiteral("unused"));
            f.setData(bytes);
            QCOMPARE(f.data(), bytes);
            for (const QString &s : f.sections()) {
                for (const QString &k : f.keys(s))
                    QVERIFY(f.contains(s, k));
            }
            // Whatever the file held, a value set reads back, and reads back again from the
            // bytes written; the rest of the file reads as it did.
            const QString value = randomValue(rng);
            const QStringList before = f.sections();
            const QStringList keysBefore = f.keys(u("x1"));
            f.setValue(u("s1"), u("k1"), value);
            QCOMPARE(f.value(u("S1"), u("K1")), asRead(value));
            ProfileFile again(QStringLiteral("unused"));
            again.setData(f.data());
            QCOMPARE(again.value(u("s1"), u("k1")), asRead(value));
            QCOMPARE(again.keys(u("x1")), keysBefore);
            QCOMPARE(again.sections().size(), before.size() + (f.hasSection(u("s1")) && !before.contains(u("s1"), Qt::CaseInsensitive) ? 1 : 0));
            if (rng.bounded(2))
                f.removeKey(u("s1"), u("k1"));
            else
                f.removeSection(u("s1"));
            QVERIFY(!f.contains(u("s1"), u("k1")));
            again.setData(f.data());
            QVERIFY(!again.contains(u("s1"), u("k1")));
        }
    }

    void randomEditsReadBackAsTheModelSays()
    {
        const QStringList sectionPool{u("contents"), u("index"), u("WPDS_wpdsNo"), u("sync"), u("profile12")};
        const QString keyAlphabet = u("abcxyz019_-/.");
        QTemporaryDir dir;
        QRandomGenerator rng(4711);
        for (int run = 0; run < 200; ++run) {
            QStringList keyPool;
            for (int i = 0; i < 12; ++i)
                keyPool << randomName(rng, keyAlphabet, 6);
            const QString path = dir.filePath(QStringLiteral("doc%1.wrp").arg(run));
            ProfileFile f(path, ProfileFile::Kind::Document);
            Model model;
            const int steps = 1 + rng.bounded(60);
            for (int step = 0; step < steps; ++step) {
                QString section = sectionPool.at(rng.bounded(int(sectionPool.size())));
                section = rng.bounded(2) ? section.toUpper() : section;
                const QString key = keyPool.at(rng.bounded(int(keyPool.size())));
                const int op = rng.bounded(10);
                if (op < 7) {
                    const QString value = randomValue(rng);
                    f.setValue(section, key, value);
                    model.set(section, key, value);
                } else if (op < 9) {
                    f.removeKey(section, key);
                    model.remove(section, key);
                } else {
                    f.removeSection(section);
                    model.drop(section);
                }
                const QString problem = modelCheck(f, model, sectionPool, keyPool);
                if (!problem.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("run %1 step %2: %3").arg(run).arg(step).arg(problem)));
                if (rng.bounded(8) == 0) {
                    f.commit();
                    f.load(); // nothing on disk yet when nothing was ever set
                }
            }
            QVERIFY(f.lossyKeys().isEmpty());
            f.commit();
            ProfileFile reread(path, ProfileFile::Kind::Document);
            reread.load();
            const QString problem = modelCheck(reread, model, sectionPool, keyPool);
            if (!problem.isEmpty())
                QFAIL(qPrintable(QStringLiteral("run %1 after reload: %2").arg(run).arg(problem)));
        }
    }
};

QTEST_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
