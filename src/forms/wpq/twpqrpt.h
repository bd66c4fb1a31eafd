#pragma once
// The printed Welder Performance Qualification (QW-484): one Letter page laid out like the
// paper form: the welder and the test, the testing variables with the actual values and the
// ranges qualified in two columns, the results with the bend tests, the people, and the
// certification.

#include "report/formreport.h"

namespace Brenvik {

class ReportPage;

class TWPQRpt : public FormReport {
    Q_OBJECT
public:
    explicit TWPQRpt(QObject *parent = nullptr);

    QString title() const override;
    QList<ReportPage *> pages() const override { return {m_page}; }
    void prepareRpt(const ReportSource &source) override;

    ReportPage *page() const { return m_page; }

    // The window's fields and what the page prints made of several of them: "where welded",
    // the P-No. pair, each filler's specification and classification, each deposit with its
    // layers.
    static QList<CollectedField> collect(const ReportSource &source);

private:
    void buildPage();
    ReportPage *m_page = nullptr;
};

} // namespace Brenvik
