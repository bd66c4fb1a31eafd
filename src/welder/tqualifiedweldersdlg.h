#pragma once
// Tools > Qualified Welders... of a WPS: every welder below a folder (the WPS's own, or one
// the user picks) against the WPS on screen, as of a day (today unless changed). A welder is
// a line with the overall verdict (qualified, lapsed, exceeds, cannot tell), coloured, the
// qualified first; under it a line per rule and variable with its paragraph and details.

#include "qualify/welderfit.h"
#include "welder/welderscan.h"

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;
class QTreeWidget;

namespace Brenvik {

class TQualifiedWeldersDlg : public QDialog {
    Q_OBJECT
public:
    TQualifiedWeldersDlg(const QualifyForm &wps, const QString &folder, QWidget *parent = nullptr);

    // Reads the folder again and judges every welder as of the day shown.
    void rescan();
    void chooseFolderClick();
    void setDay(const QDate &day);

    struct Result {
        WelderFile welder;
        QList<WelderVerdict> verdicts;
        bool qualified = false;
    };
    QList<Result> results() const { return m_results; }
    QTreeWidget *tree() const { return m_tree; }
    QString summary() const;

private:
    void fill();

    QualifyForm m_wps;
    QString m_folder;
    QList<Result> m_results;
    QStringList m_problems;
    QLabel *m_folderLabel;
    QDateEdit *m_day;
    QTreeWidget *m_tree;
    QLabel *m_summary;
};

} // namespace Brenvik
