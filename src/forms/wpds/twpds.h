#pragma once
// The Welding Procedure Data Sheet window: its field table plus the handlers that are its own
// (tungsten and flux fields by process, filler processes taken over from the welding
// processes, backgouging, the two unit choices, the parameter grid's column commands and the
// linked process / gas pairs).

#include "document/formwindow.h"

class QComboBox;

namespace Brenvik {

class TWPDS : public FormWindow {
    Q_OBJECT
public:
    explicit TWPDS(QWidget *parent = nullptr);

    // The window's table: pages, groups and fields in creation order.
    static const FormTable &formTable();
    // What the type is: its type word, its names and the keys that hold its number, date, ...
    static FormDescription description();
    // The click rule of ifBackgouging on the document's values.
    static void backgougingRule(FormDocument &document);
    // Page 3 shown: the tungsten fields empty without GTAW, the flux without SAW.
    static void processRule(FormDocument &document);
    // Page 5 shown: the filler metals' processes taken from the welding processes when empty.
    static void processCopyRule(FormDocument &document);
    // The 14 parameter rows, top to bottom.
    static const QStringList &parameterTitles();

    // Page-enter behaviour.
    void dataEntry3Enter();
    void dataEntry5Enter();
    // Handlers.
    void ifBackgougingClick();

protected:
    void screenSetUp() override;
    void afterLoad() override;
    void connectHandlers() override;

private:
    void updateBackgougingEnabled();
};

} // namespace Brenvik
