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

namespace {

const QString kBottomLine = QStringLiteral("dcApprovals");
const QString kBottomSignature = QStringLiteral("dcSignature");

// "Prepared: <name>, <date>" or empty when nobody is named.
QString approvalPart(const QString &what, const QString &name, const QDate &date)
{
    if (name.trimmed().isEmpty())
        return QString();
    return QStringLiteral("%1: %2, %3").arg(what, name.trimmed(), formatReportDate(date));
}

QStringList approvalParts(const ControlRecord &record, bool withApproved)
{
    QStringList parts;
    if (!record.isControlled())
        return parts;
    parts << approvalPart(QObject::tr("Prepared"), record.preparedBy, record.preparedDate)
          << approvalPart(QObject::tr("Reviewed"), record.reviewedBy, record.reviewedDate);
    if (withApproved)
        parts << approvalPart(QObject::tr("Approved"), record.approvedBy, record.approvedDate);
    parts.removeAll(QString());
    return parts;
}

// The element each part of a sign-off area prints in.
QString elementOf(SignOffPart part)
{
    switch (part) {
    case SignOffPart::Signature: return QStringLiteral("dcAreaSignature");
    case SignOffPart::Name: return QStringLiteral("dcAreaName");
    case SignOffPart::Date: return QStringLiteral("dcAreaDate");
    case SignOffPart::Month: return QStringLiteral("dcAreaMonth");
    case SignOffPart::Day: return QStringLiteral("dcAreaDay");
    case SignOffPart::Year: return QStringLiteral("dcAreaYear");
    case SignOffPart::Lines: break;
    }
    return QStringLiteral("dcAreaLines");
}

// What a place shows for an approved or superseded record; empty for a draft.
QString textOf(SignOffPart part, const ControlRecord &r)
{
    if (!r.isControlled())
        return QString();
    const QDate d = r.approvedDate;
    switch (part) {
    case SignOffPart::Name: return r.approvedBy.trimmed();
    case SignOffPart::Date: return formatReportDate(d);
    case SignOffPart::Month: return d.isValid() ? QString::number(d.month()) : QString();
    case SignOffPart::Day: return d.isValid() ? QString::number(d.day()) : QString();
    case SignOffPart::Year: return d.isValid() ? QString::number(d.year()) : QString();
    case SignOffPart::Signature:
    case SignOffPart::Lines: break;
    }
    return QString();
}

// The places are made on the page for the first approved or superseded document and filled on
// every preview after; a report filled again for another document (the bulk export) starts from
// empty places. A draft's page keeps the elements it always had (--print-fields lists them).
void fillArea(ReportPage &page, const ControlRecord &r, const Picture &signature)
{
    if (!r.isControlled() && page.indexOf(elementOf(SignOffPart::Lines)) < 0)
        return;
    const bool taken = signOffTaken(page);
    for (const SignOffPlace &place : page.signOffArea()) {
        const QString name = elementOf(place.part);
        const QRectF box = place.box;
        if (page.indexOf(name) < 0) {
            if (place.part == SignOffPart::Signature)
                page.addImage(name, box.x(), box.y(), box.width(), box.height());
            else if (place.part == SignOffPart::Lines)
                page.addMemo(name, box.x(), box.y(), box.width(), box.height(), Qt::AlignLeft, false);
            else
                page.addLabel(name, box.x(), box.y(), box.width(),
                              place.part == SignOffPart::Name || place.part == SignOffPart::Date ? Qt::AlignLeft
                                                                                                   : Qt::AlignHCenter);
        }
        if (place.part == SignOffPart::Signature)
            page.setPicture(name, signature);
        else if (place.part == SignOffPart::Lines)
            page.setMemoLines(name, approvalParts(r, taken));
        else
            page.setCaption(name, taken ? QString() : textOf(place.part, r));
    }
}

// One line in the bottom margin of the last page, the signature picture at its right.
void fillBottomLine(ReportPage &last, const ControlRecord &r, const Picture &signature)
{
    const QPointF origin = last.band().topLeft();
    const qreal y = ReportPage::kPageHeight - 26 - origin.y();
    if (last.indexOf(kBottomLine) < 0) {
        last.addCaption(48 - origin.x(), y + 4, QString(), ReportFont{7, false}, 560).name = kBottomLine;
        last.addImage(kBottomSignature, ReportPage::kPageWidth - 148 - origin.x(), y, 100, 24);
    }
    last.setCaption(kBottomLine, approvalsLine(r));
    last.setPicture(kBottomSignature, signature);
}

} // namespace

QString approvalsLine(const ControlRecord &record)
{
    return approvalParts(record, true).join(QStringLiteral("     "));
}

ReportPage *signOffPage(const FormReport &report)
{
    for (ReportPage *page : report.pages())
        if (!page->signOffArea().isEmpty())
            return page;
    return nullptr;
}

bool signOffTaken(const ReportPage &page)
{
    for (const SignOffPlace &place : page.signOffArea())
        if (!place.key.isEmpty() && place.part != SignOffPart::Signature && place.part != SignOffPart::Lines
            && !page.text(place.key).trimmed().isEmpty())
            return true;
    return false;
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
    Picture signature;
    if (r.isControlled() && !documentPath.isEmpty())
        signature.load(DocumentControl::signatureFileOf(documentPath));
    // The form's own sign-off area when it has one, else the bottom line of the last page.
    ReportPage *area = signOffPage(report);
    if (area)
        fillArea(*area, r, signature);
    ReportPage *last = pages.last();
    if (!area)
        fillBottomLine(*last, r, signature);
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
