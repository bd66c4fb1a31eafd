#include "shell/formsoffered.h"

#include "core/documentwindow.h"
#include "document/formdescription.h"

#include <QLocale>
#include <QStringList>

namespace Brenvik {

QString formsOffered()
{
    QStringList built;
    QStringList missing;
    // The described types in the order the main window compares them, as users name them.
    for (const FormDescription &type : FormDescriptions::all())
        (DocumentRegistry::instance().has(type.formType) ? built : missing) << type.offeredAs;
    const QLocale english(QLocale::English, QLocale::UnitedKingdom); // "a, b and c"
    if (built.isEmpty())
        return QStringLiteral("No document type is in this version yet.");
    QString text = english.createSeparatedList(built) + QStringLiteral(" documents");
    if (!missing.isEmpty())
        text += QStringLiteral("; ") + english.createSeparatedList(missing)
            + (missing.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"))
            + QStringLiteral(" not in this version yet");
    return text + QLatin1Char('.');
}

} // namespace Brenvik
