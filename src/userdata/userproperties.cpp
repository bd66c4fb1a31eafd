#include "userdata/userproperties.h"
#include "userdata/storeguard.h"

#include "core/platform.h"
#include "core/profilefile.h"
#include "userdata/plotindex.h"
#include "userdata/userdatastore.h"

#include "controls/sortedcombobox.h"

#include <QComboBox>
#include <QHash>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace Brenvik::UserProperties {

namespace {

// Replaces the list and keeps what the user typed; the drop-down shows the whole list.
// The box's signals stay quiet: its text is the same afterwards, so nothing changed.
void fillBox(QComboBox *box, const QStringList &items)
{
    if (!box)
        return;
    if (auto *sorted = qobject_cast<SortedComboBox *>(box)) {
        sorted->setStoreItems(items);
        return;
    }
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    box->setMaxVisibleItems(qMax(1, int(items.size())));
}

void fillFromStore(const UserDataStore &store, const QString &owner, QComboBox *box)
{
    if (box)
        fillBox(box, store.values(store.listSection(owner, box->objectName())));
}

// The box, then every box of its window that shares its list through `sync`.
void refill(const UserDataStore &store, const QString &owner, QComboBox *box,
            const QList<QComboBox *> &windowBoxes)
{
    fillFromStore(store, owner, box);
    const QString shared = store.syncValue(box->objectName());
    if (shared.isEmpty())
        return;
    const QStringList names = store.syncedControls(shared);
    for (QComboBox *other : windowBoxes) {
        if (!other || other == box)
            continue;
        if (names.contains(other->objectName(), Qt::CaseInsensitive))
            fillFromStore(store, owner, other);
    }
}

QStringList sectionWords(const QString &sections)
{
    static const QRegularExpression gap(QStringLiteral("[ \\t]+"));
    return sections.split(gap, Qt::SkipEmptyParts);
}

bool saveOrDelete(bool save, const QString &owner, QComboBox *box, const QList<QComboBox *> &windowBoxes)
{
    if (!box)
        return false;
    const QString text = box->currentText();
    if (text.isEmpty())
        return false;
    UserDataStore store;
    if (!store.exists()) {
        store.reportMissing();
        return false;
    }
    if (save && !UserDataStore::acceptTexts({text}))
        return false;
    return guarded([&] {
        if (save)
            store.saveValue(owner, box->objectName(), text);
        else
            store.deleteValue(owner, box->objectName(), text);
        refill(store, owner, box, windowBoxes);
    });
}

bool linkedPair(bool save, const QString &owner, QComboBox *box, QComboBox *first, QComboBox *second,
                const QString &sections, const QList<QComboBox *> &windowBoxes)
{
    if (!saveOrDelete(save, owner, box, windowBoxes))
        return false;
    UserDataStore store;
    return guarded([&] {
        if (save)
            store.mergeUserEntries(sectionWords(sections));
        else
            store.intersectUserEntries(sectionWords(sections));
        if (!store.isRead() && !store.read())
            return;
        fillFromStore(store, owner, first);
        fillFromStore(store, owner, second);
    });
}

// A plot list: sorted, the first item shown when the box has no text.
void fillPlotList(QComboBox *box, const QStringList &items, const QStringList &errors)
{
    if (!errors.isEmpty()) {
        fillBox(box, {});
        errorBox(QStringLiteral("Internal Error"), errors.join(QLatin1Char('\n')));
        return;
    }
    fillBox(box, qobject_cast<SortedComboBox *>(box) ? items : SortedComboBox::sortedItems(items));
    if (box->currentText().isEmpty() && box->count() > 0) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(0);
    }
}

} // namespace

void loadAll(const QString &owner, const QList<QComboBox *> &windowBoxes)
{
    UserDataStore store;
    if (!store.read())
        return;
    QHash<QString, QStringList> lists; // boxes that share a list share its values
    for (QComboBox *box : windowBoxes) {
        if (!box)
            continue;
        const QString section = store.listSection(owner, box->objectName()).toLower();
        auto it = lists.constFind(section);
        if (it == lists.constEnd())
            it = lists.insert(section, store.values(section));
        fillBox(box, it.value());
    }
}

void loadUserProperty(const QString &owner, QComboBox *box)
{
    if (!box)
        return;
    UserDataStore store;
    if (store.read())
        fillFromStore(store, owner, box);
}

void saveUserProperty(const QString &owner, QComboBox *box, const QList<QComboBox *> &windowBoxes)
{
    saveOrDelete(true, owner, box, windowBoxes);
}

void delUserProperty(const QString &owner, QComboBox *box, const QList<QComboBox *> &windowBoxes)
{
    saveOrDelete(false, owner, box, windowBoxes);
}

void mergeUserProperties(const QString &sections)
{
    guarded([&] { UserDataStore().mergeUserEntries(sectionWords(sections)); });
}

void intersectUserProperties(const QString &sections)
{
    guarded([&] { UserDataStore().intersectUserEntries(sectionWords(sections)); });
}

bool saveLinkedPair(const QString &owner, QComboBox *box, QComboBox *first, QComboBox *second,
                    const QString &sections, const QList<QComboBox *> &windowBoxes)
{
    return linkedPair(true, owner, box, first, second, sections, windowBoxes);
}

bool delLinkedPair(const QString &owner, QComboBox *box, QComboBox *first, QComboBox *second,
                   const QString &sections, const QList<QComboBox *> &windowBoxes)
{
    return linkedPair(false, owner, box, first, second, sections, windowBoxes);
}

void fillProcessList(QComboBox *box)
{
    if (!box)
        return;
    ProfileFile file(PlotIndex::path());
    QStringList errors;
    // Without the curve file the plot would stay empty without a word.
    if (!file.load())
        errors << PlotIndex::unreadableText(file);
    const QStringList processes = PlotIndex::processes(file, &errors);
    fillPlotList(box, processes, errors);
}

void fillPlotTypeList(const QString &process, QComboBox *box)
{
    if (!box)
        return;
    ProfileFile file(PlotIndex::path());
    file.load();
    QStringList errors;
    QStringList captions;
    for (const PlotIndex::PlotSetRef &set : PlotIndex::plotSets(file, process, &errors))
        captions << set.caption;
    fillPlotList(box, captions, errors);
}

} // namespace Brenvik::UserProperties
