#pragma once
// The memo dialog: canned paragraphs for one memo of a document window, kept per memo as
// named topics in the user-data store. Shipped (fixed) topics can be used but not changed;
// the user saves and deletes topics of their own. OK puts the chosen text into the memo.

#include <QDialog>
#include <QPointer>

class QComboBox;
#include <QPlainTextEdit>
class QPushButton;
class QToolButton;

namespace Brenvik {

class UserDataStore;

class TuserMemoDlg : public QDialog {
    Q_OBJECT
public:
    // Made the first time a window needs it; every showing starts clean.
    static TuserMemoDlg *instance(QWidget *parent = nullptr);

    // owner: the memo's window name (its form type word); the memo's objectName is its name. Held
    // weakly: a freed window is no target.
    void setTarget(const QString &owner, QPlainTextEdit *memo);
    QPlainTextEdit *targetMemo() const { return m_targetMemo; }
    QString memoSection() const;
    // setTarget, then the modal showing.
    int showFor(const QString &owner, QPlainTextEdit *memo);

    void FormActivate();
    void loadTopicList();
    void showTopicText();
    void matchTopic();
    void saveTopic();
    void deleteTopic();

    void memoTopicChange();
    void saveMemoClick();
    void deleteMemoClick();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    explicit TuserMemoDlg(QWidget *parent = nullptr);

    void loadTopicList(const UserDataStore &store);
    void showTopicText(const UserDataStore &store);
    void matchTopic(const UserDataStore &store, bool present);
    void setTopicText(const QString &text);

    QString m_owner;
    QPointer<QPlainTextEdit> m_targetMemo;

    QComboBox *m_memoTopic = nullptr;
    QToolButton *m_saveMemo = nullptr;
    QToolButton *m_deleteMemo = nullptr;
    QPlainTextEdit *m_memoText = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Brenvik
