#include "shell/toptionsdlg.h"

#include "core/appstate.h"
#include "core/platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Brenvik {

namespace {
const QString kCaption = QStringLiteral("Options");
}

TOptionsDlg::TOptionsDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataFolder(new QLineEdit(this))
    , m_inUse(new QLabel(this))
{
    setObjectName(QStringLiteral("TOptionsDlg"));
    setWindowTitle(kCaption);
    auto *layout = new QVBoxLayout(this);

    auto *form = new QFormLayout;
    m_dataFolder->setObjectName(QStringLiteral("DataFolder"));
    m_dataFolder->setPlaceholderText(QStringLiteral("the default"));
    m_dataFolder->setText(QDir::toNativeSeparators(platform().setting(DataFolders::settingKey())));
    m_dataFolder->setMinimumWidth(360);
    auto *row = new QHBoxLayout;
    row->addWidget(m_dataFolder, 1);
    auto *browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    browseButton->setObjectName(QStringLiteral("BrowseDataFolder"));
    connect(browseButton, &QPushButton::clicked, this, &TOptionsDlg::browse);
    row->addWidget(browseButton);
    auto *label = new QLabel(QStringLiteral("&Data folder:"), this);
    label->setBuddy(m_dataFolder);
    form->addRow(label, row);
    layout->addLayout(form);

    auto *note = new QLabel(QStringLiteral("The folder of the user store (zoru.dat) and the sketch library "
                                           "(zordrw.dat). A shop that shares one store names its network folder "
                                           "here; left empty, the program's folder of a portable copy, else your "
                                           "own data folder."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    m_inUse->setObjectName(QStringLiteral("DataFolderInUse"));
    m_inUse->setWordWrap(true);
    m_inUse->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_inUse);
    showInUse();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TOptionsDlg::showInUse()
{
    const DataFolders folders = AppState::instance().dataFolders();
    m_inUse->setText(QStringLiteral("In use now: %1 (%2).")
                         .arg(QDir::toNativeSeparators(folders.dataDir()), folders.originText()));
}

void TOptionsDlg::browse()
{
    const QString start = m_dataFolder->text().isEmpty() ? AppState::instance().dataDir() : m_dataFolder->text();
    const QString dir = platform().browseFolder(QStringLiteral("Data Folder"),
                                                QStringLiteral("The folder of the user store (zoru.dat)"), start);
    if (!dir.isEmpty())
        m_dataFolder->setText(QDir::toNativeSeparators(dir));
}

void TOptionsDlg::accept()
{
    const DataFolders now = AppState::instance().dataFolders();
    QString dir = QDir::fromNativeSeparators(m_dataFolder->text().trimmed());
    if (!dir.isEmpty()) {
        if (!QFileInfo(dir).isDir()) {
            errorBox(kCaption, QStringLiteral("The data folder %1 is not a folder that can be reached.")
                                   .arg(QDir::toNativeSeparators(dir)));
            return;
        }
        dir = QDir::cleanPath(QDir(dir).absolutePath());
        if (dir != now.dataDir() && !QFileInfo::exists(QDir(dir).filePath(QStringLiteral("zoru.dat")))) {
            const Answer answer = askYesNoCancel(
                kCaption, QStringLiteral("%1 holds no user store (zoru.dat). Copy the store and the sketch library "
                                         "in use now (from %2) there?")
                              .arg(QDir::toNativeSeparators(dir), QDir::toNativeSeparators(now.dataDir())));
            if (answer == Answer::Cancel)
                return;
            QString error;
            if (answer == Answer::Yes)
                DataFolders::copyMissing(now.dataDir(), dir, &error);
            if (!error.isEmpty()) {
                errorBox(kCaption, error);
                return;
            }
        }
    }
    platform().setSetting(DataFolders::settingKey(), dir);
    const DataFolders chosen = now.withSetting(dir);
    QString error;
    chosen.seed(&error);
    if (!error.isEmpty())
        errorBox(kCaption, error);
    AppState::instance().setDataFolders(chosen);
    // --data-dir and BRENVIK_DATA win over the setting for the run they are given to.
    if (chosen.origin() == DataFolders::Origin::Option || chosen.origin() == DataFolders::Origin::Environment)
        infoBox(kCaption, QStringLiteral("This run uses %1 (%2); the setting applies to the runs without it.")
                              .arg(QDir::toNativeSeparators(chosen.dataDir()), chosen.originText()));
    QDialog::accept();
}

} // namespace Brenvik
