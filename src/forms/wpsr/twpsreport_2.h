#pragma once
// The back of the printed Welding Procedure Specification (QW-482): positions, postweld heat
// treatment, preheat, gas, electrical characteristics, technique, and the technique table
// with every one of its fourteen layer rows.

#include "report/reportpage.h"

namespace Brenvik {

class TWPSReport_2 : public ReportPage {
    Q_OBJECT
public:
    explicit TWPSReport_2(QObject *parent = nullptr);

    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

    // Layer rows of the technique table: every row of the window prints.
    static constexpr int kLayerRows = 14;

private:
    void buildPage();
};

} // namespace Brenvik
