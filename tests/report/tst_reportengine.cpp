// The report engine: filling pages by name, where texts go on their rows, values printed
// whole (the text actually drawn), painting at any resolution, composite jobs, field export
// and PDF files.

#include "report/formreport.h"
#include "report/reportjob.h"
#include "report/reportlayout.h"
#include "report/reportmeasure.h"
#include "report/reportpage.h"
#include "report/reportpainter.h"
#include "support/scriptedplatform.h"

#include <QImage>
#include <QPaintEngine>
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

// One run of text as the painter drew it: its string, where its baseline starts, its font.
struct DrawnText {
    QString text;
    QPointF origin;
    QFont font;
};

// A paint engine that keeps the text it is asked to draw and nothing else.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyTransform)
            m_transform = state.transform();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    using QPaintEngine::drawPolygon;
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        drawn.append({item.text(), m_transform.map(p), item.font()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<DrawnText> drawn;

private:
    QTransform m_transform;
};

// A Letter page at 96 dpi that records the text painted on it.
class RecordingPage : public QPaintDevice {
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QList<DrawnText> drawn() const { return m_engine.drawn; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return int(ReportPage::kPageWidth);
        case PdmHeight: return int(ReportPage::kPageHeight);
        case PdmWidthMM: return 216;
        case PdmHeightMM: return 279;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable TextRecorder m_engine;
};

QList<DrawnText> paintedText(const ReportPage &page)
{
    RecordingPage device;
    QPainter painter(&device);
    ReportPainter::scaleToPage(&painter);
    ReportPainter::paintPage(&painter, page, QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
    painter.end();
    return device.drawn();
}

// The painted lines, top to bottom: the runs of one baseline joined left to right.
QStringList paintedLines(QList<DrawnText> drawn)
{
    std::sort(drawn.begin(), drawn.end(), [](const DrawnText &a, const DrawnText &b) {
        return qFuzzyCompare(a.origin.y(), b.origin.y()) ? a.origin.x() < b.origin.x() : a.origin.y() < b.origin.y();
    });
    QStringList lines;
    qreal baseline = -1;
    for (const DrawnText &d : drawn) {
        if (lines.isEmpty() || qAbs(d.origin.y() - baseline) > 0.01)
            lines << QString();
        lines.last() += d.text;
        baseline = d.origin.y();
    }
    return lines;
}

// Each text box of a layout as a line: its lines, their widths, its size and place.
QStringList boxRows(const ReportLayout &layout)
{
    QStringList rows;
    for (int i = 0; i < layout.count(); ++i) {
        const TextBox &tb = layout.textBox(i);
        QStringList widths;
        for (qreal w : tb.widths)
            widths << QString::number(w, 'g', 17);
        rows << QStringLiteral("%1|%2|%3 pt|%4,%5 %6x%7|%8 %9")
                    .arg(tb.lines.join(QLatin1Char('/')), widths.join(QLatin1Char(' ')))
                    .arg(tb.font.pointSize)
                    .arg(tb.box.x())
                    .arg(tb.box.y())
                    .arg(tb.box.width())
                    .arg(tb.box.height())
                    .arg(tb.ascent, 0, 'g', 17)
                    .arg(tb.lineHeight, 0, 'g', 17);
    }
    return rows;
}

QString withoutBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
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
    void valuesPrintWhole_data();
    void valuesPrintWhole();
    void cutFieldsAreNamed();
    void measuresGoWhenFontsChange();
    void parameterColumnAlignsItsPasses();
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

void TestReportEngine::valuesPrintWhole_data()
{
    // One data element on a page; what is painted for it.
    // 0 label in a row as high as the box (17 when 0), 1 label two lines high, 2 memo, 3 parameter column
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<QString>("text");
    // "design" 8 pt, "readable" from 7 to 8, "small" from 5 to 7, "cut" at 5 pt
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("wrapped"); // more lines painted than the value has

    const QString technique = QStringLiteral("Stringer beads for root and hot pass\n"
                                             "Slight weave on fill and cap, not over 3 x wire diameter\n"
                                             "Forehand (push) angle 10-15 degrees");
    const QString words = QStringLiteral("one two three four five six seven eight nine ten eleven twelve");
    QStringList passes;
    for (int k = 1; k <= 8; ++k)
        passes << QString::number(k * 1111111);

    QTest::newRow("label that fits") << 0 << QRectF(100, 100, 120, 0) << "ASTM A36" << "design" << false;
    QTest::newRow("label shrinks") << 0 << QRectF(256, 272, 70, 0) << "None (open root)" << "readable" << false;
    QTest::newRow("label shrinks below 7 pt when it cannot wrap") << 0 << QRectF(256, 272, 60, 0)
                                                                  << "None (open root)" << "small" << false;
    QTest::newRow("label wraps before it shrinks below 7 pt") << 0 << QRectF(527, 623, 59.5, 24)
                                                              << "Carbon steel solid wire" << "readable" << true;
    QTest::newRow("label wraps smaller in a low row") << 0 << QRectF(527, 623, 59.5, 0)
                                                      << "Carbon steel solid wire" << "small" << true;
    QTest::newRow("label too long at any size") << 0 << QRectF(100, 100, 80, 0) << QString(200, QLatin1Char('W'))
                                                << "cut" << true;
    QTest::newRow("label line breaks as blanks") << 0 << QRectF(100, 100, 200, 0) << "a\nb" << "design" << false;
    QTest::newRow("address wraps") << 1 << QRectF(122, 115, 417, 26) << words + " " + words << "design" << true;
    QTest::newRow("address wraps in a narrower box") << 1 << QRectF(122, 115, 300, 26) << words + " " + words
                                                     << "design" << true;
    QTest::newRow("address shrinks") << 1 << QRectF(100, 100, 120, 26) << words << "small" << true;
    QTest::newRow("address too long") << 1 << QRectF(100, 100, 120, 26) << words.repeated(6) << "cut" << true;
    QTest::newRow("memo that fits") << 2 << QRectF(213, 415, 245, 37) << "Wire brush\nGrind out starts"
                                    << "design" << false;
    QTest::newRow("memo keeps its last line") << 2 << QRectF(213, 458, 245, 42) << technique << "readable"
                                              << false;
    QTest::newRow("memo of more lines than its height") << 2 << QRectF(100, 100, 200, 37) << "a\nb\nc\nd"
                                                        << "small" << false;
    QTest::newRow("memo wraps before it shrinks below 7 pt")
        << 2 << QRectF(100, 100, 200, 37) << "Wire brush and remove silicon islands after every pass"
        << "design" << true;
    QTest::newRow("memo wraps a line too long at 7 pt") << 2 << QRectF(100, 100, 100, 60) << words.repeated(2)
                                                        << "readable" << true;
    QTest::newRow("memo too long") << 2 << QRectF(100, 100, 200, 37) << QStringList(12, words).join('\n')
                                   << "cut" << true;
    QTest::newRow("parameter column") << 3 << QRectF(70, 730, 45, 110) << passes.join('\n') << "design" << false;
    QTest::newRow("parameter column shrinks") << 3 << QRectF(300, 730, 32, 110) << passes.join('\n')
                                              << "small" << false;
    QTest::newRow("parameter column never wraps") << 3 << QRectF(70, 730, 38, 110)
                                                  << "1\n" + QString(40, QLatin1Char('8')) << "cut" << false;
}

void TestReportEngine::valuesPrintWhole()
{
    QFETCH(int, kind);
    QFETCH(QRectF, box);
    QFETCH(QString, text);
    QFETCH(QString, size);
    QFETCH(bool, wrapped);

    ReportPage page;
    if (kind < 2)
        page.addLabel(QStringLiteral("v"), box.x(), box.y(), box.width(), Qt::AlignLeft, kind == 1 ? box.height() : 0)
            .text = text;
    else
        page.addMemo(QStringLiteral("v"), box.x(), box.y(), box.width(), box.height(),
                     kind == 3 ? Qt::AlignRight : Qt::AlignLeft, kind == 2).text = text;
    if (kind == 0) {
        // The rule under its row; a value that fits on its line at no size may wrap down to it.
        box.setHeight(box.height() > 0 ? box.height() : 17);
        page.addHRule(box.left() - 10, box.right() + 10, box.bottom());
    }

    // The measures kept from the rows before (the same texts in other boxes among them) give
    // the very layout that measuring afresh gives.
    const QStringList kept = boxRows(ReportLayout(page));
    ReportMeasure::clear();
    QCOMPARE(kept, boxRows(ReportLayout(page)));

    const QList<DrawnText> drawn = paintedText(page);
    const QStringList lines = paintedLines(drawn);
    QVERIFY(!drawn.isEmpty());
    const qreal pt = drawn.first().font.pointSizeF();
    const QStringList typed = kind == 0 ? QStringList{QString(text).replace('\n', ' ')} : text.split('\n');
    const QString painted = lines.join(QLatin1Char(' '));

    // Inside its box, at one size, never below 5 points.
    for (const DrawnText &d : drawn) {
        QCOMPARE(d.font.pointSizeF(), pt);
        const QFontMetricsF fm = ReportLayout::metrics(ReportFont{d.font.pointSizeF(), d.font.bold()});
        QVERIFY2(d.origin.x() >= box.left() - 0.01 && d.origin.x() + fm.horizontalAdvance(d.text) <= box.right() + 0.5,
                 qPrintable(d.text));
        QVERIFY2(d.origin.y() - fm.ascent() >= box.top() - 0.01 && d.origin.y() + fm.descent() <= box.bottom() + 0.5,
                 qPrintable(d.text));
    }
    QVERIFY(pt >= ReportLayout::kSmallestPointSize);
    QCOMPARE(ReportLayout(page).cutFields(), size == QLatin1String("cut") ? QStringList{"v"} : QStringList());
    if (size == QLatin1String("cut")) {
        QCOMPARE(pt, ReportLayout::kSmallestPointSize);
        QVERIFY2(painted.endsWith(QChar(0x2026)), qPrintable(painted));
        QVERIFY(withoutBlanks(text).startsWith(withoutBlanks(painted).chopped(1)));
        if (!wrapped)
            QCOMPARE(lines.size(), typed.size());
        return;
    }
    if (size == QLatin1String("design"))
        QCOMPARE(pt, 8.0);
    else if (size == QLatin1String("readable"))
        QVERIFY2(pt >= ReportLayout::kReadablePointSize && pt < 8, qPrintable(QString::number(pt)));
    else
        QVERIFY2(pt < ReportLayout::kReadablePointSize, qPrintable(QString::number(pt)));
    // Every character, in order, and every typed line on lines of its own.
    QVERIFY(!painted.contains(QChar(0x2026)));
    QCOMPARE(withoutBlanks(painted), withoutBlanks(text));
    if (wrapped)
        QVERIFY2(lines.size() > typed.size(), qPrintable(lines.join('|')));
    else
        QCOMPARE(lines, typed);
}

void TestReportEngine::cutFieldsAreNamed()
{
    ReportPage one, two;
    one.addLabel(QStringLiteral("companyName"), 100, 100, 60, Qt::AlignLeft, 26).text = QString(400, QLatin1Char('x'));
    one.addLabel(QStringLiteral("rev"), 100, 130, 60).text = QStringLiteral("1");
    two.addMemo(QStringLiteral("remarks"), 100, 100, 60, 20).text = QString(100, QLatin1Char('y'));
    ReportJob single(QStringLiteral("One"));
    single.addPage(&one);
    QCOMPARE(single.cutFields(), QStringList{"companyName"});
    ReportJob both(QStringLiteral("Two"));
    both.addPage(&one);
    both.addPage(&two);
    QCOMPARE(both.cutFields(), (QStringList{"companyName (page 1)", "remarks (page 2)"}));
    QVERIFY(both.cutMessage().endsWith(QLatin1String(": companyName (page 1), remarks (page 2)")));
    // A PDF export names them from the layout it paints, in place of what the list held.
    ScriptedPlatform platform;
    QTemporaryDir dir;
    QStringList cut{QStringLiteral("earlier")};
    QVERIFY(both.writePdf(dir.filePath(QStringLiteral("both.pdf")), nullptr, &cut));
    QCOMPARE(cut, both.cutFields());
    one.setCaption(QStringLiteral("companyName"), QStringLiteral("Brenvik"));
    QCOMPARE(single.cutMessage(), QString());
}

// A font added or taken away may change what "Arial" draws with: nothing measured before stays.
void TestReportEngine::measuresGoWhenFontsChange()
{
    ReportMeasure::clear();
    const qreal width = ReportMeasure::advance(ReportFont{}, QStringLiteral("Welding Procedure"));
    ReportMeasure::wrapped(ReportFont{}, QStringLiteral("Welding Procedure"), 40);
    QCOMPARE(ReportMeasure::kept(), 2);
    Q_EMIT qGuiApp->fontDatabaseChanged();
    QCOMPARE(ReportMeasure::kept(), 0);
    QCOMPARE(ReportMeasure::advance(ReportFont{}, QStringLiteral("Welding Procedure")), width);
}

void TestReportEngine::parameterColumnAlignsItsPasses()
{
    ReportPage page;
    ReportElement &memo = page.addMemo(QStringLiteral("wp1"), 100, 100, 40, 110, Qt::AlignRight, false);
    memo.text = QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}.join('\n');
    const ReportLayout layout(page);
    QCOMPARE(layout.textBox(0).lines.size(), 8);
    QVERIFY(!layout.textBox(0).cut);
    // Right-aligned: every line ends at the box's right edge.
    for (int k = 0; k < 8; ++k)
        QCOMPARE(layout.textBox(0).lineLeft(k) + layout.textBox(0).widths[k], 140.0);
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
    QVERIFY2(error.startsWith(QStringLiteral("Unable to write to %1: ").arg(path)), qPrintable(error));
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
