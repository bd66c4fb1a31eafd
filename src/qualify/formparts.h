#pragma once
// The parts of a WPS and a record that the rules pair by process (QW-200.4(a)): the filler
// columns and the process each belongs to, the technique rows of the WPS, and the record's
// per-process values ("GTAW 90-110 / SMAW 120-140").

#include "qualify/processnames.h"
#include "qualify/valuereader.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class QualifyForm;

// One filler column: n counts from 1; process is empty when it cannot be told, and why says so.
struct FillerColumn {
    int n = 0;
    QString process;
    QString why;
};

// One filled row of the WPS technique grid (ETGrid).
struct TechniqueRow {
    int row = 0;
    QString process; // the code's name; empty when the cell names none the rules know
    QString processText;
    QString classification;
    QString diameter;
    QString polarity;
    QString amperes;
    QString volts;
    QString speed;
};

class FormParts {
public:
    // The filled filler columns of a WPS (1 to 3) and of a record (1 to 2), each with its
    // process.
    static QList<FillerColumn> wpsFillers(const QualifyForm &wps);
    static QList<FillerColumn> recordFillers(const QualifyForm &record);
    static QList<TechniqueRow> techniqueRows(const QualifyForm &wps);
    // The unit of the technique grid's travel speed column ("mm/min", "in/min").
    static QString techniqueSpeedUnit(const QualifyForm &wps);
    // A classification as compared: upper case, blanks and hyphens out ("ER70S-2" "ER70S2").
    static QString classKey(const QString &text);
    // The value of one process in a record's text written per process ("GTAW 90-110 / SMAW
    // 120-140"), or the whole text when the record has one process. Empty with why set when it
    // cannot be told.
    static QString perProcess(const QString &text, const QString &process, const ProcessList &recordProcesses,
                              QString *why);
    // Whether a record carries toughness results: a filled toughTest row.
    static bool hasToughness(const QualifyForm &record);
};

} // namespace Brenvik
