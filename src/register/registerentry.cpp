#include "register/registerentry.h"

#include "core/dates.h"
#include "core/profilefile.h"
#include "document/control/controlrecord.h"
#include "document/formdescription.h"

#include <QFileInfo>

namespace Brenvik {

namespace {

const QString kContents = QStringLiteral("contents");

// A file this large is no document of ours; reading it whole would stall the list.
constexpr qint64 kLargestDocument = 16 * 1024 * 1024;

QString joined(const ProfileFile &file, const QStringList &keys)
{
    QStringList values;
    for (const QString &key : keys) {
        const QString v = file.value(kContents, key).trimmed();
        if (!v.isEmpty())
            values << v;
    }
    return values.join(QStringLiteral(", "));
}

bool isFirstIssue(const QString &revision)
{
    bool number = false;
    const int n = revision.toInt(&number);
    return revision.isEmpty() || (number && n == 0);
}

} // namespace

QStringList RegisterEntry::headings()
{
    return {QStringLiteral("Type"),    QStringLiteral("Number"),     QStringLiteral("Rev."),
            QStringLiteral("Company"), QStringLiteral("Date"),       QStringLiteral("Process(es)"),
            QStringLiteral("Supporting Record"), QStringLiteral("File"), QStringLiteral("Problem"),
            QStringLiteral("Approved"), QStringLiteral("Status")};
}

QString RegisterEntry::cell(int column) const
{
    switch (column) {
    case Type: return type;
    case Number: return number;
    case Revision: return revision;
    case Company: return company;
    case Date: return date.isValid() ? date.toString(Qt::ISODate) : dateText;
    case Processes: return processes;
    case Supporting: return supporting;
    case File: return relativePath;
    case Problem: return problem;
    case Approved: return approvedDate.isValid() ? approvedDate.toString(Qt::ISODate) : QString();
    case Status: return status;
    default: return QString();
    }
}

bool RegisterEntry::before(const RegisterEntry &a, const RegisterEntry &b)
{
    const int folded = a.relativePath.compare(b.relativePath, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.relativePath < b.relativePath;
}

QString RegisterEntry::shownType() const
{
    return typeName.isEmpty() ? type : QStringLiteral("%1 (%2)").arg(type, typeName);
}

QString RegisterEntry::formType() const
{
    const FormDescription *description = FormDescriptions::findShown(type);
    return description ? description->formType : QString();
}

RegisterEntry RegisterEntry::read(const QString &path, const QString &relativePath)
{
    RegisterEntry entry;
    entry.path = path;
    entry.relativePath = relativePath;
    const QFileInfo info(path);
    entry.size = info.size();
    entry.modified = info.lastModified();
    if (!info.isFile()) {
        entry.problem = QStringLiteral("not a regular file");
        return entry;
    }
    if (entry.size > kLargestDocument) {
        entry.problem = QStringLiteral("too large for a welding document");
        return entry;
    }
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load()) {
        entry.problem = QStringLiteral("cannot be read");
        return entry;
    }
    if (file.data().contains('\0')) {
        entry.problem = QStringLiteral("damaged: not a text file");
        return entry;
    }
    if (!file.hasSection(kContents)) {
        entry.problem = QStringLiteral("not a welding document: no [contents] section");
        return entry;
    }
    const QString formType = file.value(kContents, QStringLiteral("formType"));
    const FormDescription *keys = FormDescriptions::find(formType);
    if (!keys) {
        entry.problem = formType.isEmpty() ? QStringLiteral("no form type")
                                           : QStringLiteral("unknown form type \"%1\"").arg(formType);
        return entry;
    }
    entry.type = keys->shownAs;
    entry.number = file.value(kContents, keys->numberKey).trimmed();
    if (!keys->revisionKey.isEmpty())
        entry.revision = file.value(kContents, keys->revisionKey).trimmed();
    entry.company = file.value(kContents, keys->companyKey).trimmed();
    entry.typeName = keys->knownAs;
    entry.dateText = file.value(kContents, keys->dateKey).trimmed();
    // Revision 0 is the first issue; a later one is in force from its own date.
    if (!keys->revisionDateKey.isEmpty() && !isFirstIssue(entry.revision)) {
        const QString revised = file.value(kContents, keys->revisionDateKey).trimmed();
        if (!revised.isEmpty())
            entry.dateText = revised;
    }
    entry.date = parseFileDate(entry.dateText);
    entry.processes = joined(file, keys->processKeys);
    entry.supporting = joined(file, keys->supportingKeys);
    const ControlState control = ControlState::of(file);
    entry.status = control.text();
    if (control.record.isControlled())
        entry.approvedDate = control.record.approvedDate;
    return entry;
}

} // namespace Brenvik
