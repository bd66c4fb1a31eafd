#pragma once
// The Welding Procedure Qualification Report window: its field table plus the rules that are
// its own (the tungsten and SAW flux fields by process, the fixed labels of the fillet-weld
// grid) and the named handlers of its row commands and unit switches.

#include "document/formwindow.h"

namespace Brenvik {

class TPQR : public FormWindow {
    Q_OBJECT
public:
    explicit TPQR(QWidget *parent = nullptr);

    // The window's table: pages, groups and fields in creation order.
    static const FormTable &formTable();
    // What the type is: its type word, its names and the keys that hold its number, date, ...
    static FormDescription description();

    // Whether a process text stands for the given process: the whole text exactly ("GTAW"),
    // or one of several processes named in it ("GTAW/SMAW", "GTAW + SMAW"), so that visiting
    // page 3 never empties the tungsten fields of a GTAW root pass. Letter case counts, as
    // the process names are stored; blanks around the name alone make another process.
    static bool namesProcess(const QString &processText, const QString &process);

    // Page 3 shown or the process changed: tungsten and SAW flux fields by process.
    void dataEntry3Enter();
    void weldingProcessChange();


protected:
    void screenSetUp() override;
    void connectHandlers() override;
    void afterLoad() override;

private:
    // The fields the process does not use enabled or not; with emptyDisabled also emptied.
    void applyProcessRule(bool emptyDisabled);
    // The tungsten fields empty without GTAW, the flux classification without SAW.
    static void processRule(FormDocument &document);
    void setRowEnabled(const QString &fieldName, bool enabled);
};

} // namespace Brenvik
