#pragma once
// The batch editor's window ("File Batch Editor/Duplicator"): a list of document files, a
// new company name and address, and a run that writes them into the files in place or into
// copies. The run itself is DuplicatorRun; this window gathers its inputs, answers its
// questions and shows its log and progress.

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace Brenvik {

class TDuplicator : public QDialog {
    Q_OBJECT
public:
    explicit TDuplicator(QWidget *parent = nullptr);

    // The listed source files, in list order.
    QStringList sourceFiles() const;
    // Adds paths as addFileClick does with the chosen files: each path once.
    void addSourceFiles(const QStringList &paths);
    bool isRunning() const { return m_running; }

    void addFileClick();
    void selAllClick();
    void removeSelClick();
    void rbCopyClick();
    void openPathClick();
    void openUserInfoClick();
    void actionBtnClick();
    void helpTipClick();

    // The Cancel button of a running run: stops it before the next file.
    void cancelRun() { m_cancelRequested = true; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    class RunListener;
    void buildControls();
    void setRunning(bool running);

    QTreeWidget *m_sourceFile = nullptr;
    QPushButton *m_addFile = nullptr;
    QPushButton *m_selAll = nullptr;
    QPushButton *m_removeSel = nullptr;
    QGroupBox *m_groupBox1 = nullptr;
    QRadioButton *m_rbModify = nullptr;
    QRadioButton *m_rbCopy = nullptr;
    QLabel *m_pathLbl = nullptr;
    QLineEdit *m_newPath = nullptr;
    QToolButton *m_openPath = nullptr;
    QGroupBox *m_groupBox7 = nullptr;
    QLineEdit *m_companyName = nullptr;
    QLineEdit *m_address = nullptr;
    QToolButton *m_openUserInfo = nullptr;
    QPushButton *m_actionBtn = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QPushButton *m_okBtn = nullptr;
    QToolButton *m_helpTip = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancelBtn = nullptr;
    bool m_running = false;
    bool m_cancelRequested = false;
};

} // namespace Brenvik
