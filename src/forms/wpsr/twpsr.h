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

    void delRowTensileTestClick() { delRowGrid(QStringLiteral("ETGrid")); }
    void dupRowTensileTestClick() { dupRowGrid(QStringLiteral("ETGrid")); }
    void unitTCClick() { unitSwitchClick(QStringLiteral("unitTC")); }
    void tensileTestUnitMClick() { unitSwitchClick(QStringLiteral("tensileTestUnitM")); }
    void ETGridSelectParamClick() { selectParamClick(); }

protected:
    void connectHandlers() override;
};

} // namespace Brenvik
