#include "core/texthelpers.h"

#include <QLocale>
#include <cmath>

namespace Brenvik {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20;
}

QString trimBlanksAndControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// A number as the user types it: the regional decimal separator first, the C locale's "."
// as well. Group separators are refused, so "1,5" never becomes fifteen.
bool readNumber(const QString &text, long double *value)
{
    for (QLocale locale : {QLocale::system(), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double v = locale.toDouble(text, &ok);
        if (ok && std::isfinite(v)) {
            *value = v;
            return true;
        }
    }
    return false;
}

} // namespace

bool readDecimal(const QString &text, double *value)
{
    long double v = 0;
    if (!readNumber(text.trimmed(), &v))
        return false;
    *value = double(v);
    return true;
}

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + kCrLf;
    return text;
}

QStringList splitLines(const QString &text)
{
    QString normal;
    normal.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            normal += kCrLf;
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            normal += kCrLf;
        } else {
            normal += c;
        }
    }
    qsizetype end = normal.size();
    while (end > 0 && isBlankOrControl(normal.at(end - 1)))
        --end;
    normal.truncate(end);
    return normal.split(kCrLf, Qt::KeepEmptyParts);
}

QString encodeMemo(const QString &text)
{
    return splitLines(text).join(kMemoLineMark);
}

QString decodeMemo(const QString &value)
{
    // A replacement never forms a new mark, so one left-to-right pass is the whole job.
    return replacedAll(value, kMemoLineMark, kCrLf);
}

QString flattenMemo(const QString &value)
{
    return replacedAll(value, kMemoLineMark, u" ");
}

QString replacedAll(const QString &text, QStringView from, QStringView to)
{
    if (from.isEmpty())
        return text;
    qsizetype at = text.indexOf(from);
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size() + qMax<qsizetype>(0, to.size() - from.size()) * 16);
    qsizetype done = 0;
    for (; at >= 0; at = text.indexOf(from, done)) {
        out.append(QStringView(text).mid(done, at - done));
        out.append(to);
        done = at + from.size();
    }
    out.append(QStringView(text).mid(done));
    return out;
}

QString fileBaseName(const QString &path)
{
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return path;
    return path.left(dot);
}

QString trimBlanks(const QString &text)
{
    if (text.size() == 1)
        return text;
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

int wordCount(const QString &text)
{
    const QString t = trimBlanksAndControls(text);
    if (t.isEmpty())
        return 0;
    int count = 1;
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (!isBlank(t.at(i)) && isBlank(t.at(i - 1)))
            ++count;
    }
    return count;
}

QString getWord(const QString &text, int n)
{
    if (text.isEmpty() || n < 1)
        return QString();
    const QString t = trimBlanks(text) + QLatin1Char(' ');
    qsizetype start = 0;
    int word = 1;
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (!isBlank(t.at(i)) || isBlank(t.at(i - 1)))
            continue;
        if (word == n)
            return trimBlanksAndControls(t.mid(start, i - start));
        start = i + 1;
        ++word;
    }
    return QString();
}

int fieldCount(const QString &text)
{
    const QString t = trimBlanksAndControls(text);
    if (t.isEmpty())
        return 0;
    return int(t.count(kCellSeparator)) + 1;
}

QString getField(const QString &text, int n)
{
    if (text.isEmpty() || n < 1)
        return QString();
    const QString t = trimBlanks(text);
    if (fieldCount(t) < n)
        return QString();
    qsizetype start = 0;
    for (int field = 1; field < n; ++field)
        start = t.indexOf(kCellSeparator, start) + 1;
    const qsizetype end = t.indexOf(kCellSeparator, start);
    return end < 0 ? t.mid(start) : t.mid(start, end - start);
}

QString removeChar(const QString &text, QChar c)
{
    QString result = text;
    return result.remove(c);
}

QString inchToMm(const QString &inches)
{
    if (inches.isEmpty())
        return QString();
    QString text = inches;
    // A trailing inch mark is allowed; a quote anywhere else makes the text no number.
    if (text.indexOf(QLatin1Char('"')) == text.size() - 1)
        text.chop(1);
    long double value = 0;
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        long double numerator = 0;
        long double denominator = 0;
        if (!readNumber(text.left(slash), &numerator) || !readNumber(text.mid(slash + 1), &denominator)
            || denominator == 0)
            return QString();
        value = numerator / denominator;
    } else if (!readNumber(text, &value)) {
        return QString();
    }
    double mm = double(value * 25.4L);
    if (!std::isfinite(mm))
        return QString();
    // "-0.000" reads as a fault; a length that rounds to nothing is plain zero.
    if (std::fabs(mm) < 0.0005)
        mm = 0;
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(mm, 'f', 3);
}

long double interpolate(long double p1, long double p2, long double p3, long double p4, long double p5)
{
    if (p1 == p3)
        return p1;
    return p2 + (p4 - p2) / (p3 - p1) * (p5 - p1);
}

void flushIniFile(const QString &fileName)
{
    Q_UNUSED(fileName);
}

} // namespace Brenvik
