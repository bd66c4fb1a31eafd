// The batch editor's window: its two modes, the source list, its dialogs and a run from
// the window, including Cancel while a run goes over many files.

#include "core/platform.h"
#include "duplicator/tduplicator.h"
#include "forms/formregistry.h"
#include "support/scriptedplatform.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Brenvik;

namespace {

template <typename T>
T *control(const TDuplicator &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

QString writeDocument(const QString &path, const QByteArray &formType = "WPDS")
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("[contents]\r\nformType=" + formType + "\r\ncompanyName=Old Co\r\naddress=Old Road\r\n");
    return path;
}

} // namespace

class TestTDuplicator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The form types and the keys they keep come from the forms' descriptions.
    void initTestCase() { registerForms(); }

    void opensInCopyMode()
    {
        ScriptedPlatform platform;
        TDuplicator dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("File Batch Editor/Duplicator"));
        auto *list = control<QTreeWidget>(dialog, "sourceFile");
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Source Files"));
        QCOMPARE(list->columnWidth(0), 300);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(control<QRadioButton>(dialog, "rbCopy")->isChecked());
        QCOMPARE(control<QPushButton>(dialog, "actionBtn")->text(), QStringLiteral("Copy And Modify!"));
        QVERIFY(control<QPushButton>(dialog, "OKBtn")->isDefault());
        QVERIFY(!control<QProgressBar>(dialog, "progress")->isVisibleTo(&dialog));
        QVERIFY(platform.messages.isEmpty());
    }

    void theModeSwitchesThePathField_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("base"); // palette role the path field's background takes
        QTest::newRow("modify") << false << "Modify!" << int(QPalette::Button);
        QTest::newRow("copy") << true << "Copy And Modify!" << int(QPalette::Base);
    }

    void theModeSwitchesThePathField()
    {
        QFETCH(bool, copy);
        QFETCH(QString, caption);
        QFETCH(int, base);
        ScriptedPlatform platform;
        TDuplicator dialog;
        // Go through the other mode first, so the row proves the switch back as well.
        control<QRadioButton>(dialog, copy ? "rbModify" : "rbCopy")->click();
        control<QRadioButton>(dialog, copy ? "rbCopy" : "rbModify")->click();
        QCOMPARE(control<QPushButton>(dialog, "actionBtn")->text(), caption);
        auto *path = control<QLineEdit>(dialog, "newPath");
        for (QWidget *w : {static_cast<QWidget *>(path), static_cast<QWidget *>(control<QLabel>(dialog, "pathLbl")),
                           static_cast<QWidget *>(control<QToolButton>(dialog, "openPath"))})
            QCOMPARE(w->isEnabled(), copy);
        QCOMPARE(path->palette().color(QPalette::Base),
                 QApplication::palette(path).color(QPalette::ColorRole(base)));
    }

    void aPathIsListedOnce()
    {
        ScriptedPlatform platform;
        TDuplicator dialog;
        platform.queueFiles({QStringLiteral("/f/a.wrp"), QStringLiteral("/f/b.wrp")});
        platform.queueFiles({QStringLiteral("/f/b.wrp"), QStringLiteral("/f/A.wrp"), QStringLiteral("/f/a.wrp")});
        platform.queueFiles({});
        dialog.addFileClick();
        dialog.addFileClick();
        dialog.addFileClick();
        QCOMPARE(dialog.sourceFiles(),
                 (QStringList{QStringLiteral("/f/a.wrp"), QStringLiteral("/f/b.wrp"), QStringLiteral("/f/A.wrp")}));
        QCOMPARE(platform.dialogs.size(), 3);
        QCOMPARE(platform.dialogs[0].title, QStringLiteral("Add Source Files"));
        QCOMPARE(platform.dialogs[0].filter, QStringLiteral("Welding Form Files|*.wrp|All Files|*.*"));
        QVERIFY(platform.unexpected.isEmpty());
    }

    void selectAndRemove()
    {
        ScriptedPlatform platform;
        TDuplicator dialog;
        dialog.addSourceFiles({QStringLiteral("/a.wrp"), QStringLiteral("/b.wrp"), QStringLiteral("/c.wrp")});
        auto *list = control<QTreeWidget>(dialog, "sourceFile");
        list->topLevelItem(1)->setSelected(true);
        dialog.removeSelClick();
        QCOMPARE(dialog.sourceFiles(), (QStringList{QStringLiteral("/a.wrp"), QStringLiteral("/c.wrp")}));
        dialog.selAllClick();
        QCOMPARE(list->selectedItems().size(), 2);
        dialog.removeSelClick();
        QVERIFY(dialog.sourceFiles().isEmpty());
    }

    void theFolderBrowserFillsThePath()
    {
        ScriptedPlatform platform;
        TDuplicator dialog;
        platform.queueFolder(QStringLiteral("/tmp/new"));
        platform.queueFolder(QString());
        dialog.openPathClick();
        dialog.openPathClick(); // cancelled: the path stays
        QCOMPARE(control<QLineEdit>(dialog, "newPath")->text(), QStringLiteral("/tmp/new"));
        QCOMPARE(platform.messages[0].caption, QStringLiteral("Browse for Folder"));
        QCOMPARE(platform.messages[0].text, QStringLiteral("Please select the destination folder of the new files."));
    }

    void tipsShowHelp1502()
    {
        ScriptedPlatform platform;
        TDuplicator dialog;
        control<QToolButton>(dialog, "helpTip")->click();
        QCOMPARE(platform.helpShown, QList<int>{1502});
    }

    void aRunAsksAndLogsThroughTheWindow_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("question"); // "%1": the destination folder
        QTest::newRow("modify, confirmed") << false << true << "Warning"
                                           << "The user information in all of the source files will be "
                                              "modified.\nModify the source files?";
        QTest::newRow("modify, cancelled") << false << false << "Warning"
                                           << "The user information in all of the source files will be "
                                              "modified.\nModify the source files?";
        QTest::newRow("copy, folder made") << true << true << "Confirmation" << "%1\n does not exist. Create it?";
        QTest::newRow("copy, folder refused") << true << false << "Confirmation" << "%1\n does not exist. Create it?";
    }

    void aRunAsksAndLogsThroughTheWindow()
    {
        QFETCH(bool, copy);
        QFETCH(bool, answer);
        QFETCH(QString, caption);
        QFETCH(QString, question);
        ScriptedPlatform platform;
        QTemporaryDir dir;
        const QString a = writeDocument(dir.filePath(QStringLiteral("a.wrp")));
        const QString dst = dir.filePath(QStringLiteral("out"));
        TDuplicator dialog;
        dialog.addSourceFiles({a});
        control<QRadioButton>(dialog, copy ? "rbCopy" : "rbModify")->click();
        control<QLineEdit>(dialog, "newPath")->setText(dst);
        control<QLineEdit>(dialog, "companyName")->setText(QStringLiteral("New Co"));
        platform.queueConfirm(answer);
        control<QPushButton>(dialog, "actionBtn")->click();

        QCOMPARE(platform.messages.value(0).caption, caption);
        QCOMPARE(platform.messages.value(0).text, copy ? question.arg(dst) : question);
        const QStringList log = control<QPlainTextEdit>(dialog, "log")->toPlainText().split('\n');
        QCOMPARE(log.value(0), QStringLiteral(" "));
        QVERIFY(log.value(1).startsWith(QStringLiteral("Operation starts at ")));
        const QString target = copy ? dst + QStringLiteral("/a.wrp") : a;
        QCOMPARE(readAll(target).contains("companyName=New Co\r\naddress=\r\n"), answer);
        QCOMPARE(log.last() == QStringLiteral("1 files modified."), answer);
        QCOMPARE(platform.busyDepth, 0);
        QVERIFY(control<QPushButton>(dialog, "actionBtn")->isEnabled());
    }

    void cancelStopsALongRunAndTheWindowStaysUsable()
    {
        ScriptedPlatform platform;
        QTemporaryDir dir;
        QStringList sources;
        for (int i = 0; i < 50; ++i)
            sources << writeDocument(dir.filePath(QStringLiteral("f%1.wrp").arg(i)));
        TDuplicator dialog;
        dialog.show();
        dialog.addSourceFiles(sources);
        control<QRadioButton>(dialog, "rbModify")->click();
        control<QLineEdit>(dialog, "companyName")->setText(QStringLiteral("New Co"));
        platform.queueConfirm(true);

        bool checkedWhileRunning = false;
        auto *progress = control<QProgressBar>(dialog, "progress");
        connect(progress, &QProgressBar::valueChanged, &dialog, [&](int value) {
            if (value != 10)
                return;
            // Reached from inside the run: only Cancel is usable, and closing does nothing.
            QVERIFY(dialog.isRunning());
            QVERIFY(!control<QPushButton>(dialog, "actionBtn")->isEnabled());
            QVERIFY(!control<QPushButton>(dialog, "OKBtn")->isEnabled());
            QVERIFY(!control<QTreeWidget>(dialog, "sourceFile")->isEnabled());
            QVERIFY(control<QProgressBar>(dialog, "progress")->isVisible());
            auto *cancel = control<QPushButton>(dialog, "cancelRun");
            QVERIFY(cancel->isVisible() && cancel->isEnabled());
            dialog.close();
            QVERIFY(dialog.isVisible());
            cancel->click();
            checkedWhileRunning = true;
        });
        control<QPushButton>(dialog, "actionBtn")->click();

        QVERIFY(checkedWhileRunning);
        QVERIFY(!dialog.isRunning());
        const QString log = control<QPlainTextEdit>(dialog, "log")->toPlainText();
        QVERIFY2(log.contains(QStringLiteral("Operation cancelled before ")), qPrintable(log));
        int done = 0;
        for (const QString &s : qAsConst(sources))
            done += readAll(s).contains("companyName=New Co") ? 1 : 0;
        QCOMPARE(done, 11); // the file under way when Cancel was pressed is finished
        QVERIFY(log.contains(QStringLiteral("%1 files modified.").arg(done)));
        QVERIFY(control<QPushButton>(dialog, "actionBtn")->isEnabled());
        QVERIFY(!control<QLineEdit>(dialog, "newPath")->isEnabled()); // still modify mode
        QVERIFY(!control<QProgressBar>(dialog, "progress")->isVisible());
    }

    // Not a check: with BRENVIK_SCREENSHOT set, the window after a copy run goes to that PNG.
    void screenshotAfterARun()
    {
        const QString shot = qEnvironmentVariable("BRENVIK_SCREENSHOT");
        if (shot.isEmpty())
            QSKIP("BRENVIK_SCREENSHOT not set");
        ScriptedPlatform platform;
        QTemporaryDir dir;
        const QString src = dir.filePath(QStringLiteral("procedures"));
        QDir().mkpath(src);
        QStringList sources{writeDocument(src + QStringLiteral("/wpds-014.wrp")),
                            writeDocument(src + QStringLiteral("/pqr-007.wrp"), "PQR"),
                            writeDocument(src + QStringLiteral("/wpqr-002.wrp"), "WPQR"),
                            writeDocument(src + QStringLiteral("/notes.wrp"), "NOTE"),
                            src + QStringLiteral("/missing.wrp")};
        TDuplicator dialog;
        dialog.addSourceFiles(sources);
        control<QLineEdit>(dialog, "newPath")->setText(dir.filePath(QStringLiteral("for-partner")));
        control<QLineEdit>(dialog, "companyName")->setText(QStringLiteral("Nordvik Steelworks AS"));
        control<QLineEdit>(dialog, "address")->setText(QStringLiteral("Industriveien 4, 6009 Brenvik"));
        platform.queueConfirm(true);
        dialog.show();
        control<QPushButton>(dialog, "actionBtn")->click();
        QVERIFY(dialog.grab().save(shot));
    }
};

QTEST_MAIN(TestTDuplicator)
#include "tst_tduplicator.moc"
