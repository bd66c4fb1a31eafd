#include "report/reportlayout.h"

#include "core/dates.h"
#include "report/reportmeasure.h"

#include <QLocale>
#include <QtMath>

namespace Brenvik {

namespace {

struct Extent {
    qreal left = 0, right = 0, top = 0, bottom = 0;
};

bool overlapsVertically(const Extent &a, const Extent &b)
{
    return qMin(a.bottom, b.bottom) - qMax(a.top, b.top) > 0.5;
}

// A value's lines at one font: its own line breaks (a one-line label turns them into blanks),
// and with wrap also wherever a line meets the box's right side.
QStringList valueLines(const ReportElement &e, const QString &text, const ReportFont &font, qreal width, bool wrap)
{
    const bool oneLine = e.kind == ElementKind::Label && !e.wordWrap;
    const QStringList paragraphs = oneLine ? QStringList{QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))}
                                           : text.split(QLatin1Char('\n'));
    if (!wrap)
        return paragraphs;
    QStringList lines;
    for (const QString &para : paragraphs)
        lines << ReportMeasure::wrapped(font, para, width);
    return lines;
}

// One way of setting a value: in which box, and whether its lines wrap there.
struct Setting {
    QRectF box;
    bool wrap = false;
};

// The ways a value tries, in order. A memo keeps its lines as typed as long as some size
// allows; only then does it wrap. A label two lines high is a paragraph and wraps at every
// size. A parameter column never wraps: its lines are the passes. A one-line label that fits
// on its line at no size wraps into the room below it, when its row has any.
QList<Setting> settings(const ReportElement &e, const QRectF &box, const QRectF &room)
{
    if (e.kind == ElementKind::Memo)
        return e.wordWrap ? QList<Setting>{{box, false}, {box, true}} : QList<Setting>{{box, false}};
    if (e.wordWrap)
        return {{box, true}};
    if (room.height() > box.height() + 0.5)
        return {{box, false}, {room, true}};
    return {{box, false}};
}

int linesThatFit(const QRectF &box, qreal lineHeight)
{
    return qMax(1, int(qFloor((box.height() + 0.5) / lineHeight)));
}

// The sizes a value tries, its own first, then smaller a step at a time down to `floor`
// (its own size when that is smaller) and, with below, only those under `floor`.
QList<qreal> shrinkingSizes(qreal pointSize, qreal floor, bool below)
{
    QList<qreal> sizes;
    for (qreal pt = pointSize;;) {
        const bool readable = pt >= floor || pt >= pointSize;
        if (readable != below)
            sizes << pt;
        if (pt <= ReportLayout::kSmallestPointSize)
            break;
        pt = qMax(ReportLayout::kSmallestPointSize, pt - ReportLayout::kPointStep);
    }
    return sizes;
}

void setLines(TextBox &tb, const ReportElement &e, const QStringList &lines, const ReportFont &size)
{
    const QFontMetricsF fm = ReportLayout::metrics(size);
    tb.font = size;
    tb.lineHeight = fm.height();
    tb.ascent = fm.ascent();
    // A one-line label stands on the same baseline as the caption beside it, whatever its size.
    if (e.kind == ElementKind::Label && !e.wordWrap && lines.size() == 1)
        tb.ascent = ReportLayout::metrics(e.font).ascent();
    tb.lines = lines;
    tb.widths.clear();
    for (const QString &l : lines)
        tb.widths << qMin(ReportMeasure::advance(size, l), tb.box.width());
}

void setFixedLines(TextBox &tb, const ReportElement &e, const QString &text)
{
    const QFontMetricsF fm = ReportLayout::metrics(e.font);
    // A caption is never cut short at its foot; other fixed texts keep to their box.
    const bool cutBelow = e.kind != ElementKind::Caption;
    QStringList lines = text.split(QLatin1Char('\n'));
    const int maxLines = linesThatFit(tb.box, fm.height());
    if (cutBelow && lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        tb.cut = true;
    }
    for (const QString &l : lines)
        if (ReportMeasure::advance(e.font, l) > tb.box.width() + 0.5)
            tb.cut = true;
    setLines(tb, e, lines, e.font);
}

constexpr qsizetype kLongestMeasuredLine = 4096;
constexpr qsizetype kMostLinesMeasured = 1024;

// More characters than this cannot show in the box at any size: no glyph of the report font at
// the smallest size is narrower than a pixel (1/96 inch). A longer value is cut at once, and
// only the part that could show is laid out, so a value of megabytes costs no more than a
// full box.
qsizetype mostCharactersShown(const ReportElement &e, const QRectF &box, const QRectF &room)
{
    ReportFont smallest = e.font;
    smallest.pointSize = qMin(e.font.pointSize, ReportLayout::kSmallestPointSize);
    const QRectF area = box.united(room);
    const qsizetype lines = linesThatFit(area, ReportLayout::metrics(smallest).height()) + 1;
    return lines * (qsizetype(qCeil(area.width())) + 1);
}

// Sets the value's lines when they fit in the setting's box at that size.
bool fitsAt(TextBox &tb, const ReportElement &e, const QString &text, const Setting &setting, qreal pt)
{
    const qreal width = setting.box.width();
    ReportFont size = e.font;
    size.pointSize = pt;
    const QFontMetricsF fm = ReportLayout::metrics(size);
    const QStringList lines = valueLines(e, text, size, width, setting.wrap);
    if (lines.size() > linesThatFit(setting.box, fm.height()))
        return false;
    for (const QString &l : lines)
        if (ReportMeasure::advance(size, l) > width + 0.5)
            return false;
    tb.box = setting.box;
    setLines(tb, e, lines, size);
    return true;
}

bool fitValue(TextBox &tb, const ReportElement &e, const QString &text, const QRectF &room)
{
    if (text.size() > mostCharactersShown(e, tb.box, room))
        return false;
    const QList<Setting> ways = settings(e, tb.box, room);
    const qreal own = e.font.pointSize;
    // Readable sizes first, each way in turn: a value wraps before it shrinks below the floor.
    for (const Setting &setting : ways)
        for (const qreal pt : shrinkingSizes(own, ReportLayout::kReadablePointSize, false))
            if (fitsAt(tb, e, text, setting, pt))
                return true;
    // Then the largest smaller size at which any way fits.
    for (const qreal pt : shrinkingSizes(own, ReportLayout::kReadablePointSize, true))
        for (const Setting &setting : ways)
            if (fitsAt(tb, e, text, setting, pt))
                return true;
    return false;
}

void cutToFit(TextBox &tb, const ReportElement &e, const QString &text, const QRectF &room)
{
    // Too long at any size: the last way tried at the smallest size, as much as the box holds,
    // and an ellipsis where the text goes on.
    const Setting setting = settings(e, tb.box, room).last();
    const QString shown = text.left(mostCharactersShown(e, tb.box, room));
    ReportFont size = e.font;
    size.pointSize = qMin(e.font.pointSize, ReportLayout::kSmallestPointSize);
    const QFontMetricsF fm = ReportLayout::metrics(size);
    const qreal width = setting.box.width();
    QStringList lines = valueLines(e, shown, size, width, setting.wrap);
    const int maxLines = linesThatFit(setting.box, fm.height());
    if (lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        lines.last() = fm.elidedText(lines.last() + QChar(0x2026), Qt::ElideRight, width);
    }
    for (QString &l : lines)
        if (fm.horizontalAdvance(l) > width + 0.5)
            l = fm.elidedText(l, Qt::ElideRight, width);
    tb.cut = true;
    tb.box = setting.box;
    setLines(tb, e, lines, size);
}

} // namespace

QFont ReportLayout::font(const ReportFont &f, int deviceDpi)
{
    return ReportMeasure::font(f, deviceDpi);
}

QFontMetricsF ReportLayout::metrics(const ReportFont &f)
{
    return ReportMeasure::metrics(f);
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
        // No page shows more lines than these; the rest of a huge value need not be measured.
        QStringList lines;
        for (qsizetype from = 0; lines.size() < kMostLinesMeasured;) {
            const qsizetype to = texts[i].indexOf(QLatin1Char('\n'), from);
            lines << texts[i].mid(from, to < 0 ? -1 : to - from);
            if (to < 0)
                break;
            from = to + 1;
        }
        // Every glyph is a pixel wide or more: a line's first few thousand characters are
        // already wider than any page, and measuring the rest of a huge value gains nothing.
        for (const QString &l : lines)
            natural[i] = qMax(natural[i], ReportMeasure::advance(e.font, l.left(kLongestMeasuredLine)));
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

    // The room below a one-line label: down to the next rule, box or text under it, or the frame.
    auto roomBelow = [&](int i) {
        const Extent &me = ext[i];
        qreal bottom = content.bottom() - kRuleGap;
        for (int j = 0; j < n; ++j) {
            const ReportElement &o = elements[j];
            if (j == i || o.kind == ElementKind::VRule)
                continue;
            const Extent &other = o.isText() && isFixedText(j) ? ink[j] : ext[j];
            if (other.left >= me.right - 0.5 || other.right <= me.left + 0.5)
                continue;
            const qreal gap = o.kind == ElementKind::HRule || o.kind == ElementKind::Box ? kRuleGap : kGap;
            if (other.top > me.top + 0.5)
                bottom = qMin(bottom, other.top - gap);
            else if (o.kind == ElementKind::Box && other.bottom > me.top + 0.5)
                bottom = qMin(bottom, other.bottom - gap);
        }
        return QRectF(me.left, me.top, qMax<qreal>(0, me.right - me.left), qMax(me.bottom, bottom) - me.top);
    };

    // The lines in each box: fixed texts as designed, values whole at the largest size that fits.
    for (int i = 0; i < n; ++i) {
        const ReportElement &e = elements[i];
        if (!e.isText())
            continue;
        TextBox &tb = m_boxes[i];
        const Extent &x = ext[i];
        tb.alignment = e.alignment;
        tb.font = e.font;
        tb.box = QRectF(x.left, x.top, qMax<qreal>(0, x.right - x.left), qMax<qreal>(0, x.bottom - x.top));
        if (!e.isData()) {
            setFixedLines(tb, e, texts[i]);
            continue;
        }
        const QRectF room = e.kind == ElementKind::Label && e.height <= 0 ? roomBelow(i) : tb.box;
        if (!fitValue(tb, e, texts[i], room)) {
            cutToFit(tb, e, texts[i], room);
            m_cutFields << e.name;
        }
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
