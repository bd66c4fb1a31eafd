#include "report/reportlayout.h"

#include "core/dates.h"

#include <QImage>
#include <QLocale>
#include <QTextLayout>
#include <QtMath>

namespace Brenvik {

namespace {

// A 96-dpi device to measure on, so metrics come out in 1/96 inch.
QPaintDevice *measuringDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

struct Extent {
    qreal left = 0, right = 0, top = 0, bottom = 0;
};

bool overlapsVertically(const Extent &a, const Extent &b)
{
    return qMin(a.bottom, b.bottom) - qMax(a.top, b.top) > 0.5;
}

QStringList wrapParagraph(const QString &text, const QFont &font, qreal width)
{
    QStringList out;
    if (text.isEmpty()) {
        out << QString();
        return out;
    }
    QTextLayout layout(text, font, measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax<qreal>(width, 1));
        QString part = text.mid(line.textStart(), line.textLength());
        while (part.endsWith(QLatin1Char(' ')) && part.size() > 1)
            part.chop(1);
        out << part;
    }
    layout.endLayout();
    return out;
}

} // namespace

QFont ReportLayout::font(const ReportFont &f, int deviceDpi)
{
    QFont font(f.family);
    font.setPointSizeF(f.pointSize * 96.0 / qMax(deviceDpi, 1));
    font.setBold(f.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFontMetricsF ReportLayout::metrics(const ReportFont &f)
{
    return QFontMetricsF(font(f), measuringDevice());
}

QString ReportLayout::printedOnText(const QString &prefix, const QDateTime &when)
{
    const QString stamp = formatReportDate(when.date()) + QLatin1Char(' ')
        + QLocale::system().toString(when.time(), QLocale::ShortFormat);
    return prefix.isEmpty() ? stamp : prefix + QLatin1Char(' ') + stamp;
}

QString ReportLayout::displayText(const ReportElement &e, const QDateTime &printedOn)
{
    if (e.kind == ElementKind::PrintedOn)
        return printedOnText(e.text, printedOn.isValid() ? printedOn : QDateTime::currentDateTime());
    return e.text;
}

ReportLayout::ReportLayout(const ReportPage &page, const QDateTime &printedOn)
{
    const QList<ReportElement> &elements = page.elements();
    const QRectF content = page.contentRect();
    const int n = int(elements.size());
    m_boxes.resize(n);

    QList<QString> texts(n);
    QList<qreal> natural(n, 0);
    QList<Extent> ext(n);      // the box each element claims on the page
    QList<Extent> ink(n);      // for fixed texts: where their letters are
    QList<QFontMetricsF> fms;
    fms.reserve(n);

    // Heights, natural widths and the design boxes.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        fms.append(metrics(e.font));
        Extent &x = ext[i];
        x.left = e.x;
        x.top = e.y;
        x.right = e.x + e.width;
        x.bottom = e.y + e.height;
        if (!e.isText()) {
            ink[i] = x;
            continue;
        }
        const QFontMetricsF &fm = fms[i];
        TextBox &tb = m_boxes[i];
        // Lines follow each other without extra leading, as on the paper form: 37 units hold three.
        tb.lineHeight = fm.height();
        tb.ascent = fm.ascent();
        texts[i] = displayText(e, printedOn);
        const QStringList lines = texts[i].split(QLatin1Char('\n'));
        for (const QString &l : lines)
            natural[i] = qMax(natural[i], fm.horizontalAdvance(l));
        if (e.height <= 0) {
            if (e.kind == ElementKind::Memo)
                x.bottom = qMax(e.y + tb.lineHeight, content.bottom());
            else if (e.kind == ElementKind::Caption)
                x.bottom = e.y + tb.lineHeight * lines.size();
            else
                x.bottom = e.y + tb.lineHeight;
        }
        if (e.width <= 0)
            x.right = x.left + natural[i]; // until the limits below are known
        ink[i] = x;
    }

    auto isFixedText = [&](int i) {
        return elements[i].kind == ElementKind::Caption || elements[i].kind == ElementKind::PrintedOn;
    };

    // The nearest thing to the right of element i on its row. With fixedOnly, data texts are
    // not obstacles: a caption is never cut short for a data label, the label moves instead.
    auto rightLimit = [&](int i, bool fixedOnly) {
        const Extent &me = ext[i];
        qreal limit = content.right() - kRuleGap;
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            const ReportElement &o = elements[j];
            if (o.kind == ElementKind::HRule)
                continue;
            if (fixedOnly && o.isData())
                continue;
            Extent other = o.isText() && isFixedText(j) ? ink[j] : ext[j];
            if (o.kind == ElementKind::Box) {
                // A box around the text bounds it with its right side, one beside it with its left.
                if (overlapsVertically(me, other) && other.left < me.left && other.right > me.left)
                    limit = qMin(limit, other.right - kRuleGap);
                else if (overlapsVertically(me, other) && other.left > me.left + 0.5)
                    limit = qMin(limit, other.left - kRuleGap);
                continue;
            }
            if (o.kind == ElementKind::VRule) {
                other.bottom = qMax(other.bottom, other.top + 0.01);
                if (other.left > me.left + 0.5 && qMin(me.bottom, other.bottom) - qMax(me.top, other.top) > 0.5)
                    limit = qMin(limit, other.left - kRuleGap);
                continue;
            }
            if (other.left > me.left + 0.5 && overlapsVertically(me, other))
                limit = qMin(limit, other.left - kGap);
        }
        return limit;
    };

    // Fixed texts first: those with a width take their place by their alignment, then those
    // without one run to the next thing of their row.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (!e.isText() || !isFixedText(i) || e.width <= 0)
            continue;
        const qreal w = qMin(natural[i], e.width);
        if (e.alignment & Qt::AlignRight)
            ink[i].left = ext[i].right - w;
        else if (e.alignment & Qt::AlignHCenter)
            ink[i].left = ext[i].left + (e.width - w) / 2;
        ink[i].right = ink[i].left + w;
    }
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (!e.isText() || !isFixedText(i) || e.width > 0)
            continue;
        ext[i].right = qMax(ext[i].left, rightLimit(i, true));
        ink[i] = ext[i];
        ink[i].right = qMin(ext[i].right, e.x + natural[i]);
    }

    // Data texts start clear of a caption that runs into them.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (!e.isData() || (e.alignment & (Qt::AlignRight | Qt::AlignHCenter)))
            continue;
        for (int j = 0; j < n; ++j) {
            if (!elements[j].isText() || !isFixedText(j))
                continue;
            if (ink[j].left < e.x && ink[j].right + kGap > ext[i].left && overlapsVertically(ext[i], ink[j]))
                ext[i].left = ink[j].right + kGap;
        }
        if (e.width > 0)
            ext[i].right = qMax(ext[i].left, e.x + e.width);
    }

    // Data texts without a width end at the next thing of their row.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (e.isData() && e.width <= 0)
            ext[i].right = qMax(ext[i].left, rightLimit(i, false));
    }

    // The lines that fit.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (!e.isText())
            continue;
        TextBox &tb = m_boxes[i];
        const QFontMetricsF &fm = fms[i];
        const QFont f = font(e.font);
        const Extent &x = ext[i];
        tb.alignment = e.alignment;
        tb.box = QRectF(x.left, x.top, qMax<qreal>(0, x.right - x.left), qMax<qreal>(0, x.bottom - x.top));
        const qreal width = tb.box.width();
        const int maxLines = qMax(1, int(qFloor((tb.box.height() + 0.5) / tb.lineHeight)));

        QStringList lines;
        bool elide = e.isData();
        if (e.kind == ElementKind::Label && !e.wordWrap) {
            lines << QString(texts[i]).replace(QLatin1Char('\n'), QLatin1Char(' '));
        } else if (e.wordWrap) {
            for (const QString &para : texts[i].split(QLatin1Char('\n')))
                lines << wrapParagraph(para, f, width);
        } else {
            lines = texts[i].split(QLatin1Char('\n'));
        }
        if (e.kind != ElementKind::Caption && lines.size() > maxLines) {
            // Show that more text is there than the box holds.
            lines = lines.mid(0, maxLines);
            tb.cut = true;
            lines.last() = fm.elidedText(lines.last() + QChar(0x2026), Qt::ElideRight,
                                         width);
        }
        for (QString &l : lines) {
            const qreal w = fm.horizontalAdvance(l);
            if (w > width + 0.5) {
                tb.cut = true;
                if (elide)
                    l = fm.elidedText(l, Qt::ElideRight, width);
            }
            tb.widths << qMin(fm.horizontalAdvance(l), width);
        }
        tb.lines = lines;
    }
}

QRectF ReportLayout::inkRect(int index) const
{
    const TextBox &tb = m_boxes.at(index);
    if (tb.lines.isEmpty())
        return QRectF();
    qreal left = tb.box.right(), right = tb.box.left();
    for (int k = 0; k < tb.lines.size(); ++k) {
        left = qMin(left, tb.lineLeft(k));
        right = qMax(right, tb.lineLeft(k) + tb.widths.value(k));
    }
    return QRectF(left, tb.box.top(), qMax<qreal>(0, right - left), tb.lineHeight * tb.lines.size());
}

} // namespace Brenvik
