#include "document/control/approvedialog.h"

#include "core/atomicfile.h"
#include "core/platform.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace Brenvik {

namespace {

const QString kApproverSetting = QStringLiteral("control/approvedBy");

QLineEdit *nameEdit(const QString &objectName, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(260);
    return edit;
}

} // namespace

ApproveDialog::ApproveDialog(const QString &documentName, const QDate &today, QWidget *parent)
    : QDialog(parent), m_approvedBy(nameEdit(QStringLiteral("approvedBy"), this)), m_date(new QDateEdit(today, this)),
      m_preparedBy(nameEdit(QStringLiteral("preparedBy"), this)), m_reviewedBy(nameEdit(QStringLiteral("reviewedBy"), this)),
      m_sign(new QCheckBox(tr("Sign with my signature picture"), this)), m_picture(new QLabel(this))
{
    setObjectName(QStringLiteral("ApproveDialog"));
    setWindowTitle(tr("Approve %1").arg(documentName));
    m_approvedBy->setText(platform().setting(kApproverSetting));
    m_date->setObjectName(QStringLiteral("approvedDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("d MMM yyyy"));
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

    auto *form = new QFormLayout;
    form->addRow(tr("Approved by:"), m_approvedBy);
    form->addRow(tr("Date:"), m_date);
    form->addRow(tr("Prepared by (optional):"), m_preparedBy);
    form->addRow(tr("Reviewed by (optional):"), m_reviewedBy);
    form->addRow(QString(), m_sign);
    form->addRow(tr("Signature:"), signRow);

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
    platform().setSetting(kApproverSetting, m_approvedBy->text().trimmed());
    QDialog::accept();
}

Approval ApproveDialog::approval() const
{
    Approval a;
    a.approvedBy = m_approvedBy->text().trimmed();
    a.approvedDate = m_date->date();
    a.preparedBy = m_preparedBy->text().trimmed();
    a.preparedDate = a.approvedDate;
    a.reviewedBy = m_reviewedBy->text().trimmed();
    a.reviewedDate = a.approvedDate;
    if (m_sign->isChecked()) {
        QFile file(signatureStore());
        if (file.open(QIODevice::ReadOnly))
            a.signaturePng = file.readAll();
    }
    return a;
}

} // namespace Brenvik
