#include "controls/dateedit.h"

#include <QLocale>

namespace Brenvik {

DateEdit::DateEdit(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QLocale::system().dateFormat(QLocale::LongFormat));
}

} // namespace Brenvik
