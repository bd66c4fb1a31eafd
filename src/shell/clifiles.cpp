#include "shell/clifiles.h"

#include "core/appstate.h"
#include "userdata/userdatastore.h"

#include <QFileInfo>

namespace Brenvik {

QString inputProblem(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("cannot open %1: no such file").arg(file);
    if (!info.isFile())
        return QStringLiteral("cannot open %1: not a regular file").arg(file);
    return QString();
}

namespace {

QString notRegular(const QFileInfo &info, const QString &out)
{
    if (info.exists() && !info.isFile())
        return QStringLiteral("will not write %1: not a regular file").arg(out);
    return QString();
}

// The window's own exports write through links, as users and shared folders expect.
bool refuseLinks()
{
    return AppState::instance().headless();
}

} // namespace

QString pdfOutputProblem(const QString &out, const ReadInputs &inputs)
{
    if (QString problem = notRegular(QFileInfo(out), out); !problem.isEmpty())
        return problem;
    return writeProblem(out, WriteKind::Pdf, inputs, refuseLinks());
}

QString outputProblem(const QString &out, const QStringList &inputs, OutputKind kind)
{
    if (kind == OutputKind::Pdf)
        return pdfOutputProblem(out, ReadInputs(inputs));
    const QFileInfo info(out);
    if (QString problem = notRegular(info, out); !problem.isEmpty())
        return problem;
    // A document saved in place replaces its own file and picture; every other input stays.
    QStringList others;
    for (const QString &input : inputs)
        if (canonicalPath(input) != canonicalPath(out))
            others << input;
    if (QString problem = writeProblem(out, WriteKind::Document, others, refuseLinks()); !problem.isEmpty())
        return problem;
    if (info.exists() && !isDocumentOfOurs(out))
        return QStringLiteral("will not write %1: it exists and is not a welding report document").arg(out);
    return writeProblem(pictureFileOf(out), WriteKind::Picture, others, refuseLinks());
}

QString storeProblem()
{
    const UserDataStore store;
    if (!store.exists() || !QFileInfo(store.path()).isReadable())
        return store.missingText();
    return {};
}

} // namespace Brenvik
