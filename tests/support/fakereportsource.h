#pragma once
// A document window as its report sees it: collected fields, check states, grids of a given
// size and a sketch, set up by a test without any widget.

#include "report/reportsource.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace Brenvik {

class FakeReportSource : public ReportSource {
public:
    QList<CollectedField> fields;
    QSet<QString> checked;
    Picture picture;

    void set(const QString &name, const QString &value) { fields.append({name, value}); }
    // A grid of that size, every cell empty.
    void addGrid(const QString &grid, int rows, int columns);
    // Sets a cell of a grid added before; outside it, fails the test.
    void setCell(const QString &grid, int row, int column, const QString &value);
    // One setting in a line of text, for data-driven tables: "field:name=value",
    // "cell:grid:row:column=value" or "check:name". Memo values use the stored "\n" marks.
    void apply(const QString &setting);
    // What a document hands its report (a document read from a file), to be changed by the
    // test: its collected fields, its checked buttons and its grids.
    void copyOf(const ReportSource &source, const QStringList &buttons, const QStringList &grids);

    QList<CollectedField> collectFields() const override { return fields; }
    bool isChecked(const QString &name) const override { return checked.contains(name); }
    QString gridCell(const QString &grid, int row, int column) const override;
    int gridRowCount(const QString &grid) const override;
    int gridColumnCount(const QString &grid) const override;
    Picture sketch() const override { return picture; }

private:
    QHash<QString, QList<QStringList>> m_grids;
};

} // namespace Brenvik
