#pragma once
// Where the parameter plot's "Select" writes in a document window: the parameter grid, which
// way its passes run, the radio button that means Metric, and which line of a pass gets which
// picked value. Each window declares its own in its form table; a window without one has no
// parameter plot.
//
// The WPDS grid's passes are columns 2 to 9 with the parameters in rows; a grid whose passes
// are rows declares its columns instead, for example
//   {"weldingSequence", false, 1, "weldingSequenceUnitM", {}, {{3, Diameter}, {4, FeedSpeed}, ...}}
//
// A grid with a heat input line names it and the travel-speed line it is computed from;
// "Select" then writes the heat input of the new volts and amperes beside them. The fields
// that name the document's welding process let the plot open on that process.

#include <QList>
#include <QString>
#include <QStringList>

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
    int travelSpeedLine = -1; // -1: none
    int heatInputLine = -1;   // -1: none
    QStringList processFields; // the document's welding-process fields, first named first

    bool isSet() const { return !grid.isEmpty(); }
};

} // namespace Brenvik
