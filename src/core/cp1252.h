#pragma once
// Code page 1252 at the file boundary, through a 256-entry table of our own (Qt's encoder
// writes 0x1A for what it cannot map and reports errors per stream only).

#include <QByteArray>
#include <QString>

namespace Brenvik::Cp1252 {

QString decode(const QByteArray &bytes);
// Characters 1252 cannot hold become "?"; *lossy (when given) is set when that happened.
QByteArray encode(const QString &text, bool *lossy = nullptr);
// The characters of text that 1252 cannot hold, each once, in order of appearance.
QString unencodable(const QString &text);

} // namespace Brenvik::Cp1252
