// The user information dialog through its flows, with scripted answers: the profile list,
// save and delete, the match on showing, the copy into the window's fields, the default
// profile of a new document, and the failures; and the steps it shares with the memo dialog.

#include "core/cp1252.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"
#include "userdata/tuserinfodlg.h"
#include "userdata/tusermemodlg.h"
#include "userdata/userdatahooks.h"
#include "userdata/userdatastore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace Brenvik;

namespace {

const QString kProfiles = "[index]\nindexString=3 1 2\nuserDefault=1\n"
                          "[profile1]\nprofilename=Zed Works\ncompany=Zed Ltd\naddress=1 Main St\n"
                          "[profile2]\nprofilename=Alpha\ncompany=Alpha Inc\naddress=2 Side St\n"
                          "[profile3]\nprofilename=Mid\ncompany=Zed Ltd\naddress=3 Other Rd\n";
const QString kTopics = "[WPDS_technique]\nfixed1=Stringer\nfixedText1=Stringer beads.\nuser1=Mine\nuserText1=mine\n";

} // namespace

class TestUserInfoDlg : public QObject {
    Q_OBJECT
private:
    TuserInfoDlg *dlg = nullptr;
    QComboBox *profile() { return dlg->findChild<QComboBox *>("userProfile"); }
    QLineEdit *company() { return dlg->findChild<QLineEdit *>("companyName"); }
    QLineEdit *address() { return dlg->findChild<QLineEdit *>("address"); }
    QCheckBox *isDefault() { return dlg->findChild<QCheckBox *>("ifDefault"); }
    QStringList listed()
    {
        QStringList r;
        for (int i = 0; i < profile()->count(); ++i)
            r << profile()->itemText(i);
        return r;
    }
    // Each case starts from the dialog as a new run would find it.
    void showFor(QWidget *c, QWidget *a)
    {
        dlg->hide();
        dlg->clearEntry();
        isDefault()->setChecked(false);
        dlg->setTargets(c, a);
        dlg->show();
    }

private Q_SLOTS:
    void init() { dlg = TuserInfoDlg::instance(); }
    void layout();
    void listInIndexOrder();
    void matchOnShowing_data();
    void matchOnShowing();
    void saveProfile();
    void deleteProfile_data();
    void deleteProfile();
    void copyToTargets_data();
    void copyToTargets();
    void toolsMenuCopiesNothing();
    void freedWindowIsNoTarget();
    void defaultProfileOfANewDocument_data();
    void defaultProfileOfANewDocument();
    void missingStore();
    void badProfileNumbers();
    void modalShowing();
    void namedEntryFlows_data();
    void namedEntryFlows();
};

void TestUserInfoDlg::layout()
{
    QCOMPARE(dlg->windowTitle(), QString("User Information"));
    QCOMPARE(dlg->findChild<QToolButton *>("saveUserInfo")->toolTip(), QString("Export to file"));
    QCOMPARE(dlg->findChild<QToolButton *>("delUserInfo")->toolTip(), QString("Delete user profile"));
    QCOMPARE(isDefault()->text(), QString("Save As Default User"));
    QVERIFY(dlg->findChild<QPushButton *>("OKBtn")->isDefault());
    QCOMPARE(TuserInfoDlg::instance(), dlg);
}

void TestUserInfoDlg::listInIndexOrder()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    showFor(nullptr, nullptr);
    QCOMPARE(listed(), (QStringList{"Mid", "Zed Works", "Alpha"}));
    QVERIFY(profile()->currentText().isEmpty());
    // Choosing a name shows its profile, and the default box follows userDefault.
    profile()->setEditText("Zed Works");
    QCOMPARE(company()->text(), QString("Zed Ltd"));
    QCOMPARE(address()->text(), QString("1 Main St"));
    QVERIFY(isDefault()->isChecked());
    profile()->setEditText("Alpha");
    QVERIFY(!isDefault()->isChecked());
    // A name being typed keeps the fields as they are.
    profile()->setEditText("Alp");
    QCOMPARE(company()->text(), QString("Alpha Inc"));
    QVERIFY(platform.messages.isEmpty());
}

void TestUserInfoDlg::matchOnShowing_data()
{
    QTest::addColumn<QString>("companyText");
    QTest::addColumn<QString>("addressText");
    QTest::addColumn<bool>("withAddress");
    QTest::addColumn<QString>("expectedProfile");
    QTest::addColumn<bool>("expectedDefault");
    QTest::newRow("company and address") << "Zed Ltd" << "3 Other Rd" << true << "Mid" << false;
    QTest::newRow("the default") << "Zed Ltd" << "1 Main St" << true << "Zed Works" << true;
    QTest::newRow("address differs") << "Zed Ltd" << "1 main st" << true << "" << false;
    QTest::newRow("no address field: first by company") << "Zed Ltd" << "" << false << "Mid" << false;
}

void TestUserInfoDlg::matchOnShowing()
{
    QFETCH(QString, companyText);
    QFETCH(QString, addressText);
    QFETCH(bool, withAddress);
    QFETCH(QString, expectedProfile);
    QFETCH(bool, expectedDefault);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    QWidget window;
    auto *c = new QLineEdit(companyText, &window);
    auto *a = new QLineEdit(addressText, &window);
    isDefault()->setChecked(true);
    showFor(c, withAddress ? a : nullptr);
    QCOMPARE(profile()->currentText(), expectedProfile);
    QCOMPARE(isDefault()->isChecked(), expectedDefault);
    QCOMPARE(company()->text(), companyText);
    if (withAddress)
        QCOMPARE(address()->text(), addressText);
    QVERIFY(!dlg->findChild<QPushButton *>("CancelBtn")->isHidden());
    QVERIFY(platform.messages.isEmpty());
}

void TestUserInfoDlg::saveProfile()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini("[sync]\n"));
    showFor(nullptr, nullptr);
    QVERIFY(listed().isEmpty());

    company()->setText("Acme");
    dlg->saveEntry();
    QCOMPARE(platform.texts(), QStringList{"No profile specified."});
    QCOMPARE(platform.messages.at(0).caption, QString("Error"));
    UserDataStore store;
    QVERIFY(store.read() && store.indexString().isEmpty());

    profile()->setEditText("Shop");
    address()->setText("1 Road");
    isDefault()->setChecked(true);
    dlg->saveEntry();
    address()->setText("2 Road");
    isDefault()->setChecked(false); // unchecked never clears the default
    dlg->saveEntry();
    QVERIFY(store.read());
    QCOMPARE(store.indexString(), QString("1"));
    QCOMPARE(store.profile(1).address, QString("2 Road"));
    QCOMPARE(store.userDefault(), std::optional<int>(1));
    QCOMPARE(listed(), QStringList{"Shop"});
    QCOMPARE(profile()->currentText(), QString("Shop"));

    // A name the store cannot hold is refused with the characters named.
    profile()->setEditText(QString::fromUtf8("\u0141\u00f3d\u017a works"));
    dlg->saveEntry();
    QCOMPARE(platform.messages.size(), 2);
    QVERIFY(platform.messages.at(1).text.contains(QString::fromUtf8("\u0141")));
    QVERIFY(store.read());
    QCOMPARE(store.indexString(), QString("1"));
}

void TestUserInfoDlg::deleteProfile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("indexAfter");
    QTest::addColumn<QStringList>("listAfter");
    QTest::addColumn<bool>("defaultAfter");
    QTest::newRow("middle one") << "Zed Works" << true << " 3 2" << QStringList{"Mid", "Alpha"} << false;
    QTest::newRow("not the default") << "Alpha" << true << " 3 1" << QStringList{"Mid", "Zed Works"} << true;
    QTest::newRow("cancelled") << "Alpha" << false << "3 1 2" << QStringList{"Mid", "Zed Works", "Alpha"} << true;
    QTest::newRow("unknown name") << "Nobody" << true << "3 1 2" << QStringList{"Mid", "Zed Works", "Alpha"} << true;
    QTest::newRow("empty name") << "" << true << "3 1 2" << QStringList{"Mid", "Zed Works", "Alpha"} << true;
}

void TestUserInfoDlg::deleteProfile()
{
    QFETCH(QString, name);
    QFETCH(bool, answer);
    QFETCH(QString, indexAfter);
    QFETCH(QStringList, listAfter);
    QFETCH(bool, defaultAfter);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    showFor(nullptr, nullptr);
    profile()->setEditText(name);
    platform.queueConfirm(answer);
    dlg->deleteEntry();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.at(0).caption, QString("Confirmation"));
    QCOMPARE(platform.messages.at(0).text, "Delete profile: " + name + "?");
    UserDataStore store;
    QVERIFY(store.read());
    // The list keeps the leading blank it is written with; reading drops it.
    QVERIFY(data.read("zoru.dat").contains(ini("indexString=" + indexAfter + "\n")));
    QCOMPARE(store.indexString(), indexAfter.trimmed());
    QCOMPARE(bool(store.userDefault()), defaultAfter);
    QCOMPARE(listed(), listAfter);
    if (answer)
        QVERIFY(profile()->currentText().isEmpty() && company()->text().isEmpty() && address()->text().isEmpty());
}

void TestUserInfoDlg::copyToTargets_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("withAddress");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<bool>("copied");
    QTest::newRow("empty fields: no question") << "" << true << -1 << true;
    QTest::newRow("text: asked, OK") << "Old" << true << 1 << true;
    QTest::newRow("text: asked, Cancel") << "Old" << true << 0 << false;
    QTest::newRow("company only, empty") << "" << false << -1 << true;
    QTest::newRow("company only, text, Cancel") << "Old" << false << 0 << false;
}

void TestUserInfoDlg::copyToTargets()
{
    QFETCH(QString, before);
    QFETCH(bool, withAddress);
    QFETCH(int, answer);
    QFETCH(bool, copied);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    QWidget window;
    auto *c = new QLineEdit(before, &window);
    auto *a = new QLineEdit(&window);
    int changes = 0;
    connect(c, &QLineEdit::textChanged, this, [&] { ++changes; });
    showFor(c, withAddress ? a : nullptr);
    profile()->setEditText("Alpha");
    if (answer >= 0)
        platform.queueConfirm(answer == 1);
    dlg->OKBtnClick();
    QVERIFY(dlg->isHidden());
    QCOMPARE(platform.messages.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(platform.messages.at(0).caption, QString("Question"));
        QCOMPARE(platform.messages.at(0).text, QString("Overwrite existing data in the weld form?"));
    }
    QCOMPARE(c->text(), copied ? QString("Alpha Inc") : before);
    QCOMPARE(a->text(), copied && withAddress ? QString("2 Side St") : QString());
    QCOMPARE(changes > 0, copied); // the window's change handler sees the copy
}

void TestUserInfoDlg::toolsMenuCopiesNothing()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    showFor(nullptr, nullptr);
    QVERIFY(dlg->findChild<QPushButton *>("CancelBtn")->isHidden());
    profile()->setEditText("Alpha");
    dlg->OKBtnClick();
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(dlg->isHidden());
}

void TestUserInfoDlg::freedWindowIsNoTarget()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    auto *window = new QWidget;
    auto *c = new QLineEdit("Zed Ltd", window);
    auto *a = new QLineEdit("1 Main St", window);
    showFor(c, a);
    dlg->hide();
    delete window;
    QVERIFY(!dlg->companyTarget() && !dlg->addressTarget());
    dlg->show();
    QVERIFY(dlg->findChild<QPushButton *>("CancelBtn")->isHidden());
    dlg->OKBtnClick();
    QVERIFY(platform.messages.isEmpty());
}

void TestUserInfoDlg::defaultProfileOfANewDocument_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("companyAfter");
    QTest::addColumn<QString>("addressAfter");
    QTest::addColumn<int>("messages");
    QTest::newRow("default") << "[index]\nindexString=1\nuserDefault=1\n" << "Zed Ltd" << "1 Main St" << 0;
    QTest::newRow("no default") << "[index]\nindexString=1\n" << "kept" << "kept" << 0;
    QTest::newRow("names a deleted profile") << "[index]\nindexString=1\nuserDefault=7\n" << "" << "" << 0;
    QTest::newRow("not a number") << "[index]\nindexString=1\nuserDefault=x\n" << "kept" << "kept" << 1;
}

void TestUserInfoDlg::defaultProfileOfANewDocument()
{
    QFETCH(QString, index);
    QFETCH(QString, companyAfter);
    QFETCH(QString, addressAfter);
    QFETCH(int, messages);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(index + "[profile1]\nprofilename=Zed Works\ncompany=Zed Ltd\naddress=1 Main St\n"));
    QLineEdit c("kept"), a("kept");
    UserDataDialogs::fillDefaultProfile(&c, &a);
    QCOMPARE(c.text(), companyAfter);
    QCOMPARE(a.text(), addressAfter);
    QCOMPARE(platform.messages.size(), messages);
    UserDataDialogs::fillDefaultProfile(&c, nullptr); // WPQR and WPS have no address field
}

void TestUserInfoDlg::missingStore()
{
    ScriptedPlatform platform;
    TempData data(false);
    QWidget window;
    auto *c = new QLineEdit("Zed Ltd", &window);
    auto *a = new QLineEdit("1 Main St", &window);
    showFor(c, a);
    QCOMPARE(platform.messages.size(), 1); // once per showing
    QVERIFY(platform.messages.at(0).text.endsWith("is missing. Operation aborted."));
    QCOMPARE(company()->text(), QString("Zed Ltd"));
    profile()->setEditText("Typed name"); // no message per keystroke
    QCOMPARE(platform.messages.size(), 1);
    dlg->saveEntry();
    QCOMPARE(platform.messages.size(), 2); // once per click, nothing made
    platform.queueConfirm(true);
    dlg->deleteEntry();
    QCOMPARE(platform.messages.size(), 4); // the question, then the missing store
    QVERIFY(!QFile::exists(data.file("zoru.dat")));
    // The default company of a new document: the window's list loading has said it already.
    QLineEdit nc, na;
    UserDataDialogs::fillDefaultProfile(&nc, &na);
    QCOMPARE(platform.messages.size(), 4);
}

void TestUserInfoDlg::badProfileNumbers()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini("[index]\nindexString=1 two 3\nuserDefault=1.5\n"
                               "[profile1]\nprofilename=One\n[profile3]\nprofilename=Three\n"));
    showFor(nullptr, nullptr);
    QCOMPARE(listed(), (QStringList{"One", "Three"}));
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.at(0).text.contains("\"two\""));
    QVERIFY(platform.messages.at(0).text.contains("\"1.5\""));
}

void TestUserInfoDlg::modalShowing()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles));
    QWidget window;
    auto *c = new QLineEdit(&window);
    auto *a = new QLineEdit(&window);
    dlg->hide();
    QTimer::singleShot(0, this, [this] {
        profile()->setEditText("Alpha");
        dlg->OKBtnClick();
    });
    UserDataDialogs::openUserInfo(c, a);
    QCOMPARE(c->text(), QString("Alpha Inc"));
    QCOMPARE(a->text(), QString("2 Side St"));
}

// Both dialogs are one named-entry editor: the same steps, each dialog in its own words.
void TestUserInfoDlg::namedEntryFlows_data()
{
    QTest::addColumn<bool>("memo");
    QTest::addColumn<bool>("save"); // else delete
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("refused"); // the data folder refuses writes
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("nameAfter");
    const QStringList ask{"Confirmation"}, refusal{"Error"}, askThenRefusal{"Confirmation", "Error"};
    for (const bool memo : {false, true}) {
        const QString user = memo ? "Mine" : "Alpha";
        const auto row = [memo](const char *step) -> QTestData & {
            return QTest::addRow("%s: %s", memo ? "topic" : "profile", step);
        };
        row("save new") << memo << true << "New" << -1 << false << QStringList() << true << "New";
        row("save over, no question") << memo << true << user << -1 << false << QStringList() << true << user;
        row("save refused") << memo << true << "New" << -1 << true << refusal << false << "New";
        row("delete, Yes") << memo << false << user << 1 << false << ask << false << "";
        row("delete, No") << memo << false << user << 0 << false << ask << true << (memo ? QString() : user);
        row("delete refused: still shown") << memo << false << user << 1 << true << askThenRefusal << true << user;
    }
    QTest::newRow("topic: fixed is not changed")
        << true << true << "Stringer" << -1 << false << QStringList{"Warning"} << true << "Stringer";
    QTest::newRow("topic: fixed is not deleted")
        << true << false << "Stringer" << -1 << false << QStringList{"Warning"} << true << "";
    QTest::newRow("profile: no name") << false << true << "" << -1 << false << refusal << false << "";
    QTest::newRow("topic: no name") << true << true << "" << -1 << false << QStringList() << false << "";
}

void TestUserInfoDlg::namedEntryFlows()
{
    QFETCH(bool, memo);
    QFETCH(bool, save);
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(bool, refused);
    QFETCH(QStringList, captions);
    QFETCH(bool, listed);
    QFETCH(QString, nameAfter);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kProfiles + kTopics));
    QWidget window;
    auto *target = new QPlainTextEdit(&window);
    target->setObjectName("technique");
    NamedEntryEditor *editor = dlg;
    showFor(nullptr, nullptr);
    if (memo) {
        dlg->hide();
        TuserMemoDlg::instance()->setTarget("WPDS", target);
        editor = TuserMemoDlg::instance();
        editor->show();
    }
    auto *names = editor->findChild<QComboBox *>(memo ? "memoTopic" : "userProfile");
    auto *text = editor->findChild<QPlainTextEdit *>("memoText");
    const auto content = [&] { return memo ? text->toPlainText() : company()->text(); };
    names->setEditText(name);
    memo ? text->setPlainText("typed") : company()->setText("typed");
    if (answer >= 0)
        platform.queueConfirm(answer == 1);
    if (refused && QProcess::execute("chattr", {"+i", data.path()}) != 0)
        QSKIP("chattr is not available here");
    save ? editor->saveEntry() : editor->deleteEntry();
    if (refused)
        QProcess::execute("chattr", {"-i", data.path()});
    QStringList said;
    for (const auto &m : platform.messages)
        said << m.caption;
    editor->hide();
    QCOMPARE(said, captions);
    QCOMPARE(editor->entryName(), nameAfter);
    QCOMPARE(names->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0, listed);
    // What was saved reads back under its name.
    if (save && captions.isEmpty() && !name.isEmpty()) {
        editor->clearEntry();
        names->setEditText(name);
        QCOMPARE(content(), QString("typed"));
    }
}

QTEST_MAIN(TestUserInfoDlg)
#include "tst_userinfodlg.moc"
