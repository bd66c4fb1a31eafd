#include "qualify/recordfinder.h"
#include "document/formdescription.h"

#include "core/profilefile.h"

#include <QDir>
#include <QRegularExpression>

namespace Brenvik {

QStringList RecordFinder::numbers(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("\\s*(?:[,;&]|\\band\\b)\\s*"));
    QStringList out;
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty())
            out << part.trimmed();
    return out;
}

QStringList RecordFinder::proposals(const QString &folder, const QString &pqrNumbers)
{
    const QStringList wanted = numbers(pqrNumbers);
    QStringList out;
    if (wanted.isEmpty() || folder.isEmpty())
        return out;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.") + kDocumentSuffix, QStringLiteral("*.") + kDocumentSuffix.toUpper()}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : files) {
        ProfileFile file(dir.filePath(name), ProfileFile::Kind::Document);
        if (!file.load())
            continue;
        const QString section = QStringLiteral("contents");
        const FormDescription *record = FormDescriptions::withRole(FormRole::ProcedureRecord);
        if (!record || file.value(section, QStringLiteral("formType")).trimmed() != record->formType)
            continue;
        const QString number = file.value(section, record->numberKey).trimmed();
        for (const QString &w : wanted)
            if (!number.isEmpty() && number.compare(w, Qt::CaseInsensitive) == 0 && !out.contains(dir.filePath(name)))
                out << dir.filePath(name);
    }
    return out;
}

} // namespace Brenvik
