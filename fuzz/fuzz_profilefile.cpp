// The INI reader and writer: any bytes read, edited and written back must keep every line the
// edit did not touch and read back the value just set.

#include "core/profilefile.h"

#include <cstdint>
#include <cstdlib>

using namespace Brenvik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    ProfileFile file(QStringLiteral("fuzz.ini"));
    file.setData(bytes);
    if (file.data() != bytes)
        std::abort(); // reading alone changes nothing
    const QStringList sections = file.sections();
    for (const QString &section : sections)
        for (const QString &key : file.keys(section))
            (void)file.value(section, key);
    const QString section = sections.isEmpty() ? QStringLiteral("contents") : sections.first();
    file.setValue(section, QStringLiteral("fuzzKey"), QStringLiteral("value \u00E9"));
    ProfileFile again(QStringLiteral("fuzz.ini"));
    again.setData(file.data());
    if (again.value(section, QStringLiteral("fuzzKey")) != QStringLiteral("value \u00E9"))
        std::abort(); // a value written is read back
    file.removeSection(section);
    (void)file.data();
    return 0;
}
