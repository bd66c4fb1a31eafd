#pragma once
// A Platform for tests: answers are queued in advance, every message is recorded.
// An unexpected question (no answer queued) fails loudly through QFAIL-friendly records:
// it answers Cancel / No / empty and is listed in unexpected().

#include "core/platform.h"

#include <QList>
#include <QQueue>
#include <QVariant>

namespace Brenvik {

struct RecordedMessage {
    QString kind; // "message", "confirm", "askYesNoCancel", "askYesNo", "openFile", ...
    MsgIcon icon = MsgIcon::Information;
    QString caption;
    QString text;
};

class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();  // installs itself
    ~ScriptedPlatform() override; // uninstalls itself

    // Answers, consumed in order by whichever question comes next.
    void queueConfirm(bool ok) { m_answers.enqueue(ok); }
    void queueAnswer(Answer a) { m_answers.enqueue(QVariant::fromValue(int(a))); }
    void queueYesNo(bool yes) { m_answers.enqueue(yes); }
    // choose(): the index of the button to press.
    void queueChoice(int index) { m_answers.enqueue(QVariant::fromValue(index)); }
    // File dialogs: the path chosen, or an empty text for Cancel.
    void queueFile(const QString &path) { m_files.enqueue(QStringList{path}); }
    void queueFiles(const QStringList &paths) { m_files.enqueue(paths); }
    void queueFolder(const QString &path) { m_files.enqueue(QStringList{path}); }

    QList<RecordedMessage> messages; // every box and dialog shown, in order
    QList<FileDialogOptions> dialogs; // options of every file dialog shown
    QList<int> helpShown;
    QStringList opened;               // openLocalFile calls
    QImage clipboardImage;
    QByteArray clipboardEmf;
    QString clipboardText;
    QDateTime clock = QDateTime(QDate(2026, 7, 12), QTime(9, 30, 0));
    int busyDepth = 0;                // >0 while the hourglass shows
    int busyCalls = 0;
    QStringList unexpected;           // questions asked with no answer queued

    // Convenience for assertions.
    QStringList texts() const;
    void clear();

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
    QImage clipboardBitmap() override { return clipboardImage; }
    QByteArray clipboardMetafile() override { return clipboardEmf; }
    void setClipboardText(const QString &text) override { clipboardText = text; }
    void showHelp(int context) override { helpShown << context; }
    bool openLocalFile(const QString &path) override
    {
        opened << path;
        return openSucceeds;
    }
    bool openSucceeds = true;
    QDateTime now() override { return clock; }
    void setBusyCursor(bool busy) override;

private:
    QVariant nextAnswer(const QString &what);
    QStringList nextFiles(const QString &what);
    QQueue<QVariant> m_answers;
    QQueue<QStringList> m_files;
};

} // namespace Brenvik
