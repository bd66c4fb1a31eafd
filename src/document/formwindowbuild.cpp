#include "document/formwindow.h"

#include "controls/dateedit.h"
#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "controls/whatsthismenu.h"
#include "core/helpindex.h"
#include "controls/tzoruserdatabutton.h"
#include "core/appstate.h"
#include "core/dates.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "document/control/controlactions.h"
#include "document/formwindowdetail.h"
#include "document/gridstack.h"
#include "document/imagegroup.h"
#include "report/formreport.h"
#include "userdata/userdatahooks.h"
#include "userdata/userproperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include <limits>

namespace Brenvik {

using namespace FormWindowDetail;

namespace {

// A right click on a label whose name the help index knows offers "What's This?".
void attachHelpOf(QWidget *label)
{
    if (helpContext(label->objectName()) >= 0)
        attachWhatsThisMenu(label);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Creation

void FormWindow::FormCreate()
{
    m_report = nullptr;
    buildPages();
    // Building is not editing: the lists and defaults set below are no change of the user's.
    const auto quiet = quietFields();
    buildMenu();
    iniPageShowing();
    m_silentPageChange = true;
    m_pageControl->setCurrentIndex(0);
    m_silentPageChange = false;
    connectUnitSwitches();
    connectHandlers();
    screenSetUp();
    new ControlActions(this);
    resetDocument();
    fitGrids();
    PageControl1Change();
    UserProperties::loadAll(formType(), m_sortedBoxes);
    updateCaption();
    setWindowModified(AppState::instance().changed());
    adjustSize();
    setFixedSize(sizeHint());
}

// Grids show every cell: no scrolling inside a form.
void FormWindow::fitGrids()
{
    for (const FieldDef &f : m_table.fields) {
        TypedGrid *g = grid(f.name);
        if (!g)
            continue;
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The designed widths, widened where the titles and units would be cut in this font.
        const QFontMetrics metrics(g->font());
        int width = 2 * g->frameWidth();
        for (int c = 0; c < g->columnCount(); ++c) {
            int needed = g->columnWidth(c);
            for (int r = 0; r < g->rowCount(); ++r)
                for (const QString &line : g->cell(r, c).split(QLatin1Char('\n')))
                    needed = qMax(needed, metrics.horizontalAdvance(line) + 10);
            for (const QString &line : g->drawnTitle(c).split(QLatin1Char('\n')))
                needed = qMax(needed, metrics.horizontalAdvance(line) + 10);
            g->setColumnWidth(c, needed);
            width += needed;
        }
        int height = 2 * g->frameWidth();
        for (int r = 0; r < g->rowCount(); ++r)
            height += g->rowHeight(r);
        g->setFixedSize(width, height);
    }
    for (GridStack *stack : m_stacks)
        stack->align();
}

// Grids with caption boxes above them or a unit row standing over them.
void FormWindow::assembleGridStacks(const QHash<QString, QString> &unitRowsOver)
{
    for (const FieldDef &f : m_table.fields) {
        TypedGrid *g = grid(f.name);
        const QString unitRow = unitRowsOver.key(f.name);
        if (!g || (f.grid.bands.isEmpty() && unitRow.isEmpty()))
            continue;
        QWidget *host = g->parentWidget();
        auto *stack = new GridStack(host);
        delete host->layout()->replaceWidget(g, stack);
        stack->setGrid(g);
        stack->setBands(f.grid.bands, f.grid.bandsInTitleRow);
        if (!unitRow.isEmpty()) {
            const FieldDef *def = m_table.field(unitRow);
            stack->setUnitRow(m_labels.value(unitRow), grid(unitRow), def->grid.overColumn);
        }
        m_stacks << stack;
    }
}

void FormWindow::buildPages()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    // Every tab in sight: the window is as wide as its row of tabs needs.
    m_pageControl->setUsesScrollButtons(false);
    outer->addWidget(m_pageControl);

    const QHash<QString, QGridLayout *> groupLayouts = buildGroups(buildPageTabs());
    FieldPlacement placement;
    for (const FieldDef &f : m_table.fields)
        placeField(f, groupLayouts, placement);
    assembleGridStacks(placement.unitRowsOver);
    orderTabs(placement.placed);
    for (QGridLayout *layout : groupLayouts) {
        const int columns = layout->columnCount();
        for (int c = 1; c < columns; c += 3)
            layout->setColumnStretch(c, 1);
    }
    outer->addLayout(buildNavigation());
}

QList<QGridLayout *> FormWindow::buildPageTabs()
{
    QList<QGridLayout *> pageLayouts;
    for (const PageDef &p : m_table.pages) {
        auto *page = new QWidget(m_pageControl);
        page->setObjectName(p.name);
        auto *layout = new QGridLayout(page);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setHorizontalSpacing(8);
        layout->setVerticalSpacing(6);
        pageLayouts << layout;
        // Tab texts take "&" as a mnemonic; the captions are shown as they stand.
        m_pageControl->addTab(page, QString(p.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    return pageLayouts;
}

// One grid layout per group: label, field and buttons take three columns per field column.
QHash<QString, QGridLayout *> FormWindow::buildGroups(const QList<QGridLayout *> &pageLayouts)
{
    QHash<QString, QGridLayout *> groupLayouts;
    for (const GroupDef &g : m_table.groups) {
        QWidget *page = m_pageControl->widget(g.page);
        QWidget *box;
        if (g.caption.isEmpty()) {
            box = new QWidget(page);
        } else {
            auto *groupBox = new QGroupBox(g.caption, page);
            m_groupBoxes.insert(g.name, groupBox);
            box = groupBox;
        }
        box->setObjectName(g.name);
        auto *layout = new QGridLayout(box);
        if (g.caption.isEmpty())
            layout->setContentsMargins(0, 0, 0, 0);
        else
            layout->setContentsMargins(8, 6, 8, 6);
        layout->setHorizontalSpacing(6);
        layout->setVerticalSpacing(4);
        groupLayouts.insert(g.name, layout);
        pageLayouts.at(g.page)->addWidget(box, g.row, g.column, g.rowSpan, g.columnSpan);
    }
    for (QGridLayout *layout : pageLayouts)
        layout->setRowStretch(layout->rowCount(), 1);
    return groupLayouts;
}

// A field placed somewhere else than its own cell: the image group's two stored fields, a unit
// row stacked over its grid, a label beside another field. True when it was one of those.
bool FormWindow::placeSpecialField(const FieldDef &f, QGridLayout *layout, FieldPlacement &placement)
{
    QWidget *box = layout->parentWidget();
    if (m_imageGroup && (f.name == QLatin1String("imageIfResize") || f.name == QLatin1String("imageSourceFile"))) {
        QWidget *w = f.name == QLatin1String("imageIfResize") ? static_cast<QWidget *>(m_imageGroup->imageIfResize())
                                                              : m_imageGroup->imageSourceFile();
        m_fields.insert(f.name, w);
        bindField(f, w);
        return true;
    }
    if (isGridKind(f.kind) && !f.grid.over.isEmpty()) {
        auto *label = new QLabel(f.label, box);
        label->setObjectName(f.labelName.isEmpty() ? f.name + QStringLiteral("Label") : f.labelName);
        m_labels.insert(f.name, label);
        QWidget *w = createField(f, box);
        m_fields.insert(f.name, w);
        bindField(f, w);
        placement.unitRowsOver.insert(f.name, f.grid.over);
        return true;
    }
    if (f.kind == FieldKind::Label && !f.beside.isEmpty() && placement.positions.contains(f.beside)) {
        const QPair<int, int> at = placement.positions.value(f.beside);
        QWidget *w = createField(f, box);
        m_fields.insert(f.name, w);
        layout->addWidget(w, at.first, at.second * 3 + 2);
        return true;
    }
    return false;
}

void FormWindow::placeField(const FieldDef &f, const QHash<QString, QGridLayout *> &groupLayouts,
                            FieldPlacement &placement)
{
    QGridLayout *layout = groupLayouts.value(f.group);
    Q_ASSERT_X(layout, "FormWindow", qPrintable(f.name + QStringLiteral(": unknown group")));
    if (placeSpecialField(f, layout, placement))
        return;
    QWidget *box = layout->parentWidget();
    const int row = f.row >= 0 ? f.row : placement.nextRow.value(f.group, 0);
    placement.nextRow[f.group] = qMax(placement.nextRow.value(f.group, 0), row + f.rowSpan);
    placement.positions.insert(f.name, {row, f.column});
    placement.placed.append({f.group, row, f.column, f.name});
    const int col = f.column * 3;

    if (!f.label.isEmpty()) {
        auto *label = new QLabel(f.label, box);
        label->setObjectName(f.labelName.isEmpty() ? f.name + QStringLiteral("Label") : f.labelName);
        attachHelpOf(label);
        m_labels.insert(f.name, label);
        layout->addWidget(label, row, col, f.rowSpan, 1,
                          f.rowSpan > 1 ? Qt::AlignTop | Qt::AlignLeft : Qt::AlignVCenter | Qt::AlignLeft);
    }
    QWidget *w = createField(f, box);
    if (!w)
        return;
    m_fields.insert(f.name, w);
    if (auto *label = m_labels.value(f.name))
        label->setBuddy(w);
    if (f.kind == FieldKind::ImageGroup || f.kind == FieldKind::Grid || (f.kind == FieldKind::Memo && f.label.isEmpty()))
        layout->addWidget(w, row, col, f.rowSpan, f.kind == FieldKind::Memo ? 2 : -1);
    else
        layout->addWidget(w, row, col + 1, f.rowSpan, 3 * (f.columnSpan - 1) + 1);

    QList<QWidget *> buttons;
    addButtons(f, w, box, buttons);
    if (!buttons.isEmpty()) {
        auto *holder = new QWidget(box);
        auto *h = new QHBoxLayout(holder);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(1);
        for (QWidget *b : buttons) {
            b->setParent(holder);
            h->addWidget(b, 0, Qt::AlignTop);
        }
        h->addStretch();
        layout->addWidget(holder, row, col + 3 * (f.columnSpan - 1) + 2, f.rowSpan, 1, Qt::AlignTop);
        m_buttons.insert(f.name, buttons);
    }
    if (isStoredKind(f.kind))
        bindField(f, w);
}

QWidget *FormWindow::createField(const FieldDef &f, QWidget *parent)
{
    QWidget *w = nullptr;
    switch (f.kind) {
    case FieldKind::Edit:
        w = new QLineEdit(parent);
        break;
    case FieldKind::AlignedEdit: {
        auto *edit = new QLineEdit(parent);
        edit->setAlignment(Qt::AlignRight);
        w = edit;
        break;
    }
    case FieldKind::Combo: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
        w = combo;
        break;
    }
    case FieldKind::SortedCombo: {
        auto *combo = new SortedComboBox(parent);
        // The store's longest entry must not decide the window's width.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
        combo->setSorted(f.sortedList);
        m_sortedBoxes << combo;
        w = combo;
        break;
    }
    case FieldKind::Check:
        w = new QCheckBox(f.text, parent);
        break;
    case FieldKind::Radio:
        w = new QRadioButton(f.text, parent);
        break;
    case FieldKind::Memo: {
        auto *memo = new QPlainTextEdit(parent);
        memo->setTabChangesFocus(true);
        memo->setFixedHeight(f.fixedHeight > 0 ? f.fixedHeight : 64);
        w = memo;
        break;
    }
    case FieldKind::Date:
        w = new DateEdit(parent);
        break;
    case FieldKind::Grid:
    case FieldKind::UnitRow: {
        auto *grid = new TypedGrid(parent);
        grid->setDimensions(f.grid.rows, f.grid.columns);
        grid->setFixedRows(f.grid.fixedRows);
        grid->setFixedColumns(f.grid.fixedColumns);
        for (int c = 0; c < f.grid.columns; ++c) {
            const int width = f.grid.columnWidths.isEmpty()
                ? 64 : f.grid.columnWidths.value(c, f.grid.columnWidths.last());
            grid->setColumnWidth(c, width);
        }
        for (auto it = f.grid.alignments.cbegin(); it != f.grid.alignments.cend(); ++it)
            grid->setColumnAlignment(it.key(), it.value());
        for (auto it = f.grid.dropDowns.cbegin(); it != f.grid.dropDowns.cend(); ++it)
            grid->setColumnDropDown(it.key(), it.value());
        if (f.grid.rowHeight > 0)
            grid->setRowHeightAll(f.grid.rowHeight);
        if (f.grid.headings == GridHeadings::Drawn)
            grid->setDrawnTitles(f.grid.columnTitles);
        grid->setAlwaysShowEditor(f.grid.alwaysShowEditor);
        w = grid;
        break;
    }
    case FieldKind::Label:
        w = new QLabel(f.text, parent);
        break;
    case FieldKind::Button: {
        auto *button = new QPushButton(f.text, parent);
        if (f.command != GridCommand::None) {
            // The command acts on the grid's current cell, which the button's focus leaves alone.
            const GridCommand command = f.command;
            const QString target = f.target;
            connect(button, &QPushButton::clicked, this, [this, command, target] { runGridCommand(command, target); });
        }
        w = button;
        break;
    }
    case FieldKind::Custom:
        w = createCustomField(f, parent);
        break;
    case FieldKind::ImageGroup:
        m_imageGroup = new ImageGroup(f.text, parent);
        connect(m_imageGroup, &ImageGroup::pictureSet, this, &FormWindow::keepPicture);
        connect(m_imageGroup, &ImageGroup::changed, this, &FormWindow::ChangeFlag);
        connect(m_imageGroup, &ImageGroup::sketchBrowserRequested, this, &FormWindow::openSketchBrowserClick);
        w = m_imageGroup;
        break;
    }
    if (w) {
        w->setObjectName(f.name);
        if (qobject_cast<QLabel *>(w))
            attachHelpOf(w);
        if (f.minimumWidth > 0)
            w->setMinimumWidth(f.minimumWidth);
        // A value read from a file is never cut short: Qt's line edits stop at 32767
        // characters unless told otherwise, and Save would write what they kept.
        QList<QLineEdit *> edits = w->findChildren<QLineEdit *>();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edits << edit;
        for (QLineEdit *edit : edits)
            edit->setMaxLength(std::numeric_limits<int>::max());
    }
    return w;
}

void FormWindow::addButtons(const FieldDef &f, QWidget *fieldWidget, QWidget *parent, QList<QWidget *> &out)
{
    switch (f.buttons) {
    case FieldButtons::None:
        return;
    case FieldButtons::SaveDelete: {
        auto *box = qobject_cast<QComboBox *>(fieldWidget);
        auto *saveButton = new TZorUserDataButton(parent);
        saveButton->setGlyph(TZorUserDataButton::Glyph::Save);
        saveButton->setObjectName(f.name + QStringLiteral("Save"));
        saveButton->setReferencedComboBox(box);
        auto *delButton = new TZorUserDataButton(parent);
        delButton->setGlyph(TZorUserDataButton::Glyph::Delete);
        delButton->setObjectName(f.name + QStringLiteral("Del"));
        delButton->setReferencedComboBox(box);
        connect(saveButton, &QAbstractButton::clicked, this, [this, box] { boundSave(box); });
        connect(delButton, &QAbstractButton::clicked, this, [this, box] { boundDelete(box); });
        out << saveButton << delButton;
        break;
    }
    case FieldButtons::Memo: {
        auto *memo = qobject_cast<QPlainTextEdit *>(fieldWidget);
        auto *button = new TZorUserDataButton(parent);
        button->setGlyph(TZorUserDataButton::Glyph::Memo);
        button->setReferencedComboBox(memo);
        button->setObjectName(f.name + QStringLiteral("Memo"));
        connect(button, &QAbstractButton::clicked, this, [this, memo] { openMemoClick(memo); });
        out << button;
        break;
    }
    case FieldButtons::UserInfo: {
        auto *button = new QToolButton(parent);
        button->setObjectName(QStringLiteral("openUserInfo"));
        button->setText(QStringLiteral("..."));
        button->setToolTip(m_table.userInfoHint);
        button->setFixedSize(21, 21);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, &FormWindow::openUserInfoClick);
        out << button;
        break;
    }
    }
    for (QWidget *b : out)
        b->setFocusPolicy(Qt::NoFocus);
}

void FormWindow::bindField(const FieldDef &f, QWidget *w)
{
    // The value signals come for every change not made quietly (the window showing the
    // document makes its changes quietly); the changed-flag follows the user's changes.
    const auto keep = [this, f] { keepField(f); };
    switch (f.kind) {
    case FieldKind::Edit:
    case FieldKind::AlignedEdit:
        connect(static_cast<QLineEdit *>(w), &QLineEdit::textChanged, this, keep);
        connect(static_cast<QLineEdit *>(w), &QLineEdit::textChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Combo:
    case FieldKind::SortedCombo:
        connect(static_cast<QComboBox *>(w), &QComboBox::currentTextChanged, this, keep);
        connect(static_cast<QComboBox *>(w), &QComboBox::currentTextChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Check:
    case FieldKind::Radio:
        connect(static_cast<QAbstractButton *>(w), &QAbstractButton::toggled, this, keep);
        connect(static_cast<QAbstractButton *>(w), &QAbstractButton::toggled, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Memo:
        connect(static_cast<QPlainTextEdit *>(w), &QPlainTextEdit::textChanged, this, keep);
        connect(static_cast<QPlainTextEdit *>(w), &QPlainTextEdit::textChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Date:
        connect(static_cast<QDateEdit *>(w), &QDateEdit::dateChanged, this, keep);
        connect(static_cast<QDateEdit *>(w), &QDateEdit::dateChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Grid:
    case FieldKind::UnitRow: {
        auto *grid = static_cast<TypedGrid *>(w);
        // itemChanged also comes for the cells a command or the parameter plot writes.
        connect(grid, &QTableWidget::itemChanged, this, [this, name = f.name](QTableWidgetItem *item) {
            m_document.setCell(name, item->row(), item->column(), item->text());
        });
        connect(grid, &TypedGrid::cellEdited, this, [this](int, int) { ChangeFlag(); });
        break;
    }
    default:
        break;
    }
}

void FormWindow::onClick(const QString &fieldName, std::function<void()> handler)
{
    auto *button = qobject_cast<QAbstractButton *>(field(fieldName));
    Q_ASSERT_X(button, "FormWindow::onClick", qPrintable(fieldName));
    if (button)
        connect(button, &QAbstractButton::toggled, this, [handler](bool) { handler(); });
}

void FormWindow::onChange(const QString &fieldName, std::function<void()> handler)
{
    QWidget *w = field(fieldName);
    Q_ASSERT_X(w, "FormWindow::onChange", qPrintable(fieldName));
    // The reset and an open set the fields quietly: this runs on the user's changes.
    auto run = [handler] { handler(); };
    if (auto *combo = qobject_cast<QComboBox *>(w))
        connect(combo, &QComboBox::currentTextChanged, this, run);
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        connect(edit, &QLineEdit::textChanged, this, run);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        connect(memo, &QPlainTextEdit::textChanged, this, run);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        connect(button, &QAbstractButton::toggled, this, run);
    else if (auto *date = qobject_cast<QDateEdit *>(w))
        connect(date, &QDateEdit::dateChanged, this, run);
    else if (auto *g = qobject_cast<TypedGrid *>(w))
        connect(g, &TypedGrid::cellEdited, this, run);
}

void FormWindow::onFocusEntersPage(int page, std::function<void()> handler)
{
    connect(qApp, &QApplication::focusChanged, this, [this, page, handler](QWidget *old, QWidget *now) {
        QWidget *pageWidget = m_pageControl->widget(page);
        if (now && pageWidget->isAncestorOf(now) && !(old && pageWidget->isAncestorOf(old)))
            handler();
    });
}

} // namespace Brenvik
