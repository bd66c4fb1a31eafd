// The preview window: navigation over the job's pages, the status line naming fields that
// print cut, and Export PDF through the file dialog, written whole or not at all.

#include "report/formreport.h"
#include "report/reportjob.h"
#include "report/reportpage.h"
#include "report/reportpreview.h"
#include "support/scriptedplatform.h"

#include <QAction>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace Brenvik;

namespace {

QAction *action(ReportPreview &preview, const QString &text)
{
    for (QAction *a : preview.findChild<QToolBar *>()->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

QString pageLabel(ReportPreview &preview)
{
    for (QLabel *label : preview.findChildren<QLabel *>())
        if (label->text().startsWith(QLatin1String("Page ")))
            return label->text();
    return QString();
}

} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void navigation();
    void statusNamesCutFields();
    void exportPdf_data();
    void exportPdf();

private:
    ReportPage m_one;
    ReportPage m_two;
};

void TestReportPreview::init()
{
    if (m_one.elements().isEmpty()) {
        m_one.addCaption(100, 100, QStringLiteral("First page"));
        m_two.addCaption(100, 100, QStringLiteral("Second page"));
    }
}

void TestReportPreview::navigation()
{
    ReportJob job(QStringLiteral("Welding Procedure Qualification Report"));
    job.addPage(&m_one);
    job.addPage(&m_two);
    ReportPreview preview(job);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.windowTitle(), QStringLiteral("Welding Procedure Qualification Report"));
    QCOMPARE(preview.view()->pageCount(), 2);
    QCOMPARE(pageLabel(preview), QStringLiteral("Page 1 of 2"));
    QCOMPARE(preview.statusBar()->currentMessage(), QString());
    QVERIFY(!action(preview, QStringLiteral("Previous"))->isEnabled());
    action(preview, QStringLiteral("Next"))->trigger();
    QCOMPARE(preview.view()->currentPage(), 2);
    QCOMPARE(pageLabel(preview), QStringLiteral("Page 2 of 2"));
    QVERIFY(!action(preview, QStringLiteral("Next"))->isEnabled());
    action(preview, QStringLiteral("First"))->trigger();
    QCOMPARE(preview.view()->currentPage(), 1);

    const qreal before = preview.view()->zoomFactor();
    action(preview, QStringLiteral("Zoom In"))->trigger();
    QVERIFY(preview.view()->zoomFactor() > before);
    action(preview, QStringLiteral("Fit Page"))->trigger();
    QCOMPARE(preview.view()->zoomMode(), QPrintPreviewWidget::FitInView);
    action(preview, QStringLiteral("Fit Width"))->trigger();
    QCOMPARE(preview.view()->zoomMode(), QPrintPreviewWidget::FitToWidth);
}

void TestReportPreview::statusNamesCutFields()
{
    ReportPage page;
    page.addLabel(QStringLiteral("companyName"), 100, 100, 60, Qt::AlignLeft, 26).text = QString(400, QLatin1Char('x'));
    ReportJob job(QStringLiteral("WPDS"));
    job.addPage(&page);
    ReportPreview preview(job);
    QCOMPARE(preview.statusBar()->currentMessage(),
             QStringLiteral("Too long to print whole even at 5 points, cut on the page: companyName"));
}

void TestReportPreview::exportPdf_data()
{
    QTest::addColumn<QString>("chosen"); // relative to a temporary folder; empty: Cancel
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("error");
    // The document the report comes from, relative to the temporary folder, and the name the
    // dialog proposes ("{dir}" that folder).
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("written") << "out.pdf" << true << QString() << QString() << "WPDS.pdf";
    QTest::newRow("cancelled") << QString() << false << QString() << QString() << "WPDS.pdf";
    QTest::newRow("folder missing") << "no/such/out.pdf" << false << "Unable to write to %1" << QString()
                                    << "WPDS.pdf";
    QTest::newRow("beside the document, under its name")
        << QString() << false << QString() << "jobs/weld 01.v2.wrp" << "{dir}/jobs/weld 01.v2.pdf";
}

void TestReportPreview::exportPdf()
{
    QFETCH(QString, chosen);
    QFETCH(bool, written);
    QFETCH(QString, error);
    QFETCH(QString, document);
    QFETCH(QString, proposed);
    ScriptedPlatform platform;
    QTemporaryDir dir;
    const QString path = chosen.isEmpty() ? QString() : dir.filePath(chosen);
    platform.queueFile(path);
    ReportJob job(QStringLiteral("WPDS"));
    job.addPage(&m_one);
    ReportPreview preview(job);
    if (!document.isEmpty())
        preview.setDocumentPath(dir.filePath(document));
    preview.exportPdf();

    QCOMPARE(platform.dialogs.size(), 1);
    QCOMPARE(platform.dialogs.first().defaultSuffix, QStringLiteral("pdf"));
    QCOMPARE(platform.dialogs.first().fileName, QString(proposed).replace(QStringLiteral("{dir}"), dir.path()));
    QVERIFY(platform.dialogs.first().overwritePrompt);
    QCOMPARE(!path.isEmpty() && QFile::exists(path), written);
    QCOMPARE(platform.busyDepth, 0);
    QList<RecordedMessage> boxes;
    for (const RecordedMessage &m : platform.messages)
        if (m.kind == QLatin1String("message"))
            boxes << m;
    if (error.isEmpty()) {
        QCOMPARE(boxes.size(), 0);
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().icon, MsgIcon::Error);
        QCOMPARE(boxes.first().caption, QStringLiteral("Error"));
        QVERIFY2(boxes.first().text.startsWith(error.arg(path) + QStringLiteral(": ")), qPrintable(boxes.first().text));
    }
    // Nothing but the PDF (no temporary left behind).
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written ? QStringList{chosen} : QStringList());
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
