#pragma once
// The WPQR report as one print job: the front and the back of the QW-483 record under the
// form's report title.

#include "forms/wpqr/twpqr.h"
#include "forms/wpqr/twpqreport.h"
#include "forms/wpqr/twpqreport_2.h"
#include "report/twopagereport.h"

namespace Brenvik {

using WPQRRptCombo = TwoPageReport<TWPQR, TWPQReport, TWPQReport_2>;

} // namespace Brenvik
