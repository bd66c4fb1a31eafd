#pragma once
// The measures of texts in the report fonts, kept from one layout to the next: the captions
// of a form and many of its values ("N/A", "Yes", a process) come back on every document of
// a bulk export and on every page a preview draws, and measuring them again costs more than
// the rest of the layout. A measure depends on the text, the font and, for wrapped lines, the
// width alone, so a kept one is exactly the one measuring again would give. Everything kept
// is let go when the fonts the program knows change, and when the store grows past a bound.

#include "report/reportelement.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

namespace Brenvik {

namespace ReportMeasure {

// Arial at pt points for a device of that resolution, sized so that a painter working in
// 1/96 inch draws it at its true size.
QFont font(const ReportFont &font, int deviceDpi = 96);
// Measured in 1/96 inch, unhinted.
QFontMetricsF metrics(const ReportFont &font);
// The width of one line of text.
qreal advance(const ReportFont &font, const QString &line);
// A paragraph broken into the lines that fit width, at word boundaries where it can, trailing
// blanks dropped; an empty paragraph is one empty line.
QStringList wrapped(const ReportFont &font, const QString &paragraph, qreal width);

// Lets go of every kept measure (done on its own when the application's fonts change).
void clear();
// How many measures are kept (widths and wrapped paragraphs), for tests.
int kept();

} // namespace ReportMeasure

} // namespace Brenvik
