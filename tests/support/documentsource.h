#pragma once
// A document read from a file as its report sees it, to be changed by a test: what the
// document model hands the report, copied into a FakeReportSource.

#include "support/fakereportsource.h"

namespace Brenvik {

// Fails the running test when the file cannot be read as a document.
FakeReportSource readDocumentSource(const QString &path);

} // namespace Brenvik
