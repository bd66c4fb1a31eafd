#pragma once
// Page 2 of the printed Procedure Qualification Report: the tension, bend, radiographic,
// visual, fillet-weld and other test results, and the signature block.

#include "report/reportpage.h"

namespace Brenvik {

class TPQRreport_2 : public ReportPage {
    Q_OBJECT
public:
    explicit TPQRreport_2(QObject *parent = nullptr);

    // Fills the page from the window's collected fields and its test grids.
    void prepareRpt(const ReportSource &source, const QList<CollectedField> &fields);

    // Data rows of the tension and bend tables: every filled row of the window prints.
    static constexpr int kTestRows = 9;

private:
    void buildPage();
};

} // namespace Brenvik
