#pragma once
// What a form type is, said once: the word its files store, every name it is shown by, and
// which keys of its files hold what the register, the duplicator and the checks read. Each
// form's table carries its description; the forms' registration adds them here, and every
// other place (the chooser, --new, the main window, the register, the duplicator, the sketch
// editor) asks this registry instead of listing types or keys of its own.

#include "core/platform.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

// What a form type is to the checks: the procedure checked, the record that qualifies
// it, a welder's record, or none of these.
enum class FormRole { Other, Procedure, ProcedureRecord, WelderRecord };

struct FormDescription {
    QString formType;     // "WPSR": the formType a file stores, the window's object name
    QString caption;      // the window caption: "Welding Procedure Specification (QW-482)"
    QString chooserText;  // the chooser's radio button: "Welding Procedure Specifications (WPS, QW-482)"
    int chooserRow = 0;   // the button's place in the chooser, from the top
    QString offeredAs;    // in --help and the about box: "WPS (QW-482)"
    QString shownAs;      // the register's type word: "WPS"
    QString knownAs;      // what an engineer calls it, beside that word: "WPS, QW-482"
    QString reportTitle;  // the title of its report's preview and print job
    FormRole role = FormRole::Other;
    // The file filter of the form's save dialogs (every form saves .wrp files today).
    QString fileFilter = documentFilter(QStringLiteral("Welding Reports (*.WRP)"), QStringLiteral("Others (*.*)"));
    // Keys of the [contents] section; empty where the form has none.
    QString numberKey;
    QString revisionKey;
    QString revisionDateKey; // a later revision is dated by this one when it is filled
    QString dateKey;
    QString companyKey = QStringLiteral("companyName");
    QString addressKey;       // the company's address, as the user information fills it
    QStringList processKeys;
    QStringList supportingKeys; // the records this one rests on or cites
};

// The descriptions of the form types this program knows, in the order they were added (once,
// at start-up: a pointer found here stays valid until the next add).
class FormDescriptions {
public:
    // Adds a description, or replaces the one of the same form type.
    static void add(const FormDescription &description);
    // nullptr for a form type nobody described.
    static const FormDescription *find(const QString &formType);
    // By the register's type word ("WPS"); nullptr when none is shown so.
    static const FormDescription *findShown(const QString &shownAs);
    // The first form type with that role; nullptr when none has it.
    static const FormDescription *withRole(FormRole role);
    static const QList<FormDescription> &all();
    // The form type words in the order they were added.
    static QStringList types();
};

} // namespace Brenvik
