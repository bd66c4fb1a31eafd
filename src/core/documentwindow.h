#pragma once
// What the main window needs of a document window, whatever its type. The four windows
// (WPDS, PQR, WPQR, WPSR) implement it; the main window creates them through
// DocumentRegistry and never includes their headers.

#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

class QWidget;

namespace Brenvik {

class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;

    // The form type word: "WPDS", "PQR", "WPQR" or "WPSR".
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
    // viewReportClick.
    virtual void preview() = 0;
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
