#include "shell/recentmenu.h"

#include "core/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace Brenvik {

namespace {

const QString kRecent = QStringLiteral("recent/files");

void keep(const RecentFiles &recent) { platform().setSetting(kRecent, recent.toSetting()); }

} // namespace

RecentMenu::RecentMenu(QWidget *parent)
    : QMenu(QStringLiteral("Open &Recent"), parent)
{
    setObjectName(QStringLiteral("OpenRecent1"));
    connect(this, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
    rebuild();
}

RecentFiles RecentMenu::current() { return RecentFiles::fromSetting(platform().setting(kRecent)); }

void RecentMenu::note(const QString &path)
{
    // A document never saved, or gone meanwhile, is nothing to come back to.
    if (!QFileInfo(path).isFile())
        return;
    RecentFiles recent = current();
    recent.add(path);
    keep(recent);
}

QString RecentMenu::droppedDocument(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".wrp"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return QString();
}

void RecentMenu::rebuild()
{
    clear();
    const QStringList paths = current().paths();
    int n = 0;
    for (const QString &path : paths) {
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = addAction(QStringLiteral("&%1 %2").arg(++n).arg(name));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { choose(path); });
    }
    if (paths.isEmpty()) {
        addAction(QStringLiteral("No recent documents"))->setEnabled(false);
        return;
    }
    addSeparator();
    connect(addAction(QStringLiteral("&Clear Menu")), &QAction::triggered, this, [] { keep(RecentFiles()); });
}

void RecentMenu::choose(const QString &path)
{
    if (QFileInfo(path).isFile()) {
        Q_EMIT openRequested(path);
        return;
    }
    RecentFiles recent = current();
    recent.remove(path);
    keep(recent);
    infoBox(QStringLiteral("Open Recent"),
            QStringLiteral("%1 is no longer there; it has been taken off the list of recent documents.")
                .arg(QDir::toNativeSeparators(path)));
}

} // namespace Brenvik
