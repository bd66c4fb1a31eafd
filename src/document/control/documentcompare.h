#pragma once
// Two documents of one form type compared field by field, from the form's table alone: every
// stored field whose value differs, named by its page and label (a grid cell by its grid, row
// and column heading), and the sketch picture when its bytes differ. Works for any form type
// that has a table; nothing here knows one type from another.

#include <QByteArray>
#include <QList>
#include <QString>

namespace Brenvik {

class ProfileFile;
struct FormTable;

struct FieldDifference {
    QString page;   // the page caption
    QString label;  // "Process", "Filler Metal Class / row 2"
    QString before; // as the first document holds it ("(empty)" when empty)
    QString after;

    // "<page> / <label>: <before> -> <after>", on one line.
    QString line() const;
};

class DocumentCompare {
public:
    explicit DocumentCompare(const FormTable &table) : m_table(table) {}

    // The differences in table order, the picture last.
    QList<FieldDifference> compare(const ProfileFile &before, const ProfileFile &after,
                                   const QByteArray &pictureBefore, const QByteArray &pictureAfter) const;

    // The label a field is shown by: its label, else its caption, else its group's, else its name.
    QString labelOf(const QString &fieldName) const;

private:
    const FormTable &m_table;
};


} // namespace Brenvik
