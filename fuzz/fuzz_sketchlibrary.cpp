// The sketch library file: any bytes give sketch names, sketches, value sets and placed values,
// never a crash; reading never writes the file.

#include "sketch/sketchlibrary.h"
#include "sketch/sketchvalues.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

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
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = g_dir->filePath(QStringLiteral("zordrw.dat"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytes);
    file.close();

    SketchLibrary library(path);
    if (library.read()) {
        QString error;
        // Each look-up by name reads the list again: a hundred of the up to 1000 show every path
        // without making the run quadratic in the count.
        for (const QString &name : library.sketchNames(&error).mid(0, 100)) {
            const SketchLibrary::Sketch sketch = library.sketch(name, &error);
            const QStringList words = SketchValues::words(sketch.parameters);
            for (const SketchLibrary::ValueSet &set : library.valueSets(sketch.number)) {
                const QStringList cells = SketchValues::decode(set.values);
                const QList<SketchValues::Placement> placed = SketchValues::place(words, sketch.locations, cells);
                QImage picture(64, 48, QImage::Format_RGB32);
                picture.fill(Qt::white);
                (void)SketchValues::draw(picture, placed);
            }
            (void)SketchValues::gridLabels(words);
        }
    }
    QFile again(path);
    if (!again.open(QIODevice::ReadOnly) || again.readAll() != bytes)
        std::abort(); // reading never writes
    return 0;
}
