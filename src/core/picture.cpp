#include "core/picture.h"

#include "core/atomicfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryFile>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

extern "C" {
#include <emf2svg.h>
#include <uemf.h>
#include <uemf_safe.h>
}

// libemf2svg looks the fonts of a metafile's text up through fontconfig and then calls
// FcFini(), tearing down the fontconfig state that Qt's font database still holds: the next
// text Qt draws then aborts the program (an assertion in fontconfig) or reads freed memory.
// This definition takes the place of fontconfig's own for every library of the process, so
// fontconfig simply stays initialised until the program ends, as it does in any Qt program.
extern "C" void FcFini(void) {}

namespace Brenvik {

namespace {

constexpr int kHeaderMinSize = 88;       // the fixed part of an EMF header record
constexpr int kSignatureOffset = 40;
constexpr quint32 kEmfSignature = 0x464D4520; // " EMF" read as a little-endian number
constexpr double kHundredthMmPerInch = 2540.0;
constexpr double kDpi = 96.0;
// A header claiming more than this (26 m at 96 dpi) is damaged, not a drawing.
constexpr qint64 kAbsurdSide = 100000;
// Larger drawings (a CAD sheet) are rendered scaled down to this, keeping their proportions,
// so that a metafile never asks for more than 64 MB of pixels.
constexpr int kMaxSide = 4096;
// The most memory one bitmap may take while it is read: a 600 dpi A3 scan fits.
constexpr qint64 kMaxImageMegabytes = 1024;

quint32 readU32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qint32 readI32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

// Record types libuemf's safety check cannot look into (it lets them pass with a warning on
// stderr). None of them draws anything the sketch needs: they are left out of what is drawn.
bool isUncheckedRecord(quint32 type)
{
    switch (type) {
    case 69: case 96: case 97: case 102: case 103: case 105: case 106: case 107: case 109:
    case 110: case 111: case 112: case 113: case 117: case 119: case 120: case 121:
        return true;
    default:
        return false;
    }
}

// Walks every record and lets libuemf check each against its own declared size before any
// renderer sees the bytes: a record that claims more than the file holds, or whose fields
// point outside it, rejects the whole metafile. On success *own holds the metafile up to its
// end record and *drawable the same without the records that could not be checked.
bool checkMetafile(const QByteArray &emf, QString *reason, QByteArray *own, QByteArray *drawable)
{
    const int length = emf.size();
    if (!Picture::looksLikeMetafile(emf)) {
        *reason = QStringLiteral("not an enhanced metafile");
        return false;
    }
    QByteArray kept;
    quint32 keptRecords = 0;
    int offset = 0;
    bool sawEof = false;
    while (offset < length) {
        if (length - offset < 8) {
            *reason = QStringLiteral("the metafile ends inside a record");
            return false;
        }
        const quint32 type = readU32(emf, offset);
        const quint32 size = readU32(emf, offset + 4);
        if (size < 8 || size % 4 != 0 || size > quint32(length - offset)) {
            *reason = QStringLiteral("the metafile has a damaged record");
            return false;
        }
        if ((offset == 0) != (type == U_EMR_HEADER)) {
            *reason = QStringLiteral("the metafile has a misplaced header");
            return false;
        }
        if (offset == 0 && size < quint32(kHeaderMinSize)) {
            *reason = QStringLiteral("the metafile header is too short");
            return false;
        }
        if (type < U_EMR_MIN || type > U_EMR_MAX) {
            *reason = QStringLiteral("the metafile has an unknown record");
            return false;
        }
        // A copy of exactly the record: the checks can never read past what the record claims.
        const QByteArray record = emf.mid(offset, int(size));
        if (!isUncheckedRecord(type)) {
            if (!U_emf_record_safe(record.constData())) {
                *reason = QStringLiteral("the metafile has an unsafe record");
                return false;
            }
            kept += record;
            ++keptRecords;
        }
        offset += int(size);
        if (type == U_EMR_EOF) {
            sawEof = true;
            break;
        }
    }
    if (!sawEof) {
        *reason = QStringLiteral("the metafile has no end record");
        return false;
    }
    *own = emf.left(offset);
    // The header counts what the drawn copy holds.
    qToLittleEndian<quint32>(quint32(kept.size()), kept.data() + 48);
    qToLittleEndian<quint32>(keptRecords, kept.data() + 52);
    *drawable = kept;
    return true;
}

// The picture's size at 96 dpi from the header's frame (hundredths of a millimetre),
// falling back to its device bounds.
QSize metafileSize(const QByteArray &emf)
{
    const qint32 bl = readI32(emf, 8), bt = readI32(emf, 12), br = readI32(emf, 16), bb = readI32(emf, 20);
    const qint32 fl = readI32(emf, 24), ft = readI32(emf, 28), fr = readI32(emf, 32), fb = readI32(emf, 36);
    qint64 w = qRound64((qint64(fr) - fl) * kDpi / kHundredthMmPerInch);
    qint64 h = qRound64((qint64(fb) - ft) * kDpi / kHundredthMmPerInch);
    if (w <= 0 || h <= 0) {
        w = qint64(br) - bl + 1;
        h = qint64(bb) - bt + 1;
    }
    if (w <= 0 || h <= 0 || w > kAbsurdSide || h > kAbsurdSide)
        return QSize();
    QSize size{int(w), int(h)};
    if (w > kMaxSide || h > kMaxSide)
        size = size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return size;
}

QByteArray convertToSvg(const QByteArray &emf, const QSize &size)
{
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    char ns[] = "";
    options.nameSpace = ns;
    options.verbose = false;
    // EMF+ records ride inside comment records that the safety checks do not look into: the
    // plain records every EMF+ dual file also carries are drawn instead.
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();

    QByteArray input = emf; // the converter takes a non-const buffer
    char *out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &out, &outLength, &options);
    QByteArray svg;
    if (ok && out)
        svg = QByteArray(out, int(outLength));
    std::free(out);
    return svg;
}

QImage flattened(const QImage &image)
{
    if (image.isNull())
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    p.end();
    return flat;
}

// A bottom-up 24-bit DIB with rows padded to four bytes, as the metafile carries it.
QByteArray dibPixels(const QImage &image)
{
    const int w = image.width(), h = image.height();
    const int stride = ((w * 3) + 3) & ~3;
    QByteArray px(stride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(image.constScanLine(h - 1 - y));
        char *dst = px.data() + y * stride;
        for (int x = 0; x < w; ++x) {
            dst[x * 3] = char(qBlue(src[x]));
            dst[x * 3 + 1] = char(qGreen(src[x]));
            dst[x * 3 + 2] = char(qRed(src[x]));
        }
    }
    return px;
}

// Wraps a bitmap into a metafile of three records: header, one stretched DIB, end.
QByteArray wrapBitmapAsEmf(const QImage &bitmap)
{
    const QImage image = flattened(bitmap);
    if (image.isNull())
        return QByteArray();
    const int w = image.width(), h = image.height();

    // libuemf only builds metafiles towards a named file; the bytes are taken from its buffer.
    QTemporaryFile scratch;
    if (!scratch.open())
        return QByteArray();
    const QByteArray scratchName = QFile::encodeName(scratch.fileName());

    EMFTRACK *et = nullptr;
    EMFHANDLES *eht = nullptr;
    if (emf_start(scratchName.constData(), 1 << 16, 1 << 16, &et) != 0)
        return QByteArray();
    if (emf_htable_create(16, 16, &eht) != 0) {
        emf_free(&et);
        return QByteArray();
    }

    const U_RECTL bounds = rectl_set(pointl_set(0, 0), pointl_set(w - 1, h - 1));
    const U_RECTL frame = rectl_set(pointl_set(0, 0),
        pointl_set(qRound(w * kHundredthMmPerInch / kDpi), qRound(h * kHundredthMmPerInch / kDpi)));
    // A reference device of 96 dpi, so that the frame and the pixel bounds agree.
    const U_SIZEL device = sizel_set(1024, 768);
    const U_SIZEL millimetres = sizel_set(qRound(1024 * 25.4 / kDpi), qRound(768 * 25.4 / kDpi));

    bool ok = true;
    char *rec = U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, device, millimetres, 0);
    ok = rec && emf_append(reinterpret_cast<PU_ENHMETARECORD>(rec), et, U_REC_FREE) == 0;

    QByteArray px = dibPixels(image);
    if (ok) {
        const U_BITMAPINFOHEADER bmih = bitmapinfoheader_set(w, h, 1, U_BCBM_COLOR24, U_BI_RGB,
            uint32_t(px.size()), 3780, 3780, 0, 0);
        PU_BITMAPINFO bmi = bitmapinfo_set(bmih, nullptr);
        rec = bmi ? U_EMRSTRETCHDIBITS_set(bounds, pointl_set(0, 0), pointl_set(w, h),
                                           pointl_set(0, 0), pointl_set(w, h), U_DIB_RGB_COLORS,
                                           U_SRCCOPY, bmi, uint32_t(px.size()), px.data())
                  : nullptr;
        std::free(bmi);
        ok = rec && emf_append(reinterpret_cast<PU_ENHMETARECORD>(rec), et, U_REC_FREE) == 0;
    }
    if (ok) {
        rec = U_EMREOF_set(0, nullptr, et);
        ok = rec && emf_append(reinterpret_cast<PU_ENHMETARECORD>(rec), et, U_REC_FREE) == 0;
    }
    QByteArray emf;
    if (ok && emf_finish(et, eht) == 0)
        emf = QByteArray(et->buf, int(et->used));
    emf_free(&et);
    emf_htable_free(&eht);
    return emf;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr)
{
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("Unable to write to %1: the picture cannot be converted").arg(path);
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

} // namespace

Picture Picture::fromImage(const QImage &bitmap)
{
    Picture p;
    p.m_bitmap = bitmap;
    return p;
}

Picture Picture::fromMetafile(const QByteArray &emf, QString *error)
{
    QString reason;
    QByteArray own, drawable;
    if (!checkMetafile(emf, &reason, &own, &drawable)) {
        if (error)
            *error = reason;
        return Picture();
    }
    const QSize size = metafileSize(emf);
    if (!size.isValid()) {
        if (error)
            *error = QStringLiteral("the metafile has no usable size");
        return Picture();
    }
    // Bytes after the end record (file padding) are not part of the picture.
    const QByteArray svg = convertToSvg(drawable, size);
    QSvgRenderer renderer(svg);
    if (svg.isEmpty() || !renderer.isValid()) {
        if (error)
            *error = QStringLiteral("the metafile cannot be drawn");
        return Picture();
    }
    QImage rendering(size, QImage::Format_RGB32);
    rendering.fill(Qt::white);
    QPainter painter(&rendering);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();

    Picture p;
    p.m_bitmap = rendering;
    p.m_emf = own;
    p.m_svg = svg;
    p.m_renderer = std::make_shared<QSvgRenderer>(svg);
    return p;
}

Picture Picture::blank(const QSize &size)
{
    QImage white(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    white.fill(Qt::white);
    return fromImage(white);
}

bool Picture::looksLikeMetafile(const QByteArray &bytes)
{
    return bytes.size() >= kHeaderMinSize && readU32(bytes, 0) == U_EMR_HEADER
        && readU32(bytes, kSignatureOffset) == kEmfSignature;
}

QRectF Picture::fitRect(const QSizeF &picture, const QRectF &target)
{
    if (picture.isEmpty() || target.isEmpty())
        return QRectF(target.center(), QSizeF(0, 0));
    const QSizeF fitted = picture.scaled(target.size(), Qt::KeepAspectRatio);
    QRectF r(QPointF(0, 0), fitted);
    r.moveCenter(target.center());
    return r;
}

bool Picture::load(const QString &path, QString *error)
{
    // A FIFO or a device in a picture's place would block the read or never end it.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". It is not a regular file.").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    return loadData(file.readAll(), error);
}

bool Picture::loadData(const QByteArray &bytes, QString *error)
{
    if (looksLikeMetafile(bytes)) {
        QString reason;
        Picture p = fromMetafile(bytes, &reason);
        if (p.isNull()) {
            if (error)
                *error = QStringLiteral("Invalid metafile: %1.").arg(reason);
            return false;
        }
        *this = p;
        return true;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    // Qt refuses images over 128 MB by default; an A4 scan at 600 dpi is 140 MB. Allow what a
    // desktop can hold, and say so plainly when a picture is beyond that.
    const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024);
    if (size.isValid() && megabytes > kMaxImageMegabytes) {
        if (error)
            *error = QStringLiteral("The picture is too large (%1 x %2 pixels).").arg(size.width()).arg(size.height());
        return false;
    }
    QImageReader::setAllocationLimit(int(kMaxImageMegabytes) + 1);
    QImage image;
    if (bytes.isEmpty() || !reader.read(&image) || image.isNull()) {
        if (error)
            *error = QStringLiteral("The picture is not a valid bitmap or metafile.");
        return false;
    }
    *this = fromImage(image);
    return true;
}

QByteArray Picture::toBmp() const
{
    const QImage image = flattened(toImage());
    if (image.isNull())
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return QByteArray();
    return bytes;
}

bool Picture::saveAsBitmap(const QString &path, QString *error) const
{
    return writeAtomically(path, toBmp(), error);
}

bool Picture::exportTo(const QString &path, QString *error) const
{
    if (QFileInfo(path).suffix().compare(QLatin1String("emf"), Qt::CaseInsensitive) == 0)
        return writeAtomically(path, toEmf(), error);
    return saveAsBitmap(path, error);
}

bool Picture::isNonEmptyBitmap() const
{
    if (isMetafile() || m_bitmap.isNull())
        return false;
    const QImage image = flattened(m_bitmap);
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) != white)
                return true;
        }
    }
    return false;
}

QSize Picture::size() const
{
    return m_bitmap.size();
}

QImage Picture::toImage() const
{
    return m_bitmap;
}

QByteArray Picture::toEmf() const
{
    if (isMetafile())
        return m_emf;
    return wrapBitmapAsEmf(m_bitmap);
}

void Picture::paint(QPainter *painter, const QRectF &target) const
{
    if (isNull() || !painter)
        return;
    const QRectF r = fitRect(QSizeF(size()), target);
    if (r.isEmpty())
        return;
    if (isMetafile() && m_renderer && m_renderer->isValid()) {
        // White paper behind the vectors, as in the 96-dpi rendering the sketch file holds:
        // what is on screen, printed and saved then looks alike.
        painter->fillRect(r, Qt::white);
        m_renderer->render(painter, r);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(r, m_bitmap);
    painter->restore();
}

} // namespace Brenvik
