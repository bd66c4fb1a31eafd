// The main window's desktop habits with the real document windows: File > Open Recent (in the
// main File menu and the document's), a .wrp dropped on the window, Tools > Options "Data
// folder", Help > About naming the folders, and the window's place kept between runs.

#include "core/appstate.h"
#include "core/documentwindow.h"
#include "forms/formregistry.h"
#include "shell/recentmenu.h"
#include "shell/taboutbox.h"
#include "shell/tmenuform.h"
#include "shell/toptionsdlg.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Brenvik;

namespace {

QStringList entryTexts(QMenu *menu)
{
    Q_EMIT menu->aboutToShow();
    QStringList texts;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

QAction *entry(QMenu *menu, int n)
{
    Q_EMIT menu->aboutToShow();
    return menu->actions().value(n);
}

} // namespace

class TestDesktopHabits : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString document(const QString &name, const QByteArray &type = "WPDS")
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write("[contents]\r\nformType=" + type + "\r\ncompanyName=Acme\r\n");
        return path;
    }

    QString openFileName(TmenuForm &w) { return w.document() ? w.document()->fileName() : QString(); }

private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void init() { AppState::instance().setChanged(false); }

    // The newest eight, newest first, each once; the document's own File menu shows the same
    // list after its Open; a document that is gone is taken off with a note and not opened.
    void recentDocuments()
    {
        TempData data;
        ScriptedPlatform p;
        TmenuForm w;
        QCOMPARE(entryTexts(w.recentMenu()), QStringList{"No recent documents"});
        for (int i = 1; i <= 10; ++i)
            w.openPath(document(QStringLiteral("d%1&co.wrp").arg(i)));
        w.openPath(document(QStringLiteral("d5&co.wrp")));
        const QStringList expected = {"&1 d5&&co.wrp", "&2 d10&&co.wrp", "&3 d9&&co.wrp", "&4 d8&&co.wrp",
                                      "&5 d7&&co.wrp", "&6 d6&&co.wrp", "&7 d4&&co.wrp", "&8 d3&&co.wrp",
                                      "&Clear Menu"};
        QCOMPARE(entryTexts(w.recentMenu()), expected);
        QCOMPARE(entry(w.recentMenu(), 1)->toolTip(), QDir::toNativeSeparators(m_dir.filePath("d10&co.wrp")));

        // The document's File menu: Open, then Open Recent.
        QMenu *own = w.document()->fileMenu();
        const QList<QAction *> actions = own->actions();
        const int open = int(std::find_if(actions.begin(), actions.end(), [](QAction *a) {
                                 return a->shortcut() == QKeySequence(QKeySequence::Open);
                             }) - actions.begin());
        QCOMPARE(actions.value(open + 1), w.recentMenu()->menuAction());

        // Chosen: opens as File > Open does, and goes first.
        entry(w.recentMenu(), 3)->trigger();
        QCOMPARE(openFileName(w), m_dir.filePath("d8&co.wrp"));
        QCOMPARE(entryTexts(w.recentMenu()).first(), QStringLiteral("&1 d8&&co.wrp"));

        // Gone: taken off, with a note that names it; the open document stays.
        QFile::remove(m_dir.filePath("d9&co.wrp"));
        p.clear();
        entry(w.recentMenu(), 3)->trigger();
        QCOMPARE(openFileName(w), m_dir.filePath("d8&co.wrp"));
        QCOMPARE(p.messages.size(), 1);
        QVERIFY2(p.messages.first().text.contains(QDir::toNativeSeparators(m_dir.filePath("d9&co.wrp"))),
                 qPrintable(p.messages.first().text));
        QVERIFY(!entryTexts(w.recentMenu()).join(' ').contains("d9"));
        QCOMPARE(entryTexts(w.recentMenu()).size(), 8); // seven and Clear Menu

        // A new document typed in and saved is a recent one; Clear Menu empties the list.
        w.newDocumentOfType(QStringLiteral("PQR"));
        AppState::instance().setChanged(true);
        p.queueFile(m_dir.filePath("saved.wrp"));
        QVERIFY(w.document()->save());
        QCOMPARE(entryTexts(w.recentMenu()).first(), QStringLiteral("&1 saved.wrp"));
        entry(w.recentMenu(), int(w.recentMenu()->actions().size()) - 1)->trigger();
        QCOMPARE(entryTexts(w.recentMenu()), QStringList{"No recent documents"});
        QVERIFY(p.unexpected.isEmpty());
    }

    // The preference text: a list of any file names, a damaged one read as none.
    void recentListText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("damaged") << QStringLiteral("[\"/a.wrp\", 3") << QStringList();
        QTest::newRow("not a list") << QStringLiteral("{\"a\": 1}") << QStringList();
        QTest::newRow("names with a line break and quotes")
            << QStringLiteral("[\"/x/a\\nb.wrp\", \"/x/\\\"q\\\".wrp\"]") << QStringList{"/x/a\nb.wrp", "/x/\"q\".wrp"};
        QTest::newRow("the same document twice, spelled two ways")
            << QStringLiteral("[\"/x/a.wrp\", \"/x/y/../a.wrp\", \"/x/b.wrp\"]") << QStringList{"/x/a.wrp", "/x/b.wrp"};
    }
    void recentListText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, paths);
        const RecentFiles recent = RecentFiles::fromSetting(text);
        QCOMPARE(recent.paths(), paths);
        QCOMPARE(RecentFiles::fromSetting(recent.toSetting()).paths(), paths);
    }

    // A drop opens as File > Open does: the changed-document question first.
    void drop_data()
    {
        QTest::addColumn<QStringList>("urls"); // "file:NAME" for a local file of the test folder
        QTest::addColumn<int>("answer");       // to the changed-document question; -1: none asked
        QTest::addColumn<QString>("opened");   // the document open afterwards
        QTest::newRow(".wrp") << QStringList{"file:drop.wrp"} << -1 << "drop.wrp";
        QTest::newRow(".WRP") << QStringList{"file:DROP.WRP"} << -1 << "DROP.WRP";
        QTest::newRow("the first .wrp of several") << QStringList{"file:notes.txt", "file:drop.wrp"} << -1 << "drop.wrp";
        QTest::newRow("no document") << QStringList{"file:notes.txt"} << -1 << "first.wrp";
        QTest::newRow("not a local file") << QStringList{"https://example.invalid/a.wrp"} << -1 << "first.wrp";
        QTest::newRow("changed, Cancel") << QStringList{"file:drop.wrp"} << int(Answer::Cancel) << "first.wrp";
        QTest::newRow("changed, No") << QStringList{"file:drop.wrp"} << int(Answer::No) << "drop.wrp";
    }
    void drop()
    {
        QFETCH(QStringList, urls);
        QFETCH(int, answer);
        QFETCH(QString, opened);
        TempData data;
        ScriptedPlatform p;
        TmenuForm w;
        w.openPath(document("first.wrp", "PQR"));
        if (answer >= 0) {
            AppState::instance().setChanged(true);
            p.queueAnswer(Answer(answer));
        }
        QList<QUrl> list;
        for (const QString &u : urls)
            list << (u.startsWith("file:") ? QUrl::fromLocalFile(document(u.mid(5))) : QUrl(u));
        QMimeData mime;
        mime.setUrls(list);
        const bool wanted = !RecentMenu::droppedDocument(&mime).isEmpty();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QCOMPARE(enter.isAccepted(), wanted);
        if (wanted) {
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &dropped);
        }
        QTRY_COMPARE(openFileName(w), m_dir.filePath(opened));
        QCOMPARE(p.unexpected, QStringList());
        AppState::instance().setChanged(false);
    }

    // Tools > Options "Data folder": kept per user and in force at once; a folder that is not
    // there is refused; one without a store may get a copy of the one in use.
    void optionsDataFolder_data()
    {
        QTest::addColumn<QString>("typed");   // "none": a folder that is not there
        QTest::addColumn<bool>("hasStore");
        QTest::addColumn<int>("answer");      // to "copy the store there?"; -1: not asked
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("store"); // the chosen folder's zoru.dat afterwards
        QTest::newRow("a shared folder with its store") << "shared" << true << -1 << true << QByteArray("shop store");
        QTest::newRow("not there: refused") << "none" << false << -1 << false << QByteArray();
        QTest::newRow("no store, copied") << "shared" << false << int(Answer::Yes) << true << QByteArray("my store");
        QTest::newRow("no store, used as it is") << "shared" << false << int(Answer::No) << true << QByteArray();
        QTest::newRow("no store, Cancel") << "shared" << false << int(Answer::Cancel) << false << QByteArray();
        QTest::newRow("emptied: the default again") << "" << false << -1 << true << QByteArray();
    }
    void optionsDataFolder()
    {
        QFETCH(QString, typed);
        QFETCH(bool, hasStore);
        QFETCH(int, answer);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, store);
        TempData data(false);
        data.write("zoru.dat", "my store");
        QTemporaryDir other;
        const QString folder = typed == "shared" ? other.path() : typed == "none" ? other.filePath("gone") : QString();
        if (hasStore) {
            QFile f(QDir(folder).filePath("zoru.dat"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("shop store");
        }
        ScriptedPlatform p;
        p.setSetting(DataFolders::settingKey(), QStringLiteral("/earlier"));
        if (answer >= 0)
            p.queueAnswer(Answer(answer));
        TOptionsDlg dialog;
        QCOMPARE(dialog.dataFolder()->text(), QDir::toNativeSeparators("/earlier"));
        dialog.dataFolder()->setText(QDir::toNativeSeparators(folder));
        dialog.accept();
        QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(p.setting(DataFolders::settingKey()), accepted ? folder : QStringLiteral("/earlier"));
        if (accepted && !folder.isEmpty())
            QCOMPARE(AppState::instance().dataDir(), folder);
        if (!accepted || folder.isEmpty())
            QCOMPARE(AppState::instance().dataFolders().origin() == DataFolders::Origin::Setting, false);
        if (typed == "none")
            QVERIFY(p.texts().join('\n').contains(QDir::toNativeSeparators(folder)));
        if (!folder.isEmpty() && typed != "none") {
            QFile f(QDir(folder).filePath("zoru.dat"));
            QCOMPARE(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), store);
        }
        QCOMPARE(p.unexpected, QStringList());
    }

    void aboutNamesTheFolders()
    {
        TempData data;
        TAboutBox box;
        const QString text = box.findChild<QLabel *>(QStringLiteral("DataFolders"))->text();
        QVERIFY2(text.contains(QDir::toNativeSeparators(data.path())), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("zoru.dat")), qPrintable(text));
    }

    // Moved and resized, the window comes back there in the next run.
    void placeIsRemembered()
    {
        ScriptedPlatform p;
        QRect place;
        {
            TmenuForm w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.setGeometry(QRect(40, 50, 900, 700));
            place = w.geometry();
            QVERIFY(w.close());
        }
        TmenuForm w;
        QCOMPARE(w.geometry(), place);
    }
};

QTEST_MAIN(TestDesktopHabits)
#include "tst_desktophabits.moc"
