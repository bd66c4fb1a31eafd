#include "core/appstate.h"
#include "core/platform.h"
#include "support/scriptedplatform.h"

#include <QtTest>

using namespace Brenvik;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messageBoxesAreRecordedWithCaptionAndIcon()
    {
        ScriptedPlatform p;
        errorBox(QStringLiteral("Zor Error"), QStringLiteral("Error in saving image file."));
        warningBox(QStringLiteral("Error in creating directory:"));
        QCOMPARE(p.messages.size(), 2);
        QCOMPARE(p.messages[0].caption, QStringLiteral("Zor Error"));
        QCOMPARE(p.messages[0].icon, MsgIcon::Error);
        QCOMPARE(p.messages[1].caption, QStringLiteral("Warning"));
        QCOMPARE(p.messages[1].icon, MsgIcon::Error);
    }

    void unansweredQuestionsCancelAndAreListed()
    {
        ScriptedPlatform p;
        QCOMPARE(askYesNoCancel(QStringLiteral("Question"), QStringLiteral("Save?")), Answer::Cancel);
        QVERIFY(!confirmBox(QStringLiteral("Question"), QStringLiteral("Clear?")));
        QCOMPARE(p.unexpected.size(), 2);
        p.queueAnswer(Answer::No);
        p.queueConfirm(true);
        QCOMPARE(askYesNoCancel(QStringLiteral("Question"), QStringLiteral("Save?")), Answer::No);
        QVERIFY(confirmBox(QStringLiteral("Question"), QStringLiteral("Clear?")));
    }

    void busyCursorIsRestoredWhenAnErrorUnwinds()
    {
        ScriptedPlatform p;
        try {
            BusyCursor outer;
            BusyCursor inner;
            QCOMPARE(p.busyDepth, 1);
            throw std::runtime_error("boom");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(p.busyDepth, 0);
    }

    void shellOpenIgnoresEmptyTextAndTakesLongPaths()
    {
        ScriptedPlatform p;
        openWithShell(QString());
        const QString longPath = QStringLiteral("/tmp/") + QString(300, QLatin1Char('a')) + QStringLiteral(".bmp");
        openWithShell(longPath);
        QCOMPARE(p.opened, QStringList{longPath});
    }

    void changedFlagSignalsOnlyOnChange()
    {
        auto &state = AppState::instance();
        state.setChanged(false);
        int signals_ = 0;
        connect(&state, &AppState::changedFlagChanged, this, [&] { ++signals_; });
        state.setChanged(true);
        state.setChanged(true);
        state.setChanged(false);
        QCOMPARE(signals_, 2);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
