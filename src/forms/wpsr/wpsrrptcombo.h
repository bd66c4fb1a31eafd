#pragma once
// The WPS report as one print job under the title "WPS": the front page, then the back page,
// both filled from the same collected fields.

#include "report/formreport.h"

namespace Brenvik {

class TWPSReport;
class TWPSReport_2;

class WPSRRptCombo : public FormReport {
    Q_OBJECT
public:
    explicit WPSRRptCombo(QObject *parent = nullptr);

    QString title() const override { return QStringLiteral("WPS"); }
    // The front page, then the back page.
    QList<ReportPage *> pages() const override;
    void prepareRpt(const ReportSource &source) override;

    TWPSReport *page1() const { return m_page1; }
    TWPSReport_2 *page2() const { return m_page2; }

    // The collected fields of the pages: the window's fields, and its radio buttons as "Yes"
    // or "No" (these pages print them).
    static QList<CollectedField> collect(const ReportSource &source);

private:
    TWPSReport *m_page1 = nullptr;
    TWPSReport_2 *m_page2 = nullptr;
};

} // namespace Brenvik
