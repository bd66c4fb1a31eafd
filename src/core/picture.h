#pragma once
// The joint sketch: a bitmap, or a metafile (its EMF bytes plus a rendering of them).
// Loaded by content, not by name; saved beside a document always as a bitmap so that it
// loads back; exported in the format the chosen extension names; drawn by the report as
// vectors when it is a metafile.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QSvgRenderer;

namespace Brenvik {

class Picture {
public:
    Picture() = default;
    static Picture fromImage(const QImage &bitmap);
    // EMF bytes, checked with libuemf's safety checks before rendering; null when unsafe or unreadable.
    static Picture fromMetafile(const QByteArray &emf, QString *error = nullptr);
    // A white bitmap of the given size (a cleared image box).
    static Picture blank(const QSize &size);

    // True when the bytes start like an enhanced metafile (header record, " EMF" signature).
    static bool looksLikeMetafile(const QByteArray &bytes);
    // The largest rectangle of the picture's proportions inside target, centred in it.
    static QRectF fitRect(const QSizeF &picture, const QRectF &target);

    // Reads a .bmp/.emf (or any image Qt reads) by content, scans of a few hundred megapixels
    // included. On failure returns false and leaves *error with the reason ("too large" when
    // that is it); the picture is then unchanged.
    bool load(const QString &path, QString *error = nullptr);
    bool loadData(const QByteArray &bytes, QString *error = nullptr);
    // The sketch file beside a document: always a Windows bitmap (a metafile is rendered at
    // 96 dots per inch). Atomic. False for a null picture or a refused write, with the reason
    // (naming the file) in *error.
    bool saveAsBitmap(const QString &path, QString *error = nullptr) const;
    // Export by extension: ".emf" writes the metafile (a bitmap wrapped as one), anything else a
    // bitmap. Atomic; the reason (naming the file) in *error on failure.
    bool exportTo(const QString &path, QString *error = nullptr) const;

    bool isNull() const { return m_bitmap.isNull() && m_emf.isEmpty(); }
    bool isMetafile() const { return !m_emf.isEmpty(); }
    // A bitmap that is not just a blank box.
    bool isNonEmptyBitmap() const;
    QSize size() const;           // in pixels at 96 dpi
    QImage toImage() const;       // the bitmap, or the metafile's rendering
    QByteArray metafile() const { return m_emf; }
    QByteArray svg() const { return m_svg; }
    QByteArray toEmf() const;     // the metafile, or the bitmap wrapped as one
    QByteArray toBmp() const;     // the picture as the bytes of a Windows bitmap file

    // Draws fitted into target keeping proportions, centred; metafiles as vectors.
    void paint(QPainter *painter, const QRectF &target) const;

private:
    QImage m_bitmap;   // the bitmap, or the metafile's 96-dpi rendering
    QByteArray m_emf;  // metafile bytes when the picture is a metafile
    QByteArray m_svg;  // the metafile converted to SVG, drawn as vectors
    // Parsed once and shared by the copies: the image box repaints on every scroll.
    std::shared_ptr<QSvgRenderer> m_renderer;
};

} // namespace Brenvik
