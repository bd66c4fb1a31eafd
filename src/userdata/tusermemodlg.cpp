#include "userdata/tusermemodlg.h"

#include "core/texthelpers.h"
#include "userdata/userdatastore.h"

namespace Brenvik {

namespace {

QPointer<TuserMemoDlg> g_instance;

NamedEntryEditor::Description topicDescription()
{
    NamedEntryEditor::Description d;
    d.boxName = QStringLiteral("Bevel1");
    d.nameLabel = QStringLiteral("Topic");
    d.nameBox = QStringLiteral("memoTopic");
    d.nameWidth = 300;
    d.sortedNames = true;
    d.saveButton = QStringLiteral("saveMemo");
    d.deleteButton = QStringLiteral("deleteMemo");
    d.deleteQuestion = QStringLiteral("Delete the current entry: \"%1\"?");
    d.fixedSaveWarning = QStringLiteral(
        "The current topic is defined by the programme and cannot be modified.  Please choose another topic.");
    d.fixedDeleteWarning = QStringLiteral("The current topic is defined by the programme and cannot be deleted.");
    return d;
}

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
    if (!g_instance)
        g_instance = freedAtQuit(new TuserMemoDlg(parent));
    return g_instance;
}

TuserMemoDlg::TuserMemoDlg(QWidget *parent) : NamedEntryEditor(topicDescription(), parent)
{
    setObjectName(QStringLiteral("userMemoDlg"));
    setWindowTitle(QStringLiteral("Dialog"));
    m_memoText = new QPlainTextEdit(box());
    m_memoText->setObjectName(QStringLiteral("memoText"));
    m_memoText->setMinimumSize(420, 200);
    addRow(1, QStringLiteral("Label2"), QStringLiteral("Text"), m_memoText, Qt::AlignTop);
    addDialogButtons();
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

// Fixed topics come first, so a fixed topic wins over a user topic of that name.
QList<NamedEntryEditor::Entry> TuserMemoDlg::entries(const UserDataStore &store) const
{
    QList<Entry> list;
    for (const UserDataStore::Topic &t : store.topics(memoSection()))
        list.append(Entry{t.name, {t.text}, t.fixed, false});
    return list;
}

// Every showing starts from an empty topic.
void TuserMemoDlg::prepareShowing(const UserDataStore &, bool)
{
    clearEntry();
    setWindowTitle(QStringLiteral("Choose Text for \"") + (m_targetMemo ? m_targetMemo->objectName() : QString())
                   + QLatin1Char('"'));
}

void TuserMemoDlg::showContent(const Entry &entry) { m_memoText->setPlainText(storedToPlain(entry.content.at(0))); }

void TuserMemoDlg::clearContent() { m_memoText->clear(); }

QStringList TuserMemoDlg::takeTargetContent()
{
    if (!m_targetMemo || m_targetMemo->toPlainText().isEmpty())
        return {};
    const QString current = m_targetMemo->toPlainText();
    m_memoText->setPlainText(current);
    return {encodeMemo(current)};
}

QStringList TuserMemoDlg::contentTexts() const { return {m_memoText->toPlainText()}; }

bool TuserMemoDlg::writeEntry(UserDataStore &store, const QString &name)
{
    return store.saveTopic(memoSection(), name, encodeMemo(m_memoText->toPlainText()));
}

void TuserMemoDlg::removeEntry(UserDataStore &store, const QString &name) { store.deleteTopic(memoSection(), name); }

void TuserMemoDlg::copyToTarget()
{
    if (m_targetMemo)
        m_targetMemo->setPlainText(m_memoText->toPlainText());
}

} // namespace Brenvik
