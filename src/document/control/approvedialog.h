#pragma once
// File > Approve...: the approver's name (remembered for the user), the date (today), who
// prepared and reviewed the document (optional) and, when the user has one, the signature
// picture kept in the user's settings folder.

#include "document/control/documentcontrol.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace Brenvik {

class ApproveDialog : public QDialog {
    Q_OBJECT
public:
    ApproveDialog(const QString &documentName, const QDate &today, QWidget *parent = nullptr);

    // What was entered; the signature bytes when "Sign with my signature picture" is checked.
    Approval approval() const;

    // The user's signature picture: in the settings folder, copied there once chosen.
    static QString signatureStore();

    void accept() override;

private:
    void chooseSignature();
    void showSignature();

    QLineEdit *m_approvedBy;
    QDateEdit *m_date;
    QLineEdit *m_preparedBy;
    QLineEdit *m_reviewedBy;
    QCheckBox *m_sign;
    QLabel *m_picture;
};

} // namespace Brenvik
