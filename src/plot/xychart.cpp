#include "plot/xychart.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace Brenvik {

namespace {

double segmentDistance(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

const QList<QColor> &curveColours()
{
    static const QList<QColor> colours = {QColor(0xc0, 0x20, 0x20), QColor(0x20, 0x60, 0xc0), QColor(0x20, 0x90, 0x30),
                                          QColor(0xa0, 0x50, 0xb0), QColor(0xd0, 0x80, 0x10), QColor(0x10, 0x90, 0x90)};
    return colours;
}

} // namespace

XyChart::XyChart(QWidget *parent) : QChartView(parent)
{
    auto *c = new QChart;
    // The legend sits inside the plot area, where the curves of rising current leave room;
    // the plot area keeps its margins.
    QLegend *legend = c->legend();
    legend->setAlignment(Qt::AlignLeft); // entries one under another
    legend->detachFromChart();
    legend->setBackgroundVisible(true);
    legend->setBrush(QColor(255, 255, 255, 225));
    legend->setPen(QPen(QColor(0xa0, 0xa0, 0xa0)));
    QFont legendFont = legend->font();
    legendFont.setPointSizeF(7.5);
    legend->setFont(legendFont);
    legend->setZValue(10);
    connect(c, &QChart::plotAreaChanged, this, &XyChart::placeLegend);
    c->setBackgroundRoundness(0);
    setChart(c);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);

    m_axisX = new QValueAxis(c);
    m_axisY = new QValueAxis(c);
    for (QValueAxis *axis : {m_axisX, m_axisY}) {
        QPen grid(QColor(0x90, 0x90, 0x90));
        grid.setStyle(Qt::DotLine);
        axis->setGridLinePen(grid);
        axis->setLabelFormat(QStringLiteral("%g"));
        QFont font = axis->labelsFont();
        font.setPointSizeF(7.5);
        axis->setLabelsFont(font);
        font.setPointSizeF(8);
        axis->setTitleFont(font);
        axis->setRange(0, 1);
    }
    c->addAxis(m_axisX, Qt::AlignBottom);
    c->addAxis(m_axisY, Qt::AlignLeft);

    m_marker = new QScatterSeries(c);
    m_marker->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_marker->setMarkerSize(9);
    m_marker->setColor(Qt::black);
    m_marker->setBorderColor(Qt::white);
    c->addSeries(m_marker);
    m_marker->attachAxis(m_axisX);
    m_marker->attachAxis(m_axisY);
    placeLegend();
}

void XyChart::placeLegend()
{
    QLegend *legend = chart()->legend();
    for (QLegendMarker *marker : legend->markers()) {
        const auto *series = qobject_cast<const QLineSeries *>(marker->series());
        // The working-point marker and unnamed curves have no entry.
        marker->setVisible(marker->series() != m_marker && series && !series->name().isEmpty());
    }
    const bool any = !legendEntries().isEmpty();
    legend->setVisible(any);
    if (!any)
        return;
    // The entries one under another: the widest label, the marker and the margins across,
    // a line per entry down.
    const QRectF area = chart()->plotArea();
    const QFontMetricsF metrics(legend->font());
    double widest = 0;
    for (const QString &name : legendEntries())
        widest = std::max(widest, metrics.horizontalAdvance(name));
    QSizeF size(widest + 2 * metrics.height() + 18, legendEntries().size() * (metrics.height() + 11) + 14);
    size = size.boundedTo(QSizeF(area.width() * 0.8, area.height() * 0.8));
    legend->setGeometry(QRectF(area.topLeft() + QPointF(6, 6), size));
    legend->update();
}

QStringList XyChart::legendEntries() const
{
    QStringList out;
    for (int tag : m_tags)
        if (!m_names.value(tag).isEmpty())
            out << m_names.value(tag);
    return out;
}

void XyChart::setPlotMargins(const QMargins &margins)
{
    m_margins = margins;
    placePlotArea();
}

void XyChart::placePlotArea()
{
    // A fixed plot area (QChart::setPlotArea) leaves the axes where the first layout put
    // them; the layout places the plot area instead, with the axis labels and titles in the
    // left and bottom margins and the top and right margins as given.
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    chart()->setMargins(QMargins(std::max(0, m_margins.left() - 35), m_margins.top(), m_margins.right(),
                                 std::max(0, m_margins.bottom() - 35)));
}

QPen XyChart::curvePen(int tag, bool strong) const
{
    QPen pen(curveColours().at((tag - 1 + curveColours().size()) % curveColours().size()));
    pen.setWidthF(strong ? 3.5 : 1.5);
    return pen;
}

void XyChart::clearCurves()
{
    for (QLineSeries *series : std::as_const(m_curves)) {
        chart()->removeSeries(series);
        delete series;
    }
    m_curves.clear();
    m_names.clear();
    m_tags.clear();
    m_highlighted = 0;
    clearMarker();
    placeLegend();
}

void XyChart::addCurve(int tag, const QList<double> &x, const QList<double> &y, const QString &name)
{
    if (tag < 1 || m_curves.contains(tag))
        return;
    auto *series = new QLineSeries;
    for (int i = 0; i < std::min(x.size(), y.size()); ++i)
        series->append(x.at(i), y.at(i));
    series->setPen(curvePen(tag, false));
    // The legend reads names as rich text: a "<" in a label stays a character.
    series->setName(name.toHtmlEscaped());
    m_names.insert(tag, name);
    chart()->addSeries(series);
    series->attachAxis(m_axisX);
    series->attachAxis(m_axisY);
    m_curves.insert(tag, series);
    m_tags.append(tag);
    placeLegend();
}

void XyChart::setAxisTitles(const QString &x, const QString &y)
{
    m_axisX->setTitleText(x);
    m_axisY->setTitleText(y);
}

void XyChart::setAxisRanges(double xMin, double xMax, double yMin, double yMax)
{
    m_axisX->setRange(xMin, xMax);
    m_axisY->setRange(yMin, yMax);
}

void XyChart::fitAxes()
{
    double xMin = std::numeric_limits<double>::max();
    double xMax = std::numeric_limits<double>::lowest();
    double yMin = xMin;
    double yMax = xMax;
    for (QLineSeries *series : std::as_const(m_curves)) {
        for (const QPointF &p : series->points()) {
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
            yMin = std::min(yMin, p.y());
            yMax = std::max(yMax, p.y());
        }
    }
    if (xMin > xMax) {
        setAxisRanges(0, 1, 0, 1);
        return;
    }
    // A flat curve still needs an axis of some length.
    auto widen = [](double &lo, double &hi) {
        if (hi - lo < 1e-9) {
            const double pad = std::max(1.0, std::abs(lo) * 0.1);
            lo -= pad;
            hi += pad;
        }
    };
    widen(xMin, xMax);
    widen(yMin, yMax);
    // The axes span the curves, rounded out to whole ticks.
    setAxisRanges(xMin, xMax, yMin, yMax);
    m_axisX->setTickCount(7);
    m_axisY->setTickCount(6);
    m_axisX->applyNiceNumbers();
    m_axisY->applyNiceNumbers();
}

QPointF XyChart::toChartUnits(const QPointF &pos) const
{
    const QRectF area = chart()->plotArea();
    if (area.width() <= 0 || area.height() <= 0)
        return QPointF();
    const QPointF scene = mapToScene(pos.toPoint());
    const QPointF local = chart()->mapFromScene(scene);
    const double x = m_axisX->min() + (local.x() - area.left()) / area.width() * (m_axisX->max() - m_axisX->min());
    const double y = m_axisY->min() + (area.bottom() - local.y()) / area.height() * (m_axisY->max() - m_axisY->min());
    return QPointF(x, y);
}

QPointF XyChart::toWidget(const QPointF &value) const
{
    const QRectF area = chart()->plotArea();
    const double xSpan = m_axisX->max() - m_axisX->min();
    const double ySpan = m_axisY->max() - m_axisY->min();
    if (xSpan == 0 || ySpan == 0)
        return QPointF();
    const QPointF local(area.left() + (value.x() - m_axisX->min()) / xSpan * area.width(),
                        area.bottom() - (value.y() - m_axisY->min()) / ySpan * area.height());
    return mapFromScene(chart()->mapToScene(local));
}

int XyChart::nearestPolyline(const QList<QPolygonF> &lines, const QPointF &pos, double maxDistance)
{
    int best = -1;
    double bestDistance = maxDistance;
    for (int i = 0; i < lines.size(); ++i) {
        const QPolygonF &line = lines.at(i);
        for (int k = 0; k < line.size(); ++k) {
            const QPointF &next = k + 1 < line.size() ? line.at(k + 1) : line.at(k);
            if (k + 1 == line.size() && line.size() > 1)
                break;
            const double d = segmentDistance(pos, line.at(k), next);
            if (d < bestDistance || (best < 0 && d <= bestDistance)) {
                best = i;
                bestDistance = d;
            }
        }
    }
    return best;
}

int XyChart::curveAt(const QPointF &pos, double maxPixels) const
{
    QList<QPolygonF> lines;
    for (int tag : m_tags) {
        QPolygonF line;
        for (const QPointF &p : m_curves.value(tag)->points())
            line << toWidget(p);
        lines << line;
    }
    const int index = nearestPolyline(lines, pos, maxPixels);
    return index < 0 ? 0 : m_tags.at(index);
}

void XyChart::highlight(int tag)
{
    if (QLineSeries *old = m_curves.value(m_highlighted))
        old->setPen(curvePen(m_highlighted, false));
    m_highlighted = m_curves.contains(tag) ? tag : 0;
    if (QLineSeries *series = m_curves.value(m_highlighted))
        series->setPen(curvePen(m_highlighted, true));
}

void XyChart::setMarker(const QPointF &value)
{
    m_marker->replace(QList<QPointF>{value});
}

void XyChart::clearMarker()
{
    m_marker->clear();
}

bool XyChart::hasMarker() const
{
    return m_marker->count() > 0;
}

void XyChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(event->position());
    event->accept();
}

// The chart neither zooms nor scrolls: the mouse only picks.
void XyChart::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void XyChart::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

} // namespace Brenvik
