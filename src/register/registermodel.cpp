#include "register/registermodel.h"

#include "document/control/controlrecord.h"

#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QPalette>
#include <QSet>
#include <QTimer>

namespace Brenvik {

namespace {

// A save shows in the list well within a second; a burst of events (write, rename) is one scan.
constexpr int kSettleMs = 150;

// Texts compared with their runs of digits as numbers, letter case aside: QCollator's numeric
// mode does nothing under the C locale.
int naturalCompare(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            QStringView da = QStringView(a).mid(i, ei - i);
            QStringView db = QStringView(b).mid(j, ej - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0'))
                da = da.mid(1);
            while (db.size() > 1 && db.front() == QLatin1Char('0'))
                db = db.mid(1);
            if (da.size() != db.size())
                return da.size() < db.size() ? -1 : 1;
            if (const int c = da.compare(db); c != 0)
                return c;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a.at(i).toCaseFolded();
        const QChar cb = b.at(j).toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

QSet<QString> toSet(const QStringList &list) { return QSet<QString>(list.cbegin(), list.cend()); }

} // namespace

RegisterModel::RegisterModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    connect(m_settle, &QTimer::timeout, this, &RegisterModel::refresh);
    auto changed = [this] { m_settle->start(); };
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
}

void RegisterModel::setSettleTime(int ms) { m_settle->setInterval(ms); }

bool RegisterModel::setFolder(const QString &folder)
{
    beginResetModel();
    m_folder = folder;
    m_entries.clear();
    m_scan = RegisterScan();
    endResetModel();
    refresh();
    return m_readable;
}

void RegisterModel::refresh()
{
    m_settle->stop();
    QList<RegisterEntry> fresh;
    m_readable = !m_folder.isEmpty() && m_scan.scan(m_folder, &fresh);
    merge(fresh);
    follow();
    Q_EMIT refreshed();
}

// The new list into the old, row by row: rows that stay keep their place in any view and
// selection; both lists are in the register's order.
void RegisterModel::merge(const QList<RegisterEntry> &fresh)
{
    int i = 0;
    int j = 0;
    while (j < fresh.size()) {
        if (i < m_entries.size() && RegisterEntry::before(m_entries.at(i), fresh.at(j))) {
            beginRemoveRows(QModelIndex(), i, i);
            m_entries.removeAt(i);
            endRemoveRows();
        } else if (i < m_entries.size() && !RegisterEntry::before(fresh.at(j), m_entries.at(i))) {
            const RegisterEntry &old = m_entries.at(i);
            if (old.size != fresh.at(j).size || old.modified != fresh.at(j).modified) {
                m_entries[i] = fresh.at(j);
                Q_EMIT dataChanged(index(i, 0), index(i, RegisterEntry::ColumnCount - 1));
            }
            ++i;
            ++j;
        } else {
            beginInsertRows(QModelIndex(), i, i);
            m_entries.insert(i, fresh.at(j));
            endInsertRows();
            ++i;
            ++j;
        }
    }
    if (i < m_entries.size()) {
        beginRemoveRows(QModelIndex(), i, int(m_entries.size()) - 1);
        m_entries.erase(m_entries.begin() + i, m_entries.end());
        endRemoveRows();
    }
}

// Folders tell of files added, removed and renamed (a save replaces its file by a rename);
// the files themselves of a write in place by another program.
void RegisterModel::follow()
{
    QStringList wanted = m_readable ? m_scan.folders() : QStringList();
    for (const RegisterEntry &e : std::as_const(m_entries))
        if (!e.unreached) // no name the system takes, or none it can watch
            wanted << e.path;
    const QSet<QString> want = toSet(wanted);
    const QSet<QString> have = toSet(m_watcher->directories() + m_watcher->files());
    const QSet<QString> gone = have - want;
    const QSet<QString> added = want - have;
    if (!gone.isEmpty())
        m_watcher->removePaths(QStringList(gone.cbegin(), gone.cend()));
    if (!added.isEmpty())
        m_watcher->addPaths(QStringList(added.cbegin(), added.cend())); // beyond the system's limit: unwatched
}

int RegisterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int RegisterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RegisterEntry::ColumnCount;
}

QVariant RegisterModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const RegisterEntry &e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == RegisterEntry::Type ? e.shownType() : e.cell(index.column());
    case Qt::ToolTipRole:
        return e.isDocument() ? e.path : QStringLiteral("%1: %2").arg(e.relativePath, e.problem);
    case Qt::ForegroundRole:
        if (!e.isDocument())
            return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return QVariant();
    case PathRole:
        return e.path;
    case DocumentRole:
        return e.isDocument();
    default:
        return QVariant();
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return RegisterEntry::headings().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ---------------------------------------------------------------------------------------

RegisterFilter::RegisterFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void RegisterFilter::setSearch(const QString &text)
{
    if (text == m_search)
        return;
    m_search = text;
    m_words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    invalidateFilter();
}

void RegisterFilter::setHideSuperseded(bool hide)
{
    if (hide == m_hideSuperseded)
        return;
    m_hideSuperseded = hide;
    invalidateFilter();
}

bool RegisterFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *model = sourceModel();
    if (m_hideSuperseded
        && model->index(sourceRow, RegisterEntry::Status, sourceParent).data().toString().startsWith(
            ControlRecord::statusWord(ControlStatus::Superseded)))
        return false;
    if (m_words.isEmpty())
        return true;
    QString row;
    for (int c = 0; c < model->columnCount(sourceParent); ++c)
        row += model->index(sourceRow, c, sourceParent).data().toString() + QLatin1Char('\t');
    for (const QString &word : m_words)
        if (!row.contains(word, Qt::CaseInsensitive))
            return false;
    return true;
}

bool RegisterFilter::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return naturalCompare(left.data().toString(), right.data().toString()) < 0;
}

} // namespace Brenvik
