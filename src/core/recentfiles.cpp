#include "core/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace Brenvik {

namespace {

QString normal(const QString &path) { return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

} // namespace

// A JSON list: a file name may hold any character but NUL, a line break included.
RecentFiles RecentFiles::fromSetting(const QString &text)
{
    RecentFiles recent;
    const QJsonArray list = QJsonDocument::fromJson(text.toUtf8()).array();
    // Added oldest first, so that the newest ends first and a second spelling of a path
    // keeps the newer place.
    for (qsizetype i = list.size() - 1; i >= 0; --i)
        if (list.at(i).isString())
            recent.add(list.at(i).toString());
    return recent;
}

QString RecentFiles::toSetting() const
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(m_paths)).toJson(QJsonDocument::Compact));
}

void RecentFiles::add(const QString &path)
{
    const QString clean = normal(path);
    if (clean.isEmpty())
        return;
    m_paths.removeAll(clean);
    m_paths.prepend(clean);
    while (m_paths.size() > kMax)
        m_paths.removeLast();
}

bool RecentFiles::remove(const QString &path) { return m_paths.removeAll(normal(path)) > 0; }

} // namespace Brenvik
