#pragma once
// The front of the printed QW-483 Procedure Qualification Record: identification, the groove
// design with the joint sketch, and the welding conditions QW-403 to QW-410 in two columns.

#include "report/reportpage.h"

namespace Brenvik {

class TWPQReport : public ReportPage {
    Q_OBJECT
public:
    explicit TWPQReport(QObject *parent = nullptr);

    // Fills the page from the window's collected fields, its temperature unit and its sketch.
    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

private:
    void buildPage();
    qreal buildLeftColumn(qreal top);
    qreal buildRightColumn(qreal top);
};

} // namespace Brenvik
