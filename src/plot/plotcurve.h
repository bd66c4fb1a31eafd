#pragma once
// One curve of a plot set (one wire diameter): its label, the X values shared by the set's
// plots and one Y list per plot. The working point on it: the X limited to the curve's ends
// (the list may run up or down) and the Y between the two neighbouring points.

#include <QList>
#include <QString>

#include <optional>

namespace Brenvik {

class PlotCurve {
public:
    QString label;
    QString note; // what the curve assumes, for the dialog's "Notes"; may be empty
    QList<double> x;
    // One list per plot of the set, in plot order; an empty list when the file's list was bad.
    QList<QList<double>> y;

    // x limited to the first and last X.
    double clampX(double value) const;
    // The Y of plot (0-based) at x, linear between the neighbouring points, x limited to
    // the ends. Two neighbouring points with the same X give the first one's Y. Nothing when
    // the plot has no usable list.
    std::optional<double> yAt(int plot, double value) const;
    bool hasPlot(int plot) const;
};

} // namespace Brenvik
