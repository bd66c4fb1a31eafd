#pragma once
// The "What's This?" pop-up menu (PopupMenuHelp) of the labels of the document windows: one
// entry that shows the help of the label's name (the help index decides which, an unknown
// name shows nothing).

class QMenu;
class QWidget;

namespace Brenvik {

// Gives the widget its context menu; the menu is the widget's child named "PopupMenuHelp".
void attachWhatsThisMenu(QWidget *label);

// The menu attached to the widget, or nullptr.
QMenu *whatsThisMenu(QWidget *label);

} // namespace Brenvik
