#pragma once
// The front of the printed Welding Procedure Specification (QW-482): heading block, joints
// with the sketch, base metal and the three filler metals.

#include "report/reportpage.h"

namespace Brenvik {

class TWPSReport : public ReportPage {
    Q_OBJECT
public:
    explicit TWPSReport(QObject *parent = nullptr);

    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

    // The band: 701 x 980 at the left and top margins (0.39 in, 0.5 in).
    static QRectF bandRect() { return QRectF(37.44, 48, 701, 980); }

private:
    void buildPage();
};

} // namespace Brenvik
