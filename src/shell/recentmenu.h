#pragma once
// File > Open Recent and the desktop's ways of handing the program a document: the recent
// documents as a menu, read afresh each time it opens, so that every window and run of the
// user shows the same list; and the document of a drag from the file manager.

#include "core/recentfiles.h"

#include <QMenu>

class QMimeData;

namespace Brenvik {

class RecentMenu : public QMenu {
    Q_OBJECT
public:
    explicit RecentMenu(QWidget *parent);

    // The list as the user's preferences keep it.
    static RecentFiles current();
    // A document opened, saved or closed goes first on the list (when it is a file).
    static void note(const QString &path);

    // The .wrp document of a drop: the first local file whose name ends in .wrp (any letter
    // case); empty when the drop holds none.
    static QString droppedDocument(const QMimeData *mime);

Q_SIGNALS:
    // An entry was chosen whose document is there.
    void openRequested(const QString &path);

private:
    void rebuild();
    void choose(const QString &path);
};

} // namespace Brenvik
