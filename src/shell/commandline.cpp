#include "shell/commandline.h"

#include <QApplication>

namespace Brenvik {

int runBrenvik(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return 0;
}

} // namespace Brenvik
