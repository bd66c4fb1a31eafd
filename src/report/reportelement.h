#pragma once
// One element of a report page: a row of the page's table (kind, name, x, y, width, height,
// text, font, alignment), in 1/96 inch from the origin of the page's band.

#include "core/picture.h"

#include <QRectF>
#include <QString>
#include <QtGlobal>

namespace Brenvik {

enum class ElementKind {
    Caption,    // fixed text, one or more lines ("fixed heads" are captions of two lines)
    Label,      // data: one line, or word-wrapped within its height
    Memo,       // data: several lines
    Image,      // data: a picture fitted into the box, proportions kept, centred
    HRule,      // thin line from x to x + width at y
    VRule,      // thin line from y to y + height at x
    Box,        // thin rectangle
    PrintedOn,  // its text, then the current date "d MMM yyyy" and time (regional format)
};

struct ReportFont {
    qreal pointSize = 8;
    bool bold = false;
    QString family = QStringLiteral("Arial");
};

struct ReportElement {
    ElementKind kind = ElementKind::Caption;
    QString name;
    // Width 0: a text runs up to the next element or vertical rule of its row. Height 0: one line
    // for captions and labels, down to the foot of the band for memos.
    qreal x = 0, y = 0, width = 0, height = 0;
    QString text;                 // caption, label text, memo lines joined with '\n'
    QString designText;           // what a data element shows until a field fills it
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = false;        // labels two lines high and free-text memos wrap
    bool breaksAsBlanks = false;  // memo filled as one paragraph: line breaks become blanks
    Picture picture;

    bool isText() const
    {
        return kind == ElementKind::Caption || kind == ElementKind::Label
            || kind == ElementKind::Memo || kind == ElementKind::PrintedOn;
    }
    bool isData() const { return kind == ElementKind::Label || kind == ElementKind::Memo; }
};

} // namespace Brenvik
