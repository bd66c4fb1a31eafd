#pragma once
// The preview window of a report: its pages as they print, with page navigation, zoom
// (fit width, fit page, steps), Print through the printer dialog and Export PDF, and a status
// line that names any field too long to print whole.

#include "report/reportjob.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QStatusBar;

namespace Brenvik {

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(const ReportJob &job, QWidget *parent = nullptr);

    QPrintPreviewWidget *view() const { return m_view; }
    // Names the fields that print cut; empty when every value prints whole.
    QStatusBar *statusBar() const { return m_status; }
    QPrinter *printer() { return &m_printer; }
    // The document file the report was prepared from: Export PDF proposes its name and folder.
    void setDocumentPath(const QString &path) { m_documentPath = path; }

public Q_SLOTS:
    void exportPdf();
    void printReport();

private:
    void updatePageLabel();

    ReportJob m_job;
    QString m_documentPath;
    QPrinter m_printer;
    QPrintPreviewWidget *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QStatusBar *m_status = nullptr;
    QAction *m_first = nullptr;
    QAction *m_previous = nullptr;
    QAction *m_next = nullptr;
    QAction *m_last = nullptr;
};

} // namespace Brenvik
