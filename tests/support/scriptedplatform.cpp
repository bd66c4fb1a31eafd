#include "support/scriptedplatform.h"

namespace Brenvik {

ScriptedPlatform::ScriptedPlatform() { setPlatform(this); }
ScriptedPlatform::~ScriptedPlatform() { setPlatform(nullptr); }

QStringList ScriptedPlatform::texts() const
{
    QStringList out;
    for (const auto &m : messages)
        out << m.text;
    return out;
}

void ScriptedPlatform::clear()
{
    messages.clear();
    dialogs.clear();
    helpShown.clear();
    opened.clear();
    unexpected.clear();
    m_answers.clear();
    m_files.clear();
}

QVariant ScriptedPlatform::nextAnswer(const QString &what)
{
    if (m_answers.isEmpty()) {
        unexpected << what;
        return {};
    }
    return m_answers.dequeue();
}

QStringList ScriptedPlatform::nextFiles(const QString &what)
{
    if (m_files.isEmpty()) {
        unexpected << what;
        return {};
    }
    QStringList f = m_files.dequeue();
    f.removeAll(QString());
    return f;
}

void ScriptedPlatform::message(MsgIcon icon, const QString &caption, const QString &text)
{
    messages.append({QStringLiteral("message"), icon, caption, text});
}

bool ScriptedPlatform::confirm(const QString &caption, const QString &text)
{
    messages.append({QStringLiteral("confirm"), MsgIcon::Question, caption, text});
    const QVariant a = nextAnswer(QStringLiteral("confirm: ") + text);
    return a.isValid() && a.toBool();
}

Answer ScriptedPlatform::askYesNoCancel(const QString &caption, const QString &text)
{
    messages.append({QStringLiteral("askYesNoCancel"), MsgIcon::Question, caption, text});
    const QVariant a = nextAnswer(QStringLiteral("askYesNoCancel: ") + text);
    return a.isValid() ? Answer(a.toInt()) : Answer::Cancel;
}

bool ScriptedPlatform::askYesNo(const QString &caption, const QString &text, MsgIcon icon)
{
    messages.append({QStringLiteral("askYesNo"), icon, caption, text});
    const QVariant a = nextAnswer(QStringLiteral("askYesNo: ") + text);
    return a.isValid() && a.toBool();
}

int ScriptedPlatform::choose(MsgIcon icon, const QString &caption, const QString &text, const QStringList &buttons)
{
    messages.append({QStringLiteral("choose"), icon, caption, text});
    const QVariant a = nextAnswer(QStringLiteral("choose: ") + text);
    return a.isValid() ? a.toInt() : int(buttons.size()) - 1;
}

QString ScriptedPlatform::openFile(FileDialogOptions &options)
{
    messages.append({QStringLiteral("openFile"), MsgIcon::Question, options.title, options.filter});
    dialogs << options;
    const QStringList f = nextFiles(QStringLiteral("openFile: ") + options.title);
    return f.value(0);
}

QStringList ScriptedPlatform::openFiles(FileDialogOptions &options)
{
    messages.append({QStringLiteral("openFiles"), MsgIcon::Question, options.title, options.filter});
    dialogs << options;
    return nextFiles(QStringLiteral("openFiles: ") + options.title);
}

QString ScriptedPlatform::saveFile(FileDialogOptions &options)
{
    messages.append({QStringLiteral("saveFile"), MsgIcon::Question, options.title, options.filter});
    dialogs << options;
    return nextFiles(QStringLiteral("saveFile: ") + options.title).value(0);
}

QString ScriptedPlatform::browseFolder(const QString &title, const QString &text, const QString &)
{
    messages.append({QStringLiteral("browseFolder"), MsgIcon::Question, title, text});
    return nextFiles(QStringLiteral("browseFolder: ") + title).value(0);
}

void ScriptedPlatform::setClipboardPicture(const QImage &bitmap, const QByteArray &emf)
{
    clipboardImage = bitmap;
    clipboardEmf = emf;
}

void ScriptedPlatform::setBusyCursor(bool busy)
{
    busyDepth += busy ? 1 : -1;
    ++busyCalls;
}

} // namespace Brenvik
