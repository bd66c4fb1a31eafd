// brenvik --print-fields and --export-pdf, run as the built program: the filled data
// elements of a WPDS document, its PDF and the fields too long to print whole, those of the
// shipped examples, and the exits for files that have no report.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A WPDS document as the window writes it (code page 1252, CR LF).
const QByteArray kWpds = "[contents]\r\n"
                         "imageFile=\r\n"
                         "formType=WPDS\r\n"
                         "wpdsNo=WPDS-014\r\n"
                         "companyName=Brenvik Steelworks\r\n"
                         "pulsed1=false\r\n"
                         "pulsed2=true\r\n"
                         "IBMThickness1=10 mm\r\n"
                         "technique=Stringer beads\\nBack-step where needed\r\n"
                         "preheatMin=150\r\n"
                         "unitTC=true\r\n"
                         "unitTF=false\r\n"
                         "wpdsDate=12/07/2026\r\n"
                         "WPThickness=mm\xA6" "10\xA6" "10\xA6" "12\xA6_\xA6_\xA6_\xA6_\xA6_\xA6\r\n";

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run brenvik(const QStringList &args)
{
    QProcess process;
    // As on a bare session: Qt would note the missing runtime folder, which is not ours to say.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik"), args);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void printFields();
    void printFieldsOfTheShippedExample_data();
    void printFieldsOfTheShippedExample();
    void exportPdf_data();
    void exportPdf();
    void failures_data();
    void failures();
    void listPrintsTheRegister();
    void exportPdfDirGoesOnPastAFailure();
    void welders_data();
    void welders();
    void logUseAddsOneRow();

private:
    QTemporaryDir m_dir;
    QString m_wpds;
};

void TestCliReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_wpds = m_dir.filePath(QStringLiteral("weld01.wrp"));
    QVERIFY(write(m_wpds, kWpds));
    QVERIFY(write(m_dir.filePath(QStringLiteral("note.wrp")), "[contents]\r\nformType=NOTE\r\n"));
    QVERIFY(write(m_dir.filePath(QStringLiteral("untyped.wrp")), "[contents]\r\nwpdsNo=1\r\n"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("copy")));
    QVERIFY(write(m_dir.filePath(QStringLiteral("copy/WELD01.wrp")), kWpds));
}

void TestCliReport::printFields()
{
    const Run run = brenvik({QStringLiteral("--print-fields"), m_wpds});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
    QCOMPARE(lines.last(), QString()); // every line ends with a line break
    QCOMPARE(lines.size() - 1, 80);    // every label and memo of the page, nothing else
    QCOMPARE(lines.first(), QStringLiteral("1:wpdsNo=WPDS-014"));
    const QString month = QLocale::system().monthName(12, QLocale::ShortFormat);
    const QStringList expected = {
        QStringLiteral("1:wpdsDate=7 %1 2026").arg(month),
        QStringLiteral("1:companyName=Brenvik Steelworks"),
        QStringLiteral("1:pulsed1=No"),
        QStringLiteral("1:pulsed2=Yes"),
        QStringLiteral("1:IBMthickness1=10 mm"),
        QStringLiteral("1:technique=Stringer beads\\nBack-step where needed"),
        QStringLiteral("1:preheatMin=150 \u00B0C"),
        QStringLiteral("1:InterPassMin="),
        QStringLiteral("1:wpUnit1=mm"),
        QStringLiteral("1:wp1=10\\n10\\n12\\n \\n \\n \\n \\n "),
        QStringLiteral("1:wp2= \\n \\n \\n \\n \\n \\n \\n "),
        QStringLiteral("1:remarks="),
    };
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line));
    // Images and fixed captions are not data elements.
    QVERIFY(!run.out.contains("weldImage"));
    QVERIFY(!run.out.contains("WELDING PROCEDURE"));
}

void TestCliReport::printFieldsOfTheShippedExample_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("temperature");
    // Lines there too: a second page names the company and the document, so that it can be
    // traced when it comes loose.
    QTest::addColumn<QStringList>("shown");
    const QString company = QStringLiteral("Brenvik Fabrication Ltd.");
    QTest::newRow("WPDS") << "wpds-example" << 80 << 1 << "1:wpdsNo=" << "1:remarks="
                          << "^1:preheatMin=.* \u00B0[CF]$" << QStringList();
    QTest::newRow("PQR") << "pqr-example" << 101 << 2 << "1:wpdsNo=" << "2:OtherTests="
                         << "^1:PreheatTemperature=50 \u00B0F$"
                         << QStringList{"2:companyName=" + company, "2:TestPlateNo=TP-2026-031"};
    QTest::newRow("WPS") << "wps-example" << 116 << 2 << "1:companyName=" << "2:ETGrid09=Root (1)"
                         << "^2:MinPreheatTemp=10 \u00B0C$"
                         << QStringList{"2:companyName=" + company, "2:wpsNo=WPS-118", "2:RevisionNo=0"};
    QTest::newRow("WPQ") << "wpq-example" << 70 << 1 << "1:welderName=Jonas Marchetti" << "1:certifiedBy="
                         << "^1:pipeDiameter=60.3 mm$"
                         << QStringList{"1:welderId=W-07", "1:fNo2Range=F-4 with or without backing; F-1 to F-3 with backing"};
    QTest::newRow("WPQR") << "wpqr-example" << 98 << 2 << "1:companyName=" << "2:companyName=" + company
                          << "^1:PostWeldTemp=620 \u00B0C$"
                          << QStringList{"2:PQRNo=PQR-118", "2:companyName=" + company};
}

void TestCliReport::printFieldsOfTheShippedExample()
{
    QFETCH(QString, name);
    QFETCH(int, fields);
    QFETCH(int, pages);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, temperature);
    QFETCH(QStringList, shown);
    const QString example = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/%1.wrp").arg(name);
    if (!QFile::exists(example))
        QSKIP("no shipped example");
    const Run run = brenvik({QStringLiteral("--print-fields"), example});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), fields);
    QVERIFY(lines.first().startsWith(first));
    QVERIFY(lines.last().startsWith(last));
    QVERIFY(!lines.filter(QRegularExpression(temperature)).isEmpty());
    for (const QString &line : shown)
        QVERIFY2(lines.contains(line), qPrintable(line));
    // Its PDF holds every page of the report, every value whole.
    const QString pdf = m_dir.filePath(name + QStringLiteral(".pdf"));
    const Run exported = brenvik({QStringLiteral("--export-pdf"), pdf, example});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY2(!exported.err.contains("brenvik: "), exported.err.constData());
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("/Type /Page\n"), pages);
}

void TestCliReport::exportPdf_data()
{
    // The document to export ("{example}" the shipped example) and what stderr names: the
    // fields that print cut, or nothing when every value prints whole.
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("cutFields");
    QTest::newRow("every value whole") << kWpds << QString();
    QTest::newRow("shipped example whole") << QByteArray("{example}") << QString();
    const QByteArray endless = QByteArray("x").repeated(400);
    QTest::newRow("too long at any size")
        << QByteArray(kWpds).replace("Brenvik Steelworks", endless).replace("Stringer beads", endless)
        << "companyName, technique";
}

void TestCliReport::exportPdf()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, cutFields);
    QString wrp = m_dir.filePath(QStringLiteral("export.wrp"));
    if (document == "{example}") {
        wrp = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/wpds-example.wrp");
        if (!QFile::exists(wrp))
            QSKIP("no shipped WPDS example");
    } else {
        QVERIFY(write(wrp, document));
    }
    const QString pdf = m_dir.filePath(QStringLiteral("export.pdf"));
    QFile::remove(pdf);
    const Run run = brenvik({QStringLiteral("--export-pdf"), pdf, wrp});
    // A PDF that holds all that fits is written; the fields that do not are named, and stderr
    // holds nothing else.
    QCOMPARE(run.exitCode, 0);
    const QStringList said = QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(said, cutFields.isEmpty() ? QStringList()
                                       : QStringList{QStringLiteral("brenvik: %1: Too long to print whole even at "
                                                                    "5 points, cut on the page: %2")
                                                         .arg(pdf, cutFields)});
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n"), 1);
}

void TestCliReport::failures_data()
{
    // "{dir}" is the folder of the test documents.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrHas");
    QTest::newRow("missing file") << QStringList{"--print-fields", "{dir}/none.wrp"} << 1 << "cannot open";
    QTest::newRow("unknown type") << QStringList{"--print-fields", "{dir}/note.wrp"} << 1 << "NOTE";
    QTest::newRow("no type") << QStringList{"--export-pdf", "{dir}/x.pdf", "{dir}/untyped.wrp"} << 1
                             << "no form type";
    QTest::newRow("pdf not writable") << QStringList{"--export-pdf", "{dir}/no/such/x.pdf", "{dir}/weld01.wrp"}
                                      << 1 << "Unable to write to";
    QTest::newRow("no file given") << QStringList{"--print-fields"} << 2 << "usage:";
    QTest::newRow("two files") << QStringList{"--export-pdf", "{dir}/x.pdf", "{dir}/weld01.wrp", "{dir}/note.wrp"}
                               << 2 << "usage:";
    QTest::newRow("list: no folder") << QStringList{"--list", "{dir}/none"} << 1
                                     << "cannot read the folder " + m_dir.filePath("none") + ": no such folder";
    QTest::newRow("list: a file, not a folder") << QStringList{"--list", "{dir}/weld01.wrp"} << 1
                                                << "weld01.wrp: it is a file, not a folder";
    QTest::newRow("list: documents given") << QStringList{"--list", "{dir}", "{dir}/weld01.wrp"} << 2 << "usage:";
    QTest::newRow("export-pdf-dir: no documents") << QStringList{"--export-pdf-dir", "{dir}"} << 2 << "usage:";
    QTest::newRow("export-pdf-dir: onto a document")
        << QStringList{"--export-pdf-dir", "{dir}/weld01.wrp", "{dir}/note.wrp"} << 1 << "cannot make the folder";
    // Whichever came last would win the one name: nothing is written, not even the folder
    // (here named x.pdf, which must not appear).
    QTest::newRow("export-pdf-dir: two documents of one name")
        << QStringList{"--export-pdf-dir", "{dir}/x.pdf", "{dir}/note.wrp", "{dir}/weld01.wrp", "{dir}/copy/WELD01.wrp"}
        << 2 << "weld01.wrp and " + m_dir.filePath("copy/WELD01.wrp") + " would both be written as WELD01.pdf";
}

void TestCliReport::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrHas);
    args.replaceInStrings(QStringLiteral("{dir}"), m_dir.path());
    const Run run = brenvik(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(stderrHas), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.pdf"))));
}

// Every document below a folder, one tab-separated line each, the files that are no
// documents included with their reason; the shipped examples in a subfolder. Whatever splits
// a line for some reader (a form feed in a value, a line separator in a name) is a blank; a
// file whose name is not UTF-8 is named as not listed, and the exit says the list is not whole.
void TestCliReport::listPrintsTheRegister()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("examples")));
    for (const char *name : {"wps-example.wrp", "pqr-example.wrp"})
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + QLatin1String(name),
                            dir.filePath(QStringLiteral("examples/") + QLatin1String(name))));
    QVERIFY(write(dir.filePath(QStringLiteral("weld01.wrp")), kWpds));
    QVERIFY(write(dir.filePath(QStringLiteral("Note.WRP")), "[contents]\r\nformType=NOTE\r\n"));
    QVERIFY(write(dir.filePath(QStringLiteral("readme.txt")), "not listed"));
    QVERIFY(write(dir.filePath(QStringLiteral("ctl.wrp")),
                  "[contents]\r\nformType=WPSR\r\nwpsNo=W\x0b" "1\r\ncompanyName=A\x0c" "B\x1c" "C\x1d" "D\x1e" "E\x1f" "F\r\n"));
    QVERIFY(write(dir.filePath(QStringLiteral("line\u2028break.wrp")), kWpds));
    Run run = brenvik({QStringLiteral("--list"), dir.path()});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY(run.err.isEmpty());
    QStringList expected = {
        "Type\tNumber\tRev.\tCompany\tDate\tProcess(es)\tSupporting Record\tFile\tProblem\tApproved\tStatus",
        "WPS\tW 1\t\tA B C D E F\t\t\t\tctl.wrp\t\t\tDraft",
        "PQR\tTP-2026-031\t\tBrenvik Fabrication Ltd.\t2026-10-14\tGMAW\tWPDS-GMAW-2G-038, WPS-GMAW-07\t"
        "examples/pqr-example.wrp\t\t\tDraft",
        "WPS\tWPS-118\t0\tBrenvik Fabrication Ltd.\t2025-12-02\tGTAW / SMAW\tPQR-118\texamples/wps-example.wrp\t\t\tDraft",
        "WPDS\tWPDS-014\t\tBrenvik Steelworks\t2026-12-07\t\t\tline break.wrp\t\t\tDraft",
        "\t\t\t\t\t\t\tNote.WRP\tunknown form type \"NOTE\"\t\t",
        "WPDS\tWPDS-014\t\tBrenvik Steelworks\t2026-12-07\t\t\tweld01.wrp\t\t\tDraft",
    };
    QCOMPARE(QString::fromUtf8(run.out), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    const QByteArray undecodable = QFile::encodeName(dir.path()) + "/bad\xff.wrp";
    const int file = ::open(undecodable.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(file >= 0);
    ::close(file);
    run = brenvik({QStringLiteral("--list"), dir.path()});
    ::unlink(undecodable.constData());
    QCOMPARE(run.exitCode, 1);
    const QString problem = QStringLiteral("the file name is not valid UTF-8: not listed");
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("brenvik: bad\uFFFD.wrp: ") + problem + QLatin1Char('\n'));
    expected.insert(1, QStringLiteral("\t\t\t\t\t\t\tbad\uFFFD.wrp\t") + problem + QStringLiteral("\t\t"));
    QCOMPARE(QString::fromUtf8(run.out), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// One process, many documents: an unreadable one among them is named and costs only its own
// PDF; each PDF is named after its document; a box the opening would show (a date it cannot
// read) is told on stderr with the PDF's name and stops nothing.
void TestCliReport::exportPdfDirGoesOnPastAFailure()
{
    QTemporaryDir out;
    const QString examples = QCoreApplication::applicationDirPath() + QStringLiteral("/examples/");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("copy")));
    const QString twin = m_dir.filePath(QStringLiteral("copy/weld02.wrp"));
    QVERIFY(write(twin, QByteArray(kWpds).replace("wpdsDate=12/07/2026", "wpdsDate=31/31/2026")));
    // Two whose PDF would replace an input: a document named like a PDF in the folder written
    // to, and one whose PDF's name is a link to the sketch of the first document.
    QDir pdf(out.filePath(QStringLiteral("pdf")));
    QVERIFY(pdf.mkpath(QStringLiteral(".")));
    QVERIFY(write(pdf.filePath(QStringLiteral("self.pdf")), kWpds));
    QVERIFY(write(m_dir.filePath(QStringLiteral("copy/shown.wrp")), kWpds));
    QVERIFY(QFile::link(examples + QStringLiteral("wps-example_img.bmp"), pdf.filePath(QStringLiteral("shown.pdf"))));
    const QStringList documents = {examples + QStringLiteral("wps-example.wrp"), m_dir.filePath(QStringLiteral("untyped.wrp")),
                                   m_wpds, examples + QStringLiteral("wpqr-example.wrp"), twin,
                                   pdf.filePath(QStringLiteral("self.pdf")), m_dir.filePath(QStringLiteral("copy/shown.wrp"))};
    const Run run = brenvik(QStringList{QStringLiteral("--export-pdf-dir"), pdf.path()} + documents);
    QCOMPARE(run.exitCode, 1);
    const QStringList said = QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(said, (QStringList{QStringLiteral("brenvik: cannot open %1: it has no form type").arg(documents.at(1)),
                                QStringLiteral("brenvik: %1: '31/31/2026' is not a valid date")
                                    .arg(pdf.filePath(QStringLiteral("weld02.pdf"))),
                                QStringLiteral("brenvik: will not write %1: it is the document being read").arg(documents.at(5)),
                                QStringLiteral("brenvik: will not write %1: it is the sketch of %2")
                                    .arg(pdf.filePath(QStringLiteral("shown.pdf")), documents.at(0)),
                                QStringLiteral("brenvik: 3 of 7 documents were not exported")}));
    QCOMPARE(pdf.entryList(QDir::Files),
             (QStringList{"self.pdf", "shown.pdf", "weld01.pdf", "weld02.pdf", "wpqr-example.pdf", "wps-example.pdf"}));
    QFile self(documents.at(5));
    QVERIFY(self.open(QIODevice::ReadOnly));
    QCOMPARE(self.readAll(), QByteArray(kWpds));
    QFile wps(pdf.filePath(QStringLiteral("wps-example.pdf")));
    QVERIFY(wps.open(QIODevice::ReadOnly));
    QCOMPARE(wps.readAll().count("/Type /Page\n"), 2);
}


namespace {

// The shipped WPS and its two welders in a folder of their own.
QString shop(const QTemporaryDir &dir)
{
    const QString folder = dir.filePath(QStringLiteral("shop"));
    QDir().mkpath(folder);
    for (const char *name : {"wps-example.wrp", "wpq-example.wrp", "wpq-example-2.wrp"})
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/examples/") + QLatin1String(name),
                    folder + QLatin1Char('/') + QLatin1String(name));
    return folder;
}

} // namespace

void TestCliReport::welders_data()
{
    // Arguments ("{shop}" the folder, "{wps}" the WPS in it), the exit and lines stdout holds.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("continuity: GTAW lapsed") << QStringList{"--continuity", "{shop}", "--on", "2026-03-01"} << 1
        << QStringList{"welder\tidentification\tprocess\tlast use\texpires\tvalid through\tstatus\tfile",
                       "Jonas Marchetti\tW-07\tGTAW\t2025-06-18\t2025-12-18\t2025-12-17\tlapsed\twpq-example.wrp",
                       "Jonas Marchetti\tW-07\tSMAW\t2026-02-20\t2026-08-20\t2026-08-19\tcurrent\twpq-example.wrp",
                       "Amara Okafor\tW-12\tGTAW\t2026-01-20\t2026-07-20\t2026-07-19\tcurrent\twpq-example-2.wrp"};
    QTest::newRow("continuity: the day before") << QStringList{"--continuity", "{shop}", "--on", "2025-12-17"} << 0
        << QStringList{"Jonas Marchetti\tW-07\tGTAW\t2025-06-18\t2025-12-18\t2025-12-17\texpiring\twpq-example.wrp"};
    QTest::newRow("continuity: a date it cannot read") << QStringList{"--continuity", "{shop}", "--on", "1.3.2026"}
                                                       << 2 << QStringList{};
    QTest::newRow("continuity: no such folder") << QStringList{"--continuity", "{shop}/none"} << 1 << QStringList{};
    QTest::newRow("welders for the WPS") << QStringList{"--welders-for", "{wps}", "{shop}", "--on", "2026-03-01"} << 0
        << QStringList{"W-12\tAmara Okafor\toverall\tqualified\t\twpq-example-2.wrp",
                       "W-07\tJonas Marchetti\toverall\tlapsed\t\twpq-example.wrp",
                       "W-07\tJonas Marchetti\tQW-322 process GTAW\tlapsed\tGTAW lapsed on 2025-12-18 (last use "
                       "2025-06-18)\twpq-example.wrp"};
    QTest::newRow("nobody qualified later") << QStringList{"--welders-for", "{wps}", "{shop}", "--on", "2026-09-01"}
                                            << 1 << QStringList{"W-12\tAmara Okafor\toverall\tlapsed\t\twpq-example-2.wrp"};
    QTest::newRow("a WPQ is no WPS") << QStringList{"--welders-for", "{shop}/wpq-example.wrp", "{shop}"} << 1
                                     << QStringList{};
}

void TestCliReport::welders()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString folder = shop(dir);
    if (!QFile::exists(folder + QStringLiteral("/wpq-example.wrp")))
        QSKIP("no shipped example");
    for (QString &a : args)
        a.replace(QStringLiteral("{shop}"), folder).replace(QStringLiteral("{wps}"), folder + QStringLiteral("/wps-example.wrp"));
    const Run run = brenvik(args);
    QCOMPARE(run.exitCode, exitCode);
    const QStringList out = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        QVERIFY2(out.contains(line), qPrintable(line + QStringLiteral("\n---\n") + out.join(QLatin1Char('\n'))));
    if (exitCode == 2 || lines.isEmpty())
        QVERIFY(run.err.startsWith("brenvik: "));
}

void TestCliReport::logUseAddsOneRow()
{
    QTemporaryDir dir;
    const QString folder = shop(dir);
    const QString wpq = folder + QStringLiteral("/wpq-example.wrp");
    QFile before(wpq);
    if (!before.open(QIODevice::ReadOnly))
        QSKIP("no shipped example");
    const QByteArray bytes = before.readAll();
    before.close();
    // Refused, the file unchanged: a welder nobody has, a process not tested, a date unread.
    QCOMPARE(brenvik({"--log-use", folder, "W-99", "GTAW", "2026-02-25", "job 2470"}).exitCode, 1);
    QCOMPARE(brenvik({"--log-use", folder, "w-07", "FCAW", "2026-02-25", "job 2470"}).exitCode, 1);
    QCOMPARE(brenvik({"--log-use", folder, "W-07", "GTAW", "25.2.2026", "job 2470"}).exitCode, 2);
    QFile same(wpq);
    QVERIFY(same.open(QIODevice::ReadOnly));
    QCOMPARE(same.readAll(), bytes);
    same.close();
    const Run run = brenvik({"--log-use", folder, "w-07", "gtaw", "2025-12-10", "WPS-118, job 2470"});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QFile after(wpq);
    QVERIFY(after.open(QIODevice::ReadOnly));
    const QByteArray changed = after.readAll();
    // One row filled, every other byte as it was.
    const QByteArray empty = "continuity_5=_\xA6_\xA6_\xA6_\xA6\r\n";
    QVERIFY(bytes.contains(empty));
    QByteArray expected = bytes;
    const QByteArray user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME")).toLocal8Bit();
    expected.replace(empty, "continuity_5=2025-12-10\xA6GTAW\xA6WPS-118, job 2470\xA6"
                                + (user.isEmpty() ? QByteArray("brenvik --log-use") : user) + "\xA6\r\n");
    QCOMPARE(changed, expected);
    QVERIFY(!QFile::exists(wpq + QStringLiteral(".lck")));
    // The use renews GTAW: on 2026-03-01 nobody has lapsed.
    QCOMPARE(brenvik({"--continuity", folder, "--on", "2026-03-01"}).exitCode, 0);

    // A welder whose grid is full: refused, named, the file unchanged.
    QByteArray full = QByteArray(bytes).replace("welderId=W-07", "welderId=W-50");
    for (int r = 1; r <= 60; ++r)
        full.replace("continuity_" + QByteArray::number(r) + "=_\xA6_\xA6_\xA6_\xA6\r\n",
                     "continuity_" + QByteArray::number(r) + "=2025-01-01\xA6SMAW\xA6job\xA6T. S.\xA6\r\n");
    const QString fullPath = folder + QStringLiteral("/full.wrp");
    QVERIFY(write(fullPath, full));
    const Run refused = brenvik({"--log-use", folder, "W-50", "SMAW", "2026-02-25", "job 2471"});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("is full"), refused.err.constData());
    QFile stillFull(fullPath);
    QVERIFY(stillFull.open(QIODevice::ReadOnly));
    QCOMPARE(stillFull.readAll(), full);
}

QTEST_MAIN(TestCliReport)
#include "tst_cli_report.moc"
