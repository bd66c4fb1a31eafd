#include "document/imagegroup.h"

#include "core/appstate.h"
#include "core/writetarget.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

// Resources of a static library are only linked when asked for by name.
static void initImageGroupResources()
{
    Q_INIT_RESOURCE(imagegroup);
}

namespace Brenvik {

namespace {

const QSize kBoxSize(320, 240);

// The image box: white paper with the sketch on it, either at its own size from the top-left
// corner or, with "Resize Image", fitted to the whole box keeping its proportions.
class SketchBox : public QWidget {
public:
    explicit SketchBox(QWidget *parent) : QWidget(parent)
    {
        setAutoFillBackground(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPicture(const Picture &picture)
    {
        m_picture = picture;
        update();
    }
    void setStretched(bool stretched)
    {
        m_stretched = stretched;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (m_picture.isNull())
            return;
        if (m_stretched)
            m_picture.paint(&p, QRectF(rect()));
        else
            m_picture.paint(&p, QRectF(QPointF(0, 0), QSizeF(m_picture.size())));
    }

private:
    Picture m_picture;
    bool m_stretched = false;
};

QToolButton *speedButton(QWidget *parent, const char *name, const QString &hint, const QString &glyph)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(QIcon(QStringLiteral(":/imagegroup/") + glyph));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setFixedSize(25, 25);
    b->setFocusPolicy(Qt::NoFocus); // speed buttons never take the focus
    return b;
}

} // namespace

ImageGroup::ImageGroup(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
    initImageGroupResources();
    setObjectName(QStringLiteral("imageGroup"));

    m_imageImport.filter = QStringLiteral(
        "Image files|*.bmp;*.emf|Windows bitmap files|*.bmp|Windows metafiles|*.emf|All files|*.*");
    m_imageExport.filter = QStringLiteral("Window Meta File|*.emf|Bitmap file|*.bmp");
    m_imageExport.defaultSuffix = QStringLiteral("bmp");
    m_imageExport.overwritePrompt = true;

    m_scrollBox = new QScrollArea(this);
    m_scrollBox->setObjectName(QStringLiteral("weldImageScrollBox"));
    m_scrollBox->setMinimumSize(kBoxSize + QSize(4, 4));
    m_scrollBox->setBackgroundRole(QPalette::Dark);
    auto *box = new SketchBox(m_scrollBox);
    box->setObjectName(QStringLiteral("weldImage"));
    m_weldImage = box;
    m_scrollBox->setWidget(box);

    m_imageCopytoClipboard = speedButton(this, "imageCopytoClipboard", QStringLiteral("Copy to Clipboard"),
                                         QStringLiteral("copy.svg"));
    m_imagePasteFromClipboard = speedButton(this, "imagePasteFromClipboard",
                                            QStringLiteral("Paste from Clipboard"), QStringLiteral("paste.svg"));
    m_exportImage = speedButton(this, "exportImage", QStringLiteral("Export to file"), QStringLiteral("export.svg"));
    m_importImage = speedButton(this, "importImage", QStringLiteral("Import from file"), QStringLiteral("import.svg"));
    m_helpSketch = speedButton(this, "helpSketch", QStringLiteral("Tips"), QStringLiteral("tips.svg"));

    m_imageIfResize = new QCheckBox(QStringLiteral("Resize Image"), this);
    m_imageIfResize->setObjectName(QStringLiteral("imageIfResize"));

    auto *samples = new QGroupBox(QStringLiteral(" Sample Joint Drawings "), this);
    samples->setObjectName(QStringLiteral("sampleDrawingsGroup"));
    m_openSketchBrowser = new QPushButton(QStringLiteral("Browse ..."), samples);
    m_openSketchBrowser->setObjectName(QStringLiteral("openSketchBrowser"));
    auto *samplesLayout = new QHBoxLayout(samples);
    samplesLayout->addWidget(m_openSketchBrowser);
    samplesLayout->addStretch();

    auto *source = new QGroupBox(QStringLiteral(" Reference to External Image "), this);
    source->setObjectName(QStringLiteral("externalImageGroup"));
    // Right-aligned: a long path shows its file name, the part that tells sources apart.
    m_imageSourceFile = new AlignedEdit(Qt::AlignRight, source);
    m_imageSourceFile->setObjectName(QStringLiteral("imageSourceFile"));
    m_browseImageSource = new QPushButton(QStringLiteral("Browse ..."), source);
    m_browseImageSource->setObjectName(QStringLiteral("browseImageSource"));
    m_editImageSource = new QPushButton(QStringLiteral("Open/Edit"), source);
    m_editImageSource->setObjectName(QStringLiteral("editImageSource"));
    m_speedButton1 = speedButton(source, "SpeedButton1", QStringLiteral("Tips"), QStringLiteral("tips.svg"));
    m_memo1 = new QPlainTextEdit(source);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setReadOnly(true);
    m_memo1->setFrameShape(QFrame::NoFrame);
    m_memo1->setFocusPolicy(Qt::NoFocus);
    m_memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The button face of the form: the note reads as part of the group, not as a field.
    QPalette face = m_memo1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Window));
    m_memo1->setPalette(face);
    m_memo1->setPlainText(QStringLiteral("If there is a source image file for the \n"
                                         "picture displayed on the left,  this \n"
                                         "reference can be used to link the \n"
                                         "source image file."));
    m_memo1->document()->setDocumentMargin(0);
    const QFontMetrics fm(m_memo1->font());
    m_memo1->setFixedHeight(fm.lineSpacing() * 4 + 6);
    m_memo1->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("picture displayed on the left,  this ")) + 8);

    auto *sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(m_imageSourceFile);
    auto *sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(m_browseImageSource);
    sourceButtons->addWidget(m_editImageSource);
    sourceButtons->addWidget(m_speedButton1);
    sourceButtons->addStretch();
    sourceLayout->addLayout(sourceButtons);
    sourceLayout->addWidget(m_memo1);

    auto *speedRow = new QHBoxLayout;
    speedRow->setSpacing(2);
    speedRow->addWidget(m_imageCopytoClipboard);
    speedRow->addWidget(m_imagePasteFromClipboard);
    speedRow->addWidget(m_exportImage);
    speedRow->addWidget(m_importImage);
    speedRow->addWidget(m_helpSketch);
    speedRow->addStretch();

    auto *side = new QVBoxLayout;
    side->addLayout(speedRow);
    side->addWidget(m_imageIfResize);
    side->addWidget(samples);
    side->addWidget(source);
    side->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_scrollBox, 1);
    layout->addLayout(side);

    connect(m_importImage, &QToolButton::clicked, this, &ImageGroup::importImage1Click);
    connect(m_exportImage, &QToolButton::clicked, this, &ImageGroup::exportImage1Click);
    connect(m_imageCopytoClipboard, &QToolButton::clicked, this, &ImageGroup::imageCopytoClipboardClick);
    connect(m_imagePasteFromClipboard, &QToolButton::clicked, this, &ImageGroup::imagePasteFromClipboardClick);
    connect(m_helpSketch, &QToolButton::clicked, this, &ImageGroup::helpSketchClick);
    connect(m_speedButton1, &QToolButton::clicked, this, &ImageGroup::SpeedButton1Click);
    // toggled, not clicked: a document that opens with the box checked shows its sketch fitted.
    connect(m_imageIfResize, &QCheckBox::toggled, this, &ImageGroup::imageIfResizeClick);
    connect(m_openSketchBrowser, &QPushButton::clicked, this, &ImageGroup::sketchBrowserRequested);
    connect(m_browseImageSource, &QPushButton::clicked, this, &ImageGroup::browseImageSourceClick);
    connect(m_editImageSource, &QPushButton::clicked, this, &ImageGroup::editImageSourceClick);

    clearPicture();
}

ImageGroup::~ImageGroup() = default;

QSize ImageGroup::boxSize()
{
    return kBoxSize;
}

void ImageGroup::setPicture(const Picture &picture)
{
    m_picture = picture;
    ++m_pictureRevision;
    static_cast<SketchBox *>(m_weldImage)->setPicture(picture);
    layoutBox();
    Q_EMIT pictureSet();
}

void ImageGroup::clearPicture()
{
    setPicture(Picture::blank(kBoxSize));
}

void ImageGroup::layoutBox()
{
    auto *box = static_cast<SketchBox *>(m_weldImage);
    const bool stretched = m_imageIfResize->isChecked();
    box->setStretched(stretched);
    m_scrollBox->setWidgetResizable(stretched);
    if (!stretched)
        box->resize(m_picture.size().expandedTo(kBoxSize));
}

void ImageGroup::markChanged()
{
    AppState::instance().setChanged(true);
    Q_EMIT changed();
}

void ImageGroup::importImage1Click()
{
    const QString path = platform().openFile(m_imageImport);
    if (path.isEmpty())
        return;
    m_imageImport.fileName = path;
    Picture loaded;
    QString error;
    if (!loaded.load(path, &error)) {
        // The box keeps what it showed; the reason is the only thing the user needs.
        errorBox(QStringLiteral("Error"), error);
        return;
    }
    m_imageFile = QFileInfo(path).fileName();
    setPicture(loaded);
    // An imported sketch is unsaved work: closing must ask before it is lost.
    markChanged();
}

void ImageGroup::exportImage1Click()
{
    if (m_picture.isNonEmptyBitmap()) {
        m_imageExport.defaultSuffix = QStringLiteral("bmp");
        m_imageExport.filterIndex = 2;
    }
    const QString path = platform().saveFile(m_imageExport);
    if (path.isEmpty())
        return;
    m_imageExport.fileName = path;
    // A picture never replaces a document, whatever its name or the link it is reached by.
    QString error = writeProblem(path, WriteKind::Picture, {}, false);
    if (error.isEmpty() && m_picture.exportTo(path, &error))
        return;
    errorBox(QStringLiteral("Zor Error"), QStringLiteral("Error in exporting image file.\r\n") + error);
}

void ImageGroup::imageCopytoClipboardClick()
{
    if (m_picture.isNull())
        return;
    platform().setClipboardPicture(m_picture.toImage(), m_picture.metafile());
}

void ImageGroup::imagePasteFromClipboardClick()
{
    // The metafile first: our own copies carry both, and the vectors are the better of the two.
    Picture pasted;
    const QByteArray emf = platform().clipboardMetafile();
    if (!emf.isEmpty())
        pasted = Picture::fromMetafile(emf);
    if (pasted.isNull()) {
        const QImage bitmap = platform().clipboardBitmap();
        if (!bitmap.isNull())
            pasted = Picture::fromImage(bitmap);
    }
    if (pasted.isNull())
        return;
    setPicture(pasted);
    markChanged();
}

void ImageGroup::imageIfResizeClick()
{
    layoutBox();
}

void ImageGroup::browseImageSourceClick()
{
    const QString path = platform().openFile(m_imageImport);
    if (!path.isEmpty()) {
        m_imageImport.fileName = path;
        m_imageSourceFile->setText(path);
    }
    markChanged();
}

void ImageGroup::editImageSourceClick()
{
    openWithShell(m_imageSourceFile->text(), QString(), QString(), 5);
}

void ImageGroup::helpSketchClick()
{
    platform().showHelp(1501);
}

void ImageGroup::SpeedButton1Click()
{
    platform().showHelp(1503);
}

} // namespace Brenvik
