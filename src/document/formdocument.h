#pragma once
// A document without a window: its form's table, its stored values, its sketch picture and the
// file that picture was read from, its file name and changed flag. It opens, resets and saves
// through the walks in the order the stored files need, runs the form's data rules (what a
// click writes, what a process empties, which labels a grid keeps) and hands the report its
// values. The document window binds its widgets to one; the headless modes, the bulk export
// and the checks use one alone.

#include "core/filestamp.h"
#include "core/picture.h"
#include "document/documentwalk.h"
#include "document/fieldtable.h"
#include "report/reportsource.h"

#include <QDate>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

namespace Brenvik {

class ProfileFile;

// A box the opening or a save would show: its caption and text.
struct DocumentMessage {
    QString caption;
    QString text;
};

// The tables of the form types, added once at start-up next to their descriptions.
class FormTables {
public:
    static void add(const FormTable &table);
    // nullptr for a type nobody added.
    static const FormTable *find(const QString &formType);
};

class FormDocument : public ReportSource {
public:
    explicit FormDocument(const FormTable &table);
    // The size of the sketch box: a cleared picture is a white bitmap of this size.
    static QSize sketchBoxSize() { return QSize(320, 240); }

    const FormTable &table() const { return m_table; }
    const FormDescription &description() const { return m_table.description; }
    QString formType() const { return m_table.description.formType; }

    // The stored values. setValues takes them as they are (the window hands its state over);
    // applyValues sets them field by field in creation order as an open does: radio buttons
    // of one group exclude each other and a check box's click rule runs when its state changes.
    const DocumentValues &values() const { return m_values; }
    void setValues(const DocumentValues &values) { m_values = values; }
    void applyValues(const DocumentValues &values);

    QString text(const QString &name) const { return m_values.texts.value(name); }
    void setText(const QString &name, const QString &text);
    void setChecked(const QString &name, bool checked);
    // The state a window shows, kept as it is: no other button moves, no rule runs.
    void keepChecked(const QString &name, bool checked) { m_values.checks[name] = checked; }
    QDate date(const QString &name) const { return m_values.dates.value(name); }
    void setDate(const QString &name, const QDate &date);
    const GridCells &cells(const QString &gridName) const;
    void setCell(const QString &gridName, int row, int column, const QString &text);
    QString imageFile() const { return m_values.imageFile; }
    void setImageFile(const QString &name) { m_values.imageFile = name; }

    // The picture. A picture set here is the user's: Save writes it. The sketch file the
    // document was read from (or could not be read from) is kept as it is while the picture
    // is not replaced.
    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    QString sketchSource() const { return m_sketchSource; }
    // Counts the pictures the document has had: a view shows the picture again when it moved.
    quint64 pictureRevision() const { return m_pictureRevision; }
    bool pictureReplaced() const { return m_pictureReplaced; }

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }
    // What the file held when the document last read or wrote it.
    const FileStamp &diskStamp() const { return m_diskStamp; }
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    // A new document: every field empty, dates today, the default company profile of the
    // user-data store, the form's defaults, metric units written into the unit cells, then
    // the form's rules after a load. No file name, not changed.
    void reset();
    // Reads path as File > Open does: the reset first, then the file's values in creation
    // order (dates and row-title grids last), the unit labels as stored (a pair with neither
    // button set is metric; no unit cell rewritten), the sketch picture beside the file,
    // the form's rules after a load. False with *error when the file cannot be read (the
    // document is then unchanged); *messages gets the boxes the opening shows (a date or a
    // picture that cannot be read).
    bool open(const QString &path, QString *error, QList<DocumentMessage> *messages);
    // The same for a file already read (path names it); without withPicture the sketch
    // picture is not read (a reader of values only).
    void open(const ProfileFile &file, const QString &path, QList<DocumentMessage> *messages,
              bool withPicture = true);
    // A document of the form type the file names, opened; null with *error ("cannot open
    // FILE: ...") when the file cannot be read or names no form type this program knows.
    static std::unique_ptr<FormDocument> read(const QString &path, QString *error,
                                              QList<DocumentMessage> *messages);
    // Writes the document to path as Save does, with its sketch picture beside it: both whole
    // to temporaries first, the picture put in place, the document last. False with *failure
    // when either could not be written, and then neither file has changed. *lossy gets the
    // fields whose characters the file could not hold. The file name and the changed flag are
    // the caller's.
    bool save(const QString &path, DocumentMessage *failure, QStringList *lossy);
    // Why path (or its sketch picture) must not be written by this document; empty when it may.
    QString saveProblem(const QString &path) const;
    // save, telling the user: a failure in an error box (with the system's reason), the
    // fields whose characters were stored as "?" in a warning. False when it failed.
    bool saveFile(const QString &path);

    // Sets text and check fields by name ("true" checks) and grid rows as fieldTexts gives
    // them, as a form filled by a program; then the unit switches write their unit cells.
    void fillFields(const QList<QPair<QString, QString>> &fields);
    // A unit switch's click: metric checked when neither is, the unit cells written.
    void runUnitSwitch(const UnitSwitchDef &unitSwitch, bool writeCells);
    // Whether the switch shows imperial units.
    bool isImperial(const UnitSwitchDef &unitSwitch) const;

    // The sketch picture file of a document path.
    static QString sketchFileName(const QString &documentPath);
    // The fields a file of this form stores, with their values, as file keys read them:
    // texts as they are, checks "true" / "false", dates as a file stores them, grid rows as
    // "GRID_<row>", and "formType".
    QHash<QString, QString> fieldTexts() const;

    // ReportSource
    QList<CollectedField> collectFields() const override;
    bool isChecked(const QString &controlName) const override;
    QString gridCell(const QString &gridName, int row, int column) const override;
    int gridRowCount(const QString &gridName) const override;
    int gridColumnCount(const QString &gridName) const override;
    Picture sketch() const override { return m_picture; }

private:
    void setFieldValue(const FieldDef &field, const DocumentValues &values);
    // The reset; withProfile also fills the default company profile (an open reads every
    // text field from the file, so it does not read the store).
    void resetValues(bool withProfile);
    void fillDefaultProfile();
    void runRules(const std::function<void(FormDocument &)> &rule);
    void relabelUnits();
    bool sketchBytes(const QString &target, QByteArray *bytes, QString *error) const;
    void rememberSketchSource(const QString &sketchPath);

    const FormTable &m_table;
    DocumentWalk m_walk;
    DocumentValues m_values;
    Picture m_picture;
    quint64 m_pictureRevision = 1;
    QString m_sketchSource;
    bool m_pictureReplaced = false;
    QString m_fileName;
    FileStamp m_diskStamp;
    bool m_changed = false;
};

} // namespace Brenvik
