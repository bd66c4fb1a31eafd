#pragma once
// Program-wide state in one place: the changed-flag, the current document, the created-flags
// and the data folder, plus the commands of the main window that document windows call back
// into (ShellHost). Document windows reach all of this without knowing the main window.

#include "core/datafolders.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

namespace Brenvik {

class DocumentWindow;

// The main window's commands as a document window sees them.
class ShellHost {
public:
    virtual ~ShellHost() = default;
    virtual void newDocument() = 0;        // File > New
    virtual void openDocument() = 0;       // File > Open
    virtual void userInformation() = 0;    // Tools > User Information
    virtual void about() = 0;              // Help > About
    virtual void quit() {}                 // File > Quit: the main window's close
    virtual void checkButton() = 0;        // tool-button enabling
    // The changed-document prompt; true when the pending action may go on.
    virtual bool changedDocumentPrompt() = 0;
    // True while the main window has already asked for the action that closes the document.
    virtual bool promptAlreadyAnswered() const = 0;
    // An empty document of the type in the main window, as New makes it, without a further
    // prompt: the caller has run the changed-document prompt. nullptr when none could be made.
    virtual DocumentWindow *newDocumentOfType(const QString &formType)
    {
        Q_UNUSED(formType);
        return nullptr;
    }
};

class AppState : public QObject {
    Q_OBJECT
public:
    static AppState &instance();

    bool changed() const { return m_changed; }
    void setChanged(bool changed);

    DocumentWindow *currentDocument() const { return m_current; }
    void setCurrentDocument(DocumentWindow *doc) { m_current = doc; }

    bool isCreated(const QString &windowName) const { return m_created.contains(windowName); }
    void setCreated(const QString &windowName, bool created);
    void clearCreated() { m_created.clear(); }

    QString lastOpenedPath() const { return m_lastOpened; }
    void setLastOpenedPath(const QString &path) { m_lastOpened = path; }

    // The folders of the side files (see DataFolders). Until the start chooses them, the folder
    // BRENVIK_DATA names, else the program's folder, serves for everything.
    DataFolders dataFolders() const;
    void setDataFolders(const DataFolders &folders) { m_folders = folders; }
    // The folder of the writable side files, zoru.dat and zordrw.dat.
    QString dataDir() const { return dataFolders().dataDir(); }
    // One folder for everything (the tests' temporary folders).
    void setDataDir(const QString &dir) { m_folders = DataFolders(dir); }
    // A writable side file, in the data folder.
    QString dataFile(const QString &name) const { return dataFolders().dataFile(name); }
    // A read-only side file (zorc.dat, zor.hlp, userguide.html, sketch pictures), where it is
    // found first; when nowhere, its path in the data folder.
    QString sideFile(const QString &name) const { return dataFolders().findFile(name); }

    ShellHost *host() const { return m_host; }
    void setHost(ShellHost *host) { m_host = host; }

    // True for the headless command-line modes: no dialog, no question.
    bool headless() const { return m_headless; }
    void setHeadless(bool headless) { m_headless = headless; }

    // A document window says so before it goes (its close path, or its destructor when it is
    // freed with its parent): whoever shows it drops it while it is still whole.
    void announceClosing(QObject *window) { Q_EMIT documentClosing(window); }

Q_SIGNALS:
    void changedFlagChanged(bool changed);
    void documentClosing(QObject *window);

private:
    AppState() = default;
    bool m_changed = false;
    DocumentWindow *m_current = nullptr;
    QSet<QString> m_created;
    QString m_lastOpened;
    DataFolders m_folders;
    ShellHost *m_host = nullptr;
    bool m_headless = false;
};

} // namespace Brenvik
