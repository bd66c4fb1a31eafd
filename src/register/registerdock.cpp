#include "register/registerdock.h"

#include "core/platform.h"
#include "register/registermodel.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace Brenvik {

namespace {

const QString kFolderSetting = QStringLiteral("register/folder");
const QString kExportCaption = QStringLiteral("Export to PDF");

} // namespace

RegisterDock::RegisterDock(QWidget *parent)
    : QDockWidget(QStringLiteral("Document Register"), parent)
    , m_model(new RegisterModel(this))
    , m_filter(new RegisterFilter(this))
    , m_folderEdit(new QLineEdit)
    , m_chooseFolder(new QToolButton)
    , m_search(new QLineEdit)
    , m_table(new QTableView)
    , m_export(new QPushButton(QStringLiteral("Export to PDF...")))
    , m_status(new QLabel)
{
    setObjectName(QStringLiteral("DocumentRegister"));
    m_filter->setSourceModel(m_model);

    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);

    auto *folderRow = new QHBoxLayout;
    m_folderEdit->setObjectName(QStringLiteral("registerFolder"));
    m_folderEdit->setPlaceholderText(QStringLiteral("Folder of welding documents"));
    m_folderEdit->setToolTip(QStringLiteral("Every document in this folder and its subfolders is listed."));
    m_chooseFolder->setObjectName(QStringLiteral("registerChooseFolder"));
    m_chooseFolder->setText(QStringLiteral("..."));
    m_chooseFolder->setToolTip(QStringLiteral("Choose the folder"));
    folderRow->addWidget(new QLabel(QStringLiteral("Folder:")));
    folderRow->addWidget(m_folderEdit, 1);
    folderRow->addWidget(m_chooseFolder);
    layout->addLayout(folderRow);

    auto *searchRow = new QHBoxLayout;
    m_search->setObjectName(QStringLiteral("registerSearch"));
    m_search->setPlaceholderText(QStringLiteral("Search all columns"));
    m_search->setClearButtonEnabled(true);
    m_export->setObjectName(QStringLiteral("registerExport"));
    m_export->setToolTip(QStringLiteral("Write the report of each selected document as a PDF file"));
    searchRow->addWidget(m_search, 1);
    auto *hideSuperseded = new QCheckBox(QStringLiteral("Hide superseded"));
    hideSuperseded->setObjectName(QStringLiteral("registerHideSuperseded"));
    hideSuperseded->setChecked(m_filter->hidesSuperseded());
    connect(hideSuperseded, &QCheckBox::toggled, m_filter, &RegisterFilter::setHideSuperseded);
    connect(hideSuperseded, &QCheckBox::toggled, this, &RegisterDock::updateStatus);
    searchRow->addWidget(hideSuperseded);
    searchRow->addWidget(m_export);
    layout->addLayout(searchRow);

    m_table->setObjectName(QStringLiteral("registerTable"));
    m_table->setModel(m_filter);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(RegisterEntry::File, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setHighlightSections(false);
    // The status beside the date it concerns; the file and any problem stay at the end.
    m_table->horizontalHeader()->moveSection(RegisterEntry::Status, RegisterEntry::Date + 1);
    m_table->horizontalHeader()->moveSection(RegisterEntry::Approved, RegisterEntry::Date + 2);
    // Before the first folder is listed the headings show whole.
    m_table->resizeColumnsToContents();
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *open = new QAction(QStringLiteral("&Open"), m_table);
    auto *exportAction = new QAction(QStringLiteral("&Export to PDF..."), m_table);
    m_table->addActions({open, exportAction});
    layout->addWidget(m_table, 1);

    m_status->setObjectName(QStringLiteral("registerStatus"));
    layout->addWidget(m_status);
    setWidget(body);

    connect(m_chooseFolder, &QToolButton::clicked, this, &RegisterDock::chooseFolder);
    connect(m_folderEdit, &QLineEdit::returnPressed, this, [this] { setFolder(m_folderEdit->text().trimmed()); });
    connect(m_search, &QLineEdit::textChanged, m_filter, &RegisterFilter::setSearch);
    connect(m_search, &QLineEdit::textChanged, this, &RegisterDock::updateStatus);
    connect(m_model, &RegisterModel::refreshed, this, &RegisterDock::updateStatus);
    connect(m_table, &QTableView::doubleClicked, this, &RegisterDock::openRow);
    connect(open, &QAction::triggered, this, [this] { openRow(m_table->currentIndex()); });
    connect(m_export, &QPushButton::clicked, this, &RegisterDock::exportSelected);
    connect(exportAction, &QAction::triggered, this, &RegisterDock::exportSelected);

    m_folderEdit->setText(platform().setting(kFolderSetting));
    updateStatus();
}

QString RegisterDock::folder() const { return m_model->folder(); }

void RegisterDock::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (!m_listed && !m_folderEdit->text().isEmpty())
        setFolder(m_folderEdit->text());
}

void RegisterDock::setFolder(const QString &folder)
{
    m_listed = true;
    const QString path = folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_folderEdit->setText(QDir::toNativeSeparators(path));
    m_model->setFolder(path);
    if (!path.isEmpty())
        platform().setSetting(kFolderSetting, path);
    if (!m_sized && !m_model->entries().isEmpty()) {
        // Columns fit their texts once; after that they keep what the user made of them.
        m_sized = true;
        m_table->resizeColumnsToContents();
        for (int c = 0; c < RegisterEntry::ColumnCount - 1; ++c)
            m_table->setColumnWidth(c, qMin(m_table->columnWidth(c), 360));
    }
}

void RegisterDock::chooseFolder()
{
    const QString chosen = platform().browseFolder(QStringLiteral("Document Register"),
                                                   QStringLiteral("Folder of welding documents:"), folder());
    if (!chosen.isEmpty())
        setFolder(chosen);
}

void RegisterDock::updateStatus()
{
    QString text;
    const int total = m_model->rowCount();
    if (m_model->folder().isEmpty()) {
        text = QStringLiteral("Choose a folder to list its documents.");
    } else if (!m_model->folderReadable()) {
        text = QStringLiteral("The folder cannot be read.");
    } else {
        int unreadable = 0;
        for (const RegisterEntry &e : m_model->entries())
            unreadable += !e.isDocument();
        text = total == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(total);
        if (unreadable)
            text += QStringLiteral(", %1 not readable as documents").arg(unreadable);
        if (m_filter->rowCount() != total)
            text = QStringLiteral("%1 shown of %2").arg(m_filter->rowCount()).arg(text);
    }
    m_status->setText(text);
}

void RegisterDock::openRow(const QModelIndex &index)
{
    if (index.isValid())
        Q_EMIT openRequested(index.data(RegisterModel::PathRole).toString());
}

QStringList RegisterDock::selectedPaths() const
{
    QModelIndexList rows = m_table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex &row : std::as_const(rows))
        paths << row.data(RegisterModel::PathRole).toString();
    return paths;
}

void RegisterDock::exportSelected()
{
    const QStringList documents = selectedPaths();
    if (documents.isEmpty()) {
        infoBox(kExportCaption, QStringLiteral("Select the documents to export first."));
        return;
    }
    const QString target = platform().browseFolder(kExportCaption, QStringLiteral("Folder for the PDF files:"),
                                                   m_exportFolder.isEmpty() ? folder() : m_exportFolder);
    if (target.isEmpty())
        return;
    m_exportFolder = target;
    const QStringList pdfs = BulkExport::pdfPaths(target, documents);
    int existing = 0;
    for (const QString &pdf : pdfs)
        existing += QFileInfo::exists(pdf);
    bool replace = true;
    if (existing) {
        const Answer answer = askYesNoCancel(
            QStringLiteral("Question"),
            QStringLiteral("%1 of the %2 PDF files exist already in %3.\r\nReplace them?")
                .arg(existing).arg(pdfs.size()).arg(QDir::toNativeSeparators(target)));
        if (answer == Answer::Cancel)
            return;
        replace = answer == Answer::Yes;
    }

    QProgressDialog progress(QStringLiteral("Exporting to PDF..."), QStringLiteral("Cancel"), 0,
                             int(documents.size()), this);
    progress.setWindowTitle(kExportCaption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    BulkExport exporter(m_check);
    // Two documents of one name would give one PDF: neither is written, both are named.
    QStringList failures;
    const QStringList shared = BulkExport::sharedNames(documents, &failures);
    QStringList notes; // written, but with something to say
    int written = 0;
    int skipped = 0;
    for (int i = 0; i < documents.size() && !progress.wasCanceled(); ++i) {
        progress.setLabelText(QStringLiteral("Exporting %1").arg(QFileInfo(documents.at(i)).fileName()));
        progress.setValue(i);
        if (shared.contains(documents.at(i)))
            continue;
        if (!replace && QFileInfo::exists(pdfs.at(i))) {
            ++skipped;
            continue;
        }
        QString error;
        QStringList said;
        if (exporter.exportOne(documents.at(i), pdfs.at(i), &error, &said))
            ++written;
        else
            failures << error;
        for (const QString &note : std::as_const(said))
            notes << QStringLiteral("%1: %2").arg(QFileInfo(documents.at(i)).fileName(), note);
    }
    const bool cancelled = progress.wasCanceled();
    progress.setValue(int(documents.size()));

    QString summary = QStringLiteral("%1 of %2 PDF files written to %3.")
                          .arg(written).arg(documents.size()).arg(QDir::toNativeSeparators(target));
    if (skipped)
        summary += QStringLiteral("\r\n%1 existing files were kept.").arg(skipped);
    if (cancelled)
        summary += QStringLiteral("\r\nThe export was cancelled.");
    if (!notes.isEmpty())
        summary += QStringLiteral("\r\nNotes:\r\n") + notes.join(QStringLiteral("\r\n"));
    if (failures.isEmpty())
        infoBox(kExportCaption, summary);
    else
        errorBox(QStringLiteral("Error"), summary + QStringLiteral("\r\nNot exported:\r\n") + failures.join(QStringLiteral("\r\n")));
}

} // namespace Brenvik
