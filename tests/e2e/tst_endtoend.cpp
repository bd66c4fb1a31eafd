// The whole program on a real X display, driven as a user drives it: the same start as the
// installed program (runBrenvik), real dialogs answered when they show, shortcuts sent to the
// active window. Every document type goes through New, typing, Save As, each way of closing,
// reopening, the report preview with its PDF export, the sample sketch dialog, the parameter
// plot and the changed-document question with each answer; then the register opens a document
// by a double click and the program ends through Quit or the main window's close.
//
//   tst_endtoend flows        every flow, ending with File > Quit (Ctrl+Q)
//   tst_endtoend close-main   a new document, ending with the main window's own close
//
// A crash ends the test; any step that does not reach its state in time fails it with the step.

#include "core/documentwindow.h"
#include "core/appstate.h"
#include "register/registerdock.h"
#include "register/registerentry.h"
#include "shell/commandline.h"
#include "shell/tmenuform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Brenvik;

namespace {

QTemporaryDir *g_dir = nullptr;
QString g_scenario;
int g_steps = 0;

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    std::fflush(stderr);
    std::_Exit(1);
}

void step(const QString &what)
{
    ++g_steps;
    std::fprintf(stdout, "step %d: %s\n", g_steps, qPrintable(what));
    std::fflush(stdout);
}

void waitFor(const std::function<bool()> &done, const QString &what, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            fail(QStringLiteral("timed out waiting for: ") + what);
        QTest::qWait(20);
    }
}

// Answers the next modal dialog the filter accepts, from the event loop of whoever shows it.
class Answer {
public:
    Answer(std::function<QWidget *()> find, std::function<void(QWidget *)> act, QString what)
        : m_what(std::move(what))
    {
        m_timer.setInterval(30);
        QObject::connect(&m_timer, &QTimer::timeout, [this, find, act] {
            QWidget *dialog = find();
            if (!dialog || !dialog->isVisible())
                return;
            m_timer.stop();
            m_done = true;
            act(dialog);
        });
        m_timer.start();
    }
    ~Answer() { m_timer.stop(); }
    void check()
    {
        waitFor([this] { return m_done; }, m_what);
    }

private:
    QTimer m_timer;
    QString m_what;
    bool m_done = false;
};

template <typename T> QWidget *modal()
{
    return qobject_cast<T *>(QApplication::activeModalWidget());
}

QWidget *modalNamed(const char *className)
{
    QWidget *w = QApplication::activeModalWidget();
    return w && w->inherits(className) ? w : nullptr;
}

// The changed-document question, answered with the button given.
std::unique_ptr<Answer> answerQuestion(QMessageBox::StandardButton button)
{
    return std::make_unique<Answer>(
        modal<QMessageBox>,
        [button](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            if (!box->text().contains(QLatin1String("changed")))
                fail(QStringLiteral("unexpected message: ") + box->text());
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        },
        QStringLiteral("the changed-document question"));
}

// A file dialog, given the file's path as a user types it.
std::unique_ptr<Answer> answerFile(const QString &path)
{
    return std::make_unique<Answer>(
        modal<QFileDialog>,
        [path](QWidget *w) {
            auto *dialog = static_cast<QFileDialog *>(w);
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!edit)
                fail(QStringLiteral("the file dialog has no name field"));
            edit->setText(path);
            QTest::keyClick(edit, Qt::Key_Return);
        },
        QStringLiteral("the file dialog for ") + path);
}

// A value as the file stores it ("key=value" under [contents]).
QString storedValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString text = QString::fromLatin1(line.trimmed());
        if (text.startsWith(key + QLatin1Char('=')))
            return text.mid(key.size() + 1);
    }
    return {};
}

struct FormCase {
    QString type;    // the chooser's type word
    QString field;   // a field typed into, found again after reopening
};

const QList<FormCase> kForms = {
    {QStringLiteral("WPDS"), QStringLiteral("wpdsNo")},
    {QStringLiteral("PQR"), QStringLiteral("testPlateNo")},
    {QStringLiteral("WPQR"), QStringLiteral("PQRNo")},
    {QStringLiteral("WPSR"), QStringLiteral("wpsNo")},
};

class Driver {
public:
    explicit Driver(TmenuForm *window) : w(window) {}

    void flows()
    {
        int route = 0;
        for (const FormCase &form : kForms) {
            newDocument(form.type);
            typeInto(form.field, QStringLiteral("E2E-") + form.type + QStringLiteral("-1"));
            const QString path = g_dir->filePath(form.type.toLower() + QStringLiteral(".wrp"));
            step(form.type + QStringLiteral(": Save As"));
            {
                auto file = answerFile(path);
                key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
                file->check();
            }
            waitFor([&] { return storedValue(path, form.field) == QStringLiteral("E2E-") + form.type + QStringLiteral("-1"); },
                    QStringLiteral("the saved file"));
            // Save As leaves the document marked changed; Save clears it.
            step(form.type + QStringLiteral(": Save (Ctrl+S)"));
            key(Qt::Key_S, Qt::ControlModifier);
            waitFor([] { return !AppState::instance().changed(); }, QStringLiteral("the changed flag cleared by Save"));
            closeBy(route++ % 4, form.type);

            open(path, form.type);
            if (fieldText(form.field) != QStringLiteral("E2E-") + form.type + QStringLiteral("-1"))
                fail(form.type + QStringLiteral(": reopened without what was typed: ") + fieldText(form.field));
            previewAndExport(g_dir->filePath(form.type.toLower() + QStringLiteral(".pdf")));
            sketchDialogCancelled();
            parameterPlotCancelled();

            // A change, then each answer to the question.
            typeInto(form.field, QStringLiteral("E2E-") + form.type + QStringLiteral("-2"));
            closeAnswering(QMessageBox::Cancel, route, form.type);
            if (!w->document() || !AppState::instance().changed())
                fail(form.type + QStringLiteral(": Cancel did not keep the changed document"));
            closeAnswering(QMessageBox::No, route++, form.type);
            if (storedValue(path, form.field) != QStringLiteral("E2E-") + form.type + QStringLiteral("-1"))
                fail(form.type + QStringLiteral(": No wrote the file"));
            open(path, form.type);
            typeInto(form.field, QStringLiteral("E2E-") + form.type + QStringLiteral("-3"));
            closeAnswering(QMessageBox::Yes, route++, form.type);
            if (storedValue(path, form.field) != QStringLiteral("E2E-") + form.type + QStringLiteral("-3"))
                fail(form.type + QStringLiteral(": Yes did not save the change"));
        }
        registerOpens();

        step(QStringLiteral("File > Quit with a changed document, No"));
        typeInto(kForms.last().field, QStringLiteral("unsaved"));
        m_quitAnswer = answerQuestion(QMessageBox::No);
        key(Qt::Key_Q, Qt::ControlModifier);
    }

    void closeMain()
    {
        newDocument(QStringLiteral("PQR"));
        typeInto(QStringLiteral("testPlateNo"), QStringLiteral("E2E-CLOSE"));
        step(QStringLiteral("main window close, Cancel"));
        {
            auto q = answerQuestion(QMessageBox::Cancel);
            w->close();
            q->check();
        }
        if (!w->isVisible() || !w->document())
            fail(QStringLiteral("Cancel closed the program"));
        step(QStringLiteral("main window close, Yes, then the save dialog"));
        const QString path = g_dir->filePath(QStringLiteral("closed.wrp"));
        m_quitAnswer = answerQuestion(QMessageBox::Yes);
        m_quitFile = answerFile(path);
        w->close();
    }

    std::unique_ptr<Answer> m_quitAnswer;
    std::unique_ptr<Answer> m_quitFile;

private:
    TmenuForm *w;

    QWidget *docWidget() const { return w->document() ? w->document()->widget() : nullptr; }

    // A key as the user presses it, to the window that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers mods)
    {
        w->activateWindow();
        waitFor([this] { return QApplication::activeWindow() == w; }, QStringLiteral("the main window active"));
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        QTest::keyClick(target, k, mods);
    }

    void newDocument(const QString &type)
    {
        step(type + QStringLiteral(": File > New (Ctrl+N)"));
        Answer chooser(
            [] { return modalNamed("Brenvik::TnewFormDlg"); },
            [type](QWidget *dialog) {
                auto *radio = dialog->findChild<QAbstractButton *>(type + QStringLiteral("Btn"));
                if (!radio)
                    fail(QStringLiteral("no chooser button for ") + type);
                QTest::mouseClick(radio, Qt::LeftButton);
                auto *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
                if (!ok->isEnabled())
                    fail(QStringLiteral("OK disabled with a type chosen"));
                QTest::mouseClick(ok, Qt::LeftButton);
            },
            QStringLiteral("the New chooser"));
        key(Qt::Key_N, Qt::ControlModifier);
        chooser.check();
        waitFor([&] { return w->document() && w->document()->formType() == type; }, QStringLiteral("a new ") + type);
    }

    void open(const QString &path, const QString &type)
    {
        step(type + QStringLiteral(": File > Open (Ctrl+O) ") + QFileInfo(path).fileName());
        auto file = answerFile(path);
        key(Qt::Key_O, Qt::ControlModifier);
        file->check();
        waitFor([&] { return w->document() && w->document()->fileName() == path; }, QStringLiteral("the reopened document"));
    }

    QLineEdit *fieldEdit(const QString &name)
    {
        QWidget *doc = docWidget();
        QWidget *field = doc ? doc->findChild<QWidget *>(name) : nullptr;
        if (auto *combo = qobject_cast<QComboBox *>(field))
            return combo->lineEdit();
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            return edit;
        fail(QStringLiteral("no text field ") + name);
    }

    QString fieldText(const QString &name) { return fieldEdit(name)->text(); }

    // Shows the page that holds the widget, as a click on its tab does.
    void showPageOf(QWidget *widget)
    {
        auto *pages = docWidget()->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        for (int i = 0; pages && i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(widget))
                pages->setCurrentIndex(i);
        waitFor([widget] { return widget->isVisible(); }, QStringLiteral("the page of ") + widget->objectName());
    }

    void typeInto(const QString &name, const QString &text)
    {
        QLineEdit *edit = fieldEdit(name);
        showPageOf(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        if (edit->text() != text)
            fail(QStringLiteral("typing into ") + name + QStringLiteral(" gave ") + edit->text());
    }

    // Closes a changed document by the route and answers the question; Cancel keeps it open.
    void closeAnswering(QMessageBox::StandardButton answer, int route, const QString &type)
    {
        const QString name = answer == QMessageBox::Cancel ? QStringLiteral("Cancel")
                             : answer == QMessageBox::No   ? QStringLiteral("No")
                                                           : QStringLiteral("Yes");
        step(type + QStringLiteral(": close, ") + name);
        auto q = answerQuestion(answer);
        closeBy(route % 4, type, answer != QMessageBox::Cancel);
        q->check();
    }

    // 0: the form's Close button, 1: the frame's close button, 2: Ctrl+W, 3: File > Close.
    void closeBy(int route, const QString &type, bool expectClosed = true)
    {
        static const QStringList names = {QStringLiteral("Close button"), QStringLiteral("title-bar close"),
                                          QStringLiteral("Ctrl+W"), QStringLiteral("File > Close")};
        step(type + QStringLiteral(": close by ") + names.at(route));
        QWidget *doc = docWidget();
        if (!doc)
            fail(QStringLiteral("no document to close"));
        switch (route) {
        case 0:
            QTest::mouseClick(doc->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
            break;
        case 1:
            // What the frame's close button does.
            if (auto *sub = qobject_cast<QMdiSubWindow *>(doc->parentWidget()))
                sub->close();
            else
                fail(QStringLiteral("the document has no frame"));
            break;
        case 2:
            key(Qt::Key_W, Qt::ControlModifier);
            break;
        default: {
            QAction *close = nullptr;
            for (QAction *a : w->activeFileMenu()->actions())
                if (a->text() == QLatin1String("&Close"))
                    close = a;
            if (!close || w->activeFileMenu() != w->document()->fileMenu())
                fail(QStringLiteral("the document's File menu has no Close"));
            close->trigger();
        }
        }
        if (!expectClosed)
            return;
        waitFor([this] { return !w->document() && w->activeFileMenu() == w->mainFileMenu(); },
                type + QStringLiteral(" closed, the main File menu back"));
        if (w->toolButton(QStringLiteral("saveFile"))->isEnabled())
            fail(QStringLiteral("Save stays enabled without a document"));
    }

    void previewAndExport(const QString &pdf)
    {
        step(QStringLiteral("View Report, Export PDF, close the preview"));
        Answer preview(
            [] { return modalNamed("Brenvik::ReportPreview"); },
            [pdf](QWidget *dialog) {
                QAction *exportPdf = nullptr;
                for (QAction *a : dialog->findChild<QToolBar *>()->actions())
                    if (a->text() == QLatin1String("Export PDF..."))
                        exportPdf = a;
                if (!exportPdf)
                    fail(QStringLiteral("the preview has no Export PDF"));
                auto file = answerFile(pdf);
                exportPdf->trigger();
                file->check();
                static_cast<QDialog *>(dialog)->reject();
            },
            QStringLiteral("the report preview"));
        QTest::mouseClick(docWidget()->findChild<QPushButton *>(QStringLiteral("viewReport")), Qt::LeftButton);
        preview.check();
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly) || !file.read(5).startsWith("%PDF-"))
            fail(QStringLiteral("no PDF at ") + pdf);
    }

    // Opens the dialog behind the named button and cancels it, when the form has the button.
    void openAndCancel(QPushButton *button, const char *dialogClass, const QString &what)
    {
        if (!button)
            return;
        step(what);
        showPageOf(button);
        Answer cancel(
            [dialogClass] { return modalNamed(dialogClass); },
            [](QWidget *dialog) {
                for (QPushButton *b : dialog->findChildren<QPushButton *>())
                    if (b->text().remove(QLatin1Char('&')) == QLatin1String("Cancel") && b->isVisible()) {
                        QTest::mouseClick(b, Qt::LeftButton);
                        return;
                    }
                fail(QStringLiteral("no Cancel in ") + dialog->windowTitle());
            },
            what);
        QTest::mouseClick(button, Qt::LeftButton);
        cancel.check();
        waitFor([] { return !QApplication::activeModalWidget(); }, what + QStringLiteral(" gone"));
    }

    void sketchDialogCancelled()
    {
        openAndCancel(docWidget()->findChild<QPushButton *>(QStringLiteral("openSketchBrowser")), "Brenvik::TsketchEdit",
                      QStringLiteral("sample sketch dialog, Cancel"));
    }

    void parameterPlotCancelled()
    {
        QPushButton *select = nullptr;
        for (QPushButton *b : docWidget()->findChildren<QPushButton *>())
            if (b->text() == QLatin1String("Select Parameters ..."))
                select = b;
        openAndCancel(select, "Brenvik::TxyPlot", QStringLiteral("parameter plot, Cancel"));
    }

    void registerOpens()
    {
        step(QStringLiteral("View > Document Register, double-click a document"));
        QAction *toggle = w->menuAction(QStringLiteral("DocumentRegister1"));
        if (!toggle->isChecked())
            toggle->trigger();
        // The shipped examples beside what the flows saved.
        const QDir shipped(AppState::instance().dataFile(QStringLiteral("examples")));
        QDir(g_dir->path()).mkdir(QStringLiteral("examples"));
        for (const QString &name : shipped.entryList({QStringLiteral("*.wrp")}, QDir::Files))
            QFile::copy(shipped.filePath(name), g_dir->filePath(QStringLiteral("examples/") + name));
        RegisterDock *dock = w->registerDock();
        dock->setFolder(g_dir->path());
        QTableView *table = dock->table();
        const int fileColumn = RegisterEntry::File;
        waitFor([table] { return table->isVisible() && table->model() && table->model()->rowCount() >= 9; },
                QStringLiteral("the register's rows"));
        QModelIndex example;
        for (int row = 0; row < table->model()->rowCount() && !example.isValid(); ++row)
            if (table->model()->index(row, fileColumn).data().toString() == QLatin1String("examples/wpqr-example.wrp"))
                example = table->model()->index(row, 0);
        if (!example.isValid())
            fail(QStringLiteral("the register does not list the examples"));
        table->scrollTo(example);
        const QRect cell = table->visualRect(example);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        waitFor([this] { return w->document() && w->document()->fileName().endsWith(QLatin1String("wpqr-example.wrp")); },
                QStringLiteral("the example opened from the register"));
        // The last flow types into the WPS: open it as the user would, from the register too.
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QModelIndex i = table->model()->index(row, 0);
            if (i.data().toString().startsWith(QLatin1String("WPS"))) {
                table->scrollTo(i);
                QTest::qWait(QApplication::doubleClickInterval() + 50);
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(i).center());
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(i).center());
                waitFor([this] { return w->document() && w->document()->formType() == QLatin1String("WPSR"); },
                        QStringLiteral("the WPS opened from the register, row ") + i.data().toString() +
                            QStringLiteral(", open: ") + (w->document() ? w->document()->formType() : QString()));
                return;
            }
        }
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            rows << table->model()->index(row, 0).data().toString();
        fail(QStringLiteral("no WPS row in the register: ") + rows.join(QLatin1Char('|')));
    }
};

std::unique_ptr<Driver> g_driver;

TmenuForm *mainWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *w = qobject_cast<TmenuForm *>(top); w && w->isVisible())
            return w;
    return nullptr;
}

// A dialog left open with nobody to answer it ends the run with its title.
void startWatchdog()
{
    auto *watch = new QTimer;
    watch->setInterval(1000);
    auto since = std::make_shared<QElapsedTimer>();
    auto seen = std::make_shared<QPointer<QWidget>>();
    QObject::connect(watch, &QTimer::timeout, [since, seen] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog != seen->data()) {
            *seen = dialog;
            since->start();
        } else if (dialog && since->elapsed() > 30000) {
            QString text = dialog->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(dialog))
                text += QStringLiteral(": ") + box->text();
            fail(QStringLiteral("a dialog nobody answered: ") + text);
        }
    });
    watch->start();
}

// Starts once the program's event loop runs with its main window shown.
void startDriver()
{
    startWatchdog();
    auto *poll = new QTimer;
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, [poll] {
        TmenuForm *w = mainWindow();
        if (!w || QThread::currentThread()->loopLevel() < 1)
            return;
        poll->stop();
        poll->deleteLater();
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            fail(QStringLiteral("not on a real display: ") + QGuiApplication::platformName());
        w->activateWindow();
        g_driver = std::make_unique<Driver>(w);
        if (g_scenario == QLatin1String("close-main"))
            g_driver->closeMain();
        else
            g_driver->flows();
    });
    poll->start();
}
Q_COREAPP_STARTUP_FUNCTION(startDriver)

} // namespace

int main(int argc, char *argv[])
{
    g_scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("flows");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        fail(QStringLiteral("no X display: run it as ctest does, through xvfb-run"));
    QTemporaryDir dir;
    g_dir = &dir;
    // The user's settings of this run stay in the run.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    qputenv("QT_QPA_PLATFORM", "xcb");
    char program[] = "brenvik";
    char *args[] = {program, nullptr};
    int count = 1;
    const int code = runBrenvik(count, args);
    g_driver.reset();
    if (code != 0)
        fail(QStringLiteral("the program ended with %1").arg(code));
    if (g_scenario == QLatin1String("close-main")) {
        QFile saved(dir.filePath(QStringLiteral("closed.wrp")));
        if (!saved.open(QIODevice::ReadOnly) || !saved.readAll().contains("testPlateNo=E2E-CLOSE"))
            fail(QStringLiteral("Yes on closing the program did not save the new document"));
    } else if (g_steps < 40) {
        fail(QStringLiteral("the program ended after %1 steps").arg(g_steps));
    }
    std::printf("PASS: %d steps, exit code 0\n", g_steps);
    return 0;
}
