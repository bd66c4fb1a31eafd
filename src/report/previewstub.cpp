// Placeholder until the preview window lands.
#include "report/formreport.h"

namespace Brenvik {
void previewReport(FormReport *, QWidget *) {}
} // namespace Brenvik
