#include "support/documentsource.h"

#include "document/formdocument.h"

#include <QtTest>

namespace Brenvik {

FakeReportSource readDocumentSource(const QString &path)
{
    FakeReportSource source;
    QString error;
    const std::unique_ptr<FormDocument> document = FormDocument::read(path, &error, nullptr);
    if (!document) {
        QTest::qFail(qPrintable(error), __FILE__, __LINE__);
        return source;
    }
    QStringList buttons;
    QStringList grids;
    for (const FieldDef &f : document->table().fields) {
        if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            buttons << f.name;
        else if (f.kind == FieldKind::Grid || f.kind == FieldKind::UnitRow)
            grids << f.name;
    }
    source.copyOf(*document, buttons, grids);
    return source;
}

} // namespace Brenvik
