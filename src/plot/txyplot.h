#pragma once
// The parameter plot dialog: welding-parameter curves of zorc.dat for a chosen process, wire
// classification and plot type, one curve per wire diameter. A click near a curve picks a
// working point; "Select" writes it into the current pass of the document window's parameter
// grid (ParameterFill decides what goes where) and closes. It opens on the welding process
// the document names, shows the picked values with their units and the curves with a legend,
// and "Notes" tells what a curve assumes.

#include "document/documentwalk.h"
#include "plot/plotdata.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace Brenvik {

class FormWindow;
class TypedGrid;
class XyChart;

class TxyPlot : public QDialog {
    Q_OBJECT
public:
    explicit TxyPlot(QWidget *parent = nullptr);

    // The one dialog of the run, made on first use as a child of parent.
    static TxyPlot *instance(QWidget *parent);
    // selectParamClick: target the window's grid and show the dialog modally.
    void showFor(FormWindow *window, TypedGrid *grid);
    // The target and the first fill, without showing (showFor's first half).
    void prepare(FormWindow *window, TypedGrid *grid);

    // Handlers.
    void FormActivate();
    void weldingProcessChange();
    void wireClassificationChange();
    void plotTypeClick();
    void wireDiameterClick();
    void xyChartClick(const QPointF &pos);
    void selectParametersClick();
    void notesClick();

    // Controls, by their names.
    QComboBox *weldingProcess() const { return m_weldingProcess; }
    QComboBox *wireClassification() const { return m_wireClassification; }
    QListWidget *plotType() const { return m_plotType; }
    QListWidget *wireDiameter() const { return m_wireDiameter; }
    XyChart *xyChart() const { return m_chart; }
    QLineEdit *outputX() const { return m_outputX; }
    QLineEdit *outputY1() const { return m_outputY1; }
    QLineEdit *outputY2() const { return m_outputY2; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *notesButton() const { return m_notes; }
    // The units shown beside outputX, outputY1 and outputY2.
    QStringList outputUnits() const;
    const PlotSet &plotSet() const { return m_set; }

private:
    void buildControls();
    void fillCurves();
    void draw();
    void clearOutputs();
    void showUnits();
    // The process the target window's document names, chosen when the data file has it.
    void openOnDocumentProcess();
    GridCells gridCells() const;
    int selectedPlot() const; // 0-based plot of the set; -1: none
    static void report(const QStringList &errors);

    QComboBox *m_weldingProcess = nullptr;
    QComboBox *m_wireClassification = nullptr;
    QListWidget *m_plotType = nullptr;
    QListWidget *m_wireDiameter = nullptr;
    XyChart *m_chart = nullptr;
    QLineEdit *m_outputX = nullptr;
    QLineEdit *m_outputY1 = nullptr;
    QLineEdit *m_outputY2 = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_notes = nullptr;
    QLabel *m_unitX = nullptr;
    QLabel *m_unitY1 = nullptr;
    QLabel *m_unitY2 = nullptr;

    PlotSet m_set;
    QPointer<FormWindow> m_window;
    QPointer<TypedGrid> m_grid;
};

} // namespace Brenvik
