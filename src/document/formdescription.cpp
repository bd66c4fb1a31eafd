#include "document/formdescription.h"

namespace Brenvik {

namespace {

QList<FormDescription> &registry()
{
    static QList<FormDescription> descriptions;
    return descriptions;
}

} // namespace

void FormDescriptions::add(const FormDescription &description)
{
    for (FormDescription &known : registry())
        if (known.formType == description.formType) {
            known = description;
            return;
        }
    registry().append(description);
}

const FormDescription *FormDescriptions::find(const QString &formType)
{
    for (const FormDescription &known : registry())
        if (known.formType == formType)
            return &known;
    return nullptr;
}

const FormDescription *FormDescriptions::findShown(const QString &shownAs)
{
    for (const FormDescription &known : registry())
        if (known.shownAs == shownAs)
            return &known;
    return nullptr;
}

const FormDescription *FormDescriptions::withRole(FormRole role)
{
    for (const FormDescription &known : registry())
        if (known.role == role)
            return &known;
    return nullptr;
}

const QList<FormDescription> &FormDescriptions::all()
{
    return registry();
}

QStringList FormDescriptions::types()
{
    QStringList out;
    for (const FormDescription &known : registry())
        out << known.formType;
    return out;
}

} // namespace Brenvik
