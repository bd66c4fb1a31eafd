#pragma once
// The PQR report as one print job: page 1 and page 2 chained under the form's report title.

#include "forms/pqr/tpqr.h"
#include "forms/pqr/tpqrreport.h"
#include "forms/pqr/tpqrreport_2.h"
#include "report/twopagereport.h"

namespace Brenvik {

using PQRRptCombo = TwoPageReport<TPQR, TPQRreport, TPQRreport_2>;

} // namespace Brenvik
