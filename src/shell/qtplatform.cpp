#include "shell/qtplatform.h"

#include "core/appstate.h"
#include "core/helpindex.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <QWhatsThis>

namespace Brenvik {

namespace {

const QString kEmfMime = QStringLiteral("image/x-emf");
const QString kWindowsEmfMime = QStringLiteral("application/x-qt-windows-mime;value=\"Enhanced Metafile\"");

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Warning: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

int box(MsgIcon icon, const QString &caption, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton, QMessageBox::StandardButton escapeButton)
{
    QMessageBox msg(qtIcon(icon), caption, text, buttons, QApplication::activeWindow());
    msg.setDefaultButton(defaultButton);
    msg.setEscapeButton(escapeButton);
    return msg.exec();
}

} // namespace

void QtPlatform::closeSplash()
{
    if (m_splash)
        m_splash->close();
}

QStringList QtPlatform::qtFilters(const QString &formsFilter)
{
    QStringList out;
    const QStringList parts = formsFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString &variant : {p.trimmed(), p.trimmed().toLower(), p.trimmed().toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        out << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

void QtPlatform::message(MsgIcon icon, const QString &caption, const QString &text)
{
    closeSplash();
    box(icon, caption, text, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPlatform::confirm(const QString &caption, const QString &text)
{
    closeSplash();
    return box(MsgIcon::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
               QMessageBox::Cancel) == QMessageBox::Ok;
}

Answer QtPlatform::askYesNoCancel(const QString &caption, const QString &text)
{
    closeSplash();
    switch (box(MsgIcon::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Yes, QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool QtPlatform::askYesNo(const QString &caption, const QString &text, MsgIcon icon)
{
    closeSplash();
    return box(icon, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No) ==
           QMessageBox::Yes;
}

int QtPlatform::choose(MsgIcon icon, const QString &caption, const QString &text, const QStringList &buttons)
{
    closeSplash();
    QMessageBox msg(qtIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QAbstractButton *> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << msg.addButton(buttons.at(i), i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                      : QMessageBox::AcceptRole);
    if (!added.isEmpty())
        msg.setEscapeButton(added.last());
    msg.exec();
    const int chosen = int(added.indexOf(msg.clickedButton()));
    return chosen < 0 ? int(buttons.size()) - 1 : chosen;
}

QStringList QtPlatform::runFileDialog(FileDialogOptions &options, bool save, bool many)
{
    closeSplash();
    QFileDialog dialog(QApplication::activeWindow(), options.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : many ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    const QStringList filters = qtFilters(options.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(qBound(1, options.filterIndex, int(filters.size())) - 1));
    }
    if (!options.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const int chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        options.filterIndex = chosen + 1;
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        options.fileName = files.constFirst();
    return files;
}

QString QtPlatform::openFile(FileDialogOptions &options) { return runFileDialog(options, false, false).value(0); }

QStringList QtPlatform::openFiles(FileDialogOptions &options) { return runFileDialog(options, false, true); }

QString QtPlatform::saveFile(FileDialogOptions &options) { return runFileDialog(options, true, false).value(0); }

QString QtPlatform::browseFolder(const QString &title, const QString &text, const QString &start)
{
    closeSplash();
    QFileDialog dialog(QApplication::activeWindow(), title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // The text above the tree needs our own dialog: a native one has no place for it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!text.isEmpty()) {
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
            auto *label = new QLabel(text, &dialog);
            label->setWordWrap(true);
            grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void QtPlatform::setClipboardText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

void QtPlatform::setClipboardPicture(const QImage &bitmap, const QByteArray &emf)
{
    auto *mime = new QMimeData;
    mime->setImageData(bitmap);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    if (buffer.open(QIODevice::WriteOnly) && bitmap.save(&buffer, "BMP"))
        mime->setData(QStringLiteral("image/bmp"), bmp);
    if (!emf.isEmpty()) {
        mime->setData(kEmfMime, emf);
        mime->setData(kWindowsEmfMime, emf);
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

QImage QtPlatform::clipboardBitmap() { return QGuiApplication::clipboard()->image(); }

QByteArray QtPlatform::clipboardMetafile()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return {};
    if (mime->hasFormat(kEmfMime))
        return mime->data(kEmfMime);
    if (mime->hasFormat(kWindowsEmfMime))
        return mime->data(kWindowsEmfMime);
    return {};
}

void QtPlatform::showHelp(int context)
{
    const HelpTopic topic = helpTopic(context);
    if (!topic.isValid()) {
        // A topic that is not there says nothing; a help file that is not there says where.
        const QString file = AppState::instance().sideFile(QStringLiteral("zor.hlp"));
        if (!QFileInfo::exists(file))
            QWhatsThis::showText(QCursor::pos(), QStringLiteral("The help file %1 is missing.")
                                                     .arg(QDir::toNativeSeparators(file)).toHtmlEscaped());
        return;
    }
    QString html = QStringLiteral("<p><b>") + topic.title.toHtmlEscaped() + QStringLiteral("</b></p>");
    for (const QString &paragraph : topic.text.split(QStringLiteral("\n\n")))
        html += QStringLiteral("<p>") + paragraph.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
                QStringLiteral("</p>");
    QWhatsThis::showText(QCursor::pos(), html);
}

bool QtPlatform::openLocalFile(const QString &path)
{
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QDateTime QtPlatform::now() { return QDateTime::currentDateTime(); }

void QtPlatform::setBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// The user's own preferences file (~/.config/Brenvik/Brenvik.conf), never the side files.
QString QtPlatform::setting(const QString &key)
{
    return QSettings(QStringLiteral("Brenvik"), QStringLiteral("Brenvik")).value(key).toString();
}

void QtPlatform::setSetting(const QString &key, const QString &value)
{
    QSettings(QStringLiteral("Brenvik"), QStringLiteral("Brenvik")).setValue(key, value);
}

} // namespace Brenvik
