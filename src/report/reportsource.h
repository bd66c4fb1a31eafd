#pragma once
// What a document window offers its report pages: the collected field values in creation
// order, check states, grid cells and the sketch. Report code reads this, never the widgets.

#include "core/picture.h"

#include <QList>
#include <QString>

namespace Brenvik {

struct CollectedField {
    QString name;  // the control's name, as designed
    QString value; // edit/combo: text; date: "d MMM yyyy"; check box: "Yes"/"No"; memo: one-line stored form
};

class ReportSource {
public:
    virtual ~ReportSource() = default;
    // The collect pass: edit boxes, aligned edits, combo boxes, date pickers, check boxes and
    // memos, in creation order. Radio buttons, grids and images give no entry.
    virtual QList<CollectedField> collectFields() const = 0;
    virtual bool isChecked(const QString &controlName) const = 0;
    virtual QString gridCell(const QString &gridName, int row, int column) const = 0;
    virtual int gridRowCount(const QString &gridName) const = 0;
    virtual int gridColumnCount(const QString &gridName) const = 0;
    virtual Picture sketch() const = 0;
};

} // namespace Brenvik
