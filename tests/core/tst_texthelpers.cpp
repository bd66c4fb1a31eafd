#include "core/texthelpers.h"

#include <QLocale>
#include <QtTest>

using namespace Brenvik;

namespace {

const QString SEP(kCellSeparator);
const QString CRLF = QStringLiteral("\r\n");
const QString MARK = QStringLiteral("\\n");

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class TestTextHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void joinLinesEndsEveryLine()
    {
        QCOMPARE(joinLines({}), QString());
        QCOMPARE(joinLines({QString()}), CRLF);
        QCOMPARE(joinLines({s("a"), s(""), s("b")}), s("a\r\n\r\nb\r\n"));
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << s("") << QStringList{s("")};
        QTest::newRow("one line") << s("abc") << QStringList{s("abc")};
        QTest::newRow("trailing blanks and breaks go") << s("a \t\r\n\r\n  ") << QStringList{s("a")};
        QTest::newRow("leading blanks stay") << s("  a") << QStringList{s("  a")};
        QTest::newRow("lone LF") << s("a\nb") << QStringList{s("a"), s("b")};
        QTest::newRow("lone CR") << s("a\rb") << QStringList{s("a"), s("b")};
        QTest::newRow("CR CR LF") << s("a\r\r\nb") << QStringList{s("a"), s(""), s("b")};
        QTest::newRow("LF CR is two breaks") << s("a\n\rb") << QStringList{s("a"), s(""), s("b")};
        QTest::newRow("inner empty line kept") << s("a\r\n\r\nb") << QStringList{s("a"), s(""), s("b")};
        QTest::newRow("inner line blanks kept") << s("a  \r\n b") << QStringList{s("a  "), s(" b")};
        QTest::newRow("control chars at end go") << s("a\x01\x1f") << QStringList{s("a")};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(Brenvik::splitLines(text), lines);
    }

    void memoEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("empty") << s("") << s("");
        QTest::newRow("blank lines only") << s("\r\n \r\n\t\r\n") << s("");
        QTest::newRow("inner empty line kept") << s("a\r\n\r\nb") << s("a") + MARK + MARK + s("b");
        QTest::newRow("memo text with final CRLF") << s("a\r\nb\r\n") << s("a") + MARK + s("b");
        QTest::newRow("leading blanks kept") << s("  a\r\n  b  ") << s("  a") + MARK + s("  b");
        QTest::newRow("unix breaks") << s("a\nb") << s("a") + MARK + s("b");
    }
    void memoEncoding()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        QCOMPARE(encodeMemo(text), encoded);
    }

    void memoDecoding_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("flat");
        QTest::newRow("empty") << s("") << s("") << s("");
        QTest::newRow("two lines") << s("a\\nb") << s("a\r\nb") << s("a b");
        QTest::newRow("backslash alone stays") << s("C:\\temp\\x") << s("C:\\temp\\x") << s("C:\\temp\\x");
        QTest::newRow("double backslash then n") << s("a\\\\nb") << s("a\\\r\nb") << s("a\\ b");
        QTest::newRow("marks in a row") << s("\\n\\n") << s("\r\n\r\n") << s("  ");
        QTest::newRow("capital N is text") << s("a\\Nb") << s("a\\Nb") << s("a\\Nb");
    }
    void memoDecoding()
    {
        QFETCH(QString, value);
        QFETCH(QString, decoded);
        QFETCH(QString, flat);
        QCOMPARE(decodeMemo(value), decoded);
        QCOMPARE(flattenMemo(value), flat);
    }

    void memoRoundTrip()
    {
        // What a memo shows, saved and read back, is the same text (bar trailing empty lines).
        const QString memo = s("Stringer beads\r\n\r\n  Back-step where needed");
        QCOMPARE(decodeMemo(encodeMemo(joinLines(memo.split(CRLF)))), memo);
    }

    void fileBaseName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("base");
        QTest::newRow("no dot") << s("/x/weld") << s("/x/weld");
        QTest::newRow("dot in folder only") << s("/x/a.b/weld") << s("/x/a.b/weld");
        QTest::newRow("last dot of name") << s("/x/a.rev3.wrp") << s("/x/a.rev3");
        QTest::newRow("windows path") << s("C:\\Jobs.2026\\a.rev3.wrp") << s("C:\\Jobs.2026\\a.rev3");
        QTest::newRow("windows dot in folder") << s("C:\\Jobs.2026\\weld") << s("C:\\Jobs.2026\\weld");
        QTest::newRow("mixed separators") << s("C:\\a.b/c") << s("C:\\a.b/c");
        QTest::newRow("bare name") << s("weld01.wrp") << s("weld01");
        QTest::newRow("trailing dot") << s("/x/weld.") << s("/x/weld");
        QTest::newRow("hidden file") << s("/x/.wrp") << s("/x/");
        QTest::newRow("empty") << s("") << s("");
    }
    void fileBaseName()
    {
        QFETCH(QString, path);
        QFETCH(QString, base);
        QCOMPARE(Brenvik::fileBaseName(path), base);
    }

    void trimBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("one blank stays") << s(" ") << s(" ");
        QTest::newRow("one tab stays") << s("\t") << s("\t");
        QTest::newRow("two blanks go") << s("  ") << s("");
        QTest::newRow("blanks and tabs") << s(" \ta b\t ") << s("a b");
        QTest::newRow("other controls stay") << s("\r a \n") << s("\r a \n");
        QTest::newRow("empty") << s("") << s("");
    }
    void trimBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(Brenvik::trimBlanks(text), trimmed);
    }

    void words_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("words"); // getWord 1..count, then one beyond
        QTest::newRow("empty") << s("") << 0 << QStringList{};
        QTest::newRow("blanks only") << s("   ") << 0 << QStringList{};
        QTest::newRow("one blank") << s(" ") << 0 << QStringList{};
        QTest::newRow("one word") << s("a") << 1 << QStringList{s("a")};
        QTest::newRow("three blanks between") << s("ab   cd") << 2 << QStringList{s("ab"), s("cd")};
        QTest::newRow("tabs count as blanks") << s("\tab\tcd \t ef ") << 3 << QStringList{s("ab"), s("cd"), s("ef")};
        QTest::newRow("profile index list") << s(" 1 3 12") << 3 << QStringList{s("1"), s("3"), s("12")};
        QTest::newRow("trailing CRLF ignored") << s("a b\r\n") << 2 << QStringList{s("a"), s("b")};
    }
    void words()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QStringList, words);
        QCOMPARE(wordCount(text), count);
        for (int i = 0; i < words.size(); ++i)
            QCOMPARE(getWord(text, i + 1), words.at(i));
        QCOMPARE(getWord(text, words.size() + 1), QString());
        QCOMPARE(getWord(text, 0), QString());
        QCOMPARE(getWord(text, -1), QString());
    }

    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("empty") << s("") << 0 << QStringList{};
        QTest::newRow("no separator") << s("  abc ") << 1 << QStringList{s("abc")};
        QTest::newRow("grid row") << s("_") + SEP + s("x") + SEP << 3 << QStringList{s("_"), s("x"), s("")};
        QTest::newRow("inner blanks kept") << s(" a ") + SEP + s(" b ") << 2 << QStringList{s("a "), s(" b")};
        QTest::newRow("empty fields") << SEP + SEP << 3 << QStringList{s(""), s(""), s("")};
        QTest::newRow("parameter row")
            << s("mm") + SEP + s("10") + SEP + s("_") + SEP << 4 << QStringList{s("mm"), s("10"), s("_"), s("")};
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QStringList, fields);
        QCOMPARE(fieldCount(text), count);
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(getField(text, i + 1), fields.at(i));
        QCOMPARE(getField(text, fields.size() + 1), QString());
        QCOMPARE(getField(text, 0), QString());
    }

    void removeCharHasNoLengthLimit()
    {
        QCOMPARE(removeChar(s("Weld Size / ETT"), QLatin1Char(' ')), s("WeldSize/ETT"));
        QCOMPARE(removeChar(s("   "), QLatin1Char(' ')), s(""));
        QString big(100000, QLatin1Char('a'));
        big[70000] = QLatin1Char(' ');
        big[99999] = QLatin1Char(' ');
        QCOMPARE(removeChar(big, QLatin1Char(' ')), QString(99998, QLatin1Char('a')));
    }

    void inchToMm_data()
    {
        QTest::addColumn<QString>("inches");
        QTest::addColumn<QString>("mm"); // with "." for the decimal separator
        QTest::newRow("fraction") << s("3/8") << s("9.525");
        QTest::newRow("inch mark") << s("1\"") << s("25.400");
        QTest::newRow("decimal") << s("0.5") << s("12.700");
        QTest::newRow("decimal with mark") << s("0.5\"") << s("12.700");
        QTest::newRow("fraction with mark") << s("1/4\"") << s("6.350");
        QTest::newRow("blanks around") << s(" 2 ") << s("50.800");
        QTest::newRow("zero") << s("0") << s("0.000");
        QTest::newRow("negative") << s("-1") << s("-25.400");
        QTest::newRow("thousands not grouped") << s("100") << s("2540.000");
        QTest::newRow("empty") << s("") << s("");
        QTest::newRow("division by zero") << s("1/0") << s("");
        QTest::newRow("zero by zero") << s("0/0") << s("");
        QTest::newRow("mixed number") << s("1 1/2") << s("");
        QTest::newRow("two slashes") << s("1/2/3") << s("");
        QTest::newRow("quote inside") << s("1\"2") << s("");
        QTest::newRow("two quotes") << s("1\"\"") << s("");
        QTest::newRow("not a number") << s("abc") << s("");
        QTest::newRow("mark alone") << s("\"") << s("");
        QTest::newRow("group separator refused") << s("1,000,000") << s("");
        QTest::newRow("overflow") << s("1e308/1e-308") << s("");
    }
    void inchToMm()
    {
        QFETCH(QString, inches);
        QFETCH(QString, mm);
        QString expected = mm;
        expected.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
        QCOMPARE(Brenvik::inchToMm(inches), expected);
    }

    void interpolate_data()
    {
        QTest::addColumn<double>("p1");
        QTest::addColumn<double>("p2");
        QTest::addColumn<double>("p3");
        QTest::addColumn<double>("p4");
        QTest::addColumn<double>("p5");
        QTest::addColumn<double>("result");
        QTest::newRow("midpoint") << 0.0 << 0.0 << 10.0 << 100.0 << 5.0 << 50.0;
        QTest::newRow("falling line") << 1.0 << 10.0 << 3.0 << 6.0 << 2.0 << 8.0;
        QTest::newRow("beyond the points") << 0.0 << 0.0 << 1.0 << 2.0 << 3.0 << 6.0;
        QTest::newRow("same x gives p1") << 2.0 << 7.0 << 2.0 << 9.0 << 5.0 << 2.0;
    }
    void interpolate()
    {
        QFETCH(double, p1);
        QFETCH(double, p2);
        QFETCH(double, p3);
        QFETCH(double, p4);
        QFETCH(double, p5);
        QFETCH(double, result);
        QCOMPARE(double(Brenvik::interpolate(p1, p2, p3, p4, p5)), result);
    }

    void interpolateKeepsExtendedPrecision()
    {
        // A difference below double's resolution at 1e16 survives in long double.
        const long double r = Brenvik::interpolate(0.0L, 1e16L, 1.0L, 1e16L + 2.0L, 0.5L);
        QVERIFY(r - 1e16L == 1.0L);
    }
};

QTEST_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
