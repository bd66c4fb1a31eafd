#include "document/control/comparedialog.h"

#include "report/htmlprint.h"
#include "core/texthelpers.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace Brenvik {

CompareDialog::CompareDialog(const QString &before, const QString &after, const QList<FieldDifference> &differences,
                             QWidget *parent)
    : QDialog(parent), m_before(before), m_after(after), m_differences(differences), m_table(new QTableWidget(this))
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(tr("Compare %1 with %2").arg(QFileInfo(before).fileName(), QFileInfo(after).fileName()));
    m_table->setObjectName(QStringLiteral("differences"));
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels({tr("Page"), tr("Field"), QFileInfo(before).fileName(), QFileInfo(after).fileName()});
    m_table->setRowCount(int(differences.size()));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(true);
    m_table->verticalHeader()->hide();
    for (int r = 0; r < differences.size(); ++r) {
        const FieldDifference &d = differences.at(r);
        // A memo's lines on lines of their own here; the copied and printed text keeps one line each.
        const QStringList cells{d.page, d.label, replacedAll(d.before, kMemoLineMark, u"\n"),
                                replacedAll(d.after, kMemoLineMark, u"\n")};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    // Widths set before the rows are measured, so that each row is as high as its longest value.
    const int widths[] = {140, 240, 320, 320};
    for (int c = 0; c < 4; ++c)
        m_table->setColumnWidth(c, widths[c]);
    m_table->resizeRowsToContents();
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, m_table, [this] { m_table->resizeRowsToContents(); });

    const qsizetype count = differences.size();
    auto *summary = new QLabel(count == 0   ? tr("The two documents hold the same values.")
                                   : count == 1 ? tr("1 field differs.")
                                                : tr("%1 fields differ.").arg(count),
                               this);
    summary->setObjectName(QStringLiteral("summary"));
    QDialogButtonBox *buttons = reportButtons(this, [this] { return reportText(); }, [this] { return reportHtml(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(summary);
    layout->addWidget(buttons);
    resizeWithinScreen(this, QSize(1080, 520), parent);
}

QString CompareDialog::reportText() const
{
    QStringList lines{tr("%1 compared with %2:").arg(m_before, m_after)};
    for (const FieldDifference &d : m_differences)
        lines << d.line();
    if (m_differences.isEmpty())
        lines << tr("no field differs");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString CompareDialog::reportHtml() const
{
    QString html = QStringLiteral("<h3>%1</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>")
                       .arg(tr("%1 compared with %2").arg(m_before, m_after).toHtmlEscaped());
    for (int c = 0; c < m_table->columnCount(); ++c)
        html += QStringLiteral("<th align=\"left\">%1</th>").arg(m_table->horizontalHeaderItem(c)->text().toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (const FieldDifference &d : m_differences)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(d.page.toHtmlEscaped(), d.label.toHtmlEscaped(), d.before.toHtmlEscaped(),
                         d.after.toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

} // namespace Brenvik
