#pragma once
// The main window: the MDI parent of the one open document window, the program-wide commands
// (New, Open, Save, Preview, Close, User Information, the batch editor, About), the
// changed-document prompt and the enabling of the tool buttons. Document windows reach it
// through ShellHost.

#include "core/appstate.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>

class QMdiArea;
class QToolBar;
class QToolButton;

namespace Brenvik {

class DocumentWindow;
class RecentMenu;
class RegisterDock;

class TmenuForm : public QMainWindow, public ShellHost {
    Q_OBJECT
public:
    explicit TmenuForm(QWidget *parent = nullptr);
    ~TmenuForm() override;

    // ShellHost
    void newDocument() override;
    void openDocument() override;
    void userInformation() override;
    void about() override;
    void quit() override;
    // Help > User Guide: the guide shipped beside the program, in the desktop's browser.
    void userGuide();
    void checkButton() override;
    bool changedDocumentPrompt() override;
    bool promptAlreadyAnswered() const override { return m_promptAnswered; }
    DocumentWindow *newDocumentOfType(const QString &formType) override;

    // Open by type: the file in the window of its form type. False when nothing was opened.
    bool openByType(const QString &path);
    // A file named on the command line: Open without the dialog.
    void openPath(const QString &path);
    // A double click in the Document Register: Open without the dialog, prompt included.
    void openFromRegister(const QString &path);
    void saveFileClick();
    void previewReportClick();
    void duplicatorClick();
    // Tools > Options.
    void options();

    DocumentWindow *document() const;
    QMdiArea *mdiArea() const { return m_mdi; }
    QToolButton *toolButton(const QString &name) const;
    QAction *menuAction(const QString &name) const;
    // The File menu in the menu bar now: the main one, or the document's own.
    QMenu *activeFileMenu() const { return m_shownFileMenu.data(); }
    QMenu *mainFileMenu() const { return m_fileMenu; }
    RegisterDock *registerDock() const { return m_register; }
    RecentMenu *recentMenu() const { return m_recent; }

    // The tile of the client area's background.
    static QPixmap backgroundTile();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A .wrp dropped from the file manager opens as File > Open does.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    // The document's frame grew (a bar above its pages): the window grows with it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window of a form type, shown: the open document of another type is closed first,
    // the type's window is made when missing. nullptr when that cannot be done.
    DocumentWindow *documentOfType(const QString &formType);
    // The document says it is going (or is gone): let go of it now, update menus and buttons
    // once the event loop is back.
    void documentClosing(QObject *window);
    void growToShow(QWidget *subWindow);
    void updateFileMenu();
    void updateToolsMenu();
    void addRegisterDock(QMenu *viewMenu);
    // The desktop's habits (tmenuformdesktop.cpp): File > Open Recent, drops, Tools > Options,
    // and the window's size and place kept between runs.
    void addDesktopHabits(QMenu *tools);
    void showRecentIn(QMenu *fileMenu);
    void restorePlace();
    void keepPlace();
    QToolButton *addToolButton(const QString &name, const QString &glyph, const QString &hint, QAction *command);

    QMdiArea *m_mdi;
    QToolBar *m_coolBar;
    QMenu *m_fileMenu = nullptr;
    QPointer<QMenu> m_shownFileMenu;
    // The File entry of the menu bar: the main menu's, or the document's while it lasts.
    QPointer<QAction> m_fileMenuAction;
    QMenu *m_toolsMenu = nullptr;
    // The open document's commands shown in Tools, after a separator of their own.
    QAction *m_toolsSeparator = nullptr;
    QList<QPointer<QAction>> m_shownToolActions;
    RegisterDock *m_register = nullptr;
    RecentMenu *m_recent = nullptr;
    // The open document, guarded: no pointer outlives it. Its type word, to tell the program
    // state when it has gone.
    QPointer<QWidget> m_docWidget;
    QString m_docType;
    bool m_promptAnswered = false;
};

} // namespace Brenvik
