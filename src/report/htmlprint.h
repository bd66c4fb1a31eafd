#pragma once
// A list a dialog shows (a check's verdicts, a compare's differences) printed as an HTML
// table: the print dialog, landscape, then the text laid out on the printer's pages.

#include <QSize>
#include <QString>

#include <functional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace Brenvik {

// Asks for the printer first; nothing is printed when the dialog is cancelled.
void printHtml(const QString &html, QWidget *parent);

// The buttons of a dialog showing such a list: Copy puts text() on the clipboard, Print...
// prints html(), Close accepts the dialog.
QDialogButtonBox *reportButtons(QDialog *dialog, std::function<QString()> text, std::function<QString()> html);

// The dialog at size, never above 95 % of the screen it opens on (its parent's).
void resizeWithinScreen(QWidget *dialog, QSize size, const QWidget *parent);

} // namespace Brenvik
