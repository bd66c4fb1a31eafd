#include "shell/interactive.h"

#include <QApplication>
#include <QMainWindow>

namespace Brenvik {

int runInteractive(const QString &)
{
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Brenvik"));
    window.resize(625, 430);
    window.show();
    return QApplication::exec();
}

} // namespace Brenvik
