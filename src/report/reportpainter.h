#pragma once
// The one painting routine of report pages: the preview, the printer and the PDF all come
// through here, so they never differ.

#include <QDateTime>

class QPainter;
class QPagedPaintDevice;

namespace Brenvik {

class ReportLayout;
class ReportPage;

class ReportPainter {
public:
    // Paints the page with the painter working in 1/96 inch from the paper's top-left corner.
    static void paintPage(QPainter *painter, const ReportPage &page, const QDateTime &printedOn);
    // The same with the page already laid out (a layout of this page as it is now).
    static void paintPage(QPainter *painter, const ReportPage &page, const ReportLayout &layout);
    // Sets up a painter on a device whose origin is the paper's corner (a full-page printer, a
    // PDF writer without margins) so that one unit is 1/96 inch.
    static void scaleToPage(QPainter *painter);
    // A word across the page, light grey, at 55 degrees.
    static void paintWatermark(QPainter *painter, const QString &text);
};

} // namespace Brenvik
