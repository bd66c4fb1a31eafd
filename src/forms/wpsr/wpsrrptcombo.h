#pragma once
// The WPS report as one print job under the form's report title: the front page, then the back
// page. The pages print the window's radio buttons too.

#include "forms/wpsr/twpsr.h"
#include "forms/wpsr/twpsreport.h"
#include "forms/wpsr/twpsreport_2.h"
#include "report/twopagereport.h"

namespace Brenvik {

class WPSRRptCombo : public TwoPageReport<TWPSR, TWPSReport, TWPSReport_2> {
public:
    using TwoPageReport::TwoPageReport;

protected:
    // The collected fields, and the radio buttons as "Yes" or "No".
    QList<CollectedField> collect(const ReportSource &source) const override;
};

} // namespace Brenvik
