#include "userdata/tusermemodlg.h"
#include "userdata/storeguard.h"

#include "core/platform.h"
#include "core/profilefile.h"
#include "controls/sortedcombobox.h"
#include "controls/tzoruserdatabutton.h"
#include "core/texthelpers.h"
#include "userdata/userdatastore.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>


namespace Brenvik {

namespace {

QPointer<TuserMemoDlg> g_instance;

const QString kFixedWarning =
    QStringLiteral("The current topic is defined by the programme and cannot be modified.  Please choose another topic.");
const QString kFixedDeleteWarning =
    QStringLiteral("The current topic is defined by the programme and cannot be deleted.");

// The store keeps a memo as one line; the edit wants plain line breaks.
QString storedToPlain(const QString &stored)
{
    QString text = decodeMemo(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

TuserMemoDlg *TuserMemoDlg::instance(QWidget *parent)
{
    if (!g_instance) {
        g_instance = new TuserMemoDlg(parent);
        if (!parent && QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, g_instance.data(),
                             &QObject::deleteLater);
    }
    return g_instance;
}

TuserMemoDlg::TuserMemoDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("userMemoDlg"));
    setWindowTitle(QStringLiteral("Dialog"));
    setModal(true);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);

    auto *label1 = new QLabel(QStringLiteral("Topic"), bevel);
    label1->setObjectName(QStringLiteral("Label1"));
    m_memoTopic = new SortedComboBox(bevel);
    m_memoTopic->setObjectName(QStringLiteral("memoTopic"));
    m_memoTopic->setEditable(true);
    m_memoTopic->setInsertPolicy(QComboBox::NoInsert);
    m_memoTopic->setMinimumWidth(300);

    auto *saveMemo = new TZorUserDataButton(TZorUserDataButton::Glyph::Save, bevel);
    saveMemo->setObjectName(QStringLiteral("saveMemo"));
    saveMemo->setReferencedComboBox(m_memoTopic);
    m_saveMemo = saveMemo;
    auto *deleteMemo = new TZorUserDataButton(TZorUserDataButton::Glyph::Delete, bevel);
    deleteMemo->setObjectName(QStringLiteral("deleteMemo"));
    deleteMemo->setReferencedComboBox(m_memoTopic);
    m_deleteMemo = deleteMemo;

    auto *label2 = new QLabel(QStringLiteral("Text"), bevel);
    label2->setObjectName(QStringLiteral("Label2"));
    m_memoText = new QPlainTextEdit(bevel);
    m_memoText->setObjectName(QStringLiteral("memoText"));
    m_memoText->setMinimumSize(420, 200);

    auto *grid = new QGridLayout(bevel);
    auto *topicRow = new QHBoxLayout;
    topicRow->addWidget(m_memoTopic, 1);
    topicRow->addWidget(m_saveMemo);
    topicRow->addWidget(m_deleteMemo);
    grid->addWidget(label1, 0, 0);
    grid->addLayout(topicRow, 0, 1);
    grid->addWidget(label2, 1, 0, Qt::AlignTop);
    grid->addWidget(m_memoText, 1, 1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *main = new QVBoxLayout(this);
    main->addWidget(bevel);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_memoTopic, &QComboBox::currentTextChanged, this, &TuserMemoDlg::memoTopicChange);
    connect(m_saveMemo, &QToolButton::clicked, this, &TuserMemoDlg::saveMemoClick);
    connect(m_deleteMemo, &QToolButton::clicked, this, &TuserMemoDlg::deleteMemoClick);
    connect(m_ok, &QPushButton::clicked, this, &TuserMemoDlg::OKBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TuserMemoDlg::setTarget(const QString &owner, QPlainTextEdit *memo)
{
    m_owner = owner;
    m_targetMemo = memo;
}

QString TuserMemoDlg::memoSection() const
{
    return m_targetMemo ? m_owner + QLatin1Char('_') + m_targetMemo->objectName() : QString();
}

int TuserMemoDlg::showFor(const QString &owner, QPlainTextEdit *memo)
{
    setTarget(owner, memo);
    return exec();
}

void TuserMemoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TuserMemoDlg::setTopicText(const QString &text)
{
    const QSignalBlocker blocker(m_memoTopic);
    m_memoTopic->setEditText(text);
}

// One read serves the showing: the list and the match, and one report of a missing store.
void TuserMemoDlg::FormActivate()
{
    UserDataStore store;
    const bool present = store.read();
    if (present)
        loadTopicList(store);
    setTopicText(QString());
    m_memoText->clear();
    setWindowTitle(QStringLiteral("Choose Text for \"") + (m_targetMemo ? m_targetMemo->objectName() : QString())
                   + QLatin1Char('"'));
    if (m_targetMemo && !m_targetMemo->toPlainText().isEmpty())
        matchTopic(store, present);
}

void TuserMemoDlg::loadTopicList()
{
    UserDataStore store;
    if (store.read())
        loadTopicList(store);
}

void TuserMemoDlg::loadTopicList(const UserDataStore &store)
{
    QStringList names;
    for (const UserDataStore::Topic &t : store.topics(memoSection()))
        names.append(t.name);
    const QSignalBlocker blocker(m_memoTopic);
    static_cast<SortedComboBox *>(m_memoTopic)->setStoreItems(names);
}

void TuserMemoDlg::showTopicText()
{
    UserDataStore store;
    if (!m_memoTopic->currentText().isEmpty() && store.readQuietly())
        showTopicText(store);
}

void TuserMemoDlg::showTopicText(const UserDataStore &store)
{
    const QString topic = m_memoTopic->currentText();
    if (topic.isEmpty())
        return;
    // Fixed topics come first in the list, so a fixed topic wins over a user topic of that name.
    for (const UserDataStore::Topic &t : store.topics(memoSection())) {
        if (t.name == topic) {
            m_memoText->setPlainText(storedToPlain(t.text));
            return;
        }
    }
}

// Typing runs on every keystroke: a missing store was reported when the dialog showed.
void TuserMemoDlg::memoTopicChange() { showTopicText(); }

void TuserMemoDlg::matchTopic()
{
    UserDataStore store;
    const bool present = store.read();
    matchTopic(store, present);
}

void TuserMemoDlg::matchTopic(const UserDataStore &store, bool present)
{
    if (!m_targetMemo)
        return;
    const QString current = m_targetMemo->toPlainText();
    m_memoText->setPlainText(current);
    if (!present)
        return;
    const QString encoded = encodeMemo(current);
    for (const UserDataStore::Topic &t : store.topics(memoSection())) {
        if (t.text == encoded) {
            setTopicText(t.name);
            showTopicText(store);
            return;
        }
    }
}

void TuserMemoDlg::saveTopic()
{
    const QString topic = m_memoTopic->currentText();
    if (topic.isEmpty() || !m_targetMemo)
        return;
    UserDataStore store;
    if (!store.exists()) {
        store.reportMissing();
        return;
    }
    const QString text = m_memoText->toPlainText();
    if (!UserDataStore::acceptTexts({topic, text}))
        return;
    bool saved = false;
    if (!guarded([&] { saved = store.saveTopic(memoSection(), topic, encodeMemo(text)); }))
        return;
    if (!saved)
        infoBox(QStringLiteral("Warning"), kFixedWarning);
    loadTopicList(store);
}

void TuserMemoDlg::saveMemoClick() { saveTopic(); }

void TuserMemoDlg::deleteTopic()
{
    const QString topic = m_memoTopic->currentText();
    if (topic.isEmpty() || !m_targetMemo)
        return;
    UserDataStore store;
    if (store.read()) {
        bool fixed = false;
        bool user = false;
        for (const UserDataStore::Topic &t : store.topics(memoSection())) {
            if (t.name == topic)
                (t.fixed ? fixed : user) = true;
        }
        if (fixed)
            infoBox(QStringLiteral("Warning"), kFixedDeleteWarning);
        if (user
            && confirmBox(QStringLiteral("Confirmation"),
                          QStringLiteral("Delete the current entry: \"") + topic + QStringLiteral("\"?")))
            guarded([&] { store.deleteTopic(memoSection(), topic); });
    }
    // Whatever happened, the dialog starts over from an empty topic.
    setTopicText(QString());
    m_memoText->clear();
    if (store.isRead())
        loadTopicList(store);
}

void TuserMemoDlg::deleteMemoClick() { deleteTopic(); }

void TuserMemoDlg::OKBtnClick()
{
    if (m_targetMemo)
        m_targetMemo->setPlainText(m_memoText->toPlainText());
    accept();
}

} // namespace Brenvik
