#pragma once
// What both sides of the printed QW-483 record draw alike: a section title in its box, a
// caption with its value on an underline, and a test table of column memos under two-line heads.

#include "report/reportpage.h"

namespace Brenvik::WPQRLayout {

// The frame and its two halves, in 1/96 inch.
constexpr qreal kLeft = 48, kRight = 768, kMiddle = 408, kTop = 48, kBottom = 1008;
constexpr qreal kPad = 6;
// One line of a section: caption and value with room above the underline.
constexpr qreal kRow = 18;
// One line of 8-point text in a memo.
constexpr qreal kLine = 12.3;
// Data rows of every test table: each filled row of the window prints.
constexpr int kTestRows = 9;

const ReportFont kBold{8, true};

// A section title at the top of its box, bold, left of the box; returns the y of its first row.
qreal addSectionTitle(ReportPage &page, qreal left, qreal y, const QString &title);
// A rule across the frame at y with a section title under it; returns the y of its first row.
qreal addRuledSection(ReportPage &page, qreal y, const QString &title);
// "caption" at captionX and the label `name` from valueX to valueRight, underlined.
ReportElement &addField(ReportPage &page, qreal captionX, qreal valueX, qreal valueRight, qreal y,
                        const QString &caption, const QString &name);

struct Column {
    qreal left;
    const char *head;   // one or two lines
    Qt::Alignment alignment;
};

// A ruled test table from left to right: heads from headTop to headBottom, then (when unitsTop
// is below headBottom) a row for the unit labels unitNames over the columns listed in
// unitColumns, then one memo per column named memoPrefix and two digits from 01, kTestRows
// lines high. Returns the y of the table's bottom rule.
qreal addTestTable(ReportPage &page, const QList<Column> &columns, qreal right, qreal headTop, qreal headHeight,
                   const QStringList &unitNames, const QList<int> &unitColumns, const QString &memoPrefix);

} // namespace Brenvik::WPQRLayout
