#include "core/writetarget.h"

#include "core/texthelpers.h"

#include <QFile>
#include <QFileInfo>

namespace Brenvik {

QString canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

bool sameFile(const QString &a, const QString &b)
{
    const QString real = QFileInfo(a).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(b).canonicalFilePath();
}

QString pictureFileOf(const QString &documentPath)
{
    return fileBaseName(documentPath) + QStringLiteral("_img.bmp");
}

bool isDocumentOfOurs(const QString &path)
{
    // Never opened unless a regular file: a FIFO would block the read.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(1 << 16);
    return !head.contains('\0') && head.toLower().contains("[contents]");
}

QString writeProblem(const QString &target, WriteKind kind, const QStringList &inputs, bool refuseLinks)
{
    const QFileInfo info(target);
    const QString real = canonicalPath(target);
    for (const QString &input : inputs) {
        if (real == canonicalPath(input))
            return QStringLiteral("will not write %1: it is the document being read").arg(target);
        if (real == canonicalPath(pictureFileOf(input)))
            return QStringLiteral("will not write %1: it is the sketch of %2").arg(target, input);
    }
    if (refuseLinks && info.isSymLink())
        return QStringLiteral("will not write %1: it is a symbolic link").arg(target);
    if (kind != WriteKind::Document && info.exists() && isDocumentOfOurs(target))
        return QStringLiteral("will not write %1: it is a welding report document").arg(target);
    return QString();
}

} // namespace Brenvik
