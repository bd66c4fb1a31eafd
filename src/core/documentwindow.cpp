#include "core/documentwindow.h"

#include <QStringList>

namespace Brenvik {

DocumentRegistry &DocumentRegistry::instance()
{
    static DocumentRegistry registry;
    return registry;
}

void DocumentRegistry::add(const QString &formType, Factory factory)
{
    for (auto &entry : m_factories) {
        if (entry.first == formType) {
            entry.second = std::move(factory);
            return;
        }
    }
    m_factories.append({formType, std::move(factory)});
}

bool DocumentRegistry::has(const QString &formType) const
{
    for (const auto &entry : m_factories)
        if (entry.first == formType)
            return true;
    return false;
}

DocumentWindow *DocumentRegistry::create(const QString &formType, QWidget *parent) const
{
    for (const auto &entry : m_factories)
        if (entry.first == formType)
            return entry.second(parent);
    return nullptr;
}

QStringList DocumentRegistry::types() const
{
    QStringList out;
    for (const auto &entry : m_factories)
        out << entry.first;
    return out;
}

} // namespace Brenvik
