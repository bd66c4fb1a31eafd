#pragma once
// The interactive start: splash, main window, the message loop; opens file when given.

#include <QString>

namespace Brenvik {
int runInteractive(const QString &file);
}
