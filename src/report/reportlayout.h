#pragma once
// Where the text of each element of a report page goes: its box (a label without a width
// ends where the next element or vertical rule of its row begins, a data text starts clear
// of the caption before it) and its lines in that box. A value always prints whole: its font
// shrinks step by step down to 7 points until it fits, then a free-text memo wraps within its
// box and a one-line label into the room below it in its row, shrinking down to 7 points
// again; only when no way fits at 7 points does it shrink further, down to 5 points, in the
// way that keeps it largest. Only a value that fits at no size is cut, and the layout says so.
// Measured in 1/96 inch with unhinted fonts, so screen, printer and PDF lay out alike.

#include "report/reportpage.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QRectF>
#include <QStringList>

namespace Brenvik {

struct TextBox {
    QRectF box;          // band coordinates; the text never draws outside it
    ReportFont font;     // the element's own font, or a smaller size of it that fits
    QStringList lines;   // the visible lines, in order
    QList<qreal> widths; // natural width of each visible line
    qreal lineHeight = 0;
    qreal ascent = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool cut = false;    // part of the text did not fit (elided, clipped or lines left out)
    qreal baseline(int k) const { return box.top() + ascent + k * lineHeight; }

    // Where visible line k starts, by the alignment.
    qreal lineLeft(int k) const
    {
        const qreal free = box.width() - widths.value(k);
        if (alignment & Qt::AlignRight)
            return box.left() + free;
        if (alignment & Qt::AlignHCenter)
            return box.left() + free / 2;
        return box.left();
    }
};

class ReportLayout {
public:
    explicit ReportLayout(const ReportPage &page, const QDateTime &printedOn = QDateTime());

    // For every element of the page, by index; empty for rules, boxes and images.
    const TextBox &textBox(int index) const { return m_boxes.at(index); }
    int count() const { return int(m_boxes.size()); }
    // The part of the box the visible lines cover.
    QRectF inkRect(int index) const;
    // The names of the data elements that fit at no size and print cut, in table order.
    QStringList cutFields() const { return m_cutFields; }

    // Arial at pt points for a device of that resolution, sized so that a painter working in
    // 1/96 inch draws it at its true size (the point size must not be scaled twice).
    static QFont font(const ReportFont &font, int deviceDpi = 96);
    static QFontMetricsF metrics(const ReportFont &font);
    // "Printed on: 7 Dec 2026 10:30": the date as "d MMM yyyy", the time in the regional format.
    static QString printedOnText(const QString &prefix, const QDateTime &when);
    // The text an element shows (a PrintedOn element with its date and time).
    static QString displayText(const ReportElement &element, const QDateTime &printedOn);

    static constexpr qreal kGap = 2;       // between a text and the next text of its row
    static constexpr qreal kRuleGap = 0.5; // between a text and a rule (the letters' own side bearing adds to it)
    // A value too long for its box shrinks by this much at a time, down to kSmallestPointSize.
    static constexpr qreal kPointStep = 0.5;
    // The smallest size that still reads on paper: a value wraps before it shrinks below it.
    static constexpr qreal kReadablePointSize = 7;
    static constexpr qreal kSmallestPointSize = 5;

private:
    QList<TextBox> m_boxes;
    QStringList m_cutFields;
};

} // namespace Brenvik
