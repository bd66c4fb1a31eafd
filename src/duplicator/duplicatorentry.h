#pragma once
// The main window's way into the batch editor (Tools > "Form Batch Editor/Duplicator ...").

class QWidget;

namespace Brenvik {

// Shows the batch editor modally over parent; returns when the user closes it.
void openDuplicator(QWidget *parent);

} // namespace Brenvik
