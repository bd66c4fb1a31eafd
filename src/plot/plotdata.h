#pragma once
// The plot data file zorc.dat as the parameter plot reads it: processes, the plot sets of a
// process, and one set's plots and curves. One read of the file serves a whole operation.
// Bad data never stops the reading: a curve list that holds something other than numbers,
// more than 25 points, or X and Y lists of different lengths leaves that list out and adds a
// message naming section and key (shown by the caller, caption "Internal Error").

#include "core/profilefile.h"
#include "plot/plotcurve.h"
#include "userdata/plotindex.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

struct PlotAxes {
    QString caption; // plotCaption<j>
    QString labelX;
    QString labelY;
};

struct PlotSet {
    QString section; // empty: no set (an empty plot)
    QString caption;
    QList<PlotAxes> plots;
    QList<PlotCurve> curves;
};

class PlotData {
public:
    static constexpr int kMaxPoints = 25;

    // path: zorc.dat; empty: the one in the data folder. A missing file reads as empty.
    explicit PlotData(const QString &path = QString());
    // Takes the file's bytes directly.
    void setData(const QByteArray &bytes);

    QStringList processes();
    // Captions of the process's plot sets, in file order.
    QStringList classifications(const QString &process);
    // The first plot set of the process whose caption equals the classification exactly.
    PlotSet plotSet(const QString &process, const QString &classification);

    // Messages gathered since the last call (and forgotten by it).
    QStringList takeErrors();

    // A list of numbers separated by blanks or tabs; false when it holds anything else, or
    // nothing at all.
    static bool parseNumbers(const QString &text, QList<double> *out);
    // The unit an axis title ends with in brackets: "in/min" of "Wire Feed Speed (in/min)";
    // empty when it ends with none.
    static QString unitOf(const QString &axisTitle);

private:
    // The list under key, or an empty list with a message.
    QList<double> readList(const QString &section, const QString &key);

    ProfileFile m_file;
    QStringList m_errors;
};

} // namespace Brenvik
