#include "forms/pqr/pqrrptcombo.h"

#include "forms/pqr/tpqrreport.h"
#include "forms/pqr/tpqrreport_2.h"

namespace Brenvik {

PQRRptCombo::PQRRptCombo(QObject *parent)
    : FormReport(parent)
    , m_page1(new TPQRreport(this))
    , m_page2(new TPQRreport_2(this))
{
}

QList<ReportPage *> PQRRptCombo::pages() const
{
    return {m_page1, m_page2};
}

void PQRRptCombo::prepareRpt(const ReportSource &source)
{
    // One collect serves both pages; each page starts again from its design texts.
    const QList<CollectedField> fields = source.collectFields();
    m_page1->prepareRpt(source, fields);
    m_page2->prepareRpt(source, fields);
}

} // namespace Brenvik
