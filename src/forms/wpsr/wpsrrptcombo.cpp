#include "forms/wpsr/wpsrrptcombo.h"

#include "forms/wpsr/twpsreport.h"
#include "forms/wpsr/twpsreport_2.h"

namespace Brenvik {

WPSRRptCombo::WPSRRptCombo(QObject *parent)
    : FormReport(parent)
    , m_page1(new TWPSReport(this))
    , m_page2(new TWPSReport_2(this))
{
}

QList<ReportPage *> WPSRRptCombo::pages() const
{
    return {m_page1, m_page2};
}

QList<CollectedField> WPSRRptCombo::collect(const ReportSource &source)
{
    QList<CollectedField> fields = source.collectFields();
    for (const char *radio : {"ifMetal", "ifNonmetallic", "ifNonfusing", "ifOther", "unitTC", "unitTF",
                              "tensileTestUnitM", "tensileTestUnitI"}) {
        const QString name = QString::fromLatin1(radio);
        fields.append({name, source.isChecked(name) ? QStringLiteral("Yes") : QStringLiteral("No")});
    }
    return fields;
}

void WPSRRptCombo::prepareRpt(const ReportSource &source)
{
    // One collect serves both pages; each page starts again from its design texts.
    const QList<CollectedField> fields = collect(source);
    m_page1->prepareRpt(source, fields);
    m_page2->prepareRpt(source, fields);
}

} // namespace Brenvik
