#include "shell/clifiles.h"

#include "document/formwindow.h"

#include <QFile>
#include <QFileInfo>

namespace Brenvik {

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

namespace {

// A document of ours is text holding a [contents] section; a PDF, a bitmap or any other binary
// file is not, whatever its name.
bool isDocumentOfOurs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(1 << 16);
    return !head.contains('\0') && head.toLower().contains("[contents]");
}

} // namespace

QString inputProblem(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("cannot open %1: no such file").arg(file);
    if (!info.isFile())
        return QStringLiteral("cannot open %1: not a regular file").arg(file);
    return QString();
}

QString outputProblem(const QString &out, const QStringList &inputs, OutputKind kind)
{
    const QFileInfo info(out);
    if (info.exists() && !info.isFile())
        return QStringLiteral("will not write %1: not a regular file").arg(out);
    const QString target = canonicalPath(out);
    for (const QString &input : inputs) {
        if (kind == OutputKind::Pdf && target == canonicalPath(input))
            return QStringLiteral("will not write %1: it is the document being read").arg(out);
        if (target == canonicalPath(FormWindow::sketchFileName(input)))
            return QStringLiteral("will not write %1: it is the sketch of %2").arg(out, input);
    }
    if (info.exists()) {
        const bool document = isDocumentOfOurs(out);
        if (kind == OutputKind::Document && !document)
            return QStringLiteral("will not write %1: it exists and is not a welding report document")
                .arg(out);
        if (kind == OutputKind::Pdf && document)
            return QStringLiteral("will not write %1: it is a welding report document").arg(out);
    }
    return QString();
}

} // namespace Brenvik
