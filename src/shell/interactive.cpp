#include "shell/interactive.h"

#include "shell/qtplatform.h"
#include "shell/tmenuform.h"
#include "shell/tsplashform.h"
#include "sketch/tsketchedit.h"
#include "userdata/tuserinfodlg.h"

#include <QApplication>
#include <QPointer>

namespace Brenvik {

int runInteractive(const QString &file)
{
    QtPlatform qtPlatform;
    setPlatform(&qtPlatform);

    QPointer<TsplashForm> splash = new TsplashForm;
    qtPlatform.setSplash(splash);
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationDisplayName(QString());
    TmenuForm window;
    // The one user information dialog of the run, hidden until asked for.
    TuserInfoDlg::instance(&window);
    // "Browse ..." under the sample joint drawings opens the sketch library.
    TsketchEdit::install();
    if (splash)
        splash->step(20);
    if (splash)
        splash->step(50);
    if (splash)
        splash->step(100);
    if (splash)
        splash->hideProgress();
    window.show();
    if (splash)
        splash->raise();
    if (!file.isEmpty())
        window.openPath(file);

    const int code = QApplication::exec();
    setPlatform(nullptr);
    return code;
}

} // namespace Brenvik
