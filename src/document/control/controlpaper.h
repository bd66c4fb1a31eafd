#pragma once
// The status on paper, without a window: "SUPERSEDED" or (a draft whose status key says so)
// "DRAFT" lightly across every page under the values, and the approvals with the signature
// picture. They fill the form's own sign-off area where its report page has one: the approver's
// name and date on the lines signed on, the signature picture in its space, who prepared and
// reviewed it in the free room. A value the form prints on those lines itself (a typed
// "Certified By", a date picker's date) is never painted over: the approval then joins the free
// room as "Approved: <name>, <date>". A form without an area has one line in the bottom margin
// of its last page. A file without the status keys prints as it always did. The preview, the print, --export-pdf and the
// bulk export all call this after filling the report.

#include <QString>

namespace Brenvik {

class FormReport;
class ReportPage;
struct ControlRecord;

namespace ControlPaper {

// documentPath finds the signature picture beside the document.
void decorate(FormReport &report, const ControlRecord &record, const QString &documentPath);
// Reads the record of the file at documentPath first.
void decorate(FormReport &report, const QString &documentPath);
// "Prepared: <name>, <date>     Reviewed: ...     Approved: ..."; empty for a document that is
// not approved or superseded.
QString approvalsLine(const ControlRecord &record);
// The page that holds the form's sign-off area; nullptr when the form has none.
ReportPage *signOffPage(const FormReport &report);
// The form prints a value of its own on the area's name or date lines (as the page is filled now).
bool signOffTaken(const ReportPage &page);

} // namespace ControlPaper

} // namespace Brenvik
