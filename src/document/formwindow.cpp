#include "document/formwindow.h"

#include "controls/dateedit.h"
#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "controls/tzoruserdatabutton.h"
#include "core/appstate.h"
#include "core/dates.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "document/imagegroup.h"
#include "report/formreport.h"
#include "userdata/userdatahooks.h"
#include "userdata/userproperties.h"

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

namespace Brenvik {

namespace {

std::function<void(FormWindow *)> &sketchBrowserHook()
{
    static std::function<void(FormWindow *)> hook;
    return hook;
}

std::function<void(FormWindow *, TypedGrid *)> &parameterPlotHook()
{
    static std::function<void(FormWindow *, TypedGrid *)> hook;
    return hook;
}

// Quiet while a walk sets the fields: the walk is not an edit.
class LoadingGuard {
public:
    explicit LoadingGuard(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~LoadingGuard() { m_flag = m_previous; }

private:
    bool &m_flag;
    bool m_previous;
};

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::Edit || kind == FieldKind::AlignedEdit || kind == FieldKind::Combo
        || kind == FieldKind::SortedCombo;
}

bool isGridKind(FieldKind kind)
{
    return kind == FieldKind::Grid || kind == FieldKind::UnitRow;
}

bool deferredInWalk(const FieldDef &f)
{
    return (f.kind == FieldKind::Date && f.dateAfterWalk)
        || (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle);
}

QString widgetText(const QWidget *w)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(w))
        return memo->toPlainText();
    return QString();
}

void setWidgetText(QWidget *w, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                combo->setEditText(text);
        } else {
            combo->setCurrentIndex(combo->findText(text));
        }
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
}

GridCells cellsOf(const TypedGrid *grid)
{
    GridCells cells(grid->rowCount());
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList &row = cells[r];
        row.reserve(grid->columnCount());
        for (int c = 0; c < grid->columnCount(); ++c)
            row << grid->cell(r, c);
    }
    return cells;
}

void setCells(TypedGrid *grid, const GridCells &cells)
{
    for (int r = 0; r < cells.size() && r < grid->rowCount(); ++r)
        for (int c = 0; c < cells.at(r).size() && c < grid->columnCount(); ++c)
            if (grid->cell(r, c) != cells.at(r).at(c))
                grid->setCell(r, c, cells.at(r).at(c));
}

} // namespace

FormWindow::FormWindow(const FormTable &table, QWidget *parent)
    : QWidget(parent), m_table(table), m_walk(m_table)
{
    setObjectName(m_table.formType);
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(&AppState::instance(), &AppState::changedFlagChanged, this,
            [this](bool changed) { setWindowModified(changed); });
}

FormWindow::~FormWindow()
{
    AppState &state = AppState::instance();
    if (state.currentDocument() == static_cast<DocumentWindow *>(this))
        state.setCurrentDocument(nullptr);
}

void FormWindow::setSketchBrowser(std::function<void(FormWindow *)> open)
{
    sketchBrowserHook() = std::move(open);
}

void FormWindow::setParameterPlot(std::function<void(FormWindow *, TypedGrid *)> open)
{
    parameterPlotHook() = std::move(open);
}

// ---------------------------------------------------------------------------------------
// Creation

void FormWindow::FormCreate()
{
    LoadingGuard guard(m_loading);
    m_report = nullptr;
    buildPages();
    buildMenu();
    iniPageShowing();
    m_silentPageChange = true;
    m_pageControl->setCurrentIndex(0);
    m_silentPageChange = false;
    connectHandlers();
    screenSetUp();
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
                needed = qMax(needed, metrics.horizontalAdvance(g->cell(r, c)) + 10);
            g->setColumnWidth(c, needed);
            width += needed;
        }
        int height = 2 * g->frameWidth();
        for (int r = 0; r < g->rowCount(); ++r)
            height += g->rowHeight(r);
        g->setFixedSize(width, height);
    }
}

void FormWindow::buildPages()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(m_pageControl);

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

    // Where each field went, for the tab order.
    struct Placed {
        QString group;
        int row;
        int column;
        QString name;
    };
    QList<Placed> placed;

    // One grid layout per group: label, field and buttons take three columns per field column.
    QHash<QString, QGridLayout *> groupLayouts;
    QHash<QString, int> nextRow;
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

    for (const FieldDef &f : m_table.fields) {
        QGridLayout *layout = groupLayouts.value(f.group);
        Q_ASSERT_X(layout, "FormWindow", qPrintable(f.name + QStringLiteral(": unknown group")));
        QWidget *box = layout->parentWidget();

        // The image group hosts two stored fields of its own.
        if (m_imageGroup && f.name == QLatin1String("imageIfResize")) {
            m_fields.insert(f.name, m_imageGroup->imageIfResize());
            wireChangeFlag(f, m_imageGroup->imageIfResize());
            continue;
        }
        if (m_imageGroup && f.name == QLatin1String("imageSourceFile")) {
            m_fields.insert(f.name, m_imageGroup->imageSourceFile());
            wireChangeFlag(f, m_imageGroup->imageSourceFile());
            continue;
        }

        int row = f.row >= 0 ? f.row : nextRow.value(f.group, 0);
        nextRow[f.group] = qMax(nextRow.value(f.group, 0), row + f.rowSpan);
        placed.append({f.group, row, f.column, f.name});
        const int col = f.column * 3;

        if (!f.label.isEmpty()) {
            auto *label = new QLabel(f.label, box);
            label->setObjectName(f.labelName.isEmpty() ? f.name + QStringLiteral("Label") : f.labelName);
            m_labels.insert(f.name, label);
            layout->addWidget(label, row, col, f.rowSpan, 1,
                              f.rowSpan > 1 ? Qt::AlignTop | Qt::AlignLeft : Qt::AlignVCenter | Qt::AlignLeft);
        }
        QWidget *w = createField(f, box);
        if (!w)
            continue;
        m_fields.insert(f.name, w);
        if (auto *label = m_labels.value(f.name))
            label->setBuddy(w);
        if (f.kind == FieldKind::ImageGroup || f.kind == FieldKind::Grid
            || (f.kind == FieldKind::Memo && f.label.isEmpty()))
            layout->addWidget(w, row, col, f.rowSpan, f.kind == FieldKind::Memo ? 2 : -1);
        else
            layout->addWidget(w, row, col + 1, f.rowSpan, 1);

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
            layout->addWidget(holder, row, col + 2, f.rowSpan, 1, Qt::AlignTop);
            m_buttons.insert(f.name, buttons);
        }
        if (isStoredKind(f.kind))
            wireChangeFlag(f, w);
    }
    // Tab order reads each group as it is laid out: row by row, left to right, the groups in
    // their order on the page. Fields laid out side by side (process 1 and 2) are visited
    // across, as the eye reads them.
    auto groupIndex = [this](const QString &name) {
        for (int i = 0; i < m_table.groups.size(); ++i)
            if (m_table.groups.at(i).name == name)
                return i;
        return -1;
    };
    std::stable_sort(placed.begin(), placed.end(), [&](const Placed &a, const Placed &b) {
        const GroupDef &ga = m_table.groups.at(groupIndex(a.group));
        const GroupDef &gb = m_table.groups.at(groupIndex(b.group));
        if (ga.page != gb.page)
            return ga.page < gb.page;
        if (ga.row != gb.row || ga.column != gb.column)
            return std::make_pair(ga.row, ga.column) < std::make_pair(gb.row, gb.column);
        return std::make_pair(a.row, a.column) < std::make_pair(b.row, b.column);
    });
    QWidget *previous = nullptr;
    for (const Placed &p : placed) {
        QWidget *w = m_fields.value(p.name);
        if (!w || w->focusPolicy() == Qt::NoFocus || qobject_cast<QLabel *>(w))
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    for (QGridLayout *layout : groupLayouts) {
        const int columns = layout->columnCount();
        for (int c = 1; c < columns; c += 3)
            layout->setColumnStretch(c, 1);
    }

    // Navigation row: the page selector, then Previous / Next / View Report / Close.
    auto *nav = new QHBoxLayout;
    nav->setSpacing(6);
    m_pageShowing = new QComboBox(this);
    m_pageShowing->setObjectName(QStringLiteral("PageShowing"));
    m_pageShowing->setEditable(false);
    m_pageShowing->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    nav->addWidget(m_pageShowing);
    nav->addStretch();
    m_backPage = new QPushButton(tr("< Previous"), this);
    m_backPage->setObjectName(QStringLiteral("backPage"));
    m_nextPage = new QPushButton(tr("Next >"), this);
    m_nextPage->setObjectName(QStringLiteral("nextPage"));
    m_viewReport = new QPushButton(tr("View Report"), this);
    m_viewReport->setObjectName(QStringLiteral("viewReport"));
    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    for (QPushButton *b : {m_backPage, m_nextPage, m_viewReport, m_closeButton})
        nav->addWidget(b);
    outer->addLayout(nav);

    connect(m_backPage, &QPushButton::clicked, this, &FormWindow::backPageClick);
    connect(m_nextPage, &QPushButton::clicked, this, &FormWindow::nextPageClick);
    connect(m_viewReport, &QPushButton::clicked, this, &FormWindow::viewReportClick);
    connect(m_closeButton, &QPushButton::clicked, this, &FormWindow::Exit1Click);
    connect(m_pageShowing, &QComboBox::activated, this, [this](int) { PageShowingChange(); });
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int) {
        if (!m_silentPageChange)
            PageControl1Change();
    });
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
        w = grid;
        break;
    }
    case FieldKind::Label:
        w = new QLabel(f.text, parent);
        break;
    case FieldKind::Button:
        w = new QPushButton(f.text, parent);
        break;
    case FieldKind::Custom:
        w = createCustomField(f, parent);
        break;
    case FieldKind::ImageGroup:
        m_imageGroup = new ImageGroup(f.text, parent);
        connect(m_imageGroup, &ImageGroup::changed, this, &FormWindow::ChangeFlag);
        connect(m_imageGroup, &ImageGroup::sketchBrowserRequested, this, &FormWindow::openSketchBrowserClick);
        w = m_imageGroup;
        break;
    }
    if (w) {
        w->setObjectName(f.name);
        if (f.minimumWidth > 0)
            w->setMinimumWidth(f.minimumWidth);
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
        button->setToolTip(tr("User Information"));
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

void FormWindow::wireChangeFlag(const FieldDef &f, QWidget *w)
{
    switch (f.kind) {
    case FieldKind::Edit:
    case FieldKind::AlignedEdit:
        connect(static_cast<QLineEdit *>(w), &QLineEdit::textChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Combo:
    case FieldKind::SortedCombo:
        connect(static_cast<QComboBox *>(w), &QComboBox::currentTextChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Check:
    case FieldKind::Radio:
        connect(static_cast<QAbstractButton *>(w), &QAbstractButton::toggled, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Memo:
        connect(static_cast<QPlainTextEdit *>(w), &QPlainTextEdit::textChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Date:
        connect(static_cast<QDateEdit *>(w), &QDateEdit::dateChanged, this, &FormWindow::ChangeFlag);
        break;
    case FieldKind::Grid:
    case FieldKind::UnitRow:
        connect(static_cast<TypedGrid *>(w), &TypedGrid::cellEdited, this, [this](int, int) { ChangeFlag(); });
        break;
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

void FormWindow::buildMenu()
{
    m_fileMenu = new QMenu(tr("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("MainMenu1"));
    auto host = [] { return AppState::instance().host(); };
    m_fileMenu->addAction(tr("&New..."), this, [host] {
        if (ShellHost *h = host())
            h->newDocument();
    });
    m_fileMenu->addAction(tr("&Open"), this, [host] {
        if (ShellHost *h = host())
            h->openDocument();
    });
    m_fileMenu->addAction(tr("&Save"), this, [this] { Save1Click(); });
    m_fileMenu->addAction(tr("Save &As..."), this, &FormWindow::SaveAs1Click);
    m_fileMenu->addAction(tr("Pre&view"), this, &FormWindow::viewReportClick);
    m_fileMenu->addAction(tr("&Print..."))->setVisible(false);
    m_fileMenu->addAction(tr("P&rint Setup..."))->setVisible(false);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(tr("&Close"), this, &FormWindow::Exit1Click);
}

QMenu *FormWindow::fileMenu()
{
    return m_fileMenu;
}

// ---------------------------------------------------------------------------------------
// Placement and caption

void FormWindow::updateCaption()
{
    QString title = m_table.caption;
    if (!m_fileName.isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_fileName).fileName();
    setWindowTitle(title + QStringLiteral("[*]"));
}

void FormWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitToSubWindow();
    FormActivate();
}

bool FormWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn)
        FormActivate();
    return QWidget::event(event);
}

void FormWindow::FormActivate()
{
    if (m_closing)
        return;
    AppState &state = AppState::instance();
    state.setCurrentDocument(this);
    state.setCreated(formType(), true);
}

void FormWindow::fitToSubWindow()
{
    // A fixed frame with minimise and close only, at the top-left of the client area.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        const Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        if (sub->windowFlags() != flags) {
            sub->setWindowFlags(flags); // hides it: show it again
            sub->show();
        }
        sub->setOption(QMdiSubWindow::RubberBandResize, false);
        sub->adjustSize();
        sub->setFixedSize(sub->sizeHint());
        sub->move(0, 0);
    }
}

void FormWindow::setFileName(const QString &path)
{
    m_fileName = path;
    updateCaption();
}

// ---------------------------------------------------------------------------------------
// Pages

void FormWindow::iniPageShowing()
{
    const QSignalBlocker block(m_pageShowing);
    m_pageShowing->clear();
    m_pageShowing->addItems(m_table.pageCaptions());
}

int FormWindow::currentPage() const
{
    return m_pageControl->currentIndex();
}

void FormWindow::gotoPageCaption(const QString &caption)
{
    for (int i = 0; i < m_pageControl->count(); ++i) {
        if (m_table.pages.value(i).caption == caption) {
            m_silentPageChange = true;
            m_pageControl->setCurrentIndex(i);
            m_silentPageChange = false;
            const QSignalBlocker block(m_pageShowing);
            m_pageShowing->setCurrentIndex(i);
            return;
        }
    }
}

void FormWindow::nextPageClick()
{
    const int n = m_pageControl->count();
    m_silentPageChange = true;
    m_pageControl->setCurrentIndex((currentPage() + 1) % n);
    m_silentPageChange = false;
    PageControl1Change();
}

void FormWindow::backPageClick()
{
    const int n = m_pageControl->count();
    m_silentPageChange = true;
    m_pageControl->setCurrentIndex((currentPage() + n - 1) % n);
    m_silentPageChange = false;
    PageControl1Change();
}

void FormWindow::PageControl1Change()
{
    {
        const QSignalBlocker block(m_pageShowing);
        m_pageShowing->setCurrentIndex(currentPage());
    }
    pageEntered(currentPage());
}

void FormWindow::PageShowingChange()
{
    gotoPageCaption(m_pageShowing->currentText());
}

// ---------------------------------------------------------------------------------------
// Values and walks

TypedGrid *FormWindow::grid(const QString &name) const
{
    return qobject_cast<TypedGrid *>(field(name));
}

DocumentValues FormWindow::values() const
{
    DocumentValues v;
    v.imageFile = m_imageGroup ? m_imageGroup->imageFile() : QString();
    for (const FieldDef &f : m_table.fields) {
        QWidget *w = field(f.name);
        if (!w || !isStoredKind(f.kind))
            continue;
        if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
            v.texts.insert(f.name, widgetText(w));
        else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            v.checks.insert(f.name, static_cast<QAbstractButton *>(w)->isChecked());
        else if (f.kind == FieldKind::Date)
            v.dates.insert(f.name, static_cast<QDateEdit *>(w)->date());
        else if (isGridKind(f.kind))
            v.grids.insert(f.name, cellsOf(static_cast<TypedGrid *>(w)));
    }
    return v;
}

void FormWindow::setFieldValue(const FieldDef &f, const DocumentValues &v)
{
    QWidget *w = field(f.name);
    if (!w)
        return;
    if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
        setWidgetText(w, v.texts.value(f.name));
    else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
        setCheckedState(w, v.checks.value(f.name));
    else if (f.kind == FieldKind::Date)
        static_cast<QDateEdit *>(w)->setDate(v.dates.value(f.name));
    else if (isGridKind(f.kind) && v.grids.contains(f.name))
        setCells(static_cast<TypedGrid *>(w), v.grids.value(f.name));
}

void FormWindow::applyValues(const DocumentValues &v)
{
    LoadingGuard guard(m_loading);
    for (const FieldDef &f : m_table.fields)
        if (isStoredKind(f.kind) && !deferredInWalk(f))
            setFieldValue(f, v);
    afterOpenWalk();
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Date && f.dateAfterWalk)
            setFieldValue(f, v);
    for (const FieldDef &f : m_table.fields)
        if (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle)
            setFieldValue(f, v);
}

void FormWindow::setCheckedState(QWidget *w, bool checked)
{
    auto *button = qobject_cast<QAbstractButton *>(w);
    if (!button || button->isChecked() == checked)
        return;
    if (!checked && button->autoExclusive()) {
        // An auto-exclusive button refuses to uncheck itself; let go of the exclusivity for it.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
        return;
    }
    button->setChecked(checked);
}

void FormWindow::resetDocument()
{
    LoadingGuard guard(m_loading);
    setFileName(QString());
    DocumentValues v;
    m_walk.reset(v, platform().now().date());
    applyValues(v);
    UserDataDialogs::fillDefaultProfile(companyField(), addressField());
    resetDefaults();
    if (m_imageGroup) {
        m_imageGroup->setImageFile(QString());
        m_imageGroup->clearPicture();
    }
    applyUnitDefaults();
    afterLoad();
}

bool FormWindow::openFile(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load())
        return false;

    LoadingGuard guard(m_loading);
    resetDocument();
    DocumentValues v = values();
    QList<DateProblem> problems;
    m_walk.read(file, v, &problems);
    applyValues(v);
    if (m_imageGroup) {
        m_imageGroup->setImageFile(v.imageFile);
        const QString sketch = sketchFileName(path);
        if (QFileInfo::exists(sketch)) {
            Picture picture;
            QString error;
            if (picture.load(sketch, &error))
                m_imageGroup->setPicture(picture);
            else
                errorBox(QStringLiteral("Error"), error);
        } else {
            m_imageGroup->clearPicture();
        }
    }
    afterLoad();
    setFileName(path);
    // A date that cannot be read no longer stops the load: the picker shows today.
    for (const DateProblem &p : problems)
        errorBox(QStringLiteral("Error"), QStringLiteral("'%1' is not a valid date").arg(p.text));
    return true;
}

QString FormWindow::sketchFileName(const QString &documentPath)
{
    return fileBaseName(documentPath) + QStringLiteral("_img.bmp");
}

bool FormWindow::saveFile(const QString &path)
{
    const KeyValueList entries = m_walk.saveEntries(values());
    ProfileFile file(path, ProfileFile::Kind::Document);
    try {
        // An existing file that cannot be read must not be replaced by our keys alone.
        if (!file.load() && file.exists())
            throw FileError::unableToWrite(path);
        for (const auto &entry : entries)
            file.setValue(DocumentWalk::kSection, entry.first, entry.second);
        file.commit();
    } catch (const FileError &e) {
        errorBox(QStringLiteral("Error"), e.message());
        return false;
    }
    const QStringList lossy = file.lossyKeys();
    if (!lossy.isEmpty()) {
        QStringList names;
        for (const QString &key : lossy)
            names << key.section(QLatin1Char('/'), 1);
        platform().message(MsgIcon::Warning, QStringLiteral("Warning"),
                           QStringLiteral("Some characters cannot be stored in a welding report file "
                                          "and were saved as \"?\" in these fields:\r\n")
                               + names.join(QStringLiteral(", ")));
    }
    const Picture picture = m_imageGroup ? m_imageGroup->picture() : Picture();
    const Picture toWrite = picture.isNull() ? Picture::blank(ImageGroup::boxSize()) : picture;
    if (!toWrite.saveAsBitmap(sketchFileName(path))) {
        errorBox(QStringLiteral("Zor Error"), QStringLiteral("Error in saving image file."));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Commands

void FormWindow::ChangeFlag()
{
    if (!m_loading)
        AppState::instance().setChanged(true);
}

bool FormWindow::Save1Click()
{
    if (m_fileName.isEmpty()) {
        FileDialogOptions options;
        options.title = QStringLiteral("Save Welding Report");
        options.filter = QStringLiteral("Welding Reports (*.WRP)|*.wrp|Others (*.*)|*.*");
        options.defaultSuffix = QStringLiteral("wrp");
        options.overwritePrompt = true;
        const QString path = platform().saveFile(options);
        if (path.isEmpty()) {
            errorBox(QStringLiteral("Error"), QStringLiteral("Error in saving file."));
            return false;
        }
        setFileName(path);
    }
    if (!saveFile(m_fileName))
        return false;
    AppState::instance().setChanged(false);
    return true;
}

void FormWindow::SaveAs1Click()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Save Welding Report");
    options.filter = QStringLiteral("Welding Reports (*.WRP)|*.wrp|Others (*.*)|*.*");
    options.defaultSuffix = QStringLiteral("wrp");
    options.fileName = m_fileName;
    options.overwritePrompt = true;
    const QString path = platform().saveFile(options);
    if (path.isEmpty())
        return;
    setFileName(path);
    saveFile(path);
}

bool FormWindow::closeDocument()
{
    AppState &state = AppState::instance();
    ShellHost *host = state.host();
    if (host && !host->promptAlreadyAnswered() && !host->changedDocumentPrompt())
        return false;
    state.setChanged(false);
    if (state.currentDocument() == static_cast<DocumentWindow *>(this))
        state.setCurrentDocument(nullptr);
    state.setCreated(formType(), false);
    m_closing = true;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->deleteLater();
    else
        deleteLater();
    hide();
    if (host)
        host->checkButton();
    return true;
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing || closeDocument())
        event->accept();
    else
        event->ignore();
}

void FormWindow::openUserInfoClick()
{
    UserDataDialogs::openUserInfo(companyField(), addressField());
}

void FormWindow::openMemoClick(QPlainTextEdit *memo)
{
    if (memo)
        UserDataDialogs::openMemo(formType(), memo);
}

void FormWindow::openSketchBrowserClick()
{
    if (sketchBrowserHook())
        sketchBrowserHook()(this);
    ChangeFlag();
}

void FormWindow::selectParamClick()
{
    TypedGrid *target = nullptr;
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Grid && !target)
            target = grid(f.name);
    if (parameterPlotHook() && target)
        parameterPlotHook()(this, target);
    ChangeFlag();
}

FormReport *FormWindow::prepareReport()
{
    if (!m_report)
        m_report = FormReportRegistry::create(formType(), this);
    if (m_report)
        m_report->prepareRpt(*this);
    return m_report;
}

void FormWindow::viewReportClick()
{
    if (FormReport *report = prepareReport())
        previewReport(report, this);
}

void FormWindow::userPropertySaveClick(QComboBox *box)
{
    UserProperties::saveUserProperty(formType(), box, m_sortedBoxes);
}

void FormWindow::userPropertyDelClick(QComboBox *box)
{
    UserProperties::delUserProperty(formType(), box, m_sortedBoxes);
}

// ---------------------------------------------------------------------------------------
// Report source

QList<CollectedField> FormWindow::collectFields() const
{
    QList<CollectedField> out;
    for (const FieldDef &f : m_table.fields) {
        QWidget *w = field(f.name);
        if (!w)
            continue;
        if (isTextKind(f.kind))
            out.append({f.name, widgetText(w)});
        else if (f.kind == FieldKind::Date)
            out.append({f.name, formatReportDate(static_cast<QDateEdit *>(w)->date())});
        else if (f.kind == FieldKind::Check)
            out.append({f.name, static_cast<QAbstractButton *>(w)->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No")});
        else if (f.kind == FieldKind::Memo)
            out.append({f.name, encodeMemo(widgetText(w))});
    }
    return out;
}

bool FormWindow::isChecked(const QString &controlName) const
{
    auto *button = qobject_cast<QAbstractButton *>(field(controlName));
    return button && button->isChecked();
}

QString FormWindow::gridCell(const QString &gridName, int row, int column) const
{
    const TypedGrid *g = grid(gridName);
    if (!g || row < 0 || column < 0 || row >= g->rowCount() || column >= g->columnCount())
        return QString();
    return g->cell(row, column);
}

int FormWindow::gridRowCount(const QString &gridName) const
{
    const TypedGrid *g = grid(gridName);
    return g ? g->rowCount() : 0;
}

int FormWindow::gridColumnCount(const QString &gridName) const
{
    const TypedGrid *g = grid(gridName);
    return g ? g->columnCount() : 0;
}

Picture FormWindow::sketch() const
{
    return m_imageGroup ? m_imageGroup->picture() : Picture();
}

} // namespace Brenvik
