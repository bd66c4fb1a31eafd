#pragma once
// The new-document chooser: one radio button per form type, none checked at first; a double
// click on a radio button acts as OK.

#include <QDialog>

class QRadioButton;

namespace Brenvik {

class TnewFormDlg : public QDialog {
    Q_OBJECT
public:
    explicit TnewFormDlg(QWidget *parent = nullptr);
    // The form type of the checked radio button ("WPDS", "WPQR", "PQR", "WPSR"); empty when
    // none is checked.
    QString chosenType() const;
    QRadioButton *button(const QString &formType) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPair<QString, QRadioButton *>> m_buttons;
};

} // namespace Brenvik
