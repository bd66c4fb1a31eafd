#pragma once
// What approving, withdrawing, revising and superseding do to document files, without a
// window: each step reads the file, changes its status keys (or, for a revision, makes the new
// file) and writes it whole through the atomic writer. The window asks its questions first and
// hands the answers in; every function returns the reason it wrote nothing, or an empty text.

#include "document/control/controlrecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>

namespace Brenvik {

struct FormDescription;

struct Approval {
    QString approvedBy;
    QDate approvedDate;
    QString preparedBy;  // empty: not recorded
    QDate preparedDate;
    QString reviewedBy;
    QDate reviewedDate;
    QByteArray signaturePng; // empty: no signature picture
};

namespace DocumentControl {

// The signature picture beside a document: "WPS-118.wrp" gives "WPS-118_sig.png".
QString signatureFileOf(const QString &documentPath);

// Approves a draft: status Approved, the names and dates, the digest of what the file and its
// picture hold now; the signature picture is written beside it first. A document that is not
// a draft is refused (an approval is never taken again over a changed one).
QString approve(const QString &path, const Approval &approval);
// The approval of a revision and what it does to the revision it supersedes: ask is put the
// earlier file's name and answers whether it becomes Superseded now. The approval stands
// whatever happens to the earlier file; *note says what did (empty when nothing was asked).
QString approveRevision(const QString &path, const Approval &approval,
                        const std::function<bool(const QString &earlierName)> &ask, QString *note);
// Back to Draft: the approval, its digest and its signature picture go; who prepared and
// reviewed it and the revision links stay.
QString withdraw(const QString &path);
// Marks the earlier revision as superseded by the later one (named by its file name). Refused
// when the earlier one is already superseded by another file.
QString supersede(const QString &earlierPath, const QString &laterPath);

// The revision after current: "0" gives "1", "" gives "1", " 7 " gives "8"; empty when the
// current one is no whole number ("A", "1.2"), which the user is then asked for.
QString nextRevision(const QString &current);
// The proposed file of a revision, in the folder of path: "<number> rev <revision>.wrp", the
// characters a file name cannot hold as "-"; without a number, the file's own name
// without a " rev N" ending.
QString revisionFileName(const QString &path, const QString &number, const QString &revision);
// Makes newPath a revision of path: the same values and picture, the revision number given,
// the revision date today (where the form has one), status Draft, no approvals, and
// dcSupersedes naming the earlier file. The new file and its picture are written whole.
QString createRevision(const QString &path, const QString &newPath, const QString &revision,
                       const QDate &today, const FormDescription &description);
// The earlier revision's path a record names, in the folder of path; empty when none.
QString supersededPath(const QString &path, const ControlRecord &record);

} // namespace DocumentControl

} // namespace Brenvik
