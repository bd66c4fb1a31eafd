#include "qualify/wpsfromrecord.h"

#include "qualify/qw451.h"

namespace Brenvik {

namespace {

// Record key -> WPS key, where the names differ; the rest keep their names.
const QList<QPair<const char *, const char *>> kCopied = {
    {"PQRNo", "PQRNo"},
    {"companyName", "companyName"},
    {"weldingProcess1", "weldingProcess1"},
    {"weldingType1", "weldingType1"},
    {"MaterialSpecification", "specType1"},
    {"MaterialSpecification", "specType2"},
    {"typeOrGrade", "specGrade1"},
    {"typeOrGrade", "specGrade2"},
    {"baseMetalPNUmber", "pNo"},
    {"baseMetalPNUmber2", "pNo2"},
    {"SFASpecification1", "specNoSFA1"},
    {"AWSClassification1", "AWSNoClass1"},
    {"FillerMetalFNo1", "FNo1"},
    {"WeldMetalAnalysisANo1", "ANo1"},
    {"SFASpecification2", "specNoSFA2"},
    {"AWSClassification2", "AWSNoClass2"},
    {"FillerMetalFNo2", "FNo2"},
    {"WeldMetalAnalysisANo2", "ANo2"},
    {"gasS", "gasS"},
    {"gasT", "gasT"},
    {"gasB", "gasB"},
    {"mixtureS", "mixtureS"},
    {"mixtureT", "mixtureT"},
    {"mixtureB", "mixtureB"},
    {"flowRateS", "flowRateS"},
    {"flowRateT", "flowRateT"},
    {"flowRateB", "flowRateB"},
    {"current", "current"},
    {"polarity", "polarity"},
    {"tungstenElectrodeSize", "tungstenElecSize"},
    {"SWBead", "SWBead"},
    {"oscillation", "oscillation"},
    {"MSPass", "passPerSide"},
    {"MSElectrode", "multiOrSingleElec"},
    // The heat the record was welded with: a WPS made from it checks as holding at once,
    // and the engineer widens the preheat down from there if wanted.
    {"preheatOther", "preheatMan"},
    {"preheatTemp", "MinPreheatTemp"},
    {"InterpassTemp", "MaxInterpassTemp"},
    {"postWeldTemp", "postWeldTempRange"},
    {"postWeldTime", "postWeldTimeRange"},
};

QString flag(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

} // namespace

QList<QPair<QString, QString>> WpsFromRecord::fields(const QualifyForm &record)
{
    QList<QPair<QString, QString>> out;
    for (const auto &[from, to] : kCopied)
        out.append({QLatin1String(to), record.value(QLatin1String(from))});

    // The temperature unit goes over as it is; bare numbers on the new WPS then mean what
    // they meant on the record.
    const bool fahrenheit = record.temperatureUnit() == Unit::Fahrenheit;
    out.append({QStringLiteral("unitTC"), flag(!fahrenheit)});
    out.append({QStringLiteral("unitTF"), flag(fahrenheit)});

    const Reading t = ValueReader::length(record.value(QStringLiteral("thTestCoupon")), record.lengthUnit());
    if (!t.isValue() || !t.hasLow || !t.hasHigh || t.low != t.high)
        return out;
    // The unit system follows the coupon thickness, so the technique table's units match.
    out.append({QStringLiteral("tensileTestUnitM"), flag(t.unit != Unit::Inch)});
    out.append({QStringLiteral("tensileTestUnitI"), flag(t.unit == Unit::Inch)});
    const bool eight = Qw451::hasEightInchLimit(QualifyCheck::processes(record.value(QStringLiteral("weldingProcess1"))));
    out.append({QStringLiteral("grooveThickness"), Qw451::text(Qw451::baseMetal(t.low, t.unit, eight))});
    for (int n = 1; n <= 2; ++n) {
        const Reading d =
            ValueReader::length(record.value(QStringLiteral("weldMetalThickness%1").arg(n)), record.lengthUnit());
        if (!d.isValue() || !d.hasHigh)
            continue;
        const double deposit = ValueReader::convert(d.high, d.unit, t.unit);
        out.append({QStringLiteral("thGroove%1").arg(n), Qw451::text(Qw451::deposit(deposit, t.low, t.unit, eight))});
    }
    return out;
}

} // namespace Brenvik
