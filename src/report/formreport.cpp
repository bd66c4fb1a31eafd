#include "report/formreport.h"

#include <QList>
#include <QPair>

namespace Brenvik {

namespace {
QList<QPair<QString, FormReportRegistry::Factory>> &factories()
{
    static QList<QPair<QString, FormReportRegistry::Factory>> list;
    return list;
}
} // namespace

void FormReportRegistry::add(const QString &formType, Factory factory)
{
    for (auto &entry : factories()) {
        if (entry.first == formType) {
            entry.second = std::move(factory);
            return;
        }
    }
    factories().append({formType, std::move(factory)});
}

FormReport *FormReportRegistry::create(const QString &formType, QObject *parent)
{
    for (const auto &entry : factories())
        if (entry.first == formType)
            return entry.second(parent);
    return nullptr;
}

} // namespace Brenvik
