#include "document/formdocument.h"

#include "core/atomicfile.h"
#include "core/dates.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "core/writetarget.h"
#include "document/control/controlrecord.h"
#include "userdata/userdatastore.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace Brenvik {

namespace {

QHash<QString, const FormTable *> &tables()
{
    static QHash<QString, const FormTable *> registered;
    return registered;
}

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::Edit || kind == FieldKind::AlignedEdit || kind == FieldKind::Combo
        || kind == FieldKind::SortedCombo;
}

bool isGridKind(FieldKind kind)
{
    return kind == FieldKind::Grid || kind == FieldKind::UnitRow;
}

bool isButtonKind(FieldKind kind)
{
    return kind == FieldKind::Check || kind == FieldKind::Radio;
}

// Dates and row-title grids are set after every other field, as their keys are written.
bool deferredInWalk(const FieldDef &f)
{
    return (f.kind == FieldKind::Date && f.dateAfterWalk)
        || (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle);
}

// The dates a date picker holds.
const QDate kFirstDate(1752, 9, 14);
const QDate kLastDate(9999, 12, 31);

bool hasImageGroup(const FormTable &table)
{
    for (const FieldDef &f : table.fields)
        if (f.kind == FieldKind::ImageGroup)
            return true;
    return false;
}

} // namespace

void FormTables::add(const FormTable &table)
{
    tables().insert(table.description.formType, &table);
}

const FormTable *FormTables::find(const QString &formType)
{
    return tables().value(formType);
}

FormDocument::FormDocument(const FormTable &table) : m_table(table), m_walk(table)
{
    m_walk.reset(m_values, QDate());
    if (hasImageGroup(m_table))
        m_picture = Picture::blank(sketchBoxSize());
}

// ---------------------------------------------------------------------------------------
// Values

void FormDocument::setText(const QString &name, const QString &text)
{
    m_values.texts[name] = text;
}

void FormDocument::setChecked(const QString &name, bool checked)
{
    if (m_values.checks.value(name) == checked)
        return;
    m_values.checks[name] = checked;
    const FieldDef *def = m_table.field(name);
    QStringList changed{name};
    // The radio buttons of one group exclude each other.
    if (checked && def && def->kind == FieldKind::Radio) {
        for (const FieldDef &f : m_table.fields) {
            if (f.kind == FieldKind::Radio && f.group == def->group && f.name != name
                && m_values.checks.value(f.name)) {
                m_values.checks[f.name] = false;
                changed << f.name;
            }
        }
    }
    for (const QString &button : changed)
        if (const auto rule = m_table.rules.onClick.value(button))
            rule(*this);
}

void FormDocument::setDate(const QString &name, const QDate &date)
{
    // A picker keeps its date when given none, and holds only the dates of its calendar.
    if (!date.isValid())
        return;
    m_values.dates[name] = qBound(kFirstDate, date, kLastDate);
}

const GridCells &FormDocument::cells(const QString &gridName) const
{
    static const GridCells none;
    const auto it = m_values.grids.constFind(gridName);
    return it == m_values.grids.constEnd() ? none : *it;
}

void FormDocument::setCell(const QString &gridName, int row, int column, const QString &text)
{
    auto it = m_values.grids.find(gridName);
    if (it == m_values.grids.end() || row < 0 || row >= it->size() || column < 0 || column >= it->at(row).size())
        return;
    (*it)[row][column] = text;
}

void FormDocument::setFieldValue(const FieldDef &f, const DocumentValues &v)
{
    if (isTextKind(f.kind) || f.kind == FieldKind::Memo) {
        setText(f.name, v.texts.value(f.name));
    } else if (isButtonKind(f.kind)) {
        setChecked(f.name, v.checks.value(f.name));
    } else if (f.kind == FieldKind::Date) {
        setDate(f.name, v.dates.value(f.name));
    } else if (isGridKind(f.kind) && v.grids.contains(f.name)) {
        const GridCells &from = v.grids[f.name];
        for (int r = 0; r < from.size(); ++r)
            for (int c = 0; c < from.at(r).size(); ++c)
                setCell(f.name, r, c, from.at(r).at(c));
    }
}

void FormDocument::applyValues(const DocumentValues &v)
{
    for (const FieldDef &f : m_table.fields)
        if (isStoredKind(f.kind) && !deferredInWalk(f))
            setFieldValue(f, v);
    relabelUnits();
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Date && f.dateAfterWalk)
            setFieldValue(f, v);
    for (const FieldDef &f : m_table.fields)
        if (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle)
            setFieldValue(f, v);
}

void FormDocument::setPicture(const Picture &picture)
{
    m_picture = picture;
    ++m_pictureRevision;
    m_pictureReplaced = true;
}

QHash<QString, QString> FormDocument::fieldTexts() const
{
    QHash<QString, QString> out;
    for (const FieldDef &f : m_table.fields) {
        if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
            out.insert(f.name, m_values.texts.value(f.name));
        else if (isButtonKind(f.kind))
            out.insert(f.name, m_values.checks.value(f.name) ? QStringLiteral("true") : QStringLiteral("false"));
        else if (f.kind == FieldKind::Date)
            out.insert(f.name, formatFileDate(m_values.dates.value(f.name)));
        else if (isGridKind(f.kind))
            // Grid rows as "GRID_<row>", every cell followed by the cell separator, "_" for an
            // empty cell.
            for (int row = 0; row < cells(f.name).size(); ++row) {
                QString stored;
                for (const QString &cell : cells(f.name).at(row))
                    stored += (cell.isEmpty() ? QStringLiteral("_") : cell) + kCellSeparator;
                out.insert(QStringLiteral("%1_%2").arg(f.name).arg(row), stored);
            }
    }
    out.insert(QStringLiteral("formType"), formType());
    return out;
}

// ---------------------------------------------------------------------------------------
// Units

bool FormDocument::isImperial(const UnitSwitchDef &sw) const
{
    return m_values.checks.value(sw.imperial);
}

void FormDocument::runUnitSwitch(const UnitSwitchDef &sw, bool writeCells)
{
    if (!m_values.checks.value(sw.metric) && !m_values.checks.value(sw.imperial))
        setChecked(sw.metric, true);
    if (!writeCells || sw.grid.isEmpty())
        return;
    const QStringList &units = isImperial(sw) ? sw.imperialUnits : sw.metricUnits;
    for (int i = 0; i < sw.cells.size(); ++i)
        setCell(sw.grid, sw.cells.at(i).first, sw.cells.at(i).second, units.value(i));
}

// A pair a file left with neither button set (hand-edited or damaged) is metric, as a new
// document is; the unit cells stay as stored.
void FormDocument::relabelUnits()
{
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        runUnitSwitch(sw, false);
}

void FormDocument::fillFields(const QList<QPair<QString, QString>> &fields)
{
    DocumentValues v = m_values;
    for (const auto &[name, value] : fields) {
        if (v.texts.contains(name))
            v.texts[name] = value;
        else if (v.checks.contains(name))
            v.checks[name] = value == QLatin1String("true");
        else if (const qsizetype bar = name.lastIndexOf(QLatin1Char('_')); bar > 0 && v.grids.contains(name.left(bar))) {
            // A grid row as fieldTexts gives it.
            GridCells &grid = v.grids[name.left(bar)];
            bool ok = false;
            const int row = name.mid(bar + 1).toInt(&ok);
            if (!ok || row < 0 || row >= grid.size())
                continue;
            const QStringList given = value.split(kCellSeparator);
            for (int c = 0; c < grid[row].size(); ++c)
                grid[row][c] = c < given.size() && given.at(c) != QLatin1String("_") ? given.at(c) : QString();
        }
    }
    applyValues(v);
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        runUnitSwitch(sw, true);
}

// ---------------------------------------------------------------------------------------
// Reset and open

void FormDocument::runRules(const std::function<void(FormDocument &)> &rule)
{
    if (rule)
        rule(*this);
}

void FormDocument::fillDefaultProfile()
{
    const FieldDef *company = m_table.field(m_table.description.companyKey);
    const FieldDef *address = m_table.field(m_table.description.addressKey);
    const bool companyText = company && isTextKind(company->kind);
    const bool addressText = address && isTextKind(address->kind);
    if (!companyText && !addressText)
        return;
    const std::optional<UserDataStore::Profile> p = UserDataStore::defaultProfile();
    if (!p)
        return;
    if (companyText)
        setText(company->name, p->company);
    if (addressText)
        setText(address->name, p->address);
}

void FormDocument::reset()
{
    resetValues(true);
}

void FormDocument::resetValues(bool withProfile)
{
    m_fileName.clear();
    m_diskStamp = FileStamp();
    DocumentValues v;
    m_walk.reset(v, platform().now().date());
    applyValues(v);
    if (withProfile)
        fillDefaultProfile();
    runRules(m_table.rules.resetDefaults);
    m_values.imageFile.clear();
    m_picture = hasImageGroup(m_table) ? Picture::blank(sketchBoxSize()) : Picture();
    ++m_pictureRevision;
    rememberSketchSource(QString());
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        runUnitSwitch(sw, true);
    runRules(m_table.rules.afterLoad);
    m_changed = false;
}

bool FormDocument::open(const QString &path, QString *error, QList<DocumentMessage> *messages)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load()) {
        if (error)
            *error = QStringLiteral("cannot open %1: the file cannot be read").arg(path);
        return false;
    }
    open(file, path, messages);
    return true;
}

void FormDocument::open(const ProfileFile &file, const QString &path, QList<DocumentMessage> *messages,
                        bool withPicture)
{
    resetValues(false);
    DocumentValues v = m_values;
    QList<DateProblem> problems;
    m_walk.read(file, v, &problems);
    applyValues(v);
    QList<DocumentMessage> boxes;
    if (hasImageGroup(m_table))
        m_values.imageFile = v.imageFile;
    if (hasImageGroup(m_table) && withPicture) {
        const QString sketch = sketchFileName(path);
        if (QFileInfo::exists(sketch)) {
            Picture picture;
            QString pictureError;
            if (picture.load(sketch, &pictureError)) {
                m_picture = picture;
                ++m_pictureRevision;
            }
            else
                boxes.append({QStringLiteral("Error"), pictureError});
            rememberSketchSource(sketch);
        } else {
            rememberSketchSource(QString());
        }
    }
    runRules(m_table.rules.afterLoad);
    m_fileName = path;
    m_diskStamp = FileStamp(path, file.data());
    m_changed = false;
    // A date that cannot be read does not stop the load: the date stays today.
    for (const DateProblem &p : problems)
        boxes.append({QStringLiteral("Error"), QStringLiteral("'%1' is not a valid date").arg(p.text)});
    if (messages)
        *messages = boxes;
}

std::unique_ptr<FormDocument> FormDocument::read(const QString &path, QString *error,
                                                 QList<DocumentMessage> *messages)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load()) {
        *error = QStringLiteral("cannot open %1: the file cannot be read").arg(path);
        return nullptr;
    }
    const QString type = file.value(DocumentWalk::kSection, QStringLiteral("formType"));
    const FormTable *table = FormTables::find(type);
    if (!table) {
        *error = type.isEmpty() ? QStringLiteral("cannot open %1: it has no form type").arg(path)
                                : QStringLiteral("cannot open %1: unknown form type \"%2\"").arg(path, type);
        return nullptr;
    }
    auto document = std::make_unique<FormDocument>(*table);
    document->open(file, path, messages);
    return document;
}

// ---------------------------------------------------------------------------------------
// Save

QString FormDocument::sketchFileName(const QString &documentPath)
{
    return pictureFileOf(documentPath);
}

QString FormDocument::saveProblem(const QString &path) const
{
    // Saved in place, the document replaces its own file and picture; under another name it
    // lands on neither. Links are followed: a shared folder may hold the document through one.
    QStringList open;
    if (!m_diskStamp.isNull() && !sameFile(m_diskStamp.path(), path))
        open << m_diskStamp.path();
    QString problem = writeProblem(path, WriteKind::Document, open, false);
    if (problem.isEmpty())
        problem = writeProblem(sketchFileName(path), WriteKind::Picture, open, false);
    return problem;
}

bool FormDocument::save(const QString &path, DocumentMessage *failure, QStringList *lossy)
{
    auto fail = [failure](const QString &caption, const QString &text) {
        if (failure)
            *failure = {caption, text};
        return false;
    };
    if (const QString problem = saveProblem(path); !problem.isEmpty())
        return fail(QStringLiteral("Error"), problem);
    ProfileFile file(path, ProfileFile::Kind::Document);
    // An existing file that cannot be read must not be replaced by our keys alone.
    if (!file.load() && file.exists())
        return fail(QStringLiteral("Error"), FileError::unableToWrite(path).message());
    for (const auto &entry : m_walk.saveEntries(m_values))
        file.setValue(DocumentWalk::kSection, entry.first, entry.second);
    if (const QString refusal = ControlRecord::prepareSave(file); !refusal.isEmpty())
        return fail(QStringLiteral("Error"), refusal);

    const QString sketch = sketchFileName(path);
    QByteArray picture;
    QString error;
    AtomicFile document(path);
    AtomicFile pictureFile(sketch);
    if (!document.open() || !document.write(file.data()))
        return fail(QStringLiteral("Error"), document.errorString());
    const bool pictureWritten = sketchBytes(sketch, &picture, &error)
        && (picture.isNull() || (pictureFile.open() && pictureFile.write(picture) && pictureFile.commit()));
    // Neither file has changed: the document's temporary goes with it.
    if (!pictureWritten)
        return fail(QStringLiteral("Zor Error"), QStringLiteral("Error in saving image file.\r\n")
                                                      + (error.isEmpty() ? pictureFile.errorString() : error));
    // The document last: a stop before this leaves the new picture beside the old document,
    // never the new document beside a stale picture.
    if (!document.commit())
        return fail(QStringLiteral("Error"), document.errorString());
    m_diskStamp = FileStamp(path, file.data());
    rememberSketchSource(sketch);
    if (lossy) {
        lossy->clear();
        for (const QString &key : file.lossyKeys())
            lossy->append(key.section(QLatin1Char('/'), 1));
    }
    return true;
}

bool FormDocument::saveFile(const QString &path)
{
    DocumentMessage failure;
    QStringList lossy;
    if (!save(path, &failure, &lossy)) {
        errorBox(failure.caption, failure.text);
        return false;
    }
    if (!lossy.isEmpty())
        platform().message(MsgIcon::Warning, QStringLiteral("Warning"),
                           QStringLiteral("Some characters cannot be stored in a welding report file "
                                          "and were saved as \"?\" in these fields:\r\n")
                               + lossy.join(QStringLiteral(", ")));
    return true;
}

void FormDocument::rememberSketchSource(const QString &sketchPath)
{
    m_sketchSource = sketchPath;
    m_pictureReplaced = false;
}

bool FormDocument::sketchBytes(const QString &target, QByteArray *bytes, QString *error) const
{
    const bool unchanged = !m_sketchSource.isEmpty() && !m_pictureReplaced && QFileInfo(m_sketchSource).isFile();
    if (!unchanged) {
        *bytes = (m_picture.isNull() ? Picture::blank(sketchBoxSize()) : m_picture).toBmp();
        if (bytes->isEmpty())
            *error = QStringLiteral("Unable to write to %1: the picture cannot be converted").arg(target);
        return !bytes->isEmpty();
    }
    // The picture is still the sketch file's: keep its bytes, whether or not this program
    // could draw them (a huge scan, a format it does not read).
    if (sameFile(target, m_sketchSource))
        return true;
    QFile source(m_sketchSource);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(m_sketchSource, source.errorString());
        return false;
    }
    *bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Cannot read %1: %2").arg(m_sketchSource, source.errorString());
        return false;
    }
    // An empty sketch file is still a file to copy.
    if (bytes->isNull())
        *bytes = QByteArray("");
    return true;
}

// ---------------------------------------------------------------------------------------
// The report's view

QList<CollectedField> FormDocument::collectFields() const
{
    QList<CollectedField> out;
    for (const FieldDef &f : m_table.fields) {
        if (isTextKind(f.kind))
            out.append({f.name, m_values.texts.value(f.name)});
        else if (f.kind == FieldKind::Date)
            out.append({f.name, formatReportDate(m_values.dates.value(f.name))});
        else if (f.kind == FieldKind::Check)
            out.append({f.name, m_values.checks.value(f.name) ? QStringLiteral("Yes") : QStringLiteral("No")});
        else if (f.kind == FieldKind::Memo)
            out.append({f.name, encodeMemo(m_values.texts.value(f.name))});
    }
    return out;
}

bool FormDocument::isChecked(const QString &controlName) const
{
    return m_values.checks.value(controlName);
}

QString FormDocument::gridCell(const QString &gridName, int row, int column) const
{
    const GridCells &g = cells(gridName);
    if (row < 0 || column < 0 || row >= g.size() || column >= g.at(row).size())
        return QString();
    return g.at(row).at(column);
}

int FormDocument::gridRowCount(const QString &gridName) const
{
    return int(cells(gridName).size());
}

int FormDocument::gridColumnCount(const QString &gridName) const
{
    const GridCells &g = cells(gridName);
    return g.isEmpty() ? 0 : int(g.first().size());
}

} // namespace Brenvik
