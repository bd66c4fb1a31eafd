#pragma once
// Tools > Options: the user's preferences that are not a document's. Today the data folder, the
// folder of the user store and the sketch library that a shop may share on a network folder;
// remembered per user, in force at once.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace Brenvik {

class TOptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsDlg(QWidget *parent = nullptr);
    QLineEdit *dataFolder() const { return m_dataFolder; }

    // OK: a folder that is not there is refused; one without a store may get a copy of the one
    // in use; then the setting is kept and the program uses the folder from now on.
    void accept() override;

private:
    void browse();
    void showInUse();

    QLineEdit *m_dataFolder;
    QLabel *m_inUse;
};

} // namespace Brenvik
