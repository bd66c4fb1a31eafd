#include "qualify/processnames.h"

#include <QRegularExpression>

namespace Brenvik {

namespace {

struct NameRow {
    const char *word;    // upper case, blanks and hyphens as written in the table
    const char *process; // QW-492
    bool shortCircuit;
};

// QW-492 names each process; the rows after the code's own words are the names shops write.
const NameRow kNames[] = {
    {"SMAW", "SMAW", false},  {"SAW", "SAW", false},   {"GMAW", "GMAW", false},  {"FCAW", "FCAW", false},
    {"GTAW", "GTAW", false},  {"PAW", "PAW", false},   {"ESW", "ESW", false},    {"EGW", "EGW", false},
    {"OFW", "OFW", false},    {"EBW", "EBW", false},   {"LBW", "LBW", false},    {"FSW", "FSW", false},
    {"LLBW", "LLBW", false},  {"HLAW", "HLAW", false}, {"SW", "SW", false},
    // GMAW variants: QW-409.2 names the transfer; QW-492 counts metal-cored wire as GMAW.
    {"GMAW-S", "GMAW", true}, {"GMAW-SC", "GMAW", true}, {"GMAW-P", "GMAW", false}, {"GMAW-PULSED", "GMAW", false},
    {"MIG", "GMAW", false},   {"MAG", "GMAW", false},  {"MCAW", "GMAW", false},  {"METAL-CORED", "GMAW", false},
    {"METAL CORED", "GMAW", false}, {"METAL-CORED ARC WELDING", "GMAW", false},
    {"GAS METAL ARC WELDING", "GMAW", false},
    {"TIG", "GTAW", false},   {"GAS TUNGSTEN ARC WELDING", "GTAW", false},
    {"MMA", "SMAW", false},   {"MMAW", "SMAW", false}, {"STICK", "SMAW", false},
    {"SHIELDED METAL ARC WELDING", "SMAW", false},
    {"SUB-ARC", "SAW", false}, {"SUBARC", "SAW", false}, {"SUB ARC", "SAW", false}, {"SUBMERGED ARC", "SAW", false},
    {"SUBMERGED ARC WELDING", "SAW", false},
    {"FCAW-G", "FCAW", false}, {"FCAW-S", "FCAW", false}, {"FCAW-GS", "FCAW", false}, {"FLUX-CORED", "FCAW", false},
    {"FLUX CORED", "FCAW", false}, {"FLUX CORED ARC WELDING", "FCAW", false},
    {"PLASMA", "PAW", false},
    // ISO 4063 reference numbers.
    {"111", "SMAW", false},   {"121", "SAW", false},   {"131", "GMAW", false},   {"135", "GMAW", false},
    {"136", "FCAW", false},   {"138", "GMAW", false},  {"141", "GTAW", false},   {"15", "PAW", false},
};

const NameRow *find(const QString &word)
{
    for (const NameRow &row : kNames)
        if (word == QLatin1String(row.word))
            return &row;
    return nullptr;
}

} // namespace

ProcessList ProcessNames::read(const QString &text)
{
    ProcessList out;
    // Notes in brackets say where a process is used ("GTAW (root)"), not which.
    static const QRegularExpression brackets(QStringLiteral("\\([^()]*\\)|\\[[^\\[\\]]*\\]"));
    static const QRegularExpression separators(QStringLiteral("\\s*(?:[/+,;&]|\\bAND\\b|\\bWITH\\b|\\bTHEN\\b)\\s*"));
    QString s = text.toUpper();
    s.remove(brackets);
    for (const QChar dash : {QChar(0x2013), QChar(0x2014), QChar(0x2010)})
        s.replace(dash, QLatin1Char('-'));
    for (QString word : s.split(separators, Qt::SkipEmptyParts)) {
        word = word.simplified();
        while (word.endsWith(QLatin1Char('.')))
            word.chop(1);
        word.replace(QStringLiteral(" - "), QStringLiteral("-"));
        if (word.isEmpty())
            continue;
        const NameRow *row = find(word);
        if (!row) {
            out.unknown << word;
            continue;
        }
        const QString process = QLatin1String(row->process);
        if (!out.processes.contains(process))
            out.processes << process;
        if (row->shortCircuit && !out.shortCircuit.contains(process))
            out.shortCircuit << process;
    }
    return out;
}

bool ProcessNames::saysShortCircuit(const QString &text)
{
    static const QRegularExpression words(
        QStringLiteral("short[\\s-]*circuit|short[\\s-]*arc|\\bdip\\b|gmaw\\s*-\\s*sc?\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return words.match(text).hasMatch();
}

bool ProcessNames::saysOtherTransfer(const QString &text)
{
    static const QRegularExpression words(QStringLiteral("spray|globular|pulse|gmaw\\s*-\\s*p\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return words.match(text).hasMatch();
}

QString ProcessNames::orList(const QStringList &processes)
{
    if (processes.size() < 2)
        return processes.join(QString());
    return processes.mid(0, processes.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           processes.last();
}

} // namespace Brenvik
