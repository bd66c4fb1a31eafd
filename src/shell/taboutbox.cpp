#include "shell/taboutbox.h"

#include "core/appstate.h"
#include "shell/formsoffered.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Brenvik {

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_versions(new QListWidget(this))
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto *layout = new QVBoxLayout(this);

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QHBoxLayout(panel);
    auto *icon = new QLabel(panel);
    icon->setPixmap(QIcon(QStringLiteral(":/shell/glyphs/brenvik.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    panelLayout->addWidget(icon);
    auto *lines = new QVBoxLayout;
    auto *product = new QLabel(QStringLiteral("<b>Brenvik</b> welding procedure forms"), panel);
    product->setObjectName(QStringLiteral("ProductName"));
    lines->addWidget(product);
    auto *forms = new QLabel(formsOffered(), panel);
    forms->setObjectName(QStringLiteral("FormsOffered"));
    lines->addWidget(forms);
    lines->addWidget(new QLabel(QStringLiteral("Built with Qt %1 by the Brenvik team.").arg(QLatin1String(qVersion())), panel));
    // No web address: the program has none to give.
    panelLayout->addLayout(lines, 1);
    layout->addWidget(panel);

    m_versions->setObjectName(QStringLiteral("VersionList"));
    m_versions->addItem(QStringLiteral("Product name: Brenvik"));
    m_versions->addItem(QStringLiteral("Product version: ") + QStringLiteral(BRENVIK_VERSION));
    m_versions->addItem(QStringLiteral("Build flags: ") + QStringLiteral(BRENVIK_BUILD_FLAGS));
    m_versions->setFixedHeight(m_versions->sizeHintForRow(0) * 3 + 2 * m_versions->frameWidth() + 4);
    layout->addWidget(m_versions);

    // Where the side files are: what a user needs to find the store, and support to find a fault.
    const DataFolders folders = AppState::instance().dataFolders();
    QStringList lookup;
    for (const QString &dir : folders.lookupDirs())
        lookup << QStringLiteral("    ") + QDir::toNativeSeparators(dir);
    auto *where = new QLabel(QStringLiteral("Data folder (zoru.dat, zordrw.dat), %1:\n    %2\n"
                                            "Program files (zorc.dat, zor.hlp, the User Guide, the sketch pictures), "
                                            "looked up in:\n%3")
                                 .arg(folders.originText(), QDir::toNativeSeparators(folders.dataDir()),
                                      lookup.join(QLatin1Char('\n'))),
                             this);
    where->setObjectName(QStringLiteral("DataFolders"));
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->setMinimumWidth(440);
    layout->addWidget(where);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace Brenvik
