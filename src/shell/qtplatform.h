#pragma once
// The platform of the interactive program: real message boxes, file and folder dialogs, the
// system clipboard, help pop-ups at the mouse, the desktop's opener and the busy cursor.

#include "core/platform.h"

#include <QPointer>
#include <QStringList>

class QWidget;

namespace Brenvik {

class QtPlatform final : public Platform {
public:
    // The splash window is closed before any box appears, so it never hides one.
    void setSplash(QWidget *splash) { m_splash = splash; }

    // "Welding Report (*.WRP)|*.wrp|Others (*.*)|*.*" -> Qt's "name (patterns)" list. The
    // patterns are matched in both letter cases: the files come from Windows.
    static QStringList qtFilters(const QString &formsFilter);

    void message(MsgIcon icon, const QString &caption, const QString &text) override;
    bool confirm(const QString &caption, const QString &text) override;
    Answer askYesNoCancel(const QString &caption, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text, MsgIcon icon) override;
    int choose(MsgIcon icon, const QString &caption, const QString &text, const QStringList &buttons) override;
    QString openFile(FileDialogOptions &options) override;
    QStringList openFiles(FileDialogOptions &options) override;
    QString saveFile(FileDialogOptions &options) override;
    QString browseFolder(const QString &title, const QString &text, const QString &start) override;
    void setClipboardPicture(const QImage &bitmap, const QByteArray &emf) override;
    QImage clipboardBitmap() override;
    QByteArray clipboardMetafile() override;
    void setClipboardText(const QString &text) override;
    void showHelp(int context) override;
    bool openLocalFile(const QString &path) override;
    QDateTime now() override;
    void setBusyCursor(bool busy) override;
    QString setting(const QString &key) override;
    void setSetting(const QString &key, const QString &value) override;

private:
    void closeSplash();
    QStringList runFileDialog(FileDialogOptions &options, bool save, bool many);
    QPointer<QWidget> m_splash;
};

} // namespace Brenvik
