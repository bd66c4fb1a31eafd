#include "forms/formregistry.h"

#include "forms/pqr/pqrrptcombo.h"
#include "forms/pqr/tpqr.h"
#include "forms/wpds/twpds.h"
#include "forms/wpds/twpdsreport.h"
#include "forms/wpqr/twpqr.h"
#include "forms/wpqr/wpqrrptcombo.h"
#include "forms/wpsr/twpsr.h"
#include "forms/wpsr/wpsrrptcombo.h"

namespace Brenvik {

void registerForms()
{
    // Each form adds its window and its report here.
    DocumentRegistry::instance().add(QStringLiteral("WPDS"), [](QWidget *parent) { return new TWPDS(parent); });
    FormReportRegistry::add(QStringLiteral("WPDS"), [](QObject *parent) { return new TWPDSReport(parent); });
    DocumentRegistry::instance().add(QStringLiteral("PQR"), [](QWidget *parent) { return new TPQR(parent); });
    DocumentRegistry::instance().add(QStringLiteral("WPQR"), [](QWidget *parent) { return new TWPQR(parent); });
    FormReportRegistry::add(QStringLiteral("WPQR"), [](QObject *parent) { return new WPQRRptCombo(parent); });
    FormReportRegistry::add(QStringLiteral("PQR"), [](QObject *parent) { return new PQRRptCombo(parent); });
    DocumentRegistry::instance().add(QStringLiteral("WPSR"), [](QWidget *parent) { return new TWPSR(parent); });
    FormReportRegistry::add(QStringLiteral("WPSR"), [](QObject *parent) { return new WPSRRptCombo(parent); });
}

} // namespace Brenvik
