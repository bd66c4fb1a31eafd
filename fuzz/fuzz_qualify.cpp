// The qualification check over free text: any values in a WPS and its record give one verdict
// per rule and a new WPS's fields, never a crash; a reading with both ends has them in order.
// The input is "key=value" lines, the WPS first, then a line "--" and the record (without one
// the same lines stand for both).

#include "qualify/qualifycheck.h"
#include "qualify/wpsfromrecord.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace Brenvik;

namespace {

QHash<QString, QString> values(const QList<QByteArray> &lines)
{
    QHash<QString, QString> out;
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
    if (r.hasLow && r.hasHigh && !(r.low <= r.high) && !std::isnan(r.low) && !std::isnan(r.high))
        std::abort(); // a range is read low end first
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).replace('\r', "").split('\n');
    const qsizetype split = lines.indexOf(QByteArray("--"));
    const QList<QByteArray> wpsLines = split < 0 ? lines : lines.mid(0, split);
    const QList<QByteArray> recordLines = split < 0 ? lines : lines.mid(split + 1);
    const QualifyForm wps(QStringLiteral("wps"), values(wpsLines));
    const QualifyForm record(QStringLiteral("record"), values(recordLines));

    const QList<Verdict> verdicts = QualifyCheck::run(wps, {record, wps});
    if (verdicts.size() != QualifyCheck::rules().size())
        std::abort(); // one verdict per rule, whatever the values
    for (const Verdict &v : verdicts)
        if (v.line().isEmpty())
            std::abort();
    (void)WpsFromRecord::fields(record);

    for (const QByteArray &line : wpsLines) {
        const QString text = QString::fromUtf8(line);
        for (Unit unit : {Unit::None, Unit::Mm, Unit::Inch})
            checkReading(ValueReader::length(text, unit));
        for (Unit unit : {Unit::None, Unit::Celsius, Unit::Fahrenheit})
            checkReading(ValueReader::temperature(text, unit));
    }
    return 0;
}
