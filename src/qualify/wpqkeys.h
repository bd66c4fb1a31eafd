#pragma once
// The keys of a welder performance qualification (WPQ) file that the welder rules read: the
// form's table uses these names for its fields, the rules, the continuity log and the
// headless modes read them, so that each is written once.

#include "document/formdescription.h"

#include <QString>

namespace Brenvik::WpqKeys {

// The type word of a welder's record, as its form's description gives it; empty when no form
// has that role.
inline QString welderRecordType()
{
    const FormDescription *d = FormDescriptions::withRole(FormRole::WelderRecord);
    return d ? d->formType : QString();
}

inline const QString kWelderName = QStringLiteral("welderName");
inline const QString kWelderId = QStringLiteral("welderId");
inline const QString kWpsFollowed = QStringLiteral("wpsFollowed");
inline const QString kTestDate = QStringLiteral("testDate");

// The two processes of a test; key(kProcess, 2) is "weldingProcess2".
inline const QString kProcess = QStringLiteral("weldingProcess");
inline const QString kWeldingType = QStringLiteral("weldingType");
inline const QString kDeposit = QStringLiteral("deposit");
inline const QString kLayers = QStringLiteral("threeLayers");
inline const QString kFNo = QStringLiteral("fNo");
inline const QString kFillerType = QStringLiteral("fillerType");
inline const QString kTransferMode = QStringLiteral("transferMode");

inline const QString kBacking = QStringLiteral("backing");
inline const QString kPlatePipe = QStringLiteral("platePipe");
inline const QString kDiameter = QStringLiteral("pipeDiameter");
inline const QString kPNo = QStringLiteral("pNo");
inline const QString kPNo2 = QStringLiteral("pNo2");
inline const QString kThickness = QStringLiteral("thickness");
inline const QString kInsert = QStringLiteral("consumableInsert");
inline const QString kGtawFiller = QStringLiteral("gtawFiller");
inline const QString kPosition = QStringLiteral("position");
inline const QString kProgression = QStringLiteral("progression");
inline const QString kBackingGas = QStringLiteral("backingGas");
inline const QString kCurrentPolarity = QStringLiteral("currentPolarity");

// The range fields beside the actual values: the actual key with "Range" after it.
inline const QString kRangeSuffix = QStringLiteral("Range");
// QW-461.9 gives three columns of positions; each has its own range field.
inline const QString kPositionPlate = QStringLiteral("positionRangePlate");
inline const QString kPositionPipe = QStringLiteral("positionRangePipe");
inline const QString kPositionFillet = QStringLiteral("positionRangeFillet");

inline const QString kRevoked = QStringLiteral("revoked");
inline const QString kRevokedReason = QStringLiteral("revokedReason");

// The continuity grid: a title row and kContinuityRows rows of date, process, job or WPS,
// recorded by; stored as continuity_0 ... continuity_<kContinuityRows>.
inline const QString kContinuity = QStringLiteral("continuity");
inline constexpr int kContinuityRows = 60;
inline constexpr int kContinuityColumns = 4;

inline QString numbered(const QString &key, int n) { return key + QString::number(n); }
inline QString range(const QString &key) { return key + kRangeSuffix; }
inline QString continuityRowKey(int row) { return kContinuity + QLatin1Char('_') + QString::number(row); }

} // namespace Brenvik::WpqKeys
