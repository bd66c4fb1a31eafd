#pragma once
// The "Welders" panel beside the document register: every welder's qualification below a
// folder, a line per welder and process (ranges, last use, expiry, status in colour), sorted
// by expiry, and beside it a time line with a bar per welder and process from the last use to
// the expiry and today marked, for a quality manager to read at a glance.

#include "welder/welderscan.h"

#include <QDate>
#include <QDockWidget>

#include <functional>

class QChartView;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace Brenvik {

class WeldersDock : public QDockWidget {
    Q_OBJECT
public:
    explicit WeldersDock(QWidget *parent = nullptr);

    // One line of the panel.
    struct Line {
        QString welder;
        QString id;
        QString process;
        QString positions;
        QString deposit;
        QString diameter;
        QString fNumbers;
        ProcessContinuity continuity;
        QString file;
    };
    // The lines of these welders as of day `on`, sorted by expiry (unknown ones last).
    static QList<Line> lines(const QList<WelderFile> &welders, const QDate &on);

    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    // Where the folder comes from when the panel first shows without one (the register's).
    void setFolderSource(std::function<QString()> source) { m_folderSource = std::move(source); }
    void setDay(const QDate &day);
    void refresh();
    void chooseFolder();

    QTableWidget *table() const { return m_table; }
    QChartView *chartView() const { return m_chart; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillTable();
    void fillChart();

    QString m_folder;
    std::function<QString()> m_folderSource;
    QList<Line> m_lines;
    QStringList m_problems;
    QLineEdit *m_folderEdit;
    QDateEdit *m_day;
    QTableWidget *m_table;
    QChartView *m_chart;
    QLabel *m_status;
};

} // namespace Brenvik
