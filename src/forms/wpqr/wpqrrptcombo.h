#pragma once
// The WPQR report as one print job: the front and the back of the QW-483 record, both filled
// from the same collected fields.

#include "report/formreport.h"

namespace Brenvik {

class TWPQReport;
class TWPQReport_2;

class WPQRRptCombo : public FormReport {
    Q_OBJECT
public:
    explicit WPQRRptCombo(QObject *parent = nullptr);

    QString title() const override { return QStringLiteral("Procedure Qualification Record"); }
    // WPQRRptComboAddReports: page 1, then page 2.
    QList<ReportPage *> pages() const override;
    void prepareRpt(const ReportSource &source) override;

    TWPQReport *page1() const { return m_page1; }
    TWPQReport_2 *page2() const { return m_page2; }

private:
    TWPQReport *m_page1 = nullptr;
    TWPQReport_2 *m_page2 = nullptr;
};

} // namespace Brenvik
