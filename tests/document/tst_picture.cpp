// The joint-sketch picture: bitmaps and metafiles in, bitmaps and metafiles out, by content.

#include "core/picture.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cstdlib>
#include <dlfcn.h>
#include <functional>

extern "C" {
#include <uemf.h>
}

using namespace Brenvik;

namespace {

using AddRecord = std::function<void(char *)>;

// A small metafile drawn with libuemf: a white frame 200 x 100 pixels (96 dpi) holding a solid
// black rectangle over its left half, then whatever more records the caller adds.
QByteArray makeEmf(int w = 200, int h = 100,
                   const std::function<void(const AddRecord &, EMFHANDLES *)> &more = {})
{
    QTemporaryFile scratch;
    if (!scratch.open())
        return QByteArray();
    const QByteArray name = QFile::encodeName(scratch.fileName());
    EMFTRACK *et = nullptr;
    EMFHANDLES *eht = nullptr;
    if (emf_start(name.constData(), 4096, 4096, &et) != 0)
        return QByteArray();
    emf_htable_create(16, 16, &eht);

    const U_RECTL bounds = rectl_set(pointl_set(0, 0), pointl_set(w - 1, h - 1));
    const U_RECTL frame = rectl_set(pointl_set(0, 0), pointl_set(w * 2540 / 96, h * 2540 / 96));
    const AddRecord add = [&](char *rec) {
        emf_append(reinterpret_cast<PU_ENHMETARECORD>(rec), et, U_REC_FREE);
    };
    add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(1024, 768),
                        sizel_set(271, 203), 0));
    uint32_t brush = 0, pen = 0;
    add(createbrushindirect_set(&brush, eht, logbrush_set(U_BS_SOLID, colorref3_set(0, 0, 0), 0)));
    add(selectobject_set(brush, eht));
    add(createpen_set(&pen, eht, logpen_set(U_PS_SOLID, point32_set(1, 1), colorref3_set(0, 0, 0))));
    add(selectobject_set(pen, eht));
    add(U_EMRRECTANGLE_set(rectl_set(pointl_set(0, 0), pointl_set(w / 2, h - 1))));
    if (more)
        more(add, eht);
    add(U_EMREOF_set(0, nullptr, et));
    emf_finish(et, eht);
    QByteArray bytes(et->buf, int(et->used));
    emf_free(&et);
    emf_htable_free(&eht);
    return bytes;
}

// A dimension text ("60°") in Arial, written as glyph indices as many Windows programs do.
void addGlyphText(const AddRecord &add, EMFHANDLES *eht)
{
    uint16_t face[U_LF_FACESIZE] = {'A', 'r', 'i', 'a', 'l', 0};
    const U_LOGFONT lf = logfont_set(-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, face);
    uint32_t font = 0;
    add(extcreatefontindirectw_set(&font, eht, reinterpret_cast<const char *>(&lf), nullptr));
    add(selectobject_set(font, eht));
    uint16_t text[] = {'6', '0', 0xB0, 0};
    const U_RECTL none = rectl_set(pointl_set(0, 0), pointl_set(-1, -1));
    char *emrtext = emrtext_set(pointl_set(120, 50), 3, 2, text, U_ETO_GLYPH_INDEX, none,
                                dx_set(-20, 400, 3));
    add(U_EMREXTTEXTOUTW_set(none, U_GM_COMPATIBLE, 1.0f, 1.0f, reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
}

QImage pattern()
{
    QImage image(37, 21, QImage::Format_RGB32); // odd width: DIB rows are padded
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 12, (x + y) % 2 ? 255 : 0));
    return image;
}

bool isDark(QRgb c) { return qGray(c) < 64; }
bool isLight(QRgb c) { return qGray(c) > 192; }

void setU32(QByteArray &bytes, int offset, quint32 value)
{
    qToLittleEndian<quint32>(value, bytes.data() + offset);
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bitmapRoundTrip();
    void alphaIsFlattenedOnWhite();
    void metafileImport();
    void metafileSize_data();
    void metafileSize();
    void metafileSavedAsBitmapLoadsBack();
    void bitmapExportedAsEmfReimports();
    void metafileExportKeepsItsBytes();
    void loadGoesByContent_data();
    void loadGoesByContent();
    void loadRefusesWhatIsNoFile_data();
    void loadRefusesWhatIsNoFile();
    void damagedMetafileIsRejected_data();
    void damagedMetafileIsRejected();
    void uncheckableRecordsAreKeptNotDrawn();
    void metafileTextLeavesFontsAlone();
    void unreadableFileKeepsPicture();
    void refusedWriteFails();
    void nonEmptyBitmap();
    void fitRect_data();
    void fitRect();
    void paintDrawsFittedAndCentred();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestPicture::bitmapRoundTrip()
{
    const Picture pic = Picture::fromImage(pattern());
    QVERIFY(pic.saveAsBitmap(path("round.bmp")));
    QFile f(path("round.bmp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(2), QByteArray("BM"));
    f.close();

    Picture back;
    QString error;
    QVERIFY2(back.load(path("round.bmp"), &error), qPrintable(error));
    QVERIFY(!back.isMetafile());
    QCOMPARE(back.size(), QSize(37, 21));
    QCOMPARE(back.toImage().convertToFormat(QImage::Format_RGB32), pattern());
}

void TestPicture::alphaIsFlattenedOnWhite()
{
    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QVERIFY(Picture::fromImage(clear).saveAsBitmap(path("alpha.bmp")));
    Picture back;
    QVERIFY(back.load(path("alpha.bmp")));
    QCOMPARE(back.toImage().pixel(2, 2) | 0xFF000000u, qRgb(255, 255, 255));
}

void TestPicture::metafileImport()
{
    const QByteArray emf = makeEmf();
    QVERIFY(Picture::looksLikeMetafile(emf));
    QString error;
    const Picture pic = Picture::fromMetafile(emf, &error);
    QVERIFY2(!pic.isNull(), qPrintable(error));
    QVERIFY(pic.isMetafile());
    QCOMPARE(pic.metafile(), emf);
    QVERIFY(!pic.svg().isEmpty());
    QCOMPARE(pic.size(), QSize(200, 100));
    const QImage r = pic.toImage();
    QVERIFY(isDark(r.pixel(50, 50)));
    QVERIFY(isLight(r.pixel(170, 50)));
    QVERIFY(!pic.isNonEmptyBitmap());
}

void TestPicture::metafileSize_data()
{
    QTest::addColumn<QSize>("drawn");
    QTest::addColumn<QSize>("rendered");
    QTest::newRow("sketch") << QSize(200, 100) << QSize(200, 100);
    QTest::newRow("tall") << QSize(30, 300) << QSize(30, 300);
    // A CAD sheet is rendered scaled down, keeping its proportions.
    QTest::newRow("sheet") << QSize(16000, 8000) << QSize(4096, 2048);
}

void TestPicture::metafileSize()
{
    QFETCH(QSize, drawn);
    QFETCH(QSize, rendered);
    const Picture pic = Picture::fromMetafile(makeEmf(drawn.width(), drawn.height()));
    QCOMPARE(pic.size(), rendered);
    QCOMPARE(pic.toImage().size(), rendered);
    const QImage r = pic.toImage();
    QVERIFY(isDark(r.pixel(r.width() / 4, r.height() / 2)));
    QVERIFY(isLight(r.pixel(r.width() * 7 / 8, r.height() / 2)));
}

void TestPicture::metafileSavedAsBitmapLoadsBack()
{
    const Picture pic = Picture::fromMetafile(makeEmf());
    QVERIFY(pic.saveAsBitmap(path("sketch_img.bmp")));
    Picture back;
    QVERIFY(back.load(path("sketch_img.bmp")));
    QVERIFY(!back.isMetafile());
    QCOMPARE(back.size(), QSize(200, 100));
    QVERIFY(isDark(back.toImage().pixel(50, 50)));
    QVERIFY(isLight(back.toImage().pixel(170, 50)));
}

void TestPicture::bitmapExportedAsEmfReimports()
{
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, 15, 20, QColor(200, 0, 0));
    QVERIFY(Picture::fromImage(image).exportTo(path("wrapped.EMF")));

    QFile f(path("wrapped.EMF"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(Picture::looksLikeMetafile(f.readAll()));
    f.close();

    Picture back;
    QString error;
    QVERIFY2(back.load(path("wrapped.EMF"), &error), qPrintable(error));
    QVERIFY(back.isMetafile());
    QCOMPARE(back.size(), QSize(30, 20));
    const QRgb left = back.toImage().pixel(5, 10);
    QVERIFY2(qRed(left) > 150 && qGreen(left) < 60, qPrintable(QString::number(left, 16)));
    QVERIFY(isLight(back.toImage().pixel(25, 10)));
}

void TestPicture::metafileExportKeepsItsBytes()
{
    const QByteArray emf = makeEmf();
    const Picture pic = Picture::fromMetafile(emf);
    QVERIFY(pic.exportTo(path("same.emf")));
    QFile f(path("same.emf"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), emf);

    // Any other extension gets a bitmap.
    QVERIFY(pic.exportTo(path("flat.png")));
    QFile g(path("flat.png"));
    QVERIFY(g.open(QIODevice::ReadOnly));
    QCOMPARE(g.read(2), QByteArray("BM"));
}

void TestPicture::loadGoesByContent_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("metafile");
    QTest::newRow("metafile under the sketch name") << "old_img.bmp" << true;
    QTest::newRow("metafile without extension") << "noext" << true;
    QTest::newRow("bitmap under .emf") << "odd.emf" << false;
}

void TestPicture::loadGoesByContent()
{
    QFETCH(QString, fileName);
    QFETCH(bool, metafile);
    QFile f(path(fileName));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(metafile ? makeEmf() : Picture::fromImage(pattern()).toBmp());
    f.close();

    Picture pic;
    QString error;
    QVERIFY2(pic.load(path(fileName), &error), qPrintable(error));
    QCOMPARE(pic.isMetafile(), metafile);
}

// A picture's name may stand for anything on disk: whatever is no regular file is refused
// at once, never read (a FIFO would block the open).
void TestPicture::loadRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link to a FIFO") << "link";
}

void TestPicture::loadRefusesWhatIsNoFile()
{
    QFETCH(QString, kind);
    const QString fifo = path(QStringLiteral("pipe_img.bmp"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 || QFileInfo(fifo).exists());
    QString target = fifo;
    if (kind == QLatin1String("folder")) {
        target = path(QStringLiteral("dir_img.bmp"));
        QVERIFY(QDir().mkpath(target));
    } else if (kind == QLatin1String("link")) {
        target = path(QStringLiteral("link_img.bmp"));
        QFile::remove(target);
        QVERIFY(QFile::link(fifo, target));
    }
    Picture pic;
    QString error;
    QVERIFY(!pic.load(target, &error));
    QVERIFY2(error.contains(QStringLiteral("not a regular file")), qPrintable(error));
}

void TestPicture::damagedMetafileIsRejected_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = makeEmf();
    QVERIFY(good.size() > 200);
    const quint32 headerSize = qFromLittleEndian<quint32>(good.constData() + 4);

    QTest::newRow("cut in the header") << good.left(100);
    QTest::newRow("cut after the header") << good.left(int(headerSize) + 4);
    QTest::newRow("end record missing") << good.left(good.size() - 20);
    QByteArray huge = good;
    setU32(huge, int(headerSize) + 4, 0x7FFFFFF0u); // second record claims 2 GB
    QTest::newRow("record larger than the file") << huge;
    QByteArray zero = good;
    setU32(zero, int(headerSize) + 4, 0);
    QTest::newRow("record of size zero") << zero;
    QByteArray odd = good;
    setU32(odd, int(headerSize) + 4, 13);
    QTest::newRow("record size not a multiple of four") << odd;
    QByteArray unknown = good;
    setU32(unknown, int(headerSize), 9999);
    QTest::newRow("unknown record type") << unknown;
    QByteArray twoHeaders = good;
    setU32(twoHeaders, int(headerSize), U_EMR_HEADER);
    QTest::newRow("second header") << twoHeaders;
    QByteArray noSize = good;
    for (int i = 8; i < 40; ++i)
        noSize[i] = 0;
    setU32(noSize, 16, quint32(-1)); // bounds right and bottom before left and top
    setU32(noSize, 20, quint32(-1));
    QTest::newRow("no size at all") << noSize;
    QByteArray giant = good;
    setU32(giant, 32, 0x7FFFFFF0u); // frame right edge far away
    setU32(giant, 36, 0x7FFFFFF0u);
    QTest::newRow("absurd frame") << giant;
    QByteArray garbage(400, '\xAB');
    setU32(garbage, 0, U_EMR_HEADER);
    setU32(garbage, 40, 0x464D4520u);
    QTest::newRow("signature over garbage") << garbage;
}

void TestPicture::damagedMetafileIsRejected()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(Picture::fromMetafile(bytes, &error).isNull());
    QVERIFY(!error.isEmpty());

    Picture pic = Picture::fromImage(pattern());
    QVERIFY(!pic.loadData(bytes, &error));
    QVERIFY(!pic.isMetafile());
    QCOMPARE(pic.size(), QSize(37, 21));
}

void TestPicture::uncheckableRecordsAreKeptNotDrawn()
{
    // A record type the safety checks cannot read (an OpenGL record) passes through to the
    // metafile's own bytes but never reaches the renderer.
    const QByteArray emf = makeEmf(200, 100, [](const AddRecord &add, EMFHANDLES *) {
        auto *rec = static_cast<uint32_t *>(std::calloc(4, sizeof(uint32_t)));
        rec[0] = 102; // U_EMR_SETICMPROFILEA, not checked by libuemf
        rec[1] = 16;
        add(reinterpret_cast<char *>(rec));
    });
    QString error;
    const Picture pic = Picture::fromMetafile(emf, &error);
    QVERIFY2(!pic.isNull(), qPrintable(error));
    QCOMPARE(pic.metafile(), emf);
    QVERIFY(isDark(pic.toImage().pixel(50, 50)));
}

void TestPicture::metafileTextLeavesFontsAlone()
{
    // The converter looks glyph-indexed text up through fontconfig and then shuts fontconfig
    // down under Qt's feet, which aborts the program at a later text. Holding a reference on
    // the current configuration shows whether it was torn down.
    using Reference = void *(*)(void *);
    using Current = void *(*)();
    using Destroy = void (*)(void *);
    auto reference = reinterpret_cast<Reference>(dlsym(RTLD_DEFAULT, "FcConfigReference"));
    auto current = reinterpret_cast<Current>(dlsym(RTLD_DEFAULT, "FcConfigGetCurrent"));
    auto destroy = reinterpret_cast<Destroy>(dlsym(RTLD_DEFAULT, "FcConfigDestroy"));
    if (!reference || !current || !destroy)
        QSKIP("fontconfig is not loaded");

    void *before = reference(nullptr);
    const Picture pic = Picture::fromMetafile(makeEmf(200, 100, addGlyphText));
    void *after = current();
    destroy(before);
    QVERIFY(!pic.isNull());
    QCOMPARE(after, before);
}

void TestPicture::unreadableFileKeepsPicture()
{
    Picture pic = Picture::fromImage(pattern());
    QString error;
    QVERIFY(!pic.load(path("missing.bmp"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!pic.loadData("not a picture at all", &error));
    QVERIFY(!pic.loadData(QByteArray(), &error));
    QCOMPARE(pic.toImage(), pattern());
}

void TestPicture::refusedWriteFails()
{
    const Picture pic = Picture::fromImage(pattern());
    QVERIFY(!pic.saveAsBitmap(path("no-such-folder/x.bmp")));
    QVERIFY(!pic.exportTo(path("no-such-folder/x.emf")));
    QVERIFY(!Picture().saveAsBitmap(path("null.bmp")));
    QVERIFY(!QFile::exists(path("null.bmp")));
}

void TestPicture::nonEmptyBitmap()
{
    QVERIFY(!Picture().isNonEmptyBitmap());
    Picture white = Picture::blank(QSize(50, 40));
    QCOMPARE(white.size(), QSize(50, 40));
    QVERIFY(!white.isNonEmptyBitmap());
    QImage dot = white.toImage();
    dot.setPixel(49, 39, qRgb(0, 0, 0));
    QVERIFY(Picture::fromImage(dot).isNonEmptyBitmap());
}

void TestPicture::fitRect_data()
{
    QTest::addColumn<QSizeF>("picture");
    QTest::addColumn<QRectF>("target");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("wide into square") << QSizeF(200, 100) << QRectF(0, 0, 100, 100) << QRectF(0, 25, 100, 50);
    QTest::newRow("tall into square") << QSizeF(100, 200) << QRectF(0, 0, 100, 100) << QRectF(25, 0, 50, 100);
    QTest::newRow("small grows") << QSizeF(10, 5) << QRectF(10, 10, 400, 100) << QRectF(110, 10, 200, 100);
    QTest::newRow("same shape, offset") << QSizeF(4, 3) << QRectF(5, 7, 40, 30) << QRectF(5, 7, 40, 30);
    QTest::newRow("empty picture") << QSizeF(0, 0) << QRectF(0, 0, 10, 10) << QRectF(5, 5, 0, 0);
}

void TestPicture::fitRect()
{
    QFETCH(QSizeF, picture);
    QFETCH(QRectF, target);
    QFETCH(QRectF, expected);
    QCOMPARE(Picture::fitRect(picture, target), expected);
}

void TestPicture::paintDrawsFittedAndCentred()
{
    // A metafile of half black, half white fitted into a tall box: bands above and below stay
    // as they were, the picture sits in the middle.
    for (const Picture &pic : {Picture::fromMetafile(makeEmf()),
                               Picture::fromImage(Picture::fromMetafile(makeEmf()).toImage())}) {
        QImage canvas(100, 200, QImage::Format_RGB32);
        canvas.fill(qRgb(0, 0, 255));
        QPainter p(&canvas);
        pic.paint(&p, QRectF(0, 0, 100, 200));
        p.end();
        QCOMPARE(canvas.pixel(50, 10), qRgb(0, 0, 255));  // above
        QCOMPARE(canvas.pixel(50, 190), qRgb(0, 0, 255)); // below
        QVERIFY(isDark(canvas.pixel(20, 100)));
        QVERIFY(isLight(canvas.pixel(80, 100)));
    }
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
