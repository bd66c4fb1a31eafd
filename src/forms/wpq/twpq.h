#pragma once
// The Welder Performance Qualification window (QW-484): the welder, the testing variables with
// their actual values and the ranges they qualify side by side, the test results, the
// continuity of each process and the certification. "Compute Ranges" fills every range from
// the actual values; while the user types actual values, a range still empty or still as
// computed follows them, and a range the user wrote stays as written.

#include "document/formwindow.h"

#include <QHash>

namespace Brenvik {

class TWPQ : public FormWindow {
    Q_OBJECT
public:
    explicit TWPQ(QWidget *parent = nullptr);

    static const FormTable &formTable();
    static FormDescription description();
    // The certifying sentence printed on the form and shown on its last page.
    static QString certification();

    // Every range field set from the actual values (those the rules can compute).
    void computeRangesClick();

protected:
    void connectHandlers() override;
    void afterLoad() override;

private:
    // An actual value changed: the ranges that are empty or still as last computed follow it.
    void actualChange();
    QHash<QString, QString> m_computed; // range field -> the text last computed for it
};

} // namespace Brenvik
