#include "core/cp1252.h"

#include <array>

namespace Brenvik::Cp1252 {

namespace {

// 0x80-0x9F as Windows-1252 defines them. The five bytes it leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control of the same number, so every byte survives a
// decode and encode unchanged.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

constexpr std::array<char16_t, 256> makeTable()
{
    std::array<char16_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = (i >= 0x80 && i < 0xA0) ? kHigh[i - 0x80] : char16_t(i);
    return table;
}

constexpr std::array<char16_t, 256> kTable = makeTable();

// The byte for u, or -1 when 1252 has none.
int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    // Latin-1 is 1252 but for 0x80-0x9F; Qt's converter is fast, the fix-up rarely needed.
    QString text = QString::fromLatin1(bytes);
    for (QChar &c : text) {
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(kTable[c.unicode()]);
    }
    return text;
}

QByteArray encode(const QString &text, bool *lossy)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const int b = byteFor(u);
        if (b >= 0) {
            bytes.append(char(b));
            continue;
        }
        lost = true;
        bytes.append('?');
        // A character outside the basic plane is one "?", not two.
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

QString unencodable(const QString &text)
{
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (byteFor(u) >= 0)
            continue;
        QString one(text.at(i));
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            one += text.at(++i);
        if (!found.contains(one))
            found += one;
    }
    return found;
}

} // namespace Brenvik::Cp1252
