#include "document/control/approvedialog.h"

#include "controls/dateedit.h"
#include "core/atomicfile.h"
#include "core/dates.h"
#include "core/platform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <tuple>

namespace Brenvik {

namespace {

// The names are remembered for the user, each under the object name of its box.
QString settingOf(const QLineEdit *edit)
{
    return QStringLiteral("control/") + edit->objectName();
}

QLineEdit *nameEdit(const QString &objectName, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(220);
    edit->setText(platform().setting(settingOf(edit)));
    return edit;
}

DateEdit *dateEdit(const QString &objectName, const QDate &today, QWidget *parent)
{
    auto *edit = new DateEdit(parent);
    edit->setObjectName(objectName);
    edit->setDateValue(today);
    // Room for the widest date of the year as the picker shows it, beside its drop-down button.
    int widest = 0;
    for (QDate d(today.year(), 1, 1); d.year() == today.year(); d = d.addDays(1))
        widest = qMax(widest, edit->fontMetrics().horizontalAdvance(edit->locale().toString(d, edit->displayFormat())));
    edit->setMinimumWidth(widest + 48);
    return edit;
}

} // namespace

ApproveDialog::ApproveDialog(const QString &documentName, const QDate &today, QWidget *parent)
    : QDialog(parent), m_approvedBy(nameEdit(QStringLiteral("approvedBy"), this)),
      m_date(dateEdit(QStringLiteral("approvedDate"), today, this)),
      m_preparedBy(nameEdit(QStringLiteral("preparedBy"), this)),
      m_preparedDate(dateEdit(QStringLiteral("preparedDate"), today, this)),
      m_reviewedBy(nameEdit(QStringLiteral("reviewedBy"), this)),
      m_reviewedDate(dateEdit(QStringLiteral("reviewedDate"), today, this)),
      m_sign(new QCheckBox(tr("Sign with my signature picture"), this)), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("ApproveDialog"));
    setWindowTitle(tr("Approve %1").arg(documentName));
    m_sign->setObjectName(QStringLiteral("sign"));
    m_picture->setFixedSize(240, 64);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setAlignment(Qt::AlignCenter);

    auto *choose = new QPushButton(tr("Choose Picture..."), this);
    choose->setObjectName(QStringLiteral("chooseSignature"));
    connect(choose, &QPushButton::clicked, this, &ApproveDialog::chooseSignature);
    auto *signRow = new QHBoxLayout;
    signRow->addWidget(m_picture);
    signRow->addWidget(choose, 0, Qt::AlignTop);
    signRow->addStretch();

    // Each name with its date; a date without a name is not recorded, so its picker waits for one.
    auto *form = new QGridLayout;
    const std::tuple<QString, QLineEdit *, DateEdit *> rows[] = {{tr("Approved by:"), m_approvedBy, m_date},
                                                                 {tr("Prepared by (optional):"), m_preparedBy, m_preparedDate},
                                                                 {tr("Reviewed by (optional):"), m_reviewedBy, m_reviewedDate}};
    int row = 0;
    for (const auto &[caption, name, date] : rows) {
        form->addWidget(new QLabel(caption, this), row, 0);
        form->addWidget(name, row, 1);
        form->addWidget(new QLabel(tr("Date:"), this), row, 2);
        form->addWidget(date, row, 3);
        if (name != m_approvedBy) {
            auto follow = [name = name, date = date] { date->setEnabled(!name->text().trimmed().isEmpty()); };
            connect(name, &QLineEdit::textChanged, date, follow);
            follow();
        }
        ++row;
    }
    form->addWidget(m_sign, row++, 1, 1, 3);
    form->addWidget(new QLabel(tr("Signature:"), this), row, 0, Qt::AlignTop);
    form->addLayout(signRow, row, 1, 1, 3);

    auto *note = new QLabel(tr("The approval records a digest of the document and its sketch as they are saved now. "
                               "The document then opens read-only; a revision is the way to change it."),
                            this);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Approve"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ApproveDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    showSignature();
}

QString ApproveDialog::signatureStore()
{
    const QSettings settings(QStringLiteral("Brenvik"), QStringLiteral("Brenvik"));
    return QFileInfo(settings.fileName()).dir().filePath(QStringLiteral("signature.png"));
}

void ApproveDialog::showSignature()
{
    const QImage image(signatureStore());
    m_sign->setEnabled(!image.isNull());
    m_sign->setChecked(!image.isNull());
    if (image.isNull())
        m_picture->setText(tr("(no signature picture)"));
    else
        m_picture->setPixmap(QPixmap::fromImage(image.scaled(m_picture->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation)));
}

void ApproveDialog::chooseSignature()
{
    FileDialogOptions options;
    options.title = tr("Signature Picture");
    options.filter = QStringLiteral("PNG Pictures (*.png)|*.png");
    const QString path = platform().openFile(options);
    if (path.isEmpty())
        return;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (QImage::fromData(bytes, "PNG").isNull()) {
        errorBox(tr("Error"), tr("%1 is not a PNG picture").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QDir().mkpath(QFileInfo(signatureStore()).absolutePath());
    QString error;
    if (!writeFileAtomically(signatureStore(), bytes, &error)) {
        errorBox(tr("Error"), error);
        return;
    }
    showSignature();
}

void ApproveDialog::accept()
{
    if (m_approvedBy->text().trimmed().isEmpty()) {
        errorBox(tr("Error"), tr("Enter the approver's name."));
        return;
    }
    // A document is prepared and reviewed before it is approved, never after.
    const QDate approved = m_date->date();
    for (const auto &[what, name, date] : {std::tuple{tr("prepared"), m_preparedBy, m_preparedDate},
                                           std::tuple{tr("reviewed"), m_reviewedBy, m_reviewedDate}})
        if (!name->text().trimmed().isEmpty() && date->date() > approved) {
            errorBox(tr("Error"), tr("The date it was %1 (%2) is after the approval date (%3).")
                                      .arg(what, formatReportDate(date->date()), formatReportDate(approved)));
            return;
        }
    for (const QLineEdit *name : {m_approvedBy, m_preparedBy, m_reviewedBy})
        platform().setSetting(settingOf(name), name->text().trimmed());
    QDialog::accept();
}

Approval ApproveDialog::approval() const
{
    Approval a;
    a.approvedBy = m_approvedBy->text().trimmed();
    a.approvedDate = m_date->date();
    a.preparedBy = m_preparedBy->text().trimmed();
    a.preparedDate = m_preparedDate->date();
    a.reviewedBy = m_reviewedBy->text().trimmed();
    a.reviewedDate = m_reviewedDate->date();
    if (m_sign->isChecked()) {
        QFile file(signatureStore());
        if (file.open(QIODevice::ReadOnly))
            a.signaturePng = file.readAll();
    }
    return a;
}

} // namespace Brenvik
