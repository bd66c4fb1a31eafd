#include "core/appstate.h"
#include "document/formwindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

// The window's commands around its pages: the tab order, the navigation row and the File menu.

namespace Brenvik {

// Tab order reads each group as it is laid out: row by row, left to right, the groups in their
// order on the page. Fields laid out side by side (process 1 and 2) are visited across, as the
// eye reads them.
void FormWindow::orderTabs(QList<PlacedField> placed)
{
    auto groupIndex = [this](const QString &name) {
        for (int i = 0; i < m_table.groups.size(); ++i)
            if (m_table.groups.at(i).name == name)
                return i;
        return -1;
    };
    std::stable_sort(placed.begin(), placed.end(), [&](const PlacedField &a, const PlacedField &b) {
        const GroupDef &ga = m_table.groups.at(groupIndex(a.group));
        const GroupDef &gb = m_table.groups.at(groupIndex(b.group));
        if (ga.page != gb.page)
            return ga.page < gb.page;
        if (ga.row != gb.row || ga.column != gb.column)
            return std::make_pair(ga.row, ga.column) < std::make_pair(gb.row, gb.column);
        return std::make_pair(a.row, a.column) < std::make_pair(b.row, b.column);
    });
    QWidget *previous = nullptr;
    for (const PlacedField &p : std::as_const(placed)) {
        QWidget *w = m_fields.value(p.name);
        if (!w || w->focusPolicy() == Qt::NoFocus || qobject_cast<QLabel *>(w))
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

QHBoxLayout *FormWindow::buildNavigation()
{
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

    connect(m_backPage, &QPushButton::clicked, this, &FormWindow::backPageClick);
    connect(m_nextPage, &QPushButton::clicked, this, &FormWindow::nextPageClick);
    connect(m_viewReport, &QPushButton::clicked, this, &FormWindow::viewReportClick);
    connect(m_closeButton, &QPushButton::clicked, this, &FormWindow::Exit1Click);
    connect(m_pageShowing, &QComboBox::activated, this, [this](int) { PageShowingChange(); });
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int) {
        if (!m_silentPageChange)
            PageControl1Change();
    });
    return nav;
}

void FormWindow::buildMenu()
{
    m_fileMenu = new QMenu(tr("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("MainMenu1"));
    auto host = [] { return AppState::instance().host(); };
    m_fileMenu->addAction(tr("&New..."), QKeySequence::New, this, [host] {
        if (ShellHost *h = host())
            h->newDocument();
    });
    m_fileMenu->addAction(tr("&Open"), QKeySequence::Open, this, [host] {
        if (ShellHost *h = host())
            h->openDocument();
    });
    m_fileMenu->addAction(tr("&Save"), QKeySequence::Save, this, [this] { Save1Click(); });
    m_fileMenu->addAction(tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                          &FormWindow::SaveAs1Click);
    m_fileMenu->addAction(tr("Pre&view"), this, &FormWindow::viewReportClick);
    m_fileMenu->addAction(tr("&Print..."))->setVisible(false);
    m_fileMenu->addAction(tr("P&rint Setup..."))->setVisible(false);
    m_fileMenu->addSeparator();
    m_closeAction = m_fileMenu->addAction(tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_W), this, &FormWindow::Exit1Click);
    m_fileMenu->addAction(tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, [host] {
        if (ShellHost *h = host())
            h->quit();
    });
}

QMenu *FormWindow::fileMenu()
{
    return m_fileMenu;
}
} // namespace Brenvik
