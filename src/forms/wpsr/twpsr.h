#pragma once
// The Welding Procedure Specification window (QW-482): its field table plus the named handlers
// of its technique table (row commands), its two unit switches and its parameter button.
// Everything it stores goes through the generic walks.

#include "document/formwindow.h"

namespace Brenvik {

class TWPSR : public FormWindow {
    Q_OBJECT
public:
    explicit TWPSR(QWidget *parent = nullptr);

    // The window's table: pages, groups and fields in creation order.
    static const FormTable &formTable();
    // What the type is: its type word, its names and the keys that hold its number, date, ...
    static FormDescription description();

    void ETGridSelectParamClick() { selectParamClick(); }
    // Tools > Check Against Records...: the check dialog on this WPS, proposing the records
    // of its folder that carry its PQR No.
    void CheckAgainstRecordsClick();
    // Tools > Qualified Welders...: the welders below this WPS's folder whose qualification
    // covers it.
    void QualifiedWeldersClick();
    // Where the records are looked for: the WPS's folder, else the last opened one.
    QString recordFolder() const;

protected:
    void connectHandlers() override;
};

} // namespace Brenvik
