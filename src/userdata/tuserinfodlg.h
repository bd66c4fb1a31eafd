#pragma once
// The user information dialog: named company profiles (profile name, company, one-line
// address) kept in the user-data store, copied on OK into the company and address fields of
// the window that opened it. One instance serves the whole run; opened from the main
// window's Tools menu it only manages profiles and copies nothing.

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Brenvik {

class UserDataStore;

class TuserInfoDlg : public QDialog {
    Q_OBJECT
public:
    // The run's dialog, made on first use (the main window makes it at start-up, as its child).
    static TuserInfoDlg *instance(QWidget *parent = nullptr);

    // company / address: a QLineEdit or a QComboBox of the calling window, or nullptr (the
    // main window's menu: nothing is copied). Held weakly: a freed window is no target.
    void setTargets(QWidget *company, QWidget *address);
    QWidget *companyTarget() const { return m_companyTarget; }
    QWidget *addressTarget() const { return m_addressTarget; }
    // setTargets, then the modal showing.
    int showFor(QWidget *company, QWidget *address);

    // The new-document reset: the default profile's company and address into the fields,
    // without showing anything.
    static void fillDefaultProfile(QWidget *company, QWidget *address);

    // The dialog's operations, as its buttons and showings run them.
    void FormActivate();
    void clearProfileFields();
    void loadProfileList();
    void selectMatchingProfile();
    void showProfile();
    bool saveProfile();
    void deleteProfile();
    void copyProfileToTargets();

    void userProfileChange();
    void saveUserInfoClick();
    void delUserInfoClick();
    void OKBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    explicit TuserInfoDlg(QWidget *parent = nullptr);

    void loadProfileList(const UserDataStore &store, bool present);
    void selectMatchingProfile(const UserDataStore &store, bool present);
    void showProfile(const UserDataStore &store);
    void setProfileText(const QString &text);

    QPointer<QWidget> m_companyTarget;
    QPointer<QWidget> m_addressTarget;

    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QGroupBox *m_group = nullptr;
    QComboBox *m_userProfile = nullptr;
    QToolButton *m_saveUserInfo = nullptr;
    QToolButton *m_delUserInfo = nullptr;
    QLineEdit *m_companyName = nullptr;
    QLineEdit *m_address = nullptr;
    QCheckBox *m_ifDefault = nullptr;
};

} // namespace Brenvik
