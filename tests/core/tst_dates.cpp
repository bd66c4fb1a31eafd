#include "core/dates.h"

#include <QLocale>
#include <QtTest>

using namespace Brenvik;

class TestDates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatFileDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("two-digit month and day") << QDate(2026, 7, 2) << QStringLiteral("07/02/2026");
        QTest::newRow("month first") << QDate(2026, 12, 31) << QStringLiteral("12/31/2026");
        QTest::newRow("early year") << QDate(987, 1, 1) << QStringLiteral("01/01/0987");
        QTest::newRow("null") << QDate() << QString();
    }
    void formatFileDate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(Brenvik::formatFileDate(date), text);
    }

    void parseFileDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("file format") << QStringLiteral("07/12/2026") << QDate(2026, 7, 12);
        QTest::newRow("month first, not day") << QStringLiteral("12/07/2026") << QDate(2026, 12, 7);
        QTest::newRow("one digit") << QStringLiteral("7/2/2026") << QDate(2026, 7, 2);
        QTest::newRow("dots") << QStringLiteral("07.12.2026") << QDate(2026, 7, 12);
        QTest::newRow("dashes") << QStringLiteral("07-12-2026") << QDate(2026, 7, 12);
        QTest::newRow("blanks around") << QStringLiteral(" 07/12/2026 ") << QDate(2026, 7, 12);
        QTest::newRow("two-digit year") << QStringLiteral("07/12/26") << QDate(2026, 7, 12);
        QTest::newRow("two-digit year, last century") << QStringLiteral("07/12/98") << QDate(1998, 7, 12);
        QTest::newRow("leap day") << QStringLiteral("02/29/2024") << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << QStringLiteral("02/29/2026") << QDate();
        QTest::newRow("day 31 of a short month") << QStringLiteral("04/31/2026") << QDate();
        QTest::newRow("month 13") << QStringLiteral("13/01/2026") << QDate();
        QTest::newRow("month 0") << QStringLiteral("00/01/2026") << QDate();
        QTest::newRow("empty") << QString() << QDate();
        QTest::newRow("two parts") << QStringLiteral("07/12") << QDate();
        QTest::newRow("four parts") << QStringLiteral("07/12/2026/1") << QDate();
        QTest::newRow("mixed separators") << QStringLiteral("07/12-2026") << QDate();
        QTest::newRow("letters") << QStringLiteral("Jul/12/2026") << QDate();
        QTest::newRow("sign") << QStringLiteral("+7/12/2026") << QDate();
        QTest::newRow("inner blank") << QStringLiteral("07/ 12/2026") << QDate();
        QTest::newRow("five-digit year") << QStringLiteral("07/12/20260") << QDate();
        QTest::newRow("empty part") << QStringLiteral("07//2026") << QDate();
    }
    void parseFileDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const QDate parsed = Brenvik::parseFileDate(text);
        QCOMPARE(parsed, date);
        QCOMPARE(parsed.isNull(), date.isNull());
    }

    void fileDatesRoundTrip()
    {
        for (QDate d(1999, 12, 25); d < QDate(2001, 3, 5); d = d.addDays(1))
            QCOMPARE(Brenvik::parseFileDate(Brenvik::formatFileDate(d)), d);
    }

    void formatReportDate()
    {
        const QString dec = QLocale::system().monthName(12, QLocale::ShortFormat);
        QCOMPARE(Brenvik::formatReportDate(QDate(2026, 12, 7)), QStringLiteral("7 ") + dec + QStringLiteral(" 2026"));
        QCOMPARE(Brenvik::formatReportDate(QDate(2026, 1, 31)),
                 QStringLiteral("31 ") + QLocale::system().monthName(1, QLocale::ShortFormat) + QStringLiteral(" 2026"));
        QCOMPARE(Brenvik::formatReportDate(QDate()), QString());
    }
};

QTEST_MAIN(TestDates)
#include "tst_dates.moc"
