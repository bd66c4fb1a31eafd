#include "shell/tnewformdlg.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Brenvik {

TnewFormDlg::TnewFormDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TnewFormDlg"));
    setWindowTitle(QStringLiteral("Create a New Weld Form"));
    auto *layout = new QVBoxLayout(this);
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("WPDS"), QStringLiteral("Welding Procedure Data Sheet")},
        {QStringLiteral("WPQR"), QStringLiteral("Procedure Qualification Records (PQR, QW-483)")},
        {QStringLiteral("PQR"), QStringLiteral("Welding Procedure Qualification Report")},
        {QStringLiteral("WPSR"), QStringLiteral("Welding Procedure Specifications (WPS, QW-482)")},
    };
    for (const auto &row : rows) {
        auto *radio = new QRadioButton(row.second, this);
        radio->setObjectName(row.first + QStringLiteral("Btn"));
        radio->installEventFilter(this);
        layout->addWidget(radio);
        m_buttons.append({row.first, radio});
    }
    layout->addSpacing(8);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
