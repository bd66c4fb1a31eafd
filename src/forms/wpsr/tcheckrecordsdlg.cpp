#include "forms/wpsr/tcheckrecordsdlg.h"
#include "document/formdescription.h"

#include "core/platform.h"
#include "core/profilefile.h"
#include "report/htmlprint.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

namespace {

// Rows tall enough for every wrapped cell. resizeRowsToContents() measures a cell on its full
// column width while the cell paints inside its margins, so a long details text came out one
// line short and cut; each cell is measured here on the width it paints on.
void fitRows(QTableWidget *table)
{
    table->resizeRowsToContents();
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) + 2;
    for (int row = 0; row < table->rowCount(); ++row) {
        int height = table->rowHeight(row);
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem *item = table->item(row, c);
            if (!item)
                continue;
            const QRect r = QFontMetrics(item->font()).boundingRect(QRect(0, 0, std::max(1, table->columnWidth(c) - margin), 1 << 20),
                                                                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item->text());
            height = std::max(height, r.height() + 2 * margin + 2);
        }
        table->setRowHeight(row, height);
    }
}

enum Column { ParagraphColumn, SubjectColumn, VerdictColumn, WpsColumn, RecordColumn, DetailsColumn };

QColor verdictColour(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Holds:
        return QColor(0xd4, 0xf0, 0xd4);
    case Outcome::Exceeds:
        return QColor(0xf6, 0xc8, 0xc4);
    case Outcome::CannotTell:
        break;
    }
    return QColor(0xf8, 0xe8, 0xb0);
}

QString wpsName(const QualifyForm &wps)
{
    const QString number = wps.number();
    return number.isEmpty() ? QStringLiteral("the WPS") : QStringLiteral("WPS %1").arg(number);
}

} // namespace

TCheckRecordsDlg::TCheckRecordsDlg(const QualifyForm &wps, const QString &folder, const QStringList &records,
                                   QWidget *parent)
    : QDialog(parent), m_wps(wps), m_folder(folder), m_recordList(new QListWidget(this)),
      m_toughness(new QCheckBox(tr("&Toughness required (supplementary essential variables, QW-401.1)"), this)),
      m_table(new QTableWidget(this)), m_summary(new QLabel(this)),
      m_remove(new QPushButton(tr("&Remove"), this))
{
    setObjectName(QStringLiteral("TCheckRecordsDlg"));
    setWindowTitle(tr("Check %1 Against Records").arg(wpsName(wps)));

    auto *recordRow = new QHBoxLayout;
    auto *recordLabel = new QLabel(tr("Qualification records (WPQR):"), this);
    recordLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_recordList->setObjectName(QStringLiteral("recordList"));
    m_recordList->setMaximumHeight(m_recordList->fontMetrics().height() * 4 + 8);
    auto *recordButtons = new QVBoxLayout;
    auto *add = new QPushButton(tr("&Add..."), this);
    add->setObjectName(QStringLiteral("addRecord"));
    m_remove->setObjectName(QStringLiteral("removeRecord"));
    recordButtons->addWidget(add);
    recordButtons->addWidget(m_remove);
    recordButtons->addStretch();
    recordRow->addWidget(recordLabel);
    recordRow->addWidget(m_recordList, 1);
    recordRow->addLayout(recordButtons);

    m_table->setObjectName(QStringLiteral("verdicts"));
    m_table->setColumnCount(6);
    m_table->setHorizontalHeaderLabels(
        {tr("Paragraph"), tr("Subject"), tr("Verdict"), tr("WPS"), tr("Record"), tr("Details")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_table->setAlternatingRowColors(false);
    QHeaderView *header = m_table->horizontalHeader();
    header->setStretchLastSection(true);
    const QFontMetrics fm(m_table->font());
    const int widths[] = {fm.horizontalAdvance(QStringLiteral("QW-403.11")) + 16,
                          fm.horizontalAdvance(QStringLiteral("Deposited weld metal thickness (QW-451.1)")) + 16,
                          fm.horizontalAdvance(QStringLiteral("cannot tell")) + 16,
                          fm.horizontalAdvance(QStringLiteral("1.5 mm to 22.2 mm")) + 24,
                          fm.horizontalAdvance(QStringLiteral("T = 11.1 mm: 1.5 mm to 22.2 mm")) + 16};
    for (int c = 0; c < 5; ++c)
        m_table->setColumnWidth(c, widths[c]);
    connect(header, &QHeaderView::sectionResized, m_table, [this] { fitRows(m_table); });

    m_toughness->setObjectName(QStringLiteral("toughnessRequired"));
    m_toughness->setToolTip(tr("The work requires toughness tests: the toughness rules apply to every record. "
                               "Unchecked, they apply where a record carries toughness results."));
    connect(m_toughness, &QCheckBox::toggled, this, [this] { recheck(); });

    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);

    QDialogButtonBox *buttons = reportButtons(this, [this] { return reportText(); }, [this] { return reportHtml(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(recordRow);
    layout->addWidget(m_toughness);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &TCheckRecordsDlg::addClick);
    connect(m_remove, &QPushButton::clicked, this, &TCheckRecordsDlg::removeClick);

    int tableWidth = 2 * m_table->frameWidth() + fm.horizontalAdvance(QLatin1Char('x')) * 48;
    for (int w : widths)
        tableWidth += w;
    // Wide enough for every column, but never wider than the screen it opens on: the details
    // column wraps and the table scrolls when it must.
    resizeWithinScreen(this, QSize(tableWidth + 24, 520), parent);
    setRecords(records);
}

void TCheckRecordsDlg::setRecords(const QStringList &paths)
{
    m_records = paths;
    m_recordList->clear();
    for (const QString &path : paths) {
        auto *item = new QListWidgetItem(QFileInfo(path).fileName(), m_recordList);
        item->setToolTip(path);
    }
    m_remove->setEnabled(!paths.isEmpty());
    recheck();
}

void TCheckRecordsDlg::recheck()
{
    QList<QualifyForm> records;
    m_problems.clear();
    for (const QString &path : std::as_const(m_records)) {
        ProfileFile file(path, ProfileFile::Kind::Document);
        if (!file.load()) {
            m_problems << tr("%1 cannot be read.").arg(QFileInfo(path).fileName());
            continue;
        }
        const QualifyForm record = QualifyForm::fromProfile(file, QFileInfo(path).fileName());
        const FormDescription *recordType = FormDescriptions::withRole(FormRole::ProcedureRecord);
        if (!recordType || record.formType() != recordType->formType) {
            m_problems << tr("%1 is not a qualification record (WPQR).").arg(QFileInfo(path).fileName());
            continue;
        }
        records << record;
    }
    CheckOptions options;
    options.toughnessRequired = m_toughness->isChecked();
    m_verdicts = records.isEmpty() ? QList<Verdict>() : QualifyCheck::run(m_wps, records, options);

    m_table->setRowCount(int(m_verdicts.size()));
    for (int row = 0; row < m_verdicts.size(); ++row) {
        const Verdict &v = m_verdicts.at(row);
        const QStringList cells = {v.paragraph, v.subject,    QualifyCheck::outcomeWord(v.outcome),
                                   v.wpsSide,   v.recordSide, v.details};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            item->setToolTip(cells.at(c));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (c == VerdictColumn) {
                item->setBackground(verdictColour(v.outcome));
                item->setForeground(Qt::black);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_table->setItem(row, c, item);
        }
    }
    fitRows(m_table);

    QStringList summary = m_problems;
    if (m_records.isEmpty())
        summary << tr("No record in the WPS's folder carries its PQR No.; add the records with Add...");
    else if (!m_verdicts.isEmpty()) {
        int exceeded = 0, unknown = 0;
        for (const Verdict &v : std::as_const(m_verdicts)) {
            exceeded += v.outcome == Outcome::Exceeds;
            unknown += v.outcome == Outcome::CannotTell;
        }
        if (exceeded)
            summary << (exceeded == 1
                            ? tr("1 rule exceeded: the records do not qualify this WPS.")
                            : tr("%1 rules exceeded: the records do not qualify this WPS.").arg(exceeded));
        else if (!unknown)
            summary << tr("Every rule holds.");
        else
            summary << tr("No rule exceeded, but the check is not complete.");
        if (unknown)
            summary << (unknown == 1 ? tr("1 rule could not be told from the texts.")
                                     : tr("%1 rules could not be told from the texts.").arg(unknown));
    }
    m_summary->setText(summary.join(QLatin1Char(' ')));
}

void TCheckRecordsDlg::addClick()
{
    FileDialogOptions options;
    options.title = tr("Qualification Records");
    options.filter = documentFilter(QStringLiteral("Welding Report (*.WRP)"), QStringLiteral("Others (*.*)"));
    options.defaultSuffix = kDocumentSuffix.toUpper();
    options.fileName = m_folder.isEmpty() ? QString() : m_folder + QLatin1Char('/');
    QStringList paths = m_records;
    for (const QString &path : platform().openFiles(options))
        if (!paths.contains(path))
            paths << path;
    if (paths != m_records)
        setRecords(paths);
}

void TCheckRecordsDlg::removeClick()
{
    const int row = m_recordList->currentRow();
    if (row < 0 || row >= m_records.size())
        return;
    QStringList paths = m_records;
    paths.removeAt(row);
    setRecords(paths);
}

QString TCheckRecordsDlg::reportText() const
{
    QStringList lines;
    lines << tr("%1 checked against:").arg(wpsName(m_wps));
    if (m_toughness->isChecked())
        lines << tr("  (toughness required)");
    for (const QString &path : m_records)
        lines << QStringLiteral("  ") + path;
    for (const QString &problem : m_problems)
        lines << QStringLiteral("  ") + problem;
    for (const Verdict &v : m_verdicts)
        lines << v.line();
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString TCheckRecordsDlg::reportHtml() const
{
    QString html =
        QStringLiteral("<h3>%1</h3><p>").arg(tr("%1 checked against").arg(wpsName(m_wps)).toHtmlEscaped());
    for (const QString &path : m_records)
        html += path.toHtmlEscaped() + QStringLiteral("<br>");
    html += QStringLiteral("</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
    for (int c = 0; c < m_table->columnCount(); ++c)
        html += QStringLiteral("<th align=\"left\">%1</th>").arg(m_table->horizontalHeaderItem(c)->text());
    html += QStringLiteral("</tr>");
    for (const Verdict &v : m_verdicts) {
        html +=
            QStringLiteral("<tr><td>%1</td><td>%2</td><td bgcolor=\"%3\"><b>%4</b></td><td>%5</td><td>%6</td>"
                           "<td>%7</td></tr>")
                .arg(v.paragraph.toHtmlEscaped(), v.subject.toHtmlEscaped(), verdictColour(v.outcome).name(),
                     QualifyCheck::outcomeWord(v.outcome), v.wpsSide.toHtmlEscaped(),
                     v.recordSide.toHtmlEscaped(), v.details.toHtmlEscaped());
    }
    html += QStringLiteral("</table><p>%1</p>").arg(m_summary->text().toHtmlEscaped());
    return html;
}

} // namespace Brenvik
