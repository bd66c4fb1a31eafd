#include "forms/formregistry.h"

#include "document/formdescription.h"
#include "document/formdocument.h"
#include "forms/pqr/pqrrptcombo.h"
#include "forms/pqr/tpqr.h"
#include "forms/wpds/twpds.h"
#include "forms/wpds/twpdsreport.h"
#include "forms/wpqr/twpqr.h"
#include "forms/wpqr/wpqrrptcombo.h"
#include "forms/wpsr/twpsr.h"
#include "forms/wpsr/wpsrrptcombo.h"

namespace Brenvik {

namespace {

// One form type: its description, its window and its report, under the type word its
// description gives.
template <typename Window, typename Report>
void addForm()
{
    const FormDescription &description = Window::formTable().description;
    FormDescriptions::add(description);
    FormTables::add(Window::formTable());
    DocumentRegistry::instance().add(description.formType, [](QWidget *parent) { return new Window(parent); });
    FormReportRegistry::add(description.formType, [](QObject *parent) { return new Report(parent); });
}

} // namespace

void registerForms()
{
    // Each form adds itself here, in the order the program lists the types.
    addForm<TWPDS, TWPDSReport>();
    addForm<TPQR, PQRRptCombo>();
    addForm<TWPQR, WPQRRptCombo>();
    addForm<TWPSR, WPSRRptCombo>();
}

} // namespace Brenvik
