#include "duplicator/tduplicator.h"

#include "core/platform.h"
#include "duplicator/duplicatorrun.h"
#include "userdata/userdatahooks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Brenvik {

// Answers the run's questions with the program's message boxes and keeps the window alive
// between files, so Cancel can be pressed during a long run.
class TDuplicator::RunListener : public DuplicatorRun::Listener {
public:
    explicit RunListener(TDuplicator &dialog) : m_dialog(dialog) {}

    bool confirmModify() override
    {
        return confirmBox(QStringLiteral("Warning"),
                          QStringLiteral("The user information in all of the source files will be modified.\n"
                                         "Modify the source files?"));
    }
    bool confirmCreateFolder(const QString &folder) override
    {
        return confirmBox(QStringLiteral("Confirmation"), folder + QStringLiteral("\n does not exist. Create it?"));
    }
    void logLine(const QString &line) override { m_dialog.m_log->appendPlainText(line); }
    void progress(int done, int total) override
    {
        m_dialog.m_progress->setMaximum(qMax(total, 1));
        m_dialog.m_progress->setValue(done);
    }
    bool cancelRequested() override
    {
        QCoreApplication::processEvents();
        return m_dialog.m_cancelRequested;
    }

private:
    TDuplicator &m_dialog;
};

TDuplicator::TDuplicator(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Duplicator"));
    setWindowTitle(QStringLiteral("File Batch Editor/Duplicator"));
    buildControls();
    rbCopyClick();
}

void TDuplicator::buildControls()
{
    auto named = [](auto *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    auto speedButton = [this, &named](const char *name, QStyle::StandardPixmap icon, const QString &hint) {
        auto *button = named(new QToolButton(this), name);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(hint);
        button->setAutoRaise(true);
        return button;
    };

    m_sourceFile = named(new QTreeWidget(this), "sourceFile");
    m_sourceFile->setHeaderLabels({QStringLiteral("Source Files")});
    m_sourceFile->setColumnWidth(0, 300);
    m_sourceFile->setRootIsDecorated(false);
    m_sourceFile->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_sourceFile->setMinimumWidth(320);

    m_addFile = named(new QPushButton(QStringLiteral("Add ..."), this), "addFile");
    m_selAll = named(new QPushButton(QStringLiteral("Select All"), this), "selAll");
    m_removeSel = named(new QPushButton(QStringLiteral("Remove Selected"), this), "removeSel");

    m_groupBox1 = named(new QGroupBox(QStringLiteral(" Operation "), this), "GroupBox1");
    m_rbModify = named(new QRadioButton(QStringLiteral("Modify Existing Files"), m_groupBox1), "rbModify");
    m_rbCopy = named(new QRadioButton(QStringLiteral("Copy and Modify New Files"), m_groupBox1), "rbCopy");
    m_pathLbl = named(new QLabel(QStringLiteral("Path of New Files:"), m_groupBox1), "pathLbl");
    m_newPath = named(new QLineEdit(m_groupBox1), "newPath");
    m_openPath = speedButton("openPath", QStyle::SP_DirOpenIcon, QString());
    m_openPath->setParent(m_groupBox1);
    m_pathLbl->setBuddy(m_newPath);

    m_groupBox7 = named(new QGroupBox(QStringLiteral(" New Company Name And Address "), this), "GroupBox7");
    auto *companyLabel = named(new QLabel(QStringLiteral("Company Name:"), m_groupBox7), "company_Name");
    m_companyName = named(new QLineEdit(m_groupBox7), "companyName");
    auto *addressLabel = named(new QLabel(QStringLiteral("Address:"), m_groupBox7), "Label2");
    m_address = named(new QLineEdit(m_groupBox7), "address");
    m_openUserInfo = speedButton("openUserInfo", QStyle::SP_FileDialogContentsView, QStringLiteral("Import from file"));
    m_openUserInfo->setParent(m_groupBox7);
    companyLabel->setBuddy(m_companyName);
    addressLabel->setBuddy(m_address);

    m_actionBtn = named(new QPushButton(QStringLiteral("Action !"), this), "actionBtn");
    m_actionBtn->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    m_progress = named(new QProgressBar(this), "progress");
    m_progress->setTextVisible(true);
    m_cancelBtn = named(new QPushButton(QStringLiteral("Cancel"), this), "cancelRun");

    m_log = named(new QPlainTextEdit(this), "log");
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_okBtn = named(new QPushButton(QStringLiteral("Close"), this), "OKBtn");
    m_okBtn->setDefault(true);
    m_helpTip = speedButton("helpTip", QStyle::SP_MessageBoxQuestion, QStringLiteral("Tips"));

    // Source list with its buttons.
    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(m_addFile);
    listButtons->addWidget(m_selAll);
    listButtons->addWidget(m_removeSel);
    listButtons->addStretch();
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_sourceFile, 1);
    listRow->addLayout(listButtons);

    auto *operation = new QGridLayout(m_groupBox1);
    operation->addWidget(m_rbModify, 0, 0, 1, 3);
    operation->addWidget(m_rbCopy, 1, 0, 1, 3);
    operation->addWidget(m_pathLbl, 2, 0);
    operation->addWidget(m_newPath, 2, 1);
    operation->addWidget(m_openPath, 2, 2);

    auto *company = new QGridLayout(m_groupBox7);
    company->addWidget(companyLabel, 0, 0);
    company->addWidget(m_companyName, 0, 1);
    company->addWidget(m_openUserInfo, 0, 2, 2, 1);
    company->addWidget(addressLabel, 1, 0);
    company->addWidget(m_address, 1, 1);

    auto *actionRow = new QHBoxLayout;
    actionRow->addWidget(m_actionBtn);
    actionRow->addWidget(m_progress, 1);
    actionRow->addWidget(m_cancelBtn);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_helpTip);
    bottom->addStretch();
    bottom->addWidget(m_okBtn);

    auto *top = new QVBoxLayout(this);
    top->addLayout(listRow, 2);
    top->addWidget(m_groupBox1);
    top->addWidget(m_groupBox7);
    top->addLayout(actionRow);
    top->addWidget(m_log, 2);
    top->addLayout(bottom);

    m_progress->hide();
    m_cancelBtn->hide();
    resize(560, 640);

    connect(m_addFile, &QPushButton::clicked, this, &TDuplicator::addFileClick);
    connect(m_selAll, &QPushButton::clicked, this, &TDuplicator::selAllClick);
    connect(m_removeSel, &QPushButton::clicked, this, &TDuplicator::removeSelClick);
    connect(m_rbModify, &QRadioButton::clicked, this, &TDuplicator::rbCopyClick);
    connect(m_rbCopy, &QRadioButton::clicked, this, &TDuplicator::rbCopyClick);
    connect(m_openPath, &QToolButton::clicked, this, &TDuplicator::openPathClick);
    connect(m_openUserInfo, &QToolButton::clicked, this, &TDuplicator::openUserInfoClick);
    connect(m_actionBtn, &QPushButton::clicked, this, &TDuplicator::actionBtnClick);
    connect(m_okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_helpTip, &QToolButton::clicked, this, &TDuplicator::helpTipClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &TDuplicator::cancelRun);
}

QStringList TDuplicator::sourceFiles() const
{
    QStringList paths;
    for (int i = 0; i < m_sourceFile->topLevelItemCount(); ++i)
        paths << m_sourceFile->topLevelItem(i)->text(0);
    return paths;
}

void TDuplicator::addSourceFiles(const QStringList &paths)
{
    QStringList listed = sourceFiles();
    for (const QString &path : paths) {
        if (path.isEmpty() || listed.contains(path))
            continue;
        new QTreeWidgetItem(m_sourceFile, QStringList{path});
        listed << path;
    }
}

void TDuplicator::addFileClick()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Add Source Files");
    options.filter = documentFilter(QStringLiteral("Welding Form Files"), QStringLiteral("All Files"));
    addSourceFiles(platform().openFiles(options));
}

void TDuplicator::selAllClick()
{
    m_sourceFile->selectAll();
}

void TDuplicator::removeSelClick()
{
    qDeleteAll(m_sourceFile->selectedItems());
}

void TDuplicator::rbCopyClick()
{
    if (!m_rbModify->isChecked() && !m_rbCopy->isChecked())
        m_rbCopy->setChecked(true);
    const bool copy = m_rbCopy->isChecked();
    m_pathLbl->setEnabled(copy);
    m_newPath->setEnabled(copy);
    m_openPath->setEnabled(copy);
    QPalette palette = m_newPath->palette();
    const QPalette standard = QApplication::palette(m_newPath);
    palette.setColor(QPalette::Base, copy ? standard.color(QPalette::Base) : standard.color(QPalette::Button));
    m_newPath->setPalette(palette);
    m_actionBtn->setText(copy ? QStringLiteral("Copy And Modify!") : QStringLiteral("Modify!"));
}

void TDuplicator::openPathClick()
{
    const QString folder = platform().browseFolder(
        QStringLiteral("Browse for Folder"), QStringLiteral("Please select the destination folder of the new files."),
        m_newPath->text());
    if (!folder.isEmpty())
        m_newPath->setText(folder);
}

void TDuplicator::openUserInfoClick()
{
    UserDataDialogs::openUserInfo(m_companyName, m_address);
}

void TDuplicator::helpTipClick()
{
    platform().showHelp(1502);
}

void TDuplicator::actionBtnClick()
{
    if (m_running)
        return;
    DuplicatorRun::Settings settings;
    settings.sources = sourceFiles();
    settings.mode = m_rbCopy->isChecked() ? DuplicatorRun::Mode::Copy : DuplicatorRun::Mode::Modify;
    settings.newPath = m_newPath->text();
    settings.company = m_companyName->text();
    settings.address = m_address->text();

    RunListener listener(*this);
    DuplicatorRun run(settings, listener);
    // No hourglass: the window stays live for Cancel and shows its own progress.
    setRunning(true);
    run.run();
    setRunning(false);
}

void TDuplicator::setRunning(bool running)
{
    m_running = running;
    m_cancelRequested = false;
    const QList<QWidget *> controls{m_sourceFile, m_addFile,  m_selAll,    m_removeSel, m_groupBox1,
                                    m_groupBox7,  m_actionBtn, m_okBtn,    m_helpTip};
    for (QWidget *control : controls)
        control->setEnabled(!running);
    m_progress->setValue(0);
    m_progress->setVisible(running);
    m_cancelBtn->setVisible(running);
    if (running)
        m_cancelBtn->setFocus();
}

void TDuplicator::closeEvent(QCloseEvent *event)
{
    // A run in progress is stopped with Cancel, never by closing the window under it.
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TDuplicator::reject()
{
    if (!m_running)
        QDialog::reject();
}

} // namespace Brenvik
