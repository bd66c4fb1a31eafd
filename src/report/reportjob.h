#pragma once
// A print job of report pages: the pages chained in the order added under the job's own
// title, with the job settings every report prints with (document name from the title, one
// copy, no duplex, Letter portrait from the paper's corner). Renders to any paged device and
// writes PDF files atomically.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPrinter;

namespace Brenvik {

class FormReport;
class ReportLayout;
class ReportPage;

class ReportJob {
public:
    explicit ReportJob(const QString &title = QString());
    static ReportJob fromReport(const FormReport &report);

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    void addPage(const ReportPage *page);
    QList<const ReportPage *> pages() const { return m_pages; }

    // The moment the "Printed on:" fields show; the platform clock when not set.
    void setPrintedOn(const QDateTime &when) { m_printedOn = when; }
    QDateTime printedOn() const;

    void applySettings(QPrinter *printer) const;
    // Paints every page, one device page each. False when the device cannot be painted on.
    // With cut, it gets cutFields() of the pages as painted (each page is laid out once).
    bool render(QPagedPaintDevice *device, QStringList *cut = nullptr) const;
    // One PDF of all pages, replacing path in one step. On failure path is left as it was and
    // *error says why. With cut, as render().
    bool writePdf(const QString &path, QString *error = nullptr, QStringList *cut = nullptr) const;
    // The same in two steps, so that the file of one PDF can go to disk while the next is made:
    // the PDF's bytes (false when it cannot be painted; cut as render()), then the file.
    bool pdfData(QByteArray *pdf, QStringList *cut = nullptr) const;
    static bool writePdfData(const QString &path, const QByteArray &pdf, QString *error = nullptr);

    // "PAGE:NAME=VALUE" per label and memo, pages from 1, line breaks written as "\n".
    QStringList fieldLines() const;
    // The data elements that fit at no size and print cut: "NAME", or "NAME (page N)" in a job
    // of several pages.
    QStringList cutFields() const;
    // One sentence naming them for the user; empty when every value prints whole.
    QString cutMessage() const;
    static QString cutMessage(const QStringList &cutFields);

private:
    // The cut fields of page index laid out as layout, appended to *out.
    void addCutFields(QStringList *out, int index, const ReportLayout &layout) const;

    QString m_title;
    QList<const ReportPage *> m_pages;
    QDateTime m_printedOn;
};

} // namespace Brenvik
