#include "register/bulkexport.h"

#include "core/documentwindow.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/writetarget.h"
#include "document/formwindow.h"
#include "report/formreport.h"
#include "report/reportjob.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QWidget>

#include <optional>

namespace Brenvik {

namespace {

// Stands in for the platform while one document opens: the boxes its opening would show are
// held, to be told once at the end with the document's name, so that a hundred files do not
// stop the run a hundred times. Everything else goes to the platform in force.
class HeldMessages : public Platform {
public:
    HeldMessages() : m_inner(platform()) { setPlatform(this); }
    ~HeldMessages() override { setPlatform(&m_inner); }
    HeldMessages(const HeldMessages &) = delete;
    HeldMessages &operator=(const HeldMessages &) = delete;

    QStringList texts() const { return m_texts; }

    void message(MsgIcon, const QString &, const QString &text) override { m_texts << text.simplified(); }
    bool confirm(const QString &caption, const QString &text) override
    {
        return m_inner.confirm(caption, text);
    }
    Answer askYesNoCancel(const QString &caption, const QString &text) override
    {
        return m_inner.askYesNoCancel(caption, text);
    }
    bool askYesNo(const QString &caption, const QString &text, MsgIcon icon) override
    {
        return m_inner.askYesNo(caption, text, icon);
    }
    QString openFile(FileDialogOptions &options) override { return m_inner.openFile(options); }
    QStringList openFiles(FileDialogOptions &options) override { return m_inner.openFiles(options); }
    QString saveFile(FileDialogOptions &options) override { return m_inner.saveFile(options); }
    QString browseFolder(const QString &title, const QString &text, const QString &start) override
    {
        return m_inner.browseFolder(title, text, start);
    }
    void setClipboardPicture(const QImage &bitmap, const QByteArray &emf) override
    {
        m_inner.setClipboardPicture(bitmap, emf);
    }
    QImage clipboardBitmap() override { return m_inner.clipboardBitmap(); }
    QByteArray clipboardMetafile() override { return m_inner.clipboardMetafile(); }
    void setClipboardText(const QString &text) override { m_inner.setClipboardText(text); }
    void showHelp(int context) override { m_inner.showHelp(context); }
    bool openLocalFile(const QString &path) override { return m_inner.openLocalFile(path); }
    QDateTime now() override { return m_inner.now(); }
    void setBusyCursor(bool busy) override { m_inner.setBusyCursor(busy); }
    QString setting(const QString &key) override { return m_inner.setting(key); }
    void setSetting(const QString &key, const QString &value) override { m_inner.setSetting(key, value); }

private:
    Platform &m_inner;
    QStringList m_texts;
};

} // namespace

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

bool BulkExport::exportOne(const QString &document, const QString &pdf, QString *error, QStringList *notes)
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
    const ReportJob job = ReportJob::fromReport(*report);
    QString writeError;
    if (!job.writePdf(pdf, &writeError)) {
        *error = QStringLiteral("%1: %2").arg(document, writeError);
        return false;
    }
    if (notes) {
        *notes = held;
        if (!job.cutMessage().isEmpty())
            *notes << job.cutMessage();
    }
    return true;
}

FormReport *BulkExport::openReport(const QString &document, QString *error, QStringList *held)
{
    ProfileFile profile(document, ProfileFile::Kind::Document);
    if (!profile.load()) {
        *error = QStringLiteral("cannot open %1: the file cannot be read").arg(document);
        return nullptr;
    }
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    auto window = m_windows.find(type);
    if (window == m_windows.end()) {
        DocumentWindow *made = DocumentRegistry::instance().create(type, nullptr);
        if (!made) {
            *error = type.isEmpty()
                         ? QStringLiteral("cannot open %1: it has no form type").arg(document)
                         : QStringLiteral("cannot open %1: unknown form type \"%2\"").arg(document, type);
            return nullptr;
        }
        window = m_windows.emplace(type, std::unique_ptr<QWidget>(made->widget())).first;
    }
    auto *form = dynamic_cast<FormWindow *>(window->second.get());
    if (!form) {
        *error = QStringLiteral("%1: form type \"%2\" has no report yet").arg(document, type);
        return nullptr;
    }
    std::optional<HeldMessages> holding;
    if (held)
        holding.emplace();
    if (!form->openFile(document)) {
        *error = QStringLiteral("cannot open %1").arg(document);
        if (holding && !holding->texts().isEmpty())
            *error += QStringLiteral(": ") + holding->texts().join(QStringLiteral("; "));
        return nullptr;
    }
    if (holding)
        *held = holding->texts();
    FormReport *report = form->prepareReport();
    if (!report)
        *error = QStringLiteral("%1: form type \"%2\" has no report yet").arg(document, type);
    return report;
}

} // namespace Brenvik
