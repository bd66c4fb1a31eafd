#pragma once
// The combo-box side of the user-data store (zoru.dat): fill a window's boxes, save and
// delete a box's value, keep linked pairs equal. The file logic itself is UserDataStore.
//
// owner: the window's name (its form type word); windowBoxes: every data combo box
// of that window in component order (never the page selector); they are the boxes a synced
// reload may refill.
//
// A missing store is reported once per call; a write the system refuses is shown here
// ("Unable to write to ...", caption "Error") and ends the call with the store unchanged.
// Nothing is thrown to the caller.

#include <QList>
#include <QString>

class QComboBox;

namespace Brenvik::UserProperties {

// Every box of a new window, from one read of the store. A missing store is reported once.
void loadAll(const QString &owner, const QList<QComboBox *> &windowBoxes);
void loadUserProperty(const QString &owner, QComboBox *box);
// The bound save / delete buttons (no prompt before either).
void saveUserProperty(const QString &owner, QComboBox *box, const QList<QComboBox *> &windowBoxes);
void delUserProperty(const QString &owner, QComboBox *box, const QList<QComboBox *> &windowBoxes);
// Linked pairs: sections separated by blanks or tabs, e.g. "WPDS_weldingProcess1 WPDS_weldingProcess2".
void mergeUserProperties(const QString &sections);
void intersectUserProperties(const QString &sections);
// A linked pair's whole button: save (or delete) the clicked box's text, then merge (or
// intersect) the pair's sections and reload both boxes, all with one report of a refused
// write or missing store. False when the first step did not run (empty text, no store,
// refused write, text the store cannot hold).
bool saveLinkedPair(const QString &owner, QComboBox *box, QComboBox *first, QComboBox *second,
                    const QString &sections, const QList<QComboBox *> &windowBoxes);
bool delLinkedPair(const QString &owner, QComboBox *box, QComboBox *first, QComboBox *second,
                   const QString &sections, const QList<QComboBox *> &windowBoxes);

// Lists from the plot data file zorc.dat: its welding processes, and the captions of one
// process's plot sets. The list is sorted; a box left without text shows the first item. A
// missing file gives an empty list; a count that is not a whole number empties the list and
// is reported (caption "Internal Error").
void fillProcessList(QComboBox *box);
void fillPlotTypeList(const QString &process, QComboBox *box);

} // namespace Brenvik::UserProperties
