#include "document/formwindow.h"

#include "controls/dateedit.h"
#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "controls/tzoruserdatabutton.h"
#include "core/appstate.h"
#include "core/atomicfile.h"
#include "core/dates.h"
#include "core/platform.h"
#include "core/profilefile.h"
#include "core/texthelpers.h"
#include "core/writetarget.h"
#include "document/control/controlactions.h"
#include "document/formwindowdetail.h"
#include "document/gridcolumncommands.h"
#include "document/gridrowcommands.h"
#include "document/imagegroup.h"
#include "report/formreport.h"
#include "userdata/userdatahooks.h"
#include "userdata/userproperties.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

using namespace FormWindowDetail;

namespace {

void setWidgetText(QWidget *w, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable()) {
            if (combo->currentText() != text)
                combo->setEditText(text);
        } else {
            combo->setCurrentIndex(combo->findText(text));
        }
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(w)) {
        if (AppState::instance().headless())
            memo->setProperty(FormWindowDetail::kHeldMemoText, text);
        else if (memo->toPlainText() != text)
            memo->setPlainText(text);
    }
}

GridCells cellsOf(const TypedGrid *grid)
{
    GridCells cells(grid->rowCount());
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList &row = cells[r];
        row.reserve(grid->columnCount());
        for (int c = 0; c < grid->columnCount(); ++c)
            row << grid->cell(r, c);
    }
    return cells;
}

void setCells(TypedGrid *grid, const GridCells &cells)
{
    for (int r = 0; r < cells.size() && r < grid->rowCount(); ++r)
        for (int c = 0; c < cells.at(r).size() && c < grid->columnCount(); ++c)
            if (grid->cell(r, c) != cells.at(r).at(c))
                grid->setCell(r, c, cells.at(r).at(c));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Values and walks

TypedGrid *FormWindow::grid(const QString &name) const
{
    return qobject_cast<TypedGrid *>(field(name));
}

DocumentValues FormWindow::values() const
{
    DocumentValues v;
    v.imageFile = m_imageGroup ? m_imageGroup->imageFile() : QString();
    for (const FieldDef &f : m_table.fields) {
        QWidget *w = field(f.name);
        if (!w || !isStoredKind(f.kind))
            continue;
        if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
            v.texts.insert(f.name, widgetText(w));
        else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
            v.checks.insert(f.name, static_cast<QAbstractButton *>(w)->isChecked());
        else if (f.kind == FieldKind::Date)
            v.dates.insert(f.name, static_cast<QDateEdit *>(w)->date());
        else if (isGridKind(f.kind))
            v.grids.insert(f.name, cellsOf(static_cast<TypedGrid *>(w)));
    }
    return v;
}

QHash<QString, QString> FormWindow::fieldTexts() const
{
    const DocumentValues v = values();
    QHash<QString, QString> out = v.texts;
    for (auto it = v.checks.cbegin(); it != v.checks.cend(); ++it)
        out.insert(it.key(), it.value() ? QStringLiteral("true") : QStringLiteral("false"));
    out.insert(QStringLiteral("formType"), formType());
    return out;
}

void FormWindow::setFieldValue(const FieldDef &f, const DocumentValues &v)
{
    QWidget *w = field(f.name);
    if (!w)
        return;
    if (isTextKind(f.kind) || f.kind == FieldKind::Memo)
        setWidgetText(w, v.texts.value(f.name));
    else if (f.kind == FieldKind::Check || f.kind == FieldKind::Radio)
        setCheckedState(w, v.checks.value(f.name));
    else if (f.kind == FieldKind::Date)
        static_cast<QDateEdit *>(w)->setDate(v.dates.value(f.name));
    else if (isGridKind(f.kind) && v.grids.contains(f.name))
        setCells(static_cast<TypedGrid *>(w), v.grids.value(f.name));
}

void FormWindow::applyValues(const DocumentValues &v)
{
    LoadingGuard guard(m_loading);
    for (const FieldDef &f : m_table.fields)
        if (isStoredKind(f.kind) && !deferredInWalk(f))
            setFieldValue(f, v);
    relabelUnits();
    afterOpenWalk();
    for (const FieldDef &f : m_table.fields)
        if (f.kind == FieldKind::Date && f.dateAfterWalk)
            setFieldValue(f, v);
    for (const FieldDef &f : m_table.fields)
        if (isGridKind(f.kind) && f.grid.encoding == GridEncoding::RowTitle)
            setFieldValue(f, v);
}

void FormWindow::setCheckedState(QWidget *w, bool checked)
{
    auto *button = qobject_cast<QAbstractButton *>(w);
    if (!button || button->isChecked() == checked)
        return;
    if (!checked && button->autoExclusive()) {
        // An auto-exclusive button refuses to uncheck itself; let go of the exclusivity for it.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
        return;
    }
    button->setChecked(checked);
}

void FormWindow::fillFields(const QList<QPair<QString, QString>> &fields)
{
    DocumentValues v = values();
    for (const auto &[name, value] : fields) {
        if (v.texts.contains(name))
            v.texts[name] = value;
        else if (v.checks.contains(name))
            v.checks[name] = value == QLatin1String("true");
    }
    applyValues(v);
    // As a click on them: the unit switches write their unit cells.
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        runUnitSwitch(sw, true);
    ChangeFlag();
}

void FormWindow::resetDocument()
{
    LoadingGuard guard(m_loading);
    setFileName(QString());
    m_diskStamp = FileStamp();
    DocumentValues v;
    m_walk.reset(v, platform().now().date());
    applyValues(v);
    UserDataDialogs::fillDefaultProfile(companyField(), addressField());
    resetDefaults();
    if (m_imageGroup) {
        m_imageGroup->setImageFile(QString());
        m_imageGroup->clearPicture();
    }
    rememberSketchSource(QString());
    for (const UnitSwitchDef &sw : m_table.unitSwitches)
        runUnitSwitch(sw, true);
    afterLoad();
    if (ControlActions *control = ControlActions::of(this))
        control->refresh();
}

bool FormWindow::openFile(const QString &path)
{
    ProfileFile file(path, ProfileFile::Kind::Document);
    if (!file.load())
        return false;

    LoadingGuard guard(m_loading);
    resetDocument();
    DocumentValues v = values();
    QList<DateProblem> problems;
    m_walk.read(file, v, &problems);
    applyValues(v);
    if (m_imageGroup) {
        m_imageGroup->setImageFile(v.imageFile);
        const QString sketch = sketchFileName(path);
        if (QFileInfo::exists(sketch)) {
            Picture picture;
            QString error;
            if (picture.load(sketch, &error))
                m_imageGroup->setPicture(picture);
            else
                errorBox(QStringLiteral("Error"), error);
            rememberSketchSource(sketch);
        } else {
            m_imageGroup->clearPicture();
            rememberSketchSource(QString());
        }
    }
    afterLoad();
    setFileName(path);
    m_diskStamp = FileStamp(path, file.data());
    if (ControlActions *control = ControlActions::of(this))
        control->refresh();
    // A date that cannot be read no longer stops the load: the picker shows today.
    for (const DateProblem &p : problems)
        errorBox(QStringLiteral("Error"), QStringLiteral("'%1' is not a valid date").arg(p.text));
    return true;
}

// ---------------------------------------------------------------------------------------
// Grid commands

void FormWindow::delRowGrid(const QString &gridName)
{
    runGridCommand(GridCommand::DeleteRow, gridName);
}

void FormWindow::dupRowGrid(const QString &gridName)
{
    runGridCommand(GridCommand::DuplicateRow, gridName);
}

void FormWindow::delColumnGrid(const QString &gridName)
{
    runGridCommand(GridCommand::DeleteColumn, gridName);
}

void FormWindow::dupColumnGrid(const QString &gridName)
{
    runGridCommand(GridCommand::DuplicateColumn, gridName);
}

void FormWindow::runGridCommand(GridCommand command, const QString &gridName)
{
    ChangeFlag();
    TypedGrid *g = grid(gridName);
    if (!g)
        return;
    GridCells cells = cellsOf(g);
    int row = g->currentRow();
    int column = g->currentColumn();
    bool done = false;
    switch (command) {
    case GridCommand::DeleteRow:
        done = GridRowCommands::deleteRow(cells, row);
        break;
    case GridCommand::DuplicateRow:
        done = GridRowCommands::duplicateRow(cells, row);
        break;
    case GridCommand::DeleteColumn:
        done = GridColumnCommands::deleteColumn(cells, column);
        break;
    case GridCommand::DuplicateColumn:
        done = GridColumnCommands::duplicateColumn(cells, column);
        break;
    case GridCommand::None:
        break;
    }
    if (!done)
        return;
    setCells(g, cells);
    if (command == GridCommand::DuplicateRow)
        g->setCurrentCell(row, qMax(column, g->fixedColumns()));
    else if (command == GridCommand::DuplicateColumn)
        g->setCurrentCell(qMax(1, row), column);
}

QString FormWindow::sketchFileName(const QString &documentPath)
{
    return pictureFileOf(documentPath);
}

QString FormWindow::saveProblem(const QString &path) const
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

bool FormWindow::saveFile(const QString &path)
{
    if (const QString problem = saveProblem(path); !problem.isEmpty()) {
        errorBox(QStringLiteral("Error"), problem);
        return false;
    }
    const KeyValueList entries = m_walk.saveEntries(values());
    ProfileFile file(path, ProfileFile::Kind::Document);
    // An existing file that cannot be read must not be replaced by our keys alone.
    if (!file.load() && file.exists()) {
        errorBox(QStringLiteral("Error"), FileError::unableToWrite(path).message());
        return false;
    }
    for (const auto &entry : entries)
        file.setValue(DocumentWalk::kSection, entry.first, entry.second);
    if (const QString refusal = ControlActions::prepareSave(file); !refusal.isEmpty()) {
        errorBox(QStringLiteral("Error"), refusal);
        return false;
    }

    const QString sketch = sketchFileName(path);
    QByteArray picture;
    QString error;
    AtomicFile document(path);
    AtomicFile pictureFile(sketch);
    if (!document.open() || !document.write(file.data())) {
        errorBox(QStringLiteral("Error"), document.errorString());
        return false;
    }
    const bool pictureWritten = sketchBytes(sketch, &picture, &error)
        && (picture.isNull() || (pictureFile.open() && pictureFile.write(picture) && pictureFile.commit()));
    if (!pictureWritten) {
        // Neither file has changed: the document's temporary goes with it.
        errorBox(QStringLiteral("Zor Error"), QStringLiteral("Error in saving image file.\r\n")
                                                   + (error.isEmpty() ? pictureFile.errorString() : error));
        return false;
    }
    // The document last: a stop before this leaves the new picture beside the old document,
    // never the new document beside a stale picture.
    if (!document.commit()) {
        errorBox(QStringLiteral("Error"), document.errorString());
        return false;
    }
    m_diskStamp = FileStamp(path, file.data());
    rememberSketchSource(sketch);
    const QStringList lossy = file.lossyKeys();
    if (!lossy.isEmpty()) {
        QStringList names;
        for (const QString &key : lossy)
            names << key.section(QLatin1Char('/'), 1);
        platform().message(MsgIcon::Warning, QStringLiteral("Warning"),
                           QStringLiteral("Some characters cannot be stored in a welding report file "
                                          "and were saved as \"?\" in these fields:\r\n")
                               + names.join(QStringLiteral(", ")));
    }
    return true;
}

void FormWindow::rememberSketchSource(const QString &sketchPath)
{
    m_sketchSource = sketchPath;
    m_sketchRevision = m_imageGroup ? m_imageGroup->pictureRevision() : 0;
}

bool FormWindow::sketchBytes(const QString &target, QByteArray *bytes, QString *error) const
{
    const bool unchanged = !m_sketchSource.isEmpty() && m_imageGroup
        && m_imageGroup->pictureRevision() == m_sketchRevision && QFileInfo(m_sketchSource).isFile();
    if (!unchanged) {
        const Picture picture = m_imageGroup ? m_imageGroup->picture() : Picture();
        *bytes = (picture.isNull() ? Picture::blank(ImageGroup::boxSize()) : picture).toBmp();
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

} // namespace Brenvik
