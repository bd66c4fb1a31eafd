#pragma once
// What "Select" of the parameter plot writes into a document's parameter grid, decided on
// plain values: which line of the grid (the WPDS grid's passes are columns, the PQR and WPS
// grids' passes are rows), whether to ask before overwriting, which cell gets which value in
// which unit, and which line becomes current afterwards. The dialog asks and writes.
//
// The travel-speed cell is never written: the plot's second output is a deposition rate,
// not a travel speed; the cell keeps what the user typed. A grid with a heat input line gets
// the heat input of the new volts and amperes at that speed (empty when it cannot be told).

#include "document/documentwalk.h"
#include "document/parametertarget.h"

#include <QList>
#include <QString>

namespace Brenvik {

// The working point picked on the plot, as the dialog shows it.
struct PickedParameters {
    QString process;
    QString classification;
    QString lineLabel; // the curve's label: diameter, polarity word, voltage word
    QString feedSpeed; // outputX, "0.0", in/min
    QString amperage;  // outputY1
    QString depositionRate; // outputY2
};

class ParameterFill {
public:
    using Item = ParameterTarget::Item;

    struct CellWrite {
        int row;
        int column;
        QString text;
    };

    struct Plan {
        bool known = false;      // a target with a grid to write
        int row = -1;            // the target's current cell after moving to the first pass
        int column = -1;
        bool ask = false;        // a cell that would be written holds text
        bool rewriteUnitRow = false;
        QList<CellWrite> writes;
        int nextRow = -1;        // the current cell afterwards
        int nextColumn = -1;
    };

    // The plan for the target's grid holding cells, whose current cell is (row, column).
    static Plan plan(const ParameterTarget &target, const GridCells &cells, int row, int column, bool metric,
                     const PickedParameters &picked);

    // The text of the current pass's process cell (the line that gets Item::Process), where
    // the target has one; empty otherwise.
    static QString passProcess(const ParameterTarget &target, const GridCells &cells, int row, int column);
    // The plot process a document names: the first of texts holding one of processes as a
    // whole word, compared without regard to case ("GMAW-P" and "gmaw" name GMAW, "GTAW / SMAW"
    // names GTAW before SMAW); empty when none does.
    static QString documentProcess(const QStringList &texts, const QStringList &processes);

    // The words of a curve label.
    static QString diameterWord(const QString &label);
    static QString polarityWord(const QString &label);   // the word holding "DC"
    static QString voltageWord(const QString &label);    // the word holding "Volt", cut before it
    // The diameter as a cell gets it: Imperial in inches (as written, or a millimetre value
    // converted to "0.000\""), Metric in millimetres (inches converted to "0.000", a
    // millimetre value as written; empty when the word is no length).
    static QString diameterCell(const QString &word, bool metric);
    // A speed in in/min, or in mm/min in Metric ("0.000"); empty when it is no number.
    static QString speedCell(const QString &inPerMin, bool metric);
    // A value in the form the outputs show ("0.0").
    static QString formatOutput(double value);
};

} // namespace Brenvik
