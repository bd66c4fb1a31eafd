#pragma once
// "Sample Sketches": picks a sample joint drawing from the sketch library, shows it with its
// notation or with the dimension values drawn on it, keeps named sets of values per sketch,
// and on OK puts the picture as shown into the calling document window's image box. The file
// and the value logic are SketchLibrary and SketchValues; this dialog shows their results.

#include "core/picture.h"
#include "document/formwindow.h"
#include "sketch/sketchlibrary.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace Brenvik {

class TypedGrid;

class TsketchEdit : public QDialog {
    Q_OBJECT
public:
    explicit TsketchEdit(QWidget *parent = nullptr);

    // Makes the dialog the sketch browser of every document window (interactive runs).
    static void install();
    // A fresh dialog for one use, shown modally; true when OK handed a picture back.
    static bool browse(FormWindow *caller);

    // The window whose "Browse ..." opened the dialog; held weakly.
    void setCaller(FormWindow *caller) { m_caller = caller; }
    bool handedBack() const { return m_handedBack; }
    // The picture as imgSketch shows it.
    Picture shownPicture() const { return m_shown; }
    bool showsValues() const;
    // OK asks before it replaces a picture that holds something (not a blank box) unless
    // this dialog put it there.
    static bool asksBeforeReplacing(const Picture &current, bool putBySketchDialog);

    // Handlers.
    void FormCreate();
    void sketchNameChange();
    void imgTypeSwitchClick();
    void parameterTopicChange();
    void saveParaClick() { saveValueSet(); }
    void DeleteParaClick() { deleteValueSet(); }
    void OKBtnClick();
    void cancelBtnClick() { reject(); }

    // Steps.
    void loadSketchList();
    void showSketchPicture(bool values);
    void loadSketchLabels();
    void clearValueSets();
    void loadValueSets();
    void drawDimensionValues();
    void applyValueSet();
    void saveValueSet();
    void deleteValueSet();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Reads the library, or says it is missing and gives false.
    bool readLibrary();
    QStringList cells() const;
    void setPicture(const Picture &picture);
    void redrawValues();

    SketchLibrary m_library;
    SketchLibrary::Sketch m_sketch;
    QList<SketchLibrary::ValueSet> m_sets;
    QPointer<FormWindow> m_caller;
    Picture m_shown;
    QImage m_valuesPicture; // the values picture as loaded, before any value is drawn
    bool m_handedBack = false;

    QComboBox *m_sketchName = nullptr;
    QWidget *m_imgSketch = nullptr;
    QPushButton *m_imgTypeSwitch = nullptr;
    QComboBox *m_parameterTopic = nullptr;
    QToolButton *m_savePara = nullptr;
    QToolButton *m_deletePara = nullptr;
    TypedGrid *m_grid = nullptr;
    QPlainTextEdit *m_sketchNote = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Brenvik
