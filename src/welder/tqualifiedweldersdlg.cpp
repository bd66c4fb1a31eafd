#include "welder/tqualifiedweldersdlg.h"

#include "core/platform.h"
#include "document/formdescription.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

namespace {

enum Column { WhoColumn, VerdictColumn, DetailsColumn, FileColumn };

QColor outcomeColour(WelderOutcome outcome)
{
    switch (outcome) {
    case WelderOutcome::Holds: return QColor(0xd4, 0xf0, 0xd4);
    case WelderOutcome::Exceeds: return QColor(0xf6, 0xc8, 0xc4);
    case WelderOutcome::Lapsed: return QColor(0xe0, 0xd0, 0xf0);
    case WelderOutcome::CannotTell: break;
    }
    return QColor(0xf8, 0xe8, 0xb0);
}

QString wpsName(const QualifyForm &wps)
{
    const FormDescription *procedure = FormDescriptions::find(wps.formType());
    const QString number = procedure ? wps.value(procedure->numberKey) : QString();
    const QString word = procedure ? procedure->shownAs : QStringLiteral("WPS");
    if (number.isEmpty())
        return QStringLiteral("the %1").arg(word);
    // "WPS-118" names itself; a bare "118" is named as a WPS.
    return number.startsWith(word, Qt::CaseInsensitive) ? number : QStringLiteral("%1 %2").arg(word, number);
}

} // namespace

TQualifiedWeldersDlg::TQualifiedWeldersDlg(const QualifyForm &wps, const QString &folder, QWidget *parent)
    : QDialog(parent), m_wps(wps), m_folder(folder), m_folderLabel(new QLabel(this)), m_day(new QDateEdit(this)),
      m_tree(new QTreeWidget(this)), m_summary(new QLabel(this))
{
    setObjectName(QStringLiteral("TQualifiedWeldersDlg"));
    setWindowTitle(tr("Welders Qualified for %1").arg(wpsName(wps)));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Welders below:"), this));
    m_folderLabel->setObjectName(QStringLiteral("folder"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_folderLabel, 1);
    auto *choose = new QPushButton(tr("&Folder..."), this);
    choose->setObjectName(QStringLiteral("chooseFolder"));
    top->addWidget(choose);
    top->addSpacing(12);
    top->addWidget(new QLabel(tr("As of:"), this));
    m_day->setObjectName(QStringLiteral("asOf"));
    m_day->setCalendarPopup(true);
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_day->setDate(platform().now().date());
    top->addWidget(m_day);

    m_tree->setObjectName(QStringLiteral("welders"));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({tr("Welder / Rule"), tr("Verdict"), tr("Details"), tr("File")});
    m_tree->setRootIsDecorated(true);
    m_tree->setWordWrap(true);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(DetailsColumn, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(FileColumn, QHeaderView::ResizeToContents);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, &TQualifiedWeldersDlg::chooseFolderClick);
    connect(m_day, &QDateEdit::dateChanged, this, [this] { rescan(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(980, 560);
    rescan();
}

void TQualifiedWeldersDlg::setDay(const QDate &day)
{
    m_day->setDate(day); // rescans when it changes
}

void TQualifiedWeldersDlg::chooseFolderClick()
{
    const QString chosen = platform().browseFolder(tr("Welders"), tr("The folder of the welders' WPQ files:"), m_folder);
    if (chosen.isEmpty())
        return;
    m_folder = chosen;
    rescan();
}

void TQualifiedWeldersDlg::rescan()
{
    m_results.clear();
    m_problems.clear();
    QList<WelderFile> welders;
    QString error;
    {
        BusyCursor busy;
        if (!WelderScan::scan(m_folder, &welders, &m_problems, &error))
            m_problems << error;
    }
    for (const WelderFile &w : welders) {
        Result r;
        r.welder = w;
        r.verdicts = WelderFit::run(m_wps, w.record, m_day->date());
        r.qualified = WelderFit::qualified(r.verdicts);
        m_results << r;
    }
    // The qualified first, then by name.
    std::stable_sort(m_results.begin(), m_results.end(), [](const Result &a, const Result &b) {
        if (a.qualified != b.qualified)
            return a.qualified;
        return a.welder.record.name().localeAwareCompare(b.welder.record.name()) < 0;
    });
    fill();
}

QString TQualifiedWeldersDlg::summary() const
{
    int qualified = 0;
    for (const Result &r : m_results)
        qualified += r.qualified ? 1 : 0;
    QString text = tr("%1 of %2 welders qualified for %3 on %4.")
                       .arg(qualified)
                       .arg(m_results.size())
                       .arg(wpsName(m_wps), m_day->date().toString(Qt::ISODate));
    if (!m_problems.isEmpty())
        text += QLatin1Char(' ') + tr("Not read: %1").arg(m_problems.join(QStringLiteral("; ")));
    return text;
}

void TQualifiedWeldersDlg::fill()
{
    m_folderLabel->setText(m_folder);
    m_tree->clear();
    for (const Result &r : m_results) {
        const WelderOutcome overall = WelderFit::overall(r.verdicts);
        auto *top = new QTreeWidgetItem(m_tree);
        top->setText(WhoColumn, QStringLiteral("%1 (%2)").arg(r.welder.record.name(), r.welder.record.id()));
        top->setText(VerdictColumn, r.qualified ? tr("qualified") : WelderFit::outcomeWord(overall));
        top->setText(FileColumn, r.welder.relativePath);
        QFont bold = top->font(WhoColumn);
        bold.setBold(true);
        top->setFont(WhoColumn, bold);
        top->setFont(VerdictColumn, bold);
        for (int c = 0; c < m_tree->columnCount(); ++c)
            top->setBackground(c, outcomeColour(overall));
        for (const WelderVerdict &v : r.verdicts) {
            auto *line = new QTreeWidgetItem(top);
            line->setText(WhoColumn, v.paragraph + QLatin1Char(' ') + v.subject);
            line->setText(VerdictColumn, WelderFit::outcomeWord(v.outcome));
            line->setText(DetailsColumn, v.details);
            line->setToolTip(DetailsColumn, v.details);
            line->setBackground(VerdictColumn, outcomeColour(v.outcome));
        }
        // A welder who is not qualified shows why at once.
        top->setExpanded(!r.qualified);
    }
    m_tree->resizeColumnToContents(WhoColumn);
    m_tree->resizeColumnToContents(VerdictColumn);
    m_tree->resizeColumnToContents(FileColumn);
    m_summary->setText(summary());
}

} // namespace Brenvik
