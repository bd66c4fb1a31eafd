// The batch run on real files in temporary folders: which keys each form type gets, what
// is refused before anything is touched, and that nothing else in a file moves.

#include "core/appstate.h"
#include "core/documentwindow.h"
#include "core/platform.h"
#include "duplicator/duplicatorrun.h"
#include "forms/formregistry.h"
#include "support/scriptedplatform.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <unistd.h>

using namespace Brenvik;

namespace {

// Answers the run's two questions from a queue and records what it was told.
class TestListener : public DuplicatorRun::Listener {
public:
    bool modifyAnswer = true;
    bool createAnswer = true;
    int cancelAfter = -1; // progress calls before Cancel is "pressed"
    QStringList asked;
    QStringList lines;
    int progressCalls = 0;
    int lastDone = -1;
    int lastTotal = -1;
    std::function<void(int)> atProgress; // with the number of the progress call

    bool confirmModify() override
    {
        asked << QStringLiteral("modify");
        return modifyAnswer;
    }
    bool confirmCreateFolder(const QString &folder) override
    {
        asked << QStringLiteral("create ") + folder;
        return createAnswer;
    }
    void logLine(const QString &line) override { lines << line; }
    void progress(int done, int total) override
    {
        ++progressCalls;
        QVERIFY(done <= total);
        lastDone = done;
        lastTotal = total;
        if (atProgress)
            atProgress(progressCalls);
    }
    bool cancelRequested() override { return cancelAfter >= 0 && progressCalls >= cancelAfter; }
};

// A document as the forms write it, with a second section and a grid row holding 0xA6,
// so byte-for-byte comparisons see every kind of line.
QByteArray document(const QByteArray &formTypeLine)
{
    QByteArray d = "[contents]\r\n"
                   "imageFile=butt-v.bmp\r\n";
    if (!formTypeLine.isEmpty())
        d += formTypeLine + "\r\n";
    d += "wpdsNo=WPDS-014\r\n"
         "companyName=Old Co\r\n"
         "address=1 Old Road\r\n"
         "locationOfTest=Old Lab\r\n"
         "technique=Stringer beads\\nBack-step \xE9tape\r\n"
         "WPThickness=mm\xA6"
         "10\xA6_\xA6\r\n"
         "\r\n"
         "[other]\r\n"
         "companyName=Keep Me\r\n"
         "address=Keep Too\r\n";
    return d;
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The first line of section contents with this prefix, replaced.
QByteArray withLine(QByteArray doc, const QByteArray &oldLine, const QByteArray &newLine)
{
    const int at = doc.indexOf(oldLine + "\r\n");
    Q_ASSERT(at >= 0 && at < doc.indexOf("[other]"));
    return doc.replace(at, oldLine.size(), newLine);
}

// A document window that only has a file name.
class OpenDocument : public DocumentWindow {
public:
    explicit OpenDocument(const QString &path) : m_path(path) {}
    QString formType() const override { return QStringLiteral("WPDS"); }
    QWidget *widget() override { return nullptr; }
    void resetDocument() override {}
    bool openFile(const QString &) override { return true; }
    void setFileName(const QString &path) override { m_path = path; }
    QString fileName() const override { return m_path; }
    bool save() override { return true; }
    void saveAs() override {}
    void preview() override {}
    bool closeDocument() override { return true; }
    QMenu *fileMenu() override { return nullptr; }

private:
    QString m_path;
};

DuplicatorRun::Settings modifySettings(const QStringList &sources, const QString &company = QStringLiteral("New Co"),
                                       const QString &address = QStringLiteral("2 New Street"))
{
    DuplicatorRun::Settings s;
    s.sources = sources;
    s.mode = DuplicatorRun::Mode::Modify;
    s.company = company;
    s.address = address;
    return s;
}

DuplicatorRun::Settings copySettings(const QStringList &sources, const QString &newPath)
{
    DuplicatorRun::Settings s = modifySettings(sources);
    s.mode = DuplicatorRun::Mode::Copy;
    s.newPath = newPath;
    return s;
}

bool isImmutableSupported(const QString &path)
{
    return QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
}

} // namespace

class TestDuplicatorRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The form types and the keys they keep come from the forms' descriptions.
    void initTestCase() { registerForms(); }

    void init()
    {
        QVERIFY(m_dir.isValid());
        m_root = m_dir.path();
    }

    void formTypeChoosesTheKeys_data()
    {
        QTest::addColumn<QByteArray>("formTypeLine");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("expected"); // empty: left as it was
        const QByteArray co = "companyName=Old Co";
        const QByteArray addr = "address=1 Old Road";
        const QByteArray loc = "locationOfTest=Old Lab";

        QByteArray d = document("formType=WPDS");
        QTest::newRow("WPDS: company and address") << QByteArray("formType=WPDS") << "New Co" << "2 New Street"
                                                    << withLine(withLine(d, co, "companyName=New Co"), addr,
                                                                "address=2 New Street");
        QTest::newRow("WPDS: empty texts empty the fields")
            << QByteArray("formType=WPDS") << "" << ""
            << withLine(withLine(d, co, "companyName="), addr, "address=");
        d = document("formType=PQR");
        QTest::newRow("PQR: address goes to locationOfTest")
            << QByteArray("formType=PQR") << "New Co" << "2 New Street"
            << withLine(withLine(d, co, "companyName=New Co"), loc, "locationOfTest=2 New Street");
        d = document("formType=WPQR");
        QTest::newRow("WPQR: no address") << QByteArray("formType=WPQR") << "New Co" << "2 New Street"
                                          << withLine(d, co, "companyName=New Co");
        d = document("formType=WPSR");
        QTest::newRow("WPSR: no address") << QByteArray("formType=WPSR") << "New Co" << "2 New Street"
                                          << withLine(d, co, "companyName=New Co");
        QTest::newRow("the key is found in any case")
            << QByteArray("FORMTYPE=WPSR") << "New Co" << ""
            << withLine(document("FORMTYPE=WPSR"), co, "companyName=New Co");
        QTest::newRow("lower-case type is unknown") << QByteArray("formType=wpds") << "New Co" << "" << QByteArray();
        QTest::newRow("WPS is not a form type") << QByteArray("formType=WPS") << "New Co" << "" << QByteArray();
        QTest::newRow("empty type") << QByteArray("formType=") << "New Co" << "" << QByteArray();
        QTest::newRow("no type key") << QByteArray() << "New Co" << "" << QByteArray();
    }

    void formTypeChoosesTheKeys()
    {
        QFETCH(QByteArray, formTypeLine);
        QFETCH(QString, company);
        QFETCH(QString, address);
        QFETCH(QByteArray, expected);
        ScriptedPlatform platform;
        const QString path = m_root + QStringLiteral("/weld01.wrp");
        const QByteArray original = document(formTypeLine);
        writeAll(path, original);

        TestListener listener;
        DuplicatorRun run(modifySettings({path}, company, address), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Done);
        QCOMPARE(listener.asked, QStringList{QStringLiteral("modify")});
        QVERIFY2(platform.messages.isEmpty(), qPrintable(platform.texts().join('|')));

        if (expected.isEmpty()) {
            QCOMPARE(readAll(path), original);
            QCOMPARE(run.modifiedCount(), 0);
            QVERIFY(!run.allModified());
            QVERIFY(listener.lines.contains(path + QStringLiteral(" was skipped: unknown form type.")));
            QCOMPARE(listener.lines.last(), QStringLiteral("0 files modified."));
        } else {
            QCOMPARE(readAll(path), expected);
            QVERIFY(run.allModified());
            QCOMPARE(listener.lines.last(), QStringLiteral("1 files modified."));
        }
    }

    void aMissingCompanyKeyIsAdded()
    {
        ScriptedPlatform platform;
        const QString path = m_root + QStringLiteral("/bare.wrp");
        writeAll(path, "[contents]\r\nformType=WPQR\r\nwpqrNo=7\r\n");
        TestListener listener;
        DuplicatorRun run(modifySettings({path}), listener);
        run.run();
        const QByteArray after = readAll(path);
        QVERIFY2(after.startsWith("[contents]\r\nformType=WPQR\r\nwpqrNo=7\r\n"), after.constData());
        QVERIFY(after.contains("companyName=New Co\r\n"));
        QVERIFY(!after.contains("address"));
    }

    void theLogStartsWithABlankLineAndTheTime()
    {
        ScriptedPlatform platform;
        platform.clock = QDateTime(QDate(2026, 7, 12), QTime(14, 5, 9));
        TestListener listener;
        DuplicatorRun run(modifySettings({}), listener);
        run.run();
        QCOMPARE(listener.lines.value(0), QStringLiteral(" "));
        const QString start = listener.lines.value(1);
        QVERIFY2(start.startsWith(QStringLiteral("Operation starts at ")) && start.endsWith('.'), qPrintable(start));
        QVERIFY2(start.contains(QStringLiteral(":05:09")), qPrintable(start));
        QCOMPARE(run.log(), listener.lines);
    }

    void missingFilesAreLoggedAndTheRunGoesOn()
    {
        ScriptedPlatform platform;
        const QString a = m_root + QStringLiteral("/a.wrp");
        const QString gone = m_root + QStringLiteral("/gone.wrp");
        const QString b = m_root + QStringLiteral("/b.wrp");
        writeAll(a, document("formType=WPDS"));
        writeAll(b, document("formType=PQR"));
        QDir().mkpath(m_root + QStringLiteral("/folder.wrp")); // a folder is no file
        const QString folder = m_root + QStringLiteral("/folder.wrp");

        TestListener listener;
        DuplicatorRun run(modifySettings({a, gone, folder, b}), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Done);
        QCOMPARE(run.modified(), (QStringList{a, b}));
        QCOMPARE(run.missing(), (QStringList{gone, folder}));
        QVERIFY(listener.lines.contains(gone + QStringLiteral(" does not exist.")));
        QCOMPARE(listener.lines.last(), QStringLiteral("2 files modified."));
        QVERIFY(!run.allModified());
        QCOMPARE(listener.lastDone, listener.lastTotal);
    }

    void cancellingTheModifyWarningTouchesNothing()
    {
        ScriptedPlatform platform;
        const QString a = m_root + QStringLiteral("/a.wrp");
        writeAll(a, document("formType=WPDS"));
        TestListener listener;
        listener.modifyAnswer = false;
        DuplicatorRun run(modifySettings({a}), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Refused);
        QCOMPARE(readAll(a), document("formType=WPDS"));
        QCOMPARE(listener.lines.size(), 2);
    }

    void copyModeNeverChangesASource()
    {
        ScriptedPlatform platform;
        const QString src = m_root + QStringLiteral("/src");
        const QString dst = m_root + QStringLiteral("/dst");
        QDir().mkpath(dst);
        const QString a = src + QStringLiteral("/a.wrp");
        const QString b = src + QStringLiteral("/b.wrp");
        const QByteArray sketch("BM fake picture \x00\xFF", 18);
        writeAll(a, document("formType=WPDS"));
        writeAll(b, document("formType=WPQR"));
        writeAll(src + QStringLiteral("/a_img.bmp"), sketch);
        writeAll(dst + QStringLiteral("/b.wrp"), "an older copy, replaced");

        TestListener listener;
        DuplicatorRun run(copySettings({a, src + QStringLiteral("/missing.wrp"), b}, dst), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Done);
        QCOMPARE(readAll(a), document("formType=WPDS"));
        QCOMPARE(readAll(b), document("formType=WPQR"));
        QCOMPARE(readAll(dst + QStringLiteral("/a.wrp")),
                 withLine(withLine(document("formType=WPDS"), "companyName=Old Co", "companyName=New Co"),
                          "address=1 Old Road", "address=2 New Street"));
        QCOMPARE(readAll(dst + QStringLiteral("/b.wrp")),
                 withLine(document("formType=WPQR"), "companyName=Old Co", "companyName=New Co"));
        QCOMPARE(readAll(dst + QStringLiteral("/a_img.bmp")), sketch);
        QVERIFY(!QFile::exists(dst + QStringLiteral("/b_img.bmp")));
        QVERIFY(listener.asked.isEmpty());
        QVERIFY(listener.lines.contains(QStringLiteral("2 files copied.")));
        QCOMPARE(listener.lines.last(), QStringLiteral("2 files modified."));
        QCOMPARE(listener.lastDone, listener.lastTotal);
    }

    void destinationEqualToASourceFolderIsRefused_data()
    {
        QTest::addColumn<QString>("spelling"); // "%1" is the source folder
        QTest::newRow("as listed") << "%1";
        QTest::newRow("another letter case") << "%1-UPPER";
        QTest::newRow("trailing slash") << "%1/";
        QTest::newRow("with ./") << "%1/./";
        QTest::newRow("through ..") << "%1/../src";
        QTest::newRow("relative") << "rel:src";
        QTest::newRow("a link to it") << "link";
    }

    void destinationEqualToASourceFolderIsRefused()
    {
        QFETCH(QString, spelling);
        ScriptedPlatform platform;
        const QString src = m_root + QStringLiteral("/src");
        const QString a = src + QStringLiteral("/a.wrp");
        writeAll(a, document("formType=WPDS"));
        QString dest;
        if (spelling == QLatin1String("link")) {
            dest = m_root + QStringLiteral("/link");
            QVERIFY(QFile::link(src, dest));
        } else if (spelling.startsWith(QLatin1String("rel:"))) {
            QVERIFY(QDir::setCurrent(m_root));
            dest = spelling.mid(4);
        } else if (spelling.endsWith(QLatin1String("-UPPER"))) {
            dest = src.left(src.size() - 3) + QStringLiteral("SRC");
        } else {
            dest = spelling.arg(src);
        }

        TestListener listener;
        DuplicatorRun run(copySettings({a}, dest), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Refused);
        QCOMPARE(platform.texts(), QStringList{QStringLiteral(
                     "Destination path must be different from those of the source files.  Operation aborted.")});
        QCOMPARE(platform.messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(readAll(a), document("formType=WPDS"));
        QCOMPARE(QDir(src).entryList(QDir::Files), QStringList{QStringLiteral("a.wrp")});
        QVERIFY(listener.asked.isEmpty());
        QVERIFY(run.copies().isEmpty());
    }

    void sameNamesInCopyModeAreRefusedBeforeCopying_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same name") << "one/weld.wrp" << "two/weld.wrp" << true;
        QTest::newRow("names differing in case") << "one/Weld.wrp" << "two/weld.WRP" << true;
        QTest::newRow("sketches of one name") << "one/weld.wrp" << "two/weld.bak" << true;
        QTest::newRow("one folder, one sketch") << "one/weld.wrp" << "one/weld.bak" << false;
    }

    void sameNamesInCopyModeAreRefusedBeforeCopying()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, refused);
        ScriptedPlatform platform;
        const QString a = m_root + QLatin1Char('/') + first;
        const QString b = m_root + QLatin1Char('/') + second;
        writeAll(a, document("formType=WPDS"));
        writeAll(b, document("formType=PQR"));
        writeAll(DuplicatorRun::sketchPath(a), "sketch one");
        writeAll(DuplicatorRun::sketchPath(b), "sketch two");
        const QString dst = m_root + QStringLiteral("/dst");

        TestListener listener;
        DuplicatorRun run(copySettings({a, b}, dst), listener);
        const DuplicatorRun::Outcome outcome = run.run();
        if (refused) {
            QCOMPARE(outcome, DuplicatorRun::Outcome::Refused);
            QCOMPARE(platform.messages.size(), 1);
            QVERIFY(platform.messages[0].text.contains(a));
            QVERIFY(platform.messages[0].text.contains(b));
            QVERIFY(listener.asked.isEmpty()); // refused before the folder question
            QVERIFY(!QFileInfo::exists(dst));
        } else {
            QCOMPARE(outcome, DuplicatorRun::Outcome::Done);
            QCOMPARE(run.modifiedCount(), 2);
        }
    }

    void aMissingDestinationIsCreatedOnlyWhenConfirmed_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("parents");
        QTest::addColumn<bool>("made");
        QTest::newRow("cancelled") << "new" << false << false << false;
        QTest::newRow("one folder") << "new" << true << false << true;
        QTest::newRow("parent missing") << "no/such/new" << true << false << false;
        QTest::newRow("parents made on request") << "no/such/new" << true << true << true;
        QTest::newRow("a file in the way") << "file" << true << true << false;
    }

    void aMissingDestinationIsCreatedOnlyWhenConfirmed()
    {
        QFETCH(QString, relative);
        QFETCH(bool, answer);
        QFETCH(bool, parents);
        QFETCH(bool, made);
        ScriptedPlatform platform;
        const QString a = m_root + QStringLiteral("/src/a.wrp");
        writeAll(a, document("formType=WPDS"));
        writeAll(m_root + QStringLiteral("/file"), "not a folder");
        const QString dst = m_root + QLatin1Char('/') + relative;

        TestListener listener;
        listener.createAnswer = answer;
        DuplicatorRun::Settings settings = copySettings({a}, dst);
        settings.createParents = parents;
        DuplicatorRun run(settings, listener);
        const DuplicatorRun::Outcome outcome = run.run();
        QCOMPARE(listener.asked, QStringList{QStringLiteral("create ") + dst});
        QCOMPARE(outcome, made ? DuplicatorRun::Outcome::Done : DuplicatorRun::Outcome::Refused);
        QCOMPARE(QFileInfo(dst + QStringLiteral("/a.wrp")).isFile(), made);
        if (answer && !made) {
            QCOMPARE(platform.messages.size(), 1);
            QCOMPARE(platform.messages[0].caption, QStringLiteral("Warning"));
            QCOMPARE(platform.messages[0].icon, MsgIcon::Error);
            QCOMPARE(platform.messages[0].text,
                     QStringLiteral("Error in creating directory:\n") + dst + QStringLiteral("\nOperation aborted."));
        } else {
            QVERIFY(platform.messages.isEmpty());
        }
    }

    void anEmptyDestinationIsAnError()
    {
        ScriptedPlatform platform;
        TestListener listener;
        DuplicatorRun run(copySettings({m_root + QStringLiteral("/a.wrp")}, QString()), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Refused);
        QCOMPARE(platform.texts(), QStringList{QStringLiteral("Please specify a path for the new files.")});
    }

    void aCopyThatCannotBeMadeEndsTheRun()
    {
        ScriptedPlatform platform;
        const QString src = m_root + QStringLiteral("/src");
        const QString dst = m_root + QStringLiteral("/dst");
        const QStringList names{QStringLiteral("a.wrp"), QStringLiteral("b.wrp"), QStringLiteral("c.wrp")};
        QStringList sources;
        for (const QString &n : names) {
            sources << src + QLatin1Char('/') + n;
            writeAll(sources.last(), document("formType=WPDS"));
        }
        QDir().mkpath(dst + QStringLiteral("/b.wrp")); // the target is a folder

        TestListener listener;
        DuplicatorRun run(copySettings(sources, dst), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Failed);
        // The message says why, as the system does.
        QCOMPARE(platform.texts(), QStringList{QStringLiteral("Cannot create file %1/b.wrp\r\nUnable to write to %1/b.wrp: "
                                                              "not a regular file").arg(dst)});
        // The copy made before stays, with its old data, and the log says so.
        QCOMPARE(readAll(dst + QStringLiteral("/a.wrp")), document("formType=WPDS"));
        QVERIFY(!QFileInfo::exists(dst + QStringLiteral("/c.wrp")));
        QVERIFY(listener.lines.contains(QStringLiteral("Operation stopped at ") + sources[1] + QLatin1Char('.')));
        QVERIFY(listener.lines.contains(QStringLiteral("These copies still carry the old company data:")));
        QCOMPARE(listener.lines.last(), QStringLiteral("  ") + dst + QStringLiteral("/a.wrp"));
        QCOMPARE(run.modifiedCount(), 0);
    }

    void aRefusedWriteEndsTheRunAndLeavesTheFileWhole()
    {
        ScriptedPlatform platform;
        QStringList sources;
        for (const char *n : {"a.wrp", "b.wrp", "c.wrp"}) {
            sources << m_root + QLatin1Char('/') + QLatin1String(n);
            writeAll(sources.last(), document("formType=PQR"));
        }
        // The system refuses the replacement of b.wrp even to root.
        if (!isImmutableSupported(sources[1]))
            QSKIP("this file system has no immutable flag");
        TestListener listener;
        DuplicatorRun run(modifySettings(sources), listener);
        const DuplicatorRun::Outcome outcome = run.run();
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), sources[1]});

        QCOMPARE(outcome, DuplicatorRun::Outcome::Failed);
        QCOMPARE(platform.texts().size(), 1);
        QVERIFY(platform.texts().first().startsWith(QStringLiteral("Unable to write to ") + sources[1] + QStringLiteral(": ")));
        QCOMPARE(run.modified(), QStringList{sources[0]});
        QVERIFY(readAll(sources[0]).contains("companyName=New Co\r\n"));
        QCOMPARE(readAll(sources[1]), document("formType=PQR"));
        QCOMPARE(readAll(sources[2]), document("formType=PQR"));
        QCOMPARE(QDir(m_root).entryList(QDir::Files).size(), 3); // no temporary file left
        QVERIFY(listener.lines.last().startsWith(QStringLiteral("1 files modified.")));
        QVERIFY(!run.allModified());
    }

    void cancelStopsBetweenFiles_data()
    {
        QTest::addColumn<bool>("copyMode");
        QTest::addColumn<int>("cancelAfter");
        QTest::addColumn<int>("modified");
        QTest::addColumn<int>("staleCopies");
        QTest::newRow("modify mode") << false << 2 << 2 << 0;
        QTest::newRow("copy mode, while copying") << true << 2 << 0 << 2;
        QTest::newRow("copy mode, while rewriting") << true << 5 << 1 << 3;
    }

    void cancelStopsBetweenFiles()
    {
        QFETCH(bool, copyMode);
        QFETCH(int, cancelAfter);
        QFETCH(int, modified);
        QFETCH(int, staleCopies);
        ScriptedPlatform platform;
        QStringList sources;
        for (int i = 0; i < 4; ++i) {
            sources << m_root + QStringLiteral("/src/f%1.wrp").arg(i);
            writeAll(sources.last(), document("formType=WPDS"));
        }
        const QString dst = m_root + QStringLiteral("/dst");
        QDir().mkpath(dst);
        TestListener listener;
        listener.cancelAfter = cancelAfter;
        DuplicatorRun run(copyMode ? copySettings(sources, dst) : modifySettings(sources), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Cancelled);
        QCOMPARE(run.modifiedCount(), modified);
        QVERIFY(listener.lines.contains(QStringLiteral("%1 files modified.").arg(modified)));
        const int at = listener.lines.indexOf(QStringLiteral("These copies still carry the old company data:"));
        QCOMPARE(at < 0 ? 0 : listener.lines.size() - at - 1, staleCopies);
        QVERIFY(std::any_of(listener.lines.cbegin(), listener.lines.cend(), [](const QString &l) {
            return l.startsWith(QStringLiteral("Operation cancelled before "));
        }));
        for (const QString &done : run.modified())
            QVERIFY(readAll(done).contains("companyName=New Co\r\n"));
    }

    // Someone else writes into a copy between its copying and its rewrite: it is skipped and
    // named, their bytes stay; the same bytes written again are no change.
    void aCopyChangedMeanwhileIsSkipped_data()
    {
        QTest::addColumn<QByteArray>("theirs"); // empty: the copy's own bytes again
        QTest::addColumn<bool>("skipped");
        QTest::newRow("other bytes") << QByteArray("[contents]\r\nformType=WPDS\r\ncompanyName=Theirs\r\n") << true;
        QTest::newRow("the same bytes") << QByteArray() << false;
    }

    void aCopyChangedMeanwhileIsSkipped()
    {
        QFETCH(QByteArray, theirs);
        QFETCH(bool, skipped);
        ScriptedPlatform platform;
        const QString dst = m_root + QStringLiteral("/dst");
        QStringList sources;
        for (int i = 0; i < 2; ++i) {
            sources << m_root + QStringLiteral("/src/f%1.wrp").arg(i);
            writeAll(sources.last(), document("formType=WPDS"));
        }
        const QString changed = dst + QStringLiteral("/f1.wrp");
        if (theirs.isEmpty())
            theirs = document("formType=WPDS");
        TestListener listener;
        listener.atProgress = [&](int call) {
            if (call == 3) // both copied, before the first rewrite
                writeAll(changed, theirs);
        };
        DuplicatorRun run(copySettings(sources, dst), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Done);
        QCOMPARE(run.skipped(), skipped ? QStringList{changed} : QStringList());
        QCOMPARE(run.allModified(), !skipped);
        QCOMPARE(listener.lines.contains(changed + QStringLiteral(" was skipped: it changed on disk while the run "
                                                                  "was working on it.")),
                 skipped);
        QCOMPARE(readAll(changed).contains("companyName=New Co\r\n"), !skipped);
        if (skipped)
            QCOMPARE(readAll(changed), theirs);
        QVERIFY(readAll(dst + QStringLiteral("/f0.wrp")).contains("companyName=New Co\r\n"));
    }

    void anOpenDocumentIsRewrittenWithAWarning()
    {
        ScriptedPlatform platform;
        const QString a = m_root + QStringLiteral("/a.wrp");
        const QString b = m_root + QStringLiteral("/b.wrp");
        writeAll(a, document("formType=WPDS"));
        writeAll(b, document("formType=WPDS"));
        OpenDocument open(m_root + QStringLiteral("/./a.wrp"));
        AppState::instance().setCurrentDocument(&open);
        TestListener listener;
        DuplicatorRun run(modifySettings({a, b}), listener);
        run.run();
        AppState::instance().setCurrentDocument(nullptr);
        QCOMPARE(run.modifiedCount(), 2);
        const QStringList warnings = listener.lines.filter(QStringLiteral("Warning: "));
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings[0].contains(a) && warnings[0].contains(QStringLiteral("undo")));
    }

    void textTheFilesCannotHoldIsAnnounced()
    {
        ScriptedPlatform platform;
        const QString a = m_root + QStringLiteral("/a.wrp");
        writeAll(a, document("formType=WPDS"));
        TestListener listener;
        DuplicatorRun run(modifySettings({a}, QStringLiteral("Caf\u00e9 \u0141\u00f3d\u017a")), listener);
        run.run();
        QVERIFY(readAll(a).contains("companyName=Caf\xE9 ?\xF3" "d?\r\n"));
        QCOMPARE(listener.lines.filter(QStringLiteral("\u0141\u017a")).size(), 1);
    }

    void moreThanFiveHundredFiles()
    {
        ScriptedPlatform platform;
        QStringList sources;
        for (int i = 0; i < 520; ++i) {
            sources << m_root + QStringLiteral("/f%1.wrp").arg(i);
            writeAll(sources.last(), document("formType=WPSR"));
        }
        TestListener listener;
        DuplicatorRun run(modifySettings(sources), listener);
        QCOMPARE(run.run(), DuplicatorRun::Outcome::Done);
        QCOMPARE(listener.lines.last(), QStringLiteral("520 files modified."));
        QVERIFY(readAll(sources.last()).contains("companyName=New Co\r\n"));
    }

    void cleanup()
    {
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        QDir(m_root).removeRecursively();
        QDir().mkpath(m_root);
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};

QTEST_MAIN(TestDuplicatorRun)
#include "tst_duplicatorrun.moc"
