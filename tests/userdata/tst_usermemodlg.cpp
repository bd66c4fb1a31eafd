// The memo dialog through its flows with scripted answers: the topic list, the match on
// showing, saving and deleting topics with their warnings, OK and Cancel, the failures.

#include "core/cp1252.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"
#include "userdata/tusermemodlg.h"
#include "userdata/userdatahooks.h"
#include "userdata/userdatastore.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Brenvik;

namespace {

const QString kTopics = "[WPDS_technique]\n"
                        "fixed1=Stringer\nfixedText1=Stringer beads.\\nClean each pass.\n"
                        "fixed2=weave\nfixedText2=Shared text\n"
                        "user1=Mine\nuserText1=Shared text\n"
                        "user2=Second\nuserText2=two\n"
                        "user3=Third\nuserText3=line one\\n  line two\n";

const QString kFixedSave =
    "The current topic is defined by the programme and cannot be modified.  Please choose another topic.";
const QString kFixedDelete = "The current topic is defined by the programme and cannot be deleted.";

} // namespace

class TestUserMemoDlg : public QObject {
    Q_OBJECT
private:
    TuserMemoDlg *dlg = nullptr;
    QWidget window;
    QPlainTextEdit *memo = nullptr;
    QComboBox *topic() { return dlg->findChild<QComboBox *>("memoTopic"); }
    QPlainTextEdit *text() { return dlg->findChild<QPlainTextEdit *>("memoText"); }
    QStringList listed()
    {
        QStringList r;
        for (int i = 0; i < topic()->count(); ++i)
            r << topic()->itemText(i);
        return r;
    }
    void open(const QString &memoText)
    {
        memo->setPlainText(memoText);
        dlg->hide();
        dlg->setTarget("WPDS", memo);
        dlg->show();
    }
    QStringList userTopics()
    {
        UserDataStore store;
        store.read();
        QStringList r;
        for (const auto &t : store.topics("WPDS_technique"))
            if (!t.fixed)
                r << t.name + "=" + t.text;
        return r;
    }

private Q_SLOTS:
    void initTestCase()
    {
        memo = new QPlainTextEdit(&window);
        memo->setObjectName("technique");
        dlg = TuserMemoDlg::instance(&window);
    }
    void showing();
    void matchOnShowing_data();
    void matchOnShowing();
    void chooseTopic();
    void saveTopic_data();
    void saveTopic();
    void deleteTopic_data();
    void deleteTopic();
    void okAndCancel_data();
    void okAndCancel();
    void missingStore();
    void textTheStoreCannotHold();
    void modalShowing();
};

void TestUserMemoDlg::showing()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open(QString());
    QCOMPARE(dlg->windowTitle(), QString("Choose Text for \"technique\""));
    QCOMPARE(listed(), (QStringList{"Mine", "Second", "Stringer", "Third", "weave"}));
    QVERIFY(topic()->currentText().isEmpty());
    QVERIFY(text()->toPlainText().isEmpty());
    QVERIFY(platform.messages.isEmpty());
}

void TestUserMemoDlg::matchOnShowing_data()
{
    QTest::addColumn<QString>("memoText");
    QTest::addColumn<QString>("expectedTopic");
    QTest::newRow("user text") << "two" << "Second";
    QTest::newRow("fixed wins over user") << "Shared text" << "weave";
    QTest::newRow("trailing blank line and blanks") << "two\n\n   " << "Second";
    QTest::newRow("inner blanks count") << "line one\nline two" << "";
    QTest::newRow("leading blanks kept") << "line one\n  line two" << "Third";
    QTest::newRow("no match") << "something else" << "";
}

void TestUserMemoDlg::matchOnShowing()
{
    QFETCH(QString, memoText);
    QFETCH(QString, expectedTopic);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open(memoText);
    QCOMPARE(topic()->currentText(), expectedTopic);
    if (expectedTopic.isEmpty())
        QCOMPARE(text()->toPlainText(), memoText); // the dialog opens with the memo's text
    QVERIFY(platform.messages.isEmpty());
}

void TestUserMemoDlg::chooseTopic()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open(QString());
    topic()->setCurrentText("Stringer");
    QCOMPARE(text()->toPlainText(), QString("Stringer beads.\nClean each pass."));
    // A new name being typed keeps the text.
    topic()->setEditText("Stringer 2");
    QCOMPARE(text()->toPlainText(), QString("Stringer beads.\nClean each pass."));
    QVERIFY(platform.messages.isEmpty());
}

void TestUserMemoDlg::saveTopic_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("userAfter");
    QTest::addColumn<QString>("warning");
    const QStringList before{"Mine=Shared text", "Second=two", "Third=line one\\n  line two"};
    QTest::newRow("new topic") << "New" << "a\nb\n\n" << before + QStringList{"New=a\\nb"} << "";
    QTest::newRow("existing keeps its number") << "Second" << "2" << QStringList{before.at(0), "Second=2", before.at(2)} << "";
    QTest::newRow("fixed topic") << "Stringer" << "x" << before << kFixedSave;
    QTest::newRow("fixed name is exact") << "stringer" << "x" << before + QStringList{"stringer=x"} << "";
    QTest::newRow("empty topic") << "" << "x" << before << "";
}

void TestUserMemoDlg::saveTopic()
{
    QFETCH(QString, name);
    QFETCH(QString, body);
    QFETCH(QStringList, userAfter);
    QFETCH(QString, warning);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open(QString());
    topic()->setEditText(name);
    text()->setPlainText(body);
    dlg->saveEntry();
    QCOMPARE(userTopics(), userAfter);
    if (warning.isEmpty()) {
        QVERIFY(platform.messages.isEmpty());
    } else {
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.at(0).caption, QString("Warning"));
        QCOMPARE(platform.messages.at(0).icon, MsgIcon::Information);
        QCOMPARE(platform.messages.at(0).text, warning);
    }
    // The topic and the text stay; the list has the new topic.
    QCOMPARE(topic()->currentText(), name);
    QCOMPARE(text()->toPlainText(), body);
    if (!name.isEmpty() && warning.isEmpty())
        QVERIFY(listed().contains(name));
}

void TestUserMemoDlg::deleteTopic_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<QStringList>("userAfter");
    QTest::addColumn<QString>("warning");
    const QStringList before{"Mine=Shared text", "Second=two", "Third=line one\\n  line two"};
    QTest::newRow("second of three") << "Second" << 1 << QStringList{before.at(0), before.at(2)} << "";
    QTest::newRow("cancelled") << "Second" << 0 << before << "";
    QTest::newRow("fixed topic") << "Stringer" << -1 << before << kFixedDelete;
    QTest::newRow("unknown") << "Nothing" << -1 << before << "";
}

void TestUserMemoDlg::deleteTopic()
{
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(QStringList, userAfter);
    QFETCH(QString, warning);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open(QString());
    topic()->setCurrentText(name);
    if (answer >= 0)
        platform.queueConfirm(answer == 1);
    dlg->deleteEntry();
    QCOMPARE(userTopics(), userAfter);
    QVERIFY(platform.unexpected.isEmpty());
    if (answer >= 0) {
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.at(0).caption, QString("Confirmation"));
        QCOMPARE(platform.messages.at(0).text, "Delete the current entry: \"" + name + "\"?");
    } else if (!warning.isEmpty()) {
        QCOMPARE(platform.texts(), QStringList{warning});
        QCOMPARE(platform.messages.at(0).caption, QString("Warning"));
    } else {
        QVERIFY(platform.messages.isEmpty());
    }
    // Every attempt ends on an empty topic and text, with the list read again.
    QVERIFY(topic()->currentText().isEmpty());
    QVERIFY(text()->toPlainText().isEmpty());
    QCOMPARE(listed().contains(name), userAfter.join("|").contains(name + "=") || !warning.isEmpty());
}

void TestUserMemoDlg::okAndCancel_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("memoAfter");
    QTest::newRow("OK replaces") << true << "new\ntext" << "new\ntext";
    QTest::newRow("OK with nothing empties") << true << "" << "";
    QTest::newRow("Cancel leaves") << false << "new\ntext" << "old memo";
}

void TestUserMemoDlg::okAndCancel()
{
    QFETCH(bool, ok);
    QFETCH(QString, edited);
    QFETCH(QString, memoAfter);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    open("old memo");
    text()->setPlainText(edited);
    if (ok)
        dlg->OKBtnClick();
    else
        dlg->findChild<QPushButton *>("CancelBtn")->click();
    QVERIFY(dlg->isHidden());
    QCOMPARE(memo->toPlainText(), memoAfter);
}

void TestUserMemoDlg::missingStore()
{
    ScriptedPlatform platform;
    TempData data(false);
    open("memo text");
    QCOMPARE(platform.messages.size(), 1); // once for the showing, match included
    QVERIFY(listed().isEmpty()); // nothing left from an earlier showing
    QCOMPARE(text()->toPlainText(), QString("memo text"));
    topic()->setEditText("typing");
    QCOMPARE(platform.messages.size(), 1);
    dlg->saveEntry();
    QCOMPARE(platform.messages.size(), 2);
    dlg->deleteEntry();
    QCOMPARE(platform.messages.size(), 3);
    QVERIFY(!QFile::exists(data.file("zoru.dat")));
}

void TestUserMemoDlg::textTheStoreCannotHold()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    const QByteArray before = data.read("zoru.dat");
    open(QString());
    topic()->setEditText("Greek");
    text()->setPlainText(QString::fromUtf8("\u03b1 and \u03b2 angles"));
    dlg->saveEntry();
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.at(0).text.contains(QString::fromUtf8("\u03b2")));
    QCOMPARE(data.read("zoru.dat"), before);
}

void TestUserMemoDlg::modalShowing()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kTopics));
    memo->clear();
    QTimer::singleShot(0, this, [this] {
        topic()->setCurrentText("Second");
        dlg->OKBtnClick();
    });
    UserDataDialogs::openMemo("WPDS", memo);
    QCOMPARE(memo->toPlainText(), QString("two"));
}

QTEST_MAIN(TestUserMemoDlg)
#include "tst_usermemodlg.moc"
