#pragma once
// The memo dialog: canned paragraphs for one memo of a document window, kept per memo as
// named topics in the user-data store. Shipped (fixed) topics can be used but not changed;
// the user saves and deletes topics of their own. OK puts the chosen text into the memo.

#include "userdata/namedentryeditor.h"

#include <QPlainTextEdit>
#include <QPointer>

namespace Brenvik {

class TuserMemoDlg : public NamedEntryEditor {
    Q_OBJECT
public:
    // Made the first time a window needs it; every showing starts clean.
    static TuserMemoDlg *instance(QWidget *parent = nullptr);

    // owner: the memo's window name (its form type word); the memo's objectName is its name. Held
    // weakly: a freed window is no target.
    void setTarget(const QString &owner, QPlainTextEdit *memo);
    QString memoSection() const;
    // setTarget, then the modal showing.
    int showFor(const QString &owner, QPlainTextEdit *memo);

protected:
    QList<Entry> entries(const UserDataStore &store) const override;
    bool canStore() const override { return bool(m_targetMemo); }
    void prepareShowing(const UserDataStore &store, bool present) override;
    void showContent(const Entry &entry) override;
    void clearContent() override;
    QStringList takeTargetContent() override;
    QStringList contentTexts() const override;
    bool writeEntry(UserDataStore &store, const QString &name) override;
    void removeEntry(UserDataStore &store, const QString &name) override;
    void copyToTarget() override;

private:
    explicit TuserMemoDlg(QWidget *parent = nullptr);

    QString m_owner;
    QPointer<QPlainTextEdit> m_targetMemo;
    QPlainTextEdit *m_memoText = nullptr;
};

} // namespace Brenvik
