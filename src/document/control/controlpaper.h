#pragma once
// The status on paper, without a window: "SUPERSEDED" or (a draft whose status key says so)
// "DRAFT" lightly across every page under the values, and the approvals with the signature
// picture in the bottom margin of the last page. A file without the status keys prints as it
// always did. The preview, the print, --export-pdf and the bulk export all call this after
// filling the report.

#include <QString>

namespace Brenvik {

class FormReport;
struct ControlRecord;

namespace ControlPaper {

// documentPath finds the signature picture beside the document.
void decorate(FormReport &report, const ControlRecord &record, const QString &documentPath);
// Reads the record of the file at documentPath first.
void decorate(FormReport &report, const QString &documentPath);
// "Prepared: <name>, <date>     Reviewed: ...     Approved: ..."; empty for a document that is
// not approved or superseded.
QString approvalsLine(const ControlRecord &record);

} // namespace ControlPaper

} // namespace Brenvik
