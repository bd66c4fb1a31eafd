#include "qualify/formparts.h"

#include "qualify/qualifycheck.h"

#include <QRegularExpression>

namespace Brenvik {

namespace {

// Grid cells are stored joined by the broken bar; "_" is an empty cell.
QStringList cells(const QString &stored)
{
    QStringList out = stored.split(QChar(0x00a6));
    for (QString &c : out)
        c = c.trimmed() == QLatin1String("_") ? QString() : c.trimmed();
    return out;
}

bool anyFilled(const QStringList &row)
{
    for (const QString &c : row)
        if (!c.isEmpty())
            return true;
    return false;
}

} // namespace

QString FormParts::classKey(const QString &text)
{
    QString s = text.toUpper();
    s.remove(QRegularExpression(QStringLiteral("[\\s\\-\\x{2010}-\\x{2014}]")));
    return s;
}

QList<TechniqueRow> FormParts::techniqueRows(const QualifyForm &wps)
{
    QList<TechniqueRow> out;
    for (int row = 1; row <= 99; ++row) {
        const QString stored = wps.value(QStringLiteral("ETGrid_%1").arg(row));
        if (stored.isEmpty())
            break;
        const QStringList c = cells(stored);
        if (!anyFilled(c))
            continue;
        TechniqueRow t;
        t.row = row;
        t.processText = c.value(1);
        const ProcessList p = ProcessNames::read(t.processText);
        if (p.processes.size() == 1 && p.unknown.isEmpty())
            t.process = p.processes.first();
        t.classification = c.value(2);
        t.diameter = c.value(3);
        t.polarity = c.value(4);
        t.amperes = c.value(5);
        t.volts = c.value(6);
        t.speed = c.value(7);
        out << t;
    }
    return out;
}

QString FormParts::techniqueSpeedUnit(const QualifyForm &wps)
{
    // The unit row holds the units of the columns from Class on: Class, Dia., Polarity, Amp.,
    // Volt, Travel Speed, Other.
    const QString unit = cells(wps.value(QStringLiteral("ETUnit_0"))).value(5).toLower();
    if (!unit.isEmpty())
        return unit;
    return wps.lengthUnit() == Unit::Inch ? QStringLiteral("in/min") : QStringLiteral("mm/min");
}

QList<FillerColumn> FormParts::wpsFillers(const QualifyForm &wps)
{
    const ProcessList named = ProcessNames::read(wps.processText());
    const QList<TechniqueRow> rows = techniqueRows(wps);
    QList<FillerColumn> out;
    for (int n = 1; n <= 3; ++n) {
        bool filled = false;
        for (const char *key : {"specNoSFA", "AWSNoClass", "FNo", "ANo", "fillerSize", "thGroove", "thFillet"})
            filled = filled || !wps.value(QLatin1String(key) + QString::number(n)).isEmpty();
        if (!filled)
            continue;
        FillerColumn f;
        f.n = n;
        // The technique rows that use its classification tell its process (QW-200.4(a)).
        const QString cls = classKey(wps.value(QStringLiteral("AWSNoClass%1").arg(n)));
        QStringList used;
        for (const TechniqueRow &t : rows)
            if (!cls.isEmpty() && classKey(t.classification) == cls) {
                if (t.process.isEmpty()) {
                    f.why = QStringLiteral("technique row %1 uses AWSNoClass%2 but its process \"%3\" is not one the "
                                           "rules know")
                                .arg(t.row)
                                .arg(n)
                                .arg(ValueReader::quote(t.processText));
                    used.clear();
                    break;
                }
                if (!used.contains(t.process))
                    used << t.process;
            }
        if (!f.why.isEmpty()) {
        } else if (used.size() == 1) {
            f.process = used.first();
        } else if (used.size() > 1) {
            f.why = QStringLiteral("AWSNoClass%1 is used by %2 in the technique rows").arg(n).arg(used.join(QStringLiteral(" and ")));
        } else if (!named.unknown.isEmpty()) {
            f.why = QStringLiteral("the WPS's process names \"%1\", which the rules do not know")
                        .arg(ValueReader::quote(named.unknown.join(QStringLiteral(", "))));
        } else if (n <= named.processes.size()) {
            f.process = named.processes.at(n - 1);
        } else {
            f.why = QStringLiteral("no technique row uses AWSNoClass%1 and the WPS's process names %2 "
                                   "process(es) for filler %1")
                        .arg(n)
                        .arg(named.processes.size());
        }
        out << f;
    }
    return out;
}

QList<FillerColumn> FormParts::recordFillers(const QualifyForm &record)
{
    const ProcessList named = ProcessNames::read(record.processText());
    QList<int> filled;
    for (int n = 1; n <= 2; ++n) {
        bool any = false;
        for (const char *key : {"SFASpecification", "AWSClassification", "FillerMetalFNo", "WeldMetalAnalysisANo",
                                "SizeOfFillerMetal", "weldMetalThickness"})
            any = any || !record.value(QLatin1String(key) + QString::number(n)).isEmpty();
        if (any)
            filled << n;
    }
    QList<FillerColumn> out;
    for (int n : filled) {
        FillerColumn f;
        f.n = n;
        if (!named.unknown.isEmpty())
            f.why = QStringLiteral("the process of %1 names \"%2\", which the rules do not know")
                        .arg(record.label(), ValueReader::quote(named.unknown.join(QStringLiteral(", "))));
        else if (named.processes.size() == 1)
            f.process = named.processes.first();
        else if (named.processes.size() == filled.size() && filled.size() == filled.last())
            f.process = named.processes.at(n - 1);
        else
            f.why = QStringLiteral("%1 names %2 process(es) for %3 filler column(s): filler %4 belongs to the n-th "
                                   "process only when the counts agree")
                        .arg(record.label())
                        .arg(named.processes.size())
                        .arg(filled.size())
                        .arg(n);
        out << f;
    }
    return out;
}

QString FormParts::perProcess(const QString &text, const QString &process, const ProcessList &recordProcesses,
                              QString *why)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *why = QStringLiteral("empty");
        return QString();
    }
    // "GTAW 90-110 / SMAW 120-140", "GTAW: 90-110; SMAW: 120-140".
    // A slash between processes, not the one of "mm/min".
    static const QRegularExpression parts(
        QStringLiteral("\\s*;\\s*|\\s*[/,]\\s*(?=[A-Za-z][A-Za-z-]*\\s*:?\\s*\\d)"));
    static const QRegularExpression named(QStringLiteral("^\\s*([A-Za-z][A-Za-z-]*)\\s*:?\\s*(.*)$"));
    QString found;
    bool anyNamed = false;
    for (const QString &part : t.split(parts, Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = named.match(part);
        if (!m.hasMatch())
            continue;
        const ProcessList p = ProcessNames::read(m.captured(1));
        if (p.processes.size() != 1 || !p.unknown.isEmpty())
            continue;
        anyNamed = true;
        if (p.processes.first() == process)
            found = m.captured(2).trimmed();
    }
    if (!found.isEmpty())
        return found;
    if (anyNamed) {
        *why = QStringLiteral("\"%1\" gives no value for %2").arg(ValueReader::quote(t), process);
        return QString();
    }
    if (recordProcesses.processes.size() == 1 && recordProcesses.unknown.isEmpty())
        return t;
    *why = QStringLiteral("\"%1\" is one range for %2 processes; write it per process, e.g. \"GTAW 90-110 / SMAW "
                          "120-140\"")
               .arg(ValueReader::quote(t))
               .arg(recordProcesses.processes.size());
    return QString();
}

bool FormParts::hasToughness(const QualifyForm &record)
{
    for (int row = 1; row <= 99; ++row) {
        const QString stored = record.value(QStringLiteral("toughTest_%1").arg(row));
        if (stored.isEmpty())
            return false;
        if (anyFilled(cells(stored)))
            return true;
    }
    return false;
}

} // namespace Brenvik
