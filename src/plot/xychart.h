#pragma once
// A line chart on QtCharts: value axes scaled to the curves with titles and a dotted grid,
// fixed margins around the plot area, polylines tagged by number (1 to 100), hit-testing of
// a curve near a mouse position, conversion of mouse positions to chart units, one
// highlighted curve and one marker. A legend names the curves, in the plot area's top left
// corner.

#include <QChartView>
#include <QHash>
#include <QList>
#include <QMargins>
#include <QPointF>
#include <QPolygonF>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace Brenvik {

class XyChart : public QChartView {
    Q_OBJECT
public:
    explicit XyChart(QWidget *parent = nullptr);

    // Distance from the widget's edges to the plot area, in pixels: the top and right ones
    // exactly, the left and bottom ones at least what the axis labels and titles take.
    void setPlotMargins(const QMargins &margins);

    void clearCurves();
    // name: the curve's entry in the legend (none when empty).
    void addCurve(int tag, const QList<double> &x, const QList<double> &y, const QString &name = QString());
    // The legend's entries as shown, in curve order.
    QStringList legendEntries() const;
    // Axis ranges from the curves (nice numbers) and the axis titles.
    void setAxisTitles(const QString &x, const QString &y);
    void fitAxes();
    void setAxisRanges(double xMin, double xMax, double yMin, double yMax);

    // A widget position in chart units, and back.
    QPointF toChartUnits(const QPointF &pos) const;
    QPointF toWidget(const QPointF &value) const;
    // The tag of the curve nearest pos within maxPixels; 0 when none is.
    int curveAt(const QPointF &pos, double maxPixels = 10) const;
    // The index of the polyline nearest pos within maxDistance; -1 when none is.
    static int nearestPolyline(const QList<QPolygonF> &lines, const QPointF &pos, double maxDistance);

    void highlight(int tag); // 0: none
    int highlighted() const { return m_highlighted; }
    void setMarker(const QPointF &value);
    void clearMarker();
    bool hasMarker() const;
    QList<int> tags() const { return m_tags; }

Q_SIGNALS:
    void clicked(const QPointF &pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void placePlotArea();
    void placeLegend();
    QPen curvePen(int tag, bool strong) const;

    QMargins m_margins{35, 13, 8, 35};
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    QScatterSeries *m_marker = nullptr;
    QHash<int, QLineSeries *> m_curves;
    QHash<int, QString> m_names;
    QList<int> m_tags;
    int m_highlighted = 0;
};

} // namespace Brenvik
