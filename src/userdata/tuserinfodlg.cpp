#include "userdata/tuserinfodlg.h"

#include "core/platform.h"
#include "userdata/userdatastore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace Brenvik {

namespace {

QPointer<TuserInfoDlg> g_instance;

NamedEntryEditor::Description profileDescription()
{
    NamedEntryEditor::Description d;
    d.boxName = QStringLiteral("GroupBox1");
    d.boxTitle = QStringLiteral(" User Information ");
    d.nameLabel = QStringLiteral("Profile Name");
    d.nameBox = QStringLiteral("userProfile");
    d.nameWidth = 220;
    d.saveButton = QStringLiteral("saveUserInfo");
    d.deleteButton = QStringLiteral("delUserInfo");
    d.saveTip = QStringLiteral("Export to file");
    d.deleteTip = QStringLiteral("Delete user profile");
    d.noNameError = QStringLiteral("No profile specified.");
    d.deleteQuestion = QStringLiteral("Delete profile: %1?");
    d.askBeforeLookUp = true;
    return d;
}

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
    if (!g_instance)
        g_instance = freedAtQuit(new TuserInfoDlg(parent));
    return g_instance;
}

TuserInfoDlg::TuserInfoDlg(QWidget *parent) : NamedEntryEditor(profileDescription(), parent)
{
    setObjectName(QStringLiteral("userInfoDlg"));
    setWindowTitle(QStringLiteral("User Information"));
    m_companyName = new QLineEdit(box());
    m_companyName->setObjectName(QStringLiteral("companyName"));
    addRow(1, QStringLiteral("company_Name"), QStringLiteral("Company Name:"), m_companyName);
    m_address = new QLineEdit(box());
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setMinimumWidth(320);
    addRow(2, QStringLiteral("Label2"), QStringLiteral("Address:"), m_address);
    m_ifDefault = new QCheckBox(QStringLiteral("Save As Default User"), box());
    m_ifDefault->setObjectName(QStringLiteral("ifDefault"));
    grid()->addWidget(m_ifDefault, 3, 1);
    addDialogButtons();
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

QList<NamedEntryEditor::Entry> TuserInfoDlg::entries(const UserDataStore &store) const
{
    const std::optional<int> byDefault = store.userDefault();
    QList<Entry> list;
    for (const UserDataStore::Profile &p : store.profiles())
        list.append(Entry{p.name, {p.company, p.address}, false, byDefault == p.number});
    return list;
}

void TuserInfoDlg::prepareShowing(const UserDataStore &store, bool present)
{
    if (present) {
        QStringList bad;
        store.profiles(&bad);
        store.userDefault(&bad);
        UserDataStore::reportBadNumbers(bad);
    }
    cancelButton()->setVisible(isTextTarget(m_companyTarget));
}

void TuserInfoDlg::showContent(const Entry &entry)
{
    m_companyName->setText(entry.content.at(0));
    m_address->setText(entry.content.at(1));
    m_ifDefault->setChecked(entry.isDefault);
}

void TuserInfoDlg::clearContent()
{
    m_companyName->clear();
    m_address->clear();
}

QStringList TuserInfoDlg::takeTargetContent()
{
    if (!isTextTarget(m_companyTarget))
        return {};
    const QString company = targetText(m_companyTarget);
    if (company.isEmpty())
        return {};
    // Without an address field (WPQR, WPS) the company alone picks the profile.
    const bool withAddress = isTextTarget(m_addressTarget);
    const QString address = withAddress ? targetText(m_addressTarget) : QString();
    m_companyName->setText(company);
    m_address->setText(address);
    m_ifDefault->setChecked(false);
    return withAddress ? QStringList{company, address} : QStringList{company};
}

QStringList TuserInfoDlg::contentTexts() const { return {m_companyName->text(), m_address->text()}; }

bool TuserInfoDlg::writeEntry(UserDataStore &store, const QString &name)
{
    QStringList bad;
    store.saveProfile(name, m_companyName->text(), m_address->text(), m_ifDefault->isChecked(), &bad);
    UserDataStore::reportBadNumbers(bad);
    return true;
}

void TuserInfoDlg::removeEntry(UserDataStore &store, const QString &name)
{
    QStringList bad;
    store.deleteProfile(name, &bad);
    UserDataStore::reportBadNumbers(bad);
}

void TuserInfoDlg::copyToTarget()
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
