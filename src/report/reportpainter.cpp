#include "report/reportpainter.h"

#include "report/reportlayout.h"
#include "report/reportpage.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

namespace Brenvik {

void ReportPainter::scaleToPage(QPainter *painter)
{
    const QPaintDevice *device = painter->device();
    painter->scale(device->logicalDpiX() / 96.0, device->logicalDpiY() / 96.0);
}

// Painted first, in a light grey, so that every value printed over it stays readable.
void ReportPainter::paintWatermark(QPainter *painter, const QString &text)
{
    painter->save();
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(120);
    painter->setFont(font);
    painter->setPen(QColor(0xe4, 0xe4, 0xe4));
    painter->translate(ReportPage::kPageWidth / 2, ReportPage::kPageHeight / 2);
    painter->rotate(-55);
    const QRectF box(-ReportPage::kPageHeight / 2, -100, ReportPage::kPageHeight, 200);
    painter->drawText(box, Qt::AlignCenter, text);
    painter->restore();
}

void ReportPainter::paintPage(QPainter *painter, const ReportPage &page, const QDateTime &printedOn)
{
    paintPage(painter, page, ReportLayout(page, printedOn));
}

void ReportPainter::paintPage(QPainter *painter, const ReportPage &page, const ReportLayout &layout)
{
    const int dpi = painter->device() ? painter->device()->logicalDpiY() : 96;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    QPen pen(Qt::black, 1.0);
    pen.setCapStyle(Qt::SquareCap);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);

    if (!page.watermark().isEmpty())
        paintWatermark(painter, page.watermark());
    if (!page.frame().isNull())
        painter->drawRect(page.frame());

    painter->translate(page.band().topLeft());
    const QList<ReportElement> &elements = page.elements();
    for (int i = 0; i < elements.size(); ++i) {
        const ReportElement &e = elements[i];
        switch (e.kind) {
        case ElementKind::HRule:
            painter->drawLine(QPointF(e.x, e.y), QPointF(e.x + e.width, e.y));
            break;
        case ElementKind::VRule:
            painter->drawLine(QPointF(e.x, e.y), QPointF(e.x, e.y + e.height));
            break;
        case ElementKind::Box:
            painter->drawRect(QRectF(e.x, e.y, e.width, e.height));
            break;
        case ElementKind::Image:
            if (!e.picture.isNull()) {
                painter->save();
                painter->setClipRect(QRectF(e.x, e.y, e.width, e.height));
                e.picture.paint(painter, QRectF(e.x, e.y, e.width, e.height));
                painter->restore();
            }
            break;
        default: {
            const TextBox &tb = layout.textBox(i);
            if (tb.lines.isEmpty() || tb.box.width() <= 0)
                break;
            painter->save();
            painter->setFont(ReportLayout::font(tb.font, dpi));
            // A hair of room for antialiased edges; the layout already keeps text in its box.
            painter->setClipRect(tb.box.adjusted(-0.5, -0.5, 0.5, 0.5));
            for (int k = 0; k < tb.lines.size(); ++k) {
                if (tb.lines[k].isEmpty())
                    continue;
                painter->drawText(QPointF(tb.lineLeft(k), tb.baseline(k)), tb.lines[k]);
            }
            painter->restore();
            break;
        }
        }
    }
    painter->restore();
}

} // namespace Brenvik
