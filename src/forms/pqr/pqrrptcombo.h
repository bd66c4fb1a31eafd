#pragma once
// The PQR report as one print job: page 1 and page 2 chained under the title "Welding
// Procedure Qualification Report", both filled from the same collected fields.

#include "report/formreport.h"

namespace Brenvik {

class TPQRreport;
class TPQRreport_2;

class PQRRptCombo : public FormReport {
    Q_OBJECT
public:
    explicit PQRRptCombo(QObject *parent = nullptr);

    QString title() const override { return QStringLiteral("Welding Procedure Qualification Report"); }
    // Page 1, then page 2.
    QList<ReportPage *> pages() const override;
    void prepareRpt(const ReportSource &source) override;

    TPQRreport *page1() const { return m_page1; }
    TPQRreport_2 *page2() const { return m_page2; }

private:
    TPQRreport *m_page1 = nullptr;
    TPQRreport_2 *m_page2 = nullptr;
};

} // namespace Brenvik
