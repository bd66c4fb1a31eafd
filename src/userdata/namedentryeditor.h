#pragma once
// The dialog of the user-data editors: named entries kept in the user-data store, a combo of
// their names with a save and a delete button, the entry's content editor below, OK / Cancel.
// It owns the list load, the entry shown for the typed name, the match of the calling window's
// content on showing, the save (a fixed entry refused) and the delete with its question. A
// dialog describes its entry, builds its content editor and says how the content is listed,
// shown, written, removed and copied to the window that opened it.

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QGridLayout;
class QPushButton;
class QShowEvent;

namespace Brenvik {

class UserDataStore;

class NamedEntryEditor : public QDialog {
    Q_OBJECT
public:
    // One entry as the list knows it.
    struct Entry {
        QString name;
        QStringList content; // as the store keeps it; the match on showing compares its start
        bool fixed = false;  // shipped with the program: usable, never changed or deleted
        bool isDefault = false;
    };
    // The look and the texts of one kind of entry.
    struct Description {
        QString boxName;
        QString boxTitle; // a group box of this title; none: a sunken panel
        QString nameLabel;
        QString nameBox;
        int nameWidth = 0;
        bool sortedNames = false; // the document windows' sorted combo, else the store's order
        QString saveButton;
        QString deleteButton;
        // Plain tool buttons with these hints; none: the store's glyph buttons.
        QString saveTip;
        QString deleteTip;
        QString noNameError; // saving without a name; none: nothing is said
        QString deleteQuestion; // %1: the name
        // The question comes first, for any name; otherwise only for an entry that exists.
        bool askBeforeLookUp = false;
        QString fixedSaveWarning;
        QString fixedDeleteWarning;
    };

    QString entryName() const;
    void FormActivate();
    void clearEntry();
    void saveEntry();
    void deleteEntry();
    void OKBtnClick();

protected:
    NamedEntryEditor(const Description &description, QWidget *parent);

    // Building, in the order of the tab chain: the content rows below the name row (row 0)
    // in box(), then addDialogButtons().
    QWidget *box() const { return m_box; }
    QGridLayout *grid() const { return m_grid; }
    void addRow(int row, const QString &labelName, const QString &label, QWidget *field,
                Qt::Alignment alignment = {});
    void addDialogButtons();
    QPushButton *cancelButton() const { return m_cancel; }

    void setEntryName(const QString &name);
    void showEvent(QShowEvent *event) override;

    // The run's one dialog is freed at the end of the run when no window owns it.
    template<typename Dialog>
    static Dialog *freedAtQuit(Dialog *dialog)
    {
        if (!dialog->parent() && QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, dialog,
                             &QObject::deleteLater);
        return dialog;
    }

    // The entries in the order the store lists them (fixed ones first).
    virtual QList<Entry> entries(const UserDataStore &store) const = 0;
    // False when the entries have no place in the store (nothing is saved or deleted).
    virtual bool canStore() const { return true; }
    // Before the list is loaded on showing.
    virtual void prepareShowing(const UserDataStore &store, bool present) = 0;
    virtual void showContent(const Entry &entry) = 0;
    virtual void clearContent() = 0;
    // The calling window's content into the editor; returns it as the store keeps it, to be
    // matched against the start of each entry's content. Empty: there is nothing to match.
    virtual QStringList takeTargetContent() = 0;
    // The editor's texts, checked with the name before a save.
    virtual QStringList contentTexts() const = 0;
    // Writes the entry (may throw FileError); false when the name is a fixed entry.
    virtual bool writeEntry(UserDataStore &store, const QString &name) = 0;
    virtual void removeEntry(UserDataStore &store, const QString &name) = 0;
    // OK: the content into the calling window.
    virtual void copyToTarget() = 0;

private:
    void loadNameList(const UserDataStore &store, bool present);
    void showEntry();
    void showEntry(const UserDataStore &store);
    void selectMatching(const UserDataStore &store, bool present);
    bool confirmDelete(const QString &name) const;

    Description m_description;
    QWidget *m_box = nullptr;
    QGridLayout *m_grid = nullptr;
    QComboBox *m_names = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace Brenvik
