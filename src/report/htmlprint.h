#pragma once
// A list a dialog shows (a check's verdicts, a compare's differences) printed as an HTML
// table: the print dialog, landscape, then the text laid out on the printer's pages.

#include <QString>

class QWidget;

namespace Brenvik {

// Asks for the printer first; nothing is printed when the dialog is cancelled.
void printHtml(const QString &html, QWidget *parent);

} // namespace Brenvik
