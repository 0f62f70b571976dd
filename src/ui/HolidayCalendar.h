#pragma once
#include <QCalendarWidget>

// Month calendar of the date box: weeks from Sunday, weekday names 日 … 土, and the fixed
// holidays of every year marked in red.
class HolidayCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit HolidayCalendar(QWidget* parent = nullptr);

    // Month/day of the holidays marked each year.
    static const QList<QPair<int, int>>& fixedHolidays();

private:
    void markHolidays(int year);
};
