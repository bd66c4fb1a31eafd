#pragma once
// The ranges a welder's performance test qualifies (ASME IX, QW-350 variables), computed from
// the actual values of a WPQ. Each rule is a table in the code with its paragraph beside each
// row. A value the rules cannot read leaves its range empty, never guessed.

#include "qualify/valuereader.h"

#include <QList>
#include <QString>

namespace Brenvik {

class QualifyForm;

// A length range from a minimum (diameters) or up to a maximum (deposit thickness).
struct LengthRange {
    bool known = false;     // false: the actual value could not be read
    bool unlimited = false; // no maximum ("maximum to be welded", "all diameters")
    double limit = 0;       // the minimum or maximum, in unit
    Unit unit = Unit::Mm;
    QString text;           // as the range field shows it
    QString paragraph;
};

// QW-433: the F-Nos a test qualifies, with and without backing.
struct FNoRange {
    bool known = false;
    QList<int> withBacking;
    QList<int> withoutBacking;
    QString text;

    bool covers(int fNo, bool withBackingWanted) const
    {
        return (withBackingWanted ? withBacking : withoutBacking).contains(fNo);
    }
};

enum class Backing { Unknown, With, Without };

class WelderRanges {
public:
    struct Result {
        QString key;       // the range field
        QString text;
        QString paragraph; // the rule that gave it
    };

    // Every range the actual values of a WPQ give, in the order of the form; ranges it cannot
    // compute are left out.
    static QList<Result> compute(const QualifyForm &wpq);

    // QW-452.1(b) deposit thickness of one process (and QW-404.32 for GMAW short-circuiting).
    static LengthRange deposit(const QString &thickness, bool threeLayers, bool shortCircuit);
    // QW-452.3 groove-weld pipe diameter (a plate coupon: 2-7/8 in and over).
    static LengthRange diameter(bool pipe, const QString &outsideDiameter);
    // QW-433 for a test with the F-No. of text ("F-4", "4"), with or without backing.
    static FNoRange fNo(const QString &text, Backing backing);
    // The F-No. number of a text ("F-4", "4", "F4"); 0 when there is none.
    static int fNoNumber(const QString &text);
    // QW-402.4: what a backing text means ("With", "None", "Double-welded", "No (open root)").
    static Backing backing(const QString &text);
    static QString backingRange(Backing tested);
    // QW-423.1: the P-Nos a test on pNo to pNo2 qualifies; empty when they lie in no group.
    static QString pNoRange(const QString &pNo, const QString &pNo2);
    // The QW-423.1 group of a P-No. text; -1 when it is in none.
    static int pNoGroup(const QString &pNo);
    // The coupon: pipe when the text says pipe or tube, plate when it says plate; else unknown.
    static bool isPipe(const QString &platePipe, bool *known);

    // The variables whose range is one of a few fixed answers (progression, backing gas,
    // transfer mode, current and polarity, filler added or deleted, insert, product form).
    struct ChoiceRow {
        const char *key;        // the actual value's field
        const char *paragraph;
        const char *pattern;    // a case-insensitive regular expression on the actual value
        const char *qualified;  // the range it gives
    };
    static const QList<ChoiceRow> &choiceTable();
    // The range of one choice variable; empty when no row reads the text.
    static QString choice(const QString &key, const QString &actual);
};

} // namespace Brenvik
