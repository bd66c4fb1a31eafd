#include "document/formwindow.h"

#include "controls/dateedit.h"
#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "core/platform.h"
#include "document/control/controlactions.h"
#include "document/formwindowdetail.h"
#include "document/gridcolumncommands.h"
#include "document/gridrowcommands.h"
#include "document/imagegroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <QSignalBlocker>

#include <memory>
#include <vector>

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
        if (memo->toPlainText() != text)
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

DocumentValues FormWindow::shownValues() const
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

void FormWindow::keepField(const FieldDef &f)
{
    QWidget *w = field(f.name);
    if (isTextKind(f.kind) || f.kind == FieldKind::Memo) {
        m_document.setText(f.name, widgetText(w));
    } else if (f.kind == FieldKind::Check) {
        m_document.keepChecked(f.name, static_cast<QAbstractButton *>(w)->isChecked());
    } else if (f.kind == FieldKind::Radio) {
        // A click unchecks the group's other button before the clicked one reports; a rule
        // running between the two must see the group as the screen shows it.
        for (const FieldDef &other : m_table.fields)
            if (other.kind == FieldKind::Radio && other.group == f.group)
                if (auto *button = qobject_cast<QAbstractButton *>(field(other.name)))
                    m_document.keepChecked(other.name, button->isChecked());
    } else if (f.kind == FieldKind::Date) {
        m_document.setDate(f.name, static_cast<QDateEdit *>(w)->date());
    }
}

void FormWindow::keepPicture()
{
    if (!m_imageGroup)
        return;
    m_document.setImageFile(m_imageGroup->imageFile());
    if (m_imageGroup->pictureRevision() != m_shownPictureRevision) {
        m_document.setPicture(m_imageGroup->picture());
        m_shownPictureRevision = m_imageGroup->pictureRevision();
        m_shownDocumentPicture = m_document.pictureRevision();
    }
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
    else if (f.kind == FieldKind::Date && static_cast<QDateEdit *>(w)->date() != v.dates.value(f.name))
        static_cast<QDateEdit *>(w)->setDate(v.dates.value(f.name));
    else if (isGridKind(f.kind) && v.grids.contains(f.name))
        setCells(static_cast<TypedGrid *>(w), v.grids.value(f.name));
}

std::vector<std::unique_ptr<QSignalBlocker>> FormWindow::quietFields() const
{
    // Every stored widget quiet at once: an auto-exclusive radio button unchecks its sibling,
    // whose signal would otherwise count as an edit.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (const FieldDef &f : m_table.fields)
        if (QWidget *w = field(f.name); w && isStoredKind(f.kind))
            quiet.push_back(std::make_unique<QSignalBlocker>(w));
    return quiet;
}

void FormWindow::showDocument()
{
    const auto quiet = quietFields();
    const DocumentValues &v = m_document.values();
    for (const FieldDef &f : m_table.fields)
        if (isStoredKind(f.kind))
            setFieldValue(f, v);
    relabelUnits();
    if (m_imageGroup) {
        const QSignalBlocker quietPicture(m_imageGroup);
        m_imageGroup->setImageFile(v.imageFile);
        if (m_document.pictureRevision() != m_shownDocumentPicture) {
            m_imageGroup->setPicture(m_document.picture());
            m_shownDocumentPicture = m_document.pictureRevision();
        }
        m_shownPictureRevision = m_imageGroup->pictureRevision();
    }
}

const FormDocument &FormWindow::document() const
{
    return m_document;
}

void FormWindow::runRule(const std::function<void(FormDocument &)> &rule)
{
    const DocumentValues before = m_document.values();
    rule(m_document);
    const DocumentValues &after = m_document.values();
    const bool changed = before.texts != after.texts || before.checks != after.checks
        || before.dates != after.dates || before.grids != after.grids || before.imageFile != after.imageFile;
    showDocument();
    if (changed)
        ChangeFlag();
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
    runRule([&fields](FormDocument &d) { d.fillFields(fields); });
    ChangeFlag();
}

void FormWindow::setSketch(const Picture &picture)
{
    if (!m_imageGroup || picture.isNull())
        return;
    m_imageGroup->setPicture(picture);
    ChangeFlag();
}

void FormWindow::resetDocument()
{
    m_document.reset();
    setFileName(QString());
    showDocument();
    afterLoad();
    if (ControlActions *control = ControlActions::of(this))
        control->refresh();
}

bool FormWindow::openFile(const QString &path)
{
    QList<DocumentMessage> boxes;
    if (!m_document.open(path, nullptr, &boxes))
        return false;
    showDocument();
    afterLoad();
    setFileName(path);
    if (ControlActions *control = ControlActions::of(this))
        control->refresh();
    for (const DocumentMessage &box : boxes)
        errorBox(box.caption, box.text);
    return true;
}

// ---------------------------------------------------------------------------------------
// Grid commands

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

bool FormWindow::saveFile(const QString &path)
{
    return m_document.saveFile(path);
}

} // namespace Brenvik
