#include "duplicator/duplicatorrun.h"

#include "core/appstate.h"
#include "core/atomicfile.h"
#include "core/cp1252.h"
#include "core/documentwindow.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "core/writetarget.h"
#include "document/control/controlrecord.h"
#include "document/formdescription.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

namespace Brenvik {

namespace {

const QString kContents = QStringLiteral("contents");

// The system's long time format, without the time zone Qt adds to it.
QString longTime(const QDateTime &when)
{
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return locale.toString(when.time(), format.trimmed());
}

// The folder part of a listed path as the list shows it: without the file name and without
// a trailing separator.
QString folderText(const QString &path)
{
    const int cut = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut);
}

QString absoluteFolder(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).absoluteFilePath());
}

} // namespace

DuplicatorRun::DuplicatorRun(const Settings &settings, Listener &listener)
    : m_settings(settings), m_listener(listener)
{
}

bool DuplicatorRun::keysFor(const QString &formType, QString *companyKey, QString *addressKey)
{
    const FormDescription *description = FormDescriptions::find(formType);
    if (!description)
        return false;
    *companyKey = description->companyKey;
    *addressKey = description->addressKey;
    return true;
}

QString DuplicatorRun::sketchPath(const QString &documentPath)
{
    return pictureFileOf(documentPath);
}

bool DuplicatorRun::allModified() const
{
    return m_outcome == Outcome::Done && m_modified.size() == m_settings.sources.size();
}

void DuplicatorRun::line(const QString &text)
{
    m_log << text;
    m_listener.logLine(text);
}

DuplicatorRun::Outcome DuplicatorRun::run()
{
    m_outcome = runSteps();
    return m_outcome;
}

DuplicatorRun::Outcome DuplicatorRun::runSteps()
{
    line(QStringLiteral(" "));
    line(QStringLiteral("Operation starts at ") + longTime(platform().now()) + QLatin1Char('.'));

    // The files are code page 1252: say so once rather than let a "?" turn up unannounced.
    const QString lost = Cp1252::unencodable(m_settings.company + m_settings.address);
    if (!lost.isEmpty())
        line(QStringLiteral("The characters \"") + lost
             + QStringLiteral("\" cannot be stored in the files and are written as \"?\"."));

    QStringList work;
    if (m_settings.mode == Mode::Modify) {
        if (!m_listener.confirmModify())
            return Outcome::Refused;
        m_total = m_settings.sources.size();
        for (const QString &source : qAsConst(m_settings.sources)) {
            if (QFileInfo(source).isFile()) {
                work << source;
            } else {
                line(source + QStringLiteral(" does not exist."));
                m_missing << source;
                ++m_done;
            }
        }
    } else {
        m_total = 2 * m_settings.sources.size();
        const Outcome copied = copyFiles(&work);
        if (copied != Outcome::Done)
            return copied;
    }

    for (const QString &path : qAsConst(work)) {
        if (stepAndCheckCancel(path))
            return Outcome::Cancelled;
        if (!modifyFile(path))
            return Outcome::Failed;
    }
    m_listener.progress(m_total, m_total);
    line(QString::number(m_modified.size()) + QStringLiteral(" files modified."));
    return Outcome::Done;
}

bool DuplicatorRun::stepAndCheckCancel(const QString &next)
{
    if (m_listener.cancelRequested()) {
        line(QStringLiteral("Operation cancelled before ") + next + QLatin1Char('.'));
        logSummary();
        return true;
    }
    m_listener.progress(m_done++, m_total);
    return false;
}

void DuplicatorRun::logSummary()
{
    line(QString::number(m_modified.size()) + QStringLiteral(" files modified."));
    QStringList stale;
    for (const QString &copy : qAsConst(m_copies)) {
        if (!m_modified.contains(copy) && !m_skipped.contains(copy))
            stale << copy;
    }
    if (stale.isEmpty())
        return;
    line(QStringLiteral("These copies still carry the old company data:"));
    for (const QString &copy : qAsConst(stale))
        line(QStringLiteral("  ") + copy);
}

bool DuplicatorRun::destinationClash(const QString &source) const
{
    const QString folder = folderText(source);
    const QString target = m_settings.newPath;
    if (folder.compare(target, Qt::CaseInsensitive) == 0)
        return true;
    // The same folder spelled otherwise: a trailing "/", "./", a relative path.
    if (absoluteFolder(folder).compare(absoluteFolder(target), Qt::CaseInsensitive) == 0)
        return true;
    // Or reached through a link.
    const QString realFolder = QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).canonicalFilePath();
    const QString realTarget = QFileInfo(target).canonicalFilePath();
    return !realFolder.isEmpty() && realFolder.compare(realTarget, Qt::CaseInsensitive) == 0;
}

// Two sources of one name would overwrite each other's copy. Names compare without regard to
// case: the destination may well be a drive that does not tell them apart.
bool DuplicatorRun::nameClash(const QStringList &existing) const
{
    struct Claim {
        QString source; // the document that brings the file
        QString origin; // the file copied (the same sketch may come with two documents)
    };
    QHash<QString, Claim> claims;
    auto claim = [&claims](const QString &name, const Claim &by) -> QString {
        const QString key = name.toLower();
        const auto it = claims.constFind(key);
        if (it == claims.constEnd()) {
            claims.insert(key, by);
            return QString();
        }
        return it->origin == by.origin ? QString() : it->source;
    };
    for (const QString &source : existing) {
        const QFileInfo info(source);
        QString other = claim(info.fileName(), {source, info.canonicalFilePath()});
        const QFileInfo sketch(sketchPath(source));
        if (other.isEmpty() && sketch.isFile())
            other = claim(QFileInfo(sketchPath(info.fileName())).fileName(),
                          {source, sketch.canonicalFilePath()});
        if (!other.isEmpty()) {
            errorBox(QStringLiteral("Error"),
                     QStringLiteral("The source files ") + other + QStringLiteral(" and ") + source
                         + QStringLiteral(" have the same name: their copies would overwrite each other.")
                         + QStringLiteral("  Operation aborted."));
            return true;
        }
    }
    return false;
}

bool DuplicatorRun::ensureDestination()
{
    const QString folder = m_settings.newPath;
    if (QFileInfo(folder).isDir())
        return true;
    if (!m_listener.confirmCreateFolder(folder))
        return false;
    const bool made = m_settings.createParents ? QDir().mkpath(folder) : QDir().mkdir(folder);
    if (!made) {
        warningBox(QStringLiteral("Error in creating directory:\n") + folder
                   + QStringLiteral("\nOperation aborted."));
        return false;
    }
    return true;
}

bool DuplicatorRun::copyOne(const QString &from, const QString &to, QByteArray *copied)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Cannot open file ") + from);
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Cannot open file ") + from);
        return false;
    }
    // A copy is whole or absent: a stopped run never leaves half a document behind.
    QString error;
    if (!writeFileAtomically(to, bytes, &error)) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Cannot create file ") + to + QStringLiteral("\r\n") + error);
        return false;
    }
    if (copied)
        *copied = bytes;
    return true;
}

// A copy (or its sketch) never lands on a source or a source's sketch, whatever names or links
// lead there, and its sketch never on a document; the command line never writes through a link.
QString DuplicatorRun::copyProblem(const QString &target, bool withSketch) const
{
    const bool refuseLinks = AppState::instance().headless();
    QString problem = writeProblem(target, WriteKind::Document, m_settings.sources, refuseLinks);
    if (problem.isEmpty() && withSketch)
        problem = writeProblem(sketchPath(target), WriteKind::Picture, m_settings.sources, refuseLinks);
    return problem;
}

DuplicatorRun::Outcome DuplicatorRun::copyFiles(QStringList *workList)
{
    if (m_settings.newPath.isEmpty()) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Please specify a path for the new files."));
        return Outcome::Refused;
    }
    for (const QString &source : qAsConst(m_settings.sources)) {
        if (destinationClash(source)) {
            errorBox(QStringLiteral("Error"),
                     QStringLiteral("Destination path must be different from those of the source files."
                                    "  Operation aborted."));
            return Outcome::Refused;
        }
    }
    QStringList existing;
    for (const QString &source : qAsConst(m_settings.sources)) {
        if (QFileInfo(source).isFile())
            existing << source;
    }
    if (nameClash(existing) || !ensureDestination())
        return Outcome::Refused;

    const QDir destination(m_settings.newPath);
    for (const QString &source : std::as_const(existing)) {
        const QString problem = copyProblem(destination.filePath(QFileInfo(source).fileName()),
                                            QFileInfo(sketchPath(source)).isFile());
        if (!problem.isEmpty()) {
            errorBox(QStringLiteral("Error"), problem + QStringLiteral(".  Operation aborted."));
            return Outcome::Refused;
        }
    }
    int copied = 0;
    for (const QString &source : qAsConst(m_settings.sources)) {
        if (stepAndCheckCancel(source))
            return Outcome::Cancelled;
        if (!QFileInfo(source).isFile()) {
            line(source + QStringLiteral(" does not exist."));
            m_missing << source;
            ++m_done; // its rewrite will not come
            continue;
        }
        const QString target = destination.filePath(QFileInfo(source).fileName());
        const QString sketch = sketchPath(source);
        QByteArray bytes;
        if (!copyOne(source, target, &bytes)
            || (QFileInfo(sketch).isFile() && !copyOne(sketch, sketchPath(target)))) {
            line(QStringLiteral("Operation stopped at ") + source + QLatin1Char('.'));
            logSummary();
            return Outcome::Failed;
        }
        m_copies << target;
        m_copied.insert(target, FileStamp(target, bytes));
        *workList << target;
        ++copied;
    }
    line(QString::number(copied) + QStringLiteral(" files copied."));
    return Outcome::Done;
}

bool DuplicatorRun::modifyFile(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load()) {
        if (QFileInfo(path).isFile()) {
            line(path + QStringLiteral(" was skipped: it cannot be read."));
            m_skipped << path;
        } else {
            line(path + QStringLiteral(" does not exist."));
            m_missing << path;
        }
        return true;
    }
    const QByteArray loaded = file.data();
    QString companyKey;
    QString addressKey;
    if (!keysFor(file.value(kContents, QStringLiteral("formType")), &companyKey, &addressKey)) {
        line(path + QStringLiteral(" was skipped: unknown form type."));
        m_skipped << path;
        return true;
    }
    // An approved or superseded document is changed only by a revision.
    if (const ControlRecord record = ControlRecord::read(file); record.isControlled()) {
        line(path + QStringLiteral(" was skipped: it is %1; create a revision to change it.")
                        .arg(ControlRecord::statusWord(record.status).toLower()));
        m_skipped << path;
        return true;
    }
    file.setValue(kContents, companyKey, m_settings.company);
    if (!addressKey.isEmpty())
        file.setValue(kContents, addressKey, m_settings.address);
    // Written over by someone else since it was copied or read: their work is not ours to undo.
    if (m_copied.value(path, FileStamp(path, loaded)).changedOnDisk()) {
        line(path + QStringLiteral(" was skipped: it changed on disk while the run was working on it."));
        m_skipped << path;
        return true;
    }
    try {
        file.commit();
    } catch (const FileError &error) {
        errorBox(QStringLiteral("Error"), error.message());
        line(QStringLiteral("Operation stopped at ") + path + QStringLiteral(": ") + error.message());
        logSummary();
        return false;
    }
    m_modified << path;
    warnIfOpen(path);
    return true;
}

void DuplicatorRun::warnIfOpen(const QString &path)
{
    const DocumentWindow *open = AppState::instance().currentDocument();
    if (open && sameFile(open->fileName(), path))
        line(QStringLiteral("Warning: ") + path
             + QStringLiteral(" is open in the document window; saving it there would undo this change."));
}

} // namespace Brenvik
