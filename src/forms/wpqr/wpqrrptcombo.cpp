#include "forms/wpqr/wpqrrptcombo.h"

#include "forms/wpqr/twpqreport.h"
#include "forms/wpqr/twpqreport_2.h"

namespace Brenvik {

WPQRRptCombo::WPQRRptCombo(QObject *parent)
    : FormReport(parent)
    , m_page1(new TWPQReport(this))
    , m_page2(new TWPQReport_2(this))
{
}

QList<ReportPage *> WPQRRptCombo::pages() const
{
    return {m_page1, m_page2};
}

void WPQRRptCombo::prepareRpt(const ReportSource &source)
{
    const QList<CollectedField> fields = source.collectFields();
    m_page1->prepareRpt(source, fields);
    m_page2->prepareRpt(source, fields);
}

} // namespace Brenvik
