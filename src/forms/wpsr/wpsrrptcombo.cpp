#include "forms/wpsr/wpsrrptcombo.h"

namespace Brenvik {

QList<CollectedField> WPSRRptCombo::collect(const ReportSource &source) const
{
    QList<CollectedField> fields = source.collectFields();
    for (const char *radio : {"ifMetal", "ifNonmetallic", "ifNonfusing", "ifOther", "unitTC", "unitTF",
                              "tensileTestUnitM", "tensileTestUnitI"}) {
        const QString name = QString::fromLatin1(radio);
        fields.append({name, source.isChecked(name) ? QStringLiteral("Yes") : QStringLiteral("No")});
    }
    return fields;
}

} // namespace Brenvik
