#pragma once
// Checks on a laid-out report page that every form's report test makes.

#include <QStringList>

#include <initializer_list>

namespace Brenvik {

class ReportPage;
struct ReportElement;

// The element of that name on the first of the pages that has one; null when none has.
const ReportElement *elementOnPages(std::initializer_list<const ReportPage *> pages, const QString &name);

// Texts that run into another text, a rule or the picture, or out of the frame, one line each
// ("wpsNo runs into Witness"); empty when every text keeps to its place.
QStringList textCollisions(const ReportPage &page);

} // namespace Brenvik
