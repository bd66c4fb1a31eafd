#pragma once
// A document window as data: its pages, its groups and its fields in creation order. One table
// drives the layout, the save / open / reset walks, the report collection and the loading of
// the sorted combo boxes, so the key order of a file is simply the table order.

#include "document/formdescription.h"
#include "document/parametertarget.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

namespace Brenvik {

class FormDocument;

// The data rules of a form that change values, as plain functions on its document: run by an
// open, a reset and a click alike, whether or not a window shows the document.
struct FormRules {
    std::function<void(FormDocument &)> resetDefaults;             // the form's own defaults
    std::function<void(FormDocument &)> afterLoad;                 // the end of a reset or an open
    QHash<QString, std::function<void(FormDocument &)>> onClick;   // a check box's state changed
};

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

// Where a grid's column titles live. Stored: they are the cell texts of row 0, written and
// read like any row (an empty or "_" field on opening leaves the window's title in place).
// Drawn: the grid paints them over an empty row 0, which is written as "_" cells and never
// read; a title may hold a line break ("Multiple Pass\nMin Size").
enum class GridHeadings { Stored, Drawn };

// Commands a push button runs on a grid's current cell.
enum class GridCommand { None, DeleteRow, DuplicateRow, DeleteColumn, DuplicateColumn };

// A caption box standing over columns first to last of a grid ("Filler Metal" over 3-4).
struct GridBand {
    int first = 0;
    int last = 0;
    QString text;
};

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
    GridHeadings headings = GridHeadings::Stored;
    bool keepTitleColumnOnRead = false; // filletWeldTestT: column 0 keeps the window's labels
    QHash<int, Qt::Alignment> alignments; // data cells per column; left where absent
    QHash<int, QStringList> dropDowns;    // drop-down items per column
    bool alwaysShowEditor = false;
    int rowHeight = 0;                    // every row; 0 keeps the grid's own
    QList<GridBand> bands;                // caption boxes above the grid
    // The caption boxes sit on the first line of a two-line title row instead of above the
    // grid ("Filler Metal" over "\nClass" and "\nDia.").
    bool bandsInTitleRow = false;
    // A unit row stands over another grid: its cell 0 over column overColumn of grid over,
    // its label in the space left of it.
    QString over;
    int overColumn = 0;
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
    int columnSpan = 1;  // field columns the field itself spans (a wide memo)
    int minimumWidth = 0;
    int fixedHeight = 0; // memos: their height on the page
    GridDef grid;       // Grid and UnitRow
    // Date pickers of the PQR and WPDS windows are written after all control keys; those of
    // the WPQR and WPS windows in the walk.
    bool dateAfterWalk = false;
    // Labels: shown right of this field, in its button place (a unit label such as "°C").
    QString beside;
    // Sorted combo boxes: false keeps the store's list in its stored order (still loaded and
    // saved by the store like every other).
    bool sortedList = true;
    // Buttons: the grid command they run and the grid they run it on.
    GridCommand command = GridCommand::None;
    QString target;
};

// A pair of radio buttons choosing metric or imperial units. Its click (or the reset) checks
// the metric button when neither is checked, sets the unit labels and writes the unit texts
// into the grid cells; an open sets the buttons and the labels as stored and never rewrites
// the cells (they show what the file holds). No entered number is converted.
struct UnitSwitchDef {
    QString metric;   // unitTC, tensileTestUnitM
    QString imperial; // unitTF, tensileTestUnitI
    QStringList labels; // fixed labels showing the unit
    QString metricLabel;
    QString imperialLabel;
    QString grid;          // grid whose cells the switch writes; empty: labels only
    QList<QPair<int, int>> cells; // (row, column) of each written cell
    QStringList metricUnits;
    QStringList imperialUnits;
};

// Two sorted combo boxes whose saved entries go together (a process and its pair): their save
// and delete buttons store and remove both values as one entry of the sections named.
struct LinkedPairDef {
    QString first;
    QString second;
    QString sections; // "WPDS_weldingProcess1 WPDS_weldingProcess2"
};

struct FormTable {
    FormDescription description; // the type word, its names and its keys
    QList<PageDef> pages;
    QList<GroupDef> groups;
    QList<FieldDef> fields; // creation order
    ParameterTarget parameterTarget; // what "Select Parameters ..." fills
    QList<UnitSwitchDef> unitSwitches; // run in this order by the reset
    FormRules rules;
    QList<LinkedPairDef> linkedPairs;
    // The hint of the speed button beside the company name.
    QString userInfoHint = QStringLiteral("Import from file");

    const FieldDef *field(const QString &name) const;
    const GroupDef *group(const QString &name) const;
    int pageOf(const FieldDef &field) const;
    QStringList pageCaptions() const;
};

// Builders that keep a table's lines short.
// A sorted combo box with its save / delete pair.
FieldDef sortedField(const QString &name, const QString &group, const QString &label, int row = -1,
                     int column = 0, const QString &labelName = QString());
// Any kind; a memo gets its memo button and a height of 70.
FieldDef makeField(const QString &name, FieldKind kind, const QString &group, const QString &label,
                   const QString &text = QString(), int row = -1, int column = 0);
// A fixed text at the top of a field column (row 0).
FieldDef headingField(const QString &name, const QString &group, const QString &text, int column);
GroupDef makeGroup(const QString &name, const QString &caption, int page, int row, int column,
                   int rowSpan = 1, int columnSpan = 1);

// A sorted combo box without the save / delete pair.
FieldDef plainSorted(const QString &name, const QString &group, const QString &label, int row = -1,
                     int column = 0);
// A fixed text at a given place.
FieldDef fixedText(const QString &name, const QString &group, const QString &text, int row, int column);
// A "°C" label in the field column right of a temperature (its own row and column).
FieldDef unitLabel(const QString &name, const QString &group, int row, int column = 1);
// A "°C" label in the button place of the field named beside.
FieldDef unitLabelBeside(const QString &name, const QString &group, const QString &beside);
// The company name with the user information button.
FieldDef companyField(const QString &group);
// A grid or unit row, 20 high per row; one fixed title row for a grid.
FieldDef gridField(const QString &name, FieldKind kind, const QString &group, int rows, int columns,
                   const QStringList &titles, const QList<int> &widths = {64});
// A unit row over column overColumn of grid over, right-aligned; its last cell drops down "-" / "None".
FieldDef unitRowOver(const QString &name, const QString &group, int cells, const QString &over, int overColumn,
                     const QString &label = QStringLiteral("Units"));
// A push button in row 0 running a grid command on target.
FieldDef commandButton(const QString &name, const QString &group, const QString &text, int column,
                       GridCommand command, const QString &target);
// The "Select Parameters ..." button in row 0.
FieldDef selectParamButton(const QString &name, const QString &group, int column);
// Delete Row and Duplicate Row under a grid (delRow + suffix, dupRow + suffix).
void addRowCommands(QList<FieldDef> &fields, const QString &suffix, const QString &group, const QString &grid);
// The "Unit System:" pair Metric / Imperial in row 0.
void addUnitRadios(QList<FieldDef> &fields, const QString &metric, const QString &imperial, const QString &group);
// The "Temperature Unit:" pair unitTC / unitTF.
void addTemperatureRadios(QList<FieldDef> &fields, const QString &group, int row = 0);
// The joint-sketch group, its resize box and source file, and (if asked) its description memo.
void addSketchFields(QList<FieldDef> &fields, const QString &group, const QString &caption,
                     bool withDescription = true);
// The tensile test of a qualification record: its unit row, grid, unit radios and row commands in
// tensileGroup, tensileUnitGroup and tensileButtonGroup.
void addTensileTest(QList<FieldDef> &fields, const QString &unitRowLabel, const QList<int> &widths = {64});
// Its switch writing mm / in, sq.mm / sq.in, Newton / Lbf and MPa / ksi into the unit row.
UnitSwitchDef tensileUnitSwitch();
// unitTC / unitTF setting the given labels to °C / °F.
UnitSwitchDef temperatureSwitch(const QStringList &labels);
// A metric / imperial pair writing the units into cells 0, 1, ... of row 0 of grid.
UnitSwitchDef unitRowSwitch(const QString &metric, const QString &imperial, const QString &grid,
                            const QStringList &metricUnits, const QStringList &imperialUnits);

} // namespace Brenvik
