#pragma once
// QW-461.9: the positions a welder's test coupon qualifies, in the code's three columns
// (groove welds on plate and on pipe over 24 in O.D.; groove welds on pipe 24 in O.D. and
// under; fillet welds). The table is data with the edition it was read from beside it: a shop
// working to another edition corrects a cell here (the fillet column of the 1G rows is "F" in
// some editions and "F, H" in others).

#include <QList>
#include <QString>

namespace Brenvik {

// Positions as bits: flat, horizontal, vertical, overhead.
namespace Position {
inline constexpr int F = 1, H = 2, V = 4, O = 8, All = F | H | V | O;
} // namespace Position

struct PositionRow {
    bool pipe;            // the coupon: pipe, else plate
    const char *tested;   // the positions welded, sorted and joined by "+": "2G+5G"
    int groovePlate;      // plate, and pipe over 24 in O.D.
    int groovePipe;       // pipe 24 in O.D. and under
    bool groovePipeFrom73; // ... and then only 2-7/8 in (73 mm) O.D. and over
    int fillet;
    const char *paragraph;
};

class WelderPositions {
public:
    // The edition the table below follows.
    static QString edition();
    static const QList<PositionRow> &table();
    // The row of a coupon; nullptr when the positions text names no row ("1G", "6G",
    // "2G and 5G", "3G & 4G", "2F, 2FR").
    static const PositionRow *find(bool pipe, const QString &tested);
    // The test positions a text names, sorted and joined by "+"; empty when it names none.
    static QString testedKey(const QString &text);
    // "F, V, O", "All", "None".
    static QString text(int positions);
    // The positions a WPS text asks for: "All", "F, V, O", "Flat and horizontal", "1G, 5G";
    // -1 when the text names none.
    static int wanted(const QString &text);
};

} // namespace Brenvik
