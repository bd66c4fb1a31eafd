#include "shell/interactive.h"

#include "document/formwindow.h"
#include "plot/txyplot.h"
#include "shell/qtplatform.h"
#include "shell/tmenuform.h"
#include "shell/tsplashform.h"
#include "sketch/tsketchedit.h"
#include "userdata/tuserinfodlg.h"

#include <QApplication>
#include <QTimer>
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
    // "Select Parameters ..." of the document windows opens the one parameter plot.
    FormWindow::setParameterPlot([&window](FormWindow *form, TypedGrid *grid) {
        TxyPlot::instance(&window)->showFor(form, grid);
    });
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
    // Opened once the event loop runs: the main window then has its final size on the screen,
    // and grows from it to show the whole document window, as File > Open does.
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openPath(file); });

    const int code = QApplication::exec();
    FormWindow::setParameterPlot(nullptr);
    setPlatform(nullptr);
    return code;
}

} // namespace Brenvik
