#include "register/bulkexport.h"

#include "core/documentwindow.h"
#include "core/profilefile.h"
#include "document/formwindow.h"
#include "report/formreport.h"
#include "report/reportjob.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QWidget>

namespace Brenvik {

BulkExport::BulkExport(OutputCheck check) : m_check(std::move(check)) {}

BulkExport::~BulkExport() = default;

QStringList BulkExport::pdfPaths(const QString &folder, const QStringList &documents)
{
    const QDir dir(folder);
    QStringList paths;
    QSet<QString> taken; // folded: a Windows share would not tell the cases apart
    for (const QString &document : documents) {
        const QString base = QFileInfo(document).completeBaseName();
        QString name = base + QStringLiteral(".pdf");
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = QStringLiteral("%1 (%2).pdf").arg(base).arg(n);
        taken.insert(name.toCaseFolded());
        paths << dir.filePath(name);
    }
    return paths;
}

bool BulkExport::exportOne(const QString &document, const QString &pdf, QString *error, QString *cut)
{
    const QFileInfo info(document);
    if (!info.exists()) {
        *error = QStringLiteral("cannot open %1: no such file").arg(document);
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("cannot open %1: not a regular file").arg(document);
        return false;
    }
    if (m_check) {
        if (const QString problem = m_check(pdf, document); !problem.isEmpty()) {
            *error = problem;
            return false;
        }
    }
    ProfileFile profile(document, ProfileFile::Kind::Document);
    if (!profile.load()) {
        *error = QStringLiteral("cannot open %1: the file cannot be read").arg(document);
        return false;
    }
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    auto window = m_windows.find(type);
    if (window == m_windows.end()) {
        DocumentWindow *made = DocumentRegistry::instance().create(type, nullptr);
        if (!made) {
            *error = type.isEmpty() ? QStringLiteral("cannot open %1: it has no form type").arg(document)
                                    : QStringLiteral("cannot open %1: unknown form type \"%2\"").arg(document, type);
            return false;
        }
        window = m_windows.emplace(type, std::unique_ptr<QWidget>(made->widget())).first;
    }
    auto *form = dynamic_cast<FormWindow *>(window->second.get());
    if (!form) {
        *error = QStringLiteral("%1: form type \"%2\" has no report").arg(document, type);
        return false;
    }
    if (!form->openFile(document)) {
        *error = QStringLiteral("cannot open %1").arg(document);
        return false;
    }
    FormReport *report = form->prepareReport();
    if (!report) {
        *error = QStringLiteral("%1: form type \"%2\" has no report yet").arg(document, type);
        return false;
    }
    const ReportJob job = ReportJob::fromReport(*report);
    QString writeError;
    if (!job.writePdf(pdf, &writeError)) {
        *error = QStringLiteral("%1: %2").arg(document, writeError);
        return false;
    }
    if (cut)
        *cut = job.cutMessage();
    return true;
}

} // namespace Brenvik
