#pragma once
// The printed Welding Procedure Data Sheet: one Letter page laid out like the paper data
// sheet, filled by name from a WPDS window, with the parameter grid printed transposed (one
// column per parameter, one line per pass) and the joint sketch.

#include "report/formreport.h"

namespace Brenvik {

class ReportPage;

class TWPDSReport : public FormReport {
    Q_OBJECT
public:
    explicit TWPDSReport(QObject *parent = nullptr);

    QString title() const override;
    QList<ReportPage *> pages() const override { return {m_page}; }
    void prepareRpt(const ReportSource &source) override;

    ReportPage *page() const { return m_page; }

    // The parameter columns: left and right rules of column N (1 to 14).
    static qreal columnLeft(int n);
    static qreal columnRight(int n);

private:
    void buildPage();
    ReportPage *m_page = nullptr;
};

} // namespace Brenvik
