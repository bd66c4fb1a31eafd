#pragma once
// Checks on a laid-out report page that every form's report test makes.

#include <QStringList>

namespace Brenvik {

class ReportPage;

// Texts that run into another text, a rule or the picture, or out of the frame, one line each
// ("wpsNo runs into Witness"); empty when every text keeps to its place.
QStringList textCollisions(const ReportPage &page);

} // namespace Brenvik
