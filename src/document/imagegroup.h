#pragma once
// The joint-sketch group every document window carries: the image box in its scroll box, the
// clipboard / file / tips speed buttons, "Resize Image", the sample-drawing browser button and
// the reference to the picture's external source file. The window gives the caption, registers
// imageIfResize and imageSourceFile as stored controls, saves picture() beside the document and
// listens to changed() and sketchBrowserRequested().

#include "controls/alignededit.h"
#include "core/picture.h"
#include "core/platform.h"

#include <QGroupBox>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace Brenvik {

class ImageGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ImageGroup(const QString &caption, QWidget *parent = nullptr);
    ~ImageGroup() override;

    // The size of a cleared image box: its white picture is this big.
    static QSize boxSize();

    Picture picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    // A white picture of the box's size.
    void clearPicture();
    // Counts every picture put in the box: the window tells by it whether the picture is still
    // the one it read from the sketch file.
    quint64 pictureRevision() const { return m_pictureRevision; }
    // The revision of the picture the sample sketch dialog put in the box last (0: none): the
    // dialog replaces its own picture without asking, any other only after a question.
    quint64 sampleSketchRevision() const { return m_sampleSketchRevision; }
    void setSampleSketchRevision(quint64 revision) { m_sampleSketchRevision = revision; }

    // The last imported picture's file name, without its folder ("imageFile" of the document).
    QString imageFile() const { return m_imageFile; }
    void setImageFile(const QString &fileName) { m_imageFile = fileName; }

    // Stored controls, named exactly as the document file keys them; the window's field table
    // binds their change signals to the changed-flag.
    QCheckBox *imageIfResize() const { return m_imageIfResize; }
    AlignedEdit *imageSourceFile() const { return m_imageSourceFile; }

    // The image box (weldImage), for the window's layout and for screenshots.
    QWidget *weldImage() const { return m_weldImage; }

    // The commands, as the speed buttons and buttons run them.
    void importImage1Click();
    void exportImage1Click();
    void imageCopytoClipboardClick();
    void imagePasteFromClipboardClick();
    void imageIfResizeClick();
    void browseImageSourceClick();
    void editImageSourceClick();
    void helpSketchClick();
    void SpeedButton1Click();

    // The dialogs keep their settings from one use to the next, as the window's own dialog
    // components do.
    FileDialogOptions &imageImportDialog() { return m_imageImport; }
    FileDialogOptions &imageExportDialog() { return m_imageExport; }

Q_SIGNALS:
    // The changed-flag was set by a picture command (import, paste, source browse).
    void changed();
    // A picture was put in the box, by a command or by the program (an import has named its
    // file by then).
    void pictureSet();
    // "Browse ..." of the sample joint drawings: the window opens the sketch library.
    void sketchBrowserRequested();

private:
    void markChanged();
    void layoutBox();

    Picture m_picture;
    quint64 m_pictureRevision = 0;
    quint64 m_sampleSketchRevision = 0;
    QString m_imageFile;
    FileDialogOptions m_imageImport;
    FileDialogOptions m_imageExport;

    QScrollArea *m_scrollBox = nullptr;
    QWidget *m_weldImage = nullptr;
    QToolButton *m_imageCopytoClipboard = nullptr;
    QToolButton *m_imagePasteFromClipboard = nullptr;
    QToolButton *m_exportImage = nullptr;
    QToolButton *m_importImage = nullptr;
    QToolButton *m_helpSketch = nullptr;
    QCheckBox *m_imageIfResize = nullptr;
    QPushButton *m_openSketchBrowser = nullptr;
    AlignedEdit *m_imageSourceFile = nullptr;
    QPushButton *m_browseImageSource = nullptr;
    QPushButton *m_editImageSource = nullptr;
    QToolButton *m_speedButton1 = nullptr;
    QPlainTextEdit *m_memo1 = nullptr;
};

} // namespace Brenvik
