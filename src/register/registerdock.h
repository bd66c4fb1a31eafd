#pragma once
// The Document Register panel of the main window: a folder, every document below it in a
// sortable table, a search box over all columns, a double click to open a document and
// "Export to PDF..." for the selected ones. It remembers its folder between runs.

#include "register/bulkexport.h"

#include <QDockWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace Brenvik {

class RegisterFilter;
class RegisterModel;

class RegisterDock : public QDockWidget {
    Q_OBJECT
public:
    explicit RegisterDock(QWidget *parent = nullptr);

    // Lists folder and remembers it for the next run.
    void setFolder(const QString &folder);
    QString folder() const;
    // The folder chooser.
    void chooseFolder();
    // "Export to PDF...": the selected documents, one PDF each, into a folder the user picks.
    void exportSelected();
    // What a PDF must not overwrite (the main window's rules for reports).
    void setOutputCheck(BulkExport::OutputCheck check) { m_check = std::move(check); }

    RegisterModel *model() const { return m_model; }
    RegisterFilter *filter() const { return m_filter; }
    QTableView *table() const { return m_table; }
    QLineEdit *searchBox() const { return m_search; }
    // The documents of the selected rows, in the order shown.
    QStringList selectedPaths() const;

Q_SIGNALS:
    // A double click on a row: open the document as File > Open does.
    void openRequested(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void openRow(const QModelIndex &index);
    void updateStatus();

    RegisterModel *m_model;
    RegisterFilter *m_filter;
    QLineEdit *m_folderEdit;
    QToolButton *m_chooseFolder;
    QLineEdit *m_search;
    QTableView *m_table;
    QPushButton *m_export;
    QLabel *m_status;
    BulkExport::OutputCheck m_check;
    QString m_exportFolder;
    bool m_listed = false; // the remembered folder is read when the panel first shows
    bool m_sized = false;
};

} // namespace Brenvik
