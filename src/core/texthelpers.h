#pragma once
// Stateless text helpers: the one-line encodings that let memo text and grid rows live in
// INI values, word and field splitting, the sketch-file base name, unit conversion.

#include <QString>
#include <QStringList>

namespace Brenvik {

// The byte 0xA6 of code page 1252 ("¦"), between the fields of a grid row value.
inline constexpr QChar kCellSeparator = QChar(0x00A6);
// The two characters backslash and "n": a line break inside a one-line memo value.
inline const QString kMemoLineMark = QStringLiteral("\\n");

QString joinLines(const QStringList &lines);
QStringList splitLines(const QString &text);
QString encodeMemo(const QString &text);
QString decodeMemo(const QString &value);
QString flattenMemo(const QString &value);
// Every from in text replaced by to, in one pass whatever the lengths (QString::replace moves
// the rest of the text once per thousand matches: megabytes of short lines take minutes).
QString replacedAll(const QString &text, QStringView from, QStringView to);
// The path without the extension of its file name; "/" and "\" both end folder names.
QString fileBaseName(const QString &path);
QString trimBlanks(const QString &text);
int wordCount(const QString &text);
QString getWord(const QString &text, int n);
int fieldCount(const QString &text);
QString getField(const QString &text, int n);
QString removeChar(const QString &text, QChar c);
QString inchToMm(const QString &inches);
// A finite number as the user types it, blanks around allowed: the regional decimal separator
// or "."; group separators are refused ("1,5" is never fifteen).
bool readDecimal(const QString &text, double *value);
long double interpolate(long double p1, long double p2, long double p3, long double p4, long double p5);
// The INI layer keeps no cache between operations, so there is nothing to flush; kept so
// callers read as the program's flow does.
void flushIniFile(const QString &fileName);

} // namespace Brenvik
