#include "userdata/tuserinfodlg.h"
#include "userdata/storeguard.h"

#include "core/platform.h"
#include "core/profilefile.h"
#include "userdata/userdatastore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace Brenvik {

namespace {

QPointer<TuserInfoDlg> g_instance;

// The windows hand edit boxes; a combo box with an edit field serves as well.
bool isTextTarget(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w);
}

QString targetText(const QWidget *w)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *box = qobject_cast<const QComboBox *>(w))
        return box->currentText();
    return QString();
}

// Through the field's own setter, so the window's change handler marks the document changed.
void setTargetText(QWidget *w, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(text);
    } else if (auto *box = qobject_cast<QComboBox *>(w)) {
        if (box->isEditable())
            box->setEditText(text);
        else
            box->setCurrentIndex(box->findText(text));
    }
}

} // namespace

TuserInfoDlg *TuserInfoDlg::instance(QWidget *parent)
{
    if (!g_instance) {
        g_instance = new TuserInfoDlg(parent);
        if (!parent && QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, g_instance.data(),
                             &QObject::deleteLater);
    }
    return g_instance;
}

TuserInfoDlg::TuserInfoDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("userInfoDlg"));
    setWindowTitle(QStringLiteral("User Information"));
    setModal(true);

    m_group = new QGroupBox(QStringLiteral(" User Information "), this);
    m_group->setObjectName(QStringLiteral("GroupBox1"));

    auto *label1 = new QLabel(QStringLiteral("Profile Name"), m_group);
    label1->setObjectName(QStringLiteral("Label1"));
    m_userProfile = new QComboBox(m_group);
    m_userProfile->setObjectName(QStringLiteral("userProfile"));
    m_userProfile->setEditable(true);
    m_userProfile->setInsertPolicy(QComboBox::NoInsert);
    m_userProfile->setMinimumWidth(220);

    m_saveUserInfo = new QToolButton(m_group);
    m_saveUserInfo->setObjectName(QStringLiteral("saveUserInfo"));
    m_saveUserInfo->setToolTip(QStringLiteral("Export to file"));
    m_saveUserInfo->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_saveUserInfo->setAutoRaise(true);
    m_saveUserInfo->setFixedSize(21, 21);
    m_delUserInfo = new QToolButton(m_group);
    m_delUserInfo->setObjectName(QStringLiteral("delUserInfo"));
    m_delUserInfo->setToolTip(QStringLiteral("Delete user profile"));
    m_delUserInfo->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_delUserInfo->setAutoRaise(true);
    m_delUserInfo->setFixedSize(21, 21);

    auto *companyLabel = new QLabel(QStringLiteral("Company Name:"), m_group);
    companyLabel->setObjectName(QStringLiteral("company_Name"));
    m_companyName = new QLineEdit(m_group);
    m_companyName->setObjectName(QStringLiteral("companyName"));
    auto *label2 = new QLabel(QStringLiteral("Address:"), m_group);
    label2->setObjectName(QStringLiteral("Label2"));
    m_address = new QLineEdit(m_group);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setMinimumWidth(320);
    m_ifDefault = new QCheckBox(QStringLiteral("Save As Default User"), m_group);
    m_ifDefault->setObjectName(QStringLiteral("ifDefault"));

    auto *grid = new QGridLayout(m_group);
    auto *profileRow = new QHBoxLayout;
    profileRow->addWidget(m_userProfile, 1);
    profileRow->addWidget(m_saveUserInfo);
    profileRow->addWidget(m_delUserInfo);
    grid->addWidget(label1, 0, 0);
    grid->addLayout(profileRow, 0, 1);
    grid->addWidget(companyLabel, 1, 0);
    grid->addWidget(m_companyName, 1, 1);
    grid->addWidget(label2, 2, 0);
    grid->addWidget(m_address, 2, 1);
    grid->addWidget(m_ifDefault, 3, 1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(m_group);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_userProfile, &QComboBox::currentTextChanged, this, &TuserInfoDlg::userProfileChange);
    connect(m_saveUserInfo, &QToolButton::clicked, this, &TuserInfoDlg::saveUserInfoClick);
    connect(m_delUserInfo, &QToolButton::clicked, this, &TuserInfoDlg::delUserInfoClick);
    connect(m_ok, &QPushButton::clicked, this, &TuserInfoDlg::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    clearProfileFields();
}

void TuserInfoDlg::setTargets(QWidget *company, QWidget *address)
{
    m_companyTarget = company;
    m_addressTarget = address;
}

int TuserInfoDlg::showFor(QWidget *company, QWidget *address)
{
    setTargets(company, address);
    return exec();
}

void TuserInfoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

// One read of the store serves the whole showing, so a missing store is reported once.
void TuserInfoDlg::FormActivate()
{
    UserDataStore store;
    const bool present = store.read();
    if (present) {
        QStringList bad;
        store.profiles(&bad);
        store.userDefault(&bad);
        UserDataStore::reportBadNumbers(bad);
    }
    loadProfileList(store, present);
    selectMatchingProfile(store, present);
    m_cancel->setVisible(isTextTarget(m_companyTarget));
}

void TuserInfoDlg::setProfileText(const QString &text)
{
    const QSignalBlocker blocker(m_userProfile);
    m_userProfile->setEditText(text);
}

void TuserInfoDlg::clearProfileFields()
{
    setProfileText(QString());
    m_companyName->clear();
    m_address->clear();
}

void TuserInfoDlg::loadProfileList()
{
    UserDataStore store;
    const bool present = store.read();
    loadProfileList(store, present);
}

void TuserInfoDlg::loadProfileList(const UserDataStore &store, bool present)
{
    const QList<UserDataStore::Profile> list = present ? store.profiles() : QList<UserDataStore::Profile>();
    if (list.isEmpty()) {
        clearProfileFields();
        // The list goes too: after the last profile is deleted it would still offer it.
        const QSignalBlocker blocker(m_userProfile);
        m_userProfile->clear();
        return;
    }
    const QSignalBlocker blocker(m_userProfile);
    const QString text = m_userProfile->currentText();
    m_userProfile->clear();
    for (const UserDataStore::Profile &p : list)
        m_userProfile->addItem(p.name);
    m_userProfile->setEditText(text);
    m_userProfile->setMaxVisibleItems(int(list.size()));
}

void TuserInfoDlg::selectMatchingProfile()
{
    UserDataStore store;
    const bool present = isTextTarget(m_companyTarget) && !targetText(m_companyTarget).isEmpty() && store.read();
    selectMatchingProfile(store, present);
}

void TuserInfoDlg::selectMatchingProfile(const UserDataStore &store, bool present)
{
    if (!isTextTarget(m_companyTarget))
        return;
    const QString company = targetText(m_companyTarget);
    if (company.isEmpty())
        return;
    // Without an address field (WPQR, WPS) the company alone picks the profile.
    const bool withAddress = isTextTarget(m_addressTarget);
    const QString address = withAddress ? targetText(m_addressTarget) : QString();
    m_companyName->setText(company);
    m_address->setText(address);
    if (!present)
        return;
    for (const UserDataStore::Profile &p : store.profiles()) {
        if (p.company == company && (!withAddress || p.address == address)) {
            setProfileText(p.name);
            showProfile(store);
            return;
        }
    }
    setProfileText(QString());
    m_ifDefault->setChecked(false);
}

void TuserInfoDlg::showProfile()
{
    UserDataStore store;
    if (!m_userProfile->currentText().isEmpty() && store.readQuietly())
        showProfile(store);
}

void TuserInfoDlg::showProfile(const UserDataStore &store)
{
    const QString name = m_userProfile->currentText();
    if (name.isEmpty())
        return;
    for (const UserDataStore::Profile &p : store.profiles()) {
        if (p.name == name) {
            m_companyName->setText(p.company);
            m_address->setText(p.address);
            m_ifDefault->setChecked(store.userDefault() == p.number);
            return;
        }
    }
}

// Typing a name runs on every keystroke: a missing store was reported when the dialog showed.
void TuserInfoDlg::userProfileChange() { showProfile(); }

bool TuserInfoDlg::saveProfile()
{
    const QString name = m_userProfile->currentText();
    if (name.isEmpty()) {
        errorBox(QStringLiteral("Error"), QStringLiteral("No profile specified."));
        return false;
    }
    const QString company = m_companyName->text();
    const QString address = m_address->text();
    UserDataStore store;
    if (!store.exists()) {
        store.reportMissing();
        return false;
    }
    if (!UserDataStore::acceptTexts({name, company, address}))
        return false;
    QStringList bad;
    const bool saved = guarded([&] { store.saveProfile(name, company, address, m_ifDefault->isChecked(), &bad); });
    UserDataStore::reportBadNumbers(bad);
    if (saved)
        loadProfileList(store, true);
    return saved;
}

void TuserInfoDlg::saveUserInfoClick() { saveProfile(); }

void TuserInfoDlg::deleteProfile()
{
    const QString name = m_userProfile->currentText();
    if (!confirmBox(QStringLiteral("Confirmation"), QStringLiteral("Delete profile: ") + name + QLatin1Char('?')))
        return;
    if (name.isEmpty()) {
        clearProfileFields();
        loadProfileList();
        return;
    }
    UserDataStore store;
    if (!store.exists()) {
        store.reportMissing();
        clearProfileFields();
        return;
    }
    QStringList bad;
    const bool done = guarded([&] { store.deleteProfile(name, &bad); });
    UserDataStore::reportBadNumbers(bad);
    if (!done)
        return;
    clearProfileFields();
    loadProfileList(store, true);
}

void TuserInfoDlg::delUserInfoClick() { deleteProfile(); }

void TuserInfoDlg::copyProfileToTargets()
{
    if (!isTextTarget(m_companyTarget))
        return;
    const bool withAddress = isTextTarget(m_addressTarget);
    const bool holdsText = !targetText(m_companyTarget).isEmpty()
        || (withAddress && !targetText(m_addressTarget).isEmpty());
    if (holdsText
        && !confirmBox(QStringLiteral("Question"), QStringLiteral("Overwrite existing data in the weld form?")))
        return;
    setTargetText(m_companyTarget, m_companyName->text());
    if (withAddress)
        setTargetText(m_addressTarget, m_address->text());
}

void TuserInfoDlg::OKBtnClick()
{
    copyProfileToTargets();
    accept();
}

void TuserInfoDlg::fillDefaultProfile(QWidget *company, QWidget *address)
{
    const std::optional<UserDataStore::Profile> p = UserDataStore::defaultProfile();
    if (!p)
        return;
    if (isTextTarget(company))
        setTargetText(company, p->company);
    if (isTextTarget(address))
        setTargetText(address, p->address);
}

} // namespace Brenvik
