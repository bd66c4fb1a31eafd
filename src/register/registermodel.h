#pragma once
// The document register of a folder as a table model: one row per .wrp file below it, the
// columns of RegisterEntry. It follows the folder: a file saved, added, renamed or deleted
// there (or in a subfolder) shows a moment later, and only the files that changed are read
// again. Rows are updated in place, so a selection survives a refresh.

#include "register/registerentry.h"
#include "register/registerscan.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

namespace Brenvik {

class RegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { PathRole = Qt::UserRole + 1, DocumentRole };

    explicit RegisterModel(QObject *parent = nullptr);

    // Lists folder and follows it. False when it cannot be read: the list is then empty.
    bool setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    bool folderReadable() const { return m_readable; }
    // Reads the folder again now; the watcher does so by itself after a change.
    void refresh();
    // How long the watcher waits for a burst of changes (a save writes and renames) to end.
    void setSettleTime(int ms);

    const QList<RegisterEntry> &entries() const { return m_entries; }
    int filesReadLastTime() const { return m_scan.filesRead(); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void refreshed();

private:
    void merge(const QList<RegisterEntry> &fresh);
    void follow();

    RegisterScan m_scan;
    QList<RegisterEntry> m_entries;
    QString m_folder;
    bool m_readable = false;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
};

// The register as the user looks at it: sorted by any column (numbers in texts in numeric
// order, "WPS-9" before "WPS-10") and searched. Every word of the search must be found in some
// column of a row, letter case aside: "gmaw pqr-77" finds the GMAW documents that cite PQR-77.
class RegisterFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RegisterFilter(QObject *parent = nullptr);
    void setSearch(const QString &text);
    QString search() const { return m_search; }
    // Superseded documents left out of the list (the default).
    void setHideSuperseded(bool hide);
    bool hidesSuperseded() const { return m_hideSuperseded; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QString m_search;
    QStringList m_words;
    bool m_hideSuperseded = true;
};

} // namespace Brenvik
