#include "core/platform.h"

#include <QTextStream>

namespace Brenvik {

namespace {

// Used when no window system answers: messages go to stderr, no question is asked.
class HeadlessPlatform final : public Platform {
public:
    // One "brenvik:" prefix as the command line's own messages have; the box's caption
    // ("Error", "Warning") says nothing on a terminal.
    void message(MsgIcon icon, const QString &, const QString &text) override
    {
        QTextStream err(stderr);
        const char *kind = icon == MsgIcon::Error ? "" : icon == MsgIcon::Warning ? "warning: " : "note: ";
        // Line ends as the terminal has them: no raw carriage return reaches the output.
        QString lines = text;
        lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        err << "brenvik: " << kind << lines << Qt::endl;
    }
    bool confirm(const QString &, const QString &) override { return false; }
    Answer askYesNoCancel(const QString &, const QString &) override { return Answer::Cancel; }
    bool askYesNo(const QString &, const QString &, MsgIcon) override { return false; }
    QString openFile(FileDialogOptions &) override { return {}; }
    QStringList openFiles(FileDialogOptions &) override { return {}; }
    QString saveFile(FileDialogOptions &) override { return {}; }
    QString browseFolder(const QString &, const QString &, const QString &) override { return {}; }
    void setClipboardPicture(const QImage &, const QByteArray &) override {}
    QImage clipboardBitmap() override { return {}; }
    QByteArray clipboardMetafile() override { return {}; }
    void showHelp(int) override {}
    bool openLocalFile(const QString &) override { return false; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void setBusyCursor(bool) override {}
};

HeadlessPlatform g_headless;
Platform *g_platform = nullptr;
int g_busyDepth = 0;

} // namespace

Platform &platform() { return g_platform ? *g_platform : g_headless; }
void setPlatform(Platform *p) { g_platform = p; }

BusyCursor::BusyCursor()
{
    if (g_busyDepth++ == 0)
        platform().setBusyCursor(true);
}

BusyCursor::~BusyCursor()
{
    if (--g_busyDepth == 0)
        platform().setBusyCursor(false);
}

void errorBox(const QString &caption, const QString &text) { platform().message(MsgIcon::Error, caption, text); }
void infoBox(const QString &caption, const QString &text) { platform().message(MsgIcon::Information, caption, text); }
void warningBox(const QString &text) { platform().message(MsgIcon::Error, QStringLiteral("Warning"), text); }
bool confirmBox(const QString &caption, const QString &text) { return platform().confirm(caption, text); }
Answer askYesNoCancel(const QString &caption, const QString &text) { return platform().askYesNoCancel(caption, text); }

void openWithShell(const QString &file, const QString &, const QString &, int)
{
    if (file.isEmpty())
        return;
    platform().openLocalFile(file);
}

} // namespace Brenvik
