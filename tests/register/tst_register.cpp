// The document register: the columns each form gives, files that are no documents listed with
// their reason and left as they were, the search, the watcher following the folder, and the
// panel's bulk export with its question before replacing PDFs.

#include "core/appstate.h"
#include "core/documentwindow.h"
#include "document/formdescription.h"
#include "document/formwindow.h"
#include "forms/formregistry.h"
#include "register/bulkexport.h"
#include "register/registerdock.h"
#include "register/registermodel.h"
#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace Brenvik;

namespace {

QString example(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + name;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A folder holding the four shipped examples, one of them in a subfolder.
void fillWithExamples(const QTemporaryDir &dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("records"));
    for (const char *name : {"wpds-example.wrp", "pqr-example.wrp", "wps-example.wrp"})
        QFile::copy(example(QLatin1String(name)), dir.filePath(QLatin1String(name)));
    QFile::copy(example(QStringLiteral("wpqr-example.wrp")), dir.filePath(QStringLiteral("records/wpqr-example.wrp")));
}

// The folders and the (empty) file of a relative path given as bytes, whatever their encoding
// or length: each one is made relative to the one before, as no full path may be that long.
bool makeRaw(const QString &root, const QByteArray &relative)
{
    int folder = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY);
    const QList<QByteArray> parts = relative.split('/');
    for (int i = 0; i + 1 < parts.size() && folder >= 0; ++i) {
        ::mkdirat(folder, parts.at(i).constData(), 0700);
        const int next = ::openat(folder, parts.at(i).constData(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = next;
    }
    const int file = folder < 0 ? -1 : ::openat(folder, parts.last().constData(), O_WRONLY | O_CREAT, 0600);
    ::close(folder);
    return ::close(file) == 0;
}

QStringList column(const QAbstractItemModel &model, int column)
{
    QStringList cells;
    for (int r = 0; r < model.rowCount(); ++r)
        cells << model.index(r, column).data().toString();
    return cells;
}

} // namespace

class TestRegister : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { registerForms(); }

    void columnsOfTheShippedExamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("cells"); // type, number, rev., company, date, processes, supporting
        QTest::addColumn<QString>("shown");     // the Type column of the panel
        const QString company = QStringLiteral("Brenvik Fabrication Ltd.");
        QTest::newRow("WPDS") << "wpds-example.wrp"
                              << QStringList{"WPDS", "WPDS-GMAW-012", "0", company, "2026-07-12", "GMAW",
                                             "PQR-2026-03, WPS-GMAW-01"}
                              << "WPDS (data sheet)";
        QTest::newRow("PQR: known by its test plate")
            << "pqr-example.wrp"
            << QStringList{"PQR", "TP-2026-031", "", company, "2026-10-14", "GMAW", "WPDS-GMAW-2G-038, WPS-GMAW-07"}
            << "PQR (test plate report)";
        QTest::newRow("WPQR: the PQR of QW-483")
            << "wpqr-example.wrp"
            << QStringList{"WPQR", "PQR-118", "", company, "2025-11-18", "GTAW / SMAW", "WPS-118 Rev. 0"}
            << "WPQR (PQR, QW-483)";
        QTest::newRow("WPS (stored as WPSR), revision 0: its first date")
            << "wps-example.wrp" << QStringList{"WPS", "WPS-118", "0", company, "2025-12-02", "GTAW / SMAW", "PQR-118"}
            << "WPS (WPS, QW-482)";
        QTest::newRow("WPS, its revision 1: the revision's date")
            << "wps-exceeds-example.wrp"
            << QStringList{"WPS", "WPS-118", "1", company, "2026-01-14", "GTAW / SMAW", "PQR-118"}
            << "WPS (WPS, QW-482)";
    }

    void columnsOfTheShippedExamples()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, cells);
        QFETCH(QString, shown);
        const RegisterEntry entry = RegisterEntry::read(example(file), file);
        QVERIFY2(entry.isDocument(), qPrintable(entry.problem));
        QStringList got;
        for (int c = RegisterEntry::Type; c <= RegisterEntry::Supporting; ++c)
            got << entry.cell(c);
        QCOMPARE(got, cells);
        QCOMPARE(entry.cell(RegisterEntry::File), file);
        QCOMPARE(entry.shownType(), shown);

        // The type word goes back to the form type, and every key its description names is a
        // stored field of that form: a renamed field cannot leave a column silently empty.
        const FormDescription *description = FormDescriptions::find(entry.formType());
        QVERIFY(description);
        QCOMPARE(description->shownAs, entry.type);
        const std::unique_ptr<QWidget> window(DocumentRegistry::instance().create(description->formType, nullptr)->widget());
        const FormTable &table = dynamic_cast<FormWindow &>(*window).table();
        QStringList keys = description->processKeys + description->supportingKeys;
        keys << description->numberKey << description->revisionKey << description->revisionDateKey
             << description->dateKey << description->companyKey << description->addressKey;
        keys.removeAll(QString());
        for (const QString &key : std::as_const(keys)) {
            const FieldDef *field = table.field(key);
            QVERIFY2(field && isStoredKind(field->kind), qPrintable(description->formType + QLatin1Char(' ') + key));
        }
    }

    void filesThatAreNoDocuments_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown type") << QByteArray("[contents]\r\nformType=NOTE\r\nwpdsNo=1\r\n")
                                      << "unknown form type \"NOTE\"";
        QTest::newRow("no type") << QByteArray("[contents]\r\nwpdsNo=WPDS-1\r\n") << "no form type";
        QTest::newRow("other section only") << QByteArray("[other]\r\nformType=WPDS\r\n")
                                            << "not a welding document: no [contents] section";
        QTest::newRow("empty") << QByteArray() << "not a welding document: no [contents] section";
        QTest::newRow("binary, cut short") << QByteArray("[contents]\r\nformType=WP\0\0\x01\xff", 27)
                                           << "damaged: not a text file";
        QTest::newRow("a date that is no date: still a document")
            << QByteArray("[contents]\r\nformType=WPSR\r\nwpsNo=W-1\r\nwpsDate=soon\r\n") << QString();
    }

    // Listed, greyed, with the reason; never hidden, never changed.
    void filesThatAreNoDocuments()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("odd.wrp"));
        QVERIFY(write(path, bytes));
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner)); // a write would fail loudly
        const QDateTime modified = QFileInfo(path).lastModified();
        RegisterModel model;
        QVERIFY(model.setFolder(dir.path()));
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex file = model.index(0, RegisterEntry::File);
        QCOMPARE(file.data().toString(), QStringLiteral("odd.wrp"));
        QCOMPARE(model.index(0, RegisterEntry::Problem).data().toString(), problem);
        QCOMPARE(file.data(Qt::ForegroundRole).isValid(), !problem.isEmpty());
        if (!problem.isEmpty())
            QVERIFY(file.data(Qt::ToolTipRole).toString().contains(problem));
        else
            QCOMPARE(model.index(0, RegisterEntry::Date).data().toString(), QStringLiteral("soon"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".lock")));
    }

    // What the scan cannot go into or name gets a greyed line with the reason, beside the
    // documents it could list: the register never looks whole when it is not.
    void placesTheScanCannotReach_data()
    {
        QTest::addColumn<QByteArray>("place"); // below the folder, as bytes
        QTest::addColumn<bool>("locked");      // the first folder of place unreadable
        QTest::addColumn<QString>("problem");
        QTest::newRow("a folder it cannot read")
            << QByteArray("locked/inside.wrp") << true
            << "the folder cannot be read (Permission denied): its documents are not listed";
        QTest::newRow("a file name that is not UTF-8") << QByteArray("caf\xe9.wrp") << false
                                                        << "the file name is not valid UTF-8: not listed";
        QTest::newRow("a folder name that is not UTF-8")
            << QByteArray("d\xff\xfe/inside.wrp") << false
            << "the folder name is not valid UTF-8: its documents are not listed";
        QTest::newRow("a path longer than the system allows")
            << QByteArray(QByteArray(200, 'd') + '/').repeated(22) + "deep.wrp" << false
            << "the path is longer than the system allows: its documents are not listed";
    }

    void placesTheScanCannotReach()
    {
        QFETCH(QByteArray, place);
        QFETCH(bool, locked);
        QFETCH(QString, problem);
        if (locked && ::geteuid() == 0)
            QSKIP("every folder can be read by root");
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath(QStringLiteral("zz.wrp")), "[contents]\r\nformType=PQR\r\ntestPlateNo=TP-1\r\n"));
        QVERIFY(makeRaw(dir.path(), place));
        const QString first = QFile::decodeName(place.left(place.indexOf('/')));
        if (locked)
            QVERIFY(QFile(dir.filePath(first)).setPermissions(QFileDevice::Permissions()));
        RegisterModel model;
        const bool readable = model.setFolder(dir.path());
        if (locked)
            QFile(dir.filePath(first)).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Names Qt cannot hold and paths longer than it may pass: removed by the system's own tool.
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), dir.path()});
        QVERIFY(readable);
        QCOMPARE(model.rowCount(), 2);
        QVERIFY(model.entries().at(0).unreached);
        QCOMPARE(model.entries().at(1).type, QStringLiteral("PQR"));
        QCOMPARE(model.index(0, RegisterEntry::Problem).data().toString(), problem);
        const QString shown = model.index(0, RegisterEntry::File).data().toString();
        QVERIFY2(QString::fromUtf8(place).startsWith(shown) && shown.size() > 1, qPrintable(shown));
        QVERIFY(model.index(0, RegisterEntry::File).data(Qt::ForegroundRole).isValid());
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("superseded"); // 0: none; 1: wps-example superseded, hidden; 2: shown
        const QStringList all{"pqr-example.wrp", "records/wpqr-example.wrp", "wpds-example.wrp", "wps-example.wrp"};
        QTest::newRow("nothing: all") << "" << all << 0;
        QTest::newRow("superseded: hidden") << "" << all.mid(0, 3) << 1;
        QTest::newRow("superseded: shown") << "" << all << 2;
        QTest::newRow("superseded: by its status") << "superseded" << QStringList{"wps-example.wrp"} << 2;
        QTest::newRow("drafts by their status") << "draft" << all.mid(0, 3) << 2;
        QTest::newRow("a cited record, any case") << "pqr-118"
                                                 << QStringList{"records/wpqr-example.wrp", "wps-example.wrp"} << 0;
        QTest::newRow("every word, in any column") << "wps pqr-118 2025-12" << QStringList{"wps-example.wrp"} << 0;
        QTest::newRow("a date") << "2025-11" << QStringList{"records/wpqr-example.wrp"} << 0;
        QTest::newRow("a subfolder") << "records/" << QStringList{"records/wpqr-example.wrp"} << 0;
        QTest::newRow("a reason") << "unknown" << QStringList{} << 0;
        QTest::newRow("no match") << "FCAW" << QStringList{} << 0;
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, files);
        QFETCH(int, superseded);
        QTemporaryDir dir;
        fillWithExamples(dir);
        if (superseded) {
            QFile wps(dir.filePath(QStringLiteral("wps-example.wrp")));
            QVERIFY(wps.open(QIODevice::Append));
            wps.write("dcStatus=Superseded\r\n");
        }
        RegisterModel model;
        model.setFolder(dir.path());
        RegisterFilter filter;
        QVERIFY(filter.hidesSuperseded());
        filter.setHideSuperseded(superseded != 2);
        filter.setSourceModel(&model);
        filter.sort(RegisterEntry::File);
        filter.setSearch(text);
        QCOMPARE(column(filter, RegisterEntry::File), files);
    }

    void sortsNumbersInTextsAsNumbers()
    {
        QTemporaryDir dir;
        for (const char *number : {"WPS-10", "WPS-9", "wps-100"})
            QVERIFY(write(dir.filePath(QLatin1String(number) + QStringLiteral(".wrp")),
                          QByteArray("[contents]\r\nformType=WPSR\r\nwpsNo=") + number + "\r\n"));
        RegisterModel model;
        model.setFolder(dir.path());
        RegisterFilter filter;
        filter.setSourceModel(&model);
        filter.sort(RegisterEntry::Number);
        QCOMPARE(column(filter, RegisterEntry::Number), (QStringList{"WPS-9", "WPS-10", "wps-100"}));
    }

    // A save, a new file (in a new subfolder too) and a removal show without a manual refresh;
    // files that did not change are not read again.
    void followsTheFolder()
    {
        QTemporaryDir dir;
        fillWithExamples(dir);
        RegisterModel model;
        model.setFolder(dir.path());
        QCOMPARE(model.rowCount(), 4);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        const QString added = dir.filePath(QStringLiteral("added.wrp"));
        QVERIFY(write(added, "[contents]\r\nformType=WPSR\r\nwpsNo=WPS-NEW\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 5, 2000);
        QCOMPARE(model.index(0, RegisterEntry::Number).data().toString(), QStringLiteral("WPS-NEW"));
        QCOMPARE(model.filesReadLastTime(), 1);

        // A new subfolder is followed as soon as it is seen.
        QSignalSpy refreshed(&model, &RegisterModel::refreshed);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("records/2026")));
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty(), 2000);
        QVERIFY(write(dir.filePath(QStringLiteral("records/2026/deep.wrp")),
                      "[contents]\r\nformType=PQR\r\ntestPlateNo=TP-9\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 6, 2000);

        QVERIFY(write(added, "[contents]\r\nformType=WPSR\r\nwpsNo=WPS-NEW rev\r\n"));
        QTRY_COMPARE_WITH_TIMEOUT(model.index(0, RegisterEntry::Number).data().toString(),
                                  QStringLiteral("WPS-NEW rev"), 2000);

        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("wps-example.wrp"))));
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 5, 2000);
        QVERIFY(!column(model, RegisterEntry::File).contains(QStringLiteral("wps-example.wrp")));
        QCOMPARE(removed.size(), 1); // the other rows stayed where they were
    }

    // A PDF is named after its document alone, the same whatever else is exported with it:
    // two documents of one name (in any case) give neither, both named.
    void pdfNames_data()
    {
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QStringList>("pdfs");
        QTest::addColumn<QStringList>("shared");
        QTest::newRow("from the file names") << QStringList{"/a/weld01.wrp", "/a/WPS 7.v2.WRP"}
                                             << QStringList{"weld01.pdf", "WPS 7.v2.pdf"} << QStringList{};
        QTest::newRow("the same name twice, any case")
            << QStringList{"/a/weld01.wrp", "/a/weld02.wrp", "/b/Weld01.wrp", "/c/weld01.wrp"}
            << QStringList{"weld01.pdf", "weld02.pdf", "Weld01.pdf", "weld01.pdf"}
            << QStringList{"/a/weld01.wrp", "/b/Weld01.wrp", "/c/weld01.wrp"};
        QTest::newRow("never a hidden file") << QStringList{"/a/.wrp", "/a/.old.wrp", "/a/..wrp"}
                                             << QStringList{"wrp.pdf", "old.pdf", "wrp.pdf"}
                                             << QStringList{"/a/.wrp", "/a/..wrp"};
    }

    void pdfNames()
    {
        QFETCH(QStringList, documents);
        QFETCH(QStringList, pdfs);
        QFETCH(QStringList, shared);
        QStringList names;
        for (const QString &path : BulkExport::pdfPaths(QStringLiteral("/out"), documents))
            names << QFileInfo(path).fileName();
        QCOMPARE(names, pdfs);
        QStringList problems;
        QCOMPARE(BulkExport::sharedNames(documents, &problems), shared);
        QCOMPARE(problems.size(), qMax(0, int(shared.size()) - 1));
    }

    void exportFromThePanel_data()
    {
        QTest::addColumn<QVariant>("answer"); // to "Replace them?"; invalid when not asked
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("summary");
        QTest::newRow("nothing there yet") << QVariant() << QStringList{"pqr-example.pdf", "wpqr-example.pdf",
                                                                        "wpds-example.pdf", "wps-example.pdf"}
                                           << "4 of 5 PDF files written";
        QTest::newRow("replace") << QVariant(int(Answer::Yes))
                                 << QStringList{"pqr-example.pdf", "wpqr-example.pdf", "wpds-example.pdf",
                                                "wps-example.pdf"}
                                 << "4 of 5 PDF files written";
        QTest::newRow("keep") << QVariant(int(Answer::No))
                              << QStringList{"pqr-example.pdf", "wpqr-example.pdf", "wpds-example.pdf"}
                              << "3 of 5 PDF files written";
        QTest::newRow("cancel") << QVariant(int(Answer::Cancel)) << QStringList{} << QString();
    }

    // Every row selected, the greyed one among them: it is named, the others are written.
    void exportFromThePanel()
    {
        QFETCH(QVariant, answer);
        QFETCH(QStringList, written);
        QFETCH(QString, summary);
        ScriptedPlatform p;
        TempData data;
        QTemporaryDir dir;
        QTemporaryDir out;
        fillWithExamples(dir);
        QVERIFY(write(dir.filePath(QStringLiteral("note.wrp")), "[contents]\r\nformType=NOTE\r\n"));
        const QString kept = out.filePath(QStringLiteral("wps-example.pdf"));
        if (answer.isValid())
            QVERIFY(write(kept, "old"));
        RegisterDock dock;
        dock.setFolder(dir.path());
        QCOMPARE(p.setting(QStringLiteral("register/folder")), QDir(dir.path()).absolutePath());
        dock.table()->selectAll();
        p.queueFolder(out.path());
        if (answer.isValid())
            p.queueAnswer(Answer(answer.toInt()));
        dock.exportSelected();
        // The hidden windows of the export leave the program's own document state alone.
        QVERIFY(!AppState::instance().changed());
        QVERIFY(!AppState::instance().currentDocument());
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join(QLatin1Char(','))));
        for (const QString &name : written) {
            QFile f(out.filePath(name));
            QVERIFY2(f.open(QIODevice::ReadOnly) && f.read(4) == "%PDF", qPrintable(name));
        }
        if (summary.isEmpty()) {
            QCOMPARE(p.messages.last().kind, QStringLiteral("askYesNoCancel"));
        } else {
            QCOMPARE(p.messages.last().caption, QStringLiteral("Error"));
            QVERIFY2(p.messages.last().text.contains(summary), qPrintable(p.messages.last().text));
            QVERIFY(p.messages.last().text.contains(QStringLiteral("unknown form type \"NOTE\"")));
        }
        if (answer == QVariant(int(Answer::No)) || answer == QVariant(int(Answer::Cancel))) {
            QFile f(kept);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("old"));
        }
    }

    // Each document is told of once, in order, and only after its PDF is on disk: a PDF that
    // cannot be written (its folder is missing) is a failure, never a success told early.
    void exportAllTellsEachInTurn()
    {
        ScriptedPlatform p;
        TempData data;
        QTemporaryDir out;
        const QStringList documents = {example(QStringLiteral("wps-example.wrp")), out.filePath(QStringLiteral("none.wrp")),
                                       example(QStringLiteral("wpds-example.wrp")), example(QStringLiteral("pqr-example.wrp"))};
        const QStringList pdfs = {out.filePath(QStringLiteral("wps.pdf")), out.filePath(QStringLiteral("none.pdf")),
                                  out.filePath(QStringLiteral("missing/wpds.pdf")), out.filePath(QStringLiteral("pqr.pdf"))};
        QStringList told;
        BulkExport exporter;
        exporter.exportAll(documents, pdfs, [&](qsizetype i, const QString &error, const QStringList &) {
            told << QStringLiteral("%1 %2 %3").arg(i).arg(QFileInfo::exists(pdfs.at(i))).arg(error.section(QLatin1Char(':'), 0, 1));
        });
        QCOMPARE(told, (QStringList{QStringLiteral("0 1 "), QStringLiteral("1 0 cannot open %1: no such file").arg(documents.at(1)),
                                    QStringLiteral("2 0 %1: Unable to write to %2").arg(documents.at(2), pdfs.at(2)),
                                    QStringLiteral("3 1 ")}));
        QVERIFY2(p.unexpected.isEmpty(), qPrintable(p.unexpected.join(QLatin1Char(','))));
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
