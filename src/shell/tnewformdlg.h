#pragma once
// The new-document chooser: one radio button per form type; chooseDefault() checks one once
// the caller has disabled the types it cannot make, and OK is only enabled while one is
// checked. A double click on a radio button acts as OK.

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace Brenvik {

class TnewFormDlg : public QDialog {
    Q_OBJECT
public:
    explicit TnewFormDlg(QWidget *parent = nullptr);
    // The form type of the checked radio button (one button per described type); empty when
    // none is checked.
    QString chosenType() const;
    QRadioButton *button(const QString &formType) const;
    // Checks the preferred type when it can be chosen, else the first that can.
    void chooseDefault(const QString &preferred);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateOk();

    QList<QPair<QString, QRadioButton *>> m_buttons;
    QPushButton *m_ok = nullptr;
};

} // namespace Brenvik
