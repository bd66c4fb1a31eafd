#pragma once
// Whole files in and out, for the tests that write a document or a store by hand and read
// back what the program made of it.

#include <QByteArray>
#include <QString>

namespace Brenvik {

// The file's bytes; empty when it cannot be read.
QByteArray readAll(const QString &path);
// Writes bytes as given; fails the running test when the file cannot be made.
void writeFile(const QString &path, const QByteArray &bytes);
// A profile file as the program stores one: text in code page 1252, "\n" written as CR LF.
QByteArray ini(const QString &text);

} // namespace Brenvik
