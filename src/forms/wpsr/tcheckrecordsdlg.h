#pragma once
// Tools > Check Against Records...: the WPS on screen checked against one or more
// qualification records (WPQR files). Lists the records (proposed: those in the WPS's folder
// whose PQR No. the WPS names), one row per rule with its verdict in colour, the numbers of
// both sides and the code paragraph; the result can be copied as text or printed. "Toughness
// required" adds the supplementary essential variables (QW-401.1).

#include "qualify/qualifycheck.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace Brenvik {

class TCheckRecordsDlg : public QDialog {
    Q_OBJECT
public:
    // folder is where Add... starts.
    TCheckRecordsDlg(const QualifyForm &wps, const QString &folder, const QStringList &records,
                     QWidget *parent = nullptr);

    QStringList records() const { return m_records; }
    void setRecords(const QStringList &paths);
    QList<Verdict> verdicts() const { return m_verdicts; }
    // The check as plain text: a heading, the records, one line per rule.
    QString reportText() const;

    void addClick();
    void removeClick();

    QTableWidget *table() const { return m_table; }
    // "Toughness required": the supplementary essential variables apply whatever the records
    // carry.
    QCheckBox *toughnessBox() const { return m_toughness; }

private:
    void recheck();
    QString reportHtml() const;

    QualifyForm m_wps;
    QString m_folder;
    QStringList m_records;
    QStringList m_problems; // records that could not be read
    QList<Verdict> m_verdicts;
    QListWidget *m_recordList;
    QCheckBox *m_toughness;
    QTableWidget *m_table;
    QLabel *m_summary;
    QPushButton *m_remove;
};

} // namespace Brenvik
