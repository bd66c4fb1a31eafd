#pragma once
// A document window as data: its pages, its groups and its fields in creation order. One table
// drives the layout, the save / open / reset walks, the report collection and the loading of
// the sorted combo boxes, so the key order of a file is simply the table order.

#include "document/parametertarget.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

enum class FieldKind {
    // Stored kinds: one key each in a document file (a grid one key per row).
    Edit,
    AlignedEdit,
    Combo,
    SortedCombo,
    Check,
    Radio,
    Memo,
    Date,
    Grid,
    UnitRow,
    // Layout only: never stored, never reset.
    Label,    // a fixed text (a heading, a unit label such as unitPreheatMin)
    Button,   // a push button; the window connects it by name
    Custom,   // a widget the window makes itself (createCustomField)
    ImageGroup // the joint-sketch group; its stored fields follow it in the table
};

bool isStoredKind(FieldKind kind);

// Buttons laid out right of a field.
enum class FieldButtons {
    None,
    SaveDelete, // the bound save / delete pair of a sorted combo box
    Memo,       // the bound button opening the memo dialog
    UserInfo    // the speed button opening the user information dialog
};

// How a grid is written: by row title ("WP" + title without blanks, columns 1 to the last)
// or by row number (name_row, every column).
enum class GridEncoding { RowNumber, RowTitle };

struct PageDef {
    QString name;    // dataEntry1
    QString caption; // "General Information"
};

struct GroupDef {
    QString name;    // an object name for the group box
    QString caption; // " Tungsten Electrode "; empty: no frame, fields sit on the page
    int page = 0;
    int row = 0;     // position of the group on its page (a grid layout per page)
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

struct GridDef {
    int rows = 0;
    int columns = 0;
    int fixedRows = 0;
    int fixedColumns = 0;
    QList<int> columnWidths;   // the last width repeats for the remaining columns
    QStringList rowTitles;     // column 0 from row 1 down (fixed titles)
    QStringList columnTitles;  // row 0 from column 0 on
    GridEncoding encoding = GridEncoding::RowNumber;
    bool keepTitleColumnOnRead = false; // filletWeldTestT: column 0 keeps the window's labels
};

struct FieldDef {
    QString name;        // object name and file key
    FieldKind kind = FieldKind::Edit;
    QString group;       // name of its GroupDef
    QString label;       // the label left of it ("Type:"); empty: none
    QString labelName;   // the label's object name (help index names: "Company_Name")
    QString text;        // caption of a check box, radio button, button or fixed label
    FieldButtons buttons = FieldButtons::None;
    int row = -1;        // position in the group; -1: the next row
    int column = 0;      // a field column: label, field and buttons take three layout columns
    int rowSpan = 1;
    int minimumWidth = 0;
    int fixedHeight = 0; // memos: their height on the page
    GridDef grid;       // Grid and UnitRow
    // Date pickers of the PQR and WPDS windows are written after all control keys; those of
    // the WPQR and WPS windows in the walk.
    bool dateAfterWalk = false;
};

struct FormTable {
    QString formType;  // "WPDS"
    QString caption;   // "Welding Procedure Data Sheet"
    QList<PageDef> pages;
    QList<GroupDef> groups;
    QList<FieldDef> fields; // creation order
    ParameterTarget parameterTarget; // what "Select Parameters ..." fills

    const FieldDef *field(const QString &name) const;
    const GroupDef *group(const QString &name) const;
    int pageOf(const FieldDef &field) const;
    QStringList pageCaptions() const;
};

} // namespace Brenvik
