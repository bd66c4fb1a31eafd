#include "sketch/tsketchedit.h"

#include "controls/sortedcombobox.h"
#include "controls/typedgrid.h"
#include "controls/tzoruserdatabutton.h"
#include "core/appstate.h"
#include "core/platform.h"
#include "document/formdescription.h"
#include "document/formwindow.h"
#include "document/imagegroup.h"
#include "sketch/sketchvalues.h"
#include "userdata/storeguard.h"
#include "userdata/userdatastore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

namespace {

const QString kShowDimensions = QStringLiteral("Display Joint Dimensions");
const QString kShowNotations = QStringLiteral("Show Notations");
const QSize kPictureSize(400, 300);

// imgSketch: the picture stretched to its frame, on white paper.
class SketchFrame : public QWidget {
public:
    explicit SketchFrame(QWidget *parent) : QWidget(parent)
    {
        setFixedSize(kPictureSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void setPicture(const Picture &picture)
    {
        m_picture = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!m_picture.isNull())
            m_picture.paint(&p, QRectF(rect()));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    Picture m_picture;
};

} // namespace

TsketchEdit::TsketchEdit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("sketchEdit"));
    setWindowTitle(QStringLiteral("Sample Sketches"));
    setModal(true);

    auto *label1 = new QLabel(QStringLiteral("Sample Types:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *names = new SortedComboBox(this);
    names->setEditable(false);
    names->setObjectName(QStringLiteral("sketchName"));
    m_sketchName = names;

    auto *frame = new SketchFrame(this);
    frame->setObjectName(QStringLiteral("imgSketch"));
    m_imgSketch = frame;
    m_imgTypeSwitch = new QPushButton(kShowDimensions, this);
    m_imgTypeSwitch->setObjectName(QStringLiteral("imgTypeSwitch"));

    auto *staticText1 = new QLabel(QStringLiteral("Sample Parameter File:"), this);
    staticText1->setObjectName(QStringLiteral("StaticText1"));
    auto *topics = new SortedComboBox(this);
    topics->setSorted(false);
    topics->setEditable(true);
    topics->setInsertPolicy(QComboBox::NoInsert);
    topics->setObjectName(QStringLiteral("parameterTopic"));
    m_parameterTopic = topics;
    m_savePara = new TZorUserDataButton(TZorUserDataButton::Glyph::Save, this);
    m_savePara->setObjectName(QStringLiteral("savePara"));
    m_savePara->setToolTip(QStringLiteral("Save the dimensions under this name"));
    m_deletePara = new TZorUserDataButton(TZorUserDataButton::Glyph::Delete, this);
    m_deletePara->setObjectName(QStringLiteral("DeletePara"));
    m_deletePara->setToolTip(QStringLiteral("Delete the dimensions saved under this name"));

    auto *staticText2 = new QLabel(QStringLiteral("Joint Dimensions:"), this);
    staticText2->setObjectName(QStringLiteral("StaticText2"));
    m_grid = new TypedGrid(this);
    m_grid->setObjectName(QStringLiteral("sketchParameter"));
    m_grid->setDimensions(0, 2);
    m_grid->setFixedColumns(1);
    m_grid->setColumnAlignment(0, Qt::AlignHCenter);
    m_grid->setColumnAlignment(1, Qt::AlignRight);
    m_grid->setColumnWidths({70, 140});
    m_grid->setRowHeightAll(fontMetrics().height() + 6);
    m_grid->setFixedWidth(70 + 140 + 2 * m_grid->frameWidth() + 2);
    m_grid->setMinimumHeight(10 * (fontMetrics().height() + 6));
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_sketchNote = new QPlainTextEdit(this);
    m_sketchNote->setObjectName(QStringLiteral("sketchNote"));
    m_sketchNote->setReadOnly(true);
    m_sketchNote->setFrameShape(QFrame::NoFrame);
    m_sketchNote->setFocusPolicy(Qt::NoFocus);
    m_sketchNote->setFixedWidth(m_grid->width());
    m_sketchNote->setFixedHeight(fontMetrics().lineSpacing() * 4 + 8);
    QPalette face = m_sketchNote->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Window));
    m_sketchNote->setPalette(face);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancelBtn"));

    auto *left = new QVBoxLayout;
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(label1);
    nameRow->addWidget(m_sketchName, 1);
    left->addLayout(nameRow);
    left->addWidget(m_imgSketch);
    auto *switchRow = new QHBoxLayout;
    switchRow->addWidget(m_imgTypeSwitch);
    switchRow->addStretch();
    left->addLayout(switchRow);

    auto *right = new QVBoxLayout;
    right->addWidget(staticText1);
    auto *topicRow = new QHBoxLayout;
    topicRow->setSpacing(2);
    topicRow->addWidget(m_parameterTopic, 1);
    topicRow->addWidget(m_savePara);
    topicRow->addWidget(m_deletePara);
    right->addLayout(topicRow);
    right->addWidget(staticText2);
    right->addWidget(m_grid, 1);
    right->addWidget(m_sketchNote);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    right->addLayout(buttons);

    auto *main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(right);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_sketchName, &QComboBox::currentIndexChanged, this, &TsketchEdit::sketchNameChange);
    connect(m_imgTypeSwitch, &QPushButton::clicked, this, &TsketchEdit::imgTypeSwitchClick);
    // A set is recalled when it is picked from the list or its name is confirmed with Enter;
    // typing a new name to save under does not recall a set half-way through the word.
    connect(m_parameterTopic, &QComboBox::textActivated, this, &TsketchEdit::parameterTopicChange);
    // The combo box has the focus and hands keys to its line edit itself: watch both.
    m_parameterTopic->installEventFilter(this);
    m_parameterTopic->lineEdit()->installEventFilter(this);
    connect(m_savePara, &QToolButton::clicked, this, &TsketchEdit::saveParaClick);
    connect(m_deletePara, &QToolButton::clicked, this, &TsketchEdit::DeleteParaClick);
    connect(m_grid, &TypedGrid::cellEdited, this, &TsketchEdit::redrawValues);
    connect(m_ok, &QPushButton::clicked, this, &TsketchEdit::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &TsketchEdit::cancelBtnClick);

    FormCreate();
}

// Enter in the set name recalls that set, and goes no further: the dialog would take it
// for its default button and close with OK.
bool TsketchEdit::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_parameterTopic || watched == m_parameterTopic->lineEdit())
        && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            parameterTopicChange();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TsketchEdit::install()
{
    FormWindow::setSketchBrowser(&TsketchEdit::browse);
}

bool TsketchEdit::browse(FormWindow *caller)
{
    if (AppState::instance().headless())
        return false;
    // Every use starts afresh: no sketch chosen, the list read again.
    TsketchEdit dialog(caller ? caller->window() : nullptr);
    dialog.setCaller(caller);
    dialog.exec();
    return dialog.handedBack();
}

bool TsketchEdit::showsValues() const
{
    return m_imgTypeSwitch->text() == kShowNotations;
}

bool TsketchEdit::readLibrary()
{
    if (m_library.read())
        return true;
    errorBox(QStringLiteral("Error"), SketchLibrary::missingText());
    return false;
}

QStringList TsketchEdit::cells() const
{
    return m_grid->columnTexts(1);
}

void TsketchEdit::setPicture(const Picture &picture)
{
    m_shown = picture;
    static_cast<SketchFrame *>(m_imgSketch)->setPicture(picture);
}

void TsketchEdit::FormCreate() { loadSketchList(); }

void TsketchEdit::loadSketchList()
{
    if (!readLibrary())
        return;
    QString error;
    const QStringList names = m_library.sketchNames(&error);
    if (!error.isEmpty())
        errorBox(QStringLiteral("Error"), error);
    if (names.isEmpty())
        return;
    const QSignalBlocker block(m_sketchName);
    static_cast<SortedComboBox *>(m_sketchName)->setStoreItems(names);
    m_sketchName->setMaxVisibleItems(int(names.size()));
    m_sketchName->setCurrentIndex(-1);
}

void TsketchEdit::sketchNameChange()
{
    m_sketch = {};
    if (readLibrary()) {
        QString error;
        m_sketch = m_library.sketch(m_sketchName->currentText(), &error);
        if (!error.isEmpty())
            errorBox(QStringLiteral("Error"), error);
    }
    showSketchPicture(false);
    loadSketchLabels();
    clearValueSets();
    loadValueSets();
    m_imgTypeSwitch->setText(kShowDimensions);
}

void TsketchEdit::showSketchPicture(bool values)
{
    m_valuesPicture = QImage();
    if (!m_sketch.number)
        return;
    const QString path = m_library.picturePath(values ? m_sketch.image : m_sketch.notationImage);
    const QFileInfo info(path);
    Picture picture;
    if (!info.exists() || !info.isFile()) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Cannot locate file:") + path + QLatin1Char('.'));
    } else {
        // Read where it lies, by its content: the library's pictures are never copied or moved.
        QString error;
        if (!picture.load(path, &error)) {
            errorBox(QStringLiteral("Error"), error);
            picture = Picture();
        }
    }
    setPicture(picture);
    if (values)
        m_valuesPicture = picture.toImage();
}

void TsketchEdit::loadSketchLabels()
{
    const QStringList labels = SketchValues::gridLabels(SketchValues::words(m_sketch.parameters));
    m_grid->setDimensions(int(labels.size()), 2);
    m_grid->setRowHeightAll(fontMetrics().height() + 6);
    m_grid->setColumnTexts(0, labels);
    m_sketchNote->setPlainText(m_sketch.note);
}

void TsketchEdit::clearValueSets()
{
    const QSignalBlocker block(m_parameterTopic);
    m_parameterTopic->clear();
    m_parameterTopic->setEditText(QString());
    m_grid->clearColumn(1);
}

void TsketchEdit::loadValueSets()
{
    m_sets = m_sketch.number ? m_library.valueSets(m_sketch.number) : QList<SketchLibrary::ValueSet>();
    if (!m_sketch.number)
        return;
    QStringList names;
    for (const SketchLibrary::ValueSet &s : m_sets)
        names.append(s.name);
    const QSignalBlocker block(m_parameterTopic);
    static_cast<SortedComboBox *>(m_parameterTopic)->setStoreItems(names);
}

void TsketchEdit::imgTypeSwitchClick()
{
    if (showsValues()) {
        m_imgTypeSwitch->setText(kShowDimensions);
        showSketchPicture(false);
    } else {
        m_imgTypeSwitch->setText(kShowNotations);
        drawDimensionValues();
    }
}

void TsketchEdit::drawDimensionValues()
{
    showSketchPicture(true);
    redrawValues();
}

// The values view follows the grid: every edit and every recalled set shows at once.
void TsketchEdit::redrawValues()
{
    if (!showsValues() || m_valuesPicture.isNull())
        return;
    QString bad;
    const auto placements =
        SketchValues::place(SketchValues::words(m_sketch.parameters), m_sketch.locations, cells(), &bad);
    if (!bad.isEmpty()) {
        errorBox(QStringLiteral("Error"),
                 m_library.notANumberText(QStringLiteral("sketch") + QString::number(m_sketch.number),
                                          QStringLiteral("paraLocation"), bad));
        return;
    }
    setPicture(Picture::fromImage(SketchValues::draw(m_valuesPicture, placements)));
}

void TsketchEdit::parameterTopicChange() { applyValueSet(); }

void TsketchEdit::applyValueSet()
{
    if (!m_sketch.number) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Please select a sketch first."));
        return;
    }
    const QString name = m_parameterTopic->currentText();
    if (name.isEmpty())
        return;
    const auto found = std::find_if(m_sets.cbegin(), m_sets.cend(),
                                    [&](const SketchLibrary::ValueSet &s) { return s.name == name; });
    if (found == m_sets.cend())
        return;
    if (!m_grid->isColumnEmpty(1)
        && !confirmBox(QStringLiteral("Warning"), QStringLiteral("Overwrite existing dimensional data?")))
        return;
    const QStringList fields = SketchValues::decode(found->values);
    for (int row = 0; row < m_grid->rowCount(); ++row)
        m_grid->setCell(row, 1, fields.value(row));
    redrawValues();
}

void TsketchEdit::saveValueSet()
{
    if (!m_sketch.number)
        return;
    const QString name = m_parameterTopic->currentText();
    if (name.isEmpty()) {
        errorBox(QStringLiteral("Error"), QStringLiteral("Please specify a topic first."));
        m_parameterTopic->setFocus();
        return;
    }
    const QStringList words = SketchValues::words(m_sketch.parameters);
    const QString values = SketchValues::encode(words, cells());
    const QString lost = UserDataStore::unkeepable({name, values});
    if (!lost.isEmpty()) {
        errorBox(QStringLiteral("Error"),
                 QStringLiteral("These characters cannot be kept in the sketch library: %1. Nothing was saved.")
                     .arg(lost));
        return;
    }
    if (!m_library.exists()) {
        errorBox(QStringLiteral("Error"), SketchLibrary::missingText());
        return;
    }
    if (guarded([&] { m_library.saveValueSet(m_sketch.number, name, values); }))
        loadValueSets();
}

void TsketchEdit::deleteValueSet()
{
    const QString name = m_parameterTopic->currentText();
    if (!m_sketch.number || name.isEmpty())
        return;
    const bool saved = std::any_of(m_sets.cbegin(), m_sets.cend(),
                                   [&](const SketchLibrary::ValueSet &s) { return s.name == name; });
    if (!saved)
        return;
    if (!confirmBox(QStringLiteral("Confirmation"),
                    QStringLiteral("Delete parameter set \"") + name + QStringLiteral("\"?")))
        return;
    if (!m_library.exists()) {
        errorBox(QStringLiteral("Error"), SketchLibrary::missingText());
        return;
    }
    if (!guarded([&] { m_library.deleteValueSet(m_sketch.number, name); }))
        return;
    m_grid->clearColumn(1);
    loadValueSets();
    redrawValues();
}

bool TsketchEdit::asksBeforeReplacing(const Picture &current, bool putBySketchDialog)
{
    return !putBySketchDialog && (current.isMetafile() || current.isNonEmptyBitmap());
}

void TsketchEdit::OKBtnClick()
{
    if (showsValues())
        drawDimensionValues();
    // Without a sketch there is nothing to hand back: the document keeps its own picture.
    // Only a document window of a described form type takes the sketch.
    if (!m_shown.isNull() && m_caller && m_caller->imageGroup()
        && FormDescriptions::find(m_caller->objectName())) {
        ImageGroup *group = m_caller->imageGroup();
        const bool own = group->sampleSketchRevision() != 0
            && group->sampleSketchRevision() == group->pictureRevision();
        // No keeps the dialog open: the user may still pick another sketch or cancel.
        if (asksBeforeReplacing(group->picture(), own)
            && !platform().askYesNo(QStringLiteral("Sample Sketches"),
                                    QStringLiteral("Replace the document's own sketch with this sample?")))
            return;
        group->setPicture(m_shown);
        group->setSampleSketchRevision(group->pictureRevision());
        group->imageIfResize()->setChecked(true);
        group->imageIfResizeClick();
        m_handedBack = true;
    }
    accept();
}

} // namespace Brenvik
