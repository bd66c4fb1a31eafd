#include "userdata/plotindex.h"

#include "core/appstate.h"
#include "core/profilefile.h"

#include <QDir>

namespace Brenvik::PlotIndex {

namespace {
// A plot-set list holds 25 sets; a process list is kept to a size a combo box can show.
constexpr int kMaxPlotSets = 25;
constexpr int kMaxProcesses = 100;
} // namespace

QString path()
{
    return QDir::toNativeSeparators(AppState::instance().sideFile(QStringLiteral("zorc.dat")));
}

QString unreadableText(const ProfileFile &file)
{
    return QStringLiteral("The curve file %1 %2.")
        .arg(QDir::toNativeSeparators(file.path()),
             file.exists() ? QStringLiteral("cannot be read") : QStringLiteral("is missing"));
}

QString badDataText(const QString &section, const QString &key)
{
    return QStringLiteral("Bad program data file at section=") + section + QStringLiteral(" Key=") + key;
}

int count(const ProfileFile &file, const QString &section, const QString &key, int limit, QStringList *errors)
{
    const QString text = file.value(section, key).trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > limit) {
        if (errors)
            errors->append(badDataText(section, key));
        return -1;
    }
    return n;
}

QStringList processes(const ProfileFile &file, QStringList *errors)
{
    const QString general = QStringLiteral("general");
    const int n = count(file, general, QStringLiteral("numProcess"), kMaxProcesses, errors);
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << file.value(general, QStringLiteral("process") + QString::number(i));
    return out;
}

QList<PlotSetRef> plotSets(const ProfileFile &file, const QString &process, QStringList *errors)
{
    QList<PlotSetRef> out;
    if (process.isEmpty())
        return out;
    const int n = count(file, process, QStringLiteral("numPlotType"), kMaxPlotSets, errors);
    for (int i = 1; i <= n; ++i) {
        const QString section = file.value(process, QStringLiteral("plotTypeID") + QString::number(i));
        out.append({section, file.value(section, QStringLiteral("caption"))});
    }
    return out;
}

} // namespace Brenvik::PlotIndex
