// Sketch pictures by content: bitmaps, any image Qt reads, and enhanced metafiles checked
// record by record before libemf2svg draws them.

#include "core/picture.h"

#include <QGuiApplication>

#include <cstdint>

using namespace Brenvik;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Picture picture;
    if (picture.loadData(QByteArray(reinterpret_cast<const char *>(data), int(size)))) {
        (void)picture.toBmp();
        (void)picture.toEmf();
    }
    return 0;
}
