#include "forms/formregistry.h"

#include "forms/pqr/pqrrptcombo.h"
#include "forms/pqr/tpqr.h"
#include "forms/wpds/twpds.h"
#include "forms/wpds/twpdsreport.h"

namespace Brenvik {

void registerForms()
{
    // Each form adds its window and its report here.
    DocumentRegistry::instance().add(QStringLiteral("WPDS"), [](QWidget *parent) { return new TWPDS(parent); });
    FormReportRegistry::add(QStringLiteral("WPDS"), [](QObject *parent) { return new TWPDSReport(parent); });
    DocumentRegistry::instance().add(QStringLiteral("PQR"), [](QWidget *parent) { return new TPQR(parent); });
    FormReportRegistry::add(QStringLiteral("PQR"), [](QObject *parent) { return new PQRRptCombo(parent); });
}

} // namespace Brenvik
