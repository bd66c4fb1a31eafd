#include "register/registerentry.h"

#include "core/dates.h"
#include "core/profilefile.h"

#include <QFileInfo>

namespace Brenvik {

namespace {

const QString kContents = QStringLiteral("contents");

// Where each form keeps what the register shows. A PQR is known by its test plate: that is
// the number a WPS cites as its supporting PQR.
struct TypeKeys {
    const char *formType;
    const char *shownAs;
    const char *knownAs; // what an engineer calls it, shown beside the type word
    const char *number;
    const char *revision;
    const char *date;
    const char *revisionDate; // a revision is dated by this one when it is filled
    QList<const char *> processes;
    QList<const char *> supporting;
};

const QList<TypeKeys> &typeKeys()
{
    static const QList<TypeKeys> keys = {
        {"WPDS", "WPDS", "data sheet", "wpdsNo", "rev", "wpdsDate", nullptr, {"weldingProcess1", "weldingProcess2"},
         {"refWPQR", "refWPS"}},
        {"PQR", "PQR", "test plate report", "testPlateNo", nullptr, "wpdsDate", nullptr, {"weldingProcess"},
         {"wpdsNo", "wpsNo"}},
        {"WPQR", "WPQR", "PQR, QW-483", "PQRNo", nullptr, "PQRDate", nullptr, {"weldingProcess1"}, {"wpsNo"}},
        {"WPSR", "WPS", "WPS, QW-482", "wpsNo", "revisionNo", "wpsDate", "revisionDate", {"weldingProcess1"}, {"PQRNo"}},
    };
    return keys;
}

// A file this large is no document of ours; reading it whole would stall the list.
constexpr qint64 kLargestDocument = 16 * 1024 * 1024;

QString joined(const ProfileFile &file, const QList<const char *> &keys)
{
    QStringList values;
    for (const char *key : keys) {
        const QString v = file.value(kContents, QLatin1String(key)).trimmed();
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
            QStringLiteral("Supporting Record"), QStringLiteral("File"), QStringLiteral("Problem")};
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
    for (const TypeKeys &k : typeKeys())
        if (type == QLatin1String(k.shownAs))
            return QLatin1String(k.formType);
    return QString();
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
    const TypeKeys *keys = nullptr;
    for (const TypeKeys &k : typeKeys())
        if (formType == QLatin1String(k.formType))
            keys = &k;
    if (!keys) {
        entry.problem = formType.isEmpty() ? QStringLiteral("no form type")
                                           : QStringLiteral("unknown form type \"%1\"").arg(formType);
        return entry;
    }
    entry.type = QLatin1String(keys->shownAs);
    entry.number = file.value(kContents, QLatin1String(keys->number)).trimmed();
    if (keys->revision)
        entry.revision = file.value(kContents, QLatin1String(keys->revision)).trimmed();
    entry.company = file.value(kContents, QStringLiteral("companyName")).trimmed();
    entry.typeName = QLatin1String(keys->knownAs);
    entry.dateText = file.value(kContents, QLatin1String(keys->date)).trimmed();
    // Revision 0 is the first issue; a later one is in force from its own date.
    if (keys->revisionDate && !isFirstIssue(entry.revision)) {
        const QString revised = file.value(kContents, QLatin1String(keys->revisionDate)).trimmed();
        if (!revised.isEmpty())
            entry.dateText = revised;
    }
    entry.date = parseFileDate(entry.dateText);
    entry.processes = joined(file, keys->processes);
    entry.supporting = joined(file, keys->supporting);
    return entry;
}

} // namespace Brenvik
