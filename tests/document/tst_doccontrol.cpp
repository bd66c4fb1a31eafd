// Document control without a window: the status keys, the digest and its tamper check,
// approval, withdrawal, revisions and superseding on real files, and the field-by-field compare.

#include "core/profilefile.h"
#include "document/control/controlbar.h"
#include "document/control/controlrecord.h"
#include "document/control/documentcompare.h"
#include "document/control/documentcontrol.h"
#include "document/fieldtable.h"
#include "document/formdescription.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Brenvik;

namespace {

const QByteArray kPlain = "[contents]\r\nimageFile=\r\nformType=WPSR\r\nwpsNo=WPS-118\r\nrevisionNo=0\r\n"
                          "revisionDate=07/01/2026\r\nprocess=GMAW\r\n";
const QByteArray kPicture = "BM-picture-bytes";

ProfileFile loaded(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    file.load();
    return file;
}

ControlState stateOf(const QString &path)
{
    return ControlState::of(loaded(path));
}

FormDescription wpsDescription()
{
    FormDescription d;
    d.formType = QStringLiteral("WPSR");
    d.shownAs = QStringLiteral("WPS");
    d.numberKey = QStringLiteral("wpsNo");
    d.revisionKey = QStringLiteral("revisionNo");
    d.revisionDateKey = QStringLiteral("revisionDate");
    return d;
}

Approval approvalBy(const QString &name)
{
    Approval a;
    a.approvedBy = name;
    a.approvedDate = QDate(2026, 7, 12);
    return a;
}

} // namespace

class TestDocControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }

    // Reading and writing the keys back changes no byte of a file already in the written form.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("status");
        QTest::newRow("older file, no keys") << kPlain << false << "Draft";
        QTest::newRow("no section at all") << QByteArray("[other]\r\na=1\r\n") << false << "Draft";
        QByteArray approved = kPlain;
        approved += "dcStatus=Approved\r\ndcPreparedBy=A. Welder\r\ndcPreparedDate=07/10/2026\r\n"
                    "dcReviewedBy=\r\ndcReviewedDate=\r\ndcApprovedBy=R. Inspector\r\ndcApprovedDate=07/12/2026\r\n"
                    "dcSupersededBy=\r\ndcSupersedes=WPS-118.wrp\r\ndcDigest=00ff\r\n[extra]\r\nkeep=1\r\n";
        QTest::newRow("approved, keys in order") << approved << true << "Approved";
        QByteArray draft = kPlain;
        draft += "dcStatus=Draft\r\ndcPreparedBy=\r\ndcPreparedDate=\r\ndcReviewedBy=\r\ndcReviewedDate=\r\n"
                 "dcApprovedBy=\r\ndcApprovedDate=\r\ndcSupersededBy=\r\ndcSupersedes=WPS-118.wrp\r\ndcDigest=\r\n";
        QTest::newRow("revision draft") << draft << true << "Draft";
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(QString, status);
        ProfileFile file(QStringLiteral("x.wrp"), ProfileFile::Kind::Document);
        file.setData(bytes);
        const ControlRecord record = ControlRecord::read(file);
        QCOMPARE(record.present, present);
        QCOMPARE(ControlRecord::statusWord(record.status), status);
        record.write(file);
        QCOMPARE(file.data(), bytes);
        if (!present)
            QCOMPARE(file.isModified(), false);
    }

    // Keys found before a form key (a save appended a new form key after them) go back to the end;
    // a hand-spelled key is read whatever its letter case.
    void keysMoveLast()
    {
        ProfileFile file(QStringLiteral("x.wrp"), ProfileFile::Kind::Document);
        file.setData("[contents]\r\nformType=WPSR\r\nDCSTATUS=superseded\r\nwpsNo=1\r\n");
        const ControlRecord record = ControlRecord::read(file);
        QCOMPARE(record.status, ControlStatus::Superseded);
        record.write(file);
        QVERIFY(file.data().startsWith("[contents]\r\nformType=WPSR\r\nwpsNo=1\r\ndcStatus=Superseded\r\n"));
    }

    // Approve, approve again, withdraw: the file, its keys and the signature picture beside it.
    void approveAndWithdraw()
    {
        const QString doc = path(QStringLiteral("WPS-118.wrp"));
        writeFile(doc, kPlain);
        writeFile(pictureFile(doc), kPicture);
        Approval a = approvalBy(QStringLiteral("R. Inspector"));
        a.signaturePng = "PNG-signature";
        a.preparedBy = QStringLiteral("A. Welder");
        a.preparedDate = QDate(2026, 7, 10);
        QCOMPARE(DocumentControl::approve(doc, a), QString());
        const QByteArray approved = readAll(doc);
        QVERIFY(approved.startsWith(kPlain)); // every form key as it was, the status keys after
        QVERIFY(approved.contains("\r\ndcStatus=Approved\r\n"));
        QVERIFY(approved.contains("\r\ndcApprovedBy=R. Inspector\r\ndcApprovedDate=07/12/2026\r\n"));
        QCOMPARE(readAll(DocumentControl::signatureFileOf(doc)), QByteArray("PNG-signature"));
        ControlState state = stateOf(doc);
        QCOMPARE(state.text(), QStringLiteral("Approved"));
        QCOMPARE(state.record.preparedBy, QStringLiteral("A. Welder"));

        // Never approved twice over itself: the file stays as it is.
        QVERIFY(!DocumentControl::approve(doc, approvalBy(QStringLiteral("Someone"))).isEmpty());
        QCOMPARE(readAll(doc), approved);
        QVERIFY(!DocumentControl::approve(path(QStringLiteral("missing.wrp")), a).isEmpty());
        QVERIFY(!DocumentControl::approve(doc, approvalBy(QString())).isEmpty());

        QCOMPARE(DocumentControl::withdraw(doc), QString());
        state = stateOf(doc);
        QCOMPARE(state.text(), QStringLiteral("Draft"));
        QCOMPARE(state.record.approvedBy, QString());
        QCOMPARE(state.record.preparedBy, QStringLiteral("A. Welder"));
        QVERIFY(!QFileInfo::exists(DocumentControl::signatureFileOf(doc)));
        QVERIFY(!DocumentControl::withdraw(doc).isEmpty()); // a draft has nothing to withdraw
    }

    // What approval stores is checked against what the file and its picture hold on opening.
    void tamperCheck_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QString>("status");
        QTest::newRow("untouched") << QByteArray() << QByteArray() << kPicture << "Approved";
        QTest::newRow("value edited by hand") << QByteArray("process=GMAW") << QByteArray("process=SMAW")
                                              << kPicture << "Approved, changed";
        QTest::newRow("key added by hand") << QByteArray("process=GMAW\r\n") << QByteArray("process=GMAW\r\nnote=x\r\n")
                                           << kPicture << "Approved, changed";
        QTest::newRow("picture replaced") << QByteArray() << QByteArray() << QByteArray("BM-other") << "Approved, changed";
        QTest::newRow("picture removed") << QByteArray() << QByteArray() << QByteArray() << "Approved, changed";
        QTest::newRow("blanks around a value") << QByteArray("process=GMAW") << QByteArray("process = GMAW ")
                                               << kPicture << "Approved";
        QTest::newRow("status key edited") << QByteArray("dcApprovedBy=R. Inspector")
                                           << QByteArray("dcApprovedBy=Another") << kPicture << "Approved";
        QTest::newRow("digest edited") << QByteArray("dcDigest=") << QByteArray("dcDigest=0") << kPicture
                                       << "Approved, changed";
    }
    void tamperCheck()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QByteArray, picture);
        QFETCH(QString, status);
        const QString doc = path(QStringLiteral("t.wrp"));
        writeFile(doc, kPlain);
        writeFile(pictureFile(doc), kPicture);
        QCOMPARE(DocumentControl::approve(doc, approvalBy(QStringLiteral("R. Inspector"))), QString());
        QByteArray bytes = readAll(doc);
        if (!from.isEmpty()) {
            QVERIFY(bytes.contains(from));
            bytes.replace(from, to);
        }
        writeFile(doc, bytes);
        QFile::remove(pictureFile(doc));
        if (!picture.isEmpty())
            writeFile(pictureFile(doc), picture);
        QCOMPARE(stateOf(doc).text(), status);
    }

    void revisionNames_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");   // empty: asked for
        QTest::addColumn<QString>("answer"); // what the user then enters
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("file");
        QTest::newRow("first issue") << "0" << "1" << "" << "WPS-118" << "WPS-118 rev 1.wrp";
        QTest::newRow("empty") << "" << "1" << "" << "WPS-118" << "WPS-118 rev 1.wrp";
        QTest::newRow("blanks") << " 7 " << "8" << "" << "WPS-118" << "WPS-118 rev 8.wrp";
        QTest::newRow("letter is asked for") << "A" << "" << "B" << "WPS-118" << "WPS-118 rev B.wrp";
        QTest::newRow("decimal is asked for") << "1.2" << "" << "1.3" << "WPS-118" << "WPS-118 rev 1.3.wrp";
        QTest::newRow("an answer naming a folder") << "A" << "" << "../B/1" << "WPS-118" << "WPS-118 rev ..-B-1.wrp";
        QTest::newRow("slash in the number") << "2" << "3" << "" << "WPS/118:a" << "WPS-118-a rev 3.wrp";
        QTest::newRow("no number: the file's name") << "1" << "2" << "" << "" << "old rev 2.wrp";
    }
    void revisionNames()
    {
        QFETCH(QString, current);
        QFETCH(QString, next);
        QFETCH(QString, answer);
        QFETCH(QString, number);
        QFETCH(QString, file);
        QCOMPARE(DocumentControl::nextRevision(current), next);
        const QString proposed =
            DocumentControl::revisionFileName(QStringLiteral("/d/old rev 1.wrp"), number, next.isEmpty() ? answer : next);
        QCOMPARE(QFileInfo(proposed).fileName(), file);
        QCOMPARE(QFileInfo(proposed).absolutePath(), QStringLiteral("/d")); // beside the earlier one
    }

    // A revision, its approval and the question about the earlier one, under each answer.
    void supersede_data()
    {
        QTest::addColumn<int>("answer"); // 1 yes, 0 no, -1 earlier file gone, 2 earlier superseded by another,
                                         // 3 yes to an earlier draft (its approval withdrawn)
        QTest::addColumn<QString>("earlierStatus");
        QTest::newRow("yes") << 1 << "Superseded";
        QTest::newRow("no") << 0 << "Approved";
        QTest::newRow("earlier removed") << -1 << "";
        QTest::newRow("earlier already superseded") << 2 << "Superseded";
        QTest::newRow("earlier never approved: not read as changed") << 3 << "Superseded";
    }
    void supersede()
    {
        QFETCH(int, answer);
        QFETCH(QString, earlierStatus);
        const QString earlier = path(QStringLiteral("WPS-118.wrp"));
        writeFile(earlier, kPlain);
        writeFile(pictureFile(earlier), kPicture);
        QCOMPARE(DocumentControl::approve(earlier, approvalBy(QStringLiteral("R. Inspector"))), QString());
        const QString later = DocumentControl::revisionFileName(earlier, QStringLiteral("WPS-118"), QStringLiteral("1"));
        QCOMPARE(DocumentControl::createRevision(earlier, later, QStringLiteral("1"), QDate(2026, 8, 1), wpsDescription()),
                 QString());
        // The revision: the values and picture, the new number and date, a draft naming the earlier file.
        const ProfileFile revision = loaded(later);
        QCOMPARE(revision.value(QStringLiteral("contents"), QStringLiteral("revisionNo")), QStringLiteral("1"));
        QCOMPARE(revision.value(QStringLiteral("contents"), QStringLiteral("revisionDate")), QStringLiteral("08/01/2026"));
        QCOMPARE(revision.value(QStringLiteral("contents"), QStringLiteral("process")), QStringLiteral("GMAW"));
        QCOMPARE(readAll(pictureFile(later)), kPicture);
        const ControlRecord record = ControlRecord::read(revision);
        QCOMPARE(record.status, ControlStatus::Draft);
        QVERIFY(record.present && record.approvedBy.isEmpty() && record.digest.isEmpty());
        QCOMPARE(record.supersedes, QStringLiteral("WPS-118.wrp"));
        // A record is never revised.
        FormDescription pqr = wpsDescription();
        pqr.revisionKey.clear();
        QVERIFY(!DocumentControl::createRevision(earlier, path(QStringLiteral("p.wrp")), QStringLiteral("1"),
                                                 QDate(2026, 8, 1), pqr).isEmpty());

        if (answer == -1)
            QFile::remove(earlier);
        if (answer == 3)
            QCOMPARE(DocumentControl::withdraw(earlier), QString());
        if (answer == 2)
            QCOMPARE(DocumentControl::supersede(earlier, path(QStringLiteral("other.wrp"))), QString());
        QStringList asked;
        QString note;
        QCOMPARE(DocumentControl::approveRevision(later, approvalBy(QStringLiteral("R. Inspector")),
                                                  [&](const QString &name) {
                                                      asked << name;
                                                      return answer != 0;
                                                  },
                                                  &note),
                 QString());
        QCOMPARE(stateOf(later).text(), QStringLiteral("Approved"));
        QCOMPARE(asked, answer == -1 ? QStringList() : QStringList{QStringLiteral("WPS-118.wrp")});
        QVERIFY(!note.isEmpty());
        if (answer == -1)
            return;
        const ControlState old = stateOf(earlier);
        QCOMPARE(ControlRecord::statusWord(old.record.status), earlierStatus);
        QVERIFY(!old.changed); // superseding keeps the earlier approval's digest whole
        QCOMPARE(old.record.supersededBy,
                 answer == 1 || answer == 3 ? QStringLiteral("WPS-118 rev 1.wrp")
                 : answer == 2              ? QStringLiteral("other.wrp")
                                            : QString());
        if (answer == 3)
            QCOMPARE(ControlBar::textOf(old), QStringLiteral("Superseded by WPS-118 rev 1.wrp; it was never approved."));
    }

    // Every stored field that differs, by page and label; grid cells by row and column heading.
    void compare()
    {
        FormTable t;
        t.description.formType = QStringLiteral("WPQ");
        t.pages = {PageDef{QStringLiteral("p1"), QStringLiteral("General")}};
        t.groups = {makeGroup(QStringLiteral("g"), QStringLiteral(" Joint "), 0, 0, 0)};
        t.fields << makeField(QStringLiteral("wpqNo"), FieldKind::Edit, QStringLiteral("g"), QStringLiteral("Number:"));
        t.fields << makeField(QStringLiteral("notes"), FieldKind::Memo, QStringLiteral("g"), QStringLiteral("Notes:"));
        t.fields << makeField(QStringLiteral("pulsed"), FieldKind::Check, QStringLiteral("g"), QString(),
                              QStringLiteral("Pulsed"));
        t.fields << makeField(QStringLiteral("testDate"), FieldKind::Date, QStringLiteral("g"), QStringLiteral("Date:"));
        FieldDef grid = gridField(QStringLiteral("layers"), FieldKind::Grid, QStringLiteral("g"), 3, 3,
                                  {QString(), QStringLiteral("Process"), QStringLiteral("Amps")});
        grid.grid.fixedColumns = 1;
        grid.grid.rowTitles = {QStringLiteral("Root"), QStringLiteral("Cap")};
        t.fields << grid;
        addSketchFields(t.fields, QStringLiteral("g"), QStringLiteral("Joint Sketch"), false);
        const QChar s(0x00A6);
        ProfileFile a(QStringLiteral("a.wrp"), ProfileFile::Kind::Document);
        ProfileFile b(QStringLiteral("b.wrp"), ProfileFile::Kind::Document);
        a.setData(ini(QStringLiteral("[contents]\nwpqNo=Q-1\nnotes=one\\ntwo\npulsed=false\ntestDate=07/01/2026\n"
                                     "layers_1=Root|GTAW|100|\nlayers_2=Cap|GTAW|120|\n").replace(QLatin1Char('|'), s)));
        b.setData(ini(QStringLiteral("[contents]\nwpqNo=Q-1\nnotes=one\\nthree\npulsed=true\ntestDate=07/02/2026\n"
                                     "layers_1=Root|GTAW|100|\nlayers_2=Cap|GTAW||\ndcStatus=Approved\n").replace(QLatin1Char('|'), s)));
        const DocumentCompare compare(t);
        QStringList lines;
        for (const FieldDifference &d : compare.compare(a, b, kPicture, QByteArray("other")))
            lines << d.line();
        QCOMPARE(lines, (QStringList{QStringLiteral("General / Notes: one\\ntwo -> one\\nthree"),
                                     QStringLiteral("General / Pulsed: No -> Yes"),
                                     QStringLiteral("General / Date: 07/01/2026 -> 07/02/2026"),
                                     QStringLiteral("General / Joint / Cap / Amps: 120 -> (empty)"),
                                     QStringLiteral("General / Joint Sketch: picture of 16 bytes -> picture of 5 bytes")}));
        QVERIFY(compare.compare(a, a, kPicture, kPicture).isEmpty());
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    static QString pictureFile(const QString &doc) { return doc.chopped(4) + QStringLiteral("_img.bmp"); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDocControl)
#include "tst_doccontrol.moc"
