#pragma once
// What the main window needs of a document window, whatever its type. The four windows
// (WPDS, PQR, WPQR, WPSR) implement it; the main window creates them through
// DocumentRegistry and never includes their headers.

#include "core/picture.h"

#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace Brenvik {

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;

    // The form type word: as its form description gives it.
    virtual QString formType() const = 0;
    // The MDI child's widget (owned by the main window's MDI area once added).
    virtual QWidget *widget() = 0;

    // New: reset to an empty document.
    virtual void resetDocument() = 0;
    // Open: reset, then load every field from the file. Problems that do not stop the load
    // (a bad date, an unreadable picture) are reported by the window itself; false only when
    // nothing could be read.
    virtual bool openFile(const QString &path) = 0;
    // The save dialog's file name: the path later saves write back to.
    virtual void setFileName(const QString &path) = 0;
    virtual QString fileName() const = 0;
    // Save1Click: true when the document was written (picture included).
    virtual bool save() = 0;
    // SaveAs1Click: the save dialog; the chosen file becomes the document's file name; the
    // changed-flag is left as it was.
    virtual void saveAs() = 0;
    // viewReportClick.
    virtual void preview() = 0;
    // The window's own close path (FormClose): the changed-document prompt unless the main
    // window has already asked (ShellHost::promptAlreadyAnswered), then the window is freed
    // (deleteLater). True when it closed.
    virtual bool closeDocument() = 0;
    // The window's own "&File" menu ("&New...", "&Open", "&Save", "Save &As...", "Pre&view",
    // "&Close"); it takes the place of the main window's File entries while the document is
    // active (Qt merges no menus).
    virtual QMenu *fileMenu() = 0;
    // The document's own commands for the main window's Tools menu, shown there while the
    // document is open (the main window owns that menu; Qt merges none).
    virtual QList<QAction *> toolActions() { return {}; }
    // Sets the named fields as the user would: texts, and check boxes and radio buttons by
    // "true" / "false", with their click behaviour; the document is marked changed. Names the
    // window does not have are left out.
    virtual void fillFields(const QList<QPair<QString, QString>> &fields) { Q_UNUSED(fields); }
    // Puts a copy of a picture into the document's sketch, as a paste does; a window without a
    // sketch leaves it out.
    virtual void setSketch(const Picture &picture) { Q_UNUSED(picture); }
};

// Creates document windows by form type; filled once at start-up by the forms.
class DocumentRegistry {
public:
    using Factory = std::function<DocumentWindow *(QWidget *parent)>;
    static DocumentRegistry &instance();
    void add(const QString &formType, Factory factory);
    bool has(const QString &formType) const;
    // nullptr for a type without a window yet.
    DocumentWindow *create(const QString &formType, QWidget *parent) const;
    QStringList types() const;

private:
    QList<QPair<QString, Factory>> m_factories;
};

} // namespace Brenvik
