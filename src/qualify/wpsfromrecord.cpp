#include "qualify/wpsfromrecord.h"

#include "document/formdescription.h"
#include "qualify/formparts.h"
#include "qualify/qw451.h"

#include <QRegularExpression>

namespace Brenvik {

namespace {

// Record key -> WPS key, where the names differ; the rest keep their names. The number,
// company, process and supporting-record keys come from the form descriptions.
const QList<QPair<const char *, const char *>> kCopied = {
    {"weldingType1", "weldingType1"},
    {"MaterialSpecification", "specType1"},
    {"MaterialSpecification", "specType2"},
    {"typeOrGrade", "specGrade1"},
    {"typeOrGrade", "specGrade2"},
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
    // Where and how the record was welded: a starting point (position is no essential
    // variable of a procedure; the engineer widens it).
    {"groovePosition", "groovePosition"},
    {"weldProgression", "weldProgression"},
    {"sketchDescription", "sketchDescription"},
    // The heat the record was welded with: a WPS made from it checks as holding at once,
    // and the engineer widens the preheat down from there if wanted.
    {"preheatOther", "preheatMan"},
    {"preheatTemp", "MinPreheatTemp"},
    {"InterpassTemp", "MaxInterpassTemp"},
    {"postWeldTemp", "postWeldTempRange"},
    {"postWeldTime", "postWeldTimeRange"},
};

QString flag(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

// The P-No. and group of a record's text: "1 Gr. 1" gives "1" and "1"; a text it cannot read
// goes over as it is.
void splitGroup(const QString &text, QString *pNo, QString *group)
{
    *pNo = ValueReader::groupNumber(text, QLatin1Char('P'), group);
    if (pNo->isEmpty()) {
        *pNo = text;
        group->clear();
    }
}

} // namespace

QString WpsFromRecord::proposedNumber(const QualifyForm &record)
{
    const FormDescription *d = FormDescriptions::find(record.formType());
    QString named = d && !d->supportingKeys.isEmpty() ? record.value(d->supportingKeys.first()) : QString();
    static const QRegularExpression revision(QStringLiteral("\\s*,?\\s*(?:rev(?:ision)?\\.?|r)\\s*\\d+\\s*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    named.remove(revision);
    if (!named.trimmed().isEmpty())
        return named.trimmed();
    QString number = record.number();
    if (number.isEmpty())
        return QString();
    static const QRegularExpression pqr(QStringLiteral("^\\s*PQR"), QRegularExpression::CaseInsensitiveOption);
    if (pqr.match(number).hasMatch())
        return number.replace(pqr, QStringLiteral("WPS"));
    return QStringLiteral("WPS-") + number;
}

QList<QPair<QString, QString>> WpsFromRecord::fields(const QualifyForm &record)
{
    QList<QPair<QString, QString>> out;
    const FormDescription *from = FormDescriptions::find(record.formType());
    const FormDescription *to = FormDescriptions::withRole(FormRole::Procedure);
    if (from && to) {
        if (!to->supportingKeys.isEmpty())
            out.append({to->supportingKeys.first(), record.number()});
        if (!to->numberKey.isEmpty())
            out.append({to->numberKey, proposedNumber(record)});
        if (!to->companyKey.isEmpty() && !from->companyKey.isEmpty())
            out.append({to->companyKey, record.value(from->companyKey)});
        for (int i = 0; i < std::min(from->processKeys.size(), to->processKeys.size()); ++i)
            out.append({to->processKeys.at(i), record.value(from->processKeys.at(i))});
    }
    for (const auto &[fromKey, toKey] : kCopied)
        out.append({QLatin1String(toKey), record.value(QLatin1String(fromKey))});
    QString p, g;
    splitGroup(record.value(QStringLiteral("baseMetalPNUmber")), &p, &g);
    out.append({QStringLiteral("pNo"), p});
    out.append({QStringLiteral("groupNo"), g});
    splitGroup(record.value(QStringLiteral("baseMetalPNUmber2")), &p, &g);
    out.append({QStringLiteral("pNo2"), p});
    out.append({QStringLiteral("groupNo2"), g});

    // The temperature unit goes over as it is; bare numbers on the new WPS then mean what
    // they meant on the record.
    const bool fahrenheit = record.temperatureUnit() == Unit::Fahrenheit;
    out.append({QStringLiteral("unitTC"), flag(!fahrenheit)});
    out.append({QStringLiteral("unitTF"), flag(fahrenheit)});

    // One technique row per process: its filler, size, polarity, amperes, volts and travel
    // speed as the record gives them for that process.
    const ProcessList processes = ProcessNames::read(record.processText());
    const QList<FillerColumn> fillers = FormParts::recordFillers(record);
    const QChar bar(0x00a6);
    int row = 0;
    for (const QString &process : processes.processes) {
        QString cls, size, why;
        for (const FillerColumn &f : fillers)
            if (f.process == process && cls.isEmpty()) {
                cls = record.value(QStringLiteral("AWSClassification%1").arg(f.n));
                size = record.value(QStringLiteral("SizeOfFillerMetal%1").arg(f.n));
            }
        static const QRegularExpression polarityOf(QStringLiteral("([A-Za-z+\\-]+)\\s*\\(([^()]*)\\)"));
        QString polarity;
        for (auto it = polarityOf.globalMatch(record.value(QStringLiteral("polarity"))); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (ProcessNames::read(m.captured(2)).processes.contains(process))
                polarity = m.captured(1);
        }
        if (polarity.isEmpty() && processes.processes.size() == 1)
            polarity = record.value(QStringLiteral("polarity"));
        const QString amperes = FormParts::perProcess(record.value(QStringLiteral("amperes")), process, processes, &why);
        const QString volts = FormParts::perProcess(record.value(QStringLiteral("Volts")), process, processes, &why);
        QString speed = FormParts::perProcess(record.value(QStringLiteral("travelSpeed")), process, processes, &why);
        static const QRegularExpression speedUnit(QStringLiteral("\\s*(mm/min|in/min|ipm|cm/min)\\s*$"));
        speed.remove(speedUnit);
        const QStringList cells = {QString::number(row + 1), process, cls, size, polarity, amperes, volts, speed, QString()};
        QStringList stored;
        for (const QString &c : cells)
            stored << (c.isEmpty() ? QStringLiteral("_") : c);
        ++row;
        out.append({QStringLiteral("ETGrid_%1").arg(row), stored.join(bar) + bar});
    }

    const Reading t = ValueReader::length(record.value(QStringLiteral("thTestCoupon")), record.lengthUnit());
    if (!t.isValue() || !t.hasLow || !t.hasHigh || t.low != t.high)
        return out;
    // The unit system follows the coupon thickness, so the technique table's units match.
    out.append({QStringLiteral("tensileTestUnitM"), flag(t.unit != Unit::Inch)});
    out.append({QStringLiteral("tensileTestUnitI"), flag(t.unit == Unit::Inch)});
    const bool eight = Qw451::hasEightInchLimit(processes.processes);
    QualifiedRange range = Qw451::baseMetal(t.low, t.unit, eight);
    // A toughness-tested record: the minimum of QW-403.6, T or 5/8 in (16 mm), 1/2T under 1/4 in (6 mm).
    if (FormParts::hasToughness(record)) {
        const bool inch = t.unit == Unit::Inch;
        const double minimum = t.low < (inch ? 0.25 : 6) ? t.low / 2 : std::min(t.low, inch ? 0.625 : 16.0);
        if (minimum > range.min.value)
            range.min = {minimum, false, 0};
    }
    out.append({QStringLiteral("grooveThickness"), Qw451::text(range)});
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
