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

ReadInputs::ReadInputs(const QStringList &inputs) : m_inputs(inputs)
{
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        // An input given twice is known by its first place.
        const QString document = canonicalPath(inputs[i]);
        if (!m_documents.contains(document))
            m_documents.insert(document, i);
        const QString sketch = canonicalPath(pictureFileOf(inputs[i]));
        if (!m_sketches.contains(sketch))
            m_sketches.insert(sketch, i);
    }
}

QString ReadInputs::clash(const QString &target, const QString &real) const
{
    const qsizetype none = m_inputs.size();
    const qsizetype document = m_documents.value(real, none);
    const qsizetype sketch = m_sketches.value(real, none);
    if (document < none && document <= sketch)
        return QStringLiteral("will not write %1: it is the document being read").arg(target);
    if (sketch < none)
        return QStringLiteral("will not write %1: it is the sketch of %2").arg(target, m_inputs[sketch]);
    return QString();
}

QString writeProblem(const QString &target, WriteKind kind, const QStringList &inputs, bool refuseLinks)
{
    return writeProblem(target, kind, ReadInputs(inputs), refuseLinks);
}

QString writeProblem(const QString &target, WriteKind kind, const ReadInputs &inputs, bool refuseLinks)
{
    const QFileInfo info(target);
    if (QString problem = inputs.clash(target, canonicalPath(target)); !problem.isEmpty())
        return problem;
    if (refuseLinks && info.isSymLink())
        return QStringLiteral("will not write %1: it is a symbolic link").arg(target);
    if (kind != WriteKind::Document && info.exists() && isDocumentOfOurs(target))
        return QStringLiteral("will not write %1: it is a welding report document").arg(target);
    return QString();
}

} // namespace Brenvik
