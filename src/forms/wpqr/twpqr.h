#pragma once
// The Procedure Qualification Record window (QW-483): its field table and the named handlers
// of its row commands and unit switches. It has no rules of its own beyond the framework's.

#include "document/formwindow.h"

namespace Brenvik {

class TWPQR : public FormWindow {
    Q_OBJECT
public:
    explicit TWPQR(QWidget *parent = nullptr);

    // The window's table: pages, groups and fields in creation order.
    static const FormTable &formTable();
    // What the type is: its type word, its names and the keys that hold its number, date, ...
    static FormDescription description();

    // File > New WPS from this Record...: after the changed-document prompt, a new WPS window
    // filled from this record and the ranges it qualifies, unsaved and marked changed.
    void newWpsFromRecordClick();
};

} // namespace Brenvik
