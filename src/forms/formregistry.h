#pragma once
// Registers the document windows and their reports with DocumentRegistry and
// FormReportRegistry; called once at start-up (interactive and headless alike).

namespace Brenvik {
void registerForms();
}
