#include "report/reportpreview.h"

#include "core/platform.h"
#include "core/writetarget.h"
#include "report/formreport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace Brenvik {

ReportPreview::ReportPreview(const ReportJob &job, QWidget *parent)
    : QDialog(parent)
    , m_job(job)
    , m_printer(QPrinter::HighResolution)
{
    setWindowTitle(m_job.title());
    // The time the preview opened is the time every page of this job shows, printed or exported.
    m_job.setPrintedOn(m_job.printedOn());
    m_job.applySettings(&m_printer);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    m_status->showMessage(m_job.cutMessage());
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    m_first = bar->addAction(tr("First"));
    m_previous = bar->addAction(tr("Previous"));
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(m_pageLabel);
    m_next = bar->addAction(tr("Next"));
    m_last = bar->addAction(tr("Last"));
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    bar->addSeparator();
    QAction *fitWidth = bar->addAction(tr("Fit Width"));
    QAction *fitPage = bar->addAction(tr("Fit Page"));
    QAction *zoomIn = bar->addAction(tr("Zoom In"));
    QAction *zoomOut = bar->addAction(tr("Zoom Out"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    bar->addSeparator();
    QAction *print = bar->addAction(tr("Print..."));
    print->setShortcut(QKeySequence::Print);
    QAction *pdf = bar->addAction(tr("Export PDF..."));
    bar->addSeparator();
    QAction *close = bar->addAction(tr("Close"));

    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { m_job.render(printer); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);
    connect(m_first, &QAction::triggered, this, [this] { m_view->setCurrentPage(1); updatePageLabel(); });
    connect(m_previous, &QAction::triggered, this, [this] {
        m_view->setCurrentPage(m_view->currentPage() - 1);
        updatePageLabel();
    });
    connect(m_next, &QAction::triggered, this, [this] {
        m_view->setCurrentPage(m_view->currentPage() + 1);
        updatePageLabel();
    });
    connect(m_last, &QAction::triggered, this, [this] {
        m_view->setCurrentPage(m_view->pageCount());
        updatePageLabel();
    });
    connect(fitWidth, &QAction::triggered, m_view, &QPrintPreviewWidget::fitToWidth);
    connect(fitPage, &QAction::triggered, m_view, &QPrintPreviewWidget::fitInView);
    connect(zoomIn, &QAction::triggered, m_view, [this] { m_view->zoomIn(1.25); });
    connect(zoomOut, &QAction::triggered, m_view, [this] { m_view->zoomOut(1.25); });
    connect(print, &QAction::triggered, this, &ReportPreview::printReport);
    connect(pdf, &QAction::triggered, this, &ReportPreview::exportPdf);
    connect(close, &QAction::triggered, this, &QDialog::accept);

    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->fitToWidth();
    resize(900, 1000);
    updatePageLabel();
}

void ReportPreview::updatePageLabel()
{
    const int count = m_view->pageCount();
    const int current = m_view->currentPage();
    m_pageLabel->setText(tr("Page %1 of %2").arg(current).arg(count));
    m_first->setEnabled(current > 1);
    m_previous->setEnabled(current > 1);
    m_next->setEnabled(current < count);
    m_last->setEnabled(current < count);
}

void ReportPreview::printReport()
{
    QPrintDialog dialog(&m_printer, this);
    dialog.setWindowTitle(tr("Print %1").arg(m_job.title()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The dialog may have changed the paper; positions still count from the paper's corner.
    m_printer.setFullPage(true);
    m_view->print();
}

void ReportPreview::exportPdf()
{
    FileDialogOptions options;
    options.title = tr("Export PDF");
    options.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
    options.defaultSuffix = QStringLiteral("pdf");
    // Beside the document, under its name; a document never saved proposes the report's title.
    const QFileInfo document(m_documentPath);
    options.fileName = m_documentPath.isEmpty()
        ? m_job.title() + QStringLiteral(".pdf")
        : document.absoluteDir().filePath(document.completeBaseName() + QStringLiteral(".pdf"));
    options.overwritePrompt = true;
    const QString path = platform().saveFile(options);
    if (path.isEmpty())
        return;
    // A report never replaces a document, whatever its name or the link it is reached by.
    QString error = writeProblem(path, WriteKind::Pdf, {}, false);
    bool written = false;
    if (error.isEmpty()) {
        BusyCursor busy;
        written = m_job.writePdf(path, &error);
    }
    if (!written)
        errorBox(QStringLiteral("Error"), error);
}

void previewReport(FormReport *report, QWidget *parent, const QString &documentPath)
{
    if (!report)
        return;
    ReportPreview preview(ReportJob::fromReport(*report), parent);
    preview.setDocumentPath(documentPath);
    preview.exec();
}

} // namespace Brenvik
