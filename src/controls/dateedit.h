#pragma once
// The date picker of the document windows: long date format, calendar drop-down. edited()
// fires on the user's changes only; setDateValue() sets the date quietly for the walks.

#include <QDateEdit>

namespace Brenvik {

class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);

    void setDateValue(const QDate &date);
    // The long date format of the system (reset step: "show the date picker in the long
    // date format").
    void showLongFormat();

Q_SIGNALS:
    void edited();

private:
    bool m_quiet = false;
};

} // namespace Brenvik
