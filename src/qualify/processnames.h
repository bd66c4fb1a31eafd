#pragma once
// The welding processes a text names, in the code's words (QW-492): "GTAW / SMAW", "TIG + MMA",
// "GMAW-S". Common names map to the code's process (MIG and MAG to GMAW, TIG to GTAW, ...); a
// word the table does not know is kept apart, so that a rule says "cannot tell" instead of
// dropping it.

#include <QString>
#include <QStringList>

namespace Brenvik {

struct ProcessList {
    QStringList processes; // the code's names, in the order written, each once
    QStringList unknown;   // the words no row of the table knows, as written
    QStringList shortCircuit; // processes written as short-circuiting ("GMAW-S")
    bool isEmpty() const { return processes.isEmpty() && unknown.isEmpty(); }
};

class ProcessNames {
public:
    static ProcessList read(const QString &text);
    // Whether a text says short-circuiting transfer: "short circuit", "short-circuiting",
    // "GMAW-S", "short arc", "dip".
    static bool saysShortCircuit(const QString &text);
    // Whether a text names spray, globular or pulsed transfer.
    static bool saysOtherTransfer(const QString &text);
    // "GMAW, FCAW or GTAW".
    static QString orList(const QStringList &processes);
};

} // namespace Brenvik
