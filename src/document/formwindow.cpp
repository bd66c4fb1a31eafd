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
#include "document/control/controlactions.h"
#include "document/formwindowdetail.h"
#include "document/imagegroup.h"
#include "report/formreport.h"
#include "userdata/userdatahooks.h"
#include "userdata/userproperties.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
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

std::function<bool(FormWindow *)> &sketchBrowserHook()
{
    static std::function<bool(FormWindow *)> hook;
    return hook;
}

std::function<void(FormWindow *, TypedGrid *)> &parameterPlotHook()
{
    static std::function<void(FormWindow *, TypedGrid *)> hook;
    return hook;
}

} // namespace

using namespace FormWindowDetail;


FormWindow::FormWindow(const FormTable &table, QWidget *parent)
    : QWidget(parent), m_table(table)
{
    setObjectName(m_table.description.formType);
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(&AppState::instance(), &AppState::changedFlagChanged, this,
            [this](bool changed) { setWindowModified(changed); });
}

FormWindow::~FormWindow()
{
    AppState &state = AppState::instance();
    if (!m_closing)
        state.announceClosing(this);
    if (state.currentDocument() == static_cast<DocumentWindow *>(this))
        state.setCurrentDocument(nullptr);
}

void FormWindow::setSketchBrowser(std::function<bool(FormWindow *)> open)
{
    sketchBrowserHook() = std::move(open);
}

void FormWindow::setParameterPlot(std::function<void(FormWindow *, TypedGrid *)> open)
{
    parameterPlotHook() = std::move(open);
}

bool FormWindow::hasParameterPlot()
{
    return bool(parameterPlotHook());
}

// ---------------------------------------------------------------------------------------
// Placement and caption

void FormWindow::updateCaption()
{
    QString title = m_table.description.caption;
    if (!fileName().isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(fileName()).fileName();
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
    m_document.setFileName(path);
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
            {
                const QSignalBlocker block(m_pageShowing);
                m_pageShowing->setCurrentIndex(i);
            }
            runPageHooks(true);
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
    runPageHooks(false);
}

void FormWindow::onPageShown(int page, std::function<void()> handler, PagePaths paths)
{
    m_pageHooks.append({page, std::move(handler), paths});
}

void FormWindow::runPageHooks(bool everyPathOnly)
{
    const int page = currentPage();
    for (const PageHook &hook : m_pageHooks)
        if (hook.page == page && (!everyPathOnly || hook.paths == PagePaths::EveryPath))
            hook.handler();
}

// ---------------------------------------------------------------------------------------
// Unit switches

void FormWindow::connectUnitSwitches()
{
    for (const UnitSwitchDef &sw : m_table.unitSwitches) {
        for (const QString &name : {sw.metric, sw.imperial}) {
            auto *button = qobject_cast<QAbstractButton *>(field(name));
            Q_ASSERT_X(button, "FormWindow::connectUnitSwitches", qPrintable(name));
            // A click runs the switch; the reset and an open set the buttons quietly.
            connect(button, &QAbstractButton::toggled, this, [this, sw](bool) { runUnitSwitch(sw, true); });
        }
    }
}

void FormWindow::unitSwitchClick(const QString &buttonName)
{
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        if (sw.metric == buttonName || sw.imperial == buttonName)
            runUnitSwitch(sw, true);
}

void FormWindow::runUnitSwitch(const UnitSwitchDef &sw, bool writeCells)
{
    runRule([&sw, writeCells](FormDocument &d) { d.runUnitSwitch(sw, writeCells); });
    ChangeFlag();
}

// The unit labels follow the document's switches.
void FormWindow::relabelUnits()
{
    for (const UnitSwitchDef &sw : m_table.unitSwitches) {
        const bool isImperial = m_document.isImperial(sw);
        for (const QString &name : sw.labels)
            if (auto *label = qobject_cast<QLabel *>(field(name)))
                label->setText(isImperial ? sw.imperialLabel : sw.metricLabel);
    }
}

void FormWindow::PageShowingChange()
{
    gotoPageCaption(m_pageShowing->currentText());
}

// ---------------------------------------------------------------------------------------
// Commands

void FormWindow::ChangeFlag()
{
    AppState::instance().setChanged(true);
}

bool FormWindow::Save1Click()
{
    if (ControlActions *control = ControlActions::of(this); control && !control->maySave())
        return false;
    if (fileName().isEmpty()) {
        FileDialogOptions options;
        options.title = QStringLiteral("Save Welding Report");
        options.filter = m_table.description.fileFilter;
        options.defaultSuffix = kDocumentSuffix;
        options.overwritePrompt = true;
        const QString path = platform().saveFile(options);
        if (path.isEmpty()) {
            errorBox(QStringLiteral("Error"), QStringLiteral("Error in saving file."));
            return false;
        }
        setFileName(path);
    } else if (m_document.diskStamp().isOf(fileName()) && m_document.diskStamp().changedOnDisk()) {
        // Someone else has saved this file meanwhile: writing now would throw their work away.
        enum { Overwrite, SaveAsNew };
        const int choice = platform().choose(
            MsgIcon::Warning, QStringLiteral("Warning"),
            QStringLiteral("%1 has been changed on disk since it was opened or last saved here, by another "
                           "user or program.\r\n\r\nOverwrite it with this document (the other changes are "
                           "lost), save this document as a new file, or cancel?")
                .arg(QDir::toNativeSeparators(fileName())),
            {QStringLiteral("&Overwrite"), QStringLiteral("Save &As..."), QStringLiteral("Cancel")});
        if (choice == SaveAsNew) {
            if (!saveAsChosenFile())
                return false;
            AppState::instance().setChanged(false);
            return true;
        }
        if (choice != Overwrite)
            return false;
    }
    if (!saveFile(fileName()))
        return false;
    AppState::instance().setChanged(false);
    return true;
}

void FormWindow::SaveAs1Click()
{
    saveAsChosenFile();
}

bool FormWindow::saveAsChosenFile()
{
    if (ControlActions *control = ControlActions::of(this); control && !control->maySave())
        return false;
    FileDialogOptions options;
    options.title = QStringLiteral("Save Welding Report");
    options.filter = m_table.description.fileFilter;
    options.defaultSuffix = kDocumentSuffix;
    options.fileName = fileName();
    options.overwritePrompt = true;
    const QString path = platform().saveFile(options);
    if (path.isEmpty())
        return false;
    setFileName(path);
    return saveFile(path);
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
    // The main window lets go of the document now, while it is whole, and updates its menus
    // and buttons once it is gone.
    state.announceClosing(this);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->deleteLater();
    else
        deleteLater();
    hide();
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
    // A browse that handed nothing back (Cancel, or no sketch library) leaves the document as
    // it was.
    if (sketchBrowserHook() && sketchBrowserHook()(this))
        ChangeFlag();
}

void FormWindow::selectParamClick()
{
    TypedGrid *target = m_table.parameterTarget.isSet() ? grid(m_table.parameterTarget.grid) : nullptr;
    if (parameterPlotHook() && target)
        parameterPlotHook()(this, target);
    ChangeFlag();
}

FormReport *FormWindow::prepareReport()
{
    if (!m_report)
        m_report = FormReportRegistry::create(formType(), this);
    if (m_report) {
        m_report->prepareRpt(m_document);
        if (ControlActions *control = ControlActions::of(this))
            control->decorate(*m_report);
    }
    return m_report;
}

void FormWindow::viewReportClick()
{
    if (FormReport *report = prepareReport())
        previewReport(report, this, fileName());
}

void FormWindow::userPropertySaveClick(QComboBox *box)
{
    UserProperties::saveUserProperty(formType(), box, m_sortedBoxes);
}

void FormWindow::userPropertyDelClick(QComboBox *box)
{
    UserProperties::delUserProperty(formType(), box, m_sortedBoxes);
}

void FormWindow::boundSave(QComboBox *box)
{
    for (const LinkedPairDef &pair : m_table.linkedPairs)
        if (box->objectName() == pair.first || box->objectName() == pair.second) {
            UserProperties::saveLinkedPair(formType(), box, fieldAs<QComboBox>(pair.first),
                                           fieldAs<QComboBox>(pair.second), pair.sections, m_sortedBoxes);
            return;
        }
    userPropertySaveClick(box);
}

void FormWindow::boundDelete(QComboBox *box)
{
    for (const LinkedPairDef &pair : m_table.linkedPairs)
        if (box->objectName() == pair.first || box->objectName() == pair.second) {
            UserProperties::delLinkedPair(formType(), box, fieldAs<QComboBox>(pair.first),
                                          fieldAs<QComboBox>(pair.second), pair.sections, m_sortedBoxes);
            return;
        }
    userPropertyDelClick(box);
}

// ---------------------------------------------------------------------------------------
// Commands of a form in the menus

QAction *FormWindow::addFileAction(const QString &name, const QString &text, std::function<void()> handler)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, std::move(handler));
    m_fileMenu->insertAction(m_closeAction, action);
    m_fileMenu->insertSeparator(m_closeAction);
    return action;
}

QAction *FormWindow::addToolAction(const QString &name, const QString &text, std::function<void()> handler)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, std::move(handler));
    m_toolActions << action;
    return action;
}

} // namespace Brenvik
