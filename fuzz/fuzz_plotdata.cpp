// The parameter curves file: any bytes give lists, plot sets and messages, never a crash;
// every usable curve has as many X as Y values, within the limit of points.

#include "plot/plotdata.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

using namespace Brenvik;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PlotData plots;
    plots.setData(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    for (const QString &process : plots.processes()) {
        for (const QString &classification : plots.classifications(process)) {
            const PlotSet set = plots.plotSet(process, classification);
            for (const PlotCurve &curve : set.curves) {
                if (curve.x.size() > PlotData::kMaxPoints)
                    std::abort(); // a list over the limit is left out
                for (int plot = 0; plot < curve.y.size(); ++plot) {
                    // A curve whose X list was left out has nothing to draw or read.
                    if (!curve.x.isEmpty() && !curve.y[plot].isEmpty() && curve.y[plot].size() != curve.x.size())
                        std::abort(); // a curve's X and Y lists always pair up
                    const double at = curve.x.isEmpty() ? 0.0 : curve.x.first() + 0.5;
                    if (curve.yAt(plot, at).has_value() != curve.hasPlot(plot))
                        std::abort();
                }
            }
        }
    }
    (void)plots.takeErrors();
    return 0;
}
