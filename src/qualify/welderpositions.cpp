#include "qualify/welderpositions.h"

#include <QRegularExpression>
#include <QStringList>

namespace Brenvik {

namespace {

using namespace Position;
constexpr int FVO = F | V | O;

// clang-format off
const QList<PositionRow> kTable = {
    // pipe   tested      plate & >24   pipe <=24  from 73  fillet     paragraph
    {false, "1G",       F,             F,         true,  F | H,     "QW-461.9"},
    {false, "2G",       F | H,         F | H,     true,  F | H,     "QW-461.9"},
    {false, "3G",       F | V,         F,         true,  F | H | V, "QW-461.9"},
    {false, "4G",       F | O,         F,         true,  F | H | O, "QW-461.9"},
    {false, "3G+4G",    FVO,           F,         true,  All,       "QW-461.9"},
    {false, "2G+3G+4G", All,           F | H,     true,  All,       "QW-461.9"},
    {true,  "1G",       F,             F,         false, F | H,     "QW-461.9"},
    {true,  "2G",       F | H,         F | H,     false, F | H,     "QW-461.9"},
    {true,  "5G",       FVO,           FVO,       false, All,       "QW-461.9"},
    {true,  "6G",       All,           All,       false, All,       "QW-461.9"},
    {true,  "2G+5G",    All,           All,       false, All,       "QW-461.9"},
    // Fillet coupons qualify fillet welds only; plate fillets on pipe of 73 mm O.D. and over.
    {false, "1F",       0,             0,         false, F,         "QW-461.9"},
    {false, "2F",       0,             0,         false, F | H,     "QW-461.9"},
    {false, "3F",       0,             0,         false, F | H | V, "QW-461.9"},
    {false, "4F",       0,             0,         false, F | H | O, "QW-461.9"},
    {false, "3F+4F",    0,             0,         false, All,       "QW-461.9"},
    {true,  "1F",       0,             0,         false, F,         "QW-461.9"},
    {true,  "2F",       0,             0,         false, F | H,     "QW-461.9"},
    {true,  "2FR",      0,             0,         false, F | H,     "QW-461.9"},
    {true,  "2F+2FR",   0,             0,         false, F | H,     "QW-461.9"},
    {true,  "4F",       0,             0,         false, F | H | O, "QW-461.9"},
    {true,  "5F",       0,             0,         false, All,       "QW-461.9"},
};
// clang-format on

} // namespace

QString WelderPositions::edition()
{
    return QStringLiteral("ASME BPVC Section IX, 2021 edition, Table QW-461.9");
}

const QList<PositionRow> &WelderPositions::table()
{
    return kTable;
}

QString WelderPositions::testedKey(const QString &text)
{
    static const QRegularExpression code(QStringLiteral("\\b([1-6])\\s*(G|FR|F)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    auto it = code.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString one = m.captured(1) + m.captured(2).toUpper();
        if (!found.contains(one))
            found << one;
    }
    found.sort();
    return found.join(QLatin1Char('+'));
}

const PositionRow *WelderPositions::find(bool pipe, const QString &tested)
{
    const QString key = testedKey(tested);
    if (key.isEmpty())
        return nullptr;
    for (const PositionRow &row : kTable)
        if (row.pipe == pipe && key == QLatin1String(row.tested))
            return &row;
    return nullptr;
}

QString WelderPositions::text(int positions)
{
    if (positions == All)
        return QStringLiteral("All");
    QStringList out;
    const QPair<int, const char *> letters[] = {{F, "F"}, {H, "H"}, {V, "V"}, {O, "O"}};
    for (const auto &[bit, letter] : letters)
        if (positions & bit)
            out << QString::fromLatin1(letter);
    return out.isEmpty() ? QStringLiteral("None") : out.join(QStringLiteral(", "));
}

int WelderPositions::wanted(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0
        || t.startsWith(QStringLiteral("all "), Qt::CaseInsensitive))
        return All;
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]+"));
    int out = 0;
    bool any = false;
    auto it = word.globalMatch(t);
    while (it.hasNext()) {
        const QString w = it.next().captured().toUpper();
        const QPair<const char *, int> words[] = {
            {"F", F},      {"FLAT", F},  {"H", H},       {"HORIZONTAL", H}, {"V", V},     {"VERTICAL", V},
            {"O", O},      {"OVERHEAD", O}, {"1G", F},   {"2G", H},         {"3G", V},    {"4G", O},
            {"5G", FVO},   {"6G", All},  {"1F", F},      {"2F", H},         {"3F", V},    {"4F", O},
            {"5F", All},   {"ALL", All}, {"AND", 0},     {"OR", 0},
        };
        bool known = false;
        for (const auto &[name, bits] : words)
            if (w == QLatin1String(name)) {
                out |= bits;
                known = true;
                any = any || bits != 0;
            }
        if (!known)
            return -1;
    }
    return any ? out : -1;
}

} // namespace Brenvik
