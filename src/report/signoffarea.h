#pragma once
// Where a paper form is signed: the places of its sign-off area (the signature space, the
// signer's name and the date on their lines, the free room beside them), each with the form's
// own label printed in that place, if any. A form's report page says it once where it builds
// the page; the document control prints its approvals there.

#include <QList>
#include <QRectF>
#include <QString>

namespace Brenvik {

enum class SignOffPart {
    Signature, // the signature picture, fitted into the place
    Name,      // the approver's name, on the line signed on
    Date,      // the approval date ("12 Jul 2026")
    Month,     // the approval date in boxes of their own: "7", "12", "2026"
    Day,
    Year,
    Lines,     // the free room: who prepared and reviewed the document, one a line (every area has it)
};

struct SignOffPlace {
    SignOffPlace(SignOffPart part, const QRectF &box, const QString &key = QString())
        : part(part), box(box), key(key)
    {
    }
    SignOffPart part;
    QRectF box;   // band coordinates of the page; a text's top is the box's top
    QString key;  // the form's own label in this place; empty where the form leaves it blank
};

} // namespace Brenvik
