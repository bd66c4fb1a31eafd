#include "core/dates.h"

#include <QLocale>
#include <QStringList>

namespace Brenvik {

namespace {

// Digits only: QString::toInt would take a sign or blanks that no file date holds.
int readDigits(const QString &text, int maxLength)
{
    if (text.isEmpty() || text.size() > maxLength)
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

} // namespace

QString formatFileDate(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate parseFileDate(const QString &text)
{
    const QString t = text.trimmed();
    QChar separator;
    for (QChar c : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')}) {
        if (t.contains(c)) {
            separator = c;
            break;
        }
    }
    if (separator.isNull())
        return QDate();
    const QStringList parts = t.split(separator);
    if (parts.size() != 3)
        return QDate();
    const int month = readDigits(parts.at(0), 2);
    const int day = readDigits(parts.at(1), 2);
    int year = readDigits(parts.at(2), 4);
    if (month < 0 || day < 0 || year < 0)
        return QDate();
    // A two-digit year is read in the window the regional settings use: 00-49 this century.
    if (parts.at(2).size() <= 2)
        year += year < 50 ? 2000 : 1900;
    return QDate(year, month, day); // invalid combinations give a null date
}

QString formatReportDate(const QDate &date)
{
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1 %2 %3")
        .arg(date.day())
        .arg(QLocale::system().monthName(date.month(), QLocale::ShortFormat))
        .arg(date.year());
}

} // namespace Brenvik
