#pragma once
// The back of the printed QW-483 record: the tensile, guided-bend and toughness tables, the
// fillet-weld and other tests, who welded and tested, and the certification.

#include "report/reportpage.h"

namespace Brenvik {

class TWPQReport_2 : public ReportPage {
    Q_OBJECT
public:
    explicit TWPQReport_2(QObject *parent = nullptr);

    // Fills the page from the window's collected fields and its test grids.
    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

private:
    void buildPage();
};

} // namespace Brenvik
