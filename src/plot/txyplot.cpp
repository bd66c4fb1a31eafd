#include "plot/txyplot.h"

#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "core/platform.h"
#include "document/formwindow.h"
#include "plot/parameterfill.h"
#include "plot/xychart.h"
#include "userdata/userproperties.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QAbstractButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

namespace {

SortedComboBox *dropDownList(const QString &name, QWidget *parent)
{
    auto *box = new SortedComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);
    return box;
}

QLabel *unitLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("in/min")));
    // A unit is a short word; a long one from the data file must not widen the dialog.
    label->setMaximumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("mm/min")) * 2);
    return label;
}

QLineEdit *output(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(64);
    return edit;
}

} // namespace

TxyPlot::TxyPlot(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("xyPlot"));
    setWindowTitle(QStringLiteral("xyPlot"));
    setModal(true);
    buildControls();
    resize(632, 424);
}

TxyPlot *TxyPlot::instance(QWidget *parent)
{
    static QPointer<TxyPlot> dialog;
    if (!dialog)
        dialog = new TxyPlot(parent);
    return dialog;
}

void TxyPlot::buildControls()
{
    auto *selection = new QGroupBox(QStringLiteral(" Plot Selection "), this);
    auto *selectionLayout = new QVBoxLayout(selection);
    selectionLayout->setSpacing(2);
    m_weldingProcess = dropDownList(QStringLiteral("weldingProcess"), selection);
    m_wireClassification = dropDownList(QStringLiteral("wireClassification"), selection);
    m_plotType = new QListWidget(selection);
    m_plotType->setObjectName(QStringLiteral("plotType"));
    m_plotType->setSortingEnabled(true);
    m_plotType->setFixedHeight(58);
    selectionLayout->addWidget(new QLabel(QStringLiteral("Welding Process"), selection));
    selectionLayout->addWidget(m_weldingProcess);
    auto *classificationLabel = new QLabel(QStringLiteral("Wire Classification and Process"), selection);
    classificationLabel->setWordWrap(true);
    selectionLayout->addWidget(classificationLabel);
    selectionLayout->addWidget(m_wireClassification);
    selectionLayout->addWidget(new QLabel(QStringLiteral("Plot Type"), selection));
    selectionLayout->addWidget(m_plotType);

    m_wireDiameter = new QListWidget(this);
    m_wireDiameter->setObjectName(QStringLiteral("wireDiameter"));

    auto *left = new QVBoxLayout;
    left->addWidget(selection);
    left->addWidget(new QLabel(QStringLiteral("Wire Diameters, etc."), this));
    left->addWidget(m_wireDiameter, 1);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    m_chart = new XyChart(panel);
    m_chart->setObjectName(QStringLiteral("xyChart"));
    m_chart->setPlotMargins(QMargins(35, 13, 8, 35));
    panelLayout->addWidget(m_chart);

    auto *top = new QHBoxLayout;
    auto *leftBox = new QWidget(this);
    leftBox->setLayout(left);
    leftBox->setFixedWidth(200);
    left->setContentsMargins(0, 0, 0, 0);
    top->addWidget(leftBox);
    top->addWidget(panel, 1);

    auto *selected = new QGroupBox(QStringLiteral(" Selected Parameters "), this);
    auto *selectedLayout = new QHBoxLayout(selected);
    m_outputX = output(QStringLiteral("outputX"), selected);
    m_outputY1 = output(QStringLiteral("outputY1"), selected);
    m_outputY2 = output(QStringLiteral("outputY2"), selected);
    m_unitX = unitLabel(QStringLiteral("unitX"), selected);
    m_unitY1 = unitLabel(QStringLiteral("unitY1"), selected);
    m_unitY2 = unitLabel(QStringLiteral("unitY2"), selected);
    selectedLayout->setSpacing(4);
    selectedLayout->addWidget(new QLabel(QStringLiteral("Weld Feed Speed"), selected));
    selectedLayout->addWidget(m_outputX);
    selectedLayout->addWidget(m_unitX);
    selectedLayout->addSpacing(6);
    selectedLayout->addWidget(new QLabel(QStringLiteral("Amperage"), selected));
    selectedLayout->addWidget(m_outputY1);
    selectedLayout->addWidget(m_unitY1);
    selectedLayout->addSpacing(6);
    selectedLayout->addWidget(new QLabel(QStringLiteral("Deposition Rate"), selected));
    selectedLayout->addWidget(m_outputY2);
    selectedLayout->addWidget(m_unitY2);

    m_select = new QPushButton(QStringLiteral("Select"), this);
    m_select->setObjectName(QStringLiteral("selectParameters"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_notes = new QPushButton(QStringLiteral("Notes"), this);
    m_notes->setObjectName(QStringLiteral("Notes"));
    m_notes->setToolTip(QStringLiteral("What the chosen curve (or every curve) assumes"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_select);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_notes);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(selected, 1);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    connect(m_weldingProcess, &QComboBox::activated, this, &TxyPlot::weldingProcessChange);
    connect(m_wireClassification, &QComboBox::activated, this, &TxyPlot::wireClassificationChange);
    connect(m_plotType, &QListWidget::itemClicked, this, &TxyPlot::plotTypeClick);
    connect(m_wireDiameter, &QListWidget::itemClicked, this, &TxyPlot::wireDiameterClick);
    connect(m_chart, &XyChart::clicked, this, &TxyPlot::xyChartClick);
    connect(m_select, &QPushButton::clicked, this, &TxyPlot::selectParametersClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_notes, &QPushButton::clicked, this, &TxyPlot::notesClick);
    m_select->setDefault(true);
}

void TxyPlot::report(const QStringList &errors)
{
    if (!errors.isEmpty())
        errorBox(QStringLiteral("Internal Error"), errors.join(QLatin1Char('\n')));
}

void TxyPlot::prepare(FormWindow *window, TypedGrid *grid)
{
    m_window = window;
    m_grid = grid;
    FormActivate();
    openOnDocumentProcess();
}

GridCells TxyPlot::gridCells() const
{
    GridCells cells;
    if (m_grid)
        for (int r = 0; r < m_grid->rowCount(); ++r)
            cells << m_grid->rowTexts(r);
    return cells;
}

void TxyPlot::openOnDocumentProcess()
{
    if (!m_window || !m_grid)
        return;
    const ParameterTarget &target = m_window->table().parameterTarget;
    QStringList texts{ParameterFill::passProcess(target, gridCells(), m_grid->currentRow(), m_grid->currentColumn())};
    const QHash<QString, QString> fields = m_window->fieldTexts();
    for (const QString &name : target.processFields)
        texts << fields.value(name);
    QStringList processes;
    for (int i = 0; i < m_weldingProcess->count(); ++i)
        processes << m_weldingProcess->itemText(i);
    const QString process = ParameterFill::documentProcess(texts, processes);
    // A document naming none of the file's processes keeps what the dialog shows.
    if (process.isEmpty() || process == m_weldingProcess->currentText())
        return;
    m_weldingProcess->setCurrentIndex(m_weldingProcess->findText(process));
    weldingProcessChange();
}

void TxyPlot::showFor(FormWindow *window, TypedGrid *grid)
{
    prepare(window, grid);
    exec();
}

void TxyPlot::FormActivate()
{
    if (m_wireDiameter->count() > 0)
        return;
    const BusyCursor busy;
    UserProperties::fillProcessList(m_weldingProcess);
    if (m_weldingProcess->count() > 0 && m_weldingProcess->currentIndex() < 0)
        m_weldingProcess->setCurrentIndex(0);
    weldingProcessChange();
}

void TxyPlot::weldingProcessChange()
{
    UserProperties::fillPlotTypeList(m_weldingProcess->currentText(), m_wireClassification);
    if (m_wireClassification->count() > 0)
        m_wireClassification->setCurrentIndex(0);
    wireClassificationChange();
}

void TxyPlot::wireClassificationChange()
{
    PlotData data;
    m_set = data.plotSet(m_weldingProcess->currentText(), m_wireClassification->currentText());
    report(data.takeErrors());
    m_plotType->clear();
    for (int j = 0; j < m_set.plots.size(); ++j) {
        auto *item = new QListWidgetItem(m_set.plots.at(j).caption);
        item->setData(Qt::UserRole, j);
        m_plotType->addItem(item);
    }
    if (m_plotType->count() > 0 && !m_plotType->currentItem())
        m_plotType->setCurrentRow(0);
    fillCurves();
}

void TxyPlot::plotTypeClick()
{
    fillCurves();
}

int TxyPlot::selectedPlot() const
{
    const QListWidgetItem *item = m_plotType->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TxyPlot::fillCurves()
{
    m_wireDiameter->clear();
    for (const PlotCurve &curve : std::as_const(m_set.curves)) {
        auto *item = new QListWidgetItem(curve.label, m_wireDiameter);
        item->setToolTip(curve.label);
    }
    m_notes->setEnabled(std::any_of(m_set.curves.cbegin(), m_set.curves.cend(),
                                    [](const PlotCurve &c) { return !c.note.trimmed().isEmpty(); }));
    clearOutputs();
    showUnits();
    draw();
}

void TxyPlot::draw()
{
    m_chart->clearCurves();
    const int plot = selectedPlot();
    if (plot < 0) {
        m_chart->setAxisTitles(QString(), QString());
        m_chart->fitAxes();
        return;
    }
    // The legend names a curve by its diameter where that tells the curves apart (the list
    // beside the chart holds the whole labels), else by its whole label.
    QStringList names;
    for (const PlotCurve &curve : std::as_const(m_set.curves))
        names << ParameterFill::diameterWord(curve.label);
    if (names.removeDuplicates() > 0 || names.contains(QString())) {
        names.clear();
        for (const PlotCurve &curve : std::as_const(m_set.curves))
            names << curve.label;
    }
    for (int k = 0; k < m_set.curves.size(); ++k) {
        const PlotCurve &curve = m_set.curves.at(k);
        if (curve.hasPlot(plot))
            m_chart->addCurve(k + 1, curve.x, curve.y.at(plot), names.at(k));
    }
    m_chart->setAxisTitles(m_set.plots.at(plot).labelX, m_set.plots.at(plot).labelY);
    m_chart->fitAxes();
}

void TxyPlot::clearOutputs()
{
    m_outputX->clear();
    m_outputY1->clear();
    m_outputY2->clear();
    m_chart->clearMarker();
}

void TxyPlot::showUnits()
{
    // Feed speed is the X of every plot of the set; amperage the first plot's Y, deposition
    // rate the second's.
    m_unitX->setText(PlotData::unitOf(m_set.plots.value(0).labelX));
    m_unitY1->setText(PlotData::unitOf(m_set.plots.value(0).labelY));
    m_unitY2->setText(PlotData::unitOf(m_set.plots.value(1).labelY));
    for (QLabel *unit : {m_unitX, m_unitY1, m_unitY2})
        unit->setToolTip(unit->text());
}

QStringList TxyPlot::outputUnits() const
{
    return {m_unitX->text(), m_unitY1->text(), m_unitY2->text()};
}

void TxyPlot::notesClick()
{
    // The chosen curve's note; with none chosen, every curve's that has one.
    QStringList text;
    const int chosen = m_wireDiameter->currentRow();
    for (int k = 0; k < m_set.curves.size(); ++k) {
        const PlotCurve &curve = m_set.curves.at(k);
        if ((chosen < 0 || k == chosen) && !curve.note.trimmed().isEmpty())
            text << curve.label + QLatin1Char('\n') + curve.note.trimmed();
    }
    if (text.isEmpty())
        text << QStringLiteral("The data file has no notes for this curve.");
    infoBox(QStringLiteral("Notes"), text.join(QStringLiteral("\n\n")));
}

void TxyPlot::xyChartClick(const QPointF &pos)
{
    m_chart->highlight(0);
    const int tag = m_chart->curveAt(pos, 10);
    const int plot = selectedPlot();
    if (tag < 1 || tag > m_set.curves.size() || plot < 0)
        return;
    m_chart->highlight(tag);
    m_wireDiameter->setCurrentRow(tag - 1);
    const PlotCurve &curve = m_set.curves.at(tag - 1);
    const double x = curve.clampX(m_chart->toChartUnits(pos).x());
    const std::optional<double> y1 = curve.yAt(0, x);
    const std::optional<double> y2 = m_set.plots.size() > 1 ? curve.yAt(1, x) : std::nullopt;
    m_outputX->setText(ParameterFill::formatOutput(x));
    m_outputY1->setText(y1 ? ParameterFill::formatOutput(*y1) : QString());
    m_outputY2->setText(y2 ? ParameterFill::formatOutput(*y2) : QString());
    if (const std::optional<double> shown = curve.yAt(plot, x))
        m_chart->setMarker(QPointF(x, *shown));
}

void TxyPlot::wireDiameterClick()
{
    const int tag = m_wireDiameter->currentRow() + 1;
    if (tag == m_chart->highlighted())
        return;
    // The point shown belongs to the other curve; "Select" must not pair it with this one.
    clearOutputs();
    m_chart->highlight(tag);
}

void TxyPlot::selectParametersClick()
{
    if (!m_grid || !m_window)
        return;
    // A grid the window did not name as its target is left alone, and the dialog stays open.
    const ParameterTarget &target = m_window->table().parameterTarget;
    if (!target.isSet() || target.grid != m_grid->objectName())
        return;
    // No curve chosen: nothing to write.
    const QListWidgetItem *curve = m_wireDiameter->currentItem();
    if (!curve)
        return;
    PickedParameters picked;
    picked.process = m_weldingProcess->currentText();
    picked.classification = m_wireClassification->currentText();
    picked.lineLabel = curve->text();
    picked.feedSpeed = m_outputX->text();
    picked.amperage = m_outputY1->text();
    picked.depositionRate = m_outputY2->text();

    const auto *metricButton = m_window->fieldAs<QAbstractButton>(target.metricButton);
    const bool metric = !metricButton || metricButton->isChecked();
    const ParameterFill::Plan plan = ParameterFill::plan(target, gridCells(), m_grid->currentRow(),
                                                         m_grid->currentColumn(), metric, picked);
    if (!plan.known)
        return;
    if (plan.ask && !platform().askYesNo(QStringLiteral("Question"),
                                         QStringLiteral("Do you want to overwrite the existing parameters?")))
        return;
    if (plan.rewriteUnitRow) {
        // The Imperial button is checked already; its click behaviour writes the unit row.
        if (auto *imperial = m_window->fieldAs<QAbstractButton>(target.unitRowButton))
            Q_EMIT imperial->toggled(imperial->isChecked());
    }
    for (const ParameterFill::CellWrite &w : plan.writes)
        m_grid->setCell(w.row, w.column, w.text);
    m_grid->setCurrentCell(plan.nextRow, plan.nextColumn);
    accept();
}

} // namespace Brenvik
