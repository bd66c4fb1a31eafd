#pragma once
// The arc heat input of a pass from its volts, amperes and travel speed:
//   heat input = V x A x 60 / (1000 x speed)
// in kJ per millimetre from a speed in mm/min, in kJ per inch from a speed in in/min. Each
// value may be one number or a range "low-high" (as the parameter grids hold them); a range
// in gives the range of heat inputs out, the lowest from the lowest volts and amperes at the
// highest speed.

#include <QString>

#include <optional>

namespace Brenvik {

class HeatInput {
public:
    struct Range {
        double low = 0;
        double high = 0;
    };

    // kJ per unit of length for a travel speed in that unit per minute; nothing for a speed
    // that is not above zero or a result that is not finite.
    static std::optional<double> value(double volts, double amps, double speedPerMin);
    // A cell's number or "low-high" range of positive finite numbers, in the system's or the C
    // locale; nothing for anything else (empty, "inf", "nan", words, a range running down).
    static std::optional<Range> readRange(const QString &text);
    // The cell text: Metric (speed in mm/min) "0.00" kJ/mm, Imperial (in/min) "0.0" kJ/in, a
    // range as "low-high"; empty when any of the three cannot be read.
    static QString cell(const QString &volts, const QString &amps, const QString &speed, bool metric);
    // The unit of the cell: "kJ/mm" or "kJ/in".
    static QString unit(bool metric);
};

} // namespace Brenvik
