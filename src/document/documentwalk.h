#pragma once
// The save, open and reset walks over a form's field table, on plain values: what a save
// writes (keys and values in order), what an open reads back, what a reset leaves. The window
// hands its widgets' values in and sets its widgets from the results, in creation order.

#include "document/fieldtable.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Brenvik {

class ProfileFile;

// One grid's cells, row by row.
using GridCells = QVector<QStringList>;

// The stored state of a document, keyed by field name.
struct DocumentValues {
    QString imageFile;
    QHash<QString, QString> texts;   // edits, combo boxes, memos (memo text with real line breaks)
    QHash<QString, bool> checks;     // check boxes and radio buttons
    QHash<QString, QDate> dates;
    QHash<QString, GridCells> grids;
};

using KeyValueList = QList<QPair<QString, QString>>;

// A date key that could not be read: the text and the picker it was meant for.
struct DateProblem {
    QString field;
    QString text;
};

class DocumentWalk {
public:
    static inline const QString kSection = QStringLiteral("contents");

    explicit DocumentWalk(const FormTable &table) : m_table(table) {}

    // Every key of a save, in file order: imageFile, formType, the control keys in creation
    // order, the dates written after the walk, the row-title grid keys.
    KeyValueList saveEntries(const DocumentValues &values) const;

    // Sets values from a file, as the open walk does. values holds the reset state on entry
    // (grid titles, dimensions); a key that is absent empties its field. Dates that cannot be
    // read keep their value (today after a reset) and are listed in problems.
    void read(const ProfileFile &file, DocumentValues &values, QList<DateProblem> *problems) const;

    // The reset's emptying: every stored field empty or unchecked, dates set to today, the
    // data cells of every grid emptied (fixed titles written back), imageFile forgotten.
    void reset(DocumentValues &values, const QDate &today) const;

    // The keys of a row-title grid ("WPThickness" ...).
    static QString rowTitleKey(const QString &title);
    // One grid row as a value: every cell (or "_"), each followed by the cell separator,
    // then trimmed.
    static QString encodeRow(const QStringList &cells, int firstColumn);
    // Field n (1-based) of a row value as a cell: "_" reads as empty.
    static QString cellFromField(const QString &value, int n);

    // Dimensions and fixed titles of a freshly set-up grid.
    static GridCells emptyGrid(const GridDef &def);

private:
    const FormTable &m_table;
};

} // namespace Brenvik
