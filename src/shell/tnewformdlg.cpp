#include "shell/tnewformdlg.h"

#include "document/formdescription.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

TnewFormDlg::TnewFormDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TnewFormDlg"));
    setWindowTitle(QStringLiteral("Create a New Weld Form"));
    auto *layout = new QVBoxLayout(this);
    // One radio button per described form type, in the chooser's own order.
    QList<FormDescription> rows = FormDescriptions::all();
    std::stable_sort(rows.begin(), rows.end(), [](const FormDescription &a, const FormDescription &b) {
        return a.chooserRow < b.chooserRow;
    });
    for (const FormDescription &row : std::as_const(rows)) {
        auto *radio = new QRadioButton(row.chooserText, this);
        radio->setObjectName(row.formType + QStringLiteral("Btn"));
        radio->installEventFilter(this);
        connect(radio, &QRadioButton::toggled, this, &TnewFormDlg::updateOk);
        layout->addWidget(radio);
        m_buttons.append({row.formType, radio});
    }
    layout->addSpacing(8);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    updateOk();
}

void TnewFormDlg::updateOk()
{
    m_ok->setEnabled(!chosenType().isEmpty());
}

void TnewFormDlg::chooseDefault(const QString &preferred)
{
    QRadioButton *chosen = button(preferred);
    if (!chosen || !chosen->isEnabled()) {
        chosen = nullptr;
        for (const auto &entry : std::as_const(m_buttons))
            if (entry.second->isEnabled()) {
                chosen = entry.second;
                break;
            }
    }
    if (chosen) {
        chosen->setChecked(true);
        chosen->setFocus();
    }
    updateOk();
}

QString TnewFormDlg::chosenType() const
{
    for (const auto &entry : m_buttons)
        if (entry.second->isChecked())
            return entry.first;
    return {};
}

QRadioButton *TnewFormDlg::button(const QString &formType) const
{
    for (const auto &entry : m_buttons)
        if (entry.first == formType)
            return entry.second;
    return nullptr;
}

bool TnewFormDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (auto *radio = qobject_cast<QRadioButton *>(watched)) {
            if (radio->isEnabled()) {
                radio->setChecked(true);
                accept();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace Brenvik
