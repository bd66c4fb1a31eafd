// The image group driven as a user would, with every dialog, clipboard and help call scripted.

#include "core/appstate.h"
#include "controls/alignededit.h"
#include "document/imagegroup.h"
#include "support/scriptedplatform.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(Brenvik::Picture)

using namespace Brenvik;

namespace {

QImage drawing(int w = 60, int h = 30)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::black);
    return image;
}

Picture metafilePicture()
{
    return Picture::fromMetafile(Picture::fromImage(drawing()).toEmf());
}

} // namespace

class TestImageGroup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void controlsCarryTheirNamesAndTexts_data();
    void controlsCarryTheirNamesAndTexts();
    void noteHasItsFourLines();
    void clearedBoxIsWhite();
    void importLoadsAndRemembersName();
    void importCancelledChangesNothing();
    void importOfUnreadableFileKeepsPicture();
    void exportProposes_data();
    void exportProposes();
    void exportWritesByExtension_data();
    void exportWritesByExtension();
    void exportFailureIsReported_data();
    void exportFailureIsReported();
    void copyPutsBitmapAndMetafile();
    void paste_data();
    void paste();
    void browseSource_data();
    void browseSource();
    void openEditHandsTextToShell();
    void tipsShowTheirHelp();
    void resizeFitsPictureToBox();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    void click(ImageGroup &group, const char *name);
    QTemporaryDir m_dir;
};

void TestImageGroup::init()
{
    AppState::instance().setChanged(false);
}

QString TestImageGroup::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

void TestImageGroup::click(ImageGroup &group, const char *name)
{
    auto *button = group.findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

void TestImageGroup::controlsCarryTheirNamesAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::newRow("copy") << "imageCopytoClipboard" << "" << "Copy to Clipboard";
    QTest::newRow("paste") << "imagePasteFromClipboard" << "" << "Paste from Clipboard";
    QTest::newRow("export") << "exportImage" << "" << "Export to file";
    QTest::newRow("import") << "importImage" << "" << "Import from file";
    QTest::newRow("tips 1501") << "helpSketch" << "" << "Tips";
    QTest::newRow("tips 1503") << "SpeedButton1" << "" << "Tips";
    QTest::newRow("resize") << "imageIfResize" << "Resize Image" << "";
    QTest::newRow("samples") << "openSketchBrowser" << "Browse ..." << "";
    QTest::newRow("source browse") << "browseImageSource" << "Browse ..." << "";
    QTest::newRow("source open") << "editImageSource" << "Open/Edit" << "";
}

void TestImageGroup::controlsCarryTheirNamesAndTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    ImageGroup group(QStringLiteral("Joint Configuration,  Pass/Layer Sequence"));
    auto *b = group.findChild<QAbstractButton *>(name);
    QVERIFY(b);
    if (!text.isEmpty())
        QCOMPARE(b->text(), text);
    QCOMPARE(b->toolTip(), hint);
    if (!hint.isEmpty())
        QVERIFY(!b->icon().isNull());
}

void TestImageGroup::noteHasItsFourLines()
{
    ImageGroup group(QStringLiteral("x"));
    QCOMPARE(group.imageIfResize()->objectName(), QStringLiteral("imageIfResize"));
    QCOMPARE(group.imageSourceFile()->objectName(), QStringLiteral("imageSourceFile"));
    QCOMPARE(group.weldImage()->objectName(), QStringLiteral("weldImage"));
    auto *memo = group.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(memo);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')),
             QStringList({"If there is a source image file for the ", "picture displayed on the left,  this ",
                          "reference can be used to link the ", "source image file."}));
    QCOMPARE(group.findChild<QGroupBox *>(QStringLiteral("sampleDrawingsGroup"))->title(),
             QStringLiteral(" Sample Joint Drawings "));
    QCOMPARE(group.findChild<QGroupBox *>(QStringLiteral("externalImageGroup"))->title(),
             QStringLiteral(" Reference to External Image "));
}

void TestImageGroup::clearedBoxIsWhite()
{
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(Picture::fromImage(drawing()));
    group.clearPicture();
    const QImage image = group.picture().toImage();
    QCOMPARE(image.size(), ImageGroup::boxSize());
    QVERIFY(!group.picture().isMetafile());
    QVERIFY(!group.picture().isNonEmptyBitmap());
    QCOMPARE(image.pixel(0, 0) | 0xFF000000u, qRgb(255, 255, 255));
}

void TestImageGroup::importLoadsAndRemembersName()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    QSignalSpy changed(&group, &ImageGroup::changed);
    const QString bmp = writeFile(QStringLiteral("butt-v.bmp"), Picture::fromImage(drawing()).toBmp());
    const QString emf = writeFile(QStringLiteral("fillet.emf"), metafilePicture().toEmf());

    platform.queueFile(bmp);
    click(group, "importImage");
    QCOMPARE(platform.dialogs.size(), 1);
    QCOMPARE(platform.dialogs[0].filter, QStringLiteral("Image files|*.bmp;*.emf|Windows bitmap files|*.bmp|"
                                                        "Windows metafiles|*.emf|All files|*.*"));
    QCOMPARE(group.picture().size(), QSize(60, 30));
    QCOMPARE(group.imageFile(), QStringLiteral("butt-v.bmp"));
    // Unsaved work: closing must ask.
    QVERIFY(AppState::instance().changed());
    QCOMPARE(changed.count(), 1);

    platform.queueFile(emf);
    click(group, "importImage");
    QVERIFY(group.picture().isMetafile());
    QCOMPARE(group.imageFile(), QStringLiteral("fillet.emf"));
    QVERIFY(platform.messages.size() == 2 && platform.unexpected.isEmpty());
}

void TestImageGroup::importCancelledChangesNothing()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setImageFile(QStringLiteral("before.bmp"));
    platform.queueFile(QString());
    click(group, "importImage");
    QCOMPARE(group.imageFile(), QStringLiteral("before.bmp"));
    QCOMPARE(group.picture().size(), ImageGroup::boxSize());
    QVERIFY(!AppState::instance().changed());
}

void TestImageGroup::importOfUnreadableFileKeepsPicture()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(Picture::fromImage(drawing()));
    group.setImageFile(QStringLiteral("before.bmp"));
    QByteArray broken = metafilePicture().toEmf();
    broken.truncate(broken.size() / 2);
    for (const QString &path : {writeFile(QStringLiteral("text.bmp"), "just some text"),
                                writeFile(QStringLiteral("cut.emf"), broken)}) {
        platform.clear();
        platform.queueFile(path);
        click(group, "importImage");
        QCOMPARE(platform.messages.size(), 2);
        QCOMPARE(platform.messages[1].icon, MsgIcon::Error);
        QVERIFY(!platform.messages[1].text.isEmpty());
        QCOMPARE(group.picture().size(), QSize(60, 30));
        QCOMPARE(group.imageFile(), QStringLiteral("before.bmp"));
        QVERIFY(!AppState::instance().changed());
    }
}

void TestImageGroup::exportProposes_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<int>("filterIndex");
    QTest::newRow("drawn bitmap: bmp, second filter") << Picture::fromImage(drawing()) << 2;
    QTest::newRow("blank box: as it was") << Picture::blank(QSize(20, 20)) << 1;
    QTest::newRow("metafile: as it was") << metafilePicture() << 1;
}

void TestImageGroup::exportProposes()
{
    QFETCH(Picture, picture);
    QFETCH(int, filterIndex);
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(picture);
    platform.queueFile(QString());
    click(group, "exportImage");
    QCOMPARE(platform.dialogs.size(), 1);
    const FileDialogOptions &o = platform.dialogs[0];
    QCOMPARE(o.filter, QStringLiteral("Window Meta File|*.emf|Bitmap file|*.bmp"));
    QCOMPARE(o.defaultSuffix, QStringLiteral("bmp"));
    QVERIFY(o.overwritePrompt);
    QCOMPARE(o.filterIndex, filterIndex);
    QVERIFY(platform.messages.size() == 1); // cancelled: nothing written, nothing said
}

void TestImageGroup::exportWritesByExtension_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("bitmap as bmp") << Picture::fromImage(drawing()) << "a.bmp" << QByteArray("BM");
    QTest::newRow("bitmap as emf") << Picture::fromImage(drawing()) << "b.emf" << QByteArray("\x01\0\0\0", 4);
    QTest::newRow("metafile as emf") << metafilePicture() << "c.emf" << QByteArray("\x01\0\0\0", 4);
    QTest::newRow("metafile as bmp") << metafilePicture() << "d.bmp" << QByteArray("BM");
}

void TestImageGroup::exportWritesByExtension()
{
    QFETCH(Picture, picture);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, magic);
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(picture);
    platform.queueFile(m_dir.filePath(fileName));
    click(group, "exportImage");
    QFile f(m_dir.filePath(fileName));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(magic.size()), magic);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(!AppState::instance().changed());
}

// The message says why, and a picture never replaces a document, whatever its name.
void TestImageGroup::exportFailureIsReported_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("there"); // what the file holds before and after
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << "missing-folder/x.bmp" << QByteArray() << ": No such file or directory";
    QTest::newRow("onto a document") << "doc.bmp" << QByteArray("[contents]\r\nformType=WPDS\r\n")
                                     << ": it is a welding report document";
}

void TestImageGroup::exportFailureIsReported()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, there);
    QFETCH(QString, reason);
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(Picture::fromImage(drawing()));
    const QString path = there.isEmpty() ? m_dir.filePath(fileName) : writeFile(fileName, there);
    platform.queueFile(path);
    click(group, "exportImage");
    QCOMPARE(platform.messages.size(), 2);
    QCOMPARE(platform.messages[1].icon, MsgIcon::Error);
    QCOMPARE(platform.messages[1].caption, QStringLiteral("Zor Error"));
    QVERIFY2(platform.messages[1].text.startsWith(QStringLiteral("Error in exporting image file.\r\n")),
             qPrintable(platform.messages[1].text));
    QVERIFY2(platform.messages[1].text.endsWith(reason), qPrintable(platform.messages[1].text));
    QFile f(path);
    QCOMPARE(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), there);
}

void TestImageGroup::copyPutsBitmapAndMetafile()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.setPicture(Picture::fromImage(drawing()));
    click(group, "imageCopytoClipboard");
    QCOMPARE(platform.clipboardImage.size(), QSize(60, 30));
    QVERIFY(platform.clipboardEmf.isEmpty());

    const Picture meta = metafilePicture();
    group.setPicture(meta);
    click(group, "imageCopytoClipboard");
    QCOMPARE(platform.clipboardImage.size(), QSize(60, 30));
    QCOMPARE(platform.clipboardEmf, meta.metafile());
    QVERIFY(!AppState::instance().changed());
}

void TestImageGroup::paste_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::addColumn<QByteArray>("emf");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("metafile");
    const QByteArray emf = metafilePicture().metafile();
    QTest::newRow("bitmap") << drawing() << QByteArray() << true << false;
    QTest::newRow("metafile") << QImage() << emf << true << true;
    QTest::newRow("both: the vectors") << drawing() << emf << true << true;
    QTest::newRow("damaged metafile falls back") << drawing() << emf.left(100) << true << false;
    QTest::newRow("nothing") << QImage() << QByteArray() << false << false;
    QTest::newRow("damaged metafile alone") << QImage() << emf.left(100) << false << false;
}

void TestImageGroup::paste()
{
    QFETCH(QImage, bitmap);
    QFETCH(QByteArray, emf);
    QFETCH(bool, taken);
    QFETCH(bool, metafile);
    ScriptedPlatform platform;
    platform.clipboardImage = bitmap;
    platform.clipboardEmf = emf;
    ImageGroup group(QStringLiteral("x"));
    QSignalSpy changed(&group, &ImageGroup::changed);
    click(group, "imagePasteFromClipboard");
    QCOMPARE(group.picture().size(), taken ? QSize(60, 30) : ImageGroup::boxSize());
    QCOMPARE(group.picture().isMetafile(), metafile);
    QCOMPARE(AppState::instance().changed(), taken);
    QCOMPARE(changed.count(), taken ? 1 : 0);
    QVERIFY(platform.messages.isEmpty());
}

void TestImageGroup::browseSource_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chosen") << "/drawings/joint 7.dwg" << "/drawings/joint 7.dwg";
    QTest::newRow("cancelled") << "" << "old.dwg";
}

void TestImageGroup::browseSource()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    group.imageSourceFile()->setText(QStringLiteral("old.dwg"));
    QSignalSpy changed(&group, &ImageGroup::changed);
    platform.queueFile(chosen);
    click(group, "browseImageSource");
    QCOMPARE(platform.dialogs.size(), 1);
    QVERIFY(platform.dialogs[0].filter.startsWith(QLatin1String("Image files|")));
    QCOMPARE(group.imageSourceFile()->text(), expected);
    QVERIFY(AppState::instance().changed()); // either way
    QCOMPARE(changed.count(), 1);
}

void TestImageGroup::openEditHandsTextToShell()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    click(group, "editImageSource");
    QVERIFY(platform.opened.isEmpty());
    const QString longName = QStringLiteral("/very long folder name/") + QString(300, QLatin1Char('x')) + ".dwg";
    group.imageSourceFile()->setText(longName);
    click(group, "editImageSource");
    QCOMPARE(platform.opened, QStringList{longName});
    QVERIFY(platform.messages.isEmpty());
}

void TestImageGroup::tipsShowTheirHelp()
{
    ScriptedPlatform platform;
    ImageGroup group(QStringLiteral("x"));
    QSignalSpy browser(&group, &ImageGroup::sketchBrowserRequested);
    click(group, "helpSketch");
    click(group, "SpeedButton1");
    click(group, "openSketchBrowser");
    QCOMPARE(platform.helpShown, QList<int>({1501, 1503}));
    QCOMPARE(browser.count(), 1);
}

void TestImageGroup::resizeFitsPictureToBox()
{
    ImageGroup group(QStringLiteral("x"));
    group.resize(900, 400);
    group.setPicture(Picture::fromImage(drawing(60, 30)));
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    auto *scroll = group.findChild<QScrollArea *>();
    QVERIFY(scroll);

    // Unstretched: the box keeps its own size, the drawing sits at the top-left at 60 x 30.
    QImage shot = group.weldImage()->grab().toImage();
    QCOMPARE(group.weldImage()->size(), ImageGroup::boxSize());
    QVERIFY(qGray(shot.pixel(20, 15)) < 64);
    QVERIFY(qGray(shot.pixel(20, 60)) > 192);

    group.imageIfResize()->setChecked(true);
    QApplication::processEvents();
    QCOMPARE(group.weldImage()->size(), scroll->viewport()->size());
    shot = group.weldImage()->grab().toImage();
    const QSize box = group.weldImage()->size();
    // Fitted 2:1 and centred: the left half of the box's middle row is black, the right white.
    QVERIFY(qGray(shot.pixel(box.width() / 4, box.height() / 2)) < 64);
    QVERIFY(qGray(shot.pixel(box.width() * 3 / 4, box.height() / 2)) > 192);
    // The picture itself is not changed by showing it bigger.
    QCOMPARE(group.picture().size(), QSize(60, 30));

    group.imageIfResize()->setChecked(false);
    QApplication::processEvents();
    QCOMPARE(group.weldImage()->size(), ImageGroup::boxSize());
}

QTEST_MAIN(TestImageGroup)
#include "tst_imagegroup.moc"
