#include "qualify/welderranges.h"

#include "qualify/qualifycheck.h"
#include "qualify/welderpositions.h"
#include "qualify/wpqkeys.h"

#include <QRegularExpression>
#include <QStringList>

namespace Brenvik {

namespace {

using namespace WpqKeys;

// A bound of a table in both units: the code gives 1/2 in and 13 mm, 2-7/8 in and 73 mm.
struct Bound {
    double inch;
    double mm;
    const char *inchText;
    const char *mmText;

    double in(Unit unit) const { return unit == Unit::Inch ? inch : mm; }
    QString text(Unit unit) const { return QString::fromUtf8(unit == Unit::Inch ? inchText : mmText); }
};

const Bound kHalfInch{0.5, 13, "1/2 in", "13 mm"};
const Bound kOneInch{1, 25, "1 in", "25 mm"};
const Bound kPipe73{2.875, 73, "2-7/8 in", "73 mm"};

// Numbers read from text meet their bounds within rounding.
bool below(double a, double b) { return a < b - 1e-9; }

QString lengthText(double value, Unit unit)
{
    return ValueReader::number(value) + QLatin1Char(' ') + ValueReader::unitText(unit);
}

// QW-452.1(b), one row per case, first match wins.
enum class DepositCase { ShortCircuitThin, ThickThreeLayers, Other };
struct DepositRow {
    DepositCase when;
    double factor; // of t; 0: no maximum
    const char *paragraph;
};
const DepositRow kDepositRows[] = {
    {DepositCase::ShortCircuitThin, 1.1, "QW-404.32"},    // GMAW short-circuiting, t < 1/2 in
    {DepositCase::ThickThreeLayers, 0, "QW-452.1(b)"},    // t >= 1/2 in in three layers or more
    {DepositCase::Other, 2, "QW-452.1(b)"},               // 2t
};

// QW-452.3, groove welds: the coupon's O.D. below `under` qualifies from `from`.
struct DiameterRow {
    const Bound *under; // nullptr: any larger size
    const Bound *from;  // nullptr: the size welded
    const char *paragraph;
};
const DiameterRow kDiameterRows[] = {
    {&kOneInch, nullptr, "QW-452.3"},
    {&kPipe73, &kOneInch, "QW-452.3"}, // 1 in to 2-7/8 in inclusive
    {nullptr, &kPipe73, "QW-452.3"},
};

// QW-433: a test with one of `tested` qualifies `withBacking` with backing; tested without
// backing it also qualifies its own F-No. without. backingFree: the F-Nos qualified need no
// distinction of backing.
struct FNoRow {
    QList<int> tested;
    QList<int> withBacking;
    bool backingFree;
};
const QList<FNoRow> kFNoRows = {
    {{1}, {1}, false},
    {{2}, {1, 2}, false},
    {{3}, {1, 2, 3}, false},
    {{4}, {1, 2, 3, 4}, false},
    {{5}, {1, 5}, false},
    {{6}, {6}, true},
    {{21, 22, 23, 24, 25, 26}, {21, 22, 23, 24, 25, 26}, true},
    {{31}, {31}, true},
    {{32}, {32}, true},
    {{33}, {33}, true},
    {{35}, {35}, true},
    {{36}, {36}, true},
    {{37}, {37}, true},
    {{34, 41, 42, 43, 44, 45, 46}, {34, 41, 42, 43, 44, 45, 46}, true},
    {{51, 52, 53, 54, 55, 56}, {51, 52, 53, 54, 55, 56}, true},
    {{61}, {61}, true},
    {{71}, {71}, true},
    {{72}, {72}, true},
};

// QW-423.1: a P-No. of a group qualifies every P-No. of the group (numbers, letters aside).
struct PNoGroup {
    QList<QPair<int, int>> numbers;
    const char *qualified;
};
const QList<PNoGroup> kPNoGroups = {
    {{{1, 15}, {34, 34}, {41, 49}}, "P-1 through P-15F, P-34, P-41 through P-49"},
    {{{21, 26}}, "P-21 through P-26"},
    {{{51, 53}, {61, 62}}, "P-51 through P-53, P-61, P-62"},
};

// clang-format off
const QList<WelderRanges::ChoiceRow> kChoices = {
    {"progression",     "QW-405.3", "up",                                   "Uphill only"},
    {"progression",     "QW-405.3", "down",                                 "Downhill only"},
    {"progression",     "QW-405.3", "^(n/a|none|-)$",                       "N/A"},
    {"backingGas",      "QW-408.8", "^(none|without|no|n/a|-)\\b",          "With or without backing gas"},
    {"backingGas",      "QW-408.8", ".",                                    "With backing gas only"},
    {"transferMode",    "QW-409.2", "short",                                "Short-circuiting only"},
    {"transferMode",    "QW-409.2", "spray|globular|puls",                  "Spray, globular or pulsed spray"},
    {"transferMode",    "QW-409.2", "^(n/a|none|-)$",                       "N/A"},
    {"currentPolarity", "QW-409.4", "\\bDCEN\\b|straight",                  "DCEN only"},
    {"currentPolarity", "QW-409.4", "\\bDCEP\\b|reverse",                   "DCEP only"},
    {"currentPolarity", "QW-409.4", "\\bAC\\b",                             "AC only"},
    {"currentPolarity", "QW-409.4", "^(n/a|none|-)$",                       "N/A"},
    {"gtawFiller",      "QW-404.14", "without|^(none|no)$|autogenous",      "Without filler metal only"},
    {"gtawFiller",      "QW-404.14", "^(n/a|-)$",                           "N/A"},
    {"gtawFiller",      "QW-404.14", "with|^yes$|added",                    "With filler metal only"},
    {"consumableInsert","QW-404.22", "without|^(none|no|n/a|-)$",           "With or without consumable insert"},
    {"consumableInsert","QW-404.22", "with|^yes$|insert",                   "With consumable insert only"},
    {"fillerType",      "QW-404.23", "metal.?cored",                        "Metal-cored only"},
    {"fillerType",      "QW-404.23", "flux.?cored|powder",                  "Flux-cored only"},
    {"fillerType",      "QW-404.23", "solid",                               "Solid only"},
    {"fillerType",      "QW-404.23", "^(n/a|none|-)$",                      "N/A"},
};
// clang-format on

QString fNoList(const QList<int> &numbers)
{
    // Runs of consecutive numbers as "F-1 to F-4".
    QStringList parts;
    for (int i = 0; i < numbers.size();) {
        int j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        parts << (j > i + 1 ? QStringLiteral("F-%1 to F-%2").arg(numbers.at(i)).arg(numbers.at(j))
                  : j == i + 1 ? QStringLiteral("F-%1, F-%2").arg(numbers.at(i)).arg(numbers.at(j))
                               : QStringLiteral("F-%1").arg(numbers.at(i)));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

bool contains(const QString &text, const char *pattern)
{
    return QRegularExpression(QString::fromLatin1(pattern), QRegularExpression::CaseInsensitiveOption)
        .match(text)
        .hasMatch();
}

} // namespace

LengthRange WelderRanges::deposit(const QString &thickness, bool threeLayers, bool shortCircuit)
{
    LengthRange out;
    const Reading r = ValueReader::length(thickness, Unit::None);
    if (!r.isValue() || !r.hasHigh || r.high <= 0)
        return out;
    const double t = r.high;
    const Unit unit = r.unit;
    const bool thin = below(t, kHalfInch.in(unit));
    for (const DepositRow &row : kDepositRows) {
        const bool applies = (row.when == DepositCase::ShortCircuitThin && shortCircuit && thin)
            || (row.when == DepositCase::ThickThreeLayers && !thin && threeLayers) || row.when == DepositCase::Other;
        if (!applies)
            continue;
        out.known = true;
        out.unit = unit;
        out.paragraph = QString::fromLatin1(row.paragraph);
        out.unlimited = row.factor == 0;
        out.limit = t * row.factor;
        out.text = out.unlimited ? QStringLiteral("Maximum to be welded")
                                 : lengthText(out.limit, unit) + QStringLiteral(" max.");
        return out;
    }
    return out;
}

LengthRange WelderRanges::diameter(bool pipe, const QString &outsideDiameter)
{
    LengthRange out;
    out.unlimited = true;
    if (!pipe) {
        // A plate coupon qualifies groove welds on pipe of 2-7/8 in O.D. and over only.
        out.known = true;
        out.unit = Unit::Inch;
        out.limit = kPipe73.inch;
        out.paragraph = QStringLiteral("QW-452.3");
        out.text = QStringLiteral("2-7/8 in (73 mm) O.D. and over");
        return out;
    }
    const Reading r = ValueReader::length(outsideDiameter, Unit::None);
    if (!r.isValue() || !r.hasHigh || r.high <= 0)
        return out;
    const double od = r.high;
    for (const DiameterRow &row : kDiameterRows) {
        // The middle row includes its upper bound: "1 in to 2-7/8 in".
        if (row.under && (row.from ? od > row.under->in(r.unit) + 1e-9 : !below(od, row.under->in(r.unit))))
            continue;
        out.known = true;
        out.unit = r.unit;
        out.paragraph = QString::fromLatin1(row.paragraph);
        out.limit = row.from ? row.from->in(r.unit) : od;
        out.text = (row.from ? row.from->text(r.unit) : lengthText(od, r.unit)) + QStringLiteral(" O.D. and over");
        return out;
    }
    return out;
}

int WelderRanges::fNoNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(?:F\\s*-?\\s*(?:No\\.?)?\\s*)?(\\d{1,2})\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = number.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

FNoRange WelderRanges::fNo(const QString &text, Backing backing)
{
    FNoRange out;
    const int tested = fNoNumber(text);
    if (tested == 0 || backing == Backing::Unknown)
        return out;
    for (const FNoRow &row : kFNoRows) {
        if (!row.tested.contains(tested))
            continue;
        out.known = true;
        out.withBacking = row.withBacking;
        if (row.backingFree) {
            out.withoutBacking = row.withBacking;
            out.text = fNoList(row.withBacking);
        } else if (backing == Backing::With) {
            out.text = fNoList(row.withBacking) + QStringLiteral(" with backing");
        } else {
            out.withoutBacking = {tested};
            QList<int> others = row.withBacking;
            others.removeAll(tested);
            out.text = QStringLiteral("F-%1 with or without backing").arg(tested);
            if (!others.isEmpty())
                out.text += QStringLiteral("; %1 with backing").arg(fNoList(others));
        }
        return out;
    }
    return out;
}

Backing WelderRanges::backing(const QString &text)
{
    // QW-402.4: a double-welded groove and a fillet count as welded with backing.
    if (contains(text, "without|\\b(none|no|open)\\b"))
        return Backing::Without;
    if (contains(text, "with|\\byes\\b|double|fillet|strip|metal"))
        return Backing::With;
    return Backing::Unknown;
}

QString WelderRanges::backingRange(Backing tested)
{
    switch (tested) {
    case Backing::Without: return QStringLiteral("With or without backing");
    case Backing::With: return QStringLiteral("With backing only");
    case Backing::Unknown: break;
    }
    return QString();
}

int WelderRanges::pNoGroup(const QString &pNo)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(?:P\\s*-?\\s*(?:No\\.?)?\\s*)?(\\d{1,2})[A-Z]?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = number.match(pNo);
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(1).toInt();
    for (int g = 0; g < kPNoGroups.size(); ++g)
        for (const auto &[low, high] : kPNoGroups.at(g).numbers)
            if (n >= low && n <= high)
                return g;
    return -1;
}

QString WelderRanges::pNoRange(const QString &pNo, const QString &pNo2)
{
    const int group = pNoGroup(pNo);
    const int group2 = pNo2.trimmed().isEmpty() ? group : pNoGroup(pNo2);
    if (group < 0 || group != group2)
        return QString();
    return QString::fromLatin1(kPNoGroups.at(group).qualified);
}

bool WelderRanges::isPipe(const QString &platePipe, bool *known)
{
    const bool pipe = contains(platePipe, "pipe|tube");
    const bool plate = contains(platePipe, "plate");
    *known = pipe != plate;
    return pipe && !plate;
}

const QList<WelderRanges::ChoiceRow> &WelderRanges::choiceTable()
{
    return kChoices;
}

QString WelderRanges::choice(const QString &key, const QString &actual)
{
    const QString text = actual.trimmed();
    if (text.isEmpty())
        return QString();
    for (const ChoiceRow &row : kChoices)
        if (key == QLatin1String(row.key) && contains(text, row.pattern))
            return QString::fromLatin1(row.qualified);
    return QString();
}

QList<WelderRanges::Result> WelderRanges::compute(const QualifyForm &wpq)
{
    QList<Result> out;
    auto add = [&out](const QString &key, const QString &text, const QString &paragraph) {
        if (!text.isEmpty())
            out.append({key, text, paragraph});
    };
    const Backing backingTested = backing(wpq.value(kBacking));
    const QString transfer = wpq.value(kTransferMode);
    for (int n = 1; n <= 2; ++n) {
        const QString process = wpq.value(numbered(kProcess, n));
        add(range(numbered(kProcess, n)), process, QStringLiteral("QW-353"));
        add(range(numbered(kWeldingType, n)), wpq.value(numbered(kWeldingType, n)), QStringLiteral("QW-353"));
        const bool shortCircuit = QualifyCheck::processes(process).contains(QStringLiteral("GMAW"))
            && transfer.contains(QStringLiteral("short"), Qt::CaseInsensitive);
        const LengthRange t = deposit(wpq.value(numbered(kDeposit, n)),
                                      wpq.value(numbered(kLayers, n)) == QLatin1String("true"), shortCircuit);
        add(range(numbered(kDeposit, n)), t.text, t.paragraph);
        add(range(numbered(kFNo, n)), fNo(wpq.value(numbered(kFNo, n)), backingTested).text, QStringLiteral("QW-433"));
    }
    add(range(kBacking), backingRange(backingTested), QStringLiteral("QW-402.4"));
    bool known = false;
    const bool pipe = isPipe(wpq.value(kPlatePipe), &known);
    if (known) {
        add(range(kPlatePipe), pipe ? QStringLiteral("Pipe and plate") : QStringLiteral("Plate, and pipe per diameter"),
            QStringLiteral("QW-403.16"));
        const LengthRange d = diameter(pipe, wpq.value(kDiameter));
        add(range(kDiameter), d.text, d.paragraph);
        if (const PositionRow *row = WelderPositions::find(pipe, wpq.value(kPosition))) {
            const QString from73 = row->groovePipeFrom73 && row->groovePipe != 0
                ? QStringLiteral(" (2-7/8 in O.D. and over)") : QString();
            add(kPositionPlate, WelderPositions::text(row->groovePlate), QStringLiteral("QW-461.9"));
            add(kPositionPipe, WelderPositions::text(row->groovePipe) + from73, QStringLiteral("QW-461.9"));
            add(kPositionFillet, WelderPositions::text(row->fillet), QStringLiteral("QW-461.9"));
        }
    }
    add(range(kPNo), pNoRange(wpq.value(kPNo), wpq.value(kPNo2)), QStringLiteral("QW-423.1"));
    for (const QString &key : {kProgression, kBackingGas, kTransferMode, kCurrentPolarity, kGtawFiller, kInsert,
                               kFillerType}) {
        QString text = choice(key, wpq.value(key));
        // QW-408.8: a single-welded groove with a backing strip, a double-welded groove or a
        // fillet needs no backing gas, so a test with it qualifies both.
        if (key == kBackingGas && text == QLatin1String("With backing gas only")
            && contains(wpq.value(kBacking), "strip|double|fillet"))
            text = QStringLiteral("With or without backing gas");
        add(range(key), text, QString::fromLatin1(key == kProgression ? "QW-405.3" : ""));
    }
    // The paragraphs of the choice rows.
    for (Result &r : out)
        if (r.paragraph.isEmpty())
            for (const ChoiceRow &row : kChoices)
                if (range(QString::fromLatin1(row.key)) == r.key)
                    r.paragraph = QString::fromLatin1(row.paragraph);
    return out;
}

} // namespace Brenvik
