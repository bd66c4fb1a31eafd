// Opening a document as File > Open does, filling its report and saving it back, in process:
// the path --resave and --export-pdf take. Every form must take any file without crashing, and
// what it saves must open again.

#include "core/appstate.h"
#include "document/formdescription.h"
#include "document/formdocument.h"
#include "forms/formregistry.h"
#include "report/formreport.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

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
    static QGuiApplication app(*argc, *argv);
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
    const QString out = g_dir->filePath(QStringLiteral("out.wrp"));
    for (const QString &type : FormDescriptions::types()) {
        FormDocument document(*FormTables::find(type));
        if (!document.open(in, nullptr, nullptr))
            continue;
        const std::unique_ptr<FormReport> report(FormReportRegistry::create(type, nullptr));
        if (report)
            report->prepareRpt(document);
        if (document.save(out, nullptr, nullptr) && !document.open(out, nullptr, nullptr))
            std::abort(); // what the program wrote opens again
    }
    return 0;
}
