// The save / open / reset walks and the column commands on plain values, without a window.

#include "core/profilefile.h"
#include "document/documentwalk.h"
#include "document/gridcolumncommands.h"
#include "support/scriptedplatform.h"

#include <QtTest>

using namespace Brenvik;

namespace {

const QChar S = QChar(0x00A6);

// A small form of every stored kind, with a row-number grid carrying the fillet-weld exception.
FormTable sampleTable(bool keepTitles)
{
    FormTable t;
    t.description.formType = QStringLiteral("PQR");
    t.groups = {GroupDef{QStringLiteral("g"), QString(), 0, 0, 0, 1, 1}};
    auto add = [&](const QString &name, FieldKind kind) {
        FieldDef f;
        f.name = name;
        f.kind = kind;
        f.group = QStringLiteral("g");
        t.fields << f;
        return &t.fields.last();
    };
    add(QStringLiteral("heading"), FieldKind::Label);
    add(QStringLiteral("wpdsNo"), FieldKind::SortedCombo);
    add(QStringLiteral("companyName"), FieldKind::Edit);
    add(QStringLiteral("pulsed1"), FieldKind::Check);
    add(QStringLiteral("technique"), FieldKind::Memo);
    FieldDef *grid = add(QStringLiteral("filletWeldTestT"), FieldKind::Grid);
    grid->grid.rows = 3;
    grid->grid.columns = 3;
    grid->grid.rowTitles = {QStringLiteral("1"), QStringLiteral("2")};
    grid->grid.columnTitles = {QStringLiteral("No."), QStringLiteral("A"), QStringLiteral("B")};
    grid->grid.keepTitleColumnOnRead = keepTitles;
    add(QStringLiteral("unitTF"), FieldKind::Radio);
    FieldDef *date = add(QStringLiteral("vTestDate"), FieldKind::Date);
    date->dateAfterWalk = true;
    FieldDef *walkDate = add(QStringLiteral("PQRDate"), FieldKind::Date);
    walkDate->dateAfterWalk = false;
    return t;
}

QStringList keysOf(const KeyValueList &entries)
{
    QStringList out;
    for (const auto &e : entries)
        out << e.first;
    return out;
}

ProfileFile fileWith(const QByteArray &text)
{
    ProfileFile file(QStringLiteral("unused.wrp"), ProfileFile::Kind::Document);
    file.setData(text);
    return file;
}

} // namespace

class TestDocumentWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveWritesKeysInCreationOrder();
    void encodeRow_data();
    void encodeRow();
    void cellFromField_data();
    void cellFromField();
    void readSetsEveryKind();
    void readTitleColumnException_data();
    void readTitleColumnException();
    void readBadDatesKeepsTheRest_data();
    void readBadDatesKeepsTheRest();
    void resetEmptiesAndKeepsTitles();
    void rowTitleKeys();
    void duplicateColumn_data();
    void duplicateColumn();
    void deleteColumn_data();
    void deleteColumn();
};

void TestDocumentWalk::saveWritesKeysInCreationOrder()
{
    const FormTable table = sampleTable(true);
    DocumentWalk walk(table);
    DocumentValues v;
    walk.reset(v, QDate(2026, 7, 12));
    v.imageFile = QStringLiteral("butt-v.bmp");
    v.texts[QStringLiteral("technique")] = QStringLiteral("Stringer beads\n\nBack-step  \n\n");
    v.dates[QStringLiteral("PQRDate")] = QDate(2026, 3, 4);
    const KeyValueList entries = walk.saveEntries(v);
    QCOMPARE(keysOf(entries),
             QStringList({"imageFile", "formType", "wpdsNo", "companyName", "pulsed1", "technique",
                          "filletWeldTestT_0", "filletWeldTestT_1", "filletWeldTestT_2", "unitTF",
                          "PQRDate", "vTestDate"}));
    QCOMPARE(entries.at(0).second, QStringLiteral("butt-v.bmp"));
    QCOMPARE(entries.at(1).second, QStringLiteral("PQR"));
    QCOMPARE(entries.at(4).second, QStringLiteral("false"));
    QCOMPARE(entries.at(5).second, QStringLiteral("Stringer beads\\n\\nBack-step"));
    QCOMPARE(entries.at(6).second, QStringLiteral("No.") + S + "A" + S + "B" + S);
    QCOMPARE(entries.at(7).second, QStringLiteral("1") + S + "_" + S + "_" + S);
    QCOMPARE(entries.at(10).second, QStringLiteral("03/04/2026"));
    QCOMPARE(entries.at(11).second, QStringLiteral("07/12/2026"));
}

void TestDocumentWalk::encodeRow_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty cells") << QStringList{"t", "", ""} << 1 << QString("_") + S + "_" + S;
    QTest::newRow("inner blanks kept") << QStringList{"a b", " c "} << 0 << QString("a b") + S + " c " + S;
    QTest::newRow("leading blanks of the first cell go") << QStringList{"  7", "8"} << 0 << QString("7") + S + "8" + S;
    QTest::newRow("separator in a cell becomes a bar") << QStringList{QString("x") + S + "y"} << 0 << QString("x|y") + S;
    QTest::newRow("a lone underscore stays") << QStringList{"_"} << 0 << QString("_") + S;
}

void TestDocumentWalk::encodeRow()
{
    QFETCH(QStringList, cells);
    QFETCH(int, first);
    QFETCH(QString, expected);
    QCOMPARE(DocumentWalk::encodeRow(cells, first), expected);
}

void TestDocumentWalk::cellFromField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("cell");
    const QString row = QString("mm") + S + "_" + S + " 10 " + S;
    QTest::newRow("first") << row << 1 << "mm";
    QTest::newRow("underscore reads empty") << row << 2 << "";
    QTest::newRow("blanks inside kept") << row << 3 << " 10 ";
    QTest::newRow("after the last separator") << row << 4 << "";
    QTest::newRow("beyond the fields") << row << 9 << "";
    QTest::newRow("empty value") << QString() << 1 << "";
}

void TestDocumentWalk::cellFromField()
{
    QFETCH(QString, value);
    QFETCH(int, n);
    QFETCH(QString, cell);
    QCOMPARE(DocumentWalk::cellFromField(value, n), cell);
}

void TestDocumentWalk::readSetsEveryKind()
{
    const FormTable table = sampleTable(false);
    DocumentWalk walk(table);
    DocumentValues v;
    walk.reset(v, QDate(2026, 7, 12));
    v.texts[QStringLiteral("companyName")] = QStringLiteral("from the profile");
    const ProfileFile file = fileWith(QByteArray("[contents]\r\nimageFile=a.bmp\r\nWPDSNO=W-1\r\n"
                                                 "pulsed1=True\r\nunitTF=true\r\n"
                                                 "technique=one\\ntwo\r\nPQRDate=12-31-2025\r\n"
                                                 "vTestDate=01/02/2026\r\n"));
    QList<DateProblem> problems;
    walk.read(file, v, &problems);
    QVERIFY(problems.isEmpty());
    QCOMPARE(v.imageFile, QStringLiteral("a.bmp"));
    QCOMPARE(v.texts.value("wpdsNo"), QStringLiteral("W-1"));   // keys without regard to case
    QCOMPARE(v.texts.value("companyName"), QString());           // an absent key empties
    QCOMPARE(v.checks.value("pulsed1"), false);                  // only exactly "true" checks
    QCOMPARE(v.checks.value("unitTF"), true);
    QCOMPARE(v.texts.value("technique"), QStringLiteral("one\ntwo"));
    QCOMPARE(v.dates.value("PQRDate"), QDate(2025, 12, 31));
    QCOMPARE(v.dates.value("vTestDate"), QDate(2026, 1, 2));
    // Absent grid rows empty their cells, titles included, as the file says.
    QCOMPARE(v.grids.value("filletWeldTestT").at(1), QStringList({"", "", ""}));
}

void TestDocumentWalk::readTitleColumnException_data()
{
    QTest::addColumn<bool>("keepTitles");
    QTest::addColumn<QStringList>("row1");
    QTest::newRow("filletWeldTestT keeps its labels") << true << QStringList{"1", "x", "y"};
    QTest::newRow("other grids take column 0") << false << QStringList{"9", "x", "y"};
}

void TestDocumentWalk::readTitleColumnException()
{
    QFETCH(bool, keepTitles);
    QFETCH(QStringList, row1);
    const FormTable table = sampleTable(keepTitles);
    DocumentWalk walk(table);
    DocumentValues v;
    walk.reset(v, QDate(2026, 7, 12));
    QByteArray text = "[contents]\r\nfilletWeldTestT_1=9";
    text += "\xA6x\xA6y\xA6\r\n";
    walk.read(fileWith(text), v, nullptr);
    QCOMPARE(v.grids.value("filletWeldTestT").at(1), row1);
}

void TestDocumentWalk::readBadDatesKeepsTheRest_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("reported");
    QTest::newRow("missing") << QByteArray() << QString();
    QTest::newRow("garbage") << QByteArray("vTestDate=soon\r\n") << QStringLiteral("soon");
    QTest::newRow("day 31 of February") << QByteArray("vTestDate=02/31/2026\r\n") << QStringLiteral("02/31/2026");
}

void TestDocumentWalk::readBadDatesKeepsTheRest()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, reported);
    const FormTable table = sampleTable(true);
    DocumentWalk walk(table);
    DocumentValues v;
    walk.reset(v, QDate(2026, 7, 12));
    QByteArray text = "[contents]\r\nPQRDate=03/04/2026\r\n" + line + "imageFile=sketch.bmp\r\n"
                      "filletWeldTestT_2=2\xA6" "5\xA6\r\n";
    QList<DateProblem> problems;
    walk.read(fileWith(text), v, &problems);
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().field, QStringLiteral("vTestDate"));
    QCOMPARE(problems.first().text, reported);
    QCOMPARE(v.dates.value("vTestDate"), QDate(2026, 7, 12));
    // Everything after the bad date still loads.
    QCOMPARE(v.imageFile, QStringLiteral("sketch.bmp"));
    QCOMPARE(v.grids.value("filletWeldTestT").at(2).at(1), QStringLiteral("5"));
    QCOMPARE(v.dates.value("PQRDate"), QDate(2026, 3, 4));
}

void TestDocumentWalk::resetEmptiesAndKeepsTitles()
{
    const FormTable table = sampleTable(true);
    DocumentWalk walk(table);
    DocumentValues v;
    v.imageFile = QStringLiteral("old.bmp");
    v.texts[QStringLiteral("wpdsNo")] = QStringLiteral("W-9");
    v.checks[QStringLiteral("pulsed1")] = true;
    v.grids[QStringLiteral("filletWeldTestT")] = {{"x", "x", "x"}, {"x", "x", "x"}, {"x", "x", "x"}};
    walk.reset(v, QDate(2026, 1, 1));
    QVERIFY(v.imageFile.isEmpty());
    QVERIFY(v.texts.value("wpdsNo").isEmpty());
    QVERIFY(!v.checks.value("pulsed1"));
    QCOMPARE(v.dates.value("PQRDate"), QDate(2026, 1, 1));
    QCOMPARE(v.grids.value("filletWeldTestT"),
             GridCells({{"No.", "A", "B"}, {"1", "", ""}, {"2", "", ""}}));
}

void TestDocumentWalk::rowTitleKeys()
{
    QCOMPARE(DocumentWalk::rowTitleKey(QStringLiteral("Weld Size/ETT")), QStringLiteral("WPWeldSize/ETT"));
    QCOMPARE(DocumentWalk::rowTitleKey(QStringLiteral("Burn-off Rate")), QStringLiteral("WPBurn-offRate"));
}

namespace {

// A 3-row grid of heading + two data rows with 6 columns: title, unit, passes 1 to 4.
GridCells parameterCells(const QStringList &row1, const QStringList &row2)
{
    return {{"", "Unit", "1", "2", "3", "4"}, row1, row2};
}

} // namespace

void TestDocumentWalk::duplicateColumn_data()
{
    QTest::addColumn<GridCells>("before");
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("done");
    QTest::addColumn<GridCells>("after");
    QTest::addColumn<int>("current");
    const GridCells full = parameterCells({"T", "mm", "a", "b", "c", ""}, {"V", "Volt", "1", "2", "3", ""});
    QTest::newRow("pass 1 copied right, later ones move")
        << full << 2 << QList<bool>{} << true
        << parameterCells({"T", "mm", "a", "a", "b", "c"}, {"V", "Volt", "1", "1", "2", "3"}) << 3;
    QTest::newRow("unit column: nothing") << full << 1 << QList<bool>{} << false << full << 1;
    QTest::newRow("last column: nothing") << full << 5 << QList<bool>{} << false << full << 5;
    const GridCells lastUsed = parameterCells({"T", "mm", "a", "", "", "z"}, {"V", "", "", "", "", ""});
    QTest::newRow("last column used, cancelled") << lastUsed << 3 << QList<bool>{false} << false << lastUsed << 3;
    QTest::newRow("last column used, overwritten")
        << lastUsed << 3 << QList<bool>{true} << true
        << parameterCells({"T", "mm", "a", "", "", ""}, {"V", "", "", "", "", ""}) << 4;
}

void TestDocumentWalk::duplicateColumn()
{
    QFETCH(GridCells, before);
    QFETCH(int, column);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, done);
    QFETCH(GridCells, after);
    QFETCH(int, current);
    ScriptedPlatform platform;
    for (bool a : answers)
        platform.queueConfirm(a);
    GridCells cells = before;
    int col = column;
    QCOMPARE(GridColumnCommands::duplicateColumn(cells, col), done);
    QCOMPARE(cells, after);
    QCOMPARE(col, current);
    QCOMPARE(platform.messages.size(), answers.size());
    if (!answers.isEmpty())
        QCOMPARE(platform.messages.first().text,
                 QStringLiteral("This operation will overwrite the last data column. Continue?"));
    QVERIFY(platform.unexpected.isEmpty());
}

void TestDocumentWalk::deleteColumn_data()
{
    QTest::addColumn<GridCells>("before");
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<GridCells>("after");
    const GridCells cells = parameterCells({"T", "mm", "a", "", "c", "d"}, {"V", "Volt", "1", "", "3", "4"});
    QTest::newRow("empty middle column moves the rest without asking")
        << cells << 3 << QList<bool>{}
        << parameterCells({"T", "mm", "a", "c", "d", ""}, {"V", "Volt", "1", "3", "4", ""});
    QTest::newRow("used column, cancelled: unchanged") << cells << 2 << QList<bool>{false} << cells;
    QTest::newRow("used column, confirmed")
        << cells << 2 << QList<bool>{true}
        << parameterCells({"T", "mm", "", "c", "d", ""}, {"V", "Volt", "", "3", "4", ""});
    QTest::newRow("last column is only cleared")
        << cells << 5 << QList<bool>{true}
        << parameterCells({"T", "mm", "a", "", "c", ""}, {"V", "Volt", "1", "", "3", ""});
    QTest::newRow("unit column included")
        << cells << 1 << QList<bool>{true}
        << parameterCells({"T", "a", "", "c", "d", ""}, {"V", "1", "", "3", "4", ""});
    QTest::newRow("title column: nothing") << cells << 0 << QList<bool>{} << cells;
}

void TestDocumentWalk::deleteColumn()
{
    QFETCH(GridCells, before);
    QFETCH(int, column);
    QFETCH(QList<bool>, answers);
    QFETCH(GridCells, after);
    ScriptedPlatform platform;
    for (bool a : answers)
        platform.queueConfirm(a);
    GridCells cells = before;
    GridColumnCommands::deleteColumn(cells, column);
    QCOMPARE(cells, after);
    QCOMPARE(platform.messages.size(), answers.size());
    if (!answers.isEmpty())
        QCOMPARE(platform.messages.first().text, QStringLiteral("Clear data in the selected data column?"));
    QVERIFY(platform.unexpected.isEmpty());
}

QTEST_MAIN(TestDocumentWalk)
#include "tst_documentwalk.moc"
