#pragma once
// Which document types this build can open, in words for --help and the about box. A type
// counts once its window is registered (DocumentRegistry), so a window that lands later is
// named without a change here.

#include <QString>

namespace Brenvik {

// "WPDS documents; PQR, WPQR (QW-483) and WPS (QW-482) are not in this version yet." or,
// with every window built, "WPDS, PQR, WPQR (QW-483) and WPS (QW-482) documents."
QString formsOffered();

} // namespace Brenvik
