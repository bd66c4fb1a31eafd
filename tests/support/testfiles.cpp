#include "support/testfiles.h"

#include "core/cp1252.h"

#include <QFile>
#include <QtTest>

namespace Brenvik {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ini(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return Cp1252::encode(t);
}

} // namespace Brenvik
