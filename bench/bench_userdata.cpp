// Timings of the user-data store with a large zoru.dat: creating the WPDS window and filling
// 60 bare combo boxes (against an empty store), and saving one value with the
// refill of the boxes that share its list. Run by hand from <build>/bin:
//   QT_QPA_PLATFORM=offscreen ./bench_userdata

#include "core/cp1252.h"
#include "core/profilefile.h"
#include "forms/wpds/twpds.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "userdata/userdatastore.h"
#include "userdata/userproperties.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLockFile>
#include <QThread>
#include <QTextStream>
#include <QWidget>

#include <algorithm>
#include <memory>

using namespace Brenvik;

namespace {

// The WPDS window's combo boxes, then enough of the other forms' names to make 60.
const QStringList kBoxes = {
    "wpdsNo", "rev", "refStandards", "refWPQR", "refWPS", "position", "processMode1", "jointType", "penetration",
    "weldingProcess1", "weldingProcess2", "shieldingGasType1", "shieldingGasType2", "processMode2", "material",
    "thickness", "method", "depth", "TungstenElectrodeType", "diameter", "electrodeExtension", "nozzleDiameter",
    "fluxClassification", "IBMSpec1", "IBMThickness1", "IBMReq1", "IBMSpec2", "IBMThickness2", "IBMReq2",
    "IFMProcess1", "IFMTradeName1", "IFMClassification1", "IFMGroup1", "IFMFIllerTreatment1", "IFMProcess2",
    "IFMTradeName2", "IFMGroup2", "IFMClassification2", "IFMFIllerTreatment2", "welderName", "Witness", "wpsNo",
    "welderID", "weldingPosition", "specification1", "specification2", "grade1", "grade2", "BackgougingMethod",
    "BackgougingDepth", "weldingProcess", "ProcessMode", "tradeNameA", "manufacturerA", "tradeNameF",
    "manufacturerF", "shieldingGT", "nozzleSize", "flowRate", "currentType"};

// The shipped store plus about 1 MB of user entries spread over the lists the boxes use.
QByteArray bigStore(const QByteArray &shipped)
{
    UserDataStore s;
    s.read();
    QString text = Cp1252::decode(shipped);
    QStringList sections;
    for (const QString &name : kBoxes) {
        const QString section = s.listSection(QStringLiteral("WPDS"), name);
        if (!sections.contains(section, Qt::CaseInsensitive))
            sections << section;
    }
    const int perSection = 1000000 / 40 / int(sections.size());
    for (const QString &section : sections) {
        text += QStringLiteral("[%1]\r\n").arg(section);
        for (int i = 1; i <= perSection; ++i)
            text += QStringLiteral("user%1=%2 stored value number %3\r\n").arg(i).arg(section).arg(i);
    }
    return Cp1252::encode(text);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

// A new window: its boxes made and filled from one read of the store.
double createWindow(int rounds)
{
    QList<double> times;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        QWidget window;
        QList<QComboBox *> boxes;
        for (const QString &name : kBoxes) {
            auto *box = new QComboBox(&window);
            box->setObjectName(name);
            box->setEditable(true);
            boxes << box;
        }
        UserProperties::loadAll(QStringLiteral("WPDS"), boxes);
        times << t.nsecsElapsed() / 1e6;
    }
    return median(times);
}

// The WPDS window itself: made, filled from the store, reset, freed.
double createWpds(int rounds)
{
    QList<double> times;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        {
            TWPDS window;
        }
        times << t.nsecsElapsed() / 1e6;
    }
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    TempData data(true);
    QTextStream out(stdout);
    const QByteArray shipped = data.read(QStringLiteral("zoru.dat"));
    const QByteArray big = bigStore(shipped);

    data.write(QStringLiteral("zoru.dat"), QByteArray());
    createWindow(3);
    const double empty = createWindow(21);
    data.write(QStringLiteral("zoru.dat"), shipped);
    const double withShipped = createWindow(21);
    data.write(QStringLiteral("zoru.dat"), big);
    const double withBig = createWindow(21);
    data.write(QStringLiteral("zoru.dat"), QByteArray());
    createWpds(2);
    const double wpdsEmpty = createWpds(9);
    data.write(QStringLiteral("zoru.dat"), big);
    const double wpdsBig = createWpds(9);
    out << "store of " << big.size() << " bytes\n";
    out << "WPDS window, empty store:   " << wpdsEmpty << " ms\n";
    out << "WPDS window, 1 MB store:    " << wpdsBig << " ms (" << wpdsBig / wpdsEmpty << " x empty)\n";
    out << "60 boxes, empty store:      " << empty << " ms\n";
    out << "60 boxes, shipped store:    " << withShipped << " ms\n";
    out << "60 boxes, 1 MB store:       " << withBig << " ms (" << withBig / empty << " x empty)\n";

    // Saving one value through a box whose list is shared, then the refills.
    QWidget window;
    QList<QComboBox *> boxes;
    for (const QString &name : kBoxes) {
        auto *box = new QComboBox(&window);
        box->setObjectName(name);
        box->setEditable(true);
        boxes << box;
    }
    UserProperties::loadAll(QStringLiteral("WPDS"), boxes);
    QComboBox *process2 = window.findChild<QComboBox *>(QStringLiteral("weldingProcess2"));
    QList<double> saves;
    for (int i = 0; i < 21; ++i) {
        process2->setEditText(QStringLiteral("Process %1").arg(i));
        // A user's clicks come apart: the disk has settled the last write.
        QThread::msleep(200);
        QElapsedTimer t;
        t.start();
        UserProperties::saveUserProperty(QStringLiteral("WPDS"), process2, boxes);
        saves << t.nsecsElapsed() / 1e6;
    }
    out << "save one value and refill the shared boxes: " << median(saves) << " ms (median of 21)\n";
    for (const RecordedMessage &m : platform.messages)
        out << "message: " << m.text << "\n";

    // The parts of a fill: one read of the store, then the lists handed to the boxes.
    QList<double> reads, lists;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        UserDataStore store;
        store.read();
        reads << t.nsecsElapsed() / 1e6;
        t.restart();
        int n = 0;
        for (const QString &name : kBoxes)
            n += int(store.values(store.listSection(QStringLiteral("WPDS"), name)).size());
        lists << t.nsecsElapsed() / 1e6;
        Q_UNUSED(n);
    }
    QList<double> writes;
    for (int i = 0; i < 21; ++i) {
        UserDataStore store;
        QElapsedTimer t;
        t.start();
        store.saveValue(QStringLiteral("WPDS"), QStringLiteral("rev"), QStringLiteral("Rev %1").arg(i));
        writes << t.nsecsElapsed() / 1e6;
    }
    QList<double> lockedReads;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        ProfileFile::update(UserDataStore::defaultPath(), [](ProfileFile &) {});
        lockedReads << t.nsecsElapsed() / 1e6;
    }
    QList<double> locks;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer t;
        t.start();
        QLockFile lock(UserDataStore::defaultPath() + QStringLiteral(".bench"));
        lock.tryLock(1000);
        lock.unlock();
        locks << t.nsecsElapsed() / 1e6;
    }
    out << "a lock file taken and given back: " << median(locks) << " ms\n";
    out << "lock and read without a write: " << median(lockedReads) << " ms\n";
    out << "the locked rewrite of one value alone: " << median(writes) << " ms\n";
    out << "of which: read " << median(reads) << " ms, lists " << median(lists) << " ms\n";
    return 0;
}
