#pragma once
// File > Compare With...: every field in which two documents of one type differ, by page and
// label, the two values side by side; the list can be copied as text or printed.

#include "document/control/documentcompare.h"

#include <QDialog>

class QTableWidget;

namespace Brenvik {

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const QString &before, const QString &after, const QList<FieldDifference> &differences,
                  QWidget *parent = nullptr);

    // A heading naming both files, then one "<page> / <label>: <old> -> <new>" line each.
    QString reportText() const;
    QTableWidget *table() const { return m_table; }

private:
    QString reportHtml() const;

    QString m_before;
    QString m_after;
    QList<FieldDifference> m_differences;
    QTableWidget *m_table;
};

} // namespace Brenvik
