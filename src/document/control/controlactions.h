#pragma once
// Document control in a document window: File > "Approve...", "Withdraw Approval...",
// "Create Revision..." (forms with a revision number) and "Compare With...", the read-only
// state of an approved or superseded document and the bar above its pages. The window makes
// one at its creation and calls refresh() after every open and reset and maySave() before a
// save; the decisions themselves are DocumentControl's.

#include "document/control/controlrecord.h"
#include "document/control/documentcompare.h"
#include "document/control/documentcontrol.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;

namespace Brenvik {

class ControlBar;
class FormReport;
class FormWindow;
class ProfileFile;

class ControlActions : public QObject {
    Q_OBJECT
public:
    explicit ControlActions(FormWindow *window);
    // The window's own, or nullptr.
    static ControlActions *of(const FormWindow *window);

    // Reads the status of the window's file: read-only and the bar for a controlled document.
    void refresh();
    // Save / Save As of a controlled document: false after saying why.
    bool maySave();
    const ControlState &state() const { return m_state; }
    ControlBar *bar() const { return m_bar; }

    // The report as the status has it: "SUPERSEDED" or (a draft whose status key says so)
    // "DRAFT" across every page, and the approvals in the bottom margin of the last page.
    void decorate(FormReport &report) const;

    void approveClick();
    void withdrawClick();
    void createRevisionClick();
    void compareClick();

    // The dialogs, replaceable by tests (an empty function brings the dialog back): the
    // approval (nothing when cancelled), a revision that is no whole number (empty when
    // cancelled), and the compare list.
    using ApprovalAsker = std::function<std::optional<Approval>(QWidget *parent, const QString &documentName)>;
    using RevisionAsker = std::function<QString(QWidget *parent, const QString &current)>;
    using CompareShower = std::function<void(QWidget *parent, const QString &before, const QString &after,
                                             const QList<FieldDifference> &differences)>;
    static void setApprovalAsker(ApprovalAsker asker);
    static void setRevisionAsker(RevisionAsker asker);
    static void setCompareShower(CompareShower shower);

private:
    // The window's file, saved and as the window shows it; else false after saying why.
    bool savedAndCurrent(const QString &command);
    void setReadOnly(bool readOnly);
    QAction *findAction(const QKeySequence &shortcut) const;
    QAction *addAction(const QString &name, const QString &text, void (ControlActions::*handler)());
    QString documentName() const;

    FormWindow *m_window;
    ControlBar *m_bar;
    ControlState m_state;
    QString m_statePath; // the file the state was read from (a resave renames the window before saving)
    QAction *m_approve = nullptr;
    QAction *m_withdraw = nullptr;
    QAction *m_revise = nullptr;
    QAction *m_compare = nullptr;
};

} // namespace Brenvik
