#include "plot/plotdata.h"

#include <QLocale>
#include <QRegularExpression>

namespace Brenvik {

namespace {
// A set's curve count: the curves are tagged 1 to 100 on the chart.
constexpr int kMaxCurves = 100;
constexpr int kMaxPlots = 25;
} // namespace

PlotData::PlotData(const QString &path) : m_file(path.isEmpty() ? PlotIndex::path() : path)
{
    m_file.load();
}

void PlotData::setData(const QByteArray &bytes)
{
    m_file.setData(bytes);
}

QStringList PlotData::processes()
{
    return PlotIndex::processes(m_file, &m_errors);
}

QStringList PlotData::classifications(const QString &process)
{
    QStringList out;
    for (const PlotIndex::PlotSetRef &set : PlotIndex::plotSets(m_file, process, &m_errors))
        out << set.caption;
    return out;
}

QStringList PlotData::takeErrors()
{
    QStringList out;
    out.swap(m_errors);
    return out;
}

bool PlotData::parseNumbers(const QString &text, QList<double> *out)
{
    static const QRegularExpression gap(QStringLiteral("[ \\t]+"));
    const QStringList fields = text.split(gap, Qt::SkipEmptyParts);
    if (fields.isEmpty())
        return false;
    QList<double> values;
    const QLocale c = QLocale::c();
    for (const QString &field : fields) {
        bool ok = false;
        const double v = c.toDouble(field, &ok);
        if (!ok || !std::isfinite(v))
            return false;
        values << v;
    }
    *out = values;
    return true;
}

QString PlotData::unitOf(const QString &axisTitle)
{
    const QString title = axisTitle.trimmed();
    if (!title.endsWith(QLatin1Char(')')))
        return QString();
    const qsizetype open = title.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return QString();
    return title.mid(open + 1, title.size() - open - 2).trimmed();
}

QList<double> PlotData::readList(const QString &section, const QString &key)
{
    QList<double> values;
    if (!parseNumbers(m_file.value(section, key), &values)) {
        m_errors << PlotIndex::badDataText(section, key);
        return {};
    }
    if (values.size() > kMaxPoints) {
        m_errors << PlotIndex::badDataText(section, key) + QStringLiteral(": more than ")
                + QString::number(kMaxPoints) + QStringLiteral(" data points.");
        return {};
    }
    return values;
}

PlotSet PlotData::plotSet(const QString &process, const QString &classification)
{
    PlotSet set;
    // A bad set count was reported when the classification list was filled.
    for (const PlotIndex::PlotSetRef &ref : PlotIndex::plotSets(m_file, process, nullptr)) {
        if (ref.caption == classification) {
            set.section = ref.section;
            set.caption = ref.caption;
            break;
        }
    }
    if (set.section.isEmpty())
        return set;
    const QString &s = set.section;
    const int plots = PlotIndex::count(m_file, s, QStringLiteral("numPlot"), kMaxPlots, &m_errors);
    for (int j = 1; j <= plots; ++j) {
        const QString n = QString::number(j);
        set.plots.append({m_file.value(s, QStringLiteral("plotCaption") + n),
                          m_file.value(s, QStringLiteral("plotLabelX") + n),
                          m_file.value(s, QStringLiteral("plotLabelY") + n)});
    }
    const int lines = PlotIndex::count(m_file, s, QStringLiteral("numLine"), kMaxCurves, &m_errors);
    for (int k = 1; k <= lines; ++k) {
        const QString n = QString::number(k);
        PlotCurve curve;
        curve.label = m_file.value(s, QStringLiteral("lineLabel") + n);
        curve.note = m_file.value(s, QStringLiteral("lineNote") + n);
        const QString xKey = QStringLiteral("lineX") + n;
        curve.x = readList(s, xKey);
        for (int j = 1; j <= plots; ++j) {
            const QString yKey = QStringLiteral("lineY") + n + QLatin1Char('_') + QString::number(j);
            QList<double> ys = readList(s, yKey);
            if (!curve.x.isEmpty() && !ys.isEmpty() && ys.size() != curve.x.size()) {
                m_errors << QStringLiteral("Number of X and Y (%1 and %2) data points mismatch. section=%3 Key=%4")
                                .arg(curve.x.size())
                                .arg(ys.size())
                                .arg(s, yKey);
                ys.clear();
            }
            curve.y.append(ys);
        }
        set.curves.append(curve);
    }
    return set;
}

} // namespace Brenvik
