// A document read without a window is the document the window shows: for every shipped example
// and fuzz seed, as it is and damaged in the ways hand-edited files are, the report's data
// elements and the bytes a save writes are the same through the window and through the model,
// whether the window or the model had another document open before. What the window's widgets
// show is its document, after the open and after the user has changed every field.

#include "core/documentwindow.h"
#include "controls/typedgrid.h"
#include "core/profilefile.h"
#include "document/formdocument.h"
#include "document/formwindow.h"
#include "forms/formregistry.h"
#include "report/formreport.h"
#include "report/reportjob.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"
#include "support/testfiles.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>

using namespace Brenvik;

namespace {

QStringList fieldLines(const ReportSource &source, const QString &formType)
{
    std::unique_ptr<FormReport> report(FormReportRegistry::create(formType, nullptr));
    if (!report)
        return {};
    report->prepareRpt(source);
    return ReportJob::fromReport(*report).fieldLines();
}

// Hand-edited and damaged forms of a document file.
QByteArray variant(const QByteArray &bytes, const QString &how)
{
    QString text = QString::fromLatin1(bytes);
    if (how == QLatin1String("checks inverted")) {
        text.replace(QRegularExpression(QStringLiteral("=true\r\n")), QStringLiteral("=@\r\n"));
        text.replace(QRegularExpression(QStringLiteral("=false\r\n")), QStringLiteral("=true\r\n"));
        text.replace(QStringLiteral("=@\r\n"), QStringLiteral("=false\r\n"));
    } else if (how == QLatin1String("checks all set")) {
        text.replace(QRegularExpression(QStringLiteral("=false\r\n")), QStringLiteral("=true\r\n"));
    } else if (how == QLatin1String("dates and grids damaged")) {
        text.replace(QRegularExpression(QStringLiteral("(?i)(date[a-z0-9]*)=[^\r\n]*\r\n")),
                     QStringLiteral("\\1=31/02/1600\r\n"));
        text.replace(QRegularExpression(QStringLiteral("(_\\d+)=([^\r\n]*)\r\n")), QStringLiteral("\\1=\\2|x|y|z\r\n"));
        text.remove(QRegularExpression(QStringLiteral("(?i)unitT[CF]=[^\r\n]*\r\n")));
    }
    return text.toLatin1();
}

void compareShown(const FormWindow &form)
{
    const DocumentValues shown = form.shownValues();
    const DocumentValues &kept = form.values();
    QCOMPARE(kept.texts, shown.texts);
    QCOMPARE(kept.checks, shown.checks);
    QCOMPARE(kept.dates, shown.dates);
    QCOMPARE(kept.grids, shown.grids);
    QCOMPARE(kept.imageFile, shown.imageFile);
}

// Every stored field changed as a user would: typed over, clicked, a day later, a cell typed
// and a row duplicated. The form's own click rules run as they do for the user.
void changeEveryField(FormWindow &form)
{
    QStringList grids;
    for (const FieldDef &f : form.table().fields) {
        QWidget *w = form.field(f.name);
        if (!w || !w->isEnabled() || !isStoredKind(f.kind))
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->setText(edit->text() + QStringLiteral(" x"));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            if (combo->isEditable())
                combo->setEditText(combo->currentText() + QStringLiteral(" x"));
            else
                combo->setCurrentIndex(combo->count() - 1);
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
            memo->appendPlainText(QStringLiteral("more"));
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            button->click();
            if (f.kind == FieldKind::Radio)
                QVERIFY2(button->isChecked(), qPrintable(f.name)); // the click holds
        } else if (auto *date = qobject_cast<QDateEdit *>(w)) {
            date->setDate(date->date().addDays(1));
        } else if (qobject_cast<TypedGrid *>(w)) {
            grids << f.name; // last: a click rule shows the document again
        }
    }
    for (const QString &name : grids) {
        TypedGrid *grid = form.grid(name);
        if (grid->rowCount() < 2 || grid->columnCount() < 2)
            continue;
        const QModelIndex cell = grid->model()->index(1, grid->columnCount() - 1);
        grid->model()->setData(cell, cell.data().toString() + QStringLiteral("1"));
        grid->setCurrentCell(1, grid->columnCount() - 1);
        form.runGridCommand(GridCommand::DuplicateRow, name);
    }
}

} // namespace

class TestFormDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }
    void modelReadsAsTheWindow_data();
    void modelReadsAsTheWindow();

private:
    // Kept across rows: each type's window and model have read the rows before.
    std::map<QString, std::unique_ptr<QWidget>> m_windows;
    std::map<QString, std::unique_ptr<FormDocument>> m_models;
};

void TestFormDocument::modelReadsAsTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("how");
    QStringList files;
    const QDir examples(QCoreApplication::applicationDirPath() + QStringLiteral("/examples"));
    for (const QString &name : examples.entryList({QStringLiteral("*.wrp")}, QDir::Files))
        files << examples.filePath(name);
    const QDir seeds(QFileInfo(QFINDTESTDATA("../../fuzz/seeds/tiny.wrp")).absolutePath());
    for (const QString &name : seeds.entryList({QStringLiteral("*.wrp")}, QDir::Files))
        files << seeds.filePath(name);
    QVERIFY(files.size() >= 6);
    for (const QString &how : {QStringLiteral("as stored"), QStringLiteral("checks inverted"),
                               QStringLiteral("checks all set"), QStringLiteral("dates and grids damaged")})
        for (const QString &file : files)
            QTest::newRow(qPrintable(QFileInfo(file).fileName() + QLatin1String(", ") + how)) << file << how;
}

void TestFormDocument::modelReadsAsTheWindow()
{
    QFETCH(QString, file);
    QFETCH(QString, how);
    ScriptedPlatform platform;
    TempData data(true);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.wrp"));
    writeFile(input, variant(readAll(file), how));
    const QString picture = FormDocument::sketchFileName(file);
    if (QFileInfo::exists(picture))
        writeFile(FormDocument::sketchFileName(input), readAll(picture));

    ProfileFile profile(input, ProfileFile::Kind::Document);
    QVERIFY(profile.load());
    const QString type = profile.value(QStringLiteral("contents"), QStringLiteral("formType"));
    const FormTable *table = FormTables::find(type);
    QVERIFY2(table, qPrintable(type));

    auto &window = m_windows[type];
    if (!window)
        window.reset(DocumentRegistry::instance().create(type, nullptr)->widget());
    auto *form = dynamic_cast<FormWindow *>(window.get());
    QVERIFY(form);
    QVERIFY(form->openFile(input));
    compareShown(*form);
    const qsizetype windowBoxes = platform.messages.size();
    platform.messages.clear();

    auto &model = m_models[type];
    if (!model)
        model = std::make_unique<FormDocument>(*table);
    FormDocument fresh(*table);
    for (FormDocument *document : {model.get(), &fresh}) {
        QString error;
        QList<DocumentMessage> boxes;
        QVERIFY(document->open(input, &error, &boxes));
        QStringList texts;
        for (const DocumentMessage &box : boxes)
            texts << box.caption + QLatin1String(": ") + box.text;
        QCOMPARE(texts.size(), windowBoxes);
        QCOMPARE(fieldLines(*document, type), fieldLines(*form, type));
        QCOMPARE(document->fieldTexts(), form->fieldTexts());
    }

    QVERIFY(form->saveFile(dir.filePath(QStringLiteral("window.wrp"))));
    DocumentMessage failure;
    QStringList lossy;
    QVERIFY2(fresh.save(dir.filePath(QStringLiteral("model.wrp")), &failure, &lossy), qPrintable(failure.text));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("model.wrp"))), readAll(dir.filePath(QStringLiteral("window.wrp"))));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("model_img.bmp"))), readAll(dir.filePath(QStringLiteral("window_img.bmp"))));

    if (how != QLatin1String("as stored"))
        return;
    changeEveryField(*form);
    compareShown(*form);
}

QTEST_MAIN(TestFormDocument)
#include "tst_formdocument.moc"
