#pragma once
// QW-407.1: the postweld heat treatment conditions, told from a temperature and the
// transformation temperatures of the base metal's P-No. The temperatures are data the user can
// edit (transformation.dat beside the program), not the code's: the code names the
// conditions, the material decides where they lie.

#include "qualify/valuereader.h"

#include <QList>
#include <QString>

namespace Brenvik {

// The transformation temperatures of one P-No., in °C: the lower one, and the upper one as a
// band where it depends on the composition (carbon and manganese for P-No. 1).
struct Transformation {
    QString pNo;
    double lower = 0;
    double upperFrom = 0;
    double upperTo = 0;
};

class TransformationTable {
public:
    // One line a P-No.: "1 = 720 C / 815-870 C" (';' starts a remark). A line it cannot read
    // is named in problems().
    static TransformationTable parse(const QByteArray &text, const QString &source);
    // transformation.dat of the data folder, read once.
    static const TransformationTable &shipped();
    static QString fileName() { return QStringLiteral("transformation.dat"); }

    const Transformation *find(const QString &pNo) const;
    QString source() const { return m_source; }
    QStringList problems() const { return m_problems; }

private:
    QList<Transformation> m_rows;
    QString m_source;
    QStringList m_problems;
};

enum class PwhtCondition {
    None,
    BelowLower,
    AboveUpper,
    AboveUpperThenBelowLower,
    Between,
    WithinRange, // the only treated condition of the P-Nos without transformation conditions
    CannotTell,
};

struct PwhtReading {
    PwhtCondition condition = PwhtCondition::CannotTell;
    QString why; // for CannotTell: the reason; else the condition in words with its basis
    Reading temperature; // the (last) temperature read, in its unit
};

class Pwht {
public:
    // QW-407.1(a): whether a P-No. has the transformation conditions (P-No. 1, 3, 4, 5, 6, 9,
    // 10, 11 and 15E); the others only "none" and "within a stated temperature range".
    static bool hasTransformationConditions(const QString &pNo);
    // The condition of a PWHT text ("None", "620", "595 - 650 °C", "900 °C then 620 °C") on a
    // metal of P-No. pNo; empty text is CannotTell.
    static PwhtReading condition(const QString &text, Unit bareUnit, const QString &pNo,
                                 const TransformationTable &table);
    static QString conditionText(PwhtCondition condition);
    // The longest aggregate time at temperature a time text allows, in hours: "1 h", "1-2 h",
    // "30 min", "1 h per 25 mm, 1 h min." (with the thickest base metal, in mm). Negative when
    // it cannot be read.
    static double longestHours(const QString &text, double thickestMm);
};

} // namespace Brenvik
