#pragma once
// The document window every form is made of: a tabbed MDI child built from a FormTable, with
// the page selector and navigation, the changed-flag, Save / Save As / closing, the reset and
// open walks, the joint-sketch group, the bound user-data buttons and the window's own File
// menu. A form (TWPDS ...) gives its table and a few handlers of its own.

#include "core/documentwindow.h"
#include "core/filestamp.h"
#include "document/fieldtable.h"
#include "document/formdocument.h"
#include "report/reportsource.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSignalBlocker;
class QTabWidget;

namespace Brenvik {

class FormReport;
class GridStack;
class ImageGroup;
class TypedGrid;

class FormWindow : public QWidget, public DocumentWindow, public ReportSource {
    Q_OBJECT
public:
    ~FormWindow() override;

    // DocumentWindow
    QString formType() const override { return m_table.description.formType; }
    QWidget *widget() override { return this; }
    void resetDocument() override;
    bool openFile(const QString &path) override;
    void setFileName(const QString &path) override;
    QString fileName() const override { return m_document.fileName(); }
    bool save() override { return Save1Click(); }
    void saveAs() override { SaveAs1Click(); }
    void preview() override { viewReportClick(); }
    bool closeDocument() override;
    QMenu *fileMenu() override;
    QList<QAction *> toolActions() override { return m_toolActions; }
    void fillFields(const QList<QPair<QString, QString>> &fields) override;
    void setSketch(const Picture &picture) override;

    // ReportSource: the document's.
    QList<CollectedField> collectFields() const override { return m_document.collectFields(); }
    bool isChecked(const QString &controlName) const override { return m_document.isChecked(controlName); }
    QString gridCell(const QString &gridName, int row, int column) const override
    {
        return m_document.gridCell(gridName, row, column);
    }
    int gridRowCount(const QString &gridName) const override { return m_document.gridRowCount(gridName); }
    int gridColumnCount(const QString &gridName) const override { return m_document.gridColumnCount(gridName); }
    Picture sketch() const override { return m_document.sketch(); }

    // The report, created on first use as the window's child and prepared from the fields;
    // nullptr when the form type has no report yet.
    FormReport *prepareReport();

    // save file (path): the document file and the sketch picture beside it, changed together:
    // both are written whole to temporaries first, then the picture put in place, the document
    // last. False (after telling the user, with the system's reason) when either could not be
    // written, and then neither file has changed; the changed-flag is not touched here.
    bool saveFile(const QString &path);

    // The document the window shows. Every change of a field, by the user or by a command,
    // reaches it as it happens; the window holds no value of its own.
    const FormDocument &document() const;
    const DocumentValues &values() const { return m_document.values(); }
    // As file keys would read them: texts as they are, check boxes and radio buttons as
    // "true" / "false", grid rows as "GRID_<row>", and "formType".
    QHash<QString, QString> fieldTexts() const { return m_document.fieldTexts(); }
    // What the widgets show, read from them: the document's values, when nothing is amiss.
    DocumentValues shownValues() const;

    // Pages.
    void iniPageShowing();
    void gotoPageCaption(const QString &caption);
    void nextPageClick();
    void backPageClick();
    void PageControl1Change();
    void PageShowingChange();
    int currentPage() const;
    QTabWidget *PageControl1() const { return m_pageControl; }
    QComboBox *PageShowing() const { return m_pageShowing; }

    // Commands. Save asks first when the file has changed on disk since this window read or
    // wrote it (another user, another program): overwrite it, save as a new file, or cancel,
    // which fails the save and leaves the document changed.
    bool Save1Click();
    void SaveAs1Click();
    void Exit1Click() { closeDocument(); }
    // This window becomes the current document and its created-flag is set.
    void FormActivate();
    void ChangeFlag();
    void openUserInfoClick();
    void openMemoClick(QPlainTextEdit *memo);
    void openSketchBrowserClick();
    void selectParamClick();
    void viewReportClick();
    void userPropertySaveClick(QComboBox *box);
    void userPropertyDelClick(QComboBox *box);

    // Grid commands on a grid's current cell (the changed-flag is set first, whatever the
    // command then does): Delete Row / Duplicate Row, Delete Column / Duplicate Column.
    void runGridCommand(GridCommand command, const QString &gridName);

    // The click behaviour of a unit switch of the table, named by either of its buttons:
    // metric checked when neither is, labels set, unit cells written, changed-flag set.
    void unitSwitchClick(const QString &buttonName);

    // Fields by name (the table's names).
    QWidget *field(const QString &name) const { return m_fields.value(name); }
    template <class T> T *fieldAs(const QString &name) const { return qobject_cast<T *>(field(name)); }
    QLabel *labelOf(const QString &fieldName) const { return m_labels.value(fieldName); }
    QList<QWidget *> buttonsOf(const QString &fieldName) const { return m_buttons.value(fieldName); }
    QGroupBox *groupBox(const QString &groupName) const { return m_groupBoxes.value(groupName); }
    TypedGrid *grid(const QString &name) const;
    ImageGroup *imageGroup() const { return m_imageGroup; }
    const FormTable &table() const { return m_table; }
    // Every sorted combo box in creation order (the user-data store fills them).
    QList<QComboBox *> sortedComboBoxes() const { return m_sortedBoxes; }

    // The sketch library and the parameter plot live beside the forms; the shell installs
    // them here. Without them the buttons do nothing. The sketch browser answers whether it
    // put a picture into the window.
    static void setSketchBrowser(std::function<bool(FormWindow *)> open);
    static void setParameterPlot(std::function<void(FormWindow *, TypedGrid *)> open);
    static bool hasParameterPlot();

    // Sets a radio button or check box; Qt's auto-exclusive radio buttons ignore a plain
    // setChecked(false). Runs the click behaviour when the state changes.
    static void setCheckedState(QWidget *button, bool checked);

protected:
    FormWindow(const FormTable &table, QWidget *parent);

    // FormCreate: the form's constructor calls it once its own members are ready.
    void FormCreate();

    // Hooks of the form.
    virtual void screenSetUp() {}              // fixed lists of the form's combo boxes
    virtual void connectHandlers() {}          // the form's own click handlers, before the reset
    virtual void afterLoad() {}                // at the end of a reset or an open (enabling)
    virtual QWidget *createCustomField(const FieldDef &, QWidget *) { return nullptr; }
    // The company and address targets of the user information dialog, as the description names them.
    QWidget *companyField() const { return field(m_table.description.companyKey); }
    QWidget *addressField() const { return field(m_table.description.addressKey); }

    // A command of the form in the File menu, before Close, or in the main window's Tools menu.
    QAction *addFileAction(const QString &name, const QString &text, std::function<void()> handler);
    QAction *addToolAction(const QString &name, const QString &text, std::function<void()> handler);

    // Runs handler on every state change of a check box or radio button, by the user or by a
    // walk, as the click behaviour of that control.
    void onClick(const QString &fieldName, std::function<void()> handler);
    // Runs handler when the user changes the field (typing, a pick, a paste, a click), never
    // while the reset or an open sets it.
    void onChange(const QString &fieldName, std::function<void()> handler);
    // Runs handler when the page is shown by its tab or by Next / Previous; with EveryPath
    // also by the page selector and gotoPageCaption.
    enum class PagePaths { TabsAndButtons, EveryPath };
    void onPageShown(int page, std::function<void()> handler, PagePaths paths = PagePaths::TabsAndButtons);
    // Runs handler when the keyboard focus moves onto the page from elsewhere (a click into
    // one of its fields, Tab from the page selector).
    void onFocusEntersPage(int page, std::function<void()> handler);
    // Runs a data rule of the form on the document with what the user has entered, then shows
    // what it changed.
    void runRule(const std::function<void(FormDocument &)> &rule);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Where the fields went while the pages are built.
    struct PlacedField {
        QString group;
        int row;
        int column;
        QString name;
    };
    struct FieldPlacement {
        QList<PlacedField> placed;                 // in table order, for the tab order
        QHash<QString, QString> unitRowsOver;      // unit row -> the grid it stands over
        QHash<QString, QPair<int, int>> positions; // field -> (row, field column) in its group
        QHash<QString, int> nextRow;               // group -> its next free row
    };
    void buildPages();
    QList<QGridLayout *> buildPageTabs();
    QHash<QString, QGridLayout *> buildGroups(const QList<QGridLayout *> &pageLayouts);
    bool placeSpecialField(const FieldDef &f, QGridLayout *layout, FieldPlacement &placement);
    void placeField(const FieldDef &f, const QHash<QString, QGridLayout *> &groupLayouts, FieldPlacement &placement);
    void orderTabs(QList<PlacedField> placed);
    // The navigation row: the page selector, then Previous / Next / View Report / Close.
    QHBoxLayout *buildNavigation();
    void fitGrids();
    QWidget *createField(const FieldDef &def, QWidget *parent);
    void addButtons(const FieldDef &def, QWidget *fieldWidget, QWidget *parent, QList<QWidget *> &out);
    // A stored field's widget bound to the document: each change of its value is kept there,
    // and the user's changes set the changed-flag.
    void bindField(const FieldDef &def, QWidget *w);
    // The field's value as its widget shows it into the document (a radio button: its group).
    void keepField(const FieldDef &def);
    // A picture the image group took (an import, a paste, the sketch library) and its file name
    // into the document.
    void keepPicture();
    void buildMenu();
    // Bound save / delete buttons: a box of a linked pair of the table stores or removes the
    // pair, any other box its own value.
    void boundSave(QComboBox *box);
    void boundDelete(QComboBox *box);
    void updateCaption();
    void setFieldValue(const FieldDef &def, const DocumentValues &values);
    // Signals of every stored field blocked while the result lives.
    std::vector<std::unique_ptr<QSignalBlocker>> quietFields() const;
    // The document's values and picture into the widgets, quietly: setting them is not an edit.
    void showDocument();
    void fitToSubWindow();
    void assembleGridStacks(const QHash<QString, QString> &unitRowsOver);
    void connectUnitSwitches();
    void runUnitSwitch(const UnitSwitchDef &unitSwitch, bool writeCells);
    void relabelUnits();
    void runPageHooks(bool everyPathOnly);
    // The Save As dialog, then the save; false when the dialog was cancelled or the save failed.
    bool saveAsChosenFile();
    bool m_silentPageChange = false;

    FormTable m_table;
    FormDocument m_document{m_table};
    QTabWidget *m_pageControl = nullptr;
    QComboBox *m_pageShowing = nullptr;
    QPushButton *m_backPage = nullptr;
    QPushButton *m_nextPage = nullptr;
    QPushButton *m_viewReport = nullptr;
    QPushButton *m_closeButton = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_closeAction = nullptr;
    QList<QAction *> m_toolActions;
    ImageGroup *m_imageGroup = nullptr;
    // The picture revision the image group had when the document's picture was last shown:
    // a later one is the user's picture.
    quint64 m_shownPictureRevision = 0;
    // The document's picture revision the image group shows.
    quint64 m_shownDocumentPicture = 0;
    QPointer<FormReport> m_report;
    QHash<QString, QWidget *> m_fields;
    QHash<QString, QLabel *> m_labels;
    QHash<QString, QList<QWidget *>> m_buttons;
    QHash<QString, QGroupBox *> m_groupBoxes;
    QList<QComboBox *> m_sortedBoxes;
    QList<GridStack *> m_stacks;
    struct PageHook {
        int page;
        std::function<void()> handler;
        PagePaths paths;
    };
    QList<PageHook> m_pageHooks;
    bool m_closing = false;
};

} // namespace Brenvik
