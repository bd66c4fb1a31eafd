#include "report/reportjob.h"

#include "core/atomicfile.h"
#include "core/platform.h"
#include "report/formreport.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"
#include "report/reportpainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace Brenvik {

ReportJob::ReportJob(const QString &title)
    : m_title(title)
{
}

ReportJob ReportJob::fromReport(const FormReport &report)
{
    ReportJob job(report.title());
    for (const ReportPage *page : report.pages())
        job.addPage(page);
    return job;
}

void ReportJob::addPage(const ReportPage *page)
{
    if (page)
        m_pages.append(page);
}

QDateTime ReportJob::printedOn() const
{
    return m_printedOn.isValid() ? m_printedOn : platform().now();
}

void ReportJob::applySettings(QPrinter *printer) const
{
    printer->setDocName(m_title);
    printer->setCopyCount(1);
    printer->setDuplex(QPrinter::DuplexNone);
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    // Positions are measured from the paper's corner, not from the printable area.
    printer->setFullPage(true);
}

bool ReportJob::render(QPagedPaintDevice *device, QStringList *cut) const
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const QDateTime when = printedOn();
    if (cut)
        cut->clear();
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0)
            device->newPage();
        const ReportLayout layout(*m_pages[i], when);
        painter.save();
        ReportPainter::scaleToPage(&painter);
        ReportPainter::paintPage(&painter, *m_pages[i], layout);
        painter.restore();
        if (cut)
            addCutFields(cut, i, layout);
    }
    return painter.end();
}

bool ReportJob::pdfData(QByteArray *pdf, QStringList *cut) const
{
    // The writer hands out a few hundred small pieces: gathered in memory they reach the disk
    // in one checked write instead of a system call each.
    pdf->clear();
    QBuffer buffer(pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("Brenvik"));
    return render(&writer, cut); // all of it is in *pdf once the writer is gone, on return
}

namespace {

bool writeFailed(const QString &path, const AtomicFile &file, QString *error)
{
    if (error)
        *error = file.errorString().isEmpty() ? QStringLiteral("Unable to write to %1").arg(path) : file.errorString();
    return false;
}

} // namespace

bool ReportJob::writePdf(const QString &path, QString *error, QStringList *cut) const
{
    AtomicFile file(path);
    QByteArray pdf;
    if (file.open() && pdfData(&pdf, cut) && file.write(pdf) && file.commit())
        return true;
    return writeFailed(path, file, error);
}

bool ReportJob::writePdfData(const QString &path, const QByteArray &pdf, QString *error)
{
    AtomicFile file(path);
    if (file.open() && file.write(pdf) && file.commit())
        return true;
    return writeFailed(path, file, error);
}

QStringList ReportJob::fieldLines() const
{
    QStringList out;
    for (int p = 0; p < m_pages.size(); ++p) {
        for (const auto &field : m_pages[p]->dataFields()) {
            QString value = field.second;
            value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
            out << QStringLiteral("%1:%2=%3").arg(p + 1).arg(field.first, value);
        }
    }
    return out;
}

void ReportJob::addCutFields(QStringList *out, int index, const ReportLayout &layout) const
{
    for (const QString &name : layout.cutFields()) {
        const QString field = m_pages.size() > 1 ? QStringLiteral("%1 (page %2)").arg(name).arg(index + 1) : name;
        if (!out->contains(field))
            *out << field;
    }
}

QStringList ReportJob::cutFields() const
{
    QStringList out;
    const QDateTime when = printedOn();
    for (int p = 0; p < m_pages.size(); ++p)
        addCutFields(&out, p, ReportLayout(*m_pages[p], when));
    return out;
}

QString ReportJob::cutMessage() const
{
    return cutMessage(cutFields());
}

QString ReportJob::cutMessage(const QStringList &cut)
{
    if (cut.isEmpty())
        return QString();
    return QStringLiteral("Too long to print whole even at %1 points, cut on the page: %2")
        .arg(ReportLayout::kSmallestPointSize)
        .arg(cut.join(QStringLiteral(", ")));
}

} // namespace Brenvik
