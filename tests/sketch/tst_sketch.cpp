// The sketch library: value sets saved, recalled and deleted in a library of a temporary
// folder, the « repeat, the failures the dialog reports, OK and Cancel into the document
// windows, and the shipped library with its build-time pictures.

#include "controls/typedgrid.h"
#include "core/appstate.h"
#include "core/cp1252.h"
#include "core/picture.h"
#include "core/profilefile.h"
#include "document/imagegroup.h"
#include "core/documentwindow.h"
#include "document/formwindow.h"
#include "forms/formregistry.h"
#include "sketch/sketchlibrary.h"
#include "sketch/sketchvalues.h"
#include "sketch/tsketchedit.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Brenvik;

namespace {

// Two sketches; "Butt" has the pictures, "Tee" a picture stored under another extension.
QString library(const QString &numSketch = "2", const QString &locations = "10 10 60 10 110 10 10 60")
{
    return "[general]\nnumSketch=" + numSketch
        + "\n[sketch1]\nsketchName=Tee\nimage=tee.pic\nimage_s=tee_s.pic\nsketchParameter=S T\n"
          "paraLocation=10 10 60 10\nnote=Fillet both sides\n"
          "[sketch2]\nsketchName=Butt\nimage=butt.bmp\nimage_s=butt_s.bmp\nsketchParameter=R f a \u00ABa\n"
          "paraLocation=" + locations + "\nnote=Groove angle 60 deg\n";
}

QByteArray bitmap(QColor colour)
{
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void writeLibrary(const TempData &data, const QString &text = library())
{
    data.write("zordrw.dat", ini(text));
    data.write("butt.bmp", bitmap(Qt::white));
    data.write("butt_s.bmp", bitmap(Qt::yellow));
    data.write("tee.pic", bitmap(Qt::white));
    data.write("tee_s.pic", bitmap(Qt::cyan));
}

// True when the picture has black (value text) pixels inside rect.
bool inked(const QImage &image, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

struct Dialog {
    TsketchEdit dlg;
    QComboBox *names() { return dlg.findChild<QComboBox *>("sketchName"); }
    QComboBox *topic() { return dlg.findChild<QComboBox *>("parameterTopic"); }
    TypedGrid *grid() { return dlg.findChild<TypedGrid *>("sketchParameter"); }
    void choose(const QString &name) { names()->setCurrentIndex(names()->findText(name)); }
    void setValues(const QStringList &values)
    {
        for (int r = 0; r < values.size(); ++r)
            grid()->setCell(r, 1, values.at(r));
    }
    QStringList values() { return grid()->columnTexts(1); }
    void setTopic(const QString &name) { topic()->setEditText(name); }
    QStringList topics()
    {
        QStringList r;
        for (int i = 0; i < topic()->count(); ++i)
            r << topic()->itemText(i);
        return r;
    }
};

QString stored(const TempData &data, const QString &key)
{
    ProfileFile file(data.file("zordrw.dat"));
    file.load();
    return file.value("sketch2", key);
}

} // namespace

class TestSketch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valueText_data();
    void valueText();
    void saveRecallDelete();
    void noFixedLimits();
    void recallAsksBeforeOverwriting_data();
    void recallAsksBeforeOverwriting();
    void failuresAreReported_data();
    void failuresAreReported();
    void picturesAreReadInPlace();
    void charactersTheLibraryCannotKeep();
    void okHandsThePictureBack_data();
    void okHandsThePictureBack();
    void shippedLibraryIsWhole();
};

void TestSketch::valueText_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("recalled");
    QTest::newRow("all filled") << "R f a" << QStringList{"2", "1.5", "60"} << "2¦1.5¦60¦"
                                << QStringList{"2", "1.5", "60"};
    QTest::newRow("two empty") << "R f a" << QStringList{"", "1.5", ""} << "_¦1.5¦_¦" << QStringList{"", "1.5", ""};
    QTest::newRow("repeat stores its value") << "R a \u00ABa" << QStringList{"3", "45"} << "3¦45¦45¦"
                                             << QStringList{"3", "45", "45"};
    QTest::newRow("separator typed into a cell") << "R f" << QStringList{"2\u00A63", "1"} << "2|3¦1¦"
                                                 << QStringList{"2|3", "1"};
}

void TestSketch::valueText()
{
    QFETCH(QString, words);
    QFETCH(QStringList, cells);
    QFETCH(QString, stored);
    QFETCH(QStringList, recalled);
    const QString text = SketchValues::encode(SketchValues::words(words), cells);
    QCOMPARE(text, stored);
    QCOMPARE(SketchValues::decode(text), recalled);
}

void TestSketch::saveRecallDelete()
{
    ScriptedPlatform platform;
    TempData data(false);
    writeLibrary(data);
    Dialog d;
    QCOMPARE(d.names()->currentIndex(), -1);
    QCOMPARE(d.names()->count(), 2);
    QCOMPARE(d.names()->itemText(0), QString("Butt")); // sorted
    d.choose("Butt");
    QCOMPARE(d.grid()->columnTexts(0), QStringList({"R", "f", "a"}));

    for (const QString &name : QStringList{"first", "second", "third"}) {
        d.setValues({name.left(1), "", "60"});
        d.setTopic(name);
        d.dlg.saveParaClick();
    }
    QCOMPARE(d.topics(), QStringList({"first", "second", "third"}));
    QCOMPARE(stored(data, "user2"), QString("s¦_¦60¦60¦"));

    // Saving under an existing name replaces that set's values.
    d.setValues({"9", "1", "45"});
    d.setTopic("second");
    d.dlg.saveParaClick();
    QCOMPARE(stored(data, "userTopic2"), QString("second"));
    QCOMPARE(stored(data, "user2"), QString("9¦1¦45¦45¦"));
    QVERIFY(stored(data, "userTopic4").isEmpty());

    // Deleting the first of three renumbers the other two from 1.
    d.setTopic("first");
    platform.queueConfirm(true);
    d.dlg.DeleteParaClick();
    QCOMPARE(platform.messages.last().caption, QString("Confirmation"));
    QCOMPARE(platform.messages.last().text, QString("Delete parameter set \"first\"?"));
    QCOMPARE(stored(data, "userTopic1"), QString("second"));
    QCOMPARE(stored(data, "user1"), QString("9¦1¦45¦45¦"));
    QCOMPARE(stored(data, "userTopic2"), QString("third"));
    QVERIFY(stored(data, "userTopic3").isEmpty());
    QVERIFY(stored(data, "user3").isEmpty());
    QCOMPARE(d.topics(), QStringList({"second", "third"}));
    QCOMPARE(d.values(), QStringList({"", "", ""}));

    // A fresh dialog reads them back; empty cells stay empty.
    Dialog again;
    again.choose("Butt");
    again.setTopic("third");
    again.dlg.parameterTopicChange();
    QCOMPARE(again.values(), QStringList({"t", "", "60"}));
    QVERIFY(platform.unexpected.isEmpty());
}

void TestSketch::noFixedLimits()
{
    ScriptedPlatform platform;
    TempData data(false);
    QString sets;
    for (int k = 1; k <= 150; ++k)
        sets += QString("userTopic%1=set %1\nuser%1=%1\u00A6_\u00A6_\u00A6_\u00A6\n").arg(k);
    writeLibrary(data, library() + sets);
    Dialog d;
    d.choose("Butt");
    QCOMPARE(d.topics().size(), 150);
    d.dlg.show();
    d.setTopic("set 150");
    QTest::keyClick(d.topic(), Qt::Key_Return); // recalls, and leaves the dialog open
    QCOMPARE(d.values().first(), QString("150"));
    QVERIFY(d.dlg.isVisible());
    d.setTopic("one more");
    d.dlg.saveParaClick();
    QCOMPARE(stored(data, "userTopic151"), QString("one more"));

    QStringList words;
    for (int i = 0; i < 250; ++i)
        words << QString("L%1").arg(i);
    QCOMPARE(SketchValues::gridLabels(words).size(), 250);
    QCOMPARE(SketchValues::place(words, QString("1 2 ").repeated(250), {}).size(), 250);
    QVERIFY(platform.messages.isEmpty());
}

void TestSketch::recallAsksBeforeOverwriting_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<QStringList>("after");
    QTest::newRow("empty grid, no question") << QStringList{"", "", ""} << -1 << QStringList{"4", "2", "30"};
    QTest::newRow("overwrite") << QStringList{"1", "", ""} << 1 << QStringList{"4", "2", "30"};
    QTest::newRow("cancel keeps the grid") << QStringList{"1", "", ""} << 0 << QStringList{"1", "", ""};
}

void TestSketch::recallAsksBeforeOverwriting()
{
    QFETCH(QStringList, before);
    QFETCH(int, answer);
    QFETCH(QStringList, after);
    ScriptedPlatform platform;
    TempData data(false);
    writeLibrary(data, library() + "userTopic1=Plate 10\nuser1=4¦2¦30¦30¦\n");
    Dialog d;
    d.choose("Butt");
    d.setValues(before);
    if (answer >= 0)
        platform.queueConfirm(answer == 1);
    d.setTopic("Plate 10");
    d.dlg.parameterTopicChange();
    QCOMPARE(d.values(), after);
    QCOMPARE(platform.messages.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(platform.messages.first().caption, QString("Warning"));
        QCOMPARE(platform.messages.first().text, QString("Overwrite existing dimensional data?"));
    }
}

void TestSketch::failuresAreReported_data()
{
    QTest::addColumn<QString>("libraryText"); // empty: no library at all
    QTest::addColumn<QString>("removedPicture");
    QTest::addColumn<bool>("valuesView");
    QTest::addColumn<QString>("expected"); // with %1 for the folder
    QTest::addColumn<int>("sketches");
    QTest::newRow("no library") << QString() << QString() << false << "Cannot locate file:%1zordrw.dat." << 0;
    QTest::newRow("numSketch not a number")
        << library("two") << QString() << false
        << "The sketch library %1zordrw.dat holds \"two\" under numSketch in [general], which is not a whole number."
        << 0;
    // A damaged count is refused as the curve file's are, before any name is read.
    for (const char *count : {"2000000000", "-5", "1001"})
        QTest::newRow(qPrintable(QString("numSketch %1").arg(count)))
            << library(count) << QString() << false
            << QString("The sketch library %1zordrw.dat holds %2 under numSketch in [general]; it can list 0 to "
                       "1000 sketches.").arg("%1", count)
            << 0;
    QTest::newRow("paraLocation not a number")
        << library("2", "10 10 6O 10") << QString() << true
        << "The sketch library %1zordrw.dat holds \"6O\" under paraLocation in [sketch2], which is not a whole number."
        << 2;
    QTest::newRow("notation picture missing") << library() << "butt_s.bmp" << false
                                              << "Cannot locate file:%1butt_s.bmp." << 2;
    QTest::newRow("values picture missing") << library() << "butt.bmp" << true << "Cannot locate file:%1butt.bmp."
                                            << 2;
}

void TestSketch::failuresAreReported()
{
    QFETCH(QString, libraryText);
    QFETCH(QString, removedPicture);
    QFETCH(bool, valuesView);
    QFETCH(QString, expected);
    QFETCH(int, sketches);
    ScriptedPlatform platform;
    TempData data(false);
    if (!libraryText.isEmpty())
        writeLibrary(data, libraryText);
    if (!removedPicture.isEmpty())
        QFile::remove(data.file(removedPicture));
    Dialog d;
    QCOMPARE(d.names()->count(), sketches);
    if (sketches) {
        d.choose("Butt");
        if (valuesView)
            d.dlg.imgTypeSwitchClick();
    }
    const QString folder = QDir::toNativeSeparators(data.path() + "/");
    QVERIFY2(platform.texts().contains(expected.arg(folder)), qPrintable(platform.texts().join("\n")));
    QCOMPARE(platform.messages.first().caption, QString("Error"));
    // Still usable: the buttons run without a crash and the dialog closes with nothing handed back.
    d.dlg.saveParaClick();
    d.dlg.imgTypeSwitchClick();
    d.dlg.OKBtnClick();
    QVERIFY(!d.dlg.handedBack());
}

void TestSketch::picturesAreReadInPlace()
{
    ScriptedPlatform platform;
    TempData data(false);
    writeLibrary(data);
    // A stray file of the old temporary-copy name must not be touched either.
    data.write("tee.bmp", "not mine");
    const QStringList before = QDir(data.path()).entryList(QDir::Files, QDir::Name);
    {
        Dialog d;
        d.choose("Tee");
        QCOMPARE(d.dlg.shownPicture().toImage().pixelColor(5, 5), QColor(Qt::cyan));
        d.dlg.imgTypeSwitchClick();
        d.choose("Butt");
        d.dlg.imgTypeSwitchClick();
        QVERIFY(!d.dlg.shownPicture().isNull());
    }
    QCOMPARE(QDir(data.path()).entryList(QDir::Files, QDir::Name), before);
    QCOMPARE(data.read("tee.bmp"), QByteArray("not mine"));
    QCOMPARE(data.read("butt.bmp"), bitmap(Qt::white));
    QVERIFY(platform.messages.isEmpty());
}

void TestSketch::charactersTheLibraryCannotKeep()
{
    ScriptedPlatform platform;
    TempData data(false);
    writeLibrary(data);
    const QByteArray before = data.read("zordrw.dat");
    Dialog d;
    d.choose("Butt");
    d.setValues({"2", "1", "60\u2009\u00B0"});
    d.setTopic("thin space");
    d.dlg.saveParaClick();
    QCOMPARE(platform.texts(),
             QStringList("These characters cannot be kept in the sketch library: \u2009. Nothing was saved."));
    QCOMPARE(data.read("zordrw.dat"), before);
}

void TestSketch::okHandsThePictureBack_data()
{
    // Every document window there is: the browser belongs to the framework they share.
    static const bool registered = (registerForms(), true);
    Q_UNUSED(registered);
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("valuesView");
    QTest::addColumn<QString>("holds"); // the box before: "blank", "own" picture, "sample", "own over sample"
    QTest::addColumn<int>("answer");    // to the replace question; -1: none asked
    for (const QString &type : DocumentRegistry::instance().types()) {
        QTest::addRow("%s OK, notation", qPrintable(type)) << type << true << false << "blank" << -1;
        QTest::addRow("%s OK, values", qPrintable(type)) << type << true << true << "blank" << -1;
        QTest::addRow("%s Cancel", qPrintable(type)) << type << false << true << "blank" << -1;
    }
    // The document's own detailed sketch is replaced only when the user says so.
    const QString type = DocumentRegistry::instance().types().first();
    QTest::newRow("own sketch, Yes replaces it") << type << true << true << "own" << 1;
    QTest::newRow("own sketch, No keeps it, dialog stays") << type << true << false << "own" << 0;
    QTest::newRow("Cancel asks nothing") << type << false << false << "own" << -1;
    QTest::newRow("a sample put there before, no question") << type << true << true << "sample" << -1;
    QTest::newRow("own picture pasted over a sample") << type << true << true << "own over sample" << 1;
}

void TestSketch::okHandsThePictureBack()
{
    QFETCH(QString, type);
    QFETCH(bool, ok);
    QFETCH(bool, valuesView);
    QFETCH(QString, holds);
    QFETCH(int, answer);
    ScriptedPlatform platform;
    TempData data(true);
    writeLibrary(data);
    std::unique_ptr<FormWindow> owner(dynamic_cast<FormWindow *>(DocumentRegistry::instance().create(type, nullptr)));
    QVERIFY(owner);
    FormWindow &window = *owner;
    ImageGroup *group = window.imageGroup();
    QImage drawn(200, 100, QImage::Format_RGB32);
    drawn.fill(Qt::darkBlue);
    if (holds != "blank")
        group->setPicture(Picture::fromImage(drawn));
    if (holds.contains("sample"))
        group->setSampleSketchRevision(group->pictureRevision());
    if (holds == "own over sample")
        group->setPicture(Picture::fromImage(drawn.mirrored()));
    if (answer >= 0)
        platform.queueYesNo(answer == 1);
    const bool handedBack = ok && answer != 0;
    const Picture before = group->picture();
    AppState::instance().setChanged(false);
    FormWindow::setSketchBrowser(&TsketchEdit::browse);

    QImage shown;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<TsketchEdit *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        auto *names = dlg->findChild<QComboBox *>("sketchName");
        names->setCurrentIndex(names->findText("Butt"));
        dlg->findChild<TypedGrid *>("sketchParameter")->setCell(2, 1, "60");
        if (valuesView)
            dlg->imgTypeSwitchClick();
        shown = dlg->shownPicture().toImage();
        dlg->findChild<QPushButton *>(ok ? "OKBtn" : "cancelBtn")->click();
        QCOMPARE(dlg->isVisible(), ok && !handedBack);
        if (dlg->isVisible())
            dlg->findChild<QPushButton *>("cancelBtn")->click();
    });
    window.openSketchBrowserClick();
    FormWindow::setSketchBrowser({});

    const Picture after = group->picture();
    QCOMPARE(AppState::instance().changed(), handedBack);
    QCOMPARE(group->imageIfResize()->isChecked(), handedBack);
    QCOMPARE(after.toImage() == before.toImage(), !handedBack);
    if (answer >= 0) {
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.first().kind, QStringLiteral("askYesNo"));
        platform.messages.clear();
    }
    QVERIFY(platform.unexpected.isEmpty());
    if (handedBack) {
        QCOMPARE(after.toImage().convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32));
        // The values view hands back the picture with the value drawn at a's place; the
        // repeat «a draws it a second time.
        QCOMPARE(inked(after.toImage(), QRect(110, 10, 30, 26)), valuesView);
        QCOMPARE(inked(after.toImage(), QRect(10, 60, 30, 26)), valuesView);
    }
    QVERIFY2(platform.messages.isEmpty(), qPrintable(platform.texts().join("\n")));
}

// The shipped pictures are made at build time by sketchpicture from the drawings: each one
// loads, and the values picture has its letters taken out, leaving room for every value.
void TestSketch::shippedLibraryIsWhole()
{
    const QString folder = QString::fromLocal8Bit(qgetenv("BRENVIK_DATA"));
    SketchLibrary lib(QDir(folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder).filePath("zordrw.dat"));
    QVERIFY(lib.read());
    QString error;
    const QStringList names = lib.sketchNames(&error);
    QVERIFY(error.isEmpty());
    QVERIFY(names.size() >= 12);
    for (const QString &name : names) {
        const SketchLibrary::Sketch s = lib.sketch(name);
        QVERIFY2(!s.note.isEmpty(), qPrintable(name));
        Picture values, notation;
        QVERIFY2(values.load(lib.picturePath(s.image)), qPrintable(s.image));
        QVERIFY2(notation.load(lib.picturePath(s.notationImage)), qPrintable(s.notationImage));
        const QStringList words = SketchValues::words(s.parameters);
        QStringList cells(words.size(), "888");
        QString bad;
        const auto placed = SketchValues::place(words, s.locations, cells, &bad);
        QVERIFY2(bad.isEmpty(), qPrintable(name));
        QCOMPARE(placed.size(), words.size());
        // Every value has room on the picture and its spot is free of the drawing.
        const QRect picture(QPoint(0, 0), values.size());
        for (const auto &p : placed) {
            const QRect spot(p.at, QSize(40, 24));
            QVERIFY2(picture.contains(spot), qPrintable(name + " " + p.label));
            QVERIFY2(!inked(values.toImage(), spot.adjusted(2, 2, -2, -2)), qPrintable(name + " " + p.label));
        }
    }
}

QTEST_MAIN(TestSketch)
#include "tst_sketch.moc"
