#include "register/bulkexport.h"

#include "core/platform.h"
#include "core/writetarget.h"
#include "document/control/controlpaper.h"
#include "document/formdocument.h"
#include "report/formreport.h"
#include "report/reportjob.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <future>
#include <optional>

namespace Brenvik {

BulkExport::BulkExport(OutputCheck check) : m_check(std::move(check)) {}

BulkExport::~BulkExport() = default;

namespace {

QString pdfName(const QString &document)
{
    const QFileInfo info(document);
    QString base = info.completeBaseName();
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    if (base.isEmpty()) {
        base = info.fileName();
        while (base.startsWith(QLatin1Char('.')))
            base.remove(0, 1);
    }
    return (base.isEmpty() ? QStringLiteral("report") : base) + QStringLiteral(".pdf");
}

} // namespace

QStringList BulkExport::pdfPaths(const QString &folder, const QStringList &documents)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString &document : documents)
        paths << dir.filePath(pdfName(document));
    return paths;
}

QStringList BulkExport::sharedNames(const QStringList &documents, QStringList *problems)
{
    QHash<QString, QString> first; // folded PDF name -> the first document giving it
    QStringList shared;
    for (const QString &document : documents) {
        const QString name = pdfName(document);
        const auto it = first.constFind(name.toCaseFolded());
        if (it == first.constEnd()) {
            first.insert(name.toCaseFolded(), document);
            continue;
        }
        // The same file given twice is one document, one PDF.
        if (sameFile(*it, document) || QFileInfo(*it).absoluteFilePath() == QFileInfo(document).absoluteFilePath())
            continue;
        if (!shared.contains(*it))
            shared << *it;
        shared << document;
        problems->append(QStringLiteral("%1 and %2 would both be written as %3").arg(*it, document, name));
    }
    return shared;
}

bool BulkExport::makePdf(const QString &document, const QString &pdf, QByteArray *bytes, QString *error,
                         QStringList *notes)
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
    QStringList held;
    FormReport *report = openReport(document, error, &held);
    if (!report)
        return false;
    QStringList cut;
    if (!ReportJob::fromReport(*report).pdfData(bytes, &cut)) {
        *error = QStringLiteral("%1: Unable to write to %2").arg(document, pdf);
        return false;
    }
    *notes = held;
    if (!cut.isEmpty())
        *notes << ReportJob::cutMessage(cut);
    return true;
}

bool BulkExport::exportOne(const QString &document, const QString &pdf, QString *error, QStringList *notes)
{
    QByteArray bytes;
    QStringList said;
    if (!makePdf(document, pdf, &bytes, error, &said))
        return false;
    QString writeError;
    if (!ReportJob::writePdfData(pdf, bytes, &writeError)) {
        *error = QStringLiteral("%1: %2").arg(document, writeError);
        return false;
    }
    if (notes)
        *notes = said;
    return true;
}

void BulkExport::exportAll(const QStringList &documents, const QStringList &pdfs, const Done &done)
{
    // The PDF on its way to disk: its document's place, what to say of it, and the write.
    struct Writing {
        qsizetype index = -1;
        QStringList notes;
        std::future<QString> error; // empty when written
    };
    std::optional<Writing> writing;
    auto finish = [&] {
        if (!writing)
            return;
        const QString error = writing->error.get();
        const qsizetype i = writing->index;
        if (error.isEmpty())
            done(i, QString(), writing->notes);
        else
            done(i, QStringLiteral("%1: %2").arg(documents.at(i), error), {});
        writing.reset();
    };
    for (qsizetype i = 0; i < documents.size(); ++i) {
        QByteArray bytes;
        QString error;
        QStringList notes;
        const bool made = makePdf(documents.at(i), pdfs.at(i), &bytes, &error, &notes);
        // Each document is told of in turn, and only once its PDF is on disk.
        finish();
        if (!made) {
            done(i, error, {});
            continue;
        }
        writing = Writing{i, notes, std::async(std::launch::async, [pdf = pdfs.at(i), bytes] {
                              QString error;
                              return ReportJob::writePdfData(pdf, bytes, &error) ? QString() : error;
                          })};
    }
    finish();
}

FormReport *BulkExport::openReport(const QString &document, QString *error, QStringList *held)
{
    QList<DocumentMessage> boxes;
    std::unique_ptr<FormDocument> opened = FormDocument::read(document, error, &boxes);
    if (!opened)
        return nullptr;
    const QString type = opened->formType();
    // The boxes the opening shows: held for the caller, or on the screen as File > Open shows them.
    for (const DocumentMessage &box : boxes) {
        if (held)
            held->append(box.text.simplified());
        else
            errorBox(box.caption, box.text);
    }
    auto report = m_reports.find(type);
    if (report == m_reports.end()) {
        std::unique_ptr<FormReport> made(FormReportRegistry::create(type, nullptr));
        if (!made) {
            *error = QStringLiteral("%1: form type \"%2\" has no report yet").arg(document, type);
            return nullptr;
        }
        report = m_reports.emplace(type, std::move(made)).first;
    }
    report->second->prepareRpt(*opened);
    ControlPaper::decorate(*report->second, document);
    m_documents[type] = std::move(opened);
    return report->second.get();
}

} // namespace Brenvik
