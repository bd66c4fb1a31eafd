#pragma once
// Adds a use of a process to a welder's WPQ (a row of its continuity grid), as a foreman's
// script or a shop terminal records it: the file is changed under its lock and replaced
// atomically, every other byte kept. A full grid, a welder not tested in the process or a file
// that is no WPQ is refused with the reason and the file left as it was.

#include "qualify/continuity.h"

#include <QString>

namespace Brenvik {

class ContinuityLog {
public:
    static bool append(const QString &path, const ContinuityUse &use, QString *error);
};

} // namespace Brenvik
