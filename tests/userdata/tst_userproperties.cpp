// The combo boxes of a window against the store: filling, the bound save and delete
// buttons, lists shared through `sync`, the WPDS linked pairs, and the failures.

#include "controls/sortedcombobox.h"
#include "core/cp1252.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"
#include "userdata/userdatastore.h"
#include "userdata/userproperties.h"

#include <QComboBox>
#include <QProcess>
#include <QWidget>
#include <QtTest>

using namespace Brenvik;

namespace {

QStringList items(const QComboBox *box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

const QString kStore = "[sync]\nweldingProcess1=process\nWeldingProcess2=PROCESS\nIFMPROCESS1=Process\n"
                       "[process]\nfixed1=GTAW\nfixed2=SAW\nuser1=FCAW\n"
                       "[WPDS_rev]\nuser1=0\nuser2=1\n";

// A window with its boxes, as a document window hands them over.
struct Window {
    QWidget widget;
    QList<QComboBox *> boxes;
    QComboBox *add(const QString &name)
    {
        auto *box = new QComboBox(&widget);
        box->setObjectName(name);
        box->setEditable(true);
        boxes << box;
        return box;
    }
};

} // namespace

class TestUserProperties : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadKeepsTheText();
    void missingStoreOnePerCall();
    void saveRefillsSharedBoxes_data();
    void saveRefillsSharedBoxes();
    void emptyTextDoesNothing();
    void linkedPairs();
    void linkedPairsStepByStep();
    void refusedWrite();
    void textTheStoreCannotHold();
};

void TestUserProperties::loadKeepsTheText()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kStore));
    Window w;
    QComboBox *p1 = w.add("weldingProcess1");
    QComboBox *rev = w.add("rev");
    QComboBox *other = w.add("nothingStored");
    other->addItems({"design", "time"});
    p1->setEditText("typed");
    int changes = 0;
    connect(p1, &QComboBox::currentTextChanged, this, [&] { ++changes; });
    UserProperties::loadAll("WPDS", w.boxes);
    QCOMPARE(items(p1), (QStringList{"GTAW", "SAW", "FCAW"}));
    QCOMPARE(p1->currentText(), QString("typed"));
    QCOMPARE(changes, 0); // a refill is no edit: the document stays unchanged
    QCOMPARE(p1->maxVisibleItems(), 3);
    QCOMPARE(items(rev), (QStringList{"0", "1"}));
    QVERIFY(items(other).isEmpty()); // the store's (empty) list replaces the design-time one
    QVERIFY(platform.messages.isEmpty());

    UserProperties::loadUserProperty("WPDS", rev);
    QCOMPARE(items(rev), (QStringList{"0", "1"}));

    // The windows' own boxes show the list sorted without regard to case, typed text kept.
    auto *sorted = new SortedComboBox(&w.widget);
    sorted->setObjectName("IFMProcess1");
    sorted->setEditText("Typed");
    UserProperties::loadUserProperty("WPDS", sorted);
    QCOMPARE(items(sorted), (QStringList{"FCAW", "GTAW", "SAW"}));
    QCOMPARE(sorted->currentText(), QString("Typed"));
}

void TestUserProperties::missingStoreOnePerCall()
{
    ScriptedPlatform platform;
    TempData data(false);
    Window w;
    for (int i = 0; i < 40; ++i)
        w.add("box" + QString::number(i))->addItems({"N/A", "No", "Yes"});
    UserProperties::loadAll("PQR", w.boxes);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.at(0).text.endsWith(" is missing. Operation aborted."));
    QCOMPARE(items(w.boxes.at(0)), (QStringList{"N/A", "No", "Yes"})); // design-time list stays

    w.boxes.at(0)->setEditText("value");
    UserProperties::saveUserProperty("PQR", w.boxes.at(0), w.boxes);
    UserProperties::delUserProperty("PQR", w.boxes.at(0), w.boxes);
    QCOMPARE(platform.messages.size(), 3);
    UserProperties::mergeUserProperties("A B");
    UserProperties::intersectUserProperties("A B");
    QCOMPARE(platform.messages.size(), 3);
    QVERIFY(!QFile::exists(data.file("zoru.dat")));
}

void TestUserProperties::saveRefillsSharedBoxes_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shared");
    QTest::newRow("save new") << true << "MCAW" << QStringList{"GTAW", "SAW", "FCAW", "MCAW"};
    QTest::newRow("save other case") << true << "gtaw" << QStringList{"GTAW", "SAW", "FCAW", "gtaw"};
    QTest::newRow("save existing") << true << "SAW" << QStringList{"GTAW", "SAW", "FCAW"};
    QTest::newRow("delete user") << false << "FCAW" << QStringList{"GTAW", "SAW"};
    QTest::newRow("delete fixed") << false << "GTAW" << QStringList{"GTAW", "SAW", "FCAW"};
}

void TestUserProperties::saveRefillsSharedBoxes()
{
    QFETCH(bool, save);
    QFETCH(QString, text);
    QFETCH(QStringList, shared);
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kStore));
    Window w;
    QComboBox *p1 = w.add("weldingProcess1");
    QComboBox *p2 = w.add("weldingProcess2");
    QComboBox *f1 = w.add("IFMProcess1");
    QComboBox *rev = w.add("rev");
    UserProperties::loadAll("WPDS", w.boxes);
    rev->setEditText("kept");
    p2->setEditText(text);
    if (save)
        UserProperties::saveUserProperty("WPDS", p2, w.boxes);
    else
        UserProperties::delUserProperty("WPDS", p2, w.boxes);
    QCOMPARE(items(p1), shared);
    QCOMPARE(items(p2), shared);
    QCOMPARE(items(f1), shared);
    QCOMPARE(items(rev), (QStringList{"0", "1"}));
    QCOMPARE(p2->currentText(), text);
    QCOMPARE(rev->currentText(), QString("kept"));
    QVERIFY(platform.messages.isEmpty());
}

void TestUserProperties::emptyTextDoesNothing()
{
    ScriptedPlatform platform;
    TempData data(false); // no store: an empty text does not even look for it
    Window w;
    QComboBox *box = w.add("rev");
    UserProperties::saveUserProperty("WPDS", box, w.boxes);
    UserProperties::delUserProperty("WPDS", box, w.boxes);
    QVERIFY(platform.messages.isEmpty());
}

void TestUserProperties::linkedPairs()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini("[WPDS_weldingProcess1]\nuser1=SMAW\n[WPDS_weldingProcess2]\nuser1=GMAW\n"));
    Window w;
    QComboBox *p1 = w.add("weldingProcess1");
    QComboBox *p2 = w.add("weldingProcess2");
    UserProperties::loadAll("WPDS", w.boxes);
    const QString pair = "WPDS_weldingProcess1\tWPDS_weldingProcess2";

    p2->setEditText("FCAW");
    QVERIFY(UserProperties::saveLinkedPair("WPDS", p2, p1, p2, pair, w.boxes));
    QCOMPARE(items(p1), (QStringList{"SMAW", "GMAW", "FCAW"}));
    QCOMPARE(items(p2), (QStringList{"SMAW", "GMAW", "FCAW"}));

    p1->setEditText("FCAW");
    QVERIFY(UserProperties::delLinkedPair("WPDS", p1, p1, p2, pair, w.boxes));
    QCOMPARE(items(p1), (QStringList{"SMAW", "GMAW"}));
    QCOMPARE(items(p2), (QStringList{"SMAW", "GMAW"}));
    QCOMPARE(p1->currentText(), QString("FCAW"));
    QVERIFY(platform.messages.isEmpty());
}

// The same pair driven as the window's handlers call the functions one by one.
void TestUserProperties::linkedPairsStepByStep()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini("[sync]\n"));
    Window w;
    QComboBox *g1 = w.add("shieldingGasType1");
    QComboBox *g2 = w.add("shieldingGasType2");
    const QString pair = "WPDS_shieldingGasType1 WPDS_shieldingGasType2";
    g2->setEditText("75% Ar / 25% CO2");
    UserProperties::saveUserProperty("WPDS", g2, w.boxes);
    UserProperties::mergeUserProperties(pair);
    UserProperties::loadUserProperty("WPDS", g1);
    UserProperties::loadUserProperty("WPDS", g2);
    QCOMPARE(items(g1), QStringList{"75% Ar / 25% CO2"});
    QCOMPARE(items(g2), QStringList{"75% Ar / 25% CO2"});
    g1->setEditText("75% Ar / 25% CO2");
    UserProperties::delUserProperty("WPDS", g1, w.boxes);
    UserProperties::intersectUserProperties(pair);
    UserProperties::loadUserProperty("WPDS", g1);
    UserProperties::loadUserProperty("WPDS", g2);
    QVERIFY(items(g1).isEmpty());
    QVERIFY(items(g2).isEmpty());
    QVERIFY(platform.messages.isEmpty());
}

void TestUserProperties::refusedWrite()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kStore));
    const QByteArray before = data.read("zoru.dat");
    Window w;
    QComboBox *p1 = w.add("weldingProcess1");
    QComboBox *p2 = w.add("weldingProcess2");
    UserProperties::loadAll("WPDS", w.boxes);
    if (QProcess::execute("chattr", {"+i", data.path()}) != 0)
        QSKIP("chattr is not available here");
    p1->setEditText("MCAW");
    UserProperties::saveUserProperty("WPDS", p1, w.boxes);
    p1->setEditText("FCAW");
    const bool pair = UserProperties::delLinkedPair("WPDS", p1, p1, p2, "A B", w.boxes);
    QProcess::execute("chattr", {"-i", data.path()});
    QVERIFY(!pair);
    QCOMPARE(platform.messages.size(), 2); // one per click, the pair's second step not run
    QVERIFY(platform.messages.at(0).text.startsWith("Unable to write to "));
    QCOMPARE(data.read("zoru.dat"), before);
    QCOMPARE(items(p2), (QStringList{"GTAW", "SAW", "FCAW"}));
}

void TestUserProperties::textTheStoreCannotHold()
{
    ScriptedPlatform platform;
    TempData data(false);
    data.write("zoru.dat", ini(kStore));
    const QByteArray before = data.read("zoru.dat");
    Window w;
    QComboBox *rev = w.add("rev");
    rev->setEditText(QString::fromUtf8("Rev \u0394"));
    UserProperties::saveUserProperty("WPDS", rev, w.boxes);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.at(0).text.contains(QString::fromUtf8("\u0394")));
    QCOMPARE(data.read("zoru.dat"), before);
    QCOMPARE(rev->currentText(), QString::fromUtf8("Rev \u0394"));
}

QTEST_MAIN(TestUserProperties)
#include "tst_userproperties.moc"
