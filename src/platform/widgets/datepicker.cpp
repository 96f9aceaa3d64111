#include "datepicker.h"

#include "dataset.h"

#include <QLocale>

DatePicker::DatePicker(QWidget *parent) : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    setDisplayFormat(format);
}

double DatePicker::dayNumber() const
{
    return dateToDayNumber(date());
}

void DatePicker::setDayNumber(double day)
{
    setDate(dayNumberToDate(day));
}
