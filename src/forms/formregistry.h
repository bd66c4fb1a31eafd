#pragma once
// Registers each form's description (FormDescriptions), its window (DocumentRegistry) and its
// report (FormReportRegistry); called once at start-up (interactive and headless alike).

namespace Brenvik {
void registerForms();
}
