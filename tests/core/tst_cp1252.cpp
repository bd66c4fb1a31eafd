#include "core/cp1252.h"

#include <QtTest>

using namespace Brenvik;

class TestCp1252 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = Cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        bool lossy = true;
        QCOMPARE(Cp1252::encode(text, &lossy), all);
        QVERIFY(!lossy);
        QCOMPARE(Cp1252::unencodable(text), QString());
        // No two bytes share a character.
        QSet<QChar> seen;
        for (QChar c : text)
            seen.insert(c);
        QCOMPARE(seen.size(), 256);
    }

    void table_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("ascii") << 0x41 << 0x41;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x81;
        QTest::newRow("low quote") << 0x82 << 0x201A;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("Z caron") << 0x8E << 0x017D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("right quote") << 0x92 << 0x2019;
        QTest::newRow("en dash") << 0x96 << 0x2013;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0xA0;
        QTest::newRow("cell separator") << 0xA6 << 0xA6;
        QTest::newRow("degree") << 0xB0 << 0xB0;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void table()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(Cp1252::decode(QByteArray(1, char(byte))), QString(QChar(unicode)));
        QCOMPARE(Cp1252::encode(QString(QChar(unicode))), QByteArray(1, char(byte)));
    }

    void unencodableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lost");
        QTest::newRow("cjk") << QString::fromUtf8("a\u4E00b") << QByteArray("a?b") << QString::fromUtf8("\u4E00");
        QTest::newRow("C1 control that 1252 fills") << QString(QChar(0x80)) << QByteArray("?") << QString(QChar(0x80));
        QTest::newRow("pair outside the plane is one ?")
            << QString::fromUtf8("x\U0001F600y") << QByteArray("x?y") << QString::fromUtf8("\U0001F600");
        QTest::newRow("each lost character once, in order")
            << QString::fromUtf8("\u03A9\u4E00\u03A9 \u20AC") << QByteArray("??? \x80") << QString::fromUtf8("\u03A9\u4E00");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << QString(QChar(0xD800));
    }
    void unencodableText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lost);
        bool lossy = false;
        QCOMPARE(Cp1252::encode(text, &lossy), bytes);
        QVERIFY(lossy);
        QCOMPARE(Cp1252::unencodable(text), lost);
    }
};

QTEST_MAIN(TestCp1252)
#include "tst_cp1252.moc"
