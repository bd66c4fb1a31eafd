#include "welder/weldersdock.h"

#include "core/platform.h"
#include "qualify/welderranges.h"
#include "qualify/wpqkeys.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Brenvik {

using namespace WpqKeys;

namespace {

enum Column { WelderCol, IdCol, ProcessCol, StatusCol, LastUseCol, ExpiresCol, PositionsCol, DepositCol, DiameterCol,
              FNoCol, ColumnCount };

QColor stateColour(ContinuityState state)
{
    switch (state) {
    case ContinuityState::Current: return QColor(0x4c, 0xaf, 0x50);
    case ContinuityState::Expiring: return QColor(0xf0, 0xa0, 0x20);
    case ContinuityState::Lapsed: return QColor(0xd3, 0x2f, 0x2f);
    case ContinuityState::Revoked: return QColor(0x60, 0x60, 0x60);
    case ContinuityState::Unknown: break;
    }
    return QColor(0x9e, 0x9e, 0x9e);
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QDateTime noon(const QDate &date)
{
    return QDateTime(date, QTime(12, 0));
}

} // namespace

QList<WeldersDock::Line> WeldersDock::lines(const QList<WelderFile> &welders, const QDate &on)
{
    QList<Line> out;
    for (const WelderFile &w : welders) {
        const QualifyForm &v = w.record.values();
        for (const ProcessContinuity &p : w.record.continuity(on)) {
            Line line;
            line.welder = w.record.name();
            line.id = w.record.id();
            line.process = p.process;
            const int n = w.record.processColumn(p.process);
            line.positions = v.value(kPositionPlate);
            line.deposit = v.value(range(numbered(kDeposit, n)));
            line.diameter = v.value(range(kDiameter));
            line.fNumbers = v.value(range(numbered(kFNo, n)));
            line.continuity = p;
            line.file = w.relativePath;
            out << line;
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Line &a, const Line &b) {
        const QDate ea = a.continuity.expiry, eb = b.continuity.expiry;
        if (ea.isValid() != eb.isValid())
            return ea.isValid();
        return ea < eb;
    });
    return out;
}

WeldersDock::WeldersDock(QWidget *parent)
    : QDockWidget(tr("Welders"), parent), m_folderEdit(new QLineEdit), m_day(new QDateEdit), m_table(new QTableWidget),
      m_chart(new QChartView), m_status(new QLabel)
{
    setObjectName(QStringLiteral("WeldersDock"));
    auto *body = new QWidget(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Folder:"), body));
    m_folderEdit->setObjectName(QStringLiteral("weldersFolder"));
    m_folderEdit->setReadOnly(true);
    top->addWidget(m_folderEdit, 1);
    auto *choose = new QToolButton(body);
    choose->setText(QStringLiteral("..."));
    choose->setToolTip(tr("Choose the folder of the welders' WPQ files"));
    top->addWidget(choose);
    top->addWidget(new QLabel(tr("As of:"), body));
    m_day->setObjectName(QStringLiteral("weldersDay"));
    m_day->setCalendarPopup(true);
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_day->setDate(platform().now().date());
    top->addWidget(m_day);
    auto *refreshButton = new QPushButton(tr("Refresh"), body);
    top->addWidget(refreshButton);

    m_table->setObjectName(QStringLiteral("weldersTable"));
    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("Welder"), tr("Identification"), tr("Process"), tr("Status"),
                                        tr("Last Use"), tr("Expires"), tr("Positions"), tr("Deposit"), tr("Diameter"),
                                        tr("F-Nos")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_chart->setObjectName(QStringLiteral("weldersChart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumWidth(360);

    auto *split = new QSplitter(Qt::Horizontal, body);
    split->addWidget(m_table);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(body);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(m_status);
    setWidget(body);

    connect(choose, &QToolButton::clicked, this, &WeldersDock::chooseFolder);
    connect(refreshButton, &QPushButton::clicked, this, &WeldersDock::refresh);
    connect(m_day, &QDateEdit::dateChanged, this, [this] { refresh(); });
}

void WeldersDock::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (m_folder.isEmpty() && m_folderSource) {
        const QString source = m_folderSource();
        if (!source.isEmpty())
            setFolder(source);
    }
}

void WeldersDock::setFolder(const QString &folder)
{
    m_folder = folder;
    m_folderEdit->setText(folder);
    refresh();
}

void WeldersDock::setDay(const QDate &day)
{
    m_day->setDate(day);
}

void WeldersDock::chooseFolder()
{
    const QString chosen =
        platform().browseFolder(tr("Welders"), tr("The folder of the welders' WPQ files:"), m_folder);
    if (!chosen.isEmpty())
        setFolder(chosen);
}

void WeldersDock::refresh()
{
    m_lines.clear();
    m_problems.clear();
    if (!m_folder.isEmpty()) {
        QList<WelderFile> welders;
        QString error;
        BusyCursor busy;
        if (!WelderScan::scan(m_folder, &welders, &m_problems, &error))
            m_problems << error;
        m_lines = lines(welders, m_day->date());
    }
    fillTable();
    fillChart();
    int lapsed = 0;
    for (const Line &l : m_lines)
        lapsed += l.continuity.state == ContinuityState::Lapsed ? 1 : 0;
    QString status = tr("%1 qualifications, %2 lapsed, as of %3.")
                         .arg(m_lines.size())
                         .arg(lapsed)
                         .arg(m_day->date().toString(Qt::ISODate));
    if (!m_problems.isEmpty())
        status += QLatin1Char(' ') + tr("Not read: %1").arg(m_problems.join(QStringLiteral("; ")));
    m_status->setText(status);
}

void WeldersDock::fillTable()
{
    m_table->setRowCount(int(m_lines.size()));
    for (int r = 0; r < m_lines.size(); ++r) {
        const Line &l = m_lines.at(r);
        const QStringList cells = {l.welder, l.id, l.process, Continuity::stateWord(l.continuity.state),
                                   dateText(l.continuity.lastUse), dateText(l.continuity.expiry), l.positions,
                                   l.deposit, l.diameter, l.fNumbers};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            item->setToolTip(c == StatusCol && l.continuity.validThrough().isValid()
                                 ? tr("Valid through %1").arg(dateText(l.continuity.validThrough()))
                                 : cells.at(c));
            if (c == StatusCol) {
                item->setBackground(stateColour(l.continuity.state));
                item->setForeground(Qt::white);
            }
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
}

void WeldersDock::fillChart()
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setTitle(tr("Continuity: last use to expiry"));
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("MMM yy"));
    x->setTickCount(5);
    QFont small = x->labelsFont();
    small.setPointSizeF(7.5);
    x->setLabelsFont(small);
    auto *y = new QCategoryAxis;
    y->setLabelsFont(small);
    y->setStartValue(-0.5);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const QDate today = m_day->date();
    QDate first = today.addMonths(-7), last = today.addMonths(1);
    const int n = int(m_lines.size());
    for (int i = 0; i < n; ++i) {
        const Line &l = m_lines.at(i);
        // The first line on top.
        const qreal at = n - 1 - i;
        // Categories are appended bottom up, each up to its upper end.
        (void)at;
        if (!l.continuity.lastUse.isValid())
            continue;
        first = std::min(first, l.continuity.lastUse);
        last = std::max(last, l.continuity.expiry);
        auto *bar = new QLineSeries;
        bar->append(noon(l.continuity.lastUse).toMSecsSinceEpoch(), at);
        bar->append(noon(l.continuity.expiry).toMSecsSinceEpoch(), at);
        QPen pen(stateColour(l.continuity.state));
        pen.setWidth(10);
        pen.setCapStyle(Qt::FlatCap);
        bar->setPen(pen);
        chart->addSeries(bar);
        bar->attachAxis(x);
        bar->attachAxis(y);
    }
    for (int i = n - 1; i >= 0; --i) {
        const Line &l = m_lines.at(i);
        y->append(QStringLiteral("%1 %2").arg(l.id.isEmpty() ? l.welder : l.id, l.process), n - 1 - i + 0.5);
    }
    auto *now = new QLineSeries;
    now->append(noon(today).toMSecsSinceEpoch(), -0.5);
    now->append(noon(today).toMSecsSinceEpoch(), n - 0.5);
    QPen pen(Qt::black);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(2);
    now->setPen(pen);
    chart->addSeries(now);
    now->attachAxis(x);
    now->attachAxis(y);
    x->setRange(noon(first.addDays(-7)), noon(last.addDays(7)));
    y->setRange(-0.5, std::max(0.5, n - 0.5));
    QChart *old = m_chart->chart();
    m_chart->setChart(chart);
    delete old;
}

} // namespace Brenvik
