#include "report/htmlprint.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace Brenvik {

void printHtml(const QString &html, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
}

} // namespace Brenvik
