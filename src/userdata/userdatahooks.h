#pragma once
// The dialogs of the user-data store as the document windows call them.
// company / address: the window's target fields (QLineEdit or QComboBox); the dialog holds
// them through QPointer, so a freed window is a missing target.

#include <QString>

class QWidget;
class QPlainTextEdit;

namespace Brenvik::UserDataDialogs {

// openUserInfoClick: shows the one user information dialog with these targets.
void openUserInfo(QWidget *company, QWidget *address);
// The reset's default-profile step: company and address from the default profile (or empty).
void fillDefaultProfile(QWidget *company, QWidget *address);
// openMemoClick: the memo dialog for one memo; owner the form type word, the memo is named by its objectName.
void openMemo(const QString &owner, QPlainTextEdit *memo);

} // namespace Brenvik::UserDataDialogs
