#pragma once
// Page 1 of the printed Procedure Qualification Report: identification, materials, welding
// conditions, the welding sequence in two side-by-side tables (rows 1 to 8 on the left, 9 on
// on the right) and the joint sketch.

#include "report/reportpage.h"

namespace Brenvik {

class TPQRreport : public ReportPage {
    Q_OBJECT
public:
    explicit TPQRreport(QObject *parent = nullptr);

    // Fills the page from the window's collected fields, its grids and its sketch.
    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

private:
    void buildPage();
};

} // namespace Brenvik
