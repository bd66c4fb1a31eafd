#pragma once
// Where the parameter plot's "Select" writes in a document window: the parameter grid, which
// way its passes run, the radio button that means Metric, and which line of a pass gets which
// picked value. Each window declares its own in its form table; a window without one has no
// parameter plot.
//
// The WPDS grid's passes are columns 2 to 9 with the parameters in rows; a grid whose passes
// are rows declares its columns instead, for example
//   {"weldingSequence", false, 1, "weldingSequenceUnitM", {}, {{3, Diameter}, {4, FeedSpeed}, ...}}

#include <QList>
#include <QString>

namespace Brenvik {

struct ParameterTarget {
    enum class Item { Process, Classification, Diameter, FeedSpeed, Amperage, Voltage, Polarity };

    struct Slot {
        int line; // the row of a pass column, or the column of a pass row
        Item item;
    };

    QString grid; // empty: the window has no parameter plot
    bool passesAreColumns = false;
    int firstPass = 1;     // a current line before it becomes this one
    QString metricButton;  // checked: the values are written in millimetres
    QString unitRowButton; // Imperial: this button's click behaviour rewrites the unit row first
    QList<Slot> lines;

    bool isSet() const { return !grid.isEmpty(); }
};

} // namespace Brenvik
