#include "userdata/namedentryeditor.h"
#include "userdata/storeguard.h"

#include "controls/sortedcombobox.h"
#include "controls/tzoruserdatabutton.h"
#include "core/platform.h"
#include "userdata/userdatastore.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace Brenvik {

namespace {

// The save (or delete) button beside the names: the store's glyph button, or with a hint of
// its own a plain one with the style's icon.
QToolButton *nameButton(bool save, const QString &name, const QString &tip, QComboBox *names, QWidget *parent)
{
    using Glyph = TZorUserDataButton::Glyph;
    QToolButton *button = nullptr;
    if (tip.isEmpty()) {
        auto *bound = new TZorUserDataButton(save ? Glyph::Save : Glyph::Delete, parent);
        bound->setReferencedComboBox(names);
        button = bound;
    } else {
        button = new QToolButton(parent);
        button->setToolTip(tip);
        button->setIcon(parent->style()->standardIcon(save ? QStyle::SP_DialogSaveButton : QStyle::SP_TrashIcon));
        button->setAutoRaise(true);
        button->setFixedSize(21, 21);
    }
    button->setObjectName(name);
    return button;
}

} // namespace

NamedEntryEditor::NamedEntryEditor(const Description &description, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_description(description)
{
    setModal(true);

    if (description.boxTitle.isEmpty()) {
        auto *bevel = new QFrame(this);
        bevel->setFrameShape(QFrame::StyledPanel);
        bevel->setFrameShadow(QFrame::Sunken);
        m_box = bevel;
    } else {
        m_box = new QGroupBox(description.boxTitle, this);
    }
    m_box->setObjectName(description.boxName);

    auto *label = new QLabel(description.nameLabel, m_box);
    label->setObjectName(QStringLiteral("Label1"));
    m_names = description.sortedNames ? new SortedComboBox(m_box) : new QComboBox(m_box);
    m_names->setObjectName(description.nameBox);
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMinimumWidth(description.nameWidth);
    QToolButton *save = nameButton(true, description.saveButton, description.saveTip, m_names, m_box);
    QToolButton *remove = nameButton(false, description.deleteButton, description.deleteTip, m_names, m_box);

    m_grid = new QGridLayout(m_box);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(m_names, 1);
    nameRow->addWidget(save);
    nameRow->addWidget(remove);
    m_grid->addWidget(label, 0, 0);
    m_grid->addLayout(nameRow, 0, 1);

    auto *main = new QVBoxLayout(this);
    main->addWidget(m_box);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_names, &QComboBox::currentTextChanged, this, [this] { showEntry(); });
    connect(save, &QToolButton::clicked, this, &NamedEntryEditor::saveEntry);
    connect(remove, &QToolButton::clicked, this, &NamedEntryEditor::deleteEntry);
}

void NamedEntryEditor::addRow(int row, const QString &labelName, const QString &label, QWidget *field,
                              Qt::Alignment alignment)
{
    auto *text = new QLabel(label, m_box);
    text->setObjectName(labelName);
    m_grid->addWidget(text, row, 0, alignment);
    m_grid->addWidget(field, row, 1);
}

void NamedEntryEditor::addDialogButtons()
{
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &NamedEntryEditor::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NamedEntryEditor::entryName() const { return m_names->currentText(); }

void NamedEntryEditor::setEntryName(const QString &name)
{
    const QSignalBlocker blocker(m_names);
    m_names->setEditText(name);
}

void NamedEntryEditor::clearEntry()
{
    setEntryName(QString());
    clearContent();
}

void NamedEntryEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

// One read serves the showing, so a missing store is reported once.
void NamedEntryEditor::FormActivate()
{
    UserDataStore store;
    const bool present = store.read();
    prepareShowing(store, present);
    loadNameList(store, present);
    selectMatching(store, present);
}

// The list goes with the store: after the last entry is deleted, or with no store at all, it
// would still offer what it held.
void NamedEntryEditor::loadNameList(const UserDataStore &store, bool present)
{
    QStringList names;
    if (present) {
        for (const Entry &entry : entries(store))
            names.append(entry.name);
    }
    if (names.isEmpty())
        clearEntry();
    const QSignalBlocker blocker(m_names);
    if (auto *sorted = qobject_cast<SortedComboBox *>(m_names)) {
        sorted->setStoreItems(names);
        return;
    }
    const QString text = m_names->currentText();
    m_names->clear();
    m_names->addItems(names);
    m_names->setEditText(text);
    m_names->setMaxVisibleItems(qMax(1, int(names.size())));
}

// Typing a name runs on every keystroke: a missing store was reported when the dialog showed.
void NamedEntryEditor::showEntry()
{
    UserDataStore store;
    if (!entryName().isEmpty() && store.readQuietly())
        showEntry(store);
}

// The first entry of the name: a fixed entry wins over a user entry of that name.
void NamedEntryEditor::showEntry(const UserDataStore &store)
{
    const QString name = entryName();
    if (name.isEmpty())
        return;
    for (const Entry &entry : entries(store)) {
        if (entry.name == name) {
            showContent(entry);
            return;
        }
    }
}

void NamedEntryEditor::selectMatching(const UserDataStore &store, bool present)
{
    const QStringList content = takeTargetContent();
    if (content.isEmpty() || !present)
        return;
    for (const Entry &entry : entries(store)) {
        if (entry.content.mid(0, content.size()) == content) {
            setEntryName(entry.name);
            showEntry(store);
            return;
        }
    }
    setEntryName(QString());
}

void NamedEntryEditor::saveEntry()
{
    const QString name = entryName();
    if (name.isEmpty() && !m_description.noNameError.isEmpty())
        errorBox(QStringLiteral("Error"), m_description.noNameError);
    if (name.isEmpty() || !canStore())
        return;
    UserDataStore store;
    if (!store.exists()) {
        store.reportMissing();
        return;
    }
    if (!UserDataStore::acceptTexts(QStringList{name} + contentTexts()))
        return;
    bool written = false;
    if (!guarded([&] { written = writeEntry(store, name); }))
        return;
    if (!written)
        infoBox(QStringLiteral("Warning"), m_description.fixedSaveWarning);
    loadNameList(store, true);
}

bool NamedEntryEditor::confirmDelete(const QString &name) const
{
    return confirmBox(QStringLiteral("Confirmation"), m_description.deleteQuestion.arg(name));
}

void NamedEntryEditor::deleteEntry()
{
    const QString name = entryName();
    const bool askFirst = m_description.askBeforeLookUp;
    if (askFirst ? !confirmDelete(name) : name.isEmpty() || !canStore())
        return;
    UserDataStore store;
    if (store.read() && !name.isEmpty()) {
        bool fixed = false;
        bool user = false;
        for (const Entry &entry : entries(store)) {
            if (entry.name == name)
                (entry.fixed ? fixed : user) = true;
        }
        if (fixed)
            infoBox(QStringLiteral("Warning"), m_description.fixedDeleteWarning);
        // A refused write keeps the entry shown: it is still there.
        if (user && (askFirst || confirmDelete(name)) && !guarded([&] { removeEntry(store, name); }))
            return;
    }
    // Otherwise the dialog starts over from an empty entry.
    clearEntry();
    if (store.isRead())
        loadNameList(store, true);
}

void NamedEntryEditor::OKBtnClick()
{
    copyToTarget();
    accept();
}

} // namespace Brenvik
