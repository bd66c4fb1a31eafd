#pragma once
// A report of two pages printed as one job under its form's report title, both pages filled
// from one collect of the document's fields. Form names the form whose description gives the
// title; a form whose pages read more than the collect pass gives override collect().

#include "report/formreport.h"
#include "report/reportpage.h"

namespace Brenvik {

template <class Form, class First, class Second>
class TwoPageReport : public FormReport {
public:
    explicit TwoPageReport(QObject *parent = nullptr)
        : FormReport(parent), m_page1(new First(this)), m_page2(new Second(this))
    {
    }

    QString title() const override { return Form::formTable().description.reportTitle; }
    QList<ReportPage *> pages() const override { return {m_page1, m_page2}; }
    void prepareRpt(const ReportSource &source) override
    {
        // One collect serves both pages; each page starts again from its design texts.
        const QList<CollectedField> fields = collect(source);
        m_page1->prepareRpt(source, fields);
        m_page2->prepareRpt(source, fields);
    }

    First *page1() const { return m_page1; }
    Second *page2() const { return m_page2; }

protected:
    virtual QList<CollectedField> collect(const ReportSource &source) const { return source.collectFields(); }

private:
    First *m_page1;
    Second *m_page2;
};

} // namespace Brenvik
