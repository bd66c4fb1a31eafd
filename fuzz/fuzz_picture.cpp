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
    // The conversions walk every pixel: done for pictures of sketch size, where they are the
    // code under test, not for the scans of hundreds of megapixels a header can claim.
    if (picture.loadData(QByteArray(reinterpret_cast<const char *>(data), int(size)))
        && qint64(picture.size().width()) * picture.size().height() <= 4 * 1024 * 1024) {
        (void)picture.toBmp();
        (void)picture.toEmf();
    }
    return 0;
}
