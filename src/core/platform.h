#pragma once
// The program's side effects behind one small interface: message boxes, file and folder
// dialogs, the clipboard, help pop-ups, the shell opener, the clock and the busy cursor.
// The Qt implementation lives with the widgets (controls/qtplatform); tests install a
// scripted one (tests/support/scriptedplatform) and the command line a headless one.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

namespace Brenvik {

enum class MsgIcon { Error, Information, Question, Warning };
enum class Answer { Ok, Cancel, Yes, No };

// The documents' file name suffix, and a dialog's filter for them in the forms' style: the
// dialog's own text for documents and for other files, the patterns said here once.
inline const QString kDocumentSuffix = QStringLiteral("wrp");
inline QString documentFilter(const QString &documentsText, const QString &othersText)
{
    return QStringLiteral("%1|*.%2|%3|*.*").arg(documentsText, kDocumentSuffix, othersText);
}

struct FileDialogOptions {
    QString title;
    QString filter;        // "Welding Report (*.WRP)|*.wrp|Others (*.*)|*.*" style, as the forms give it
    QString defaultSuffix; // without the dot
    QString fileName;      // proposed file name (may hold a folder)
    int filterIndex = 1;   // 1-based, as the forms count filters; a save dialog writes the chosen one back
    bool overwritePrompt = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal box with an OK button only.
    virtual void message(MsgIcon icon, const QString &caption, const QString &text) = 0;
    // OK / Cancel with the question icon: true unless Cancel was chosen or the box was closed.
    virtual bool confirm(const QString &caption, const QString &text) = 0;
    // Yes / No / Cancel with the question icon; closing the box is Cancel.
    virtual Answer askYesNoCancel(const QString &caption, const QString &text) = 0;
    // Yes / No with the given icon; closing the box is No.
    virtual bool askYesNo(const QString &caption, const QString &text, MsgIcon icon = MsgIcon::Question) = 0;
    // A question with buttons of its own texts, the last one cancelling: the index of the
    // button chosen; closing the box chooses the last. Without a person to ask, the last.
    virtual int choose(MsgIcon icon, const QString &caption, const QString &text, const QStringList &buttons)
    {
        Q_UNUSED(icon)
        Q_UNUSED(caption)
        Q_UNUSED(text)
        return int(buttons.size()) - 1;
    }

    // Empty result (or list) when the user cancels.
    virtual QString openFile(FileDialogOptions &options) = 0;
    virtual QStringList openFiles(FileDialogOptions &options) = 0;
    virtual QString saveFile(FileDialogOptions &options) = 0;
    virtual QString browseFolder(const QString &title, const QString &text, const QString &start) = 0;

    // Clipboard: a picture always goes as a bitmap, with the metafile bytes where there are some.
    virtual void setClipboardPicture(const QImage &bitmap, const QByteArray &emf) = 0;
    virtual QImage clipboardBitmap() = 0;
    virtual QByteArray clipboardMetafile() = 0;
    // Plain text on the clipboard (a report of a check, for a mail or a note).
    virtual void setClipboardText(const QString &text) { Q_UNUSED(text); }

    // Help pop-up of a context number of zor.hlp, near the mouse.
    virtual void showHelp(int context) = 0;
    // Hands a local file to the desktop's opener; false when no program took it.
    virtual bool openLocalFile(const QString &path) = 0;

    virtual QDateTime now() = 0;
    virtual void setBusyCursor(bool busy) = 0;

    // Preferences kept between runs (the register's folder, whether it shows); absent ones
    // read empty. The headless platform keeps none.
    virtual QString setting(const QString &key) { return m_settings.value(key); }
    virtual void setSetting(const QString &key, const QString &value) { m_settings.insert(key, value); }

private:
    QHash<QString, QString> m_settings; // for the run only
};

// The platform in force. Never null: until one is installed a headless one answers
// (messages to stderr, questions answered with Cancel / No).
Platform &platform();
// Installs a platform (not owned); nullptr brings back the headless default.
void setPlatform(Platform *p);

// The hourglass for the life of a scope, restored on every path (errors included).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The message-box helpers every window uses.
void errorBox(const QString &caption, const QString &text);
void infoBox(const QString &caption, const QString &text);
void warningBox(const QString &text); // error icon, caption "Warning" (the batch duplicator's boxes)
bool confirmBox(const QString &caption, const QString &text);
Answer askYesNoCancel(const QString &caption, const QString &text);
// Shell open: does nothing for an empty text; texts of any length; never through a command shell.
void openWithShell(const QString &file, const QString &parameters = QString(),
                   const QString &folder = QString(), int showMode = 5);

} // namespace Brenvik
