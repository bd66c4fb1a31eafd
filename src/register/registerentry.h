#pragma once
// One line of the document register: what a welding document says about itself, read from the
// handful of keys the register shows, as each form's description (FormDescriptions) names them.
// Reading never builds a window, never writes and never locks; a file that cannot be listed as
// a document still gets its line, with the reason.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace Brenvik {

struct RegisterEntry {
    // Approved and Status come last, so that readers of the earlier columns of --list keep working.
    enum Column { Type, Number, Revision, Company, Date, Processes, Supporting, File, Problem, Approved, Status, ColumnCount };

    QString path;         // absolute
    QString relativePath; // below the register's folder, "/" between folders
    QString type;         // the type word shown (the description's shownAs); empty for a file that is no document
    QString number;
    QString revision;
    QString company;
    QDate date;
    QString typeName;     // what an engineer calls the type ("PQR, QW-483" for a WPQR)
    QString dateText;     // the date as stored, shown as it is when it is no date
    QString processes;
    QString supporting;   // the records this one rests on or cites
    QString status;       // "Draft", "Approved", "Approved, changed", "Superseded" ...; empty for no document
    QDate approvedDate;
    QString problem;      // why the file is no readable document; empty when it is one
    // A place below the folder the scan could not go into or name (a folder it cannot read, a
    // name that is not UTF-8, a path too long): the register is incomplete there.
    bool unreached = false;
    // What the file was when read: a rescan reads it again only when either differs.
    qint64 size = -1;
    QDateTime modified;

    bool isDocument() const { return problem.isEmpty(); }
    // The text of a column; the date as yyyy-MM-dd.
    QString cell(int column) const;
    // The form type the file stores, found from the shown type word.
    QString formType() const;
    // The type word with its name beside it, as the panel shows it.
    QString shownType() const;

    static QStringList headings();
    // The register's order: by relative path, letter case aside (then with it, so that two
    // names differing only in case still have an order).
    static bool before(const RegisterEntry &a, const RegisterEntry &b);
    // Reads the file at path; relativePath is taken as given.
    static RegisterEntry read(const QString &path, const QString &relativePath);
};

} // namespace Brenvik
