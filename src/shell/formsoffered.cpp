#include "shell/formsoffered.h"

#include "core/documentwindow.h"

#include <QLocale>
#include <QStringList>

namespace Brenvik {

QString formsOffered()
{
    // The four types in the order the main window compares them, as users name them.
    static const QList<QPair<QString, QString>> kTypes = {
        {QStringLiteral("WPDS"), QStringLiteral("WPDS")},
        {QStringLiteral("PQR"), QStringLiteral("PQR")},
        {QStringLiteral("WPQR"), QStringLiteral("WPQR (QW-483)")},
        {QStringLiteral("WPSR"), QStringLiteral("WPS (QW-482)")},
    };
    QStringList built;
    QStringList missing;
    for (const auto &type : kTypes)
        (DocumentRegistry::instance().has(type.first) ? built : missing) << type.second;
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
