#include "qualify/welderfit.h"

#include "document/formdescription.h"

#include "qualify/welderpositions.h"
#include "qualify/welderranges.h"
#include "qualify/wpqkeys.h"

#include <QRegularExpression>

#include <cmath>
#include <tuple>

namespace Brenvik {

using namespace WpqKeys;

namespace {

WelderVerdict make(WelderOutcome outcome, const QString &wpsSide, const QString &welderSide, const QString &details)
{
    WelderVerdict v;
    v.outcome = outcome;
    v.wpsSide = wpsSide;
    v.welderSide = welderSide;
    v.details = details;
    return v;
}

WelderVerdict cannotTell(const QString &wpsSide, const QString &welderSide, const QString &details)
{
    return make(WelderOutcome::CannotTell, wpsSide, welderSide, details);
}

QString emptyOrUnread(const QString &key, const QString &text, const QString &whose)
{
    return text.isEmpty() ? QStringLiteral("%1 of %2 is empty").arg(key, whose)
                          : QStringLiteral("cannot read %1 \"%2\" of %3").arg(key, text, whose);
}

const QString kTheWps = QStringLiteral("the WPS");
const QString kTheWpq = QStringLiteral("the WPQ");

// The range the WPQ shows for key when it is the computed one (or none is written);
// otherwise why it cannot be used.
bool rangeAsComputed(const WelderRecord &welder, const QString &key, const QString &computed, QString *problem)
{
    const QString stored = welder.values().value(key);
    if (stored.isEmpty() || stored == computed)
        return true;
    *problem = QStringLiteral("%1 \"%2\" is written by hand (the actual values give \"%3\"): check it by eye")
                   .arg(key, stored, computed);
    return false;
}

bool nothing(const QString &text)
{
    return ValueReader::isNothing(text);
}

// The keys the WPS's description names for its processes.
QString processKeys(const QualifyForm &wps)
{
    const FormDescription *d = FormDescriptions::find(wps.formType());
    return d ? d->processKeys.join(QStringLiteral(" / ")) : QStringLiteral("the welding process");
}

// The WPS's processes in order ("GTAW / SMAW" gives GTAW, SMAW): filler n belongs to process n.
QStringList wpsProcesses(const QualifyForm &wps)
{
    return QualifyCheck::processes(wps.processText());
}

// ---------------------------------------------------------------------------------------
// QW-322 and QW-353: the welder has been tested in each process and it has not lapsed.

QList<WelderVerdict> processRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &on)
{
    const QStringList wanted = wpsProcesses(wps);
    if (wanted.isEmpty())
        return {cannotTell(wps.processText(), QString(),
                           emptyOrUnread(processKeys(wps), wps.processText(), kTheWps))};
    const QList<ProcessContinuity> continuity = welder.continuity(on);
    QList<WelderVerdict> out;
    for (const QString &process : wanted) {
        WelderVerdict v = make(WelderOutcome::Exceeds, process, welder.processes().join(QStringLiteral(", ")),
                               QStringLiteral("%1 not tested").arg(process));
        for (const ProcessContinuity &p : continuity) {
            if (p.process != process)
                continue;
            const QString through = p.validThrough().toString(Qt::ISODate);
            switch (p.state) {
            case ContinuityState::Current:
            case ContinuityState::Expiring:
                v = make(WelderOutcome::Holds, process, process,
                         QStringLiteral("%1 %2, valid through %3").arg(process, Continuity::stateWord(p.state), through));
                break;
            case ContinuityState::Lapsed:
                v = make(WelderOutcome::Lapsed, process, process,
                         QStringLiteral("%1 lapsed on %2 (last use %3)")
                             .arg(process, p.expiry.toString(Qt::ISODate), p.lastUse.toString(Qt::ISODate)));
                break;
            case ContinuityState::Revoked:
                v = make(WelderOutcome::Lapsed, process, process,
                         QStringLiteral("revoked: %1").arg(welder.revokedReason()));
                break;
            case ContinuityState::Unknown:
                v = cannotTell(process, process,
                               QStringLiteral("no use of %1 on or before %2 (test date \"%3\")")
                                   .arg(process, on.toString(Qt::ISODate), welder.values().value(kTestDate)));
                break;
            }
        }
        v.subject = process;
        out << v;
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// QW-461.9: the positions of the WPS within those the coupon qualifies.

struct CouponRow {
    const PositionRow *row = nullptr;
    QString problem;
};

CouponRow couponRow(const WelderRecord &welder)
{
    CouponRow out;
    bool known = false;
    const bool pipe = WelderRanges::isPipe(welder.values().value(kPlatePipe), &known);
    if (!known) {
        out.problem = emptyOrUnread(kPlatePipe, welder.values().value(kPlatePipe), kTheWpq);
        return out;
    }
    out.row = WelderPositions::find(pipe, welder.values().value(kPosition));
    if (!out.row)
        out.problem = emptyOrUnread(kPosition, welder.values().value(kPosition), kTheWpq);
    return out;
}

// A pipe diameter range as WPS texts give it: "60 mm O.D. and over", "2 in NPS and up", "25 - 600 mm".
Reading diameterReading(const QualifyForm &wps)
{
    QString text = wps.value(QStringLiteral("grooveDia"));
    static const QRegularExpression od(QStringLiteral("\\b(O\\.\\s?D\\.?|OD)(?=\\s|$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression over(QStringLiteral("\\b(and|or)\\s+(over|up|larger|above|greater)\\b\\.?"),
                                         QRegularExpression::CaseInsensitiveOption);
    text.replace(od, QString());
    text.replace(over, QStringLiteral("min."));
    return ValueReader::length(text.simplified(), wps.lengthUnit());
}

// Whether the WPS covers pipe of 24 in O.D. and under (its groove diameter range starts below).
bool coversSmallPipe(const QualifyForm &wps, bool *known)
{
    const QString text = wps.value(QStringLiteral("grooveDia"));
    *known = true;
    if (nothing(text))
        return false;
    const Reading r = diameterReading(wps);
    if (!r.isValue() || !r.hasLow) {
        *known = false;
        return false;
    }
    return ValueReader::convert(r.low, r.unit, Unit::Inch) <= 24 + 1e-9;
}

WelderVerdict positionVerdict(const QString &wpsKey, const QString &wpsText, int allowed, const QString &allowedText)
{
    const int wanted = WelderPositions::wanted(wpsText);
    if (wanted < 0)
        return cannotTell(wpsText, allowedText, emptyOrUnread(wpsKey, wpsText, kTheWps));
    const int beyond = wanted & ~allowed;
    if (beyond == 0)
        return make(WelderOutcome::Holds, wpsText, allowedText,
                    QStringLiteral("%1 within %2").arg(WelderPositions::text(wanted), allowedText));
    return make(WelderOutcome::Exceeds, wpsText, allowedText,
                QStringLiteral("%1 not qualified").arg(WelderPositions::text(beyond)));
}

QList<WelderVerdict> positionRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString groove = wps.value(QStringLiteral("groovePosition"));
    const QString fillet = wps.value(QStringLiteral("positionFillet"));
    const CouponRow coupon = couponRow(welder);
    if (!coupon.row)
        return {cannotTell(groove, QString(), coupon.problem)};
    QList<WelderVerdict> out;
    if (!nothing(groove)) {
        bool known = false;
        const bool smallPipe = coversSmallPipe(wps, &known);
        int allowed = coupon.row->groovePlate;
        QString text = WelderPositions::text(coupon.row->groovePlate);
        QString problem;
        if (!rangeAsComputed(welder, kPositionPlate, text, &problem))
            out << cannotTell(groove, welder.values().value(kPositionPlate), problem);
        else if (!known)
            out << cannotTell(groove, text, emptyOrUnread(QStringLiteral("grooveDia"), wps.value(QStringLiteral("grooveDia")), kTheWps));
        else {
            if (smallPipe) {
                allowed &= coupon.row->groovePipe;
                text = WelderPositions::text(allowed);
            }
            out << positionVerdict(QStringLiteral("groovePosition"), groove, allowed, text);
        }
        out.last().subject = QStringLiteral("groove");
    }
    if (!nothing(fillet)) {
        const QString text = WelderPositions::text(coupon.row->fillet);
        QString problem;
        if (!rangeAsComputed(welder, kPositionFillet, text, &problem))
            out << cannotTell(fillet, welder.values().value(kPositionFillet), problem);
        else
            out << positionVerdict(QStringLiteral("positionFillet"), fillet, coupon.row->fillet, text);
        out.last().subject = QStringLiteral("fillet");
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// QW-405.3: uphill and downhill qualify only themselves.

QList<WelderVerdict> progressionRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString wpsText = wps.value(QStringLiteral("weldProgression"));
    if (nothing(wpsText))
        return {make(WelderOutcome::Holds, wpsText, QString(), QStringLiteral("the WPS names no progression"))};
    const QString computed = WelderRanges::choice(kProgression, welder.values().value(kProgression));
    QString problem;
    if (computed.isEmpty())
        return {cannotTell(wpsText, QString(), emptyOrUnread(kProgression, welder.values().value(kProgression), kTheWpq))};
    if (!rangeAsComputed(welder, range(kProgression), computed, &problem))
        return {cannotTell(wpsText, welder.values().value(range(kProgression)), problem)};
    const bool up = wpsText.contains(QStringLiteral("up"), Qt::CaseInsensitive);
    const bool down = wpsText.contains(QStringLiteral("down"), Qt::CaseInsensitive);
    if (up == down)
        return {cannotTell(wpsText, computed, emptyOrUnread(QStringLiteral("weldProgression"), wpsText, kTheWps))};
    const bool holds = computed.startsWith(up ? QStringLiteral("Uphill") : QStringLiteral("Downhill"));
    return {make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, computed,
                 holds ? QStringLiteral("%1 qualified").arg(computed)
                       : QStringLiteral("%1 is not %2").arg(wpsText, computed))};
}

// ---------------------------------------------------------------------------------------
// QW-452.1(b): the weld metal of each process of the WPS within the welder's deposit range.

QList<WelderVerdict> depositRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QStringList processes = wpsProcesses(wps);
    const QString transfer = welder.values().value(kTransferMode);
    QList<WelderVerdict> out;
    for (int i = 0; i < processes.size() && i < 3; ++i) {
        const QString process = processes.at(i);
        const QString key = QStringLiteral("thGroove%1").arg(i + 1);
        const QString wpsText = wps.value(key);
        const int column = welder.processColumn(process);
        WelderVerdict v;
        if (column == 0) {
            v = make(WelderOutcome::Exceeds, wpsText, QString(), QStringLiteral("%1 not tested").arg(process));
        } else {
            const LengthRange t = WelderRanges::deposit(
                welder.values().value(numbered(kDeposit, column)),
                welder.values().value(numbered(kLayers, column)) == QLatin1String("true"),
                process == QLatin1String("GMAW") && transfer.contains(QStringLiteral("short"), Qt::CaseInsensitive));
            const Reading w = ValueReader::length(wpsText, wps.lengthUnit());
            QString problem;
            if (!t.known)
                v = cannotTell(wpsText, QString(),
                               emptyOrUnread(numbered(kDeposit, column), welder.values().value(numbered(kDeposit, column)), kTheWpq));
            else if (!rangeAsComputed(welder, range(numbered(kDeposit, column)), t.text, &problem))
                v = cannotTell(wpsText, welder.values().value(range(numbered(kDeposit, column))), problem);
            else if (t.unlimited)
                v = make(WelderOutcome::Holds, wpsText, t.text, QStringLiteral("%1 qualifies any deposit").arg(process));
            else if (!w.isValue() || !w.hasHigh)
                v = cannotTell(wpsText, t.text, emptyOrUnread(key, wpsText, kTheWps));
            else {
                const double high = ValueReader::convert(w.high, w.unit, t.unit);
                const bool holds = high <= t.limit + 1e-9 * std::max(1.0, t.limit);
                v = make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, t.text,
                         QStringLiteral("%1 %2 %3 %4").arg(process, ValueReader::number(w.high) + QLatin1Char(' ')
                                                                          + ValueReader::unitText(w.unit),
                                                          holds ? QStringLiteral("within") : QStringLiteral("above"),
                                                          t.text));
            }
        }
        v.subject = process;
        out << v;
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// QW-452.3: the smallest pipe of the WPS within the welder's diameter range.

QList<WelderVerdict> diameterRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString wpsText = wps.value(QStringLiteral("grooveDia"));
    if (nothing(wpsText))
        return {make(WelderOutcome::Holds, wpsText, QString(), QStringLiteral("the WPS names no pipe diameter"))};
    bool known = false;
    const bool pipe = WelderRanges::isPipe(welder.values().value(kPlatePipe), &known);
    const LengthRange d = WelderRanges::diameter(pipe, welder.values().value(kDiameter));
    if (!known || !d.known)
        return {cannotTell(wpsText, QString(),
                           emptyOrUnread(known ? kDiameter : kPlatePipe,
                                         welder.values().value(known ? kDiameter : kPlatePipe), kTheWpq))};
    QString problem;
    if (!rangeAsComputed(welder, range(kDiameter), d.text, &problem))
        return {cannotTell(wpsText, welder.values().value(range(kDiameter)), problem)};
    const Reading w = diameterReading(wps);
    if (!w.isValue() || !w.hasLow)
        return {cannotTell(wpsText, d.text, emptyOrUnread(QStringLiteral("grooveDia"), wpsText, kTheWps))};
    // The table's bounds stand in both units (73 mm for 2-7/8 in): a WPS written in the other
    // unit meets them within the rounding between the two columns.
    const double low = ValueReader::convert(w.low, w.unit, d.unit);
    const bool holds = low >= d.limit * (w.unit == d.unit ? 1 - 1e-9 : 0.995);
    return {make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, d.text,
                 holds ? QStringLiteral("%1 within %2").arg(wpsText, d.text)
                       : QStringLiteral("%1 below %2").arg(wpsText, d.text))};
}

// ---------------------------------------------------------------------------------------
// QW-433: each filler's F-No. of the WPS, with or without backing as the WPS welds it.

QList<WelderVerdict> fNoRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QStringList processes = wpsProcesses(wps);
    const Backing wpsBacking = WelderRanges::backing(wps.value(QStringLiteral("backing")));
    const Backing tested = WelderRanges::backing(welder.values().value(kBacking));
    QList<WelderVerdict> out;
    for (int i = 0; i < processes.size() && i < 3; ++i) {
        const QString key = QStringLiteral("FNo%1").arg(i + 1);
        const QString wpsText = wps.value(key);
        const int wanted = WelderRanges::fNoNumber(wpsText);
        const int column = welder.processColumn(processes.at(i));
        WelderVerdict v;
        if (column == 0) {
            v = make(WelderOutcome::Exceeds, wpsText, QString(), QStringLiteral("%1 not tested").arg(processes.at(i)));
        } else {
            const FNoRange f = WelderRanges::fNo(welder.values().value(numbered(kFNo, column)), tested);
            QString problem;
            if (wanted == 0)
                v = cannotTell(wpsText, f.text, emptyOrUnread(key, wpsText, kTheWps));
            else if (wpsBacking == Backing::Unknown)
                v = cannotTell(wpsText, f.text,
                               emptyOrUnread(QStringLiteral("backing"), wps.value(QStringLiteral("backing")), kTheWps));
            else if (!f.known)
                v = cannotTell(wpsText, QString(),
                               emptyOrUnread(numbered(kFNo, column), welder.values().value(numbered(kFNo, column)), kTheWpq));
            else if (!rangeAsComputed(welder, range(numbered(kFNo, column)), f.text, &problem))
                v = cannotTell(wpsText, welder.values().value(range(numbered(kFNo, column))), problem);
            else {
                const bool with = wpsBacking == Backing::With;
                const bool holds = f.covers(wanted, with);
                const QString need = QStringLiteral("F-%1 %2 backing").arg(wanted).arg(with ? "with" : "without");
                v = make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, f.text,
                         QStringLiteral("%1 %2 %3").arg(need, holds ? QStringLiteral("within") : QStringLiteral("not in"), f.text));
            }
        }
        v.subject = processes.at(i);
        out << v;
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// QW-402.4: a WPS welded without backing needs a test without backing.

QList<WelderVerdict> backingRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString wpsText = wps.value(QStringLiteral("backing"));
    const Backing wanted = WelderRanges::backing(wpsText);
    const Backing tested = WelderRanges::backing(welder.values().value(kBacking));
    const QString computed = WelderRanges::backingRange(tested);
    QString problem;
    if (wanted == Backing::Unknown)
        return {cannotTell(wpsText, computed, emptyOrUnread(QStringLiteral("backing"), wpsText, kTheWps))};
    if (tested == Backing::Unknown)
        return {cannotTell(wpsText, QString(), emptyOrUnread(kBacking, welder.values().value(kBacking), kTheWpq))};
    if (!rangeAsComputed(welder, range(kBacking), computed, &problem))
        return {cannotTell(wpsText, welder.values().value(range(kBacking)), problem)};
    const bool holds = wanted == Backing::With || tested == Backing::Without;
    return {make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, computed,
                 holds ? QStringLiteral("%1 covers \"%2\"").arg(computed, wpsText)
                       : QStringLiteral("welding without backing needs a test without backing"))};
}

// ---------------------------------------------------------------------------------------
// QW-423.1: both base metals of the WPS in the group the test qualifies.

QList<WelderVerdict> baseMetalRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString a = wps.value(QStringLiteral("pNo")), b = wps.value(QStringLiteral("pNo2"));
    const QString wpsSide = QStringLiteral("P-No. %1 to P-No. %2").arg(a, b);
    const QString computed = WelderRanges::pNoRange(welder.values().value(kPNo), welder.values().value(kPNo2));
    QString problem;
    if (computed.isEmpty())
        return {cannotTell(wpsSide, QString(),
                           QStringLiteral("P-No. %1 to P-No. %2 of the WPQ lie in no group of QW-423.1")
                               .arg(welder.values().value(kPNo), welder.values().value(kPNo2)))};
    if (!rangeAsComputed(welder, range(kPNo), computed, &problem))
        return {cannotTell(wpsSide, welder.values().value(range(kPNo)), problem)};
    const int group = WelderRanges::pNoGroup(welder.values().value(kPNo));
    const int ga = WelderRanges::pNoGroup(a), gb = b.isEmpty() ? ga : WelderRanges::pNoGroup(b);
    static const QRegularExpression digit(QStringLiteral("\\d"));
    for (const auto &[key, text, g] : {std::tuple(QStringLiteral("pNo"), a, ga), std::tuple(QStringLiteral("pNo2"), b, gb)})
        if (g < 0 && !digit.match(text).hasMatch())
            return {cannotTell(wpsSide, computed, emptyOrUnread(key, text, kTheWps))};
    const bool holds = ga == group && gb == group;
    return {make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsSide, computed,
                 holds ? QStringLiteral("within %1").arg(computed) : QStringLiteral("not within %1").arg(computed))};
}

// ---------------------------------------------------------------------------------------
// QW-409.2: the transfer mode of a GMAW procedure.

QList<WelderVerdict> transferRule(const QualifyForm &wps, const WelderRecord &welder, const QDate &)
{
    const QString wpsText = wps.value(QStringLiteral("GMAWMode"));
    if (!wpsProcesses(wps).contains(QStringLiteral("GMAW")) || nothing(wpsText))
        return {make(WelderOutcome::Holds, wpsText, QString(), QStringLiteral("the WPS has no GMAW transfer mode"))};
    const QString wanted = WelderRanges::choice(kTransferMode, wpsText);
    const QString computed = WelderRanges::choice(kTransferMode, welder.values().value(kTransferMode));
    QString problem;
    if (wanted.isEmpty())
        return {cannotTell(wpsText, computed, emptyOrUnread(QStringLiteral("GMAWMode"), wpsText, kTheWps))};
    if (computed.isEmpty())
        return {cannotTell(wpsText, QString(), emptyOrUnread(kTransferMode, welder.values().value(kTransferMode), kTheWpq))};
    if (!rangeAsComputed(welder, range(kTransferMode), computed, &problem))
        return {cannotTell(wpsText, welder.values().value(range(kTransferMode)), problem)};
    const bool holds = wanted == computed;
    return {make(holds ? WelderOutcome::Holds : WelderOutcome::Exceeds, wpsText, computed,
                 holds ? QStringLiteral("%1 qualified").arg(computed) : QStringLiteral("%1 is not %2").arg(wpsText, computed))};
}

const QList<WelderFit::Rule> kRules = {
    {QStringLiteral("QW-322"), QStringLiteral("process"), processRule},
    {QStringLiteral("QW-461.9"), QStringLiteral("position"), positionRule},
    {QStringLiteral("QW-405.3"), QStringLiteral("progression"), progressionRule},
    {QStringLiteral("QW-452.1(b)"), QStringLiteral("deposit thickness"), depositRule},
    {QStringLiteral("QW-452.3"), QStringLiteral("pipe diameter"), diameterRule},
    {QStringLiteral("QW-433"), QStringLiteral("F-No."), fNoRule},
    {QStringLiteral("QW-402.4"), QStringLiteral("backing"), backingRule},
    {QStringLiteral("QW-423.1"), QStringLiteral("base metal"), baseMetalRule},
    {QStringLiteral("QW-409.2"), QStringLiteral("transfer mode"), transferRule},
};

} // namespace

QString WelderVerdict::line() const
{
    return QStringLiteral("%1 %2: %3 (%4)").arg(paragraph, subject, WelderFit::outcomeWord(outcome), details);
}

const QList<WelderFit::Rule> &WelderFit::rules()
{
    return kRules;
}

QList<WelderVerdict> WelderFit::run(const QualifyForm &wps, const WelderRecord &welder, const QDate &on)
{
    QList<WelderVerdict> out;
    for (const Rule &rule : kRules)
        for (WelderVerdict v : rule.check(wps, welder, on)) {
            v.paragraph = rule.paragraph;
            v.subject = v.subject.isEmpty() ? rule.subject : rule.subject + QLatin1Char(' ') + v.subject;
            out << v;
        }
    return out;
}

bool WelderFit::qualified(const QList<WelderVerdict> &verdicts)
{
    return overall(verdicts) == WelderOutcome::Holds;
}

WelderOutcome WelderFit::overall(const QList<WelderVerdict> &verdicts)
{
    for (WelderOutcome worst : {WelderOutcome::Exceeds, WelderOutcome::Lapsed, WelderOutcome::CannotTell})
        for (const WelderVerdict &v : verdicts)
            if (v.outcome == worst)
                return worst;
    return WelderOutcome::Holds;
}

QString WelderFit::outcomeWord(WelderOutcome outcome)
{
    switch (outcome) {
    case WelderOutcome::Holds: return QStringLiteral("holds");
    case WelderOutcome::Exceeds: return QStringLiteral("exceeds");
    case WelderOutcome::Lapsed: return QStringLiteral("lapsed");
    case WelderOutcome::CannotTell: break;
    }
    return QStringLiteral("cannot tell");
}

} // namespace Brenvik
