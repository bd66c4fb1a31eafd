#include "controls/dateedit.h"

#include <QLocale>

namespace Brenvik {

DateEdit::DateEdit(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    showLongFormat();
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!m_quiet)
            Q_EMIT edited();
    });
}

void DateEdit::setDateValue(const QDate &value)
{
    m_quiet = true;
    setDate(value);
    m_quiet = false;
}

void DateEdit::showLongFormat()
{
    setDisplayFormat(QLocale::system().dateFormat(QLocale::LongFormat));
}

} // namespace Brenvik
