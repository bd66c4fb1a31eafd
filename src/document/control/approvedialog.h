#pragma once
// File > Approve...: the approver's name and the date (today), who prepared and reviewed the
// document and when (optional; each date on its own picker), the names remembered for the user,
// and, when the user has one, the signature picture kept in the user's settings folder.

#include "document/control/documentcontrol.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace Brenvik {

class DateEdit;

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
    DateEdit *m_date;
    QLineEdit *m_preparedBy;
    DateEdit *m_preparedDate;
    QLineEdit *m_reviewedBy;
    DateEdit *m_reviewedDate;
    QCheckBox *m_sign;
    QLabel *m_picture;
};

} // namespace Brenvik
