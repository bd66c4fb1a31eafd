// The grid of the document windows, driven as a user would: typing into the cell editor,
// pasting, drop-down picks, Delete, Tab, and a button taking the focus.

#include "controls/typedgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Brenvik;

class TstTypedGrid : public QObject {
    Q_OBJECT

    // A 4 x 5 grid with a title row and a title column, shown in a window.
    struct Window {
        QWidget top;
        TypedGrid *grid;
        QPushButton *button;
        Window()
        {
            auto *layout = new QVBoxLayout(&top);
            grid = new TypedGrid(&top);
            grid->setDimensions(4, 5);
            grid->setFixedRows(1);
            grid->setFixedColumns(1);
            grid->setCell(0, 1, QStringLiteral("Unit"));
            grid->setCell(1, 0, QStringLiteral("Thickness"));
            button = new QPushButton(QStringLiteral("Duplicate Column"), &top);
            layout->addWidget(grid);
            layout->addWidget(button);
            top.resize(500, 300);
            top.show();
            QApplication::setActiveWindow(&top);
            grid->setFocus();
            QVERIFY(QTest::qWaitForWindowActive(&top));
        }
        // The open cell editor's line edit (a drop-down cell's inner one), or nullptr.
        QLineEdit *editor() const { return editorOf(grid); }
    };

    static QLineEdit *editorOf(TypedGrid *grid)
    {
        QWidget *w = grid->indexWidget(grid->currentIndex());
        if (auto *box = qobject_cast<QComboBox *>(w))
            return box->lineEdit();
        return qobject_cast<QLineEdit *>(w);
    }

    // Keys go where the user's keys would go: the grid, then the editor its first key opened.
    static void type(TypedGrid *grid, const QString &text)
    {
        for (const QChar c : text) {
            QLineEdit *edit = editorOf(grid);
            if (edit)
                QTest::keyClicks(edit, QString(c));
            else
                QTest::keyClicks(grid, QString(c));
        }
    }

private Q_SLOTS:
    void titlesAreNeitherEditableNorCurrent();
    void programmaticChangesAreQuiet();
    void userChangesEmitCellEdited_data();
    void userChangesEmitCellEdited();
    void escapeTakesBackTheEdit();
    void deleteKeyClearsCell();
    void dropDownPickAndCompletion();
    void tabWalksDataCells();
    void currentCellSurvivesButtonFocus();
    void twoLineTitleGrowsTitleRow();
    void columnAndRowHelpers_data();
    void columnAndRowHelpers();
    void noTitleGrid();
    void alwaysShownEditorFollowsCurrentCell();
};

void TstTypedGrid::titlesAreNeitherEditableNorCurrent()
{
    Window w;
    QCOMPARE(w.grid->currentRow(), 1);
    QCOMPARE(w.grid->currentColumn(), 1);
    QVERIFY(!(w.grid->item(0, 2)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(w.grid->item(2, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(w.grid->item(2, 2)->flags() & Qt::ItemIsEditable);

    // A click on a title keeps the current cell.
    w.grid->setCurrentCell(2, 3);
    const QRect title = w.grid->visualItemRect(w.grid->item(0, 2));
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, title.center());
    QCOMPARE(w.grid->currentRow(), 2);
    QCOMPARE(w.grid->currentColumn(), 3);

    // Asking for a title cell lands on the nearest data cell.
    w.grid->setCurrentCell(0, 0);
    QCOMPARE(w.grid->currentRow(), 1);
    QCOMPARE(w.grid->currentColumn(), 1);

    // Up and Left from the first data cell stay there.
    QTest::keyClick(w.grid, Qt::Key_Up);
    QTest::keyClick(w.grid, Qt::Key_Left);
    QCOMPARE(w.grid->currentRow(), 1);
    QCOMPARE(w.grid->currentColumn(), 1);
}

void TstTypedGrid::programmaticChangesAreQuiet()
{
    Window w;
    QSignalSpy spy(w.grid, &TypedGrid::cellEdited);
    w.grid->setCell(2, 2, QStringLiteral("x"));
    w.grid->copyColumn(2, 3, 1);
    w.grid->removeColumnAt(2, 1);
    w.grid->clearCells(1, 1);
    w.grid->setCell(9, 9, QStringLiteral("out of range"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(w.grid->cell(9, 9), QString());
}

void TstTypedGrid::userChangesEmitCellEdited_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typing") << QStringLiteral("1.6") << QString() << QStringLiteral("1.6");
    QTest::newRow("typed separator") << QStringLiteral("a\u00a6b") << QString() << QStringLiteral("a|b");
    QTest::newRow("paste") << QString() << QStringLiteral("DCEP") << QStringLiteral("DCEP");
    QTest::newRow("pasted CRLF") << QString() << QStringLiteral("12\r\n14") << QStringLiteral("12 14");
    QTest::newRow("pasted LF and separator") << QString() << QStringLiteral("a\nb\u00a6c\n")
                                             << QStringLiteral("a b|c ");
}

void TstTypedGrid::userChangesEmitCellEdited()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    Window w;
    w.grid->setCurrentCell(2, 3);
    QSignalSpy spy(w.grid, &TypedGrid::cellEdited);
    if (!typed.isEmpty()) {
        type(w.grid, typed);
    } else {
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(w.grid, QKeySequence::Paste);
    }
    // The cell follows the editor at once, before the editor closes.
    QCOMPARE(w.grid->cell(2, 3), expected);
    QVERIFY(spy.count() >= 1);
    QCOMPARE(spy.last().at(0).toInt(), 2);
    QCOMPARE(spy.last().at(1).toInt(), 3);
    QTest::keyClick(w.editor(), Qt::Key_Return);
    QCOMPARE(w.grid->cell(2, 3), expected);

    // Pasting inside an open editor follows the same rules.
    w.grid->setCurrentCell(3, 3);
    type(w.grid, QStringLiteral("x"));
    QVERIFY(w.editor());
    QApplication::clipboard()->setText(QStringLiteral("\u00a6y\r\n"));
    QTest::keySequence(w.editor(), QKeySequence::Paste);
    QCOMPARE(w.grid->cell(3, 3), QStringLiteral("x|y "));
}

void TstTypedGrid::escapeTakesBackTheEdit()
{
    Window w;
    w.grid->setCell(2, 2, QStringLiteral("250"));
    w.grid->setCurrentCell(2, 2);
    type(w.grid, QStringLiteral("31"));
    QCOMPARE(w.grid->cell(2, 2), QStringLiteral("31"));
    QTest::keyClick(w.editor(), Qt::Key_Escape);
    QCOMPARE(w.grid->cell(2, 2), QStringLiteral("250"));
    QVERIFY(!w.editor());
}

void TstTypedGrid::deleteKeyClearsCell()
{
    Window w;
    w.grid->setCell(2, 2, QStringLiteral("250"));
    w.grid->setCurrentCell(2, 2);
    QSignalSpy spy(w.grid, &TypedGrid::cellEdited);
    QTest::keyClick(w.grid, Qt::Key_Delete);
    QCOMPARE(w.grid->cell(2, 2), QString());
    QCOMPARE(spy.count(), 1);
    // An empty cell stays quiet.
    QTest::keyClick(w.grid, Qt::Key_Delete);
    QCOMPARE(spy.count(), 1);
}

void TstTypedGrid::dropDownPickAndCompletion()
{
    Window w;
    w.grid->setColumnDropDown(2, {QStringLiteral("Tension"), QStringLiteral("Bend"), QStringLiteral("Macro")});
    w.grid->setCurrentCell(1, 2);
    QSignalSpy spy(w.grid, &TypedGrid::cellEdited);
    w.grid->edit(w.grid->currentIndex());
    auto *box = qobject_cast<QComboBox *>(w.grid->indexWidget(w.grid->currentIndex()));
    QVERIFY(box);
    QCOMPARE(box->maxVisibleItems(), 3);
    box->setCurrentIndex(1);
    Q_EMIT box->activated(1);
    QCOMPARE(w.grid->cell(1, 2), QStringLiteral("Bend"));
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);

    // Typed text is completed from the list; other text is taken as is.
    w.grid->setCurrentCell(2, 2);
    type(w.grid, QStringLiteral("ma"));
    QVERIFY(w.editor());
    QCOMPARE(w.editor()->text(), QStringLiteral("macro"));
    QTest::keyClick(w.editor(), Qt::Key_Return);
    // Enter takes the list's spelling of a completed entry.
    QCOMPARE(w.grid->cell(2, 2), QStringLiteral("Macro"));

    w.grid->setCurrentCell(3, 2);
    type(w.grid, QStringLiteral("Nick-break"));
    QTest::keyClick(w.editor(), Qt::Key_Return);
    QCOMPARE(w.grid->cell(3, 2), QStringLiteral("Nick-break"));
}

void TstTypedGrid::tabWalksDataCells()
{
    Window w;
    w.grid->setCurrentCell(1, 4);
    QTest::keyClick(w.grid, Qt::Key_Tab);
    QCOMPARE(w.grid->currentRow(), 2);
    QCOMPARE(w.grid->currentColumn(), 1);
    QTest::keyClick(w.grid, Qt::Key_Backtab);
    QCOMPARE(w.grid->currentRow(), 1);
    QCOMPARE(w.grid->currentColumn(), 4);
    // Typing, then Tab: the text stays in its cell and the next cell is current.
    w.grid->setCurrentCell(2, 2);
    type(w.grid, QStringLiteral("7"));
    QTest::keyClick(w.editor(), Qt::Key_Tab);
    QCOMPARE(w.grid->cell(2, 2), QStringLiteral("7"));
    QCOMPARE(w.grid->currentColumn(), 3);
}

void TstTypedGrid::currentCellSurvivesButtonFocus()
{
    Window w;
    w.grid->setCurrentCell(3, 4);
    type(w.grid, QStringLiteral("42"));
    QTest::mouseClick(w.button, Qt::LeftButton);
    QVERIFY(w.button->hasFocus());
    QCOMPARE(w.grid->currentRow(), 3);
    QCOMPARE(w.grid->currentColumn(), 4);
    QCOMPARE(w.grid->cell(3, 4), QStringLiteral("42"));
}

void TstTypedGrid::twoLineTitleGrowsTitleRow()
{
    Window w;
    w.grid->setRowHeightAll(20);
    QCOMPARE(w.grid->rowHeight(0), 20);
    w.grid->setCell(0, 3, QStringLiteral("\nWidth"));
    QVERIFY(w.grid->rowHeight(0) >= 2 * w.grid->fontMetrics().lineSpacing());
    QCOMPARE(w.grid->rowHeight(1), 20);
    // An explicit title height that is already tall enough is kept.
    w.grid->setTitleRowHeight(60);
    QCOMPARE(w.grid->rowHeight(0), 60);
}

void TstTypedGrid::columnAndRowHelpers_data()
{
    // A 3 x 5 data block under a title row: cells "rc". Each command works from row 1 or
    // column 1, so the titles never move.
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("at");
    QTest::addColumn<QStringList>("row1"); // row 1 after the command
    QTest::addColumn<QStringList>("col1"); // column 1 after the command
    const QString t = QStringLiteral("T");
    QTest::newRow("insertColumnAt 2") << "insertColumnAt" << 2
        << QStringList{t, "11", "", "12", "13"} << QStringList{t, "11", "21"};
    QTest::newRow("removeColumnAt 2") << "removeColumnAt" << 2
        << QStringList{t, "11", "13", "14", ""} << QStringList{t, "11", "21"};
    QTest::newRow("removeColumnAt last") << "removeColumnAt" << 4
        << QStringList{t, "11", "12", "13", ""} << QStringList{t, "11", "21"};
    QTest::newRow("insertRowAt 1") << "insertRowAt" << 1
        << QStringList{t, "", "", "", ""} << QStringList{t, "", "11"};
    QTest::newRow("removeRowAt 1") << "removeRowAt" << 1
        << QStringList{t, "21", "22", "23", "24"} << QStringList{t, "21", ""};
    QTest::newRow("copyColumn 3 to 1") << "copyColumn" << 3
        << QStringList{t, "13", "12", "13", "14"} << QStringList{t, "13", "23"};
}

void TstTypedGrid::columnAndRowHelpers()
{
    QFETCH(QString, command);
    QFETCH(int, at);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, col1);
    TypedGrid g;
    g.setDimensions(3, 5);
    g.setFixedRows(1);
    g.setFixedColumns(1);
    for (int c = 0; c < 5; ++c)
        g.setCell(0, c, QStringLiteral("T"));
    for (int r = 1; r < 3; ++r) {
        g.setCell(r, 0, QStringLiteral("T"));
        for (int c = 1; c < 5; ++c)
            g.setCell(r, c, QString::number(r * 10 + c));
    }
    if (command == "insertColumnAt")
        g.insertColumnAt(at, 1);
    else if (command == "removeColumnAt")
        g.removeColumnAt(at, 1);
    else if (command == "insertRowAt")
        g.insertRowAt(at, 1);
    else if (command == "removeRowAt")
        g.removeRowAt(at, 1);
    else if (command == "copyColumn")
        g.copyColumn(at, 1, 1);
    QCOMPARE(g.rowTexts(1), row1);
    QCOMPARE(g.columnTexts(1), col1);
    QCOMPARE(g.rowTexts(0), QStringList(5, QStringLiteral("T")));
}

void TstTypedGrid::noTitleGrid()
{
    // A one-row unit grid: no titles, every cell editable and current-able.
    TypedGrid g;
    g.setDimensions(1, 4);
    QCOMPARE(g.currentRow(), 0);
    QCOMPARE(g.currentColumn(), 0);
    QVERIFY(g.isCellEditable(0, 0));
    g.setCurrentCell(0, 3);
    QCOMPARE(g.currentColumn(), 3);
    QVERIFY(g.isColumnEmpty(3));
    g.setCell(0, 3, QStringLiteral("mm"));
    QVERIFY(!g.isColumnEmpty(3));
    QVERIFY(!g.isRowEmpty(0));
}

void TstTypedGrid::alwaysShownEditorFollowsCurrentCell()
{
    Window w;
    w.grid->setColumnDropDown(2, {QStringLiteral("Pass"), QStringLiteral("Fail")});
    w.grid->setCell(1, 2, QStringLiteral("Not tested"));
    QSignalSpy spy(w.grid, &TypedGrid::cellEdited);
    w.grid->setAlwaysShowEditor(true);
    QVERIFY(w.editor());
    QTest::keyClick(w.editor(), Qt::Key_Tab);
    QCOMPARE(w.grid->currentColumn(), 2);
    QVERIFY(w.editor()); // the drop-down cell's editor, open without a key press
    QVERIFY(qobject_cast<QComboBox *>(w.grid->indexWidget(w.grid->currentIndex())));
    // Opening editors changes nothing, nor does a programmatic set under an open editor.
    QCOMPARE(spy.count(), 0);
    QCOMPARE(w.grid->cell(1, 2), QStringLiteral("Not tested"));
    w.grid->setCell(1, 2, QStringLiteral("Retest"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(w.editor()->text(), QStringLiteral("Retest"));
    w.editor()->clear();
    // The completed text is the cell's at once, as the user sees it.
    QTest::keyClicks(w.editor(), QStringLiteral("F"));
    QCOMPARE(w.grid->cell(1, 2), QStringLiteral("Fail"));
}

QTEST_MAIN(TstTypedGrid)
#include "tst_typedgrid.moc"
