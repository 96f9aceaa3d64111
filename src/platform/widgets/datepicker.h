#pragma once

#include <QDateEdit>

// A date field with a drop-down calendar, in the user's short date format with a
// four-digit year; reads and writes the day numbers of datasets.
class DatePicker final : public QDateEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DatePicker)

public:
    explicit DatePicker(QWidget *parent = nullptr);

    double dayNumber() const;  // days since 1899-12-30
    void setDayNumber(double day);
};
