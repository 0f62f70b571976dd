#pragma once
#include <QCalendarWidget>

// Month calendar of the date box: weeks from Sunday, weekday names 日 … 土, and the national
// holidays of the years shown marked in red, each named in its tooltip.
class HolidayCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit HolidayCalendar(QWidget* parent = nullptr);

private:
    void markHolidays(int year);
};
