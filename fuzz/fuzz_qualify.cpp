// The qualification check over free text: any values in a WPS and its record give one verdict
// per rule and a new WPS's fields, never a crash; a reading with both ends has them in order.
// The input is "key=value" lines, the WPS first, then a line "--" and the record (without one
// the same lines stand for both). A side without a formType is read as a WPS and a WPQR. Each
// input runs with and without toughness required, and the PWHT conditions read the shipped
// transformation temperatures and the input's own lines as such a table.

#include "forms/formregistry.h"
#include "qualify/pwht.h"
#include "qualify/qualifycheck.h"
#include "qualify/wpsfromrecord.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace Brenvik;

namespace {

QHash<QString, QString> values(const QList<QByteArray> &lines, const QString &type)
{
    QHash<QString, QString> out{{QStringLiteral("formType"), type}};
    for (const QByteArray &line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            out.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return out;
}

void checkReading(const Reading &r)
{
    if (!r.isValue())
        return;
    if (!std::isfinite(r.low) || !std::isfinite(r.high))
        std::abort(); // a number past the range of a double is unreadable, never infinity
    if (r.hasLow && r.hasHigh && !(r.low <= r.high))
        std::abort(); // a range is read low end first
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    Brenvik::registerForms();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).replace('\r', "").split('\n');
    const qsizetype split = lines.indexOf(QByteArray("--"));
    const QList<QByteArray> wpsLines = split < 0 ? lines : lines.mid(0, split);
    const QList<QByteArray> recordLines = split < 0 ? lines : lines.mid(split + 1);
    const QualifyForm wps(QStringLiteral("wps"), values(wpsLines, QStringLiteral("WPSR")));
    const QualifyForm record(QStringLiteral("record"), values(recordLines, QStringLiteral("WPQR")));
    const TransformationTable own = TransformationTable::parse(
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("input"));

    for (const bool toughness : {false, true}) {
        CheckOptions options;
        options.toughnessRequired = toughness;
        if (toughness)
            options.transformations = &own;
        const QList<Verdict> verdicts = QualifyCheck::run(wps, {record, wps}, options);
        // The process line and at most one line per rule, whatever the values.
        if (verdicts.isEmpty() || verdicts.size() > QualifyCheck::rules().size() + 1)
            std::abort();
        for (const Verdict &v : verdicts)
            if (v.line().isEmpty() || v.details.size() > 100000)
                std::abort();
    }
    (void)WpsFromRecord::fields(record);

    for (const QByteArray &line : wpsLines) {
        const QString text = QString::fromUtf8(line);
        for (Unit unit : {Unit::None, Unit::Mm, Unit::Inch})
            checkReading(ValueReader::length(text, unit));
        for (Unit unit : {Unit::None, Unit::Celsius, Unit::Fahrenheit})
            checkReading(ValueReader::temperature(text, unit));
        checkReading(ValueReader::plainRange(text, {QStringLiteral("a"), QStringLiteral("mm/min")}));
        (void)ValueReader::groupNumber(text, QLatin1Char('P'));
        (void)Pwht::longestHours(text, 25);
        if (ValueReader::quote(text).size() > 200)
            std::abort(); // a quoted value is at most 80 characters and its note
    }
    return 0;
}
