#include "document/control/controlpaper.h"

#include "core/dates.h"
#include "core/profilefile.h"
#include "document/control/controlrecord.h"
#include "document/control/documentcontrol.h"
#include "report/formreport.h"
#include "report/reportpage.h"

#include <QFileInfo>

namespace Brenvik {

namespace ControlPaper {

QString approvalsLine(const ControlRecord &record)
{
    if (!record.isControlled())
        return QString();
    QStringList parts;
    auto part = [&](const QString &what, const QString &name, const QDate &date) {
        if (!name.trimmed().isEmpty())
            parts << QStringLiteral("%1: %2, %3").arg(what, name.trimmed(), formatReportDate(date));
    };
    part(QObject::tr("Prepared"), record.preparedBy, record.preparedDate);
    part(QObject::tr("Reviewed"), record.reviewedBy, record.reviewedDate);
    part(QObject::tr("Approved"), record.approvedBy, record.approvedDate);
    return parts.join(QStringLiteral("     "));
}

void decorate(FormReport &report, const ControlRecord &r, const QString &documentPath)
{
    const QList<ReportPage *> pages = report.pages();
    const QString mark = r.status == ControlStatus::Superseded ? QObject::tr("SUPERSEDED")
        : r.present && r.status == ControlStatus::Draft        ? QObject::tr("DRAFT")
                                                               : QString();
    for (ReportPage *page : pages)
        page->setWatermark(mark);
    if (pages.isEmpty())
        return;
    // One line in the bottom margin of the last page, the signature picture at its right; the
    // elements are made once and filled on every preview.
    ReportPage *last = pages.last();
    const QPointF origin = last->band().topLeft();
    const qreal y = ReportPage::kPageHeight - 26 - origin.y();
    const QString line = QStringLiteral("dcApprovals");
    const QString signature = QStringLiteral("dcSignature");
    if (last->indexOf(line) < 0) {
        last->addCaption(48 - origin.x(), y + 4, QString(), ReportFont{7, false}, 560).name = line;
        last->addImage(signature, ReportPage::kPageWidth - 148 - origin.x(), y, 100, 24);
    }
    last->setCaption(line, approvalsLine(r));
    Picture picture;
    if (r.isControlled() && !documentPath.isEmpty())
        picture.load(DocumentControl::signatureFileOf(documentPath));
    last->setPicture(signature, picture);
}

void decorate(FormReport &report, const QString &documentPath)
{
    ProfileFile file(documentPath, ProfileFile::Kind::Document);
    if (!documentPath.isEmpty() && QFileInfo(documentPath).isFile())
        file.load();
    decorate(report, ControlRecord::read(file), documentPath);
}

} // namespace ControlPaper

} // namespace Brenvik
