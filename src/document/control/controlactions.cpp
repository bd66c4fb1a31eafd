#include "document/control/controlactions.h"

#include "core/appstate.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "document/control/approvedialog.h"
#include "document/control/comparedialog.h"
#include "document/control/controlpaper.h"
#include "document/control/controlbar.h"
#include "document/formwindow.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>

namespace Brenvik {

namespace {

const QString kContents = QStringLiteral("contents");

// Set by tests; empty: the dialogs.
ControlActions::ApprovalAsker &approvalAsker()
{
    static ControlActions::ApprovalAsker asker;
    return asker;
}

ControlActions::RevisionAsker &revisionAsker()
{
    static ControlActions::RevisionAsker asker;
    return asker;
}

ControlActions::CompareShower &compareShower()
{
    static ControlActions::CompareShower shower;
    return shower;
}

std::optional<Approval> askApproval(QWidget *parent, const QString &name)
{
    if (approvalAsker())
        return approvalAsker()(parent, name);
    ApproveDialog dialog(name, platform().now().date(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.approval();
}

QString askRevision(QWidget *parent, const QString &current)
{
    if (revisionAsker())
        return revisionAsker()(parent, current);
    return QInputDialog::getText(parent, QObject::tr("Create Revision"),
                                 QObject::tr("The revision is \"%1\". Revision of the new file:").arg(current))
        .trimmed();
}

void showDifferences(QWidget *parent, const QString &before, const QString &after,
                     const QList<FieldDifference> &differences)
{
    if (compareShower()) {
        compareShower()(parent, before, after, differences);
        return;
    }
    CompareDialog dialog(before, after, differences, parent);
    dialog.exec();
}

ProfileFile loadedFile(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    file.load();
    return file;
}

} // namespace

ControlActions::ControlActions(FormWindow *window)
    : QObject(window), m_window(window), m_bar(new ControlBar(window))
{
    setObjectName(QStringLiteral("controlActions"));
    if (auto *layout = qobject_cast<QBoxLayout *>(window->layout()))
        layout->insertWidget(0, m_bar);
    m_approve = addAction(QStringLiteral("approve"), tr("A&pprove..."), &ControlActions::approveClick);
    m_withdraw = addAction(QStringLiteral("withdrawApproval"), tr("&Withdraw Approval..."), &ControlActions::withdrawClick);
    if (!window->table().description.revisionKey.isEmpty())
        m_revise = addAction(QStringLiteral("createRevision"), tr("Create Re&vision..."), &ControlActions::createRevisionClick);
    m_compare = addAction(QStringLiteral("compareWith"), tr("Co&mpare With..."), &ControlActions::compareClick);
    if (QMenu *menu = window->fileMenu())
        menu->insertSeparator(m_approve);
    refresh();
}

ControlActions *ControlActions::of(const FormWindow *window)
{
    return window ? window->findChild<ControlActions *>(QStringLiteral("controlActions"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QAction *ControlActions::findAction(const QKeySequence &shortcut) const
{
    if (QMenu *menu = m_window->fileMenu())
        for (QAction *action : menu->actions())
            if (action->shortcut() == shortcut)
                return action;
    return nullptr;
}

QAction *ControlActions::addAction(const QString &name, const QString &text, void (ControlActions::*handler)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    // Before the separator above Close, after the form's own commands.
    if (QMenu *menu = m_window->fileMenu()) {
        QAction *close = findAction(QKeySequence(Qt::CTRL | Qt::Key_W));
        const QList<QAction *> actions = menu->actions();
        const qsizetype at = actions.indexOf(close);
        menu->insertAction(at > 0 && actions.at(at - 1)->isSeparator() ? actions.at(at - 1) : close, action);
    }
    return action;
}

QString ControlActions::documentName() const
{
    return QFileInfo(m_window->fileName()).fileName();
}

void ControlActions::refresh()
{
    const QString path = m_window->fileName();
    m_statePath = path;
    m_state = path.isEmpty() || !QFileInfo(path).isFile() ? ControlState{} : ControlState::of(loadedFile(path));
    const bool controlled = m_state.record.isControlled();
    m_bar->showState(m_state);
    setReadOnly(controlled);
    m_approve->setEnabled(!controlled);
    m_withdraw->setEnabled(controlled);
    // The bar takes its room above the pages: the fixed window and its frame follow.
    if (m_window->isVisible()) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_window->adjustSize();
        m_window->setFixedSize(m_window->sizeHint());
    }
    if (auto *sub = qobject_cast<QMdiSubWindow *>(m_window->parentWidget()); sub && sub->isVisible()) {
        sub->setMinimumSize(0, 0);
        sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        sub->adjustSize();
        sub->setFixedSize(sub->sizeHint());
    }
}

void ControlActions::setReadOnly(bool readOnly)
{
    // Every field is on a page: the pages stay browsable, their fields cannot be changed.
    if (QTabWidget *pages = m_window->PageControl1())
        for (int i = 0; i < pages->count(); ++i)
            pages->widget(i)->setEnabled(!readOnly);
    for (const QKeySequence &key : {QKeySequence(QKeySequence::Save), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)})
        if (QAction *action = findAction(key))
            action->setEnabled(!readOnly);
}

bool ControlActions::maySave()
{
    if (!m_state.record.isControlled())
        return true;
    errorBox(tr("Error"), tr("%1 is %2 and was not saved: create a revision to change it.")
                              .arg(QDir::toNativeSeparators(m_statePath),
                                   ControlRecord::statusWord(m_state.record.status).toLower()));
    return false;
}

bool ControlActions::savedAndCurrent(const QString &command)
{
    const QString path = m_window->fileName();
    const bool changed = AppState::instance().changed()
        && AppState::instance().currentDocument() == static_cast<DocumentWindow *>(m_window);
    if (path.isEmpty() || changed || !QFileInfo(path).isFile()) {
        infoBox(tr("Information"), tr("Save the document first: %1 works on the saved file.").arg(command));
        return false;
    }
    // What the file holds must be what the window shows: another user may have saved it since.
    const ProfileFile disk = loadedFile(path);
    ProfileFile shown(path, ProfileFile::Kind::Document);
    for (const auto &[key, value] : DocumentWalk(m_window->table()).saveEntries(m_window->values()))
        shown.setValue(DocumentWalk::kSection, key, value);
    if (!DocumentCompare(m_window->table()).compare(disk, shown, {}, {}).isEmpty()) {
        errorBox(tr("Error"), tr("%1 has been changed on disk since it was opened here. Open it again before "
                                 "the %2.")
                                  .arg(QDir::toNativeSeparators(path), command));
        return false;
    }
    return true;
}

void ControlActions::approveClick()
{
    if (m_state.record.isControlled() || !savedAndCurrent(tr("approval")))
        return;
    const std::optional<Approval> approval = askApproval(m_window, documentName());
    if (!approval)
        return;
    QString note;
    const QString path = m_window->fileName();
    const QString error = DocumentControl::approveRevision(
        path, *approval,
        [](const QString &earlier) {
            return platform().askYesNo(tr("Confirm"),
                                       tr("This document is a revision of %1. Mark %1 as superseded by it now?")
                                           .arg(earlier));
        },
        &note);
    if (!error.isEmpty()) {
        errorBox(tr("Error"), error);
        return;
    }
    m_window->openFile(path);
    if (!note.isEmpty())
        infoBox(tr("Information"), note);
}

void ControlActions::withdrawClick()
{
    if (!m_state.record.isControlled())
        return;
    if (!platform().askYesNo(tr("Confirm"), tr("Withdraw the approval of %1? It goes back to Draft and can be changed; "
                                               "the approval and its signature picture are removed.")
                                                .arg(documentName())))
        return;
    const QString path = m_window->fileName();
    if (const QString error = DocumentControl::withdraw(path); !error.isEmpty()) {
        errorBox(tr("Error"), error);
        return;
    }
    m_window->openFile(path);
}

void ControlActions::createRevisionClick()
{
    if (!savedAndCurrent(tr("a revision")))
        return;
    const QString path = m_window->fileName();
    const FormDescription &description = m_window->table().description;
    const ProfileFile file = loadedFile(path);
    const QString current = file.value(kContents, description.revisionKey).trimmed();
    QString next = DocumentControl::nextRevision(current);
    if (next.isEmpty())
        next = askRevision(m_window, current);
    if (next.isEmpty())
        return;
    FileDialogOptions options;
    options.title = tr("Save Revision");
    options.filter = description.fileFilter;
    options.defaultSuffix = kDocumentSuffix;
    options.fileName = DocumentControl::revisionFileName(path, file.value(kContents, description.numberKey), next);
    options.overwritePrompt = true;
    const QString target = platform().saveFile(options);
    if (target.isEmpty())
        return;
    const QString error =
        DocumentControl::createRevision(path, target, next, platform().now().date(), description);
    if (!error.isEmpty()) {
        errorBox(tr("Error"), error);
        return;
    }
    m_window->openFile(target);
}

void ControlActions::compareClick()
{
    if (!savedAndCurrent(tr("the compare")))
        return;
    FileDialogOptions options;
    options.title = tr("Compare With");
    options.filter = m_window->table().description.fileFilter;
    options.fileName = QFileInfo(m_window->fileName()).absolutePath() + QLatin1Char('/');
    const QString other = platform().openFile(options);
    if (other.isEmpty())
        return;
    ProfileFile mine = loadedFile(m_window->fileName());
    ProfileFile theirs(other, ProfileFile::Kind::Document);
    if (!theirs.load() || !theirs.hasSection(kContents)) {
        errorBox(tr("Error"), tr("%1 cannot be read as a welding document.").arg(QDir::toNativeSeparators(other)));
        return;
    }
    const QString type = theirs.value(kContents, QStringLiteral("formType"));
    if (type != m_window->formType()) {
        const FormDescription *d = FormDescriptions::find(type);
        errorBox(tr("Error"), tr("%1 is %2, not a %3: only documents of one type are compared.")
                                  .arg(QFileInfo(other).fileName(), d ? tr("a ") + d->shownAs : tr("no document of a known type"),
                                       m_window->table().description.shownAs));
        return;
    }
    // The earlier revision on the left, whichever was opened.
    const bool mineIsLater = m_state.record.supersedes.compare(QFileInfo(other).fileName(), Qt::CaseInsensitive) == 0;
    const ProfileFile &before = mineIsLater ? theirs : mine;
    const ProfileFile &after = mineIsLater ? mine : theirs;
    const QList<FieldDifference> differences = DocumentCompare(m_window->table())
                                                   .compare(before, after, pictureBytesOf(before.path()),
                                                            pictureBytesOf(after.path()));
    showDifferences(m_window, before.path(), after.path(), differences);
}

void ControlActions::decorate(FormReport &report) const
{
    ControlPaper::decorate(report, m_state.record, m_statePath);
}

void ControlActions::setApprovalAsker(ApprovalAsker asker)
{
    approvalAsker() = std::move(asker);
}

void ControlActions::setRevisionAsker(RevisionAsker asker)
{
    revisionAsker() = std::move(asker);
}

void ControlActions::setCompareShower(CompareShower shower)
{
    compareShower() = std::move(shower);
}

} // namespace Brenvik
