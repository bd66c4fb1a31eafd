// Opening a document as File > Open does and saving it back, in process: the path --resave
// takes. The window must take any file without crashing, and what it saves must open again.

#include "core/appstate.h"
#include "core/documentwindow.h"
#include "forms/formregistry.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace Brenvik;

namespace {
QTemporaryDir *g_dir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static QTemporaryDir dir;
    g_dir = &dir;
    AppState::instance().setHeadless(true);
    registerForms();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString in = g_dir->filePath(QStringLiteral("in.wrp"));
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    for (const QString &type : {QStringLiteral("WPDS"), QStringLiteral("PQR"), QStringLiteral("WPQR"), QStringLiteral("WPSR")}) {
        DocumentWindow *document = DocumentRegistry::instance().create(type, nullptr);
        if (!document)
            continue;
        const std::unique_ptr<QWidget> window(document->widget());
        if (!document->openFile(in))
            continue;
        document->setFileName(g_dir->filePath(QStringLiteral("out.wrp")));
        if (document->save() && !document->openFile(g_dir->filePath(QStringLiteral("out.wrp"))))
            std::abort(); // what the program wrote opens again
    }
    return 0;
}
