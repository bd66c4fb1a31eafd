// A document read without a window is the document the window shows: for every shipped example
// and fuzz seed, as it is and damaged in the ways hand-edited files are, the report's data
// elements and the bytes a save writes are the same through the window and through the model,
// whether the window or the model had another document open before. What the window's widgets
// show is its document, after the open and after the user has changed every field.

#include "core/documentwindow.h"
#include "controls/typedgrid.h"
#include "core/profilefile.h"
#include "document/control/controlpaper.h"
#include "document/control/controlrecord.h"
#include "document/control/documentcontrol.h"
#include "document/formdocument.h"
#include "document/formwindow.h"
#include "forms/formregistry.h"
#include "report/formreport.h"
#include "report/reportjob.h"
#include "report/reportlayout.h"
#include "report/reportpage.h"
#include "support/reportchecks.h"
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
    void approvalsOnPaper_data();
    void approvalsOnPaper();

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

// An approved document's report carries its approvals in the form's own sign-off area, never
// over a value the form prints there, or on the bottom line of a form without one.
void TestFormDocument::approvalsOnPaper_data()
{
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("area");   // the sign-off places: "name | date | lines" ("-": the form has none)
    QTest::addColumn<QString>("bottom"); // the bottom line of the last page
    QTest::addColumn<QString>("kept");   // "element=text": the form's own value, printed as before
    const QString lines = QStringLiteral("Prepared: A. Welder, 10 Jul 2026 / Reviewed: Q. Reviewer, 11 Jul 2026");
    const QString signedArea = QStringLiteral("R. Inspector | 12 Jul 2026 | ") + lines;
    QTest::newRow("WPS: no area, the bottom line")
        << "wps-example" << "Approved" << "-"
        << "Prepared: A. Welder, 10 Jul 2026     Reviewed: Q. Reviewer, 11 Jul 2026     Approved: R. Inspector, 12 Jul 2026"
        << "preparedBy=M. Lefebvre, Welding Engineer";
    QTest::newRow("PQR: the signature block") << "pqr-example" << "Approved" << signedArea << ""
                                              << "companyName=Brenvik Fabrication Ltd.";
    QTest::newRow("WPQR: the manufacturer's lines") << "wpqr-example" << "Approved" << signedArea << ""
                                                    << "companyName=Brenvik Fabrication Ltd.";
    QTest::newRow("WPDS: the date in its boxes") << "wpds-example" << "Approved"
                                                 << "R. Inspector | 7 12 2026 | " + lines << "" << "rev=0";
    QTest::newRow("WPQ: the typed certification stays")
        << "wpq-example" << "Approved" << " |  | " + lines + " / Approved: R. Inspector, 12 Jul 2026" << ""
        << "certifiedBy=M. Lefebvre, Welding Engineer";
    QTest::newRow("PQR superseded keeps its approvals") << "pqr-example" << "Superseded" << signedArea << ""
                                                        << "TestPlateNo=TP-2026-031";
    QTest::newRow("PQR draft after a withdrawal: nothing signed") << "pqr-example" << "Draft" << " |  | " << ""
                                                                  << "TestPlateNo=TP-2026-031";
}

void TestFormDocument::approvalsOnPaper()
{
    QFETCH(QString, example);
    QFETCH(QString, status);
    QFETCH(QString, area);
    QFETCH(QString, bottom);
    QFETCH(QString, kept);
    ScriptedPlatform platform;
    TempData data(true);
    QTemporaryDir dir;
    const QString examples = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/");
    const QString document = dir.filePath(QStringLiteral("doc.wrp"));
    writeFile(document, readAll(examples + example + QStringLiteral(".wrp")));
    if (QFileInfo::exists(examples + example + QStringLiteral("_img.bmp")))
        writeFile(FormDocument::sketchFileName(document), readAll(examples + example + QStringLiteral("_img.bmp")));
    // Any picture the reader takes serves as the signature.
    writeFile(DocumentControl::signatureFileOf(document),
              readAll(QCoreApplication::applicationDirPath() + QStringLiteral("/sketch_corner.bmp")));

    ControlRecord record;
    record.present = true;
    record.status = ControlRecord::statusOf(status);
    record.preparedBy = QStringLiteral("A. Welder");
    record.preparedDate = QDate(2026, 7, 10);
    record.reviewedBy = QStringLiteral("Q. Reviewer");
    record.reviewedDate = QDate(2026, 7, 11);
    if (record.isControlled()) {
        record.approvedBy = QStringLiteral("R. Inspector");
        record.approvedDate = QDate(2026, 7, 12);
    }
    QString error;
    QList<DocumentMessage> boxes;
    const std::unique_ptr<FormDocument> opened = FormDocument::read(document, &error, &boxes);
    QVERIFY2(opened, qPrintable(error));
    std::unique_ptr<FormReport> report(FormReportRegistry::create(opened->formType(), nullptr));
    // A draft's report holds no more elements than it always did (--print-fields lists them).
    report->prepareRpt(*opened);
    ControlPaper::decorate(*report, ControlRecord{}, document);
    for (const ReportPage *p : report->pages())
        QCOMPARE(p->indexOf(QStringLiteral("dcAreaLines")), -1);
    // Filled for another approval first: the report filled again shows this one's alone.
    ControlRecord other;
    other.present = true;
    other.status = ControlStatus::Approved;
    other.approvedBy = other.preparedBy = QStringLiteral("Someone Else");
    other.approvedDate = other.preparedDate = QDate(2026, 1, 2);
    for (const ControlRecord &r : {other, record}) {
        report->prepareRpt(*opened);
        ControlPaper::decorate(*report, r, document);
    }

    const ReportPage *last = report->pages().last();
    QCOMPARE(last->text(QStringLiteral("dcApprovals")), bottom);
    const ReportPage *page = ControlPaper::signOffPage(*report);
    QString printed = QStringLiteral("-");
    if (page) {
        const QString date = page->indexOf(QStringLiteral("dcAreaDate")) >= 0
            ? page->text(QStringLiteral("dcAreaDate"))
            : QStringList{page->text(QStringLiteral("dcAreaMonth")), page->text(QStringLiteral("dcAreaDay")),
                          page->text(QStringLiteral("dcAreaYear"))}.join(QLatin1Char(' '));
        printed = page->text(QStringLiteral("dcAreaName")) + QStringLiteral(" | ") + date + QStringLiteral(" | ")
            + page->lines(QStringLiteral("dcAreaLines")).join(QStringLiteral(" / "));
        QCOMPARE(page->element(QStringLiteral("dcAreaSignature"))->picture.isNull(), !record.isControlled());
        QVERIFY(last->indexOf(QStringLiteral("dcApprovals")) < 0); // the bottom line is not painted
    } else {
        QCOMPARE(last->element(QStringLiteral("dcSignature"))->picture.isNull(), !record.isControlled());
    }
    QCOMPARE(printed, area);
    const QString keptName = kept.section(QLatin1Char('='), 0, 0);
    QString keptText = QStringLiteral("<missing>");
    for (const ReportPage *p : report->pages())
        if (p->indexOf(keptName) >= 0 && keptText == QLatin1String("<missing>"))
            keptText = p->text(keptName);
    QCOMPARE(keptText, kept.section(QLatin1Char('='), 1));
    // Every value prints whole and in its own place, the approvals too.
    for (const ReportPage *p : report->pages()) {
        QCOMPARE(ReportLayout(*p).cutFields(), QStringList());
        QCOMPARE(textCollisions(*p), QStringList());
    }
    QCOMPARE(last->watermark(), record.status == ControlStatus::Superseded ? QStringLiteral("SUPERSEDED")
                                    : record.isControlled()               ? QString()
                                                                          : QStringLiteral("DRAFT"));
}

QTEST_MAIN(TestFormDocument)
#include "tst_formdocument.moc"
