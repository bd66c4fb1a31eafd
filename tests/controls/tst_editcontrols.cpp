// The edit controls of the document windows: sorted combo box, line and aligned edits, the
// date picker and the bound button, driven by typing, pasting and picking.

#include "controls/alignededit.h"
#include "controls/dateedit.h"
#include "controls/sortedcombobox.h"
#include "controls/tzoruserdatabutton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Brenvik;

class TstEditControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortedIgnoringCaseKeepsText_data();
    void sortedIgnoringCaseKeepsText();
    void unsortedKeepsOrder();
    void enterNeverAddsNorRecases();
    void comboEditedOnEveryUserChange();
    void dropDownShowsWholeList();
    void pastedLineBreakBecomesBlank_data();
    void pastedLineBreakBecomesBlank();
    void alignedEditAlignment();
    void dateEditLongFormatAndQuietSet();
    void boundButtonReference();
};

void TstEditControls::sortedIgnoringCaseKeepsText_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("mixed case") << QStringList{"smaw", "GTAW", "Fcaw", "gmaw"} << "gtaw"
                                << QStringList{"Fcaw", "gmaw", "GTAW", "smaw"};
    QTest::newRow("equal ignoring case keep order") << QStringList{"b", "A", "a", "B"} << ""
                                                    << QStringList{"A", "a", "b", "B"};
    QTest::newRow("text not in list") << QStringList{"CSA W47.1", "AWS D1.1"} << "ISO 15614"
                                      << QStringList{"AWS D1.1", "CSA W47.1"};
    QTest::newRow("empty list") << QStringList{} << "kept" << QStringList{};
}

void TstEditControls::sortedIgnoringCaseKeepsText()
{
    QFETCH(QStringList, items);
    QFETCH(QString, current);
    QFETCH(QStringList, expected);
    SortedComboBox box;
    QSignalSpy spy(&box, &SortedComboBox::edited);
    box.setText(current);
    QSignalSpy textSpy(&box, &QComboBox::currentTextChanged);
    box.setStoreItems(items);
    QCOMPARE(box.items(), expected);
    QCOMPARE(box.text(), current);
    QCOMPARE(box.currentText(), current);
    // Reloading the list again keeps it too.
    box.setStoreItems(items + QStringList{"zzz"});
    QCOMPARE(box.text(), current);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(textSpy.count(), 0);
}

void TstEditControls::unsortedKeepsOrder()
{
    SortedComboBox box;
    box.setSorted(false);
    box.setStoreItems({"Metric", "Imperial"});
    QCOMPARE(box.items(), (QStringList{"Metric", "Imperial"}));
    box.setSorted(true);
    QCOMPARE(box.items(), (QStringList{"Imperial", "Metric"}));
}

void TstEditControls::enterNeverAddsNorRecases()
{
    QWidget top;
    auto *box = new SortedComboBox(&top);
    box->setStoreItems({"GTAW", "SMAW"});
    top.show();
    box->setFocus();
    QTest::keyClicks(box->lineEdit(), "FCAW");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->text(), QStringLiteral("FCAW"));
    // Lower-case text matching an item keeps its own case (the window tests "GTAW" exactly).
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "gtaw");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("gtaw"));
    QCOMPARE(box->count(), 2);
}

void TstEditControls::comboEditedOnEveryUserChange()
{
    SortedComboBox box;
    box.setStoreItems({"1G", "2G", "3G"});
    QSignalSpy spy(&box, &SortedComboBox::edited);
    QTest::keyClicks(box.lineEdit(), "4");
    QCOMPARE(spy.count(), 1);
    QApplication::clipboard()->setText("5G");
    box.lineEdit()->selectAll();
    QTest::keySequence(box.lineEdit(), QKeySequence::Paste);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(box.text(), QStringLiteral("5G"));
    // A pick from the list.
    box.setCurrentIndex(1);
    Q_EMIT box.activated(1);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(box.text(), QStringLiteral("2G"));
    // Programmatic sets stay quiet.
    box.setText("6G");
    box.setStoreItems({"x"});
    QCOMPARE(spy.count(), 3);
}

void TstEditControls::dropDownShowsWholeList()
{
    SortedComboBox box;
    QCOMPARE(box.maxVisibleItems(), 1);
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << QStringLiteral("item %1").arg(i);
    box.setStoreItems(many);
    QCOMPARE(box.maxVisibleItems(), 40);
    box.addItem("one more");
    QCOMPARE(box.maxVisibleItems(), 41);
}

void TstEditControls::pastedLineBreakBecomesBlank_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << "a\nb" << "a b";
    QTest::newRow("CRLF") << "a\r\nb" << "a b";
    QTest::newRow("CR") << "a\rb" << "a b";
    QTest::newRow("trailing") << "ab\r\n" << "ab ";
    // Outside a grid the broken bar is ordinary text.
    QTest::newRow("separator kept") << "a\u00a6b" << "a\u00a6b";
}

void TstEditControls::pastedLineBreakBecomesBlank()
{
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QApplication::clipboard()->setText(pasted);

    LineEdit edit;
    QSignalSpy editSpy(&edit, &LineEdit::edited);
    QTest::keySequence(&edit, QKeySequence::Paste);
    QCOMPARE(edit.text(), expected);
    QCOMPARE(editSpy.count(), 1);

    AlignedEdit aligned;
    QTest::keySequence(&aligned, QKeySequence::Paste);
    QCOMPARE(aligned.text(), expected);

    SortedComboBox box;
    QTest::keySequence(box.lineEdit(), QKeySequence::Paste);
    QCOMPARE(box.text(), expected);
}

void TstEditControls::alignedEditAlignment()
{
    AlignedEdit right;
    QCOMPARE(right.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    AlignedEdit centred(Qt::AlignHCenter);
    QCOMPARE(centred.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

void TstEditControls::dateEditLongFormatAndQuietSet()
{
    DateEdit date;
    QVERIFY(date.calendarPopup());
    QCOMPARE(date.displayFormat(), QLocale::system().dateFormat(QLocale::LongFormat));
    QSignalSpy spy(&date, &DateEdit::edited);
    date.setDateValue(QDate(2026, 3, 4));
    QCOMPARE(date.date(), QDate(2026, 3, 4));
    QCOMPARE(spy.count(), 0);
    date.setFocus();
    date.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&date, Qt::Key_Up);
    QCOMPARE(spy.count(), 1);
}

void TstEditControls::boundButtonReference()
{
    QWidget top;
    auto *combo = new SortedComboBox(&top);
    auto *memo = new QPlainTextEdit(&top);
    TZorUserDataButton save(TZorUserDataButton::Glyph::Save, &top);
    QCOMPARE(save.size(), QSize(21, 21));
    QVERIFY(save.autoRaise());
    QVERIFY(!save.icon().isNull());
    QCOMPARE(save.referencedComboBox(), nullptr);
    save.setReferencedComboBox(combo);
    QCOMPARE(save.referencedComboBox(), combo);
    // nullptr keeps the previous reference, through the property too.
    save.setReferencedComboBox(nullptr);
    QCOMPARE(save.referencedComboBox(), combo);
    save.setProperty("referencedComboBox", QVariant::fromValue<QWidget *>(nullptr));
    QCOMPARE(save.referencedComboBox(), combo);
    save.setProperty("referencedComboBox", QVariant::fromValue<QWidget *>(memo));
    QCOMPARE(save.referencedComboBox(), memo);
    // A deleted control does not leave a dangling reference.
    delete memo;
    QCOMPARE(save.referencedComboBox(), nullptr);
    for (auto g : {TZorUserDataButton::Glyph::Delete, TZorUserDataButton::Glyph::Memo})
        QVERIFY(!TZorUserDataButton::glyphIcon(g).pixmap(15, 15).isNull());
}

QTEST_MAIN(TstEditControls)
#include "tst_editcontrols.moc"
