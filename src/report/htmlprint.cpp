#include "report/htmlprint.h"

#include "core/platform.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
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

QDialogButtonBox *reportButtons(QDialog *dialog, std::function<QString()> text, std::function<QString()> html)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *copy = buttons->addButton(QDialog::tr("&Copy"), QDialogButtonBox::ActionRole);
    QPushButton *print = buttons->addButton(QDialog::tr("&Print..."), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    copy->setObjectName(QStringLiteral("copyReport"));
    print->setObjectName(QStringLiteral("printReport"));
    QObject::connect(copy, &QPushButton::clicked, dialog, [text] { platform().setClipboardText(text()); });
    QObject::connect(print, &QPushButton::clicked, dialog, [html, dialog] { printHtml(html(), dialog); });
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    return buttons;
}

void resizeWithinScreen(QWidget *dialog, QSize size, const QWidget *parent)
{
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    dialog->resize(size);
}

} // namespace Brenvik
