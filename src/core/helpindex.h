#pragma once
// The help look-up: the main window's help index (control name -> context number of
// zor.hlp, the lines of popupHelpIndex), the reader of zor.hlp, and the "What's This?" /
// Tips entry point that pops a context up through the platform.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace Brenvik {

struct HelpTopic {
    int context = -1;
    QString title;
    QString text; // paragraphs separated by an empty line
    bool isValid() const { return context >= 0; }
};

// The help index in its order: "Company_Name" -> 1001, "RevisionNo" -> 1006, ...
const QList<QPair<QString, int>> &helpIndex();

// The context of a control name, without regard to letter case; -1 when the name is unknown.
int helpContext(const QString &controlName);

// "What's This?" on a control: the pop-up of its context; an unknown name does nothing.
void showHelpForName(const QString &controlName);

// A topic of zor.hlp in the data folder; invalid when the file or the topic is missing.
HelpTopic helpTopic(int context);
// The same from the bytes of a help file (UTF-8).
HelpTopic parseHelpTopic(const QByteArray &helpFile, int context);

} // namespace Brenvik
