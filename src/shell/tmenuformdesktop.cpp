// The main window's desktop habits: File > Open Recent in its File menu and the document's,
// a .wrp dropped on the window, Tools > Options, the window's size and place kept between
// runs, and the window grown to show the whole document.

#include "shell/tmenuform.h"

#include "core/documentwindow.h"
#include "core/platform.h"
#include "shell/recentmenu.h"
#include "shell/toptionsdlg.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace Brenvik {

namespace {
const QString kPlace = QStringLiteral("window/geometry");
}

void TmenuForm::addDesktopHabits(QMenu *tools)
{
    connect(m_recent, &RecentMenu::openRequested, this, &TmenuForm::openFromRegister);
    // A document saved (under a new name, too) is a recent one.
    connect(&AppState::instance(), &AppState::changedFlagChanged, this, [this](bool changed) {
        if (DocumentWindow *doc = document())
            if (!changed && !doc->fileName().isEmpty())
                RecentMenu::note(doc->fileName());
    });
    setAcceptDrops(true);
    QAction *options = tools->addAction(QStringLiteral("&Options..."));
    options->setObjectName(QStringLiteral("Options1"));
    connect(options, &QAction::triggered, this, &TmenuForm::options);
}

// The document's own File menu gets the same Open Recent, after its Open.
void TmenuForm::showRecentIn(QMenu *fileMenu)
{
    if (!fileMenu || fileMenu == m_fileMenu || fileMenu->actions().contains(m_recent->menuAction()))
        return;
    const QList<QAction *> actions = fileMenu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (actions.at(i)->shortcut() == QKeySequence(QKeySequence::Open)) {
            fileMenu->insertMenu(actions.value(i + 1, nullptr), m_recent);
            return;
        }
    }
}

void TmenuForm::options()
{
    TOptionsDlg dialog(this);
    dialog.exec();
}

void TmenuForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!RecentMenu::droppedDocument(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TmenuForm::dropEvent(QDropEvent *event)
{
    const QString path = RecentMenu::droppedDocument(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Not inside the drop: the file manager waits for it to end while questions are asked.
    QTimer::singleShot(0, this, [this, path] { openFromRegister(path); });
}

void TmenuForm::restorePlace()
{
    const QByteArray place = QByteArray::fromBase64(platform().setting(kPlace).toLatin1());
    if (!place.isEmpty())
        restoreGeometry(place);
}

void TmenuForm::keepPlace() { platform().setSetting(kPlace, QString::fromLatin1(saveGeometry().toBase64())); }

// The main window grows until the whole document window shows in its client area, never beyond
// the available screen; it keeps its size when the document closes.
void TmenuForm::growToShow(QWidget *sub)
{
    if (isMaximized() || isFullScreen())
        return;
    // The room of the client area without its scroll bars, which go once the document fits.
    const QSize room = m_mdi->contentsRect().size();
    const QSize missing(qMax(0, sub->x() + sub->width() - room.width()),
                        qMax(0, sub->y() + sub->height() - room.height()));
    if (missing.isNull())
        return;
    QSize target = size() + missing;
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(target);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - size(); // title bar and borders of the window manager
    target = target.boundedTo(available.size() - frame);
    resize(target);
    // Keep the grown frame on the screen.
    const QSize outer = target + frame;
    QPoint topLeft = frameGeometry().topLeft();
    topLeft.setX(qBound(available.left(), topLeft.x(), available.right() + 1 - outer.width()));
    topLeft.setY(qBound(available.top(), topLeft.y(), available.bottom() + 1 - outer.height()));
    if (topLeft != frameGeometry().topLeft())
        move(topLeft);
}

bool TmenuForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_docWidget && watched == m_docWidget->parentWidget()) {
        QPointer<QWidget> sub = static_cast<QWidget *>(watched);
        QTimer::singleShot(0, this, [this, sub] {
            if (sub)
                growToShow(sub);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Brenvik
