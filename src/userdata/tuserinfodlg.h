#pragma once
// The user information dialog: named company profiles (profile name, company, one-line
// address) kept in the user-data store, copied on OK into the company and address fields of
// the window that opened it. One instance serves the whole run; opened from the main
// window's Tools menu it only manages profiles and copies nothing.

#include "userdata/namedentryeditor.h"

#include <QPointer>

class QCheckBox;
class QLineEdit;

namespace Brenvik {

class TuserInfoDlg : public NamedEntryEditor {
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

protected:
    QList<Entry> entries(const UserDataStore &store) const override;
    void prepareShowing(const UserDataStore &store, bool present) override;
    void showContent(const Entry &entry) override;
    void clearContent() override;
    QStringList takeTargetContent() override;
    QStringList contentTexts() const override;
    bool writeEntry(UserDataStore &store, const QString &name) override;
    void removeEntry(UserDataStore &store, const QString &name) override;
    void copyToTarget() override;

private:
    explicit TuserInfoDlg(QWidget *parent = nullptr);

    QPointer<QWidget> m_companyTarget;
    QPointer<QWidget> m_addressTarget;

    QLineEdit *m_companyName = nullptr;
    QLineEdit *m_address = nullptr;
    QCheckBox *m_ifDefault = nullptr;
};

} // namespace Brenvik
