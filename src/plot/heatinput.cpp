#include "plot/heatinput.h"

#include "core/texthelpers.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Brenvik {

namespace {

std::optional<double> readPositive(const QString &text)
{
    double v = 0;
    if (readDecimal(text, &v) && v > 0)
        return v;
    return std::nullopt;
}

} // namespace

std::optional<double> HeatInput::value(double volts, double amps, double speedPerMin)
{
    if (!(speedPerMin > 0) || !(volts > 0) || !(amps > 0))
        return std::nullopt;
    const double kj = volts * amps * 60.0 / (1000.0 * speedPerMin);
    if (!std::isfinite(kj))
        return std::nullopt;
    return kj;
}

std::optional<HeatInput::Range> HeatInput::readRange(const QString &text)
{
    // "90-110", "90 - 110", "90–110" (an en dash, as a word processor writes it).
    static const QRegularExpression dash(QStringLiteral("\\s*[-\u2013]\\s*"));
    const QStringList parts = text.trimmed().split(dash);
    if (parts.size() > 2)
        return std::nullopt;
    const std::optional<double> low = readPositive(parts.first());
    const std::optional<double> high = parts.size() == 2 ? readPositive(parts.last()) : low;
    if (!low || !high || *high < *low)
        return std::nullopt;
    return Range{*low, *high};
}

QString HeatInput::cell(const QString &volts, const QString &amps, const QString &speed, bool metric)
{
    const std::optional<Range> v = readRange(volts);
    const std::optional<Range> a = readRange(amps);
    const std::optional<Range> s = readRange(speed);
    if (!v || !a || !s)
        return QString();
    const std::optional<double> low = value(v->low, a->low, s->high);
    const std::optional<double> high = value(v->high, a->high, s->low);
    if (!low || !high)
        return QString();
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const int decimals = metric ? 2 : 1;
    const QString lowText = locale.toString(*low, 'f', decimals);
    const QString highText = locale.toString(*high, 'f', decimals);
    return lowText == highText ? lowText : lowText + QLatin1Char('-') + highText;
}

QString HeatInput::unit(bool metric)
{
    return metric ? QStringLiteral("kJ/mm") : QStringLiteral("kJ/in");
}

} // namespace Brenvik
