#include "shell/tmenuform.h"

#include "core/documentwindow.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "document/formdescription.h"
#include "duplicator/duplicatorentry.h"
#include "register/registerdock.h"
#include "shell/clifiles.h"
#include "shell/recentmenu.h"
#include "shell/taboutbox.h"
#include "shell/tnewformdlg.h"
#include "userdata/userdatahooks.h"
#include "welder/weldersdock.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWhatsThis>
#include <QToolBar>
#include <QToolButton>

// The glyphs live in a static library: its resources are registered by hand.
static void initShellResources() { Q_INIT_RESOURCE(shell); }

namespace Brenvik {

namespace {

const QString kRegisterShown = QStringLiteral("register/visible");
const QString kRegisterArea = QStringLiteral("register/area");
const QString kLastNewType = QStringLiteral("new/type");

const QKeySequence kSaveAsKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_S);

QAction *namedAction(QMenu *menu, const QString &name, const QString &text, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

} // namespace

TmenuForm::TmenuForm(QWidget *parent)
    : QMainWindow(parent)
    , m_mdi(new QMdiArea(this))
    , m_coolBar(new QToolBar(this))
{
    initShellResources();
    setObjectName(QStringLiteral("TmenuForm"));
    // "[*]" shows the changed-flag in the caption; the caption itself reads "Brenvik".
    setWindowTitle(QStringLiteral("Brenvik[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/shell/glyphs/brenvik.svg")));
    AppState::instance().clearCreated();

    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setBackground(QBrush(backgroundTile()));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);

    m_coolBar->setObjectName(QStringLiteral("CoolBar1"));
    m_coolBar->setOrientation(Qt::Vertical);
    m_coolBar->setMovable(false);
    m_coolBar->setFloatable(false);
    m_coolBar->setIconSize(QSize(24, 24));
    m_coolBar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::LeftToolBarArea, m_coolBar);

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    m_fileMenu = new QMenu(QStringLiteral("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("File1"));
    QAction *newAction = namedAction(m_fileMenu, QStringLiteral("New1"), QStringLiteral("&New"), QKeySequence::New);
    connect(newAction, &QAction::triggered, this, &TmenuForm::newDocument);
    QAction *openAction =
        namedAction(m_fileMenu, QStringLiteral("Open1"), QStringLiteral("&Open..."), QKeySequence::Open);
    connect(openAction, &QAction::triggered, this, &TmenuForm::openDocument);
    m_recent = new RecentMenu(this);
    m_fileMenu->addMenu(m_recent);
    // While a document is open its own File menu stands here; these act on it all the same,
    // for the tool buttons.
    QAction *saveAction = namedAction(m_fileMenu, QStringLiteral("Save1"), QStringLiteral("&Save"), QKeySequence::Save);
    connect(saveAction, &QAction::triggered, this, &TmenuForm::saveFileClick);
    connect(namedAction(m_fileMenu, QStringLiteral("SaveAs1"), QStringLiteral("Save &As..."), kSaveAsKeys),
            &QAction::triggered, this, [this] {
                if (DocumentWindow *doc = document())
                    doc->saveAs();
            });
    namedAction(m_fileMenu, QStringLiteral("Print1"), QStringLiteral("&Print"))->setVisible(false);
    QAction *previewAction = namedAction(m_fileMenu, QStringLiteral("Preview1"), QStringLiteral("Pre&view"));
    connect(previewAction, &QAction::triggered, this, &TmenuForm::previewReportClick);
    namedAction(m_fileMenu, QStringLiteral("PrintSetup1"), QStringLiteral("P&rint Setup..."))->setVisible(false);
    m_fileMenu->addSeparator();
    connect(namedAction(m_fileMenu, QStringLiteral("Close1"), QStringLiteral("&Close"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &QWidget::close);
    m_fileMenuAction = menuBar()->addMenu(m_fileMenu);
    m_shownFileMenu = m_fileMenu;

    // Each tool button is its File entry: one command, one enabling.
    addToolButton(QStringLiteral("newFile"), QStringLiteral("new"), QStringLiteral("New"), newAction);
    addToolButton(QStringLiteral("openFile"), QStringLiteral("open"), QStringLiteral("Open"), openAction);
    addToolButton(QStringLiteral("saveFile"), QStringLiteral("save"), QStringLiteral("Save"), saveAction);
    QToolButton *print = addToolButton(QStringLiteral("printReport"), QStringLiteral("print"), QStringLiteral("Print"), nullptr);
    print->setEnabled(false);
    // A hidden widget on a tool bar is hidden through its action.
    for (QAction *a : m_coolBar->actions())
        if (m_coolBar->widgetForAction(a) == print)
            a->setVisible(false);
    addToolButton(QStringLiteral("previewReport"), QStringLiteral("preview"), QStringLiteral("Preview"), previewAction);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    addRegisterDock(view);
    // The welders' qualifications, a second tab beside the register, on the register's folder.
    auto *welders = new WeldersDock(this);
    welders->setFolderSource([this] { return m_register->folder(); });
    tabifyDockWidget(m_register, welders);
    welders->hide();
    welders->toggleViewAction()->setObjectName(QStringLiteral("Welders1"));
    // Shown, it comes to the front of the tabs it shares (once it is shown there).
    connect(welders->toggleViewAction(), &QAction::toggled, welders, [welders](bool shown) {
        if (shown)
            QTimer::singleShot(0, welders, [welders] { welders->raise(); });
    });
    view->addAction(welders->toggleViewAction());

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    m_toolsMenu = tools;
    tools->setObjectName(QStringLiteral("Tools1"));
    connect(namedAction(tools, QStringLiteral("UserInformation1"), QStringLiteral("&User Information")),
            &QAction::triggered, this, &TmenuForm::userInformation);
    connect(namedAction(tools, QStringLiteral("FormBatchEditor1"), QStringLiteral("Form Batch Editor/Duplicator ...")),
            &QAction::triggered, this, &TmenuForm::duplicatorClick);
    addDesktopHabits(tools);
    m_toolsSeparator = tools->addSeparator();
    m_toolsSeparator->setVisible(false);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(namedAction(help, QStringLiteral("UserGuide1"), QStringLiteral("&User Guide"), QKeySequence::HelpContents),
            &QAction::triggered, this, &TmenuForm::userGuide);
    QAction *whatsThis = QWhatsThis::createAction(this);
    whatsThis->setObjectName(QStringLiteral("WhatsThisMode1"));
    whatsThis->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    help->addAction(whatsThis);
    help->addSeparator();
    connect(namedAction(help, QStringLiteral("About1"), QStringLiteral("About")), &QAction::triggered, this,
            &TmenuForm::about);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { checkButton(); });
    connect(&AppState::instance(), &AppState::changedFlagChanged, this, &QWidget::setWindowModified);
    connect(&AppState::instance(), &AppState::documentClosing, this, &TmenuForm::documentClosing);

    // The client area is 625 x 430; the frame around it is whatever the window needs.
    m_mdi->setMinimumSize(1, 1);
    resize(sizeHint());
    const QSize chrome = sizeHint() - m_mdi->sizeHint();
    resize(QSize(625, 430) + QSize(qMax(0, chrome.width()), qMax(0, chrome.height())));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    restorePlace();

    AppState::instance().setHost(this);
    checkButton();
}

TmenuForm::~TmenuForm()
{
    // The document goes with the MDI area, after this part of the window is gone: nothing it
    // says on its way may reach this window any more.
    if (m_docWidget)
        disconnect(m_docWidget, nullptr, this, nullptr);
    disconnect(&AppState::instance(), nullptr, this, nullptr);
    disconnect(m_mdi, nullptr, this, nullptr);
    // The register hides as the window goes: that is no choice of the user's to remember.
    disconnect(m_register->toggleViewAction(), nullptr, this, nullptr);
    if (AppState::instance().host() == this)
        AppState::instance().setHost(nullptr);
    if (DocumentWindow *doc = document())
        if (AppState::instance().currentDocument() == doc)
            AppState::instance().setCurrentDocument(nullptr);
}

QPixmap TmenuForm::backgroundTile()
{
    // A quiet steel-plate pattern: a diamond tread on blue-grey.
    QPixmap tile(32, 32);
    tile.fill(QColor(0x8a, 0x9b, 0xac));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    auto drawBar = [&p](qreal x, qreal y, qreal angle) {
        p.save();
        p.translate(x, y);
        p.rotate(angle);
        p.setBrush(QColor(0x9d, 0xad, 0xbd));
        p.drawRoundedRect(QRectF(-6, -1.6, 12, 3.2), 1.6, 1.6);
        p.setBrush(QColor(0x74, 0x85, 0x96));
        p.drawRoundedRect(QRectF(-6, 0.6, 12, 1.2), 0.6, 0.6);
        p.restore();
    };
    drawBar(8, 8, 45);
    drawBar(24, 24, 45);
    drawBar(24, 8, -45);
    drawBar(8, 24, -45);
    return tile;
}

QToolButton *TmenuForm::addToolButton(const QString &name, const QString &glyph, const QString &hint, QAction *command)
{
    auto *button = new QToolButton(m_coolBar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(QIcon(QStringLiteral(":/shell/glyphs/%1.svg").arg(glyph)));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(hint);
    m_coolBar->addWidget(button);
    if (command) {
        // Not the button's default action: the shortcut must live in the File menu shown only,
        // or it would clash with the open document's own.
        if (!command->shortcut().isEmpty())
            button->setToolTip(QStringLiteral("%1 (%2)").arg(hint, command->shortcut().toString(QKeySequence::NativeText)));
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
        connect(command, &QAction::changed, button, [button, command] { button->setEnabled(command->isEnabled()); });
        button->setEnabled(command->isEnabled());
    }
    return button;
}

QToolButton *TmenuForm::toolButton(const QString &name) const
{
    return m_coolBar->findChild<QToolButton *>(name);
}

QAction *TmenuForm::menuAction(const QString &name) const { return findChild<QAction *>(name); }

// While a document window is being destroyed, past its own destructor, it is a plain widget
// and no longer a document.
DocumentWindow *TmenuForm::document() const { return dynamic_cast<DocumentWindow *>(m_docWidget.data()); }

void TmenuForm::checkButton()
{
    const bool hasDocument = document() != nullptr;
    for (const QString &name : {QStringLiteral("saveFile"), QStringLiteral("previewReport")})
        if (QToolButton *b = toolButton(name))
            b->setEnabled(hasDocument);
    for (const QString &name :
         {QStringLiteral("Save1"), QStringLiteral("SaveAs1"), QStringLiteral("Print1"), QStringLiteral("Preview1")})
        if (QAction *a = menuAction(name))
            a->setEnabled(hasDocument);
    updateFileMenu();
    updateToolsMenu();
}

void TmenuForm::updateToolsMenu()
{
    QList<QAction *> wanted;
    if (DocumentWindow *doc = document())
        wanted = doc->toolActions();
    QList<QAction *> shown;
    for (const QPointer<QAction> &a : std::as_const(m_shownToolActions))
        if (a)
            shown << a;
    if (shown == wanted && shown.size() == m_shownToolActions.size())
        return;
    // A closed document's actions went with it; the others leave the menu.
    for (QAction *a : std::as_const(shown))
        m_toolsMenu->removeAction(a);
    m_shownToolActions.clear();
    for (QAction *a : std::as_const(wanted)) {
        m_toolsMenu->addAction(a);
        m_shownToolActions << a;
    }
    m_toolsSeparator->setVisible(!wanted.isEmpty());
}

void TmenuForm::updateFileMenu()
{
    // Qt merges no menus: the document's own File menu stands in the main one's place.
    QMenu *wanted = m_fileMenu;
    if (DocumentWindow *doc = document())
        if (QMenu *own = doc->fileMenu())
            wanted = own;
    if (wanted == m_shownFileMenu && m_fileMenuAction)
        return;
    showRecentIn(wanted);
    // A document's menu that went with its window took its entry along: File goes first again.
    QAction *replacement = wanted->menuAction();
    QAction *before = m_fileMenuAction ? m_fileMenuAction.data() : menuBar()->actions().value(0, nullptr);
    if (before != replacement)
        menuBar()->insertAction(before, replacement);
    if (m_fileMenuAction && m_fileMenuAction != replacement)
        menuBar()->removeAction(m_fileMenuAction);
    m_fileMenuAction = replacement;
    m_shownFileMenu = wanted;
}

bool TmenuForm::changedDocumentPrompt()
{
    AppState &state = AppState::instance();
    if (!state.changed())
        return true;
    const Answer answer = askYesNoCancel(QStringLiteral("Question"),
                                         QStringLiteral("The contents have been changed.\r\nDo you want to save these changes?"));
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::No)
        return true;
    DocumentWindow *doc = document();
    if (!doc)
        return true;
    // A Save that ends without saving has told the user already ("Error in saving file.");
    // the edits must not be thrown away behind that message.
    return doc->save();
}

void TmenuForm::documentClosing(QObject *window)
{
    // Ours while it is still whole, or ours gone without a word (its guard is empty already).
    const bool ours = window && window == m_docWidget.data();
    if (ours || (!m_docWidget && !m_docType.isEmpty())) {
        if (DocumentWindow *doc = ours ? document() : nullptr)
            RecentMenu::note(doc->fileName()); // saved under a new name, too
        AppState &state = AppState::instance();
        state.setCreated(m_docType, false);
        if (DocumentWindow *doc = document())
            if (state.currentDocument() == doc)
                state.setCurrentDocument(nullptr);
        if (m_docWidget)
            disconnect(m_docWidget, nullptr, this, nullptr);
        m_docWidget = nullptr;
        m_docType.clear();
    }
    // Not now: the document may be in the middle of its own menu's action or its destructor.
    QTimer::singleShot(0, this, &TmenuForm::checkButton);
}

DocumentWindow *TmenuForm::documentOfType(const QString &formType)
{
    AppState &state = AppState::instance();
    if (DocumentWindow *doc = document()) {
        if (doc->formType() == formType)
            return doc;
        m_promptAnswered = true;
        const bool closed = doc->closeDocument();
        m_promptAnswered = false;
        if (!closed)
            return nullptr;
        // The window frees itself later; from here on it is no longer the document.
        QWidget *gone = m_docWidget;
        if (QMdiSubWindow *sub = gone ? qobject_cast<QMdiSubWindow *>(gone->parentWidget()) : nullptr)
            sub->hide();
        documentClosing(gone);
    }
    DocumentWindow *doc = DocumentRegistry::instance().create(formType, nullptr);
    if (!doc)
        return nullptr;
    QWidget *w = doc->widget();
    QMdiSubWindow *sub = m_mdi->addSubWindow(w, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // The frame's own menu closes with Ctrl+F4 only: Ctrl+W is the document's File > Close.
    if (QMenu *system = sub->systemMenu())
        for (QAction *a : system->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_W)) > 0)
                a->setShortcuts(keys);
        }
    // The document's widget goes with its frame, and the frame with the document's widget.
    connect(w, &QObject::destroyed, sub, &QObject::deleteLater);
    connect(w, &QObject::destroyed, this, &TmenuForm::documentClosing);
    m_docWidget = w;
    m_docType = formType;
    state.setCreated(formType, true);
    state.setCurrentDocument(doc);
    sub->move(0, 0);
    sub->show();
    w->show();
    m_mdi->setActiveSubWindow(sub);
    growToShow(sub);
    sub->installEventFilter(this);
    return doc;
}


// The Document Register beside the client area (below it unless moved), shown as the user
// left it last time.
void TmenuForm::addRegisterDock(QMenu *viewMenu)
{
    m_register = new RegisterDock(this);
    m_register->setOutputCheck([](const QString &pdf, const QString &document) {
        return outputProblem(pdf, {document}, OutputKind::Pdf);
    });
    // Below the document by default: the documents are wide, the register's columns too.
    const int area = platform().setting(kRegisterArea).toInt();
    const bool known = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
                       area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
    addDockWidget(known ? Qt::DockWidgetArea(area) : Qt::BottomDockWidgetArea, m_register);
    connect(m_register, &QDockWidget::dockLocationChanged, this, [](Qt::DockWidgetArea where) {
        if (where != Qt::NoDockWidgetArea)
            platform().setSetting(kRegisterArea, QString::number(int(where)));
    });
    QAction *toggle = m_register->toggleViewAction();
    toggle->setObjectName(QStringLiteral("DocumentRegister1"));
    toggle->setText(QStringLiteral("Document &Register"));
    viewMenu->addAction(toggle);
    m_register->setVisible(platform().setting(kRegisterShown) == QLatin1String("true"));
    connect(toggle, &QAction::toggled, this, [this](bool shown) {
        platform().setSetting(kRegisterShown, shown ? QStringLiteral("true") : QStringLiteral("false"));
        // The panel takes room from the client area: the document must still show whole.
        if (shown)
            QTimer::singleShot(0, this, [this] {
                if (m_docWidget && m_docWidget->parentWidget())
                    growToShow(m_docWidget->parentWidget());
            });
    });
    connect(m_register, &RegisterDock::openRequested, this, &TmenuForm::openFromRegister);
}

void TmenuForm::openFromRegister(const QString &path)
{
    if (!changedDocumentPrompt())
        return;
    openPath(path);
}

void TmenuForm::newDocument()
{
    if (!changedDocumentPrompt())
        return;
    TnewFormDlg dialog(this);
    for (const QString &type : FormDescriptions::types()) {
        if (QRadioButton *radio = dialog.button(type)) {
            if (!DocumentRegistry::instance().has(type)) {
                radio->setEnabled(false);
                radio->setToolTip(QStringLiteral("This form has no window in this version yet."));
            }
        }
    }
    // The type made last time, or the first one.
    dialog.chooseDefault(platform().setting(kLastNewType));
    if (dialog.exec() == QDialog::Accepted && !dialog.chosenType().isEmpty()) {
        platform().setSetting(kLastNewType, dialog.chosenType());
        BusyCursor busy;
        if (DocumentWindow *doc = documentOfType(dialog.chosenType())) {
            doc->resetDocument();
            doc->setFileName(QString());
            AppState::instance().setChanged(false);
        }
    }
    checkButton();
}

DocumentWindow *TmenuForm::newDocumentOfType(const QString &formType)
{
    BusyCursor busy;
    DocumentWindow *doc = documentOfType(formType);
    if (doc) {
        doc->resetDocument();
        doc->setFileName(QString());
        AppState::instance().setChanged(false);
    }
    checkButton();
    return doc;
}

void TmenuForm::openDocument()
{
    if (!changedDocumentPrompt())
        return;
    FileDialogOptions options;
    options.title = QStringLiteral("Open Welding Form");
    options.filter = documentFilter(QStringLiteral("Welding Report (*.WRP)"), QStringLiteral("Others (*.*)"));
    options.defaultSuffix = kDocumentSuffix.toUpper();
    const QString path = platform().openFile(options);
    if (!path.isEmpty())
        openPath(path);
    checkButton();
}

void TmenuForm::openPath(const QString &path)
{
    AppState::instance().setLastOpenedPath(path);
    BusyCursor busy;
    if (openByType(path)) {
        AppState::instance().setChanged(false);
        RecentMenu::note(path);
    }
    checkButton();
}

bool TmenuForm::openByType(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    const QString formType = file.load() ? file.value(QStringLiteral("contents"), QStringLiteral("formType")) : QString();
    if (!FormDescriptions::find(formType)) {
        errorBox(QStringLiteral("Error"), QStringLiteral("%1 is not a welding form document.").arg(path));
        return false;
    }
    if (!DocumentRegistry::instance().has(formType)) {
        errorBox(QStringLiteral("Error"),
                 QStringLiteral("%1 is a %2 document, which this version cannot open yet.").arg(path, formType));
        return false;
    }
    DocumentWindow *doc = documentOfType(formType);
    if (!doc)
        return false;
    const bool loaded = doc->openFile(path);
    doc->setFileName(AppState::instance().lastOpenedPath());
    return loaded;
}

void TmenuForm::saveFileClick()
{
    if (DocumentWindow *doc = document())
        doc->save();
}

void TmenuForm::previewReportClick()
{
    if (DocumentWindow *doc = document())
        doc->preview();
}

void TmenuForm::userInformation() { UserDataDialogs::openUserInfo(nullptr, nullptr); }

void TmenuForm::userGuide()
{
    const QString page = AppState::instance().sideFile(QStringLiteral("userguide.html"));
    if (!QFileInfo(page).isFile()) {
        errorBox(QStringLiteral("Error"), QStringLiteral("The User Guide %1 is missing.").arg(QDir::toNativeSeparators(page)));
        return;
    }
    if (!platform().openLocalFile(page))
        errorBox(QStringLiteral("Error"),
                 QStringLiteral("No program on this desktop opens web pages. The User Guide is the file %1.")
                     .arg(QDir::toNativeSeparators(page)));
}

void TmenuForm::quit() { close(); }

void TmenuForm::about()
{
    TAboutBox box(this);
    box.exec();
}

void TmenuForm::duplicatorClick() { openDuplicator(this); }

void TmenuForm::closeEvent(QCloseEvent *event)
{
    DocumentWindow *doc = document();
    if (doc) {
        if (!changedDocumentPrompt()) {
            event->ignore();
            return;
        }
        m_promptAnswered = true;
        const bool closed = doc->closeDocument();
        m_promptAnswered = false;
        if (!closed) {
            event->ignore();
            return;
        }
    }
    keepPlace();
    event->accept();
}

} // namespace Brenvik
