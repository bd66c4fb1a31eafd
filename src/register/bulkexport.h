#pragma once
// The reports of many documents written as PDF files in one go, for the register's
// "Export to PDF..." and for brenvik --export-pdf-dir (--export-pdf and --print-fields open
// their one document through it too). Each document opens as File > Open would open it,
// without a window; the report pages of each form type are built once and filled again for
// every document of that type.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace Brenvik {

class FormDocument;
class FormReport;

class BulkExport {
public:
    // Why pdf must not be written for document; empty when it may be.
    using OutputCheck = std::function<QString(const QString &pdf, const QString &document)>;

    explicit BulkExport(OutputCheck check = {});
    ~BulkExport();
    BulkExport(const BulkExport &) = delete;
    BulkExport &operator=(const BulkExport &) = delete;

    // The PDF of each document in folder, named after the document file ("weld01.wrp" gives
    // "weld01.pdf") whatever else is exported with it, and never a hidden file (".wrp" gives
    // "wrp.pdf").
    static QStringList pdfPaths(const QString &folder, const QStringList &documents);
    // The documents whose PDF would have the name of another one's (the same file name in two
    // subfolders; names compare without regard to case, as a Windows share does), with a line
    // naming each such pair in *problems. Neither of a pair may be written: one would replace
    // the other, and which one would depend on the order of the list.
    static QStringList sharedNames(const QStringList &documents, QStringList *problems);

    // Writes the report of document to pdf, replacing it in one step. False with *error
    // naming the document when it cannot be opened, has no report or the PDF cannot be
    // written. *notes gets what the user should still hear of a document that was written:
    // the boxes its opening would have shown (a date or a picture it could not read) and the
    // values that print cut, one per line; empty when there is nothing to say.
    bool exportOne(const QString &document, const QString &pdf, QString *error, QStringList *notes = nullptr);

    // What became of the document at index of exportAll: error empty when its PDF was written,
    // with notes as exportOne gives them.
    using Done = std::function<void(qsizetype index, const QString &error, const QStringList &notes)>;
    // exportOne for every document in turn to the PDF at the same place of pdfs, done called for
    // each in order once its PDF is on disk or refused. While one PDF goes to disk the next
    // document is opened and laid out.
    void exportAll(const QStringList &documents, const QStringList &pdfs, const Done &done);

    // The prepared report of document, opened as File > Open opens it; valid until the next
    // document of that type opens. Null with *error
    // naming the document when it cannot be opened or its type has no report. With held, the
    // boxes the opening would show go there instead of to the screen.
    FormReport *openReport(const QString &document, QString *error, QStringList *held = nullptr);

private:
    // Everything of exportOne up to the file: the PDF's bytes and the notes to give.
    bool makePdf(const QString &document, const QString &pdf, QByteArray *bytes, QString *error, QStringList *notes);

    OutputCheck m_check;
    std::map<QString, std::unique_ptr<FormReport>> m_reports;     // one per form type
    std::map<QString, std::unique_ptr<FormDocument>> m_documents; // the last one read of each type
};

} // namespace Brenvik
