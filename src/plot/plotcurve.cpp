#include "plot/plotcurve.h"

#include "core/texthelpers.h"

#include <algorithm>

namespace Brenvik {

double PlotCurve::clampX(double value) const
{
    if (x.isEmpty())
        return value;
    const double lo = std::min(x.first(), x.last());
    const double hi = std::max(x.first(), x.last());
    return std::clamp(value, lo, hi);
}

bool PlotCurve::hasPlot(int plot) const
{
    return plot >= 0 && plot < y.size() && !x.isEmpty() && y.at(plot).size() == x.size();
}

std::optional<double> PlotCurve::yAt(int plot, double value) const
{
    if (!hasPlot(plot))
        return std::nullopt;
    const QList<double> &ys = y.at(plot);
    const double at = clampX(value);
    if (x.size() == 1)
        return ys.first();
    // The first segment whose ends hold the X; a list that turns back takes its first pass.
    for (int i = 0; i + 1 < x.size(); ++i) {
        const double x1 = x.at(i);
        const double x2 = x.at(i + 1);
        if (at < std::min(x1, x2) || at > std::max(x1, x2))
            continue;
        // A vertical step: the line through both points has no single value there.
        if (x1 == x2)
            return ys.at(i);
        return double(interpolate(x1, ys.at(i), x2, ys.at(i + 1), at));
    }
    // X inside the ends but in no segment: a list that is not in order. Nearest point.
    int nearest = 0;
    for (int i = 1; i < x.size(); ++i)
        if (std::abs(x.at(i) - at) < std::abs(x.at(nearest) - at))
            nearest = i;
    return ys.at(nearest);
}

} // namespace Brenvik
