#include "forms/formregistry.h"

#include "forms/wpds/twpdsreport.h"

namespace Brenvik {

void registerForms()
{
    // Each form adds its window and its report here.
    FormReportRegistry::add(QStringLiteral("WPDS"), [](QObject *parent) { return new TWPDSReport(parent); });
}

} // namespace Brenvik
