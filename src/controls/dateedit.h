#pragma once
// The date picker of the document windows: the long date format of the system, with a
// drop-down calendar.

#include <QDateEdit>

namespace Brenvik {

class DateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);
};

} // namespace Brenvik
