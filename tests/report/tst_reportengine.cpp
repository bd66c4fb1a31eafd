// The report engine: filling pages by name, where texts go on their rows, painting at any
// resolution, composite jobs, field export and PDF files.

#include "report/formreport.h"
#include "report/reportjob.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"
#include "report/reportpainter.h"
#include "support/scriptedplatform.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

// The bounding box of the dark pixels of an image.
QRect inkBounds(const QImage &image)
{
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                r |= QRect(x, y, 1, 1);
    return r;
}

QImage renderAt(const ReportPage &page, int dpi)
{
    const qreal scale = dpi / 96.0;
    QImage image(qRound(ReportPage::kPageWidth * scale), qRound(ReportPage::kPageHeight * scale),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportPainter::scaleToPage(&painter);
    ReportPainter::paintPage(&painter, page, QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
    painter.end();
    return image;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillByName_data();
    void fillByName();
    void fillAgainStartsFromDesign();
    void setterKinds();

    void rowLimits_data();
    void rowLimits();
    void captionRunningIntoDataMovesTheData();
    void longTextIsElidedInsideItsBox();
    void wrappedLabelKeepsToItsLines();
    void memoLinesBeyondItsHeightAreLeftOut();
    void printedOnEndsAtItsRightEdge();
    void bandOriginMovesElements();
    void rightCaptionBoundsTheTextBeforeIt();
    void imageIsFittedAndCentred();

    void fontIsNotScaledTwice();
    void paintingScalesWithResolution();

    void fieldLines();
    void pdfHasOnePagePerReportPage();
    void pdfFailureLeavesNoFile();
    void jobSettings();
};

void TestReportEngine::fillByName_data()
{
    QTest::addColumn<bool>("memo");
    QTest::addColumn<bool>("asParagraph");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QStringList>("fields"); // name=value pairs, in control order
    QTest::addColumn<QString>("expected");

    QTest::newRow("label exact") << false << false << "wpdsNo" << QStringList{"wpdsNo=A-1"} << "A-1";
    QTest::newRow("label ignores case") << false << false << "IBMthickness1"
                                        << QStringList{"IBMThickness1=12 mm"} << "12 mm";
    QTest::newRow("odd capitals") << false << false << "IFMFillerTreatment1"
                                  << QStringList{"IFMFIllerTreatment1=dry"} << "dry";
    QTest::newRow("first match wins") << false << false << "rev"
                                      << QStringList{"REV=first", "rev=second"} << "first";
    QTest::newRow("no match keeps design") << false << false << "other" << QStringList{"rev=1"}
                                           << "Other:";
    QTest::newRow("label keeps marks") << false << false << "rev" << QStringList{"rev=a\\nb"} << "a\\nb";
    QTest::newRow("empty value replaces design") << false << false << "other" << QStringList{"Other="}
                                                 << "";
    QTest::newRow("memo lines") << true << false << "remarks" << QStringList{"remarks=a\\nb\\n\\nc"}
                                << "a\nb\n\nc";
    QTest::newRow("memo as paragraph") << true << true << "remarks" << QStringList{"remarks=a\\nb"}
                                       << "a b";
    QTest::newRow("memo backslash alone") << true << false << "remarks" << QStringList{"remarks=C:\\x"}
                                          << "C:\\x";
}

void TestReportEngine::fillByName()
{
    QFETCH(bool, memo);
    QFETCH(bool, asParagraph);
    QFETCH(QString, element);
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);

    ReportPage page;
    if (memo) {
        page.addMemo(element, 10, 10, 200, 60).breaksAsBlanks = asParagraph;
    } else {
        page.addLabel(element, 10, 10).text = element == QLatin1String("other") ? QStringLiteral("Other:")
                                                                                 : QString();
    }
    QList<CollectedField> collected;
    for (const QString &f : fields)
        collected.append({f.section(QLatin1Char('='), 0, 0), f.section(QLatin1Char('='), 1)});
    page.fillByName(collected);
    QCOMPARE(page.text(element), expected);
}

void TestReportEngine::fillAgainStartsFromDesign()
{
    ReportPage page;
    page.addLabel(QStringLiteral("preheatMin"), 10, 10);
    page.addCaption(10, 30, QStringLiteral("Fixed"));
    page.fillByName({{QStringLiteral("preheatMin"), QStringLiteral("100")}});
    page.setCaption(QStringLiteral("preheatMin"), page.text(QStringLiteral("preheatMin")) + " \u00B0C");
    // A window that no longer offers the field: the label goes back to its design, no unit piles up.
    page.fillByName({});
    QCOMPARE(page.text(QStringLiteral("preheatMin")), QString());
    QCOMPARE(page.elements().at(1).text, QStringLiteral("Fixed"));
}

void TestReportEngine::setterKinds()
{
    ReportPage page;
    page.addLabel(QStringLiteral("a"), 0, 0);
    page.addMemo(QStringLiteral("m"), 0, 20, 100, 50);
    page.addImage(QStringLiteral("img"), 0, 80, 100, 100);
    QVERIFY(!page.setMemoLines(QStringLiteral("a"), {QStringLiteral("x")}));
    QVERIFY(!page.setPicture(QStringLiteral("m"), Picture::blank(QSize(2, 2))));
    QVERIFY(page.setMemoLines(QStringLiteral("M"), {QStringLiteral("x"), QStringLiteral(" ")}));
    QCOMPARE(page.lines(QStringLiteral("m")), (QStringList{"x", " "}));
    QVERIFY(page.setPicture(QStringLiteral("IMG"), Picture::blank(QSize(2, 2))));
    QVERIFY(!page.element(QStringLiteral("img"))->picture.isNull());
}

void TestReportEngine::rowLimits_data()
{
    // A label at x 100, y 100 with no width; one neighbour; where the label's box ends.
    QTest::addColumn<int>("kind"); // 0 caption, 1 vertical rule, 2 label, 3 box around
    QTest::addColumn<QRectF>("neighbour");
    QTest::addColumn<qreal>("right");

    const qreal frameRight = 769 - ReportLayout::kRuleGap;
    QTest::newRow("caption on the row") << 0 << QRectF(300, 100, 0, 0) << 300 - ReportLayout::kGap;
    QTest::newRow("caption a little lower") << 0 << QRectF(300, 105, 0, 0) << 300 - ReportLayout::kGap;
    QTest::newRow("caption on the next row") << 0 << QRectF(300, 120, 0, 0) << frameRight;
    QTest::newRow("caption to the left") << 0 << QRectF(20, 100, 0, 0) << frameRight;
    QTest::newRow("rule through the row") << 1 << QRectF(250, 90, 0, 40) << 250 - ReportLayout::kRuleGap;
    QTest::newRow("rule above the row") << 1 << QRectF(250, 40, 0, 50) << frameRight;
    QTest::newRow("next label") << 2 << QRectF(400, 100, 0, 0) << 400 - ReportLayout::kGap;
    QTest::newRow("box around it") << 3 << QRectF(90, 90, 300, 40) << 390 - ReportLayout::kRuleGap;
}

void TestReportEngine::rowLimits()
{
    QFETCH(int, kind);
    QFETCH(QRectF, neighbour);
    QFETCH(qreal, right);

    ReportPage page;
    page.setFrame(QRectF(QPointF(67, 48), QPointF(769, 1008)));
    page.addLabel(QStringLiteral("x"), 100, 100).text = QStringLiteral("v");
    switch (kind) {
    case 0: page.addCaption(neighbour.x(), neighbour.y(), QStringLiteral("Caption:")); break;
    case 1: page.addVRule(neighbour.x(), neighbour.top(), neighbour.bottom()); break;
    case 2: page.addLabel(QStringLiteral("y"), neighbour.x(), neighbour.y()); break;
    default: page.addBox(neighbour.x(), neighbour.y(), neighbour.width(), neighbour.height()); break;
    }
    const ReportLayout layout(page);
    QCOMPARE(layout.textBox(0).box.left(), 100.0);
    QCOMPARE(layout.textBox(0).box.right(), right);
}

void TestReportEngine::captionRunningIntoDataMovesTheData()
{
    ReportPage page;
    page.addCaption(100, 100, QStringLiteral("A rather long caption:"));
    page.addLabel(QStringLiteral("v"), 120, 100).text = QStringLiteral("value");
    const ReportLayout layout(page);
    const QRectF caption = layout.inkRect(0);
    QVERIFY(!layout.textBox(0).cut);
    QVERIFY2(layout.inkRect(1).left() >= caption.right(), "the value starts after the caption");
}

void TestReportEngine::longTextIsElidedInsideItsBox()
{
    ReportPage page;
    page.addLabel(QStringLiteral("v"), 100, 100).text = QString(200, QLatin1Char('W'));
    page.addVRule(200, 90, 130);
    const ReportLayout layout(page);
    const TextBox &tb = layout.textBox(0);
    QVERIFY(tb.cut);
    QCOMPARE(tb.lines.size(), 1);
    QVERIFY(tb.lines.first().endsWith(QChar(0x2026)));
    QVERIFY(layout.inkRect(0).right() <= 200 - ReportLayout::kRuleGap + 0.01);
}

void TestReportEngine::wrappedLabelKeepsToItsLines()
{
    ReportPage page;
    page.addLabel(QStringLiteral("address"), 100, 100, 120, Qt::AlignLeft, 26).text =
        QStringLiteral("one two three four five six seven eight nine ten eleven twelve thirteen");
    const ReportLayout layout(page);
    const TextBox &tb = layout.textBox(0);
    QCOMPARE(tb.lines.size(), 2);
    QVERIFY(tb.cut);
    QVERIFY(layout.inkRect(0).bottom() <= 126.01);
    QVERIFY(layout.inkRect(0).right() <= 220.01);
}

void TestReportEngine::memoLinesBeyondItsHeightAreLeftOut()
{
    ReportPage page;
    ReportElement &memo = page.addMemo(QStringLiteral("wp1"), 100, 100, 40, 110, Qt::AlignRight, false);
    memo.text = QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}.join('\n');
    page.addMemo(QStringLiteral("short"), 300, 100, 200, 37).text = QStringLiteral("a\nb\nc\nd\ne");
    const ReportLayout layout(page);
    QCOMPARE(layout.textBox(0).lines.size(), 8);
    QVERIFY(!layout.textBox(0).cut);
    // Right-aligned: every line ends at the box's right edge.
    for (int k = 0; k < 8; ++k)
        QCOMPARE(layout.textBox(0).lineLeft(k) + layout.textBox(0).widths[k], 140.0);
    QCOMPARE(layout.textBox(1).lines.size(), 3);
    QVERIFY(layout.textBox(1).cut);
}

void TestReportEngine::printedOnEndsAtItsRightEdge()
{
    ReportPage page;
    page.addPrintedOn(641, 40);
    const QDateTime when(QDate(1998, 1, 5), QTime(14, 5));
    const ReportLayout layout(page, when);
    const QString text = layout.textBox(0).lines.value(0);
    const QString month = QLocale::system().monthName(1, QLocale::ShortFormat);
    QVERIFY2(text.startsWith(QStringLiteral("Printed on: 5 %1 1998 ").arg(month)), qPrintable(text));
    QCOMPARE(layout.inkRect(0).right(), 641.0);
}

void TestReportEngine::bandOriginMovesElements()
{
    ReportPage page;
    page.setBand(QRectF(37.44, 48, 701, 980));
    page.addHRule(0, 100, 10);
    const QImage image = renderAt(page, 96);
    const QRect ink = inkBounds(image);
    QVERIFY(qAbs(ink.left() - 37) <= 1);
    QVERIFY(qAbs(ink.top() - 58) <= 1);
    QVERIFY(qAbs(ink.right() - 137) <= 1);
}

void TestReportEngine::rightCaptionBoundsTheTextBeforeIt()
{
    ReportPage page;
    page.addLabel(QStringLiteral("v"), 300, 40).text = QString(100, QLatin1Char('x'));
    page.addRightCaption(641, 40, QStringLiteral("Page 1 of 2"));
    const ReportLayout layout(page);
    const QRectF caption = layout.inkRect(1);
    QCOMPARE(caption.right(), 641.0);
    QVERIFY(caption.left() > 560);
    QCOMPARE(layout.textBox(0).box.right(), caption.left() - ReportLayout::kGap);
}

void TestReportEngine::imageIsFittedAndCentred()
{
    // A wide black picture in a tall box: full width, centred vertically, proportions kept.
    QImage black(200, 100, QImage::Format_RGB32);
    black.fill(Qt::black);
    ReportPage page;
    page.addImage(QStringLiteral("weldImage"), 100, 100, 300, 400);
    page.setPicture(QStringLiteral("weldImage"), Picture::fromImage(black));
    const QRect ink = inkBounds(renderAt(page, 96));
    QVERIFY2(qAbs(ink.left() - 100) <= 1 && qAbs(ink.right() - 399) <= 1, qPrintable(QString::number(ink.width())));
    QVERIFY2(qAbs(ink.height() - 150) <= 2, qPrintable(QString::number(ink.height())));
    QVERIFY(qAbs(ink.center().y() - 300) <= 2);
    // An image element without a picture prints nothing.
    page.setPicture(QStringLiteral("weldImage"), Picture());
    QVERIFY(inkBounds(renderAt(page, 96)).isEmpty());
}

void TestReportEngine::fontIsNotScaledTwice()
{
    // 8 points are 10.67 units of 1/96 inch; Arial's line spacing is 1.15 of that.
    const QFontMetricsF fm = ReportLayout::metrics(ReportFont{8, false});
    QVERIFY2(fm.lineSpacing() > 11.5 && fm.lineSpacing() < 13.0, qPrintable(QString::number(fm.lineSpacing())));
    QVERIFY(qAbs(fm.horizontalAdvance(QStringLiteral("Material:")) - 40.9) < 1.5);
}

void TestReportEngine::paintingScalesWithResolution()
{
    ReportPage page;
    page.addCaption(100, 100, QStringLiteral("MMMMMMMMMM"), ReportFont{14, true});
    const QRect at96 = inkBounds(renderAt(page, 96));
    const QRect at192 = inkBounds(renderAt(page, 192));
    QVERIFY(!at96.isEmpty());
    QVERIFY2(qAbs(at192.width() - 2 * at96.width()) <= 3,
             qPrintable(QStringLiteral("%1 vs %2").arg(at96.width()).arg(at192.width())));
    QVERIFY(qAbs(at192.left() - 2 * at96.left()) <= 3);
    // Ten bold capitals M of 14 points: about 0.833 em each.
    QVERIFY(qAbs(at96.width() - 10 * 0.833 * 14 * 96 / 72) < 8);
}

void TestReportEngine::fieldLines()
{
    ReportPage one, two;
    one.addCaption(0, 0, QStringLiteral("Fixed"));
    one.addLabel(QStringLiteral("wpdsNo"), 10, 10).text = QStringLiteral(" A=1 ");
    one.addImage(QStringLiteral("weldImage"), 0, 0, 10, 10);
    one.addMemo(QStringLiteral("wp1"), 0, 40, 40, 100).text = QStringLiteral("1\n \n3");
    two.addPrintedOn(600, 20);
    two.addLabel(QStringLiteral("rev"), 10, 10);
    ReportJob job(QStringLiteral("Two"));
    job.addPage(&one);
    job.addPage(&two);
    QCOMPARE(job.fieldLines(), (QStringList{"1:wpdsNo= A=1 ", "1:wp1=1\\n \\n3", "2:rev="}));
}

void TestReportEngine::pdfHasOnePagePerReportPage()
{
    ScriptedPlatform platform;
    QTemporaryDir dir;
    ReportPage one, two;
    one.addCaption(100, 100, QStringLiteral("First"));
    two.addCaption(100, 100, QStringLiteral("Second"));
    ReportJob job(QStringLiteral("Composite"));
    job.addPage(&one);
    job.addPage(&two);
    const QString path = dir.filePath(QStringLiteral("out.pdf"));
    QString error;
    QVERIFY2(job.writePdf(path, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdf.count("/Type /Page\n"), 2);
    QCOMPARE(pdf.count("/MediaBox [0 0 612.000000 792.000000]"), 2); // Letter, in points
    // The document title, written as UTF-16.
    QByteArray title("\xFE\xFF");
    for (char c : QByteArray("Composite"))
        title += QByteArray(1, '\0') + c;
    QVERIFY(pdf.contains(title));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
}

void TestReportEngine::pdfFailureLeavesNoFile()
{
    QTemporaryDir dir;
    ReportPage page;
    ReportJob job(QStringLiteral("x"));
    job.addPage(&page);
    const QString path = dir.filePath(QStringLiteral("missing/out.pdf"));
    QString error;
    QVERIFY(!job.writePdf(path, &error));
    QCOMPARE(error, QStringLiteral("Unable to write to %1").arg(path));
    QVERIFY(!QFile::exists(path));
}

void TestReportEngine::jobSettings()
{
    QPrinter printer;
    printer.setCopyCount(3);
    ReportJob job(QStringLiteral("WPDS"));
    job.applySettings(&printer);
    QCOMPARE(printer.docName(), QStringLiteral("WPDS"));
    QCOMPARE(printer.copyCount(), 1);
    QCOMPARE(printer.duplex(), QPrinter::DuplexNone);
    QVERIFY(printer.fullPage());
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
